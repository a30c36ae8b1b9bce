// Counting move sequences, to check the move generator from outside.
#pragma once

#include <cstdint>

#include "engine/board.h"

// The number of distinct sequences of depth plies from the position with side to move. A side
// without a move whose opponent has one passes, and the pass is a ply; a position where neither
// side can move ends its line early and counts once. Leaves the board as it found it.
std::uint64_t perft(Board& board, std::int32_t side, std::int32_t depth);
