// Keeps clubs' squads as they were: a quick result trains and tires the players and appends
// statistics records, so each result of a seeded batch starts from the same world.
#pragma once

#include "career/MatchDay.h"
#include "career/QuickResult.h"
#include "database/Records.h"
#include "match2d/Match2DBatch.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

class SquadSnapshot {
public:
    explicit SquadSnapshot(std::initializer_list<CTeam*> teams) {
        for (CTeam* team : teams) {
            m_teams.push_back({team, team->matchStats.size()});
            for (CPlayer* player : team->players) {
                KeptPlayer kept{player, {}, player->overall, player->stats.size()};
                std::copy(std::begin(player->words), std::end(player->words), kept.words.begin());
                m_players.push_back(kept);
            }
        }
    }
    ~SquadSnapshot() {
        for (auto& [team, stats] : m_teams)
            team->matchStats.resize(stats);
        for (auto& kept : m_players) {
            std::copy(kept.words.begin(), kept.words.end(), std::begin(kept.player->words));
            kept.player->overall = kept.overall;
            kept.player->stats.resize(kept.stats);
        }
    }
    SquadSnapshot(const SquadSnapshot&) = delete;
    SquadSnapshot& operator=(const SquadSnapshot&) = delete;

private:
    struct KeptPlayer {
        CPlayer* player;
        std::array<int32_t, kPlayerWords> words;
        double overall;
        size_t stats;
    };
    std::vector<std::pair<CTeam*, size_t>> m_teams;
    std::vector<KeptPlayer> m_players;
};

// Box-score figures of both sides, summed over a batch. A quick result's come from the clubs' last
// match records, their players' last statistics records and the day's assist list.
struct BoxScoreSums {
    long long fga = 0, fgm = 0, tpa = 0, tpm = 0, fta = 0, ftm = 0;
    long long rebounds = 0, assists = 0, steals = 0;
    long long blocks = 0, turnovers = 0, fouls = 0;
    long long fouledOut = 0; // players who reached six fouls
    int mostFouls = 0;       // the most fouls one player of the batch committed in a match
    long long leaders = 0;   // each side's leading scorer's points

    void AddQuickResult(std::initializer_list<const CTeam*> teams, const CDayResults& results) {
        for (const CTeam* team : teams) {
            const CMatchStat* club = team->matchStats.back();
            fga += club->Field(11) + club->Field(13) + club->Field(15);
            fgm += club->Field(12) + club->Field(14) + club->Field(16);
            tpa += club->Field(15);
            tpm += club->Field(16);
            fta += club->Field(17);
            ftm += club->Field(18);
            int leader = 0;
            for (const CPlayer* player : team->players)
                leader = std::max(leader, static_cast<int>(player->stats.back()->Points()));
            leaders += leader;
            for (const CPlayer* player : team->players) {
                const CPlayerStat* stat = player->stats.back();
                rebounds += stat->Rebounds();
                steals += stat->Steals();
                blocks += stat->Blocks();
                turnovers += stat->PassesFailed();
                AddFouls(stat->Fouls());
            }
        }
        // An entry is its player's count of shares (each event adds one).
        for (const MatchDayEntry& entry : results.List(CDayResults::kAssists))
            assists += entry.value;
    }
    void AddFouls(int playerFouls) {
        fouls += playerFouls;
        fouledOut += playerFouls >= 6 ? 1 : 0;
        mostFouls = std::max(mostFouls, playerFouls);
    }
    // The flat court's box has no blocks: the caller adds them from the side's counters.
    void AddFlatCourt(const Match2DBox& box) {
        fga += box.FieldGoalsTaken();
        fgm += box.FieldGoalsMade();
        tpa += box.threesTaken;
        tpm += box.threesMade;
        fta += box.freeThrowsTaken;
        ftm += box.freeThrowsMade;
        rebounds += box.offensiveRebounds + box.defensiveRebounds;
        assists += box.assists;
        steals += box.steals;
        turnovers += box.turnovers;
    }
    void Add(const BoxScoreSums& o) {
        fga += o.fga;
        fgm += o.fgm;
        tpa += o.tpa;
        tpm += o.tpm;
        fta += o.fta;
        ftm += o.ftm;
        rebounds += o.rebounds;
        assists += o.assists;
        steals += o.steals;
        blocks += o.blocks;
        turnovers += o.turnovers;
        fouls += o.fouls;
        fouledOut += o.fouledOut;
        leaders += o.leaders;
        mostFouls = std::max(mostFouls, o.mostFouls);
    }
};

// The records a batch of quick results writes, and the context that points at them: a result's
// match day is any autumn day, since the batches read the figures, not the calendar.
struct QuickRecords {
    CTable<CMatchStat> matchStats;
    CTable<CPlayerStat> playerStats;
    CDayResults results;
    QuickMatchContext ctx{GameDate{2007, 10, 3}, &matchStats, &playerStats, &results};

    QuickRecords() = default;
    QuickRecords(const QuickRecords&) = delete;
    QuickRecords& operator=(const QuickRecords&) = delete;
};
