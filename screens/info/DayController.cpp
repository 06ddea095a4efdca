// The day controller: the day's buttons, the worker that runs the days, the windows after a run,
// the season-end popup and leaving a career.
#include "screens/info/DayController.h"

#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"

namespace {

constexpr int kFunShopButton = ID_FR_FUNSHOP;
// The frame's season buttons; the stadium's only once its window exists.
constexpr int kSeasonButton = ID_FR_BUTTON;
constexpr int kStadiumButton = ID_FR_STADIUM;
constexpr int kStadiumWindow = ID_STADIUM;
constexpr int kRegularLeague = 100005;
constexpr int kMainFrame = ID_FRAME;
constexpr int kFrameWindows[3] = {ID_FRAME, ID_SEASONFRAME, ID_STATISTICS_FRAME};
constexpr int kMainMenu = ID_MAINMENU;
constexpr int kClubWindow = ID_CLUBOVERVIEW;
constexpr int kStatisticsWindows[2] = {ID_STATISTICS_FRAME, ID_STATISTICS};
constexpr int kStageTextElement = ID_RESULTS_STAGE_TEXT;
constexpr int kSquadReference = ID_LINEUP;
constexpr int kSeasonPlayedText = 100373;

template <size_t N> bool IsOneOf(const int (&ids)[N], int id) {
    for (int candidate : ids)
        if (candidate == id)
            return true;
    return false;
}

} // namespace

CDayController::CDayController(CCareerSession& session, IDayHost* host, IDayFrame* frame,
                               CFixtureList* fixtures)
    : m_session(session), m_host(host), m_frame(frame), m_fixtures(fixtures),
      m_runner(session, host, fixtures) {}

CDayController::CDayController(CCareerSession& session, std::unique_ptr<IDayHost> host, IDayFrame* frame,
                               CFixtureList* fixtures)
    : CDayController(session, host.get(), frame, fixtures) {
    m_ownedHost = std::move(host);
}

CDayController::~CDayController() {
    if (m_worker.joinable())
        m_worker.join();
}

CStr CDayController::Text(int id) const {
    return m_host ? m_host->GetText(id) : CStr();
}

void CDayController::Post(int source, int target, int kind) const {
    m_frame->Post(source, target, kind, source, 0);
}

// ---- days ----------------------------------------------------------------------------------------

bool CDayController::AdvanceDay(bool& stop) {
    const bool result = m_runner.AdvanceDay(stop);
    ShowNews();
    return result;
}

bool CDayController::RunDays(bool& stop) {
    const bool result = m_runner.RunDays(stop);
    ShowNews();
    return result;
}

void CDayController::ShowNews() {
    if (!m_frame)
        return;
    const DayNews news = m_runner.TakeNews();
    if (news.careerChanged)
        m_singleStep = true;
    if (news.careerChanged || news.panelCleared)
        m_frame->ClearDayPanel();
    // Match mode hands the frame to the match.
    if (news.liveMatch) {
        m_frame->ShowUserMatch(news.liveSetup);
        m_frame->SetMatchRunning(true);
    }
    if (news.panelFilled)
        m_frame->RefreshDayPanel();
    if (news.seasonEnded)
        m_frame->RefreshSeasonScreens();
    if (news.funShopBusy)
        m_frame->EnableElement(kFunShopButton, true);
    CMemoryDB* career = m_session.careerDB;
    if (news.leagueDay && career) {
        // The season buttons come back every day, but not the stadium's while it has no window.
        m_frame->EnableElement(kSeasonButton, true);
        if (m_frame->HasWindow(kStadiumWindow))
            m_frame->EnableElement(kStadiumButton, true);
        CLeague* first = career->leagues.At(0);
        if (first && first->type == kRegularLeague && first->classNumber % 3 == 0) {
            m_frame->EnableElement(kSeasonButton, false);
            m_frame->EnableElement(kStadiumButton, false);
        }
    }
    if (news.indicators)
        m_frame->RefreshIndicators();
}

void CDayController::SyncCareer() {
    if (m_runner.SyncCareer())
        ShowNews();
}

