#include "engine/oracle_search.h"

namespace oracle {

// Calls are qualified: SearchStats lives in the global namespace, so an unqualified call would
// also find the fast ::search by argument-dependent lookup.

std::int32_t evaluate(const Board& board, std::int32_t side) {
    const std::int32_t opp = opponent(side);
    std::int32_t sum = 0;
    for (std::int32_t row = 0; row < 8; ++row) {
        for (std::int32_t col = 0; col < 8; ++col) {
            const std::int32_t cell = board[cell_index(row, col)];
            if (cell == side) {
                sum += WEIGHTS[row][col];
            } else if (cell == opp) {
                sum -= WEIGHTS[row][col];
            }
        }
    }
    return sum;
}

std::int32_t search(Board& board, std::int32_t side, std::int32_t depth, std::int32_t alpha,
                    std::int32_t beta, SearchStats* stats) {
    if (stats != nullptr) {
        ++stats->calls;
    }
    if (depth == 0) {
        if (stats != nullptr) {
            ++stats->leaves;
        }
        return oracle::evaluate(board, side);
    }
    bool moved = false;
    for (std::int32_t row = 0; row < 8; ++row) {
        for (std::int32_t col = 0; col < 8; ++col) {
            if (!is_legal_move(board, side, row, col)) {
                continue;
            }
            moved = true;
            const Board saved = board;
            apply_move(board, side, row, col);
            const std::int32_t score =
                -oracle::search(board, opponent(side), depth - 1, -beta, -alpha, stats);
            board = saved;
            if (score > alpha) {
                alpha = score;
                if (alpha >= beta) {
                    return alpha;
                }
            }
        }
    }
    if (moved) {
        return alpha;
    }
    return -oracle::search(board, opponent(side), depth - 1, -beta, -alpha, stats);
}

Move best_move(Board& board, std::int32_t side, std::int32_t level, SearchStats* stats) {
    std::int32_t best = -SEARCH_BOUND;
    Move result = NO_MOVE;
    for (std::int32_t row = 0; row < 8; ++row) {
        for (std::int32_t col = 0; col < 8; ++col) {
            if (!is_legal_move(board, side, row, col)) {
                continue;
            }
            const Board saved = board;
            apply_move(board, side, row, col);
            const std::int32_t score = -oracle::search(board, opponent(side), level - 1,
                                                       -SEARCH_BOUND, SEARCH_BOUND, stats);
            board = saved;
            if (score > best) {
                best = score;
                result = Move{row, col};
            }
        }
    }
    if (stats != nullptr) {
        stats->value = best;
    }
    return result;
}

} // namespace oracle
