// show_message_box and confirm: the record and the order of the calls they make to Windows, and
// the real box as another thread finds it (text, caption, buttons, default, icon, owner) and
// answers it.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/win/box_text.h"
#include "tests/win/import_hook.h"
#include "ui/win32/message_box.h"
#include "ui/win32/wide_text.h"

namespace {

// ---- The calls as Windows receives them ------------------------------------------------------

struct BoxCall {
    MSGBOXPARAMSW params;
    std::wstring icon_name; // read while the box is "open"
};

std::vector<std::string> call_order;
std::vector<UINT> beeps;
std::vector<BoxCall> boxes;
int fake_answer = 0;

BOOL WINAPI fake_message_beep(UINT type) {
    call_order.push_back("MessageBeep");
    beeps.push_back(type);
    return TRUE;
}

int WINAPI fake_message_box_indirect(const MSGBOXPARAMSW* params) {
    call_order.push_back("MessageBoxIndirectW");
    boxes.push_back({*params, params->lpszIcon != nullptr ? params->lpszIcon : L"(null)"});
    return fake_answer;
}

class RecordedBox : public testing::Test {
  protected:
    void SetUp() override {
        call_order.clear();
        beeps.clear();
        boxes.clear();
        fake_answer = 0;
        ASSERT_TRUE(beep_hook_.installed());
        ASSERT_TRUE(box_hook_.installed());
    }

    ImportHook<decltype(&MessageBeep)> beep_hook_{"user32.dll", "MessageBeep", fake_message_beep};
    ImportHook<decltype(&MessageBoxIndirectW)> box_hook_{"user32.dll", "MessageBoxIndirectW",
                                                         fake_message_box_indirect};
};

struct RecordCase {
    const char* name;
    bool owned;
    std::uint32_t style;
    const char16_t* icon;
    int answer;
};

const RecordCase RECORD_CASES[] = {
    {"rules_box", true, BOX_STYLE_OK, BOX_ICON_GAME, IDOK},
    {"game_question", true, BOX_STYLE_QUESTION, BOX_ICON_GAME, IDNO},
    {"uninstall_question", false, BOX_STYLE_QUESTION, BOX_ICON_SETUP, IDYES},
    {"install_question", false, BOX_STYLE_INSTALL_QUESTION, BOX_ICON_SETUP, IDCANCEL},
    {"box_not_shown", false, BOX_STYLE_QUESTION, BOX_ICON_SETUP, 0},
};

TEST_F(RecordedBox, FillsTheRecordAndBeepsFirst) {
    const HWND some_window = GetDesktopWindow();
    for (const RecordCase& c : RECORD_CASES) {
        SCOPED_TRACE(c.name);
        call_order.clear();
        beeps.clear();
        boxes.clear();
        fake_answer = c.answer;
        const char16_t text[] = u"First line\rSecond line";
        const char16_t caption[] = u"Caption";
        const HWND owner = c.owned ? some_window : nullptr;

        EXPECT_EQ(show_message_box(owner, text, caption, c.style, c.icon), c.answer);

        ASSERT_EQ(call_order, (std::vector<std::string>{"MessageBeep", "MessageBoxIndirectW"}));
        EXPECT_EQ(beeps[0], static_cast<UINT>(MB_ICONINFORMATION));
        const MSGBOXPARAMSW& p = boxes[0].params;
        EXPECT_EQ(p.cbSize, sizeof(MSGBOXPARAMSW));
        EXPECT_EQ(p.hwndOwner, owner);
        EXPECT_EQ(p.hInstance, GetModuleHandleW(nullptr));
        EXPECT_EQ(p.lpszText, wide(text));
        EXPECT_EQ(p.lpszCaption, wide(caption));
        EXPECT_EQ(p.dwStyle, c.style | MB_SETFOREGROUND);
        EXPECT_EQ(boxes[0].icon_name, std::wstring(wide(c.icon)));
        EXPECT_NE(p.lpszIcon, wide(c.icon)) << "the box gets its own copy of the icon name";
        EXPECT_EQ(p.dwContextHelpId, 1u);
        EXPECT_EQ(p.lpfnMsgBoxCallback, nullptr);
        EXPECT_EQ(p.dwLanguageId, 0u);
    }
}

TEST_F(RecordedBox, CopiesLongIconNamesWhole) {
    std::u16string name(300, u'x');
    name.back() = u'y';
    show_message_box(nullptr, u"t", u"c", BOX_STYLE_OK, name.c_str());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon_name, std::wstring(wide(name.c_str())));
}

