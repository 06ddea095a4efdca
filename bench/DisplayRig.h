// The watched match as the player sees it, for the box-score benches: the shipped layout and texts,
// the in-match display (3D) or the match centre (flat court), the tactics window and the coaching
// dialog, wired as the game wires them, and a user who leaves the match alone: he presses Fast,
// reads every message (OK), and closes every window that opens with Done, changing nobody himself.
#pragma once

#include "career/CareerSession.h"
#include "engine/GameRand.h"
#include "gui/Element.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"
#include "gui/TextTable.h"
#include "guidefines.h"
#include "match2d/Match2D.h"
#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"
#include "match3d/MatchClock.h"
#include "screens/ScreenContext.h"
#include "screens/match/Match3DHudLink.h"
#include "screens/match/MatchDayScreen.h"
#include "screens/match/MatchHud.h"
#include "screens/match/SubstitutionDialog.h"
#include "screens/match/TacticsScreen.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace displayrig {

// The shell as the match screens see it: the overlays and the pace kept, nothing else to do.
class Shell : public IShell {
public:
    bool StartWorker(std::function<void()> work) override {
        work();
        return true;
    }
    bool WorkerRunning() const override { return false; }
    void SetWaitText(const CStr&) override {}
    void SetProgressStep(int) override {}
    void SetLoadingProgress(int) override {}
    void SetNewCareerWait(bool) override {}
    void SetThreadRunning(bool) override {}
    void SetBusy(bool) override {}
    void SetOverlayOpen(Overlay overlay, bool open) override {
        overlays[static_cast<size_t>(overlay)] = open;
    }
    bool IsOverlayOpen(Overlay overlay) const override { return overlays[static_cast<size_t>(overlay)]; }
    void RefreshAllScreens() override {}
    void ApplySoundOptions() override {}
    void RequestQuit() override {}

    std::array<bool, static_cast<size_t>(Overlay::Count)> overlays{};
};

// Each message goes to the match's screens first, the tactics window in front while it is open, then
// to the layout's own actions: the game manager's order in a match.
struct RoutedStack : CScreenStack {
    void OnMessage(GuiMessage& message) override {
        for (CGameScreen* screen : order) {
            if (message.sID == -1 && message.cID == -1)
                return;
            screen->OnMessage(message);
        }
    }
    std::vector<CGameScreen*> order;
};

// The display's link to the match, telling a watcher after every step it plays (the batch's
// possession count) with the period the display's clock reads.
class WatchedLink : public CMatch3DHudLink {
public:
    WatchedLink(CMatch3D& match, CHeadlessMotion* motion, std::function<void(const CMatch3D&)> watch)
        : CMatch3DHudLink(match, motion), m_match(match), m_watch(std::move(watch)) {}
    bool PlayStep() override {
        const bool played = CMatch3DHudLink::PlayStep();
        if (played && m_watch)
            m_watch(m_match);
        return played;
    }

private:
    CMatch3D& m_match;
    std::function<void(const CMatch3D&)> m_watch;
};

// Totals of what the user met in one watched match.
struct UserActions {
    int messages = 0;    // must-leave and swap messages read (OK)
    int breaks = 0;      // the coach's word at a break read (OK)
    int windows = 0;     // tactics windows closed with Done
    int doneRefused = 0; // Done pressed and the window stayed open
    int presses = 0;     // Fast pressed
};

class Rig {
public:
    Rig() : m_loader(m_stack) {
        m_ok = m_loader.Load(); // the game folder is the working directory
        m_ok = m_language.Load("\\guifiles\\lang_en.txt") && m_ok;
        m_language.LoadAppend("\\guifiles\\lang_data_en.txt");
        m_ctx = std::make_unique<CScreenContext>(
            m_session, m_stack, m_shell, [this](int id) { return m_language.Get(id); },
            [this](ScreenRole role) {
                auto it = m_screens.find(role);
                return it == m_screens.end() ? nullptr : it->second;
            });
    }
    bool Ok() const { return m_ok; }

