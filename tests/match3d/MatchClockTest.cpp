// The match clock's pacing: wall time owed becomes whole steps, fast mode plays 2.5 times as many, a
// stall plays at most the frame limit and drops the rest, and the limit outlives a new match.
#include "match3d/MatchClock.h"

#include <gtest/gtest.h>

TEST(MatchClockPace, WallTimeBecomesWholeStepsAndTheRemainderCarriesOver) {
    CMatchClock clock;
    // A step is 20 ms: 16 ms owes none yet, the next 16 ms one with 12 ms carried.
    EXPECT_EQ(clock.StepsFor(16, false), 0);
    EXPECT_EQ(clock.StepsFor(16, false), 1);
    EXPECT_EQ(clock.StepsFor(8, false), 1);
    // Fast: 400 ms of wall time are a clock second.
    EXPECT_EQ(clock.StepsFor(400, true), CMatchClock::kStepsPerSecond);
}

TEST(MatchClockPace, AStallPlaysOneClockSecondAndDropsTheRest) {
    CMatchClock clock;
    EXPECT_EQ(clock.StepsFor(5000, false), CMatchClock::kStepsPerSecond);
    EXPECT_EQ(clock.StepsFor(0, false), 0) << "the rest of the stall is dropped";
    EXPECT_EQ(clock.StepsFor(2000, true), CMatchClock::kStepsPerSecond);
}

TEST(MatchClockPace, ARaisedFrameLimitPlaysAQuickClocksFrameWhole) {
    CMatchClock clock;
    // A clock running 96 times the wall clock, a frame of 40 wall ms: 3840 ms of match.
    clock.frameLimitMs = 96.0 * CMatchClock::kSecondMs;
    EXPECT_EQ(clock.StepsFor(3840, false), 192);
    // A stall still stops at the limit.
    EXPECT_EQ(clock.StepsFor(500000, false), 96 * CMatchClock::kStepsPerSecond);
    EXPECT_EQ(clock.StepsFor(0, false), 0);
}

TEST(MatchClockPace, ResetStartsAMatchAfreshButKeepsTheFrameLimit) {
    CMatchClock clock;
    clock.frameLimitMs = 24.0 * CMatchClock::kSecondMs;
    clock.quarter = 3;
    clock.gameClock = 300.0;
    clock.owedMs = 15.0;
    clock.over = true;
    clock.Reset();
    EXPECT_EQ(clock.quarter, 1);
    EXPECT_EQ(clock.gameClock, 0.0);
    EXPECT_EQ(clock.owedMs, 0.0);
    EXPECT_FALSE(clock.over);
    EXPECT_EQ(clock.StepsFor(2400, false), 120);
}
