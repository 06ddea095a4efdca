// Defensive positioning at the defence target: steals on a handler from the goal side, the guard
// point and each tactic's reach, the loose-ball chase, the inbound, the pressing defence with and
// without a ball holder, and every shipped defence keeping its five defenders on the court.
#include "FakeMatch.h"

#include "engine/Paths.h"
#include "match3d/Match3D.h"

#include <gtest/gtest.h>

#include <cmath>

using match3dtest::FakeMatch;
using match3dtest::RawForPercent;

namespace {

// The away side defends the basket at (0, 0, -10); its defender 0 guards home player 0.
struct Defence : ::testing::Test {
    FakeMatch match;
    CCourtPlayer& d = match.Away(0);
    CCourtPlayer& man = match.Home(0);
    Vec3 guard;

    void SetUp() override {
        match.flags.quarter = 1;
        match.ParkSide(0, 8.0f);
        match.ParkSide(1, 4.0f);
        d.marking = &man;
        d.defenceHome = Vec3(0, 0, -6); // 4 from the basket
        d.defenceTarget = d.position;
    }
    void Tactic(int id) { match.teams[1].defenceTactic = id; }
    void Defend() { d.DefendPosition(guard, d.GetCurrentAnimationId(), match.teams[1]); }
    void GiveBall(CCourtPlayer& holder, int32_t clip) {
        holder.hasBall = 1;
        holder.SetAnimation(clip, false);
        match.ballInHand = true;
    }
};

} // namespace

TEST_F(Defence, AGoalSideDefenderNextToAHandlerInAMoveTriesASteal) {
    Tactic(10);
    GiveBall(man, kAnimDribbleMove);
    man.position = Vec3(3, 0, -6); // both exactly 5 from the basket: level, not goal side
    d.position = Vec3(4, 0, -7);
    d.SetAnimation(kAnimIdle, false);
    Defend();
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimIdle);
    EXPECT_EQ(match.flags.stealer, nullptr);
    EXPECT_EQ(match.draws, 0);

    // A step nearer the basket: goal side. A draw of one half or more takes the right hand.
    d.position = Vec3(3.5f, 0, -7.5f);
    match.Script({16384});
    Defend();
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimStealRight);
    EXPECT_EQ(match.flags.stealer, &d);

    // Already stealing: the clip is not started again and he is not named again.
    match.flags.stealer = nullptr;
    d.clipRestarted = 0;
    match.Script({16383});
    Defend();
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimStealRight);
    EXPECT_EQ(d.clipRestarted, 0);
    EXPECT_EQ(match.flags.stealer, nullptr);

    // Below one half the left hand, also against a fade-away.
    d.SetAnimation(kAnimDefence, false);
    man.SetAnimation(kAnimShotFade, false);
    match.Script({16383});
    Defend();
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimStealLeft);
    EXPECT_EQ(match.flags.stealer, &d);
}

TEST_F(Defence, AHandlerTwoMetresAwayIsChallengedAndOneJustBeyondIsGuarded) {
    Tactic(10);
    GiveBall(man, kAnimIdleBall);
    man.position = Vec3(0, 0, -6);
    d.position = Vec3(0, 0, -8); // exactly 2.0: near, goal side, a handler in no move: the stance
    d.defenceTarget = d.position;
    d.SetAnimation(kAnimIdle, false);
    Defend();
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimDefence);
    EXPECT_EQ(match.flags.stealer, nullptr);
    const Vec3 before = d.defenceTarget;
    EXPECT_EQ(before, d.position);

    // 2.01: far. The man 4 from the basket is within the spot's 4 plus the reach 3: guard him
    // 2.5 short, on the basket's side.
    d.position = Vec3(0, 0, -8.01f);
    Defend();
    EXPECT_NEAR(d.defenceTarget.z, -10.0f + 1.5f, 1e-5f);
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimDefence);

    // During an inbound a far handler is left to the spot.
    match.flags.inbound = 1;
    Defend();
    EXPECT_EQ(d.defenceTarget, d.defenceHome);
}

