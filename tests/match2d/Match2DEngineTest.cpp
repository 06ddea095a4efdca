// The flat-court match object: clock and quarters, substitutions, forfeits, the score-gap switch,
// free-throw series, rebounds and the team searches.
#include "Match2DFixture.h"
#include "match/Formation.h"
#include "match2d/Match2DMatchDay.h"

#include <algorithm>
#include <cmath>

namespace {

// Players that never move and never run out of breath only let the clock run.
void MakeStatues(CMatch2D& match) {
    for (CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
        for (auto& p : team->players) {
            p->speed = 0.0f;
            p->energy = p->maxEnergy = 1.0e9f;
        }
    }
}

TEST_F(Match2DTest, ClockRunsFourQuartersOfTwelveMinutesWithBreaksOnlyWhenWatched) {
    GameSrand(7);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, true);
    MakeStatues(match);
    match.GetHomeTeam()->score = 1; // a level score would be played on
    int ticks = match.RunTicks(95990);
    EXPECT_EQ(ticks, 95990);
    EXPECT_EQ(match.quarter, 4);
    ticks += match.RunTicks(kInstantTicksPerFrame);
    EXPECT_EQ(match.quarter, 5);
    EXPECT_NEAR(ticks, 96000, 2);

    // Watched: the clock stops after quarters 1, 2 and 3, never after the fourth.
    int breaks = 0;
    match.hooks.quarterBreak = [&breaks] { ++breaks; };
    Start(home.team, away.team, true, false);
    MakeStatues(match);
    match.GetHomeTeam()->score = 1;
    int total = 0;
    while (!match.IsOver() && total < 200000) {
        total += match.RunTicks(kInstantTicksPerFrame);
        if (match.paused) {
            EXPECT_EQ(match.minutes, 0.0f);
            match.paused = 0; // the screen resumes
        }
    }
    EXPECT_EQ(breaks, 3);
    EXPECT_EQ(match.quarter, 5);
}

TEST_F(Match2DTest, ComputerReplacesFouledOutPlayersAndForfeitsOnlyWhenItCannotFieldFive) {
    GameSrand(11);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, false);
    match.TickClock(0); // tip-off
    CMatch2DTeam& team = *match.GetAwayTeam();
    // A small forward in foul trouble makes way for the bench's small forward; the first bench
    // player (a centre) has five fouls himself and is passed over anyway.
    team.GetPlayer(kCourtPlayers)->defenceFouls = 5;
    const int firstCleanId = team.GetPlayer(kCourtPlayers + 2)->id;
    ASSERT_EQ(team.GetPlayer(kCourtPlayers + 2)->positionId, kPositionSmallForward);
    CMatch2DPlayer* fouled = match.GetAwayPlayer(2);
    ASSERT_EQ(fouled->positionId, kPositionSmallForward);
    fouled->defenceFouls = 5;
    events.clear();
    match.UpdateRules();
    EXPECT_EQ(fouled->MatchState(), kOnBenchState);
    EXPECT_EQ(match.GetAwayPlayer(2)->id, firstCleanId);
    EXPECT_EQ(match.GetAwayPlayer(2)->MatchState(), kOnCourtState);
    EXPECT_EQ(match.GetAwayPlayer(2)->teamNumber, 2);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events[0].name, fouled->name);
    EXPECT_FALSE(events[0].home);
    EXPECT_FALSE(match.IsOver());
    // The next rules pass leaves the new line-up alone: nobody swaps back and forth.
    events.clear();
    match.UpdateRules();
    EXPECT_EQ(match.GetAwayPlayer(2)->id, firstCleanId);
    EXPECT_TRUE(events.empty());

    // Only players with five or more fouls, or who must leave, on the bench.
    for (int i = kCourtPlayers; i < team.PlayerCount(); ++i) {
        CMatch2DPlayer* bench = team.GetPlayer(i);
        if (i % 2 == 0) {
            bench->mustLeave = 1;
        } else {
            bench->attackFouls = 3;
            bench->defenceFouls = 3;
        }
    }
    // A five-foul player is then kept on; a sixth foul brings on the one with five.
    CMatch2DPlayer* five = team.GetPlayer(kCourtPlayers);
    five->attackFouls = 2;
    match.GetAwayPlayer(0)->attackFouls = 5;
    const int firstId = match.GetAwayPlayer(0)->id;
    match.UpdateRules();
    EXPECT_EQ(match.GetAwayPlayer(0)->id, firstId);
    match.GetAwayPlayer(0)->attackFouls = 6;
    match.UpdateRules();
    EXPECT_EQ(match.GetAwayPlayer(0), five);
    // A sixth foul with nobody eligible left: the side cannot field five and forfeits, 0:2.
    match.GetHomeTeam()->score = 10;
    team.score = 40;
    match.GetAwayPlayer(3)->defenceFouls = 6;
    match.UpdateRules();
    EXPECT_EQ(match.quarter, 5);
    EXPECT_TRUE(match.forfeited);
    EXPECT_EQ(match.GetHomeTeam()->score, 2);
    EXPECT_EQ(team.score, 0);
    match.TickClock(0); // nothing after the end
    EXPECT_EQ(team.score, 0);
}

