// The flat court's box score as every engine keeps it: nothing booked after the final whistle,
// every lost ball a turnover of the player who lost it, and blocks, turnovers, steals and fouls at
// basketball's rates.
#include "Match2DFixture.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "match2d/Match2DBatch.h"
#include "match2d/Match2DMatchDay.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// What a tick may book against a player: fouls, an injury, a must-leave flag, his legs.
struct Booked {
    int fouls = 0;
    int hurt = 0;
    int mustLeave = 0;
    float energy = 0.0f;
    bool operator==(const Booked&) const = default;
};

std::vector<Booked> Bookings(CMatch2D& match) {
    std::vector<Booked> all;
    for (CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
        for (int i = 0; i < team->PlayerCount(); ++i) {
            const CMatch2DPlayer* p = team->GetPlayer(i);
            all.push_back({p->Fouls(), p->hurt, p->mustLeave, p->energy});
        }
    }
    return all;
}

void LastTickOfPeriod(CMatch2D& match) {
    match.minutes = static_cast<float>(match.periodMinutes - 1);
    match.centiseconds = 5997;
    match.seconds = 59.97f;
}

} // namespace

// The quarter's end ran its jump ball before it looked whether the match was over: one match in
// ten booked a foul after the buzzer, and a sixth one was nearly all of the flat court's "fouled
// out".
TEST_F(Match2DTest, NothingIsBookedOnceTheLastPeriodHasEnded) {
    // Level after four quarters: overtime starts from a jump ball that one side wins.
    {
        GameSrand(3);
        ClubBuilder home(1, 12), away(2, 12);
        Start(home.team, away.team);
        match.TickClock(0);
        match.quarter = 4;
        match.GetHomeTeam()->score = match.GetAwayTeam()->score = 70;
        LastTickOfPeriod(match);
        match.TickClock(0);
        ASSERT_FALSE(match.IsOver());
        EXPECT_EQ(match.overtimes, 1);
        float d = 0.0f;
        EXPECT_NE(match.GetHomeTeam()->FindBallHolder(Vec3(), d) != nullptr,
                  match.GetAwayTeam()->FindBallHolder(Vec3(), d) != nullptr);
    }
    // Whole matches, overtimes included: the tick that ends the match books nothing.
    const int matches = kSanitizedBuild ? 3 : 30;
    for (int game = 0; game < matches; ++game) {
        SCOPED_TRACE(game);
        GameSrand(100 + game);
        ClubBuilder home(1, 12), away(2, 12);
        Start(home.team, away.team);
        std::vector<Booked> before;
        while (!match.IsOver()) {
            const bool lastMinute = match.quarter == 4 && match.minutes >= match.periodMinutes - 1;
            if (lastMinute) {
                before = Bookings(match);
            }
            match.RunTicks(lastMinute ? 1 : 500);
        }
        EXPECT_TRUE(Bookings(match) == before);
    }
}

