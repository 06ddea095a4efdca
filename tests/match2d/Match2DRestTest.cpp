// The coach's rest on the flat court: a starter the rule took off tired goes back on once he has his
// breath back, on the computer's side and on the user's side while he watches and changes nobody.
#include "Match2DFixture.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "match2d/Match2DBatch.h"

#include <cstdio>

namespace {

bool OnCourt(const CMatch2DTeam& team, int id) {
    int index = 0;
    const CMatch2DPlayer* p = team.FindById(id, index);
    return p != nullptr && p->MatchState() == kOnCourtState;
}

CMatch2DPlayer* Player(const CMatch2DTeam& team, int id) {
    int index = 0;
    return team.FindById(id, index);
}

// The energy a rested starter goes back on at.
float BackOn(const CMatch2DPlayer& p) {
    return CMatch2DTeam::kBackShare * p.maxEnergy;
}

// The rule's picks: which rested starter is ready, and who makes room for him.
TEST_F(Match2DTest, ARestedStarterIsReadyAtHisShareAndTheMostTiredNonStarterMakesRoom) {
    GameSrand(3);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, true);
    CMatch2DTeam& side = *match.GetAwayTeam();
    const int a = side.GetPlayer(1)->id;
    const int b = side.GetPlayer(3)->id;
    const int benchA = side.GetPlayer(5)->id;
    const int benchB = side.GetPlayer(6)->id;
    side.Substitute(a, benchA);
    side.Substitute(b, benchB);
    CMatch2DPlayer& starterA = *Player(side, a);
    CMatch2DPlayer& starterB = *Player(side, b);
    starterA.maxEnergy = starterB.maxEnergy = 80.0f;
    starterA.energy = starterB.energy = 30.0f;
    // Taken off by hand: he stays off however fresh he is.
    starterA.energy = 80.0f;
    EXPECT_EQ(side.FindStarterToReturn(4), -1);
    EXPECT_EQ(side.TicksToStarterReturn(4), -1);

    starterA.restedByRule = starterB.restedByRule = 1;
    starterA.energy = BackOn(starterA) - 3.5f;
    const int wait = side.TicksToStarterReturn(4);
    EXPECT_EQ(side.FindStarterToReturn(4), -1);
    EXPECT_GT(wait, 0);
    EXPECT_LE(wait, static_cast<int>(3.5f / CMatch2DTeam::kBenchRest)); // never later than he is ready

    starterA.energy = BackOn(starterA);
    EXPECT_EQ(side.FindStarterToReturn(4), a);
    EXPECT_EQ(side.TicksToStarterReturn(4), 0);
    starterB.energy = 79.0f;
    EXPECT_EQ(side.FindStarterToReturn(4), b) << "the freshest first";

    // Neither one in foul trouble nor one who had to leave comes back.
    starterB.defenceFouls = 4;
    EXPECT_EQ(side.FindStarterToReturn(4), a);
    starterA.mustLeave = 1;
    EXPECT_EQ(side.FindStarterToReturn(4), -1);
    EXPECT_EQ(side.TicksToStarterReturn(4), -1);

    // Room: the most tired on court who did not start; not one hurt or fouled out, whose own rules
    // take him off.
    Player(side, benchA)->energy = 60.0f;
    Player(side, benchB)->energy = 50.0f;
    side.GetPlayer(0)->energy = 40.0f; // a starter, however tired, stays
    EXPECT_EQ(side.FindToMakeRoom(), benchB);
    Player(side, benchB)->mustLeave = 1;
    EXPECT_EQ(side.FindToMakeRoom(), benchA);
    Player(side, benchA)->attackFouls = 6;
    EXPECT_EQ(side.FindToMakeRoom(), -1);
}

// Neither computer side brings on a substitute without his breath back: the away side took anyone,
// and a tired player and a tired substitute changed places tick after tick.
TEST_F(Match2DTest, TheComputersSubstituteForATiredPlayerHasHisBreathBack) {
    GameSrand(13);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, true);
    match.TickClock(0);
    CMatch2DTeam& side = *match.GetAwayTeam();
    for (int i = kCourtPlayers; i < side.PlayerCount(); ++i)
        side.GetPlayer(i)->energy = 30.0f;
    const int rested = side.GetPlayer(9)->id;
    side.GetPlayer(9)->energy = 60.0f;
    const int tired = side.GetPlayer(0)->id;
    side.GetPlayer(0)->energy = CMatch2DTeam::kRestBelow - 1.0f;
    match.UpdateRules();
    EXPECT_TRUE(OnCourt(side, rested));
    EXPECT_FALSE(OnCourt(side, tired));

    // With nobody fresh enough on the bench, the tired one plays on for now.
    const int next = side.GetPlayer(1)->id;
    side.GetPlayer(1)->energy = CMatch2DTeam::kRestBelow - 1.0f;
    const int changes = side.substitutions;
    for (int t = 0; t < 5; ++t)
        match.UpdateRules();
    EXPECT_TRUE(OnCourt(side, next));
    EXPECT_EQ(side.substitutions, changes);
}

