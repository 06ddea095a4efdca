// The 3D roster: who is sent to rest, who comes on, what a substitution hands over, the bench's
// recovery and short rosters.
#include "FakeMatch.h"
#include "match3d/MatchClock.h"

#include <gtest/gtest.h>

using match3dtest::FakeMatch;

TEST(RosterRest, InjuredStarterGoesBeforeALaterTiredOneAndBoundariesAreStrict) {
    FakeMatch match(12);
    CMatchTeam& home = match.teams[0];
    EXPECT_EQ(home.PickPlayerToRest(), -1);

    match.Home(4).stamina = 20.0f; // tired, last place on court
    match.Home(2).injured = 1;     // hurt, still fresh
    EXPECT_EQ(home.PickPlayerToRest(), match.Home(2).playerId);

    match.Home(2).injured = 0;
    EXPECT_EQ(home.PickPlayerToRest(), match.Home(4).playerId);
    match.Home(4).stamina = 35.0f; // exactly 35 plays on
    EXPECT_EQ(home.PickPlayerToRest(), -1);
    match.Home(4).stamina = 34.99f;
    EXPECT_EQ(home.PickPlayerToRest(), match.Home(4).playerId);
    // A tired bench player is nobody's business here.
    match.Home(4).stamina = 100.0f;
    match.Home(7).stamina = 1.0f;
    EXPECT_EQ(home.PickPlayerToRest(), -1);
}

TEST(RosterRest, SubstituteIsTheFirstFitBenchPlayer) {
    FakeMatch match(12);
    CMatchTeam& home = match.teams[0];
    EXPECT_EQ(home.PickSubstitute(), match.Home(5).playerId);

    match.Home(5).stamina = 40.0f; // exactly 40 is not fit
    match.Home(6).foulsBooked = 4;
    match.Home(6).foulsCharged = 2; // six fouls together
    match.Home(7).injured = 1;
    EXPECT_EQ(home.PickSubstitute(), match.Home(8).playerId);

    for (int i = 5; i < 12; ++i) {
        match.Home(i).stamina = 10.0f;
    }
    EXPECT_EQ(home.PickSubstitute(), -1);
    match.Home(11).injured = 1; // the last one examined is hurt
    EXPECT_EQ(home.PickSubstitute(), -2);
}

TEST(RosterRest, FoulTroubleIsRestedForASubstituteWithFewerFouls) {
    FakeMatch match(12);
    CMatchTeam& home = match.teams[0];
    match.flags.quarter = 3; // four fouls are trouble in the third quarter
    match.Home(3).personalFouls = 3;
    EXPECT_EQ(home.PickPlayerToRest(), -1);
    match.Home(3).personalFouls = 4;
    EXPECT_EQ(home.PickPlayerToRest(), match.Home(3).playerId);
    // A bench player in foul trouble himself does not come on.
    match.Home(5).personalFouls = 4;
    EXPECT_EQ(home.PickSubstitute(), match.Home(6).playerId);
}

namespace {

// Twelve at 80 stamina, the first five on court and marked the starters.
CMatchTeam& StartTwelveFresh(FakeMatch& match) {
    for (int i = 0; i < 12; ++i) {
        match.Home(i).stamina = match.Home(i).staminaMax = 80.0f;
        match.Home(i).matchState = i < 5 ? kMatchStateOnCourt : kMatchStateOnBench;
    }
    match.teams[0].MarkStarters();
    return match.teams[0];
}

} // namespace

// A starter rested by the rule goes back on once he has his legs again (four fifths of his
// fitness), for the most tired of those on court who did not start; one taken off otherwise, one in
// foul trouble or hurt stays on the bench.
TEST(RosterReturn, ARestedStarterGoesBackOnForTheMostTiredOfThoseWhoDidNotStart) {
    FakeMatch match(12);
    CMatchTeam& home = StartTwelveFresh(match);
    CCourtPlayer* starter = &match.Home(1);
    CCourtPlayer* other = &match.Home(3);
    CCourtPlayer* backup = &match.Home(5);
    CCourtPlayer* second = &match.Home(6);
    home.Substitute(starter->playerId, backup->playerId);
    home.Substitute(other->playerId, second->playerId);
    backup->inSubstitution = second->inSubstitution = 0; // the change's phase is over
    EXPECT_EQ(home.PickStarterToReturn(), -1) << "nobody was rested by the rule";

    starter->rested = 1;
    starter->stamina = (CMatchTeam::kBackShare - 0.01f) * 80.0f;
    EXPECT_EQ(home.PickStarterToReturn(), -1) << "not rested enough yet";
    starter->stamina = CMatchTeam::kBackShare * 80.0f;
    EXPECT_EQ(home.PickStarterToReturn(), starter->playerId);
    backup->stamina = 60.0f;
    second->stamina = 50.0f;
    EXPECT_EQ(home.PickToMakeRoom(), second->playerId) << "the most tired of the bench's players on court";

    starter->personalFouls = 4;
    EXPECT_EQ(home.PickStarterToReturn(), -1) << "in foul trouble";
    starter->personalFouls = 0;
    starter->injured = 1;
    EXPECT_EQ(home.PickStarterToReturn(), -1) << "hurt";
    starter->injured = 0;

    // Back on, he is no longer owed a return; with the five starters on court nobody makes room.
    home.Substitute(second->playerId, starter->playerId);
    EXPECT_EQ(starter->rested, 0);
    home.Substitute(backup->playerId, other->playerId);
    EXPECT_EQ(home.PickToMakeRoom(), -1);
}