TEST_F(Match2DTest, FouledOutPlayersNeverComeBackNotEvenForOneWhoMustLeave) {
    GameSrand(12);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, false);
    match.TickClock(0);
    CMatch2DTeam& team = *match.GetAwayTeam();
    for (int i = kCourtPlayers; i < team.PlayerCount(); ++i) {
        team.GetPlayer(i)->defenceFouls = 6;
    }
    CMatch2DPlayer* clean = team.GetPlayer(11); // the last of the twelve
    clean->defenceFouls = 0;
    CMatch2DPlayer* hurt = match.GetAwayPlayer(4);
    hurt->mustLeave = 1;
    match.UpdateRules();
    EXPECT_EQ(clean->MatchState(), kOnCourtState);
    EXPECT_EQ(hurt->MatchState(), kOnBenchState);
    EXPECT_FALSE(match.IsOver());
    match.GetAwayPlayer(1)->mustLeave = 1; // only fouled-out players and the hurt one are left
    match.UpdateRules();
    EXPECT_TRUE(match.forfeited);
    EXPECT_EQ(team.score, 0);
    for (int i = 0; i < kCourtPlayers; ++i) {
        EXPECT_LT(match.GetAwayPlayer(i)->Fouls(), 6);
    }
}

TEST_F(Match2DTest, UserSideIsAskedWhenWatchedAndHandledLikeTheComputerInAnInstantRun) {
    GameSrand(13);
    ClubBuilder home(1, 12), away(2, 12);
    int popups = 0;
    int messages = 0;
    match.hooks.leavePopup = [&popups](const CStr&, int reason) {
        EXPECT_EQ(reason, 0);
        ++popups;
    };
    match.hooks.substituteNeeded = [&messages](int reason) {
        EXPECT_EQ(reason, 0);
        ++messages;
    };
    Start(home.team, away.team, true, false);
    match.TickClock(0);
    match.GetHomePlayer(1)->defenceFouls = 5; // five is not yet out for the user's side
    match.UpdateRules();
    EXPECT_FALSE(match.paused);
    match.GetHomePlayer(1)->defenceFouls = 6;
    match.UpdateRules();
    EXPECT_TRUE(match.paused);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(messages, 1);
    const float minutes = match.minutes;
    match.TickClock(0);
    EXPECT_EQ(match.minutes, minutes); // paused clock
    // Nobody left to bring on: he is told, and the side cannot field five.
    match.paused = 0;
    popups = messages = 0;
    for (int i = kCourtPlayers; i < match.GetHomeTeam()->PlayerCount(); ++i) {
        match.GetHomePlayer(i)->mustLeave = 1;
    }
    match.UpdateRules();
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(messages, 0);
    EXPECT_TRUE(match.forfeited);
    EXPECT_EQ(match.GetHomeTeam()->score, 0);

    // Instant: no pause, no popup; the player is replaced and the match is played out.
    popups = messages = 0;
    Start(home.team, away.team, true, true);
    match.TickClock(0);
    CMatch2DPlayer* fouledOut = match.GetHomePlayer(1);
    fouledOut->defenceFouls = 6;
    match.RunTicks(kInstantTicksPerFrame);
    EXPECT_EQ(match.quarter, 5);
    EXPECT_FALSE(match.forfeited);
    EXPECT_EQ(fouledOut->MatchState(), kOnBenchState);
    EXPECT_EQ(popups, 0);
    EXPECT_EQ(messages, 0);
}

