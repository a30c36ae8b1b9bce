// The window procedure with real messages on a real window of the program's class: what each
// message does to the game, what it asks of Windows and what it returns.
#include "tests/win/game_window.h"

#include <optional>

#include "engine/search.h"
#include "flow/texts.h"
#include "ui/commands.h"
#include "ui/rules_box.h"
#include "ui/win32/message_box.h"

namespace game_window {
namespace {

using Log = std::vector<std::string>;

const POINT OPENING_LEGAL = cell_centre(74, 2, 3);

std::u16string level_line(int level, bool german) {
    char16_t line[STATUS_TEXT_UNITS];
    level_status_line(level, german, line, STATUS_TEXT_UNITS);
    return line;
}

using WindowProc = GameWindow;

TEST_F(WindowProc, CreationStartsTheFirstGameWithoutAQuestion) {
    const int cy = GetSystemMetrics(SM_CYFULLSCREEN);
    EXPECT_EQ(created_rect_.right - created_rect_.left, cy);
    EXPECT_EQ(created_rect_.bottom - created_rect_.top, 2 * cy / 3);

    Board opening{};
    reset_to_opening(opening);
    const PlayState& state = program_game().state;
    EXPECT_EQ(program_game().board, opening);
    EXPECT_TRUE(state.running);
    EXPECT_EQ(state.to_move, BLACK);
    EXPECT_EQ(state.cursor_row, 2);
    EXPECT_EQ(state.cursor_col, 3);
    EXPECT_EQ(status_text(), level_line(1, false));
    EXPECT_TRUE(record.boxes.empty());
    // WM_CREATE comes before CreateWindowExW returns, so its calls name a window not yet known.
    EXPECT_EQ(creation_log_, (Log{"InvalidateRgn other all erase", "SetTimer other 77 3333"}));
}

TEST_F(WindowProc, HandledMessagesReturnTheirResultsWithoutDefWindowProc) {
    record.answers = {IDNO, IDOK, IDOK}; // the close question, then two rules boxes
    const struct {
        const char* name;
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
        LRESULT result;
    } cases[] = {
        {"paint", WM_PAINT, 0, 0, 0},
        {"close", WM_CLOSE, 0, 0, 0},
        {"cursor client", WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 1},
        {"cursor caption", WM_SETCURSOR, 0, MAKELPARAM(HTCAPTION, WM_MOUSEMOVE), 0},
        {"help", WM_HELP, 0, 0, 0},
        {"key", WM_KEYDOWN, VK_F5, 1, 0},
        {"command rules", WM_COMMAND, CMD_RULES, 0, 0},
        {"command level", WM_COMMAND, CMD_LEVEL_1 + 1, 0, 0},
        {"command unknown", WM_COMMAND, 300, 0, 0},
        {"timer sound", WM_TIMER, TIMER_SOUND, 0, 0},
        {"timer unknown", WM_TIMER, 2, 0, 0},
        {"init menu", WM_INITMENU, 0, 0, 0},
        {"click", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), 0},
        {"click outside", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(800, 10), 0},
        {"destroy", WM_DESTROY, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        record.def_window_proc_messages.clear();
        EXPECT_EQ(send(c.message, c.wparam, c.lparam), c.result);
        for (const UINT seen : record.def_window_proc_messages) {
            EXPECT_NE(seen, c.message) << "handed on to DefWindowProcA";
        }
    }
    WPARAM code = 99;
    EXPECT_TRUE(take_quit(&code)) << "WM_DESTROY posts the quit message";
    EXPECT_EQ(code, 0u);
}

TEST_F(WindowProc, OtherMessagesGoToDefWindowProc) {
    const UINT others[] = {WM_MOUSEMOVE,  WM_RBUTTONDOWN, WM_LBUTTONUP, WM_KEYUP, WM_CHAR,
                           WM_SYSKEYDOWN, WM_ERASEBKGND,  WM_USER + 5,  WM_NULL};
    for (const UINT message : others) {
        SCOPED_TRACE(message);
        record.def_window_proc_messages.clear();
        send(message, 0, 0);
        EXPECT_EQ(record.def_window_proc_messages, std::vector<UINT>{message});
    }
    // ...and their results come back: here the title that DefWindowProcA keeps.
    char title[64] = {};
    EXPECT_EQ(SendMessageA(window_, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title)), 17);
    EXPECT_STREQ(title, "Quandor (Ombrisk)");
}

// The click path at a client height of 600 (s = 74) and after resizes; none of these cells is
// legal in the opening, so a click only moves the cursor and repaints.
TEST_F(WindowProc, ClickMovesTheCursorToTheCellUnderIt) {
    const int row3 = 4 + 3 * 74 + 30;
    const struct {
        int height;
        int x;
        int y;
        std::optional<Move> cell;
    } cases[] = {
        {600, 522, row3, Move{3, 7}},
        {600, 595, row3, Move{3, 7}},
        {600, 596, row3, {}},
        {600, 2, row3, Move{3, 0}}, // the margin acts on the edge cell
        {600, 0, row3, Move{3, 0}},
        {600, 300, 2, Move{0, 4}},
        {600, 300, 596, {}},
        {600, 700, row3, {}}, // the side panel
        {600, 0xFFFF, 0xFFFF, {}},
        {600, 0x8000, row3, {}}, // taken as unsigned, far right
        {400, 4 + 7 * 49, 10, Move{0, 7}},
        {400, 4 + 8 * 49, 10, {}},
        {400, 522, row3, {}}, // a cell at 600, off the board at 400
        {16, 4, 4, Move{0, 0}},
        {15, 4, 4, {}}, // no cells below 16 pixels
        {15, 0, 0, {}},
    };
    int height = 600;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << ": " << c.x << ", " << c.y);
        if (c.height != height) {
            set_client_height(c.height);
            height = c.height;
        }
        program_game().state.cursor_row = 5;
        program_game().state.cursor_col = 5;
        const Snapshot before = snapshot();
        record.log.clear();

