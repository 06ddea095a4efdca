// The user's club is played on the flat court and every rival by quick results, and the overview,
// the comparison and the day's leaders put the two side by side: the same clubs must play the
// same basketball in both engines.
#include "bench/SquadSnapshot.h"
#include "career/QuickResult.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"
#include "match/ClassTargets.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DBatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

// Fewer under the sanitizers, but not so few that one hot shooter moves a class's leader by a tenth:
// six flat matches a class put it 16 % off the quick results' on a sound engine.
#ifdef FB_SANITIZED_BUILD
constexpr int kFlatMatches = 24;
constexpr int kQuickResults = 600;
#else
constexpr int kFlatMatches = 60;
constexpr int kQuickResults = 1500;
#endif
// A tournament's clubs differ more than a class's: its flat-court batch is larger, so that one
// batch's blocks and threes sit within a few hundredths of a long run's.
#ifdef FB_SANITIZED_BUILD
constexpr int kTournamentMatches = 48;
#else
constexpr int kTournamentMatches = 100;
#endif

// The clubs of one league class of the generated world, as the flat court classes them.
std::vector<CTeam*> ClubsOfClass(CMemoryDB& world, int leagueClass) {
    std::vector<CTeam*> clubs;
    for (int i = 0; i < world.teams.Size(); ++i)
        if (((world.teams.At(i)->leagueId % 3) + 3) % 3 == leagueClass)
            clubs.push_back(world.teams.At(i));
    return clubs;
}

std::pair<CTeam*, CTeam*> DrawPair(const std::vector<CTeam*>& clubs) {
    CTeam* home = clubs[static_cast<size_t>(GameRand()) % clubs.size()];
    CTeam* away = home;
    while (away == home)
        away = clubs[static_cast<size_t>(GameRand()) % clubs.size()];
    return {home, away};
}

// A side's figures summed over a batch, per side and game.
struct EngineFigures {
    long long sides = 0;
    long long leaders = 0;   // each side's leading scorer's points
    long long fouledOut = 0; // players on six fouls
    long long points = 0;
    BoxScoreSums box;
    std::map<const CTeam*, int> games;                // each club's matches
    std::map<const CPlayer*, long long> seasonPoints; // each player's points over the batch
    // A club's leading scorer over the batch, his points a match, over the clubs.
    double SeasonLeader() const {
        std::map<const CTeam*, double> best;
        for (const auto& [player, total] : seasonPoints)
            for (const auto& [club, played] : games)
                if (std::find(club->players.begin(), club->players.end(), player) != club->players.end())
                    best[club] = std::max(best[club], static_cast<double>(total) / played);
        double sum = 0.0;
        for (const auto& [club, points] : best)
            sum += points;
        return best.empty() ? 0.0 : sum / static_cast<double>(best.size());
    }
    double PerSide(long long sum) const {
        return sides > 0 ? static_cast<double>(sum) / static_cast<double>(sides) : 0.0;
    }
    double Leader() const { return PerSide(leaders); }
};

EngineFigures PlayFlat(CMatch2D& match, const std::vector<CTeam*>& clubs) {
    EngineFigures f;
    for (int game = 0; game < kFlatMatches; ++game) {
        auto [home, away] = DrawPair(clubs);
        SquadSnapshot snapshot{home, away};
        EXPECT_TRUE(RunInstantMatch(match, home, away, game % 2 == 0).finished);
        for (const CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
            f.points += team->score;
            f.box.AddFlatCourt(BoxScore(*team));
            f.box.blocks += team->SumBlocks();
            int leader = 0;
            for (int i = 0; i < team->PlayerCount(); ++i) {
                const CMatch2DPlayer* p = team->GetPlayer(i);
                f.fouledOut += p->Fouls() >= 6 ? 1 : 0;
                f.box.AddFouls(p->Fouls());
                leader =
                    std::max(leader, 2 * p->Counter(kStatFieldGoalsMade) + 3 * p->Counter(kStatThreesMade) +
                                         p->Counter(kStatFreeThrowsMade));
            }
            f.leaders += leader;
            ++f.sides;
        }
    }
    return f;
}

