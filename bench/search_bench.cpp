// Level-6 self-play from a fixed seed, for the plain search and the program's fast one in the
// same run: the computer's whole workload over a few games, both sides chosen by best_move after
// a few random first moves. Reports search calls per second for each, the slowest single move,
// and at the end the ratio of the two rates.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "engine/oracle_search.h"
#include "engine/search.h"

namespace {

constexpr std::uint32_t SEED = 20250707u;
constexpr int GAMES = 4;
constexpr int RANDOM_PLIES = 4;
constexpr std::int32_t LEVEL = 6;

using BestMove = Move (*)(Board&, std::int32_t, std::int32_t, SearchStats*);

Move oracle_best_move(Board& board, std::int32_t side, std::int32_t level, SearchStats* stats) {
    return oracle::best_move(board, side, level, stats);
}
Move fast_best_move(Board& board, std::int32_t side, std::int32_t level, SearchStats* stats) {
    return best_move(board, side, level, stats);
}

struct Opening {
    Board board;
    std::int32_t side;
};

// The positions after the random first moves of each game.
std::vector<Opening> game_starts() {
    std::mt19937 rng(SEED);
    std::vector<Opening> starts;
    for (int g = 0; g < GAMES; ++g) {
        Board board{};
        reset_to_opening(board);
        std::int32_t side = BLACK;
        for (int ply = 0; ply < RANDOM_PLIES; ++ply) {
            Move moves[64];
            int count = 0;
            for (std::int32_t row = 0; row < 8; ++row) {
                for (std::int32_t col = 0; col < 8; ++col) {
                    if (is_legal_move(board, side, row, col)) {
                        moves[count++] = Move{row, col};
                    }
                }
            }
            const Move m = moves[rng() % count];
            apply_move(board, side, m.row, m.col);
            side = opponent(side);
        }
        starts.push_back({board, side});
    }
    return starts;
}

// Plays every game to its end; calls on_move with each searched move's time and calls.
template <class OnMove>
void play_games(const std::vector<Opening>& starts, BestMove choose, SearchStats* stats,
                OnMove on_move) {
    int index = 0;
    for (const Opening& start : starts) {
        Board board = start.board;
        std::int32_t side = start.side;
        while (has_legal_move(board, side) || has_legal_move(board, opponent(side))) {
            const std::uint64_t calls_before = stats != nullptr ? stats->calls : 0;
            const auto t0 = std::chrono::steady_clock::now();
            const Move m = choose(board, side, LEVEL, stats);
            const auto t1 = std::chrono::steady_clock::now();
            on_move(index++, std::chrono::duration<double, std::milli>(t1 - t0).count(),
                    stats != nullptr ? stats->calls - calls_before : 0);
            if (m != NO_MOVE) {
                apply_move(board, side, m.row, m.col);
            }
            side = opponent(side);
        }
    }
}

struct Measured {
    double calls_per_second = 0;
    double slowest_ms = 0;
    std::uint64_t calls = 0;
};
Measured plain;
Measured fast;

void BM_SelfPlayLevel6(benchmark::State& state, BestMove choose, Measured* measured) {
    const std::vector<Opening> starts = game_starts();

    // The calls of the workload, counted once outside the timing: the game asks without
    // statistics, and so does the timed loop.
    SearchStats stats;
    std::vector<std::uint64_t> move_calls;
    play_games(starts, choose, &stats,
               [&](int, double, std::uint64_t calls) { move_calls.push_back(calls); });

    std::vector<double> fastest(move_calls.size(), 1e300);
    for (auto _ : state) {
        play_games(starts, choose, nullptr, [&](int index, double ms, std::uint64_t) {
            fastest[static_cast<std::size_t>(index)] =
                std::min(fastest[static_cast<std::size_t>(index)], ms);
        });
    }
    // The slowest move is the one whose best time over the iterations is the longest, so a
    // pause from elsewhere on the machine does not count as the search's own.
    const auto slowest = std::max_element(fastest.begin(), fastest.end());
    const std::size_t slowest_index = static_cast<std::size_t>(slowest - fastest.begin());
    state.counters["calls/s"] = benchmark::Counter(static_cast<double>(stats.calls) *
                                                       static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
    state.counters["calls"] = static_cast<double>(stats.calls);
    state.counters["moves"] = static_cast<double>(move_calls.size());
    state.counters["slowest_ms"] = *slowest;
    state.counters["slowest_calls"] = static_cast<double>(move_calls[slowest_index]);
    measured->slowest_ms = *slowest;
    measured->calls = stats.calls;
}
BENCHMARK_CAPTURE(BM_SelfPlayLevel6, plain, oracle_best_move, &plain)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SelfPlayLevel6, fast, fast_best_move, &fast)->Unit(benchmark::kMillisecond);

// Keeps the calls/s figures as reported, for the ratio printed at the end.
class Reporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const auto rate = run.counters.find("calls/s");
            if (run.run_type != Run::RT_Iteration || rate == run.counters.end()) {
                continue;
            }
            const std::string name = run.benchmark_name();
            Measured& measured = name.find("/fast") != std::string::npos ? fast : plain;
            measured.calls_per_second = rate->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (plain.calls_per_second > 0 && fast.calls_per_second > 0) {
        if (plain.calls != fast.calls) {
            std::printf("the two searches made different numbers of calls: %llu and %llu\n",
                        static_cast<unsigned long long>(plain.calls),
                        static_cast<unsigned long long>(fast.calls));
            return 1;
        }
        std::printf("fast / plain search calls per second: %.1f\n",
                    fast.calls_per_second / plain.calls_per_second);
        std::printf("slowest level-6 move: plain %.2f ms, fast %.3f ms\n", plain.slowest_ms,
                    fast.slowest_ms);
    }
    return 0;
}
