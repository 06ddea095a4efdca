// The court player's own operations: being at a target, walking, random spots and their fallback,
// man-marking, the catch, the substitution at the called-off player's spot, the remarks about the
// user's players, the throw direction and the action timer.
#include "FakeMatch.h"

#include "database/Records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using match3dtest::FakeMatch;
using match3dtest::RawForOffset;
using match3dtest::RawForPercent;
using match3dtest::RawForRoll;

TEST(CourtPlayerGeometry, TargetsAreInclusiveAndShortWalksDoNotStart) {
    FakeMatch match;
    CCourtPlayer& p = match.Home(0);
    p.position = Vec3(0, 0, 0);
    p.attackTarget = Vec3(0.38f, 0, 0);
    p.defenceTarget = Vec3(0, 0, 0.381f);
    EXPECT_TRUE(p.AtAttackTarget());
    EXPECT_FALSE(p.AtDefenceTarget());

    p.walkTarget = Vec3(9, 9, 9);
    p.WalkTo(Vec3(0.1f, 0, 0));
    EXPECT_EQ(p.walkTarget, Vec3(9, 9, 9));
    p.WalkTo(Vec3(0, 0, 3));
    EXPECT_EQ(p.walkTarget, Vec3(0, 0, 3));
    EXPECT_EQ(p.lookDirection, Vec3(0, 0, 1));

    // Baskets: a home player attacks the away side's basket.
    p.position = Vec3(0, 0, -4);
    EXPECT_DOUBLE_EQ(p.DistanceToAttackedBasket(), 6.0);
    EXPECT_DOUBLE_EQ(match.Away(0).DistanceToBasket(p, false), 14.0);
    float distance = 0.0f;
    ASSERT_TRUE(p.NearestOpponentDistance(match.Away(2).position, distance));
    EXPECT_FLOAT_EQ(distance, 0.0f);
}

TEST(CourtPlayerWalking, RandomAttackSpotOutsideTheCourtFallsBackToTheHomeSpot) {
    FakeMatch match;
    CCourtPlayer& p = match.Home(0);
    p.attackHome = Vec3(6.0f, 0, 0);
    p.position = Vec3(0, 0, 0);

    // x offset +3 puts the spot at 9: off the court.
    match.Script({RawForOffset(3.0f, 3.0f), RawForOffset(0.0f, 3.0f)});
    p.needsNewSpot = 1;
    p.WalkToAttackSpot();
    EXPECT_EQ(p.attackTarget, p.attackHome);
    EXPECT_EQ(p.needsNewSpot, 1); // draws again next time
    EXPECT_EQ(p.walkTarget, p.attackHome);

    // A spot on the court is kept and walked to.
    match.Script({RawForOffset(-1.0f, 3.0f), RawForOffset(1.0f, 3.0f)});
    p.WalkToAttackSpot();
    EXPECT_NEAR(p.attackTarget.x, 5.0f, 1e-3f);
    EXPECT_NEAR(p.attackTarget.z, 1.0f, 1e-3f);
    EXPECT_EQ(p.needsNewSpot, 0);

    // The called-off player may walk off the court; a player holding his spot draws nothing.
    p.attackTarget = Vec3(0, 0, 20);
    p.inSubstitution = 1;
    p.WalkToAttackSpot();
    EXPECT_EQ(p.attackTarget, Vec3(0, 0, 20));
    p.inSubstitution = 0;
    p.holdSpot = 1;
    p.needsNewSpot = 1;
    const int draws = match.draws;
    p.WalkToAttackSpot();
    EXPECT_EQ(match.draws, draws);
    EXPECT_EQ(p.attackTarget, Vec3(0, 0, 20));

    // The wide spot has no second draw after a fall-back.
    p.attackHome = Vec3(-7.0f, 0, 0);
    match.Script({RawForOffset(-4.0f, 4.0f), RawForOffset(0.0f, 4.0f)});
    p.PickWideAttackSpot();
    EXPECT_EQ(p.attackTarget, p.attackHome);
}

