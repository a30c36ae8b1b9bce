// quandor-make-icon FILE: writes the program's icon, res/quandor.ico, so its pixels can be
// re-made and reviewed. One 32 x 32 image, 24 bits per pixel, every pixel opaque: a 2 x 2 piece
// of the green board, light grid lines crossing in the middle, dark discs top left and bottom
// right, light discs top right and bottom left.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int SIZE = 32;
constexpr int ROW_BYTES = SIZE * 3;            // 96: already a multiple of 4
constexpr int COLOUR_BYTES = ROW_BYTES * SIZE; // 3072
constexpr int MASK_BYTES = SIZE / 8 * SIZE;    // 128: 4 bytes a row, no padding needed
constexpr int HEADER_BYTES = 40;
constexpr int IMAGE_BYTES = HEADER_BYTES + COLOUR_BYTES + MASK_BYTES; // 3240
constexpr int DIR_BYTES = 6 + 16;

struct Rgb {
    std::uint8_t r, g, b;
};

// The window's colours, so the icon looks like a piece of the window.
constexpr Rgb BOARD{0, 128, 0};
constexpr Rgb GRID{192, 192, 192};
constexpr Rgb DARK{20, 20, 20};
constexpr Rgb LIGHT{240, 240, 240};
constexpr Rgb OUTLINE{0, 0, 0};

// Grid lines two pixels wide at 15 and 16 leave two 15-pixel cells on each axis, centred on 7
// and 24; a disc reaches 6.5 pixels from its centre, its outer pixel ring is the outline.
constexpr int GRID_FIRST = 15;
constexpr int GRID_LAST = 16;
constexpr int OUTER_R2_TIMES4 = 13 * 13; // (6.5)^2 * 4
constexpr int INNER_R2_TIMES4 = 11 * 11; // (5.5)^2 * 4

// x to the right, y downwards, both 0..31.
Rgb pixel(int x, int y) {
    if ((x >= GRID_FIRST && x <= GRID_LAST) || (y >= GRID_FIRST && y <= GRID_LAST)) {
        return GRID;
    }
    const bool right = x > GRID_LAST;
    const bool bottom = y > GRID_LAST;
    const int dx = x - (right ? 24 : 7);
    const int dy = y - (bottom ? 24 : 7);
    const int d2_times4 = 4 * (dx * dx + dy * dy);
    if (d2_times4 > OUTER_R2_TIMES4) {
        return BOARD;
    }
    if (d2_times4 > INNER_R2_TIMES4) {
        return OUTLINE;
    }
    return right == bottom ? DARK : LIGHT;
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::vector<std::uint8_t> icon_file() {
    std::vector<std::uint8_t> out;
    // ICONDIR: reserved, type 1 (icon), one image.
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    // ICONDIRENTRY: width, height, no palette, reserved, planes, bits, size, offset.
    out.push_back(SIZE);
    out.push_back(SIZE);
    out.push_back(0);
    out.push_back(0);
    put16(out, 1);
    put16(out, 24);
    put32(out, IMAGE_BYTES);
    put32(out, DIR_BYTES);
    // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
    put32(out, HEADER_BYTES);
    put32(out, SIZE);
    put32(out, 2 * SIZE);
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // BI_RGB
    put32(out, COLOUR_BYTES + MASK_BYTES);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    // Colour rows bottom-up, blue first.
    for (int y = SIZE - 1; y >= 0; --y) {
        for (int x = 0; x < SIZE; ++x) {
            const Rgb c = pixel(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
    }
    // AND mask all zero: every pixel opaque.
    out.insert(out.end(), MASK_BYTES, 0);
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quandor-make-icon FILE\n");
        return 2;
    }
    const std::vector<std::uint8_t> bytes = icon_file();
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
