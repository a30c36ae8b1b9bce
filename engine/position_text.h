// Positions as 64 characters, row 0 first: '.' empty, 'X' BLACK, 'O' WHITE.
#pragma once

#include <array>
#include <string_view>

#include "engine/board.h"

// False, with the board untouched, unless text is exactly 64 of those characters.
bool parse_position(std::string_view text, Board& board);
std::array<char, 65> format_position(const Board& board);
