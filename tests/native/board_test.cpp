#include <gtest/gtest.h>

#include "tests/native/test_positions.h"

namespace {

TEST(Opponent, GivesTwoForOneAndOneForAnythingElse) {
    EXPECT_EQ(opponent(BLACK), WHITE);
    EXPECT_EQ(opponent(WHITE), BLACK);
    EXPECT_EQ(opponent(EMPTY), BLACK);
}

TEST(Directions, AreTheEightNeighboursInTableOrder) {
    const std::int32_t rows[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
    const std::int32_t cols[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
    for (int d = 0; d < 8; ++d) {
        EXPECT_EQ(DIRECTIONS.row[d], rows[d]) << d;
        EXPECT_EQ(DIRECTIONS.col[d], cols[d]) << d;
    }
}

TEST(Opening, HasFourDiscsAndFourMovesForEachSide) {
    const Board board = opening();
    EXPECT_EQ(board, board_from("..........................."
                                "OX......XO..........................."));
    EXPECT_EQ(legal_moves(board, BLACK), (std::vector<Move>{{2, 3}, {3, 2}, {4, 5}, {5, 4}}));
    EXPECT_EQ(legal_moves(board, WHITE), (std::vector<Move>{{2, 4}, {3, 5}, {4, 2}, {5, 3}}));
    const DiscCount count = count_discs(board);
    EXPECT_EQ(count.black, 2);
    EXPECT_EQ(count.white, 2);
}

TEST(Opening, ResetClearsWhateverWasThere) {
    Board board;
    board.fill(WHITE);
    reset_to_opening(board);
    EXPECT_EQ(board, opening());
}

TEST(ApplyMove, FirstMoveTurnsOneDisc) {
    Board board = opening();
    apply_move(board, BLACK, 2, 3);
    EXPECT_EQ(board, board_from("..................."
                                "X.......XX......XO..........................."));
    const DiscCount count = count_discs(board);
    EXPECT_EQ(count.black, 4);
    EXPECT_EQ(count.white, 1);
    EXPECT_EQ(legal_moves(board, WHITE), (std::vector<Move>{{2, 2}, {2, 4}, {4, 2}}));
}

TEST(EmptyAndFullBoards, HaveNoMoves) {
    const Board empty{};
    Board full;
    for (std::size_t i = 0; i < full.size(); ++i) {
        full[i] = (i * 7 % 3 == 0) ? WHITE : BLACK;
    }
    for (const std::int32_t side : {BLACK, WHITE}) {
        EXPECT_FALSE(has_legal_move(empty, side));
        EXPECT_FALSE(has_legal_move(full, side));
        EXPECT_TRUE(legal_moves(full, side).empty());
    }
    EXPECT_EQ(count_discs(empty).black, 0);
    EXPECT_EQ(count_discs(empty).white, 0);
    EXPECT_EQ(count_discs(full).black + count_discs(full).white, 64);
}

// Row 0 as given, the rest of the board empty; BLACK plays (0, 0).
struct RowCase {
    const char* name;
    const char* row0;
    bool legal;
    const char* after; // row 0 after the move, when legal
};

class RowZero : public testing::TestWithParam<RowCase> {};

TEST_P(RowZero, BlackAtTheCorner) {
    const RowCase& c = GetParam();
    const std::string rest(56, '.');
    Board board = board_from(std::string(c.row0) + rest);
    EXPECT_EQ(is_legal_move(board, BLACK, 0, 0), c.legal);
    if (c.legal) {
        apply_move(board, BLACK, 0, 0);
        EXPECT_EQ(board, board_from(std::string(c.after) + rest));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowZero,
    testing::Values(RowCase{"OnlyUpToTheNearestOwnDisc", ".OOXOOX.", true, "XXXXOOX."},
                    RowCase{"RunReachingTheEdge", ".OOOOOOO", false, ""},
                    RowCase{"SixTurnAgainstTheFarEdge", ".OOOOOOX", true, "XXXXXXXX"},
                    RowCase{"RunEndingAtAnEmptyCell", ".OO.X...", false, ""},
                    RowCase{"OwnDiscAdjacentBracketsNothing", ".XO.....", false, ""},
                    RowCase{"OccupiedCellNeverLegal", "OOX.....", false, ""}),
    [](const testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

TEST(ApplyMove, TurnsEveryBracketedDirectionAtOnce) {
    // BLACK at (3, 3) encloses a WHITE disc in all eight directions.
    Board board = board_from("X..X..X."
                             ".O.O.O.."
                             "..OOO..."
                             "XOO.OOX."
                             "..OOO..."
                             ".O.O.O.."
                             "X..X..X."
                             "........");
    ASSERT_TRUE(is_legal_move(board, BLACK, 3, 3));
    apply_move(board, BLACK, 3, 3);
    EXPECT_EQ(board, board_from("X..X..X."
                                ".X.X.X.."
                                "..XXX..."
                                "XXXXXXX."
                                "..XXX..."
                                ".X.X.X.."
                                "X..X..X."
                                "........"));
}

TEST(ApplyMove, WorksForWhiteToo) {
    Board board = opening();
    apply_move(board, WHITE, 2, 4);
    EXPECT_EQ(board[cell_index(3, 4)], WHITE);
    EXPECT_EQ(count_discs(board).white, 4);
    EXPECT_EQ(count_discs(board).black, 1);
}

} // namespace