EngineFigures PlayQuick(CMemoryDB& world, const std::vector<CTeam*>& clubs) {
    EngineFigures f;
    QuickMatchContext ctx;
    ctx.date = GameDate{2007, 10, 3};
    ctx.matchStats = &world.matchStats;
    ctx.playerStats = &world.playerStats;
    for (int game = 0; game < kQuickResults; ++game) {
        auto [home, away] = DrawPair(clubs);
        SquadSnapshot snapshot{home, away};
        int homeScore = 0, awayScore = 0;
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        f.points += homeScore + awayScore;
        f.box.AddQuickResult({home, away}, CDayResults());
        for (const CTeam* team : {home, away}) {
            int leader = 0;
            ++f.games[team];
            for (const CPlayer* player : team->players) {
                f.seasonPoints[player] += player->stats.back()->Points();
                leader = std::max(leader, static_cast<int>(player->stats.back()->Points()));
                f.fouledOut += player->stats.back()->Fouls() >= 6 ? 1 : 0;
            }
            f.leaders += leader;
            ++f.sides;
        }
    }
    return f;
}

class EnginesAgree : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
        ASSERT_TRUE(match.LoadTactics("\\ini\\InitData.xml"));
        match.hooks.substituteNeeded = nullptr;
    }
    // Both engines over the same clubs of each class.
    void PlayEachClass() {
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            const std::vector<CTeam*> clubs = ClubsOfClass(world, leagueClass);
            ASSERT_GE(clubs.size(), 2u);
            GameSrand(static_cast<unsigned>(90 + leagueClass));
            flat[leagueClass] = PlayFlat(match, clubs);
            quick[leagueClass] = PlayQuick(world, clubs);
        }
    }
    CMemoryDB world;
    CMatch2D match;
    EngineFigures flat[3], quick[3];
};

} // namespace

// Every quick-result shot went to a uniformly drawn one of the five: a club's leading scorer made
// 15 a game where the flat court's best shooter of the same club made 25 and more, and the
// overview's Team v Opponent set the user's leader beside a rival's spread-out five. Shots follow
// the players' scoring now, so a club's leader reads alike whichever engine played it.
TEST_F(EnginesAgree, AClubsLeadingScorerScoresAlikeInEveryEngine) {
    PlayEachClass();
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(quick[c].Leader() / flat[c].Leader(), 1.0, 0.15)
            << "class " << c << ": quick " << quick[c].Leader() << ", flat " << flat[c].Leader();
}

// Quick results let a player foul on to his sixth: 0.28 a side fouled out, a rival a match in four,
// where the flat court's coaches rest a player in foul trouble and hardly anyone fouls out. Both
// now keep a player on five fouls on the bench.
TEST_F(EnginesAgree, PlayersFoulOutAsRarelyInEveryEngine) {
    PlayEachClass();
    for (int c = 0; c < 3; ++c) {
        const double quickOut = quick[c].PerSide(quick[c].fouledOut);
        const double flatOut = flat[c].PerSide(flat[c].fouledOut);
        EXPECT_LE(quickOut, 0.15) << "class " << c;
        EXPECT_LE(flatOut, 0.15) << "class " << c;
        EXPECT_NEAR(quickOut, flatOut, 0.1) << "class " << c;
    }
}

// Quick results scored 102-104 points and lost 14 balls a side in every class, where the flat court
// plays class 0 at 96 and 15, class 2 at 89 and 11: a club's figures changed with the engine that
// played it. Quick results now play each class's pace and game, the targets both engines share.
TEST_F(EnginesAgree, QuickResultsPlayEachClassAtItsTargets) {
    for (int c = 0; c < 3; ++c) {
        const std::vector<CTeam*> clubs = ClubsOfClass(world, c);
        ASSERT_GE(clubs.size(), 2u);
        GameSrand(static_cast<unsigned>(190 + c));
        const EngineFigures q = PlayQuick(world, clubs);
        const ClassTargets& t = kClassTargets[c];
        const double fieldGoalPercent =
            q.box.fga > 0 ? 100.0 * static_cast<double>(q.box.fgm) / static_cast<double>(q.box.fga) : 0.0;
        const std::pair<const char*, std::pair<double, double>> figures[] = {
            {"points", {q.PerSide(q.points), t.points}},
            {"FGA", {q.PerSide(q.box.fga), t.fieldGoalsTaken}},
            {"FG%", {fieldGoalPercent, t.fieldGoalPercent}},
            {"3PA", {q.PerSide(q.box.tpa), t.threesTaken}},
            {"FTA", {q.PerSide(q.box.fta), t.freeThrowsTaken}},
            {"fouls", {q.PerSide(q.box.fouls), t.fouls}},
            {"steals", {q.PerSide(q.box.steals), t.steals}},
            {"turnovers", {q.PerSide(q.box.turnovers), t.turnovers}},
            {"blocks", {q.PerSide(q.box.blocks), t.blocks}},
            {"leading scorer", {q.SeasonLeader(), t.leadingScorer}},
        };
        for (const auto& [figure, values] : figures)
            EXPECT_TRUE(NearClassTarget(values.first, values.second))
                << "class " << c << " " << figure << ": quick " << values.first << ", target "
                << values.second;
    }
}