TEST(CourtPlayerWalking, SeededSpotsRepeatAndNeverLeaveTheCourt) {
    std::vector<Vec3> runs[2];
    for (auto& targets : runs) {
        GameSrand(7);
        FakeMatch match;
        CCourtPlayer& p = match.Home(0);
        p.attackHome = Vec3(6.0f, 0, -12.5f); // near a corner: many draws fall outside
        int fallbacks = 0;
        for (int i = 0; i < 300; ++i) {
            p.needsNewSpot = 1;
            p.WalkToAttackSpot();
            const Vec3 t = p.attackTarget;
            targets.push_back(t);
            if (t == p.attackHome) {
                ++fallbacks;
                continue;
            }
            EXPECT_TRUE(match.IsInsideCourt(t.x, t.y, t.z));
            EXPECT_LE(std::fabs(t.x - 6.0f), 3.0f);
            EXPECT_LE(std::fabs(t.z + 12.5f), 3.0f);
        }
        EXPECT_GT(fallbacks, 0);
    }
    EXPECT_EQ(runs[0], runs[1]);
}

TEST(CourtPlayerWalking, DefenceSpotsScatterExceptUnderManMarkingAndForTheCalledOff) {
    FakeMatch match;
    CCourtPlayer& p = match.Home(1);
    p.defenceHome = Vec3(0, 0, 8);
    p.defenceTarget = Vec3(1, 0, 1);
    p.WalkToDefenceSpot(13);
    EXPECT_EQ(p.defenceTarget, Vec3(1, 0, 1));
    EXPECT_EQ(match.draws, 0);

    match.flags.calledOffUser = &p;
    p.WalkToDefenceSpot(10);
    EXPECT_EQ(match.draws, 0);
    match.flags.calledOffUser = nullptr;

    match.Script({RawForOffset(2.0f, 2.0f), RawForOffset(-2.0f, 2.0f)});
    p.WalkToDefenceSpot(10);
    EXPECT_NEAR(p.defenceTarget.x, 2.0f, 1e-3f);
    EXPECT_NEAR(p.defenceTarget.z, 6.0f, 1e-3f);
    EXPECT_EQ(p.needsNewSpot, 0);
}

TEST(CourtPlayerMarking, GuardsBetweenBasketAndManAndNeverProducesNaN) {
    FakeMatch match;
    match.ballInHand = true;
    CCourtPlayer& d = match.Home(0); // defends the basket at (0, 0, 10)
    CCourtPlayer& man = match.Away(0);
    d.marking = &man;
    d.defenceHome = Vec3(0, 0, 6); // 4 from the basket: reach 4, margin 2
    man.position = Vec3(0, 0, 5);  // 5 from the basket
    d.UpdateDefenceTarget(10);
    constexpr float kGap = CCourtPlayer::kZoneMarkingGap;
    EXPECT_NEAR(d.defenceTarget.z, 10.0f - (5.0f - kGap), 1e-5f);

    man.position = Vec3(0, 0, 3.9f); // 6.1 from the basket: beyond reach + margin
    d.UpdateDefenceTarget(10);
    EXPECT_EQ(d.defenceTarget, d.defenceHome);

    man.position = Vec3(0, 0, 8.0f); // closer than the gap: a quarter of the gap short of him
    d.UpdateDefenceTarget(10);
    EXPECT_NEAR(d.defenceTarget.z, 10.0f - (2.0f - 0.25f * kGap), 1e-5f);

    // Standing on the basket point: the target is the basket, not NaN.
    man.position = Vec3(0, 0, 10);
    d.UpdateDefenceTarget(10);
    EXPECT_EQ(d.defenceTarget, Vec3(0, 0, 10));
    EXPECT_FALSE(std::isnan(d.defenceTarget.x));

    // Nobody to guard: the defence spot.
    d.marking = nullptr;
    d.defenceTarget = Vec3(3, 0, 3);
    d.UpdateDefenceTarget(10);
    EXPECT_EQ(d.defenceTarget, d.defenceHome);
}

