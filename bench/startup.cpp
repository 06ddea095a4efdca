// Start-up to the main menu with the intro skipped: options, tooltips, the layout files, the
// language files, the world data set and the start screens (no window: the decode work is the same).
#include "app/GameApp.h"
#include "app/GameManager.h"

#include <benchmark/benchmark.h>
#include <filesystem>

static void BM_StartupToMainMenu(benchmark::State& state) {
    std::filesystem::current_path(FB_GAME_DIR);
    for (auto _ : state) {
        {
            CGameApp app;
            app.LoadGame();
            benchmark::DoNotOptimize(app.IsLoaded());
        }
    }
}
BENCHMARK(BM_StartupToMainMenu)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
