// The built game started as its own process and driven only from outside, as a user or another
// program would: messages posted and sent to its window, its pixels read from the screen, its
// message boxes read and answered, and its exit code.
//
// Screen cases read pixels, with their window on top at the screen's corner. Dialogue cases
// read boxes and type keys. German cases run with a German user language.
#include "tests/win/e2e/game_process.h"

#include <iterator>
#include <random>
#include <set>

#include "engine/search.h"
#include "ui/rules_box.h"

namespace e2e {
namespace {

constexpr int S = 74; // the cell size at a client height of 600

Board opening_board() {
    Board board{};
    reset_to_opening(board);
    return board;
}

std::wstring wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

std::wstring rules_box(bool german) {
    char16_t text[RULES_BOX_UNITS];
    rules_box_text(german, text);
    return wide(text);
}

const std::vector<int> YES_NO_CANCEL = {IDCANCEL, IDYES, IDNO};

// The board after move for side, in the test's own account of the game.
Board played(Board board, std::int32_t side, Move move) {
    EXPECT_TRUE(is_legal_move(board, side, move.row, move.col));
    apply_move(board, side, move.row, move.col);
    return board;
}

bool shows(const Picture& picture, const Board& board, bool dots, Move cursor) {
    return shown_cells(picture) == expected_cells(board, dots) && picture.cursor() == cursor;
}

// The picture's board against the expected one, readable when they differ.
void expect_board(const Picture& picture, const Board& board, bool dots, Move cursor) {
    EXPECT_EQ(cells_text(shown_cells(picture)), cells_text(expected_cells(board, dots)));
    EXPECT_EQ(picture.cursor(), cursor)
        << "cursor at " << picture.cursor().row << ", " << picture.cursor().col;
}

// The side panel's parts at cell size s: the two discs, the title and the texts.
void expect_panel(const Picture& p) {
    const int s = p.cell_size();
    const int w = p.width();
    EXPECT_EQ(p.at(9 * s + s / 4, s + s / 4), LIGHT_FILL) << "light panel disc";
    EXPECT_EQ(p.at(9 * s + s / 4, 2 * s + s / 4), DARK_FILL) << "dark panel disc";
    EXPECT_GT(p.count(TITLE_TEXT, 9 * s, 8, w, s), 0) << "title";
    EXPECT_GT(p.count(PANEL_TEXT, 10 * s, s, w, s + s / 2), 0) << "light count";
    EXPECT_GT(p.count(PANEL_TEXT, 10 * s, 2 * s, w, 2 * s + s / 2), 0) << "dark count";
    EXPECT_GT(p.count(PANEL_TEXT, 9 * s, 3 * s, w, p.height()), 0) << "status line";
    EXPECT_EQ(p.count(TITLE_TEXT, 0, 0, 8 * s + 5, p.height()), 0) << "title colour on the board";
}

void expect_opening(const Picture& p) {
    const int s = p.cell_size();
    expect_board(p, opening_board(), true, {2, 3});
    const int end = 4 + 8 * s;
    for (const int i : {0, 3, 8}) {
        EXPECT_EQ(p.at(4 + i * s, 4 + s / 2), GRID) << "vertical line " << i;
        EXPECT_EQ(p.at(4 + s / 2, 4 + i * s), GRID) << "horizontal line " << i;
    }
    EXPECT_EQ(p.at(end + 1, s), BACKGROUND) << "right of the grid";
    EXPECT_EQ(p.at(s, end + 1), BACKGROUND) << "below the grid";
    EXPECT_EQ(p.at(2, 2), BACKGROUND) << "the margin";
    expect_panel(p);
}

bool is_opening(const Picture& p) {
    return shows(p, opening_board(), true, {2, 3});
}

// A running game, placed for pixels at a client height of 600, showing the opening.
class Screen : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(game_.start());
        ASSERT_NO_FATAL_FAILURE(game_.place(600));
        opening_ = game_.settled_picture(is_opening);
        ASSERT_TRUE(is_opening(opening_)) << cells_text(shown_cells(opening_));
    }