TEST_F(Defence, EachTacticStepsOutAsFarAsItsReachAndTheOthersNoFartherThanTheirSpot) {
    // Man without the ball, 6 from the defender: beyond every gap.
    match.ballInHand = true;
    GiveBall(match.Home(3), kAnimIdleBall);
    constexpr float kZone = CCourtPlayer::kZoneMarkingGap;
    struct Case {
        int tactic;
        float manDistance;
        bool guards;
        float gap;
    } cases[] = {
        {10, 7.0f, true, kZone},  {10, 7.01f, false, kZone}, // spot 4 + reach 3
        {16, 9.0f, true, 2.2f},   {16, 9.01f, false, 2.2f},  // + reach 5
        {13, 4.0f, false, 2.7f},                             // man-to-man: only from the spot
        {11, 4.0f, true, kZone},  {11, 4.01f, false, kZone}, // the other zones: reach 0
        {12, 3.9f, true, kZone},  {14, 4.5f, false, kZone},  {15, 4.0f, true, kZone},
        {17, 4.5f, false, kZone}, {19, 3.5f, true, kZone},
    };
    for (const Case& c : cases) {
        Tactic(c.tactic);
        man.position = Vec3(0, 0, -10.0f + c.manDistance);
        d.position = man.position + Vec3(6.0f, 0, 0);
        d.defenceTarget = d.position;
        Defend();
        if (c.guards) {
            EXPECT_NEAR(d.defenceTarget.z, -10.0f + c.manDistance - c.gap, 1e-4f) << c.tactic;
            EXPECT_NEAR(d.defenceTarget.x, 0.0f, 1e-6f) << c.tactic;
        } else {
            EXPECT_EQ(d.defenceTarget, d.defenceHome) << c.tactic << " at " << c.manDistance;
        }
    }
}

TEST_F(Defence, GuardPointShrinksNearTheBasketAndCloseMenAreWatchedFromTheSpot) {
    Tactic(10);
    GiveBall(match.Home(3), kAnimIdleBall);
    // Nearer than the gap: a quarter of the gap short of him, then the basket itself.
    man.position = Vec3(0, 0, -8.0f); // 2.0 < 2.5
    d.position = Vec3(5, 0, -8.0f);
    Defend();
    EXPECT_NEAR(d.defenceTarget.z, -10.0f + 2.0f - 0.625f, 1e-5f);
    man.position = Vec3(0, 0, -9.5f);
    d.position = Vec3(5, 0, -9.5f);
    Defend();
    EXPECT_NEAR(d.defenceTarget.z, -10.0f, 1e-5f);

    // Closer to his man than the gap: the target stays and he idles (not looping off a stance).
    d.position = Vec3(1, 0, -9.5f);
    d.defenceTarget = Vec3(1, 1, 1);
    d.SetAnimation(kAnimDefence, false);
    match.Script({RawForPercent(50)});
    Defend();
    EXPECT_EQ(d.defenceTarget, Vec3(1, 1, 1));
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimIdle);
    EXPECT_EQ(d.clipRestarted, 1);
}

TEST_F(Defence, TheNearestDefenderChasesALooseBallUnlessHeThrewIt) {
    Tactic(10);
    match.ballInHand = false;
    match.ballPredicted = Vec3(1, 0.8f, -6);
    d.position = Vec3(1, 0, -5);
    man.position = Vec3(4, 0, 0);
    Defend();
    EXPECT_EQ(d.defenceTarget, Vec3(1, 0, -6));
    EXPECT_EQ(d.chasingBall, 1);

    d.chasingBall = 0;
    d.defenceTarget = d.position;
    match.flags.lastPasser = &d;
    Defend();
    EXPECT_EQ(d.chasingBall, 0);
    EXPECT_NE(d.defenceTarget, Vec3(1, 0, -6));

    // During an inbound he goes to his spot and, once there, idles.
    match.flags.inbound = 1;
    d.position = d.defenceHome;
    d.SetAnimation(kAnimRun, false);
    match.Script({RawForPercent(10)});
    Defend();
    EXPECT_EQ(d.defenceTarget, d.defenceHome);
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimWipeFace);
}

