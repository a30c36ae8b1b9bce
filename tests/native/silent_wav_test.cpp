#include "ui/silent_wav.h"

#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

TEST(SilentWav, IsTheFortyFourBytesOfAnEmptyWav) {
    const std::uint8_t expected[] = {
        0x52, 0x49, 0x46, 0x46, 0x24, 0x00, 0x00, 0x00, 0x57, 0x41, 0x56, 0x45, 0x66, 0x6D, 0x74,
        0x20, 0x10, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x40, 0x1F, 0x00, 0x00, 0x40, 0x1F,
        0x00, 0x00, 0x01, 0x00, 0x08, 0x00, 0x64, 0x61, 0x74, 0x61, 0x00, 0x00, 0x00, 0x00,
    };
    ASSERT_EQ(sizeof(SILENT_WAV), sizeof(expected));
    for (std::size_t i = 0; i < sizeof(expected); ++i) {
        EXPECT_EQ(SILENT_WAV[i], expected[i]) << "byte " << i;
    }
}

TEST(SilentWav, HeaderFieldsAgree) {
    const std::uint8_t* w = SILENT_WAV;
    EXPECT_EQ(std::memcmp(w, "RIFF", 4), 0);
    EXPECT_EQ(le32(w + 4), sizeof(SILENT_WAV) - 8) << "RIFF size counts the bytes after it";
    EXPECT_EQ(std::memcmp(w + 8, "WAVE", 4), 0);
    EXPECT_EQ(std::memcmp(w + 12, "fmt ", 4), 0);
    const std::uint32_t format_size = le32(w + 16);
    EXPECT_EQ(format_size, 16u);
    const std::uint16_t channels = le16(w + 22);
    const std::uint32_t rate = le32(w + 24);
    const std::uint16_t block_align = le16(w + 32);
    const std::uint16_t bits = le16(w + 34);
    EXPECT_EQ(le16(w + 20), 1) << "PCM";
    EXPECT_EQ(block_align, channels * bits / 8);
    EXPECT_EQ(le32(w + 28), rate * block_align) << "average bytes per second";
    const std::uint8_t* data = w + 20 + format_size;
    EXPECT_EQ(std::memcmp(data, "data", 4), 0);
    EXPECT_EQ(le32(data + 4), 0u);
    EXPECT_EQ(static_cast<std::size_t>(data + 8 - w), sizeof(SILENT_WAV)) << "nothing after it";
}

} // namespace