    void close_with_yes() {
        game_.post(WM_CLOSE);
        const std::optional<SeenBox> box = game_.wait_for_box();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, L"Exit Quandor");
        GameProcess::answer(*box, IDYES);
        EXPECT_EQ(game_.exit_code(), std::optional<DWORD>(0));
    }

    GameProcess game_;
    Picture opening_;
};

TEST(ScreenStart, WindowSizeThenOpeningPicture) {
    GameProcess game;
    ASSERT_NO_FATAL_FAILURE(game.start());
    RECT outer{};
    GetWindowRect(game.window(), &outer);
    const int cy = GetSystemMetrics(SM_CYFULLSCREEN);
    EXPECT_EQ(outer.right - outer.left, cy);
    EXPECT_EQ(outer.bottom - outer.top, 2 * cy / 3);
    wchar_t title[64] = {};
    GetWindowTextW(game.window(), title, 64);
    EXPECT_STREQ(title, L"Quandor (Ombrisk)");

    ASSERT_NO_FATAL_FAILURE(game.place(600));
    const Picture p = game.settled_picture(is_opening);
    ASSERT_EQ(p.height(), 600);
    expect_opening(p);
}

// The replies to the human's (2, 3) come from the table of the computer's first replies.
TEST(ScreenStart, ComputerRepliesAfterItsDelayAtTheLevelChosen) {
    const struct {
        const char* name;
        WPARAM key;   // a level key of the main keyboard, or
        WORD command; // a level command, or neither for the first level
        Move reply;
    } cases[] = {
        {"level 1 from the start", 0, 0, {2, 2}},
        {"level 3 by the key 3", '3', 0, {4, 2}},
        {"level 6 by command 206", 0, 206, {2, 2}},
        {"keypad 3 chooses no level", VK_NUMPAD3, 0, {2, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GameProcess game;
        ASSERT_NO_FATAL_FAILURE(game.start());
        ASSERT_NO_FATAL_FAILURE(game.place(600));
        const Picture opening = game.settled_picture(is_opening);
        ASSERT_TRUE(is_opening(opening));
        if (c.key != 0) {
            game.key(c.key);
        }
        if (c.command != 0) {
            game.command(c.command);
        }
        game.settle();
        const bool new_level = c.key == '3' || c.command != 0;
        const Picture chosen = game.picture();
        EXPECT_EQ(!chosen.same_area(opening, 9 * S, 3 * S, chosen.width(), 600), new_level)
            << "the status line names the level";

        const Board human = played(opening_board(), BLACK, {2, 3});
        const Board reply = played(human, WHITE, c.reply);
        const auto clicked = std::chrono::steady_clock::now();
        game.click_cell(S, 2, 3);
        Picture p = game.wait_for_picture([&](const Picture& q) {
            return shows(q, human, false, {2, 3});
        });
        expect_board(p, human, false, {2, 3});
        p = game.wait_for_picture([&](const Picture& q) { return shows(q, reply, true, {2, 3}); });
        const auto replied = std::chrono::steady_clock::now();
        expect_board(p, reply, true, {2, 3});
        EXPECT_GE(replied - clicked, std::chrono::milliseconds(1450)) << "the computer's delay";
        ASSERT_NO_FATAL_FAILURE(game.post(WM_CLOSE));
        const std::optional<SeenBox> box = game.wait_for_box();
        ASSERT_TRUE(box);
        GameProcess::answer(*box, IDYES);
        EXPECT_EQ(game.exit_code(), std::optional<DWORD>(0));
    }
}

TEST_F(Screen, IllegalClickOnlyMovesTheCursor) {
    game_.click_cell(S, 0, 0);
    Picture p = game_.wait_for_picture([](const Picture& q) { return q.cursor() == Move{0, 0}; });
    expect_board(p, opening_board(), true, {0, 0});
    // A click beside the board changes nothing, and no reply comes.
    game_.click(700, 300);
    game_.click(300, 600);
    Sleep(2200);
    game_.settle();
    p = game_.picture();
    expect_board(p, opening_board(), true, {0, 0});
    EXPECT_TRUE(p.same_area(opening_, 9 * S, 0, p.width(), 600)) << "the side panel changed";
}

TEST_F(Screen, KeysMoveTheCursorPlayAndGiveHintsInCheatMode) {
    const struct {
        WPARAM key;
        Move cursor;
    } steps[] = {{VK_LEFT, {2, 2}}, {VK_UP, {1, 2}}, {VK_RIGHT, {1, 3}}, {VK_DOWN, {2, 3}}};
    for (const auto& step : steps) {
        game_.key(step.key);
        const Picture p =
            game_.wait_for_picture([&](const Picture& q) { return q.cursor() == step.cursor; });
        expect_board(p, opening_board(), true, step.cursor);
    }
    game_.key(VK_RETURN);
    const Board human = played(opening_board(), BLACK, {2, 3});
    Picture p = game_.wait_for_picture([&](const Picture& q) {
        return shows(q, human, false, {2, 3});
    });
    expect_board(p, human, false, {2, 3});
    const Board reply = played(human, WHITE, {2, 2});
    p = game_.wait_for_picture([&](const Picture& q) { return shows(q, reply, true, {2, 3}); });
    expect_board(p, reply, true, {2, 3});

    // Cheat mode changes the title; from the next key on, every key puts the cursor on the
    // computer's choice for the human.
    const Picture before_cheat = game_.settled_picture([&](const Picture& q) {
        return shows(q, reply, true, {2, 3});
    });
    game_.key(VK_TAB);
    game_.settle();
    p = game_.picture();
    EXPECT_FALSE(p.same_area(before_cheat, 9 * S, 0, p.width(), S)) << "title unchanged";
    EXPECT_GT(p.count(TITLE_TEXT, 9 * S, 0, p.width(), S), 0);
    Board thinking = reply;
    const Move hint = best_move(thinking, BLACK, 1);
    ASSERT_NE(hint, NO_MOVE);
    game_.key(VK_F5);
    p = game_.wait_for_picture([&](const Picture& q) { return q.cursor() == hint; });
    expect_board(p, reply, true, hint);
    game_.key(VK_SPACE);
    const Board hinted = played(reply, BLACK, hint);
    p = game_.wait_for_picture([&](const Picture& q) { return shows(q, hinted, false, hint); });
    expect_board(p, hinted, false, hint);
    close_with_yes();
}

TEST_F(Screen, ResizeChangesTheCellSize) {
    ASSERT_NO_FATAL_FAILURE(game_.place(400)); // s = 49
    Picture p =
        game_.settled_picture([](const Picture& q) { return q.height() == 400 && is_opening(q); });
    ASSERT_EQ(p.cell_size(), 49);
    expect_opening(p);
    EXPECT_EQ(p.at(320, 320), BACKGROUND) << "in the light disc (4, 4) before, now in (6, 6)";
    EXPECT_EQ(opening_.at(320, 320), LIGHT_FILL);

    // Clicks follow the new size.
    game_.click_cell(49, 2, 3);
    const Board human = played(opening_board(), BLACK, {2, 3});
    p = game_.wait_for_picture([&](const Picture& q) { return shows(q, human, false, {2, 3}); });
    expect_board(p, human, false, {2, 3});

    ASSERT_NO_FATAL_FAILURE(game_.place(600));
    const Board reply = played(human, WHITE, {2, 2});
    p = game_.settled_picture([&](const Picture& q) {
        return q.height() == 600 && shows(q, reply, true, {2, 3});
    });
    expect_board(p, reply, true, {2, 3});
    expect_panel(p);
}

TEST_F(Screen, NewGameQuestionNoThenYes) {
    game_.click_cell(S, 2, 3);
    const Board reply = played(played(opening_board(), BLACK, {2, 3}), WHITE, {2, 2});
    const Picture played = game_.wait_for_picture([&](const Picture& q) {
        return shows(q, reply, true, {2, 3});
    });
    ASSERT_TRUE(shows(played, reply, true, {2, 3}));

    // The command and its accelerator F2 ask the same question.
    const struct {
        const char* name;
        bool by_key;
        int answer;
    } refusals[] = {{"command, No", false, IDNO}, {"F2, Cancel", true, IDCANCEL}};
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.name);
        if (r.by_key) {
            game_.key(VK_F2);
        } else {
            game_.command(101);
        }
        const std::optional<SeenBox> box = game_.wait_for_box();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, L"New Game");
        EXPECT_EQ(box->text, L"New Game:\rAbort the current game?");
        EXPECT_EQ(box->buttons, YES_NO_CANCEL);
        EXPECT_EQ(box->default_button, IDNO);
        GameProcess::answer(*box, r.answer);
        game_.settle();
        expect_board(game_.picture(), reply, true, {2, 3});
    }

    game_.command(101);
    const std::optional<SeenBox> box = game_.wait_for_box();
    ASSERT_TRUE(box);
    GameProcess::answer(*box, IDYES);
    expect_opening(game_.settled_picture(is_opening));
}