TEST_F(Match2DTest, TrailingComputerSideSwitchesFormationAtMostOncePer10000Ticks) {
    GameSrand(17);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, false, true); // the user is the away side
    std::vector<int> switches;
    for (int tick = 0; tick < 60000 && !match.IsOver(); ++tick) {
        match.GetAwayTeam()->score = std::max(match.GetAwayTeam()->score, match.GetHomeTeam()->score + 30);
        const uint8_t before = match.scoreGapActive;
        const int counterBefore = match.scoreGapCounter;
        match.TickClock(0);
        match.ball->Step();
        ASSERT_FALSE(match.IsOver()) << tick << " forfeit " << int(match.forfeited);
        // A switch starts the window afresh (the old window may end on the same tick).
        if (match.scoreGapActive && (!before || match.scoreGapCounter < counterBefore)) {
            switches.push_back(tick);
        }
        const int attack = match.GetHomeTeam()->attackTacticId;
        const int defence = match.GetHomeTeam()->defenceTacticId;
        EXPECT_TRUE(attack >= 0 && attack <= 9 && defence >= 10 && defence <= 18);
        // The user's side keeps its own choice.
        ASSERT_EQ(match.GetAwayTeam()->attackTacticId, 0);
    }
    ASSERT_GE(switches.size(), 5u);
    for (size_t i = 1; i < switches.size(); ++i) {
        EXPECT_GE(switches[i] - switches[i - 1], 10000);
    }
}

// Rolls forced by the curves: a huge target always misses, a zero target always succeeds.
void SetFreeThrowKeys(CMatch2D& match, bool make) {
    match.twoPointModifier.Clear();
    for (int key = 0; key <= 30; ++key) {
        match.twoPointModifier.AddPoint(static_cast<float>(key), make ? 0.0f : 10000.0f);
    }
    match.twoPointModifier.AddPoint(99.0f, make ? 0.0f : 10000.0f); // the free-throw line's row
}

TEST_F(Match2DTest, FreeThrowSeriesLinesUpInsideTheTablesAndScoresOnlyWhatWasMade) {
    GameSrand(19);
    ClubBuilder home(1, 12), away(2, 12);
    for (int series = 0; series < 3; ++series) {
        Start(home.team, away.team, true, true);
        match.TickClock(0);
        match.ball->Step();
        // The away side commits its sixth foul: the home side shoots two.
        match.GetAwayTeam()->teamFouls = 6;
        match.lastFouled = match.GetHomePlayer(3);
        SetFreeThrowKeys(match, series != 1);
        const int before = match.GetHomeTeam()->score;
        const int awayBefore = match.GetAwayTeam()->score;
        match.TickClock(0);
        ASSERT_TRUE(match.homeBonus);
        EXPECT_TRUE(match.GetHomePlayer(3)->freeThrowShooter);
        bool swapped = false;
        int ticks = 0;
        while (match.homeBonus && ticks < 20000) {
            if (series == 2 && !swapped && match.GetHomePlayer(3)->firstThrowTaken && !match.shotInFlight) {
                SetFreeThrowKeys(match, true); // a miss, then a make
                swapped = true;
            }
            if (series == 2 && !swapped) {
                SetFreeThrowKeys(match, false);
            }
            match.TickClock(0);
            match.ball->Step();
            ++ticks;
            for (CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
                for (auto& p : team->players) {
                    ASSERT_GE(p->lineupSpot, -1);
                    ASSERT_LE(p->lineupSpot, 4);
                }
            }
        }
        ASSERT_FALSE(match.homeBonus) << "series " << series;
        int made = 0;
        int taken = 0;
        match.GetHomeTeam()->GetFreeThrowTotals(made, taken);
        EXPECT_EQ(taken, 2);
        EXPECT_EQ(made, series == 0 ? 2 : (series == 1 ? 0 : 1));
        EXPECT_EQ(match.GetHomeTeam()->score - before, made);
        EXPECT_EQ(match.GetAwayTeam()->score, awayBefore);
        EXPECT_EQ(match.GetHomeTeam()->freeThrowSpot, 1);
        EXPECT_EQ(match.GetAwayTeam()->freeThrowSpot, 1);
        EXPECT_TRUE(match.GetAwayTeam()->attacking); // the ball goes over after the series
        EXPECT_FALSE(match.missedShot);
        EXPECT_FALSE(match.homePending1 || match.awayPending1);
    }
}

