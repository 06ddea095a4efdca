// The start screens: main menu, new career, saved careers, options, the message window and the
// career frame around a running career.
#pragma once

#include "app/GameScreen.h"
#include "database/MemoryDB.h"
#include "engine/Str.h"

#include <memory>

class CGameManager;
class CGuiElement;

// Element and window ids of these screens (also in guifiles\guidefines.h).
namespace StartIds {
constexpr int kMainMenu = 10001, kNewCareerButton = 12001, kLoadCareerButton = 12002, kOptionsButton = 12003,
              kQuitButton = 12004;
constexpr int kNewCareer = 12010, kDataSet = 12011, kClubs = 12012, kManagerName = 12013, kStart = 12014,
              kNewCareerBack = 12015, kClubInfo = 12016, kNewCareerError = 12017;
constexpr int kProfiles = 12030, kProfileGrid = 12031, kLoad = 12032, kDelete = 12033, kProfilesBack = 12034,
              kNoProfiles = 12035;
constexpr int kConfirmDelete = 12040, kConfirmText = 12041, kConfirmYes = 12042, kConfirmNo = 12043;
constexpr int kOptions = 12050, kMusic = 12051, kEffects = 12052, kMatch3D = 12053, kFastSimulation = 12054,
              kLeagueSimulation = 12055, kCountrySimulation = 12056, kMusicVolume = 12057,
              kEffectVolume = 12058, kOptionsSave = 12059, kOptionsBack = 12060, kVideoCube = 12061;
constexpr int kMessage = 12070, kMessageText = 12071, kMessageOk = 12072;
constexpr int kFrame = 10039, kFrameClub = 12081, kFrameDate = 12082, kFrameCash = 12083,
              kFrameLeague = 12084, kFrameSave = 12085, kFrameMenu = 12086, kFrameStatus = 12087;
constexpr int kNewCareerSource = 11046, kClubOverview = 10066, kDayPanel = 11048;
} // namespace StartIds

// Shows a message in the game's own window (and in the log).
void ShowGameMessage(CGameManager& gm, const CStr& text);

class CMainMenuScreen : public CGameScreen {
public:
    explicit CMainMenuScreen(CGameManager& gm) : m_gm(gm) {}
    void OnMessage(GuiMessage& message) override;

private:
    CGameManager& m_gm;
};

class CNewCareerScreen : public CGameScreen {
public:
    explicit CNewCareerScreen(CGameManager& gm);
    void OnMessage(GuiMessage& message) override;
    // Fills the club list of the chosen data set.
    void FillClubs(int32_t dataSet);
    // Builds the career chosen on the screen (on the new-career worker).
    bool CreateCareer(int flag);
    // Start-of-season mails and ledger entries; mail arrives with the inbox.
    void SendStartMails() {}

    int32_t chosenDataSet = 0;
    int32_t chosenClubId = -1;
    CStr chosenName;

private:
    void ShowClubInfo(int32_t clubId);
    void StartCareerWorker();
    CMemoryDB& Preview(int32_t dataSet);

    CGameManager& m_gm;
    std::unique_ptr<CMemoryDB> m_previews[3];
};

class CProfilesScreen : public CGameScreen {
public:
    explicit CProfilesScreen(CGameManager& gm) : m_gm(gm) {}
    void OnMessage(GuiMessage& message) override;
    void FillCareers();

private:
    int32_t SelectedProfileId() const;

    CGameManager& m_gm;
    int32_t m_pendingDelete = -1;
};

class COptionsScreen : public CGameScreen {
public:
    explicit COptionsScreen(CGameManager& gm) : m_gm(gm) {}
    void OnMessage(GuiMessage& message) override;
    // Puts the saved options on the controls.
    void Show();

private:
    CGameManager& m_gm;
};

// The career frame's own part: the header texts and the save and main-menu buttons, and the menu
// buttons of the club screens (enabled once their window exists).
class CCareerFrameScreen : public CGameScreen {
public:
    explicit CCareerFrameScreen(CGameManager& gm) : m_gm(gm) {}
    void Refresh() override;
    void OnMessage(GuiMessage& message) override;
    // Enables each menu button whose screen exists.
    void UpdateMenuButtons();

private:
    CGameManager& m_gm;
};

// Creates the start screens (the loading thread calls it after the layout is built).
void CreateStartScreens(CGameManager& gm);
