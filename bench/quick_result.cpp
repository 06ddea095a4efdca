// The quick result of one fixture between two full squads, statistics records included.
#include "career/MatchDay.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include <benchmark/benchmark.h>

namespace {

CTeam* MakeClub(CMemoryDB& db, int id) {
    auto* team = new CTeam();
    team->id = id;
    team->name = CStr::Formatted("Club %d", id);
    db.teams.Append(team);
    for (int i = 0; i < 15; ++i) {
        auto* player = new CPlayer();
        player->id = id * 100 + i;
        player->name = CStr::Formatted("Player %d", player->id);
        player->words[kWordPosition] = 80063 + i % 5;
        player->words[kWordMatchState] = i < 5 ? kOnCourt : kOnBench;
        for (int s = 1; s <= kSkillCount; ++s) {
            player->SkillValue(s) = 40 + (i * 7 + s * 3) % 50;
            player->SkillSecond(s) = player->SkillValue(s);
        }
        db.players.Append(player);
        team->players.push_back(player);
    }
    return team;
}

void BM_QuickResult(benchmark::State& state) {
    GameSrand(1);
    CMemoryDB world;
    CTeam* home = MakeClub(world, 1);
    CTeam* away = MakeClub(world, 2);
    CDayResults results;
    QuickMatchContext ctx;
    ctx.date = GameDate{2007, 10, 3};
    ctx.matchStats = &world.matchStats;
    ctx.playerStats = &world.playerStats;
    ctx.results = &results;
    int homeScore = 0, awayScore = 0;
    for (auto _ : state) {
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        benchmark::DoNotOptimize(homeScore);
        state.PauseTiming();
        // Keep the record vectors from growing across iterations.
        if (world.matchStats.Size() > 20000) {
            for (CTeam* team : {home, away}) {
                team->matchStats.clear();
                for (CPlayer* player : team->players)
                    player->stats.clear();
            }
            world.matchStats.Clear();
            world.playerStats.Clear();
            results.Clear();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_QuickResult)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