TEST_F(Match2DTest, ReboundGoesMostlyToTheBetterRebounderUnderTheBasketElseToTheNearer) {
    GameSrand(23);
    ClubBuilder home(1, 10), away(2, 10);
    Start(home.team, away.team, true, true);
    match.TickClock(0);
    for (CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
        for (int i = 0; i < kCourtPlayers; ++i) {
            team->GetPlayer(i)->position =
                Vec3(-6.0f + i, 0.0f, team == match.GetHomeTeam() ? -10.0f : 10.0f);
        }
    }
    match.GetHomeTeam()->SetAttacking();
    match.GetAwayTeam()->SetDefending();
    match.ball->SetTarget(0.0f, 0.0f, 11.0f);
    CMatch2DPlayer* home0 = match.GetHomePlayer(0);
    CMatch2DPlayer* away0 = match.GetAwayPlayer(0);
    home0->position = Vec3(0.0f, 0.0f, 11.6f); // farther than the away player
    away0->position = Vec3(0.0f, 0.0f, 10.5f);
    home0->SetAttribute(14, 60);
    away0->SetAttribute(14, 50);
    home0->attacking = 1;
    away0->attacking = 0;
    // Two fives rated alike overall: the duel alone decides (the better five's edge is its own rule).
    for (CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
        for (int i = 0; i < kCourtPlayers; ++i) {
            team->GetPlayer(i)->overall = 55.0f;
        }
    }
    // Each the die and his rating: ten points up, the better one takes about six balls in seven.
    // Taking every such ball, a side whose big man rated a point higher won them all at both ends:
    // offensive rebounds 25-3 in a match.
    const auto homeShare = [&](int rebounds) {
        int taken = 0;
        for (int i = 0; i < rebounds; ++i) {
            home0->rebound = away0->rebound = 0;
            match.ResolveRebound();
            EXPECT_NE(home0->rebound, away0->rebound);
            taken += home0->rebound;
        }
        return taken;
    };
    const int homeBalls = homeShare(1000);
    EXPECT_GT(homeBalls, 820);
    EXPECT_LT(homeBalls, 900);
    EXPECT_EQ(home0->Counter(kStatOffensiveRebounds), homeBalls);
    EXPECT_EQ(away0->Counter(kStatDefensiveRebounds), 1000 - homeBalls);
    EXPECT_EQ(home0->target, match.ball->target);
    home0->SetAttribute(14, 50); // equal ratings: about even, a level roll to the nearer
    const int evenBalls = homeShare(1000);
    EXPECT_GT(evenBalls, 430);
    EXPECT_LT(evenBalls, 520);
    home0->SetAttribute(14, 90); // forty points up: always
    EXPECT_EQ(homeShare(100), 100);
    const int offensive = home0->Counter(kStatOffensiveRebounds);

    home0->rebound = away0->rebound = 0;
    home0->SetAttribute(14, 99);
    home0->position = Vec3(0.0f, 0.0f, 13.0f); // beyond 1.5: distance decides
    match.ResolveRebound();
    EXPECT_TRUE(away0->rebound);

    // The defender boxes out: trailing the attacker by 1.3 m he still takes the ball.
    for (int i = 1; i < kCourtPlayers; ++i) {
        match.GetAwayPlayer(i)->position = Vec3(-6.0f + i, 0.0f, 0.0f);
    }
    away0->rebound = 0;
    home0->position = Vec3(0.0f, 0.0f, 12.6f);
    away0->position = Vec3(0.0f, 0.0f, 8.1f);
    match.ResolveRebound();
    EXPECT_TRUE(away0->rebound);
    EXPECT_FALSE(home0->rebound);
    away0->rebound = 0;
    away0->position = Vec3(0.0f, 0.0f, 6.0f); // 3.4 m behind: the attacker's ball
    match.ResolveRebound();
    EXPECT_TRUE(home0->rebound);
    EXPECT_EQ(home0->Counter(kStatOffensiveRebounds), offensive + 1);
}

