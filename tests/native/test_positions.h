// Positions for engine tests: boards from text, and boards from seeded random games.
#pragma once

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "engine/board.h"
#include "engine/position_text.h"

inline Board board_from(std::string_view rows) {
    Board board{};
    if (!parse_position(rows, board)) {
        throw std::invalid_argument("bad test position");
    }
    return board;
}

inline Board opening() {
    Board board{};
    reset_to_opening(board);
    return board;
}

struct SidedPosition {
    Board board;
    std::int32_t side;
};

inline std::vector<Move> legal_moves(const Board& board, std::int32_t side) {
    std::vector<Move> moves;
    for (std::int32_t row = 0; row < 8; ++row) {
        for (std::int32_t col = 0; col < 8; ++col) {
            if (is_legal_move(board, side, row, col)) {
                moves.push_back(Move{row, col});
            }
        }
    }
    return moves;
}

// Every position (with the side to move) of `games` random games from the opening, passes
// included, until neither side can move.
inline std::vector<SidedPosition> random_game_positions(std::uint32_t seed, int games) {
    std::mt19937 rng(seed);
    std::vector<SidedPosition> positions;
    for (int g = 0; g < games; ++g) {
        Board board = opening();
        std::int32_t side = BLACK;
        while (has_legal_move(board, side) || has_legal_move(board, opponent(side))) {
            positions.push_back({board, side});
            const std::vector<Move> moves = legal_moves(board, side);
            if (!moves.empty()) {
                const Move m = moves[rng() % moves.size()];
                apply_move(board, side, m.row, m.col);
            }
            side = opponent(side);
        }
        positions.push_back({board, side});
    }
    return positions;
}
