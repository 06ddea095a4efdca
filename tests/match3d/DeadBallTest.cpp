// The dead balls of the 3D match as the player watches them: the game clock stands through every
// free throw and no period ends with throws owed; a change is made at the dead ball within seconds.
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "match3d/BoxScoreBatch.h"
#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Fixture3D {
    int home = 0;
    int away = 0;
    unsigned seed = 0;
};

// What a match's clock did while free throws were under way.
struct ThrowFacts {
    int clockSeconds = 0; // game-clock seconds counted during a series
    int periodsOwing = 0; // periods that ended with throws still owed
    bool ended = false;
};

ThrowFacts PlayWatchingThrows(CMemoryDB& world, const Fixture3D& f, double quarterSeconds) {
    CTeam* home = world.FindTeam(f.home);
    CTeam* away = world.FindTeam(f.away);
    ThrowFacts facts;
    if (home == nullptr || away == nullptr)
        return facts;
    std::unique_ptr<CMatch3D> match = LoadSeededMatch3D(*home, *away, f.seed, false);
    CHeadlessDisplay display;
    HeadlessMatchOptions options;
    options.quarterSeconds = quarterSeconds;
    bool throwsBefore = false;
    double clockBefore = 0.0;
    int periodBefore = 1;
    options.afterStep = [&](const CMatch3D& m) {
        const CMatchClock& clock = display.clock;
        if (throwsBefore && clock.quarter == periodBefore && clock.gameClock > clockBefore)
            facts.clockSeconds += static_cast<int>(clock.gameClock - clockBefore);
        if (throwsBefore && (clock.quarter != periodBefore || m.flags.betweenQuarters))
            ++facts.periodsOwing;
        throwsBefore = m.flags.freeThrows != 0 && !m.flags.betweenQuarters;
        clockBefore = clock.gameClock;
        periodBefore = clock.quarter;
    };
    PlayHeadlessMatch(*match, display, options);
    facts.ended = display.clock.over;
    // The final whistle ends the loop before another step is watched.
    facts.periodsOwing += match->flags.freeThrows != 0 ? 1 : 0;
    return facts;
}

class DeadBall : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadWorldData(world, kDataSetLeague)); }
    CMemoryDB world;
};

} // namespace

TEST_F(DeadBall, TheClockStandsThroughEveryFreeThrowAndNoPeriodEndsWithThrowsOwed) {
    // League fixtures whose free-throw series outlasted the line-up wait: the clock ran on in the
    // middle of them.
    for (const Fixture3D& f : {Fixture3D{6, 7, 106}, Fixture3D{1, 3, 109}, Fixture3D{5, 7, 113}}) {
        const ThrowFacts facts = PlayWatchingThrows(world, f, CMatchClock::kQuarterSeconds);
        EXPECT_TRUE(facts.ended) << f.seed;
        EXPECT_EQ(facts.clockSeconds, 0) << f.seed;
        EXPECT_EQ(facts.periodsOwing, 0) << f.seed;
    }
}

TEST_F(DeadBall, AChangeOrAThrowInHoldsTheBallDeadForSecondsNotHalfAMinute) {
    // Watched league fixtures, the players moved by their models. A called-off player who never got
    // to the bench held a dead ball for half a minute while the line-up wait ran out, and the
    // shooter stood with the ball at the line as long at nearly every series (22 against 23). A
    // shooter fouled at the other end walked the length of the court with the ball before his first
    // throw: 14.4 s of dead ball (0 against 1).
    // His routine before the throw still takes its time.
    struct Watched {
        Fixture3D fixture;
        bool userAtHome = true;
    };
    for (const Watched& w : {Watched{{22, 23, 4057}, true}, Watched{{0, 1, 31000}, true}}) {
        CTeam* home = world.FindTeam(w.fixture.home);
        CTeam* away = world.FindTeam(w.fixture.away);
        ASSERT_TRUE(home != nullptr && away != nullptr);
        Match3DBox awayBox;
        bool finished = false;
        bool consistent = false;
        const Match3DBox homeBox =
            PlaySeededMatch3D(*home, *away, w.fixture.seed, true, awayBox, finished, consistent, nullptr,
                              true, {}, {}, nullptr, w.userAtHome);
        EXPECT_TRUE(finished) << w.fixture.seed;
        EXPECT_TRUE(consistent) << w.fixture.seed;
        EXPECT_GT(homeBox.substitutions + awayBox.substitutions, 0) << w.fixture.seed;
        EXPECT_GT(homeBox.freeThrowsTaken + awayBox.freeThrowsTaken, 0) << w.fixture.seed;
        // The dead ball counts the line-up at the free-throw line as well as changes and throw-ins.
        EXPECT_LE(homeBox.longestDeadBall, kLongestDeadBallSeconds) << w.fixture.seed;
        EXPECT_LE(homeBox.longestLineUp, kLongestDeadBallSeconds) << w.fixture.seed;
    }
}
