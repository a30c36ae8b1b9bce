#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/search.h"
#include "flow/texts.h"
#include "flow/turn_cycle.h"
#include "tests/native/recording_host.h"
#include "tests/native/test_positions.h"

namespace {

const std::u16string LEVEL_LINE_EN = u"F1 = Game Rules\rF2 = New Game\rLevel: ";
const std::u16string LEVEL_LINE_DE = u"F1 = Spielregeln\rF2 = Neues Spiel\rStufe: ";

std::u16string status(const Game& game) {
    return game.state.status_text;
}

std::vector<HostCall> fanfare() {
    return {tone_call(440, 120), tone_call(554, 120), tone_call(659, 120), tone_call(880, 120)};
}

// A game in progress on the given board, as if play had led there.
Game game_on(std::string_view rows, std::int32_t to_move, bool running = true) {
    Game game;
    game.board = board_from(rows);
    game.state.to_move = to_move;
    game.state.running = running;
    copy_text(game.state.status_text, STATUS_TEXT_UNITS, u"(earlier status)");
    return game;
}

// A new game at the given level, with the host's log cleared.
Game started(RecordingHost& host, std::int32_t level = 1, bool german = false) {
    Game game;
    game.state.level = level;
    game.state.german = german;
    new_game(game, host);
    host.take();
    return game;
}

Board after_best_move(const Game& game, std::int32_t side, std::int32_t level) {
    Board board = game.board;
    const Move m = best_move(board, side, level);
    if (m != NO_MOVE) {
        apply_move(board, side, m.row, m.col);
    }
    return board;
}

Move hint_for(const Game& game) {
    Board board = game.board;
    return best_move(board, game.state.to_move, game.state.level);
}

testing::AssertionResult same_game(const Game& a, const Game& b) {
    const PlayState& x = a.state;
    const PlayState& y = b.state;
    if (a.board != b.board) {
        return testing::AssertionFailure() << "boards differ";
    }
    if (x.to_move != y.to_move || x.cursor_row != y.cursor_row || x.cursor_col != y.cursor_col ||
        x.running != y.running || x.cheat_mode != y.cheat_mode || x.level != y.level ||
        x.german != y.german || x.about_open != y.about_open) {
        return testing::AssertionFailure() << "play states differ";
    }
    if (status(a) != status(b)) {
        return testing::AssertionFailure() << "status lines differ";
    }
    return testing::AssertionSuccess();
}

// Rows 0 and 7 each hold a WHITE disc in the corner with a BLACK one beside it: WHITE can
// take either BLACK disc, BLACK can never move.
const std::string TWO_CORNERS = "OX......" + std::string(48, '.') + "OX......";

TEST(PlayStateStart, ValuesBeforeTheFirstGame) {
    const Game game;
    EXPECT_EQ(game.state.to_move, BLACK);
    EXPECT_EQ(game.state.cursor_row, 3);
    EXPECT_EQ(game.state.cursor_col, 3);
    EXPECT_FALSE(game.state.running);
    EXPECT_FALSE(game.state.cheat_mode);
    EXPECT_EQ(game.state.level, 1);
    EXPECT_FALSE(game.state.german);
    EXPECT_FALSE(game.state.about_open);
    EXPECT_EQ(status(game), u"");
    EXPECT_EQ(count_discs(game.board).black + count_discs(game.board).white, 0);
}

TEST(NewGame, FirstGameAsksNothingAndSetsUpTheOpening) {
    RecordingHost host;
    Game game;
    new_game(game, host);
    EXPECT_EQ(host.calls, std::vector<HostCall>{repaint_call()});
    EXPECT_EQ(game.board, opening());
    EXPECT_EQ(game.state.to_move, BLACK);
    EXPECT_EQ(game.state.cursor_row, 2);
    EXPECT_EQ(game.state.cursor_col, 3);
    EXPECT_TRUE(game.state.running);
    EXPECT_FALSE(game.state.cheat_mode);
    EXPECT_EQ(status(game), LEVEL_LINE_EN + u"Novice");
}

TEST(NewGame, KeepsLevelLanguageAndRulesBoxButNotCheatMode) {
    RecordingHost host;
    Game game = game_on("X" + std::string(63, '.'), WHITE, false);
    game.state.level = 4;
    game.state.german = true;
    game.state.about_open = true;
    game.state.cheat_mode = true;
    new_game(game, host);
    EXPECT_EQ(game.state.level, 4);
    EXPECT_TRUE(game.state.german);
    EXPECT_TRUE(game.state.about_open);
    EXPECT_FALSE(game.state.cheat_mode);
    EXPECT_EQ(game.state.to_move, BLACK);
    EXPECT_EQ(game.board, opening());
    EXPECT_EQ(status(game), LEVEL_LINE_DE + u"Schwierig");
}

TEST(NewGame, AnsweredNoLeavesBoardStateAndTimerAlone) {
    struct Case {
        bool german;
        std::u16string question;
        std::u16string caption;
    };
    const Case cases[] = {
        {false, u"New Game:\rAbort the current game?", u"New Game"},
        {true, u"Neues Spiel:\rLaufendes Spiel abbrechen?", u"Neues Spiel"},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        Game game = started(host, 2, c.german);
        click_cell(game, host, 2, 3); // the computer's reply is pending
        game.state.cheat_mode = true;
        host.take();
        const Game before = game;
        host.answers = {false};
        new_game(game, host);
        EXPECT_EQ(host.calls, std::vector<HostCall>{confirm_call(c.question, c.caption, false)});
        EXPECT_TRUE(same_game(game, before));
        EXPECT_TRUE(host.timer_pending);
    }
}

TEST(NewGame, AnsweredYesKeepsThePendingReplyWhichThenMovesForBlack) {
    RecordingHost host;
    Game game = started(host, 2);
    click_cell(game, host, 2, 3);
    host.take();
    host.answers = {true};
    new_game(game, host);
    EXPECT_EQ(host.take(),
              (std::vector<HostCall>{
                  confirm_call(u"New Game:\rAbort the current game?", u"New Game", true),
                  repaint_call()}));
    EXPECT_TRUE(host.timer_pending);
    EXPECT_EQ(game.board, opening());
    EXPECT_EQ(game.state.to_move, BLACK);

    const Board expected = after_best_move(game, BLACK, 2);
    computer_turn(game, host);
    EXPECT_EQ(game.board, expected);
    EXPECT_EQ(game.state.to_move, WHITE);
    EXPECT_EQ(host.calls, (std::vector<HostCall>{timer_stop_call(), repaint_call()}));
}

// The question's message loop can run the computer's turn; a yes then starts afresh anyway.
TEST(NewGame, StartsFromWhateverTheQuestionLeft) {
    RecordingHost host;
    Game game = game_on("X" + std::string(63, '.'), WHITE);
    host.while_confirming = [&] { computer_turn(game, host); };
    host.answers = {true};
    new_game(game, host);
    EXPECT_EQ(host.calls.size(), 5u);
    EXPECT_EQ(host.calls.back(), repaint_call());
    EXPECT_TRUE(game.state.running);
    EXPECT_EQ(game.state.to_move, BLACK);
    EXPECT_EQ(game.board, opening());
    EXPECT_EQ(status(game), LEVEL_LINE_EN + u"Novice");
}

TEST(Click, IllegalCellMovesTheCursorAndRepaintsOnly) {
    const Move cells[] = {{3, 3}, {3, 4}, {0, 0}, {2, 2}, {7, 7}, {5, 5}};
    for (const Move cell : cells) {
        RecordingHost host;
        Game game = started(host);
        click_cell(game, host, cell.row, cell.col);
        EXPECT_EQ(host.calls, std::vector<HostCall>{repaint_call()}) << cell.row << cell.col;
        EXPECT_EQ(game.board, opening());
        EXPECT_EQ(game.state.to_move, BLACK);
        EXPECT_EQ(game.state.cursor_row, cell.row);
        EXPECT_EQ(game.state.cursor_col, cell.col);
    }
}

TEST(Click, LegalCellPlaysThenSoundsThenStartsTheTimerThenRepaints) {
    RecordingHost host;
    Game game = started(host);
    const std::u16string level = status(game);
    click_cell(game, host, 4, 5);
    EXPECT_EQ(host.calls,
              (std::vector<HostCall>{tone_call(440, 333), timer_start_call(1555), repaint_call()}));
    Board expected = opening();
    apply_move(expected, BLACK, 4, 5);
    EXPECT_EQ(game.board, expected);
    EXPECT_EQ(game.state.to_move, WHITE);
    EXPECT_EQ(game.state.cursor_row, 4);
    EXPECT_EQ(game.state.cursor_col, 5);
    EXPECT_EQ(status(game), level);
}

TEST(Click, CellsOffTheBoardAreIgnored) {
    const Move cells[] = {{-1, 0}, {0, -1}, {8, 3}, {3, 8}, {-100, 100}};
    for (const Move cell : cells) {
        RecordingHost host;
        Game game = started(host);
        const Game before = game;
        click_cell(game, host, cell.row, cell.col);
        play_at(game, host, cell.row, cell.col);
        EXPECT_TRUE(host.calls.empty()) << cell.row << "," << cell.col;
        EXPECT_TRUE(same_game(game, before));
    }
}

TEST(Click, CheatModeDoesNotChangeIt) {
    RecordingHost host;
    Game game = started(host);
    game.state.cheat_mode = true;
    click_cell(game, host, 7, 0);
    EXPECT_EQ(game.state.cursor_row, 7);
    EXPECT_EQ(game.state.cursor_col, 0);
    EXPECT_EQ(host.calls, std::vector<HostCall>{repaint_call()});
}

// During the computer's delay WHITE is to move, and the human's input plays for WHITE.
TEST(Delay, AMoveForWhiteHandsTheReplyToTheComputerForBlack) {
    for (const bool by_key : {false, true}) {
        RecordingHost host;
        Game game = started(host, 2);
        click_cell(game, host, 2, 3);
        host.take();
        const Move white = legal_moves(game.board, WHITE).front();
        Board expected = game.board;
        apply_move(expected, WHITE, white.row, white.col);
        if (by_key) {
            game.state.cursor_row = white.row;
            game.state.cursor_col = white.col;
            press_key(game, host, GameKey::KEY_PLAY);
        } else {
            click_cell(game, host, white.row, white.col);
        }
        EXPECT_EQ(game.board, expected);
        EXPECT_EQ(game.state.to_move, BLACK);
        EXPECT_EQ(host.take(), (std::vector<HostCall>{tone_call(440, 333), timer_start_call(1555),
                                                      repaint_call()}));

        const Board reply = after_best_move(game, BLACK, 2);
        computer_turn(game, host);
        EXPECT_EQ(game.board, reply);
        EXPECT_EQ(game.state.to_move, WHITE);
        EXPECT_EQ(host.calls, (std::vector<HostCall>{timer_stop_call(), repaint_call()}));
        EXPECT_FALSE(host.timer_pending);
    }
}

TEST(Delay, NoCheatHintWhileWhiteIsToMove) {
    RecordingHost host;
    Game game = started(host);
    click_cell(game, host, 2, 3);
    game.state.cheat_mode = true;
    game.state.cursor_row = 7;
    game.state.cursor_col = 7;
    press_key(game, host, GameKey::KEY_OTHER);
    EXPECT_EQ(game.state.cursor_row, 7);
    EXPECT_EQ(game.state.cursor_col, 7);
}

TEST(NoGame, ClicksAndKeysDoNothingAtAll) {
    const GameKey keys[] = {GameKey::KEY_CHEAT, GameKey::KEY_PLAY,  GameKey::KEY_LEFT,
                            GameKey::KEY_UP,    GameKey::KEY_RIGHT, GameKey::KEY_DOWN,
                            GameKey::KEY_OTHER};
    // Before the first game, and after a game that ended with moves still on the board.
    const Game idle[] = {Game{}, game_on("X" + std::string(62, '.') + "O", BLACK, false),
                         game_on(std::string(27, '.') + "OX" + std::string(35, '.'), BLACK, false)};
    for (const Game& start : idle) {
        for (const bool cheat : {false, true}) {
            Game game = start;
            game.state.cheat_mode = cheat;
            const Game before = game;
            RecordingHost host;
            for (const GameKey key : keys) {
                press_key(game, host, key);
            }
            click_cell(game, host, 3, 2);
            click_cell(game, host, 0, 0);
            EXPECT_TRUE(host.calls.empty());
            EXPECT_TRUE(same_game(game, before));
        }
    }
}

TEST(Keys, ArrowsMoveTheCursorOneCellAndStopAtTheEdge) {
    struct Case {
        std::int32_t row, col;
        GameKey key;
        std::int32_t want_row, want_col;
    };
    const Case cases[] = {
        {2, 3, GameKey::KEY_LEFT, 2, 2},  {2, 3, GameKey::KEY_RIGHT, 2, 4},
        {2, 3, GameKey::KEY_UP, 1, 3},    {2, 3, GameKey::KEY_DOWN, 3, 3},
        {4, 0, GameKey::KEY_LEFT, 4, 0},  {0, 4, GameKey::KEY_UP, 0, 4},
        {4, 7, GameKey::KEY_RIGHT, 4, 7}, {7, 4, GameKey::KEY_DOWN, 7, 4},
        {0, 0, GameKey::KEY_RIGHT, 0, 1}, {7, 7, GameKey::KEY_UP, 6, 7},
        {0, 7, GameKey::KEY_DOWN, 1, 7},  {7, 0, GameKey::KEY_LEFT, 7, 0},
        {5, 5, GameKey::KEY_OTHER, 5, 5}, {1, 1, GameKey::KEY_PLAY, 1, 1},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        Game game = started(host);
        game.state.cursor_row = c.row;
        game.state.cursor_col = c.col;
        press_key(game, host, c.key);
        EXPECT_EQ(game.state.cursor_row, c.want_row) << c.row << "," << c.col;
        EXPECT_EQ(game.state.cursor_col, c.want_col) << c.row << "," << c.col;
        EXPECT_EQ(host.calls, std::vector<HostCall>{repaint_call()});
        EXPECT_EQ(game.board, opening());
    }
}

TEST(Keys, PlayMovesAtTheCursorAndLeavesTheCursorThere) {
    RecordingHost host;
    Game game = started(host); // cursor (2, 3), a legal cell for BLACK
    press_key(game, host, GameKey::KEY_PLAY);
    Board expected = opening();
    apply_move(expected, BLACK, 2, 3);
    EXPECT_EQ(game.board, expected);
    EXPECT_EQ(game.state.to_move, WHITE);
    EXPECT_EQ(game.state.cursor_row, 2);
    EXPECT_EQ(game.state.cursor_col, 3);
    EXPECT_EQ(host.calls,
              (std::vector<HostCall>{tone_call(440, 333), timer_start_call(1555), repaint_call()}));
}

// A BLACK position from a seeded game where the hint depends on the level.
Game game_where_levels_disagree(std::int32_t low, std::int32_t high) {
    for (const SidedPosition& p : random_game_positions(7, 4)) {
        if (p.side != BLACK || !has_legal_move(p.board, BLACK)) {
            continue;
        }
        Board board = p.board;
        if (best_move(board, BLACK, low) != best_move(board, BLACK, high)) {
            Game game;
            game.board = p.board;
            game.state.running = true;
            game.state.level = high;
            return game;
        }
    }
    ADD_FAILURE() << "no position where the levels disagree";
    return Game{};
}

TEST(Cheat, SwitchingOnLeavesTheCursorThenEveryKeyMovesItToTheHint) {
    RecordingHost host;
    Game game = game_where_levels_disagree(1, 3);
    game.state.cursor_row = 0;
    game.state.cursor_col = 0;
    const Board before = game.board;
    press_key(game, host, GameKey::KEY_CHEAT);
    EXPECT_TRUE(game.state.cheat_mode);
    EXPECT_EQ(game.state.cursor_row, 0);
    EXPECT_EQ(game.state.cursor_col, 0);

    const Move hint = hint_for(game); // at level 3, the game's level
    for (const GameKey key : {GameKey::KEY_OTHER, GameKey::KEY_LEFT, GameKey::KEY_UP,
                              GameKey::KEY_RIGHT, GameKey::KEY_DOWN}) {
        press_key(game, host, key);
        EXPECT_EQ(game.state.cursor_row, hint.row);
        EXPECT_EQ(game.state.cursor_col, hint.col);
    }
    EXPECT_EQ(game.board, before);
    EXPECT_EQ(host.calls, std::vector<HostCall>(6, repaint_call()));
}

TEST(Cheat, PlayKeyPlaysTheHintWhereverTheCursorWas) {
    RecordingHost host;
    Game game = started(host, 3);
    game.state.cheat_mode = true;
    game.state.cursor_row = 7;
    game.state.cursor_col = 7;
    const Board expected = after_best_move(game, BLACK, 3);
    press_key(game, host, GameKey::KEY_PLAY);
    EXPECT_EQ(game.board, expected);
    EXPECT_EQ(game.state.to_move, WHITE);
    EXPECT_EQ(host.calls,
              (std::vector<HostCall>{tone_call(440, 333), timer_start_call(1555), repaint_call()}));
}

TEST(Cheat, SwitchingOffRunsTheHintOnceMore) {
    RecordingHost host;
    Game game = game_where_levels_disagree(1, 2);
    game.state.cheat_mode = true;
    game.state.cursor_row = 7;
    game.state.cursor_col = 7;
    const Move hint = hint_for(game);
    press_key(game, host, GameKey::KEY_CHEAT);
    EXPECT_FALSE(game.state.cheat_mode);
    EXPECT_EQ(game.state.cursor_row, hint.row);
    EXPECT_EQ(game.state.cursor_col, hint.col);
    press_key(game, host, GameKey::KEY_LEFT); // arrows work again
    EXPECT_EQ(game.state.cursor_col, hint.col > 0 ? hint.col - 1 : 0);
}

TEST(Cheat, WithoutAMoveForBlackTheCursorStays) {
    RecordingHost host;
    Game game = game_on(TWO_CORNERS, BLACK);
    game.state.cheat_mode = true;
    game.state.cursor_row = 5;
    game.state.cursor_col = 6;
    press_key(game, host, GameKey::KEY_OTHER);
    cheat_hint(game);
    EXPECT_EQ(game.state.cursor_row, 5);
    EXPECT_EQ(game.state.cursor_col, 6);
    EXPECT_EQ(host.calls, std::vector<HostCall>{repaint_call()});
}

TEST(ComputerTurn, PlaysTheBestMoveAtTheLevelCurrentWhenTheTimerFires) {
    RecordingHost host;
    Game game = started(host, 1);
    click_cell(game, host, 2, 3);
    set_level(game, host, 4);
    host.take();
    const Board expected = after_best_move(game, WHITE, 4);
    computer_turn(game, host);
    EXPECT_EQ(game.board, expected);
    EXPECT_EQ(game.state.to_move, BLACK);
    EXPECT_EQ(host.calls, (std::vector<HostCall>{timer_stop_call(), repaint_call()}));
    EXPECT_EQ(status(game), LEVEL_LINE_EN + u"Difficult"); // a move leaves the status alone
}

TEST(ComputerTurn, ComputerWithoutAMovePasses) {
    for (const bool german : {false, true}) {
        RecordingHost host;
        Game game = game_on("XO" + std::string(62, '.'), WHITE);
        game.state.german = german;
        const Board before = game.board;
        computer_turn(game, host);
        EXPECT_EQ(game.state.to_move, BLACK);
        EXPECT_TRUE(game.state.running);
        EXPECT_EQ(status(game), german ? u"Muss passen." : u"Must pass.");
        EXPECT_EQ(game.board, before);
        EXPECT_EQ(host.calls,
                  (std::vector<HostCall>{timer_stop_call(), beep_call(), repaint_call()}));
    }
}

TEST(ComputerTurn, NeitherSideCanMoveEndsTheGameAndTheRepaintShowsTheResult) {
    for (const bool german : {false, true}) {
        RecordingHost host;
        Game game = game_on("X" + std::string(63, '.'), WHITE);
        game.state.german = german;
        computer_turn(game, host);
        EXPECT_FALSE(game.state.running);
        EXPECT_EQ(status(game), german ? u"Spielende." : u"End of game.");
        EXPECT_EQ(host.take(),
                  (std::vector<HostCall>{timer_stop_call(), repaint_call(), beep_call()}));
        check_result(game, host);
        EXPECT_EQ(status(game),
                  german ? u"Schwarz gewinnt!\rF2 = Neues Spiel" : u"Black wins!\rF2 = New Game");
        EXPECT_EQ(host.calls, fanfare());
    }
}

// The human passes as the computer does: "Must pass." and the computer moves again after the
// delay; when neither side can move any more the game ends.
TEST(ComputerTurn, HumanWithoutAMovePassesAndTheComputerMovesAgain) {
    for (const bool german : {false, true}) {
        RecordingHost host;
        Game game = game_on(TWO_CORNERS, WHITE);
        game.state.german = german;
        computer_turn(game, host);
        EXPECT_EQ(host.take(), (std::vector<HostCall>{timer_stop_call(), beep_call(),
                                                      timer_start_call(1555), repaint_call()}));
        EXPECT_EQ(game.state.to_move, WHITE);
        EXPECT_TRUE(game.state.running);
        EXPECT_EQ(status(game), german ? u"Muss passen." : u"Must pass.");
        EXPECT_EQ(count_discs(game.board).white, 4);
        EXPECT_EQ(count_discs(game.board).black, 1);
        ASSERT_TRUE(host.timer_pending);

        computer_turn(game, host);
        EXPECT_EQ(host.take(),
                  (std::vector<HostCall>{timer_stop_call(), beep_call(), repaint_call()}));
        EXPECT_FALSE(game.state.running);
        EXPECT_FALSE(host.timer_pending);
        EXPECT_EQ(status(game), german ? u"Spielende." : u"End of game.");
        EXPECT_EQ(count_discs(game.board).white, 6);
        EXPECT_EQ(count_discs(game.board).black, 0);
    }
}

// A click during the delay made BLACK's move for the computer; if WHITE then cannot move,
// BLACK moves again without a timer.
TEST(ComputerTurn, AfterMovingForBlackWhiteWithoutAMoveHandsTheTurnBack) {
    RecordingHost host;
    Game game = game_on("XO......" + std::string(48, '.') + "XO......", BLACK);
    computer_turn(game, host);
    EXPECT_EQ(game.state.to_move, BLACK);
    EXPECT_TRUE(game.state.running);
    EXPECT_EQ(status(game), u"(earlier status)");
    EXPECT_EQ(host.calls, (std::vector<HostCall>{timer_stop_call(), repaint_call()}));
    EXPECT_FALSE(host.timer_pending);
}

TEST(ComputerTurn, AfterMovingForBlackWithNoMoveLeftForEitherSideTheGameEnds) {
    RecordingHost host;
    Game game = game_on("XO" + std::string(62, '.'), BLACK);
    computer_turn(game, host);
    EXPECT_FALSE(game.state.running);
    EXPECT_EQ(status(game), u"End of game.");
    EXPECT_EQ(host.calls, (std::vector<HostCall>{timer_stop_call(), beep_call(), repaint_call()}));
}

TEST(ComputerTurn, AHumanMoveThatFillsTheBoardEndsTheGameTwice) {
    RecordingHost host;
    Game game = game_on(".OXXXXXX" + std::string(56, 'X'), BLACK);
    click_cell(game, host, 0, 0);
    EXPECT_EQ(host.take(),
              (std::vector<HostCall>{tone_call(440, 333), timer_start_call(1555), repaint_call()}));
    check_result(game, host); // the repaint
    EXPECT_EQ(host.take(), fanfare());
    EXPECT_FALSE(game.state.running);
    EXPECT_EQ(status(game), u"Black wins!\rF2 = New Game");

    ASSERT_TRUE(host.timer_pending);
    computer_turn(game, host);
    EXPECT_EQ(host.take(), (std::vector<HostCall>{timer_stop_call(), repaint_call(), beep_call()}));
    EXPECT_EQ(status(game), u"End of game.");
    check_result(game, host);
    EXPECT_EQ(host.take(), fanfare());
    EXPECT_EQ(status(game), u"Black wins!\rF2 = New Game");
}

// count black BLACK discs first, then count white WHITE discs, the rest empty.
std::string board_with(int black, int white) {
    return std::string(black, 'X') + std::string(white, 'O') + std::string(64 - black - white, '.');
}

TEST(CheckResult, NamesTheWinnerOrADrawInTheLanguageOfTheMoment) {
    struct Case {
        int black, white;
        bool running;
        bool german;
        std::u16string expected;
    };
    const Case cases[] = {
        {33, 31, true, false, u"Black wins!\rF2 = New Game"},
        {32, 32, true, false, u"Draw!\rF2 = New Game"},
        {32, 32, true, true, u"Unentschieden!\rF2 = Neues Spiel"},
        {31, 33, true, false, u"White wins!\rF2 = New Game"},
        {20, 44, false, true, u"Wei\u00DF gewinnt!\rF2 = Neues Spiel"},
        {64, 0, true, true, u"Schwarz gewinnt!\rF2 = Neues Spiel"},
        {1, 0, false, false, u"Black wins!\rF2 = New Game"},
        {3, 3, false, true, u"Unentschieden!\rF2 = Neues Spiel"},
        {10, 11, false, false, u"White wins!\rF2 = New Game"},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        Game game = game_on(board_with(c.black, c.white), BLACK, c.running);
        game.state.german = c.german;
        const Board before = game.board;
        check_result(game, host);
        EXPECT_EQ(status(game), c.expected) << c.black << ":" << c.white;
        EXPECT_EQ(host.calls, fanfare());
        EXPECT_FALSE(game.state.running);
        EXPECT_EQ(game.board, before);
    }
}

TEST(CheckResult, AGameInProgressWithRoomLeftIsLeftAlone) {
    for (const std::string& rows : {board_with(2, 2), board_with(40, 23), board_with(0, 63)}) {
        RecordingHost host;
        Game game = game_on(rows, WHITE);
        check_result(game, host);
        EXPECT_TRUE(host.calls.empty());
        EXPECT_TRUE(game.state.running);
        EXPECT_EQ(status(game), u"(earlier status)");
    }
}

TEST(CheckResult, EveryRepaintAfterTheEndRepeatsResultAndFanfare) {
    RecordingHost host;
    Game game = game_on(board_with(5, 9), WHITE, false);
    for (int repaint = 0; repaint < 3; ++repaint) {
        copy_text(game.state.status_text, STATUS_TEXT_UNITS, u"overwritten");
        check_result(game, host);
        EXPECT_EQ(host.take(), fanfare());
        EXPECT_EQ(status(game), u"White wins!\rF2 = New Game");
    }
}

TEST(LevelAndLanguage, ReplaceAnyStatusLineWithTheLevelLine) {
    RecordingHost host;
    Game game = game_on("XO" + std::string(62, '.'), WHITE);
    computer_turn(game, host); // "Must pass."
    host.take();
    const Board board = game.board;

    set_level(game, host, 5);
    EXPECT_EQ(game.state.level, 5);
    EXPECT_EQ(status(game), LEVEL_LINE_EN + u"Advanced");
    EXPECT_EQ(host.take(), std::vector<HostCall>{repaint_call()});

    toggle_language(game, host);
    EXPECT_TRUE(game.state.german);
    EXPECT_EQ(status(game), LEVEL_LINE_DE + u"Raffiniert");
    EXPECT_EQ(host.take(), std::vector<HostCall>{repaint_call()});

    toggle_language(game, host);
    EXPECT_FALSE(game.state.german);
    EXPECT_EQ(status(game), LEVEL_LINE_EN + u"Advanced");

    EXPECT_TRUE(game.state.running); // the game goes on
    EXPECT_EQ(game.board, board);
    EXPECT_EQ(game.state.to_move, BLACK);
}

TEST(LevelAndLanguage, AfterTheEndTheNextRepaintBringsTheResultBack) {
    RecordingHost host;
    Game game = game_on(board_with(30, 34), BLACK, false);
    set_level(game, host, 6);
    EXPECT_EQ(status(game), LEVEL_LINE_EN + u"Professionel");
    toggle_language(game, host);
    EXPECT_EQ(status(game), LEVEL_LINE_DE + u"Professionell");
    host.take();
    check_result(game, host);
    EXPECT_EQ(status(game), u"Wei\u00DF gewinnt!\rF2 = Neues Spiel");
    EXPECT_EQ(host.calls, fanfare());
}

// The level is the search depth; a level outside 1..6 would hang or misplay the computer.
TEST(LevelAndLanguage, LevelsOutside1To6AreRefused) {
    for (const std::int32_t n : {0, 7, -1, 100, INT32_MIN, INT32_MAX}) {
        RecordingHost host;
        Game game = started(host, 3);
        const Game before = game;
        set_level(game, host, n);
        EXPECT_TRUE(host.calls.empty()) << n;
        EXPECT_TRUE(same_game(game, before)) << n;
    }
}

// Whole games, driven like the window: the human clicks its first legal cell, the timer is
// fired by calling computer_turn, and every requested repaint runs check_result.
struct WholeGame {
    std::int32_t level;
    bool german;
};

void PrintTo(const WholeGame& game, std::ostream* os) {
    *os << "level " << game.level << (game.german ? ", German" : ", English");
}

class WholeGames : public testing::TestWithParam<WholeGame> {};

std::size_t repaints(const std::vector<HostCall>& calls) {
    std::size_t n = 0;
    for (const HostCall& c : calls) {
        n += c == repaint_call() ? 1 : 0;
    }
    return n;
}

TEST_P(WholeGames, PlayToTheEndAndShowTheResultOnEveryRepaint) {
    const WholeGame param = GetParam();
    RecordingHost host;
    Game game;
    game.state.level = param.level;
    game.state.german = param.german;
    new_game(game, host);
    int moves = 0;
    int fanfares = 0;
    for (int step = 0;; ++step) {
        ASSERT_LT(step, 400) << "the game does not end";
        for (std::size_t r = repaints(host.take()); r > 0; --r) {
            const bool shows_result =
                !game.state.running ||
                count_discs(game.board).black + count_discs(game.board).white == 64;
            check_result(game, host);
            EXPECT_EQ(host.take(), shows_result ? fanfare() : std::vector<HostCall>{});
            fanfares += shows_result ? 1 : 0;
        }
        if (!game.state.running && !host.timer_pending) {
            break;
        }
        if (host.timer_pending) {
            const std::int32_t side = game.state.to_move;
            Board board = game.board;
            const Move m = best_move(board, side, param.level);
            computer_turn(game, host);
            if (m != NO_MOVE) {
                apply_move(board, side, m.row, m.col);
                ++moves;
            }
            EXPECT_EQ(game.board, board) << "the computer's move at step " << step;
        } else if (game.state.running) {
            ASSERT_EQ(game.state.to_move, BLACK);
            const std::vector<Move> options = legal_moves(game.board, BLACK);
            ASSERT_FALSE(options.empty()) << "BLACK to move without a move at step " << step;
            click_cell(game, host, options.front().row, options.front().col);
            ++moves;
        }
    }
    EXPECT_GE(fanfares, 1);

    const DiscCount count = count_discs(game.board);
    EXPECT_EQ(count.black + count.white, 4 + moves);
    EXPECT_FALSE(has_legal_move(game.board, BLACK));
    EXPECT_FALSE(has_legal_move(game.board, WHITE));
    const TextPair16& winner = count.white > count.black   ? TXT_WHITE_WINS
                               : count.black > count.white ? TXT_BLACK_WINS
                                                           : TXT_DRAW;
    for (const bool german : {param.german, !param.german}) {
        game.state.german = german;
        for (int repaint = 0; repaint < 2; ++repaint) {
            check_result(game, host);
            EXPECT_EQ(host.take(), fanfare());
            EXPECT_EQ(status(game), std::u16string(pick_text(winner, german)) +
                                        pick_text(TXT_F2_NEW_GAME, german));
        }
    }
    EXPECT_EQ(count_discs(game.board).black, count.black);
}

INSTANTIATE_TEST_SUITE_P(Levels, WholeGames,
                         testing::Values(WholeGame{1, false}, WholeGame{2, true},
                                         WholeGame{3, false}, WholeGame{4, true},
                                         WholeGame{5, false}, WholeGame{6, true}),
                         [](const testing::TestParamInfo<WholeGame>& info) {
                             return "Level" + std::to_string(info.param.level) +
                                    (info.param.german ? "German" : "English");
                         });

} // namespace