// The computer's coach rests a tired starter and, once he is back at his share, brings him on for
// the most tired player who did not start.
TEST_F(Match2DTest, TheComputerBringsARestedStarterBackForTheMostTiredNonStarter) {
    GameSrand(11);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, true);
    match.TickClock(0);
    CMatch2DTeam& side = *match.GetAwayTeam();
    const int a = side.GetPlayer(1)->id;
    const int b = side.GetPlayer(2)->id;
    side.GetPlayer(1)->energy = CMatch2DTeam::kRestBelow - 1.0f;
    match.UpdateRules();
    ASSERT_FALSE(OnCourt(side, a)) << "rested below the line";
    EXPECT_TRUE(Player(side, a)->restedByRule);
    side.GetPlayer(2)->energy = CMatch2DTeam::kRestBelow - 1.0f;
    match.UpdateRules();
    ASSERT_FALSE(OnCourt(side, b));
    const int inForA = side.GetPlayer(1)->id;
    const int inForB = side.GetPlayer(2)->id;
    ASSERT_FALSE(Player(side, inForA)->startedMatch);

    Player(side, inForA)->energy = 45.0f;
    Player(side, inForB)->energy = 55.0f;
    match.UpdateRules();
    EXPECT_FALSE(OnCourt(side, a)) << "still short of his share";
    CMatch2DPlayer& starter = *Player(side, a);
    starter.energy = BackOn(starter);
    const int changes = side.substitutions;
    match.UpdateRules();
    EXPECT_TRUE(OnCourt(side, a));
    EXPECT_FALSE(OnCourt(side, inForA)) << "the more tired of the two makes room";
    EXPECT_TRUE(OnCourt(side, inForB));
    EXPECT_EQ(side.substitutions, changes + 1);
    EXPECT_FALSE(starter.restedByRule);
}

// Watched and left alone, the user's side gets its rested starters back too; a starter he took off
// himself stays off, and his own change holds the rule back for a while.
TEST_F(Match2DTest, TheWatchedUserSideGetsItsRestedStarterBackButNotOneHeTookOffHimself) {
    GameSrand(19);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, false);
    match.TickClock(0);
    CMatch2DTeam& user = *match.GetHomeTeam();
    const int rested = user.GetPlayer(1)->id;
    user.GetPlayer(1)->energy = CMatch2DTeam::kRestBelow - 1.0f;
    match.UpdateRules();
    ASSERT_FALSE(OnCourt(user, rested));
    EXPECT_TRUE(Player(user, rested)->restedByRule);

    // The user takes another starter off himself: fresh or not, he is the user's to bring back.
    const int takenOff = user.GetPlayer(3)->id;
    const int firstIn = user.GetPlayer(1)->id;
    int fresh = -1;
    for (int i = kCourtPlayers; i < user.PlayerCount() && fresh < 0; ++i)
        if (user.GetPlayer(i)->id != rested)
            fresh = user.GetPlayer(i)->id;
    user.UserSubstitute(takenOff, fresh);
    Player(user, takenOff)->energy = Player(user, takenOff)->maxEnergy;
    CMatch2DPlayer& starter = *Player(user, rested);
    starter.energy = BackOn(starter);
    match.UpdateRules();
    EXPECT_FALSE(OnCourt(user, rested)) << "the minute after the user's own change";

    match.playTicks += CMatch2DTeam::kUserChangeHoldTicks;
    // The rested starter comes back for the non-starter nearest his position (the one who came on
    // for him), not for the user's own pick at another.
    Player(user, firstIn)->energy = 70.0f;
    Player(user, fresh)->energy = 60.0f;
    ASSERT_NE(Player(user, fresh)->positionId, Player(user, rested)->positionId);
    match.UpdateRules();
    EXPECT_TRUE(OnCourt(user, rested));
    EXPECT_TRUE(OnCourt(user, fresh));
    EXPECT_FALSE(OnCourt(user, firstIn));
    match.UpdateRules();
    EXPECT_FALSE(OnCourt(user, takenOff));
    EXPECT_FALSE(match.paused);
}

// A run of many ticks looks at the court only when something could have changed (CourtAlert): a
// rested starter getting his breath back on the bench is looked at when he is ready, not later.
TEST_F(Match2DTest, ARunOfManyTicksBringsARestedStarterBackWhenHeIsReady) {
    GameSrand(23);
    ClubBuilder home(1, 12), away(2, 12);
    Start(home.team, away.team, true, true);
    match.RunTicks(1);
    // Players who never move nor tire: nothing else calls for a look.
    for (CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
        for (auto& p : team->players) {
            p->speed = 0.0f;
            p->energy = p->maxEnergy = 1.0e6f;
        }
    }
    CMatch2DTeam& side = *match.GetAwayTeam();
    const int starterId = side.GetPlayer(2)->id;
    side.Substitute(starterId, side.GetPlayer(7)->id);
    CMatch2DPlayer& starter = *Player(side, starterId);
    starter.restedByRule = 1;
    starter.maxEnergy = 80.0f;
    starter.energy = 70.0f;
    const int ready = static_cast<int>((BackOn(starter) - starter.energy) / CMatch2DTeam::kBenchRest);
    // Each run looks once at its start; 200 ticks before he is ready that look must not wait past it.
    match.RunTicks(ready - 200);
    EXPECT_FALSE(OnCourt(side, starterId));
    match.RunTicks(230);
    EXPECT_TRUE(OnCourt(side, starterId));
}

