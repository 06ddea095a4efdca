// The 3D match's rules on a match without a scene: out of bounds and the inbound, fouls, shots
// scored by distance, the free-throw series, the quarter end and the pass target.
#include "engine/GameRand.h"
#include "match/Formation.h"
#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class Rules : public ::testing::Test {
protected:
    void SetUp() override {
        GameSrand(46);
        m.CreateHeadlessBall();
        m.display = &display;
        m.textSource = [](int id) { return CStr::Formatted("<%d>", id); };
        for (int side = 0; side < 2; ++side) {
            CMatchTeam& team = *m.Team(side);
            for (int i = 0; i < team.GetCount(); ++i) {
                CCourtPlayer& p = *team.GetPlayer(i);
                p.playerId = (side == 0 ? 100 : 200) + i;
                std::snprintf(p.name, sizeof p.name, "%c%d", side == 0 ? 'H' : 'A', i);
                p.courtPositionId = kPositionCentre + i;
                p.stamina = p.staminaMax = 100.0f;
                // A steal rating that clears the steal die's lowest face: on the empty tables every
                // reach for the ball wins.
                p.attributes[14] = static_cast<int>((kStealDieWeight - 1.0f) * kStealDieFrom) + 1;
                p.position = Vec3(-6.0f + 3.0f * static_cast<float>(i % 5), 0.0f, side == 0 ? -2.0f : 2.0f);
            }
        }
        m.homeTeam->basketPoint = Vec3(0, 0, 12.13f);
        m.homeTeam->attackedBasketPoint = Vec3(0, 0, -12.13f);
        m.awayTeam->basketPoint = Vec3(0, 0, -12.13f);
        m.awayTeam->attackedBasketPoint = Vec3(0, 0, 12.13f);
        m.flags.quarter = 1;
        m.SetHomeAttacking(true);
        m.SetAwayAttacking(false);
    }
    CCourtPlayer& Home(int i) { return *m.homeTeam->GetPlayer(i); }
    CCourtPlayer& Away(int i) { return *m.awayTeam->GetPlayer(i); }
    // The computer coaches the sides given (the others are the user's), five on court and the
    // rest of each of its rosters on the bench.
    void ComputerCoaches(bool home, bool away) {
        m.homeTeam->isUserTeam = home ? 0 : 1;
        m.awayTeam->isUserTeam = away ? 0 : 1;
        for (int side = 0; side < 2; ++side) {
            if (side == 0 ? !home : !away)
                continue;
            for (int i = 0; i < m.Team(side)->GetCount(); ++i) {
                m.Team(side)->GetPlayer(i)->matchState = i < 5 ? kMatchStateOnCourt : kMatchStateOnBench;
            }
        }
    }
    void Give(CCourtPlayer& p) {
        p.hasBall = 1;
        m.ball->SetHeld(true);
        const Vec3 hand = p.GetHandBallPosition(0);
        m.ball->SetPosition(hand.x, hand.y, hand.z);
    }
    // Home's second player rises to shoot from distance metres out in front of the basket, nobody
    // near him; his rating at skill clears even the shot die's lowest face on the empty tables.
    CCourtPlayer& OpenShooter(int skill, float distance) {
        CCourtPlayer& shooter = Home(1);
        shooter.height = 200;
        shooter.attributes[skill] = static_cast<int>((kShotDieWeight - 1.0f) * kShotDieMean) + 1;
        for (int i = 0; i < 5; ++i) {
            Away(i).position = Vec3(7.0f, 0.0f, 10.0f);
        }
        shooter.position = Vec3(0.0f, 0.0f, -12.13f + distance);
        shooter.walkTarget = shooter.position;
        Give(shooter);
        shooter.SetAnimation(kAnimShot, true);
        m.flags.shooter = &shooter;
        return shooter;
    }
    // The holder carries the ball to a point over the line: a held ball is out with its holder.
    void CarryOut(float x, float y, float z) {
        if (CCourtPlayer* holder = m.BallHolder())
            holder->position = Vec3(x, 0.0f, z);
        m.ball->SetPosition(x, y, z);
    }
    // The ball reaches a point and the rules see what it touched.
    void BallAt(float x, float y, float z) {
        m.ball->SetHeld(false);
        m.ball->SetPosition(x, y, z);
        m.ball->CollideHoop();
        m.ResolveShot();
    }

    CMatch3D m;
    CHeadlessDisplay display;
};

TEST_F(Rules, BallOverTheSidelineGivesTheOtherSideAnInbound) {
    Give(Home(2));
    display.clock.shotClock = 12.0;
    CarryOut(7.6f, 1.0f, 3.0f);
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.inbound, 1);
    EXPECT_TRUE(Away(0).attacking);
    EXPECT_FALSE(Home(0).attacking);
    EXPECT_EQ(Home(2).hasBall, 0);
    ASSERT_NE(m.flags.inbounder, nullptr);
    ASSERT_NE(m.inboundReceiver, nullptr);
    EXPECT_NE(m.flags.inbounder, m.inboundReceiver);
    EXPECT_EQ(m.flags.inbounder->side, 1);
    EXPECT_EQ(m.inboundReceiver->side, 1);
    EXPECT_FLOAT_EQ(m.flags.inbounder->attackTarget.x, 7.5f);
    EXPECT_FLOAT_EQ(m.flags.inbounder->attackTarget.z, 3.0f);
    EXPECT_LT(m.inboundReceiver->attackTarget.x, 7.5f) << "the receiver waits on the court";
    EXPECT_FALSE(m.ball->IsHeld());
    EXPECT_EQ(display.clock.shotClock, 0.0);
    // While the inbound runs, a ball still outside changes nothing.
    CCourtPlayer* inbounder = m.flags.inbounder;
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.inbounder, inbounder);
}

TEST_F(Rules, AHeldBallIsOutOnlyWithTheHolder) {
    // Dribbling along the end line, his feet inside: the hand swings the ball over the line.
    CCourtPlayer& holder = Home(2);
    holder.position = Vec3(3.0f, 0.0f, m.courtMinZ + 0.4f);
    Give(holder);
    m.ball->SetPosition(3.0f, 1.0f, m.courtMinZ - 0.1f);
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.inbound, 0) << "play on";
    EXPECT_TRUE(Home(0).attacking);
    EXPECT_EQ(holder.hasBall, 1);
    EXPECT_TRUE(display.lines.empty());
    // He steps over the line with it: out, and the other side's ball.
    holder.position = Vec3(3.0f, 0.0f, m.courtMinZ - 0.2f);
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.inbound, 1);
    EXPECT_TRUE(Away(0).attacking);
    EXPECT_EQ(holder.hasBall, 0);
    // A loose ball over the line is out wherever the players stand.
    m.flags.inbound = 0;
    m.ball->SetPosition(0, 1, 0);
    int32_t side = 0;
    m.ball->CheckOut(side);
    Give(Away(1));
    m.ball->SetHeld(false);
    Away(1).hasBall = 0;
    m.ball->SetPosition(m.courtMaxX + 0.1f, 1.0f, 2.0f);
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.inbound, 1);
    EXPECT_TRUE(Home(0).attacking);
}

TEST_F(Rules, ABallLostOutOfBoundsIsSaidButNotOneTheRulesPutOut) {
    Give(Home(2));
    CarryOut(-7.6f, 1.0f, 3.0f);
    m.HandleOutOfBounds();
    ASSERT_FALSE(display.lines.empty());
    EXPECT_EQ(display.lines.back(), "Home: <500036>") << "the side that lost it";
    ASSERT_TRUE(Away(0).attacking);

    // After the last free throw the ball lies behind the end line for the other side: no ball lost.
    m.flags.inbound = 0;
    m.flags.freeThrows = 1;
    m.freeThrowsTaken = 1;
    m.flags.shooter = &Away(0);
    Away(0).shotScores = 1;
    Give(Away(0));
    BallAt(0.0f, 3.0f, 12.15f);
    ASSERT_EQ(m.flags.freeThrows, 0);
    const size_t lines = display.lines.size();
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.inbound, 1);
    EXPECT_TRUE(Home(0).attacking);
    EXPECT_EQ(display.lines.size(), lines);
}

TEST_F(Rules, TheClockStopsForAThrowInButRunsOnAfterABasket) {
    // The ball out over the sideline: the clock waits until the throw-in is on the court.
    Give(Home(2));
    CarryOut(7.6f, 1.0f, 3.0f);
    m.HandleOutOfBounds();
    ASSERT_EQ(m.flags.inbound, 1);
    m.Tick(0.02f);
    EXPECT_EQ(m.positioningWait, 1);
    // A field goal: the other side takes it out on the running clock.
    m.flags.inbound = 0;
    m.flags.lastPasser = &Away(1); // his shot on its way
    m.ball->SetPosition(0, 1, 0);
    int32_t side = 0;
    m.ball->CheckOut(side);
    m.Tick(0.02f);
    EXPECT_EQ(m.positioningWait, 0);
    CCourtPlayer& shooter = Away(1);
    shooter.shotScores = 1;
    m.flags.shooter = &shooter;
    m.flags.shotSpot = Vec3(0.0f, 0.0f, 8.0f);
    BallAt(0.1f, 3.0f, 12.1f);
    ASSERT_EQ(m.awayScore, 2);
    m.HandleOutOfBounds();
    ASSERT_EQ(m.flags.inbound, 1);
    m.Tick(0.02f);
    EXPECT_EQ(m.positioningWait, 0);
    // The next ball out stops the clock again.
    m.flags.inbound = 0;
    m.ball->SetPosition(0, 1, 0);
    m.ball->CheckOut(side);
    Give(Home(3));
    CarryOut(-7.8f, 1.0f, -4.0f);
    m.HandleOutOfBounds();
    ASSERT_EQ(m.flags.inbound, 1);
    m.Tick(0.02f);
    EXPECT_EQ(m.positioningWait, 1);
}

TEST_F(Rules, TheInbounderMayStepBeyondTheLineToTakeTheBallOut) {
    // Running along the sideline to a throw-in spot on the line, his steps lean out of the court.
    Give(Home(2));
    CarryOut(m.courtMinX - 0.05f, 1.0f, -2.0f);
    m.HandleOutOfBounds();
    ASSERT_EQ(m.flags.inbound, 1);
    CCourtPlayer* inbounder = m.flags.inbounder;
    ASSERT_NE(inbounder, nullptr);
    CCourtPlayer* other = inbounder == &Away(0) ? &Away(1) : &Away(0);
    for (CCourtPlayer* p : {inbounder, other}) {
        p->position = Vec3(m.courtMinX + 0.005f, 0.0f, -10.0f);
        p->facing = Vec3(-0.07f, 0.0f, 1.0f);
        p->facing.Normalize();
        for (int frame = 0; frame < 50; ++frame) {
            p->Move(kGaitRun, 0.02);
        }
    }
    EXPECT_GT(inbounder->position.z, -6.0f) << "he gets to the spot";
    EXPECT_FLOAT_EQ(other->position.z, -10.0f) << "nobody else leaves the court";
}

TEST_F(Rules, APlayerLeftBeyondTheLineWalksBackIn) {
    // The inbounder after his throw, and a substitute who came on where the other walked off, stand
    // outside with play going on. Held there, one with the ball stood until the quarter's end and
    // his free throws, a change waiting for a dead ball and the match waited with him.
    m.flags.inbound = 0;
    m.flags.inbounder = nullptr;
    CCourtPlayer& beyondSide = Home(1);
    beyondSide.position = Vec3(m.courtMaxX + 0.25f, 0.0f, 0.3f);
    beyondSide.facing = Vec3(-0.55f, 0.0f, -0.83f);
    beyondSide.facing.Normalize();
    CCourtPlayer& beyondEnd = Home(2);
    beyondEnd.position = Vec3(-2.0f, 0.0f, m.courtMinZ - 0.3f);
    beyondEnd.facing = Vec3(0.3f, 0.0f, 1.0f);
    beyondEnd.facing.Normalize();
    for (int frame = 0; frame < 50; ++frame) {
        beyondSide.Move(kGaitWalk, 0.02);
        beyondEnd.Move(kGaitDribbleRun, 0.02);
    }
    EXPECT_TRUE(m.IsInCourt(beyondSide.position.x, 0.0f, beyondSide.position.z));
    EXPECT_TRUE(m.IsInCourt(beyondEnd.position.x, 0.0f, beyondEnd.position.z)) << "with the ball too";

    // Outside, he still may not wander along the line or farther out; inside, nobody steps out.
    CCourtPlayer& along = Home(3);
    along.position = Vec3(m.courtMaxX + 0.25f, 0.0f, 0.0f);
    along.facing = Vec3(0.0f, 0.0f, 1.0f);
    CCourtPlayer& out = Home(4);
    out.position = Vec3(m.courtMaxX - 0.01f, 0.0f, 0.0f);
    out.facing = Vec3(1.0f, 0.0f, 0.0f);
    for (int frame = 0; frame < 50; ++frame) {
        along.Move(kGaitRun, 0.02);
        out.Move(kGaitRun, 0.02);
    }
    EXPECT_FLOAT_EQ(along.position.z, 0.0f);
    EXPECT_FLOAT_EQ(out.position.x, m.courtMaxX - 0.01f);
}

