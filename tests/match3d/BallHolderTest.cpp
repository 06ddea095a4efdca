// What the player with the ball decides: drive, shoot, pass or dribble on, by the distance to the
// basket, his marker and the shot clock; the release of a shot or pass; the inbounder's feed.
#include "FakeMatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <utility>

using match3dtest::FakeMatch;
using match3dtest::RawForPercent;

namespace {

// The home side attacks the basket at (0, 0, -10).
struct Holder : ::testing::Test {
    FakeMatch match;
    CCourtPlayer& h = match.Home(0);
    CCourtPlayer& marker = match.Away(0);
    CCourtPlayer& mate = match.Home(1);

    void SetUp() override {
        match.ParkSide(1, 20.0f);
        match.defenderAhead = true; // no drive unless a test asks for one
        match.passTarget = &mate;
        match.shotClock = 10.0;
        std::snprintf(h.name, sizeof h.name, "%s", "Lee");
        h.hasBall = 1;
        h.attacking = 1;
        h.SetAnimation(kAnimIdleBall, false);
    }
    // Holder toBasket from the basket straight up the court; the marker dn away, in front of him
    // (between him and the basket), behind him, or beside him.
    void Place(float toBasket, float dn, char where) {
        h.position = Vec3(0, 0, -10.0f + toBasket);
        if (where == 'f') {
            marker.position = h.position - Vec3(0, 0, dn);
        } else if (where == 'b') {
            marker.position = h.position + Vec3(0, 0, dn);
        } else {
            marker.position = h.position + Vec3(dn, 0, 0);
        }
    }
    bool Shoots() const { return h.shotTaken == 1; }
    bool Passes() const { return h.passing == 1 && h.passTarget == &mate; }
};

} // namespace

TEST_F(Holder, DrivesOnlyWithAnOpenLaneAndTimeOnTheShotClock) {
    match.defenderAhead = false;
    h.SetAnimation(kAnimWalkDribble, false);
    // Open in range (marker past 2 m) he pulls up rather than drive on to the rim.
    Place(5.0f, 3.0f, 'b');
    match.shotClock = 13.9;
    h.attackTarget = Vec3(1, 0, 1);
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_EQ(h.attackTarget, Vec3(1, 0, 1));
    EXPECT_NE(h.GetCurrentAnimationId(), kAnimRunDribble);
    // Marked within 2 m he drives.
    h.SetAnimation(kAnimWalkDribble, false);
    Place(5.0f, 1.9f, 'b');
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_EQ(h.attackTarget, Vec3(0, 0, -8));
    EXPECT_EQ(h.GetCurrentAnimationId(), kAnimRunDribble);
    EXPECT_FLOAT_EQ(match.ballSpeed, 7.0f);
    EXPECT_FLOAT_EQ(h.stamina, 100.0f - 0.005f * CCourtPlayer::kEffortShare);

    // Out of range with the lane open he drives until 16.0; then, his marker being farther than
    // 2.3 m, he goes up for the shot from where he stands.
    h.SetAnimation(kAnimWalkDribble, false);
    Place(7.0f, 2.4f, 'b');
    match.shotClock = 15.9;
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_EQ(h.GetCurrentAnimationId(), kAnimRunDribble);
    EXPECT_FALSE(Shoots());
    h.SetAnimation(kAnimIdleBall, false);
    match.shotClock = 16.0;
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_TRUE(Shoots());

    // Already at the basket: no drive.
    h.shotTaken = 0;
    match.shotClock = 5.0;
    Place(2.0f, 3.0f, 'b');
    h.attackTarget = Vec3();
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_EQ(h.attackTarget, Vec3());
}

