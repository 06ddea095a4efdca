// A long run of ticks looks at the tired, the fouled and the hurt only when one could be there
// (CMatch2D::CourtAlert) and adds the bench's rest of many ticks at once (SettleBench); a run of one
// tick looks and rests every tick. Both must play the same match, to the last bit of every energy.
#include "Match2DFixture.h"

namespace {

struct Played {
    int homeScore = 0, awayScore = 0, substitutions = 0;
    std::vector<float> energy; // every player's, home then away, in squad order at the end
    std::vector<int> seconds;
};

Played Play(unsigned seed, int low, int ticksPerRun) {
    CMatch2D match; // seeds the generator from the clock: the seed comes after it
    EXPECT_TRUE(match.LoadTactics("\\ini\\InitData.xml"));
    match.hooks.substituteNeeded = nullptr;
    GameSrand(seed);
    ClubBuilder home(1, 12, low), away(2, 12, low);
    EXPECT_TRUE(SetupMatch2D(match, &home.team, &away.team, seed % 2 == 0, true));
    for (int run = 0; run < 400000 && !match.IsOver(); ++run) {
        match.RunTicks(ticksPerRun);
    }
    Played played;
    played.homeScore = match.GetHomeTeam()->score;
    played.awayScore = match.GetAwayTeam()->score;
    for (const CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
        played.substitutions += team->substitutions;
        for (const auto& p : team->players) {
            played.energy.push_back(p->energy);
            played.seconds.push_back(p->secondsOnCourt);
        }
    }
    return played;
}

// Passes, shots and ball contests tire a player fifty steps' worth at once: a look that waited for
// the steps alone came after a tired player should have gone off, and the match went another way.
TEST(Match2DLook, ALongRunPlaysTheMatchATickAtATimeWouldPlay) {
    for (const unsigned seed : {31u, 32u, 33u}) {
        const int low = 35 + 10 * static_cast<int>(seed % 3);
        const Played once = Play(seed, low, 1 << 20);
        const Played ticked = Play(seed, low, 1);
        EXPECT_GT(once.substitutions, 10) << "seed " << seed;
        EXPECT_EQ(once.homeScore, ticked.homeScore) << "seed " << seed;
        EXPECT_EQ(once.awayScore, ticked.awayScore) << "seed " << seed;
        EXPECT_EQ(once.substitutions, ticked.substitutions) << "seed " << seed;
        EXPECT_EQ(once.energy, ticked.energy) << "seed " << seed;
        EXPECT_EQ(once.seconds, ticked.seconds) << "seed " << seed;
    }
}

} // namespace
