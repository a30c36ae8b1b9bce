// The 8x8 board and the rules of the game.
#pragma once

#include <array>
#include <cstdint>

// 64 cells in row-major order: cell (row, col) is element row * 8 + col, row 0 at the top.
using Board = std::array<std::int32_t, 64>;

inline constexpr std::int32_t EMPTY = 0;
inline constexpr std::int32_t BLACK = 1; // the human, moves first
inline constexpr std::int32_t WHITE = 2; // the computer

// A cell, row first; (-1, -1) stands for "no move".
struct Move {
    std::int32_t row;
    std::int32_t col;
    friend constexpr bool operator==(const Move&, const Move&) = default;
};
inline constexpr Move NO_MOVE{-1, -1};

// The eight straight lines through a cell, as parallel column and row deltas.
struct Directions {
    std::int32_t col[8];
    std::int32_t row[8];
};
inline constexpr Directions DIRECTIONS{
    {-1, -1, -1, 0, 0, +1, +1, +1},
    {-1, 0, +1, -1, +1, -1, 0, +1},
};

struct DiscCount {
    std::int32_t black;
    std::int32_t white;
};

constexpr std::int32_t cell_index(std::int32_t row, std::int32_t col) {
    return row * 8 + col;
}

// 2 for 1, and 1 for every other value (WHITE and EMPTY alike).
constexpr std::int32_t opponent(std::int32_t side) {
    return side == 1 ? 2 : 1;
}

// row and col are 0..7, side is BLACK or WHITE.
bool is_legal_move(const Board& board, std::int32_t side, std::int32_t row, std::int32_t col);
// Only for a cell where is_legal_move holds; makes no test of its own.
void apply_move(Board& board, std::int32_t side, std::int32_t row, std::int32_t col);
bool has_legal_move(const Board& board, std::int32_t side);
DiscCount count_discs(const Board& board);
void reset_to_opening(Board& board);
