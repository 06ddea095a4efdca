// The user's match in the 3D view: scene hand-over, frame step, drawing and the end.
#include "app/Match3DView.h"

#include "app/GameApp.h"
#include "app/GameManager.h"
#include "career/FixtureList.h"
#include "career/Options.h"
#include "engine/Camera.h"
#include "engine/Device.h"
#include "engine/GameObject.h"
#include "engine/Log.h"
#include "engine/Music.h"
#include "engine/SkinnedMesh.h"
#include "engine/Timer.h"
#include "engine/World.h"
#include "gui/Backend.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "match3d/Match3D.h"
#include "match3d/Referee.h"
#include "screens/match/Match3DHudLink.h"
#include "screens/match/MatchHud.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

CMatch3DView::CMatch3DView(CGameManager& gm) : m_gm(gm) {}

CMatch3DView::~CMatch3DView() {
    if (g_pMatch3D == m_match.get())
        g_pMatch3D = nullptr;
    if (CMatchHud* hud = Hud()) {
        hud->SetMatch(nullptr);
        hud->SetStatisticsTeam(static_cast<CMatchTeam*>(nullptr));
        hud->SetEndHandler(nullptr);
        hud->HoldFinalWhistle(nullptr);
    }
}

CMatchHud* CMatch3DView::Hud() const {
    return dynamic_cast<CMatchHud*>(m_gm.Screen(ScreenRole::MatchHud));
}

// ---- Loading (day's worker) ----

bool CMatch3DView::Load(const UserMatchSetup& setup) {
    MatchSceneSetup scene;
    scene.home = setup.home;
    scene.away = setup.away;
    scene.userAtHome = setup.userAtHome;
    CCareerSession& session = m_gm.Session();
    if (CTeam* user = session.UserClub())
        scene.userClubId = user->id;
    scene.userAttack = setup.userAttack;
    scene.userDefence = setup.userDefence;
    scene.cupMode = session.tournamentMode != 0;
    scene.view3D = true;
    scene.videoCube = LoadOptions().enableVideoCube;
    m_streetball = false;
    // The day's worker already holds the application's worker flag: the loader keeps its own.
    std::unique_ptr<CMatch3D> match = MatchSceneLoaderThread(scene, *this, m_gm.wait3D, m_loaderRunning);
    if (!match)
        return false;
    std::lock_guard<std::mutex> lock(m_pendingMutex);
    m_pending = std::move(match);
    m_pendingSetup = setup;
    m_gm.scene3DReady = 1;
    return true;
}

void CMatch3DView::SetWaitCaption(int textId) {
    m_gm.SetWaitText(m_gm.GetText(textId));
}

void CMatch3DView::SetProgress(int done, int steps) {
    m_gm.Shell().SetProgressStep(steps);
    m_gm.loadingProgress = done;
}

void CMatch3DView::SetArena(int hudKind, int outdoor) {
    m_hudKind = hudKind;
    m_outdoor = outdoor;
}

void CMatch3DView::SetTrackingPoint(const Vec3& point) {
    if (CGameApp* app = m_gm.App())
        app->trackingPoint = point;
}

// ---- The shown match (main thread) ----

