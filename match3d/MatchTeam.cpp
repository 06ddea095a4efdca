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