TEST(CourtPlayerMarking, NearestDefenderChasesALooseBallThenGivesUpWhenItIsHeld) {
    FakeMatch match;
    CCourtPlayer& d = match.Home(2);
    d.marking = &match.Away(2);
    match.ballInHand = false;
    match.ballPredicted = Vec3(d.position.x + 0.1f, 1.0f, d.position.z);
    d.UpdateDefenceTarget(10);
    EXPECT_EQ(d.chasingBall, 1);
    EXPECT_EQ(d.defenceTarget, Vec3(match.ballPredicted.x, 0, match.ballPredicted.z));

    match.ballInHand = true;
    match.Script({RawForPercent(30.0) - 1});
    d.UpdateDefenceTarget(10);
    EXPECT_EQ(d.chasingBall, 0);
    EXPECT_EQ(d.defenceTarget, d.defenceHome);
}

// While a shot is in the air the defender nearest it goes for the rebound as the attacker nearest it
// does, once it comes down within his reach; a defender farther off holds his man. Sent back to his
// man every step, the defender under the basket left the attackers 34-37 % of their misses.
TEST(CourtPlayerMarking, NearestDefenderGoesForAMissedShotComingDownNearHim) {
    FakeMatch match;
    match.ParkSide(0, -8.0f); // the home side defends (0, 0, 10); parked far from it
    CCourtPlayer& d = match.Home(2);
    CCourtPlayer& man = match.Away(2);
    d.marking = &man;
    man.position = Vec3(-5, 0, 4);
    d.position = Vec3(1, 0, 8);
    match.ballInHand = false;
    match.flags.shotInFlight = 1;
    for (const int tactic : {10, 13}) {
        match.ballPredicted = Vec3(0, 3.0f, 9.0f); // above the rim, 1.4 m from him on the floor
        d.defenceTarget = d.position;
        d.UpdateDefenceTarget(tactic);
        EXPECT_EQ(d.defenceTarget, Vec3(0, 0, 9)) << "tactic " << tactic;

        // Beyond his reach he holds his man, as before the shot.
        match.ballPredicted = Vec3(0, 3.0f, d.position.z - CCourtPlayer::kReboundChaseReach - 1.0f);
        d.UpdateDefenceTarget(tactic);
        EXPECT_GT(Vec3Distance(d.defenceTarget, Vec3(0, 0, match.ballPredicted.z)), 1.0f)
            << "tactic " << tactic;
    }
    // Another defender nearer the ball goes for it instead.
    match.ballPredicted = Vec3(0, 3.0f, 9.0f);
    match.Home(3).position = Vec3(0, 0, 9.5f);
    d.defenceTarget = d.position;
    d.UpdateDefenceTarget(13);
    EXPECT_NE(d.defenceTarget, Vec3(0, 0, 9));
}

TEST(CourtPlayerCatch, ReceiverNearTheBallTakesItAndTheInboundEnds) {
    FakeMatch match;
    CCourtPlayer& r = match.Home(1);
    CCourtPlayer& passer = match.Home(0);
    r.awaitingPass = 1;
    r.holdSpot = 1;
    match.Away(3).awaitingPass = 1;
    match.flags.lastPasser = &passer;
    match.flags.inbound = 1;
    match.flags.inbounder = &passer;
    match.flags.foulPending = 1;
    match.ballInHand = false;
    passer.needsNewSpot = 0;

    match.ballPosition = r.position + Vec3(0.5f, 0.5f, 0.5f); // 0.75 squared: close enough
    r.ThinkCatchPass();
    EXPECT_EQ(r.hasBall, 1);
    EXPECT_EQ(r.awaitingPass, 0);
    EXPECT_EQ(match.Away(3).awaitingPass, 0);
    EXPECT_TRUE(match.ballInHand);
    EXPECT_TRUE(match.ballStopped);
    EXPECT_EQ(passer.needsNewSpot, 1);
    EXPECT_EQ(match.flags.lastPasser, nullptr);
    EXPECT_EQ(match.flags.inbound, 0);
    EXPECT_EQ(match.flags.inbounder, nullptr);
    EXPECT_EQ(match.flags.foulPending, 0);
    EXPECT_EQ(r.holdSpot, 0);
    EXPECT_EQ(r.GetCurrentAnimationId(), kAnimIdleBall);
}