        send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y));

        Snapshot expected = before;
        if (c.cell) {
            expected.state.cursor_row = c.cell->row;
            expected.state.cursor_col = c.cell->col;
            EXPECT_EQ(record.log, Log{"InvalidateRect window all erase"});
        } else {
            EXPECT_EQ(record.log, Log{});
        }
        EXPECT_EQ(snapshot(), expected);
    }
}

TEST_F(WindowProc, LegalClickPlaysTonesThenStartsTheTimerThenRepaints) {
    click(OPENING_LEGAL);
    EXPECT_EQ(record.log,
              (Log{"Beep 440 333", "SetTimer window 1 1555", "InvalidateRect window all erase"}));
    const Game& game = program_game();
    EXPECT_EQ(game.board[cell_index(2, 3)], BLACK);
    EXPECT_EQ(game.board[cell_index(3, 3)], BLACK) << "the enclosed disc turns";
    EXPECT_EQ(game.state.to_move, WHITE);
    EXPECT_EQ(game.state.cursor_row, 2);
    EXPECT_EQ(game.state.cursor_col, 3);
}

// The id is the whole wParam; only 1 and 77 do something.
TEST_F(WindowProc, TimersByTheirWholeId) {
    click(OPENING_LEGAL);
    const Snapshot after_click = snapshot();
    const WPARAM nothing[] = {0, 2, 76, 78, 0x10001, 0x1004D, WPARAM(~WPARAM{0})};
    for (const WPARAM id : nothing) {
        SCOPED_TRACE(id);
        record.log.clear();
        EXPECT_EQ(send(WM_TIMER, id), 0);
        EXPECT_EQ(record.log, Log{});
        EXPECT_EQ(snapshot(), after_click);
    }

    record.log.clear();
    send(WM_TIMER, TIMER_SOUND);
    EXPECT_EQ(record.log, Log{"PlaySound silent " + std::to_string(SND_MEMORY | SND_ASYNC)});
    EXPECT_EQ(snapshot(), after_click);

    record.log.clear();
    send(WM_TIMER, TIMER_MOVE);
    EXPECT_EQ(record.log, (Log{"KillTimer window 1", "InvalidateRect window all erase"}));
    // Level 1's reply to (2, 3).
    EXPECT_EQ(program_game().board[cell_index(2, 2)], WHITE);
    EXPECT_EQ(program_game().state.to_move, BLACK);
}