TEST_F(Rules, FivePlayersWithOneIdStillGiveTwoInbounders) {
    // Short rosters fill the empty slots with copies of one default player.
    for (int round = 0; round < 50; ++round) {
        for (int i = 0; i < 5; ++i) {
            Away(i).playerId = 0;
            Home(i).playerId = 0;
        }
        m.flags.inbound = 0;
        m.SetHomeAttacking(round % 2 == 0);
        m.SetAwayAttacking(round % 2 != 0);
        m.ball->SetPosition(0.0f, 1.0f, 0.0f);
        int32_t side = 0;
        m.ball->CheckOut(side); // back inside
        m.ball->SetPosition(-7.8f, 1.0f, -4.0f);
        m.HandleOutOfBounds();
        ASSERT_EQ(m.flags.inbound, 1);
        ASSERT_NE(m.flags.inbounder, nullptr);
        EXPECT_NE(m.flags.inbounder, m.inboundReceiver);
    }
}

TEST_F(Rules, ThreePointsFromTheDistanceBehindTheEndLine) {
    CCourtPlayer& shooter = Home(1);
    shooter.shotScores = 1;
    m.flags.shooter = &shooter;
    const float endZ = m.courtMinZ - 0.01f;
    m.flags.shotSpot = Vec3(0.0f, 0.0f, endZ + 7.95f);
    BallAt(0.0f, 3.0f, -12.15f);
    EXPECT_EQ(m.homeScore, 3);
    EXPECT_EQ(m.homeTeam->score, 3);
    EXPECT_EQ(shooter.threePointersMade, 1);
    EXPECT_EQ(shooter.pointsFromThrees, 3);
    ASSERT_FALSE(display.lines.empty());
    EXPECT_EQ(display.lines.back(), "Home: H1 <500006>");
    // The ball lies behind the end line: the other side inbounds next.
    EXPECT_LT(m.ball->GetPosition().z, m.courtMinZ);
    m.HandleOutOfBounds();
    EXPECT_TRUE(Away(0).attacking);
    EXPECT_EQ(m.flags.inbound, 1);

    // Just inside the distance it is two.
    m.flags.inbound = 0;
    m.ball->SetPosition(0, 1, 0);
    int32_t side = 0;
    m.ball->CheckOut(side);
    m.flags.shooter = &Away(3);
    Away(3).shotScores = 1;
    m.flags.shotSpot = Vec3(0.0f, 0.0f, m.courtMaxZ + 0.01f - 7.9f);
    BallAt(0.1f, 3.0f, 12.1f);
    EXPECT_EQ(m.awayScore, 2);
    EXPECT_EQ(Away(3).twoPointersMade, 1);
    EXPECT_EQ(Away(3).pointsFromTwos, 2);
    EXPECT_EQ(display.lines.back(), "Away: A3 <500002>");
}

TEST_F(Rules, EveryBasketLandsOnAnAttemptOfItsKind) {
    // From the wing, 6.4 m from the basket but inside the arc: checked and scored as two.
    CCourtPlayer& shooter = Home(1);
    shooter.position = Vec3(6.0f, 0.0f, -10.0f);
    ASSERT_FALSE(shooter.BeyondArc(shooter.position));
    shooter.ShotCheck();
    shooter.shotScores = 1; // the roll went in
    m.flags.shooter = &shooter;
    m.flags.shotSpot = shooter.position;
    BallAt(0.0f, 3.0f, -12.15f);
    EXPECT_EQ(m.homeScore, 2);
    EXPECT_EQ(shooter.twoPointersMade, 1);
    EXPECT_EQ(shooter.twoPointAttempts, 1);
    EXPECT_EQ(shooter.threePointAttempts, 0);

    // A basket, then the ball drops in again with no new shot: that basket brings its own attempt.
    shooter.position = Vec3(0.0f, 0.0f, -8.0f);
    shooter.ShotCheck();
    shooter.shotScores = 1;
    m.flags.shooter = &shooter;
    m.flags.shotSpot = shooter.position;
    BallAt(0.0f, 3.0f, -12.15f);
    m.flags.shooter = &shooter;
    BallAt(0.0f, 3.0f, -12.15f);
    EXPECT_EQ(shooter.twoPointersMade, 3);
    EXPECT_EQ(shooter.twoPointAttempts, 3);
    EXPECT_EQ(m.homeTeam->TotalTwoPointersMade(), m.homeTeam->TotalTwoPointAttempts());
}

TEST_F(Rules, TheSubstitutionPhaseEndsOnceThePlayerCalledOffIsGone) {
    m.flags.substitutionPhase = 1;
    // Still walking off: play waits.
    Away(2).inSubstitution = 1;
    m.Tick(0.02f);
    EXPECT_EQ(m.flags.substitutionPhase, 1);
    // Swapped: the newcomer carries the flag with his came-on mark, and play resumes.
    Away(2).cameOn = 1;
    m.Tick(0.02f);
    EXPECT_EQ(m.flags.substitutionPhase, 0);
    EXPECT_EQ(Away(2).inSubstitution, 0);
    EXPECT_EQ(Away(2).cameOn, 0);
}

TEST_F(Rules, OnlyACreditedShotScores) {
    // A loose ball nobody shot drops through the rim: no points, the ball falls on.
    m.flags.shooter = nullptr;
    m.flags.shotSpot = Vec3(0.0f, 0.0f, 10.0f);
    m.ball->SetHeld(false);
    m.ball->SetPosition(0.0f, 3.2f, 12.15f);
    m.ball->SetDirection(0, 0, 0);
    m.ball->SetSpeed(0.0f);
    for (int i = 0; i < 20; ++i) {
        m.ball->Update(0.02f);
        m.ResolveShot();
    }
    EXPECT_LT(m.ball->GetPosition().y, 2.9f) << "it fell through the rim window";
    EXPECT_EQ(m.awayScore, 0);
    EXPECT_EQ(m.awayTeam->score, 0);
    // The same through the rim's part of the board.
    BallAt(0.0f, 3.0f, 12.3f);
    EXPECT_EQ(m.awayScore, 0);

    // A made roll of the side that does not attack this basket is nobody's basket either.
    Home(1).shotScores = 1;
    m.flags.shooter = &Home(1);
    BallAt(0.0f, 3.0f, 12.15f);
    EXPECT_EQ(m.awayScore, 0);
    EXPECT_EQ(m.homeScore, 0);
    EXPECT_EQ(Home(1).twoPointersMade, 0);
}

TEST_F(Rules, FreeThrowSeriesEndsAfterTheSecondThrowWhateverHappens) {
    CCourtPlayer& shooter = Home(0);
    auto start = [&](bool made) {
        m.flags.freeThrows = 1;
        m.freeThrowsTaken = 0;
        m.flags.shooter = &shooter;
        shooter.shotScores = made ? 1 : 0;
        Give(shooter);
    };
    // Made, made.
    start(true);
    BallAt(0.0f, 3.0f, -12.15f);
    EXPECT_EQ(m.flags.freeThrows, 1);
    EXPECT_EQ(shooter.hasBall, 1) << "the shooter gets the ball back";
    EXPECT_TRUE(m.ball->IsHeld());
    BallAt(0.0f, 3.0f, -12.15f);
    EXPECT_EQ(m.flags.freeThrows, 0);
    EXPECT_EQ(m.freeThrowsTaken, 0);
    EXPECT_EQ(m.homeScore, 2);
    EXPECT_EQ(shooter.freeThrowsMade, 2);
    EXPECT_EQ(shooter.hasBall, 0);
    EXPECT_EQ(display.lines.back(), "Home: H0 <500004>");

    // Missed off the board twice.
    start(false);
    BallAt(0.6f, 3.5f, -12.3f);
    EXPECT_EQ(m.flags.freeThrows, 1);
    EXPECT_EQ(display.lines.back(), "Home: H0 <500005>");
    EXPECT_EQ(shooter.hasBall, 1);
    BallAt(0.6f, 3.5f, -12.3f);
    EXPECT_EQ(m.flags.freeThrows, 0);
    EXPECT_EQ(m.homeScore, 2);
    EXPECT_EQ(shooter.freeThrowsAttempted, 4);

    // Out of the court twice.
    start(false);
    m.flags.shotInFlight = 0;
    int32_t side = 0;
    m.ball->SetPosition(0.0f, 1.0f, -14.5f);
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.freeThrows, 1);
    EXPECT_EQ(shooter.hasBall, 1);
    m.ball->SetPosition(0.0f, 1.0f, 0.0f);
    m.ball->CheckOut(side);
    m.ball->SetPosition(3.0f, 1.0f, -14.5f);
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.freeThrows, 0);
    EXPECT_EQ(shooter.freeThrowsAttempted, 6);
    // The next tick finds the ball out behind the end line and the opponents inbound.
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.inbound, 1);
    EXPECT_TRUE(Away(0).attacking);
}

TEST_F(Rules, TeamFoulsDecideBetweenInboundAndFreeThrows) {
    // Four team fouls of the home side this quarter: the next is answered by a side inbound for
    // the fouled side, which keeps the ball.
    m.quarterFouls[0] = 3;
    Give(Away(2));
    m.SetHomeAttacking(false);
    m.SetAwayAttacking(true);
    Away(2).hasBall = 1;
    m.flags.stealer = &Home(4);
    m.flags.foulPending = 1;
    m.foulSpot = Vec3(1.0f, 0.0f, 5.0f);
    m.HandleFouls();
    EXPECT_EQ(m.flags.foulPending, 0);
    EXPECT_EQ(m.flags.freeThrows, 0);
    EXPECT_EQ(Home(4).personalFouls, 1);
    EXPECT_EQ(Home(4).foulsCharged, 1);
    EXPECT_EQ(Home(4).foulsInAttack, 0) << "a defender's foul";
    EXPECT_EQ(m.homeTeamFouls, 1);
    EXPECT_EQ(m.quarterFouls[0], 4);
    EXPECT_FLOAT_EQ(m.ball->GetPosition().x, m.courtMaxX + 0.04f);
    EXPECT_FLOAT_EQ(m.ball->GetPosition().z, 5.0f);
    EXPECT_FALSE(m.ball->IsHeld());
    EXPECT_EQ(Away(2).hasBall, 0);
    EXPECT_EQ(display.lines.back(), "Home: H4 <500001>");
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.inbound, 1);
    EXPECT_TRUE(Away(0).attacking) << "the fouled side takes the ball out";
    EXPECT_FALSE(Home(0).attacking);
    EXPECT_EQ(m.flags.inbounder->side, 1);

    // The fifth of the quarter gives two free throws to the fouled holder, and every foul is in
    // the box score.
    m.flags.inbound = 0;
    m.flags.inbounder = nullptr;
    Give(Away(2));
    m.flags.stealer = &Home(0);
    m.flags.foulPending = 1;
    m.HandleFouls();
    EXPECT_EQ(m.flags.freeThrows, 1);
    EXPECT_EQ(m.freeThrowsTaken, 0);
    EXPECT_EQ(m.flags.shooter, &Away(2));
    EXPECT_EQ(Away(2).hasBall, 1);
    EXPECT_EQ(Home(0).foulsCharged, 1);
    EXPECT_TRUE(Away(0).attacking);
    EXPECT_FALSE(Home(0).attacking);
    EXPECT_TRUE(m.ball->IsHeld());
    // The away side attacks +z: its shooter takes entry 5, the home defenders entries 0-3.
    EXPECT_EQ(Away(2).attackTarget, m.freeThrowSpots[5].attack);
    EXPECT_EQ(Home(0).defenceTarget, m.freeThrowSpots[0].defence);
    EXPECT_EQ(Home(3).defenceTarget, m.freeThrowSpots[3].defence);

    // A new quarter counts from nothing.
    m.EndQuarter();
    EXPECT_EQ(m.quarterFouls[0], 0);
}