TEST_F(Match2DTest, TipOffFoulIsCountedOnceAndBadTacticIdsFallBackToTheDefaults) {
    ClubBuilder home(1, 12), away(2, 12);
    // No jumper can win the ball: every contest is a foul, an injury or nothing.
    int fouls = 0;
    for (unsigned int seed = 1; seed <= 400 && fouls == 0; ++seed) {
        GameSrand(seed);
        Start(home.team, away.team, true, true);
        match.ballStealth.Clear();
        for (float key : {0.0f, 0.5f, 1.0f, 1.5f, 2.0f}) {
            match.ballStealth.AddPoint(key, 100000.0f);
        }
        match.TickClock(0);
        for (CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
            EXPECT_EQ(team->GetTeamFouls(), team->SumFouls());
            EXPECT_LE(team->SumFouls(), 1);
            fouls += team->SumFouls();
        }
    }
    EXPECT_GT(fouls, 0);

    // A tactic id without a formation plays the default offence or defence, for that side alone.
    Start(home.team, away.team, true, true);
    ASSERT_TRUE(SetupMatch2D(match, &home.team, &away.team, false, true, 42, 77));
    EXPECT_EQ(match.GetAwayTeam()->attackTacticId, 0);
    EXPECT_EQ(match.GetAwayTeam()->defenceTacticId, 10);
    EXPECT_EQ(match.GetHomeTeam()->defenceTacticId, 13);
    EXPECT_NE(match.GetAwayPlayer(0)->attackSpot, Vec3());
    ASSERT_TRUE(SetupMatch2D(match, &home.team, &away.team, true, true, 5, 99));
    EXPECT_EQ(match.GetHomeTeam()->attackTacticId, 5);
    EXPECT_EQ(match.GetHomeTeam()->defenceTacticId, 10);
}

TEST_F(Match2DTest, TeamSearchesAndSumsCoverTheWholeSquad) {
    GameSrand(29);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, true);
    CMatch2DTeam& team = *match.GetHomeTeam();
    ASSERT_EQ(team.PlayerCount(), kMatchSquad);
    for (int i = 0; i < kCourtPlayers; ++i) {
        EXPECT_EQ(team.GetPlayer(i)->MatchState(), kOnCourtState);
    }
    EXPECT_EQ(team.GetPlayer(12)->MatchState(), 0); // empty places of a twelve-man club
    EXPECT_EQ(team.GetPlayer(15), nullptr);
    EXPECT_EQ(team.GetPlayer(-1), nullptr);

    float d = 0.0f;
    for (int i = 0; i < kCourtPlayers; ++i) {
        team.GetPlayer(i)->position = Vec3(0.0f, 0.0f, 100000.0f);
    }
    EXPECT_EQ(team.FindNearest(Vec3(), d, nullptr), nullptr);
    team.GetPlayer(3)->position = Vec3(1.0f, 0.0f, 0.0f);
    team.GetPlayer(4)->position = Vec3(-1.0f, 0.0f, 0.0f);
    EXPECT_EQ(team.FindNearest(Vec3(), d, nullptr), team.GetPlayer(3)); // first of equals
    EXPECT_EQ(team.FindNearest(Vec3(), d, team.GetPlayer(3)), team.GetPlayer(4));

    for (int i = 0; i < kCourtPlayers; ++i) {
        team.GetPlayer(i)->energy = CMatch2DTeam::kRestBelow + 5.0f;
    }
    EXPECT_EQ(team.FindTired(), -1);
    team.GetPlayer(2)->energy = CMatch2DTeam::kRestBelow - 1.0f;
    EXPECT_EQ(team.FindTired(), team.GetPlayer(2)->id);
    for (int i = kCourtPlayers; i < 12; ++i) {
        team.GetPlayer(i)->energy = 39.0f;
    }
    EXPECT_EQ(team.FindRestedBenchPlayer(), -1);
    EXPECT_EQ(team.FindBenchPlayer(), team.GetPlayer(5)->id);
    team.GetPlayer(7)->energy = 40.0f;
    EXPECT_EQ(team.FindRestedBenchPlayer(), team.GetPlayer(7)->id);

    // A substituted player's figures stay in the team's sums.
    team.GetPlayer(2)->Counter(kStatFieldGoalsMade) = 4;
    team.GetPlayer(2)->Counter(kStatFieldGoalsTaken) = 9;
    const int outId = team.GetPlayer(2)->id;
    team.Substitute(outId, team.GetPlayer(7)->id);
    int index = 0;
    EXPECT_EQ(team.FindById(outId, index)->MatchState(), kOnBenchState);
    EXPECT_EQ(index, 7);
    EXPECT_EQ(team.SumFieldGoalsMade(), 4);
    EXPECT_EQ(team.SumFieldGoalsTaken(), 9);
}

