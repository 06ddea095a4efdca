// What a player would see go wrong in a flat-court match: quarters nobody plays, balls stolen to and
// fro, baskets lost between the box score and the scoreboard, one match leaking into the next, ties.
#include "Match2DFixture.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "match/Formation.h"
#include "match2d/Match2DBatch.h"

#include <algorithm>

namespace {

#ifdef FB_SANITIZED_BUILD
constexpr int kManyMatches = 12;
#else
constexpr int kManyMatches = 300;
#endif

int Attempts(const CMatch2DTeam& team) {
    return team.SumFieldGoalsTaken() + team.SumThreePointersTaken() + team.SumFreeThrowsTaken();
}

// The clock one tick before the end of the running period.
void LastTickOfPeriod(CMatch2D& match) {
    match.minutes = static_cast<float>(match.periodMinutes - 1);
    match.centiseconds = 5997;
    match.seconds = 59.97f;
}

TEST_F(Match2DTest, NewQuarterStartsFromTheTipOffEvenWhenAFreeThrowSeriesWasEnding) {
    GameSrand(3);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team);
    match.TickClock(0);
    // The home shooter has taken both throws as the quarter runs out.
    CMatch2DPlayer* shooter = match.GetHomePlayer(0);
    match.homeBonus = 1;
    shooter->freeThrowShooter = 1;
    shooter->firstThrowTaken = shooter->secondThrowTaken = 1;
    shooter->lineupSpot = 0;
    match.GetHomeTeam()->freeThrowSpot = 5;
    match.GetAwayPlayer(2)->chase = 1;
    match.possessionChanged = 1;
    LastTickOfPeriod(match);
    match.TickClock(0);
    ASSERT_EQ(match.quarter, 2);
    EXPECT_FALSE(match.homeBonus || match.awayBonus);
    EXPECT_FALSE(shooter->freeThrowShooter || shooter->firstThrowTaken || shooter->secondThrowTaken);
    EXPECT_EQ(shooter->lineupSpot, -1);
    EXPECT_EQ(match.GetHomeTeam()->freeThrowSpot, 1);
    EXPECT_FALSE(match.GetAwayPlayer(2)->chase);
    EXPECT_FALSE(match.possessionChanged);
    // And the new quarter is played: somebody takes a shot within two minutes.
    const int before = Attempts(*match.GetHomeTeam()) + Attempts(*match.GetAwayTeam());
    match.RunTicks(4000);
    EXPECT_GT(Attempts(*match.GetHomeTeam()) + Attempts(*match.GetAwayTeam()), before);
}

TEST_F(Match2DTest, BallCannotBeStolenToAndFroWithoutAShot) {
    GameSrand(5);
    ClubBuilder home(1, 12), away(2, 12);
    // Everybody wins every poke at the ball: only the contest's own limits keep play going.
    for (ClubBuilder* club : {&home, &away}) {
        for (auto& p : club->players) {
            p->words[50] = 100; // the steal rating
        }
    }
    Start(home.team, away.team);
    int run = 0;
    int longest = 0;
    int attempts = 0;
    int steals = 0;
    int fouls = 0;
    int mostFoulsInASecond = 0;
    std::vector<int> foulTicks;
    for (int tick = 0; tick < 6000 && !match.IsOver(); ++tick) {
        match.RunTicks(1);
        const int nowAttempts = Attempts(*match.GetHomeTeam()) + Attempts(*match.GetAwayTeam());
        // Balls won: steals and shots challenged away (a blocked miss is a shot, no ball won).
        int nowSteals = 0;
        for (const CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
            for (int i = 0; i < team->PlayerCount(); ++i) {
                nowSteals += team->GetPlayer(i)->ballsWon;
            }
        }
        const int nowFouls = match.GetHomeTeam()->SumFouls() + match.GetAwayTeam()->SumFouls();
        if (nowAttempts > attempts) {
            run = 0;
        }
        run += nowSteals - steals;
        longest = std::max(longest, run);
        for (int f = fouls; f < nowFouls; ++f) {
            foulTicks.push_back(tick);
        }
        attempts = nowAttempts;
        steals = nowSteals;
        fouls = nowFouls;
    }
    for (size_t i = 0; i < foulTicks.size(); ++i) {
        const auto last = std::upper_bound(foulTicks.begin(), foulTicks.end(), foulTicks[i] + 33);
        mostFoulsInASecond = std::max(mostFoulsInASecond, static_cast<int>(last - foulTicks.begin() - i));
    }
    EXPECT_GT(steals, 0);
    EXPECT_GT(attempts, 3);
    EXPECT_LE(longest, 4);
    EXPECT_EQ(match.longestStealRun, longest);
    EXPECT_LE(mostFoulsInASecond, 3);
}

