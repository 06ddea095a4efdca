// Who leads a quick result's box score: the events reach every player on court, and shots and
// events go by the players' skills, so a club's best scorer leads it as on the flat court.
#include "career/QuickResult.h"
#include "engine/GameRand.h"

#include "DayTestWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>

using daytest::MakeTeam;

// The event draw took trunc((n - 1) r): the fifth man on court came up only on the top roll, so he
// booked almost no rebounds, steals, blocks or assists. Five alike players, with nobody to change
// them, share every kind of event evenly.
TEST(QuickMatchLeaders, EveryPlayerOnCourtGetsHisShareOfEachEvent) {
    GameSrand(71);
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 5, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 5, 5);
    QuickMatchContext ctx = daytest::QuickContext(world);
    struct Counts {
        std::array<long long, 5> rebounds{}, steals{}, blocks{}, points{};
    } counts;
    for (int match = 0; match < 400; ++match) {
        // A quick match trains its players: they start every match alike again.
        for (const CTeam* team : {home, away})
            for (CPlayer* player : team->players)
                for (int s = 1; s <= kSkillCount; ++s) {
                    player->SkillValue(s) = 60;
                    player->SkillProgress(s) = 0;
                }
        int homeScore = 0, awayScore = 0;
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        for (const CTeam* team : {home, away})
            for (size_t i = 0; i < 5; ++i) {
                const CPlayerStat* stat = team->players[i]->stats.back();
                counts.rebounds[i] += stat->Rebounds();
                counts.steals[i] += stat->Steals();
                counts.blocks[i] += stat->Blocks();
                counts.points[i] += stat->Points();
            }
    }
    const std::array<std::pair<const char*, const std::array<long long, 5>*>, 4> kinds = {{
        {"rebounds", &counts.rebounds},
        {"steals", &counts.steals},
        {"blocks", &counts.blocks},
        {"points", &counts.points},
    }};
    for (const auto& [kind, shares] : kinds) {
        const double mean = std::accumulate(shares->begin(), shares->end(), 0.0) / 5.0;
        ASSERT_GT(mean, 0.0) << kind;
        for (size_t i = 0; i < 5; ++i)
            EXPECT_NEAR(static_cast<double>((*shares)[i]) / mean, 1.0, 0.12) << kind << ", place " << i + 1;
    }
}
