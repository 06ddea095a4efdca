// Frame time of the watched flat-court match: a new career's first opponent on the match centre at
// fast speed, each frame the screen's step (fifteen ticks, markers, clock, score, box scores) and the
// whole window drawn, presented and waited for. Runs on SDL's offscreen driver (the software
// renderer on a machine without a GPU) unless another one is chosen.
#include "app/DayHost.h"
#include "app/GameManager.h"
#include "career/CareerSession.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/App.h"
#include "engine/Device.h"
#include "engine/GameRand.h"
#include "gui/EngineBackend.h"
#include "gui/LayoutLoader.h"
#include "guidefines.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DMatchDay.h"
#include "screens/match/MatchDayScreen.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

struct Centre {
    CQuorelApp app;
    std::unique_ptr<CGameManager> gm;
    CGuiEngineBackend backend;
    CMatchDayScreen* centre = nullptr;
    CTeam* home = nullptr;
    CTeam* away = nullptr;
    bool ok = false;

    Centre() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        std::filesystem::current_path(FB_GAME_DIR);
        app.StartEngine(false);
        if (!app.CreateDevice(1024, 768, 32))
            return;
        SetGuiBackend(&backend);
        gm = std::make_unique<CGameManager>();
        CGuiLayoutLoader loader(*gm);
        GameOptions options;
        options.enable3DSimulation = false;
        if (!loader.Load() || !gm->CreateScreens(options) || !gm->Session().worldDB ||
            gm->Session().worldDB->teams.IsEmpty())
            return;
        CCareerSession& session = gm->Session();
        if (!session.StartNewCareer(kDataSetLeague, session.worldDB->teams.At(0)->id, CStr("Bench")))
            return;
        gm->CreateRegisteredScreens();
        ConnectMatch2D(*gm);
        LoadMatch2DTactics();
        centre = dynamic_cast<CMatchDayScreen*>(gm->Screen(ScreenRole::MatchCentre));
        home = session.UserClub();
        for (int i = 0; i < session.worldDB->teams.Size() && away == nullptr; ++i)
            if (session.worldDB->teams.At(i)->id != home->id &&
                session.worldDB->teams.At(i)->leagueId == home->leagueId)
                away = session.worldDB->teams.At(i);
        ok = centre != nullptr && away != nullptr;
    }

    void StartMatch() {
        GameSrand(7);
        SetupMatch2D(TheMatch2D(), home, away, true, false);
        centre->SetupMatch(home, away);
        gm->Session().matchMode = 1;
        gm->PostMessage(-1, ID_MATCHCENTRE, kMsgSwitchTo, 0, 0);
        gm->PostMessage(ID_CENTRE_FAST, -1, kMsgClick, 0, 0);
        gm->ProcessMessages();
        gm->ProcessMessages();
    }

    // layerOnly: the match centre's window alone, without the career frame drawn under it.
    void Frame(uint32_t now, bool layerOnly = false) {
        CMatch2D& match = TheMatch2D();
        if (match.IsOver())
            StartMatch();
        if (!centre->Running())
            gm->PostMessage(ID_CENTRE_FAST, -1, kMsgClick, 0, 0); // past a break or a forced change
        gm->ProcessMessages();
        CQuorelDevice* device = g_pQuorelDevice;
        device->BeginScene();
        device->Clear(0x000000FF);
        centre->FrameStep();
        if (layerOnly)
            gm->FindElement(ID_MATCHCENTRE)->Draw(backend, now);
        else
            gm->Draw(backend, now);
        device->EndScene();
        device->Present();
        // Wait for the frame to be finished, as the next swap would.
        std::vector<uint8_t> pixel;
        device->ReadPixels(0, 0, 1, 1, pixel);
    }
};

void BM_MatchCentreFrame(benchmark::State& state) {
    static Centre centre;
    if (!centre.ok) {
        state.SkipWithError("no OpenGL context or no generated world");
        return;
    }
    centre.StartMatch();
    uint32_t now = 0;
    for (int i = 0; i < 10; ++i)
        centre.Frame(now += 16); // warm the glyph atlases and images
    // FB_FRAME_SHOT=<path> keeps a picture of the last warm-up frame, to compare the drawing before
    // and after a change; it is taken before the timing starts.
    if (const char* shot = std::getenv("FB_FRAME_SHOT"))
        g_pQuorelDevice->SaveScreenshot(shot);
    for (auto _ : state)
        centre.Frame(now += 16);
    state.counters["drawCalls"] = g_pQuorelDevice->DrawCallsLastFrame();
    state.counters["quarter"] = TheMatch2D().quarter;
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MatchCentreFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_MatchCentreLayerOnly(benchmark::State& state) {
    static Centre centre;
    if (!centre.ok) {
        state.SkipWithError("no OpenGL context or no generated world");
        return;
    }
    centre.StartMatch();
    uint32_t now = 0;
    for (int i = 0; i < 10; ++i)
        centre.Frame(now += 16, true);
    for (auto _ : state)
        centre.Frame(now += 16, true);
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MatchCentreLayerOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// The screen's own work without drawing: fifteen ticks and the tables a frame.
void BM_MatchCentreStep(benchmark::State& state) {
    static Centre centre;
    if (!centre.ok) {
        state.SkipWithError("no OpenGL context or no generated world");
        return;
    }
    centre.StartMatch();
    for (auto _ : state) {
        if (TheMatch2D().IsOver())
            centre.StartMatch();
        if (!centre.centre->Running())
            centre.centre->ShowSpeedButtons(false);
        centre.centre->FrameStep();
    }
}
BENCHMARK(BM_MatchCentreStep)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