TEST_F(Defence, ThePresserHuntsTheHolderAndASecondDefenderCutsOffTheReceiver) {
    Tactic(18);
    CCourtPlayer& holder = match.Home(2);
    GiveBall(holder, kAnimDribbleMove);
    holder.position = Vec3(0, 0, -4); // 6 from the basket; standing, so his predicted point too
    d.position = Vec3(0, 0, -5.5f);   // nearest to him, goal side, 1.5 away
    match.Script({0});
    Defend();
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimStealLeft);
    EXPECT_EQ(match.flags.stealer, &d);

    // Behind him: 2.5 short of his predicted point on the basket's side.
    d.position = Vec3(0, 0, -2.0f);
    Defend();
    EXPECT_NEAR(d.defenceTarget.z, -10.0f + 3.5f, 1e-5f);

    // Within 6: the same point; beyond: home or a new spot.
    d.position = Vec3(5.9f, 0, -4);
    d.defenceTarget = Vec3();
    Defend();
    EXPECT_NEAR(d.defenceTarget.z, -6.5f, 1e-5f);
    d.position = Vec3(6.1f, 0, -4);
    match.Script({RawForPercent(30.01)});
    Defend();
    EXPECT_EQ(d.defenceTarget, d.defenceHome);

    // The defender nearest to the holder's chosen receiver doubles up on the holder.
    CCourtPlayer& second = match.Away(1);
    CCourtPlayer& receiver = match.Home(4);
    second.position = Vec3(-4, 0, 2);
    receiver.position = Vec3(-4.5f, 0, 2);
    holder.passTarget = &receiver;
    second.DefendPosition(guard, second.GetCurrentAnimationId(), match.teams[1]);
    EXPECT_NEAR(second.defenceTarget.z, -6.5f, 1e-5f);
    EXPECT_NEAR(second.defenceTarget.x, 0.0f, 1e-5f);

    // Anybody else holds his spot or drifts, with an idle gesture.
    holder.passTarget = nullptr;
    second.defenceHome = Vec3(-3, 0, -7);
    second.SetAnimation(kAnimRun, false);
    match.Script({RawForPercent(80), RawForPercent(20)});
    second.DefendPosition(guard, second.GetCurrentAnimationId(), match.teams[1]);
    EXPECT_EQ(second.defenceTarget, second.defenceHome);
    EXPECT_EQ(second.GetCurrentAnimationId(), kAnimChat);
}

// The ball's held flag and the holder's own flag are set by different rules; with the flag set and
// no holder the press treats the ball as loose instead of reading a holder that is not there.
TEST_F(Defence, ThePressTreatsAHeldBallWithoutAHolderAsLoose) {
    Tactic(18);
    match.ballInHand = true; // nobody has hasBall
    match.ballPredicted = Vec3(2, 1, -3);
    d.position = Vec3(2, 0, -4);
    Defend();
    EXPECT_EQ(d.defenceTarget, Vec3(2, 0, -3));
    EXPECT_EQ(d.chasingBall, 1);

    // No chase while a shot is up: home or a new spot.
    d.chasingBall = 0;
    match.flags.shotInFlight = 1;
    match.Script({RawForPercent(10)});
    d.defenceTarget = Vec3(1, 2, 3);
    d.needsNewSpot = 0;
    Defend();
    EXPECT_EQ(d.chasingBall, 0);
    EXPECT_EQ(d.needsNewSpot, 1);
    EXPECT_EQ(d.defenceTarget, Vec3(1, 2, 3));
}

