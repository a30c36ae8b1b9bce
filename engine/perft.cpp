#include "engine/perft.h"

#include "engine/bitboard.h"

namespace {

std::uint64_t count_lines(std::uint64_t own, std::uint64_t opp, std::int32_t depth) {
    if (depth == 0) {
        return 1;
    }
    std::uint64_t moves = legal_moves_mask(own, opp);
    if (moves == 0) {
        return legal_moves_mask(opp, own) != 0 ? count_lines(opp, own, depth - 1) : 1;
    }
    std::uint64_t count = 0;
    for (; moves != 0; moves &= moves - 1) {
        const int square = lowest_square(moves);
        const std::uint64_t flips = flipped_discs(own, opp, square);
        count += count_lines(opp & ~flips, own | flips | (1ull << square), depth - 1);
    }
    return count;
}

} // namespace

std::uint64_t perft(Board& board, std::int32_t side, std::int32_t depth) {
    const Bitboard b = to_bitboard(board, side);
    return count_lines(b.own, b.opp, depth);
}
