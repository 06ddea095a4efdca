// The court motion: a scripted hand path lets passes and shots go at their moments with the right
// speed and aim, the dribble catches its bounce, the steal rolls once per swing; and every clip of
// the generated player model reaches its moment when played from a standing start.
#include "engine/GameRand.h"
#include "engine/SkinnedMesh.h"
#include "match/Formation.h"
#include "match3d/CourtPlayer.h"
#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

// A court player whose right hand follows a script instead of a skeleton.
class ScriptedPlayer : public CCourtPlayer {
public:
    bool HasInstance() const override { return true; }
    void GetRightHandBallPosition(Vec3& out) const override { out = hand; }
    void GetLeftHandBallPosition(Vec3& out) const override { out = leftHand; }
    void GetHandBallOffset(Vec3& out, int) const override { out = offset; }
    void GetStoredPosition(Vec3& out) const override { out = stored; }
    void SetStoredPosition(float x, float y, float z) override { stored = Vec3(x, y, z); }

    Vec3 hand;
    Vec3 leftHand{0, 1, 0};
    Vec3 offset{0, -0.12f, 0};
    Vec3 stored;
};

// A hand vector with the given HeadingFromYX in the x-y plane.
Vec3 OffsetWithYX(double degrees) {
    const double r = degrees * 3.14159265358979323846 / 180.0;
    return Vec3(static_cast<float>(0.12 * std::cos(r)), static_cast<float>(-0.12 * std::sin(r)), 0.0f);
}

class Motion : public ::testing::Test {
protected:
    void SetUp() override {
        GameSrand(7);
        m.CreateHeadlessBall();
        m.display = &display;
        m.textSource = [](int id) { return CStr::Formatted("<%d>", id); };
        m.homeTeam->basketPoint = Vec3(0, 0, -12.13f);
        m.homeTeam->attackedBasketPoint = Vec3(0, 0, 12.13f);
        m.awayTeam->basketPoint = Vec3(0, 0, 12.13f);
        m.awayTeam->attackedBasketPoint = Vec3(0, 0, -12.13f);
        m.flags.quarter = 1;
        for (int side = 0; side < 2; ++side) {
            for (int i = 0; i < m.Team(side)->GetCount(); ++i) {
                CCourtPlayer& p = *m.Team(side)->GetPlayer(i);
                p.stamina = p.staminaMax = 100.0f;
                p.position = Vec3(-4.0f + 2.0f * static_cast<float>(i % 5), 0.0f, side == 0 ? 2.0f : 4.0f);
            }
        }
        holder.AttachMatch(&m);
        holder.side = 0;
        holder.stamina = 100.0f;
        holder.position = Vec3(0, 0, 7.13f); // 5 from the basket it attacks
        holder.hasBall = 1;
        m.characters.push_back(&holder);
        m.ball->SetHeld(true);
        m.ball->SetSpeed(0.0f);
    }
    // Plays the clip from its start with the hand at p and the given offset each frame.
    void Frame(const Vec3& p, const Vec3& offset) {
        holder.hand = p;
        holder.offset = offset;
        m.UpdateCharacters(0.02f);
    }
    // One swing of the steal clip beside the owner, who holds the ball: the swipe stays in reach for
    // ten frames, one roll. Stops early once the stealer has the ball.
    void Swing(CCourtPlayer& owner, ScriptedPlayer& stealer) {
        owner.hasBall = 1;
        owner.position = Vec3(0, 0, 0);
        m.ballHandler = &owner;
        m.flags.foulPending = 0;
        m.ball->SetHeld(true);
        stealer.hasBall = 0;
        stealer.position = Vec3(0.5f, 0, 0);
        stealer.stamina = 100.0f;
        stealer.SetAnimation(kAnimStealRight, true);
        stealer.offset = OffsetWithYX(320.0);
        for (int frame = 0; frame < 10 && !stealer.hasBall; ++frame) {
            m.UpdateCharacters(0.02f);
        }
    }

    CMatch3D m;
    CHeadlessDisplay display;
    ScriptedPlayer holder;
};

