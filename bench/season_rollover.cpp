// A whole season of the default world through the game manager and its real screens: continue to
// each of the user's matches (played at once on the flat court), the last day's verdict, then the
// rollover with its new fixtures and the save. Runs in a private copy of the game folder's data.
#include "app/GameManager.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"
#include "gui/LayoutLoader.h"
#include "guidefines.h"
#include "screens/info/DayController.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The game folder with its own data: the rollover saves the career.
struct PrivateGameFolder {
    fs::path dir = fs::temp_directory_path() / ("fastbreak-bench-" + std::to_string(getpid()));
    fs::path previous = fs::current_path();
    PrivateGameFolder() {
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const fs::directory_entry& entry : fs::directory_iterator(FB_GAME_DIR))
            if (entry.path().filename() != "data")
                fs::create_symlink(entry.path(), dir / entry.path().filename());
        fs::copy(fs::path(FB_GAME_DIR) / "data", dir / "data", fs::copy_options::recursive);
        fs::current_path(dir);
    }
    ~PrivateGameFolder() {
        fs::current_path(previous);
        fs::remove_all(dir);
    }
};

void Click(CGameManager& gm, CDayController& day, int button) {
    PostGuiMessage(button, -1, kMsgClick, 0, 0);
    do {
        gm.ProcessMessages();
        if (day.IsWorkerActive())
            std::this_thread::yield();
    } while (day.IsWorkerActive() || !gm.PendingMessages().empty());
}

void BM_SeasonWithRollover(benchmark::State& state) {
    PrivateGameFolder folder;
    int seasons = 0;
    for (auto _ : state) {
        state.PauseTiming();
        GameSrand(2);
        CGameManager gm;
        CGuiLayoutLoader loader(gm);
        loader.Load();
        GameOptions options;
        options.enable3DSimulation = false;
        options.enableFastSimulation = true;
        gm.CreateScreens(options);
        CCareerSession& session = gm.Session();
        session.StartNewCareer(kDataSetLeague, session.worldDB->teams.At(0)->id, CStr("Bench"));
        gm.CreateRegisteredScreens();
        auto* day = dynamic_cast<CDayController*>(gm.Screen(ScreenRole::DayController));
        state.ResumeTiming();

        for (int runs = 0; runs < 40 && !day->SeasonEndPending(); ++runs)
            Click(gm, *day, ID_CONTINUE);
        Click(gm, *day, ID_RESULTS_STAGE);
        Click(gm, *day, ID_SEASONEND_NEXT);

        state.PauseTiming();
        if (session.currentDate.month == 8 && session.currentDate.day == 1 && !session.fixtureList->IsEmpty())
            ++seasons;
        state.ResumeTiming();
    }
    state.counters["seasons"] = seasons;
}

} // namespace

BENCHMARK(BM_SeasonWithRollover)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_MAIN();