TEST_F(Match2DTest, MadeBasketStaysMadeWhileTheBallIsInTheAir) {
    GameSrand(9);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team);
    match.TickClock(0);
    match.GetHomeTeam()->SetAttacking();
    match.GetAwayTeam()->SetDefending();
    match.GetHomeTeam()->ClearBall();
    match.GetAwayTeam()->ClearBall();
    // A made two on its way, passing a teammate who still thinks a pass is coming to him.
    CMatch2DPlayer* mate = match.GetHomePlayer(1);
    mate->receivingPass = 1;
    match.ball->SetPosition(mate->position);
    match.ball->SetTarget(match.awayInbound);
    match.shotInFlight = 1;
    match.missedShot = 0;
    match.homePending2 = 1;
    const int before = match.GetHomeTeam()->score;
    match.TickClock(0);
    match.ball->Step();
    EXPECT_FALSE(mate->hasBall);
    int ticks = 0;
    while (match.shotInFlight && ticks++ < 2000) {
        match.TickClock(0);
        match.ball->Step();
    }
    EXPECT_EQ(match.GetHomeTeam()->score, before + 2);

    // A second shot while a made one is still in the air does not take the first one back.
    match.GetHomeTeam()->SetAttacking();
    match.shotInFlight = 1;
    match.missedShot = 0;
    match.homePending2 = 1;
    const int scoreBefore = match.GetHomeTeam()->score;
    match.GetHomePlayer(2)->ShootThreePointer();
    EXPECT_EQ(match.GetHomeTeam()->score, scoreBefore + 2);
    EXPECT_FALSE(match.homePending2);
}

TEST_F(Match2DTest, SetupLeavesNothingOfTheLastMatch) {
    GameSrand(13);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team);
    match.RunTicks(5000);
    // The last match ended with the trailing side's switch still on and in overtime.
    match.scoreGapActive = 1;
    match.scoreGapCounter = 9000;
    match.overtimes = 2;
    match.periodMinutes = CMatch2D::kOvertimeMinutes;
    match.stealRun = 3;
    match.Setup();
    EXPECT_EQ(match.scoreGapActive, 0);
    EXPECT_EQ(match.scoreGapCounter, 0);
    EXPECT_EQ(match.overtimes, 0);
    EXPECT_EQ(match.periodMinutes, CMatch2D::kQuarterMinutes);
    EXPECT_EQ(match.stealRun, 0);
    EXPECT_EQ(match.quarter, 0);
    EXPECT_EQ(match.playTicks, 0);
}

TEST_F(Match2DTest, RunAtOnceOrDrawnEachStarterPlaysHisLineupPositionFromHisOwnSpot) {
    // The generated clubs list their five as C, PF, PG, SF, SG; a match run at once played its
    // point guard at small forward and its small forward at point guard.
    static const int kRows[5] = {kPositionCentre, kPositionPowerForward, kPositionPointGuard,
                                 kPositionSmallForward, kPositionShootingGuard};
    ClubBuilder home(1, 12), away(2, 12);
    for (int i = 0; i < 5; ++i) {
        home.players[i]->words[kWordPosition] = home.players[i]->words[kWordPlayedPosition] = kRows[i];
    }
    std::vector<Vec3> drawnSpots;
    for (const bool instant : {false, true}) {
        ASSERT_TRUE(SetupMatch2D(match, &home.team, &away.team, true, instant));
        for (int i = 0; i < 5; ++i) {
            const CMatch2DPlayer& p = *match.GetHomePlayer(i);
            ASSERT_EQ(p.id, home.players[i]->id);
            EXPECT_EQ(p.positionId, kRows[i]) << "his own position stays his";
            EXPECT_EQ(p.positionIdCopy, kRows[i]) << (instant ? "run at once, row " : "drawn, row ") << i;
            const Vec3 spots[3] = {p.startPosition, p.attackSpot, p.defenceSpot};
            for (int k = 0; k < 3; ++k) {
                if (instant) {
                    EXPECT_EQ(spots[k], drawnSpots[static_cast<size_t>(3 * i + k)]) << "row " << i;
                } else {
                    drawnSpots.push_back(spots[k]);
                }
            }
        }
    }

    // Two centres and a guard in the five: still five positions, each with its spots.
    home.players[1]->words[kWordPlayedPosition] = kPositionCentre;
    home.players[4]->words[kWordPosition] = home.players[4]->words[kWordPlayedPosition] = kPositionGuard;
    for (const bool instant : {false, true}) {
        ASSERT_TRUE(SetupMatch2D(match, &home.team, &away.team, true, instant));
        std::vector<int> held;
        for (int i = 0; i < 5; ++i) {
            held.push_back(match.GetHomePlayer(i)->positionIdCopy);
            EXPECT_NE(match.GetHomePlayer(i)->attackSpot, Vec3());
        }
        EXPECT_EQ(held[0], kPositionCentre);
        EXPECT_EQ(held[1], kPositionPowerForward) << "his own position was free";
        std::sort(held.begin(), held.end());
        EXPECT_EQ(held, std::vector<int>({kPositionCentre, kPositionPowerForward, kPositionSmallForward,
                                          kPositionPointGuard, kPositionShootingGuard}));
    }
}

