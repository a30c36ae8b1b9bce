// Every colour of the window, as Windows colour values 0x00BBGGRR.
#pragma once

#include <cstdint>

using Colour = std::uint32_t;

constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Colour{red} | Colour{green} << 8 | Colour{blue} << 16;
}

// Window class brush: Windows erases the client area with it before every paint.
inline constexpr Colour BACKGROUND_COLOUR = rgb(0, 128, 0);
inline constexpr Colour GRID_COLOUR = rgb(192, 192, 192);
inline constexpr Colour DARK_DISC_FILL = rgb(20, 20, 20);
inline constexpr Colour LIGHT_DISC_FILL = rgb(240, 240, 240);
inline constexpr Colour DISC_OUTLINE = rgb(0, 0, 0);
inline constexpr Colour CURSOR_FILL = rgb(0, 221, 0);
inline constexpr Colour DOT_FILL = rgb(0, 0, 0);
inline constexpr Colour TITLE_TEXT_COLOUR = rgb(255, 255, 0);
inline constexpr Colour PANEL_TEXT_COLOUR = rgb(221, 221, 221);
