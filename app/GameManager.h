// CGameManager: owns every screen, both databases, the calendar, fixtures, ledger and day
// controller, the language table and the message queue (through its screen stack base); routes
// GUI messages to the screens in a fixed order and refreshes them.
#pragma once

#include "app/GameScreen.h"
#include "app/Options.h"
#include "app/TextTable.h"
#include "career/Calendar.h"
#include "gui/ScreenStack.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>

class CMemoryDB;
class CFixtureList;
class CEventList;

class CGameManager : public CScreenStack {
public:
    CGameManager();
    ~CGameManager() override;

    // Loads the language file, creates the calendar, fixture list, ledger, day controller, both
    // databases (the world from "\data\") and every screen that finds its root window.
    bool CreateScreens(const GameOptions& options);

    // Screens first in their fixed order, then (in ProcessMessages) the stack's own delivery.
    void OnMessage(GuiMessage& message) override;
    // Every screen in three groups; the money screens are left out in the tournament modes.
    // Only does anything while a career is open.
    void RefreshAllScreens();
    // A copy of the language text; an absent id gives an empty text.
    CStr GetText(int textId) const { return m_language.Get(textId); }
    CTextTable& Language() { return m_language; }
    // Centres the window over the reference element; nothing when either is missing.
    void CentreWindow(int referenceId, int windowId);
    void SetFrameTexts();

    // A career is open: both databases exist and the career has a club and a profile.
    bool HasOpenCareer() const;

    // Careers. Each leaves the running game as it was when it fails.
    bool StartNewCareer(int32_t dataSet, int32_t clubId, const CStr& managerName);
    bool SaveCurrentCareer();
    bool LoadSavedCareer(int32_t profileId);
    bool DeleteSavedCareer(int32_t profileId);
    // Back to the state before any career: career database gone, schedule and date reset.
    void LeaveCareer();

    CGameScreen* Screen(ScreenRole role) const { return m_screens[static_cast<size_t>(role)].get(); }
    void SetScreen(ScreenRole role, std::unique_ptr<CGameScreen> screen);

    // The order messages go to the screens; match mode narrows it to the match screens.
    std::vector<ScreenRole> MessageOrder() const;
    // The refresh groups in order (group 2 empty in the tournament modes).
    std::vector<std::vector<ScreenRole>> RefreshGroups() const;

    // Wait-screen text, written by workers while the main thread draws it.
    void SetWaitText(const CStr& text);
    CStr WaitText() const;

    GameDate currentDate{2007, 8, 1};
    CMemoryDB* worldDB = nullptr;
    CMemoryDB* careerDB = nullptr;
    CCalendar* calendar = nullptr;
    CFixtureList* fixtureList = nullptr;
    CEventList* ledger = nullptr;
    GameOptions options;
    CStr workingDir;

    std::atomic<uint8_t> matchMode{0};
    std::atomic<uint8_t> view3D{1};     // copy of "Enable3DSimulation", toggled by the view-mode screen
    std::atomic<uint8_t> resultOnly{0}; // the 2D match runs to its end at once
    std::atomic<uint8_t> newCareerWait{0};
    std::atomic<uint8_t> oneDayWait{0};
    std::atomic<uint8_t> wait3D{0};
    std::atomic<uint8_t> scene3DReady{0};
    std::atomic<uint8_t> tournamentMode{0};
    std::atomic<uint8_t> euroCup{0};
    std::atomic<int32_t> cupStage{0};
    std::atomic<uint8_t> tournamentExit{0};
    std::atomic<uint8_t> careerOver{0};
    std::atomic<uint8_t> tacticsWindow{0};
    std::atomic<int32_t> loadingProgress{0};
    int32_t dataSet = 0; // the open career's data set

private:
    CTextTable m_language;
    std::array<std::unique_ptr<CGameScreen>, static_cast<size_t>(ScreenRole::Count)> m_screens;
    mutable std::mutex m_waitTextMutex;
    CStr m_waitText;
};

extern CGameManager* g_pGameManager;