// A watched match left alone: the user's side changes players as a coach would, its starters rest
// and come back, and nobody runs himself into injury (with only the rested coming back once someone
// else ran dry, the user's side made 7.5-8.6 changes a match and its starters played 34).
TEST_F(Match2DTest, AWatchedMatchLeftAloneChangesTheUsersSideAsACoachWould) {
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    const std::vector<CTeam*> clubs = ClubsOfClass(world, 0);
    const int games = kSanitizedBuild ? 2 : 12;
    const Match2DBatchFigures f = PlayMatch2DBatch(match, clubs, games, 5151, Match2DBatchTactics::Watched);
    PrintMatch2DTimeHeader();
    PrintMatch2DTimeRow("class 0 watched", f);
    EXPECT_EQ(f.unfinished, 0);
    EXPECT_EQ(f.userTime.exhausted, 0);
    EXPECT_GE(f.userTime.substitutions, 10 * games);
    EXPECT_GE(f.time.substitutions, 22 * games);
    EXPECT_LE(f.time.substitutions, 40 * games);
    const double userStarters = f.userTime.starterSeconds / 60.0 / f.userTime.starters;
    EXPECT_GE(userStarters, 26.0);
    EXPECT_LE(userStarters, 36.0);
    // Nearly every starter plays 24-38 minutes: one rested for his fouls comes back when the quarter
    // allows (before, one rested at four fouls sat out the match).
    EXPECT_GE(10 * f.userTime.startersInBand, 8 * f.userTime.starters);
    EXPECT_LE(f.userTime.fouledOut, games / 2);
}

// The staff's remarks in a watched match are read between frames: the player a remark names is on
// court when the screens read it. A remark came in the player's own step, at the foul it spoke of,
// and the coach took him off for it at the next tick's look, in the same frame: "Keep an eye on
// him: he is in foul trouble" at a fourth foul in the second quarter arrived with him on the bench.
TEST_F(Match2DTest, ARemarkNamesOnlyAPlayerStillOnCourtWhenTheScreensReadIt) {
    GameSrand(31);
    int remarks = 0;
    for (int game = 0; game < (kSanitizedBuild ? 8 : 16); ++game) {
        // The user's club away: its players step after the home side's, so a foul a home attacker
        // draws from one of them comes before his own step and its remark.
        ClubBuilder mine(1, 12), theirs(2, 12);
        mine.AddStaff(80055, "Coach");
        mine.AddStaff(80056, "Shooting");
        // Names no other name contains, so a line names one player or none.
        for (size_t i = 0; i < mine.players.size(); ++i)
            mine.players[i]->name = CStr::Formatted("Man%c", static_cast<char>('A' + i));
        Start(theirs.team, mine.team, false, false);
        std::vector<CStr> lines;
        match.hooks.text = [](int id) { return CStr::Formatted("<%d>", id); };
        match.hooks.remarkLine = [&lines](const CStr& text, int) { lines.push_back(text); };
        CMatch2DTeam& user = *match.GetAwayTeam();
        match.running = 1;
        while (!match.IsOver()) {
            lines.clear();
            match.RunTicks(15); // a frame at Fast
            for (const CStr& line : lines) {
                for (int i = 0; i < user.PlayerCount(); ++i) {
                    const CMatch2DPlayer& p = *user.GetPlayer(i);
                    if (p.name.IsEmpty() || line.Find(p.name.GetText()) == -1)
                        continue;
                    ++remarks;
                    EXPECT_EQ(p.MatchState(), kOnCourtState)
                        << line.GetText() << " (quarter " << match.quarter << ", tick " << match.playTicks
                        << ", fouls " << p.Fouls() << ", energy " << p.energy << ")";
                }
            }
            if (!match.paused)
                continue;
            // A quarter break closed at once; one who must leave replaced as the window offers.
            for (int i = 0; i < kCourtPlayers && i < user.PlayerCount(); ++i) {
                const CMatch2DPlayer* p = user.GetPlayer(i);
                if (p->MatchState() == kOnCourtState && (p->mustLeave || p->Fouls() >= 6) &&
                    match.ForcedChange(user, p->id))
                    i = -1;
            }
            match.paused = 0;
        }
    }
    // The remarks about men who stay on court are still made (a handful in the sanitizers' eight games).
    EXPECT_GE(remarks, kSanitizedBuild ? 4 : 10);
}

} // namespace