// ---- the user's match ----------------------------------------------------------------------------

void CDayController::OnUserMatchRecorded() {
    if (m_runner.UserMatchRecorded() && m_frame)
        m_frame->RefreshSeasonScreens();
}

void CDayController::FinishUserMatch(CFixture* fixture, int homeScore, int awayScore) {
    const bool seasonEnded = m_runner.FinishUserMatch(fixture, homeScore, awayScore);
    if (!m_frame)
        return;
    m_frame->RefreshDayPanel();
    if (seasonEnded)
        m_frame->RefreshSeasonScreens();
}

bool CDayController::CheckLineupComplete(CTeam* team) {
    m_frame->SetElementText(kSquadMessageButton, Text(100154), 5);
    CStr message = Text(100195);
    if (!team || team->players.size() < 10) {
        message += Text(100196);
        m_frame->SetElementText(kSquadMessageText, message, 0);
        return false;
    }
    int onCourt = 0;
    for (const CPlayer* player : team->players) {
        if (player->words[kWordMatchState] == kOnCourt && ++onCourt == 5)
            return true;
    }
    message += Text(100197);
    m_frame->SetElementText(kSquadMessageText, message, 0);
    return false;
}

void CDayController::ShowSeasonEndPopup(int source) {
    m_frame->SetElementText(kSeasonEndText, Text(100164), 0);
    m_frame->SetElementText(kNextSeasonButton, Text(100165), 5);
    m_frame->SetElementText(kLeaveCareerButton, Text(100150), 5);
    m_frame->EnableElement(kNextSeasonButton, m_frame->CanStartNewSeason());
    Post(source, kSeasonEndWindow, kMsgOpenOnTop);
}

// ---- buttons -------------------------------------------------------------------------------------

void CDayController::OnContinueMessage(GuiMessage& message) {
    if (message.sID == kWorkerDoneSource) {
        // The worker posts this as its very last step but one: its flag is a moment away.
        if (IsWorkerActive())
            while (!m_workerDone.load(std::memory_order_acquire))
                std::this_thread::yield();
        PollWorker();
        message.sID = -1;
        return;
    }
    if (HandleButton(message.sID, message.MSG))
        message.sID = -1;
}

