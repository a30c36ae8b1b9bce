#include <gtest/gtest.h>

#include "engine/perft.h"
#include "tests/native/test_positions.h"

namespace {

TEST(Perft, FromTheOpeningMatchesTheKnownCounts) {
    // No game can end before the ninth ply, so these counts involve no pass or end.
    const std::uint64_t expected[] = {1, 4, 12, 56, 244, 1396, 8200, 55092, 390216};
    for (std::int32_t depth = 0; depth < 9; ++depth) {
        Board board = opening();
        EXPECT_EQ(perft(board, BLACK, depth), expected[depth]) << "depth " << depth;
        EXPECT_EQ(board, opening());
    }
}

TEST(Perft, APassIsOnePly) {
    // BLACK has no move; WHITE has exactly one, (0, 2), which then ends the game.
    Board board = board_from("OX......" + std::string(56, '.'));
    ASSERT_FALSE(has_legal_move(board, BLACK));
    EXPECT_EQ(legal_moves(board, WHITE), (std::vector<Move>{{0, 2}}));
    EXPECT_EQ(perft(board, BLACK, 1), 1u);
    EXPECT_EQ(perft(board, BLACK, 2), 1u);
    EXPECT_EQ(perft(board, WHITE, 1), 1u);
}

TEST(Perft, AFinishedGameCountsOnceAtAnyDepth) {
    const Board full = board_from(std::string(64, 'X'));
    for (std::int32_t depth = 1; depth <= 12; ++depth) {
        Board board = full;
        EXPECT_EQ(perft(board, WHITE, depth), 1u) << depth;
    }
}

} // namespace
