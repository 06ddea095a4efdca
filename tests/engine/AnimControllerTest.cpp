// The animation controller: keyed speed and weight ramps, keyed disabling, unwrapped track positions,
// looping samples and blending of two tracks by weight.
#include "engine/AnimController.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// One bone moving along x: from 0 at t = 0 to `distance` at the end of the period.
std::shared_ptr<const CAnimationSet> Slide(const char* name, double period, float distance) {
    BoneAnimation a;
    a.frameName = "Bone";
    a.positionKeys = {{0.0, Vec3(0, 0, 0)}, {period, Vec3(distance, 0, 0)}};
    return std::make_shared<CAnimationSet>(CStr(name), std::vector<BoneAnimation>{a});
}

// A controller over two outputs: "Root" (never animated) and "Bone".
CAnimController* MakeController(std::vector<std::shared_ptr<const CAnimationSet>> sets) {
    Matrix4 rest;
    MatrixTranslation(rest, 0, 5, 0);
    return new CAnimController({CStr("Root"), CStr("Bone")}, {Matrix4(), rest}, std::move(sets));
}

Vec3 BoneTranslation(const CAnimController& c) {
    std::vector<Matrix4> locals(2);
    c.ApplyOutputs(locals);
    return Vec3(locals[1].m[3][0], locals[1].m[3][1], locals[1].m[3][2]);
}

AnimTrackDesc Desc(const CAnimController& c, int track) {
    AnimTrackDesc d;
    EXPECT_TRUE(c.GetTrackDesc(track, &d));
    return d;
}

} // namespace

TEST(AnimController, SetsAreFoundByIndexAndNameWithTheirPeriods) {
    CAnimController* c = MakeController({Slide("walk", 2.0, 1), Slide("run", 0.5, 1)});
    EXPECT_EQ(c->GetNumAnimationSets(), 2);
    ASSERT_NE(c->GetAnimationSet(1), nullptr);
    EXPECT_STREQ(c->GetAnimationSet(1)->GetName(), "run");
    EXPECT_DOUBLE_EQ(c->GetAnimationSet(0)->GetPeriod(), 2.0);
    EXPECT_EQ(c->GetAnimationSet(2), nullptr);
    EXPECT_EQ(c->GetAnimationSet(-1), nullptr);
    EXPECT_EQ(c->FindAnimationSet("run"), 1);
    EXPECT_EQ(c->FindAnimationSet("Run"), -1); // names match exactly
    c->Release();
}

TEST(AnimController, TrackPositionRunsPastThePeriodWhileThePoseLoops) {
    CAnimController* c = MakeController({Slide("walk", 2.0, 4.0f)});
    c->SetTrackAnimationSet(0, c->GetAnimationSet(0));
    c->SetTrackEnable(0, true);
    c->SetTrackSpeed(0, 1.0f);
    ASSERT_EQ(c->AdvanceTime(1.98, nullptr), 0);
    const double period = c->GetAnimationSet(0)->GetPeriod();
    // Just short of the end threshold a clip is not finished; past it, it is.
    EXPECT_LT(Desc(*c, 0).Position, period - 0.0125);
    c->AdvanceTime(0.01, nullptr);
    EXPECT_GT(Desc(*c, 0).Position, period - 0.0125);
    c->AdvanceTime(0.51, nullptr);
    EXPECT_NEAR(Desc(*c, 0).Position, 2.5, 1e-9);
    // 2.5 s into a 2 s loop samples the pose of 0.5 s.
    EXPECT_NEAR(BoneTranslation(*c).x, 1.0f, 1e-5f);
    // A restart puts the position back to 0 exactly.
    c->SetTrackPosition(0, 0.0);
    EXPECT_EQ(Desc(*c, 0).Position, 0.0);
    EXPECT_EQ(c->AdvanceTime(-0.1, nullptr), -1);
    EXPECT_DOUBLE_EQ(c->GetTime(), 2.5);
    c->Release();
}

