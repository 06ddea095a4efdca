// CGameDayHost: the running game as the day controller sees it: the session's date, databases,
// schedule and flags, the application's flags (the application may be absent), the flat-court
// engine for the user's match and the screens' view of the windows.
#pragma once

#include "career/DayController.h"
#include "screens/info/DayView.h"

#include <memory>

class CGameManager;
class CCareerSession;
class CMatch3DView;

class CGameDayHost : public IDayHost {
public:
    explicit CGameDayHost(CGameManager& gm);
    // The engine outlives the host: it forgets the hooks that point here.
    ~CGameDayHost() override;

    GameDate CurrentDate() const override;
    void SetCurrentDate(const GameDate& date) override;
    CMemoryDB* WorldDb() const override;
    CMemoryDB* CareerDb() const override;
    void DeleteCareerDb() override;
    CEventList* Ledger() const override;
    bool HasCalendar() const override;
    CStr GetText(int textId) const override;

    bool TournamentMode() const override;
    bool View3D() const override;
    bool NoView() const override;
    bool MatchMode() const override;
    void SetMatchMode(bool on) override;
    int CupStage() const override;
    bool TournamentExit() const override;
    bool CareerOver() const override;
    void ClearCareerOver() override;
    void EndTournament() override;

    void SetBusy(bool on) override;
    void SetStep(bool on) override;
    void SetThreadRunning(bool on) override;
    void SetMatchRunning(bool on) override;
    void Set3DInput(bool on) override;
    void ClearMatchOverlays() override;
    void SetDayWait(bool on) override;
    void SetWaitText(const CStr& text) override;
    void PublishLatestResult(const LatestResult& result) override;
    bool StartWorker(std::function<void()> work) override;

    // The window work goes to the screens.
    void Post(int source, int target, int kind, int p1, int p2) override;
    void CentreWindow(int window, int reference) override;
    void EnableElement(int elementId, bool enabled) override;
    void SetElementText(int elementId, const CStr& text, int format) override;
    bool HasWindow(int window) const override;
    void RefreshDayPanel() override;
    void ClearDayPanel() override;

    void RefreshAllScreens() override;
    void RefreshStatistics() override;
    void RefreshResults() override;
    void RefreshIndicators() override;
    bool SaveBeforeLeaving() override;
    // A league career goes on into the next season; a tournament ends after its final.
    bool CanStartNewSeason() const override;
    // The rollover, then the career is saved, so a reload finds the new season, and every screen
    // shows it.
    void StartNewSeason() override;
    // The next knockout round of a tournament from the tables of the round just played.
    void BuildCupStage(int stage) override;

    // The daily steps whose parts of the game exist; the others do nothing yet.

    void SetUserPlaysAtHome(bool atHome) override;
    UserTactics GetUserTactics() const override;
    void LoadMatchTactics() override;
    UserMatchOutcome StartUserMatch(const UserMatchSetup& setup) override;
    void ShowUserMatch(const UserMatchSetup& setup) override;

private:
    CGameManager& m_gm;
    CCareerSession& m_session;
    CDayView m_view;
    std::unique_ptr<CMatch3DView> m_match3D; // null without the application
};

// Gives the running game's flat-court engine its hooks: texts, messages, the quarter break and the
// wait screen's progress.
void ConnectMatch2D(CGameManager& gm);