TEST_F(Match2DTest, LevelScoreAfterFourQuartersIsPlayedOnInFiveMinutePeriods) {
    GameSrand(17);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team);
    // Nobody moves: only the clock and the scores we set count.
    for (CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
        for (auto& p : team->players) {
            p->speed = 0.0f;
            p->energy = p->maxEnergy = 1.0e9f;
        }
    }
    int ticks = match.RunTicks(4 * kTicksPerQuarter - 10);
    match.GetHomeTeam()->score = 80;
    match.GetAwayTeam()->score = 80;
    ticks += match.RunTicks(20);
    EXPECT_EQ(match.quarter, 4);
    EXPECT_EQ(match.overtimes, 1);
    EXPECT_FALSE(match.IsOver());
    match.GetHomeTeam()->score = 82;
    ticks += match.RunTicks(kInstantTicksPerFrame);
    EXPECT_TRUE(match.IsOver());
    EXPECT_EQ(match.quarter, 5);
    EXPECT_NEAR(ticks, 4 * kTicksPerQuarter + kTicksPerQuarter * 5 / 12, 2);
}

TEST_F(Match2DTest, HundredsOfSeededMatchesArePlayedOutWithOneWinnerAndTheSameResultForASeed) {
    // Clubs of every class from the league world and the cup world, on the game's defaults and on
    // a random mix of tactics for both sides.
    CMemoryDB league;
    CMemoryDB cup;
    ASSERT_TRUE(LoadWorldData(league, kDataSetLeague));
    ASSERT_TRUE(LoadWorldData(cup, kDataSetEuroCup));
    std::vector<CTeam*> clubs;
    for (CMemoryDB* world : {&league, &cup}) {
        for (int i = 0; i < world->teams.Size(); ++i) {
            if (world->teams.At(i)->players.size() >= 5) {
                clubs.push_back(world->teams.At(i));
            }
        }
    }
    const int each = kManyMatches / 2;
    Match2DBatchFigures all;
    all.Add(PlayMatch2DBatch(match, clubs, each, 29, Match2DBatchTactics::Default));
    all.Add(PlayMatch2DBatch(match, clubs, each, 31, Match2DBatchTactics::Mix));
    EXPECT_EQ(all.matches, 2 * each);
    EXPECT_EQ(all.unfinished, 0);
    EXPECT_EQ(all.quietPeriods, 0);
    EXPECT_LE(all.longestStealRun, 4);
    EXPECT_EQ(all.scoreMismatches, 0);
    EXPECT_EQ(all.level, 0);

    // A seed gives the same match in a fresh engine as after a run of others in this one.
    CMatch2D fresh;
    ASSERT_TRUE(fresh.LoadTactics("\\ini\\InitData.xml"));
    for (int k = 0; k < 3; ++k) {
        CTeam* home = clubs[static_cast<size_t>(k * 7) % clubs.size()];
        CTeam* away = clubs[static_cast<size_t>(k * 7 + 3) % clubs.size()];
        const Match2DTactics t{k, 10 + k, 9 - k, 19 - k};
        GameSrand(400 + k);
        ASSERT_TRUE(PlayMatch2DWithTactics(match, home, away, k % 2 == 0, t));
        const Match2DBox used = BoxScore(*match.GetHomeTeam());
        const int usedAway = match.GetAwayTeam()->score;
        GameSrand(400 + k);
        ASSERT_TRUE(PlayMatch2DWithTactics(fresh, home, away, k % 2 == 0, t));
        const Match2DBox first = BoxScore(*fresh.GetHomeTeam());
        EXPECT_EQ(used.points, first.points) << k;
        EXPECT_EQ(usedAway, fresh.GetAwayTeam()->score) << k;
        EXPECT_EQ(used.threesTaken, first.threesTaken) << k;
        EXPECT_EQ(used.steals, first.steals) << k;
        EXPECT_EQ(used.fouls, first.fouls) << k;
    }
}

} // namespace
