// Draws the whole client area, from the game board and the PlayState, onto a Canvas.
#pragma once

#include <cstdint>

#include "engine/board.h"
#include "flow/game_host.h"
#include "flow/play_state.h"
#include "ui/canvas.h"
#include "ui/colours.h"

// Everything but the background (Windows erases it with the class brush), in the fixed order:
// grid, title, cursor cell, legal-move dots, discs, side-panel discs, then the panel font, the
// result check (check_result, which may rewrite the status line and sound the fanfare), the two
// counts and the status line. client is the client rectangle; only its height sets the sizes.
void paint_board(Canvas& canvas, Game& game, GameHost& host, const Rect& client);

// Selects the Consolas panel font of character height s / divisor with a transparent background
// and the given text colour; the caller ends it with canvas.end_font().
void select_panel_font(Canvas& canvas, std::int32_t s, std::int32_t divisor, Colour text_colour);

// One disc of diameter size with its top-left corner at (x, y): light or dark fill, black
// 2-pixel outline.
void draw_disc(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t size, bool light);

// The disc of one board cell, 3 pixels inside its grid lines.
void draw_cell_disc(Canvas& canvas, std::int32_t column, std::int32_t row, std::int32_t cw,
                    std::int32_t ch, bool light);

// The green cursor square at the PlayState's cursor cell, outlined with the current pen.
void draw_cursor_cell(Canvas& canvas, const PlayState& state, std::int32_t cw, std::int32_t ch);

// A small black dot on each cell where side may move; nothing at all while WHITE is to move.
void draw_legal_dots(Canvas& canvas, const Board& board, std::int32_t side, std::int32_t cw,
                     std::int32_t ch);