TEST_F(WindowProc, CursorShapeOverTheBoard) {
    const HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    const int row3 = 4 + 3 * 74 + 37;
    const struct {
        const char* name;
        bool white_to_move; // after the human's (2, 3), before the reply
        bool legal_at_3_0;  // a position where BLACK may play (3, 0)
        POINT at;
        bool cross;
    } cases[] = {
        {"legal cell", false, false, OPENING_LEGAL, true},
        {"legal cell's corner", false, false, {4 + 3 * 74, 4 + 2 * 74}, true},
        {"illegal cell", false, false, cell_centre(74, 0, 0), false},
        {"occupied cell", false, false, cell_centre(74, 3, 3), false},
        {"side panel", false, false, {700, 100}, false},
        {"below the grid", false, false, {300, 597}, false},
        {"left of the client", false, false, {-20, 100}, false},
        {"legal edge cell", false, true, {40, row3}, true},
        {"margin beside it", false, true, {2, row3}, false},
        {"legal for WHITE", true, false, cell_centre(74, 2, 2), true},
        {"BLACK's dot, WHITE to move", true, false, cell_centre(74, 3, 2), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        record.answers = {IDYES};
        send(WM_COMMAND, CMD_NEW_GAME);
        if (c.white_to_move) {
            click(OPENING_LEGAL);
        }
        if (c.legal_at_3_0) {
            program_game().board[cell_index(3, 1)] = WHITE;
            program_game().board[cell_index(3, 2)] = BLACK;
        }
        POINT screen = c.at;
        ClientToScreen(window_, &screen);
        record.cursor_screen = screen;
        record.cursor_set = nullptr;

        EXPECT_EQ(send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window_),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                  1);
        EXPECT_EQ(record.cursor_set, c.cross ? cross : arrow);
    }
}

TEST_F(WindowProc, CursorLeftAloneOutsideTheClientArea) {
    const int codes[] = {HTERROR,     HTTRANSPARENT, HTNOWHERE,     HTCAPTION, HTSYSMENU, HTMENU,
                         HTMINBUTTON, HTLEFT,        HTBOTTOMRIGHT, HTBORDER,  HTCLOSE,   HTHELP};
    POINT screen = OPENING_LEGAL;
    ClientToScreen(window_, &screen);
    record.cursor_screen = screen;
    for (const int code : codes) {
        SCOPED_TRACE(code);
        record.log.clear();
        record.def_window_proc_messages.clear();
        EXPECT_EQ(
            send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window_), MAKELPARAM(code, WM_MOUSEMOVE)),
            0);
        EXPECT_EQ(record.log, Log{}) << "no position read and no cursor set";
        EXPECT_EQ(record.def_window_proc_messages, std::vector<UINT>{});
    }
}

