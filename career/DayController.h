// CDayController: moves the career through time one day at a time, runs each day's steps in their
// fixed order, plays the match day and reacts to the continue, next-day and season-end buttons.
#pragma once

#include "career/Calendar.h"
#include "career/MatchDay.h"
#include "career/MoneySteps.h"
#include "database/Tables.h"
#include "engine/Str.h"
#include "gui/GameScreen.h"
#include "guidefines.h"
#include "match/UserMatch.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CEventList;
class CFixtureList;
class CMemoryDB;
struct CFixture;
struct CTeam;

// The busy panel's latest result.
struct LatestResult {
    CStr league;
    CStr home;
    CStr away;
    CStr homeScore;
    CStr awayScore;
};

// What the day controller needs of the windows: the screens answer. Post is safe from any thread;
// the rest runs on the main thread only.
class IDayView {
public:
    virtual ~IDayView() = default;
    virtual void Post(int source, int target, int kind, int p1, int p2) = 0;
    virtual void CentreWindow(int window, int reference) {
        (void)window;
        (void)reference;
    }
    virtual void EnableElement(int elementId, bool enabled) {
        (void)elementId;
        (void)enabled;
    }
    // A text box is emptied first; a button gets a caption in the draw format.
    virtual void SetElementText(int elementId, const CStr& text, int format) {
        (void)elementId;
        (void)text;
        (void)format;
    }
    // Whether the layout has the window; the season's end goes through the results window when
    // it does.
    virtual bool HasWindow(int window) const {
        (void)window;
        return true;
    }
    // The day panel shows the controller's day board again; Clear empties its grids as well.
    virtual void RefreshDayPanel() {}
    virtual void ClearDayPanel() {}
};

// What the day controller needs of the running game. The shell answers; every method that
// belongs to a part of the game not built yet has a default that does nothing.
class IDayHost : public IDayView {
public:
    // The game's state.
    virtual GameDate CurrentDate() const = 0;
    virtual void SetCurrentDate(const GameDate& date) = 0;
    virtual CMemoryDB* WorldDb() const = 0;
    virtual CMemoryDB* CareerDb() const = 0;
    // Deletes the career database and forgets it.
    virtual void DeleteCareerDb() = 0;
    virtual CEventList* Ledger() const { return nullptr; }
    virtual bool HasCalendar() const { return true; }
    virtual CStr GetText(int textId) const {
        (void)textId;
        return CStr();
    }

    // Modes and options.
    virtual bool TournamentMode() const { return false; }
    virtual bool View3D() const { return false; }
    virtual bool NoView() const { return false; }
    virtual bool MatchMode() const { return false; }
    virtual void SetMatchMode(bool on) { (void)on; }
    virtual int CupStage() const { return 0; }
    virtual bool TournamentExit() const { return false; }
    virtual bool CareerOver() const { return false; }
    virtual void ClearCareerOver() {}
    // Clears the tournament-exit, tournament-mode and EuroCup flags.
    virtual void EndTournament() {}

    // The application's flags (atomics on the application object).
    virtual void SetBusy(bool on) { (void)on; }
    virtual void SetStep(bool on) { (void)on; }
    virtual void SetThreadRunning(bool on) { (void)on; }
    virtual void SetMatchRunning(bool on) { (void)on; }
    virtual void Set3DInput(bool on) { (void)on; }
    virtual void ClearMatchOverlays() {}
    virtual void SetDayWait(bool on) { (void)on; }
    virtual void SetNewCareerWait(bool on) { (void)on; }
    virtual void SetWaitText(const CStr& text) { (void)text; }
    // Safe from the day thread: the busy panel reads it while the day runs.
    virtual void PublishLatestResult(const LatestResult& result) { (void)result; }

    // Runs work on the application's worker, during which the frame neither takes input nor
    // handles messages. False when there is none; the controller then runs its own thread.
    virtual bool StartWorker(std::function<void()> work) {
        (void)work;
        return false;
    }

    virtual void RefreshAllScreens() {}