TEST_F(Rules, AFoulOnAShotGivesTwoFreeThrowsWithoutTheBonus) {
    Give(Home(1));
    Home(1).position = Vec3(0.0f, 0.0f, -8.0f);
    Away(1).position = Vec3(0.5f, 0.0f, -9.0f);
    // A failed challenge and a foul face on the second die.
    for (const float band : {0.0f, 0.5f, 1.0f, 1.5f, 2.0f})
        m.ballStealth.AddPoint(band, 40.0f);
    CCourtPlayer& defender = Away(1);
    bool fouled = false;
    for (int seed = 0; seed < 200 && !fouled; ++seed) {
        GameSrand(static_cast<unsigned>(seed));
        fouled = m.FoulShooter(Home(1));
    }
    ASSERT_TRUE(fouled) << "some challenges foul";
    EXPECT_EQ(m.flags.stealer, &defender);
    m.HandleFouls();
    EXPECT_EQ(m.flags.freeThrows, 1);
    EXPECT_EQ(m.flags.shooter, &Home(1));
    EXPECT_EQ(defender.foulsCharged, 1);
    EXPECT_EQ(m.quarterFouls[1], 1);
    EXPECT_EQ(m.shootingFoul, 0);
    // Nobody challenges from beyond reach.
    m.flags.freeThrows = 0;
    Away(1).position = Vec3(5.0f, 0.0f, -2.0f);
    for (int i = 0; i < 5; ++i) {
        Away(i).position.x += 6.0f;
    }
    for (int seed = 0; seed < 200; ++seed) {
        GameSrand(static_cast<unsigned>(seed));
        ASSERT_FALSE(m.FoulShooter(Home(1)));
    }
}

TEST_F(Rules, APassTakenByATeamMateIsACatchAndByAnOpponentASteal) {
    // Home 0 has let the pass go; it flies past the man it was meant for, into another team-mate's
    // reach: a catch, no ball won.
    Home(0).position = Vec3(0.0f, 0.0f, 0.0f);
    Home(1).position = Vec3(3.0f, 0.0f, 0.0f);
    Home(2).awaitingPass = 1;
    m.flags.lastPasser = &Home(0);
    m.ball->SetHeld(false);
    m.ball->SetPosition(3.2f, 1.0f, 0.0f);
    const size_t lines = display.lines.size();
    m.HandleLooseBall();
    EXPECT_EQ(Home(1).hasBall, 1);
    EXPECT_TRUE(m.ball->IsHeld());
    EXPECT_EQ(Home(1).steals + Home(1).ballsWon, 0);
    EXPECT_EQ(Home(2).awaitingPass, 0);
    EXPECT_EQ(m.flags.lastPasser, nullptr);
    EXPECT_TRUE(Home(0).attacking);
    EXPECT_EQ(display.lines.size(), lines) << "no ball-won line for a catch";

    // The next pass reaches an opponent first: a steal, and his side attacks.
    Home(1).hasBall = 0;
    m.flags.lastPasser = &Home(1);
    m.ball->SetHeld(false);
    Away(3).position = Vec3(-5.0f, 0.0f, 4.0f);
    m.ball->SetPosition(-5.0f, 1.0f, 4.2f);
    m.HandleLooseBall();
    EXPECT_EQ(Away(3).hasBall, 1);
    EXPECT_EQ(Away(3).steals, 1);
    EXPECT_TRUE(Away(0).attacking);
    EXPECT_FALSE(Home(0).attacking);
    EXPECT_EQ(display.lines.back(), "Away: A3 <500000>");

    // An opponent who fails his reach lets the pass fly on and does not try again; the team-mate
    // behind him catches it.
    for (const float band : {0.0f, 0.5f, 1.0f, 1.5f, 2.0f})
        m.ballStealth.AddPoint(band, 100.0f);
    Away(3).hasBall = 0;
    m.SetHomeAttacking(true);
    m.SetAwayAttacking(false);
    m.flags.lastPasser = &Home(0);
    m.ball->SetHeld(false);
    m.ball->SetPosition(-5.0f, 1.0f, 4.2f);
    m.HandleLooseBall();
    EXPECT_EQ(Away(3).hasBall, 0);
    EXPECT_FALSE(m.ball->IsHeld());
    m.ballStealth.Clear();
    m.HandleLooseBall();
    EXPECT_EQ(Away(3).hasBall, 0) << "one try a pass";
    Home(2).position = Vec3(-5.0f, 0.0f, 4.6f);
    m.HandleLooseBall();
    EXPECT_EQ(Home(2).hasBall, 1);
    EXPECT_EQ(Away(3).steals, 1);

    // A jump ball's tap taken by the other side is won, not stolen.
    Home(2).hasBall = 0;
    Home(2).position = Vec3(3.0f, 0.0f, -2.0f);
    m.ResolveTipOff();
    m.SetHomeAttacking(true);
    m.SetAwayAttacking(false);
    m.flags.lastPasser = &Home(4);
    m.ball->SetHeld(false);
    m.ball->SetPosition(-5.0f, 1.0f, 4.2f);
    m.HandleLooseBall();
    EXPECT_EQ(Away(3).hasBall, 1);
    EXPECT_EQ(Away(3).steals, 1);
}

// A pass receiver whose side loses the ball, however it is lost, must not go on waiting for the
// pass: standing next to the new holder he took the ball from his hands, and his side kept it while
// defending - nobody attacked, the shot clock wrapped, and the match froze with the clock running.
TEST_F(Rules, AReceiverWhoseSideLostTheBallNeverTakesItFromTheNewHolder) {
    auto passOnItsWay = [this]() {
        m.SetHomeAttacking(true);
        m.SetAwayAttacking(false);
        Give(Home(1));
        Home(1).ReleasePass(&Home(3), kPassChest);
        ASSERT_EQ(Home(3).awaitingPass, 1);
    };
    // The new holder brings the ball up next to the old receiver in open play.
    auto holderPassesTheReceiver = [this](CCourtPlayer& holder) {
        m.flags.inbound = 0;
        m.flags.inbounder = nullptr;
        m.flags.lastPasser = nullptr;
        for (int i = 0; i < 5; ++i)
            Away(i).hasBall = 0;
        holder.position = Home(3).position + Vec3(0.3f, 0.0f, 0.0f);
        Give(holder);
        // The dribble's bounce, low beside the old receiver.
        const Vec3 bounce = Home(3).position + Vec3(0.3f, 0.4f, 0.0f);
        m.ball->SetPosition(bounce.x, bounce.y, bounce.z);
        for (int step = 0; step < 5; ++step)
            Home(3).Think(0.02);
        EXPECT_EQ(Home(3).hasBall, 0);
        EXPECT_EQ(holder.hasBall, 1);
        EXPECT_EQ(m.BallHolder(), &holder);
        EXPECT_TRUE(holder.attacking);
    };

    // The pass goes over the side line: the other side throws in.
    passOnItsWay();
    Home(1).hasBall = 0;
    m.ball->SetHeld(false);
    m.ball->SetPosition(7.6f, 1.0f, 3.0f);
    m.HandleOutOfBounds();
    ASSERT_EQ(m.flags.inbound, 1);
    EXPECT_EQ(Home(3).awaitingPass, 0);
    holderPassesTheReceiver(Away(2));

    // The passer is robbed before he lets go.
    passOnItsWay();
    m.flags.stealer = &Away(1);
    m.HandleSteal();
    EXPECT_EQ(Home(3).awaitingPass, 0);
    Away(1).hasBall = 0;
    holderPassesTheReceiver(Away(1));

    // A stale wait from anywhere else: still no ball out of another's hands.
    passOnItsWay();
    m.SetHomeAttacking(false);
    m.SetAwayAttacking(true);
    Home(3).awaitingPass = 1;
    holderPassesTheReceiver(Away(4));
}

// The player taking the ball out always gets it away: a feed cut off before its clip let go, or
// the ball in his hands a little off his spot, left him standing at the line with it for good.
TEST_F(Rules, TheInbounderWithTheBallAlwaysFeedsIt) {
    m.SetHomeAttacking(false);
    m.SetAwayAttacking(true);
    for (const float offSpot : {0.0f, 0.6f}) {
        for (const bool cutOff : {true, false}) {
            CCourtPlayer& in = Away(2);
            m.flags.inbound = 1;
            m.flags.inbounder = &in;
            m.flags.lastPasser = nullptr;
            in.position = Vec3(7.4f, 0.0f, 3.0f);
            in.attackTarget = in.position + Vec3(0.0f, 0.0f, offSpot);
            in.holdSpot = 1;
            in.passing = cutOff ? 1 : 0;
            in.passTarget = nullptr;
            Give(in);
            in.SetAnimation(kAnimIdleBall, false);
            for (int step = 0; step < 300 && m.flags.lastPasser == nullptr; ++step) {
                in.releaseReached = 1;
                in.Think(0.02);
            }
            EXPECT_EQ(m.flags.lastPasser, &in)
                << "off his spot by " << offSpot << (cutOff ? ", feed cut off" : "");
            EXPECT_EQ(in.GetCurrentAnimationId(), kAnimPassChest);
            in.SetAnimation(kAnimIdle, false);
        }
    }
}

// A player marked as waiting for a pass who comes by the ball another way (a rebound, say) plays
// with it: he used to stand looking for the pass with the ball in his hands, and his side never shot.
TEST_F(Rules, AWaitingReceiverWhoGetsTheBallPlaysWithIt) {
    Home(3).awaitingPass = 1;
    Home(3).position = Vec3(1.0f, 0.0f, -9.0f);
    m.flags.shotInFlight = 1;
    m.ball->SetHeld(false);
    m.ball->SetPosition(1.0f, 1.3f, -9.0f);
    m.HandleLooseBall();
    ASSERT_EQ(Home(3).hasBall, 1);
    EXPECT_EQ(Home(3).awaitingPass, 0);

    // Still marked, with the ball up in his hands: the catch is made.
    Home(3).awaitingPass = 1;
    Give(Home(3));
    m.ball->SetPosition(1.0f, 1.3f, -9.0f);
    Home(3).Think(0.02);
    EXPECT_EQ(Home(3).awaitingPass, 0);
    EXPECT_EQ(Home(3).hasBall, 1);
}

// A ball lying on the court that nobody let go of is anybody's: the players went for a released
// ball only, and this one lay there while the clock ran and the change waiting for a dead ball waited.
TEST_F(Rules, ABallNobodyLetGoOfIsTakenUp) {
    m.flags.lastPasser = nullptr;
    m.flags.shotInFlight = 0;
    m.ball->SetHeld(false);
    m.ball->SetLoose(true);
    m.ball->SetPosition(-3.0f, 0.2f, 2.0f);
    Away(1).position = Vec3(-3.0f, 0.0f, 2.2f);
    for (int step = 0; step < 5 && m.BallHolder() == nullptr; ++step)
        m.Tick(0.02f);
    EXPECT_EQ(m.BallHolder(), &Away(1));
    EXPECT_TRUE(m.ball->IsHeld());
    EXPECT_TRUE(Away(1).attacking) << "his side has the ball now";
    EXPECT_FALSE(Home(0).attacking);
    EXPECT_EQ(m.flags.shotInFlight, 0);
}

TEST_F(Rules, DefendersBoxOutAtARebound) {
    // The shooter's team-mate stands nearer the falling ball, the defender a little farther: the
    // defender has boxed him out and takes it.
    m.flags.shotInFlight = 1;
    m.ball->SetHeld(false);
    m.ball->SetPosition(0.0f, 0.95f, -10.0f);
    Home(1).position = Vec3(1.35f, 0.0f, -10.0f);
    Away(1).position = Vec3(-1.4f, 0.0f, -10.0f);
    m.HandleLooseBall();
    EXPECT_EQ(Away(1).hasBall, 1);
    EXPECT_EQ(Away(1).defensiveRebounds, 1);
    EXPECT_EQ(Home(1).offensiveRebounds, 0);
    EXPECT_TRUE(Away(0).attacking);
    // Alone at the ball the attacker takes it.
    m.SetHomeAttacking(true);
    m.SetAwayAttacking(false);
    m.flags.shotInFlight = 1;
    m.ball->SetHeld(false);
    Away(1).position = Vec3(-4.0f, 0.0f, -10.0f);
    Home(1).position = Vec3(0.5f, 0.0f, -10.0f);
    m.HandleLooseBall();
    EXPECT_EQ(Home(1).hasBall, 1);
    EXPECT_EQ(Home(1).offensiveRebounds, 1);
}

