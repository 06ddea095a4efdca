// The animated court character and the referees on the generated models: the clip table, the
// cross-fade, turning, gait steps and the off-court refusal, the hand frames, the referees' posts,
// and characters whose mesh could not give them an instance.
#include "engine/AnimController.h"
#include "engine/SkinnedMesh.h"
#include "match3d/CourtPlayer.h"
#include "match3d/Match3D.h"
#include "match3d/Referee.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr const char* kPlayerModel = "\\characters\\multianim.X";
constexpr const char* kRefereeModel = "\\characters\\referree_mutianim.x";

double HeadingOf(const Vec3& v) {
    double h = std::atan2(v.x, v.z) * 180.0 / 3.14159265358979323846;
    return h < 0.0 ? h + 360.0 : h;
}

Vec3 FromHeading(double degrees) {
    const double r = degrees * 3.14159265358979323846 / 180.0;
    return Vec3(static_cast<float>(std::sin(r)), 0.0f, static_cast<float>(std::cos(r)));
}

class Character : public ::testing::Test {
protected:
    void SetUp() override {
        CSkinHierarchyAllocator allocator;
        allocator.SetFolder("\\characters\\");
        allocator.SetOwner(&mesh);
        ASSERT_EQ(mesh.Setup(kPlayerModel, &allocator, 0), kMeshOk);
    }
    // Loads a court player of the match at a spot and lets the first cross-fade settle.
    CCourtPlayer& Load(const Vec3& at, const Vec3& facing) {
        CCourtPlayer& p = *m.homeTeam->GetPlayer(0);
        EXPECT_EQ(p.LoadAnimations(&mesh, &m.characters, 0, 0.0, at, facing, 0), 0);
        p.AdvanceTime(1.5, nullptr);
        return p;
    }
    AnimTrackDesc Track(const CAnimatedCharacter& c, int track) {
        CAnimController* controller = c.rig.instance->GetAnimController();
        AnimTrackDesc desc;
        controller->GetTrackDesc(track, &desc);
        controller->Release();
        return desc;
    }

    CSkinnedMesh mesh;
    CMatch3D m;
};

TEST_F(Character, LoadingFillsTheClipTableAndStartsIdle) {
    CCourtPlayer& p = Load(Vec3(1, 0, 2), Vec3(0, 0, 1));
    for (int i = 0; i < kPlayerClipCount; ++i) {
        EXPECT_GE(p.GetAnimationId(kPlayerClipIds[i]), 0) << kPlayerClipNames[i];
    }
    for (int id : {8, 9, 10, 11, 17, 23, 25, 26, 35, -1}) {
        EXPECT_EQ(p.GetAnimationId(id), -1) << id;
    }
    EXPECT_EQ(p.GetCurrentAnimationId(), kAnimIdle);
    ASSERT_EQ(m.characters.size(), 1u);
    EXPECT_EQ(m.characters[0], &p);
    EXPECT_EQ(p.position, Vec3(1, 0, 2));
    // The model's four hand frames are there.
    for (int hand = 0; hand < CSkinnedMesh::kHandFrameCount; ++hand) {
        EXPECT_GE(mesh.GetHandFrame(hand), 0);
    }
}