TEST_F(Motion, ChestPassLeavesAtItsMomentTowardTheReceiver) {
    const Vec3 receiver(3.0f, 1.2f, 10.0f);
    m.ballAim = receiver;
    m.flags.inbound = 1;
    holder.SetAnimation(kAnimPassChest, true);
    holder.holdSpot = 1;
    // The hand swings through the gather: the ball rides along until the fingers come up past 212.
    const Vec3 p(0.2f, 1.3f, 7.5f);
    for (double yx : {90.0, 150.0, 200.0, 211.0}) {
        Frame(p, OffsetWithYX(yx));
        EXPECT_EQ(holder.hasBall, 1) << yx;
        EXPECT_EQ(m.ball->GetPosition(), p);
    }
    // Fingers up but the hand below a metre: still held.
    Frame(Vec3(0.2f, 0.9f, 7.5f), OffsetWithYX(230.0));
    EXPECT_EQ(holder.hasBall, 1);
    Frame(p, OffsetWithYX(230.0));
    EXPECT_EQ(holder.hasBall, 0);
    EXPECT_FALSE(m.ball->IsHeld());
    EXPECT_FLOAT_EQ(m.ball->GetSpeed(), 6.0f);
    Vec3 expected = receiver - p;
    expected.Normalize();
    const Vec3 direction = m.ball->GetDirection();
    EXPECT_NEAR(direction.x, expected.x, 1e-5);
    EXPECT_NEAR(direction.y, expected.y, 1e-5);
    EXPECT_NEAR(direction.z, expected.z, 1e-5);
    EXPECT_EQ(holder.GetCurrentAnimationId(), kAnimIdle);
    EXPECT_EQ(m.flags.lastPasser, &holder);
    // The throw-in is made, and the passer moves off to a new spot.
    EXPECT_EQ(m.inboundThrown, 1);
    EXPECT_EQ(holder.holdSpot, 0);
    EXPECT_EQ(m.dribbleOut, 0);
}

TEST_F(Motion, BouncePassKeepsTheDirectionItWasGiven) {
    m.ballAim = Vec3(0.6f, -0.8f, 0.0f);
    holder.SetAnimation(kAnimPassBounce, true);
    Frame(Vec3(0, 1, 7), OffsetWithYX(214.0));
    EXPECT_EQ(holder.hasBall, 1);
    Frame(Vec3(0, 1, 7), OffsetWithYX(216.0));
    EXPECT_EQ(holder.hasBall, 0);
    EXPECT_FLOAT_EQ(m.ball->GetSpeed(), 3.0f);
    EXPECT_EQ(m.ball->GetDirection(), Vec3(0.6f, -0.8f, 0.0f));
}

TEST_F(Motion, JumpShotFromFiveMetresLeavesUpwardTowardTheBasket) {
    for (int shot = 0; shot < 20; ++shot) {
        holder.hasBall = 1;
        m.ball->SetHeld(true);
        holder.SetAnimation(kAnimShot, true);
        holder.stamina = 100.0f;
        // Rising: held; at the top, above 2.4, the ball goes.
        Frame(Vec3(0.2f, 2.3f, 7.3f), Vec3(0.0f, 0.1f, 0.06f));
        Frame(Vec3(0.2f, 2.5f, 7.3f), Vec3(0.0f, 0.1f, 0.06f));
        EXPECT_EQ(holder.hasBall, 1);
        const Vec3 p(0.2f, 2.5f, 7.3f);
        Frame(p, Vec3(0.0f, 0.1f, 0.06f));
        ASSERT_EQ(holder.hasBall, 0);
        EXPECT_FLOAT_EQ(m.ball->GetSpeed(), 7.0f);
        EXPECT_NEAR(holder.stamina, 100.0f - 0.05f * CCourtPlayer::kEffortShare, 1e-4);
        // Follow the flight to the face of the board behind the rim: 3 above the basket point,
        // spread only upward (0 to 0.3) and toward -x (0 to 0.5).
        const Vec3 d = m.ball->GetDirection();
        ASSERT_GT(d.z, 0.0f);
        const float t = (m.plusZBoard.planeZ - p.z) / d.z;
        const Vec3 at = p + d * t;
        EXPECT_GE(at.y, 3.0f - 1e-3f);
        EXPECT_LE(at.y, 3.3f + 1e-3f);
        EXPECT_LE(at.x, 1e-3f);
        EXPECT_GE(at.x, -0.5f - 1e-3f);
    }
    // Without the spread the ball flies straight at the point above the basket.
    holder.hasBall = 1;
    holder.noScatter = 1;
    holder.position = Vec3(0, 0, 10.13f); // 2 away: the short range speed
    holder.SetAnimation(kAnimShot, true);
    Frame(Vec3(0, 2.5f, 10.13f), Vec3(0.0f, 0.1f, 0.06f));
    Frame(Vec3(0, 2.5f, 10.13f), Vec3(0.0f, 0.1f, 0.06f));
    EXPECT_EQ(holder.hasBall, 0);
    EXPECT_FLOAT_EQ(m.ball->GetSpeed(), 8.0f);
    Vec3 expected = Vec3(0, 3.0f, 12.13f) - Vec3(0, 2.5f, 10.13f);
    expected.Normalize();
    EXPECT_NEAR(m.ball->GetDirection().y, expected.y, 1e-5);
}

