// quandor-engine: looks at a position from the command line.
//   quandor-engine best POSITION SIDE LEVEL   -> ROW COL VALUE CALLS LEAVES
//   quandor-engine perft POSITION SIDE DEPTH  -> number of move sequences
// Bad input: one line on stderr, nothing on stdout, exit code 2.
#include <cinttypes>
#include <cstdio>
#include <string>
#include <string_view>

#include "engine/board.h"
#include "engine/perft.h"
#include "engine/position_text.h"
#include "engine/search.h"

namespace {

constexpr int EXIT_USAGE = 2;

int fail(const char* message, std::string_view detail = "") {
    std::fprintf(stderr, "quandor-engine: %s%.*s\n", message, static_cast<int>(detail.size()),
                 detail.data());
    return EXIT_USAGE;
}

// A decimal number of at most two digits within [low, high]; false otherwise.
bool parse_small(std::string_view text, int low, int high, int& value) {
    if (text.empty() || text.size() > 2) {
        return false;
    }
    int parsed = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        parsed = parsed * 10 + (c - '0');
    }
    if (parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return fail("missing command: use 'best' or 'perft'");
    }
    const std::string_view command = argv[1];
    const bool is_best = command == "best";
    if (!is_best && command != "perft") {
        return fail("unknown command: ", command);
    }
    if (argc != 5) {
        return fail(argc < 5 ? "missing arguments: expected POSITION SIDE "
                             : "too many arguments: expected POSITION SIDE ",
                    is_best ? "LEVEL" : "DEPTH");
    }

    Board board{};
    const std::string_view position = argv[2];
    if (position == "start") {
        reset_to_opening(board);
    } else if (position.size() != 64) {
        return fail("POSITION must be 'start' or 64 characters, got length ",
                    std::to_string(position.size()));
    } else if (!parse_position(position, board)) {
        return fail("POSITION may hold only '.', 'X' and 'O'");
    }

    const std::string_view side_text = argv[3];
    if (side_text != "X" && side_text != "O") {
        return fail("SIDE must be X or O, got ", side_text);
    }
    const std::int32_t side = side_text == "X" ? BLACK : WHITE;

    int number = 0;
    if (is_best) {
        if (!parse_small(argv[4], 1, 6, number)) {
            return fail("LEVEL must be a number from 1 to 6, got ", argv[4]);
        }
        SearchStats stats;
        const Move move = best_move(board, side, number, &stats);
        std::printf("%" PRId32 " %" PRId32 " %" PRId32 " %" PRIu64 " %" PRIu64 "\n", move.row,
                    move.col, stats.value, stats.calls, stats.leaves);
    } else {
        if (!parse_small(argv[4], 0, 12, number)) {
            return fail("DEPTH must be a number from 0 to 12, got ", argv[4]);
        }
        std::printf("%" PRIu64 "\n", perft(board, side, number));
    }
    return 0;
}
