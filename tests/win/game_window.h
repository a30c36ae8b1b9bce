// A real main window of the program's class in this process, with the Windows calls the game
// makes to the outside world recorded: message boxes are answered from a list, tones return at
// once, and timers, repaints and cursor changes are logged in the order they happen.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "flow/play_state.h"
#include "tests/win/import_hook.h"
#include "ui/silent_wav.h"
#include "ui/win32/main_window.h"
#include "ui/win32/window_proc.h"

namespace game_window {

// A message box as the game asked for it.
struct Box {
    std::u16string text;
    std::u16string caption;
    UINT style;
    HWND owner;
    std::u16string icon;
    bool about_open; // the flag while the box was open
};

struct Record {
    std::vector<std::string> log;
    std::vector<Box> boxes;
    std::deque<int> answers;      // IDCANCEL once they run out
    std::function<void()> in_box; // run once, inside the next box
    std::vector<UINT> def_window_proc_messages;
    POINT cursor_screen{};
    HCURSOR cursor_set = nullptr;
    HWND window = nullptr;
};

inline Record record;

inline std::string window_name(HWND window) {
    return window == record.window ? "window" : "other";
}

inline int WINAPI fake_message_box(const MSGBOXPARAMSW* p) {
    const auto* text = reinterpret_cast<const char16_t*>(p->lpszText);
    const auto* caption = reinterpret_cast<const char16_t*>(p->lpszCaption);
    const auto* icon = reinterpret_cast<const char16_t*>(p->lpszIcon);
    record.boxes.push_back({text, caption, static_cast<UINT>(p->dwStyle), p->hwndOwner,
                            icon != nullptr ? icon : u"", program_game().state.about_open});
    record.log.push_back("box");
    if (record.in_box) {
        const std::function<void()> action = std::move(record.in_box);
        record.in_box = nullptr;
        action();
    }
    if (record.answers.empty()) {
        return IDCANCEL;
    }
    const int answer = record.answers.front();
    record.answers.pop_front();
    return answer;
}

inline BOOL WINAPI fake_message_beep(UINT type) {
    record.log.push_back("MessageBeep " + std::to_string(type));
    return TRUE;
}

inline BOOL WINAPI fake_beep(DWORD hz, DWORD ms) {
    record.log.push_back("Beep " + std::to_string(hz) + " " + std::to_string(ms));
    return TRUE;
}

inline decltype(&SetTimer) real_set_timer = nullptr;
inline decltype(&KillTimer) real_kill_timer = nullptr;
inline decltype(&DefWindowProcA) real_def_window_proc = nullptr;

inline UINT_PTR WINAPI fake_set_timer(HWND window, UINT_PTR id, UINT ms, TIMERPROC callback) {
    record.log.push_back("SetTimer " + window_name(window) + " " + std::to_string(id) + " " +
                         std::to_string(ms) + (callback != nullptr ? " callback" : ""));
    return real_set_timer(window, id, ms, callback);
}

inline BOOL WINAPI fake_kill_timer(HWND window, UINT_PTR id) {
    record.log.push_back("KillTimer " + window_name(window) + " " + std::to_string(id));
    return real_kill_timer(window, id);
}

inline BOOL WINAPI fake_invalidate_rect(HWND window, const RECT* rect, BOOL erase) {
    record.log.push_back("InvalidateRect " + window_name(window) + (rect ? " rect" : " all") +
                         (erase ? " erase" : ""));
    return TRUE;
}

inline BOOL WINAPI fake_invalidate_rgn(HWND window, HRGN region, BOOL erase) {
    record.log.push_back("InvalidateRgn " + window_name(window) + (region ? " region" : " all") +
                         (erase ? " erase" : ""));
    return TRUE;
}

inline BOOL WINAPI fake_get_cursor_pos(POINT* point) {
    record.log.push_back("GetCursorPos");
    *point = record.cursor_screen;
    return TRUE;
}

inline HCURSOR WINAPI fake_set_cursor(HCURSOR cursor) {
    record.log.push_back("SetCursor");
    record.cursor_set = cursor;
    return nullptr;
}

inline LRESULT WINAPI fake_def_window_proc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
    record.def_window_proc_messages.push_back(message);
    return real_def_window_proc(window, message, wparam, lparam);
}

inline BOOL WINAPI fake_play_sound(LPCWSTR sound, HMODULE module, DWORD flags) {
    const bool silent = reinterpret_cast<const void*>(sound) == SILENT_WAV && module == nullptr;
    record.log.push_back(std::string("PlaySound ") + (silent ? "silent" : "other") + " " +
                         std::to_string(flags));
    return TRUE;
}

// Everything of the game that a message can change.
struct Snapshot {
    Board board;
    PlayState state;
    std::u16string status;

