// The day's report lines, leaders and incidents, and the team sheet of the user's match.
#include "career/MatchDay.h"

#include "engine/GameRand.h"
#include "match/MatchResult.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

// ---- day results ---------------------------------------------------------------------------------

int CDayResults::CategoryOf(int kind) {
    switch (kind) {
    case kLineTwoPoint:
    case kLineClose:
        return kFieldGoals;
    case kLineThreePoint:
        return kThreePointers;
    case kLineFreeThrow:
        return kFreeThrows;
    case kLineRebound:
        return kRebounds;
    case kLineAssist:
        return kAssists;
    case kLineSteal:
        return kSteals;
    case kLineDefence:
        return kDefence;
    default:
        return -1;
    }
}

namespace {

// Open addressing over a list's entries: a slot holds an entry's place + 1, 0 is free.
void PlaceSlot(std::vector<int32_t>& slots, uint64_t key, int32_t entry) {
    const size_t mask = slots.size() - 1;
    size_t at = key & mask;
    while (slots[at] != 0)
        at = (at + 1) & mask;
    slots[at] = entry + 1;
}

// Records lie apart by their size, so the address's low bits say little: mix them up.
uint64_t OwnerKey(const void* owner) {
    return (static_cast<uint64_t>(reinterpret_cast<uintptr_t>(owner)) * 0x9E3779B97F4A7C15ull) >> 24;
}

uint64_t NamesKey(const CStr& playerName, const CStr& teamName) {
    const std::hash<std::string> hash;
    return hash(playerName.Std()) * 31u + hash(teamName.Std());
}

} // namespace

int CDayResults::EntryIndex::FindOwner(const std::vector<MatchDayEntry>& list, const void* owner) const {
    if (ownerSlots.empty())
        return -1;
    const size_t mask = ownerSlots.size() - 1;
    for (size_t at = OwnerKey(owner) & mask;; at = (at + 1) & mask) {
        const int32_t slot = ownerSlots[at];
        if (slot == 0)
            return -1;
        if (list[static_cast<size_t>(slot - 1)].owner == owner)
            return slot - 1;
    }
}

void CDayResults::EntryIndex::AddOwner(const std::vector<MatchDayEntry>& list) {
    ++owners;
    // At most half the slots taken, so a look-up meets a free slot soon.
    if (static_cast<size_t>(owners) * 2 > ownerSlots.size()) {
        ownerSlots.assign(std::max<size_t>(64, ownerSlots.size() * 2), 0);
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].owner)
                PlaceSlot(ownerSlots, OwnerKey(list[i].owner), static_cast<int32_t>(i));
        return;
    }
    PlaceSlot(ownerSlots, OwnerKey(list.back().owner), static_cast<int32_t>(list.size() - 1));
}

int CDayResults::EntryIndex::FindNames(const std::vector<MatchDayEntry>& list, const CStr& playerName,
                                       const CStr& teamName) {
    // Entries added by owner since the last look-up by names are keyed now, in list order, so the
    // first entry of those names is the one found.
    while (nameKeys.size() < list.size()) {
        const MatchDayEntry& entry = list[nameKeys.size()];
        nameKeys.push_back(NamesKey(entry.playerName, entry.teamName));
        if (nameKeys.size() * 2 > nameSlots.size()) {
            nameSlots.assign(std::max<size_t>(64, nameSlots.size() * 2), 0);
            for (size_t i = 0; i < nameKeys.size(); ++i)
                PlaceSlot(nameSlots, nameKeys[i], static_cast<int32_t>(i));
        } else {
            PlaceSlot(nameSlots, nameKeys.back(), static_cast<int32_t>(nameKeys.size() - 1));
        }
    }
    if (nameSlots.empty())
        return -1;
    const uint64_t key = NamesKey(playerName, teamName);
    const size_t mask = nameSlots.size() - 1;
    for (size_t at = key & mask;; at = (at + 1) & mask) {
        const int32_t slot = nameSlots[at];
        if (slot == 0)
            return -1;
        const MatchDayEntry& entry = list[static_cast<size_t>(slot - 1)];
        if (nameKeys[static_cast<size_t>(slot - 1)] == key && entry.playerName.Equals(playerName) &&
            entry.teamName.Equals(teamName))
            return slot - 1;
    }
}

void CDayResults::EntryIndex::Clear() {
    std::fill(ownerSlots.begin(), ownerSlots.end(), 0);
    owners = 0;
    nameKeys.clear();
    std::fill(nameSlots.begin(), nameSlots.end(), 0);
}

void CDayResults::Clear() {
    for (auto& list : m_lists)
        list.clear();
    for (auto& index : m_index)
        index.Clear();
    m_incidents.clear();
    m_topScore = -1;
    m_topClub = CStr();
    for (int& value : m_spare)
        value = -1;
    m_secondName = CStr();
}

bool CDayResults::IsEmpty() const {
    for (const auto& list : m_lists)
        if (!list.empty())
            return false;
    return m_incidents.empty() && m_topScore == -1;
}

void CDayResults::AddReportLine(const MatchDayEntry& line) {
    AddReportLine(line.playerName, line.teamName, line.kind, line.value, line.minute, line.second, nullptr,
                  line.owner);
}

