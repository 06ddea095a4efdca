// A seeded league season in the running game with the user's matches played at once: every fixture
// gets its score and every match its records. The season's digest (scores, match and player
// records) is written beside the game folder, so a change to the day's order or the recorders can
// be compared against the one before.
#include "career/FixtureList.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"
#include "match2d/Match2DMatchDay.h"

#include "GameKit.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

class SeasonDigest : public GameFolderTest {};

TEST_F(SeasonDigest, AnInstantSeasonRecordsEveryMatchOfTheUserLikeTheOthers) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer));
    CGameManager& gm = game.gm;
    CCareerSession& session = game.Session();
    session.view3D = 0;
    session.resultOnly = 1;
    CDayController* day = game.Day();
    ASSERT_NE(day, nullptr);
    gm.PostMessage(-1, ID_FRAME, kMsgOpenMenu, 0, 0);
    gm.ProcessMessages();
    // The flat-court engine seeds the generator from the clock when it is first made.
    (void)TheMatch2D();
    GameSrand(54);
    for (int run = 0; run < 60 && !day->SeasonEndPending(); ++run)
        ASSERT_TRUE(game.RunDay());
    ASSERT_TRUE(day->SeasonEndPending());

    const CFixtureList& fixtures = *session.fixtureList;
    const int32_t userId = session.UserClub()->id;
    std::ofstream out(std::string(FB_GAME_DIR) + "/../season-digest.txt");
    int userFixtures = 0;
    for (int i = 0; i < fixtures.Size(); ++i) {
        const CFixture* f = fixtures.At(i);
        ASSERT_TRUE(f->home && f->away);
        EXPECT_GE(f->homeScore, 0) << i;
        EXPECT_GE(f->awayScore, 0) << i;
        userFixtures += f->home->id == userId || f->away->id == userId ? 1 : 0;
        out << "F " << f->year << '-' << f->month << '-' << f->day << ' ' << f->home->id << ' ' << f->away->id
            << ' ' << f->homeScore << ' ' << f->awayScore << '\n';
    }
    EXPECT_GT(userFixtures, 0);
    // The user's club's records sit in the career's tables, every other club's in the world's.
    std::map<int32_t, int> matchesPerTeam;
    for (const CMemoryDB* db : {session.worldDB, session.careerDB})
        for (int i = 0; i < db->matchStats.Size(); ++i) {
            const CMatchStat* m = db->matchStats.At(i);
            ++matchesPerTeam[m->TeamId()];
            out << 'M';
            for (int32_t v : m->fields)
                out << ' ' << v;
            out << '\n';
        }
    for (const auto& [team, count] : matchesPerTeam)
        EXPECT_EQ(count, matchesPerTeam.begin()->second) << team;
    EXPECT_EQ(matchesPerTeam[userId], static_cast<int>(session.UserClub()->matchStats.size()));
    for (const CMemoryDB* db : {session.worldDB, session.careerDB})
        for (int i = 0; i < db->playerStats.Size(); ++i) {
            const CPlayerStat* p = db->playerStats.At(i);
            out << 'P';
            for (int32_t v : p->fields)
                out << ' ' << v;
            out << '\n';
        }
    // The user's matches played at once give his players their minutes, as watching them does.
    int userSeconds = 0;
    for (const CPlayer* player : session.UserClub()->players)
        for (const CPlayerStat* stat : player->stats)
            userSeconds += stat->SecondsPlayed();
    EXPECT_GE(userSeconds, userFixtures * 5 * 40 * 60 * 9 / 10);
}
