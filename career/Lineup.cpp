// Keeping a club's starting five full and its shirt numbers unique.
#include "career/Lineup.h"

#include "database/Records.h"
#include "match/Formation.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace {

// The court positions in the order the line-up fills them.
constexpr int32_t kSlotOrder[5] = {kPositionCentre, kPositionPowerForward, kPositionSmallForward,
                                   kPositionPointGuard, kPositionShootingGuard};

bool Starts(const CPlayer* player) {
    return player && player->words[kWordMatchState] == kOnCourt && player->words[kWordInjured] == 0;
}

} // namespace

int FillStartingFive(CTeam& club) {
    std::set<int32_t> heldSlots;
    int starters = 0;
    std::vector<std::pair<double, CPlayer*>> bench;
    for (CPlayer* player : club.players) {
        if (!player)
            continue;
        // An injured player never stays in the starting five; his court position is free.
        if (player->words[kWordInjured] != 0) {
            player->words[kWordMatchState] = kOnBench;
        } else if (Starts(player)) {
            ++starters;
            heldSlots.insert(player->words[kWordPlayedPosition]);
        } else {
            bench.emplace_back(CPlayer::ComputeOverall(player, false), player);
        }
    }
    // The best first; equal ratings keep the squad's order so the choice is repeatable.
    std::stable_sort(bench.begin(), bench.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    int added = 0;
    for (const auto& [rating, player] : bench) {
        if (starters >= 5)
            break;
        player->words[kWordMatchState] = kOnCourt;
        for (int32_t slot : kSlotOrder)
            if (!heldSlots.count(slot)) {
                player->words[kWordPlayedPosition] = slot;
                heldSlots.insert(slot);
                break;
            }
        ++starters;
        ++added;
    }
    return added;
}

void GiveFreeShirtNumber(const CTeam& club, CPlayer& player) {
    std::set<int32_t> worn;
    for (const CPlayer* other : club.players)
        if (other && other != &player)
            worn.insert(other->words[kWordShirtNumber]);
    if (player.words[kWordShirtNumber] > 0 && !worn.count(player.words[kWordShirtNumber]))
        return;
    int32_t number = 4;
    while (worn.count(number))
        ++number;
    player.words[kWordShirtNumber] = number;
}