TEST_F(Screen, CloseCancelledWhileTheComputerThinksThenYes) {
    game_.click_cell(S, 2, 3);
    game_.post(WM_CLOSE);
    std::optional<SeenBox> box = game_.wait_for_box();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, L"Exit Quandor");
    EXPECT_EQ(box->text, L"Exit Quandor:\rAbort the current game?");
    EXPECT_EQ(box->buttons, YES_NO_CANCEL);
    EXPECT_EQ(box->default_button, IDNO);
    Sleep(2500); // the reply is due while the question waits
    GameProcess::answer(*box, IDCANCEL);

    const Board reply = played(played(opening_board(), BLACK, {2, 3}), WHITE, {2, 2});
    const Picture p = game_.wait_for_picture([&](const Picture& q) {
        return shows(q, reply, true, {2, 3});
    });
    expect_board(p, reply, true, {2, 3});
    EXPECT_TRUE(game_.running());

    game_.command(109); // Exit asks the same
    box = game_.wait_for_box();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, L"Exit Quandor");
    GameProcess::answer(*box, IDNO);
    game_.settle();
    EXPECT_TRUE(game_.running());
    close_with_yes();
}

// Both sides are played by clicks: during the computer's delay a click moves for it, and each
// click starts the delay again, so the computer only steps in to pass.
TEST_F(Screen, WholeGameThenCloseWithoutAQuestion) {
    Board board = opening_board();
    std::int32_t side = BLACK;
    Move last = {2, 3};
    for (int plies = 0; plies < 200; ++plies) {
        if (!has_legal_move(board, side)) {
            side = opponent(side);
            if (!has_legal_move(board, side)) {
                break;
            }
            // The computer's turn finds no move for the side and passes.
            game_.settle();
            Sleep(2200);
            game_.settle();
        }
        Move move = NO_MOVE;
        for (int i = 0; i < 64 && move == NO_MOVE; ++i) {
            if (is_legal_move(board, side, i / 8, i % 8)) {
                move = {i / 8, i % 8};
            }
        }
        apply_move(board, side, move.row, move.col);
        game_.click_cell(S, move.row, move.col);
        last = move;
        side = opponent(side);
    }
    const Picture p =
        game_.wait_for_picture([&](const Picture& q) { return shows(q, board, true, last); });
    expect_board(p, board, true, last);
    Sleep(2200); // the last delay runs out and the computer finds the game over
    game_.settle();

    game_.post(WM_CLOSE);
    bool asked = false;
    std::optional<DWORD> code;
    wait_until([&] {
        asked = asked || !game_.boxes().empty();
        code = game_.exit_code(0);
        return code.has_value() || asked;
    });
    EXPECT_FALSE(asked) << "a question although no game runs";
    EXPECT_EQ(game_.exit_code(), std::optional<DWORD>(0));
}