// Two men who both reach a rebound contest it on their rebound ratings, whichever side either is on:
// a far better rebounder takes every such ball, a slightly better one more than half. The reach
// contest it used read the other man's height and defence against the steal table.
TEST_F(Rules, TheBetterReboundWinsARebound) {
    const auto rebound = [this](int homeRating, int awayRating) {
        m.SetHomeAttacking(true);
        m.SetAwayAttacking(false);
        m.flags.shotInFlight = 1;
        m.ball->SetHeld(false);
        m.ball->SetPosition(0.0f, 0.95f, -10.0f);
        for (int side = 0; side < 2; ++side)
            for (int i = 0; i < m.Team(side)->GetCount(); ++i)
                m.Team(side)->GetPlayer(i)->hasBall = 0;
        Home(1).position = Vec3(0.6f, 0.0f, -10.0f);
        Away(1).position = Vec3(-1.0f, 0.0f, -10.0f); // boxed out: 0.45 m
        Home(1).attributes[2] = homeRating;
        Away(1).attributes[2] = awayRating;
        // Tall, good defenders at both: what the reach contest read.
        Home(1).height = Away(1).height = 215;
        Home(1).attributes[5] = Away(1).attributes[5] = 70;
        m.HandleLooseBall();
        return Home(1).hasBall == 1 ? 0 : Away(1).hasBall == 1 ? 1 : -1;
    };
    EXPECT_EQ(rebound(80, 40), 0) << "the attacker, the far better rebounder";
    EXPECT_EQ(rebound(40, 80), 1) << "the defender, the far better rebounder";
    int homeWins = 0;
    int awayWins = 0;
    for (int i = 0; i < 400; ++i) {
        const int taker = rebound(55, 50);
        homeWins += taker == 0 ? 1 : 0;
        awayWins += taker == 1 ? 1 : 0;
    }
    EXPECT_EQ(homeWins + awayWins, 400) << "every ball in reach of both is taken";
    EXPECT_GT(homeWins, 240) << "five points better wins more than half";
    EXPECT_GT(awayWins, 40) << "the die still gives the other man some";
    EXPECT_EQ(Home(1).offensiveRebounds + Away(1).defensiveRebounds, 402);
}

// The better five (its mean overall rating over the one its class stands for) takes a share of the
// rebounds the other side's man reaches first, when its own man is going for the ball: as on the flat
// court, squads better all round win more of them whoever rebounds best. Without it a side two points
// better in every skill but the steal won by about 4 points a match in 3D, on the flat court by 17.
TEST_F(Rules, TheBetterFiveTakesAShareOfTheRebounds) {
    const auto rebound = [this](float homeOverall, float awayOverall, float attackerX) {
        m.SetHomeAttacking(true);
        m.SetAwayAttacking(false);
        m.flags.shotInFlight = 1;
        m.ball->SetHeld(false);
        m.ball->SetPosition(0.0f, 0.95f, -10.0f);
        for (int side = 0; side < 2; ++side) {
            m.Team(side)->usualRating = 60.0f;
            for (int i = 0; i < m.Team(side)->GetCount(); ++i) {
                CCourtPlayer& p = *m.Team(side)->GetPlayer(i);
                p.hasBall = 0;
                p.overall = side == 0 ? homeOverall : awayOverall;
            }
        }
        // The defender alone within the rebound's reach, the attacker a step behind him.
        Away(1).position = Vec3(-0.5f, 0.0f, -10.0f);
        Home(1).position = Vec3(attackerX, 0.0f, -10.0f);
        m.HandleLooseBall();
        return Home(1).hasBall == 1 ? 0 : Away(1).hasBall == 1 ? 1 : -1;
    };
    const auto attackerShare = [&](float homeOverall, float awayOverall, float attackerX) {
        int attacker = 0;
        for (int i = 0; i < 400; ++i) {
            const int taker = rebound(homeOverall, awayOverall, attackerX);
            EXPECT_NE(taker, -1) << "the defender in reach always takes or loses it";
            attacker += taker == 0 ? 1 : 0;
        }
        return attacker;
    };
    // Two points better: about a quarter of the defender's balls (0.13 a point).
    const int better = attackerShare(62.0f, 60.0f, 1.8f);
    EXPECT_GT(better, 70);
    EXPECT_LT(better, 140);
    // Ten points better counts as three, never more.
    const int farBetter = attackerShare(70.0f, 60.0f, 1.8f);
    EXPECT_GT(farBetter, 120);
    EXPECT_LT(farBetter, 200);
    EXPECT_EQ(attackerShare(60.0f, 60.0f, 1.8f), 0) << "like fives: the defender's every time";
    EXPECT_EQ(attackerShare(60.0f, 62.0f, 1.8f), 0) << "the defender's own five is the better";
    EXPECT_EQ(attackerShare(62.0f, 60.0f, 4.0f), 0) << "a man far off the ball takes nothing";
}

TEST_F(Rules, FoulsWithoutTheirPlayersDoNotCrash) {
    // No fouler: dropped.
    m.flags.foulPending = 1;
    m.flags.stealer = nullptr;
    m.HandleFouls();
    EXPECT_EQ(m.flags.foulPending, 0);
    // Free throws due but nobody holds the ball: a side inbound instead.
    for (int i = 0; i < 5; ++i) {
        Home(i).personalFouls = 1;
    }
    m.flags.stealer = &Home(0);
    m.flags.foulPending = 1;
    m.foulSpot = Vec3(-2.0f, 0.0f, 0.0f);
    m.HandleFouls();
    EXPECT_EQ(m.flags.freeThrows, 0);
    EXPECT_FLOAT_EQ(m.ball->GetPosition().x, m.courtMinX - 0.04f);
    // A steal and a backboard contact without anybody named change nothing.
    m.flags.stealer = nullptr;
    m.HandleSteal();
    m.flags.freeThrows = 1;
    m.flags.shooter = nullptr;
    BallAt(0.6f, 3.5f, 12.3f);
    BallAt(0.6f, 3.5f, 12.3f);
    EXPECT_EQ(m.flags.freeThrows, 0);
}

TEST_F(Rules, QuarterEndDuringFreeThrowsLeavesNothingBehind) {
    m.flags.freeThrows = 1;
    m.freeThrowsTaken = 1;
    m.flags.inbound = 1;
    m.flags.foulPending = 1;
    m.flags.shotInFlight = 1;
    m.flags.shooter = &Home(0);
    Give(Home(0));
    m.EndQuarter();
    EXPECT_EQ(m.flags.freeThrows, 0);
    EXPECT_EQ(m.freeThrowsTaken, 0);
    EXPECT_EQ(m.flags.inbound, 0);
    EXPECT_EQ(m.flags.foulPending, 0);
    EXPECT_EQ(m.flags.shotInFlight, 0);
    EXPECT_EQ(m.flags.betweenQuarters, 1);
    EXPECT_EQ(m.jumpBall, 1);
    EXPECT_EQ(Home(0).GetCurrentAnimationId(), kAnimTipOff);
    EXPECT_EQ(Away(0).GetCurrentAnimationId(), kAnimTipOff);
    EXPECT_EQ(display.lines.back(), "---------- Quarter 1 ends ----------");
    EXPECT_FLOAT_EQ(m.ball->GetPosition().y, 2.8f);
    // The tip-off of the next quarter is played out and the game goes on.
    CHeadlessMotion motion;
    for (int i = 0; i < 60 && m.jumpBall; ++i) {
        motion.Step(m, 0.02f);
    }
    EXPECT_EQ(m.jumpBall, 0);
    EXPECT_EQ(m.flags.quarter, 2);
    EXPECT_EQ(m.flags.betweenQuarters, 0);
    EXPECT_NE(Home(0).attacking, Away(0).attacking);
}

TEST_F(Rules, PassTargetIsNeverWithinOneOfTheHandler) {
    CCourtPlayer& handler = Home(0);
    handler.position = Vec3(0, 0, 0);
    for (int i = 1; i < 5; ++i) {
        Home(i).position = Vec3(0.2f * static_cast<float>(i), 0, 0.5f);
    }
    EXPECT_EQ(m.ChoosePassTarget(handler), nullptr);
    Home(3).position = Vec3(0.0f, 0.0f, -9.0f); // near the basket home attacks, far from the handler
    EXPECT_EQ(m.ChoosePassTarget(handler), &Home(3));
}

TEST_F(Rules, ASixthFoulPausesAndTheComputerTakesHimOff) {
    ComputerCoaches(true, false);
    Home(2).personalFouls = 5;
    Give(Away(1));
    m.flags.stealer = &Home(2);
    m.flags.foulPending = 1;
    m.HandleFouls();
    EXPECT_EQ(m.paused, 1);
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.flags.substitutionRequested, 1);
    EXPECT_EQ(m.flags.calledOffAuto, &Home(2));
    EXPECT_EQ(Home(2).replacement, &Home(5));
}

TEST_F(Rules, WithNoUserSideTheComputerCoachesBothSides) {
    // Two computer clubs: the visitors' tired starter is rested too, not only the home side's.
    ComputerCoaches(true, true);
    Away(3).stamina = 20.0f;
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.flags.substitutionRequested, 1);
    EXPECT_EQ(m.flags.substitutionSide, 1);
    EXPECT_EQ(m.flags.calledOffAuto, &Away(3));
    EXPECT_EQ(Away(3).replacement, &Away(5));
    // The trailing visitors switch their formation as the home side would.
    m.flags.substitutionRequested = 0;
    m.homeScore = 60;
    m.awayScore = 50;
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.formationSwitchArmed, 1);
}

TEST_F(Rules, TwoComputerSidesEachCallATiredPlayerOffForTheSameDeadBall) {
    // One side's change waiting for the ball to go out no longer keeps the other side's tired
    // player on the court for another dead ball.
    ComputerCoaches(true, true);
    Home(1).stamina = 30.0f;
    m.UpdateFormationsAndSubs();
    Away(3).stamina = 30.0f;
    Home(4).stamina = 30.0f;
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(Home(1).inSubstitution, 1);
    EXPECT_EQ(Home(4).inSubstitution, 0) << "a side makes one change at a time";
    ASSERT_EQ(Away(3).inSubstitution, 1);
    EXPECT_EQ(Away(3).replacement, &Away(5));
    EXPECT_TRUE(m.flags.IsCalledOff(&Home(1)));
    EXPECT_TRUE(m.flags.IsCalledOff(&Away(3)));

    // The ball goes out: both walk off and both substitutes come on.
    Give(Away(0));
    CarryOut(m.courtMaxX + 0.05f, 1.0f, 3.0f);
    m.HandleOutOfBounds();
    ASSERT_EQ(m.flags.substitutionPhase, 1);
    Home(1).FinishSubstitution();
    Away(3).FinishSubstitution();
    m.Tick(CMatchClock::kStep);
    EXPECT_EQ(m.flags.substitutionPhase, 0);
    EXPECT_EQ(m.flags.substitutionRequested, 0);
    EXPECT_EQ(m.homeTeam->GetPlayer(1)->playerId, 105);
    EXPECT_EQ(m.awayTeam->GetPlayer(3)->playerId, 205);

    // The next change of either side is asked for at once.
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(Home(4).inSubstitution, 1);
}

TEST_F(Rules, APlayerRestedInFoulTroubleMayComeOnAgainInTheLastQuarter) {
    // Taken off with four fouls, he sat out the match at full stamina while a starter below 35 played
    // on to exhaustion. The fouls count over the whole match now; four are trouble before the
    // fourth quarter, five from it.
    for (int i = 0; i < m.homeTeam->GetCount(); ++i) {
        CCourtPlayer& p = *m.homeTeam->GetPlayer(i);
        p.matchState = i < 5 ? kMatchStateOnCourt : kMatchStateOnBench;
        if (i >= 5)
            p.stamina = 38.0f; // resting, not yet fit to come on
    }
    CCourtPlayer& rested = *m.homeTeam->GetPlayer(5);
    rested.stamina = 90.0f;
    rested.personalFouls = 4;
    CCourtPlayer& fouledOut = *m.homeTeam->GetPlayer(6);
    fouledOut.stamina = 90.0f;
    fouledOut.personalFouls = 6;
    Home(1).stamina = 30.0f;
    Home(2).personalFouls = 3;
    ASSERT_LT(m.homeTeam->PickSubstitute(), 0) << "in foul trouble, nobody sends him on";

    ResetPlayersForBreak(m.homeTeam, m.awayTeam);
    EXPECT_EQ(rested.personalFouls, 4) << "a break keeps every player's fouls";
    EXPECT_EQ(fouledOut.personalFouls, 6) << "a player who fouled out stays out";
    EXPECT_EQ(Home(2).personalFouls, 3);
    ASSERT_LT(m.homeTeam->PickSubstitute(), 0);
    m.flags.quarter = 4;
    EXPECT_EQ(m.homeTeam->PickSubstitute(), rested.playerId);
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(Home(1).inSubstitution, 1);
    EXPECT_EQ(Home(1).replacement, &rested);
}