    // One 3D match already loaded (the home side the user's), watched at Fast to its end through the
    // display as the game's 3D view wires it. False when it did not end; periods: the periods played.
    // watch, when given, is told after every step with the period the display's clock reads.
    bool PlayMatch3D(CMatch3D& match, int& periods, UserActions* actions = nullptr,
                     const std::function<void(const CMatch3D&, int)>& watch = {}) {
        UserActions local;
        UserActions& user = actions ? *actions : local;
        Fresh();
        CMatchHud hud(*m_ctx);
        CTacticsScreen tactics(*m_ctx);
        CSubstitutionDialog dialog(*m_ctx);
        uint32_t now = 1000;
        hud.SetClock([&now] { return now; });
        hud.SetSound(nullptr, false);
        m_screens = {{ScreenRole::MatchHud, &hud},
                     {ScreenRole::Tactics, &tactics},
                     {ScreenRole::Substitution, &dialog}};
        m_session.matchMode = 1;
        m_session.view3D = 1;
        // The tactics window shows the career's pair and Done applies it: the pair the user's side was
        // loaded with, so a batch on any tactics plays them the whole match.
        const CMatchTeam* userSide = match.homeTeam->isUserTeam ? match.homeTeam : match.awayTeam;
        m_session.userAttack = userSide->attackTactic;
        m_session.userDefence = userSide->defenceTactic;
        tactics.userIsHome = match.homeTeam->isUserTeam ? 1 : 0;
        dialog.SetUserSide([&tactics] { return tactics.userIsHome != 0; });
        dialog.SetMatches(nullptr, &match);
        CMatch3D* shown = g_pMatch3D;
        g_pMatch3D = &match;
        CHeadlessMotion motion;
        WatchedLink link(match, &motion, [&watch, &hud](const CMatch3D& m) {
            if (watch)
                watch(m, hud.Quarter());
        });
        bool ended = false;
        PrepareTipOff(match);
        match.display = &hud;
        hud.SetMatch(&link);
        hud.SetTeamNames(CStr("Home"), CStr("Away"));
        hud.SetStatisticsTeam(match.homeTeam->isUserTeam ? match.homeTeam : match.awayTeam);
        hud.FillHostBoxScore();
        hud.FillVisitorBoxScore();
        hud.SetEndHandler([&ended] { ended = true; });
        match.onMustLeavePopup = [&hud](const CStr& name, bool hurt, bool onHisWay) {
            hud.ShowMustLeavePopup(name, hurt, onHisWay);
        };
        match.onUserMustLeave = [&hud] { hud.OpenTactics(); };
        hud.Refresh();
        auto order = [&] {
            m_stack.order = {&hud, &tactics, &dialog};
            if (m_shell.IsOverlayOpen(Overlay::Tactics))
                m_stack.order = {&tactics, &hud, &dialog};
        };
        periods = 1;
        for (long frame = 0; !ended && frame < kFrameLimit; ++frame) {
            now += kFrameMs;
            // A frame's own draws (the crowd) come between the match's steps, as in the game.
            GameRand();
            hud.FrameStep();
            periods = std::max(periods, hud.Quarter());
            order();
            m_stack.ProcessMessages();
            if (ended)
                break;
            // The user answers what stands in front, one click a frame.
            if (!AnswerWindow(order, user) && (hud.Paused() || !hud.Fast())) {
                Click(ID_HUD_FAST, order);
                ++user.presses;
            }
        }
        match.display = nullptr;
        match.onMustLeavePopup = nullptr;
        match.onUserMustLeave = nullptr;
        hud.SetMatch(nullptr);
        hud.SetStatisticsTeam(static_cast<CMatchTeam*>(nullptr));
        g_pMatch3D = shown;
        m_screens.clear();
        m_stack.order.clear();
        m_session.matchMode = 0;
        return ended;
    }

    // One flat-court match already set up as the user's watched match (not run at once) on the user's
    // tactics, watched at Fast on the match centre to its end, with the match's hooks as the game
    // connects them.
    bool PlayMatch2D(CMatch2D& match, CTeam* home, CTeam* away, int userAttack, int userDefence,
                     UserActions* actions = nullptr) {
        UserActions local;
        UserActions& user = actions ? *actions : local;
        Fresh();
        CMatchDayScreen centre(*m_ctx);
        CTacticsScreen tactics(*m_ctx);
        CSubstitutionDialog dialog(*m_ctx);
        centre.SetSound(nullptr, false);
        m_screens = {{ScreenRole::MatchCentre, &centre},
                     {ScreenRole::Tactics, &tactics},
                     {ScreenRole::Substitution, &dialog}};
        m_session.matchMode = 1;
        m_session.view3D = 0;
        const bool userIsHome = match.GetHomeTeam()->userTeam != 0;
        tactics.userIsHome = userIsHome ? 1 : 0;
        m_session.userAttack = userAttack;
        m_session.userDefence = userDefence;
        dialog.SetUserSide([&tactics] { return tactics.userIsHome != 0; });
        dialog.SetMatches(&match, nullptr);
        CMatch2D* shown = g_pMatch2D;
        g_pMatch2D = &match;
        centre.SetMatch(&match);
        const Match2DHooks kept = match.hooks;
        ConnectHooks(match, centre, dialog);
        centre.SetupMatch(home, away);
        auto order = [&] {
            m_stack.order = {&centre, &tactics, &dialog};
            if (m_shell.IsOverlayOpen(Overlay::Tactics))
                m_stack.order = {&tactics, &centre, &dialog};
        };
        for (long frame = 0; frame < kFrameLimit && !match.IsOver(); ++frame) {
            centre.FrameStep();
            order();
            m_stack.ProcessMessages();
            if (match.IsOver())
                break;
            if (!AnswerWindow(order, user) && !centre.Running()) {
                Click(ID_CENTRE_FAST, order);
                ++user.presses;
            }
        }
        match.hooks = kept;
        match.running = 0;
        g_pMatch2D = shown;
        centre.SetMatch(nullptr);
        m_screens.clear();
        m_stack.order.clear();
        m_session.matchMode = 0;
        return match.IsOver();
    }