// The cross-fade the characters run: the old track fades out over one second and is switched off at
// its end, the new one rises to the clip speed with its weight keyed to the same value.
TEST(AnimController, CrossFadeKeysMoveLinearlyOverOneSecondAndDisableTheOldTrack) {
    CAnimController* c = MakeController({Slide("a", 2.0, 2.0f), Slide("b", 2.0, -2.0f)});
    c->SetTrackAnimationSet(0, c->GetAnimationSet(0));
    c->SetTrackSpeed(0, 1.2f);
    c->SetTrackWeight(0, 1.2f);
    c->AdvanceTime(3.0, nullptr);
    const double t = c->GetTime();

    c->SetTrackAnimationSet(1, c->GetAnimationSet(1));
    c->UnkeyAllTrackEvents(0);
    c->UnkeyAllTrackEvents(1);
    c->KeyTrackEnable(0, false, t + 1.0);
    c->KeyTrackSpeed(0, 0.0f, t, 1.0, AnimTransition::Linear);
    c->KeyTrackWeight(0, 0.0f, t, 1.0, AnimTransition::Linear);
    c->SetTrackEnable(1, true);
    c->KeyTrackSpeed(1, 1.2f, t, 1.0, AnimTransition::Linear);
    c->KeyTrackWeight(1, 1.2f, t, 1.0, AnimTransition::Linear);
    c->SetTrackPosition(1, 0.0);
    const double oldStart = Desc(*c, 0).Position;

    c->AdvanceTime(0.25, nullptr);
    EXPECT_NEAR(Desc(*c, 0).Speed, 0.9f, 1e-5f);
    EXPECT_NEAR(Desc(*c, 0).Weight, 0.9f, 1e-5f);
    EXPECT_NEAR(Desc(*c, 1).Speed, 1.05f, 1e-5f); // from its untouched 1.0 toward 1.2
    EXPECT_TRUE(Desc(*c, 0).Enable);
    c->AdvanceTime(0.5, nullptr);
    EXPECT_NEAR(Desc(*c, 0).Speed, 0.3f, 1e-5f);
    EXPECT_NEAR(Desc(*c, 1).Weight, 1.15f, 1e-5f);
    c->AdvanceTime(0.25, nullptr);
    const AnimTrackDesc old = Desc(*c, 0);
    EXPECT_FALSE(old.Enable);
    EXPECT_FLOAT_EQ(old.Speed, 0.0f);
    EXPECT_FLOAT_EQ(old.Weight, 0.0f);
    // A speed ramp from 1.2 to 0 over a second moves the track 0.6 s of clip time.
    EXPECT_NEAR(old.Position - oldStart, 0.6, 1e-6);
    EXPECT_FLOAT_EQ(Desc(*c, 1).Speed, 1.2f);
    EXPECT_NEAR(Desc(*c, 1).Position, 1.1, 1e-6);

    // Once faded, only the new clip shapes the pose; the disabled track stays where it stopped.
    c->AdvanceTime(0.4, nullptr);
    EXPECT_NEAR(Desc(*c, 0).Position - oldStart, 0.6, 1e-6);
    EXPECT_NEAR(BoneTranslation(*c).x, -static_cast<float>(Desc(*c, 1).Position), 1e-4f);
    c->Release();
}

TEST(AnimController, UnkeyingDropsPendingEventsOfThatTrackOnly) {
    CAnimController* c = MakeController({Slide("a", 1.0, 1.0f)});
    c->SetTrackEnable(1, true);
    c->KeyTrackEnable(0, false, 0.5);
    c->KeyTrackSpeed(1, 3.0f, 0.0, 1.0, AnimTransition::Linear);
    c->UnkeyAllTrackEvents(0);
    c->AdvanceTime(1.0, nullptr);
    EXPECT_TRUE(Desc(*c, 0).Enable);
    EXPECT_FLOAT_EQ(Desc(*c, 1).Speed, 3.0f);
    // An immediate key lands at its start time.
    c->KeyTrackWeight(1, 0.25f, 1.5, 1.0, AnimTransition::Immediate);
    c->AdvanceTime(0.4, nullptr);
    EXPECT_FLOAT_EQ(Desc(*c, 1).Weight, 1.0f);
    c->AdvanceTime(0.2, nullptr);
    EXPECT_FLOAT_EQ(Desc(*c, 1).Weight, 0.25f);
    // Tracks that do not exist are refused.
    EXPECT_FALSE(c->SetTrackEnable(2, true));
    EXPECT_FALSE(c->KeyTrackSpeed(-1, 1.0f, 0.0, 1.0, AnimTransition::Linear));
    EXPECT_FALSE(c->GetTrackDesc(5, nullptr));
    EXPECT_EQ(c->GetTrackAnimationSet(7), nullptr);
    c->Release();
}

