// Frame time of the shown 3D match: a top-league club's new career, its first opponent loaded into
// its arena through the scene set-up (ten players in their kits, three referees, the ball, the video
// cube over the centre spot), play under way, and each frame the display's clock, the minds, rules and
// character motion, the arena, the cube with its scoreboard, the thirteen characters, the ball and
// the in-match display drawn at 1024 x 768, presented and waited for. Runs on SDL's offscreen driver
// with the software renderer unless another one is chosen.
#include "app/GameManager.h"
#include "app/Match3DView.h"
#include "career/CareerSession.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/App.h"
#include "engine/Device.h"
#include "engine/GameRand.h"
#include "gui/EngineBackend.h"
#include "gui/LayoutLoader.h"
#include "guidefines.h"
#include "match3d/Match3D.h"
#include "match3d/Referee.h"
#include "screens/match/MatchHud.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

struct Shown3DMatch {
    CQuorelApp app;
    std::unique_ptr<CGameManager> gm;
    CGuiEngineBackend backend;
    std::unique_ptr<CMatch3DView> view;
    CMatchHud* hud = nullptr;
    UserMatchSetup setup;
    bool ok = false;

    Shown3DMatch() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
        std::filesystem::current_path(FB_GAME_DIR);
        app.StartEngine(false);
        if (!app.CreateDevice(1024, 768, 32))
            return;
        SetGuiBackend(&backend);
        gm = std::make_unique<CGameManager>();
        CGuiLayoutLoader loader(*gm);
        GameOptions options;
        options.enable3DSimulation = true;
        if (!loader.Load() || !gm->CreateScreens(options) || !gm->Session().worldDB ||
            gm->Session().worldDB->teams.IsEmpty())
            return;
        CCareerSession& session = gm->Session();
        // A club of the top league: its hall has the video cube over the centre spot.
        CTeam* club = session.worldDB->teams.At(0);
        for (int i = 0; i < session.worldDB->teams.Size(); ++i)
            if (session.worldDB->teams.At(i)->stadiumKey.Find("nba", 0) == 4) {
                club = session.worldDB->teams.At(i);
                break;
            }
        if (!session.StartNewCareer(kDataSetLeague, club->id, CStr("Bench")))
            return;
        gm->CreateRegisteredScreens();
        hud = dynamic_cast<CMatchHud*>(gm->Screen(ScreenRole::MatchHud));
        setup.home = session.UserClub();
        for (int i = 0; i < session.worldDB->teams.Size() && setup.away == nullptr; ++i)
            if (session.worldDB->teams.At(i)->id != setup.home->id &&
                session.worldDB->teams.At(i)->leagueId == setup.home->leagueId)
                setup.away = session.worldDB->teams.At(i);
        setup.userAtHome = true;
        setup.view = UserMatchView::Scene3D;
        setup.date = session.currentDate;
        ok = hud != nullptr && setup.away != nullptr;
    }

    bool StartMatch() {
        GameSrand(7);
        view = std::make_unique<CMatch3DView>(*gm);
        if (!view->Load(setup))
            return false;
        gm->Session().view3D = 1;
        gm->Session().matchMode = 1;
        gm->PostMessage(-1, ID_MATCHHUD, kMsgSwitchTo, 0, 0);
        gm->ProcessMessages();
        view->Frame(0.0f); // takes the match over
        gm->PostMessage(ID_HUD_PLAY, -1, kMsgClick, 0, 0);
        gm->ProcessMessages();
        return view->Match() != nullptr;
    }

    void Frame(const char* shot = nullptr) {
        gm->ProcessMessages();
        CQuorelDevice* device = g_pQuorelDevice;
        device->BeginScene();
        device->Clear(0x000000FF);
        hud->FrameStep();
        view->Frame(1.0f / 60.0f);
        device->EndScene();
        if (shot)
            device->SaveScreenshot(shot);
        device->Present();
        // Wait for the frame to be finished, as the next swap would.
        std::vector<uint8_t> pixel;
        device->ReadPixels(0, 0, 1, 1, pixel);
    }
};

void BM_Match3DFrame(benchmark::State& state) {
    static Shown3DMatch shown;
    if (!shown.ok || !shown.StartMatch()) {
        state.SkipWithError("no OpenGL context, no generated world or no scene");
        return;
    }
    for (int i = 0; i < 10; ++i)
        shown.Frame(); // the first uploads of meshes, textures and glyphs
    // FB_FRAME_SHOT=<path> keeps a picture of a fixed frame of the seeded match, to compare the
    // drawing before and after a change; it is taken before the timing starts.
    if (const char* shot = std::getenv("FB_FRAME_SHOT")) {
        for (int i = 0; i < 110; ++i)
            shown.Frame();
        shown.Frame(shot);
    }
    for (auto _ : state)
        shown.Frame();
    CMatch3D& match = *shown.view->Match();
    int characters = 0;
    for (CAnimatedCharacter* c : match.characters)
        characters += c->shown && c->HasInstance() ? 1 : 0;
    for (CRefereeBase* r : match.referees)
        characters += r->shown && r->HasInstance() ? 1 : 0;
    state.counters["characters"] = characters;
    state.counters["cube"] = match.cube && match.cubeLoaded && match.videoCube ? 1 : 0;
    state.counters["drawCalls"] = g_pQuorelDevice->DrawCallsLastFrame();
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Match3DFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