TEST_F(Rules, AChangeAskedForBeforeTheThrowInIsMadeBeforeIt) {
    // Called off while the ball lay dead for the throw-in, he waited for the dead ball after it,
    // a minute and more of play at times, running himself further down.
    ComputerCoaches(true, false);
    Give(Home(2));
    CarryOut(m.courtMaxX + 0.1f, 1.0f, 3.0f);
    m.HandleOutOfBounds();
    ASSERT_EQ(m.flags.inbound, 1);
    ASSERT_TRUE(Away(0).attacking);
    Home(3).stamina = 30.0f;
    m.UpdateFormationsAndSubs();
    ASSERT_EQ(m.flags.substitutionRequested, 1);
    m.HandleOutOfBounds();
    ASSERT_EQ(m.flags.substitutionPhase, 1);
    EXPECT_EQ(m.flags.inbound, 0);
    EXPECT_FLOAT_EQ(Home(3).defenceTarget.x, m.courtMaxX + 0.05f) << "he walks off";

    Home(3).FinishSubstitution();
    m.Tick(CMatchClock::kStep);
    ASSERT_EQ(m.flags.substitutionPhase, 0);
    EXPECT_EQ(m.homeTeam->GetPlayer(3)->playerId, 105);
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.inbound, 1);
    EXPECT_TRUE(Away(0).attacking) << "the side that had the throw-in still takes it";
    ASSERT_NE(m.flags.inbounder, nullptr);
    EXPECT_EQ(m.flags.inbounder->side, 1);

    // Once the ball is thrown in, a change waits for the next dead ball.
    CCourtPlayer& inbounder = *m.flags.inbounder;
    inbounder.hasBall = 1;
    m.ball->SetHeld(true);
    m.inboundThrown = 1;
    Home(4).stamina = 30.0f;
    m.UpdateFormationsAndSubs();
    ASSERT_EQ(m.flags.substitutionRequested, 1);
    m.HandleOutOfBounds();
    EXPECT_EQ(m.flags.substitutionPhase, 0);
    EXPECT_EQ(m.flags.inbound, 1);
}

// A dead ball always comes back into play, with the clock stopped until it does. A throw-in once
// flew on along the sideline outside the court, nobody able to reach it: the clock ran on after
// 8 s, a change waited 789 s for a dead ball that never came, and the quarter ended 0-0.
TEST_F(Rules, AThrowInAlwaysComesBackIntoPlayWithTheClockStopped) {
    // The home side takes the ball out over the right sideline.
    const auto startThrowIn = [this]() {
        m.flags.inbound = 0;
        m.flags.inbounder = nullptr;
        m.SetHomeAttacking(false);
        m.SetAwayAttacking(true);
        Give(Away(2));
        CarryOut(m.courtMaxX + 0.1f, 1.0f, 5.0f);
        m.HandleOutOfBounds();
        EXPECT_EQ(m.flags.inbound, 1);
        EXPECT_TRUE(Home(0).attacking);
        // Everybody stays clear of the line.
        for (int i = 0; i < 5; ++i) {
            Home(i).position = Vec3(-2.0f, 0.0f, -3.0f + i);
            Away(i).position = Vec3(-4.0f, 0.0f, -3.0f + i);
        }
    };
    // Its inbounder throws along the line, outside the court.
    const auto throwAlongTheLine = [this]() {
        CCourtPlayer& in = *m.flags.inbounder;
        in.position = Vec3(m.courtMaxX + 0.05f, 0.0f, 5.0f);
        in.hasBall = 0;
        m.flags.lastPasser = &in;
        m.inboundThrown = 1;
        m.ball->SetHeld(false);
        m.ball->SetLoose(false);
        m.ball->SetPosition(m.courtMaxX + 0.06f, 1.6f, 5.6f);
        m.ball->SetDirection(0.0f, -0.08f, -1.0f);
        m.ball->SetSpeed(6.0f);
    };
    // Plays the rules and the ball until the home side's throw-in is over (in play, a change, or the
    // other side's throw-in); true if the clock stood still meanwhile.
    const auto playOutTheThrowIn = [this](double limit, double& played) {
        bool stopped = true;
        played = 0.0;
        while (m.flags.inbound && Home(0).attacking && !m.flags.substitutionPhase && played < limit) {
            m.Tick(CMatchClock::kStep);
            m.ball->Update(CMatchClock::kStep);
            stopped = stopped && m.positioningWait == 1;
            played += CMatchClock::kStep;
        }
        return stopped;
    };

    {
        SCOPED_TRACE("a throw that never comes onto the court goes to the other side");
        startThrowIn();
        throwAlongTheLine();
        display.lines.clear();
        double played = 0.0;
        EXPECT_TRUE(playOutTheThrowIn(5.0, played)) << "the clock waits for the ball";
        EXPECT_LT(played, CMatch3D::kThrowInFlight + 0.1);
        EXPECT_EQ(m.flags.inbound, 1);
        EXPECT_TRUE(Away(0).attacking);
        ASSERT_FALSE(display.lines.empty());
        EXPECT_NE(display.lines.back().find("<500036>"), std::string::npos) << "a ball out, and said";
        m.Tick(CMatchClock::kStep);
        EXPECT_EQ(m.positioningWait, 1) << "the new throw-in waits afresh";
    }
    {
        SCOPED_TRACE("a throw-in nobody brings in is handed to a player on the court");
        startThrowIn();
        // Nobody thinks: the taker never picks the ball up.
        double played = 0.0;
        EXPECT_TRUE(playOutTheThrowIn(60.0, played)) << "the clock waits for the ball";
        EXPECT_NEAR(played, CMatch3D::kLongestPositioningWait, 0.1);
        EXPECT_EQ(m.flags.inbound, 0);
        CCourtPlayer* holder = m.BallHolder();
        ASSERT_NE(holder, nullptr);
        EXPECT_EQ(holder->side, 0) << "the side that had the throw-in";
        EXPECT_TRUE(m.IsInCourt(holder->position.x, 0.0f, holder->position.z));
        holder->hasBall = 0;
    }
    {
        SCOPED_TRACE("the other side's throw missing the court too is handed in, not passed back");
        m.throwInsMissed = 0;
        startThrowIn();
        throwAlongTheLine();
        double played = 0.0;
        playOutTheThrowIn(5.0, played);
        ASSERT_TRUE(Away(0).attacking);
        ASSERT_EQ(m.flags.inbound, 1);
        throwAlongTheLine();
        for (played = 0.0; m.flags.inbound && played < 5.0; played += CMatchClock::kStep) {
            m.Tick(CMatchClock::kStep);
            m.ball->Update(CMatchClock::kStep);
        }
        EXPECT_EQ(m.flags.inbound, 0);
        EXPECT_TRUE(Away(0).attacking) << "the ball stays with the side that threw it";
        CCourtPlayer* holder = m.BallHolder();
        ASSERT_NE(holder, nullptr);
        EXPECT_EQ(holder->side, 1);
        EXPECT_TRUE(m.IsInCourt(holder->position.x, 0.0f, holder->position.z));
        holder->hasBall = 0;
    }
    {
        SCOPED_TRACE("a change asked for while the throw misses the court is made at that dead ball");
        startThrowIn();
        throwAlongTheLine();
        ComputerCoaches(false, true);
        Away(3).stamina = 30.0f;
        m.UpdateFormationsAndSubs();
        ASSERT_EQ(m.flags.substitutionRequested, 1);
        double played = 0.0;
        playOutTheThrowIn(5.0, played);
        EXPECT_EQ(m.flags.substitutionPhase, 1);
        EXPECT_EQ(m.flags.inbound, 0);
        EXPECT_LT(played, CMatch3D::kThrowInFlight + 0.1);
    }
}

TEST_F(Rules, ComputerTrailingByNineSwitchesFormationOnce) {
    m.homeTeam->isUserTeam = 0;
    m.awayTeam->isUserTeam = 1;
    m.homeScore = 50;
    m.awayScore = 58;
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.formationSwitchArmed, 0) << "a gap of 8 does not switch";
    m.awayScore = 59;
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.formationSwitchArmed, 1);
    for (int i = 0; i < 9999; ++i) {
        m.UpdateFormationsAndSubs();
    }
    EXPECT_EQ(m.formationSwitchArmed, 1) << "locked for 10000 ticks";
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.formationSwitchArmed, 1) << "the lock ran out and the gap switched again";
    EXPECT_EQ(m.formationSwitchTicks, 0);
}

} // namespace

TEST_F(Rules, ADefenderInReachPokesAtTheDribbleEveryPauseUntilFourBallsWon) {
    // With no table every poke wins. The holder dribbles in scoring range, 5 m out; man-to-man, and
    // the nearest is the holder's own marker.
    m.homeTeam->defenceTactic = m.awayTeam->defenceTactic = kManMarkingTactic;
    const auto dribble = [&](CCourtPlayer& holder, CCourtPlayer& defender) {
        const float basketZ = holder.AttackedBasket().z;
        holder.position.z = basketZ + (basketZ > 0.0f ? -5.0f : 5.0f);
        Give(holder);
        holder.height = 200;
        holder.SetAnimation(kAnimWalkDribble, true);
        defender.position = holder.position + Vec3(1.0f, 0.0f, 0.0f);
        defender.marking = &holder;
    };
    dribble(Home(2), Away(2));
    m.ContestDribble(0.02f);
    EXPECT_EQ(Away(2).steals, 1);
    EXPECT_EQ(Away(2).hasBall, 1);
    EXPECT_EQ(Home(2).hasBall, 0);
    EXPECT_TRUE(Away(0).attacking);

    // The loser pokes straight back; the first winner waits his 0.5 s before he pokes again.
    dribble(Away(2), Home(2));
    m.ContestDribble(0.02f);
    EXPECT_EQ(Home(2).steals, 1);
    dribble(Home(2), Away(2));
    for (int i = 0; i < 20; ++i)
        m.ContestDribble(0.02f);
    EXPECT_EQ(Away(2).steals, 1) << "within his pause";
    for (int i = 0; i < 10 && Away(2).steals < 2; ++i)
        m.ContestDribble(0.02f);
    EXPECT_EQ(Away(2).steals, 2);

    // Out of reach nobody pokes; after four balls won in a row the side with the ball plays on.
    dribble(Away(2), Home(3));
    Home(2).position = Vec3(-6.0f, 0.0f, 6.0f);
    Home(3).position = Away(2).position + Vec3(CMatch3D::kDribbleReach + 0.05f, 0.0f, 0.0f);
    m.ContestDribble(0.02f);
    EXPECT_EQ(Home(3).steals, 0);
    Home(3).position = Away(2).position + Vec3(CMatch3D::kDribbleReach - 0.05f, 0.0f, 0.0f);
    m.ContestDribble(0.02f);
    EXPECT_EQ(Home(3).steals, 1);
    dribble(Home(3), Away(3));
    Away(2).position = Vec3(6.0f, 0.0f, 6.0f);
    m.ContestDribble(0.02f);
    EXPECT_EQ(Away(3).steals, 0) << "four in a row";
    // A shot starts the count again.
    m.flags.shooter = &Home(3);
    m.ContestDribble(0.02f);
    EXPECT_EQ(Away(3).steals, 1);
}

TEST_F(Rules, AShotIsAThreeOnlyBeyondTheArcTheScoreboardCounts) {
    // The arc is 7.95 m around the point behind the end line: straight out it starts 6.07 m from
    // the basket, on the wings and in the corners farther out.
    CCourtPlayer& shooter = Home(1);
    shooter.height = 200;
    const struct {
        Vec3 spot;
        bool three;
    } spots[] = {
        {Vec3(0.0f, 0.0f, -12.13f + 6.05f), false},
        {Vec3(0.0f, 0.0f, -12.13f + 6.1f), true},
        {Vec3(6.0f, 0.0f, -10.0f), false},
        {Vec3(7.4f, 0.0f, -12.13f), false},
        {Vec3(5.5f, 0.0f, -6.5f), true},
    };
    for (const auto& s : spots) {
        shooter.position = s.spot;
        const int threes = shooter.threePointAttempts;
        const int twos = shooter.twoPointAttempts;
        shooter.ShotCheck();
        EXPECT_EQ(shooter.threePointAttempts - threes, s.three ? 1 : 0) << s.spot.x << ", " << s.spot.z;
        EXPECT_EQ(shooter.twoPointAttempts - twos, s.three ? 0 : 1) << s.spot.x << ", " << s.spot.z;
        EXPECT_EQ(shooter.BeyondArc(s.spot), s.three);
    }
}