TEST_F(Character, ClipsCrossFadeOverOneSecondOnAlternatingTracks) {
    CCourtPlayer& p = Load(Vec3(), Vec3(0, 0, 1));
    const int before = p.rig.currentTrack;
    p.SetAnimation(kAnimRun, true);
    EXPECT_NE(p.rig.currentTrack, before);
    EXPECT_EQ(p.GetCurrentAnimationId(), kAnimRun);
    p.AdvanceTime(0.5, nullptr);
    EXPECT_NEAR(Track(p, p.rig.currentTrack).Weight, 0.6f, 1e-3);
    EXPECT_NEAR(Track(p, p.rig.currentTrack).Speed, 0.6f, 1e-3);
    EXPECT_NEAR(Track(p, before).Weight, 0.6f, 1e-3);
    p.AdvanceTime(0.5, nullptr);
    EXPECT_NEAR(Track(p, p.rig.currentTrack).Speed, 1.2f, 1e-4);
    EXPECT_FALSE(Track(p, before).Enable);
    EXPECT_FLOAT_EQ(p.GetTrackSpeed(), 1.2f);
    // Starting the same clip again fades to the other track once more.
    const int now = p.rig.currentTrack;
    p.SetAnimation(kAnimRun, false);
    EXPECT_NE(p.rig.currentTrack, now);
    // A clip the model lacks leaves the tracks alone and no id plays.
    const int track = p.rig.currentTrack;
    p.SetAnimation(9, false);
    EXPECT_EQ(p.rig.currentTrack, track);
    EXPECT_EQ(p.GetCurrentAnimationId(), -1);
}

TEST_F(Character, TurnsAtTheTurnRateAndStopsOnTheTarget) {
    CCourtPlayer& p = Load(Vec3(), FromHeading(100.0));
    p.lookDirection = FromHeading(90.0);
    p.Turn(0.01);
    EXPECT_NEAR(HeadingOf(p.facing), 100.0 - 3.005, 1e-3);
    EXPECT_EQ(p.facingReached, 0);
    p.Turn(0.1);
    EXPECT_NEAR(HeadingOf(p.facing), 90.0, 1e-3);
    EXPECT_EQ(p.facingReached, 1);
    // The short way round through north, and 5 degrees counts as facing without a turn.
    p.facing = FromHeading(350.0);
    p.lookDirection = FromHeading(10.0);
    p.Turn(0.01);
    EXPECT_NEAR(HeadingOf(p.facing), 353.005, 1e-3);
    p.facing = FromHeading(45.0);
    p.lookDirection = FromHeading(49.0);
    p.Turn(0.5);
    EXPECT_NEAR(HeadingOf(p.facing), 45.0, 1e-3);
    EXPECT_EQ(p.facingReached, 1);
    // An injured player turns slower.
    p.injured = 1;
    p.facing = FromHeading(100.0);
    p.lookDirection = FromHeading(0.0);
    p.Turn(0.1);
    EXPECT_NEAR(HeadingOf(p.facing), 100.0 - 19.5325, 1e-3);
}

TEST_F(Character, WalksAndRunsAtTheGaitTimesTheTrackSpeed) {
    CCourtPlayer& p = Load(Vec3(0, 0, 0), Vec3(0, 0, 1));
    p.SetAnimation(kAnimWalk, false);
    p.AdvanceTime(1.0, nullptr);
    p.Update(0.1);
    EXPECT_NEAR(p.position.z, 1.4f * 1.2f * 0.1f, 1e-4);
    p.SetAnimation(kAnimRun, false);
    p.AdvanceTime(1.0, nullptr);
    const float z = p.position.z;
    p.Update(0.1);
    EXPECT_NEAR(p.position.z - z, 5.3f * 1.2f * 0.1f, 1e-4);
    // Standing clips stay put; the prediction follows the same gait.
    const Vec3 predicted = p.PredictPosition(kAnimRun, 0.5);
    EXPECT_NEAR(predicted.z - p.position.z, 5.3f * 1.2f * 0.5f, 1e-4);
    p.SetAnimation(kAnimIdleBall, false);
    p.AdvanceTime(1.0, nullptr);
    const Vec3 still = p.position;
    p.Update(0.1);
    EXPECT_EQ(p.position, still);
}