bool CDayController::HandleButton(int source, int kind) {
    if (!m_host || !m_frame || m_session.matchMode != 0 || IsWorkerActive())
        return false;
    if (kind != kMsgClick)
        return false;
    SyncCareer();
    // A career saved on its last fixture day and loaded again: its season is over as well, rather
    // than running on day by day past the schedule.
    const bool dayButton = IsOneOf(kContinueButtons, source) || IsOneOf(kNextDayButtons, source);
    if (dayButton && m_fixtures && !m_fixtures->IsEmpty() &&
        MakeDateKey(m_session.currentDate) >= MakeDateKey(m_fixtures->LastDate()))
        m_runner.SetSeasonEndPending(true);
    if (m_runner.SeasonEndPending()) {
        if (source == kResultsButton) {
            Post(source, kResultsWindow, kMsgSwitchTo);
            return true;
        }
        if (source == kStageButton) {
            m_runner.SetSeasonEndPending(false);
            StageOrSeasonEnd(source);
            return true;
        }
        // Without the results window the day buttons are the only way on: they show the end of
        // the season instead of doing nothing, and the season stays over until the popup's choice.
        if (!m_frame->HasWindow(kResultsWindow) && dayButton) {
            ShowSeasonEndPopup(source);
            return true;
        }
        // A tournament round over: with the club still in, the day buttons lead on to the next round
        // as the results' button does; a club that went out is shown the results and their verdict.
        // The refresh judges the round first.
        if (dayButton && m_session.tournamentMode != 0) {
            m_frame->RefreshAllScreens();
            const int stage = m_session.cupStage;
            if (m_session.tournamentExit == 0 && stage >= 0 && stage <= 3) {
                m_runner.SetSeasonEndPending(false);
                StageOrSeasonEnd(source);
            } else {
                Post(source, kResultsWindow, kMsgSwitchTo);
            }
            return true;
        }
        // Whatever screen the player has opened since, the day buttons bring the day panel back:
        // its statistics button leads on to the results and the season's end. No day is left to
        // play, and the player is told so rather than left clicking a button that does nothing.
        if (dayButton) {
            m_frame->RefreshDayPanel();
            Post(source, kDayPanelWindow, kMsgSwitchTo);
            m_frame->ShowMessage(Text(kSeasonPlayedText));
            return true;
        }
        if (source != kLeaveCareerButton && source != kNextSeasonButton)
            return false;
    }
    if (IsOneOf(kNextDayButtons, source)) {
        m_singleStep = true;
        m_frame->SetDayWait(true);
        m_workerSource = source;
        StartWorkerThread(static_cast<int>(WorkerKind::OneDay));
        return true;
    }
    if (IsOneOf(kContinueButtons, source)) {
        m_singleStep = false;
        CMemoryDB* career = m_session.careerDB;
        if (!CheckLineupComplete(career ? career->teams.At(0) : nullptr)) {
            m_frame->CentreWindow(kSquadMessageWindow, kSquadReference);
            Post(source, kSquadMessageWindow, kMsgOpenOnTop);
            return true;
        }
        m_workerSource = source;
        // The busy panel shows from the first frame on; the worker clears it when the run ends.
        m_host->SetBusy(true);
        StartWorkerThread(static_cast<int>(WorkerKind::Continue));
        return true;
    }
    switch (source) {
    case kStageButton:
        StageOrSeasonEnd(source);
        return true;
    case kResultsButton:
        for (int window : kStatisticsWindows)
            Post(source, window, kMsgSwitchTo);
        return true;
    case kLeaveCareerButton:
        // Leaving keeps the progress, as leaving through the main menu does.
        if (m_frame->SaveBeforeLeaving())
            ResetCareer(source);
        return true;
    case kNextSeasonButton:
        // The button is off while no season can follow; a stray click changes nothing.
        if (!m_frame->CanStartNewSeason())
            return true;
        m_runner.SetSeasonEndPending(false);
        if (!m_frame->StartNewSeason()) {
            m_runner.SetSeasonEndPending(true);
            return true;
        }
        m_runner.NewSeasonStarted();
        m_frame->ClearDayPanel();
        for (int window : kFrameWindows)
            Post(source, window, kMsgClose);
        Post(source, kMainFrame, kMsgOpenMenu);
        ShowCareerHome(source);
        m_frame->ShowSeasonStartNotice();
        return true;
    default:
        return false;
    }
}

void CDayController::StageOrSeasonEnd(int source) {
    if (m_session.tournamentMode != 0) {
        const int stage = m_session.cupStage;
        const bool exited = m_session.tournamentExit != 0;
        if (!exited && stage >= 0 && stage <= 3) {
            m_frame->BuildCupStage(stage);
            // A stage with games still to come plays on; when none followed, the tournament is
            // over as it is after its final, rather than asking for the same stage again.
            if (m_fixtures && MakeDateKey(m_fixtures->LastDate()) > MakeDateKey(m_session.currentDate)) {
                Post(source, kResultsWindow, kMsgClose);
                m_frame->RefreshAllScreens();
                // The next round's days start from the day panel, not from an empty frame.
                ShowCareerHome(source);
                return;
            }
        }
        m_frame->SetElementText(kStageTextElement, CStr(), 1);
        m_session.tournamentExit = 0;
        m_session.tournamentMode = 0;
        m_session.euroCup = 0;
        ResetCareer(source);
        return;
    }
    if (m_session.careerOver == 0) {
        ShowSeasonEndPopup(source);
        return;
    }
    m_session.careerOver = 0;
    ResetCareer(source);
}

void CDayController::ResetCareerState() {
    m_singleStep = true;
    m_runner.ResetCareerState();
    ShowNews();
}

void CDayController::ResetCareer(int source) {
    m_singleStep = true;
    m_runner.LeaveCareer();
    ShowNews();
    m_frame->DeleteCareerDb();
    for (int window : kFrameWindows)
        Post(source, window, kMsgClose);
    Post(source, kMainMenu, kMsgOpenMenu);
}

