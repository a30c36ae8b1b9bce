// The main window's class, menus and accelerators as Windows holds them once they are made.
#include "tests/win/game_window.h"

#include <optional>

#include "ui/colours.h"
#include "ui/commands.h"

namespace game_window {
namespace {

using MainWindow = GameWindow;

TEST_F(MainWindow, ClassAndWindowAsRegistered) {
    WNDCLASSEXA info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleW(nullptr), "QuandorCls", &info));
    EXPECT_EQ(info.style, UINT{CS_HREDRAW | CS_VREDRAW});
    EXPECT_EQ(info.lpfnWndProc, window_proc);
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
    EXPECT_NE(info.hIcon, nullptr);
    EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(info.lpszMenuName, nullptr);
    LOGBRUSH brush{};
    ASSERT_EQ(GetObjectW(info.hbrBackground, sizeof brush, &brush), int{sizeof brush});
    EXPECT_EQ(brush.lbStyle, UINT{BS_SOLID});
    EXPECT_EQ(brush.lbColor, COLORREF{0x00008000});

    EXPECT_FALSE(register_window_class(GetModuleHandleW(nullptr)))
        << "a second registration fails, which the program ends with 255";

    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    EXPECT_EQ(style & (WS_OVERLAPPEDWINDOW | WS_VISIBLE), WS_OVERLAPPEDWINDOW | WS_VISIBLE)
        << "the sizing border and maximise box stay";
    EXPECT_TRUE(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    wchar_t title[64] = {};
    GetWindowTextW(window_, title, 64);
    EXPECT_STREQ(title, L"Quandor (Ombrisk)");
}

TEST_F(MainWindow, SystemMenuHasNoMaximizeAndNoSize) {
    const HMENU menu = GetSystemMenu(window_, FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), UINT(-1));
    EXPECT_EQ(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), UINT(-1));
    for (const UINT kept : {SC_RESTORE, SC_MOVE, SC_MINIMIZE, SC_CLOSE}) {
        EXPECT_NE(GetMenuState(menu, kept, MF_BYCOMMAND), UINT(-1)) << std::hex << kept;
    }
}

struct ShownItem {
    bool popup;
    bool separator;
    UINT id; // items only
    std::string text;
};

// A menu read back position by position, with the submenus after their popup.
std::vector<ShownItem> read_menu(HMENU menu, std::vector<HMENU>* submenus) {
    std::vector<ShownItem> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        const HMENU sub = GetSubMenu(menu, i);
        if (sub != nullptr) {
            submenus->push_back(sub);
        }
        items.push_back({sub != nullptr, (state & MF_SEPARATOR) != 0,
                         sub != nullptr ? 0 : GetMenuItemID(menu, i), text});
    }
    return items;
}

void expect_items(const std::vector<ShownItem>& shown, const std::vector<ShownItem>& expected) {
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shown[i].popup, expected[i].popup);
        EXPECT_EQ(shown[i].separator, expected[i].separator);
        EXPECT_EQ(shown[i].id, expected[i].id);
        EXPECT_EQ(shown[i].text, expected[i].text);
    }
}

