// The game manager: message order in and out of a match, refresh groups, and careers started,
// saved, reloaded and refused without harm.
#include "app/GameManager.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/TempDir.h"

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

// Careers run in a copy of the generated world so the build's own game folder stays clean.
class GameManagerCareers : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        std::filesystem::copy(std::filesystem::path(FB_GAME_DIR) / "data", m_dir / "data",
                              std::filesystem::copy_options::recursive);
        std::filesystem::remove_all(m_dir / "data/profiles");
        std::filesystem::create_directories(m_dir / "data/profiles");
        Write("guifiles/.keep", "");
        m_gm = std::make_unique<CGameManager>();
        m_gm->CreateScreens(GameOptions());
    }
    void TearDown() override {
        m_gm.reset();
        TempDirTest::TearDown();
    }
    int32_t FirstClubId() {
        CMemoryDB world;
        EXPECT_TRUE(LoadWorldData(world, kDataSetLeague));
        return world.teams.At(3)->id;
    }
    std::unique_ptr<CGameManager> m_gm;
};

TEST_F(GameManagerCareers, NewCareerSavesAndReloadsWithItsClubDateAndFixtures) {
    int32_t club = FirstClubId();
    ASSERT_TRUE(m_gm->Session().StartNewCareer(kDataSetLeague, club, "Dana Reyes"));
    ASSERT_TRUE(m_gm->Session().HasOpenCareer());
    EXPECT_EQ(m_gm->Session().careerDB->teams.At(0)->id, club);
    EXPECT_GT(m_gm->Session().fixtureList->Size(), 0);
    int fixtures = m_gm->Session().fixtureList->Size();
    m_gm->Session().currentDate = GameDate{2007, 10, 14};
    ASSERT_TRUE(m_gm->Session().SaveCurrentCareer());
    int32_t profileId = m_gm->Session().careerDB->profiles.At(0)->id;

    m_gm->Session().LeaveCareer();
    EXPECT_FALSE(m_gm->Session().HasOpenCareer());
    EXPECT_EQ(m_gm->Session().fixtureList->Size(), 0);
    EXPECT_EQ(m_gm->Session().currentDate.month, 8);

    ASSERT_TRUE(m_gm->Session().LoadSavedCareer(profileId));
    EXPECT_EQ(m_gm->Session().careerDB->teams.At(0)->id, club);
    EXPECT_EQ(m_gm->Session().currentDate.year, 2007);
    EXPECT_EQ(m_gm->Session().currentDate.month, 10);
    EXPECT_EQ(m_gm->Session().currentDate.day, 14);
    EXPECT_EQ(m_gm->Session().fixtureList->Size(), fixtures);
    EXPECT_FALSE(m_gm->Session().tournamentMode);
}

TEST_F(GameManagerCareers, WorldCupCareerStartsInAugust2006AsATournament) {
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetWorldCup));
    ASSERT_TRUE(m_gm->Session().StartNewCareer(kDataSetWorldCup, world.teams.At(0)->id, "Sam"));
    EXPECT_EQ(m_gm->Session().currentDate.year, 2006);
    EXPECT_EQ(m_gm->Session().currentDate.month, 8);
    EXPECT_EQ(m_gm->Session().currentDate.day, 17);
    EXPECT_TRUE(m_gm->Session().tournamentMode);
    EXPECT_FALSE(m_gm->Session().euroCup);
    EXPECT_GT(m_gm->Session().fixtureList->Size(), 0);
}

TEST_F(GameManagerCareers, FailedStartOrLoadLeavesTheRunningCareerAlone) {
    int32_t club = FirstClubId();
    ASSERT_TRUE(m_gm->Session().StartNewCareer(kDataSetLeague, club, "Dana Reyes"));
    m_gm->Session().currentDate = GameDate{2007, 9, 2};
    CMemoryDB* career = m_gm->Session().careerDB;
    EXPECT_FALSE(m_gm->Session().StartNewCareer(kDataSetLeague, -77, "Nobody"));
    EXPECT_FALSE(m_gm->Session().LoadSavedCareer(4242));
    EXPECT_EQ(m_gm->Session().careerDB, career);
    EXPECT_EQ(m_gm->Session().currentDate.month, 9);
    EXPECT_EQ(m_gm->Session().careerDB->teams.At(0)->id, club);
}

TEST_F(GameManagerCareers, DeletedCareerIsGoneFromListAndDisk) {
    ASSERT_TRUE(m_gm->Session().StartNewCareer(kDataSetLeague, FirstClubId(), "Dana Reyes"));
    ASSERT_TRUE(m_gm->Session().SaveCurrentCareer());
    int32_t profileId = m_gm->Session().careerDB->profiles.At(0)->id;
    CStr folder = m_gm->Session().careerDB->profiles.At(0)->folder;
    m_gm->Session().LeaveCareer();
    ASSERT_TRUE(m_gm->Session().DeleteSavedCareer(profileId));
    CMemoryDB world;
    EXPECT_EQ(ListCareers(world), 0);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "data/profiles" / folder.Std()));
    EXPECT_FALSE(m_gm->Session().LoadSavedCareer(profileId));
}