// Everything but the commands that open a box or close the window, from outside and at random.
TEST_F(Screen, StormOfRandomMessagesThenStillAnswersAndPaints) {
    std::mt19937 random(20260611);
    auto pick = [&](std::uint32_t n) {
        return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random);
    };
    // F1 and F2 open boxes; levels above 3 only make the storm slow; without the modifier keys
    // N and X never become Ctrl+N or Alt+X.
    const std::set<WPARAM> keys_left_out = {VK_F1,       VK_F2,      '4',     '5',
                                            '6',         VK_CONTROL, VK_MENU, VK_LCONTROL,
                                            VK_RCONTROL, VK_LMENU,   VK_RMENU};
    const std::set<WPARAM> commands_left_out = {101, 109, 199, 204, 205, 206};
    const WPARAM known_commands[] = {201, 202, 203, 207, 100, 102, 198, 200, 208};
    const HWND window = game_.window();
    for (int i = 0; i < 10000; ++i) {
        switch (pick(5)) {
        case 0: { // clicks on and beside the board, and anywhere in the 16-bit range
            const LPARAM at =
                pick(2) != 0 ? MAKELPARAM(pick(700), pick(700)) : static_cast<LPARAM>(random());
            game_.post(WM_LBUTTONDOWN, MK_LBUTTON, at);
            break;
        }
        case 1: {
            WPARAM key = 1 + pick(254);
            while (keys_left_out.count(key) != 0) {
                key = 1 + pick(254);
            }
            game_.key(key);
            break;
        }
        case 2: {
            WPARAM id =
                pick(2) != 0 ? known_commands[pick(std::size(known_commands))] : pick(0x10000);
            if (commands_left_out.count(id) != 0) {
                id = 300;
            }
            game_.command(static_cast<WORD>(id));
            break;
        }
        case 3: {
            const WPARAM ids[] = {1,
                                  77,
                                  2,
                                  0,
                                  static_cast<WPARAM>(random()),
                                  static_cast<WPARAM>(random()) << 16 | 1};
            game_.post(WM_TIMER, ids[pick(std::size(ids))]);
            break;
        }
        default: {
            const int hit = static_cast<int>(pick(28)) - 2; // HTERROR .. beyond HTHELP
            const UINT mouse = pick(2) != 0 ? WM_MOUSEMOVE : WM_LBUTTONDOWN;
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                                MAKELPARAM(hit, mouse), SMTO_NORMAL, 10000, &result);
            EXPECT_EQ(result, hit == HTCLIENT ? 1u : 0u) << "hit-test code " << hit;
            break;
        }
        }
        if (i % 100 == 99) {
            DWORD_PTR result = 0;
            ASSERT_NE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result), 0)
                << "no answer after " << i + 1 << " messages";
        }
    }
    ASSERT_NO_FATAL_FAILURE(game_.settle());
    ASSERT_TRUE(game_.running());
    EXPECT_TRUE(game_.boxes().empty());
    Sleep(2000); // a computer move that the storm started comes now
    game_.settle();

    game_.command(101);
    if (const std::optional<SeenBox> box = game_.wait_for_box(1500)) {
        GameProcess::answer(*box, IDYES);
    }
    const Picture p = game_.settled_picture(is_opening);
    EXPECT_EQ(p.height(), 600);
    expect_opening(p);
    game_.click_cell(S, 2, 3);
    const Board human = played(opening_board(), BLACK, {2, 3});
    expect_board(game_.wait_for_picture([&](const Picture& q) {
        return shows(q, human, false, {2, 3});
    }),
                 human, false, {2, 3});
}