TEST_F(RecordedBox, ConfirmAsksTheGameQuestionAndTakesOnlyYes) {
    const struct {
        int answer;
        bool yes;
    } answers[] = {{IDYES, true}, {IDNO, false}, {IDCANCEL, false}, {IDOK, false}, {0, false}};
    const HWND owner = GetDesktopWindow();
    for (const auto& a : answers) {
        SCOPED_TRACE(a.answer);
        boxes.clear();
        fake_answer = a.answer;
        EXPECT_EQ(confirm(owner, u"Start a new game?", u"New game"), a.yes);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].params.hwndOwner, owner);
        EXPECT_EQ(boxes[0].params.dwStyle, 387u | MB_SETFOREGROUND);
        EXPECT_EQ(boxes[0].icon_name, L"I");
        EXPECT_EQ(std::wstring(boxes[0].params.lpszText), L"Start a new game?");
        EXPECT_EQ(std::wstring(boxes[0].params.lpszCaption), L"New game");
    }
}

// ---- The real box --------------------------------------------------------------------------

enum class Close { Click, Enter, Escape };

// What another thread saw of the open box.
struct SeenBox {
    bool found = false;
    std::wstring text;
    std::vector<int> buttons; // ids of the visible push buttons, ascending
    int default_button = 0;   // the one drawn as the default push button
    HICON icon = nullptr;
    HWND owner = nullptr;
    bool owner_enabled = true;
    DWORD_PTR help_context = 0; // what the owner got first with WM_HELP after F1
};

// The first WM_HELP the owner got; Wine follows it with a second one of its own.
DWORD_PTR owner_help_context = 0;
volatile LONG owner_got_help = 0;

