// The board as two 64-bit masks, for the search and perft. Bit row * 8 + col stands for cell
// (row, col), so visiting the set bits from the lowest up visits the cells in row-major order,
// the order in which the rules scan the 64-cell board.
#pragma once

#include <array>
#include <cstdint>

#include "engine/board.h"

// The discs of the side to move and of its opponent.
struct Bitboard {
    std::uint64_t own;
    std::uint64_t opp;
};

Bitboard to_bitboard(const Board& board, std::int32_t side);

namespace bitboard_detail {

inline constexpr std::uint64_t COL_0 = 0x0101010101010101u;
inline constexpr std::uint64_t COL_7 = 0x8080808080808080u;

// One step along a line whose cell index changes by delta; bits that would wrap into the
// next or previous row are masked off by the callers.
template <int delta> constexpr std::uint64_t step(std::uint64_t b) {
    if constexpr (delta > 0) {
        return b << delta;
    } else {
        return b >> -delta;
    }
}

// Moves of own that bracket opp along one line: a run of up to six opponent discs starting
// next to an own disc, followed by an empty cell.
template <int delta>
constexpr std::uint64_t moves_along(std::uint64_t own, std::uint64_t opp, std::uint64_t empty) {
    // Outside the vertical lines, a run may not pass column 0 or 7 or it would wrap.
    constexpr std::uint64_t inner = (delta == 8 || delta == -8) ? ~0ull : ~(COL_0 | COL_7);
    const std::uint64_t o = opp & inner;
    std::uint64_t run = step<delta>(own) & o;
    run |= step<delta>(run) & o;
    run |= step<delta>(run) & o;
    run |= step<delta>(run) & o;
    run |= step<delta>(run) & o;
    run |= step<delta>(run) & o;
    return step<delta>(run) & empty;
}

// RAYS[square][d]: the cells beyond square along direction d, up to the edge; one square's
// eight lines share a cache line. Directions 0..3 raise the cell index (+1, +7, +8, +9),
// directions 4..7 lower it (-1, -7, -8, -9).
inline constexpr std::int32_t RAY_ROW[8] = {0, 1, 1, 1, 0, -1, -1, -1};
inline constexpr std::int32_t RAY_COL[8] = {1, -1, 0, 1, -1, 1, 0, -1};

struct alignas(64) SquareRays {
    std::uint64_t ray[8];
};

constexpr std::array<SquareRays, 64> make_rays() {
    std::array<SquareRays, 64> rays{};
    for (int square = 0; square < 64; ++square) {
        for (int d = 0; d < 8; ++d) {
            int row = square / 8 + RAY_ROW[d];
            int col = square % 8 + RAY_COL[d];
            while (row >= 0 && row < 8 && col >= 0 && col < 8) {
                rays[square].ray[d] |= 1ull << (row * 8 + col);
                row += RAY_ROW[d];
                col += RAY_COL[d];
            }
        }
    }
    return rays;
}
inline constexpr std::array<SquareRays, 64> RAYS = make_rays();

// Where the run of opponent discs next to a square ends along one line, and whether an own disc
// closes it there. Without branches, since whether a line turns anything is unpredictable.
struct LineEnd {
    int cell;             // the nearest cell that is not an opponent disc
    std::uint64_t closed; // all ones when that cell holds an own disc, else 0
};

// Directions 0..3 find the nearest cell as the lowest bit of the ray, 4..7 as the highest. A
// run that reaches the edge ends at a stand-in bit (63 or 0), which never closes it: either it
// lies off the ray, or on the ray it holds an opponent disc.
template <int d>
constexpr LineEnd line_end(std::uint64_t ray, std::uint64_t own, std::uint64_t opp) {
    int cell = 0;
    if constexpr (d < 4) {
        cell = __builtin_ctzll((ray & ~opp) | (1ull << 63));
    } else {
        cell = 63 ^ __builtin_clzll((ray & ~opp) | 1); // 63 - clz, as one bsr
    }
    return {cell, 0 - ((own & ray) >> cell & 1)};
}

// The discs turned along the line: the ray's cells short of the end, when it is closed.
template <int d> constexpr std::uint64_t turned_along(std::uint64_t ray, LineEnd end) {
    if constexpr (d < 4) {
        return ray & ((1ull << end.cell) - 1) & end.closed;
    } else {
        return ray & (~1ull << end.cell) & end.closed;
    }
}

template <int d>
constexpr std::uint64_t turned_on_line(const std::uint64_t* ray, std::uint64_t own,
                                       std::uint64_t opp) {
    return turned_along<d>(ray[d], line_end<d>(ray[d], own, opp));
}

} // namespace bitboard_detail

// The cells where own may move, as a mask: the same cells for which is_legal_move holds.
constexpr std::uint64_t legal_moves_mask(std::uint64_t own, std::uint64_t opp) {
    using namespace bitboard_detail;
    const std::uint64_t empty = ~(own | opp);
    return moves_along<1>(own, opp, empty) | moves_along<-1>(own, opp, empty) |
           moves_along<8>(own, opp, empty) | moves_along<-8>(own, opp, empty) |
           moves_along<7>(own, opp, empty) | moves_along<-7>(own, opp, empty) |
           moves_along<9>(own, opp, empty) | moves_along<-9>(own, opp, empty);
}

// The opponent discs that turn when own moves at square (a legal move): those apply_move
// turns.
constexpr std::uint64_t flipped_discs(std::uint64_t own, std::uint64_t opp, int square) {
    using namespace bitboard_detail;
    const std::uint64_t* ray = RAYS[square].ray;
    return turned_on_line<0>(ray, own, opp) | turned_on_line<1>(ray, own, opp) |
           turned_on_line<2>(ray, own, opp) | turned_on_line<3>(ray, own, opp) |
           turned_on_line<4>(ray, own, opp) | turned_on_line<5>(ray, own, opp) |
           turned_on_line<6>(ray, own, opp) | turned_on_line<7>(ray, own, opp);
}

// The index of the lowest set bit; mask is not 0.
constexpr int lowest_square(std::uint64_t mask) {
    return __builtin_ctzll(mask);
}
