// The board geometry shared by the painter and the mouse: cell size, cell under a point, grid.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "ui/board_geometry.h"

namespace {

TEST(BoardGeometry, CellSizeTruncatesTowardZero) {
    const struct {
        std::int32_t height;
        std::int32_t size;
    } cases[] = {{600, 74}, {607, 74}, {608, 75}, {100, 11}, {16, 1},
                 {15, 0},   {8, 0},    {7, 0},    {1, 0},    {0, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(cell_size(c.height), c.size) << "height " << c.height;
    }
}

// x and y map the same way, so each case is checked as a column and as a row.
TEST(BoardGeometry, CellAtRoundsTowardZeroSoTheMarginActsOnTheEdgeCell) {
    const struct {
        std::int32_t height;
        std::int32_t position;
        std::optional<std::int32_t> index;
    } cases[] = {
        {600, 4, 0},
        {600, 77, 0},
        {600, 78, 1},
        {600, 521, 6},
        {600, 522, 7},
        {600, 595, 7},
        {600, 596, {}},
        {600, 2, 0},
        {600, 0, 0},
        {600, 3, 0},
        {600, 65535, {}},
        // cells of 5 pixels still pull the whole margin onto the edge cell: -4 / 5 is 0
        {48, 0, 0},
        {48, 43, 7},
        {48, 44, {}},
        // cells of 4 pixels: -4 / 4 is -1, so the outermost margin pixel gives no cell
        {40, 0, {}},
        {40, 1, 0},
        {40, 35, 7},
        {40, 36, {}},
        // cells of 1 pixel: only the grid itself
        {16, 3, {}},
        {16, 4, 0},
        {16, 11, 7},
        {16, 12, {}},
    };
    for (const auto& c : cases) {
        const std::optional<Move> as_col = cell_at(c.height, c.position, 4);
        const std::optional<Move> as_row = cell_at(c.height, 4, c.position);
        if (c.index) {
            ASSERT_TRUE(as_col.has_value()) << "height " << c.height << " x " << c.position;
            EXPECT_EQ(as_col->col, *c.index) << "height " << c.height << " x " << c.position;
            EXPECT_EQ(as_col->row, 0);
            ASSERT_TRUE(as_row.has_value()) << "height " << c.height << " y " << c.position;
            EXPECT_EQ(as_row->row, *c.index) << "height " << c.height << " y " << c.position;
            EXPECT_EQ(as_row->col, 0);
        } else {
            EXPECT_FALSE(as_col.has_value()) << "height " << c.height << " x " << c.position;
            EXPECT_FALSE(as_row.has_value()) << "height " << c.height << " y " << c.position;
        }
    }
}

TEST(BoardGeometry, CellAtGivesRowAndColumnOfOnePoint) {
    // 600 high: cell (row 3, col 6) spans x 448..521, y 226..299
    EXPECT_EQ(cell_at(600, 448, 299), (Move{3, 6}));
    EXPECT_EQ(cell_at(600, 521, 226), (Move{3, 6}));
    EXPECT_EQ(cell_at(600, 522, 300), (Move{4, 7}));
}

// Under 16 pixels there are no cells at all; a zero cell size must not be divided by.
TEST(BoardGeometry, ClientUnder16PixelsHasNoCell) {
    for (const std::int32_t height : {15, 9, 8, 1, 0}) {
        for (const std::int32_t at : {0, 3, 4, 5, 11, 100}) {
            EXPECT_FALSE(cell_at(height, at, at).has_value()) << height << " at " << at;
            EXPECT_FALSE(is_on_board(height, at, at)) << height << " at " << at;
        }
    }
}

TEST(BoardGeometry, OnBoardIsTheGridWithoutTheMargin) {
    const struct {
        std::int32_t height;
        std::int32_t x;
        std::int32_t y;
        bool on;
    } cases[] = {
        {600, 4, 4, true},     {600, 595, 595, true}, {600, 3, 300, false}, {600, 300, 3, false},
        {600, 2, 226, false},  {600, 596, 4, false},  {600, 4, 596, false}, {600, 700, 100, false},
        {600, -1, 100, false}, {16, 4, 4, true},      {16, 11, 11, true},   {16, 12, 4, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(is_on_board(c.height, c.x, c.y), c.on)
            << "height " << c.height << " at " << c.x << "," << c.y;
    }
}

} // namespace