namespace {

void StepToward(CCourtPlayer& p, float stride) {
    Vec3 to = p.walkTarget - p.position;
    const float length = to.Length();
    if (length <= stride) {
        p.position = p.walkTarget;
    } else {
        p.position += to * (stride / length);
    }
}

} // namespace

// Every shipped defence, against the shipped offence, with the ball in each attacker's hands or loose
// on the court: the five defenders' targets and steps stay on the court.
TEST(DefenceFormations, EveryDefenceKeepsItsFiveDefendersOnTheCourtWhereverTheBallIs) {
    const char* initData = "\\ini\\InitData.xml";
    ASSERT_TRUE(FileExists(initData)) << "run from the game folder";
    CMatch3D shipped;
    shipped.LoadTactics(initData);
    shipped.PlaceTeams(kHomeStartFormation, kAwayStartFormation);
    GameSrand(11);
    int awayFromSpot = 0; // defender steps spent guarding, pressing or chasing rather than at home
    for (int tactic = 10; tactic <= 19; ++tactic) {
        shipped.PlaceHomeTeam(0, 10);
        shipped.PlaceAwayTeam(0, tactic);
        ASSERT_EQ(shipped.GetAwayTeam()->defenceTactic, tactic);
        for (int ball = 0; ball < 8; ++ball) {
            FakeMatch match;
            match.flags.quarter = 1;
            match.teams[0].basketPoint = shipped.GetHomeTeam()->basketPoint;
            match.teams[1].basketPoint = shipped.GetAwayTeam()->basketPoint;
            match.teams[1].defenceTactic = tactic;
            for (int slot = 0; slot < 5; ++slot) {
                CCourtPlayer& a = match.Home(slot);
                const CCourtPlayer& placedA = *shipped.GetHomeTeam()->GetPlayer(slot);
                a.attacking = 1;
                a.attackHome = a.attackTarget = a.position = placedA.attackSpot;
                CCourtPlayer& d = match.Away(slot);
                const CCourtPlayer& placedD = *shipped.GetAwayTeam()->GetPlayer(slot);
                d.defenceHome = d.defenceTarget = d.position = placedD.defenceSpot;
                d.marking = &a;
            }
            // Balls 0-4 in an attacker's hands, 5-7 loose in three corners of the court.
            if (ball < 5) {
                match.Home(ball).hasBall = 1;
                match.ballInHand = true;
                match.ballPosition = match.ballPredicted = match.Home(ball).position;
            } else {
                match.ballInHand = false;
                const Vec3 spots[] = {Vec3(-6.5f, 0.5f, 12.5f), Vec3(6.5f, 0.5f, -12.5f), Vec3(0, 3, 0)};
                match.ballPosition = match.ballPredicted = spots[ball - 5];
            }
            for (int step = 0; step < 400; ++step) {
                // The attackers drift about their spots; the holder stands with the ball.
                for (int slot = 0; slot < 5; ++slot) {
                    CCourtPlayer& a = match.Home(slot);
                    if (!a.hasBall && a.AtAttackTarget()) {
                        a.needsNewSpot = 1;
                        a.WalkToAttackSpot();
                    }
                    StepToward(a, 0.05f);
                }
                for (int slot = 0; slot < 5; ++slot) {
                    CCourtPlayer& d = match.Away(slot);
                    d.Think(0.02);
                    StepToward(d, 0.08f);
                    ASSERT_TRUE(match.IsInsideCourt(d.defenceTarget.x, 0, d.defenceTarget.z))
                        << "tactic " << tactic << " ball " << ball << " defender " << slot << " step "
                        << step;
                    ASSERT_TRUE(match.IsInsideCourt(d.position.x, 0, d.position.z));
                    if (Vec3Distance(d.defenceTarget, d.defenceHome) > 2.9f) {
                        ++awayFromSpot;
                    }
                }
            }
        }
    }
    EXPECT_GT(awayFromSpot, 1000);
}

