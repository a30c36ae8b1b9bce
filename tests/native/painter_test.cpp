// The painter through a recording Canvas: the steps, their order and every number in them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "engine/board.h"
#include "flow/play_state.h"
#include "flow/texts.h"
#include "flow/turn_cycle.h"
#include "recording_host.h"
#include "ui/canvas.h"
#include "ui/colours.h"
#include "ui/painter.h"

// Readable failure messages for the canvas records.
void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.x << "," << p.y << ")";
}
void PrintTo(const Rect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}
void PrintTo(const Line& l, std::ostream* os) {
    PrintTo(l.from, os);
    *os << "-";
    PrintTo(l.to, os);
}
void PrintTo(const Pen& p, std::ostream* os) {
    *os << "pen(style " << p.style << ", width " << p.width << ", colour " << std::hex << p.colour
        << std::dec << ")";
}

namespace {

struct Step {
    enum class Kind {
        lines,
        filled_rectangle,
        filled_ellipses,
        outlined_ellipse,
        begin_font,
        text,
        number,
        end_font
    };
    Kind kind;
    Pen pen{};
    Colour brush = 0;
    std::vector<Line> lines;
    std::vector<Rect> rects; // the rectangle, the ellipses' bounds, or the text's rectangle
    Font font{};
    std::string face_name;
    std::int32_t background_mode = 0;
    Colour text_colour = 0;
    std::u16string text; // the text, or the number's format
    std::int32_t value = 0;
    std::int32_t length = 0;
    std::uint32_t format = 0;
    std::size_t host_calls_before = 0; // how many host calls the paint had made by this step
};

void PrintTo(Step::Kind kind, std::ostream* os) {
    static const char* const names[] = {
        "lines", "filled_rectangle", "filled_ellipses", "outlined_ellipse", "begin_font",
        "text",  "number",           "end_font"};
    *os << names[static_cast<int>(kind)];
}

// Records every step and checks the font discipline as it goes: texts only while a font is
// selected, and one font at a time.
class RecordingCanvas final : public Canvas {
  public:
    explicit RecordingCanvas(const RecordingHost& host) : host_(host) {}

    std::vector<Step> steps;
    bool font_open = false;

    void lines(const Pen& pen, std::span<const Line> lines) override {
        Step& step = add(Step::Kind::lines);
        step.pen = pen;
        step.lines.assign(lines.begin(), lines.end());
    }
    void filled_rectangle(Colour brush, const Rect& rect) override {
        Step& step = add(Step::Kind::filled_rectangle);
        step.brush = brush;
        step.rects = {rect};
    }
    void filled_ellipses(Colour brush, std::span<const Rect> bounds) override {
        Step& step = add(Step::Kind::filled_ellipses);
        step.brush = brush;
        step.rects.assign(bounds.begin(), bounds.end());
    }
    void outlined_ellipse(Colour brush, const Pen& pen, const Rect& bounds) override {
        Step& step = add(Step::Kind::outlined_ellipse);
        step.brush = brush;
        step.pen = pen;
        step.rects = {bounds};
    }
    void begin_font(const FontStep& font) override {
        EXPECT_FALSE(font_open) << "a font selected over another";
        font_open = true;
        Step& step = add(Step::Kind::begin_font);
        step.font = font.font;
        step.face_name = font.font.face_name;
        step.background_mode = font.background_mode;
        step.text_colour = font.text_colour;
    }
    void text(const TextStep& text) override {
        EXPECT_TRUE(font_open) << "a text drawn without a font";
        EXPECT_EQ(text.length, -1); // the text is terminated, so its whole buffer is not needed
        Step& step = add(Step::Kind::text);
        step.text = text.text;
        step.length = text.length;
        step.rects = {text.rect};
        step.format = text.format;
    }
    void number(const NumberStep& number) override {
        EXPECT_TRUE(font_open) << "a number drawn without a font";
        Step& step = add(Step::Kind::number);
        step.value = number.value;
        step.text = number.number_format;
        step.length = number.length;
        step.rects = {number.rect};
        step.format = number.format;
    }
    void end_font() override {
        EXPECT_TRUE(font_open) << "a font ended that was not begun";
        font_open = false;
        add(Step::Kind::end_font);
    }