TEST_F(Motion, WalkingDribbleBouncesOffTheFloorAndIsCaughtAgain) {
    holder.SetAnimation(kAnimWalkDribble, true);
    const Vec3 p(0.3f, 0.9f, 7.0f);
    m.ball->SetPosition(p.x, p.y, p.z);
    m.ball->SetSpeed(1.43f);
    holder.stored = Vec3(0.3f, 0.95f, 7.0f); // the hand was higher: it is pushing down
    int catches = 0;
    float lowest = 10.0f;
    for (int frame = 0; frame < 200; ++frame) {
        const uint8_t out = m.dribbleOut;
        Frame(p, Vec3(0, -0.12f, 0));
        lowest = std::min(lowest, m.ball->GetPosition().y);
        EXPECT_TRUE(m.ball->IsHeld());
        if (out && !m.dribbleOut) {
            ++catches;
            EXPECT_FLOAT_EQ(m.ball->GetSpeed(), 1.43f);
            EXPECT_EQ(m.ball->GetDirection(), Vec3());
            EXPECT_EQ(m.dribbleUp, 0);
        }
    }
    EXPECT_GE(catches, 3);
    EXPECT_LT(lowest, 0.3f);
    EXPECT_EQ(holder.hasBall, 1);
}

TEST_F(Motion, StealRollsOncePerSwingAndASuccessHandsTheBallOver) {
    CCourtPlayer& victim = *m.awayTeam->GetPlayer(0);
    m.characters.clear();
    ScriptedPlayer stealer;
    stealer.AttachMatch(&m);
    stealer.side = 1;
    stealer.stamina = 100.0f;
    m.characters.push_back(&stealer);
    for (float key : {0.0f, 0.5f, 1.0f, 1.5f, 2.0f}) {
        m.ballStealth.AddPoint(key, 8.0f); // a fair chance either way
    }
    bool handedOver = false;
    GameSrand(11);
    for (int swing = 0; swing < 100 && !handedOver; ++swing) {
        // The home side's player holds the ball right beside the stealer.
        CCourtPlayer& owner = *m.homeTeam->GetPlayer(0);
        owner.height = 200;
        Swing(owner, stealer);
        EXPECT_NEAR(stealer.stamina, 100.0f - 0.05f * CCourtPlayer::kEffortShare, 1e-4) << swing;
        if (stealer.hasBall) {
            handedOver = true;
            EXPECT_EQ(owner.hasBall, 0);
            EXPECT_EQ(m.ballHandler, &stealer);
            EXPECT_TRUE(m.ball->IsHeld());
        }
    }
    EXPECT_TRUE(handedOver);
    (void)victim;
}

TEST_F(Motion, TheSwipeReadsTheStealersSkillAndFoulsOnlyOnTheNineteen) {
    m.characters.clear();
    ScriptedPlayer stealer;
    stealer.AttachMatch(&m);
    stealer.side = 1;
    stealer.attributes[14] = 0; // no steal skill: the die alone cannot reach 30
    m.characters.push_back(&stealer);
    for (float key : {0.0f, 0.5f, 1.0f, 1.5f, 2.0f}) {
        m.ballStealth.AddPoint(key, 30.0f);
    }
    CCourtPlayer& owner = *m.homeTeam->GetPlayer(0);
    // A tall, skilled handler: his height and handling once counted on the stealer's side of the roll.
    owner.height = 250;
    owner.attributes[5] = 90;
    int fouls = 0;
    GameSrand(5);
    for (int swing = 0; swing < 200; ++swing) {
        Swing(owner, stealer);
        ASSERT_EQ(stealer.hasBall, 0) << swing;
        ASSERT_EQ(owner.hasBall, 1) << swing;
        fouls += m.flags.foulPending;
    }
    // Two faces of twenty-one foul: about 19 of 200 (the reach-in's 12 and up gave about 86).
    EXPECT_GT(fouls, 5);
    EXPECT_LT(fouls, 40);
}