TEST_F(Defence, TheDefenderNearestTheHolderStepsUpWithinReachInTheHalfHeDefends) {
    Tactic(10);
    GiveBall(man, kAnimWalkDribble);
    man.position = Vec3(1.0f, 0, -3.0f); // in the away side's half, 7 m out
    d.position = Vec3(4.0f, 0, -5.0f);
    d.ThinkDefault();
    // Between the holder and the basket, within reach of the ball, whatever the zone's spot.
    EXPECT_LT(Vec3Distance(d.defenceTarget, man.position), CMatch3D::kDribbleReach);
    EXPECT_LT(Vec3Distance(d.defenceTarget, Vec3(0, 0, -10)), Vec3Distance(man.position, Vec3(0, 0, -10)));

    // A team-mate nearer the holder takes him; this one goes back to his own job.
    CCourtPlayer& mate = match.Away(1);
    mate.position = man.position + Vec3(1.5f, 0, 0);
    d.defenceTarget = d.position;
    d.ThinkDefault();
    EXPECT_GT(Vec3Distance(d.defenceTarget, man.position), CMatch3D::kDribbleReach);

    // In his own back court the holder is met only by the pressing defence.
    mate.position = Vec3(7.0f, 0, 6.0f);
    man.position = Vec3(1.0f, 0, 3.0f);
    d.position = Vec3(2.0f, 0, 1.0f);
    d.defenceTarget = d.defenceHome;
    d.ThinkDefault();
    EXPECT_GT(Vec3Distance(d.defenceTarget, man.position), CMatch3D::kDribbleReach);
    Tactic(18);
    d.ThinkDefault();
    EXPECT_LT(Vec3Distance(d.defenceTarget, man.position), CMatch3D::kDribbleReach);
}

// A zone's marker off the ball leaves his man the same room once the man is in his part of the court:
// at 2.2 m off, inside the distance that blocks a shot, the man never shot on the catch; he faded away
// over the marker or waited for the forced shot, and his marker fouled him three times a match.
TEST_F(Defence, AZoneMarkerOffTheBallLeavesHisManRoomToShootOnTheCatch) {
    CCourtPlayer& passer = match.Home(3);
    for (const int zone : {10, 14, 17}) {
        SCOPED_TRACE(zone);
        Tactic(zone);
        d.defenceHome = Vec3(3.0f, 0, -3.0f); // 7.6 m out: the man is inside his part
        passer.hasBall = 1;
        man.hasBall = 0;
        GiveBall(passer, kAnimIdleBall);
        man.position = Vec3(2.0f, 0, -5.0f); // 5.4 m from the basket: in range
        d.position = Vec3(6.0f, 0, -2.0f);
        d.UpdateDefenceTarget(zone);
        EXPECT_LT(Vec3Distance(d.defenceTarget, Vec3(0, 0, -10)),
                  Vec3Distance(man.position, Vec3(0, 0, -10)));
        d.position = d.defenceTarget;
        d.SetAnimation(kAnimDefence, false);
        match.Script({RawForPercent(50)});
        Defend();
        EXPECT_LT(Vec3Distance(d.defenceTarget, d.position), 0.01f) << "at his man's gap he holds";

        passer.hasBall = 0;
        GiveBall(man, kAnimIdleBall);
        man.attacking = 1;
        man.shotTaken = 0;
        match.defenderAhead = true;
        match.shotClock = 5.0;
        man.ThinkBallAtTarget(match.teams[0]);
        EXPECT_EQ(man.shotTaken, 1);
    }
}

