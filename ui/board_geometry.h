// Where the board lies in the client area; shared by the painter and the mouse handling.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/board.h"

// The grid's top-left corner is at (BOARD_ORIGIN, BOARD_ORIGIN) in client coordinates.
inline constexpr std::int32_t BOARD_ORIGIN = 4;

// (client height - 8) / 8, truncated toward zero: 0 below a height of 16, -1 for a height of 0.
// Cells are square; the client width plays no part.
constexpr std::int32_t cell_size(std::int32_t client_height) {
    return (client_height - 2 * BOARD_ORIGIN) / 8;
}

// The cell under a client position. Rounds toward zero, so the 4-pixel margin left of and above
// the grid acts on the edge cell once cells are 5 pixels or more. No cell while the cell size is
// below 1 (a client area under 16 pixels high), so there is never a division by zero.
std::optional<Move> cell_at(std::int32_t client_height, std::int32_t x, std::int32_t y);

// True on the grid itself, 4 <= x, y < 4 + 8 * s; the margin is not on the board.
bool is_on_board(std::int32_t client_height, std::int32_t x, std::int32_t y);
