// The search works on two 64-bit masks instead of the 64-cell board: moves come from shifts
// and masks, the turned discs from precomputed lines, and the evaluation is carried down the
// tree and updated by the weights of the cells that change, so a depth-0 call costs nothing
// but its count. The tree, the scan order (lowest bit first is row-major), the strict
// comparisons, the fail-hard result and the pass rule are those of the plain search in
// oracle_search.cpp, so every result and every count is the same.
#include "engine/search.h"

#include "engine/bitboard.h"

namespace {

constexpr std::array<std::int32_t, 64> make_square_weights() {
    std::array<std::int32_t, 64> weights{};
    for (int square = 0; square < 64; ++square) {
        weights[square] = WEIGHTS[square / 8][square % 8];
    }
    return weights;
}
constexpr std::array<std::int32_t, 64> SQUARE_WEIGHT = make_square_weights();

// Only at the entry of a search; below it the evaluation is updated move by move.
std::int32_t weight_of(std::uint64_t discs) {
    std::int32_t sum = 0;
    for (; discs != 0; discs &= discs - 1) {
        sum += SQUARE_WEIGHT[lowest_square(discs)];
    }
    return sum;
}

// BETWEEN_WEIGHT[a][b]: the weights of the cells strictly between cells a and b when they lie
// on one line, else 0. The discs a move turns along a line are those between the new disc and
// the nearest own disc, so a move's gain can be summed line by line without the turned mask.
template <class T> constexpr std::array<std::array<T, 64>, 64> make_between_weights() {
    std::array<std::array<T, 64>, 64> table{};
    for (int from = 0; from < 64; ++from) {
        for (int d = 0; d < 8; ++d) {
            const int dr = bitboard_detail::RAY_ROW[d];
            const int dc = bitboard_detail::RAY_COL[d];
            int sum = 0;
            int row = from / 8 + dr;
            int col = from % 8 + dc;
            while (row >= 0 && row < 8 && col >= 0 && col < 8) {
                table[from][row * 8 + col] = static_cast<T>(sum);
                sum += WEIGHTS[row][col];
                row += dr;
                col += dc;
            }
        }
    }
    return table;
}
constexpr std::array<std::array<std::int8_t, 64>, 64> BETWEEN_WEIGHT =
    make_between_weights<std::int8_t>();

// Bytes keep the table small; every sum fits in one (the lowest, between the ends of column 1,
// is -108).
constexpr bool between_weights_fit() {
    const auto wide = make_between_weights<std::int32_t>();
    for (int a = 0; a < 64; ++a) {
        for (int b = 0; b < 64; ++b) {
            if (wide[a][b] != BETWEEN_WEIGHT[a][b]) {
                return false;
            }
        }
    }
    return true;
}
static_assert(between_weights_fit());

// A legal move at square: the discs it turns, and how much the mover's evaluation rises. The
// new disc counts once and each turned disc twice, as it leaves the opponent's sum and joins
// the mover's.
struct Played {
    std::uint64_t flips;
    std::int32_t gain;
};

template <int d, bool turned>
[[gnu::always_inline]] inline void play_line(Played& played, const std::uint64_t* ray,
                                             const std::int8_t* between, std::uint64_t own,
                                             std::uint64_t opp) {
    const bitboard_detail::LineEnd end = bitboard_detail::line_end<d>(ray[d], own, opp);
    if constexpr (turned) {
        played.flips |= bitboard_detail::turned_along<d>(ray[d], end);
    }
    played.gain += 2 * (between[end.cell] & static_cast<std::int32_t>(end.closed));
}

template <bool turned>
[[gnu::always_inline]] inline Played play_lines(std::uint64_t own, std::uint64_t opp, int square) {
    const std::uint64_t* ray = bitboard_detail::RAYS[square].ray;
    const std::int8_t* between = BETWEEN_WEIGHT[square].data();
    Played played{0, SQUARE_WEIGHT[square]};
    play_line<0, turned>(played, ray, between, own, opp);
    play_line<1, turned>(played, ray, between, own, opp);
    play_line<2, turned>(played, ray, between, own, opp);
    play_line<3, turned>(played, ray, between, own, opp);
    play_line<4, turned>(played, ray, between, own, opp);
    play_line<5, turned>(played, ray, between, own, opp);
    play_line<6, turned>(played, ray, between, own, opp);
    play_line<7, turned>(played, ray, between, own, opp);
    return played;
}

Played play(std::uint64_t own, std::uint64_t opp, int square) {
    return play_lines<true>(own, opp, square);
}

// Only the gain, for the moves whose children are depth-0 calls; inlined into that loop, the
// hottest of the search.
[[gnu::always_inline]] inline std::int32_t gain_of(std::uint64_t own, std::uint64_t opp,
                                                   int square) {
    return play_lines<false>(own, opp, square).gain;
}

// Counting is a template parameter so that the game's search carries no counting at all.
struct NoCount {
    void call() {}
    void leaf() {}
};
struct Count {
    SearchStats& stats;
    void call() { ++stats.calls; }
    void leaf() { ++stats.leaves; }
};

// own and opp belong to the side to move; eval is evaluate for that side.
template <class Counter>
std::int32_t negamax(std::uint64_t own, std::uint64_t opp, std::int32_t eval, std::int32_t depth,
                     std::int32_t alpha, std::int32_t beta, Counter& counter) {
    counter.call();
    if (depth == 0) {
        counter.leaf();
        return eval;
    }
    std::uint64_t moves = legal_moves_mask(own, opp);
    if (moves == 0) {
        return -negamax(opp, own, -eval, depth - 1, -beta, -alpha, counter);
    }
    if (depth == 1) {
        // Every child is a depth-0 call that would return its evaluation: score it here.
        do {
            const int square = lowest_square(moves);
            moves &= moves - 1;
            counter.call();
            counter.leaf();
            const std::int32_t score = eval + gain_of(own, opp, square);
            // A select rather than a branch: which move raises alpha is unpredictable.
            alpha = score > alpha ? score : alpha;
            if (alpha >= beta) {
                return alpha;
            }
        } while (moves != 0);
        return alpha;
    }
    do {
        const int square = lowest_square(moves);
        moves &= moves - 1;
        const Played p = play(own, opp, square);
        const std::int32_t score = -negamax(opp & ~p.flips, own | p.flips | (1ull << square),
                                            -(eval + p.gain), depth - 1, -beta, -alpha, counter);
        if (score > alpha) {
            alpha = score;
            if (alpha >= beta) {
                return alpha;
            }
        }
    } while (moves != 0);
    return alpha;
}

template <class Counter>
Move root(const Bitboard& b, std::int32_t level, std::int32_t& best, Counter& counter) {
    const std::int32_t eval = weight_of(b.own) - weight_of(b.opp);
    Move result = NO_MOVE;
    for (std::uint64_t moves = legal_moves_mask(b.own, b.opp); moves != 0; moves &= moves - 1) {
        const int square = lowest_square(moves);
        const Played p = play(b.own, b.opp, square);
        const std::int32_t score =
            -negamax(b.opp & ~p.flips, b.own | p.flips | (1ull << square), -(eval + p.gain),
                     level - 1, -SEARCH_BOUND, SEARCH_BOUND, counter);
        if (score > best) {
            best = score;
            result = Move{square / 8, square % 8};
        }
    }
    return result;
}

} // namespace

std::int32_t evaluate(const Board& board, std::int32_t side) {
    const Bitboard b = to_bitboard(board, side);
    return weight_of(b.own) - weight_of(b.opp);
}

std::int32_t search(Board& board, std::int32_t side, std::int32_t depth, std::int32_t alpha,
                    std::int32_t beta, SearchStats* stats) {
    const Bitboard b = to_bitboard(board, side);
    const std::int32_t eval = weight_of(b.own) - weight_of(b.opp);
    if (stats != nullptr) {
        Count counter{*stats};
        return negamax(b.own, b.opp, eval, depth, alpha, beta, counter);
    }
    NoCount counter;
    return negamax(b.own, b.opp, eval, depth, alpha, beta, counter);
}

Move best_move(Board& board, std::int32_t side, std::int32_t level, SearchStats* stats) {
    const Bitboard b = to_bitboard(board, side);
    std::int32_t best = -SEARCH_BOUND;
    if (stats != nullptr) {
        Count counter{*stats};
        const Move result = root(b, level, best, counter);
        stats->value = best;
        return result;
    }
    NoCount counter;
    return root(b, level, best, counter);
}
