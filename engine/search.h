// The computer opponent: negamax with alpha-beta over a fixed table of positional weights.
// search.cpp is the fast implementation the program uses; oracle_search.h has the plain one
// that it must match move for move and count for count.
#pragma once

#include <cstdint>

#include "engine/board.h"

// Indexed [row][col] like the board; symmetric under quarter turns and mirroring.
inline constexpr std::int32_t WEIGHTS[8][8] = {
    {100, -20, 10, 5, 5, 10, -20, 100},   {-20, -50, -2, -2, -2, -2, -50, -20},
    {10, -2, 5, 1, 1, 5, -2, 10},         {5, -2, 1, 0, 0, 1, -2, 5},
    {5, -2, 1, 0, 0, 1, -2, 5},           {10, -2, 5, 1, 1, 5, -2, 10},
    {-20, -50, -2, -2, -2, -2, -50, -20}, {100, -20, 10, 5, 5, 10, -20, 100},
};

// The root window; every evaluation lies within -940..940, far inside it.
inline constexpr std::int32_t SEARCH_BOUND = 99999;

// What a search did, for those who ask (tests, the engine tool, benchmarks).
struct SearchStats {
    std::uint64_t calls = 0;            // calls of search
    std::uint64_t leaves = 0;           // of those, calls at depth 0
    std::int32_t value = -SEARCH_BOUND; // best_move: the value of the chosen move
};

// Sum of WEIGHTS over side's discs minus those over the opponent's.
std::int32_t evaluate(const Board& board, std::int32_t side);

// Fail-hard negamax with alpha-beta; a side without a move passes, which costs one ply.
// Leaves the board as it found it.
std::int32_t search(Board& board, std::int32_t side, std::int32_t depth, std::int32_t alpha,
                    std::int32_t beta, SearchStats* stats = nullptr);

// The first move in row-major order with the best full-window value at depth level;
// NO_MOVE when side cannot move. Leaves the board as it found it.
Move best_move(Board& board, std::int32_t side, std::int32_t level, SearchStats* stats = nullptr);
