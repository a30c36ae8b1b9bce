// The GDI Canvas painting into a memory bitmap, read back pixel by pixel, and its GDI objects.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "engine/board.h"
#include "flow/game_host.h"
#include "flow/play_state.h"
#include "ui/colours.h"
#include "ui/painter.h"
#include "ui/win32/gdi_canvas.h"

namespace {

// A running game with free cells: the result check neither sounds nor asks anything.
class SilentHost final : public GameHost {
  public:
    int calls = 0;
    bool confirm(const char16_t*, const char16_t*) override { return ++calls, false; }
    void play_tone(std::int32_t, std::int32_t) override { ++calls; }
    void info_beep() override { ++calls; }
    void request_repaint() override { ++calls; }
    void start_move_timer(std::int32_t) override { ++calls; }
    void stop_move_timer() override { ++calls; }
};

// A top-down 32-bit DIB section selected into a memory DC, erased with the window class
// colour as Windows erases the client area before WM_PAINT.
class Bitmap {
  public:
    Bitmap(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<const std::uint32_t*>(bits);
        previous_ = SelectObject(dc_, bitmap_);
        const RECT all{0, 0, width, height};
        const HBRUSH background = CreateSolidBrush(BACKGROUND_COLOUR);
        FillRect(dc_, &all, background);
        DeleteObject(background);
    }
    ~Bitmap() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    HDC dc() const { return dc_; }
    bool ready() const { return bits_ != nullptr; }

    // As a Windows colour value, 0x00BBGGRR.
    Colour at(int x, int y) const {
        GdiFlush();
        const std::uint32_t p = bits_[y * width_ + x]; // 0x00RRGGBB in a BI_RGB DIB
        return rgb(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                   static_cast<std::uint8_t>(p));
    }
    // How many pixels of the rectangle have the colour.
    int count(Colour colour, int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                n += at(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }
    bool same_pixels(const Bitmap& other) const {
        GdiFlush();
        return width_ == other.width_ && height_ == other.height_ &&
               std::memcmp(bits_, other.bits_, sizeof(std::uint32_t) * width_ * height_) == 0;
    }

  private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    const std::uint32_t* bits_ = nullptr;
};

Game opening_game() {
    Game game;
    reset_to_opening(game.board);
    game.state.running = true;
    game.state.cursor_row = 2;
    game.state.cursor_col = 3;
    const char16_t status[] = u"Level: Novice";
    std::memcpy(game.state.status_text, status, sizeof status);
    return game;
}

void paint(Bitmap& bitmap, Game& game, GameHost& host, int width, int height) {
    GdiCanvas canvas(bitmap.dc());
    paint_board(canvas, game, host, {0, 0, width, height});
}

// The process's GDI objects. Wine answers GetGuiResources with 0 and "not implemented"; there
// the live entries of its handle table are counted instead (a handle's low word is its index,
// and a handle without generation bits names whatever lives at that index).
DWORD gdi_object_count() {
    SetLastError(0);
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        return reported;
    }
    DWORD live = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
    }
    return live;
}

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600; // s = 74

class GdiCanvasPixels : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bitmap.ready());
        paint(bitmap, game, host, WIDTH, HEIGHT);
        EXPECT_EQ(host.calls, 0);
    }
    Bitmap bitmap{WIDTH, HEIGHT};
    Game game = opening_game();
    SilentHost host;
};

TEST_F(GdiCanvasPixels, DiscFillsAndTheirBlackOutline) {
    // cell (3, 4) holds BLACK: bounding square (303, 229) to (371, 297), centre (337, 263)
    EXPECT_EQ(bitmap.at(337, 263), rgb(20, 20, 20));
    // cell (3, 3) holds WHITE: bounding square (229, 229) to (297, 297)
    EXPECT_EQ(bitmap.at(263, 263), rgb(240, 240, 240));
    // the 2-pixel outline on the bounding square's left and top edges, the cell's ground outside
    EXPECT_EQ(bitmap.at(303, 263), rgb(0, 0, 0));
    EXPECT_EQ(bitmap.at(337, 229), rgb(0, 0, 0));
    EXPECT_EQ(bitmap.at(301, 263), BACKGROUND_COLOUR);
    EXPECT_EQ(bitmap.at(263, 301), BACKGROUND_COLOUR);
    // the side panel's discs: light at (666, 74), dark at (666, 148), diameter 37
    EXPECT_EQ(bitmap.at(684, 92), rgb(240, 240, 240));
    EXPECT_EQ(bitmap.at(684, 166), rgb(20, 20, 20));
    EXPECT_EQ(bitmap.at(666, 92), rgb(0, 0, 0));
}