// The throw-in's receiver stops where the inbounder aimed: walking on to his spot he let the ball
// fly past him out of the court, and the ball went over unannounced several times a minute.
TEST(CourtPlayerCatch, TheThrowInsReceiverWaitsWhereTheBallIsAimed) {
    FakeMatch match;
    CCourtPlayer& inbounder = match.Home(0);
    CCourtPlayer& r = match.Home(1);
    match.flags.quarter = 1;
    match.flags.inbound = 1;
    match.flags.inbounder = &inbounder;
    inbounder.hasBall = 1;
    match.ballInHand = true;
    for (CCourtPlayer* p : {&inbounder, &r})
        p->attacking = 1;
    r.position = Vec3(0, 0, -3);
    r.walkTarget = r.position;
    r.attackTarget = Vec3(4, 0, -8); // the spot he was walking to
    r.awaitingPass = 1;
    for (int step = 0; step < 5; ++step)
        r.AiUpdate(0.02);
    EXPECT_EQ(r.walkTarget, Vec3(0, 0, -3)) << "he waits for the throw";
    EXPECT_EQ(r.GetCurrentAnimationId(), kAnimIdle);
    EXPECT_EQ(r.awaitingPass, 1);

    // The ball reaches him: he catches it and the throw-in is over.
    match.ballInHand = false;
    inbounder.hasBall = 0;
    match.ballPosition = r.position + Vec3(0.3f, 0.5f, 0.3f);
    r.AiUpdate(0.02);
    EXPECT_EQ(r.hasBall, 1);
    EXPECT_EQ(match.flags.inbound, 0);
}

TEST(CourtPlayerExhaustion, OnlyAVeryTiredPlayerRollingAboveEighteenGetsHurt) {
    FakeMatch match;
    CCourtPlayer& p = match.Home(0);
    p.stamina = 10.0f;
    EXPECT_FALSE(p.CheckExhaustion());
    EXPECT_EQ(match.draws, 0);
    p.stamina = 9.9f;
    match.ScriptRolls({18, 19});
    EXPECT_FALSE(p.CheckExhaustion());
    EXPECT_EQ(p.injured, 0);
    EXPECT_TRUE(p.CheckExhaustion());
    EXPECT_EQ(p.injured, 1);
}

TEST(CourtPlayerSubstitution, CalledOffPlayerAtHisSpotIsExchangedOnce) {
    FakeMatch match;
    CCourtPlayer& out = match.Home(2);
    CCourtPlayer& in = match.Home(8);
    std::snprintf(out.name, sizeof out.name, "%s", "Kovacs");
    out.inSubstitution = 1;
    out.replacement = &in;
    out.attackTarget = out.position;
    match.flags.substitutionRequested = 1;
    match.flags.substitutionSide = 1;

    out.ThinkSubstitutionAttack();
    ASSERT_EQ(match.exchanges.size(), 1u);
    EXPECT_EQ(match.exchanges[0].outId, out.playerId);
    EXPECT_EQ(match.exchanges[0].inId, in.playerId);
    EXPECT_EQ(match.exchanges[0].side, 1);
    ASSERT_EQ(match.eventLines.size(), 1u);
    EXPECT_EQ(match.eventLines[0], "Home: Kovacs <500010>");
    EXPECT_EQ(match.boxScoreRefreshes, 1);
    EXPECT_EQ(match.flags.substitutionRequested, 0);
    EXPECT_EQ(out.replacement, nullptr);
    EXPECT_EQ(out.inSubstitution, 0);

    // Called off with nobody to bring on: the substitution ends without a swap or a line.
    out.inSubstitution = 1;
    match.flags.substitutionRequested = 1;
    out.ThinkSubstitutionAttack();
    EXPECT_EQ(match.exchanges.size(), 1u);
    EXPECT_EQ(match.eventLines.size(), 1u);
    EXPECT_EQ(out.inSubstitution, 0);
    EXPECT_EQ(match.flags.substitutionRequested, 0);
}