TEST_F(Rules, TheShotIsRolledWhereTheBallLeavesTheHands) {
    // A three-point shooter: the shot starts inside the arc; he is beyond it when the ball goes.
    CCourtPlayer& shooter = OpenShooter(7, 5.5f);
    CHeadlessMotion motion;
    motion.Step(m, 0.02f);
    EXPECT_EQ(shooter.twoPointAttempts + shooter.threePointAttempts, 0) << "no roll before the release";
    const Vec3 release(0.0f, 0.0f, -12.13f + 6.5f);
    shooter.position = release;
    shooter.walkTarget = release;
    for (int frame = 0; frame < 200 && m.homeScore == 0; ++frame) {
        motion.Step(m, 0.02f);
        m.ResolveShot();
    }
    EXPECT_EQ(m.flags.shotSpot, release);
    EXPECT_EQ(shooter.threePointAttempts, 1);
    EXPECT_EQ(shooter.twoPointAttempts, 0);
    // The empty tables let every roll in: three points, on the attempt it was checked as.
    EXPECT_EQ(m.homeScore, 3);
    EXPECT_EQ(shooter.threePointersMade, 1);
}

// A shot whose roll went in but which is still in the air at the buzzer is dead: the box score counts
// the miss, and the commentary says it (nothing had: a make is told by its basket).
TEST_F(Rules, AShotInTheAirWhenTheQuarterEndsIsSaidToMiss) {
    CCourtPlayer& shooter = OpenShooter(6, 5.0f); // every roll of his two goes in
    CHeadlessMotion motion;
    for (int frame = 0; frame < 200 && shooter.twoPointAttempts == 0; ++frame)
        motion.Step(m, 0.02f);
    ASSERT_EQ(shooter.twoPointAttempts, 1);
    ASSERT_EQ(shooter.shotScores, 1);
    ASSERT_FALSE(m.ball->IsHeld()) << "the ball is on its way";
    const size_t before = display.lines.size();
    m.EndQuarter();
    int missLines = 0;
    for (size_t i = before; i < display.lines.size(); ++i)
        missLines += display.lines[i] == "Home: H1 <500003>" ? 1 : 0;
    EXPECT_EQ(missLines, 1);
    EXPECT_EQ(m.homeScore, 0);
    EXPECT_EQ(shooter.twoPointersMade, 0);
}

TEST_F(Rules, AHoopContactIsCountedOnce) {
    // The first free throw goes in and the shooter holds the ball again: a held ball does not look
    // for contacts, so the rules must not see the old one on the next ticks.
    CCourtPlayer& shooter = Home(0);
    m.flags.freeThrows = 1;
    m.freeThrowsTaken = 0;
    m.flags.shooter = &shooter;
    shooter.shotScores = 1;
    Give(shooter);
    BallAt(0.0f, 3.0f, -12.15f);
    ASSERT_TRUE(m.ball->IsHeld());
    for (int tick = 0; tick < 3; ++tick) {
        m.ResolveShot();
    }
    EXPECT_EQ(m.flags.freeThrows, 1) << "the second throw is still to come";
    EXPECT_EQ(m.freeThrowsTaken, 1);
    EXPECT_EQ(m.homeScore, 1);
    EXPECT_EQ(shooter.freeThrowsAttempted, 1);
    EXPECT_EQ(shooter.twoPointersMade, 0);
}

TEST_F(Rules, TheClockWaitsWhileThePlayersLineUpButNotForEver) {
    m.Tick(0.02f);
    EXPECT_EQ(m.positioningWait, 0) << "open play";
    m.flags.freeThrows = 1;
    m.Tick(0.02f);
    EXPECT_EQ(m.positioningWait, 1);
    // Free throws hold the clock however long the walk to the lane: the shooter goes ahead in the end.
    for (int i = 0; i < 1600; ++i) {
        m.UpdatePositioningWait(0.02f);
    }
    EXPECT_EQ(m.positioningWait, 1);
    EXPECT_TRUE(m.FreeThrowReady());
    m.flags.freeThrows = 0;
    m.Tick(0.02f);
    m.flags.substitutionPhase = 1;
    Away(2).inSubstitution = 1; // still walking off
    m.Tick(0.02f);
    EXPECT_EQ(m.positioningWait, 1);
    // A change that never completes lets the clock run on.
    for (int i = 0; i < 1600; ++i) {
        m.UpdatePositioningWait(0.02f);
    }
    EXPECT_EQ(m.positioningWait, 0);
}

// Free throws given on the step that plays the period's last second are taken before the period
// ends: counted on, that second ended the period with the throws owed (a final whistle at 97-96
// with the trailing side's two throws never taken).
TEST_F(Rules, ThrowsGivenAsThePeriodRunsOutAreTakenBeforeItEnds) {
    CMatchClock& clock = display.clock;
    clock.quarter = CMatchClock::kQuarters;
    clock.gameClock = clock.PeriodSeconds() - 1.0;
    clock.stepInSecond = CMatchClock::kStepsPerSecond - 1;
    m.homeScore = 97;
    m.awayScore = 96;
    m.quarterFouls[0] = 4;
    m.SetHomeAttacking(false);
    m.SetAwayAttacking(true);
    Give(Away(2));
    Away(2).hasBall = 1;
    m.flags.stealer = &Home(0);
    m.flags.foulPending = 1;
    m.Tick(0.02f);
    ASSERT_EQ(m.flags.freeThrows, 1);
    EXPECT_EQ(clock.CountStep(m.positioningWait != 0, m.flags.inbound != 0, true, m.homeScore, m.awayScore),
              CMatchClock::Event::None);
    EXPECT_FALSE(clock.over);
    EXPECT_DOUBLE_EQ(clock.gameClock, clock.PeriodSeconds() - 1.0);
}

// A called-off player who carries the ball out of the court starts the change: the dead ball leaves
// his hands, so he walks to the bench and is replaced. Holding it, he stood still for good and the
// change, with every later one of both sides, never came.
TEST_F(Rules, ACalledOffPlayerWhoCarriedTheBallOutStillLeaves) {
    CCourtPlayer& out = Home(2);
    CCourtPlayer& in = *m.homeTeam->GetPlayer(7);
    out.inSubstitution = 1;
    out.replacement = &in;
    m.flags.calledOffAuto = &out;
    m.flags.substitutionRequested = 1;
    m.flags.substitutionSide = 0;
    Give(out);
    out.position = Vec3(7.45f, 0.0f, 3.0f);
    CarryOut(7.6f, 1.0f, 3.0f);
    m.HandleOutOfBounds();
    ASSERT_EQ(m.flags.substitutionPhase, 1);
    EXPECT_EQ(out.hasBall, 0);
    EXPECT_FLOAT_EQ(out.attackTarget.x, m.courtMaxX + 0.05f);
    // At the bench he hands over to his replacement and play resumes.
    out.position = out.attackTarget;
    out.ThinkSubstitutionAttack();
    EXPECT_EQ(m.homeTeam->GetPlayer(2), &in);
    EXPECT_EQ(m.flags.substitutionRequested, 0);
    m.Tick(0.02f);
    EXPECT_EQ(m.flags.substitutionPhase, 0);
}

// The free throw waits for every player at his place, but not for good: one who cannot get there
// (another player stands on his spot) held the series while the clock ran on for ten minutes, and
// later the shooter stood with the ball for half a minute at nearly every series.
TEST_F(Rules, AFreeThrowWaitsForThePlayersOnlyAFewSeconds) {
    m.flags.freeThrows = 1;
    for (int side = 0; side < 2; ++side)
        for (int i = 0; i < 5; ++i) {
            CCourtPlayer& p = side == 0 ? Home(i) : Away(i);
            p.attackTarget = p.defenceTarget = p.position;
        }
    EXPECT_TRUE(m.FreeThrowReady()) << "everybody in place";
    Away(4).defenceTarget = Away(4).position + Vec3(1.5f, 0.0f, 0.0f);
    EXPECT_FALSE(m.FreeThrowReady());
    float waited = 0.0f;
    while (!m.FreeThrowReady() && waited < 60.0f) {
        m.UpdatePositioningWait(0.02f);
        waited += 0.02f;
    }
    EXPECT_TRUE(m.FreeThrowReady());
    EXPECT_LE(waited, 8.0f);
    EXPECT_NEAR(waited, CMatch3D::kLongestFreeThrowLineUp, 0.05);
    // The next dead ball waits afresh.
    m.flags.freeThrows = 0;
    m.UpdatePositioningWait(0.02f);
    m.flags.freeThrows = 1;
    EXPECT_FALSE(m.FreeThrowReady());
}

// A called-off player who never reaches the bench (he circles his spot, or another player stands on
// it) hands over where he stands within a few seconds: the change, and every later one, no longer
// waits for good, nor holds the dead ball for the half minute of the longest line-up.
TEST_F(Rules, ACalledOffPlayerWhoNeverReachesTheBenchHandsOverWithinSeconds) {
    CCourtPlayer& out = Away(3);
    CCourtPlayer& in = *m.awayTeam->GetPlayer(9);
    out.inSubstitution = 1;
    out.replacement = &in;
    m.flags.calledOffAuto = &out;
    m.flags.substitutionRequested = 1;
    m.flags.substitutionSide = 1;
    m.flags.substitutionPhase = 1;
    out.defenceTarget = Vec3(m.courtMaxX + 0.05f, 0.0f, 0.0f);
    float waited = 0.0f;
    while (m.flags.substitutionPhase && waited < 60.0f) {
        m.Tick(0.02f);
        waited += 0.02f;
    }
    EXPECT_EQ(m.flags.substitutionPhase, 0);
    EXPECT_GE(waited, 3.0f) << "time to run to the bench from anywhere on the court";
    EXPECT_LE(waited, 6.0f);
    EXPECT_EQ(m.awayTeam->GetPlayer(3), &in);
    EXPECT_EQ(m.flags.substitutionRequested, 0);
    EXPECT_EQ(out.inSubstitution, 0);
}

// A side that never shoots loses the ball when the shot clock runs out: a holder hemmed in with
// nobody to pass to kept it for minutes while the clock went round and round. A shot that went up
// in the 24 s lets the clock start again as before.
TEST_F(Rules, TheShotClockRunningOutWithoutAShotGivesTheBallAway) {
    auto runOutShotClock = [this] {
        display.clock.shotClock = CMatchClock::kShotClockSeconds - 1.0;
        display.clock.stepInSecond = CMatchClock::kStepsPerSecond - 1;
        display.clock.CountStep(false, false, true, 0, 0);
    };
    CCourtPlayer& holder = Home(1);
    holder.position = Vec3(2.0f, 0.0f, -6.0f);
    Give(holder);
    Home(3).awaitingPass = 1;
    m.Tick(0.02f);
    runOutShotClock();
    EXPECT_EQ(display.clock.shotClock, 0.0) << "the display's clock starts again";
    m.Tick(0.02f);
    m.Tick(0.02f);
    EXPECT_EQ(holder.hasBall, 0);
    EXPECT_EQ(Home(3).awaitingPass, 0);
    EXPECT_EQ(m.flags.inbound, 1) << "the other side takes the ball out";
    EXPECT_TRUE(Away(0).attacking);
    EXPECT_FALSE(Home(0).attacking);
    ASSERT_NE(m.flags.inbounder, nullptr);
    EXPECT_EQ(m.flags.inbounder->side, 1);
    EXPECT_GT(m.ball->GetPosition().x, m.courtMaxX) << "at the side line nearer the ball";
    EXPECT_NEAR(m.ball->GetPosition().z, -6.0f, 0.5f);
    ASSERT_FALSE(display.lines.empty());
    EXPECT_NE(display.lines.back().find("<500035>"), std::string::npos) << display.lines.back();

    // Away shoots within its 24 s and takes the rebound: no violation, the clock runs on.
    m.flags.inbound = 0;
    m.flags.inbounder = nullptr;
    CCourtPlayer& shooter = Away(2);
    shooter.position = Vec3(-1.0f, 0.0f, 8.0f);
    Give(shooter);
    m.flags.shooter = &shooter;
    m.ball->SetHeld(false);
    m.ball->SetPosition(-1.0f, 3.0f, 9.0f);
    m.Tick(0.02f);
    m.flags.shooter = nullptr;
    Give(shooter);
    runOutShotClock();
    m.Tick(0.02f);
    m.Tick(0.02f);
    EXPECT_EQ(shooter.hasBall, 1);
    EXPECT_EQ(m.flags.inbound, 0);
    EXPECT_TRUE(Away(0).attacking);
    // The next 24 s without a shot are a violation again.
    runOutShotClock();
    m.Tick(0.02f);
    m.Tick(0.02f);
    EXPECT_EQ(shooter.hasBall, 0);
    EXPECT_EQ(m.flags.inbound, 1);
    EXPECT_TRUE(Home(0).attacking);
}