TEST_F(GdiCanvasPixels, CursorCellIsGreenWithTheDefaultBlackOutline) {
    // cursor (2, 3): from (230, 156) to (296, 222)
    EXPECT_EQ(bitmap.at(240, 166), rgb(0, 221, 0));
    EXPECT_EQ(bitmap.at(290, 215), rgb(0, 221, 0));
    EXPECT_EQ(bitmap.at(230, 200), rgb(0, 0, 0));
    EXPECT_EQ(bitmap.at(240, 156), rgb(0, 0, 0));
    EXPECT_EQ(bitmap.at(228, 200), BACKGROUND_COLOUR);
    EXPECT_EQ(bitmap.at(240, 224), BACKGROUND_COLOUR);
}

TEST_F(GdiCanvasPixels, LegalMoveDotIsBlack) {
    // cell (3, 2): dot from (186, 260) to (193, 267)
    EXPECT_EQ(bitmap.at(189, 263), rgb(0, 0, 0));
    EXPECT_EQ(bitmap.at(182, 263), BACKGROUND_COLOUR);
    // cell (2, 3) lies under the cursor: the dot is drawn over the green square
    EXPECT_EQ(bitmap.at(263, 189), rgb(0, 0, 0));
    // no dot where BLACK may not move, cell (0, 0)
    EXPECT_EQ(bitmap.count(rgb(0, 0, 0), 10, 10, 76, 76), 0);
}

TEST_F(GdiCanvasPixels, GridLinesAreGrey) {
    EXPECT_EQ(bitmap.at(78, 50), rgb(192, 192, 192)); // vertical line 1
    EXPECT_EQ(bitmap.at(4, 300), rgb(192, 192, 192)); // vertical line 0
    EXPECT_EQ(bitmap.at(50, 78), rgb(192, 192, 192)); // horizontal line 1
    EXPECT_EQ(bitmap.at(300, 4), rgb(192, 192, 192)); // horizontal line 0
    EXPECT_EQ(bitmap.at(79, 50), BACKGROUND_COLOUR);
    EXPECT_EQ(bitmap.at(598, 50), BACKGROUND_COLOUR); // right of the last line at 596
}

TEST_F(GdiCanvasPixels, BackgroundIsLeftAlone) {
    EXPECT_EQ(bitmap.at(40, 40), BACKGROUND_COLOUR);   // empty cell (0, 0)
    EXPECT_EQ(bitmap.at(2, 2), BACKGROUND_COLOUR);     // margin
    EXPECT_EQ(bitmap.at(700, 500), BACKGROUND_COLOUR); // side panel below the status line
    EXPECT_EQ(bitmap.at(799, 599), BACKGROUND_COLOUR);
}

TEST_F(GdiCanvasPixels, TextsInTheirColoursAndPlaces) {
    // title from (666, 8), 37 high, yellow; nothing yellow on the board
    EXPECT_GT(bitmap.count(rgb(255, 255, 0), 666, 8, WIDTH, 60), 50);
    EXPECT_EQ(bitmap.count(rgb(255, 255, 0), 0, 0, 600, HEIGHT), 0);
    // the counts from (740, 74) and (740, 148), the status line from (666, 222)
    const Colour panel = rgb(221, 221, 221);
    EXPECT_GT(bitmap.count(panel, 740, 74, WIDTH, 110), 20);
    EXPECT_GT(bitmap.count(panel, 740, 148, WIDTH, 185), 20);
    EXPECT_GT(bitmap.count(panel, 666, 222, WIDTH, 260), 20);
    EXPECT_EQ(bitmap.count(panel, 666, 0, 740, 222), 0) << "counts start at 10 s";
}

// A number step draws exactly what DrawTextW draws for the decimal text.
TEST(GdiCanvasNumber, FormatsPlainDecimal) {
    const struct {
        std::int32_t value;
        const wchar_t* text;
    } cases[] = {{0, L"0"}, {30, L"30"}, {64, L"64"}};
    const Font font{-24, 0, 0, 0, 900, 0, 0, 0, 0, 4, 0x20, 2, 0x22, "Consolas"};
    for (const auto& c : cases) {
        Bitmap by_canvas(120, 40);
        Bitmap by_hand(120, 40);
        {
            GdiCanvas canvas(by_canvas.dc());
            canvas.begin_font({font, 1, rgb(221, 221, 221)});
            canvas.number({c.value, u"%i", -1, {4, 4, 120, 40}, 0x110});
            canvas.end_font();
        }
        const HFONT made = CreateFontA(-24, 0, 0, 0, 900, 0, 0, 0, 0, 4, 0x20, 2, 0x22, "Consolas");
        const HGDIOBJ previous = SelectObject(by_hand.dc(), made);
        SetBkMode(by_hand.dc(), TRANSPARENT);
        SetTextColor(by_hand.dc(), rgb(221, 221, 221));
        RECT rect{4, 4, 120, 40};
        DrawTextW(by_hand.dc(), c.text, -1, &rect, DT_NOCLIP | DT_WORDBREAK);
        SelectObject(by_hand.dc(), previous);
        DeleteObject(made);

        EXPECT_GT(by_hand.count(rgb(221, 221, 221), 0, 0, 120, 40), 10) << c.value;
        EXPECT_TRUE(by_canvas.same_pixels(by_hand)) << c.value;
    }
}

