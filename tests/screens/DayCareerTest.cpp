// A new league career on the shipped world: Continue advances to each of the user's match days,
// every other fixture gets a result, and the records land in the right database.
#include "database/Careers.h"
#include "engine/GameRand.h"
#include "screens/info/DayController.h"

#include "FakeDayShell.h"

#include <gtest/gtest.h>

using namespace daytest;

namespace {

struct CareerRig {
    std::unique_ptr<CMemoryDB> world = std::make_unique<CMemoryDB>();
    std::unique_ptr<CMemoryDB> career = std::make_unique<CMemoryDB>();
    CFixtureList fixtures;
    CEventList ledger;
    FakeDayShell host{world, career};
    CDayController controller{host.session, &host, &host, &fixtures};
    bool ready = false;

    CareerRig() {
        host.ledger = &ledger;
        CMemoryDB* anyWorld = world.get();
        if (!LoadWorldData(*anyWorld, kDataSetLeague) || anyWorld->teams.IsEmpty())
            return;
        int32_t clubId = anyWorld->teams.At(0)->id;
        if (!BuildCareerDatabase(*world, *career, kDataSetLeague, clubId, CStr("Tester")))
            return;
        ScheduleSettings settings;
        ready = BuildLeagueFixtures(fixtures, career->leagues.At(0), world.get(), 2007, settings);
    }

    void Continue() {
        ASSERT_TRUE(controller.HandleButton(10395, 10));
        controller.FinishWorker();
    }
};

bool PlaysIn(const CFixture* fixture, int32_t clubId) {
    return fixture->home->id == clubId || fixture->away->id == clubId;
}

} // namespace

TEST(DayCareer, ContinueStopsOnEveryUserMatchDayUntilTheSeasonEnds) {
    GameSrand(12);
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    const int32_t userId = rig.career->teams.At(0)->id;
    int userMatches = 0;
    for (int i = 0; i < rig.fixtures.Size(); ++i)
        userMatches += PlaysIn(rig.fixtures.At(i), userId) ? 1 : 0;
    ASSERT_GT(userMatches, 0);

    int stops = 0;
    GameDate before = rig.host.date;
    while (!rig.controller.SeasonEndPending() && stops <= userMatches) {
        rig.host.matchMode = false; // the user's match of the last stop is over
        rig.Continue();
        ASSERT_GT(MakeDateKey(rig.host.date), MakeDateKey(before));
        before = rig.host.date;
        if (rig.host.matchMode) {
            ++stops;
            // The run stopped on a day the user's club plays, and not earlier.
            EXPECT_TRUE(PlaysIn(rig.host.handedOff.fixture, userId));
            EXPECT_EQ(rig.host.handedOff.fixture->Date(), rig.host.date);
        }
    }
    EXPECT_EQ(stops, userMatches);
    EXPECT_TRUE(rig.controller.SeasonEndPending());
    EXPECT_EQ(rig.host.date, rig.fixtures.LastDate());

    // Every fixture without the user's club has a result with two different scores.
    int played = 0;
    for (int i = 0; i < rig.fixtures.Size(); ++i) {
        const CFixture* fixture = rig.fixtures.At(i);
        if (PlaysIn(fixture, userId))
            continue;
        ++played;
        EXPECT_GE(fixture->homeScore, 0);
        EXPECT_NE(fixture->homeScore, fixture->awayScore);
    }
    // One match record per club and fixture in the world database, none in the career's.
    EXPECT_EQ(rig.world->matchStats.Size(), 2 * played);
    EXPECT_EQ(rig.career->matchStats.Size(), 0);
    EXPECT_EQ(rig.career->playerStats.Size(), 0);
    for (const CPlayerStat* stat : rig.world->playerStats) {
        EXPECT_LE(stat->Field(13), stat->Field(12));
        EXPECT_LE(stat->Field(15), stat->Field(14));
        EXPECT_LE(stat->Field(17), stat->Field(16));
        EXPECT_LE(stat->Field(21), stat->Field(20));
        EXPECT_EQ(stat->Field(10),
                  2 * stat->Field(13) + 2 * stat->Field(15) + 3 * stat->Field(17) + stat->Field(21));
    }
    // Each world player has one record per match his club played.
    for (const CTeam* team : rig.world->teams) {
        for (const CPlayer* player : team->players)
            EXPECT_EQ(player->stats.size(), team->matchStats.size()) << player->name.GetText();
    }
}