TEST_F(Match2DTest, SpeedRatingsBelowOneCountAsOneAndKeepTheMatchFinite) {
    EXPECT_FLOAT_EQ(CMatch2DPlayer::SpeedForRating(0), 2.0f);
    EXPECT_FLOAT_EQ(CMatch2DPlayer::SpeedForRating(-5), 2.0f);
    EXPECT_FLOAT_EQ(CMatch2DPlayer::SpeedForRating(50), 0.04f);

    GameSrand(31);
    ClubBuilder home(1, 12), away(2, 12);
    for (auto& p : home.players) {
        p->SkillValue(3) = 0; // speed rating
    }
    Start(home.team, away.team, true, true);
    match.RunTicks(kInstantTicksPerFrame);
    EXPECT_EQ(match.quarter, 5);
    for (auto& p : match.GetHomeTeam()->players) {
        EXPECT_TRUE(std::isfinite(p->position.x) && std::isfinite(p->position.z));
    }
}

} // namespace

// Inside a run the bench's rest is added when read and the court alert is looked at only after a
// foul, a must-leave flag, a substitution or enough play to tire someone: neither may change what a
// tick-by-tick look would have found.
TEST_F(Match2DTest, RunTicksSeesBenchRestAndCourtAlertsAsEveryTickWould) {
    GameSrand(7);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, true);
    match.RunTicks(3);
    CMatch2DTeam& side = *match.GetAwayTeam();
    CMatch2DPlayer* resting = side.GetPlayer(8);
    CMatch2DPlayer* hurt = side.GetPlayer(9);
    resting->maxEnergy = 80.0f;
    resting->energy = 79.5f;
    hurt->maxEnergy = 80.0f;
    hurt->energy = 50.0f;
    hurt->mustLeave = 1;
    float expected = resting->energy;
    for (int t = 0; t < 500; ++t) {
        if (expected < resting->maxEnergy) {
            expected += CMatch2DTeam::kBenchRest;
        }
    }
    match.RunTicks(500);
    EXPECT_EQ(resting->energy, expected); // the same float sum, tick by tick, stopping at the maximum
    EXPECT_LT(resting->energy, resting->maxEnergy + CMatch2DTeam::kBenchRest);
    EXPECT_EQ(hurt->energy, 50.0f); // one who must leave does not recover

    // Flags set between frames (a screen, or here the test) are seen on the next tick.
    const int fouler = side.GetPlayer(1)->id;
    side.GetPlayer(1)->defenceFouls = 4;
    match.RunTicks(1);
    int index = -1;
    ASSERT_NE(side.FindById(fouler, index), nullptr);
    EXPECT_GE(index, kCourtPlayers) << "four fouls: the computer takes him off at once";
    const int leaving = side.GetPlayer(2)->id;
    side.GetPlayer(2)->mustLeave = 1;
    match.RunTicks(1);
    ASSERT_NE(side.FindById(leaving, index), nullptr);
    EXPECT_GE(index, kCourtPlayers);
}

