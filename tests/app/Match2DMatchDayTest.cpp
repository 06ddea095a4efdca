// The user's match day in a new career: the flat-court engine plays his fixture at once or on the
// match centre, the score and the statistics records stay, and the day ends on the day panel.
#include "match2d/Match2DMatchDay.h"
#include "career/FixtureList.h"
#include "career/MatchDay.h"
#include "career/MatchRecord.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"
#include "screens/info/DayInfoPanel.h"

#include "GameKit.h"

#include <gtest/gtest.h>

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
    GameOptions options = gamekit::Without3D();
    options.enableFastSimulation = false;
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer, options));
    CGameManager& gm = game.gm;
    gm.Session().view3D = 0;
    gm.Session().resultOnly = noView ? 1 : 0;
    // The match itself plays from a seed of its own, whatever the career's start drew.
    GameSrand(3);

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

    game.Click(ID_CONTINUE);
    ASSERT_TRUE(game.AwaitDay());
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

// One finished flat-court match recorded both ways: as played at once (its figures handed to the
// day's writer) and as the match centre records it at its finish. Every field of every record is
// the same, the players' minutes and fouls included.
TEST_F(Match2DMatchDay, PlayedAtOnceOrWatchedTheMatchLeavesTheSameRecords) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer, gamekit::Without3D()));
    CGameManager& gm = game.gm;
    CCareerSession& session = game.Session();
    auto* centre = dynamic_cast<CMatchDayScreen*>(gm.Screen(ScreenRole::MatchCentre));
    ASSERT_NE(centre, nullptr);
    CTeam* user = session.UserClub();
    CTeam* other = session.worldDB->teams.At(1);
    BuildTeamSheet(user);
    BuildTeamSheet(other);
    UserMatchSetup setup;
    setup.home = user;
    setup.away = other;
    setup.userAtHome = true;
    setup.view = UserMatchView::Instant;
    setup.date = session.currentDate;
    (void)TheMatch2D();
    GameSrand(21);
    const UserMatchOutcome outcome = PlayUserMatch2D(TheMatch2D(), setup, false);
    ASSERT_TRUE(outcome.finished);
    ASSERT_TRUE(outcome.result.Complete());
    EXPECT_EQ(outcome.result.HomeScore(), outcome.homeScore);

    // The centre records the same finished engine into the session's tables...
    const size_t userRecords = user->matchStats.size();
    const size_t otherRecords = other->matchStats.size();
    centre->RecordMatch(user, other);
    ASSERT_EQ(user->matchStats.size(), userRecords + 1);
    ASSERT_EQ(other->matchStats.size(), otherRecords + 1);
    std::vector<CPlayerStat> watched;
    for (CTeam* club : {user, other})
        for (const CPlayer* player : club->players)
            if (!player->stats.empty() && player->stats.back()->DateKey() == MakeDateKey(session.currentDate))
                watched.push_back(*player->stats.back());
    const CMatchStat watchedHome = *user->matchStats.back();
    const CMatchStat watchedAway = *other->matchStats.back();

    // ...and the day's writer records the figures of the match played at once into tables of its own.
    CMemoryDB career, world;
    ASSERT_TRUE(
        RecordMatchResult(outcome.result, session.currentDate, nullptr, MatchRecordTables{&career, &world}));
    ASSERT_EQ(career.matchStats.Size(), 1);
    ASSERT_EQ(world.matchStats.Size(), 1);
    for (int f = 1; f <= kMatchStatFields; ++f) {
        EXPECT_EQ(career.matchStats.At(0)->Field(f), watchedHome.Field(f)) << "home field " << f;
        EXPECT_EQ(world.matchStats.At(0)->Field(f), watchedAway.Field(f)) << "away field " << f;
    }
    std::vector<const CPlayerStat*> instant;
    for (const CMemoryDB* db : {&career, &world})
        for (int i = 0; i < db->playerStats.Size(); ++i)
            instant.push_back(db->playerStats.At(i));
    ASSERT_EQ(instant.size(), watched.size());
    int seconds = 0, fouls = 0;
    for (size_t i = 0; i < watched.size(); ++i) {
        for (int f = 1; f <= kPlayerStatFields; ++f)
            EXPECT_EQ(instant[i]->Field(f), watched[i].Field(f)) << "player " << i << " field " << f;
        seconds += instant[i]->SecondsPlayed();
        fouls += instant[i]->AttackFouls() + instant[i]->DefenceFouls();
    }
    EXPECT_GT(seconds, 0);
    EXPECT_GT(fouls, 0);
}

} // namespace
