// res/quandor.ico, the file windres puts into the program: its layout and its picture.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr std::size_t DIR_BYTES = 6 + 16;
constexpr std::size_t IMAGE_BYTES = 40 + 3072 + 128;

class IconFile : public testing::Test {
  protected:
    void SetUp() override {
        std::ifstream in(QUANDOR_ICON_FILE, std::ios::binary);
        ASSERT_TRUE(in) << QUANDOR_ICON_FILE;
        bytes.assign(std::istreambuf_iterator<char>(in), {});
        ASSERT_EQ(bytes.size(), DIR_BYTES + IMAGE_BYTES);
    }

    std::uint32_t u16(std::size_t at) const { return bytes[at] | bytes[at + 1] << 8; }
    std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }
    std::int32_t s32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }

    // (r, g, b) of pixel (x, y), y downwards; the rows are stored bottom-up, blue first.
    std::uint32_t rgb(int x, int y) const {
        const std::size_t at = DIR_BYTES + 40 + (31 - y) * 96 + x * 3;
        return bytes[at + 2] << 16 | bytes[at + 1] << 8 | bytes[at];
    }

    std::vector<std::uint8_t> bytes;
};

TEST_F(IconFile, DirectoryHoldsOne32By32TrueColourImage) {
    EXPECT_EQ(u16(0), 0u); // reserved
    EXPECT_EQ(u16(2), 1u); // icon
    EXPECT_EQ(u16(4), 1u); // one image
    EXPECT_EQ(bytes[6], 32);
    EXPECT_EQ(bytes[7], 32);
    EXPECT_EQ(bytes[8], 0); // no palette
    EXPECT_EQ(bytes[9], 0);
    EXPECT_EQ(u16(10), 1u);  // planes
    EXPECT_EQ(u16(12), 24u); // bits per pixel
    EXPECT_EQ(u32(14), IMAGE_BYTES);
    EXPECT_EQ(u32(18), DIR_BYTES);
}

TEST_F(IconFile, BitmapHeader) {
    const std::size_t h = DIR_BYTES;
    EXPECT_EQ(u32(h), 40u);
    EXPECT_EQ(s32(h + 4), 32);
    EXPECT_EQ(s32(h + 8), 64) << "colour rows and mask rows";
    EXPECT_EQ(u16(h + 12), 1u);
    EXPECT_EQ(u16(h + 14), 24u);
    EXPECT_EQ(u32(h + 16), 0u) << "uncompressed";
    EXPECT_EQ(u32(h + 20), 3072u + 128u);
    for (std::size_t at = h + 24; at < h + 40; at += 4) {
        EXPECT_EQ(u32(at), 0u) << "header byte " << at - h;
    }
}

TEST_F(IconFile, MaskIsAllZeroSoEveryPixelIsOpaque) {
    for (std::size_t at = DIR_BYTES + 40 + 3072; at < bytes.size(); ++at) {
        ASSERT_EQ(bytes[at], 0) << "mask byte " << at - (DIR_BYTES + 40 + 3072);
    }
}

constexpr std::uint32_t BOARD = 0x008000, GRID = 0xC0C0C0, DARK = 0x141414, LIGHT = 0xF0F0F0,
                        OUTLINE = 0x000000;

TEST_F(IconFile, PictureIsTwoByTwoCellsWithCrossingLinesAndFourDiscs) {
    const struct {
        int x, y;
        std::uint32_t colour;
        const char* what;
    } expected[] = {
        {7, 7, DARK, "top left disc"},
        {24, 7, LIGHT, "top right disc"},
        {7, 24, LIGHT, "bottom left disc"},
        {24, 24, DARK, "bottom right disc"},
        {7, 1, OUTLINE, "top left outline"},
        {30, 24, OUTLINE, "bottom right outline"},
        {0, 0, BOARD, "corner"},
        {31, 0, BOARD, "corner"},
        {0, 31, BOARD, "corner"},
        {31, 31, BOARD, "corner"},
        {15, 0, GRID, "vertical line"},
        {16, 31, GRID, "vertical line"},
        {0, 15, GRID, "horizontal line"},
        {31, 16, GRID, "horizontal line"},
        {14, 7, BOARD, "beside the line"},
        {17, 7, BOARD, "beside the line"},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(rgb(e.x, e.y), e.colour) << e.what << " at (" << e.x << ", " << e.y << ")";
    }
}

TEST_F(IconFile, UsesOnlyTheWindowsColoursAndIsSymmetric) {
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t c = rgb(x, y);
            ASSERT_TRUE(c == BOARD || c == GRID || c == DARK || c == LIGHT || c == OUTLINE)
                << "pixel (" << x << ", " << y << ") is " << std::hex << c;
            // Mirrored left to right, a dark disc meets a light one and the rest is the same.
            const std::uint32_t m = rgb(31 - x, y);
            const std::uint32_t swapped = c == DARK ? LIGHT : c == LIGHT ? DARK : c;
            ASSERT_EQ(m, swapped) << "pixel (" << x << ", " << y << ")";
        }
    }
}

} // namespace