LRESULT CALLBACK owner_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_HELP) {
        if (owner_got_help == 0) {
            owner_help_context = reinterpret_cast<const HELPINFO*>(lparam)->dwContextId;
            InterlockedExchange(&owner_got_help, 1);
        }
        return TRUE;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

BOOL CALLBACK find_icon(HWND child, LPARAM found) {
    wchar_t class_name[16];
    GetClassNameW(child, class_name, 16);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if (lstrcmpiW(class_name, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HICON*>(found) =
            reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

// Finds the box with the caption on its own thread, reads it, then closes it.
class BoxWatcher {
  public:
    BoxWatcher(const wchar_t* caption, Close how, int button, bool press_f1, int wait_ms = 20000)
        : caption_(caption), how_(how), button_(button), press_f1_(press_f1), wait_ms_(wait_ms) {
        thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
    }
    ~BoxWatcher() { CloseHandle(thread_); }

    SeenBox wait() {
        WaitForSingleObject(thread_, INFINITE);
        return seen_;
    }

  private:
    static DWORD WINAPI run(void* self) {
        static_cast<BoxWatcher*>(self)->watch();
        return 0;
    }

    void watch() {
        HWND box = nullptr;
        for (int waited = 0; waited < wait_ms_; waited += 10) {
            box = FindWindowW(L"#32770", caption_);
            if (box != nullptr && IsWindowVisible(box)) {
                break;
            }
            box = nullptr;
            Sleep(10);
        }
        if (box == nullptr) {
            return;
        }
        seen_.found = true;
        seen_.text = box_text(box);
        EnumChildWindows(box, find_icon, reinterpret_cast<LPARAM>(&seen_.icon));
        for (int id = IDOK; id <= IDCONTINUE; ++id) {
            const HWND button = GetDlgItem(box, id);
            if (button != nullptr && IsWindowVisible(button)) {
                seen_.buttons.push_back(id);
                if ((GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                    seen_.default_button = id;
                }
            }
        }
        seen_.owner = GetWindow(box, GW_OWNER);
        seen_.owner_enabled = seen_.owner != nullptr && IsWindowEnabled(seen_.owner);
        if (press_f1_) {
            type_key(VK_F1);
            for (int tries = 0; tries < 500 && owner_got_help == 0; ++tries) {
                Sleep(10);
            }
            seen_.help_context = owner_got_help != 0 ? owner_help_context : 0;
        }
        switch (how_) {
        case Close::Click:
            PostMessageW(GetDlgItem(box, button_), BM_CLICK, 0, 0);
            break;
        case Close::Enter:
            press_key(box, VK_RETURN);
            break;
        case Close::Escape:
            press_key(box, VK_ESCAPE);
            break;
        }
    }

    // A key typed on the keyboard, for the window in the foreground.
    static void type_key(WORD key) {
        INPUT input[2]{};
        input[0].type = INPUT_KEYBOARD;
        input[0].ki.wVk = key;
        input[1] = input[0];
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }

    // As the keyboard would: to the control with the focus, through the box's own loop.
    static void press_key(HWND box, WPARAM key) {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info);
        const HWND target = info.hwndFocus != nullptr ? info.hwndFocus : box;
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    }

    const wchar_t* caption_;
    Close how_;
    int button_;
    bool press_f1_;
    int wait_ms_;
    SeenBox seen_;
    HANDLE thread_;
};

class RealBox : public testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = owner_proc;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"QuandorTestOwner";
        RegisterClassW(&window_class);
        owner_ =
            CreateWindowExW(0, L"QuandorTestOwner", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                            0, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
        owner_got_help = 0;
        owner_help_context = 0;
    }
    void TearDown() override { DestroyWindow(owner_); }

    HWND owner_ = nullptr;
};

struct ShownCase {
    const char* name;
    const char16_t* caption; // unique, so the watcher finds this case's box
    bool owned;
    std::uint32_t style;
    const char16_t* icon;
    Close how;
    int button; // for Close::Click
    std::vector<int> buttons;
    int default_button;
    int answer;
};

constexpr int ANY_ANSWER = -100;

const std::vector<ShownCase>& shown_cases() {
    static const std::vector<ShownCase> cases = {
        {"question_yes",
         u"Quandor test 1",
         true,
         BOX_STYLE_QUESTION,
         BOX_ICON_GAME,
         Close::Click,
         IDYES,
         {IDCANCEL, IDYES, IDNO},
         IDNO,
         IDYES},
        {"question_enter_is_no",
         u"Quandor test 2",
         true,
         BOX_STYLE_QUESTION,
         BOX_ICON_GAME,
         Close::Enter,
         0,
         {IDCANCEL, IDYES, IDNO},
         IDNO,
         IDNO},
        {"question_escape_is_cancel",
         u"Quandor test 3",
         true,
         BOX_STYLE_QUESTION,
         BOX_ICON_GAME,
         Close::Escape,
         0,
         {IDCANCEL, IDYES, IDNO},
         IDNO,
         IDCANCEL},
        {"uninstall_question_unowned",
         u"Quandor test 4",
         false,
         BOX_STYLE_QUESTION,
         BOX_ICON_SETUP,
         Close::Click,
         IDNO,
         {IDCANCEL, IDYES, IDNO},
         IDNO,
         IDNO},
        {"install_question_enter_is_yes",
         u"Quandor test 5",
         false,
         BOX_STYLE_INSTALL_QUESTION,
         BOX_ICON_SETUP,
         Close::Enter,
         0,
         {IDCANCEL, IDYES, IDNO},
         IDYES,
         IDYES},
        {"rules_box_ok",
         u"Quandor test 6",
         true,
         BOX_STYLE_OK,
         BOX_ICON_GAME,
         Close::Click,
         IDOK,
         {IDOK},
         IDOK,
         IDOK},
        // Windows answers IDOK here, Wine IDCANCEL; the rules box's answer is not looked at.
        {"rules_box_escape",
         u"Quandor test 7",
         true,
         BOX_STYLE_OK,
         BOX_ICON_GAME,
         Close::Escape,
         0,
         {IDOK},
         IDOK,
         ANY_ANSWER},
    };
    return cases;
}

TEST_F(RealBox, ShowsAndAnswers) {
    const HICON program_icon = LoadIconW(GetModuleHandleW(nullptr), L"I");
    ASSERT_NE(program_icon, nullptr);
    const char16_t text[] = u"Quandor \u2013 v1.0.0.0\rSecond line";
    for (const ShownCase& c : shown_cases()) {
        SCOPED_TRACE(c.name);
        const HWND owner = c.owned ? owner_ : nullptr;
        BoxWatcher watcher(wide(c.caption), c.how, c.button, false);
        const std::int32_t answer = show_message_box(owner, text, c.caption, c.style, c.icon);
        const SeenBox seen = watcher.wait();

        ASSERT_TRUE(seen.found) << "no box with the caption appeared";
        if (c.answer != ANY_ANSWER) {
            EXPECT_EQ(answer, c.answer);
        }
        EXPECT_EQ(seen.text, std::wstring(wide(text)));
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.default_button, c.default_button);
        EXPECT_EQ(seen.icon, program_icon) << "the box shows the program's icon";
        EXPECT_EQ(seen.owner, owner);
        if (c.owned) {
            EXPECT_FALSE(seen.owner_enabled) << "the box is modal for its owner";
            EXPECT_TRUE(IsWindowEnabled(owner_)) << "and gives the owner back when closed";
        }
    }
}

TEST_F(RealBox, ConfirmIsYesOnlyForYes) {
    const struct {
        Close how;
        int button;
        bool yes;
    } answers[] = {{Close::Click, IDYES, true},
                   {Close::Click, IDNO, false},
                   {Close::Click, IDCANCEL, false},
                   {Close::Enter, 0, false},
                   {Close::Escape, 0, false}};
    for (const auto& a : answers) {
        SCOPED_TRACE(a.button);
        BoxWatcher watcher(L"Quandor confirm", a.how, a.button, false);
        const bool yes = confirm(owner_, u"Start a new game?", u"Quandor confirm");
        const SeenBox seen = watcher.wait();
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(yes, a.yes);
        EXPECT_EQ(seen.owner, owner_);
        EXPECT_EQ(seen.default_button, IDNO);
    }
}

TEST_F(RealBox, F1SendsContextHelpOneToTheOwner) {
    BoxWatcher watcher(L"Quandor help", Close::Escape, 0, true);
    show_message_box(owner_, u"Press F1", u"Quandor help", BOX_STYLE_QUESTION, BOX_ICON_GAME);
    const SeenBox seen = watcher.wait();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.help_context, 1u);
}

TEST_F(RealBox, ABoxThatCannotBeShownIsNo) {
    // A destroyed owner: Windows refuses the box and returns 0 (Wine -1), never a button.
    const HWND gone = CreateWindowExW(0, L"QuandorTestOwner", L"gone", WS_OVERLAPPEDWINDOW, 0, 0,
                                      10, 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    // Should a box appear after all, it is closed, and the answer shows it.
    BoxWatcher watcher(L"Quandor gone", Close::Escape, 0, false, 2000);
    EXPECT_LE(show_message_box(gone, u"t", u"Quandor gone", BOX_STYLE_QUESTION, BOX_ICON_GAME), 0);
    EXPECT_FALSE(watcher.wait().found);
    BoxWatcher second(L"Quandor gone", Close::Click, IDYES, false, 2000);
    EXPECT_FALSE(confirm(gone, u"t", u"Quandor gone"));
    EXPECT_FALSE(second.wait().found);
}

} // namespace
