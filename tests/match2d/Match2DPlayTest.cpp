// Whole instant matches: scoring adds up, and a seeded batch gives plausible basketball.
#include "Match2DFixture.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"

#include <algorithm>
#include <cstdio>

namespace {

#ifdef FB_SANITIZED_BUILD
constexpr bool kSanitizedBuild = true;
#else
constexpr bool kSanitizedBuild = false;
#endif

struct SideFigures {
    int score = 0, fgm = 0, fga = 0, tpm = 0, tpa = 0, ftm = 0, fta = 0;
};

SideFigures Figures(const CMatch2DTeam& team) {
    SideFigures f;
    f.score = team.score;
    f.fgm = team.SumFieldGoalsMade();
    f.fga = team.SumFieldGoalsTaken();
    f.tpm = team.SumThreePointersMade();
    f.tpa = team.SumThreePointersTaken();
    f.ftm = team.SumFreeThrowsMade();
    f.fta = team.SumFreeThrowsTaken();
    return f;
}

void ExpectConsistent(const CMatch2DTeam& team, bool forfeit = false) {
    const SideFigures f = Figures(team);
    if (!forfeit) {
        EXPECT_EQ(f.score, 2 * f.fgm + 3 * f.tpm + f.ftm) << team.name.GetText();
    }
    EXPECT_LE(f.fgm, f.fga);
    EXPECT_LE(f.tpm, f.tpa);
    EXPECT_LE(f.ftm, f.fta);
    int made = 0;
    int taken = 0;
    team.GetDunkTotals(made, taken);
    EXPECT_LE(made, taken);
    EXPECT_LE(made, f.fgm);
    EXPECT_EQ(team.SumCounter362(), 0);
}

TEST_F(Match2DTest, InstantMatchOfTwelveManClubsEndsWithPointsThatAddUp) {
    GameSrand(101);
    ClubBuilder home(1, 12), away(2, 12);
    home.AddStaff(80055, "Coach");
    const InstantMatchResult result = RunInstantMatch(match, &home.team, &away.team, true, 3, 14);
    ASSERT_TRUE(result.finished);
    EXPECT_FALSE(result.forfeit);
    EXPECT_GT(result.homeScore, 0);
    EXPECT_GT(result.awayScore, 0);
    EXPECT_EQ(result.homeScore, match.GetHomeTeam()->score);
    EXPECT_EQ(match.GetHomeTeam()->attackTacticId, 3);
    EXPECT_EQ(match.GetHomeTeam()->defenceTacticId, 14);
    ExpectConsistent(*match.GetHomeTeam());
    ExpectConsistent(*match.GetAwayTeam());
    EXPECT_FALSE(match.instantRun);
}

TEST_F(Match2DTest, SeededBatchOf200InstantMatchesGivesPlausibleBasketball) {
    // The generated league world as a new career finds it: three leagues of eight twelve-man clubs.
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    std::vector<CTeam*> leagues[3];
    for (int i = 0; i < world.teams.Size(); ++i) {
        CTeam* team = world.teams.At(i);
        ASSERT_EQ(team->players.size(), 12u) << team->name.GetText();
        leagues[((team->leagueId % 3) + 3) % 3].push_back(team);
    }
    for (const auto& league : leagues) {
        ASSERT_GE(league.size(), 2u);
    }
    GameSrand(2026);
    std::vector<int> scores;
    std::vector<int> leagueScores[3];
    SideFigures total;
    int forfeits = 0;
    int unfinished = 0;
    int homeWins = 0;
    int fouls = 0;
    int mostFouls = 0;
    int steals = 0;
    // The sanitizer builds run twenty times slower: they check a tenth of the batch.
    const int games = kSanitizedBuild ? 20 : 200;
    for (int game = 0; game < games; ++game) {
        // League fixtures, as a season plays them: two different clubs of one league.
        const std::vector<CTeam*>& league = leagues[game % 3];
        const size_t h = static_cast<size_t>(GameRand()) % league.size();
        const size_t a = (h + 1 + static_cast<size_t>(GameRand()) % (league.size() - 1)) % league.size();
        // The user's side picks every offence and the half-court defences; the presses are
        // measured on their own in the next test.
        static const int kDefences[6] = {10, 13, 14, 17, 18, 19};
        const InstantMatchResult result =
            RunInstantMatch(match, league[h], league[a], game % 2 == 0, game % 10, kDefences[(game / 3) % 6]);
        forfeits += result.forfeit ? 1 : 0;
        unfinished += result.finished ? 0 : 1;
        homeWins += result.homeScore > result.awayScore ? 1 : 0;
        for (CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
            ExpectConsistent(*team, result.forfeit);
            const SideFigures f = Figures(*team);
            scores.push_back(f.score);
            leagueScores[game % 3].push_back(f.score);
            total.fgm += f.fgm;
            total.fga += f.fga;
            total.tpm += f.tpm;
            total.tpa += f.tpa;
            total.ftm += f.ftm;
            total.fta += f.fta;
            total.score += f.score;
            fouls += team->SumFouls();
            mostFouls = std::max(mostFouls, team->SumFouls());
            steals += team->SumCounter(kStatSteals);
        }
    }
    std::sort(scores.begin(), scores.end());
    for (int l = 0; l < 3; ++l) {
        std::vector<int>& t = leagueScores[l];
        std::sort(t.begin(), t.end());
        std::printf("[batch] league class %d: p10 %d, median %d, p90 %d\n", l, t[t.size() / 10],
                    t[t.size() / 2], t[t.size() * 9 / 10]);
    }
    const auto at = [&scores](double q) { return scores[static_cast<size_t>(q * (scores.size() - 1))]; };
    const double points = total.score;
    const double sides = static_cast<double>(scores.size());
    std::printf("[batch] %d instant matches, %d side scores: min %d, p10 %d, median %d, p90 %d, max %d, "
                "mean %.1f; home wins %d\n",
                games, static_cast<int>(scores.size()), scores.front(), at(0.1), at(0.5), at(0.9),
                scores.back(), points / sides, homeWins);
    std::printf("[batch] two-pointers and dunks %d/%d (%.1f%%), threes %d/%d (%.1f%%), free throws %d/%d "
                "(%.1f%%); points from threes %.1f%%, from free throws %.1f%%; fouls %.1f (at most %d) and "
                "steals %.1f a side; forfeits %d\n",
                total.fgm, total.fga, 100.0 * total.fgm / std::max(1, total.fga), total.tpm, total.tpa,
                100.0 * total.tpm / std::max(1, total.tpa), total.ftm, total.fta,
                100.0 * total.ftm / std::max(1, total.fta), 100.0 * 3 * total.tpm / points,
                100.0 * total.ftm / points, fouls / sides, mostFouls, steals / sides, forfeits);
    EXPECT_EQ(unfinished, 0);
    EXPECT_EQ(forfeits, 0); // full squads always have a substitute
    // Typical totals of a basketball match; lower leagues score less, higher ones more.
    EXPECT_GE(at(0.1), 30);
    EXPECT_GE(at(0.5), 60);
    EXPECT_LE(at(0.5), 130);
    EXPECT_LE(at(0.9), 180);
    EXPECT_GT(total.tpa, 0);
    EXPECT_GT(total.fta, 0);
    // Threes a real share of the points, not the whole game; free throws are scored too.
    EXPECT_GT(3.0 * total.tpm / points, 0.10);
    EXPECT_LT(3.0 * total.tpm / points, 0.50);
    EXPECT_GT(total.ftm / points, 0.03);
    EXPECT_GT(total.ftm, total.fta / 2); // most free throws go in
    EXPECT_LT(total.ftm, total.fta * 9 / 10);
    EXPECT_GT(total.fgm, total.tpm);
    // Fouls enough for free throws, never so many that a side runs out of players.
    EXPECT_GT(fouls / sides, 10.0);
    EXPECT_LT(fouls / sides, 30.0);
}

TEST_F(Match2DTest, PressDefencesConcedeMoreThanHalfCourtOnes) {
    // Written to the log for the tuning notes: points conceded by a user side of class 1 per defence.
    GameSrand(77);
    int halfCourt = 0;
    int presses = 0;
    for (int defence : {13, 14, 17, 11, 12, 15, 16}) {
        int conceded = 0;
        const int games = kSanitizedBuild ? 2 : 8; // a quarter of the matches under the sanitizers
        for (int game = 0; game < games; ++game) {
            ClubBuilder home(1, 15, 45), away(2, 15, 45);
            home.team.leagueId = away.team.leagueId = 1;
            home.team.leagueKind = away.team.leagueKind = 100005;
            const InstantMatchResult result =
                RunInstantMatch(match, &home.team, &away.team, true, 0, defence);
            ASSERT_TRUE(result.finished);
            conceded += result.awayScore;
        }
        std::printf("[batch] defence %d concedes %d points a match\n", defence, conceded / games);
        (defence == 11 || defence == 12 || defence == 15 || defence == 16 ? presses : halfCourt) += conceded;
    }
    EXPECT_GT(presses / 4, halfCourt / 3); // four presses, three half-court defences
}

} // namespace
