// The built game as its own process, seen and driven only from outside: its window found by
// class, its pixels read back from the screen, its message boxes read and answered, and its exit
// code.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/board.h"

namespace e2e {

inline constexpr wchar_t PROGRAM_FILE[] = L"" QUANDOR_PROGRAM_FILE;

// Polls until ready() holds or the time is up; true when it held.
inline bool wait_until(const std::function<bool()>& ready, int timeout_ms = 8000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

// What a cell of the board shows in the middle, and whether the cursor square is drawn in it.
enum class Shown { EMPTY, DARK_DISC, LIGHT_DISC, DOT, OTHER };

inline constexpr COLORREF BACKGROUND = RGB(0, 128, 0);
inline constexpr COLORREF GRID = RGB(192, 192, 192);
inline constexpr COLORREF DARK_FILL = RGB(20, 20, 20);
inline constexpr COLORREF LIGHT_FILL = RGB(240, 240, 240);
inline constexpr COLORREF CURSOR_FILL = RGB(0, 221, 0);
inline constexpr COLORREF TITLE_TEXT = RGB(255, 255, 0);
inline constexpr COLORREF PANEL_TEXT = RGB(221, 221, 221);

// The client area's pixels at one moment.
class Picture {
  public:
    Picture() = default;
    Picture(int width, int height, std::vector<COLORREF> pixels)
        : width_(width), height_(height), pixels_(std::move(pixels)) {}

    int width() const { return width_; }
    int height() const { return height_; }
    int cell_size() const { return (height_ - 8) / 8; }
    bool empty() const { return pixels_.empty(); }

    COLORREF at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) {
            return CLR_INVALID;
        }
        return pixels_[static_cast<std::size_t>(y) * width_ + x];
    }

    Shown cell(int row, int col) const {
        const int s = cell_size();
        switch (at(4 + col * s + s / 2, 4 + row * s + s / 2)) {
        case DARK_FILL:
            return Shown::DARK_DISC;
        case LIGHT_FILL:
            return Shown::LIGHT_DISC;
        case RGB(0, 0, 0):
            return Shown::DOT;
        case BACKGROUND:
        case CURSOR_FILL:
            return Shown::EMPTY;
        default:
            return Shown::OTHER;
        }
    }

    // A point inside the cursor square and outside any disc.
    bool cursor_in(int row, int col) const {
        const int s = cell_size();
        return at(4 + col * s + 6, 4 + row * s + 6) == CURSOR_FILL;
    }

    // The one cell with the cursor square; (-1, -1) for none or more than one.
    Move cursor() const {
        Move found = NO_MOVE;
        for (int row = 0; row < 8; ++row) {
            for (int col = 0; col < 8; ++col) {
                if (cursor_in(row, col)) {
                    if (found != NO_MOVE) {
                        return NO_MOVE;
                    }
                    found = {row, col};
                }
            }
        }
        return found;
    }

    int count(COLORREF colour, int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                n += at(x, y) == colour;
            }
        }
        return n;
    }

    bool same_area(const Picture& other, int left, int top, int right, int bottom) const {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                if (at(x, y) != other.at(x, y)) {
                    return false;
                }
            }
        }
        return true;
    }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// What the board shows for a game position: discs, and the human's dots while BLACK moves.
inline std::vector<Shown> expected_cells(const Board& board, bool dots) {
    std::vector<Shown> cells(64);
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            const std::int32_t v = board[cell_index(row, col)];
            Shown& c = cells[cell_index(row, col)];
            c = v == BLACK                                      ? Shown::DARK_DISC
                : v == WHITE                                    ? Shown::LIGHT_DISC
                : dots && is_legal_move(board, BLACK, row, col) ? Shown::DOT
                                                                : Shown::EMPTY;
        }
    }
    return cells;
}

inline std::vector<Shown> shown_cells(const Picture& picture) {
    std::vector<Shown> cells(64);
    for (int i = 0; i < 64; ++i) {
        cells[i] = picture.cell(i / 8, i % 8);
    }
    return cells;
}