// Every ball a side loses is a turnover of the player who lost it, in the field the screens read as
// "TO": only some bad passes were, 0.7-1.7 a side a match.
TEST_F(Match2DTest, EveryLostBallIsBookedAsTheTurnoverOfThePlayerWhoLostIt) {
    GameSrand(11);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team);
    match.TickClock(0);
    CMatch2DTeam& attack = *match.GetAwayTeam();
    CMatch2DTeam& defence = *match.GetHomeTeam();
    CMatch2DPlayer* holder = attack.GetPlayer(0);
    CMatch2DPlayer* defender = defence.GetPlayer(0);
    const auto giveBall = [&](float gap) {
        attack.SetAttacking();
        defence.SetDefending();
        defence.ClearBall();
        attack.ClearBall();
        holder->hasBall = 1;
        holder->position = holder->target = Vec3(0.0f, 0.0f, -6.0f);
        match.ball->SetPosition(holder->position);
        defender->position = holder->position + Vec3(gap, 0.0f, 0.0f);
        defender->nextContestTick = holder->nextContestTick = match.playTicks;
        match.stealRun = 0;
    };
    const auto stolenEverywhere = [&](float target) {
        match.ballStealth.Clear();
        for (float key : {0.0f, 0.5f, 1.0f, 1.5f, 2.0f}) {
            match.ballStealth.AddPoint(key, target);
        }
    };
    int lost = 0;
    // Stolen from the dribbler.
    stolenEverywhere(-100000.0f);
    giveBall(1.0f);
    ASSERT_TRUE(holder->ContestedBy(*defender));
    EXPECT_EQ(defender->Counter(kStatSteals), 1);
    EXPECT_EQ(holder->Counter(kStatPassesFailed), ++lost);
    // Challenged away from the shooter.
    giveBall(1.0f);
    ASSERT_TRUE(holder->ChallengeShooter(defender));
    EXPECT_EQ(holder->Counter(kStatPassesFailed), ++lost);
    // Run into a defender on his body: charged or travelled, and the other side brings the ball in.
    stolenEverywhere(100000.0f);
    holder->SetAttribute(47, 0);    // his passing
    defender->SetAttribute(23, 99); // the defender's defence
    giveBall(0.3f);
    match.possessionChanged = 0;
    ASSERT_TRUE(holder->Dribble());
    EXPECT_FALSE(holder->hasBall);
    EXPECT_TRUE(defence.attacking);
    EXPECT_EQ(defender->Counter(kStatSteals), 1); // no steal of his
    EXPECT_EQ(holder->Counter(kStatPassesFailed), ++lost);
    // The shot clock runs out while he holds the ball.
    giveBall(5.0f);
    attack.ShotClockViolation();
    EXPECT_EQ(holder->Counter(kStatPassesFailed), ++lost);
    // The side's turnovers are its players' lost balls, and the club's record holds them.
    EXPECT_EQ(attack.SumTurnovers(), lost);
    const MatchResult result = Match2DResult(match, &home.team, &away.team);
    EXPECT_EQ(result.away.figures.PassesFailed(), lost);

    // Over a batch of the league world at a new career's defaults every lost ball is booked.
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    CMatch2D batch;
    ASSERT_TRUE(batch.LoadTactics("\\ini\\InitData.xml"));
    batch.hooks.substituteNeeded = nullptr;
    const Match2DBatchFigures f = PlayMatch2DBatch(batch, ClubsOfClass(world, 1), kSanitizedBuild ? 3 : 30,
                                                   2060, Match2DBatchTactics::NewCareer);
    EXPECT_GT(f.total.turnovers, 0);
    EXPECT_EQ(f.total.bookedTurnovers, f.total.turnovers);
}