// The player taking the ball out who cannot reach the line takes the ball where he is once the
// throw-in is overdue: he walked for ever and the throw-in never came. One on his way is waited for.
TEST_F(Rules, AnInbounderWhoNeverReachesTheLineTakesTheBallWhereHeIs) {
    m.SetHomeAttacking(false);
    m.SetAwayAttacking(true);
    CCourtPlayer& in = Away(2);
    m.flags.inbound = 1;
    m.flags.inbounder = &in;
    m.flags.lastPasser = nullptr;
    in.holdSpot = 1;
    in.position = Vec3(2.0f, 0.0f, 3.0f);
    in.attackTarget = Vec3(m.courtMaxX + 0.5f, 0.0f, 3.0f); // never reached: he stays where he is
    m.ball->SetHeld(false);
    m.ball->SetLoose(true);
    m.ball->SetPosition(m.courtMaxX + 0.5f, 0.2f, 3.0f);
    float waited = 0.0f;
    while (in.hasBall == 0 && waited < 60.0f) {
        m.Tick(0.02f);
        in.Think(0.02);
        in.position = Vec3(2.0f, 0.0f, 3.0f);
        waited += 0.02f;
    }
    ASSERT_EQ(in.hasBall, 1);
    EXPECT_NEAR(waited, CMatch3D::kLongestThrowInWait, 0.1);
    EXPECT_TRUE(m.ball->IsHeld());
    m.Tick(0.02f);
    const Vec3 ball = m.ball->GetPosition();
    EXPECT_LT(Vec3Distance(ball, in.position), 1.5f) << "the ball comes to his hands";
    // And he feeds it.
    for (int step = 0; step < 300 && m.flags.lastPasser == nullptr; ++step) {
        in.releaseReached = 1;
        in.Think(0.02);
    }
    EXPECT_EQ(m.flags.lastPasser, &in);
    // The next throw-in waits afresh.
    m.flags.inbound = 0;
    m.Tick(0.02f);
    m.flags.inbound = 1;
    m.Tick(0.02f);
    EXPECT_FALSE(m.ThrowInOverdue());
}

// The player taking the ball out who still stands in the ball stance without the ball (he carried
// it over the line and the rules took it from him) picks it up all the same: at his spot at once,
// short of it once the throw-in is overdue. He waited for a ball he thought he had, and the
// throw-in, with the shot clock, stood still for the rest of the quarter.
TEST_F(Rules, AnInbounderLeftInTheBallStanceStillPicksTheBallUp) {
    struct Case {
        const char* name;
        bool atSpot;
        double longestWait;
    };
    for (const Case& c : {Case{"at his spot", true, 0.1}, Case{"short of it", false, 8.1}}) {
        SCOPED_TRACE(c.name);
        m.SetHomeAttacking(false);
        m.SetAwayAttacking(true);
        CCourtPlayer& in = Away(1);
        const Vec3 spot(m.courtMinX, 0.0f, 10.2f);
        const Vec3 stands = c.atSpot ? spot : Vec3(m.courtMinX + 0.5f, 0.0f, 10.2f);
        m.flags.inbound = 1;
        m.flags.inbounder = &in;
        m.flags.lastPasser = nullptr;
        in.holdSpot = 1;
        in.hasBall = 0;
        in.position = stands;
        in.attackTarget = spot;
        in.SetAnimation(kAnimIdleBall, false);
        ASSERT_EQ(in.GetCurrentAnimationId(), kAnimIdleBall);
        m.ball->SetHeld(false);
        m.ball->SetLoose(true);
        m.ball->SetPosition(m.courtMinX - 0.04f, 0.2f, 10.2f);
        float waited = 0.0f;
        while (in.hasBall == 0 && waited < 60.0f) {
            m.Tick(0.02f);
            in.Think(0.02);
            in.position = stands;
            waited += 0.02f;
        }
        ASSERT_EQ(in.hasBall, 1) << "the throw-in never came";
        EXPECT_LE(waited, c.longestWait);
        EXPECT_TRUE(m.ball->IsHeld());
        // And the throw-in is made.
        for (int step = 0; step < 300 && m.flags.lastPasser == nullptr; ++step) {
            in.releaseReached = 1;
            in.Think(0.02);
        }
        EXPECT_EQ(m.flags.lastPasser, &in);
        // The next throw-in waits afresh.
        m.flags.inbound = 0;
        in.hasBall = 0;
        m.Tick(0.02f);
    }
}

namespace {

// The user's side in a watched match: rested by the computer's rule, except right after a change of
// his own; the hurt and the fouled-out stay his to answer, and the sixth foul counts the whole match.
class UserSide : public Rules {
protected:
    void SetUp() override {
        Rules::SetUp();
        ComputerCoaches(false, true);
        for (int i = 0; i < m.homeTeam->GetCount(); ++i)
            Home(i).matchState = i < 5 ? kMatchStateOnCourt : kMatchStateOnBench;
        m.playTime = 600.0;
    }
};

TEST_F(UserSide, ATiredPlayerIsRestedForTheFreshestUnlessTheUserHasJustMadeAChange) {
    Home(1).stamina = 30.0f;
    for (int i = 5; i < m.homeTeam->GetCount(); ++i)
        Home(i).stamina = 50.0f;
    Home(7).stamina = 90.0f;
    m.flags.calledOffUser = &Home(3); // the user's own change, not yet carried out
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.flags.substitutionRequested, 0) << "his change comes first";
    m.flags.calledOffUser = nullptr;
    m.playTime += CMatch3D::kUserChangeHold - 1.0;
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.flags.substitutionRequested, 0) << "a minute after it his line-up stands";

    m.playTime += 2.0;
    m.UpdateFormationsAndSubs();
    ASSERT_EQ(m.flags.substitutionRequested, 1);
    EXPECT_EQ(m.flags.substitutionSide, 0);
    EXPECT_EQ(m.flags.calledOffAuto, &Home(1));
    EXPECT_EQ(Home(1).replacement, &Home(7)) << "the freshest, not the first fit one";
}

// The starter the rule rested goes back on once rested, on either side; one the user took off
// himself stays where the user put him.
TEST_F(UserSide, AStarterTheRuleRestedGoesBackOnButOneTheUserTookOffStaysOff) {
    for (int i = 0; i < m.homeTeam->GetCount(); ++i)
        Home(i).stamina = Home(i).staminaMax = 80.0f;
    m.homeTeam->MarkStarters();
    CCourtPlayer* tired = &Home(1);
    tired->stamina = 30.0f;
    m.UpdateFormationsAndSubs();
    ASSERT_EQ(m.flags.calledOffAuto, tired);
    CCourtPlayer* backup = tired->replacement;
    ASSERT_NE(backup, nullptr);
    m.homeTeam->Substitute(tired->playerId, backup->playerId);
    m.flags.calledOffAuto = nullptr;
    m.flags.substitutionRequested = 0;
    backup->inSubstitution = 0;
    tired->inSubstitution = 0;

    tired->stamina = 60.0f;
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.flags.substitutionRequested, 0) << "not rested yet";
    tired->stamina = 78.0f;
    m.UpdateFormationsAndSubs();
    ASSERT_EQ(m.flags.substitutionRequested, 1);
    EXPECT_EQ(m.flags.calledOffAuto, backup);
    EXPECT_EQ(backup->replacement, tired);

    // The same starter taken off by the user: no return.
    m.flags.calledOffAuto = nullptr;
    m.flags.substitutionRequested = 0;
    backup->inSubstitution = 0;
    backup->replacement = nullptr;
    tired->rested = 0;
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.flags.substitutionRequested, 0);
}

TEST_F(UserSide, TheHurtAndTheFouledOutAreLeftToTheUsersWindow) {
    Home(2).injured = 1;
    Home(2).stamina = 20.0f;
    bool asked = false;
    m.onUserMustLeave = [&asked] { asked = true; };
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.flags.substitutionRequested, 0);
    EXPECT_TRUE(m.UserPlayerMustLeave());
    m.SettleMustLeave(true);
    EXPECT_TRUE(asked);
    EXPECT_EQ(m.homeTeam->GetPlayer(2), &Home(2)) << "nobody changed him for the user";
}

TEST_F(UserSide, ASixthFoulInALaterQuarterTakesThePlayerOffOnEitherSide) {
    // Five fouls by the third quarter: the break once cleared them, and a "6/0" in the table played on.
    Home(1).personalFouls = Home(1).foulsCharged = 5;
    Away(1).personalFouls = Away(1).foulsCharged = 5;
    ResetPlayersForBreak(m.homeTeam, m.awayTeam);
    m.flags.quarter = 4;
    for (CCourtPlayer* fouler : {&Home(1), &Away(1)}) {
        Give(fouler == &Home(1) ? Away(0) : Home(0));
        m.flags.stealer = fouler;
        m.flags.foulPending = 1;
        m.HandleFouls();
        EXPECT_EQ(fouler->personalFouls, 6);
        EXPECT_EQ(fouler->personalFouls, fouler->foulsCharged + fouler->foulsBooked)
            << "the card and the table show one count";
        m.flags.freeThrows = 0;
        m.flags.inbound = 0;
    }
    EXPECT_EQ(m.paused, 1);
    EXPECT_TRUE(m.UserPlayerMustLeave()) << "the user's window asks for his change";
    m.SettleMustLeave(false); // answered as the window offers it
    for (CMatchTeam* team : {m.homeTeam, m.awayTeam})
        for (int i = 0; i < team->OnCourtCount(); ++i)
            EXPECT_LT(team->GetPlayer(i)->personalFouls, 6) << team->GetPlayer(i)->name;
}

// A coach's change: the leaving player's own position when one is fit, else the nearest, on the
// user's side as on the computer's. The tired sixth man of the right position beats a fresh one of
// the wrong position.
TEST_F(UserSide, AChangeBringsOnThePlayersOwnPositionOnEitherSide) {
    const int32_t five[5] = {kPositionCentre, kPositionPowerForward, kPositionSmallForward,
                             kPositionPointGuard, kPositionShootingGuard};
    for (CMatchTeam* team : {m.homeTeam, m.awayTeam})
        for (int i = 0; i < 5; ++i)
            team->GetPlayer(i)->playsAt = team->GetPlayer(i)->positionId = five[i];
    auto bench = [](CMatchTeam& team, int place, int32_t position, float stamina) {
        CCourtPlayer& p = *team.GetPlayer(place);
        p.playsAt = p.positionId = position;
        p.stamina = stamina;
    };
    for (CMatchTeam* team : {m.homeTeam, m.awayTeam}) {
        for (int i = 5; i < team->GetCount(); ++i)
            bench(*team, i, kPositionPointGuard, 20.0f); // not fit
        bench(*team, 5, kPositionPowerForward, 95.0f);
        bench(*team, 6, kPositionSmallForward, 60.0f);
        bench(*team, 7, kPositionCentre, 99.0f);
        team->GetPlayer(2)->stamina = 30.0f; // the small forward tires
    }
    m.UpdateFormationsAndSubs();
    ASSERT_EQ(m.flags.calledOffAuto, &Home(2)) << "the user's side rests him";
    EXPECT_EQ(Home(2).replacement, &Home(6));
    EXPECT_EQ(m.homeTeam->PickSubstitute(Away(2).playerId), Home(7).playerId) << "not on court: the freshest";

    // The computer's side, once the user's change is out of the way.
    Home(2).inSubstitution = 0;
    Home(2).replacement = nullptr;
    Home(2).stamina = 100.0f;
    m.flags.calledOffAuto = nullptr;
    m.flags.substitutionRequested = 0;
    m.UpdateFormationsAndSubs();
    ASSERT_EQ(m.flags.calledOffAuto, &Away(2));
    EXPECT_EQ(Away(2).replacement, &Away(6));

    // No small forward fit: the nearest position (power forward) rather than the fresher centre.
    Away(6).stamina = 20.0f;
    EXPECT_EQ(m.awayTeam->PickSubstitute(Away(2).playerId), Away(5).playerId);
    Away(5).stamina = 20.0f;
    EXPECT_EQ(m.awayTeam->PickSubstitute(Away(2).playerId), Away(7).playerId) << "then anyone fit";
}