TEST_F(Motion, NoBallNoStealAndHiddenPlayersStandStill) {
    m.ball.reset();
    ScriptedPlayer stealer;
    stealer.AttachMatch(&m);
    stealer.stamina = 100.0f;
    stealer.SetAnimation(kAnimStealRight, true);
    stealer.offset = OffsetWithYX(320.0);
    m.characters.push_back(&stealer);
    m.UpdateCharacters(0.02f);
    EXPECT_FLOAT_EQ(stealer.stamina, 100.0f);
    holder.shown = 0;
    holder.SetAnimation(kAnimWalk, true);
    const Vec3 before = holder.position;
    m.UpdateCharacters(0.5f);
    EXPECT_EQ(holder.position, before);
}

// Every clip of the generated model, played as a match plays it: the holder stands with the ball,
// then the decision starts the clip. The ball must leave the hand before the clip has run twice.
class ModelClips : public ::testing::Test {
protected:
    void SetUp() override {
        CSkinHierarchyAllocator allocator;
        allocator.SetFolder("\\characters\\");
        ASSERT_EQ(mesh.Setup("\\characters\\multianim.X", &allocator, 0), kMeshOk);
        GameSrand(3);
        m.CreateHeadlessBall();
        m.display = &display;
        m.textSource = [](int id) { return CStr::Formatted("<%d>", id); };
        m.homeTeam->attackedBasketPoint = Vec3(0, 0, 12.13f);
        m.awayTeam->basketPoint = Vec3(0, 0, 12.13f);
        m.flags.quarter = 1;
        p = m.homeTeam->GetPlayer(0);
        ASSERT_EQ(p->LoadAnimations(&mesh, &m.characters, 0, 0.0, Vec3(0, 0, 6), Vec3(0, 0, 1), 0), 0);
        p->hasBall = 1;
        p->stamina = 100.0f;
        m.ball->SetHeld(true);
        p->SetAnimation(kAnimIdleBall, false);
        Run(1.5);
    }
    void Run(double seconds) {
        for (double t = 0.0; t < seconds; t += kDt) {
            m.UpdateCharacters(static_cast<float>(kDt));
            m.RenderCharacters(static_cast<float>(kDt));
        }
    }
    // Seconds until the ball leaves the hand, or -1 within the limit.
    double Throw(int32_t clip, double limit) {
        p->SetAnimation(clip, true);
        for (double t = 0.0; t < limit; t += kDt) {
            m.UpdateCharacters(static_cast<float>(kDt));
            m.RenderCharacters(static_cast<float>(kDt));
            if (!p->hasBall) {
                return t;
            }
        }
        return -1.0;
    }

    static constexpr double kDt = 1.0 / 60.0;
    CSkinnedMesh mesh;
    CMatch3D m;
    CHeadlessDisplay display;
    CCourtPlayer* p = nullptr;
};

TEST_F(ModelClips, EveryPassAndShotLetsTheBallGo) {
    for (int32_t clip : {kAnimPassChest, kAnimPassBounce, kAnimPassOverhead, kAnimPassOverheadRight,
                         kAnimShot, kAnimShotFade, kAnimShotClose, kAnimDribbleMove}) {
        m.ballAim = clip == kAnimPassBounce ? Vec3(0, -0.5f, 0.86f) : Vec3(0, 1.2f, 10);
        const double t = Throw(clip, 2.0 * p->GetClipPeriod() + 1.0);
        EXPECT_GT(t, 0.1) << clip;
        Vec3 direction = m.ball->GetDirection();
        EXPECT_GT(direction.z, 0.2f) << clip; // forward, where he faces
        // The hand was up where the throw needs it.
        if (clip == kAnimShot || clip == kAnimDribbleMove) {
            EXPECT_GE(m.ball->GetPosition().y, 2.3f) << clip;
        }
        p->hasBall = 1;
        m.ball->SetHeld(true);
        p->SetAnimation(kAnimIdleBall, false);
        Run(1.5);
    }
}

TEST_F(ModelClips, TipOffTapsTheBallAndStartsTheFirstQuarter) {
    m.flags.quarter = 0;
    p->hasBall = 0;
    m.ball->SetPosition(0, 2.8f, 6);
    p->SetAnimation(kAnimTipOff, true);
    for (double t = 0.0; t < 3.0 && m.flags.quarter == 0; t += kDt) {
        m.UpdateCharacters(static_cast<float>(kDt));
        m.RenderCharacters(static_cast<float>(kDt));
    }
    EXPECT_EQ(m.flags.quarter, 1);
    EXPECT_FALSE(m.ball->IsHeld());
}