  private:
    Step& add(Step::Kind kind) {
        Step& step = steps.emplace_back();
        step.kind = kind;
        step.host_calls_before = host_.calls.size();
        return step;
    }
    const RecordingHost& host_;
};

Game opening_game() {
    Game game;
    reset_to_opening(game.board);
    game.state.to_move = BLACK;
    game.state.cursor_row = 2;
    game.state.cursor_col = 3;
    game.state.running = true;
    const char16_t level_line[] = u"Level: Novice";
    std::memcpy(game.state.status_text, level_line, sizeof level_line);
    return game;
}

struct Painted {
    std::vector<Step> steps;
    std::vector<HostCall> host_calls;
};

Painted paint(Game& game, std::int32_t height, std::int32_t width = 800) {
    RecordingHost host;
    RecordingCanvas canvas(host);
    paint_board(canvas, game, host, {0, 0, width, height});
    EXPECT_FALSE(canvas.font_open) << "the paint left a font selected";
    return {canvas.steps, host.calls};
}

std::vector<Step> of_kind(const Painted& painted, Step::Kind kind) {
    std::vector<Step> found;
    for (const Step& step : painted.steps) {
        if (step.kind == kind) {
            found.push_back(step);
        }
    }
    return found;
}

// Where the nth step of a kind stands in the paint, or the end when there is none.
std::size_t index_of(const Painted& painted, Step::Kind kind, std::size_t nth) {
    for (std::size_t i = 0; i < painted.steps.size(); ++i) {
        if (painted.steps[i].kind == kind && nth-- == 0) {
            return i;
        }
    }
    return painted.steps.size();
}

Rect cell_disc_600(std::int32_t row, std::int32_t col) {
    return {74 * col + 7, 74 * row + 7, 74 * col + 7 + 68, 74 * row + 7 + 68};
}

Rect dot_600(std::int32_t row, std::int32_t col) {
    return {74 * col + 38, 74 * row + 38, 74 * col + 38 + 7, 74 * row + 38 + 7};
}

void expect_panel_font(const Step& step, std::int32_t height, Colour colour) {
    ASSERT_EQ(step.kind, Step::Kind::begin_font);
    const Font& f = step.font;
    EXPECT_EQ(f.height, height);
    EXPECT_EQ(f.width, 0);
    EXPECT_EQ(f.escapement, 0);
    EXPECT_EQ(f.orientation, 0);
    EXPECT_EQ(f.weight, 900);
    EXPECT_EQ(f.italic, 0u);
    EXPECT_EQ(f.underline, 0u);
    EXPECT_EQ(f.strike_out, 0u);
    EXPECT_EQ(f.char_set, 0u);
    EXPECT_EQ(f.out_precision, 4u);
    EXPECT_EQ(f.clip_precision, 0x20u);
    EXPECT_EQ(f.quality, 2u);
    EXPECT_EQ(f.pitch_and_family, 0x22u);
    EXPECT_EQ(step.face_name, "Consolas");
    EXPECT_EQ(step.background_mode, 1);
    EXPECT_EQ(step.text_colour, colour);
}

void expect_text(const Step& step, const std::u16string& text, const Rect& rect) {
    ASSERT_EQ(step.kind, Step::Kind::text);
    EXPECT_EQ(printable(step.text), printable(text));
    EXPECT_EQ(step.rects.at(0), rect);
    EXPECT_EQ(step.length, -1);
    EXPECT_EQ(step.format, 0x110u);
}

void expect_number(const Step& step, std::int32_t value, const Rect& rect) {
    ASSERT_EQ(step.kind, Step::Kind::number);
    EXPECT_EQ(step.value, value);
    EXPECT_EQ(printable(step.text), "%i");
    EXPECT_EQ(step.rects.at(0), rect);
    EXPECT_EQ(step.length, -1);
    EXPECT_EQ(step.format, 0x110u);
}

// The opening position in a client area of 800 x 600 (s = 74), every step in its order.
TEST(PainterLayout, OpeningAt600FollowsTheLayoutTableStepByStep) {
    Game game = opening_game();
    const Painted p = paint(game, 600);
    const std::vector<Step>& s = p.steps;
    using K = Step::Kind;
    // grid, title (3 steps), cursor, dots, 4 discs, 2 panel discs, panel font, 2 counts, status,
    // end of the panel font
    ASSERT_EQ(s.size(), 17u);

    ASSERT_EQ(s[0].kind, K::lines);
    EXPECT_EQ(s[0].pen, (Pen{0, 1, 0x00C0C0C0}));
    ASSERT_EQ(s[0].lines.size(), 18u);
    for (std::int32_t i = 0; i <= 8; ++i) {
        EXPECT_EQ(s[0].lines[i], (Line{{4 + 74 * i, 4}, {4 + 74 * i, 596}})) << "vertical " << i;
        EXPECT_EQ(s[0].lines[9 + i], (Line{{4, 4 + 74 * i}, {596, 4 + 74 * i}}))
            << "horizontal " << i;
    }

    expect_panel_font(s[1], -37, 0x0000FFFF);
    expect_text(s[2], u"QUANDOR", {666, 8, 800, 600});
    EXPECT_EQ(s[3].kind, K::end_font);

    ASSERT_EQ(s[4].kind, K::filled_rectangle);
    EXPECT_EQ(s[4].brush, 0x0000DD00u);
    EXPECT_EQ(s[4].rects.at(0), (Rect{74 * 3 + 8, 74 * 2 + 8, 74 * 3 + 74, 74 * 2 + 74}));

    ASSERT_EQ(s[5].kind, K::filled_ellipses);
    EXPECT_EQ(s[5].brush, 0x00000000u);
    EXPECT_EQ(s[5].rects,
              (std::vector<Rect>{dot_600(2, 3), dot_600(3, 2), dot_600(4, 5), dot_600(5, 4)}));

    // row by row, left to right: (3,3) light, (3,4) dark, (4,3) dark, (4,4) light
    const struct {
        Rect bounds;
        Colour fill;
    } discs[] = {{cell_disc_600(3, 3), 0x00F0F0F0}, {cell_disc_600(3, 4), 0x00141414},
                 {cell_disc_600(4, 3), 0x00141414}, {cell_disc_600(4, 4), 0x00F0F0F0},
                 {{666, 74, 703, 111}, 0x00F0F0F0}, {{666, 148, 703, 185}, 0x00141414}};
    for (std::size_t i = 0; i < std::size(discs); ++i) {
        const Step& disc = s[6 + i];
        ASSERT_EQ(disc.kind, K::outlined_ellipse) << "disc " << i;
        EXPECT_EQ(disc.rects.at(0), discs[i].bounds) << "disc " << i;
        EXPECT_EQ(disc.brush, discs[i].fill) << "disc " << i;
        EXPECT_EQ(disc.pen, (Pen{0, 2, 0x00000000})) << "disc " << i;
    }

    expect_panel_font(s[12], -24, 0x00DDDDDD);
    expect_number(s[13], 2, {740, 74, 800, 600});
    expect_number(s[14], 2, {740, 148, 800, 600});
    expect_text(s[15], u"Level: Novice", {666, 222, 800, 600});
    EXPECT_EQ(s[16].kind, K::end_font);

    EXPECT_TRUE(p.host_calls.empty()) << "a running game with free cells has no result";
}

// A client 100 high gives s = 11: discs of 5, dots of 1, a title of 5 and numbers of 3.
TEST(PainterLayout, SmallClientOf100ScalesEveryElement) {
    Game game = opening_game();
    const Painted p = paint(game, 100, 300);
    const auto of = [&](Step::Kind kind) { return of_kind(p, kind); };
    const std::vector<Step> fonts = of(Step::Kind::begin_font);
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0].font.height, -5);
    EXPECT_EQ(fonts[1].font.height, -3);

    const std::vector<Step> grid = of(Step::Kind::lines);
    ASSERT_EQ(grid.size(), 1u);
    EXPECT_EQ(grid[0].lines[8], (Line{{92, 4}, {92, 92}}));

    const std::vector<Step> discs = of(Step::Kind::outlined_ellipse);
    ASSERT_EQ(discs.size(), 6u);
    // cell (3, 3): (11 - 5) / 2 + 33 + 4 = 40
    EXPECT_EQ(discs[0].rects.at(0), (Rect{40, 40, 45, 45}));
    EXPECT_EQ(discs[4].rects.at(0), (Rect{99, 11, 104, 16})) << "light panel disc, 11 / 2 = 5";
    EXPECT_EQ(discs[5].rects.at(0), (Rect{99, 22, 104, 27}));

    const std::vector<Step> dots = of(Step::Kind::filled_ellipses);
    ASSERT_EQ(dots.size(), 1u);
    // cell (2, 3): 33 + 5 - 0 + 4 = 42 across, 22 + 5 + 4 = 31 down, diameter 11 / 10 = 1
    EXPECT_EQ(dots[0].rects.at(0), (Rect{42, 31, 43, 32}));

    const std::vector<Step> cursor = of(Step::Kind::filled_rectangle);
    ASSERT_EQ(cursor.size(), 1u);
    EXPECT_EQ(cursor[0].rects.at(0), (Rect{41, 30, 44, 33}));

    const std::vector<Step> numbers = of(Step::Kind::number);
    ASSERT_EQ(numbers.size(), 2u);
    EXPECT_EQ(numbers[0].rects.at(0), (Rect{110, 11, 300, 100}));
    EXPECT_EQ(numbers[1].rects.at(0), (Rect{110, 22, 300, 100}));
    const std::vector<Step> texts = of(Step::Kind::text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].rects.at(0), (Rect{99, 8, 300, 100}));
    EXPECT_EQ(texts[1].rects.at(0), (Rect{99, 33, 300, 100}));
}