TEST_F(WindowProc, KeysByTheKeyMap) {
    const struct {
        const char* name;
        WPARAM key;
        int row; // the cursor after the key, from (2, 3)
        int col;
        bool played;
        bool cheat;
    } cases[] = {
        {"left", VK_LEFT, 2, 2, false, false},
        {"up", VK_UP, 1, 3, false, false},
        {"right", VK_RIGHT, 2, 4, false, false},
        {"down", VK_DOWN, 3, 3, false, false},
        {"enter", VK_RETURN, 2, 3, true, false},
        {"space", VK_SPACE, 2, 3, true, false},
        {"tab", VK_TAB, 2, 3, false, true},
        {"keypad 4 is no arrow", VK_NUMPAD4, 2, 3, false, false},
        {"digit 1 is no level here", '1', 2, 3, false, false},
        {"F5", VK_F5, 2, 3, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        record.answers = {IDYES};
        send(WM_COMMAND, CMD_NEW_GAME);
        record.log.clear();

        EXPECT_EQ(send(WM_KEYDOWN, c.key, 1), 0);

        const PlayState& state = program_game().state;
        EXPECT_EQ(state.cursor_row, c.row);
        EXPECT_EQ(state.cursor_col, c.col);
        EXPECT_EQ(state.to_move, c.played ? WHITE : BLACK);
        EXPECT_EQ(state.cheat_mode, c.cheat);
        EXPECT_EQ(state.level, 1);
        EXPECT_EQ(record.log.back(), "InvalidateRect window all erase") << "every key repaints";
    }
}

TEST_F(WindowProc, InCheatModeAnyKeyMovesTheCursorToTheHint) {
    send(WM_KEYDOWN, VK_TAB, 1);
    for (const WPARAM key : {WPARAM{VK_F5}, WPARAM{VK_SHIFT}}) {
        SCOPED_TRACE(key);
        program_game().state.cursor_row = 7;
        program_game().state.cursor_col = 7;
        send(WM_KEYDOWN, key, 1);
        Board board = program_game().board;
        const Move hint = best_move(board, BLACK, 1);
        EXPECT_EQ(program_game().state.cursor_row, hint.row);
        EXPECT_EQ(program_game().state.cursor_col, hint.col);
    }
}

// The low 16 bits of wParam are the command, whoever sends it.
TEST_F(WindowProc, LevelAndLanguageCommands) {
    for (int level = 1; level <= 6; ++level) {
        SCOPED_TRACE(level);
        for (const WPARAM high : {WPARAM{0}, WPARAM{1} << 16}) {
            program_game().state.level = 1 + level % 6;
            record.log.clear();
            send(WM_COMMAND, high | (CMD_LEVEL_1 + level - 1));
            EXPECT_EQ(program_game().state.level, level);
            EXPECT_EQ(status_text(), level_line(level, false));
            EXPECT_EQ(record.log, Log{"InvalidateRect window all erase"});
        }
    }

    send(WM_COMMAND, CMD_LANGUAGE);
    EXPECT_TRUE(program_game().state.german);
    EXPECT_EQ(status_text(), level_line(6, true));
    char first[32] = {};
    GetMenuStringA(GetMenu(window_), 0, first, sizeof first, MF_BYPOSITION);
    EXPECT_STREQ(first, "&Game") << "the menu bar keeps the language of the start";
    send(WM_COMMAND, CMD_LANGUAGE);
    EXPECT_FALSE(program_game().state.german);
}

TEST_F(WindowProc, UnknownCommandsDoNothing) {
    click(OPENING_LEGAL);
    const Snapshot before = snapshot();
    const WPARAM ids[] = {0, 100, 102, 108, 110, 198, 200, 208, 301, 0xFFFF, 0x10000, 1, 77, 2};
    for (const WPARAM id : ids) {
        SCOPED_TRACE(id);
        record.log.clear();
        EXPECT_EQ(send(WM_COMMAND, id), 0);
        EXPECT_EQ(record.log, Log{});
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(WindowProc, NewGameAsksWhileAGameRuns) {
    click(OPENING_LEGAL);
    const Snapshot playing = snapshot();
    for (const int answer : {IDNO, IDCANCEL}) {
        SCOPED_TRACE(answer);
        record.log.clear();
        record.boxes.clear();
        record.answers = {answer};
        send(WM_COMMAND, CMD_NEW_GAME);
        EXPECT_EQ(record.log, (Log{"MessageBeep 64", "box"}));
        EXPECT_EQ(snapshot(), playing);
    }
    ASSERT_EQ(record.boxes.size(), 1u);
    const Box& box = record.boxes[0];
    EXPECT_EQ(box.text, u"New Game:\rAbort the current game?");
    EXPECT_EQ(box.caption, u"New Game");
    EXPECT_EQ(box.style, BOX_STYLE_QUESTION | MB_SETFOREGROUND);
    EXPECT_EQ(box.owner, window_);
    EXPECT_EQ(box.icon, u"I");

    record.log.clear();
    record.answers = {IDYES};
    send(WM_COMMAND, CMD_NEW_GAME);
    EXPECT_EQ(record.log, (Log{"MessageBeep 64", "box", "InvalidateRgn window all erase"}));
    Board opening{};
    reset_to_opening(opening);
    EXPECT_EQ(program_game().board, opening);
    EXPECT_EQ(program_game().state.to_move, BLACK);
}

// WM_CLOSE and command 109 take the same path; the window itself stays.
TEST_F(WindowProc, ClosePath) {
    const struct {
        const char* name;
        bool running;
        std::optional<int> answer; // none: no question
        bool quits;
    } cases[] = {
        {"running, no", true, IDNO, false},
        {"running, cancel", true, IDCANCEL, false},
        {"running, yes", true, IDYES, true},
        {"no game", false, {}, true},
    };
    for (const auto& c : cases) {
        for (const bool by_command : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (by_command ? ", command" : ", close"));
            program_game().state.running = c.running;
            record.boxes.clear();
            record.log.clear();
            record.answers.clear();
            if (c.answer) {
                record.answers = {*c.answer};
            }
            const Snapshot before = snapshot();

            if (by_command) {
                send(WM_COMMAND, CMD_EXIT);
            } else {
                send(WM_CLOSE);
            }

            WPARAM code = 99;
            EXPECT_EQ(take_quit(&code), c.quits);
            if (c.quits) {
                EXPECT_EQ(code, 0u);
            }
            EXPECT_TRUE(IsWindow(window_));
            EXPECT_EQ(snapshot(), before);
            ASSERT_EQ(record.boxes.size(), c.answer ? 1u : 0u);
            if (c.answer) {
                EXPECT_EQ(record.boxes[0].text, u"Exit Quandor:\rAbort the current game?");
                EXPECT_EQ(record.boxes[0].caption, u"Exit Quandor");
                EXPECT_EQ(record.boxes[0].style, BOX_STYLE_QUESTION | MB_SETFOREGROUND);
            }
            for (const std::string& call : record.log) {
                EXPECT_EQ(call.find("KillTimer"), std::string::npos) << "the reply still comes";
            }
        }
    }
}

TEST_F(WindowProc, CloseQuestionInGerman) {
    program_game().state.german = true;
    send(WM_CLOSE);
    ASSERT_EQ(record.boxes.size(), 1u);
    EXPECT_EQ(record.boxes[0].text, u"Quandor beenden:\rLaufendes Spiel abbrechen?");
    EXPECT_EQ(record.boxes[0].caption, u"Quandor beenden");
}

TEST_F(WindowProc, RulesBoxByCommandAndByHelpButNotOverItself) {
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german ? "german" : "english");
        program_game().state.german = german;
        for (const UINT message : {UINT{WM_COMMAND}, UINT{WM_HELP}}) {
            record.boxes.clear();
            // F1 in the open box reaches the window as WM_HELP.
            record.in_box = [this] { send(WM_HELP); };
            if (message == WM_COMMAND) {
                send(WM_COMMAND, CMD_RULES);
            } else {
                send(WM_HELP);
            }
            ASSERT_EQ(record.boxes.size(), 1u);
            char16_t text[RULES_BOX_UNITS];
            rules_box_text(german, text);
            const Box& box = record.boxes[0];
            EXPECT_EQ(box.text, text);
            EXPECT_EQ(box.caption,
                      german ? u"\u00DCber Quandor (Ombrisk)" : u"AboutQuandor (Ombrisk)");
            EXPECT_EQ(box.style, BOX_STYLE_OK | MB_SETFOREGROUND);
            EXPECT_EQ(box.owner, window_);
            EXPECT_EQ(box.icon, u"I");
            EXPECT_TRUE(box.about_open);
            EXPECT_FALSE(program_game().state.about_open);
        }
    }
}