TEST_F(ModelClips, DribblesBounceAndStealsReach) {
    for (int32_t clip : {kAnimWalkDribble, kAnimRunDribble}) {
        p->SetAnimation(clip, true);
        int catches = 0;
        for (double t = 0.0; t < 4.0; t += kDt) {
            const uint8_t out = m.dribbleOut;
            m.UpdateCharacters(static_cast<float>(kDt));
            m.RenderCharacters(static_cast<float>(kDt));
            catches += out && !m.dribbleOut ? 1 : 0;
            p->position = Vec3(0, 0, 6); // stay on the court
        }
        EXPECT_GE(catches, 3) << clip;
        EXPECT_EQ(p->hasBall, 1);
    }
    p->hasBall = 0;
    for (int32_t clip : {kAnimStealLeft, kAnimStealRight}) {
        p->SetAnimation(clip, true);
        bool reach = false;
        for (double t = 0.0; t < 3.0; t += kDt) {
            m.RenderCharacters(static_cast<float>(kDt));
            p->Update(kDt);
            Vec3 left, offset;
            p->GetLeftHandBallPosition(left);
            p->GetHandBallOffset(offset, 0);
            reach |= clip == kAnimStealLeft ? left.y < 0.5f : HeadingFromYX(offset) > 300.0f;
        }
        EXPECT_TRUE(reach) << clip;
    }
}

} // namespace

namespace {

// A match played by the real motion on the generated model, as the shown match plays it: the
// opening tip-off is thrown by the clip, and then the passes and shots of the animated clips keep
// the game going rather than stalling with the ball in a hand.
TEST(AnimatedMatch, TheClipsPlayTheGameOnWithPassesAndShots) {
    GameSrand(9);
    CMatch3D match;
    match.LoadTactics("\\ini\\InitData.xml");
    match.textSource = [](int id) { return CStr::Formatted("<%d>", id); };
    CHeadlessDisplay display;
    match.display = &display;
    CSkinnedMesh mesh;
    CSkinHierarchyAllocator allocator;
    ASSERT_EQ(mesh.Setup("\\characters\\multianim.X", &allocator, 0), kMeshOk);
    for (int side = 0; side < 2; ++side) {
        CMatchTeam& team = *match.Team(side);
        for (int i = 0; i < team.GetCount(); ++i) {
            CCourtPlayer& p = *team.GetPlayer(i);
            p.playerId = (side == 0 ? 1000 : 2000) + i;
            std::snprintf(p.name, sizeof p.name, "%s %d", side == 0 ? "Home" : "Away", i);
            p.stamina = p.staminaMax = 100.0f;
            // Players of a league squad: the rolls, not the ball's path, decide the shots.
            p.height = 190 + 3 * i;
            for (int& a : p.attributes) {
                a = 45 + (i * 7 + side * 3) % 15;
            }
            ASSERT_EQ(p.LoadAnimations(&mesh, &match.characters, 0, 0.0, Vec3(), Vec3(0, 0, 1), 0), 0);
            p.shown = i < 5 ? 1 : 0;
        }
    }
    match.PlaceTeams(kHomeStartFormation, kAwayStartFormation);
    match.PlaceHomeTeam(0, 10);
    match.PlaceAwayTeam(2, 18);
    match.CreateHeadlessBall();
    match.homeTeam->ResetPositions();
    match.awayTeam->ResetPositions();
    match.ball->SetPosition(0.0f, 2.8f, 0.0f);
    match.ball->SetHeld(true);
    match.JumpBall();
    const float dt = 0.02f;
    int releases = 0;
    for (int frame = 0; frame < 15000; ++frame) {
        match.paused = 0;
        match.ThinkTeams(dt);
        match.Tick(dt);
        const uint8_t before = match.flags.releaseDone;
        match.UpdateCharacters(dt);
        match.RenderCharacters(dt);
        releases += !before && match.flags.releaseDone ? 1 : 0;
        if (match.flags.quarter >= 1 && !match.jumpBall) {
            display.clock.gameClock += dt;
            if (!match.flags.inbound) {
                display.clock.shotClock += dt;
            }
        }
    }
    EXPECT_GE(match.flags.quarter, 1) << "the tip-off clip threw the ball up";
    int attempts = 0;
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < match.Team(side)->GetCount(); ++i) {
            const CCourtPlayer& p = *match.Team(side)->GetPlayer(i);
            attempts += p.twoPointAttempts + p.threePointAttempts + p.freeThrowsAttempted;
        }
    }
    EXPECT_GT(releases, 20);
    EXPECT_GT(attempts, 3);
    EXPECT_GT(match.homeScore + match.awayScore, 0);
}

} // namespace
