#include "engine/board.h"

namespace {

constexpr bool on_board(std::int32_t row, std::int32_t col) {
    return row >= 0 && row < 8 && col >= 0 && col < 8;
}

} // namespace

bool is_legal_move(const Board& board, std::int32_t side, std::int32_t row, std::int32_t col) {
    if (board[cell_index(row, col)] != EMPTY) {
        return false;
    }
    const std::int32_t opp = opponent(side);
    for (int d = 0; d < 8; ++d) {
        const std::int32_t dr = DIRECTIONS.row[d];
        const std::int32_t dc = DIRECTIONS.col[d];
        std::int32_t r = row + dr;
        std::int32_t c = col + dc;
        bool passed = false;
        while (on_board(r, c) && board[cell_index(r, c)] == opp) {
            passed = true;
            r += dr;
            c += dc;
        }
        if (passed && on_board(r, c) && board[cell_index(r, c)] == side) {
            return true;
        }
    }
    return false;
}

void apply_move(Board& board, std::int32_t side, std::int32_t row, std::int32_t col) {
    board[cell_index(row, col)] = side;
    const std::int32_t opp = opponent(side);
    for (int d = 0; d < 8; ++d) {
        const std::int32_t dr = DIRECTIONS.row[d];
        const std::int32_t dc = DIRECTIONS.col[d];
        std::int32_t run_row[8];
        std::int32_t run_col[8];
        int run = 0;
        std::int32_t r = row + dr;
        std::int32_t c = col + dc;
        while (on_board(r, c) && board[cell_index(r, c)] == opp) {
            run_row[run] = r;
            run_col[run] = c;
            ++run;
            r += dr;
            c += dc;
        }
        if (run > 0 && on_board(r, c) && board[cell_index(r, c)] == side) {
            for (int i = 0; i < run; ++i) {
                board[cell_index(run_row[i], run_col[i])] = side;
            }
        }
    }
}

bool has_legal_move(const Board& board, std::int32_t side) {
    for (std::int32_t row = 0; row < 8; ++row) {
        for (std::int32_t col = 0; col < 8; ++col) {
            if (is_legal_move(board, side, row, col)) {
                return true;
            }
        }
    }
    return false;
}

DiscCount count_discs(const Board& board) {
    DiscCount count{0, 0};
    for (const std::int32_t cell : board) {
        if (cell == BLACK) {
            ++count.black;
        } else if (cell == WHITE) {
            ++count.white;
        }
    }
    return count;
}

void reset_to_opening(Board& board) {
    board.fill(EMPTY);
    board[cell_index(3, 3)] = WHITE;
    board[cell_index(4, 4)] = WHITE;
    board[cell_index(3, 4)] = BLACK;
    board[cell_index(4, 3)] = BLACK;
}
