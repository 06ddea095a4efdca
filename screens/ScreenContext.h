// The screen context: everything a screen may reach. The career session, the screen stack (its
// elements and messages), the other screens by role, the texts and a small shell interface for
// the frame's flags and the worker. Screens never see the shell itself.
#pragma once

#include "engine/Str.h"
#include "gui/GameScreen.h"

#include <functional>

class CCareerSession;
class CGuiElement;
class CScreenStack;

// Every screen's place in the manager, in the order messages are offered outside a match.
enum class ScreenRole : int {
    StatsCompare,
    DayController,
    ViewMode,
    Results,
    Lineup,
    Tactics,
    Inbox,
    News,
    Header,
    Staff,
    Training,
    Finance,
    IncomeReport,
    ExpenseReport,
    Sponsor,
    Ticket,
    FunShop,
    Transfer,
    StadiumUpgrade,
    Statistics,
    MainMenu,
    Profiles,
    NewCareer,
    Options,
    Commentary,
    // Not offered messages outside a match, or only in match mode:
    ClubOverview,
    Indicators,
    Certificates,
    DayInfoPanel,
    PlayerInfo,
    MatchHud,
    MatchCentre,
    Substitution,
    Count
};

// The windows that can lie over a running match, each with its open flag.
enum class Overlay : int { Tactics, Popup, Coaching, QuarterBreak, Commentary, Count };

// What the screens need of the shell: the frame's flags and the one worker for long work.
class IShell {
public:
    virtual ~IShell() = default;
    // Runs long work off the main thread (one at a time); the frame draws the wait screen
    // meanwhile. False while another runs.
    virtual bool StartWorker(std::function<void()> work) = 0;
    virtual bool WorkerRunning() const = 0;
    // The wait screen: its text, its progress bar's steps and how many are done.
    virtual void SetWaitText(const CStr& text) = 0;
    virtual void SetProgressStep(int steps) = 0;
    virtual void SetLoadingProgress(int done) = 0;
    virtual void SetNewCareerWait(bool on) = 0;
    virtual void SetThreadRunning(bool on) = 0;
    virtual void SetBusy(bool on) = 0;
    virtual void SetOverlayOpen(Overlay overlay, bool open) = 0;
    virtual bool IsOverlayOpen(Overlay /*overlay*/) const { return false; }
    // The running match's pace for the frame step: no step while paused, a double one when fast.
    virtual void SetMatchPace(bool /*paused*/, bool /*fast*/) {}
    // How many times its own pace the watched flat-court match plays: 1 in the game; the scripted
    // window sessions watch a whole match in a minute or two (FB_MATCH_CLOCK_SCALE, as the 3D
    // display's clock).
    virtual int MatchClockScale() const { return 1; }
    // Whether a match of the user's club is under way (its view is what the frame shows).
    virtual void SetMatchRunning(bool /*on*/) {}
    // Every screen refills itself from the session (only while a career is open).
    virtual void RefreshAllScreens() = 0;
    // Applies changed sound and music options at once.
    virtual void ApplySoundOptions() = 0;
    // Ends the main loop after this frame; the game shuts down normally.
    virtual void RequestQuit() = 0;
};

inline bool IsClick(const GuiMessage& m, int id) {
    return m.MSG == kMsgClick && m.sID == id;
}
inline void Consume(GuiMessage& m) {
    m.sID = -1;
}

class CScreenContext {
public:
    using TextLookup = std::function<CStr(int)>;
    using ScreenLookup = std::function<CGameScreen*(ScreenRole)>;

    CScreenContext(CCareerSession& session, CScreenStack& stack, IShell& shell, TextLookup text,
                   ScreenLookup screens)
        : m_session(session), m_stack(stack), m_shell(shell), m_text(std::move(text)),
          m_screens(std::move(screens)) {}

    CCareerSession& Session() const { return m_session; }
    CScreenStack& Stack() const { return m_stack; }
    IShell& Shell() const { return m_shell; }

    CStr Text(int id) const { return m_text ? m_text(id) : CStr(); }
    const TextLookup& Texts() const { return m_text; }
    // Tooltip texts by id (grid headers name theirs by id); empty without a tooltip file.
    void SetTooltips(TextLookup tooltips) { m_tooltips = std::move(tooltips); }
    CStr Tooltip(int id) const { return m_tooltips ? m_tooltips(id) : CStr(); }
    // The element of that id in any layer; null when the layout has none.
    CGuiElement* Find(int id) const;
    // Safe from any thread.
    void Post(int source, int target, int kind, int p1 = 0, int p2 = 0) const;
    void SwitchTo(int window) const;

    CGameScreen* Screen(ScreenRole role) const { return m_screens ? m_screens(role) : nullptr; }
    template <class T> T* ScreenAs(ScreenRole role) const { return dynamic_cast<T*>(Screen(role)); }

    // Shows a message in the game's own window (and in the log).
    void ShowMessage(const CStr& text) const;
    // Centres the window over the reference element; nothing when either is missing.
    void CentreWindow(int referenceId, int windowId) const;
    // Sets an element's text: a text box is emptied first (it adds lines to what it holds); other
    // elements take the draw format when one is given (-1 keeps theirs).
    void SetText(int id, const CStr& text, int format = -1) const;

private:
    CCareerSession& m_session;
    CScreenStack& m_stack;
    IShell& m_shell;
    TextLookup m_text;
    TextLookup m_tooltips;
    ScreenLookup m_screens;
};