TEST_F(Holder, ShootPassOrDribbleByTheBoundaries) {
    enum Outcome { Shot, Pass, Nothing, WalkDribble, RunDribble };
    const struct {
        float toBasket;
        float dn;
        char where;
        double shotClock;
        Outcome outcome;
    } cases[] = {
        {6.24f, 2.4f, 'f', 10.0, Shot},
        {6.25f, 2.4f, 'f', 10.0, WalkDribble},
        {8.0f, 2.4f, 'f', 16.0, Shot},
        {8.0f, 2.4f, 'f', 15.99, WalkDribble},
        {8.0f, 0.9f, 'f', 16.0, Pass},
        {5.0f, 2.2f, 'f', 16.0, WalkDribble},
        {5.0f, 0.8f, 's', 10.0, Pass},
        {5.0f, 2.29f, 's', 10.0, WalkDribble},
        {5.0f, 2.31f, 's', 10.0, Shot},
        {8.0f, 1.5f, 's', 10.0, Pass},
        {8.0f, 1.5f, 'b', 10.0, Nothing},
        {8.0f, 3.5f, 'f', 10.0, WalkDribble},
        {8.0f, 3.5f, 's', 10.0, Nothing},
        {8.0f, 3.51f, 'f', 10.0, RunDribble},
        // Late in the shot clock he shoots over the marker rather than lose the ball to it.
        {5.0f, 0.8f, 's', 20.99, Pass},
        {5.0f, 0.8f, 's', 21.0, Shot},
    };
    for (const auto& c : cases) {
        h.shotTaken = h.passing = 0;
        h.passTarget = nullptr;
        h.SetAnimation(kAnimIdleBall, false);
        match.ballSpeed = -1.0f;
        match.shotClock = c.shotClock;
        Place(c.toBasket, c.dn, c.where);
        h.ThinkBallMoving(match.teams[0]);
        SCOPED_TRACE(testing::Message()
                     << "v=" << c.toBasket << " dn=" << c.dn << " " << c.where << " clock=" << c.shotClock);
        EXPECT_EQ(Shoots(), c.outcome == Shot);
        EXPECT_EQ(Passes(), c.outcome == Pass);
        const int32_t clip = h.GetCurrentAnimationId();
        EXPECT_EQ(clip == kAnimWalkDribble && match.ballSpeed == 3.0f, c.outcome == WalkDribble);
        EXPECT_EQ(clip == kAnimRunDribble && match.ballSpeed == 7.0f, c.outcome == RunDribble);
    }
}

TEST_F(Holder, OnlyAShooterLetsFlyAndOnlyFromJustBeyondTheArc) {
    // Straight up the court the arc is 6.07 m from the basket. His three beats his two by 4.
    h.attributes[6] = 50;
    h.attributes[7] = 54;
    Place(6.6f, 3.0f, 'b');
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_TRUE(Shoots()) << "open, half a metre beyond the arc";

    // Deep beyond the arc he does not shoot; with the lane open he steps in first.
    h.shotTaken = 0;
    Place(7.2f, 3.0f, 'b');
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_FALSE(Shoots());
    match.defenderAhead = false;
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_FALSE(Shoots());
    EXPECT_EQ(h.GetCurrentAnimationId(), kAnimRunDribble);
    EXPECT_EQ(h.attackTarget, Vec3(0, 0, -8));

    // A three only a little better than his two does not make him a shooter.
    match.defenderAhead = true;
    h.attributes[7] = 53;
    h.SetAnimation(kAnimIdleBall, false);
    Place(6.6f, 3.0f, 'b');
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_FALSE(Shoots());
}

TEST_F(Holder, ShotVariantFollowsTheMarkerAndTheDie) {
    // Room enough to shoot (past 2.3 m), but the marker is near enough to force a move or fade-away.
    Place(4.0f, 2.33f, 's');
    match.Script({RawForPercent(50.0) - 1});
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_EQ(h.dribbleMode, 0);
    EXPECT_EQ(h.lookDirection, Vec3(0, 0, -4)); // toward the basket, not normalised

    h.shotTaken = 0;
    match.Script({RawForPercent(50.0)});
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_EQ(h.dribbleMode, 1);
    EXPECT_EQ(h.lookDirection, Vec3(0, 0, 4));

    h.shotTaken = 0;
    Place(4.0f, 2.4f, 's');
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_EQ(h.dribbleMode, 2);

    // Nearer than 2.3 m the marker blocks the shot altogether.
    h.shotTaken = 0;
    h.dribbleMode = -1;
    Place(4.0f, 1.0f, 's');
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_FALSE(Shoots());
    EXPECT_EQ(h.dribbleMode, -1);
}