    // Steps of other parts of the game.
    virtual void SetUserPlaysAtHome(bool atHome) { (void)atHome; } // the tactics screen's flag
    // The user's offence (0-9) and defence (10-19) for his next match, as chosen on the tactics screen.
    virtual UserTactics GetUserTactics() const { return UserTactics(); }
    // Both match engines read their tactics tables once, when the controller is made.
    virtual void LoadMatchTactics() {}
    // The match engines' seam. A live view returns at once; an instant run plays the whole match,
    // handling the user's side like the computer's (no pause, no popup), and reports its score.
    // The live match's screen takes the match the engine has set up (main thread, after the day).
    virtual void ShowUserMatch(const UserMatchSetup& setup) { (void)setup; }
    virtual UserMatchOutcome StartUserMatch(const UserMatchSetup& setup) {
        (void)setup;
        return UserMatchOutcome();
    }
    virtual void RefreshStatistics() {}
    virtual void RefreshResults() {}
    // Whether the next season can be started from the season-end popup.
    virtual bool CanStartNewSeason() const { return true; }
    // Saves the career before the player leaves it from the season-end popup; false keeps it open.
    virtual bool SaveBeforeLeaving() { return true; }
    virtual void StartNewSeason() {}
    virtual void BuildCupStage(int stage) { (void)stage; }
    virtual void CreateCareer() {}
    virtual void RefreshTransfers() {}
    // The indicators show the day's opinions (after the gossip step; main thread).
    virtual void RefreshIndicators() {}
    // The daily steps' own per-career values (sponsor offer, scout countdown, ...) back to new.
    virtual void ResetCareerSteps() {}
};

class CDayController : public CGameScreen {
public:
    // Element and window ids the controller reacts to or opens.
    static constexpr int kNextDayButtons[3] = {ID_NEXTDAY_PANEL, ID_NEXTDAY, ID_NEXTDAY_STATS};
    static constexpr int kContinueButtons[3] = {ID_CONTINUE_PANEL, ID_CONTINUE, ID_CONTINUE_STATS};
    static constexpr int kResultsButton = ID_DAYPANEL_STATISTICS;
    static constexpr int kStageButton = ID_RESULTS_STAGE;
    static constexpr int kLeaveCareerButton = ID_SEASONEND_LEAVE;
    static constexpr int kNextSeasonButton = ID_SEASONEND_NEXT;
    static constexpr int kDayPanelWindow = ID_DAYPANEL;
    static constexpr int kMatch3DWindow = ID_MATCHHUD;
    static constexpr int kMatchCentreWindow = ID_MATCHCENTRE;
    static constexpr int kResultsWindow = ID_RESULTS;
    static constexpr int kSquadMessageWindow = ID_SQUADMSG;
    static constexpr int kSquadMessageText = ID_SQUADMSG_TEXT;
    static constexpr int kSquadMessageButton = ID_SQUADMSG_OK;
    static constexpr int kSeasonEndWindow = ID_SEASONEND;
    static constexpr int kSeasonEndText = ID_SEASONEND_TEXT;
    static constexpr int kWorkerDoneSource = -100; // no element has it

    CDayController(IDayHost* host, CFixtureList* fixtures);
    // The controller keeps the host.
    CDayController(std::unique_ptr<IDayHost> host, CFixtureList* fixtures);
    ~CDayController() override;
    CDayController(const CDayController&) = delete;
    CDayController& operator=(const CDayController&) = delete;

    // One day: the date steps, the daily steps, the match day. True when the day had fixtures; the
    // stop flag is set when the user's club plays.
    bool AdvanceDay(bool& stop);
    // Days until the user's club plays or the season's last fixture day; at least one day.
    bool RunDays(bool& stop);
    // The one-day worker's body.
    void AdvanceDayFromThread();

    // The day's fixtures: quick results for the others, the hand-off of the user's.
    bool PlayDayMatches(bool& stop);
    // The squad check of the continue buttons; opens nothing itself.
    bool CheckLineupComplete(CTeam* team);
    void ShowSeasonEndPopup(int source);
    // The match screens call this once the user's live match is recorded: on the season's last
    // fixture day it raises the season-end popup flag the live match held back.
    void OnUserMatchRecorded();
    // The watched match is over and recorded: its score goes into the fixture (the controller writes
    // every fixture's score), its row into the day's results and its players into the leaders; then
    // as OnUserMatchRecorded. A null fixture gets no score. Main thread.
    void FinishUserMatch(CFixture* fixture, int homeScore, int awayScore);
    void ClearDayResults() { m_results.Clear(); }
    void AddReportLine(const MatchDayEntry& line) { m_results.AddReportLine(line); }
    // Rebuilds the board's leader and incident rows (after the user's match was recorded).
    void BuildKickOffTimes() { ::BuildKickOffTimes(m_results, m_board); }

