// A whole season of an all-computer league, run by the day worker while this thread plays the main
// thread's part: drawing the busy panel from the published result until the run is over.
#include "engine/GameRand.h"
#include "screens/info/DayController.h"

#include "FakeDayShell.h"

#include <gtest/gtest.h>

#include <thread>

using namespace daytest;

namespace {

struct SeasonRig {
    DayWorld world{8};
    CFixtureList fixtures;
    CEventList ledger;
    FakeDayShell host{world};
    CDayController controller{host.session, &host, &host, &fixtures};

    SeasonRig() {
        host.ledger = &ledger;
        AddDoubleRoundRobin(fixtures, world.clubs, world.league);
    }

    // The main thread's frames while a worker runs: only the busy panel's texts are read.
    int WaitLikeTheMainLoop() {
        int frames = 0;
        while (!controller.PollWorker()) {
            LatestResult shown = host.Latest();
            (void)shown.home.Length();
            (void)host.busy.load();
            ++frames;
            std::this_thread::yield();
        }
        return frames;
    }

    void ExpectWholeSeasonPlayed() {
        ASSERT_EQ(fixtures.Size(), 56);
        for (int i = 0; i < fixtures.Size(); ++i) {
            const CFixture* fixture = fixtures.At(i);
            EXPECT_GE(fixture->homeScore, 0) << i;
            EXPECT_GE(fixture->awayScore, 0) << i;
            EXPECT_NE(fixture->homeScore, fixture->awayScore) << i;
        }
        for (const CTeam* club : world.clubs) {
            EXPECT_EQ(club->matchStats.size(), 14u);
            for (const CPlayer* player : club->players)
                EXPECT_EQ(player->stats.size(), 14u);
        }
        EXPECT_EQ(world.world->matchStats.Size(), 112);
        EXPECT_EQ(world.world->playerStats.Size(), 112 * 12);
        EXPECT_EQ(host.date, fixtures.LastDate());
        EXPECT_TRUE(controller.SeasonEndPending());
        EXPECT_EQ(host.published.load(), 56);
    }
};

} // namespace

TEST(DaySeason, ContinueRunsAnAllComputerSeasonToItsLastFixture) {
    GameSrand(2007);
    SeasonRig rig;
    ASSERT_TRUE(rig.controller.HandleButton(10395, 10));
    EXPECT_TRUE(rig.controller.IsWorkerActive());
    rig.WaitLikeTheMainLoop();
    EXPECT_FALSE(rig.controller.IsWorkerActive());
    EXPECT_FALSE(rig.host.busy.load());
    rig.ExpectWholeSeasonPlayed();
    // The season runs from August into October: two month ends are booked, each followed by the
    // twelve players' wages.
    EXPECT_EQ(rig.fixtures.LastDate().month, 10);
    int monthEnds = 0, wages = 0;
    for (size_t i = 0; i < rig.ledger.Size(); ++i) {
        monthEnds += rig.ledger.At(i)->Kind() == kLedgerMonthChange ? 1 : 0;
        wages += rig.ledger.At(i)->Kind() == kLedgerWages ? 1 : 0;
    }
    EXPECT_EQ(monthEnds, 2);
    EXPECT_EQ(wages, 2 * 12);
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kDayPanelWindow, 6));
}
