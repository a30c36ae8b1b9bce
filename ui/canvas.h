// The painter's only output: the drawing steps of one paint, each with every number it needs.
// Windows performs them with GDI; tests record them.
#pragma once

#include <cstdint>
#include <span>

#include "ui/colours.h"

struct Point {
    std::int32_t x;
    std::int32_t y;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

// left, top, right, bottom, as Windows takes them for Rectangle, Ellipse and DrawTextW.
struct Rect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Line {
    Point from;
    Point to;
    friend constexpr bool operator==(const Line&, const Line&) = default;
};

// The values of the Windows constants the painter uses, so that portable code can name them.
inline constexpr std::int32_t PEN_SOLID = 0;                  // PS_SOLID
inline constexpr std::int32_t BACKGROUND_TRANSPARENT = 1;     // TRANSPARENT, for SetBkMode
inline constexpr std::int32_t WEIGHT_HEAVY = 900;             // FW_HEAVY
inline constexpr std::uint32_t CHARSET_ANSI = 0;              // ANSI_CHARSET
inline constexpr std::uint32_t OUTPUT_TT = 4;                 // OUT_TT_PRECIS
inline constexpr std::uint32_t CLIP_TT_ALWAYS_FLAG = 0x20;    // CLIP_TT_ALWAYS
inline constexpr std::uint32_t QUALITY_PROOF = 2;             // PROOF_QUALITY
inline constexpr std::uint32_t SWISS_VARIABLE = 0x22;         // FF_SWISS | VARIABLE_PITCH
inline constexpr std::uint32_t TEXT_NOCLIP_WORDBREAK = 0x110; // DT_NOCLIP | DT_WORDBREAK
inline constexpr std::int32_t TEXT_NUL_TERMINATED = -1; // DrawTextW length of a terminated text

struct Pen {
    std::int32_t style;
    std::int32_t width;
    Colour colour;
    friend constexpr bool operator==(const Pen&, const Pen&) = default;
};

// The fourteen arguments of CreateFontA, in its order.
struct Font {
    std::int32_t height;
    std::int32_t width;
    std::int32_t escapement;
    std::int32_t orientation;
    std::int32_t weight;
    std::uint32_t italic;
    std::uint32_t underline;
    std::uint32_t strike_out;
    std::uint32_t char_set;
    std::uint32_t out_precision;
    std::uint32_t clip_precision;
    std::uint32_t quality;
    std::uint32_t pitch_and_family;
    const char* face_name;
};

// The font and text settings that the texts after begin_font are drawn with.
struct FontStep {
    Font font;
    std::int32_t background_mode;
    Colour text_colour;
};

// A text drawn into a rectangle; a carriage return starts a new line.
struct TextStep {
    const char16_t* text;
    std::int32_t length;
    Rect rect;
    std::uint32_t format;
};

// A number formatted with a printf-style format, then drawn like a text.
struct NumberStep {
    std::int32_t value;
    const char16_t* number_format;
    std::int32_t length;
    Rect rect;
    std::uint32_t format;
};

// Each step makes, selects, deselects and deletes its own drawing objects, except the font,
// which lives from begin_font to the matching end_font (one font at a time).
class Canvas {
  public:
    // One pen for all the lines; each line from its start to its end.
    virtual void lines(const Pen& pen, std::span<const Line> lines) = 0;
    // A brush of its own; the outline is the current pen's.
    virtual void filled_rectangle(Colour brush, const Rect& rect) = 0;
    // One brush for all the ellipses, outlined with the current pen; the brush is made even when
    // there is no ellipse.
    virtual void filled_ellipses(Colour brush, std::span<const Rect> bounds) = 0;
    // An ellipse with a brush and a pen of its own, the brush selected first.
    virtual void outlined_ellipse(Colour brush, const Pen& pen, const Rect& bounds) = 0;
    virtual void begin_font(const FontStep& step) = 0;
    virtual void text(const TextStep& step) = 0;
    virtual void number(const NumberStep& step) = 0;
    virtual void end_font() = 0;

  protected:
    ~Canvas() = default;
};