void CDayResults::AddReportLine(const CStr& playerName, const CStr& teamName, int kind, int value, int minute,
                                int second, EntryHints* hints, const void* owner) {
    int category = CategoryOf(kind);
    if (category < 0)
        return;
    auto& list = m_lists[static_cast<size_t>(category)];
    // A line carries its own count: a quick match's event is 1, a played match's line its total.
    const int gain = value;
    int* hint = hints && owner ? &(*hints)[static_cast<size_t>(category)] : nullptr;
    if (hint && *hint >= 0 && static_cast<size_t>(*hint) < list.size() &&
        list[static_cast<size_t>(*hint)].owner == owner) {
        list[static_cast<size_t>(*hint)].value += gain;
        return;
    }
    // Looked up, not walked: a day's lists hold hundreds of players.
    EntryIndex& index = m_index[static_cast<size_t>(category)];
    const int found = owner ? index.FindOwner(list, owner) : index.FindNames(list, playerName, teamName);
    if (found >= 0) {
        list[static_cast<size_t>(found)].value += gain;
        if (hint)
            *hint = found;
        return;
    }
    if (hint)
        *hint = static_cast<int>(list.size());
    list.push_back(MatchDayEntry{playerName, teamName, kind, value, minute, second, owner});
    if (owner)
        index.AddOwner(list);
}

void CDayResults::OfferTopScore(const CStr& club, int score) {
    if (score > m_topScore) {
        m_topScore = score;
        m_topClub = club;
    }
}

std::vector<std::array<CStr, 2>> CDayResults::Leaders() const {
    auto leaderOf = [this](int category) -> const MatchDayEntry* {
        const MatchDayEntry* best = nullptr;
        int bestValue = -1;
        for (const MatchDayEntry& entry : m_lists[static_cast<size_t>(category)]) {
            if (entry.value > bestValue) {
                bestValue = entry.value;
                best = &entry;
            }
        }
        return best;
    };
    auto pair = [](const MatchDayEntry* entry) {
        return entry ? std::array<CStr, 2>{entry->playerName, entry->teamName} : std::array<CStr, 2>{};
    };
    const MatchDayEntry* threes = leaderOf(kThreePointers);
    const MatchDayEntry* freeThrows = leaderOf(kFreeThrows);
    // A player's points and baskets over the three scoring lists: by his record where his entries
    // name it (two players of one club may share a name), else by his and his team's names.
    struct Tally {
        int points = 0;
        int baskets = 0;
    };
    std::unordered_map<const void*, Tally> byOwner;
    std::map<std::pair<std::string, std::string>, Tally> byNames;
    auto tallyOf = [&](const MatchDayEntry& entry) -> Tally& {
        if (entry.owner)
            return byOwner[entry.owner];
        return byNames[{entry.playerName.Std(), entry.teamName.Std()}];
    };
    const int pointLists[] = {kFieldGoals, kThreePointers, kFreeThrows};
    byOwner.reserve(m_lists[kFieldGoals].size() + m_lists[kThreePointers].size() +
                    m_lists[kFreeThrows].size());
    // Field goals are the twos, close shots and threes together, counted as baskets (the lists hold
    // their points).
    for (int category : pointLists)
        for (const MatchDayEntry& entry : m_lists[static_cast<size_t>(category)]) {
            Tally& tally = tallyOf(entry);
            tally.points += entry.value;
            tally.baskets += category == kFieldGoals      ? entry.value / 2
                             : category == kThreePointers ? entry.value / 3
                                                          : 0;
        }
    // The top scorer has the most points of all three kinds together, not of one kind; a tie keeps
    // the player who scored first in the lists' order.
    const MatchDayEntry* scorer = nullptr;
    int bestPoints = -1;
    for (int category : pointLists) {
        for (const MatchDayEntry& entry : m_lists[static_cast<size_t>(category)]) {
            const int total = tallyOf(entry).points;
            if (total > bestPoints) {
                bestPoints = total;
                scorer = &entry;
            }
        }
    }
    // The most baskets; a tie goes to the player with more points.
    const MatchDayEntry* fieldGoals = nullptr;
    int bestBaskets = -1, bestBasketPoints = -1;
    for (int category : {kFieldGoals, kThreePointers}) {
        for (const MatchDayEntry& entry : m_lists[static_cast<size_t>(category)]) {
            const Tally& tally = tallyOf(entry);
            if (tally.baskets > bestBaskets ||
                (tally.baskets == bestBaskets && tally.points > bestBasketPoints)) {
                bestBaskets = tally.baskets;
                bestBasketPoints = tally.points;
                fieldGoals = &entry;
            }
        }
    }
    return {pair(scorer),
            pair(leaderOf(kAssists)),
            pair(leaderOf(kRebounds)),
            pair(leaderOf(kDefence)),
            pair(leaderOf(kSteals)),
            pair(fieldGoals),
            pair(threes),
            pair(freeThrows),
            {m_topClub, CStr()}};
}

void BuildTeamSheet(CTeam* team) {
    if (!team)
        return;
    std::vector<int32_t> free = {80063, 80064, 80065, 80066, 80067};
    std::vector<CPlayer*> waiting;
    for (CPlayer* player : team->players) {
        if (player->words[kWordMatchState] == kOnBench)
            continue;
        auto it = std::find(free.begin(), free.end(), player->words[kWordPosition]);
        if (it != free.end()) {
            player->words[kWordPlayedPosition] = *it;
            free.erase(it);
        } else {
            waiting.push_back(player);
        }
    }
    size_t next = 0;
    for (CPlayer* player : waiting) {
        player->words[kWordPlayedPosition] = next < free.size() ? free[next++] : player->words[kWordPosition];
    }
}

void FillDayLeaders(const CDayResults& results, DayBoard& board) {
    for (const auto& leader : results.Leaders())
        board.leaders.push_back(DayLeaderItem{{leader[0], leader[1]}});
    for (const MatchDayIncident& incident : results.Incidents())
        board.events.push_back(
            DayEventItem{{incident.playerName, incident.teamName,
                          CStr::Formatted("%.2d:%.2d", incident.minute, incident.second)}});
}

void BuildKickOffTimes(const CDayResults& results, DayBoard& board) {
    board.leaders.clear();
    board.events.clear();
    FillDayLeaders(results, board);
}