TEST_F(Character, StepsOffTheCourtAreRefusedWithTheirCodes) {
    // At the side line facing out: x bound 7.5.
    CCourtPlayer& p = Load(Vec3(7.45f, 0, 0), Vec3(1, 0, 0));
    p.SetAnimation(kAnimRunDribble, false);
    p.AdvanceTime(1.0, nullptr);
    m.flags.substitutionPhase = 1;
    p.Update(0.1);
    EXPECT_FLOAT_EQ(p.position.x, 7.45f);
    EXPECT_FLOAT_EQ(p.blockedCode, 101.0f);
    // Walking may leave the court during a substitution, but not otherwise.
    p.SetAnimation(kAnimWalk, false);
    p.AdvanceTime(1.0, nullptr);
    p.Update(0.1);
    EXPECT_GT(p.position.x, 7.5f);
    m.flags.substitutionPhase = 0;
    p.position = Vec3(7.45f, 0, 0);
    p.Update(0.1);
    EXPECT_FLOAT_EQ(p.position.x, 7.45f);
    EXPECT_FLOAT_EQ(p.blockedCode, 1001.0f);
    // A player on his way off may walk out.
    p.inSubstitution = 1;
    p.Update(0.1);
    EXPECT_GT(p.position.x, 7.5f);
}

TEST_F(Character, HandsHoldTheBallBesideTheBodyWhereverItStands) {
    CCourtPlayer& p = Load(Vec3(3, 0, -4), Vec3(0, 0, 1));
    p.SetAnimation(kAnimIdleBall, false);
    p.AdvanceTime(1.5, nullptr);
    p.Update(0.0);
    Vec3 right, left, offset;
    p.GetRightHandBallPosition(right);
    p.GetLeftHandBallPosition(left);
    p.GetHandBallOffset(offset, 0);
    EXPECT_LT(Vec3Distance(Vec3(right.x, 0, right.z), p.position), 0.8f);
    EXPECT_GT(right.y, 0.6f);
    EXPECT_LT(right.y, 1.6f);
    EXPECT_LT(Vec3Distance(right, left), 0.6f); // both hands on the ball
    EXPECT_NEAR(offset.Length(), 0.12f, 1e-3);
    // Holding the ball, the hands are in front: facing +z, in front means larger z.
    EXPECT_GT(right.z, p.position.z);
    // Facing -z the same hand is on the other side of the body.
    p.facing = p.lookDirection = Vec3(0, 0, -1);
    p.Update(0.0);
    Vec3 turned;
    p.GetRightHandBallPosition(turned);
    EXPECT_LT(turned.z, p.position.z);
    EXPECT_NEAR(HeadingFromDirection(Vec3(1, 0, 0)), 270.0f, 1e-3);
    EXPECT_NEAR(HeadingFromDirection(Vec3(0, 0, -1)), 180.0f, 1e-3);
    EXPECT_NEAR(HeadingFromDirection(Vec3(-0.6f, 0, 0.8f)), 36.87f, 1e-2);
}

TEST_F(Character, ACharacterWithoutAnInstanceSitsTheMatchOut) {
    CSkinnedMesh empty; // nothing loaded: no instance can be made
    CCourtPlayer& p = *m.homeTeam->GetPlayer(1);
    EXPECT_EQ(p.LoadAnimations(&empty, &m.characters, 0, 0.0, Vec3(), Vec3(0, 0, 1), 0), kAnimOutOfMemory);
    EXPECT_EQ(p.shown, 0);
    EXPECT_TRUE(m.characters.empty());
    m.characters.push_back(&p); // even registered by mistake, nothing touches the missing instance
    p.shown = 1;
    p.hasBall = 1;
    m.CreateHeadlessBall();
    m.UpdateCharacters(0.02f);
    m.RenderCharacters(0.02f);
    p.Update(0.02);
    p.AdvanceTime(0.02, nullptr);
    p.Render();
    Vec3 hand;
    p.GetRightHandBallPosition(hand);
    p.SetAnimation(kAnimRun, true);
    EXPECT_EQ(p.position, Vec3());
}

