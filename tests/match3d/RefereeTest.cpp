// The referees: the side-line referee following the ball, the gait by distance, standing and
// watching at the target, the baseline beat, and the base character's turning and refused steps.
#include "FakeMatch.h"

#include "match3d/Referee.h"

#include <gtest/gtest.h>

#include <cmath>

using match3dtest::FakeMatch;

namespace {

struct Referee : ::testing::Test {
    FakeMatch match;
    CReferee ref;
    void SetUp() override { ref.match = &match; }
};

} // namespace

TEST_F(Referee, TheSideLineRefereeFollowsThePlayOnlyWhenItMovesMoreThanThreeMetres) {
    match.ballPosition = Vec3(2, 1, 5);
    ref.position = Vec3(-7.3f, 0, 2); // exactly 3.0 from (-7.3, 0, 5)
    ref.target = Vec3(-7.3f, 0, 2);
    ref.Think();
    EXPECT_EQ(ref.target, Vec3(-7.3f, 0, 2));
    // At his target: he stands and watches the ball across the floor.
    EXPECT_EQ(ref.GetCurrentAnimationId(), kRefereeIdle);
    EXPECT_NEAR(ref.lookDirection.x, 9.3f / std::hypot(9.3f, 3.0f), 1e-5f);
    EXPECT_EQ(ref.lookDirection.y, 0.0f);

    ref.position = Vec3(-7.3f, 0, 1.99f); // 3.01
    ref.target = ref.position;
    ref.Think();
    EXPECT_EQ(ref.target, Vec3(-7.3f, 0, 5));
    EXPECT_EQ(ref.GetCurrentAnimationId(), kRefereeRun);
    EXPECT_EQ(ref.walkTarget, Vec3(-7.3f, 0, 5));
    EXPECT_EQ(ref.lookDirection, Vec3(0, 0, 1));
}

TEST_F(Referee, RunsBeyondTwoPointTwoWalksNearerAndKeepsAClipThatPlays) {
    ref.position = Vec3(-7.3f, 0, 0);
    ref.target = Vec3(-7.3f, 0, 2.2f);
    ref.MoveToTarget();
    EXPECT_EQ(ref.GetCurrentAnimationId(), kRefereeWalk);
    ref.target = Vec3(-7.3f, 0, 2.21f);
    ref.MoveToTarget();
    EXPECT_EQ(ref.GetCurrentAnimationId(), kRefereeRun);

    // The running clip is not blended in again while he keeps running.
    ref.trackSpeed = 0.5f;
    ref.target = Vec3(-7.3f, 0, 9);
    ref.MoveToTarget();
    EXPECT_FLOAT_EQ(ref.trackSpeed, 0.5f);

    // 0.38 away counts as there.
    ref.target = Vec3(-7.3f, 0, 0.38f);
    ref.MoveToTarget();
    EXPECT_EQ(ref.GetCurrentAnimationId(), kRefereeIdle);
}

TEST_F(Referee, ABaselineRefereePacesBetweenTwoPointsAfterRareRolls) {
    ref.baselineReferee = 1;
    ref.position = ref.target = Vec3(-3.5f, 0, -14);
    match.Script({66}); // 66 x 5000 / 32767 is 10: stays
    ref.Think();
    EXPECT_EQ(ref.target, Vec3(-3.5f, 0, -14));
    EXPECT_EQ(ref.GetCurrentAnimationId(), kRefereeIdle);
    match.Script({65}); // 9: moves his beat
    ref.Think();
    EXPECT_EQ(ref.target, Vec3(-4.5f, 0, -14));
    EXPECT_EQ(ref.paceToggle, 1);

    // Away from it he walks there and draws nothing.
    const int draws = match.draws;
    ref.Think();
    EXPECT_EQ(ref.GetCurrentAnimationId(), kRefereeWalk);
    EXPECT_EQ(match.draws, draws);

    ref.position = ref.target;
    match.Script({0});
    ref.Think();
    EXPECT_EQ(ref.target, Vec3(-2.5f, 0, -14));
    EXPECT_EQ(ref.paceToggle, 0);
}

TEST(RefereeBase, HeadingsTurningAndStepsOffTheCourt) {
    EXPECT_FLOAT_EQ(RefereeHeading(Vec3(0, 0, 1)), 0.0f);
    EXPECT_FLOAT_EQ(RefereeHeading(Vec3(-1, 0, 0)), 90.0f);
    EXPECT_FLOAT_EQ(RefereeHeading(Vec3(0, 0, -1)), 180.0f);
    EXPECT_FLOAT_EQ(RefereeHeading(Vec3(1, 0, 0)), 270.0f);
    // Between the axes the heading's degree factor is a touch off 180 / pi, as the turns were tuned.
    EXPECT_NEAR(RefereeHeading(Vec3(-0.70710678f, 0, 0.70710678f)), 45.0f, 0.03f);
    EXPECT_NEAR(RefereeHeading(Vec3(0.70710678f, 0, -0.70710678f)), 225.0f, 0.03f);
    EXPECT_FALSE(std::isnan(RefereeHeading(Vec3())));

    CRefereeBase base;
    // Standing on his walk target he looks along +x.
    base.position = base.walkTarget = Vec3(1, 0, 1);
    base.FaceTarget();
    EXPECT_EQ(base.lookDirection, Vec3(1, 0, 0));

    // From 0.2 to 6.2 radians the target is taken at once; from 6.2 to 0.2 he turns up through 2 pi.
    auto direction = [](double h) {
        return Vec3(static_cast<float>(-std::sin(h)), 0, static_cast<float>(std::cos(h)));
    };
    base.facing = direction(0.2);
    base.lookDirection = direction(6.2);
    base.Turn(0.01);
    EXPECT_NEAR(RefereeHeading(base.facing) * 0.017453292, 6.2, 3e-3);
    base.facing = direction(6.2);
    base.lookDirection = direction(0.2);
    base.Turn(0.01);
    EXPECT_NEAR(RefereeHeading(base.facing) * 0.017453292, 6.2 + 0.063, 3e-3);
    EXPECT_EQ(base.facingReached, 0);

    // A step off the court is refused with the gait's code, except in the substitution phase.
    FakeMatch match;
    base.match = &match;
    base.position = Vec3(-7.4f, 0, 0);
    base.facing = Vec3(-1, 0, 0);
    base.lookDirection = base.facing;
    base.BlendToClip(kRefereeWalk, false);
    base.Update(0.1);
    EXPECT_EQ(base.position, Vec3(-7.4f, 0, 0));
    EXPECT_FLOAT_EQ(base.blockedCode, kRefereeBlockedWalk);
    base.BlendToClip(kRefereeRun, false);
    base.Update(0.1);
    EXPECT_FLOAT_EQ(base.blockedCode, kRefereeBlockedRun);
    match.flags.substitutionPhase = 1;
    base.Update(0.1);
    EXPECT_NEAR(base.position.x, -7.4f - 7.8f * 1.2f * 0.1f, 1e-4f);
    // Standing still: no step.
    base.BlendToClip(kRefereeIdle, false);
    const Vec3 at = base.position;
    base.Update(0.1);
    EXPECT_EQ(base.position, at);
}