// Blocks, turnovers, steals and fouls a side a match at a new career's defaults, as the quick
// results and the 3D match count them: the flat court blocked 0.14-0.29 shots a side, booked 0.7-1.7
// turnovers and fouled about 17.5 times.
TEST_F(Match2DTest, ASidesBlocksTurnoversStealsAndFoulsStandAtBasketballsRates) {
    // A block is a missed shot stopped by a defender within reach; a made one is nobody's block.
    {
        GameSrand(13);
        ClubBuilder home(1, 12), away(2, 12);
        Start(home.team, away.team);
        match.TickClock(0);
        CMatch2DPlayer* shooter = match.GetAwayPlayer(0);
        CMatch2DPlayer* defender = match.GetHomePlayer(0);
        match.blockingTargets.Clear();
        for (float key : {0.0f, 0.5f, 1.0f, 1.5f, 2.0f}) {
            match.blockingTargets.AddPoint(key, -100000.0f);
        }
        const auto shoot = [&](float gap, float shotTarget) {
            match.GetAwayTeam()->SetAttacking();
            match.GetHomeTeam()->SetDefending();
            match.GetHomeTeam()->ClearBall();
            match.GetAwayTeam()->ClearBall();
            for (int i = 0; i < kCourtPlayers; ++i) { // the others far off
                match.GetHomePlayer(i)->position = Vec3(6.0f, 0.0f, 13.0f);
            }
            shooter->hasBall = 1;
            shooter->position = Vec3(0.0f, 0.0f, -8.0f);
            defender->position = shooter->position + Vec3(gap, 0.0f, 0.0f);
            match.twoPointModifier.Clear();
            match.dunkingModifier.Clear();
            for (int key = 0; key <= 10; ++key) {
                match.twoPointModifier.AddPoint(static_cast<float>(key), shotTarget);
                match.dunkingModifier.AddPoint(static_cast<float>(key), shotTarget);
            }
            shooter->Shoot();
        };
        shoot(1.0f, 100000.0f); // missed at a defender a metre off
        EXPECT_EQ(defender->Counter(kStatBlocks), 1);
        EXPECT_EQ(shooter->Counter(kStatChallengeLosses), 1);
        EXPECT_EQ(defender->ballsWon, 0); // the miss goes to the rebound
        shoot(1.0f, -100000.0f);          // made
        shoot(3.0f, 100000.0f);           // missed, nobody near
        EXPECT_EQ(defender->Counter(kStatBlocks), 1);
        EXPECT_EQ(shooter->Counter(kStatFieldGoalsTaken), 3);
    }
    // Seeded batches of every league class on a new career's tactics, the user's side run at once
    // and watched.
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    CMatch2D batch; // the shipped curves, not the ones changed above
    ASSERT_TRUE(batch.LoadTactics("\\ini\\InitData.xml"));
    batch.hooks.substituteNeeded = nullptr;
    for (const Match2DBatchTactics tactics : {Match2DBatchTactics::NewCareer, Match2DBatchTactics::Watched}) {
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            SCOPED_TRACE(leagueClass);
            const Match2DBatchFigures f =
                PlayMatch2DBatch(batch, ClubsOfClass(world, leagueClass), kSanitizedBuild ? 2 : 40,
                                 2070 + leagueClass, tactics);
            PrintMatch2DRow(tactics == Match2DBatchTactics::Watched ? "watched" : "at once", f);
            const Match2DBox& t = f.total;
            EXPECT_EQ(f.forfeits, 0);
            if (kSanitizedBuild) {
                continue;
            }
            EXPECT_GE(f.PerSide(t.blocks), 3.0);
            EXPECT_LE(f.PerSide(t.blocks), 6.0);
            EXPECT_GE(f.PerSide(t.bookedTurnovers), 10.0);
            EXPECT_LE(f.PerSide(t.bookedTurnovers), 18.0);
            EXPECT_GE(f.PerSide(t.steals), 5.0);
            EXPECT_LE(f.PerSide(t.steals), 10.0);
            EXPECT_GE(f.PerSide(t.fouls), 15.0);
            EXPECT_LE(f.PerSide(t.fouls), 25.0);
            EXPECT_LE(static_cast<double>(f.time.fouledOut) / f.Sides(), 0.3);
        }
    }
}

// Each player steps 2.0 over his own speed rating, so a club whose five rated slow was the faster
// side: eight points under its class it stole a quarter more balls and lost a quarter fewer than
// the same club at its own ratings, where the quick results count every club of a class alike.
TEST_F(Match2DTest, ASquadRatedSlowAllThroughIsNotTheFasterSide) {
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    std::vector<CTeam*> others = ClubsOfClass(world, 0);
    CTeam* club = others.front();
    others.erase(others.begin());
    CMatch2D batch;
    ASSERT_TRUE(batch.LoadTactics("\\ini\\InitData.xml"));
    batch.hooks.substituteNeeded = nullptr;
    const auto play = [&] {
        Match2DBatchFigures f = PlayMatch2DBatch(batch, {club}, kSanitizedBuild ? 2 : 160, 2090,
                                                 Match2DBatchTactics::NewCareer, &others);
        return f.Club(club).box;
    };
    const Match2DBox asRated = play();
    for (CPlayer* p : club->players) {
        p->words[11] -= 8;
    }
    const Match2DBox slow = play();
    std::printf("a five rated 8 under / as rated: steals %d/%d turnovers %d/%d blocks %d/%d fouls %d/%d\n",
                slow.steals, asRated.steals, slow.bookedTurnovers, asRated.bookedTurnovers, slow.blocks,
                asRated.blocks, slow.fouls, asRated.fouls);
    if (kSanitizedBuild) {
        return;
    }
    for (int Match2DBox::*figure : {&Match2DBox::steals, &Match2DBox::bookedTurnovers}) {
        const double ratio = static_cast<double>(slow.*figure) / std::max(asRated.*figure, 1);
        EXPECT_GT(ratio, 0.85);
        EXPECT_LT(ratio, 1.15);
    }
}
