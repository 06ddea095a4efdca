// Keeping a club's starting five full and its shirt numbers unique.
#include "career/Lineup.h"

#include "career/Mail.h"
#include "database/MemoryDB.h"
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

// Mail templates: a hurt starter replaced, a hurt starter nobody fit can replace, and an empty
// place filled.
constexpr int kMailRowStarterReplaced = 58;
constexpr int kMailRowStarterNotReplaced = 59;
constexpr int kMailRowPlaceFilled = 60;

bool Starts(const CPlayer* player) {
    return player && player->words[kWordMatchState] == kOnCourt && player->words[kWordInjured] == 0;
}

// How well a player's own position suits a court place: 2 his own place, 1 a guard for a guard's
// place or a forward for a forward's, 0 any other.
int PositionFit(int32_t own, int32_t place) {
    if (own == place)
        return 2;
    if (own == kPositionGuard && (place == kPositionPointGuard || place == kPositionShootingGuard))
        return 1;
    if (own == kPositionForward && (place == kPositionSmallForward || place == kPositionPowerForward))
        return 1;
    return 0;
}

CStr PositionCodeOf(int32_t position) {
    static constexpr const char* kCodes[] = {"C", "PF", "SF", "PG", "SG", "G", "F"};
    if (position < kPositionCentre || position > kPositionForward)
        return CStr("-");
    return CStr(kCodes[position - kPositionCentre]);
}

} // namespace

int FillStartingFive(CTeam& club, std::vector<LineupChange>* changes) {
    std::set<int32_t> heldSlots;
    int starters = 0;
    std::vector<std::pair<double, CPlayer*>> bench;
    std::vector<LineupChange> madeWay;
    for (CPlayer* player : club.players) {
        if (!player)
            continue;
        // An injured player never stays in the starting five; his court position is free.
        if (player->words[kWordInjured] != 0) {
            if (player->words[kWordMatchState] == kOnCourt)
                madeWay.push_back(LineupChange{player, nullptr, player->words[kWordPlayedPosition]});
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
    std::vector<int32_t> freeSlots;
    for (int32_t slot : kSlotOrder)
        if (!heldSlots.count(slot))
            freeSlots.push_back(slot);
    // Each free place goes to the best player whose own place it is, then to a guard or forward
    // who suits it, then to the best left.
    const int needed = std::max(0, 5 - starters);
    std::vector<CPlayer*> chosen(freeSlots.size(), nullptr);
    std::vector<bool> taken(bench.size(), false);
    int added = 0;
    for (int fit = 2; fit >= 0; --fit)
        for (size_t f = 0; f < freeSlots.size() && added < needed; ++f) {
            if (chosen[f])
                continue;
            for (size_t b = 0; b < bench.size(); ++b)
                if (!taken[b] && PositionFit(bench[b].second->words[kWordPosition], freeSlots[f]) >= fit) {
                    chosen[f] = bench[b].second;
                    taken[b] = true;
                    ++added;
                    break;
                }
        }
    std::vector<LineupChange> filled;
    for (size_t f = 0; f < freeSlots.size(); ++f)
        if (CPlayer* player = chosen[f]) {
            player->words[kWordMatchState] = kOnCourt;
            player->words[kWordPlayedPosition] = freeSlots[f];
            filled.push_back(LineupChange{nullptr, player, freeSlots[f]});
        }
    // Starters who share a place leave fewer places free than players missing: the best left
    // come in and keep the place they had.
    for (size_t b = 0; b < bench.size() && added < needed; ++b)
        if (!taken[b]) {
            CPlayer* player = bench[b].second;
            player->words[kWordMatchState] = kOnCourt;
            taken[b] = true;
            ++added;
            filled.push_back(LineupChange{nullptr, player, player->words[kWordPlayedPosition]});
        }
    if (changes) {
        // Each hurt starter is paired with the player who took his place, or failing that with
        // any newcomer left.
        for (LineupChange& change : madeWay)
            for (LineupChange& in : filled)
                if (in.out == nullptr && in.in != nullptr && in.position == change.position) {
                    change.in = std::exchange(in.in, nullptr);
                    break;
                }
        for (LineupChange& change : madeWay)
            for (LineupChange& in : filled)
                if (change.in == nullptr && in.in != nullptr) {
                    change.in = std::exchange(in.in, nullptr);
                    change.position = in.position;
                }
        for (const LineupChange& change : madeWay)
            changes->push_back(change);
        for (const LineupChange& in : filled)
            if (in.in != nullptr)
                changes->push_back(in);
    }
    return added;
}

void MailLineupChanges(CMemoryDB* world, CMemoryDB* career, const CTeam& club,
                       const std::vector<LineupChange>& changes, const GameDate& date) {
    for (const LineupChange& change : changes) {
        int row = kMailRowPlaceFilled;
        if (change.out != nullptr)
            row = change.in != nullptr ? kMailRowStarterReplaced : kMailRowStarterNotReplaced;
        else if (change.in == nullptr)
            continue;
        // A career saved before these mails existed keeps its older templates: no empty mail.
        if (world == nullptr || world->emailTemplates.At(row) == nullptr)
            continue;
        const CStr out = change.out ? change.out->name : CStr();
        const CStr in = change.in ? change.in->name : CStr();
        CreateEmail(world, career, row, date.year, date.month, date.day, CStr(), club.name, kMailTypeClub,
                    {out, in, PositionCodeOf(change.position)});
    }
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
