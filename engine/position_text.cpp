#include "engine/position_text.h"

bool parse_position(std::string_view text, Board& board) {
    if (text.size() != 64) {
        return false;
    }
    Board parsed{};
    for (std::size_t i = 0; i < 64; ++i) {
        switch (text[i]) {
        case '.':
            parsed[i] = EMPTY;
            break;
        case 'X':
            parsed[i] = BLACK;
            break;
        case 'O':
            parsed[i] = WHITE;
            break;
        default:
            return false;
        }
    }
    board = parsed;
    return true;
}

std::array<char, 65> format_position(const Board& board) {
    std::array<char, 65> text{};
    for (std::size_t i = 0; i < 64; ++i) {
        text[i] = board[i] == BLACK ? 'X' : board[i] == WHITE ? 'O' : '.';
    }
    return text;
}
