#include <gtest/gtest.h>

#include <algorithm>

#include "tests/native/engines.h"
#include "tests/native/test_positions.h"

namespace {

// The typed tests run against the plain search and against the program's fast one.
template <class E> class Engine : public testing::Test {};
using Engines = testing::Types<Oracle, Fast>;
TYPED_TEST_SUITE(Engine, Engines, EngineName);

// Plain negamax without pruning, under the same pass rule as search.
std::int32_t plain_negamax(Board& board, std::int32_t side, std::int32_t depth) {
    if (depth == 0) {
        return oracle::evaluate(board, side);
    }
    bool moved = false;
    std::int32_t best = -SEARCH_BOUND;
    for (std::int32_t row = 0; row < 8; ++row) {
        for (std::int32_t col = 0; col < 8; ++col) {
            if (!is_legal_move(board, side, row, col)) {
                continue;
            }
            moved = true;
            const Board saved = board;
            apply_move(board, side, row, col);
            best = std::max(best, -plain_negamax(board, opponent(side), depth - 1));
            board = saved;
        }
    }
    return moved ? best : -plain_negamax(board, opponent(side), depth - 1);
}

// The value of playing m for side, as best_move scores its root moves.
template <class E>
std::int32_t root_value(Board board, std::int32_t side, Move m, std::int32_t level) {
    apply_move(board, side, m.row, m.col);
    return -E::search(board, opponent(side), level - 1, -SEARCH_BOUND, SEARCH_BOUND);
}

TYPED_TEST(Engine, OpeningEvaluatesToZeroAndSidesAreOpposite) {
    EXPECT_EQ(TypeParam::evaluate(opening(), BLACK), 0);
    EXPECT_EQ(TypeParam::evaluate(opening(), WHITE), 0);
    const Board board = board_from("X......O"
                                   ".O......" +
                                   std::string(48, '.'));
    EXPECT_EQ(TypeParam::evaluate(board, BLACK), 100 - 100 + 50);
    EXPECT_EQ(TypeParam::evaluate(board, WHITE), -50);
}

TEST(Weights, SumTo156WithAbsoluteSum940) {
    std::int32_t sum = 0;
    std::int32_t absolute = 0;
    for (const auto& row : WEIGHTS) {
        for (const std::int32_t w : row) {
            sum += w;
            absolute += w < 0 ? -w : w;
        }
    }
    EXPECT_EQ(sum, 156);
    EXPECT_EQ(absolute, 940);
}

TYPED_TEST(Engine, FromTheOpeningAllFourMovesTieAndTheFirstWins) {
    const std::int32_t tie_value[7] = {0, 1, -4, 4, 0, 4, 1};
    for (std::int32_t level = 1; level <= 6; ++level) {
        for (const Move m : legal_moves(opening(), BLACK)) {
            EXPECT_EQ(root_value<TypeParam>(opening(), BLACK, m, level), tie_value[level])
                << "level " << level << " move " << m.row << "," << m.col;
        }
        Board board = opening();
        EXPECT_EQ(TypeParam::best_move(board, BLACK, level), (Move{2, 3})) << "level " << level;
        EXPECT_EQ(board, opening());
    }
}

TYPED_TEST(Engine, LevelOneAfterTheFirstMoveScoresEachReply) {
    Board board = opening();
    apply_move(board, BLACK, 2, 3);
    EXPECT_EQ(root_value<TypeParam>(board, WHITE, {2, 2}, 1), 4);
    EXPECT_EQ(root_value<TypeParam>(board, WHITE, {2, 4}, 1), 0);
    EXPECT_EQ(root_value<TypeParam>(board, WHITE, {4, 2}, 1), 0);
}

// The computer's first reply for every first move and level: move, value, calls of search
// and, of those, calls at depth 0.
struct Reply {
    Move first;
    std::int32_t level;
    Move reply;
    std::int32_t value;
    std::uint64_t calls;
    std::uint64_t leaves;
};

// Level 1 makes one depth-0 call per root move (three each); the level-6 counts are the
// known ones; the levels between pin the counts of the scan order with strict comparisons.
constexpr Reply REPLIES[] = {
    {{2, 3}, 1, {2, 2}, 4, 3, 3},        {{3, 2}, 1, {2, 2}, 4, 3, 3},
    {{4, 5}, 1, {5, 5}, 4, 3, 3},        {{5, 4}, 1, {5, 5}, 4, 3, 3},
    {{2, 3}, 2, {2, 2}, -4, 17, 14},     {{3, 2}, 2, {2, 2}, -4, 17, 14},
    {{4, 5}, 2, {5, 5}, -4, 17, 14},     {{5, 4}, 2, {5, 5}, -4, 17, 14},
    {{2, 3}, 3, {4, 2}, 0, 55, 38},      {{3, 2}, 3, {2, 4}, 0, 55, 38},
    {{4, 5}, 3, {5, 3}, 0, 59, 42},      {{5, 4}, 3, {3, 5}, 0, 59, 42},
    {{2, 3}, 4, {4, 2}, -4, 231, 175},   {{3, 2}, 4, {2, 4}, -4, 243, 187},
    {{4, 5}, 4, {5, 3}, -4, 261, 197},   {{5, 4}, 4, {3, 5}, -4, 272, 207},
    {{2, 3}, 5, {4, 2}, -1, 698, 480},   {{3, 2}, 5, {2, 4}, -1, 752, 524},
    {{4, 5}, 5, {5, 3}, -1, 771, 535},   {{5, 4}, 5, {3, 5}, -1, 891, 629},
    {{2, 3}, 6, {2, 2}, -5, 2564, 1873}, {{3, 2}, 6, {2, 2}, -5, 2917, 2129},
    {{4, 5}, 6, {5, 5}, -5, 3139, 2324}, {{5, 4}, 6, {5, 5}, -5, 3882, 2930},
};

TYPED_TEST(Engine, FirstRepliesMatchTheTable) {
    for (const Reply& r : REPLIES) {
        SCOPED_TRACE(testing::Message()
                     << "after " << r.first.row << "," << r.first.col << " level " << r.level);
        Board board = opening();
        apply_move(board, BLACK, r.first.row, r.first.col);
        const Board before = board;
        SearchStats stats;
        EXPECT_EQ(TypeParam::best_move(board, WHITE, r.level, &stats), r.reply);
        EXPECT_EQ(stats.value, r.value);
        EXPECT_EQ(stats.calls, r.calls);
        EXPECT_EQ(stats.leaves, r.leaves);
        EXPECT_EQ(board, before);
        // Without statistics the choice is the same.
        EXPECT_EQ(TypeParam::best_move(board, WHITE, r.level), r.reply);
    }
}

TYPED_TEST(Engine, NoMoveGivesMinusOneAndLeavesTheBoard) {
    const Board start = board_from("OX......" + std::string(56, '.'));
    for (std::int32_t level = 1; level <= 6; ++level) {
        Board board = start;
        SearchStats stats;
        EXPECT_EQ(TypeParam::best_move(board, BLACK, level, &stats), NO_MOVE);
        EXPECT_EQ(stats.calls, 0u);
        EXPECT_EQ(stats.value, -SEARCH_BOUND);
        EXPECT_EQ(board, start);
    }
}

TYPED_TEST(Engine, DepthZeroIsTheEvaluationWhateverTheWindow) {
    Board board = opening();
    apply_move(board, BLACK, 2, 3);
    const std::int32_t windows[][2] = {{-SEARCH_BOUND, SEARCH_BOUND}, {50, 60}, {-3, -2}};
    for (const auto& w : windows) {
        SearchStats stats;
        EXPECT_EQ(TypeParam::search(board, WHITE, 0, w[0], w[1], &stats),
                  oracle::evaluate(board, WHITE));
        EXPECT_EQ(stats.calls, 1u);
        EXPECT_EQ(stats.leaves, 1u);
    }
}

TYPED_TEST(Engine, WhenNeitherSideCanMoveItIsTheEvaluationAtEveryDepth) {
    // Discs far apart: nothing can ever be bracketed.
    const Board start = board_from("XX......" + std::string(55, '.') + "O");
    ASSERT_FALSE(has_legal_move(start, BLACK));
    ASSERT_FALSE(has_legal_move(start, WHITE));
    const std::int32_t windows[][2] = {{-SEARCH_BOUND, SEARCH_BOUND}, {500, 600}, {-600, -500}};
    for (const std::int32_t side : {BLACK, WHITE}) {
        for (std::int32_t depth = 0; depth <= 6; ++depth) {
            for (const auto& w : windows) {
                Board board = start;
                SearchStats stats;
                EXPECT_EQ(TypeParam::search(board, side, depth, w[0], w[1], &stats),
                          oracle::evaluate(start, side));
                // One pass per ply down to the single depth-0 call.
                EXPECT_EQ(stats.calls, static_cast<std::uint64_t>(depth) + 1);
                EXPECT_EQ(stats.leaves, 1u);
                EXPECT_EQ(board, start);
            }
        }
        Board board = start;
        EXPECT_EQ(TypeParam::best_move(board, side, 3), NO_MOVE);
    }
}

// Not a typed test: the slow plain negamax is worked out once for both searches.
TEST(Search, BothEqualPlainNegamaxOnRandomGames) {
    const std::vector<SidedPosition> positions = random_game_positions(20261211u, 4);
    int index = 0;
    for (const SidedPosition& p : positions) {
        // Every depth on every fourth position keeps the run short.
        if (index++ % 4 != 0) {
            continue;
        }
        for (std::int32_t depth = 1; depth <= 5; ++depth) {
            Board copy = p.board;
            const std::int32_t plain = plain_negamax(copy, p.side, depth);
            Board board = p.board;
            EXPECT_EQ(Oracle::search(board, p.side, depth, -SEARCH_BOUND, SEARCH_BOUND), plain)
                << format_position(p.board).data() << " depth " << depth;
            EXPECT_EQ(Fast::search(board, p.side, depth, -SEARCH_BOUND, SEARCH_BOUND), plain)
                << format_position(p.board).data() << " depth " << depth;
            EXPECT_EQ(board, p.board);
        }
    }
}

TYPED_TEST(Engine, NarrowWindowsBoundTheExactValue) {
    const std::vector<SidedPosition> positions = random_game_positions(7u, 1);
    for (const SidedPosition& p : positions) {
        Board board = p.board;
        const std::int32_t exact = TypeParam::search(board, p.side, 3, -SEARCH_BOUND, SEARCH_BOUND);
        const std::int32_t below = TypeParam::search(board, p.side, 3, exact + 1, exact + 10);
        const std::int32_t above = TypeParam::search(board, p.side, 3, exact - 10, exact - 1);
        const std::int32_t around = TypeParam::search(board, p.side, 3, exact - 1, exact + 1);
        EXPECT_LE(below, exact + 1);
        EXPECT_GE(above, exact - 1);
        EXPECT_EQ(around, exact);
        EXPECT_EQ(board, p.board);
    }
}

} // namespace
