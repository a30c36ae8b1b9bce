#include "engine/perft.h"

std::uint64_t perft(Board& board, std::int32_t side, std::int32_t depth) {
    if (depth == 0) {
        return 1;
    }
    std::uint64_t count = 0;
    bool moved = false;
    for (std::int32_t row = 0; row < 8; ++row) {
        for (std::int32_t col = 0; col < 8; ++col) {
            if (!is_legal_move(board, side, row, col)) {
                continue;
            }
            moved = true;
            const Board saved = board;
            apply_move(board, side, row, col);
            count += perft(board, opponent(side), depth - 1);
            board = saved;
        }
    }
    if (moved) {
        return count;
    }
    if (has_legal_move(board, opponent(side))) {
        return perft(board, opponent(side), depth - 1);
    }
    return 1;
}
