// The computer's first level-6 reply of a game, for each of the human's four first moves.
#include <benchmark/benchmark.h>

#include "engine/search.h"

namespace {

void BM_FirstReplyLevel6(benchmark::State& state) {
    const Move firsts[4] = {{2, 3}, {3, 2}, {4, 5}, {5, 4}};
    const Move first = firsts[state.range(0)];
    Board board{};
    reset_to_opening(board);
    apply_move(board, BLACK, first.row, first.col);
    std::uint64_t calls = 0;
    for (auto _ : state) {
        SearchStats stats;
        benchmark::DoNotOptimize(best_move(board, WHITE, 6, &stats));
        calls += stats.calls;
    }
    state.counters["calls/s"] =
        benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FirstReplyLevel6)->DenseRange(0, 3);

} // namespace

BENCHMARK_MAIN();