// ---- workers -------------------------------------------------------------------------------------

bool CDayController::StartWorkerThread(int kind) {
    if (!m_host || !m_frame || kind < 1 || kind > 2 || IsWorkerActive())
        return false;
    if (m_worker.joinable())
        m_worker.join();
    m_workerKind = static_cast<WorkerKind>(kind);
    m_workerDone.store(false, std::memory_order_relaxed);
    m_workerActive.store(true, std::memory_order_release);
    m_frame->SetThreadRunning(true);
    auto work = [this] {
        switch (m_workerKind) {
        case WorkerKind::OneDay:
            m_workerResult = m_runner.AdvanceOneDay(m_workerStop);
            break;
        case WorkerKind::Continue:
            m_workerStop = false;
            m_workerResult = m_runner.RunDays(m_workerStop);
            break;
        }
        // The message goes first: once the flag is up the controller may be finished and gone.
        m_frame->Post(kWorkerDoneSource, -1, kMsgClick, 0, 0);
        m_workerDone.store(true, std::memory_order_release);
    };
    if (!m_frame->StartWorker(work))
        m_worker = std::thread(work);
    return true;
}

bool CDayController::PollWorker() {
    if (!IsWorkerActive() || !m_workerDone.load(std::memory_order_acquire))
        return false;
    if (m_worker.joinable())
        m_worker.join();
    ShowNews();
    switch (m_workerKind) {
    case WorkerKind::OneDay:
        FinishOneDay(m_workerResult, m_workerStop);
        break;
    case WorkerKind::Continue:
        FinishContinue(m_workerStop);
        break;
    }
    m_frame->SetThreadRunning(false);
    m_workerActive.store(false, std::memory_order_release);
    return true;
}

void CDayController::FinishWorker() {
    if (!IsWorkerActive())
        return;
    if (m_worker.joinable())
        m_worker.join();
    // A worker of the application's: wait for its last word.
    while (!m_workerDone.load(std::memory_order_acquire))
        std::this_thread::yield();
    PollWorker();
}

void CDayController::SwitchAfterUserMatch(int source) {
    if (!m_runner.LiveMatch()) {
        // Played at once, or no engine took it: the day panel shows the day.
        m_frame->SetMatchRunning(false);
        Post(source, kDayPanelWindow, kMsgSwitchTo);
    } else if (m_session.view3D != 0) {
        m_frame->SetMatchRunning(true);
        Post(source, kMatch3DWindow, kMsgSwitchTo);
    } else {
        m_frame->SetMatchRunning(true);
        Post(source, kMatchCentreWindow, kMsgSwitchTo);
    }
}

void CDayController::FinishContinue(bool stop) {
    if (stop) {
        m_frame->RefreshDayPanel();
        m_frame->RefreshAllScreens();
        SwitchAfterUserMatch(m_workerSource);
        return;
    }
    m_frame->RefreshAllScreens();
    const GameDate& date = m_runner.WorkingDate();
    if (m_fixtures && m_fixtures->HasFixtureOn(date.year, date.month, date.day))
        Post(m_workerSource, kDayPanelWindow, kMsgSwitchTo);
}

void CDayController::FinishOneDay(bool hadFixtures, bool stop) {
    if (!hadFixtures) {
        m_frame->RefreshAllScreens();
    } else {
        // Every next-day button switches as the first one does.
        const int source = kNextDayButtons[0];
        m_frame->RefreshDayPanel();
        m_frame->RefreshAllScreens();
        if (stop)
            SwitchAfterUserMatch(source);
        else
            Post(source, kDayPanelWindow, kMsgSwitchTo);
    }
    m_frame->SetDayWait(false);
}

void CDayController::ShowCareerHome(int source) {
    // The club overview when the layout has it; until then the day panel, so the frame's content
    // area is never left empty.
    if (m_frame->HasWindow(kClubWindow)) {
        Post(source, kClubWindow, kMsgOpenOnTop);
        return;
    }
    m_frame->RefreshDayPanel();
    Post(source, kDayPanelWindow, kMsgOpenOnTop);
}