namespace {

struct Remarks : ::testing::Test {
    FakeMatch match;
    CCourtPlayer& p = match.Home(0);
    CStaffRecord coach;
    void SetUp() override {
        std::snprintf(p.name, sizeof p.name, "%s", "Lee");
        p.isUserPlayer = 1;
        coach.name = "Bell";
        p.staffFirst = &coach;
    }
    std::string Line(size_t i) const { return match.commentary.lines.at(i).first; }
};

} // namespace

TEST_F(Remarks, EachEventIsToldOnceAsHeaderAndMessage) {
    p.commentDone[3] = 1; // short of breath comes later
    p.stamina = 19.0f;
    p.PostMatchEvents();
    ASSERT_EQ(match.commentary.lines.size(), 2u);
    EXPECT_EQ(Line(0), "<80055> Bell:");
    EXPECT_EQ(Line(1), "<600001>Lee<600003>");
    for (int i = 0; i < 5; ++i) {
        p.PostMatchEvents();
    }
    EXPECT_EQ(match.commentary.lines.size(), 2u);

    // Tiring used the shared flag: foul trouble is not told afterwards, however many fouls.
    p.foulsBooked = 5;
    p.foulsCharged = 5;
    p.PostMatchEvents();
    EXPECT_EQ(match.commentary.lines.size(), 2u);

    // Exhausted is highlighted; short of breath needs a roll below 60 and picks its words by a second.
    p.stamina = 14.0f;
    p.commentDone[3] = 0;
    match.Script({RawForPercent(60.0), RawForPercent(59.0), RawForPercent(95.0)});
    p.PostMatchEvents(); // exhausted, and short of breath rolls 60: not told
    p.PostMatchEvents(); // short of breath rolls 59, then 95
    ASSERT_EQ(match.commentary.lines.size(), 6u);
    EXPECT_EQ(Line(2), "<80055> Bell:");
    EXPECT_EQ(match.commentary.lines[2].second, 1);
    EXPECT_EQ(Line(3), "<600002>Lee<600003>");
    EXPECT_EQ(Line(4), "<80041> Lee:");
    EXPECT_EQ(Line(5), "<600012>");
    p.PostMatchEvents();
    EXPECT_EQ(match.commentary.lines.size(), 6u);
}

TEST_F(Remarks, NoRemarkOnAPlayerAlreadyCalledOff) {
    p.inSubstitution = 1;
    p.stamina = 10.0f;
    p.foulsCharged = 5;
    match.Script({RawForPercent(10.0), RawForPercent(10.0)});
    p.PostMatchEvents();
    EXPECT_TRUE(match.commentary.lines.empty());
}

// A player in foul trouble who has gone to the bench is not warned about, however many fouls he
// has: only the men on court are spoken of.
TEST_F(Remarks, NoRemarkOnAPlayerOnTheBench) {
    p.matchState = kMatchStateOnBench;
    p.foulsCharged = 5;
    p.foulsBooked = 5;
    p.PostMatchEvents();
    EXPECT_TRUE(match.commentary.lines.empty());
    EXPECT_EQ(p.commentDone[0], 0) << "back on court, he can still be warned";
    p.matchState = kMatchStateOnCourt;
    p.PostMatchEvents();
    ASSERT_EQ(match.commentary.lines.size(), 2u);
    EXPECT_EQ(Line(1), "<600001>Lee<600004>");
}

