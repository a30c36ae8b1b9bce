#include "flow/turn_cycle.h"

#include "engine/search.h"
#include "flow/texts.h"

namespace {

constexpr std::int32_t MOVE_TONE_HZ = 440;
constexpr std::int32_t MOVE_TONE_MS = 333;
constexpr std::int32_t FANFARE_HZ[4] = {440, 554, 659, 880};
constexpr std::int32_t FANFARE_NOTE_MS = 120;

bool on_board(std::int32_t row, std::int32_t col) {
    return row >= 0 && row < 8 && col >= 0 && col < 8;
}

void show_status(PlayState& state, const TextPair16& text) {
    copy_text(state.status_text, STATUS_TEXT_UNITS, pick_text(text, state.german));
}

void show_level_line(PlayState& state) {
    level_status_line(state.level, state.german, state.status_text, STATUS_TEXT_UNITS);
}

// Neither side can move: the result follows at the next repaint.
void end_game(PlayState& state) {
    show_status(state, TXT_END_OF_GAME);
    state.running = false;
}

} // namespace

void new_game(Game& game, GameHost& host) {
    PlayState& state = game.state;
    // While the question waits, timer and paint messages still arrive; after a yes the new
    // game starts from whatever they left.
    if (state.running && !host.confirm(pick_text(TXT_NEW_GAME_QUESTION, state.german),
                                       pick_text(TXT_NEW_GAME_CAPTION, state.german))) {
        return;
    }
    reset_to_opening(game.board);
    state.to_move = BLACK;
    state.cursor_col = 3;
    state.cursor_row = 2;
    show_level_line(state);
    state.running = true;
    state.cheat_mode = false;
    host.request_repaint();
}

void play_at(Game& game, GameHost& host, std::int32_t row, std::int32_t col) {
    PlayState& state = game.state;
    if (!on_board(row, col) || !is_legal_move(game.board, state.to_move, row, col)) {
        return;
    }
    apply_move(game.board, state.to_move, row, col);
    state.to_move = opponent(state.to_move);
    // The tone blocks, so the reply comes the tone's length plus the delay after the click.
    host.play_tone(MOVE_TONE_HZ, MOVE_TONE_MS);
    host.start_move_timer(MOVE_DELAY_MS);
}

void click_cell(Game& game, GameHost& host, std::int32_t row, std::int32_t col) {
    if (!game.state.running || !on_board(row, col)) {
        return;
    }
    play_at(game, host, row, col);
    game.state.cursor_row = row;
    game.state.cursor_col = col;
    host.request_repaint();
}

void press_key(Game& game, GameHost& host, GameKey key) {
    PlayState& state = game.state;
    if (!state.running) {
        return;
    }
    if (state.cheat_mode && state.to_move == BLACK) {
        cheat_hint(game);
    }
    switch (key) {
    case GameKey::KEY_CHEAT:
        state.cheat_mode = !state.cheat_mode;
        break;
    case GameKey::KEY_PLAY:
        play_at(game, host, state.cursor_row, state.cursor_col);
        break;
    case GameKey::KEY_LEFT:
        if (state.cursor_col > 0 && !state.cheat_mode) {
            --state.cursor_col;
        }
        break;
    case GameKey::KEY_UP:
        if (state.cursor_row > 0 && !state.cheat_mode) {
            --state.cursor_row;
        }
        break;
    case GameKey::KEY_RIGHT:
        if (state.cursor_col < 7 && !state.cheat_mode) {
            ++state.cursor_col;
        }
        break;
    case GameKey::KEY_DOWN:
        if (state.cursor_row < 7 && !state.cheat_mode) {
            ++state.cursor_row;
        }
        break;
    case GameKey::KEY_OTHER:
        break;
    }
    host.request_repaint();
}

void cheat_hint(Game& game) {
    PlayState& state = game.state;
    const Move m = best_move(game.board, state.to_move, state.level);
    if (m.row != -1 && m.col != -1) {
        state.cursor_row = m.row;
        state.cursor_col = m.col;
    }
}

void computer_turn(Game& game, GameHost& host) {
    PlayState& state = game.state;
    Board& board = game.board;
    host.stop_move_timer();
    const Move m = best_move(board, state.to_move, state.level);
    if (m.row == -1) {
        state.to_move = opponent(state.to_move);
        if (!has_legal_move(board, state.to_move)) {
            end_game(state);
            host.request_repaint();
            host.info_beep();
            return;
        }
        show_status(state, TXT_MUST_PASS);
        host.info_beep();
    } else {
        apply_move(board, state.to_move, m.row, m.col);
        state.to_move = opponent(state.to_move);
    }
    // After a move made for BLACK (a click during the delay) WHITE may be left without one.
    if (state.to_move == WHITE && !has_legal_move(board, WHITE)) {
        state.to_move = BLACK;
    }
    // The human passes too: the computer moves again after the usual delay. Without this the
    // game would stand still with BLACK to move and nothing to play.
    if (state.to_move == BLACK && !has_legal_move(board, BLACK)) {
        if (has_legal_move(board, WHITE)) {
            show_status(state, TXT_MUST_PASS);
            host.info_beep();
            state.to_move = WHITE;
            host.start_move_timer(MOVE_DELAY_MS);
        } else {
            end_game(state);
            host.info_beep();
        }
    }
    host.request_repaint();
}

void check_result(Game& game, GameHost& host) {
    PlayState& state = game.state;
    const DiscCount count = count_discs(game.board);
    if (count.black + count.white < 64 && state.running) {
        return;
    }
    const TextPair16& result = count.white > count.black   ? TXT_WHITE_WINS
                               : count.black > count.white ? TXT_BLACK_WINS
                                                           : TXT_DRAW;
    show_status(state, result);
    append_text(state.status_text, STATUS_TEXT_UNITS, pick_text(TXT_F2_NEW_GAME, state.german));
    for (const std::int32_t hz : FANFARE_HZ) {
        host.play_tone(hz, FANFARE_NOTE_MS);
    }
    state.running = false;
}

void set_level(Game& game, GameHost& host, std::int32_t n) {
    // Only 1..6 are levels; the level is the search depth, so anything else is refused.
    if (n < 1 || n > 6) {
        return;
    }
    game.state.level = n;
    show_level_line(game.state);
    host.request_repaint();
}

void toggle_language(Game& game, GameHost& host) {
    game.state.german = !game.state.german;
    show_level_line(game.state);
    host.request_repaint();
}
