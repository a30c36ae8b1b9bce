#include "ui/win32/gdi_canvas.h"

#include <cstdarg>

#include "ui/painter.h"

// The portable names stand for exactly these Windows values.
static_assert(PEN_SOLID == PS_SOLID);
static_assert(BACKGROUND_TRANSPARENT == TRANSPARENT);
static_assert(WEIGHT_HEAVY == FW_HEAVY);
static_assert(CHARSET_ANSI == ANSI_CHARSET);
static_assert(OUTPUT_TT == OUT_TT_PRECIS);
static_assert(CLIP_TT_ALWAYS_FLAG == CLIP_TT_ALWAYS);
static_assert(QUALITY_PROOF == PROOF_QUALITY);
static_assert(SWISS_VARIABLE == (FF_SWISS | VARIABLE_PITCH));
static_assert(TEXT_NOCLIP_WORDBREAK == (DT_NOCLIP | DT_WORDBREAK));
static_assert(rgb(1, 2, 3) == RGB(1, 2, 3));
// The painter's UTF-16 texts go to the ...W calls as they are.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

const wchar_t* wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

RECT to_rect(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

HPEN make_pen(const Pen& pen) {
    return CreatePen(pen.style, pen.width, pen.colour);
}

// wvsprintfW writes at most 1024 units and its terminator, whatever the format asks for.
struct NumberText {
    wchar_t units[1025];
};

void format_number(NumberText& out, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    wvsprintfW(out.units, format, args);
    va_end(args);
}

} // namespace

GdiCanvas::~GdiCanvas() {
    if (font_ != nullptr) {
        end_font();
    }
}

void GdiCanvas::lines(const Pen& pen, std::span<const Line> lines) {
    const HPEN made = make_pen(pen);
    const HGDIOBJ previous = SelectObject(dc_, made);
    for (const Line& line : lines) {
        MoveToEx(dc_, line.from.x, line.from.y, nullptr);
        LineTo(dc_, line.to.x, line.to.y);
    }
    SelectObject(dc_, previous);
    DeleteObject(made);
}

void GdiCanvas::filled_rectangle(Colour brush, const Rect& rect) {
    const HBRUSH made = CreateSolidBrush(brush);
    const HGDIOBJ previous = SelectObject(dc_, made);
    Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc_, previous);
    DeleteObject(made);
}

void GdiCanvas::filled_ellipses(Colour brush, std::span<const Rect> bounds) {
    const HBRUSH made = CreateSolidBrush(brush);
    const HGDIOBJ previous = SelectObject(dc_, made);
    for (const Rect& r : bounds) {
        Ellipse(dc_, r.left, r.top, r.right, r.bottom);
    }
    SelectObject(dc_, previous);
    DeleteObject(made);
}

void GdiCanvas::outlined_ellipse(Colour brush, const Pen& pen, const Rect& bounds) {
    const HBRUSH fill = CreateSolidBrush(brush);
    const HPEN outline = make_pen(pen);
    const HGDIOBJ previous_brush = SelectObject(dc_, fill);
    const HGDIOBJ previous_pen = SelectObject(dc_, outline);
    Ellipse(dc_, bounds.left, bounds.top, bounds.right, bounds.bottom);
    SelectObject(dc_, previous_brush);
    SelectObject(dc_, previous_pen);
    DeleteObject(fill);
    DeleteObject(outline);
}

void GdiCanvas::begin_font(const FontStep& step) {
    if (font_ != nullptr) {
        end_font(); // one font at a time; never lose one selected
    }
    const Font& f = step.font;
    font_ = CreateFontA(f.height, f.width, f.escapement, f.orientation, f.weight, f.italic,
                        f.underline, f.strike_out, f.char_set, f.out_precision, f.clip_precision,
                        f.quality, f.pitch_and_family, f.face_name);
    previous_font_ = SelectObject(dc_, font_);
    SetBkMode(dc_, step.background_mode);
    SetTextColor(dc_, step.text_colour);
}

void GdiCanvas::text(const TextStep& step) {
    RECT rect = to_rect(step.rect);
    DrawTextW(dc_, wide(step.text), step.length, &rect, step.format);
}

void GdiCanvas::number(const NumberStep& step) {
    NumberText text{};
    format_number(text, wide(step.number_format), static_cast<int>(step.value));
    RECT rect = to_rect(step.rect);
    DrawTextW(dc_, text.units, step.length, &rect, step.format);
}

void GdiCanvas::end_font() {
    if (font_ == nullptr) {
        return;
    }
    SelectObject(dc_, previous_font_);
    DeleteObject(font_);
    font_ = nullptr;
    previous_font_ = nullptr;
}

void paint_window(HWND window, Game& game, GameHost& host) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    {
        GdiCanvas canvas(dc);
        paint_board(canvas, game, host, {client.left, client.top, client.right, client.bottom});
    }
    EndPaint(window, &paint);
}