class Dialogue : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(game_.start()); }
    GameProcess game_;
};

TEST_F(Dialogue, RulesBoxByCommandAndByF1ButNeverTwice) {
    const struct {
        const char* name;
        bool by_f1;
    } openings[] = {{"command 199", false}, {"F1", true}};
    for (const auto& o : openings) {
        SCOPED_TRACE(o.name);
        if (o.by_f1) {
            game_.type(VK_F1, game_.window());
        } else {
            game_.command(199);
        }
        const std::optional<SeenBox> box = game_.wait_for_box();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, L"AboutQuandor (Ombrisk)");
        EXPECT_EQ(box->text, rules_box(false));
        EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
        EXPECT_EQ(box->default_button, IDOK);
        // F1 in the open box reaches the main window as WM_HELP.
        game_.help();
        game_.type(VK_F1, box->box);
        game_.settle();
        EXPECT_EQ(game_.boxes().size(), 1u) << "a second rules box";
        GameProcess::answer(*box, IDOK);
        game_.settle();
        EXPECT_TRUE(game_.boxes().empty());
    }
    game_.post(WM_CLOSE);
    const std::optional<SeenBox> box = game_.wait_for_box();
    ASSERT_TRUE(box);
    GameProcess::answer(*box, IDYES);
    EXPECT_EQ(game_.exit_code(), std::optional<DWORD>(0));
}

