#include "ui/board_geometry.h"

namespace {

// 64-bit so that no position Windows can hand us overflows on the way.
std::int64_t board_index(std::int64_t position, std::int64_t size) {
    return (position - BOARD_ORIGIN) / size; // C++ division truncates toward zero
}

bool within_grid(std::int64_t position, std::int64_t size) {
    return position >= BOARD_ORIGIN && position < BOARD_ORIGIN + 8 * size;
}

} // namespace

std::optional<Move> cell_at(std::int32_t client_height, std::int32_t x, std::int32_t y) {
    const std::int64_t s = cell_size(client_height);
    if (s < 1) {
        return std::nullopt;
    }
    const std::int64_t col = board_index(x, s);
    const std::int64_t row = board_index(y, s);
    if (col < 0 || col > 7 || row < 0 || row > 7) {
        return std::nullopt;
    }
    return Move{static_cast<std::int32_t>(row), static_cast<std::int32_t>(col)};
}

bool is_on_board(std::int32_t client_height, std::int32_t x, std::int32_t y) {
    const std::int64_t s = cell_size(client_height);
    return within_grid(x, s) && within_grid(y, s);
}
