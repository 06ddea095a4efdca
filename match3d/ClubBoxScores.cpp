// Seeded round robins of 3D matches and their figures club by club.
#include "match3d/ClubBoxScores.h"

#include "database/Records.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kBlowoutMargin = 50;

double Percent(int made, int taken) {
    return taken > 0 ? 100.0 * made / taken : 0.0;
}

void PrintRow(const char* name, int matches, const char* won, int blowouts, const Match3DBox& b, int sides) {
    const double perSide = sides > 0 ? 1.0 / sides : 0.0;
    std::printf("| %s | %d | %s | %.1f | %.1f | %.1f | %.1f | %.1f | %.2f | %.1f |\n", name, matches, won,
                b.points * perSide, Percent(b.FieldGoalsMade(), b.FieldGoalsTaken()),
                Percent(b.twoMade, b.twoTaken), Percent(b.threesMade, b.threesTaken), b.possessions * perSide,
                b.shotClockViolations * perSide, matches > 0 ? 100.0 * blowouts / matches : 0.0);
}

} // namespace

Match3DClubReport PlayMatch3DClubs(const std::vector<CTeam*>& clubs, int matchesEach, unsigned seed,
                                   bool models, bool watched, const Match3DPlay& play) {
    Match3DClubReport report;
    const size_t n = clubs.size();
    if (n < 2)
        return report;
    for (CTeam* club : clubs) {
        Match3DClubRow row;
        row.club = club;
        report.clubs.push_back(row);
    }
    const int perRound = 2 * static_cast<int>(n - 1);
    const int rounds = (std::max(1, matchesEach) + perRound - 1) / perRound;
    unsigned next = seed;
    for (int round = 0; round < rounds; ++round)
        for (size_t h = 0; h < n; ++h)
            for (size_t a = 0; a < n; ++a) {
                if (h == a)
                    continue;
                Match3DBox awayBox;
                bool finished = false;
                bool consistent = false;
                Match3DMatchFacts facts;
                const Match3DBox homeBox = PlaySeededMatch3D(*clubs[h], *clubs[a], next++, models, awayBox,
                                                             finished, consistent, &facts, watched, play);
                const bool blowout = std::abs(homeBox.points - awayBox.points) >= kBlowoutMargin;
                ++report.matches;
                report.unfinished += finished ? 0 : 1;
                report.blowouts += blowout ? 1 : 0;
                report.levelAfterFour += facts.levelAfterFour ? 1 : 0;
                report.wentToOvertime += facts.levelAfterFour && facts.overtimes > 0 ? 1 : 0;
                report.overtimeElsewhere += !facts.levelAfterFour && facts.overtimes > 0 ? 1 : 0;
                report.total.Add(homeBox);
                report.total.Add(awayBox);
                const struct {
                    size_t index;
                    const Match3DBox& own;
                    const Match3DBox& other;
                } sides[2] = {{h, homeBox, awayBox}, {a, awayBox, homeBox}};
                for (const auto& side : sides) {
                    Match3DClubRow& row = report.clubs[side.index];
                    ++row.matches;
                    row.wins += side.own.points > side.other.points ? 1 : 0;
                    row.blowouts += blowout ? 1 : 0;
                    row.box.Add(side.own);
                }
            }
    return report;
}

void PrintMatch3DClubReport(const char* label, const Match3DClubReport& report) {
    std::printf("%s: %d matches, margins of %d or more %d (%.1f %%), level after the fourth quarter %d, "
                "of them to overtime %d, overtime after a decided fourth %d, unfinished %d\n\n",
                label, report.matches, kBlowoutMargin, report.blowouts,
                report.matches > 0 ? 100.0 * report.blowouts / report.matches : 0.0, report.levelAfterFour,
                report.wentToOvertime, report.overtimeElsewhere, report.unfinished);
    std::printf(
        "| club | matches | won %% | pts | FG%% | 2P%% | 3P%% | possessions | shot clock | margin 50+ %% "
        "|\n|---|---|---|---|---|---|---|---|---|---|\n");
    for (const Match3DClubRow& row : report.clubs) {
        char won[16];
        std::snprintf(won, sizeof won, "%.0f", row.matches > 0 ? 100.0 * row.wins / row.matches : 0.0);
        PrintRow(row.club != nullptr ? row.club->name.GetText() : "?", row.matches, won, row.blowouts,
                 row.box, row.matches);
    }
    PrintRow("mean", report.matches, "-", report.blowouts, report.total, 2 * report.matches);
    std::printf("\n");
}
