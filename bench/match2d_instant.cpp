// One instant flat-court match between two twelve-man clubs: 96,000 ticks of rules, players and ball.
#include "BenchWorld.h"
#include "database/Records.h"
#include "engine/GameRand.h"
#include "match2d/Match2D.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

// The game folder and the shipped tactics, nobody to ask for a change.
void PrepareMatch(CMatch2D& match) {
    std::filesystem::current_path(FB_GAME_DIR);
    match.hooks.substituteNeeded = nullptr;
    match.LoadTactics("\\ini\\InitData.xml");
}

void BM_InstantMatch2D(benchmark::State& state) {
    CMatch2D match;
    PrepareMatch(match);
    GameSrand(1);
    InstantBenchClub home(1, 45);
    InstantBenchClub away(2, 45);
    int64_t ticks = 0;
    for (auto _ : state) {
        const InstantMatchResult result = RunInstantMatch(match, &home.team, &away.team, true);
        ticks += result.ticks;
        benchmark::DoNotOptimize(result.homeScore);
    }
    state.counters["ticks_per_match"] =
        benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kAvgIterations);
}

// Ten matches an iteration, the first ten BM_InstantMatch2D plays: one match's instructions move by
// a tenth and more with its random path, so bench/count_instructions.sh counts these ten.
void BM_InstantMatch2DTen(benchmark::State& state) {
    CMatch2D match;
    PrepareMatch(match);
    for (auto _ : state) {
        GameSrand(1);
        InstantBenchClub home(1, 45);
        InstantBenchClub away(2, 45);
        for (int i = 0; i < 10; ++i) {
            const InstantMatchResult result = RunInstantMatch(match, &home.team, &away.team, true);
            benchmark::DoNotOptimize(result.homeScore);
        }
    }
}

} // namespace

BENCHMARK(BM_InstantMatch2D)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InstantMatch2DTen)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