// Below 16 pixels the cell size is 0 (or -1 at height 0): the picture degenerates, nothing breaks.
TEST(PainterLayout, ClientTooLowForACellStillPaintsEveryStep) {
    for (const std::int32_t height : {0, 7, 15}) {
        Game game = opening_game();
        const Painted p = paint(game, height, 50);
        ASSERT_EQ(p.steps.size(), 17u) << "height " << height;
        const std::int32_t s = height == 0 ? -1 : 0;
        EXPECT_EQ(p.steps[0].lines[8], (Line{{4 + 8 * s, 4}, {4 + 8 * s, 4 + 8 * s}}));
        EXPECT_EQ(p.steps[1].font.height, 0);
        EXPECT_EQ(p.steps[6].rects.at(0).right - p.steps[6].rects.at(0).left, s - 6);
    }
}

TEST(PainterDots, OnlyWhileBlackIsToMoveAndOnlyOnLegalCells) {
    Game game = opening_game();
    game.state.to_move = WHITE;
    Painted p = paint(game, 600);
    EXPECT_TRUE(of_kind(p, Step::Kind::filled_ellipses).empty()) << "no dot brush for WHITE";

    // After BLACK plays (2, 3) it is WHITE's turn; give the turn back to see BLACK's new cells.
    apply_move(game.board, BLACK, 2, 3);
    game.state.to_move = BLACK;
    p = paint(game, 600);
    std::vector<Rect> expected;
    for (std::int32_t row = 0; row < 8; ++row) {
        for (std::int32_t col = 0; col < 8; ++col) {
            if (is_legal_move(game.board, BLACK, row, col)) {
                expected.push_back(dot_600(row, col));
            }
        }
    }
    ASSERT_FALSE(expected.empty());
    const std::vector<Step> dots = of_kind(p, Step::Kind::filled_ellipses);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].rects, expected);
}