    // Every GUI message while no live match runs; handled ones get sID -1.
    void OnContinueMessage(GuiMessage& message);
    void OnMessage(GuiMessage& message) override { OnContinueMessage(message); }
    // The button logic of OnContinueMessage: true when the message is handled.
    bool HandleButton(int source, int kind);

    // Worker threads: kind 0 builds a new career, kind 1 advances one day, kind 2 is the continue
    // run. While one runs the main thread only draws the wait or busy screen; when it ends it posts
    // {kWorkerDoneSource, -1, 10}, and the controller's follow-up runs as that message arrives.
    bool StartWorkerThread(int kind);
    // Once a worker has finished, its follow-up (the window work it left, refreshing the screens,
    // switching windows) runs here, on the main thread. True when a run was finished.
    bool PollWorker();
    bool IsWorkerActive() const { return m_workerActive.load(std::memory_order_acquire); }
    // Waits for a running worker and finishes it (shutdown, tests).
    void FinishWorker();

    // The career is left: the career database, the fixtures, the ledger, the day's results and
    // every per-career value go.
    void ResetCareer(int source);
    // Per-career state back to its starting values (also before a career is created or loaded).
    void ResetCareerState();

    // What the side panel's caption shows.
    DayPanelHeader PanelHeader() const;

    const GameDate& WorkingDate() const { return m_date; }
    const CDayResults& DayResults() const { return m_results; }
    // The day's rows for the day panel; written by a day run, read on the main thread after it.
    const DayBoard& Board() const { return m_board; }
    bool SeasonEndPending() const { return m_seasonEndPopup; }
    bool SingleStep() const { return m_singleStep; }
    bool UserAtHome() const { return m_userAtHome; }

private:
    enum class WorkerKind : int { NewCareer = 0, OneDay = 1, Continue = 2 };

    void RunDailySteps();
    // The training of the day being left: the plan the player saved for the date he saw as today.
    // His match day has no training (the players played).
    void TrainDayLeft(const GameDate& dayLeft);
    // What today's steps work on.
    CareerDay CareerToday() const;
    // A career opened, left or replaced behind the controller's back (the menus can do that)
    // takes the controller's per-career state with it.
    void SyncCareer();
    void HandOffUserMatch(CFixture* fixture, CTeam* user, bool& liveMatch);
    void RecordPlayedAtOnce(CFixture* fixture, const UserMatchOutcome& outcome);
    // The user's played match competes for the day's top-scoring club like every other fixture.
    void OfferTopScore(const CFixture& fixture);
    void FinishContinue(bool stop);
    void FinishOneDay(bool hadFixtures, bool stop);
    void FinishNewCareer();
    void SwitchAfterUserMatch(int source);
    void StageOrSeasonEnd(int source);
    // Opens the career's first window (the club overview, or the day panel without it).
    void ShowCareerHome(int source);
    void Post(int source, int target, int kind) const;
    CStr Text(int id) const;
    // Window and screen work of the day: on the main thread at once, from the day thread kept for
    // the main thread's follow-up.
    void OnMainThread(std::function<void()> work);
    void RunDeferred();

    std::unique_ptr<IDayHost> m_ownedHost;
    IDayHost* m_host = nullptr;
    CFixtureList* m_fixtures = nullptr;
    GameDate m_date;
    CDayResults m_results;
    DayBoard m_board;
    // Statistics of quick results when no world database is there to own them.
    CMatchStatList m_keptMatchStats;
    CPlayerStatList m_keptPlayerStats;

    bool m_userAtHome = false;
    bool m_liveMatch = false;         // the user's match of the day is being shown by an engine
    CTeam* m_userMatchHome = nullptr; // the 3D match's teams
    CTeam* m_userMatchAway = nullptr;
    std::atomic<bool> m_seasonEndPopup{false}; // raised by a day run on the worker
    bool m_singleStep = true;

    // The worker and what its run left for the main thread; written by the worker before it
    // publishes m_workerDone, read by the main thread after seeing it.
    std::thread m_worker;
    std::atomic<bool> m_workerActive{false};
    std::atomic<bool> m_workerDone{false};
    WorkerKind m_workerKind = WorkerKind::OneDay;
    int m_workerSource = -1;
    bool m_workerResult = false;
    bool m_workerStop = false;
    bool m_onWorker = false; // read and written only by the thread running the day
    // The career the per-career state belongs to.
    const CMemoryDB* m_careerSeen = nullptr;
    int32_t m_careerProfileSeen = -1;
    std::vector<std::function<void()>> m_deferred;
};