namespace {

// A watched match: the user's tired player is rested as the computer's are, by a fit bench player
// of his position (not the freshest of another), except in the minute after the user's own change; a
// hurt one is left to his window.
TEST_F(Match2DTest, WatchedUserSideIsRestedLikeForLikeUnlessHeHasJustMadeAChange) {
    GameSrand(17);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, false);
    match.TickClock(0);
    CMatch2DTeam& user = *match.GetHomeTeam();
    for (int i = kCourtPlayers; i < user.PlayerCount(); ++i)
        user.GetPlayer(i)->energy = 50.0f;
    const int benchForward = user.GetPlayer(7)->id; // a small forward, fit
    const int freshest = user.GetPlayer(9)->id;     // a shooting guard
    user.GetPlayer(9)->energy = 95.0f;
    const int tiredId = match.GetHomePlayer(2)->id; // the small forward
    match.GetHomePlayer(2)->energy = 15.0f;
    const auto onCourt = [&user](int id) {
        int index = 0;
        return user.FindById(id, index)->MatchState() == kOnCourtState;
    };

    // His own change a moment ago (point guard for point guard) holds the rest back.
    user.UserSubstitute(match.GetHomePlayer(3)->id, user.GetPlayer(8)->id);
    match.UpdateRules();
    EXPECT_TRUE(onCourt(tiredId));
    match.playTicks += CMatch2DTeam::kUserChangeHoldTicks;
    match.UpdateRules();
    EXPECT_FALSE(onCourt(tiredId));
    EXPECT_TRUE(onCourt(benchForward));
    EXPECT_FALSE(onCourt(freshest));
    EXPECT_FALSE(match.paused);

    // Hurt, he waits for the user's pick in the window that asks.
    int asked = 0;
    match.hooks.substituteNeeded = [&asked](int) { ++asked; };
    match.GetHomePlayer(3)->mustLeave = 1;
    match.GetHomePlayer(3)->energy = 5.0f;
    const int hurtId = match.GetHomePlayer(3)->id;
    match.UpdateRules();
    EXPECT_TRUE(onCourt(hurtId));
    EXPECT_TRUE(match.paused);
    EXPECT_EQ(asked, 1);
}

} // namespace

TEST_F(Match2DTest, OnlyAPlayerHurtInABallContestLeavesInjuredOneWornOutIsFitForTheNextMatch) {
    GameSrand(5);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, true);
    match.RunTicks(3);
    CMatch2DPlayer* worn = match.GetHomePlayer(0);
    worn->energy = 0.0f;
    worn->CheckExhaustion();
    ASSERT_TRUE(worn->mustLeave);
    // A ball contest with no chance to win: sooner or later the die shows 20 and he is hurt.
    match.ballStealth.Clear();
    for (int key = 0; key <= 100; ++key)
        match.ballStealth.AddPoint(static_cast<float>(key), 1.0e9f);
    CMatch2DPlayer* contester = match.GetAwayPlayer(1);
    int outcome = 0;
    for (int i = 0; i < 2000 && outcome != 2; ++i) {
        contester->position = Vec3{0.0f, 0.0f, 0.0f};
        outcome = contester->ContestBall(Vec3{0.0f, 0.0f, 0.0f}, false);
    }
    ASSERT_EQ(outcome, 2);
    ASSERT_TRUE(contester->mustLeave);

    const MatchResult result = Match2DResult(match, &home.team, &away.team);
    auto injured = [](const SideMatchResult& side, int playerId) {
        for (const PlayerMatchLine& line : side.players)
            if (line.player != nullptr && line.player->id == playerId)
                return line.figures.Injured();
        return -1;
    };
    EXPECT_EQ(injured(result.home, worn->id), 0) << "worn out, not hurt: no days out";
    EXPECT_EQ(injured(result.away, contester->id), 1);
    EXPECT_EQ(injured(result.home, match.GetHomePlayer(1)->id), 0);
}
