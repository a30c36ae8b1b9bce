#include "ui/painter.h"

#include <algorithm>
#include <array>

#include "flow/texts.h"
#include "flow/turn_cycle.h"
#include "ui/board_geometry.h"

namespace {

constexpr Pen GRID_PEN{PEN_SOLID, 1, GRID_COLOUR};
constexpr Pen DISC_PEN{PEN_SOLID, 2, DISC_OUTLINE};
constexpr char16_t NUMBER_FORMAT[] = u"%i";

// The 9 vertical lines first, then the 9 horizontal ones.
std::array<Line, 18> grid_lines(std::int32_t s) {
    std::array<Line, 18> lines{};
    const std::int32_t far = BOARD_ORIGIN + 8 * s;
    for (std::int32_t i = 0; i <= 8; ++i) {
        const std::int32_t at = BOARD_ORIGIN + i * s;
        lines[i] = {{at, BOARD_ORIGIN}, {at, far}};
        lines[9 + i] = {{BOARD_ORIGIN, at}, {far, at}};
    }
    return lines;
}

void draw_text(Canvas& canvas, const char16_t* text, const Rect& rect) {
    canvas.text({text, TEXT_NUL_TERMINATED, rect, TEXT_NOCLIP_WORDBREAK});
}

void draw_number(Canvas& canvas, std::int32_t value, const Rect& rect) {
    canvas.number({value, NUMBER_FORMAT, TEXT_NUL_TERMINATED, rect, TEXT_NOCLIP_WORDBREAK});
}

} // namespace

void select_panel_font(Canvas& canvas, std::int32_t s, std::int32_t divisor, Colour text_colour) {
    const Font font{-(s / divisor),
                    0,
                    0,
                    0,
                    WEIGHT_HEAVY,
                    0,
                    0,
                    0,
                    CHARSET_ANSI,
                    OUTPUT_TT,
                    CLIP_TT_ALWAYS_FLAG,
                    QUALITY_PROOF,
                    SWISS_VARIABLE,
                    "Consolas"};
    canvas.begin_font({font, BACKGROUND_TRANSPARENT, text_colour});
}

void draw_disc(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t size, bool light) {
    canvas.outlined_ellipse(light ? LIGHT_DISC_FILL : DARK_DISC_FILL, DISC_PEN,
                            {x, y, x + size, y + size});
}

void draw_cell_disc(Canvas& canvas, std::int32_t column, std::int32_t row, std::int32_t cw,
                    std::int32_t ch, bool light) {
    const std::int32_t d = std::min(cw, ch) - 6;
    const std::int32_t x = (cw - d) / 2 + cw * column + BOARD_ORIGIN;
    const std::int32_t y = (ch - d) / 2 + ch * row + BOARD_ORIGIN;
    draw_disc(canvas, x, y, d, light);
}

void draw_cursor_cell(Canvas& canvas, const PlayState& state, std::int32_t cw, std::int32_t ch) {
    const std::int32_t x = cw * state.cursor_col;
    const std::int32_t y = ch * state.cursor_row;
    canvas.filled_rectangle(CURSOR_FILL, {x + 8, y + 8, x + cw, y + ch});
}

void draw_legal_dots(Canvas& canvas, const Board& board, std::int32_t side, std::int32_t cw,
                     std::int32_t ch) {
    if (side == WHITE) {
        return;
    }
    const std::int32_t d = cw / 10;
    std::array<Rect, 64> dots{};
    std::size_t count = 0;
    for (std::int32_t row = 0; row < 8; ++row) {
        for (std::int32_t column = 0; column < 8; ++column) {
            if (is_legal_move(board, side, row, column)) {
                const std::int32_t x = cw * column + cw / 2 - d / 2 + BOARD_ORIGIN;
                const std::int32_t y = ch * row + ch / 2 - d / 2 + BOARD_ORIGIN;
                dots[count++] = {x, y, x + d, y + d};
            }
        }
    }
    canvas.filled_ellipses(DOT_FILL, std::span<const Rect>(dots.data(), count));
}

void paint_board(Canvas& canvas, Game& game, GameHost& host, const Rect& client) {
    const std::int32_t s = cell_size(client.bottom - client.top);
    const PlayState& state = game.state;

    const std::array<Line, 18> grid = grid_lines(s);
    canvas.lines(GRID_PEN, grid);

    select_panel_font(canvas, s, 2, TITLE_TEXT_COLOUR);
    draw_text(canvas, state.cheat_mode ? TXT_BOARD_TITLE_CHEAT : TXT_BOARD_TITLE,
              {9 * s, 8, client.right, client.bottom});
    canvas.end_font();

    draw_cursor_cell(canvas, state, s, s);
    draw_legal_dots(canvas, game.board, state.to_move, s, s);

    for (std::int32_t row = 0; row < 8; ++row) {
        for (std::int32_t column = 0; column < 8; ++column) {
            const std::int32_t cell = game.board[cell_index(row, column)];
            if (cell == BLACK) {
                draw_cell_disc(canvas, column, row, s, s, false);
            } else if (cell == WHITE) {
                draw_cell_disc(canvas, column, row, s, s, true);
            }
        }
    }

    draw_disc(canvas, 9 * s, s, s / 2, true);
    draw_disc(canvas, 9 * s, 2 * s, s / 2, false);

    Rect counts{10 * s, s, client.right, client.bottom};
    select_panel_font(canvas, s, 3, PANEL_TEXT_COLOUR);
    const DiscCount discs = count_discs(game.board);

    // May rewrite the status line, so it runs before anything below is drawn.
    check_result(game, host);

    draw_number(canvas, discs.white, counts);
    counts.top += s;
    draw_number(canvas, discs.black, counts);
    draw_text(canvas, state.status_text, {9 * s, 3 * s, client.right, client.bottom});
    canvas.end_font();
}