TEST_F(MainWindow, MenuBarInBothLanguages) {
    const struct {
        const char* name;
        HMENU bar;
        std::vector<ShownItem> bar_items;
        std::vector<ShownItem> game_items;
        std::vector<ShownItem> level_items;
    } cases[] = {
        {"the window's own, English",
         GetMenu(window_),
         {{true, false, 0, "&Game"}, {true, false, 0, "&Options"}, {false, false, 199, "?"}},
         {{false, false, 101, "&New Game\tCtrl+N"},
          {false, true, 0, ""},
          {false, false, 109, "E&xit\tAlt+X"}},
         {{false, false, 201, "&Novice\t1"},
          {false, false, 202, "&Easy\t2"},
          {false, false, 203, "&Regular\t3"},
          {false, false, 204, "&Difficult\t4"},
          {false, false, 205, "&Advanced\t5"},
          {false, false, 206, "&Professionel\t6"}}},
        {"German",
         build_menu_bar(true),
         {{true, false, 0, "&Spiel"}, {true, false, 0, "&Optionen"}, {false, false, 199, "?"}},
         {{false, false, 101, "&Neues Spiel\tF2"},
          {false, true, 0, ""},
          {false, false, 109, "&Beenden\tAlt+X"}},
         {{false, false, 201, "&Anf\xE4nger\t1"},
          {false, false, 202, "&Leicht\t2"},
          {false, false, 203, "&Normal\t3"},
          {false, false, 204, "&Schwierig\t4"},
          {false, false, 205, "&Raffiniert\t5"},
          {false, false, 206, "&Professionell\t6"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.bar, nullptr);
        std::vector<HMENU> submenus;
        expect_items(read_menu(c.bar, &submenus), c.bar_items);
        ASSERT_EQ(submenus.size(), 2u);
        std::vector<HMENU> none;
        expect_items(read_menu(submenus[0], &none), c.game_items);
        expect_items(read_menu(submenus[1], &none), c.level_items);
        EXPECT_TRUE(none.empty());
    }
}

// Records the commands that TranslateAcceleratorW sends.
std::vector<WPARAM> commands_seen;

LRESULT CALLBACK command_recorder(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND) {
        commands_seen.push_back(wparam);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

class Accelerators : public testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = command_recorder;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"QuandorTestCommands";
        RegisterClassW(&window_class);
        window_ = CreateWindowExW(0, L"QuandorTestCommands", L"", WS_OVERLAPPED, 0, 0, 100, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        table_ = create_accelerators();
        ASSERT_NE(table_, nullptr);
        GetKeyboardState(saved_keys_);
    }
    void TearDown() override {
        SetKeyboardState(saved_keys_);
        DestroyAcceleratorTable(table_);
        DestroyWindow(window_);
    }

    HWND window_ = nullptr;
    HACCEL table_ = nullptr;
    BYTE saved_keys_[256] = {};
};

TEST_F(Accelerators, TableAsWindowsHoldsIt) {
    ACCEL entries[16] = {};
    ASSERT_EQ(CopyAcceleratorTableW(table_, entries, 16), 9);
    const struct {
        BYTE flags;
        WORD key;
        WORD command;
    } expected[] = {
        {FVIRTKEY | FCONTROL, 'N', 101},
        {FVIRTKEY, VK_F2, 101},
        {FVIRTKEY | FALT, 'X', 109},
        {FVIRTKEY, '1', 201},
        {FVIRTKEY, '2', 202},
        {FVIRTKEY, '3', 203},
        {FVIRTKEY, '4', 204},
        {FVIRTKEY, '5', 205},
        {FVIRTKEY, '6', 206},
    };
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        // Windows marks the last entry of a table in the flags' top bit.
        EXPECT_EQ(entries[i].fVirt & 0x7F, expected[i].flags);
        EXPECT_EQ(entries[i].key, expected[i].key);
        EXPECT_EQ(entries[i].cmd, expected[i].command);
    }
}

TEST_F(Accelerators, KeysBecomeCommandsOnlyWithTheirModifiers) {
    const struct {
        const char* name;
        UINT message;
        WPARAM key;
        bool control;
        bool alt;
        std::optional<WORD> command;
    } cases[] = {
        {"Ctrl+N", WM_KEYDOWN, 'N', true, false, 101},
        {"N", WM_KEYDOWN, 'N', false, false, {}},
        {"F2", WM_KEYDOWN, VK_F2, false, false, 101},
        {"Ctrl+F2", WM_KEYDOWN, VK_F2, true, false, {}},
        {"Alt+X", WM_SYSKEYDOWN, 'X', false, true, 109},
        {"X", WM_KEYDOWN, 'X', false, false, {}},
        {"1", WM_KEYDOWN, '1', false, false, 201},
        {"2", WM_KEYDOWN, '2', false, false, 202},
        {"3", WM_KEYDOWN, '3', false, false, 203},
        {"4", WM_KEYDOWN, '4', false, false, 204},
        {"5", WM_KEYDOWN, '5', false, false, 205},
        {"6", WM_KEYDOWN, '6', false, false, 206},
        {"7", WM_KEYDOWN, '7', false, false, {}},
        {"keypad 1", WM_KEYDOWN, VK_NUMPAD1, false, false, {}},
        {"keypad 6", WM_KEYDOWN, VK_NUMPAD6, false, false, {}},
        {"F1", WM_KEYDOWN, VK_F1, false, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BYTE keys[256] = {};
        keys[VK_CONTROL] = keys[VK_LCONTROL] = c.control ? 0x80 : 0;
        keys[VK_MENU] = keys[VK_LMENU] = c.alt ? 0x80 : 0;
        ASSERT_TRUE(SetKeyboardState(keys));
        commands_seen.clear();
        MSG message{window_, c.message, c.key, c.alt ? 0x20000001 : 1, 0, {}};

        const bool translated = TranslateAcceleratorW(window_, table_, &message) != 0;

        EXPECT_EQ(translated, c.command.has_value());
        if (c.command) {
            EXPECT_EQ(commands_seen, std::vector<WPARAM>{MAKEWPARAM(*c.command, 1)});
        } else {
            EXPECT_TRUE(commands_seen.empty());
        }
    }
}

} // namespace
} // namespace game_window