TEST_F(Holder, CloseShotIsAFieldGoalWithoutAMissLineWhenItScoresAndAJumpShotIsNot) {
    match.SetCurve(MatchCurve::TwoPoint, {{2.0f, -100.0f}});
    for (float toBasket : {2.3f, 2.31f}) {
        h.SetAnimation(kAnimIdleBall, false);
        h.shotTaken = 1; // the variant is chosen
        h.releaseReached = 1;
        h.lastDt = 0.03;
        h.clipPeriod = 1.0;                  // fires past 2.5 % of it
        h.position = Vec3(toBasket, 0, -10); // beside the basket, so the distance is exact
        marker.position = h.position + Vec3(0, 0, 3);
        match.flags.releaseDone = 1;
        const int attempts = h.twoPointAttempts;
        h.ThinkBallMoving(match.teams[0]);
        EXPECT_EQ(h.twoPointAttempts, attempts) << "the roll waits for the release";
        h.RollReleasedShot();
        EXPECT_EQ(match.flags.shooter, &h);
        EXPECT_EQ(match.flags.shotSpot, h.position);
        EXPECT_EQ(match.flags.releaseDone, 0);
        EXPECT_EQ(match.ballAim, Vec3());
        EXPECT_FLOAT_EQ(match.ballSpeed, 0.0f);
    }
    EXPECT_EQ(h.GetCurrentAnimationId(), kAnimShot);
    EXPECT_EQ(h.fieldGoalsAttempted, 1);
    EXPECT_EQ(h.fieldGoalsMade, 0) << "made when its basket counts, not at the roll";
    EXPECT_EQ(h.shotAttemptClose, 0) << "the last one was the jump shot";
    EXPECT_EQ(h.twoPointAttempts, 2);
    // The close shot went in: no "misses a dunk" line for it, before or after.
    EXPECT_TRUE(match.eventLines.empty());

    // Once the shot clip plays nothing more happens until the ball comes back.
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_EQ(h.twoPointAttempts, 2);
}

TEST_F(Holder, ShotWaitsForTheReleaseMomentBeforeTheTimerCounts) {
    Place(4.0f, 3.0f, 'f');
    h.shotTaken = 1;
    h.lastDt = 1.0;
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_DOUBLE_EQ(h.actionTimer.time, 0.0);
    EXPECT_EQ(match.flags.shooter, nullptr);
}

TEST_F(Holder, PassKindFollowsTheDistanceBands) {
    const struct {
        float distance;
        int32_t clip;
    } cases[] = {{0.0f, kAnimIdleBall},
                 {5.0f, kAnimPassChest},
                 {5.01f, kAnimPassOverhead},
                 {7.5f, kAnimPassOverhead},
                 {7.51f, kAnimPassOverheadRight}};
    for (const auto& c : cases) {
        h.SetAnimation(kAnimIdleBall, false);
        h.passTarget = &mate;
        h.passDistance = c.distance;
        mate.awaitingPass = 0;
        h.ReleasePassByDistance();
        EXPECT_EQ(h.GetCurrentAnimationId(), c.clip) << c.distance;
        EXPECT_EQ(mate.awaitingPass, c.clip == kAnimIdleBall ? 0 : 1) << c.distance;
    }
    EXPECT_EQ(h.goodPasses, 4);
    EXPECT_NEAR(h.stamina, 100.0f - 4 * 0.05f * CCourtPlayer::kEffortShare, 1e-4f);
    EXPECT_EQ(match.flags.lastPasser, &h);
    EXPECT_EQ(h.passTarget, nullptr);

    mate.position = Vec3(2, 0, 3);
    h.ReleasePass(&mate, kPassChest);
    EXPECT_EQ(match.ballAim, Vec3(2, 1.2f, 3));
    h.ReleasePass(&mate, kPassOverheadRight);
    EXPECT_EQ(match.ballAim, Vec3(2, 1.2f, 3));
    h.ReleasePass(&mate, kPassBounce);
    EXPECT_NEAR(match.ballAim.Length(), 1.0f, 1e-5f);
    const int thrown = h.goodPasses;
    h.ReleasePass(&mate, 4);
    h.ReleasePass(nullptr, kPassChest);
    EXPECT_EQ(h.goodPasses, thrown);
}

