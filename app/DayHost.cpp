// The day runner's and the day controller's host in the running game.
#include "app/DayHost.h"

#include "app/GameApp.h"
#include "app/GameManager.h"
#include "app/Match3DView.h"
#include "app/Shell.h"
#include "career/CupStages.h"
#include "career/SeasonRollover.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"
#include "engine/Log.h"
#include "engine/Music.h"
#include "guidefines.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DMatchDay.h"
#include "screens/match/CommentaryPopup.h"
#include "screens/match/MatchDayScreen.h"
#include "screens/match/MatchHud.h"
#include "screens/match/ResultsScreen.h"
#include "screens/match/SubstitutionDialog.h"
#include "screens/match/TacticsScreen.h"
#include "screens/start/CareerFrameScreen.h"
#include "screens/start/NewCareerScreen.h"

namespace {

constexpr int kTextNoSeasonBeyondTheYears = 100372;

} // namespace

CGameDayHost::CGameDayHost(CGameManager& gm) : m_gm(gm), m_session(gm.Session()), m_view(gm.Context()) {
    // Both match engines read their tactics tables once, with the day.
    ConnectMatch2D(gm);
    LoadMatch2DTactics();
    // The 3D view exists where there is a window to show it in.
    if (CGameApp* app = gm.App()) {
        m_match3D = std::make_unique<CMatch3DView>(gm);
        CMatch3DView* view = m_match3D.get();
        app->drawMatch3D = [view](float dt) { view->Frame(dt); };
    }
}

CGameDayHost::~CGameDayHost() {
    if (g_pMatch2D != nullptr)
        g_pMatch2D->hooks = Match2DHooks();
    if (m_match3D)
        if (CGameApp* app = m_gm.App())
            app->drawMatch3D = nullptr;
}

CStr CGameDayHost::GetText(int textId) const {
    return m_gm.GetText(textId);
}

void CGameDayHost::SetBusy(bool on) {
    m_gm.Shell().SetBusy(on);
}
void CGameDayHost::SetStep(bool on) {
    if (CGameApp* app = m_gm.App())
        app->step = on ? 1 : 0;
}
void CGameDayHost::SetThreadRunning(bool on) {
    m_gm.Shell().SetThreadRunning(on);
}
void CGameDayHost::SetMatchRunning(bool on) {
    if (CGameApp* app = m_gm.App())
        app->matchRunning = on ? 1 : 0;
}
void CGameDayHost::ClearMatchOverlays() {
    for (int overlay = 0; overlay < static_cast<int>(Overlay::Count); ++overlay)
        m_gm.Shell().SetOverlayOpen(static_cast<Overlay>(overlay), false);
}
void CGameDayHost::SetDayWait(bool on) {
    m_gm.oneDayWait = on ? 1 : 0;
}
void CGameDayHost::SetWaitText(const CStr& text) {
    m_gm.SetWaitText(text);
}
void CGameDayHost::PublishLatestResult(const LatestResult& result) {
    if (CGameApp* app = m_gm.App())
        app->SetBusyResult(
            BusyResult{result.league, result.away, result.home, result.awayScore, result.homeScore});
}
bool CGameDayHost::StartWorker(std::function<void()> work) {
    // Only the application's worker keeps the frame off the GUI; without it the controller runs
    // its own thread.
    CGameApp* app = m_gm.App();
    return app && app->StartWorker(std::move(work));
}

void CGameDayHost::Post(int source, int target, int kind, int p1, int p2) {
    m_view.Post(source, target, kind, p1, p2);
}
void CGameDayHost::CentreWindow(int window, int reference) {
    m_view.CentreWindow(window, reference);
}
void CGameDayHost::EnableElement(int elementId, bool enabled) {
    m_view.EnableElement(elementId, enabled);
}
void CGameDayHost::SetElementText(int elementId, const CStr& text, int format) {
    m_view.SetElementText(elementId, text, format);
}
void CGameDayHost::ShowMessage(const CStr& text) {
    m_view.ShowMessage(text);
}
bool CGameDayHost::HasWindow(int window) const {
    return m_view.HasWindow(window);
}
void CGameDayHost::RefreshDayPanel() {
    m_view.RefreshDayPanel();
}
void CGameDayHost::ClearDayPanel() {
    m_view.ClearDayPanel();
}