class German : public Dialogue {
  protected:
    void SetUp() override {
        ASSERT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_GERMAN)
            << "German cases need a German user language (LC_ALL=de_DE.UTF-8 for Wine)";
        Dialogue::SetUp();
    }

    SeenBox ask(UINT message, WPARAM wparam, const wchar_t* caption, const std::wstring& text,
                const std::vector<int>& buttons, int default_button) {
        game_.post(message, wparam);
        const std::optional<SeenBox> box = game_.wait_for_box();
        EXPECT_TRUE(box);
        if (!box) {
            return {};
        }
        EXPECT_EQ(box->caption, caption);
        EXPECT_EQ(box->text, text);
        EXPECT_EQ(box->buttons, buttons);
        EXPECT_EQ(box->default_button, default_button);
        return *box;
    }
};

TEST_F(German, QuestionsAndRulesInTheUsersLanguageUntilCommand207) {
    SeenBox box = ask(WM_COMMAND, 101, L"Neues Spiel", L"Neues Spiel:\rLaufendes Spiel abbrechen?",
                      YES_NO_CANCEL, IDNO);
    ASSERT_NO_FATAL_FAILURE(GameProcess::answer(box, IDCANCEL));
    box = ask(WM_COMMAND, 199, L"\u00DCber Quandor (Ombrisk)", rules_box(true), {IDOK}, IDOK);
    ASSERT_NO_FATAL_FAILURE(GameProcess::answer(box, IDOK));
    box = ask(WM_CLOSE, 0, L"Quandor beenden", L"Quandor beenden:\rLaufendes Spiel abbrechen?",
              YES_NO_CANCEL, IDNO);
    ASSERT_NO_FATAL_FAILURE(GameProcess::answer(box, IDNO));

    game_.command(207);
    box = ask(WM_COMMAND, 101, L"New Game", L"New Game:\rAbort the current game?", YES_NO_CANCEL,
              IDNO);
    ASSERT_NO_FATAL_FAILURE(GameProcess::answer(box, IDNO));
    box = ask(WM_CLOSE, 0, L"Exit Quandor", L"Exit Quandor:\rAbort the current game?",
              YES_NO_CANCEL, IDNO);
    ASSERT_NO_FATAL_FAILURE(GameProcess::answer(box, IDYES));
    EXPECT_EQ(game_.exit_code(), std::optional<DWORD>(0));
}

} // namespace
} // namespace e2e