// The object count itself must see a leak, or the test below could not fail.
TEST(GdiObjects, CountSeesObjectsMadeAndDeleted) {
    const DWORD before = gdi_object_count();
    HBRUSH brushes[5];
    for (HBRUSH& brush : brushes) {
        brush = CreateSolidBrush(rgb(1, 2, 3));
    }
    EXPECT_EQ(gdi_object_count(), before + 5);
    for (HBRUSH brush : brushes) {
        DeleteObject(brush);
    }
    EXPECT_EQ(gdi_object_count(), before);
}

TEST(GdiObjects, ThousandPaintsLeaveNoObjectAndTheDcAsItWas) {
    Bitmap bitmap(WIDTH, HEIGHT);
    ASSERT_TRUE(bitmap.ready());
    SilentHost host;
    Game game = opening_game();
    game.state.cheat_mode = true; // both titles over the run
    const HGDIOBJ pen = GetCurrentObject(bitmap.dc(), OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(bitmap.dc(), OBJ_BRUSH);
    const HGDIOBJ font = GetCurrentObject(bitmap.dc(), OBJ_FONT);

    const DWORD before = gdi_object_count();
    for (int i = 0; i < 1000; ++i) {
        game.state.cheat_mode = !game.state.cheat_mode;
        paint(bitmap, game, host, WIDTH, HEIGHT);
    }
    EXPECT_EQ(gdi_object_count(), before);
    EXPECT_EQ(GetCurrentObject(bitmap.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(bitmap.dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(bitmap.dc(), OBJ_FONT), font);
    EXPECT_EQ(host.calls, 0);
}

// A canvas dropped with its font still selected gives the font back on the way out.
TEST(GdiObjects, CanvasEndsAFontLeftOpen) {
    Bitmap bitmap(100, 100);
    const HGDIOBJ font = GetCurrentObject(bitmap.dc(), OBJ_FONT);
    const DWORD before = gdi_object_count();
    {
        GdiCanvas canvas(bitmap.dc());
        canvas.begin_font({{-10, 0, 0, 0, 900, 0, 0, 0, 0, 4, 0x20, 2, 0x22, "Consolas"}, 1, 0});
        canvas.begin_font({{-20, 0, 0, 0, 900, 0, 0, 0, 0, 4, 0x20, 2, 0x22, "Consolas"}, 1, 0});
    }
    EXPECT_EQ(gdi_object_count(), before);
    EXPECT_EQ(GetCurrentObject(bitmap.dc(), OBJ_FONT), font);
}

// ---- paint_window on a real window ----------------------------------------------------------

Game* window_game = nullptr;
GameHost* window_host = nullptr;

LRESULT CALLBACK paint_test_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT) {
        paint_window(window, *window_game, *window_host);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

// The window's own pixels, as another program would read them.
void read_window(HWND window, Bitmap& into, int width, int height) {
    const HDC dc = GetDC(window);
    BitBlt(into.dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
}

// The picture follows the client height at every paint, and the paint validates the window.
TEST(PaintWindow, PaintsTheWholeClientFromItsHeight) {
    Game game = opening_game();
    SilentHost host;
    window_game = &game;
    window_host = &host;
    const HBRUSH background = CreateSolidBrush(BACKGROUND_COLOUR);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = paint_test_proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hbrBackground = background;
    window_class.lpszClassName = L"QuandorPaintTest";
    ASSERT_NE(RegisterClassExW(&window_class), 0);
    const HWND window = CreateWindowExW(0, L"QuandorPaintTest", L"", WS_POPUP, 0, 0, WIDTH, HEIGHT,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)) << "BeginPaint and EndPaint validate";

    Bitmap at_600(WIDTH, HEIGHT);
    read_window(window, at_600, WIDTH, HEIGHT);
    EXPECT_EQ(at_600.at(337, 263), rgb(20, 20, 20));    // disc (3, 4) with s = 74
    EXPECT_EQ(at_600.at(263, 263), rgb(240, 240, 240)); // disc (3, 3)
    EXPECT_EQ(at_600.at(240, 166), rgb(0, 221, 0));     // cursor (2, 3)
    EXPECT_EQ(at_600.at(40, 40), BACKGROUND_COLOUR);

    // 400 high: s = 49, disc (3, 4) from (203, 154), diameter 43
    SetWindowPos(window, nullptr, 0, 0, WIDTH, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    Bitmap at_400(WIDTH, 400);
    read_window(window, at_400, WIDTH, 400);
    EXPECT_EQ(at_400.at(224, 175), rgb(20, 20, 20));
    EXPECT_EQ(at_400.at(337, 263), BACKGROUND_COLOUR) << "nothing left of the larger picture";
    EXPECT_EQ(host.calls, 0);

    DestroyWindow(window);
    UnregisterClassW(L"QuandorPaintTest", GetModuleHandleW(nullptr));
    DeleteObject(background);
}

} // namespace