inline std::string cells_text(const std::vector<Shown>& cells) {
    std::string text;
    for (int i = 0; i < 64; ++i) {
        text += "-XO.!"[static_cast<int>(cells[i])];
        if (i % 8 == 7) {
            text += '/';
        }
    }
    return text;
}

// A message box of the game as another program sees it.
struct SeenBox {
    HWND box = nullptr;
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons; // visible push buttons by id, ascending
    int default_button = 0;   // the one with the default push button style
};

class GameProcess {
  public:
    GameProcess() = default;
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    ~GameProcess() {
        if (process_ != nullptr) {
            if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_, 1);
                WaitForSingleObject(process_, 5000);
            }
            CloseHandle(process_);
        }
    }

    // Starts the program and waits for its visible main window.
    void start() {
        std::wstring file = PROGRAM_FILE;
        for (wchar_t& c : file) {
            c = c == L'/' ? L'\\' : c;
        }
        std::wstring command_line = L"\"" + file + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(CreateProcessW(file.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &info))
            << "cannot start " << std::string(file.begin(), file.end()) << ": " << GetLastError();
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        process_id_ = info.dwProcessId;
        ASSERT_TRUE(wait_until([this] { return (window_ = find_window()) != nullptr; }, 20000))
            << "no visible window of class QuandorCls";
    }

    HWND window() const { return window_; }
    bool running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

    // The exit code once the process has ended, none while it still runs after timeout_ms.
    std::optional<DWORD> exit_code(int timeout_ms = 10000) const {
        if (WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) {
            return std::nullopt;
        }
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        return code;
    }

    // Top left of the screen and above every other window, so its pixels are its own. The
    // frame is measured anew each time: the menu bar may arrive after the window shows.
    void place(int client_height, int client_width = 900) {
        const auto client_is = [&] {
            RECT now{};
            GetClientRect(window_, &now);
            return now.bottom - now.top == client_height && now.right - now.left == client_width;
        };
        for (int tries = 0; tries < 10 && !client_is(); ++tries) {
            RECT outer{};
            RECT client{};
            GetWindowRect(window_, &outer);
            GetClientRect(window_, &client);
            const int frame_x = (outer.right - outer.left) - (client.right - client.left);
            const int frame_y = (outer.bottom - outer.top) - (client.bottom - client.top);
            SetWindowPos(window_, HWND_TOPMOST, 0, 0, client_width + frame_x,
                         client_height + frame_y, SWP_NOACTIVATE);
            wait_until(client_is, 500);
        }
        ASSERT_TRUE(client_is()) << "the client area does not become " << client_width << " x "
                                 << client_height;
    }

    // Returns once the game has handled everything sent and posted before and has painted.
    void settle() {
        for (int i = 0; i < 3; ++i) {
            DWORD_PTR result = 0;
            ASSERT_NE(SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result), 0)
                << "the game does not answer";
            Sleep(60);
        }
    }

    void post(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
        PostMessageW(window_, message, wparam, lparam);
    }
    void click(int x, int y) { post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void click_cell(int s, int row, int col) { click(4 + col * s + s / 2, 4 + row * s + s / 2); }
    // A key as the keyboard delivers it: through the game's message loop and accelerators.
    void key(WPARAM virtual_key) {
        post(WM_KEYDOWN, virtual_key, 1);
        post(WM_KEYUP, virtual_key, 0xC0000001);
    }
    void command(WORD id) { post(WM_COMMAND, id, 0); }
    // A key typed on the keyboard, for the window in the foreground: the main window, or the
    // box it shows.
    void type(WORD virtual_key, HWND foreground) {
        SetForegroundWindow(foreground);
        wait_until([&] { return GetForegroundWindow() == foreground; }, 2000);
        INPUT input[2]{};
        input[0].type = INPUT_KEYBOARD;
        input[0].ki.wVk = virtual_key;
        input[1] = input[0];
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
    // WM_HELP carries a record, so it is sent; a rules box that it opens does not hold us up.
    void help() {
        HELPINFO info{};
        info.cbSize = sizeof(info);
        info.iContextType = HELPINFO_WINDOW;
        info.hItemHandle = window_;
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window_, WM_HELP, 0, reinterpret_cast<LPARAM>(&info), SMTO_NORMAL, 1000,
                            &result);
    }

    Picture picture() const {
        RECT client{};
        GetClientRect(window_, &client);
        const int width = client.right;
        const int height = client.bottom;
        if (width <= 0 || height <= 0) {
            return {};
        }
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(format.bmiHeader);
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = -height; // top row first
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        const HDC window_dc = GetDC(window_);
        const HDC memory_dc = CreateCompatibleDC(window_dc);
        const HBITMAP bitmap =
            CreateDIBSection(memory_dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ previous = SelectObject(memory_dc, bitmap);
        BitBlt(memory_dc, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
        GdiFlush();
        std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * height);
        const auto* quads = static_cast<const RGBQUAD*>(bits);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
        }
        SelectObject(memory_dc, previous);
        DeleteObject(bitmap);
        DeleteDC(memory_dc);
        ReleaseDC(window_, window_dc);
        return {width, height, std::move(pixels)};
    }

    // Waits until the picture satisfies shows; returns the last picture taken.
    Picture wait_for_picture(const std::function<bool(const Picture&)>& shows,
                             int timeout_ms = 8000) const {
        Picture last;
        wait_until(
            [&] {
                last = picture();
                return !last.empty() && shows(last);
            },
            timeout_ms);
        return last;
    }

    // As wait_for_picture, and then the picture once the game has finished painting: the
    // board may be on the screen before the side panel is.
    Picture settled_picture(const std::function<bool(const Picture&)>& shows) {
        wait_for_picture(shows);
        settle();
        return picture();
    }

    // The visible message boxes that the main window owns.
    std::vector<HWND> boxes() const {
        struct Search {
            HWND owner;
            std::vector<HWND> found;
        } search{window_, {}};
        EnumWindows(
            [](HWND candidate, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                wchar_t class_name[16] = {};
                GetClassNameW(candidate, class_name, 16);
                if (lstrcmpW(class_name, L"#32770") == 0 && IsWindowVisible(candidate) &&
                    GetWindow(candidate, GW_OWNER) == s->owner) {
                    s->found.push_back(candidate);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    std::optional<SeenBox> wait_for_box(int timeout_ms = 8000) const {
        HWND box = nullptr;
        if (!wait_until(
                [&] {
                    const std::vector<HWND> open = boxes();
                    box = open.empty() ? nullptr : open.front();
                    return box != nullptr;
                },
                timeout_ms)) {
            return std::nullopt;
        }
        SeenBox seen;
        seen.box = box;
        seen.caption = window_text(box);
        seen.text = window_text(GetDlgItem(box, 0xFFFF));
        for (int id = IDOK; id <= IDNO; ++id) {
            const HWND button = GetDlgItem(box, id);
            if (button != nullptr && IsWindowVisible(button)) {
                seen.buttons.push_back(id);
                if ((GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                    seen.default_button = id;
                }
            }
        }
        return seen;
    }

    // Presses a button of the box as a click would, and waits until the box is gone.
    static void answer(const SeenBox& seen, int button) {
        const HWND control = GetDlgItem(seen.box, button);
        ASSERT_NE(control, nullptr) << "no button " << button;
        PostMessageW(seen.box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
        ASSERT_TRUE(wait_until([&] { return !IsWindow(seen.box); })) << "the box stays open";
    }

  private:
    static std::wstring window_text(HWND window) {
        wchar_t text[1024] = {};
        DWORD_PTR units = 0;
        SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                            5000, &units);
        return std::wstring(text, units);
    }

    HWND find_window() const {
        struct Search {
            DWORD process;
            HWND found;
        } search{process_id_, nullptr};
        EnumWindows(
            [](HWND candidate, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                wchar_t class_name[16] = {};
                GetClassNameW(candidate, class_name, 16);
                DWORD owner = 0;
                GetWindowThreadProcessId(candidate, &owner);
                if (owner == s->process && lstrcmpW(class_name, L"QuandorCls") == 0 &&
                    IsWindowVisible(candidate)) {
                    s->found = candidate;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HANDLE process_ = nullptr;
    DWORD process_id_ = 0;
    HWND window_ = nullptr;
};

} // namespace e2e