// A pass beyond the passer's arm (a failed check) is a risky one: when it slips it is a bad pass,
// thrown all the same but astray past the receiver, who does not wait for it, toward the side line
// beyond him.
TEST_F(Holder, FailedPassCheckStillThrowsAndCountsBothWays) {
    match.SetCurve(MatchCurve::PassingTargets, {{0.0f, 99},
                                                {1.0f, 99},
                                                {2.0f, 99},
                                                {3.0f, 99},
                                                {4.0f, 99},
                                                {5.0f, 99},
                                                {6.0f, 99},
                                                {7.0f, 99},
                                                {8.0f, 99}});
    Place(8.0f, 3.0f, 'b');
    mate.position = h.position + Vec3(4, 0, 0);
    match.Script({RawForPercent(1.0)});
    h.ThinkBallAtTarget(match.teams[0]);
    EXPECT_TRUE(Passes());
    EXPECT_EQ(h.badPasses, 1);
    EXPECT_EQ(h.goodPasses, 0);
    EXPECT_FLOAT_EQ(h.passDistance, 4.0f);

    h.releaseReached = 1;
    h.lastDt = 0.05; // past 2 % of the one-second clip
    h.ThinkBallAtTarget(match.teams[0]);
    EXPECT_EQ(h.GetCurrentAnimationId(), kAnimPassChest);
    EXPECT_EQ(h.goodPasses, 1);
    EXPECT_EQ(mate.awaitingPass, 0);
    EXPECT_EQ(match.flags.passAstray, 1);
    EXPECT_GT(std::fabs(match.ballAim.x), 7.5f) << "past the side line";
    EXPECT_FLOAT_EQ(match.ballAim.z, mate.position.z);
}

TEST_F(Holder, NoReceiverEndsTheStep) {
    match.passTarget = nullptr;
    Place(8.0f, 3.0f, 'b');
    h.ThinkBallAtTarget(match.teams[0]);
    EXPECT_EQ(h.passing, 0);
    EXPECT_EQ(h.goodPasses + h.badPasses, 0);

    // Without anybody on the other side the holder waits.
    match.teams[1].DeletePlayers();
    h.ThinkBallMoving(match.teams[0]);
    EXPECT_EQ(h.passing + h.shotTaken, 0);
}

TEST(InboundPass, FeedsTheNearestTeamMateAndWaitsWhenThereIsNone) {
    FakeMatch match(12);
    CCourtPlayer& in = match.Home(0);
    in.hasBall = 1;
    in.SetAnimation(kAnimIdleBall, false);
    in.position = Vec3(0, 0, -14);
    match.Home(3).position = Vec3(0, 0, -11);
    in.ThinkInboundPass();
    EXPECT_EQ(in.passTarget, &match.Home(3));
    EXPECT_EQ(in.passing, 1);
    EXPECT_EQ(in.lookDirection, Vec3(0, 0, 1));
    EXPECT_EQ(in.facing, Vec3(0, 0, 1));

    in.lastDt = 0.05; // the timer needs no release moment here
    in.ThinkInboundPass();
    EXPECT_EQ(in.GetCurrentAnimationId(), kAnimPassChest);
    EXPECT_EQ(match.Home(3).awaitingPass, 1);

    // Alone on the court: no receiver, no pass, no crash.
    FakeMatch alone(1);
    CCourtPlayer& solo = alone.Home(0);
    solo.hasBall = 1;
    solo.SetAnimation(kAnimIdleBall, false);
    solo.ThinkInboundPass();
    EXPECT_EQ(solo.passing, 0);
    EXPECT_EQ(solo.passTarget, nullptr);
}

