// The court player's step by phase: idling before the tip-off and between quarters, which behaviour
// each phase runs for attackers and defenders, the run/walk distances, the inbound pick-up, the free
// throw, and the end of a substitution with and without somebody to bring on.
#include "FakeMatch.h"

#include <gtest/gtest.h>

using match3dtest::FakeMatch;

namespace {

// One step run from fresh: the run's cost, of which a player pays his share.
constexpr float kOneRun = 100.0f - 0.005f * CCourtPlayer::kEffortShare;

// A match under way with the ball in a far corner, held.
struct Dispatcher : ::testing::Test {
    FakeMatch match;
    void SetUp() override {
        match.flags.quarter = 1;
        match.ballPosition = Vec3(7, 0, 13);
        match.ballInHand = true;
    }
    // A player standing at the origin of the court with his spot a given distance along x.
    CCourtPlayer& Attacker(float toTarget) {
        CCourtPlayer& p = match.Home(1);
        p.attacking = 1;
        p.position = Vec3(0, 0, 0);
        p.attackTarget = Vec3(toTarget, 0, 0);
        p.attackHome = p.attackTarget;
        p.needsNewSpot = 0;
        return p;
    }
    CCourtPlayer& Defender(float toTarget) {
        CCourtPlayer& p = match.Away(1);
        p.attacking = 0;
        p.position = Vec3(0, 0, 0);
        p.defenceTarget = Vec3(toTarget, 0, 0);
        p.defenceHome = p.defenceTarget;
        p.needsNewSpot = 0;
        match.teams[1].defenceTactic = 10;
        return p;
    }
};

} // namespace

TEST_F(Dispatcher, BeforeTheTipOffAndBetweenQuartersPlayersOnlyIdle) {
    match.flags.quarter = 0;
    CCourtPlayer& p = Attacker(5.0f);
    // Everything that would make him walk, tire, get hurt or be talked about.
    p.isUserPlayer = 1;
    p.stamina = 5.0f;
    const Vec3 walkTarget = p.walkTarget;

    match.Script({0}); // below one in 5000: the face wipe
    p.Think(0.02);
    EXPECT_EQ(p.GetCurrentAnimationId(), kAnimWipeFace);
    EXPECT_EQ(match.draws, 1);
    EXPECT_TRUE(match.commentary.lines.empty());
    EXPECT_EQ(p.walkTarget, walkTarget);
    EXPECT_EQ(p.injured, 0);
    EXPECT_FLOAT_EQ(p.stamina, 5.0f);
    EXPECT_DOUBLE_EQ(p.lastDt, 0.02);

    // The gesture plays to its end, then he stands again.
    p.Think(0.02);
    EXPECT_EQ(p.GetCurrentAnimationId(), kAnimWipeFace);
    p.clipFinished = 1;
    p.Think(0.02);
    EXPECT_EQ(p.GetCurrentAnimationId(), kAnimIdle);

    // Between quarters the same: a draw just above one starts the chat, one above two nothing.
    match.flags.quarter = 2;
    match.flags.betweenQuarters = 1;
    match.Script({14}); // 2.14 in 5000
    p.Think(0.02);
    EXPECT_EQ(p.GetCurrentAnimationId(), kAnimIdle);
    match.Script({7}); // 1.07
    p.Think(0.02);
    EXPECT_EQ(p.GetCurrentAnimationId(), kAnimChat);
    EXPECT_TRUE(match.commentary.lines.empty());
}

TEST_F(Dispatcher, AnAwaitingReceiverThinksOnlyOfTheBallAndSkipsTheRemarks) {
    CCourtPlayer& p = Attacker(0.0f);
    p.isUserPlayer = 1;
    p.stamina = 18.0f; // tired enough for a remark, not for the exhaustion roll
    p.awaitingPass = 1;
    p.Think(0.02);
    EXPECT_TRUE(match.commentary.lines.empty());
    EXPECT_EQ(p.GetCurrentAnimationId(), kAnimIdle); // the catch's waiting stance

    p.awaitingPass = 0;
    p.Think(0.02);
    EXPECT_FALSE(match.commentary.lines.empty());
}