void CMatch3DView::Begin() {
    std::unique_ptr<CMatch3D> next;
    {
        std::lock_guard<std::mutex> lock(m_pendingMutex);
        next = std::move(m_pending);
        m_setup = m_pendingSetup;
    }
    if (!next)
        return;
    CMatchHud* hud = Hud();
    if (hud) {
        hud->SetMatch(nullptr);
        hud->SetStatisticsTeam(static_cast<CMatchTeam*>(nullptr));
    }
    // The previous match goes here, on the thread that drew it.
    m_link.reset();
    m_match = std::move(next);
    g_pMatch3D = m_match.get();
    m_motion = CHeadlessMotion();
    CMatch3D& match = *m_match;
    match.SetCamera(0);
    PrepareTipOff(match);
    const CScreenContext& ctx = m_gm.Context();
    match.textSource = [this](int id) { return m_gm.GetText(id); };
    m_link = std::make_unique<CMatch3DHudLink>(match, &m_motion);
    int fixtureIndex = -1;
    CCareerSession& session = m_gm.Session();
    if (session.fixtureList && m_setup.fixture) {
        const std::vector<CFixture*> today =
            session.fixtureList->GetFixturesOn(m_setup.date.year, m_setup.date.month, m_setup.date.day);
        for (size_t i = 0; i < today.size(); ++i)
            if (today[i] == m_setup.fixture)
                fixtureIndex = static_cast<int>(i);
    }
    m_recorder.SetMatchParams(m_setup.home, m_setup.away, fixtureIndex, m_setup.date.year, m_setup.date.month,
                              m_setup.date.day);
    if (hud) {
        match.display = hud;
        hud->SetMatch(m_link.get());
        hud->SetTeamNames(m_setup.home->name, m_setup.away->name);
        hud->SetMatchParams(m_setup.home, m_setup.away, fixtureIndex, m_setup.date.year, m_setup.date.month,
                            m_setup.date.day);
        hud->SetStatisticsTeam(match.homeTeam->isUserTeam ? match.homeTeam : match.awayTeam);
        hud->SetStadiumKind(m_hudKind);
        hud->SetOutdoor(m_outdoor);
        if (m_streetball)
            hud->ShowStreetballImage();
        hud->FillHostBoxScore();
        hud->FillVisitorBoxScore();
        hud->SetEndHandler([this] { Finish(); });
        // A player of the user's who must leave: the popup says why, the tactics window makes the
        // change; the match and the clock wait meanwhile.
        match.onMustLeavePopup = [hud](const CStr& name, bool hurt, bool onHisWay) {
            hud->ShowMustLeavePopup(name, hurt, onHisWay);
        };
        match.onUserMustLeave = [hud] { hud->OpenTactics(); };
        // Scripted sessions watch a whole match in minutes: FB_MATCH_CLOCK_SCALE runs the
        // display's clock that many times faster than the wall clock, however slowly the software
        // renderer draws the frames.
        const char* scaleText = std::getenv("FB_MATCH_CLOCK_SCALE");
        const int scale = scaleText ? std::atoi(scaleText) : 0;
        if (scale > 1) {
            const uint32_t start = GetTickCountMs();
            hud->SetClock(
                [start, scale] { return start + (GetTickCountMs() - start) * static_cast<uint32_t>(scale); },
                scale);
        }
        // They also answer a sixth foul, which a real match brings only now and then:
        // FB_MATCH_FOUL_TROUBLE keeps the user's five on court at five fouls until one fouls out.
        const char* trouble = std::getenv("FB_MATCH_FOUL_TROUBLE");
        m_foulTrouble = trouble != nullptr && std::atoi(trouble) != 0;
        // And they look at every change of the user's side, and at the final box score.
        const char* stop = std::getenv("FB_MATCH_STOP_AFTER_CHANGE");
        if (stop != nullptr && std::atoi(stop) != 0) {
            m_userChanges = UserChangesSeen{0, UserFiveOnCourt(match)};
            m_link->SetAfterStep([this] { StopAfterUserChange(); });
            hud->HoldFinalWhistle([this] {
                QuorelLog("[CMatch3DView] final whistle held at %d - %d", m_match->homeTeam->score,
                          m_match->awayTeam->score);
            });
        } else {
            hud->HoldFinalWhistle(nullptr);
        }
        hud->Refresh();
    }
    // The menu music gives way to the hall.
    if (g_pQuorelMusic)
        g_pQuorelMusic->Stop();
    (void)ctx;
    m_finished = false;
}

void CMatch3DView::Frame(float dt) {
    bool pending;
    {
        std::lock_guard<std::mutex> lock(m_pendingMutex);
        pending = m_pending != nullptr;
    }
    if (pending)
        Begin();
    if (m_match && !m_finished && m_foulTrouble)
        KeepInFoulTrouble();
    if (m_match && !m_finished) {
        // The display's clock plays the match's steps (CMatchHud::FrameStep, earlier in the frame).
        // The box score grids follow the play about once a second.
        if (++m_frames % 60 == 0)
            if (CMatchHud* hud = Hud()) {
                hud->FillHostBoxScore();
                hud->FillVisitorBoxScore();
            }
    }
    Draw(dt);
}

void CMatch3DView::KeepInFoulTrouble() {
    CMatchTeam* user = m_match->homeTeam->isUserTeam ? m_match->homeTeam : m_match->awayTeam;
    bool fouledOut = false;
    for (int i = 0; i < user->OnCourtCount(); ++i)
        fouledOut = fouledOut || user->GetPlayer(i)->personalFouls > 5;
    if (fouledOut) {
        // One sixth foul is what the session needs: the others get their own counts back.
        for (const auto& [player, added] : m_foulBoost)
            if (player->personalFouls <= 5)
                player->personalFouls = std::max(0, player->personalFouls - added);
        m_foulBoost.clear();
        m_foulTrouble = false;
        return;
    }
    for (int i = 0; i < user->OnCourtCount(); ++i) {
        CCourtPlayer* p = user->GetPlayer(i);
        if (p->personalFouls >= 5)
            continue;
        auto it =
            std::find_if(m_foulBoost.begin(), m_foulBoost.end(), [p](const auto& b) { return b.first == p; });
        if (it == m_foulBoost.end())
            it = m_foulBoost.insert(m_foulBoost.end(), {p, 0});
        it->second += 5 - p->personalFouls;
        p->personalFouls = 5;
    }
}