void CGameDayHost::RefreshAllScreens() {
    m_gm.RefreshAllScreens();
}
void CGameDayHost::RefreshSeasonScreens() {
    for (ScreenRole role : {ScreenRole::Statistics, ScreenRole::Results})
        if (CGameScreen* screen = m_gm.Screen(role))
            screen->Refresh();
}
void CGameDayHost::RefreshIndicators() {
    if (CGameScreen* screen = m_gm.Screen(ScreenRole::Indicators))
        screen->Refresh();
}
void CGameDayHost::DeleteCareerDb() {
    m_session.LeaveCareer();
}
bool CGameDayHost::SaveBeforeLeaving() {
    if (!m_session.HasOpenCareer() || m_session.SaveCurrentCareer())
        return true;
    m_gm.Context().ShowMessage(SaveFailureMessage(m_gm.Context(), true));
    return false;
}

bool CGameDayHost::CanStartNewSeason() const {
    return m_session.HasOpenCareer() && m_session.tournamentMode == 0;
}

bool CGameDayHost::StartNewSeason() {
    if (!CanStartNewSeason())
        return false;
    // The rollover would change nothing: the player is told why rather than left on a dead button.
    if (!NextSeasonFitsGameYears(m_session)) {
        m_gm.Context().ShowMessage(m_gm.Context().Text(kTextNoSeasonBeyondTheYears));
        return false;
    }
    RolloverOutcome outcome;
    if (auto* results = m_gm.Context().ScreenAs<CResultsScreen>(ScreenRole::Results)) {
        outcome = results->StartNewSeason();
    } else {
        auto* newCareer = m_gm.Context().ScreenAs<CNewCareerScreen>(ScreenRole::NewCareer);
        outcome = ::StartNewSeason(m_session, m_gm.Context().Texts(), [newCareer] {
            if (newCareer)
                newCareer->SendStartMails();
        });
    }
    // The summer's months are booked at once: the manager is told what left the club's account.
    const CTeam* club = m_session.UserClub();
    const CStr summer =
        SummerBookingsText(outcome.summerBookings, club ? club->cash : 0, m_gm.Context().Texts());
    m_seasonNotice = m_session.SaveCurrentCareer() ? summer : SaveFailureMessage(m_gm.Context());
    m_gm.RefreshAllScreens();
    return true;
}

void CGameDayHost::ShowSeasonStartNotice() {
    if (!m_seasonNotice.IsEmpty())
        m_gm.Context().ShowMessage(m_seasonNotice);
    m_seasonNotice = CStr();
}

void CGameDayHost::BuildCupStage(int stage) {
    if (stage != m_session.cupStage)
        return;
    BuildNextCupStage(m_session, BuildStageStandings(m_session, m_gm.Context().Texts()));
}

UserMatchOutcome CGameDayHost::StartUserMatch(const UserMatchSetup& setup) {
    ClearMatchOverlays();
    if (auto* tactics = m_gm.Context().ScreenAs<CTacticsScreen>(ScreenRole::Tactics))
        tactics->userIsHome = setup.userAtHome ? 1 : 0;
    const bool instant = setup.view == UserMatchView::Instant;
    if (instant)
        m_session.matchMode = 0;
    UserMatchOutcome outcome = PlayUserMatch(setup);
    if (instant) {
        SetMatchRunning(false);
        m_session.matchMode = 0;
    }
    // A live view keeps its overlays; every other ends here.
    if (instant || !outcome.taken)
        ClearMatchOverlays();
    return outcome;
}

UserMatchOutcome CGameDayHost::PlayUserMatch(const UserMatchSetup& chosen) {
    UserMatchSetup setup = chosen;
    // The 3D scene is built here on the day's worker, under the wait screen; the view takes the
    // match over on the main thread once the day run ends.
    if (setup.view == UserMatchView::Scene3D && m_match3D) {
        UserMatchOutcome outcome;
        outcome.taken = m_match3D->Load(setup);
        if (outcome.taken)
            return outcome;
    }
    // Without the 3D view (no window) a 3D choice is played on the flat court, so the user's
    // fixture is never left unplayed.
    bool instant = setup.view == UserMatchView::Instant;
    if (setup.view == UserMatchView::Scene3D) {
        QuorelLog("[CGameDayHost::StartUserMatch] no 3D match view: the match is played on the flat court");
        setup.view = UserMatchView::MatchCentre;
        instant = true; // the day expects the 3D view, so nobody watches: played at once
    }
    auto* centre = dynamic_cast<CMatchDayScreen*>(m_gm.Screen(ScreenRole::MatchCentre));
    if (setup.view == UserMatchView::Scene3D || centre == nullptr) {
        return PlayUserMatch2D(TheMatch2D(), setup, false);
    }
    // The engine is set up here, on the day's thread; the screen takes it on the main thread
    // (ShowUserMatch) when the match is watched.
    UserMatchOutcome outcome;
    CMatch2D& match = TheMatch2D();
    match.tournament = setup.tournament ? 1 : 0;
    if (!SetupMatch2D(match, setup.home, setup.away, setup.userAtHome, instant, setup.userAttack,
                      setup.userDefence))
        return outcome;
    if (!instant) {
        match.paused = 0;
        outcome.taken = true;
        return outcome;
    }
    // Run at once: the screen plays and records the match without showing anything; the day
    // controller writes the score into the fixture.
    centre->SetupMatch(setup.home, setup.away);
    centre->SetFixture(setup.fixture);
    match.ticksPerFrame = kInstantTicksPerFrame;
    match.running = 1;
    match.paused = 0;
    centre->ShowSpeedButtons(false);
    centre->Update();
    outcome.finished = match.IsOver();
    if (outcome.finished) {
        centre->RecordMatch(setup.home, setup.away);
        outcome.homeScore = match.GetHomeTeam()->score;
        outcome.awayScore = match.GetAwayTeam()->score;
    }
    match.running = 0;
    match.instantRun = 0;
    match.paused = 1;
    centre->SetFixture(nullptr);
    // After a flat-court match the menu music moves on to one of its tracks.
    if (outcome.finished && g_pQuorelMusic && g_pQuorelMusic->IsEnabled())
        g_pQuorelMusic->SwitchTrack(kMenuTracks[GameRand() % 3]);
    return outcome;
}

