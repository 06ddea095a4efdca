// Frame time of the match scene's drawing: the generated arena with thirteen skinned characters (ten
// players, three referees) at 1024 x 768, on the software renderer by default.
#include "tools/scenesmoke/SceneDemo.h"

#include "engine/App.h"
#include "engine/Camera.h"
#include "engine/Paths.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

// The game folder: the working directory when it holds the assets, else build/game beside this
// program's folder.
CStr GameFolder() {
    if (FileExists("\\characters\\multianim.X"))
        return CStr();
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return CStr((exe.parent_path().parent_path() / "game").string() + "/");
}

void BM_ArenaWithThirteenCharacters(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    CQuorelApp app;
    if (!app.StartEngine(false) || !app.CreateDevice(1024, 768, 32)) {
        state.SkipWithError("no OpenGL device");
        return;
    }
    {
        SceneDemo scene;
        if (!scene.Load(GameFolder())) {
            state.SkipWithError("generated assets not found");
            app.ShutdownEngine();
            return;
        }
        g_pQuorelCamera->LookAt(Vec3(0, 7, -18), Vec3(0, 1, 0), Vec3(0, 1, 0));
        g_pQuorelCamera->Apply();
        std::vector<uint8_t> pixel;
        for (auto _ : state) {
            scene.Advance(1.0 / 60.0);
            g_pQuorelDevice->Clear(0x202020FF);
            g_pQuorelDevice->BeginScene();
            scene.Render();
            g_pQuorelDevice->EndScene();
            // Reading a pixel waits for the frame to be finished, so the time is the whole frame's.
            g_pQuorelDevice->ReadPixels(0, 0, 1, 1, pixel);
            g_pQuorelDevice->Present();
        }
        state.counters["characters"] = scene.CharacterCount();
        state.counters["fps"] =
            benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    }
    app.ShutdownEngine();
}

} // namespace

BENCHMARK(BM_ArenaWithThirteenCharacters)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
