// The two searches behind one face, so that a test can run against either: the plain one
// and the program's fast one.
#pragma once

#include <string>
#include <type_traits>

#include "engine/oracle_search.h"
#include "engine/search.h"

struct Oracle {
    static std::int32_t evaluate(const Board& board, std::int32_t side) {
        return oracle::evaluate(board, side);
    }
    static std::int32_t search(Board& board, std::int32_t side, std::int32_t depth,
                               std::int32_t alpha, std::int32_t beta,
                               SearchStats* stats = nullptr) {
        return oracle::search(board, side, depth, alpha, beta, stats);
    }
    static Move best_move(Board& board, std::int32_t side, std::int32_t level,
                          SearchStats* stats = nullptr) {
        return oracle::best_move(board, side, level, stats);
    }
};

struct Fast {
    static std::int32_t evaluate(const Board& board, std::int32_t side) {
        return ::evaluate(board, side);
    }
    static std::int32_t search(Board& board, std::int32_t side, std::int32_t depth,
                               std::int32_t alpha, std::int32_t beta,
                               SearchStats* stats = nullptr) {
        return ::search(board, side, depth, alpha, beta, stats);
    }
    static Move best_move(Board& board, std::int32_t side, std::int32_t level,
                          SearchStats* stats = nullptr) {
        return ::best_move(board, side, level, stats);
    }
};

// Names the typed tests by engine.
struct EngineName {
    template <class E> static std::string GetName(int) {
        return std::is_same_v<E, Oracle> ? "Oracle" : "Fast";
    }
};