// Off the ball a man-to-man marker runs to his man's basket side, far enough off him that the man,
// passed the ball in range, shoots at once; at 1.5 m off nobody was ever open and the holder waited
// for the forced shot late in the shot clock. Once there, the marker holds.
TEST_F(Defence, AManToManMarkerOffTheBallLeavesHisManRoomToShootOnTheCatch) {
    Tactic(13);
    CCourtPlayer& passer = match.Home(3);
    GiveBall(passer, kAnimIdleBall);
    man.position = Vec3(2.0f, 0, -5.0f); // 5.4 m from the basket: in range
    d.position = Vec3(6.0f, 0, -2.0f);
    d.UpdateDefenceTarget(13);
    EXPECT_LT(Vec3Distance(d.defenceTarget, Vec3(0, 0, -10)), Vec3Distance(man.position, Vec3(0, 0, -10)));
    d.position = d.defenceTarget;
    d.SetAnimation(kAnimDefence, false);
    match.Script({RawForPercent(50)});
    Defend();
    EXPECT_EQ(d.defenceTarget, d.position) << "at his man's gap he holds";

    passer.hasBall = 0;
    GiveBall(man, kAnimIdleBall);
    man.attacking = 1;
    match.defenderAhead = true;
    match.shotClock = 5.0;
    man.ThinkBallAtTarget(match.teams[0]);
    EXPECT_EQ(man.shotTaken, 1);
}

// While a shot is in the air a man-to-man marker boxes out: whether running or standing at his man's
// gap, he goes to the basket side, at most kBoxOutDepth from the basket, as the zone's back line
// stands. Holding his gap off a man out on the floor, he left the attackers a quarter and more of
// their misses. Before the shot, and off a man already near the basket, nothing changes.
TEST_F(Defence, AManToManMarkerBoxesOutWhileTheShotIsInTheAir) {
    Tactic(13);
    const Vec3 basket(0, 0, -10);
    CCourtPlayer& shooter = match.Home(3);
    CCourtPlayer& underTheBasket = match.Away(1);
    underTheBasket.position = Vec3(0.5f, 0, -9.5f); // nearer the ball than he is: nobody sends him to it
    match.ballPredicted = Vec3(0, 3.0f, -9.6f);
    man.position = Vec3(0, 0, -2.0f); // 8 m out
    const Vec3 atHisGap(0, 0, -2.0f - CCourtPlayer::kManMarkingGap);
    auto shotUp = [&](bool inAir) {
        match.flags.shotInFlight = inAir ? 1 : 0;
        match.ballInHand = !inAir;
        shooter.hasBall = inAir ? 0 : 1;
    };

    shotUp(false);
    d.position = Vec3(6.0f, 0, -2.0f);
    d.UpdateDefenceTarget(13);
    EXPECT_NEAR(Vec3Distance(d.defenceTarget, atHisGap), 0.0f, 0.01f) << "before the shot: his gap";
    d.position = atHisGap;
    d.defenceTarget = atHisGap;
    d.SetAnimation(kAnimDefence, false);
    match.Script({RawForPercent(50)});
    Defend();
    EXPECT_EQ(d.defenceTarget, atHisGap) << "before the shot he holds at his gap";

    shotUp(true);
    for (const bool running : {true, false}) {
        SCOPED_TRACE(running ? "running to his man" : "standing at his gap");
        d.position = running ? Vec3(6.0f, 0, -2.0f) : atHisGap;
        d.defenceTarget = d.position;
        d.SetAnimation(kAnimDefence, false);
        match.Script({RawForPercent(50)});
        if (running)
            d.UpdateDefenceTarget(13);
        else
            Defend();
        EXPECT_NEAR(Vec3Distance(d.defenceTarget, basket), CCourtPlayer::kBoxOutDepth, 0.01f);
        EXPECT_NEAR(d.defenceTarget.x, 0.0f, 0.01f) << "between his man and the basket";
    }

    // A man already near the basket is marked at the gap, as before the shot.
    man.position = Vec3(0, 0, -6.5f);
    d.position = Vec3(6.0f, 0, -2.0f);
    d.UpdateDefenceTarget(13);
    EXPECT_NEAR(Vec3Distance(d.defenceTarget, basket), 3.5f - CCourtPlayer::kManMarkingGap, 0.01f);
}
