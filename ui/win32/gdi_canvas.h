// The painter's drawing steps performed with GDI on a device context.
#pragma once

#include <windows.h>

#include "flow/game_host.h"
#include "flow/play_state.h"
#include "ui/canvas.h"

// Every pen and brush lives for one step; the font from begin_font to end_font. The device
// context is left with the objects it had.
class GdiCanvas final : public Canvas {
  public:
    explicit GdiCanvas(HDC dc) : dc_(dc) {}
    ~GdiCanvas();
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void lines(const Pen& pen, std::span<const Line> lines) override;
    void filled_rectangle(Colour brush, const Rect& rect) override;
    void filled_ellipses(Colour brush, std::span<const Rect> bounds) override;
    void outlined_ellipse(Colour brush, const Pen& pen, const Rect& bounds) override;
    void begin_font(const FontStep& step) override;
    void text(const TextStep& step) override;
    void number(const NumberStep& step) override;
    void end_font() override;

  private:
    HDC dc_;
    HFONT font_ = nullptr;
    HGDIOBJ previous_font_ = nullptr;
};

// WM_PAINT: BeginPaint, the whole picture from the client rectangle, EndPaint.
void paint_window(HWND window, Game& game, GameHost& host);
