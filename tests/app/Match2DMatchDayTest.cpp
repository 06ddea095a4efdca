// The user's match day in a new career: the flat-court engine plays his fixture at once or on the
// match centre, the score and the statistics records stay, and the day ends on the day panel.
#include "app/GameManager.h"
#include "career/DayController.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"
#include "gui/LayoutLoader.h"
#include "screens/info/DayInfoPanel.h"

#include "WatchedMatch.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

int SumPoints(const CTeam* team, size_t firstRecord) {
    int points = 0;
    for (const CPlayer* player : team->players) {
        for (size_t i = 0; i < player->stats.size(); ++i) {
            if (player->stats[i]->Field(2) != 0 && i >= firstRecord) {
                points += player->stats[i]->Field(10);
            }
        }
    }
    return points;
}

void PlayToFirstUserMatch(bool noView) {
    GameSrand(9);
    CGameManager gm;
    CGuiLayoutLoader loader(gm);
    ASSERT_TRUE(loader.Load());
    GameOptions options;
    options.enable3DSimulation = false;
    options.enableFastSimulation = false;
    ASSERT_TRUE(gm.CreateScreens(options));
    ASSERT_TRUE(gm.Session().worldDB && !gm.Session().worldDB->teams.IsEmpty());
    ASSERT_TRUE(
        gm.Session().StartNewCareer(kDataSetLeague, gm.Session().worldDB->teams.At(0)->id, CStr("Tester")));
    gm.Session().view3D = 0;
    gm.Session().resultOnly = noView ? 1 : 0;
    gm.CreateRegisteredScreens();
    // The flat-court engine seeds itself from the clock when it is made: seed again for a fixed match.
    GameSrand(3);
    auto* day = dynamic_cast<CDayController*>(gm.Screen(ScreenRole::DayController));
    ASSERT_NE(day, nullptr);

    const int32_t userId = gm.Session().careerDB->teams.At(0)->id;
    CFixture* userFixture = nullptr;
    for (int i = 0; i < gm.Session().fixtureList->Size() && userFixture == nullptr; ++i) {
        CFixture* f = gm.Session().fixtureList->At(i);
        if (f->home->id == userId || f->away->id == userId) {
            userFixture = f;
        }
    }
    ASSERT_NE(userFixture, nullptr);
    // The schedule names the world's record of the user's club; its squad plays from the career.
    CTeam* userTeam = gm.Session().careerDB->teams.At(0);
    CTeam* home = userFixture->home->id == userId ? userTeam : userFixture->home;
    CTeam* away = userFixture->away->id == userId ? userTeam : userFixture->away;
    ASSERT_FALSE(home->players.empty());
    const size_t homeRecords = home->matchStats.size();
    const size_t awayRecords = away->matchStats.size();
    const size_t homePlayerRecords = home->players.front()->stats.size();

    PostGuiMessage(10050, -1, 10, 0, 0);
    gm.ProcessMessages();
    // Frames while the day runs on its worker (slow under the sanitizers): up to a minute.
    const auto start = std::chrono::steady_clock::now();
    while (day->IsWorkerActive() && std::chrono::steady_clock::now() - start < std::chrono::seconds(60)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        gm.ProcessMessages();
    }
    ASSERT_FALSE(day->IsWorkerActive());
    EXPECT_EQ(gm.Session().currentDate, userFixture->Date());
    if (!noView) {
        // The match centre has the match, unplayed, until it is watched to its end.
        EXPECT_EQ(gm.Session().matchMode.load(), 1);
        EXPECT_EQ(userFixture->homeScore, -1);
        gm.ProcessMessages();
        EXPECT_TRUE(gm.IsLayerActive(ID_MATCHCENTRE));
        ASSERT_TRUE(watched::PlayWatchedMatch(gm));
        // Not the season's last day: the finish button leads on to the statistics.
        EXPECT_TRUE(gm.IsLayerActive(ID_STATISTICS));
        EXPECT_FALSE(gm.IsLayerActive(ID_MATCHCENTRE));
        // A second finish records nothing more.
        const size_t recorded = home->matchStats.size();
        PostGuiMessage(ID_CENTRE_FINISH, -1, kMsgClick, 0, 0);
        gm.ProcessMessages();
        EXPECT_EQ(home->matchStats.size(), recorded);
    }
    EXPECT_GE(userFixture->homeScore, 0);
    EXPECT_GE(userFixture->awayScore, 0);
    EXPECT_GT(userFixture->homeScore + userFixture->awayScore, 0);

    // One club record each with the score, player records whose points add up to it.
    ASSERT_EQ(home->matchStats.size(), homeRecords + 1);
    const CMatchStat* homeStat = home->matchStats.back();
    EXPECT_EQ(homeStat->Field(9), userFixture->homeScore);
    EXPECT_EQ(homeStat->Field(10), userFixture->awayScore);
    EXPECT_EQ(homeStat->Field(4), away->id);
    EXPECT_EQ(away->matchStats.back()->Field(9), userFixture->awayScore);
    // A forfeit sets the score to 2:0 whatever the players scored before it.
    const bool forfeit = userFixture->homeScore + userFixture->awayScore == 2;
    if (!forfeit) {
        EXPECT_EQ(SumPoints(home, homePlayerRecords), userFixture->homeScore);
    }
    // The user's side is the career's club, whose squad played and got the records.
    EXPECT_EQ(userTeam->matchStats.size(), (home == userTeam ? homeRecords : awayRecords) + 1);

    EXPECT_EQ(gm.Session().matchMode.load(), 0);
    gm.ProcessMessages();
    // Watched, the finish leads to the statistics; played at once, the day panel shows the day.
    EXPECT_TRUE(gm.IsLayerActive(noView ? CDayInfoPanel::kWindow : ID_STATISTICS));

    // The records stay with the career's club and players across a save and a load.
    const size_t clubRecords = userTeam->matchStats.size();
    const int32_t firstPlayer = userTeam->players.front()->id;
    const size_t playerRecords = userTeam->players.front()->stats.size();
    const int32_t profileId = gm.Session().careerDB->profiles.At(0)->id;
    ASSERT_TRUE(gm.Session().SaveCurrentCareer());
    ASSERT_TRUE(gm.Session().LoadSavedCareer(profileId));
    CTeam* reloaded = gm.Session().careerDB->teams.At(0);
    EXPECT_EQ(reloaded->matchStats.size(), clubRecords);
    for (const CPlayer* player : reloaded->players) {
        if (player->id == firstPlayer) {
            EXPECT_EQ(player->stats.size(), playerRecords);
        }
    }
}

class Match2DMatchDay : public GameFolderTest {};

TEST_F(Match2DMatchDay, WithoutAViewTheUsersMatchIsPlayedAndRecorded) {
    PlayToFirstUserMatch(true);
}

TEST_F(Match2DMatchDay, AWatchedMatchIsPlayedOnTheMatchCentreAndRecordedAtItsFinish) {
    PlayToFirstUserMatch(false);
}

} // namespace