// A tournament numbers its groups 0-3, and the quick results read the group as a league class:
// three clubs in four played class 0's or 1's pace, and a tournament's quick results took 5-12 %
// more shots than its flat-court matches. A tournament club's class now follows its squad, in
// whichever group it is drawn. Read as class 2, two tournament clubs lost 10.6 balls a side and
// scored 86 points where the flat court lost 12.2-12.5 and scored 90: they play the tournament's
// own game now, every figure alike in the two engines.
TEST_F(EnginesAgree, TournamentQuickResultsPlayTheFlatCourtsGame) {
    for (const int32_t dataSet : {kDataSetEuroCup, kDataSetWorldCup}) {
        SCOPED_TRACE(dataSet);
        CMemoryDB tournament;
        ASSERT_TRUE(LoadWorldData(tournament, dataSet));
        std::vector<CTeam*> clubs;
        for (int i = 0; i < tournament.teams.Size(); ++i)
            if (tournament.teams.At(i)->players.size() >= 5)
                clubs.push_back(tournament.teams.At(i));
        ASSERT_GE(clubs.size(), 4u);
        for (CTeam* club : clubs) {
            const int32_t group = club->leagueId;
            const int drawn = QuickLeagueClass(*club);
            for (int32_t other = 0; other < 4; ++other) {
                club->leagueId = other;
                EXPECT_EQ(QuickLeagueClass(*club), drawn) << club->name.GetText() << " in group " << other;
            }
            club->leagueId = group;
        }
        GameSrand(290);
        const Match2DBatchFigures flat = PlayMatch2DBatch(match, clubs, kTournamentMatches, 291,
                                                          Match2DBatchTactics::NewCareer, nullptr, true);
        GameSrand(292);
        const EngineFigures q = PlayQuick(tournament, clubs);
        const Match2DBox& f = flat.total;
        const auto percent = [](double made, double taken) { return taken > 0 ? 100.0 * made / taken : 0.0; };
        const std::pair<const char*, std::pair<double, double>> figures[] = {
            {"points", {q.PerSide(q.points), flat.PerSide(f.points)}},
            {"FGA", {q.PerSide(q.box.fga), flat.PerSide(f.FieldGoalsTaken())}},
            {"FG%", {percent(q.box.fgm, q.box.fga), percent(f.FieldGoalsMade(), f.FieldGoalsTaken())}},
            {"3PA", {q.PerSide(q.box.tpa), flat.PerSide(f.threesTaken)}},
            {"FTA", {q.PerSide(q.box.fta), flat.PerSide(f.freeThrowsTaken)}},
            {"fouls", {q.PerSide(q.box.fouls), flat.PerSide(f.fouls)}},
            {"steals", {q.PerSide(q.box.steals), flat.PerSide(f.steals)}},
            {"turnovers", {q.PerSide(q.box.turnovers), flat.PerSide(f.bookedTurnovers)}},
            {"blocks", {q.PerSide(q.box.blocks), flat.PerSide(f.blocks)}},
        };
        for (const auto& [figure, values] : figures)
            EXPECT_TRUE(NearClassTarget(values.first, values.second))
                << figure << ": quick " << values.first << ", flat court " << values.second;
    }
}