TEST(AnimController, TwoTracksBlendByTheirWeights) {
    CAnimController* c = MakeController({Slide("left", 1.0, -4.0f), Slide("right", 1.0, 4.0f)});
    c->SetTrackAnimationSet(0, c->GetAnimationSet(0));
    c->SetTrackAnimationSet(1, c->GetAnimationSet(1));
    c->SetTrackEnable(0, true);
    c->SetTrackEnable(1, true);
    c->SetTrackWeight(0, 1.0f);
    c->SetTrackWeight(1, 3.0f);
    c->AdvanceTime(0.5, nullptr); // left at -2, right at +2
    EXPECT_NEAR(BoneTranslation(*c).x, (-2.0f * 1 + 2.0f * 3) / 4, 1e-5f);
    // A disabled track no longer counts.
    c->SetTrackEnable(1, false);
    c->AdvanceTime(0.25, nullptr);
    EXPECT_NEAR(BoneTranslation(*c).x, -3.0f, 1e-5f);
    // With no weight anywhere the last pose stays.
    c->SetTrackWeight(0, 0.0f);
    c->AdvanceTime(0.1, nullptr);
    EXPECT_NEAR(BoneTranslation(*c).x, -3.0f, 1e-5f);
    c->Release();

    // Key kinds a set lacks keep the rest pose: a turn-only clip leaves the bone at its rest height 5.
    BoneAnimation spin;
    spin.frameName = "Bone";
    spin.rotationKeys = {{0.0, Quat()}, {1.0, Quat{0, 1, 0, 0}}};
    c = MakeController({std::make_shared<CAnimationSet>(CStr("spin"), std::vector<BoneAnimation>{spin})});
    c->SetTrackAnimationSet(0, c->GetAnimationSet(0));
    c->AdvanceTime(0.5, nullptr);
    EXPECT_NEAR(BoneTranslation(*c).y, 5.0f, 1e-5f);
    c->Release();
}

TEST(AnimController, ClonesShareSetsButNotTracksOrTime) {
    CAnimController* c = MakeController({Slide("a", 1.0, 1.0f)});
    c->SetTrackAnimationSet(0, c->GetAnimationSet(0));
    c->AdvanceTime(0.7, nullptr);
    CAnimController* copy = c->Clone();
    EXPECT_EQ(copy->GetAnimationSet(0), c->GetAnimationSet(0));
    EXPECT_EQ(copy->GetTime(), 0.0);
    EXPECT_EQ(copy->GetTrackAnimationSet(0), nullptr);
    copy->SetTrackAnimationSet(0, copy->GetAnimationSet(0));
    copy->AdvanceTime(0.2, nullptr);
    EXPECT_NEAR(Desc(*c, 0).Position, 0.7, 1e-9);
    EXPECT_NEAR(Desc(*copy, 0).Position, 0.2, 1e-9);
    // A reference taken by a caller keeps the controller alive after its owner lets go.
    copy->AddRef();
    copy->Release();
    EXPECT_NEAR(Desc(*copy, 0).Position, 0.2, 1e-9);
    copy->Release();
    c->Release();
}

TEST(AnimMaths, QuaternionsMatchTheMatrixRotationsAndSurviveDecomposition) {
    const float angle = 0.7f;
    Quat qz{0, 0, std::sin(angle / 2), std::cos(angle / 2)};
    Matrix4 fromQuat, expected;
    MatrixFromQuat(fromQuat, qz);
    MatrixRotationZ(expected, angle);
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col)
            EXPECT_NEAR(fromQuat.m[r][col], expected.m[r][col], 1e-5f);

    Matrix4 rot, scale, trans, tmp, m;
    MatrixRotationY(rot, 2.5f); // beyond a quarter turn, to reach the other decomposition branches
    MatrixScaling(scale, 2, 3, 0.5f);
    MatrixTranslation(trans, 1, -2, 3);
    MatrixMultiply(tmp, scale, rot);
    MatrixMultiply(m, tmp, trans);
    Vec3 s, t;
    Quat q;
    ASSERT_TRUE(DecomposeMatrix(m, s, q, t));
    Matrix4 back;
    ComposeMatrix(back, s, q, t);
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col)
            EXPECT_NEAR(back.m[r][col], m.m[r][col], 1e-4f);
    EXPECT_FALSE(DecomposeMatrix(Matrix4::Zero(), s, q, t));
    // Interpolation takes the short way even when the end is given with the opposite sign.
    Quat half = QuatNlerp(Quat(), Quat{0, 0, -std::sin(0.5f), -std::cos(0.5f)}, 0.5f);
    EXPECT_NEAR(std::abs(half.z), std::sin(0.25f), 1e-3f);
}
