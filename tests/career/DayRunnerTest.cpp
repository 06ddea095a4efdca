// The day runner without any screen: the session's choices reach the user's match, the seam's two
// answers (an engine takes the match, or it was played at once) and what a run leaves the frame.
#include "career/DayRunner.h"
#include "career/CareerSession.h"
#include "engine/GameRand.h"

#include "DayTestWorld.h"

#include <gtest/gtest.h>

namespace daytest {
namespace {

struct RunnerRig {
    DayWorld world{6};
    CFixtureList fixtures;
    CEventList ledger;
    FakeDayHost host{world};
    CDayRunner runner{host.session, &host, &fixtures};

    RunnerRig() {
        host.ledger = &ledger;
        fixtures.AddFixture(world.clubs[0], world.clubs[1], world.league, 2007, 9, 5);
        fixtures.AddFixture(world.clubs[2], world.user, world.league, 2007, 9, 5);
        fixtures.AddFixture(world.clubs[3], world.clubs[4], world.league, 2007, 9, 12);
        fixtures.FinishSchedule();
    }
    CFixture* UsersFixture() { return fixtures.At(1); }
    bool Run() {
        bool stop = false;
        runner.RunDays(stop);
        return stop;
    }
};

TEST(DayRunner, TheSessionsChoicesReachTheUsersMatch) {
    struct Case {
        uint8_t view3D, resultOnly;
        UserMatchView view;
    };
    for (const Case& c : {Case{0, 0, UserMatchView::MatchCentre}, Case{1, 0, UserMatchView::Scene3D},
                          Case{0, 1, UserMatchView::Instant}, Case{1, 1, UserMatchView::Scene3D}}) {
        SCOPED_TRACE(static_cast<int>(c.view));
        GameSrand(4);
        RunnerRig rig;
        rig.host.session.view3D = c.view3D;
        rig.host.session.resultOnly = c.resultOnly;
        rig.host.session.userAttack = 7;
        rig.host.session.userDefence = 16;
        ASSERT_TRUE(rig.Run()) << "the run stops on the user's match day";
        EXPECT_EQ(rig.host.date, (GameDate{2007, 9, 5}));
        ASSERT_EQ(rig.host.handOffs, 1);
        EXPECT_EQ(rig.host.handedOff.fixture, rig.UsersFixture());
        EXPECT_EQ(rig.host.handedOff.view, c.view);
        EXPECT_EQ(rig.host.handedOff.userAttack, 7);
        EXPECT_EQ(rig.host.handedOff.userDefence, 16);
        EXPECT_FALSE(rig.host.handedOff.userAtHome);
        EXPECT_EQ(rig.host.handedOff.away, rig.world.user);
    }
}

TEST(DayRunner, ALiveMatchIsLeftForTheFrameAndScoredWhenItEnds) {
    GameSrand(5);
    RunnerRig rig;
    ASSERT_TRUE(rig.Run());
    DayNews news = rig.runner.TakeNews();
    EXPECT_TRUE(news.liveMatch);
    EXPECT_EQ(news.liveSetup.fixture, rig.UsersFixture());
    EXPECT_TRUE(news.panelFilled);
    EXPECT_FALSE(news.seasonEnded);
    EXPECT_TRUE(rig.runner.LiveMatch());
    // Taken once: the next look finds nothing new.
    EXPECT_FALSE(rig.runner.TakeNews().liveMatch);
    // The fixture waits for the match; the other one of the day is on the board.
    EXPECT_EQ(rig.UsersFixture()->homeScore, -1);
    ASSERT_EQ(rig.runner.Board().results.size(), 1u);

    EXPECT_FALSE(rig.runner.FinishUserMatch(rig.UsersFixture(), 77, 81)) << "not the season's last day";
    EXPECT_EQ(rig.UsersFixture()->homeScore, 77);
    EXPECT_EQ(rig.UsersFixture()->awayScore, 81);
    EXPECT_FALSE(rig.runner.LiveMatch());
    ASSERT_EQ(rig.runner.Board().results.size(), 2u);
    EXPECT_STREQ(rig.runner.Board().results[1].texts[2].GetText(), "77-81");

    // The season's last fixture day ends the season.
    EXPECT_FALSE(rig.Run());
    EXPECT_EQ(rig.host.date, (GameDate{2007, 9, 12}));
    EXPECT_TRUE(rig.runner.SeasonEndPending());
    EXPECT_TRUE(rig.runner.TakeNews().seasonEnded);
}

TEST(DayRunner, AMatchPlayedAtOnceIsScoredInTheRunAndANotFinishedOneIsNot) {
    for (bool finished : {true, false}) {
        SCOPED_TRACE(finished);
        GameSrand(6);
        RunnerRig rig;
        rig.host.instantOutcome = UserMatchOutcome{false, finished, 90, 88, {}};
        ASSERT_TRUE(rig.Run());
        const DayNews news = rig.runner.TakeNews();
        EXPECT_FALSE(news.liveMatch);
        EXPECT_FALSE(rig.runner.LiveMatch());
        EXPECT_EQ(rig.UsersFixture()->homeScore, finished ? 90 : -1);
        EXPECT_EQ(rig.UsersFixture()->awayScore, finished ? 88 : -1);
        EXPECT_EQ(rig.runner.Board().results.size(), finished ? 2u : 1u);
    }
}

TEST(DayRunner, LeavingTheCareerForgetsItsScheduleLedgerAndDate) {
    GameSrand(7);
    RunnerRig rig;
    rig.host.instantOutcome = UserMatchOutcome{false, true, 90, 88, {}};
    rig.Run();
    ASSERT_GT(rig.ledger.Size(), 0u);
    rig.runner.LeaveCareer();
    EXPECT_TRUE(rig.fixtures.IsEmpty());
    EXPECT_EQ(rig.ledger.Size(), 0u);
    EXPECT_TRUE(rig.runner.Board().results.empty());
    EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 1}));
    EXPECT_TRUE(rig.runner.TakeNews().careerChanged);
}

} // namespace
} // namespace daytest