TEST_F(Character, CopiesNeverShareTheCallbackHandler) {
    CCourtPlayer& p = Load(Vec3(), Vec3(0, 0, 1));
    p.rig.callbackHandler = new CAnimCallbackHandler;
    auto* copy = new CCourtPlayer(p);
    EXPECT_EQ(copy->rig.instance, p.rig.instance);
    EXPECT_EQ(copy->rig.callbackHandler, nullptr);
    delete copy; // the original's handler survives the copy's death
    EXPECT_NE(p.rig.callbackHandler, nullptr);
    p.Release();
    EXPECT_EQ(p.rig.callbackHandler, nullptr);
}

TEST(Referees, StandAtTheirPostsFacingAcrossTheCourtAndPlayTheirClips) {
    CMatch3D m;
    m.firstReferee = AdoptSceneObject(new CReferee);
    m.secondReferee = AdoptSceneObject(new CReferee);
    m.thirdReferee = AdoptSceneObject(new CReferee);
    CSkinnedMesh mesh;
    CSkinHierarchyAllocator allocator;
    allocator.SetFolder("\\characters");
    ASSERT_EQ(mesh.Setup(kRefereeModel, &allocator, 0), kMeshOk);
    for (CReferee* r : {m.firstReferee.get(), m.secondReferee.get(), m.thirdReferee.get()}) {
        EXPECT_EQ(r->LoadAnimations(&mesh, &m.referees, 0, 0.0, Vec3(), Vec3()), 0);
        for (int id = 0; id < kRefereeClipCount; ++id) {
            EXPECT_GE(r->clipTable[id], 0) << kRefereeClipNames[id];
        }
        EXPECT_EQ(r->GetCurrentAnimationId(), kRefereeIdle);
    }
    EXPECT_EQ(m.referees.size(), 3u);
    m.PlaceReferees();
    EXPECT_EQ(m.firstReferee->position, Vec3(-6, 0, 0));
    EXPECT_EQ(m.secondReferee->position, Vec3(-3.5f, 0, -14));
    EXPECT_EQ(m.thirdReferee->position, Vec3(-3.5f, 0, 14));
    EXPECT_EQ(m.firstReferee->baselineReferee, 0);
    EXPECT_EQ(m.secondReferee->baselineReferee, 1);
    for (CReferee* r : {m.firstReferee.get(), m.secondReferee.get(), m.thirdReferee.get()}) {
        EXPECT_EQ(r->facing, Vec3(6, 0, 0));
        EXPECT_EQ(r->lookDirection, Vec3(6, 0, 0));
    }
    // Running across the floor at 7.8 times the track speed once the fade is done.
    CReferee& r = *m.firstReferee;
    r.facing = r.lookDirection = Vec3(0, 0, 1);
    r.BlendToClip(kRefereeRun, false);
    EXPECT_EQ(r.GetCurrentAnimationId(), kRefereeRun);
    r.AdvanceTime(1.0, nullptr);
    r.Update(0.1);
    EXPECT_NEAR(r.position.z, 7.8f * 1.2f * 0.1f, 1e-4);
    // Standing on his walk target he looks along +x.
    r.walkTarget = r.position;
    r.FaceTarget();
    EXPECT_EQ(r.lookDirection, Vec3(1, 0, 0));
    // The frame step moves and animates him through the registry; the actors' step points the
    // baseline referees at the ball.
    m.UpdateCharacters(0.02f);
    m.RenderCharacters(0.02f);
    m.CreateHeadlessBall();
    m.ball->SetPosition(3, 1, 0);
    m.UpdateActors(0.02f);
    EXPECT_GT(m.secondReferee->lookDirection.x, 0.0f);
    EXPECT_GT(m.secondReferee->lookDirection.z, 0.0f);
    // Released, the match forgets its characters: a late frame finds nobody to move.
    m.Release();
    EXPECT_TRUE(m.referees.empty());
    EXPECT_TRUE(m.characters.empty());
    m.UpdateCharacters(0.02f);
}

} // namespace
