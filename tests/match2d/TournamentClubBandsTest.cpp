// Every club of both tournament worlds, over a season's worth of matches among its world's clubs on
// a new career's tactics, shoots and blocks inside the bands a league club keeps.
#include "Match2DFixture.h"
#include "database/Careers.h"
#include "match2d/Match2DBatch.h"

#include <algorithm>
#include <cstdio>

// The five's mean missed whose shots they were: a centre who took nearly every other shot of his
// side, or a side whose threes went to its three best from the arc, made 50-51 % from the field
// (New Zealand, Slovenia, Aquile Vico). And the blocks read a level from the squad's steals while
// the roll reads its defence: a squad defending far better than it steals blocked 6.7-7 a match.
TEST_F(Match2DTest, EveryTournamentClubShootsAndBlocksInBand) {
    const int32_t worlds[2] = {kDataSetEuroCup, kDataSetWorldCup};
    for (int w = 0; w < 2; ++w) {
        SCOPED_TRACE(w == 0 ? "EuroCup" : "WorldCup");
        CMemoryDB world;
        ASSERT_TRUE(LoadWorldData(world, worlds[w]));
        std::vector<CTeam*> clubs;
        for (int i = 0; i < world.teams.Size(); ++i) {
            clubs.push_back(world.teams.At(i));
        }
        // About 70 matches a club: one club's field goals then stand within a point of its season's.
        const int games = kSanitizedBuild ? 8 : 35 * static_cast<int>(clubs.size());
        const Match2DBatchFigures f = PlayMatch2DBatch(match, clubs, games, 2600 + static_cast<unsigned>(w),
                                                       Match2DBatchTactics::NewCareer, nullptr, true);
        EXPECT_EQ(f.forfeits, 0);
        if (kSanitizedBuild) {
            continue;
        }
        ASSERT_EQ(f.clubs.size(), clubs.size());
        for (const Match2DClubFigures& c : f.clubs) {
            SCOPED_TRACE(c.club->name.GetText());
            const double n = std::max(1, c.matches);
            const double fieldGoals = 100.0 * c.box.FieldGoalsMade() / std::max(1, c.box.FieldGoalsTaken());
            std::printf("%-24s %3d matches  FG %.1f  blocks %.1f\n", c.club->name.GetText(), c.matches,
                        fieldGoals, c.box.blocks / n);
            EXPECT_GE(fieldGoals, 42.0);
            EXPECT_LE(fieldGoals, 50.0);
            EXPECT_GE(c.box.blocks / n, 2.5);
            EXPECT_LE(c.box.blocks / n, 7.0);
        }
    }
}
