// CMatchTeam roster ownership and look-ups.
#include "match3d/MatchTeam.h"

#include "match/Formation.h"
#include "match/TacticsData.h"
#include "match3d/MatchContext.h"

#include <algorithm>
#include <iterator>
#include <utility>

CMatchTeam::~CMatchTeam() {
    DeletePlayers();
}

void CMatchTeam::AddPlayer(const CCourtPlayer& player) {
    CCourtPlayer* copy = new CCourtPlayer(player);
    if (match != nullptr) {
        copy->match = match;
    }
    players.push_back(copy);
}

void CMatchTeam::AddPlayerPointer(CCourtPlayer* player) {
    if (player != nullptr && match != nullptr) {
        player->match = match;
    }
    players.push_back(player);
}

void CMatchTeam::AttachMatch(IMatchContext* context) {
    match = context;
    for (CCourtPlayer* player : players) {
        if (player != nullptr) {
            player->match = context;
        }
    }
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

CCourtPlayer* CMatchTeam::GetBallHolder() const {
    for (CCourtPlayer* player : players) {
        if (player != nullptr && player->hasBall == 1) {
            return player;
        }
    }
    return nullptr;
}

void CMatchTeam::Think(double dt) {
    for (int i = 0; i < OnCourtCount(); ++i) {
        if (match != nullptr) {
            MatchFlags& flags = match->Flags();
            if (flags.actionCountdown > 0) {
                --flags.actionCountdown;
            }
            flags.currentPlayer = i;
        }
        if (CCourtPlayer* player = GetPlayer(i)) {
            player->AiUpdate(dt);
        }
    }
}

void CMatchTeam::ClearAwaitingPass() {
    for (CCourtPlayer* player : players) {
        if (player != nullptr) {
            player->awaitingPass = 0;
        }
    }
}

void CMatchTeam::ClearChaseFlags() {
    for (CCourtPlayer* player : players) {
        if (player != nullptr) {
            player->chasingBall = 0;
        }
    }
}

void CMatchTeam::ResetPositions() {
    for (CCourtPlayer* player : players) {
        if (player == nullptr) {
            continue;
        }
        player->walkTarget = Vec3(0.0f, 0.0f, 0.2f);
        player->position = player->homeSpot;
        player->awaitingPass = 0;
        player->attacking = 0;
        player->hasBall = 0;
        player->needsNewSpot = 1;
    }
}

void CMatchTeam::Substitute(int outId, int inId) {
    int outPlace = 0;
    int inPlace = 0;
    CCourtPlayer* out = FindById(outId, outPlace);
    CCourtPlayer* in = FindById(inId, inPlace);
    // The roster's own picks and the user's choice name players of this roster; anything else is
    // ignored rather than trusted.
    if (out == nullptr || in == nullptr || out == in) {
        return;
    }
    in->matchState = kMatchStateOnCourt;
    out->matchState = kMatchStateOnBench;
    in->courtPositionId = out->courtPositionId;
    in->facing = Vec3(1.0f, 0.0f, 0.0f);
    out->facing = Vec3(1.0f, 0.0f, 0.0f);

    in->lookDirection = out->lookDirection;
    in->position = out->position;
    in->walkTarget = out->walkTarget;
    in->homeSpot = out->homeSpot;
    in->attackSpot = out->attackSpot;
    in->attackLookAt = out->attackLookAt;
    in->attackHome = out->attackHome;
    in->attackHomeLookAt = out->attackHomeLookAt;
    in->defenceSpot = out->defenceSpot;
    in->defenceLookAt = out->defenceLookAt;
    in->defenceHome = out->defenceHome;
    in->defenceHomeLookAt = out->defenceHomeLookAt;
    in->awaitingPass = out->awaitingPass;
    in->hasBall = out->hasBall;
    in->attacking = out->attacking;
    in->shotTaken = out->shotTaken;
    in->shotScores = out->shotScores;
    in->side = out->side;
    in->holdSpot = out->holdSpot;
    in->passTarget = out->passTarget;
    in->passDistance = out->passDistance;
    in->marking = out->marking;
    // The ball and a pass on its way now belong to the incoming player alone.
    out->hasBall = 0;
    out->awaitingPass = 0;

    in->cameOn = 1;
    in->rested = 0;
    in->needsNewSpot = 0;
    in->inSubstitution = 1;
    in->replacement = nullptr;
    in->shown = 1;
    in->attackTarget = out->attackHome;
    in->defenceTarget = out->defenceHome;
    out->cameOn = 0;
    out->shown = 0;
    in->SetAnimation(in->hasBall ? kAnimIdleBall : kAnimIdle, false);

    if (match != nullptr) {
        if (CMatchTeam* other = match->Team(out->side == 1 ? 0 : 1)) {
            for (int i = 0; i < other->OnCourtCount(); ++i) {
                CCourtPlayer* defender = other->GetPlayer(i);
                if (defender != nullptr && defender->marking == out) {
                    defender->marking = in;
                    break;
                }
            }
        }
    }
    for (int i = 0; i < 4; ++i) {
        in->commentDone[i] = 0;
        out->commentDone[i] = 0;
    }
    std::swap(players[static_cast<size_t>(outPlace)], players[static_cast<size_t>(inPlace)]);
    ++substitutions;
}

int CMatchTeam::FoulTroubleAt(int quarter) {
    if (quarter <= 1)
        return 2;
    if (quarter == 2)
        return 3;
    return quarter == 3 ? 4 : 5;
}

bool CMatchTeam::InFoulTrouble(const CCourtPlayer& player) const {
    const int quarter = match != nullptr ? match->Flags().quarter : 1;
    return player.personalFouls >= FoulTroubleAt(quarter);
}

bool CMatchTeam::RestForFouls(const CCourtPlayer& player) const {
    if (!InFoulTrouble(player)) {
        return false;
    }
    // Not for a guard at centre: a coach keeps a player in foul trouble on rather than play a
    // substitute more than a position from his place, and sits him once one is fit.
    int index = 0;
    const int in = PickSubstitute(player.playerId);
    const CCourtPlayer* incoming = in >= 0 ? FindById(in, index) : nullptr;
    const int distance = incoming != nullptr ? PositionDistance(player.playsAt, incoming->playsAt) : 0;
    return distance <= 2 || distance == kFarPosition;
}

int CMatchTeam::PickPlayerToRest() const {
    for (int i = 0; i < OnCourtCount(); ++i) {
        const CCourtPlayer* player = GetPlayer(i);
        if (player == nullptr) {
            continue;
        }
        // A fouled-out player must go too, or his every foul would pause the match again; one in foul
        // trouble is rested before he fouls out, as on the flat court.
        if ((player->stamina < kRestBelow && player->matchState == kMatchStateOnCourt) ||
            player->injured == 1 || RestForFouls(*player)) {
            return player->playerId;
        }
    }
    return -1;
}

int CMatchTeam::PickUserPlayerToRest() const {
    for (int i = 0; i < OnCourtCount(); ++i) {
        const CCourtPlayer* player = GetPlayer(i);
        if (player == nullptr || player->injured != 0 || player->personalFouls > 5 ||
            player->matchState != kMatchStateOnCourt || player->inSubstitution != 0) {
            continue;
        }
        if (player->stamina < kRestBelow || RestForFouls(*player)) {
            return player->playerId;
        }
    }
    return -1;
}

namespace {

// Named to come on for a player on court in a change not yet carried out.
bool Promised(const CMatchTeam& team, const CCourtPlayer* bench) {
    for (int i = 0; i < team.OnCourtCount(); ++i) {
        const CCourtPlayer* p = team.GetPlayer(i);
        if (p != nullptr && p->inSubstitution != 0 && p->cameOn == 0 && p->replacement == bench) {
            return true;
        }
    }
    return false;
}

} // namespace

bool CMatchTeam::HasFitSubstitute() const {
    // The one a change already waits for cannot also replace a second player: counting him held a
    // second hurt player's window open with no swap left to make, and the match with it.
    for (int i = kOnCourt; i < GetCount(); ++i) {
        const CCourtPlayer* player = GetPlayer(i);
        if (player != nullptr && player->matchState == kMatchStateOnBench && player->injured == 0 &&
            player->personalFouls <= 5 && player->foulsCharged + player->foulsBooked < 6 &&
            !Promised(*this, player)) {
            return true;
        }
    }
    return false;
}

namespace {

// The leaving player's position; 0 (every position as near) when he is not on court.
int LeavingPosition(const CMatchTeam& team, int leavingId) {
    for (int i = 0; i < team.OnCourtCount(); ++i) {
        const CCourtPlayer* p = team.GetPlayer(i);
        if (p != nullptr && p->playerId == leavingId) {
            return p->playsAt;
        }
    }
    return 0;
}

} // namespace

int CMatchTeam::PickAnySubstitute(int leavingId) const {
    std::vector<BenchCandidate> free;
    for (int i = kOnCourt; i < GetCount(); ++i) {
        const CCourtPlayer* player = GetPlayer(i);
        if (player != nullptr && player->matchState == kMatchStateOnBench && player->injured == 0 &&
            player->personalFouls <= 5 && player->foulsCharged + player->foulsBooked < 6 &&
            !Promised(*this, player)) {
            free.push_back({player->playerId, player->playsAt, player->stamina});
        }
    }
    return PickLikeForLike(LeavingPosition(*this, leavingId), free.data(), static_cast<int>(free.size()));
}

int CMatchTeam::PickSubstitute(int leavingId) const {
    if (GetCount() <= kOnCourt) {
        return -1;
    }
    const CCourtPlayer* last = nullptr;
    std::vector<BenchCandidate> fit;
    for (int i = kOnCourt; i < GetCount(); ++i) {
        const CCourtPlayer* player = GetPlayer(i);
        if (player == nullptr) {
            continue;
        }
        last = player;
        // Nobody in foul trouble comes on: he would be taken off again at once.
        if (player->injured == 0 && player->foulsCharged + player->foulsBooked < 6 &&
            !InFoulTrouble(*player) && player->stamina > kFitAbove && !Promised(*this, player)) {
            fit.push_back({player->playerId, player->playsAt, player->stamina});
        }
    }
    // Like for like: a two-centre five, or a forward for a guard, once played the rest of the match.
    // With no leaving player every position is as near, and the freshest goes on.
    const int picked =
        PickLikeForLike(LeavingPosition(*this, leavingId), fit.data(), static_cast<int>(fit.size()));
    if (picked >= 0) {
        return picked;
    }
    return last != nullptr && last->injured == 1 ? -2 : -1;
}

void CMatchTeam::MarkStarters() {
    for (int i = 0; i < GetCount(); ++i) {
        if (CCourtPlayer* player = GetPlayer(i)) {
            player->starter = i < kOnCourt ? 1 : 0;
            player->rested = 0;
        }
    }
}

int CMatchTeam::PickStarterToReturn() const {
    const CCourtPlayer* freshest = nullptr;
    for (int i = kOnCourt; i < GetCount(); ++i) {
        const CCourtPlayer* player = GetPlayer(i);
        if (player != nullptr && player->starter != 0 && player->rested != 0 && player->injured == 0 &&
            player->foulsCharged + player->foulsBooked < 6 && !InFoulTrouble(*player) &&
            player->stamina >= kBackShare * player->staminaMax && player->stamina > kFitAbove &&
            (freshest == nullptr || player->stamina > freshest->stamina)) {
            freshest = player;
        }
    }
    return freshest != nullptr ? freshest->playerId : -1;
}

int CMatchTeam::PickToMakeRoom(int returningId) const {
    int index = 0;
    const CCourtPlayer* returning = returningId >= 0 ? FindById(returningId, index) : nullptr;
    const int position = returning != nullptr ? returning->playsAt : 0;
    const CCourtPlayer* chosen = nullptr;
    int chosenDistance = 0;
    for (int i = 0; i < OnCourtCount(); ++i) {
        const CCourtPlayer* player = GetPlayer(i);
        if (player == nullptr || player->starter != 0 || player->inSubstitution != 0) {
            continue;
        }
        // The one who stood in for him, as a rule: the returning starter's position first.
        const int distance = PositionDistance(position, player->playsAt);
        if (chosen == nullptr || distance < chosenDistance ||
            (distance == chosenDistance && player->stamina < chosen->stamina)) {
            chosen = player;
            chosenDistance = distance;
        }
    }
    return chosen != nullptr ? chosen->playerId : -1;
}

void CMatchTeam::DrawTacticsWhenBehind(int& attack, int& defence) const {
    attack = attackTactic;
    defence = defenceTactic;
    if (match == nullptr) {
        return; // nothing to draw with: the side keeps its pair
    }
    attack = match->Rand() % 10;
    defence = kDefencesWhenBehind[match->Rand() % static_cast<int>(std::size(kDefencesWhenBehind))];
}

void CMatchTeam::RecoverBench() {
    for (int i = kOnCourt; i < GetCount(); ++i) {
        CCourtPlayer* player = GetPlayer(i);
        if (player != nullptr && player->stamina < player->staminaMax) {
            // Rest brings him back from no lower than empty (an instruction at a break may have
            // asked more than he had) and no higher than his own fitness.
            const float rested =
                std::max(player->stamina, 0.0f) + (player->injured == 1 ? kHurtRecovery : kRecovery);
            player->stamina = std::min(rested, player->staminaMax);
        }
    }
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

float CMatchTeam::FiveStanding() const {
    const int count = OnCourtCount();
    if (count == 0)
        return 0.0f;
    float sum = 0.0f;
    for (int i = 0; i < count; ++i)
        sum += players[static_cast<size_t>(i)]->overall;
    return sum / static_cast<float>(count) - usualRating;
}

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
int32_t CMatchTeam::TotalBlocks() const {
    return Sum(players, &CCourtPlayer::blocks);
}
int32_t CMatchTeam::TotalTurnovers() const {
    return Sum(players, &CCourtPlayer::turnovers);
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
