// The game manager: message order in and out of a match, refresh groups, and careers started,
// saved, reloaded and refused without harm.
#include "app/GameManager.h"
#include "app/Shell.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/TempDir.h"
#include "guidefines.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A screen that writes down what reached it.
class CRecordingScreen : public CGameScreen {
public:
    CRecordingScreen(std::vector<CStr>& log, const char* name, int consumeId = -2)
        : m_log(log), m_name(name), m_consumeId(consumeId) {}
    void Refresh() override { m_log.push_back(m_name.Concat(":refresh")); }
    void OnMessage(GuiMessage& m) override {
        m_log.push_back(m_name);
        if (m.sID == m_consumeId)
            m.sID = -1;
    }

private:
    std::vector<CStr>& m_log;
    CStr m_name;
    int m_consumeId;
};

void Install(CGameManager& gm, std::vector<CStr>& log, ScreenRole role, const char* name,
             int consumeId = -2) {
    gm.SetScreen(role, std::make_unique<CRecordingScreen>(log, name, consumeId));
}

} // namespace

TEST(GameManagerMessages, ScreensInTheirOrderAndAConsumedMessageStops) {
    CGameManager gm;
    std::vector<CStr> log;
    Install(gm, log, ScreenRole::Finance, "finance");
    Install(gm, log, ScreenRole::DayController, "day", 10050);
    Install(gm, log, ScreenRole::StatsCompare, "compare");
    Install(gm, log, ScreenRole::Transfer, "transfer");
    Install(gm, log, ScreenRole::MatchCentre, "centre");
    GuiMessage other{10300, -1, kMsgClick, 0, 0, 0};
    gm.OnMessage(other);
    EXPECT_EQ(log, (std::vector<CStr>{"compare", "day", "finance", "transfer"}));
    log.clear();
    GuiMessage cont{10050, -1, kMsgClick, 0, 0, 0};
    gm.OnMessage(cont);
    EXPECT_EQ(log, (std::vector<CStr>{"compare", "day"}));
    EXPECT_EQ(cont.sID, -1);
}

TEST(GameManagerMessages, MatchModeReachesOnlyTheMatchScreens) {
    CGameManager gm;
    std::vector<CStr> log;
    Install(gm, log, ScreenRole::DayController, "day");
    Install(gm, log, ScreenRole::Tactics, "tactics");
    Install(gm, log, ScreenRole::MatchHud, "hud");
    Install(gm, log, ScreenRole::MatchCentre, "centre");
    Install(gm, log, ScreenRole::Commentary, "commentary");
    gm.Session().matchMode = 1;
    gm.Session().view3D = 0;
    GuiMessage m{11101, -1, kMsgClick, 0, 0, 0};
    gm.OnMessage(m);
    EXPECT_EQ(log, (std::vector<CStr>{"centre", "tactics", "commentary"}));
    log.clear();
    gm.Session().view3D = 1;
    gm.tacticsWindow = 1;
    gm.OnMessage(m);
    EXPECT_EQ(log, (std::vector<CStr>{"tactics", "hud", "commentary"}));
}

TEST(GameManagerRefresh, ThreeGroupsOnlyWithAnOpenCareerAndNoMoneyScreensInTournaments) {
    CGameManager gm;
    std::vector<CStr> log;
    Install(gm, log, ScreenRole::Statistics, "stats");
    Install(gm, log, ScreenRole::Finance, "finance");
    Install(gm, log, ScreenRole::ClubOverview, "club");
    Install(gm, log, ScreenRole::Indicators, "indicators");
    gm.RefreshAllScreens();
    EXPECT_TRUE(log.empty());

    gm.Session().careerDB = new CMemoryDB();
    gm.Session().careerDB->teams.Append(new CTeam());
    gm.Session().careerDB->profiles.Append(new CProfile());
    gm.RefreshAllScreens();
    EXPECT_EQ(log,
              (std::vector<CStr>{"club:refresh", "finance:refresh", "stats:refresh", "indicators:refresh"}));
    log.clear();
    gm.Session().tournamentMode = 1;
    gm.RefreshAllScreens();
    EXPECT_EQ(log, (std::vector<CStr>{"club:refresh", "stats:refresh"}));
}

TEST(GameManagerShell, QuitFromTheMainMenuEndsTheLoopInsteadOfTheProcess) {
    CGameManager gm;
    gm.CreateRegisteredScreens();
    gm.PostMessage(ID_MM_QUIT, -1, kMsgClick, 0, 0);
    gm.ProcessMessages();
    // Still here: the shell's loop ends after this frame and shuts the game down in order.
    EXPECT_TRUE(gm.ShellServices().QuitRequested());
}
