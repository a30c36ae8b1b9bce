// The game in progress: the one game board beside the one PlayState.
#pragma once

#include <cstdint>

#include "engine/board.h"

inline constexpr int STATUS_TEXT_UNITS = 256; // terminator included

struct PlayState {
    std::int32_t to_move = BLACK;
    std::int32_t cursor_row = 3;
    std::int32_t cursor_col = 3;
    bool running = false;
    bool cheat_mode = false;
    std::int32_t level = 1;
    bool german = false;
    bool about_open = false;
    char16_t status_text[STATUS_TEXT_UNITS] = {};
};

struct Game {
    Board board{}; // all EMPTY until the first new game
    PlayState state;
};