    CScreenStack& Stack() { return m_stack; }

private:
    // 17 ms frames, as a 60 Hz screen shows them.
    static constexpr uint32_t kFrameMs = 17;
    // Far more frames than a match with every overtime and stop needs: a match that stalls ends here.
    static constexpr long kFrameLimit = 600000;

    // Every window of an earlier match closed and its overlays cleared.
    void Fresh() {
        for (int window : {ID_MATCH_POPUP, ID_QUARTERBREAK, ID_TACTICS, ID_SUBSTITUTION})
            m_stack.PostMessage(-1, window, kMsgClose, 0, 0);
        m_stack.ProcessMessages();
        m_shell.overlays = {};
        // The display's event list only grows in a run of the game; a bench of hundreds of matches
        // starts each with an empty one.
        if (CGuiElement* events = m_stack.FindElement(ID_HUD_EVENTS)) {
            events->Clear();
            events->SetRowCount(0);
        }
    }

    // A window in front of the match, answered as a user who changes nobody himself: OK to a message
    // or the coach's word at a break, Done to the tactics window. False when none stands in front.
    template <typename Order> bool AnswerWindow(Order& order, UserActions& user) {
        if (m_stack.IsLayerActive(ID_MATCH_POPUP)) {
            Click(ID_MATCH_POPUP_OK, order);
            ++user.messages;
        } else if (m_stack.IsLayerActive(ID_QUARTERBREAK)) {
            Click(ID_QUARTERBREAK_OK, order);
            ++user.breaks;
        } else if (m_stack.IsLayerActive(ID_TACTICS)) {
            Click(ID_TA_APPLY, order);
            if (m_stack.IsLayerActive(ID_TACTICS))
                ++user.doneRefused;
            else
                ++user.windows;
        } else {
            return false;
        }
        return true;
    }

    template <typename Order> void Click(int id, Order& order) {
        order();
        m_stack.PostMessage(id, -1, kMsgClick, 0, 0);
        m_stack.ProcessMessages();
        order();
        m_stack.ProcessMessages();
    }

    // The flat-court match's hooks as the game connects them to its screens.
    void ConnectHooks(CMatch2D& match, CMatchDayScreen& centre, CSubstitutionDialog& dialog) {
        const CScreenContext& ctx = *m_ctx;
        match.hooks.text = [this](int id) { return m_language.Get(id); };
        match.hooks.substituteNeeded = [&ctx](int) {
            ctx.Post(ID_TACTICS_SOURCE, ID_TACTICS, kMsgClick, ID_TACTICS_SOURCE, 0);
        };
        match.hooks.quarterBreak = [&centre, &dialog] {
            centre.OnQuarterBreak();
            dialog.QuarterBreak(true);
            dialog.FillLists(true);
        };
        match.hooks.remarkLine = nullptr;
        match.hooks.commentary = [&centre, &match](const CStr& text, const CStr& name, bool homeSide) {
            if (!match.instantRun)
                centre.AddCommentary(text, name, homeSide);
        };
        match.hooks.leavePopup = [&centre](const CStr& name, int reason) {
            centre.ShowInfoPopup(name, reason != 0);
        };
        match.hooks.substitutionPending = [&dialog] { dialog.FillLists(true); };
        match.hooks.progress = nullptr;
    }

    RoutedStack m_stack;
    CGuiLayoutLoader m_loader;
    CTextTable m_language;
    CCareerSession m_session;
    Shell m_shell;
    std::map<ScreenRole, CGameScreen*> m_screens;
    std::unique_ptr<CScreenContext> m_ctx;
    bool m_ok = false;
};

} // namespace displayrig