// Rested at the threshold, a starter is back on after less than a quarter on the bench. Back at nine
// and a half tenths of his fitness he sat fifteen minutes, and one rested twice played little more
// than 24 minutes.
TEST(RosterReturn, AStarterRestedAtTheThresholdIsBackWithinAQuartersRest) {
    FakeMatch match(12);
    CMatchTeam& home = StartTwelveFresh(match);
    CCourtPlayer* starter = &match.Home(2);
    CCourtPlayer* backup = &match.Home(5);
    home.Substitute(starter->playerId, backup->playerId);
    backup->inSubstitution = 0;
    starter->rested = 1;
    starter->stamina = CMatchTeam::kRestBelow;

    const int ticksPerMinute = static_cast<int>(60.0f / CMatchClock::kStep);
    int ticks = 0;
    while (home.PickStarterToReturn() != starter->playerId && ticks < 48 * ticksPerMinute) {
        home.RecoverBench();
        ++ticks;
    }
    EXPECT_LT(ticks, 12 * ticksPerMinute) << "minutes on the bench: " << ticks / ticksPerMinute;
    EXPECT_GT(ticks, 6 * ticksPerMinute) << "he rests before he goes back";
}

TEST(RosterRest, ShortRostersLookOnlyAtWhatIsThere) {
    FakeMatch six(6);
    EXPECT_EQ(six.teams[0].PickSubstitute(), six.Home(5).playerId);
    six.Home(5).stamina = 10.0f;
    EXPECT_EQ(six.teams[0].PickSubstitute(), -1);

    // Fewer than five: nothing to pick, and the per-frame and rest loops stay inside the roster.
    FakeMatch three(3);
    EXPECT_EQ(three.teams[0].PickSubstitute(), -1);
    three.Home(2).injured = 1;
    EXPECT_EQ(three.teams[0].PickPlayerToRest(), three.Home(2).playerId);
    three.flags.actionCountdown = 10;
    three.teams[0].Think(0.01);
    EXPECT_EQ(three.flags.actionCountdown, 7);
    EXPECT_EQ(three.flags.currentPlayer, 2);
    EXPECT_DOUBLE_EQ(three.Home(2).lastDt, 0.01);
    three.teams[0].RecoverBench();

    CMatchTeam empty;
    EXPECT_EQ(empty.PickPlayerToRest(), -1);
    EXPECT_EQ(empty.PickSubstitute(), -1);
    empty.Think(0.01);
}

TEST(RosterThink, OnlyTheFiveOnCourtThinkAndOnlyWithTheSimulationOn) {
    FakeMatch match(12);
    match.gameClock = 60.0;
    match.teams[0].Think(0.02);
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(match.Home(i).lastDt, 0.02) << i;
        // Playing time is the display clock's to count, second by second, not the thinking's.
        EXPECT_EQ(match.Home(i).secondsOnCourt, 0) << i;
    }
    EXPECT_DOUBLE_EQ(match.Home(5).lastDt, 0.0);

    match.simulationOn = false;
    match.teams[0].Think(0.05);
    EXPECT_DOUBLE_EQ(match.Home(0).lastDt, 0.02);
}

