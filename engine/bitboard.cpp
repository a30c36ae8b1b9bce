#include "engine/bitboard.h"

Bitboard to_bitboard(const Board& board, std::int32_t side) {
    const std::int32_t opp = opponent(side);
    Bitboard b{0, 0};
    for (int square = 0; square < 64; ++square) {
        const std::uint64_t bit = 1ull << square;
        if (board[square] == side) {
            b.own |= bit;
        } else if (board[square] == opp) {
            b.opp |= bit;
        }
    }
    return b;
}
