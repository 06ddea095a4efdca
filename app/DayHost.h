// CGameDayHost: the running game as the day runner and the day controller see it besides the
// career session: the texts, the application's flags (the application may be absent), the match
// engines for the user's match and the screens' view of the windows.
#pragma once

#include "career/DayRunner.h"
#include "screens/info/DayController.h"
#include "screens/info/DayView.h"

#include <memory>

class CGameManager;
class CCareerSession;
class CMatch3DView;

class CGameDayHost : public IDayHost, public IDayFrame {
public:
    explicit CGameDayHost(CGameManager& gm);
    // The engine outlives the host: it forgets the hooks that point here.
    ~CGameDayHost() override;

    // The day runner's host.
    CStr GetText(int textId) const override;
    void SetBusy(bool on) override;
    void SetStep(bool on) override;
    void SetWaitText(const CStr& text) override;
    void PublishLatestResult(const LatestResult& result) override;
    // The 3D scene or the flat court takes the match; played at once, the flat court plays it here.
    UserMatchOutcome StartUserMatch(const UserMatchSetup& setup) override;

    // The window work goes to the screens.
    void Post(int source, int target, int kind, int p1, int p2) override;
    void CentreWindow(int window, int reference) override;
    void EnableElement(int elementId, bool enabled) override;
    void SetElementText(int elementId, const CStr& text, int format) override;
    void ShowMessage(const CStr& text) override;
    bool HasWindow(int window) const override;
    void RefreshDayPanel() override;
    void ClearDayPanel() override;

    // The frame's part of the day.
    bool StartWorker(std::function<void()> work) override;
    void SetThreadRunning(bool on) override;
    void SetDayWait(bool on) override;
    void ShowUserMatch(const UserMatchSetup& setup) override;
    void SetMatchRunning(bool on) override;
    void RefreshAllScreens() override;
    void RefreshSeasonScreens() override;
    void RefreshIndicators() override;
    // A league career goes on into the next season; a tournament ends after its final.
    bool CanStartNewSeason() const override;
    bool SaveBeforeLeaving() override;
    void DeleteCareerDb() override;
    // The rollover, then the career is saved, so a reload finds the new season, and every screen
    // shows it.
    bool StartNewSeason() override;
    void ShowSeasonStartNotice() override;
    // The next knockout round of a tournament from the tables of the round just played.
    void BuildCupStage(int stage) override;

private:
    void ClearMatchOverlays();
    UserMatchOutcome PlayUserMatch(const UserMatchSetup& setup);

    CGameManager& m_gm;
    CCareerSession& m_session;
    CDayView m_view;
    std::unique_ptr<CMatch3DView> m_match3D; // null without the application
    CStr m_seasonNotice;                     // what the last rollover left to tell
};

// Gives the running game's flat-court engine its hooks: texts, messages, the quarter break and the
// wait screen's progress; both engines read their tactics tables.
void ConnectMatch2D(CGameManager& gm);