TEST(InboundPass, ThrowFromAwayOnlyTimesWhileTheStancePlays) {
    FakeMatch match(12);
    CCourtPlayer& in = match.Home(0);
    in.passing = 1;
    in.passTarget = &match.Home(2);
    in.releaseReached = 1;
    in.lastDt = 0.05;
    in.SetAnimation(kAnimWalkDribble, false);
    in.ThinkInboundThrow();
    EXPECT_EQ(match.Home(2).awaitingPass, 0);
    EXPECT_DOUBLE_EQ(in.actionTimer.time, 0.0);
    in.SetAnimation(kAnimIdleBall, false);
    in.ThinkInboundThrow();
    EXPECT_EQ(match.Home(2).awaitingPass, 1);
}

// A pass slips (5 in 100) only when it is risky: into a receiver marked within 2 m, a long one (8 m
// or more), or one beyond the passer's arm. A short pass to a free man always arrives, and a sure
// pass draws no die at all.
TEST_F(Holder, OnlyARiskyPassSlipsAndGoesAstray) {
    match.SetCurve(MatchCurve::PassingTargets, {{4.0f, 0}, {9.0f, 0}});
    h.position = Vec3(0, 0, 0);
    auto slips = [&](const Vec3& receiverAt, const Vec3& markerAt, double percent) {
        mate.position = receiverAt;
        marker.position = markerAt;
        match.script.clear();
        match.Script({RawForPercent(percent)});
        const bool astray = h.PassGoesAstray(mate);
        const bool drew = match.script.empty();
        match.script.clear();
        return std::make_pair(astray, drew);
    };
    const Vec3 farAway(0, 0, 20);
    EXPECT_EQ(slips(Vec3(4, 0, 0), farAway, 1.0), std::make_pair(false, false)) << "short and free: no die";
    EXPECT_EQ(slips(Vec3(4, 0, 0), Vec3(5.5f, 0, 0), 1.0), std::make_pair(true, true)) << "marked";
    EXPECT_EQ(slips(Vec3(4, 0, 0), Vec3(5.5f, 0, 0), 5.0), std::make_pair(false, true));
    EXPECT_EQ(slips(Vec3(4, 0, 0), Vec3(6.5f, 0, 0), 1.0), std::make_pair(false, false)) << "2.5 m off";
    EXPECT_EQ(slips(Vec3(9, 0, 0), farAway, 4.9), std::make_pair(true, true)) << "long";
    // Beyond his arm even a short pass to a free man is risky.
    match.SetCurve(MatchCurve::PassingTargets, {{4.0f, 200}, {9.0f, 200}});
    EXPECT_EQ(slips(Vec3(4, 0, 0), farAway, 1.0), std::make_pair(true, true)) << "beyond his arm";
    EXPECT_EQ(slips(Vec3(4, 0, 0), farAway, 50.0), std::make_pair(false, true));
}

// The risky pass's slip weighs the passer's passing against the defence of the receiver's marker:
// a poor passer into a good defender loses more balls than the reverse. At a flat 5 in 100 the
// ratings made no difference.
TEST_F(Holder, ARiskyPassSlipsMoreFromAPoorPasserIntoAGoodDefender) {
    match.SetCurve(MatchCurve::PassingTargets, {{4.0f, 0}, {9.0f, 0}});
    h.position = Vec3(0, 0, 0);
    mate.position = Vec3(4, 0, 0);
    marker.position = Vec3(5.5f, 0, 0); // marked within 2 m: risky
    const struct {
        int passing;
        int defence;
        double percent;
        bool astray;
    } cases[] = {
        {40, 70, 8.0, true},  {40, 70, 20.0, false}, // the worst gap slips often, never past its bound
        {70, 40, 3.0, false}, {70, 40, 0.5, true},   // the best still slips now and then
        {55, 55, 4.9, true},  {55, 55, 5.0, false},  // level ratings: 5 in 100
    };
    for (const auto& c : cases) {
        h.attributes[13] = c.passing;
        marker.attributes[5] = c.defence;
        match.script.clear();
        match.Script({RawForPercent(c.percent)});
        EXPECT_EQ(h.PassGoesAstray(mate), c.astray)
            << c.passing << " against " << c.defence << " at " << c.percent;
    }
}
