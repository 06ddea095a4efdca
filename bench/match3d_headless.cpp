// One headless 3D match of four 720-second quarters at 50 frames a second: players' minds, rules,
// stand-in characters and the ball, nothing drawn.
#include "engine/GameRand.h"
#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>

namespace {

void BM_HeadlessMatch3D(benchmark::State& state) {
    std::filesystem::current_path(FB_GAME_DIR);
    long frames = 0;
    for (auto _ : state) {
        GameSrand(3);
        CMatch3D match;
        match.LoadTactics("\\ini\\InitData.xml");
        for (int side = 0; side < 2; ++side) {
            CMatchTeam& team = *match.Team(side);
            for (int i = 0; i < team.GetCount(); ++i) {
                CCourtPlayer& p = *team.GetPlayer(i);
                p.playerId = (side + 1) * 1000 + i;
                std::snprintf(p.name, sizeof p.name, "Player %d", i);
                p.stamina = p.staminaMax = 100.0f;
                for (int& a : p.attributes) {
                    a = 8 + GameRand() % 9;
                }
            }
        }
        match.PlaceTeams(kHomeStartFormation, kAwayStartFormation);
        match.PlaceHomeTeam(0, 10);
        match.PlaceAwayTeam(2, 18);
        CHeadlessDisplay display;
        frames = PlayHeadlessMatch(match, display, HeadlessMatchOptions{});
        benchmark::DoNotOptimize(match.homeScore);
    }
    state.counters["frames"] = static_cast<double>(frames);
}
BENCHMARK(BM_HeadlessMatch3D)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
