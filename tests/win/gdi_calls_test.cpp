// Each step of the GDI Canvas as the calls Windows receives, with every argument, in order.
// The calls still reach Windows, so the objects are real and the drawing happens.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "engine/board.h"
#include "flow/game_host.h"
#include "flow/play_state.h"
#include "tests/win/import_hook.h"
#include "ui/painter.h"
#include "ui/win32/gdi_canvas.h"

namespace {

// ---- The call log --------------------------------------------------------------------------

std::vector<std::string> calls;
HDC drawing_dc = nullptr;
// Objects made during the test are named by kind and number (pen1, brush2, font1); objects the
// DC held before are named by kind (dc-pen, dc-brush, dc-font).
std::map<HGDIOBJ, std::string> names;
int made[3] = {};
int live = 0;     // objects made and not yet deleted
int max_live = 0; // the most alive at one time

std::string format(const char* pattern, ...) {
    char text[512];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

std::string name_of(HGDIOBJ object) {
    const auto found = names.find(object);
    if (found != names.end()) {
        return found->second;
    }
    switch (GetObjectType(object)) {
    case OBJ_PEN:
        return "dc-pen";
    case OBJ_BRUSH:
        return "dc-brush";
    case OBJ_FONT:
        return "dc-font";
    case 0:
        return "null";
    default:
        return "other";
    }
}

std::string name_new(HGDIOBJ object, int kind, const char* word) {
    const std::string name = format("%s%d", word, ++made[kind]);
    names[object] = name;
    max_live = std::max(max_live, ++live);
    return name;
}

std::string dc_check(HDC dc) {
    return dc == drawing_dc ? "" : "(wrong dc) ";
}

std::string printable(const wchar_t* text, int length) {
    std::string out;
    for (int i = 0; length < 0 ? text[i] != 0 : i < length; ++i) {
        const wchar_t c = text[i];
        if (c == L'\r') {
            out += "\\r";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += format("\\u%04X", static_cast<unsigned>(c));
        }
    }
    return out;
}

// ---- Replacements that log and pass the call on ------------------------------------------

// wvsprintfW's type carries attributes a template argument cannot keep: hooked as a plain
// address.
using FormatText = int(WINAPI*)(LPWSTR, LPCWSTR, va_list);

struct Originals {
    decltype(&CreatePen) create_pen;
    decltype(&CreateSolidBrush) create_solid_brush;
    decltype(&CreateFontA) create_font;
    decltype(&SelectObject) select_object;
    decltype(&DeleteObject) delete_object;
    decltype(&MoveToEx) move_to;
    decltype(&LineTo) line_to;
    decltype(&Rectangle) rectangle;
    decltype(&Ellipse) ellipse;
    decltype(&SetBkMode) set_bk_mode;
    decltype(&SetTextColor) set_text_color;
    decltype(&DrawTextW) draw_text;
    FormatText format_text;
} original;

HPEN WINAPI log_create_pen(int style, int width, COLORREF colour) {
    const HPEN pen = original.create_pen(style, width, colour);
    calls.push_back(format("CreatePen(%d, %d, 0x%08lX) = ", style, width, colour) +
                    name_new(pen, 0, "pen"));
    return pen;
}

HBRUSH WINAPI log_create_solid_brush(COLORREF colour) {
    const HBRUSH brush = original.create_solid_brush(colour);
    calls.push_back(format("CreateSolidBrush(0x%08lX) = ", colour) + name_new(brush, 1, "brush"));
    return brush;
}

HFONT WINAPI log_create_font(int height, int width, int escapement, int orientation, int weight,
                             DWORD italic, DWORD underline, DWORD strike_out, DWORD char_set,
                             DWORD out_precision, DWORD clip_precision, DWORD quality,
                             DWORD pitch_and_family, LPCSTR face) {
    const HFONT font = original.create_font(height, width, escapement, orientation, weight, italic,
                                            underline, strike_out, char_set, out_precision,
                                            clip_precision, quality, pitch_and_family, face);
    calls.push_back(format("CreateFontA(%d, %d, %d, %d, %d, %lu, %lu, %lu, %lu, %lu, 0x%lX, %lu, "
                           "0x%lX, \"%s\") = ",
                           height, width, escapement, orientation, weight, italic, underline,
                           strike_out, char_set, out_precision, clip_precision, quality,
                           pitch_and_family, face) +
                    name_new(font, 2, "font"));
    return font;
}

HGDIOBJ WINAPI log_select_object(HDC dc, HGDIOBJ object) {
    const std::string selected = name_of(object);
    const HGDIOBJ previous = original.select_object(dc, object);
    calls.push_back(dc_check(dc) + "SelectObject(" + selected + ") = " + name_of(previous));
    return previous;
}

BOOL WINAPI log_delete_object(HGDIOBJ object) {
    const std::string name = name_of(object);
    const BOOL deleted = original.delete_object(object);
    calls.push_back("DeleteObject(" + name + ")" + (deleted ? "" : " failed"));
    if (names.erase(object) != 0) {
        --live;
    }
    return deleted;
}

BOOL WINAPI log_move_to(HDC dc, int x, int y, LPPOINT previous) {
    calls.push_back(dc_check(dc) +
                    format("MoveToEx(%d, %d, %s)", x, y, previous ? "point" : "null"));
    return original.move_to(dc, x, y, previous);
}

BOOL WINAPI log_line_to(HDC dc, int x, int y) {
    calls.push_back(dc_check(dc) + format("LineTo(%d, %d)", x, y));
    return original.line_to(dc, x, y);
}

BOOL WINAPI log_rectangle(HDC dc, int left, int top, int right, int bottom) {
    calls.push_back(dc_check(dc) + format("Rectangle(%d, %d, %d, %d)", left, top, right, bottom));
    return original.rectangle(dc, left, top, right, bottom);
}

BOOL WINAPI log_ellipse(HDC dc, int left, int top, int right, int bottom) {
    calls.push_back(dc_check(dc) + format("Ellipse(%d, %d, %d, %d)", left, top, right, bottom));
    return original.ellipse(dc, left, top, right, bottom);
}

int WINAPI log_set_bk_mode(HDC dc, int mode) {
    calls.push_back(dc_check(dc) + format("SetBkMode(%d)", mode));
    return original.set_bk_mode(dc, mode);
}

COLORREF WINAPI log_set_text_color(HDC dc, COLORREF colour) {
    calls.push_back(dc_check(dc) + format("SetTextColor(0x%08lX)", colour));
    return original.set_text_color(dc, colour);
}

int WINAPI log_draw_text(HDC dc, LPCWSTR text, int length, LPRECT rect, UINT format_flags) {
    calls.push_back(dc_check(dc) + "DrawTextW(\"" + printable(text, length) + "\", " +
                    format("%d, (%ld, %ld, %ld, %ld), 0x%X)", length, rect->left, rect->top,
                           rect->right, rect->bottom, format_flags));
    return original.draw_text(dc, text, length, rect, format_flags);
}

int WINAPI log_format_text(LPWSTR out, LPCWSTR pattern, va_list args) {
    const int written = original.format_text(out, pattern, args);
    calls.push_back("wvsprintfW(\"" + printable(pattern, -1) + "\") = \"" + printable(out, -1) +
                    "\"");
    return written;
}

class GdiCalls : public ::testing::Test {
  protected:
    void SetUp() override {
        original = {create_pen_.original(),
                    brush_.original(),
                    font_.original(),
                    select_.original(),
                    delete_.original(),
                    move_.original(),
                    line_.original(),
                    rectangle_.original(),
                    ellipse_.original(),
                    bk_mode_.original(),
                    text_colour_.original(),
                    draw_text_.original(),
                    reinterpret_cast<FormatText>(format_text_.original())};
        for (const bool installed :
             {create_pen_.installed(), brush_.installed(), font_.installed(), select_.installed(),
              delete_.installed(), move_.installed(), line_.installed(), rectangle_.installed(),
              ellipse_.installed(), bk_mode_.installed(), text_colour_.installed(),
              draw_text_.installed(), format_text_.installed()}) {
            ASSERT_TRUE(installed) << "the canvas makes every call through the import table";
        }
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(dc_, 800, 600);
        previous_bitmap_ = original.select_object(dc_, bitmap_);
        drawing_dc = dc_;
        calls.clear();
        names.clear();
        std::memset(made, 0, sizeof made);
        live = max_live = 0;
    }
    void TearDown() override {
        // Hooks are still in place: keep this out of the log.
        original.select_object(dc_, previous_bitmap_);
        original.delete_object(bitmap_);
        DeleteDC(dc_);
    }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_bitmap_ = nullptr;

    ImportHook<decltype(&CreatePen)> create_pen_{"gdi32.dll", "CreatePen", log_create_pen};
    ImportHook<decltype(&CreateSolidBrush)> brush_{"gdi32.dll", "CreateSolidBrush",
                                                   log_create_solid_brush};
    ImportHook<decltype(&CreateFontA)> font_{"gdi32.dll", "CreateFontA", log_create_font};
    ImportHook<decltype(&SelectObject)> select_{"gdi32.dll", "SelectObject", log_select_object};
    ImportHook<decltype(&DeleteObject)> delete_{"gdi32.dll", "DeleteObject", log_delete_object};
    ImportHook<decltype(&MoveToEx)> move_{"gdi32.dll", "MoveToEx", log_move_to};
    ImportHook<decltype(&LineTo)> line_{"gdi32.dll", "LineTo", log_line_to};
    ImportHook<decltype(&Rectangle)> rectangle_{"gdi32.dll", "Rectangle", log_rectangle};
    ImportHook<decltype(&Ellipse)> ellipse_{"gdi32.dll", "Ellipse", log_ellipse};
    ImportHook<decltype(&SetBkMode)> bk_mode_{"gdi32.dll", "SetBkMode", log_set_bk_mode};
    ImportHook<decltype(&SetTextColor)> text_colour_{"gdi32.dll", "SetTextColor",
                                                     log_set_text_color};
    ImportHook<decltype(&DrawTextW)> draw_text_{"user32.dll", "DrawTextW", log_draw_text};
    ImportHook<void*> format_text_{"user32.dll", "wvsprintfW",
                                   reinterpret_cast<void*>(log_format_text)};
};

using Calls = std::vector<std::string>;

TEST_F(GdiCalls, LinesShareOnePenMadeAndDeletedAroundThem) {
    {
        GdiCanvas canvas(dc_);
        const Line lines[] = {{{4, 4}, {4, 596}}, {{4, 78}, {596, 78}}};
        canvas.lines({PEN_SOLID, 1, 0x00C0C0C0}, lines);
    }
    EXPECT_EQ(calls, (Calls{
                         "CreatePen(0, 1, 0x00C0C0C0) = pen1",
                         "SelectObject(pen1) = dc-pen",
                         "MoveToEx(4, 4, null)",
                         "LineTo(4, 596)",
                         "MoveToEx(4, 78, null)",
                         "LineTo(596, 78)",
                         "SelectObject(dc-pen) = pen1",
                         "DeleteObject(pen1)",
                     }));
}

TEST_F(GdiCalls, FilledRectangleHasABrushOfItsOwnAndTheDcPen) {
    {
        GdiCanvas canvas(dc_);
        canvas.filled_rectangle(0x0000DD00, {230, 156, 296, 222});
    }
    EXPECT_EQ(calls, (Calls{
                         "CreateSolidBrush(0x0000DD00) = brush1",
                         "SelectObject(brush1) = dc-brush",
                         "Rectangle(230, 156, 296, 222)",
                         "SelectObject(dc-brush) = brush1",
                         "DeleteObject(brush1)",
                     }));
}

TEST_F(GdiCalls, FilledEllipsesShareOneBrushEvenWhenThereIsNone) {
    {
        GdiCanvas canvas(dc_);
        const Rect dots[] = {{260, 186, 267, 193}, {186, 260, 193, 267}};
        canvas.filled_ellipses(0, dots);
        canvas.filled_ellipses(0, {});
    }
    EXPECT_EQ(calls, (Calls{
                         "CreateSolidBrush(0x00000000) = brush1",
                         "SelectObject(brush1) = dc-brush",
                         "Ellipse(260, 186, 267, 193)",
                         "Ellipse(186, 260, 193, 267)",
                         "SelectObject(dc-brush) = brush1",
                         "DeleteObject(brush1)",
                         "CreateSolidBrush(0x00000000) = brush2",
                         "SelectObject(brush2) = dc-brush",
                         "SelectObject(dc-brush) = brush2",
                         "DeleteObject(brush2)",
                     }));
}

TEST_F(GdiCalls, DiscMakesBrushThenPenSelectsThemInThatOrderAndDeletesBoth) {
    {
        GdiCanvas canvas(dc_);
        canvas.outlined_ellipse(0x00141414, {PEN_SOLID, 2, 0}, {303, 229, 371, 297});
    }
    EXPECT_EQ(calls, (Calls{
                         "CreateSolidBrush(0x00141414) = brush1",
                         "CreatePen(0, 2, 0x00000000) = pen1",
                         "SelectObject(brush1) = dc-brush",
                         "SelectObject(pen1) = dc-pen",
                         "Ellipse(303, 229, 371, 297)",
                         "SelectObject(dc-brush) = brush1",
                         "SelectObject(dc-pen) = pen1",
                         "DeleteObject(brush1)",
                         "DeleteObject(pen1)",
                     }));
}

TEST_F(GdiCalls, FontLivesFromBeginToEndWithItsTexts) {
    {
        GdiCanvas canvas(dc_);
        const Font font{-24, 0, 0, 0, 900, 0, 0, 0, 0, 4, 0x20, 2, 0x22, "Consolas"};
        canvas.begin_font({font, 1, 0x00DDDDDD});
        canvas.number({30, u"%i", -1, {740, 74, 800, 600}, 0x110});
        canvas.number({-7, u"%i", -1, {740, 148, 800, 600}, 0x110});
        canvas.text({u"Must pass.\rX", -1, {666, 222, 800, 600}, 0x110});
        canvas.end_font();
    }
    EXPECT_EQ(calls, (Calls{
                         "CreateFontA(-24, 0, 0, 0, 900, 0, 0, 0, 0, 4, 0x20, 2, 0x22, "
                         "\"Consolas\") = font1",
                         "SelectObject(font1) = dc-font",
                         "SetBkMode(1)",
                         "SetTextColor(0x00DDDDDD)",
                         "wvsprintfW(\"%i\") = \"30\"",
                         "DrawTextW(\"30\", -1, (740, 74, 800, 600), 0x110)",
                         "wvsprintfW(\"%i\") = \"-7\"",
                         "DrawTextW(\"-7\", -1, (740, 148, 800, 600), 0x110)",
                         "DrawTextW(\"Must pass.\\rX\", -1, (666, 222, 800, 600), 0x110)",
                         "SelectObject(dc-font) = font1",
                         "DeleteObject(font1)",
                     }));
}

class SilentHost final : public GameHost {
  public:
    bool confirm(const char16_t*, const char16_t*) override { return false; }
    void play_tone(std::int32_t, std::int32_t) override {}
    void info_beep() override {}
    void request_repaint() override {}
    void start_move_timer(std::int32_t) override {}
    void stop_move_timer() override {}
};

// A whole paint of the opening: 17 objects, each deleted, never more than two alive (a disc's
// brush and pen), and none selected when it is deleted.
TEST_F(GdiCalls, WholePaintDeletesEveryObjectItMakes) {
    Game game;
    reset_to_opening(game.board);
    game.state.running = true;
    SilentHost host;
    {
        GdiCanvas canvas(dc_);
        paint_board(canvas, game, host, {0, 0, 800, 600});
    }
    EXPECT_EQ(made[0] + made[1] + made[2], 17)
        << "pens " << made[0] << ", brushes " << made[1] << ", fonts " << made[2];
    EXPECT_EQ(made[2], 2);
    EXPECT_EQ(live, 0);
    EXPECT_EQ(max_live, 2);

    std::map<std::string, std::string> selected; // kind -> name of what the DC holds
    for (const std::string& call : calls) {
        ASSERT_EQ(call.find("wrong dc"), std::string::npos) << call;
        if (call.rfind("SelectObject(", 0) == 0) {
            const std::string object = call.substr(13, call.find(')') - 13);
            const std::string kind = object.rfind("dc-", 0) == 0     ? object.substr(3)
                                     : object.rfind("pen", 0) == 0   ? "pen"
                                     : object.rfind("brush", 0) == 0 ? "brush"
                                                                     : "font";
            selected[kind] = object;
        } else if (call.rfind("DeleteObject(", 0) == 0) {
            const std::string object = call.substr(13, call.find(')') - 13);
            for (const auto& [kind, held] : selected) {
                EXPECT_NE(held, object) << object << " deleted while selected";
            }
        }
    }
    EXPECT_EQ(calls.back(), "DeleteObject(font2)");
}

} // namespace