TEST_F(Dispatcher, EachPhaseRunsItsBehaviourForAttackersAndDefenders) {
    // Substitution before inbound before free throws: the called-off attacker at his spot leaves.
    match.flags.substitutionPhase = 1;
    match.flags.inbound = 1;
    match.flags.freeThrows = 1;
    CCourtPlayer& out = Attacker(0.0f);
    out.inSubstitution = 1;
    out.replacement = &match.Home(7);
    out.Think(0.02);
    ASSERT_EQ(match.exchanges.size(), 1u);
    EXPECT_EQ(match.teams[0].GetPlayer(1), &match.Home(1)); // the newcomer took place 1
    EXPECT_EQ(match.Home(1).playerId, 107);

    // Inbound: the attacker who takes the ball out picks it up at his spot.
    match.flags.substitutionPhase = 0;
    CCourtPlayer& taker = match.Home(2);
    taker.attacking = 1;
    taker.holdSpot = 1;
    taker.attackTarget = taker.position;
    match.ballInHand = false;
    taker.Think(0.02);
    EXPECT_EQ(taker.hasBall, 1);
    EXPECT_TRUE(match.ballInHand);
    EXPECT_EQ(taker.GetCurrentAnimationId(), kAnimIdleBall);

    // Free throws: a defender away from his place runs to it.
    match.flags.inbound = 0;
    CCourtPlayer& d = Defender(4.0f);
    d.Think(0.02);
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimRun);

    // Open play: the defender away from his target walks to it.
    match.flags.freeThrows = 0;
    d.defenceHome = d.defenceTarget = Vec3(1.0f, 0, 0);
    d.Think(0.02);
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimWalk);
    EXPECT_EQ(d.walkTarget, Vec3(1.0f, 0, 0));
}

TEST_F(Dispatcher, RunningStartsBeyondEachPhasesDistanceAndCostsStaminaOnlyWhereItShould) {
    // Open play, attacker: 2.2 is walked, 2.21 run at a cost; during a shot everybody runs for free.
    CCourtPlayer& a = Attacker(2.2f);
    a.ThinkAttack();
    EXPECT_EQ(a.GetCurrentAnimationId(), kAnimWalk);
    EXPECT_FLOAT_EQ(a.stamina, 100.0f);
    a.attackTarget = a.attackHome = Vec3(2.21f, 0, 0);
    a.ThinkAttack();
    EXPECT_EQ(a.GetCurrentAnimationId(), kAnimRun);
    EXPECT_FLOAT_EQ(a.stamina, kOneRun);
    a.SetAnimation(kAnimWalk, false);
    a.attackTarget = a.attackHome = Vec3(1.0f, 0, 0);
    match.flags.shotInFlight = 1;
    a.ThinkAttack();
    EXPECT_EQ(a.GetCurrentAnimationId(), kAnimRun);
    EXPECT_FLOAT_EQ(a.stamina, kOneRun);
    EXPECT_EQ(a.walkTarget, Vec3(1.0f, 0, 0));
    match.flags.shotInFlight = 0;

    // Defender in open play: the same 2.2.
    CCourtPlayer& d = Defender(2.2f);
    d.ThinkDefault();
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimWalk);
    d.defenceTarget = d.defenceHome = Vec3(2.21f, 0, 0);
    d.ThinkDefault();
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimRun);
    EXPECT_FLOAT_EQ(d.stamina, kOneRun);

    // Substitution phase: 3.2.
    d.SetAnimation(kAnimIdle, false);
    d.defenceTarget = d.defenceHome = Vec3(3.2f, 0, 0);
    d.ThinkSubstitution();
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimWalk);
    d.defenceTarget = d.defenceHome = Vec3(3.21f, 0, 0);
    d.ThinkSubstitution();
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimRun);
    // The called-off player always runs.
    d.SetAnimation(kAnimIdle, false);
    d.defenceTarget = Vec3(1.0f, 0, 0);
    match.flags.calledOffAuto = &d;
    d.ThinkSubstitution();
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimRun);
    match.flags.calledOffAuto = nullptr;

    // Inbound attackers: 1.5, and running is free.
    a.SetAnimation(kAnimIdle, false);
    a.attackTarget = a.attackHome = Vec3(1.5f, 0, 0);
    const float stamina = a.stamina;
    a.ThinkInbound();
    EXPECT_EQ(a.GetCurrentAnimationId(), kAnimWalk);
    a.attackTarget = a.attackHome = Vec3(1.51f, 0, 0);
    a.ThinkInbound();
    EXPECT_EQ(a.GetCurrentAnimationId(), kAnimRun);
    EXPECT_FLOAT_EQ(a.stamina, stamina);
}

TEST_F(Dispatcher, TheFreeThrowShooterWaitsForEverybodyThenShootsAtTheReleaseMoment) {
    match.flags.freeThrows = 1;
    CCourtPlayer& s = Attacker(0.0f);
    s.hasBall = 1;
    s.SetAnimation(kAnimWalkDribble, false);

    // At his spot without the stance: he takes it, facing the basket he attacks (z = -10).
    s.Think(0.01);
    EXPECT_EQ(s.GetCurrentAnimationId(), kAnimIdleBall);
    EXPECT_EQ(s.lookDirection, Vec3(0, 0, -1));

    match.freeThrowReady = false;
    s.Think(0.01);
    EXPECT_EQ(s.shotTaken, 0);
    match.freeThrowReady = true;
    s.Think(0.01);
    EXPECT_EQ(s.shotTaken, 1);
    EXPECT_EQ(match.flags.shooter, nullptr);

    // The release moment and the timer: the shot goes up from his spot.
    s.releaseReached = 1;
    s.clipPeriod = 1.0;
    match.flags.releaseDone = 1;
    s.Think(0.03); // past 2.5 % of the clip
    EXPECT_EQ(s.GetCurrentAnimationId(), kAnimShot);
    EXPECT_EQ(match.flags.shooter, &s);
    EXPECT_EQ(match.flags.releaseDone, 0);
    EXPECT_EQ(match.flags.shotSpot, s.position);
    EXPECT_FLOAT_EQ(match.ballSpeed, 0.0f);
    EXPECT_EQ(match.ballAim, Vec3());
}