TEST(RosterSubstitute, IncomingPlayerTakesTheSpotTheFormationAndTheMarker) {
    FakeMatch match(12);
    CMatchTeam& home = match.teams[0];
    CCourtPlayer* out = &match.Home(3);
    CCourtPlayer* in = &match.Home(9);
    out->position = Vec3(2.5f, 0, -6.0f);
    out->walkTarget = Vec3(3, 0, -7);
    out->lookDirection = Vec3(0, 0, -1);
    out->homeSpot = Vec3(2, 0, -5);
    out->attackHome = Vec3(4, 0, -8);
    out->defenceHome = Vec3(1, 0, 6);
    out->courtPositionId = 80066;
    out->hasBall = 1;
    out->attacking = 1;
    out->marking = &match.Away(1);
    out->commentDone[0] = out->commentDone[2] = 1;
    in->commentDone[1] = 1;
    in->courtPositionId = 80063;
    match.Away(1).marking = &match.Home(0);
    match.Away(2).marking = out; // the away player guarding the man going off
    match.Away(4).marking = out; // only the first marker is moved

    home.Substitute(out->playerId, in->playerId);

    EXPECT_EQ(home.GetPlayer(3), in);
    EXPECT_EQ(home.GetPlayer(9), out);
    EXPECT_EQ(in->matchState, kMatchStateOnCourt);
    EXPECT_EQ(out->matchState, kMatchStateOnBench);
    EXPECT_EQ(in->position, Vec3(2.5f, 0, -6.0f));
    EXPECT_EQ(in->walkTarget, Vec3(3, 0, -7));
    EXPECT_EQ(in->lookDirection, Vec3(0, 0, -1));
    EXPECT_EQ(in->facing, Vec3(1, 0, 0));
    EXPECT_EQ(out->facing, Vec3(1, 0, 0));
    EXPECT_EQ(in->homeSpot, Vec3(2, 0, -5));
    EXPECT_EQ(in->attackTarget, Vec3(4, 0, -8));
    EXPECT_EQ(in->defenceTarget, Vec3(1, 0, 6));
    EXPECT_EQ(in->courtPositionId, 80066);
    EXPECT_EQ(in->marking, &match.Away(1));
    EXPECT_EQ(in->hasBall, 1);
    EXPECT_EQ(out->hasBall, 0); // the ball is not left on the bench as well
    EXPECT_EQ(in->GetCurrentAnimationId(), kAnimIdleBall);
    EXPECT_EQ(in->cameOn, 1);
    EXPECT_EQ(in->inSubstitution, 1);
    EXPECT_EQ(in->needsNewSpot, 0);
    EXPECT_EQ(in->shown, 1);
    EXPECT_EQ(out->shown, 0);
    EXPECT_EQ(match.Away(2).marking, in);
    EXPECT_EQ(match.Away(4).marking, out);
    EXPECT_EQ(match.Away(1).marking, &match.Home(0));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(in->commentDone[i], 0);
        EXPECT_EQ(out->commentDone[i], 0);
    }
    EXPECT_EQ(home.GetBallHolder(), in);
}

TEST(RosterSubstitute, UnknownIdsChangeNothing) {
    FakeMatch match(12);
    CMatchTeam& home = match.teams[0];
    CCourtPlayer* first = home.GetPlayer(0);
    home.Substitute(first->playerId, 999);
    home.Substitute(999, match.Home(6).playerId);
    home.Substitute(first->playerId, first->playerId);
    EXPECT_EQ(home.GetPlayer(0), first);
    EXPECT_EQ(first->matchState, kMatchStateOnCourt);
    EXPECT_EQ(match.Home(6).matchState, kMatchStateOnBench);
}

TEST(RosterBench, EveryBenchPlaceRecoversAndTheHurtAtAFifth) {
    FakeMatch match(8);
    for (int i = 0; i < 8; ++i) {
        match.Home(i).stamina = 50.0f;
        match.Home(i).staminaMax = 80.0f;
    }
    match.Home(6).injured = 1;
    match.Home(7).stamina = 80.0f; // full already
    match.teams[0].RecoverBench();
    EXPECT_FLOAT_EQ(match.Home(4).stamina, 50.0f);
    EXPECT_FLOAT_EQ(match.Home(5).stamina, 50.0f + CMatchTeam::kRecovery);
    EXPECT_FLOAT_EQ(match.Home(6).stamina, 50.0f + CMatchTeam::kRecovery / 5.0f);
    EXPECT_FLOAT_EQ(match.Home(7).stamina, 80.0f);
}

TEST(RosterReset, EveryPlayerGoesBackToHisSpotWithThePlayFlagsCleared) {
    FakeMatch match(7);
    CCourtPlayer& p = match.Home(6);
    p.SetHomeSpot(1, 0, 2);
    p.position = Vec3(5, 0, 5);
    p.hasBall = p.attacking = p.awaitingPass = 1;
    p.needsNewSpot = 0;
    match.teams[0].ResetPositions();
    EXPECT_EQ(p.position, Vec3(1, 0, 2));
    EXPECT_EQ(p.walkTarget, Vec3(0, 0, 0.2f));
    EXPECT_EQ(p.hasBall + p.attacking + p.awaitingPass, 0);
    EXPECT_EQ(p.needsNewSpot, 1);
}

TEST(RosterBench, RestLiftsFromNoLowerThanEmptyAndStopsAtTheMaximum) {
    FakeMatch match(8);
    for (int i = 5; i < 8; ++i)
        match.Home(i).staminaMax = 80.0f;
    match.Home(5).stamina = -3.0f;    // an instruction at the break took more than he had
    match.Home(6).stamina = 79.9998f; // one step short of full
    match.Home(7).stamina = -1.0f;
    match.Home(7).injured = 1;
    match.teams[0].RecoverBench();
    EXPECT_FLOAT_EQ(match.Home(5).stamina, CMatchTeam::kRecovery);
    EXPECT_FLOAT_EQ(match.Home(6).stamina, 80.0f);
    EXPECT_FLOAT_EQ(match.Home(7).stamina, CMatchTeam::kHurtRecovery);
}