void CMatch3DView::StopAfterUserChange() {
    const CStr line = NoteUserChange(*m_match, m_userChanges, [this](int id) { return m_gm.GetText(id); });
    if (line.IsEmpty())
        return;
    QuorelLog("[CMatch3DView] %s", line.GetText());
    if (CMatchHud* hud = Hud())
        hud->Pause();
}

void CMatch3DView::Finish() {
    if (m_finished || !m_match)
        return;
    m_finished = true;
    CMatch3D& match = *m_match;
    const CScreenContext& ctx = m_gm.Context();
    CMatchHud* hud = Hud();
    // The display forgets the match before anything else can tick it.
    if (hud) {
        hud->SetMatch(nullptr);
        hud->SetStatisticsTeam(static_cast<CMatchTeam*>(nullptr));
    }
    match.display = nullptr;
    match.onMustLeavePopup = nullptr;
    match.onUserMustLeave = nullptr;
    // The match input, the running match and the pace go; the windows take the frame back.
    ctx.Shell().SetMatchRunning(false);
    ctx.Shell().SetMatchPace(false, false);
    if (CGameApp* app = m_gm.App())
        app->input3D = 0;
    m_gm.Session().matchMode = 0;
    for (int overlay = 0; overlay < static_cast<int>(Overlay::Count); ++overlay)
        ctx.Shell().SetOverlayOpen(static_cast<Overlay>(overlay), false);
    const int homeScore = match.homeTeam->score;
    const int awayScore = match.awayTeam->score;
    if (!FinishMatch3D(ctx, m_recorder, *match.homeTeam, *match.awayTeam))
        return;
    // The day panel's row and the day's bookkeeping, as for every other fixture of the day.
    if (auto* day = ctx.ScreenAs<CDayController>(ScreenRole::DayController))
        day->FinishUserMatch(m_recorder.RecordedFixture(), homeScore, awayScore);
    // Every window shows the result: the club's record, its next match, the tables.
    m_gm.RefreshAllScreens();
    if (g_pQuorelMusic && g_pQuorelMusic->IsEnabled())
        g_pQuorelMusic->SwitchTrack(kMenuTracks[0]);
    QuorelLog("[CMatch3DView] %s %d - %d %s recorded", m_setup.home->name.GetText(), homeScore, awayScore,
              m_setup.away->name.GetText());
}

void CMatch3DView::Draw(float dt) {
    CQuorelDevice* device = g_pQuorelDevice;
    const uint32_t now = GetTickCountMs();
    if (device && m_match && !m_finished) {
        CMatch3D& match = *m_match;
        // The cube's screens: the display's score bar drawn into their texture when its texts change.
        const bool cube = match.cube && match.cubeLoaded && match.videoCube;
        if (cube && !match.scoreboardTexture)
            match.scoreboardTexture = AdoptSceneObject(device->CreateRenderTarget(256, 64));
        if (cube && match.scoreboardTexture)
            if (CMatchHud* hud = Hud())
                hud->RefreshScoreboard(*match.scoreboardTexture, GuiBackend(), now);
        if (g_pQuorelCamera)
            g_pQuorelCamera->Apply();
        device->SetTransform(kTransformWorld, Matrix4());
        device->SetCullMode(kCullCCW);
        device->SetDepthTest(true);
        if (match.arena)
            match.arena->Render(dt, false);
        if (cube)
            match.RenderCube(match.scoreboardTexture ? match.scoreboardTexture->GetTexture() : nullptr);
        if (match.logos)
            match.logos->Render(dt, false);
        // The players, referees and the ball.
        // The poses moved on with the match's steps: drawing adds no time of its own.
        match.RenderCharacters(0.0f);
        device->SetDepthTest(false);
    }
    // The display and the windows that open over the match; the career's windows stay open
    // beneath the view but are not drawn over the arena.
    for (const ScreenLayer& layer : m_gm.Layers()) {
        if (!layer.active || !layer.root)
            continue;
        bool over = layer.screenId == ID_MATCHHUD;
        for (int id : kOverlayWindowIds)
            over = over || layer.screenId == id;
        if (over)
            layer.root->Draw(GuiBackend(), now);
    }
}
