// CGameManager: the shell's screen host. It owns the career session, every screen (made from the
// screen registry), the language table and the message queue (through its screen stack base);
// routes GUI messages to the screens in the registry's order and refreshes them.
#pragma once

#include "career/CareerSession.h"
#include "gui/ScreenStack.h"
#include "gui/TextTable.h"
#include "screens/ScreenContext.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

class CGameApp;
class CShellServices;

class CGameManager : public CScreenStack {
public:
    // The application may be absent (tests, the probe): the shell's flags then live here alone.
    explicit CGameManager(CGameApp* app = nullptr);
    ~CGameManager() override;

    // Loads the language files and the league world into the session.
    bool CreateScreens(const GameOptions& options);
    // Makes every screen of the registry (after the layout is built).
    void CreateRegisteredScreens();

    // Screens first in their fixed order, then (in ProcessMessages) the stack's own delivery.
    void OnMessage(GuiMessage& message) override;
    // Every screen in three groups; the money screens are left out in the tournament modes.
    // Only does anything while a career is open.
    void RefreshAllScreens();
    // A copy of the language text. An id the file lacks shows as "[id]" and is logged once, so a
    // damaged file leaves a readable hint rather than a blank button; ids below 1 mean no text.
    CStr GetText(int textId) const;
    CTextTable& Language() { return m_language; }

    CCareerSession& Session() { return m_session; }
    const CCareerSession& Session() const { return m_session; }
    const CScreenContext& Context() const { return *m_context; }
    IShell& Shell();
    CShellServices& ShellServices() { return *m_shell; }
    // Null without the application.
    CGameApp* App() const;

    CGameScreen* Screen(ScreenRole role) const { return m_screens[static_cast<size_t>(role)].get(); }
    void SetScreen(ScreenRole role, std::unique_ptr<CGameScreen> screen);

    // The order messages go to the screens; match mode narrows it to the match screens.
    std::vector<ScreenRole> MessageOrder() const;
    // The refresh groups in order (group 1 empty in the tournament modes).
    std::vector<std::vector<ScreenRole>> RefreshGroups() const;

    // Wait-screen text, written by workers while the main thread draws it.
    void SetWaitText(const CStr& text);
    CStr WaitText() const;

    // The frame's flags the screens and the day run set.
    std::atomic<uint8_t> newCareerWait{0};
    std::atomic<uint8_t> oneDayWait{0};
    std::atomic<uint8_t> wait3D{0};
    std::atomic<uint8_t> scene3DReady{0};
    std::atomic<uint8_t> tacticsWindow{0};
    std::atomic<int32_t> loadingProgress{0};
    CStr workingDir;

private:
    CTextTable m_language;
    // Until the language file is read every text is missing: only then are gaps shown and logged.
    std::atomic<bool> m_languageRead{false};
    mutable std::mutex m_missingTextMutex;
    mutable std::unordered_set<int> m_missingTexts; // logged already
    CCareerSession m_session;
    std::unique_ptr<CShellServices> m_shell;
    std::unique_ptr<CScreenContext> m_context;
    std::array<std::unique_ptr<CGameScreen>, static_cast<size_t>(ScreenRole::Count)> m_screens;
    mutable std::mutex m_waitTextMutex;
    CStr m_waitText;
};

extern CGameManager* g_pGameManager;