void CGameDayHost::ShowUserMatch(const UserMatchSetup& setup) {
    // Match mode hands the frame to the match.
    m_session.matchMode = 1;
    if (setup.view == UserMatchView::Scene3D) {
        if (CGameApp* app = m_gm.App())
            app->input3D = 1;
        return;
    }
    auto* centre = dynamic_cast<CMatchDayScreen*>(m_gm.Screen(ScreenRole::MatchCentre));
    if (centre == nullptr)
        return;
    // The menu music gives way to the hall.
    if (g_pQuorelMusic)
        g_pQuorelMusic->Stop();
    centre->SetupMatch(setup.home, setup.away);
    centre->SetFixture(setup.fixture);
    centre->ShowTeamHeader();
}

void ConnectMatch2D(CGameManager& gm) {
    Match2DHooks& hooks = TheMatch2D().hooks;
    const CScreenContext& ctx = gm.Context();
    hooks.text = [&gm](int id) { return gm.GetText(id); };
    // The user picks the substitute on the tactics window.
    hooks.substituteNeeded = [&ctx](int) {
        ctx.Post(ID_TACTICS_SOURCE, ID_TACTICS, kMsgClick, ID_TACTICS_SOURCE, 0);
    };
    // The coaching dialog moves form by the score, shows the coach's word and has its lists ready
    // for the match screen's coaching button.
    hooks.quarterBreak = [&ctx] {
        if (auto* centre = ctx.ScreenAs<CMatchDayScreen>(ScreenRole::MatchCentre))
            centre->OnQuarterBreak();
        if (auto* dialog = ctx.ScreenAs<CSubstitutionDialog>(ScreenRole::Substitution)) {
            dialog->QuarterBreak(true);
            dialog->FillLists(true);
            return;
        }
        ctx.Post(ID_QUARTERBREAK_OK, ID_QUARTERBREAK, kMsgOpenOnTop, ID_QUARTERBREAK_OK, 0);
        ctx.Shell().SetOverlayOpen(Overlay::QuarterBreak, true);
    };
    // Remarks and event lines only reach the screens of a match the user watches; a match run at
    // once has nobody to tell.
    hooks.remarkLine = [&gm](const CStr& text, int colour) {
        if (TheMatch2D().instantRun)
            return;
        if (auto* popup = dynamic_cast<CCommentaryPopup*>(gm.Screen(ScreenRole::Commentary)))
            popup->AddLine(text, colour);
    };
    hooks.commentary = [&gm](const CStr& text, const CStr& name, bool homeSide) {
        if (TheMatch2D().instantRun)
            return;
        if (auto* centre = dynamic_cast<CMatchDayScreen*>(gm.Screen(ScreenRole::MatchCentre)))
            centre->AddCommentary(text, name, homeSide);
    };
    hooks.leavePopup = [&gm](const CStr& name, int reason) {
        if (auto* centre = dynamic_cast<CMatchDayScreen*>(gm.Screen(ScreenRole::MatchCentre)))
            centre->ShowInfoPopup(name, reason != 0);
    };
    // A forced substitution changes who is on court: the dialog's player list follows.
    hooks.substitutionPending = [&ctx] {
        if (auto* dialog = ctx.ScreenAs<CSubstitutionDialog>(ScreenRole::Substitution))
            dialog->FillLists(true);
    };
    hooks.progress = [&gm](int done, int steps) {
        gm.Shell().SetProgressStep(steps);
        gm.loadingProgress = done;
    };
}