// Foul trouble by the quarter on the user's side as on the computer's: two fouls in the first,
// three in the second, four in the third, five from the fourth; the rested starter comes back once
// the quarter allows his count, and not during the hold after a change of the user's own.
TEST_F(UserSide, APlayerInFoulTroubleIsRestedAndComesBackWhenTheQuarterAllows) {
    EXPECT_EQ(CMatchTeam::FoulTroubleAt(1), 2);
    EXPECT_EQ(CMatchTeam::FoulTroubleAt(2), 3);
    EXPECT_EQ(CMatchTeam::FoulTroubleAt(3), 4);
    EXPECT_EQ(CMatchTeam::FoulTroubleAt(4), 5);
    EXPECT_EQ(CMatchTeam::FoulTroubleAt(5), 5) << "overtime counts as the fourth";
    for (int i = 0; i < m.homeTeam->GetCount(); ++i)
        Home(i).stamina = Home(i).staminaMax = 80.0f;
    m.homeTeam->MarkStarters();
    Home(3).personalFouls = 1;
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.flags.substitutionRequested, 0) << "one foul in the first quarter plays on";

    Home(3).personalFouls = 2;
    m.userChangeAt = m.playTime - 1.0;
    m.UpdateFormationsAndSubs();
    EXPECT_EQ(m.flags.substitutionRequested, 0) << "the user has just made a change himself";
    m.userChangeAt = -CMatch3D::kUserChangeHold;
    m.UpdateFormationsAndSubs();
    ASSERT_EQ(m.flags.calledOffAuto, &Home(3));
    CCourtPlayer* in = Home(3).replacement;
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(Home(3).rested, 1);

    // The change is made; in the first quarter he stays on the bench, in the second he goes back on.
    CCourtPlayer* starter = &Home(3);
    Home(3).FinishSubstitution();
    in->inSubstitution = in->cameOn = 0;
    m.flags.calledOffAuto = nullptr;
    m.flags.substitutionRequested = 0;
    m.flags.substitutionPhase = 0;
    ASSERT_EQ(m.homeTeam->GetPlayer(3), in);
    EXPECT_EQ(m.homeTeam->PickStarterToReturn(), -1);
    m.flags.quarter = 2;
    EXPECT_EQ(m.homeTeam->PickStarterToReturn(), starter->playerId);
    EXPECT_EQ(m.homeTeam->PickToMakeRoom(starter->playerId), in->playerId);
    starter->personalFouls = 3;
    EXPECT_EQ(m.homeTeam->PickStarterToReturn(), -1) << "three in the second quarter is trouble again";
}

// A player in foul trouble sits for a substitute of his position or the next, not for a guard at
// centre: the centre plays on with his fouls until a big man is fit, on either side.
TEST_F(UserSide, FoulTroubleSitsAPlayerOnlyForASubstituteNearHisPosition) {
    for (CMatchTeam* team : {m.homeTeam, m.awayTeam}) {
        for (int i = 0; i < team->GetCount(); ++i) {
            CCourtPlayer& p = *team->GetPlayer(i);
            p.playsAt = p.positionId = i == 0 ? kPositionCentre : kPositionPointGuard;
        }
        team->GetPlayer(0)->personalFouls = 2;
    }
    EXPECT_EQ(m.homeTeam->PickUserPlayerToRest(), -1);
    EXPECT_EQ(m.awayTeam->PickPlayerToRest(), -1);
    Home(0).stamina = 30.0f; // tired: any fit substitute rather than exhaustion
    EXPECT_EQ(m.homeTeam->PickUserPlayerToRest(), Home(0).playerId);
    Home(0).stamina = 100.0f;
    for (CMatchTeam* team : {m.homeTeam, m.awayTeam})
        team->GetPlayer(9)->playsAt = kPositionPowerForward;
    EXPECT_EQ(m.homeTeam->PickUserPlayerToRest(), Home(0).playerId);
    EXPECT_EQ(m.awayTeam->PickPlayerToRest(), Away(0).playerId);
}

// Told of every player who must leave, once, whatever is under way: a sixth foul on the way to the
// bench in a change once took him off unannounced, and the tick said nothing during the change.
TEST_F(UserSide, ASixthFoulDuringAChangeUnderWayIsAnnounced) {
    std::vector<std::string> told;
    m.onMustLeavePopup = [&told](const CStr& name, bool, bool) { told.push_back(name.Std()); };
    m.RequestChange(0, &Home(1), &Home(5), m.flags.calledOffAuto);
    m.flags.substitutionPhase = 1;
    Home(1).personalFouls = 6;
    m.Tick(CMatchClock::kStep);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], Home(1).name);
    Home(3).injured = 1;
    m.Tick(CMatchClock::kStep);
    m.Tick(CMatchClock::kStep);
    ASSERT_EQ(told.size(), 2u) << "each once";
    EXPECT_EQ(told[1], Home(3).name);
    Away(2).personalFouls = 6;
    m.Tick(CMatchClock::kStep);
    EXPECT_EQ(told.size(), 2u) << "the computer's players are not the user's to hear of";
}

} // namespace

TEST_F(Rules, AGuardReachesInSeldomAtTheManBringingTheBallUpAndAHelperEverywhere) {
    // With no table every poke wins; the time until the guard may poke again is his pause.
    m.awayTeam->defenceTactic = kManMarkingTactic;
    Away(2).marking = &Home(2);
    const auto pauseAfterAPoke = [&](float fromBasket) {
        m.SetHomeAttacking(true);
        m.SetAwayAttacking(false);
        Away(2).hasBall = 0;
        Home(2).position = Vec3(0.0f, 0.0f, -12.13f + fromBasket);
        Give(Home(2));
        Home(2).height = 200;
        Home(2).SetAnimation(kAnimWalkDribble, true);
        Away(2).position = Home(2).position + Vec3(1.0f, 0.0f, 0.0f);
        Away(2).nextDribbleContest = 0.0;
        m.stealRun = 0;
        const int steals = Away(2).steals;
        m.ContestDribble(0.02f);
        EXPECT_EQ(Away(2).steals, steals + 1) << fromBasket << " m out";
        return Away(2).nextDribbleContest - m.playTime;
    };
    EXPECT_DOUBLE_EQ(pauseAfterAPoke(3.0f), CMatch3D::kContestPause) << "in scoring range";
    EXPECT_DOUBLE_EQ(pauseAfterAPoke(8.5f), CMatch3D::kContestPause);
    EXPECT_DOUBLE_EQ(pauseAfterAPoke(9.5f), 2.0) << "bringing the ball up";
    EXPECT_DOUBLE_EQ(pauseAfterAPoke(20.0f), 2.0);

    // In a zone the man on the ball pokes as often; one nearest the ball while he guards another
    // man's area reaches in seldom (twice a second, the zone's forwards fouled 5-6 times a match).
    m.awayTeam->defenceTactic = 10;
    Away(2).marking = &Home(2);
    EXPECT_DOUBLE_EQ(pauseAfterAPoke(3.0f), CMatch3D::kContestPause) << "the zone's man on the ball";
    Away(2).marking = &Home(4);
    EXPECT_DOUBLE_EQ(pauseAfterAPoke(3.0f), CMatch3D::kFarContestPause) << "the zone's helper";
    // The man-to-man's helper as seldom: poking at every dribble he met, he won a new career's side
    // two balls a match more than the computer's zone.
    m.awayTeam->defenceTactic = kManMarkingTactic;
    EXPECT_DOUBLE_EQ(pauseAfterAPoke(3.0f), CMatch3D::kFarContestPause) << "the man-to-man's helper";
    Away(2).marking = &Home(2);
    EXPECT_DOUBLE_EQ(pauseAfterAPoke(3.0f), CMatch3D::kContestPause) << "the man-to-man's man on the ball";
}

// Every ball a side loses is booked against the player who lost it, and only a lost ball is: the
// screens read it as his turnovers.
TEST_F(Rules, EveryLostBallIsATurnoverOfThePlayerWhoLostIt) {
    // A poke takes the ball from the holder: his, not the stealer's.
    Give(Home(2));
    m.flags.stealer = &Away(2);
    m.HandleSteal();
    EXPECT_EQ(Home(2).turnovers, 1);
    EXPECT_EQ(m.awayTeam->TotalTurnovers(), 0);

    // A pass picked off: the passer's.
    Away(2).hasBall = 0;
    m.ball->SetHeld(false);
    m.flags.lastPasser = &Away(1);
    Home(3).position = Vec3(-5.0f, 0.0f, 4.0f);
    m.ball->SetPosition(-5.0f, 1.0f, 4.2f);
    m.HandleLooseBall();
    ASSERT_EQ(Home(3).steals, 1);
    EXPECT_EQ(Away(1).turnovers, 1);
    EXPECT_EQ(m.homeTeam->TotalTurnovers(), 1) << "the thief books none";

    // Carried over the side line: the holder's.
    CarryOut(-7.6f, 1.0f, 3.0f);
    m.HandleOutOfBounds();
    ASSERT_EQ(m.flags.inbound, 1);
    EXPECT_EQ(Home(3).turnovers, 1);

    // A pass thrown over the line: the passer's; the ball the rules put out after it is nobody's.
    m.flags.inbound = 0;
    m.flags.inbounder = nullptr;
    for (int i = 0; i < 5; ++i)
        Away(i).hasBall = 0;
    m.ball->SetPosition(0.0f, 1.0f, 0.0f);
    int32_t side = 0;
    m.ball->CheckOut(side);
    m.flags.lastPasser = &Away(4);
    m.flags.shooter = nullptr;
    m.ball->SetHeld(false);
    m.ball->SetPosition(7.6f, 1.0f, -3.0f);
    m.HandleOutOfBounds();
    EXPECT_EQ(Away(4).turnovers, 1);
    EXPECT_TRUE(Home(0).attacking);

    // A missed shot or its rebound tapped out is no lost ball.
    m.flags.inbound = 0;
    m.flags.inbounder = nullptr;
    m.ball->SetPosition(0.0f, 1.0f, 0.0f);
    m.ball->CheckOut(side);
    m.flags.lastPasser = m.flags.shooter = &Home(1);
    m.flags.shotInFlight = 1;
    m.ball->SetHeld(false);
    m.ball->SetPosition(-7.6f, 1.0f, -10.0f);
    m.HandleOutOfBounds();
    ASSERT_EQ(m.flags.inbound, 1);
    EXPECT_TRUE(Away(0).attacking);
    EXPECT_EQ(m.homeTeam->TotalTurnovers(), 2);
    EXPECT_EQ(m.awayTeam->TotalTurnovers(), 2);

    // The shot clock runs out in a holder's hands: his.
    m.flags.inbound = 0;
    m.flags.inbounder = nullptr;
    m.flags.lastPasser = m.flags.shooter = nullptr;
    m.flags.shotInFlight = 0;
    CCourtPlayer& holder = Away(0);
    holder.position = Vec3(2.0f, 0.0f, 6.0f);
    Give(holder);
    m.Tick(0.02f);
    display.clock.shotClock = CMatchClock::kShotClockSeconds - 1.0;
    display.clock.stepInSecond = CMatchClock::kStepsPerSecond - 1;
    display.clock.CountStep(false, false, true, 0, 0);
    m.Tick(0.02f);
    ASSERT_EQ(m.shotClockViolations[1], 1);
    EXPECT_EQ(holder.turnovers, 1);
    EXPECT_EQ(m.awayTeam->TotalTurnovers(), 3);
    EXPECT_EQ(m.homeTeam->TotalTurnovers(), 2);
}

// A pass gone astray flies past the men of its side: none of them takes it, an opponent may.
TEST_F(Rules, APassGoneAstrayIsLostToTheTeamMatesAndWonByAnOpponent) {
    Home(0).position = Vec3(0.0f, 0.0f, 0.0f);
    Home(1).position = Vec3(3.0f, 0.0f, 0.0f);
    m.flags.lastPasser = &Home(0);
    m.flags.passAstray = 1;
    m.ball->SetHeld(false);
    m.ball->SetPosition(3.2f, 1.0f, 0.0f);
    m.HandleLooseBall();
    EXPECT_EQ(Home(1).hasBall, 0);
    EXPECT_FALSE(m.ball->IsHeld());

    Away(3).position = Vec3(3.0f, 0.0f, 0.3f);
    Home(1).position = Vec3(5.0f, 0.0f, 0.0f);
    for (const float band : {0.0f, 0.5f, 1.0f, 1.5f, 2.0f})
        m.ballStealth.AddPoint(band, 0.0f);
    m.HandleLooseBall();
    EXPECT_EQ(Away(3).hasBall, 1);
    EXPECT_EQ(Away(3).steals, 1);
    EXPECT_EQ(Home(0).turnovers, 1);
    EXPECT_EQ(m.flags.passAstray, 0) << "the next pass is caught again";
}
