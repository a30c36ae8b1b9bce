#include <gtest/gtest.h>

#include "engine/bitboard.h"
#include "tests/native/test_positions.h"

namespace {

std::uint64_t bit(std::int32_t row, std::int32_t col) {
    return 1ull << cell_index(row, col);
}

// The masks must agree with the 64-cell rules on every cell: the same legal cells, and for
// each legal cell the same discs turned.
void expect_same_as_the_rules(const Board& board, std::int32_t side) {
    const Bitboard b = to_bitboard(board, side);
    const std::uint64_t moves = legal_moves_mask(b.own, b.opp);
    for (std::int32_t row = 0; row < 8; ++row) {
        for (std::int32_t col = 0; col < 8; ++col) {
            const bool legal = is_legal_move(board, side, row, col);
            ASSERT_EQ((moves & bit(row, col)) != 0, legal)
                << format_position(board).data() << " side " << side << " at " << row << "," << col;
            if (!legal) {
                continue;
            }
            Board after = board;
            apply_move(after, side, row, col);
            const Bitboard expected = to_bitboard(after, side);
            const std::uint64_t flips = flipped_discs(b.own, b.opp, cell_index(row, col));
            ASSERT_EQ(b.own | flips | bit(row, col), expected.own)
                << format_position(board).data() << " side " << side << " at " << row << "," << col;
            ASSERT_EQ(b.opp & ~flips, expected.opp);
        }
    }
}

TEST(Bitboard, CellsMapToBitsRowMajor) {
    Board board{};
    board[cell_index(0, 0)] = BLACK;
    board[cell_index(0, 7)] = WHITE;
    board[cell_index(7, 0)] = WHITE;
    board[cell_index(6, 5)] = BLACK;
    const Bitboard b = to_bitboard(board, BLACK);
    EXPECT_EQ(b.own, bit(0, 0) | bit(6, 5));
    EXPECT_EQ(b.opp, bit(0, 7) | bit(7, 0));
    const Bitboard w = to_bitboard(board, WHITE);
    EXPECT_EQ(w.own, b.opp);
    EXPECT_EQ(w.opp, b.own);
    EXPECT_EQ(lowest_square(bit(3, 5) | bit(6, 1)), cell_index(3, 5));
}

// Boards where a shift that forgot its column mask would run off one row into the next, and
// runs that reach an edge or stop at the far side of the board.
TEST(Bitboard, MatchesTheRulesAtTheEdges) {
    const char* boards[] = {
        // From (1, 6) east over (1, 7) would wrap to (2, 0).
        "........"
        "......XO",
        // From (2, 1) west over (2, 0) would wrap to (1, 7).
        "........"
        "........"
        "OX......",
        // From (0, 1) south-west over (1, 0) would wrap to (1, 7).
        ".X......"
        "O.......",
        // From (0, 6) south-east over (1, 7) would wrap to (3, 0).
        "......X."
        ".......O",
        // From (3, 7) north-east over (3, 0) would wrap to (2, 1).
        "........"
        "........"
        "........"
        "O......X",
        // From (3, 0) north-west over (1, 7) would wrap to (0, 6).
        "........"
        ".......O"
        "........"
        "X.......",
        // Long runs against every edge, with and without a closing disc.
        ".OOOOOOX"
        "O......O"
        "O......O"
        "O......O"
        "O......O"
        "O......O"
        "O......O"
        "XOOOOOO.",
        // Every direction at once from the centre.
        "X..X..X."
        ".O.O.O.."
        "..OOO..."
        "XOO.OOX."
        "..OOO..."
        ".O.O.O.."
        "X..X..X."
        "........",
        // Edge columns full, alternating.
        "XO....OX"
        "OX....XO"
        "XO....OX"
        "O......O"
        "X......X"
        "OX....XO"
        "XO....OX"
        "OX....XO",
    };
    for (const char* text : boards) {
        std::string rows(text);
        rows.resize(64, '.');
        const Board board = board_from(rows);
        for (const std::int32_t side : {BLACK, WHITE}) {
            expect_same_as_the_rules(board, side);
        }
    }
}

TEST(Bitboard, MatchesTheRulesOnRandomGames) {
    for (const SidedPosition& p : random_game_positions(31337u, 12)) {
        for (const std::int32_t side : {BLACK, WHITE}) {
            expect_same_as_the_rules(p.board, side);
        }
    }
}

TEST(Bitboard, EmptyAndFullBoardsHaveNoMoves) {
    EXPECT_EQ(legal_moves_mask(0, 0), 0u);
    EXPECT_EQ(legal_moves_mask(0x00ff00ff00ff00ffu, 0xff00ff00ff00ff00u), 0u);
}

} // namespace
