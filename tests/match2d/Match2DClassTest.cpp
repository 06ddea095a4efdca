// Each league class's basketball on the flat court against the targets both engines share, and the
// ratings deciding within a class.
#include "Match2DFixture.h"
#include "database/Careers.h"
#include "match/ClassTargets.h"
#include "match2d/Match2DBatch.h"

#include <algorithm>
#include <cstdio>

namespace {

double StartersOverall(CTeam* team) {
    std::vector<double> overall;
    for (CPlayer* p : team->players) {
        overall.push_back(CPlayer::ComputeOverall(p, false));
    }
    std::sort(overall.rbegin(), overall.rend());
    double sum = 0.0;
    for (size_t i = 0; i < std::min<size_t>(5, overall.size()); ++i) {
        sum += overall[i];
    }
    return sum;
}

// A squad's mean overall rating, as the squad screens show it.
double SquadMean(const CTeam* team) {
    double sum = 0.0;
    for (CPlayer* p : team->players) {
        sum += CPlayer::ComputeOverall(p, false);
    }
    return team->players.empty() ? 0.0 : sum / static_cast<double>(team->players.size());
}

// A class's clubs, the best five first.
std::vector<CTeam*> ByStrength(std::vector<CTeam*> clubs) {
    std::stable_sort(clubs.begin(), clubs.end(),
                     [](CTeam* a, CTeam* b) { return StartersOverall(a) > StartersOverall(b); });
    return clubs;
}

} // namespace

// A season of each class (three home-and-away rounds) at a new career's defaults: every figure a
// side within a tenth of the class's target, and the club's leading scorer too.
TEST_F(Match2DTest, EachClassPlaysTheBasketballOfItsTargets) {
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
        SCOPED_TRACE(leagueClass);
        const std::vector<CTeam*> clubs = ClubsOfClass(world, leagueClass);
        const Match2DBatchFigures f = PlayMatch2DRounds(match, clubs, kSanitizedBuild ? 1 : 3,
                                                        2100 + leagueClass, Match2DBatchTactics::NewCareer);
        if (kSanitizedBuild) {
            continue;
        }
        const Match2DBox& t = f.total;
        double leading = 0.0;
        for (const Match2DClubFigures& c : f.clubs) {
            leading += c.LeadingScorerPerMatch() / static_cast<double>(f.clubs.size());
        }
        const ClassTargets& target = kClassTargets[leagueClass];
        const std::pair<double, double> figures[] = {
            {f.PerSide(t.points), target.points},
            {f.PerSide(t.FieldGoalsTaken()), target.fieldGoalsTaken},
            {100.0 * t.FieldGoalsMade() / std::max(1, t.FieldGoalsTaken()), target.fieldGoalPercent},
            {f.PerSide(t.threesTaken), target.threesTaken},
            {f.PerSide(t.freeThrowsTaken), target.freeThrowsTaken},
            {f.PerSide(t.fouls), target.fouls},
            {f.PerSide(t.steals), target.steals},
            {f.PerSide(t.bookedTurnovers), target.turnovers},
            {f.PerSide(t.blocks), target.blocks},
            {leading, target.leadingScorer},
        };
        for (size_t i = 0; i < std::size(figures); ++i) {
            std::printf("class %d figure %zu: %.1f (target %.1f)\n", leagueClass, i, figures[i].first,
                        figures[i].second);
            EXPECT_TRUE(NearClassTarget(figures[i].first, figures[i].second))
                << "figure " << i << ": " << figures[i].first << " against " << figures[i].second;
        }
    }
}

// One of a class's three strongest clubs beats one of its three weakest more often than not, and
// of two clubs of a class the stronger wins more than half: the ratings decide within a class too.
TEST_F(Match2DTest, WithinAClassTheStrongerClubsWinMore) {
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
        SCOPED_TRACE(leagueClass);
        const std::vector<CTeam*> clubs = ByStrength(ClubsOfClass(world, leagueClass));
        ASSERT_GE(clubs.size(), 6u);
        const std::vector<CTeam*> strong(clubs.begin(), clubs.begin() + 3);
        const std::vector<CTeam*> weak(clubs.end() - 3, clubs.end());
        const int games = kSanitizedBuild ? 4 : 600;
        const Match2DBatchFigures ends =
            PlayMatch2DBatch(match, strong, games, 2200 + leagueClass, Match2DBatchTactics::NewCareer, &weak);
        int strongerWins = 0, pairs = 0;
        for (size_t a = 0; a < clubs.size(); ++a) {
            for (size_t b = a + 1; b < clubs.size(); ++b) {
                const std::vector<CTeam*> other{clubs[b]};
                const Match2DBatchFigures pair =
                    PlayMatch2DBatch(match, {clubs[a]}, kSanitizedBuild ? 1 : 8,
                                     2300 + static_cast<unsigned>(100 * leagueClass + 10 * a + b),
                                     Match2DBatchTactics::NewCareer, &other);
                strongerWins += pair.firstWins;
                pairs += pair.matches;
            }
        }
        const double endShare = 100.0 * ends.firstWins / std::max(1, ends.matches);
        const double pairShare = 100.0 * strongerWins / std::max(1, pairs);
        std::printf("class %d: three strongest v three weakest %.1f %% (%d), stronger of two %.1f %% (%d)\n",
                    leagueClass, endShare, ends.matches, pairShare, pairs);
        if (kSanitizedBuild) {
            continue;
        }
        EXPECT_GT(endShare, 50.0);
        EXPECT_GT(pairShare, 50.0);
    }
}

