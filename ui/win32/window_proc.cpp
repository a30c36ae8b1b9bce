#include "ui/win32/window_proc.h"

#include "flow/texts.h"
#include "flow/turn_cycle.h"
#include "ui/board_geometry.h"
#include "ui/commands.h"
#include "ui/key_map.h"
#include "ui/rules_box.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/message_box.h"
#include "ui/win32/sound.h"
#include "ui/win32/window_host.h"

namespace {

Game game;

std::int32_t client_height(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client.bottom - client.top;
}

// A new game's one repaint goes through the host made for it; timer and paint messages that
// arrive while its question waits get hosts of their own.
void start_new_game(HWND window) {
    WindowHost host(window, RepaintBy::REGION);
    new_game(game, host);
}

LRESULT on_create(HWND window) {
    start_new_game(window);
    SetTimer(window, TIMER_SOUND, TIMER_SOUND_PERIOD_MS, nullptr);
    return 0;
}

LRESULT on_paint(HWND window) {
    WindowHost host(window);
    paint_window(window, game, host);
    return 0;
}

// Asks first while a game runs; the window is not destroyed, the message loop ends on the
// quit message.
void close_path(HWND window) {
    if (game.state.running) {
        WindowHost host(window);
        if (!host.confirm(pick_text(TXT_EXIT_QUESTION, game.state.german),
                          pick_text(TXT_EXIT_CAPTION, game.state.german))) {
            return;
        }
    }
    PostQuitMessage(0);
}

LRESULT on_set_cursor(HWND window, LPARAM lparam) {
    if (LOWORD(lparam) != HTCLIENT) {
        // Leaves the shape alone, also over the caption, menu bar and frame.
        return 0;
    }
    POINT mouse{};
    GetCursorPos(&mouse);
    ScreenToClient(window, &mouse);
    const bool cross = is_on_board(client_height(window), mouse.x, mouse.y) &&
                       is_legal_cell(window, mouse.x, mouse.y);
    SetCursor(LoadCursorA(nullptr, cross ? IDC_CROSS : IDC_ARROW));
    return 1;
}

LRESULT on_key_down(HWND window, WPARAM wparam) {
    WindowHost host(window);
    press_key(game, host, game_key_for(wparam));
    return 0;
}

LRESULT on_command(HWND window, WPARAM wparam) {
    const std::uint16_t command = LOWORD(wparam);
    WindowHost host(window);
    if (command == CMD_NEW_GAME) {
        start_new_game(window);
    } else if (command == CMD_EXIT) {
        SendMessageA(window, WM_CLOSE, 0, 0);
    } else if (command == CMD_RULES) {
        show_rules_box(window);
    } else if (command >= CMD_LEVEL_1 && command <= CMD_LEVEL_6) {
        set_level(game, host, command - CMD_LEVEL_1 + 1);
    } else if (command == CMD_LANGUAGE) {
        toggle_language(game, host);
    }
    return 0;
}

LRESULT on_timer(HWND window, WPARAM wparam) {
    if (wparam == TIMER_MOVE) {
        WindowHost host(window);
        computer_turn(game, host);
    } else if (wparam == TIMER_SOUND) {
        play_silent_sound();
    }
    return 0;
}

LRESULT on_init_menu(WPARAM wparam) {
    const HMENU bar = reinterpret_cast<HMENU>(wparam);
    for (UINT id = CMD_LEVEL_1; id <= CMD_LEVEL_6; ++id) {
        const bool current = game.state.level == static_cast<std::int32_t>(id - CMD_LEVEL_1 + 1);
        CheckMenuItem(bar, id, MF_BYCOMMAND | (current ? MF_CHECKED : MF_UNCHECKED));
    }
    return 0;
}

LRESULT on_left_button(HWND window, LPARAM lparam) {
    const std::int32_t x = LOWORD(lparam);
    const std::int32_t y = HIWORD(lparam);
    if (const std::optional<Move> cell = cell_at(client_height(window), x, y)) {
        WindowHost host(window);
        click_cell(game, host, cell->row, cell->col);
    }
    return 0;
}

} // namespace

Game& program_game() {
    return game;
}

bool is_legal_cell(HWND window, std::int32_t x, std::int32_t y) {
    const std::optional<Move> cell = cell_at(client_height(window), x, y);
    return cell && is_legal_move(game.board, game.state.to_move, cell->row, cell->col);
}

void show_rules_box(HWND window) {
    game.state.about_open = true;
    char16_t text[RULES_BOX_UNITS];
    rules_box_text(game.state.german, text);
    show_message_box(window, text, pick_text(TXT_ABOUT_CAPTION, game.state.german), BOX_STYLE_OK,
                     BOX_ICON_GAME);
    game.state.about_open = false;
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        return on_create(window);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        return on_paint(window);
    case WM_CLOSE:
        close_path(window);
        return 0;
    case WM_SETCURSOR:
        return on_set_cursor(window, lparam);
    case WM_HELP:
        if (!game.state.about_open) {
            SendMessageA(window, WM_COMMAND, CMD_RULES, 0);
        }
        return 0;
    case WM_KEYDOWN:
        return on_key_down(window, wparam);
    case WM_COMMAND:
        return on_command(window, wparam);
    case WM_TIMER:
        return on_timer(window, wparam);
    case WM_INITMENU:
        return on_init_menu(wparam);
    case WM_LBUTTONDOWN:
        return on_left_button(window, lparam);
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}