TEST_F(Remarks, FoulTroubleIsToldOnceEvenFromTheSecondCounter) {
    p.foulsCharged = 4;
    p.PostMatchEvents();
    p.PostMatchEvents();
    ASSERT_EQ(match.commentary.lines.size(), 2u);
    EXPECT_EQ(Line(1), "<600001>Lee<600004>");
}

TEST_F(Remarks, PoorShootingGoesToTheSecondStaffSlotWhoseHeaderMayBeEmpty) {
    p.twoPointAttempts = 11;
    p.twoPointersMade = 2; // 18 %
    p.PostMatchEvents();
    ASSERT_EQ(match.commentary.lines.size(), 2u);
    EXPECT_EQ(Line(0), ""); // no staff of the second category: an empty header still goes
    EXPECT_EQ(Line(1), "<600001>Lee<600006>");
}

TEST_F(Remarks, NobodyCommentsOnTheComputersPlayersOrWithoutThePopup) {
    p.stamina = 5.0f;
    p.isUserPlayer = 0;
    p.PostMatchEvents();
    p.isUserPlayer = 1;
    match.commentaryOn = false;
    p.PostMatchEvents();
    EXPECT_TRUE(match.commentary.lines.empty());
    EXPECT_EQ(p.commentDone[0], 0);
}

TEST(CourtPlayerThrow, LaunchDirectionLiftsSidewaysThrowsOnly) {
    Vec3 dir;
    EXPECT_EQ(CCourtPlayer::LaunchDirection(Vec3(1, 0, 0), dir, Vec3(1, 2, 5)), -1.0);
    EXPECT_EQ(dir, Vec3(0, 0, 1));
    CCourtPlayer::LaunchDirection(Vec3(0, 0, 0), dir, Vec3(-2, 0, 0));
    EXPECT_NEAR(dir.x, -std::cos(40.0f * kDegToRad), 1e-5f);
    EXPECT_NEAR(dir.y, std::sin(40.0f * kDegToRad), 1e-5f);
    EXPECT_NEAR(dir.Length(), 1.0f, 1e-5f);
}

TEST(CourtPlayerTimer, FiresPastItsShareOfTheClipAndOnlyForItsModes) {
    ThresholdAccumulator t;
    EXPECT_FALSE(t.Fire(3, 1.0, 0.02, 0)); // 2 % exactly is not past it
    EXPECT_TRUE(t.Fire(3, 1.0, 0.001, 0));
    EXPECT_DOUBLE_EQ(t.time, 0.0);
    EXPECT_FALSE(t.Fire(0, 1.0, 0.025, 3));
    EXPECT_TRUE(t.Fire(0, 1.0, 0.001, 3));
    EXPECT_FALSE(t.Fire(2, 1.0, 5.0, 1));
    EXPECT_FALSE(t.Fire(3, 1.0, 5.0, 4));
    EXPECT_DOUBLE_EQ(t.time, 0.0);
}

TEST(CourtPlayerName, LongNamesAreCutWithoutSplittingACharacter) {
    CCourtPlayer p;
    std::string longName(kCourtPlayerNameSize - 2, 'a');
    longName += "\xC3\xA9\xC3\xA9"; // two-byte characters straddling the end of the buffer
    longName += std::string(9000, 'b');
    p.SetName(longName.c_str());
    EXPECT_EQ(std::string(p.name), std::string(kCourtPlayerNameSize - 2, 'a'));
    p.SetName("Lee");
    EXPECT_STREQ(p.name, "Lee");
    p.SetName(nullptr);
    EXPECT_STREQ(p.name, "");
}
