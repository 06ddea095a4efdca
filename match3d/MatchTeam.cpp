// CMatchTeam roster ownership and look-ups.
#include "match3d/MatchTeam.h"

#include "match/TacticsData.h"

CMatchTeam::~CMatchTeam() {
    DeletePlayers();
}

void CMatchTeam::AddPlayer(const CCourtPlayer& player) {
    players.push_back(new CCourtPlayer(player));
}

void CMatchTeam::AddPlayerPointer(CCourtPlayer* player) {
    players.push_back(player);
}

void CMatchTeam::DeletePlayers() {
    DeletePointerVector(players);
}

CCourtPlayer* CMatchTeam::GetPlayer(int index) const {
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return players[static_cast<size_t>(index)];
}

CCourtPlayer* CMatchTeam::FindByPosition(int positionId) const {
    for (CCourtPlayer* player : players) {
        if (player != nullptr && player->courtPositionId == positionId) {
            return player;
        }
    }
    return nullptr;
}

CCourtPlayer* CMatchTeam::FindById(int playerId, int& index) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (players[static_cast<size_t>(i)] != nullptr &&
            players[static_cast<size_t>(i)]->playerId == playerId) {
            index = i;
            return players[static_cast<size_t>(i)];
        }
    }
    index = GetCount();
    return nullptr;
}

namespace {

int32_t Sum(const std::vector<CCourtPlayer*>& players, int32_t CCourtPlayer::*field) {
    int32_t total = 0;
    for (const CCourtPlayer* player : players)
        if (player != nullptr)
            total += player->*field;
    return total;
}

int SumPair(const std::vector<CCourtPlayer*>& players, int32_t CCourtPlayer::*first,
            int32_t CCourtPlayer::*second, int32_t& a, int32_t& b) {
    a = Sum(players, first);
    b = Sum(players, second);
    return static_cast<int>(players.size());
}

} // namespace

int32_t CMatchTeam::TotalSteals() const {
    return Sum(players, &CCourtPlayer::steals);
}
int32_t CMatchTeam::TotalOffensiveRebounds() const {
    return Sum(players, &CCourtPlayer::offensiveRebounds);
}
int32_t CMatchTeam::TotalDefensiveRebounds() const {
    return Sum(players, &CCourtPlayer::defensiveRebounds);
}
int32_t CMatchTeam::TotalTwoPointersMade() const {
    return Sum(players, &CCourtPlayer::twoPointersMade);
}
int32_t CMatchTeam::TotalThreePointersMade() const {
    return Sum(players, &CCourtPlayer::threePointersMade);
}
int32_t CMatchTeam::TotalTwoPointAttempts() const {
    return Sum(players, &CCourtPlayer::twoPointAttempts);
}
int32_t CMatchTeam::TotalThreePointAttempts() const {
    return Sum(players, &CCourtPlayer::threePointAttempts);
}
int32_t CMatchTeam::TotalFinalStatCount() const {
    return Sum(players, &CCourtPlayer::finalStatCount);
}
int CMatchTeam::TotalPasses(int32_t& good, int32_t& bad) const {
    return SumPair(players, &CCourtPlayer::goodPasses, &CCourtPlayer::badPasses, good, bad);
}
int CMatchTeam::TotalFreeThrows(int32_t& made, int32_t& attempted) const {
    return SumPair(players, &CCourtPlayer::freeThrowsMade, &CCourtPlayer::freeThrowsAttempted, made,
                   attempted);
}
int CMatchTeam::TotalFieldGoals(int32_t& made, int32_t& attempted) const {
    return SumPair(players, &CCourtPlayer::fieldGoalsMade, &CCourtPlayer::fieldGoalsAttempted, made,
                   attempted);
}
