// The player comparison of the default world after a few match days: a whole refresh (a stat sheet
// for every player of every league, both grids) and the refill of one panel when its category
// changes. Runs in a private copy of the game folder's data: a new career is saved.
#include "app/GameManager.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"
#include "gui/LayoutLoader.h"
#include "guidefines.h"
#include "screens/info/DayController.h"
#include "screens/info/StatsCompareScreen.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct PrivateGameFolder {
    fs::path dir = fs::temp_directory_path() / ("fastbreak-bench-compare-" + std::to_string(getpid()));
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

// A career three match days in, shared by the benchmarks.
struct Career {
    PrivateGameFolder folder;
    CGameManager gm;
    CGuiLayoutLoader loader{gm};
    CStatsCompareScreen* screen = nullptr;

    Career() {
        GameSrand(2);
        loader.Load();
        GameOptions options;
        options.enable3DSimulation = false;
        options.enableFastSimulation = true;
        gm.CreateScreens(options);
        CCareerSession& session = gm.Session();
        session.StartNewCareer(kDataSetLeague, session.worldDB->teams.At(0)->id, CStr("Bench"));
        gm.CreateRegisteredScreens();
        auto* day = dynamic_cast<CDayController*>(gm.Screen(ScreenRole::DayController));
        for (int i = 0; i < 3; ++i) {
            PostGuiMessage(ID_CONTINUE, -1, kMsgClick, 0, 0);
            do {
                gm.ProcessMessages();
                if (day->IsWorkerActive())
                    std::this_thread::yield();
            } while (day->IsWorkerActive() || !gm.PendingMessages().empty());
        }
        screen = dynamic_cast<CStatsCompareScreen*>(gm.Screen(ScreenRole::StatsCompare));
    }
};

Career& SharedCareer() {
    static Career career;
    return career;
}

void BM_CompareRefresh(benchmark::State& state) {
    Career& career = SharedCareer();
    for (auto _ : state)
        career.screen->Refresh();
    state.counters["players"] = static_cast<double>(career.screen->Sheets().size());
}

void BM_CompareSwitchCategory(benchmark::State& state) {
    Career& career = SharedCareer();
    CGuiElement* combo = career.gm.FindElement(ID_SC_LEFT_CATEGORY);
    int category = 0;
    for (auto _ : state) {
        category = (category + 1) % kStatCategories;
        combo->SetSelection(category);
        GuiMessage m{ID_SC_LEFT_CATEGORY, -1, kMsgSelection, category, 0, 0};
        career.screen->OnMessage(m);
    }
}

} // namespace

BENCHMARK(BM_CompareRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareSwitchCategory)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