TEST(PainterTitle, CheatModeSwapsTheWordAndKeepsTheFont) {
    Game game = opening_game();
    const Painted plain = paint(game, 600);
    game.state.cheat_mode = true;
    const Painted cheat = paint(game, 600);

    expect_text(plain.steps[2], u"QUANDOR", {666, 8, 800, 600});
    expect_text(cheat.steps[2], TXT_BOARD_TITLE_CHEAT, {666, 8, 800, 600});
    EXPECT_NE(cheat.steps[2].text, plain.steps[2].text);
    expect_panel_font(cheat.steps[1], -37, 0x0000FFFF);
}

// The light (computer's) count stands on top, the dark (human's) count below it.
TEST(PainterCounts, LightCountOnTopDarkCountBelow) {
    const struct {
        std::int32_t white;
        std::int32_t black;
    } cases[] = {{30, 34}, {5, 1}, {0, 13}};
    for (const auto& c : cases) {
        Game game = opening_game();
        game.board.fill(EMPTY);
        for (std::int32_t i = 0; i < c.white; ++i) {
            game.board[i] = WHITE;
        }
        for (std::int32_t i = 0; i < c.black; ++i) {
            game.board[63 - i] = BLACK;
        }
        const Painted p = paint(game, 600);
        const std::vector<Step> numbers = of_kind(p, Step::Kind::number);
        ASSERT_EQ(numbers.size(), 2u);
        expect_number(numbers[0], c.white, {740, 74, 800, 600});
        expect_number(numbers[1], c.black, {740, 148, 800, 600});
    }
}