// The squads a player sees rated best in a class beat those rated worst clearly more often than not,
// in every class: the rolls once read only the players' own ratings, and squads better all round but
// no better shooters won about half of such matches (class 2 53 % of these).
TEST_F(Match2DTest, AClassBestRatedSquadsBeatItsWorstRated) {
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
        SCOPED_TRACE(leagueClass);
        std::vector<CTeam*> clubs = ClubsOfClass(world, leagueClass);
        std::stable_sort(clubs.begin(), clubs.end(),
                         [](const CTeam* a, const CTeam* b) { return SquadMean(a) > SquadMean(b); });
        ASSERT_GE(clubs.size(), 6u);
        const std::vector<CTeam*> best(clubs.begin(), clubs.begin() + 3);
        const std::vector<CTeam*> worst(clubs.end() - 3, clubs.end());
        const Match2DBatchFigures f =
            PlayMatch2DBatch(match, best, kSanitizedBuild ? 4 : 240, 2500 + leagueClass,
                             Match2DBatchTactics::NewCareer, &worst);
        const double share = 100.0 * f.firstWins / std::max(1, f.matches);
        std::printf("class %d: best-rated three v worst-rated three %.1f %% (%d)\n", leagueClass, share,
                    f.matches);
        if (!kSanitizedBuild) {
            EXPECT_GE(share, 55.0);
        }
    }
}

// Over a season against its class every league club steals, loses the ball, blocks and fouls
// inside the bands: a club whose five rated three points under its class's steal rating won half
// as many pokes (Thornbury 3.6 steals a match, Yarmouth 4.5, Glenwick 4.7). And it takes its
// threes and makes its field goals as its class does: when only a player whose three was as good
// as his two shot from beyond the arc, a club whose centre and forwards drove from there took 10
// threes a match and made 51-52 % (Elmstead, Lakeview), one of shooters 35 at 44 %.
TEST_F(Match2DTest, EveryLeagueClubShootsStealsTurnsOverBlocksAndFoulsInBand) {
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
        const Match2DBatchFigures f =
            PlayMatch2DRounds(match, ClubsOfClass(world, leagueClass), kSanitizedBuild ? 1 : 3,
                              2400 + leagueClass, Match2DBatchTactics::NewCareer);
        if (kSanitizedBuild) {
            continue;
        }
        const double classThrees = f.PerSide(f.total.threesTaken);
        for (const Match2DClubFigures& c : f.clubs) {
            SCOPED_TRACE(c.club->name.GetText());
            const double n = std::max(1, c.matches);
            const double fieldGoals = 100.0 * c.box.FieldGoalsMade() / std::max(1, c.box.FieldGoalsTaken());
            EXPECT_TRUE(NearClassTarget(fieldGoals, kClassTargets[leagueClass].fieldGoalPercent))
                << fieldGoals;
            EXPECT_GE(c.box.threesTaken / n, 0.6 * classThrees);
            EXPECT_LE(c.box.threesTaken / n, 1.4 * classThrees);
            EXPECT_GE(c.box.steals / n, 5.0);
            EXPECT_LE(c.box.steals / n, 10.5);
            EXPECT_GE(c.box.bookedTurnovers / n, 8.0);
            EXPECT_LE(c.box.bookedTurnovers / n, 18.0);
            EXPECT_GE(c.box.blocks / n, 2.5);
            EXPECT_LE(c.box.blocks / n, 7.0);
            EXPECT_GE(c.box.fouls / n, 15.0);
            EXPECT_LE(c.box.fouls / n, 25.0);
        }
    }
}

// The tournament worlds' clubs too, each against the others of its world at the tournament's
// level: counted by the time the holders spent beside a defender, a club's steals and lost balls
// followed its style: France, Japan and Aquile Vico stole 4.1-4.8 balls a match, Japan and Greece
// lost 18-19.
TEST_F(Match2DTest, EveryTournamentClubStealsAndTurnsOverInBand) {
    const int32_t worlds[2] = {kDataSetEuroCup, kDataSetWorldCup};
    for (int w = 0; w < 2; ++w) {
        SCOPED_TRACE(w);
        CMemoryDB world;
        ASSERT_TRUE(LoadWorldData(world, worlds[w]));
        std::vector<CTeam*> clubs;
        for (int i = 0; i < world.teams.Size(); ++i) {
            if (world.teams.At(i)->players.size() >= 5) {
                clubs.push_back(world.teams.At(i));
            }
        }
        const Match2DBatchFigures f = PlayMatch2DBatch(match, clubs, kSanitizedBuild ? 4 : 400, 2096 + w,
                                                       Match2DBatchTactics::NewCareer, nullptr, true);
        if (kSanitizedBuild) {
            continue;
        }
        for (const Match2DClubFigures& c : f.clubs) {
            SCOPED_TRACE(c.club->name.GetText());
            const double n = std::max(1, c.matches);
            EXPECT_GE(c.box.steals / n, 5.0);
            EXPECT_LE(c.box.steals / n, 10.5);
            EXPECT_GE(c.box.bookedTurnovers / n, 8.0);
            EXPECT_LE(c.box.bookedTurnovers / n, 18.0);
        }
    }
}
