// The computer opponent written the plain way: every node tests all 64 cells with
// is_legal_move and saves and restores the whole 64-cell board around each move tried. It is
// too slow for the game but easy to check by eye, so the fast search in search.cpp is tested
// against it: both must give the same move, value and counts for every position and level.
#pragma once

#include <cstdint>

#include "engine/board.h"
#include "engine/search.h"

namespace oracle {

std::int32_t evaluate(const Board& board, std::int32_t side);
std::int32_t search(Board& board, std::int32_t side, std::int32_t depth, std::int32_t alpha,
                    std::int32_t beta, SearchStats* stats = nullptr);
Move best_move(Board& board, std::int32_t side, std::int32_t level, SearchStats* stats = nullptr);

} // namespace oracle
