// A quick result's box score counts the same basketball as the played matches: blocks, lost balls
// and fouls at the rates every engine aims at, and a sixth foul ends a player's match.
#include "career/QuickResult.h"
#include "engine/GameRand.h"

#include "DayTestWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <tuple>
#include <vector>

using daytest::MakeTeam;

namespace {

// A side's figures summed over a batch of matches.
struct SideTotals {
    long long blocks = 0, turnovers = 0, fouls = 0, steals = 0;
};

} // namespace

// Blocks stood at 2.8 a side, lost balls were never booked (the screens' "TO" read 0) and a side
// committed only the fouls that gave free throws (about 11): beside the played matches a quick
// result's club looked foul-shy, careless-free and blockless. Every lost ball is its handler's, a
// steal one of them, and the club's record holds its players' sums.
TEST(QuickMatchBoxScore, BlocksLostBallsFoulsAndStealsLandInTheSharedBands) {
    GameSrand(41);
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    QuickMatchContext ctx = daytest::QuickContext(world);
    constexpr int kMatches = 300;
    SideTotals all;
    for (int match = 1; match <= kMatches; ++match) {
        int homeScore = 0, awayScore = 0;
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        for (const CTeam* team : {home, away}) {
            const CTeam* other = team == home ? away : home;
            SideTotals side;
            for (const CPlayer* player : team->players) {
                const CPlayerStat* stat = player->stats.back();
                side.blocks += stat->Blocks();
                side.turnovers += stat->PassesFailed();
                side.fouls += stat->Fouls();
                side.steals += stat->Steals();
                if (stat->PassesFailed() > 0) {
                    EXPECT_GT(stat->SecondsPlayed(), 0) << "a ball lost by a player who never came on";
                }
            }
            const CMatchStat* club = team->matchStats.back();
            EXPECT_EQ(club->PassesFailed(), side.turnovers) << team->name.GetText() << " match " << match;
            EXPECT_EQ(club->Steals(), side.steals) << team->name.GetText() << " match " << match;
            EXPECT_EQ(club->Blocks(), side.blocks) << team->name.GetText() << " match " << match;
            // Each steal took the ball from one of the other side's players.
            long long lostByOther = 0;
            for (const CPlayer* player : other->players)
                lostByOther += player->stats.back()->PassesFailed();
            EXPECT_GE(lostByOther, side.steals) << team->name.GetText() << " match " << match;
            all.blocks += side.blocks;
            all.turnovers += side.turnovers;
            all.fouls += side.fouls;
            all.steals += side.steals;
        }
        if (::testing::Test::HasFailure())
            break;
    }
    const double sides = 2.0 * kMatches;
    const std::array<std::tuple<const char*, double, double, double>, 4> bands = {{
        {"blocks", all.blocks / sides, 3.0, 6.0},
        {"turnovers", all.turnovers / sides, 10.0, 18.0},
        {"fouls", all.fouls / sides, 15.0, 25.0},
        {"steals", all.steals / sides, 5.0, 10.0},
    }};
    for (const auto& [figure, perSide, low, high] : bands) {
        EXPECT_GE(perSide, low) << figure << " a side";
        EXPECT_LE(perSide, high) << figure << " a side";
    }
}

// A player could keep on fouling: 1.7 % of sides ended with a player on six or more, one on eleven.
// The sixth foul now takes him off for good, a bench player coming on as for a hurt one; a side
// without one plays short.
TEST(QuickMatchBoxScore, ASixthFoulEndsThePlayersMatch) {
    // Possession by possession: once a player has six fouls, nothing of his moves again and he is
    // neither on court nor on the bench.
    GameSrand(43);
    CMemoryDB world;
    CTeam* homeClub = MakeTeam(world, 1, "Harbour", 8, 5);
    CTeam* awayClub = MakeTeam(world, 2, "Valley", 5, 5);
    std::vector<std::unique_ptr<CPlayerStat>> records;
    CMatchStat homeStat, awayStat;
    QuickTeam sides[2];
    sides[0].team = homeClub;
    sides[0].stat = &homeStat;
    sides[1].team = awayClub;
    sides[1].stat = &awayStat;
    for (QuickTeam& side : sides)
        for (CPlayer* player : side.team->players) {
            records.push_back(std::make_unique<CPlayerStat>());
            QuickPlayer entry{player, records.back().get()};
            // Everyone comes on five fouls: the next foul of each is his sixth.
            entry.stat->DefenceFouls() = entry.stat->Fouls() = 5;
            (side.five.size() < 5 ? side.five : side.bench).push_back(entry);
        }
    std::vector<std::pair<const CPlayerStat*, CPlayerStat>> fouledOut;
    for (int possession = 0; possession < 3000; ++possession) {
        SimulatePossession(sides[0], sides[1], possession / 5);
        for (const auto& record : records) {
            const CPlayerStat* stat = record.get();
            EXPECT_LE(stat->Fouls(), 6);
            if (stat->Fouls() >= 6 && std::none_of(fouledOut.begin(), fouledOut.end(),
                                                   [&](const auto& kept) { return kept.first == stat; }))
                fouledOut.emplace_back(stat, *stat);
        }
        for (const auto& [stat, then] : fouledOut) {
            EXPECT_EQ(std::vector<int32_t>(std::begin(stat->fields), std::end(stat->fields)),
                      std::vector<int32_t>(std::begin(then.fields), std::end(then.fields)))
                << "he played on after his sixth foul, possession " << possession;
            for (const QuickTeam& side : sides)
                for (const QuickSide* list : {&side.five, &side.bench})
                    for (const QuickPlayer& p : *list)
                        EXPECT_NE(p.stat, stat) << "a fouled-out player is still in the match";
        }
        // The home side's three on the bench come on one by one, so its five stays whole as long
        // as they last; the away side has nobody to send on.
        const size_t homeGone =
            static_cast<size_t>(std::count_if(fouledOut.begin(), fouledOut.end(), [&](const auto& kept) {
                for (size_t i = 0; i < 8; ++i)
                    if (records[i].get() == kept.first)
                        return true;
                return false;
            }));
        EXPECT_EQ(sides[0].five.size(), homeGone <= 3 ? 5u : 8u - homeGone) << "possession " << possession;
        if (::testing::Test::HasFailure())
            break;
    }
    EXPECT_GE(fouledOut.size(), 8u) << "too few fouls for the test to show anything";

    // Whole matches: nobody ends on more than six, the side still plays its 240 minutes, and a
    // sixth foul is the exception, as in the played matches (at most 0.3 a side).
    GameSrand(47);
    CTeam* home = MakeTeam(world, 3, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 4, "Valley", 12, 5);
    QuickMatchContext ctx = daytest::QuickContext(world);
    constexpr int kMatches = 400;
    int sixes = 0;
    for (int match = 1; match <= kMatches; ++match) {
        int homeScore = 0, awayScore = 0;
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        for (const CTeam* team : {home, away}) {
            int seconds = 0;
            for (const CPlayer* player : team->players) {
                const CPlayerStat* stat = player->stats.back();
                EXPECT_LE(stat->Fouls(), 6) << player->name.GetText() << " match " << match;
                sixes += stat->Fouls() >= 6 ? 1 : 0;
                seconds += stat->SecondsPlayed();
            }
            EXPECT_EQ(seconds, 240 * 60) << team->name.GetText() << " match " << match;
        }
        if (::testing::Test::HasFailure())
            break;
    }
    EXPECT_GT(sixes, 0) << "nobody fouled out: the rule was never met";
    EXPECT_LE(sixes, 2 * kMatches * 3 / 10) << "at most 0.3 fouled out a side";
}
