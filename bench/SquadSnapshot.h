// Keeps clubs' squads as they were: a quick result trains and tires the players and appends
// statistics records, so each result of a seeded batch starts from the same world.
#pragma once

#include "database/Records.h"

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
