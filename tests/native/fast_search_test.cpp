// The program's search against the plain one: for each (position, side, level) the same move,
// value, number of calls and of depth-0 calls, and the board unchanged. The normal run checks a
// fixed slice; QUANDOR_FULL_DIFFERENTIAL=1 checks the full sample of over 10,000 triples.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "tests/native/engines.h"
#include "tests/native/test_positions.h"

namespace {

struct Case {
    Board board;
    std::int32_t side;
    std::int32_t level;
};

bool full_run() {
    const char* value = std::getenv("QUANDOR_FULL_DIFFERENTIAL");
    return value != nullptr && std::string(value) == "1";
}

// The opening, the four first-move positions, positions where a side must pass and positions
// where neither side can move, for both sides at every level.
std::vector<Case> special_cases() {
    std::vector<Board> boards = {opening()};
    for (const Move m : legal_moves(opening(), BLACK)) {
        Board board = opening();
        apply_move(board, BLACK, m.row, m.col);
        boards.push_back(board);
    }
    boards.push_back(board_from("OX......" + std::string(56, '.')));
    boards.push_back(board_from("XX......" + std::string(55, '.') + "O"));
    boards.push_back(Board{});
    boards.push_back(board_from(std::string(40, 'X') + std::string(24, 'O')));
    // A move that turns six discs along each full row, column and long diagonal, from either
    // end: the largest sums of turned weights, which random play seldom reaches.
    for (int line = 0; line < 18; ++line) {
        for (const bool reversed : {false, true}) {
            Board board{};
            for (int i = 1; i < 8; ++i) {
                const int k = reversed ? 7 - i : i;
                const int row = line < 8 ? line : line < 17 ? k : 7 - k;
                const int col = line < 8 ? k : line < 16 ? line - 8 : k;
                board[cell_index(row, col)] = i < 7 ? WHITE : BLACK;
            }
            boards.push_back(board);
        }
    }
    // Passes and finished games as random play reaches them.
    int passes = 0;
    int ends = 0;
    for (const SidedPosition& p : random_game_positions(99u, 60)) {
        const bool own = has_legal_move(p.board, p.side);
        const bool other = has_legal_move(p.board, opponent(p.side));
        if (!own && other && passes < 12) {
            boards.push_back(p.board);
            ++passes;
        } else if (!own && !other && ends < 4) {
            boards.push_back(p.board);
            ++ends;
        }
    }
    std::vector<Case> cases;
    for (const Board& board : boards) {
        for (const std::int32_t side : {BLACK, WHITE}) {
            for (std::int32_t level = 1; level <= 6; ++level) {
                cases.push_back({board, side, level});
            }
        }
    }
    return cases;
}

// Every ply of random games, the side to move, at every level: all levels in the full run;
// in the normal run each position at one level, the levels taking turns from ply to ply.
std::vector<Case> random_game_cases(bool full) {
    std::vector<Case> cases;
    const int games = full ? 30 : 3;
    int ply = 0;
    for (const SidedPosition& p : random_game_positions(20250707u, games)) {
        if (full) {
            for (std::int32_t level = 1; level <= 6; ++level) {
                cases.push_back({p.board, p.side, level});
            }
        } else {
            cases.push_back({p.board, p.side, ply % 6 + 1});
        }
        ++ply;
    }
    return cases;
}

struct Outcome {
    Move move;
    std::int32_t value;
    SearchStats stats;
    bool board_kept;
};

template <class E> Outcome best_move_of(const Case& c) {
    Board board = c.board;
    Outcome o{};
    o.move = E::best_move(board, c.side, c.level, &o.stats);
    o.value = o.stats.value;
    o.board_kept = board == c.board;
    return o;
}

template <class E> Outcome search_of(const Case& c, std::int32_t alpha, std::int32_t beta) {
    Board board = c.board;
    Outcome o{};
    o.move = NO_MOVE;
    o.value = E::search(board, c.side, c.level, alpha, beta, &o.stats);
    o.board_kept = board == c.board;
    return o;
}

// "" when the two agree, otherwise what differs.
std::string difference(const Outcome& fast, const Outcome& plain) {
    std::ostringstream out;
    if (fast.move != plain.move) {
        out << " move " << fast.move.row << "," << fast.move.col << " vs " << plain.move.row << ","
            << plain.move.col;
    }
    if (fast.value != plain.value || fast.stats.value != plain.stats.value) {
        out << " value " << fast.value << "/" << fast.stats.value << " vs " << plain.value << "/"
            << plain.stats.value;
    }
    if (fast.stats.calls != plain.stats.calls) {
        out << " calls " << fast.stats.calls << " vs " << plain.stats.calls;
    }
    if (fast.stats.leaves != plain.stats.leaves) {
        out << " leaves " << fast.stats.leaves << " vs " << plain.stats.leaves;
    }
    if (!fast.board_kept || !plain.board_kept) {
        out << " board changed";
    }
    return out.str();
}

// Checks best_move, and search with a window drawn from rng, for every case; reports the
// first few disagreements with their positions.
void expect_agreement(const std::vector<Case>& cases, std::mt19937& rng) {
    int failures = 0;
    for (const Case& c : cases) {
        const Outcome plain = best_move_of<Oracle>(c);
        std::string diff = difference(best_move_of<Fast>(c), plain);
        // The game calls best_move without statistics; its choice must not depend on them.
        Board board = c.board;
        if (best_move(board, c.side, c.level) != plain.move) {
            diff += " move without statistics";
        }
        // Narrow and shifted windows exercise the fail-hard results at the root.
        const std::int32_t alpha = static_cast<std::int32_t>(rng() % 241) - 120;
        const std::int32_t beta = alpha + 1 + static_cast<std::int32_t>(rng() % 40);
        const std::string window_diff =
            difference(search_of<Fast>(c, alpha, beta), search_of<Oracle>(c, alpha, beta));
        if (!window_diff.empty()) {
            diff += " search(" + std::to_string(alpha) + ", " + std::to_string(beta) +
                    "):" + window_diff;
        }
        if (!diff.empty() && ++failures <= 10) {
            ADD_FAILURE() << format_position(c.board).data() << " side " << c.side << " level "
                          << c.level << ":" << diff;
        }
    }
    EXPECT_EQ(failures, 0) << "of " << cases.size() << " cases";
}

TEST(FastSearch, AgreesWithThePlainSearchOnSpecialPositions) {
    std::mt19937 rng(5u);
    expect_agreement(special_cases(), rng);
}

TEST(FastSearch, AgreesWithThePlainSearchOnRandomGames) {
    const bool full = full_run();
    const std::vector<Case> cases = random_game_cases(full);
    if (full) {
        // The documented full run promises at least this many triples, special ones included.
        const std::size_t triples = cases.size() + special_cases().size();
        ASSERT_GE(triples, 10000u);
        std::printf("full run: %zu (position, side, level) triples\n", triples);
    }
    std::mt19937 rng(11u);
    expect_agreement(cases, rng);
}

} // namespace
