#include "match2d/Match2DBatch.h"

#include "engine/GameRand.h"
#include "match2d/Match2D.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

void Match2DBox::Add(const Match2DBox& o) {
    points += o.points;
    twoTaken += o.twoTaken;
    twoMade += o.twoMade;
    dunksTaken += o.dunksTaken;
    dunksMade += o.dunksMade;
    threesTaken += o.threesTaken;
    threesMade += o.threesMade;
    freeThrowsTaken += o.freeThrowsTaken;
    freeThrowsMade += o.freeThrowsMade;
    offensiveRebounds += o.offensiveRebounds;
    defensiveRebounds += o.defensiveRebounds;
    assists += o.assists;
    steals += o.steals;
    turnovers += o.turnovers;
    fouls += o.fouls;
}

Match2DBox BoxScore(const CMatch2DTeam& team) {
    Match2DBox box;
    box.points = team.score;
    box.twoTaken = team.SumFieldGoalsTaken();
    box.twoMade = team.SumFieldGoalsMade();
    team.GetDunkTotals(box.dunksMade, box.dunksTaken);
    box.threesTaken = team.SumThreePointersTaken();
    box.threesMade = team.SumThreePointersMade();
    box.freeThrowsTaken = team.SumFreeThrowsTaken();
    box.freeThrowsMade = team.SumFreeThrowsMade();
    box.offensiveRebounds = team.SumOffensiveRebounds();
    box.defensiveRebounds = team.SumDefensiveRebounds();
    box.assists = team.SumAssists();
    box.steals = team.SumSteals();
    box.turnovers = team.SumTurnovers();
    box.fouls = team.SumFouls();
    return box;
}

int Match2DBatchFigures::Quantile(const std::vector<int>& sorted, double q) {
    if (sorted.empty()) {
        return 0;
    }
    return sorted[static_cast<size_t>(q * static_cast<double>(sorted.size() - 1) + 0.5)];
}

void Match2DBatchFigures::Add(const Match2DBatchFigures& o) {
    matches += o.matches;
    forfeits += o.forfeits;
    unfinished += o.unfinished;
    level += o.level;
    total.Add(o.total);
    mostFouls = std::max(mostFouls, o.mostFouls);
    points.insert(points.end(), o.points.begin(), o.points.end());
    margins.insert(margins.end(), o.margins.begin(), o.margins.end());
    std::sort(points.begin(), points.end());
    std::sort(margins.begin(), margins.end());
}

Match2DBatchFigures PlayMatch2DBatch(CMatch2D& match, const std::vector<CTeam*>& clubs, int games,
                                     unsigned int seed, Match2DBatchTactics tactics) {
    Match2DBatchFigures figures;
    if (clubs.size() < 2) {
        return figures;
    }
    GameSrand(seed);
    // Every offence, and the defences the game plays in the half court; the presses are tactics of
    // their own, measured apart.
    static const int kHalfCourtDefences[6] = {10, 13, 14, 17, 18, 19};
    for (int game = 0; game < games; ++game) {
        const size_t count = clubs.size();
        const size_t h = static_cast<size_t>(GameRand()) % count;
        const size_t a = (h + 1 + static_cast<size_t>(GameRand()) % (count - 1)) % count;
        int attack = 0;
        int defence = 13;
        if (tactics == Match2DBatchTactics::Every) {
            attack = game % 10;
            defence = kHalfCourtDefences[(game / 10) % 6];
        }
        const InstantMatchResult result =
            RunInstantMatch(match, clubs[h], clubs[a], game % 2 == 0, attack, defence);
        ++figures.matches;
        figures.forfeits += result.forfeit ? 1 : 0;
        figures.unfinished += result.finished ? 0 : 1;
        figures.level += result.homeScore == result.awayScore ? 1 : 0;
        figures.margins.push_back(std::abs(result.homeScore - result.awayScore));
        for (const CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
            const Match2DBox box = BoxScore(*team);
            figures.total.Add(box);
            figures.points.push_back(box.points);
            figures.mostFouls = std::max(figures.mostFouls, box.fouls);
        }
    }
    std::sort(figures.points.begin(), figures.points.end());
    std::sort(figures.margins.begin(), figures.margins.end());
    return figures;
}

namespace {

double Percent(int made, int taken) {
    return taken > 0 ? 100.0 * made / taken : 0.0;
}

} // namespace

void PrintMatch2DHeader() {
    std::printf(
        "| %-14s | pts | FGA | FG%% | 2PA | 2P%% | dunks | 3PA | 3P%% | FTA | FT%% | OReb | DReb | OReb%% "
        "| Ast | Stl | TO | Fouls | forfeits | level | margin |\n",
        "batch");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
}

void PrintMatch2DRow(const char* label, const Match2DBatchFigures& f) {
    const Match2DBox& t = f.total;
    const int rebounds = t.offensiveRebounds + t.defensiveRebounds;
    std::printf(
        "| %-14s | %d | %.0f | %.0f | %.0f | %.0f | %.1f | %.0f | %.0f | %.0f | %.0f | %.1f | %.1f | %.0f "
        "| %.1f | %.1f | %.1f | %.1f | %d/%d | %d | %d |\n",
        label, f.MedianPoints(), f.PerSide(t.FieldGoalsTaken()),
        Percent(t.FieldGoalsMade(), t.FieldGoalsTaken()), f.PerSide(t.twoTaken),
        Percent(t.twoMade, t.twoTaken), f.PerSide(t.dunksTaken), f.PerSide(t.threesTaken),
        Percent(t.threesMade, t.threesTaken), f.PerSide(t.freeThrowsTaken),
        Percent(t.freeThrowsMade, t.freeThrowsTaken), f.PerSide(t.offensiveRebounds),
        f.PerSide(t.defensiveRebounds), Percent(t.offensiveRebounds, rebounds), f.PerSide(t.assists),
        f.PerSide(t.steals), f.PerSide(t.turnovers), f.PerSide(t.fouls), f.forfeits, f.matches, f.level,
        f.MedianMargin());
}