TEST_F(WindowProc, HelpDuringAQuestionOpensTheRulesOverIt) {
    record.in_box = [this] { send(WM_HELP); };
    record.answers = {IDOK, IDNO}; // the inner box closes first
    send(WM_CLOSE);
    ASSERT_EQ(record.boxes.size(), 2u);
    EXPECT_EQ(record.boxes[0].caption, u"Exit Quandor");
    EXPECT_EQ(record.boxes[1].caption, u"AboutQuandor (Ombrisk)");
    WPARAM code;
    EXPECT_FALSE(take_quit(&code));
}

TEST_F(WindowProc, MenuCheckMarkOnTheLevel) {
    const HMENU bar = GetMenu(window_);
    ASSERT_NE(bar, nullptr);
    for (int level = 1; level <= 6; ++level) {
        SCOPED_TRACE(level);
        for (UINT id = CMD_LEVEL_1; id <= CMD_LEVEL_6; ++id) {
            CheckMenuItem(bar, id, MF_BYCOMMAND | (id % 2 ? MF_CHECKED : MF_UNCHECKED));
        }
        program_game().state.level = level;
        EXPECT_EQ(send(WM_INITMENU, reinterpret_cast<WPARAM>(bar)), 0);
        for (UINT id = CMD_LEVEL_1; id <= CMD_LEVEL_6; ++id) {
            const bool checked = (GetMenuState(bar, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
            EXPECT_EQ(checked, static_cast<int>(id - 200) == level) << id;
        }
    }
}

} // namespace
} // namespace game_window