// The cursor square is drawn in every state, after the title and before the dots and discs.
TEST(PainterCursor, DrawnInEveryStateBeforeDotsAndDiscs) {
    const struct {
        const char* state;
        bool running;
        bool cheat;
        std::int32_t to_move;
        std::int32_t row;
        std::int32_t col;
        bool empty_board;
    } cases[] = {
        {"running, BLACK to move", true, false, BLACK, 2, 3, false},
        {"computer's delay", true, false, WHITE, 5, 5, false},
        {"game over", false, false, BLACK, 7, 0, false},
        {"cheat mode", true, true, BLACK, 0, 7, false},
        {"before the first game", false, false, BLACK, 3, 3, true},
    };
    for (const auto& c : cases) {
        Game game = opening_game();
        game.state.running = c.running;
        game.state.cheat_mode = c.cheat;
        game.state.to_move = c.to_move;
        game.state.cursor_row = c.row;
        game.state.cursor_col = c.col;
        if (c.empty_board) {
            game.board.fill(EMPTY);
        }
        const Painted p = paint(game, 600);
        std::size_t cursor = p.steps.size();
        for (std::size_t i = 0; i < p.steps.size(); ++i) {
            if (p.steps[i].kind == Step::Kind::filled_rectangle) {
                ASSERT_EQ(cursor, p.steps.size()) << c.state << ": one cursor only";
                cursor = i;
            }
        }
        ASSERT_LT(cursor, p.steps.size()) << c.state;
        EXPECT_EQ(p.steps[cursor].brush, 0x0000DD00u);
        EXPECT_EQ(p.steps[cursor].rects.at(0),
                  (Rect{74 * c.col + 8, 74 * c.row + 8, 74 * c.col + 74, 74 * c.row + 74}))
            << c.state;
        EXPECT_EQ(p.steps[cursor - 1].kind, Step::Kind::end_font) << c.state << ": after title";
        for (std::size_t i = 0; i < cursor; ++i) {
            EXPECT_NE(p.steps[i].kind, Step::Kind::outlined_ellipse) << c.state;
            EXPECT_NE(p.steps[i].kind, Step::Kind::filled_ellipses) << c.state;
        }
    }
}

// The result check runs once the panel font is selected and before the counts: the status line
// then shows the result, never the "End of game." that the computer's turn left.
TEST(PainterResult, CheckRunsBeforeTheCountsAndTheStatusLine) {
    const std::vector<HostCall> fanfare{tone_call(440, 120), tone_call(554, 120),
                                        tone_call(659, 120), tone_call(880, 120)};
    const struct {
        const char* name;
        bool running;
        bool full_board;
        const char16_t* status_after;
    } cases[] = {
        {"game over", false, false, u"Black wins!\rF2 = New Game"},
        {"full board while running", true, true, u"White wins!\rF2 = New Game"},
    };
    for (const auto& c : cases) {
        Game game = opening_game();
        game.state.running = c.running;
        const char16_t end_of_game[] = u"End of game.";
        std::memcpy(game.state.status_text, end_of_game, sizeof end_of_game);
        if (c.full_board) {
            for (std::int32_t i = 0; i < 64; ++i) {
                game.board[i] = i < 40 ? WHITE : BLACK;
            }
        } else {
            game.board[0] = BLACK; // three dark discs to two light ones
        }
        const Painted p = paint(game, 600);
        EXPECT_EQ(p.host_calls, fanfare) << c.name;

        const std::size_t panel_font = index_of(p, Step::Kind::begin_font, 1);
        ASSERT_LT(panel_font, p.steps.size()) << c.name;
        EXPECT_EQ(p.steps[panel_font].host_calls_before, 0u) << c.name << ": not before the font";
        const std::size_t first_count = panel_font + 1;
        ASSERT_EQ(p.steps.at(first_count).kind, Step::Kind::number) << c.name;
        EXPECT_EQ(p.steps[first_count].host_calls_before, 4u) << c.name;
        const Step& status = p.steps.at(first_count + 2);
        expect_text(status, c.status_after, {666, 222, 800, 600});
        EXPECT_FALSE(game.state.running) << c.name;
    }
}

// The status line is drawn from the PlayState as it stands, carriage returns and all.
TEST(PainterResult, RunningGameStatusLineIsDrawnUnchanged) {
    Game game = opening_game();
    const char16_t must_pass[] = u"Must pass.";
    std::memcpy(game.state.status_text, must_pass, sizeof must_pass);
    const Painted p = paint(game, 600);
    EXPECT_TRUE(p.host_calls.empty());
    expect_text(p.steps.at(15), u"Must pass.", {666, 222, 800, 600});
    EXPECT_TRUE(game.state.running);
}

} // namespace