    bool operator==(const Snapshot& other) const {
        const PlayState& a = state;
        const PlayState& b = other.state;
        return board == other.board && a.to_move == b.to_move && a.cursor_row == b.cursor_row &&
               a.cursor_col == b.cursor_col && a.running == b.running &&
               a.cheat_mode == b.cheat_mode && a.level == b.level && a.german == b.german &&
               a.about_open == b.about_open && status == other.status;
    }
};

inline void PrintTo(const Snapshot& s, std::ostream* out) {
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            *out << ".XO"[s.board[cell_index(row, col)] % 3];
        }
        *out << '/';
    }
    const PlayState& p = s.state;
    *out << " to_move " << p.to_move << " cursor " << p.cursor_row << "," << p.cursor_col
         << " running " << p.running << " cheat " << p.cheat_mode << " level " << p.level
         << " german " << p.german << " about " << p.about_open << " status ";
    for (const char16_t unit : s.status) {
        *out << (unit == u'\r' ? '|' : unit < 128 ? static_cast<char>(unit) : '?');
    }
}

inline Snapshot snapshot() {
    const Game& game = program_game();
    return {game.board, game.state, game.state.status_text};
}

inline std::u16string status_text() {
    return program_game().state.status_text;
}

// The client position of the centre of a cell at the current client height.
inline POINT cell_centre(int s, int row, int col) {
    return {4 + col * s + s / 2, 4 + row * s + s / 2};
}

class GameWindow : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(box_.installed() && message_beep_.installed() && beep_.installed() &&
                    set_timer_.installed() && kill_timer_.installed() &&
                    invalidate_rect_.installed() && invalidate_rgn_.installed() &&
                    get_cursor_pos_.installed() && set_cursor_.installed() &&
                    def_window_proc_.installed() && play_sound_.installed());
        real_set_timer = set_timer_.original();
        real_kill_timer = kill_timer_.original();
        real_def_window_proc = def_window_proc_.original();
        static const bool registered = register_window_class(GetModuleHandleW(nullptr));
        ASSERT_TRUE(registered);

        program_game() = Game{};
        record = Record{};
        record.window = reinterpret_cast<HWND>(~std::uintptr_t{0}); // none yet
        window_ = create_main_window(GetModuleHandleW(nullptr));
        ASSERT_NE(window_, nullptr);
        record.window = window_;
        GetWindowRect(window_, &created_rect_);
        creation_log_ = record.log;
        set_client_height(600);
        record.log.clear();
        record.def_window_proc_messages.clear();
    }

    void TearDown() override {
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    LRESULT send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
        return SendMessageW(window_, message, wparam, lparam);
    }

    void set_client_height(int height) {
        RECT outer{};
        RECT client{};
        GetWindowRect(window_, &outer);
        GetClientRect(window_, &client);
        const int frame = (outer.bottom - outer.top) - (client.bottom - client.top);
        SetWindowPos(window_, nullptr, 0, 0, 900, height + frame, SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(window_, &client);
        ASSERT_EQ(client.bottom - client.top, height);
    }

    LPARAM at(POINT point) { return MAKELPARAM(point.x, point.y); }

    void click(POINT point) { send(WM_LBUTTONDOWN, MK_LBUTTON, at(point)); }

    // The WM_QUIT that the window posted, if any, taken off the queue.
    bool take_quit(WPARAM* code) {
        MSG message;
        if (!PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
            return false;
        }
        *code = message.wParam;
        return true;
    }

    HWND window_ = nullptr;
    RECT created_rect_{};
    std::vector<std::string> creation_log_;

  private:
    ImportHook<decltype(&MessageBoxIndirectW)> box_{"user32.dll", "MessageBoxIndirectW",
                                                    fake_message_box};
    ImportHook<decltype(&MessageBeep)> message_beep_{"user32.dll", "MessageBeep",
                                                     fake_message_beep};
    ImportHook<decltype(&Beep)> beep_{"kernel32.dll", "Beep", fake_beep};
    ImportHook<decltype(&SetTimer)> set_timer_{"user32.dll", "SetTimer", fake_set_timer};
    ImportHook<decltype(&KillTimer)> kill_timer_{"user32.dll", "KillTimer", fake_kill_timer};
    ImportHook<decltype(&InvalidateRect)> invalidate_rect_{"user32.dll", "InvalidateRect",
                                                           fake_invalidate_rect};
    ImportHook<decltype(&InvalidateRgn)> invalidate_rgn_{"user32.dll", "InvalidateRgn",
                                                         fake_invalidate_rgn};
    ImportHook<decltype(&GetCursorPos)> get_cursor_pos_{"user32.dll", "GetCursorPos",
                                                        fake_get_cursor_pos};
    ImportHook<decltype(&SetCursor)> set_cursor_{"user32.dll", "SetCursor", fake_set_cursor};
    ImportHook<decltype(&DefWindowProcA)> def_window_proc_{"user32.dll", "DefWindowProcA",
                                                           fake_def_window_proc};
    ImportHook<decltype(&PlaySoundW)> play_sound_{"winmm.dll", "PlaySoundW", fake_play_sound};
};

} // namespace game_window
