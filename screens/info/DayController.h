// CDayController: the day's buttons and windows. The continue, next-day and season-end buttons
// start the day runner on a worker; when the run is over the controller shows what it left (the
// day panel, the user's live match, the season's end) and switches windows.
#pragma once

#include "career/DayRunner.h"
#include "gui/GameScreen.h"
#include "guidefines.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class CCareerSession;

// What the day controller needs of the windows: the screens answer. Post is safe from any thread;
// the rest runs on the main thread only.
class IDayView {
public:
    virtual ~IDayView() = default;
    virtual void Post(int source, int target, int kind, int p1, int p2) = 0;
    virtual void CentreWindow(int window, int reference) = 0;
    virtual void EnableElement(int elementId, bool enabled) = 0;
    // A text box is emptied first; a button gets a caption in the draw format.
    virtual void SetElementText(int elementId, const CStr& text, int format) = 0;
    // The game's message box over every window, until its OK button.
    virtual void ShowMessage(const CStr& text) = 0;
    // Whether the layout has the window; the season's end goes through the results window when
    // it does.
    virtual bool HasWindow(int window) const = 0;
    // The day panel shows the runner's day board again; Clear empties its grids as well.
    virtual void RefreshDayPanel() = 0;
    virtual void ClearDayPanel() = 0;
};

// What the day controller needs of the frame besides the windows; the shell answers.
class IDayFrame : public IDayView {
public:
    // Runs work on the application's worker, during which the frame neither takes input nor
    // handles messages. False when there is none; the controller then runs its own thread.
    virtual bool StartWorker(std::function<void()> work) = 0;
    // The application's flags.
    virtual void SetThreadRunning(bool on) = 0;
    virtual void SetDayWait(bool on) = 0;
    // The match the runner handed off is shown: match mode, the match's screen, its input.
    virtual void ShowUserMatch(const UserMatchSetup& setup) = 0;
    virtual void SetMatchRunning(bool on) = 0;
    virtual void RefreshAllScreens() = 0;
    // The statistics and results screens, and the indicators after the day's gossip.
    virtual void RefreshSeasonScreens() = 0;
    virtual void RefreshIndicators() = 0;
    // Whether the next season can be started from the season-end popup.
    virtual bool CanStartNewSeason() const = 0;
    // Saves the career before the player leaves it from the season-end popup; false keeps it open.
    virtual bool SaveBeforeLeaving() = 0;
    // The career database goes.
    virtual void DeleteCareerDb() = 0;
    // The rollover into the next season, or the next knockout round of a tournament. False when
    // none could start (the game's years are over), the player told why: the season end stays.
    virtual bool StartNewSeason() = 0;
    // What the rollover left to tell (the summer's bookings, a save that failed), shown once the
    // new season's windows are open so that opening them does not hide it.
    virtual void ShowSeasonStartNotice() {}
    virtual void BuildCupStage(int stage) = 0;
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

    // The session holds the career's state, mode and choices; the runner works on it.
    CDayController(CCareerSession& session, IDayHost* host, IDayFrame* frame, CFixtureList* fixtures);
    // The controller keeps the host; the frame is a part of it.
    CDayController(CCareerSession& session, std::unique_ptr<IDayHost> host, IDayFrame* frame,
                   CFixtureList* fixtures);
    ~CDayController() override;
    CDayController(const CDayController&) = delete;
    CDayController& operator=(const CDayController&) = delete;

    CDayRunner& Runner() { return m_runner; }
    const CDayRunner& Runner() const { return m_runner; }

    // A day or a run of days on the calling thread, then what it left is shown.
    bool AdvanceDay(bool& stop);
    bool RunDays(bool& stop);

    // The squad check of the continue buttons; opens nothing itself.
    bool CheckLineupComplete(CTeam* team);
    void ShowSeasonEndPopup(int source);
    // The match screens call this once the user's live match is recorded: on the season's last
    // fixture day it raises the season end the live match held back.
    void OnUserMatchRecorded();
    // The watched match is over and recorded: the runner writes its score and rows, the panel
    // shows them. Main thread.
    void FinishUserMatch(CFixture* fixture, int homeScore, int awayScore);
    void AddReportLine(const MatchDayEntry& line) { m_runner.AddReportLine(line); }
    // A player hurt in the user's match joins the day's incidents.
    void AddIncident(const MatchDayIncident& incident) { m_runner.AddIncident(incident); }

    // Every GUI message while no live match runs; handled ones get sID -1.
    void OnContinueMessage(GuiMessage& message);
    void OnMessage(GuiMessage& message) override { OnContinueMessage(message); }
    // The button logic of OnContinueMessage: true when the message is handled.
    bool HandleButton(int source, int kind);

    // Worker threads: kind 1 advances one day, kind 2 is the continue run. While one runs the main thread
    // only draws the wait or busy screen; when it ends it posts {kWorkerDoneSource, -1, 10}, and the
    // controller's follow-up runs as that message arrives.
    bool StartWorkerThread(int kind);
    // Once a worker has finished, its follow-up (showing what the run left, refreshing the
    // screens, switching windows) runs here, on the main thread. True when a run was finished.
    bool PollWorker();
    bool IsWorkerActive() const { return m_workerActive.load(std::memory_order_acquire); }
    // Waits for a running worker and finishes it (shutdown, tests).
    void FinishWorker();

    // The career is left: the runner forgets it, the career database goes, the main menu opens.
    void ResetCareer(int source);
    void ResetCareerState();

    DayPanelHeader PanelHeader() const { return m_runner.PanelHeader(); }
    const GameDate& WorkingDate() const { return m_runner.WorkingDate(); }
    const CDayResults& DayResults() const { return m_runner.DayResults(); }
    const DayBoard& Board() const { return m_runner.Board(); }
    bool SeasonEndPending() const { return m_runner.SeasonEndPending(); }
    bool SingleStep() const { return m_singleStep; }
    bool UserAtHome() const { return m_runner.UserAtHome(); }

private:
    enum class WorkerKind : int { OneDay = 1, Continue = 2 };

    // Shows what the runner's days left: the panel, the live match, the season's screens and the
    // frame's buttons. Main thread.
    void ShowNews();
    void SyncCareer();
    void FinishContinue(bool stop);
    void FinishOneDay(bool hadFixtures, bool stop);
    void SwitchAfterUserMatch(int source);
    void StageOrSeasonEnd(int source);
    // Opens the career's first window (the club overview, or the day panel without it).
    void ShowCareerHome(int source);
    void Post(int source, int target, int kind) const;
    CStr Text(int id) const;

    CCareerSession& m_session;
    std::unique_ptr<IDayHost> m_ownedHost;
    IDayHost* m_host = nullptr;
    IDayFrame* m_frame = nullptr;
    CFixtureList* m_fixtures = nullptr;
    CDayRunner m_runner;
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
};