TEST_F(Dispatcher, ACalledOffDefenderIsExchangedAtHisSpot) {
    match.flags.substitutionPhase = 1;
    match.flags.substitutionRequested = 1;
    match.flags.substitutionSide = 1;
    CCourtPlayer& out = Defender(0.0f);
    std::snprintf(out.name, sizeof out.name, "%s", "Novak");
    CCourtPlayer& in = match.Away(9);
    out.inSubstitution = 1;
    out.replacement = &in;
    out.ThinkSubstitution();
    ASSERT_EQ(match.exchanges.size(), 1u);
    EXPECT_EQ(match.exchanges[0].outId, 201);
    EXPECT_EQ(match.exchanges[0].inId, 209);
    EXPECT_EQ(match.teams[1].GetPlayer(1), &in);
    ASSERT_EQ(match.eventLines.size(), 1u);
    EXPECT_EQ(match.eventLines[0], "Away: Novak <500010>");
    EXPECT_EQ(match.boxScoreRefreshes, 1);
    EXPECT_EQ(out.replacement, nullptr);
    EXPECT_EQ(out.inSubstitution, 0);
    EXPECT_EQ(match.flags.substitutionRequested, 0);
    // The newcomer is on his way: the phase is the match's to end.
    EXPECT_EQ(match.flags.substitutionPhase, 1);
}

// A called-off player with nobody to bring on, or whose replacement the match refuses, plays on:
// the substitution ends with its flags cleared, no line, and the phase over unless another player
// is still walking off.
TEST_F(Dispatcher, ASubstitutionWithoutAnExchangeEndsCleanly) {
    match.flags.substitutionPhase = 1;
    match.flags.substitutionRequested = 1;
    CCourtPlayer& d = Defender(0.0f);
    d.inSubstitution = 1;
    match.flags.calledOffUser = &d;
    d.ThinkSubstitution();
    EXPECT_TRUE(match.exchanges.empty());
    EXPECT_TRUE(match.eventLines.empty());
    EXPECT_EQ(d.inSubstitution, 0);
    EXPECT_EQ(d.needsNewSpot, 1);
    EXPECT_EQ(match.flags.substitutionRequested, 0);
    EXPECT_EQ(match.flags.calledOffUser, nullptr);
    EXPECT_EQ(match.flags.substitutionPhase, 0);
    EXPECT_EQ(match.teams[1].GetPlayer(1), &d);

    // Refused: the replacement is hurt. Another called-off player keeps the phase going.
    match.flags.substitutionPhase = 1;
    CCourtPlayer& a = Attacker(0.0f);
    a.inSubstitution = 1;
    a.replacement = &match.Home(8);
    match.Home(8).injured = 1;
    match.Home(4).inSubstitution = 1;
    a.ThinkSubstitutionAttack();
    ASSERT_EQ(match.exchanges.size(), 1u);
    EXPECT_EQ(match.teams[0].GetPlayer(1), &a);
    EXPECT_TRUE(match.eventLines.empty());
    EXPECT_EQ(match.boxScoreRefreshes, 0);
    EXPECT_EQ(a.replacement, nullptr);
    EXPECT_EQ(match.flags.substitutionPhase, 1);

    // When that one is done too, play resumes.
    match.Home(4).inSubstitution = 0;
    a.inSubstitution = 1;
    a.ThinkSubstitutionAttack();
    EXPECT_EQ(match.flags.substitutionPhase, 0);
}

TEST_F(Dispatcher, FreeThrowDefendersWalkToTheirPlacesOnTheLane) {
    // The throws wait for every player at his place: a defender who only ran on the spot kept the
    // series, and the match, waiting for ever.
    match.flags.quarter = 1;
    match.flags.freeThrows = 1;
    CCourtPlayer& d = match.Away(2);
    d.attacking = 0;
    d.position = Vec3(-7.0f, 0.0f, -4.0f);
    d.defenceTarget = Vec3(2.0f, 0.0f, -8.0f);
    d.Think(0.02);
    EXPECT_EQ(d.GetCurrentAnimationId(), kAnimRun);
    EXPECT_EQ(d.walkTarget, d.defenceTarget);
    // At his place he stands.
    d.position = d.defenceTarget;
    d.Think(0.02);
    EXPECT_NE(d.GetCurrentAnimationId(), kAnimRun);
}
