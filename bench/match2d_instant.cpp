// One instant flat-court match between two twelve-man clubs: 96,000 ticks of rules, players and ball.
#include "database/Records.h"
#include "engine/GameRand.h"
#include "match2d/Match2D.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

struct Club {
    std::vector<std::unique_ptr<CPlayer>> players;
    CTeam team;
    Club(int id, int low) {
        team.id = id;
        team.leagueId = 1;
        team.leagueKind = 100005;
        team.name = CStr::Formatted("Club %d", id);
        static const int kPositions[5] = {80063, 80064, 80065, 80066, 80067};
        for (int i = 0; i < 12; ++i) {
            auto p = std::make_unique<CPlayer>();
            p->id = id * 100 + i;
            p->name = CStr::Formatted("Player %d", i);
            p->words[kWordPosition] = p->words[kWordPlayedPosition] = kPositions[i % 5];
            p->words[kWordHeight] = 185 + GameRand() % 35;
            for (int s = 1; s <= kSkillCount; ++s) {
                p->SkillValue(s) = low + GameRand() % 21;
            }
            p->words[5] = 70 + GameRand() % 31;
            p->words[kWordMatchState] = i < 5 ? kOnCourt : kOnBench;
            team.players.push_back(p.get());
            players.push_back(std::move(p));
        }
    }
};

void BM_InstantMatch2D(benchmark::State& state) {
    std::filesystem::current_path(FB_GAME_DIR);
    CMatch2D match;
    match.hooks.substituteNeeded = nullptr;
    match.LoadTactics("\\ini\\InitData.xml");
    GameSrand(1);
    Club home(1, 45);
    Club away(2, 45);
    int64_t ticks = 0;
    for (auto _ : state) {
        const InstantMatchResult result = RunInstantMatch(match, &home.team, &away.team, true);
        ticks += result.ticks;
        benchmark::DoNotOptimize(result.homeScore);
    }
    state.counters["ticks_per_match"] =
        benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_InstantMatch2D)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
