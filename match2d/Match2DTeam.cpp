#include "match2d/Match2DTeam.h"

#include "engine/GameRand.h"
#include "match/Formation.h"
#include "match2d/Match2D.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

void CMatch2DTeam::AddPlayerCopy(const CMatch2DPlayer& player) {
    AddPlayer(player.Clone());
}

void CMatch2DTeam::AddPlayer(CMatch2DPlayer* player) {
    if (player == nullptr) {
        return;
    }
    player->teamNumber = PlayerCount();
    player->match = match;
    players.emplace_back(player);
}

CMatch2DPlayer* CMatch2DTeam::FindById(int id, int& index) const {
    for (index = 0; index < PlayerCount(); ++index) {
        if (players[index]->id == id) {
            return players[index].get();
        }
    }
    return nullptr;
}

CMatch2DPlayer* CMatch2DTeam::FindByPosition(int positionId) const {
    for (int i = 0; i < kCourtPlayers && i < PlayerCount(); ++i) {
        if (players[i]->positionIdCopy == positionId) {
            return players[i].get();
        }
    }
    return nullptr;
}

void CMatch2DTeam::SeatCourtPositions() {
    static const int kSeats[kCourtPlayers] = {kPositionCentre, kPositionPowerForward, kPositionSmallForward,
                                              kPositionPointGuard, kPositionShootingGuard};
    const int count = std::min(kCourtPlayers, PlayerCount());
    bool taken[kCourtPlayers] = {};
    bool seated[kCourtPlayers] = {};
    const auto seatOf = [](int positionId) {
        const int* it = std::find(std::begin(kSeats), std::end(kSeats), positionId);
        return it != std::end(kSeats) ? static_cast<int>(it - std::begin(kSeats)) : -1;
    };
    // The played position first for all five, then the own one, so a player's own position never
    // takes the place another plays.
    for (const bool own : {false, true}) {
        for (int i = 0; i < count; ++i) {
            CMatch2DPlayer& p = *players[static_cast<size_t>(i)];
            const int seat = seatOf(own ? p.positionId : p.positionIdCopy);
            if (!seated[i] && seat >= 0 && !taken[seat]) {
                p.positionIdCopy = kSeats[seat];
                taken[seat] = seated[i] = true;
            }
        }
    }
    for (int i = 0; i < count; ++i) {
        if (!seated[i]) {
            const int seat = static_cast<int>(std::find(std::begin(taken), std::end(taken), false) - taken);
            players[static_cast<size_t>(i)]->positionIdCopy = kSeats[seat];
            taken[seat] = seated[i] = true;
        }
    }
}

CMatch2DPlayer* CMatch2DTeam::FindMostOpen(const CMatch2DTeam& other, const CMatch2DPlayer* known,
                                           float knownSquare) const {
    // The farthest nearest opponent is the one with the largest square: no roots at all. Among equals
    // the last in the squad's order is the most open.
    CMatch2DPlayer* best = nullptr;
    float bestSquare = 0.0f;
    int bestIndex = -1;
    const int count = std::min(kCourtPlayers, PlayerCount());
    const int otherCount = std::min(kCourtPlayers, other.PlayerCount());
    // The player already measured (the holder, most often the most open) is the first best: the
    // others' searches end the sooner.
    int knownIndex = -1;
    for (int i = 0; i < count && known != nullptr; ++i) {
        if (players[static_cast<size_t>(i)].get() == known) {
            best = players[static_cast<size_t>(i)].get();
            bestSquare = knownSquare;
            bestIndex = knownIndex = i;
            break;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (i == knownIndex) {
            continue;
        }
        CMatch2DPlayer* player = players[static_cast<size_t>(i)].get();
        // He takes over with a larger square, or an equal one when he comes after the best. His
        // nearest opponent is measured as FindNearestSquare measures it (the least of the same
        // squares), until he cannot take over. The one at his own place in the other squad first:
        // his marker under man-to-man, most often the nearest, so one square often settles it.
        const bool after = i > bestIndex;
        const auto square = [&](int j) {
            return (other.players[static_cast<size_t>(j)]->position - player->position).LengthSq();
        };
        float s = i < otherCount ? square(i) : kNoneSquare;
        for (int j = 0; j < otherCount && (after ? !(s < bestSquare) : s > bestSquare); ++j) {
            const float d = square(j);
            s = d < s ? d : s;
        }
        if (after ? s >= bestSquare : s > bestSquare) {
            bestSquare = s;
            best = player;
            bestIndex = i;
        }
    }
    return best;
}

CMatch2DPlayer* CMatch2DTeam::RandomTeammate(const CMatch2DPlayer* player) const {
    if (PlayerCount() < 4) {
        return nullptr;
    }
    for (int draw = 0; draw < 1000; ++draw) {
        CMatch2DPlayer* mate = players[GameRand() % 4].get();
        if (mate != player) {
            return mate;
        }
    }
    return nullptr;
}

CMatch2DPlayer* CMatch2DTeam::FindBallHolder(const Vec3& point, float& distance) const {
    for (const auto& player : players) {
        if (player->hasBall || player->receivingPass) {
            distance = Vec3Distance(player->position, point);
            return player.get();
        }
    }
    return nullptr;
}

bool CMatch2DTeam::AllAtTargets() const {
    for (int i = 0; i < kCourtPlayers && i < PlayerCount(); ++i) {
        if (!players[i]->IsNear(players[i]->target)) {
            return false;
        }
    }
    return true;
}

int CMatch2DTeam::FindBenchPlayer(int foulLimit) const {
    for (const auto& p : players) {
        if (p->MatchState() == kOnBenchState && !p->mustLeave && p->Fouls() < foulLimit) {
            return p->id;
        }
    }
    return -1;
}

int CMatch2DTeam::FindRestedBenchPlayer(int foulLimit) {
    SettleBench();
    for (const auto& p : players) {
        if (p->MatchState() == kOnBenchState && !p->mustLeave && p->Fouls() < foulLimit &&
            p->energy >= kFitToComeOn) {
            return p->id;
        }
    }
    return -1;
}

int CMatch2DTeam::FindTiredToRest() const {
    for (int i = 0; i < kCourtPlayers && i < PlayerCount(); ++i) {
        const CMatch2DPlayer& p = *players[static_cast<size_t>(i)];
        if (p.energy < kRestBelow && !p.mustLeave && p.Fouls() < 6 && p.MatchState() == kOnCourtState) {
            return p.id;
        }
    }
    return -1;
}

int CMatch2DTeam::FindFreshestBenchPlayer(int foulLimit) {
    SettleBench();
    const CMatch2DPlayer* freshest = nullptr;
    for (const auto& p : players) {
        if (p->MatchState() == kOnBenchState && !p->mustLeave && p->Fouls() < foulLimit &&
            p->energy >= kFitToComeOn && (freshest == nullptr || p->energy > freshest->energy)) {
            freshest = p.get();
        }
    }
    return freshest != nullptr ? freshest->id : -1;
}

namespace {

// A rested starter's energy to go back on at.
float BackOnAt(const CMatch2DPlayer& p) {
    const float share = p.restedForFouls ? CMatch2DTeam::kFoulBackShare : CMatch2DTeam::kBackShare;
    return std::max(share * p.maxEnergy, CMatch2DTeam::kFitToComeOn);
}

bool MayReturn(const CMatch2DPlayer& p, int foulLimit) {
    return p.MatchState() == kOnBenchState && p.startedMatch && p.restedByRule && !p.mustLeave &&
           p.Fouls() < foulLimit;
}

} // namespace

int CMatch2DTeam::FindStarterToReturn(int foulLimit) {
    SettleBench();
    const CMatch2DPlayer* freshest = nullptr;
    for (const auto& p : players) {
        if (MayReturn(*p, foulLimit) && p->energy >= BackOnAt(*p) &&
            (freshest == nullptr || p->energy > freshest->energy)) {
            freshest = p.get();
        }
    }
    return freshest != nullptr ? freshest->id : -1;
}

int CMatch2DTeam::FindToMakeRoom(int forPosition) const {
    const CMatch2DPlayer* best = nullptr;
    int bestDistance = 0;
    for (int i = 0; i < kCourtPlayers && i < PlayerCount(); ++i) {
        const CMatch2DPlayer& p = *players[static_cast<size_t>(i)];
        if (p.MatchState() != kOnCourtState || p.startedMatch || p.mustLeave || p.Fouls() >= 6) {
            continue;
        }
        const int distance = PositionDistance(forPosition, p.positionId);
        if (best == nullptr || distance < bestDistance ||
            (distance == bestDistance && p.energy < best->energy)) {
            best = &p;
            bestDistance = distance;
        }
    }
    return best != nullptr ? best->id : -1;
}

int CMatch2DTeam::PickSubstitute(int leavingId, int foulLimit, float minEnergy) {
    SettleBench();
    int index = 0;
    const CMatch2DPlayer* leaving = FindById(leavingId, index);
    BenchCandidate candidates[kMatchSquad];
    int count = 0;
    for (const auto& p : players) {
        if (count < kMatchSquad && p->MatchState() == kOnBenchState && !p->mustLeave &&
            p->Fouls() < foulLimit && p->energy >= minEnergy) {
            candidates[count++] = BenchCandidate{p->id, p->positionId, p->energy};
        }
    }
    return PickLikeForLike(leaving != nullptr ? leaving->positionId : 0, candidates, count);
}

int CMatch2DTeam::PickForcedSubstitute(int leavingId) {
    const int fit = PickSubstitute(leavingId, 6, kFitToComeOn);
    return fit >= 0 ? fit : PickSubstitute(leavingId, 6, -std::numeric_limits<float>::max());
}

namespace {

constexpr int kSeats[kCourtPlayers] = {kPositionCentre, kPositionPowerForward, kPositionSmallForward,
                                       kPositionPointGuard, kPositionShootingGuard};

int SeatIndex(int positionId) {
    const int* it = std::find(std::begin(kSeats), std::end(kSeats), positionId);
    return it != std::end(kSeats) ? static_cast<int>(it - std::begin(kSeats)) : -1;
}

// What a seat brings: its spots in the side's two formations and its place at the tip-off.
struct SeatSpots {
    Vec3 startPosition;
    Vec3 attackSpot, attackLookAt, defenceSpot, defenceLookAt;
    Vec3 currentAttackSpot, currentAttackLookAt, currentDefenceSpot, currentDefenceLookAt;
    int32_t attackTacticId = 0;
    int32_t defenceTacticId = 0;
};

SeatSpots SpotsOf(const CMatch2DPlayer& p) {
    return SeatSpots{p.startPosition,        p.attackSpot,        p.attackLookAt,        p.defenceSpot,
                     p.defenceLookAt,        p.currentAttackSpot, p.currentAttackLookAt, p.currentDefenceSpot,
                     p.currentDefenceLookAt, p.attackTacticId,    p.defenceTacticId};
}

void TakeSpots(CMatch2DPlayer& p, const SeatSpots& s) {
    // A player walking to his old spot walks to the new one; one on the ball or a rebound goes on.
    if (p.target == p.attackSpot) {
        p.target = s.attackSpot;
    } else if (p.target == p.defenceSpot) {
        p.target = s.defenceSpot;
    }
    p.startPosition = s.startPosition;
    p.attackSpot = s.attackSpot;
    p.attackLookAt = s.attackLookAt;
    p.defenceSpot = s.defenceSpot;
    p.defenceLookAt = s.defenceLookAt;
    p.currentAttackSpot = s.currentAttackSpot;
    p.currentAttackLookAt = s.currentAttackLookAt;
    p.currentDefenceSpot = s.currentDefenceSpot;
    p.currentDefenceLookAt = s.currentDefenceLookAt;
    p.attackTacticId = s.attackTacticId;
    p.defenceTacticId = s.defenceTacticId;
}

} // namespace

void CMatch2DTeam::ReseatByPosition() {
    if (PlayerCount() < kCourtPlayers) {
        return;
    }
    // The seats the five hold now: one each, or the side has no formation to deal out yet.
    int seatOf[kCourtPlayers];
    int holder[kCourtPlayers] = {-1, -1, -1, -1, -1};
    for (int i = 0; i < kCourtPlayers; ++i) {
        seatOf[i] = SeatIndex(players[static_cast<size_t>(i)]->positionIdCopy);
        if (seatOf[i] < 0 || holder[seatOf[i]] >= 0) {
            return;
        }
        holder[seatOf[i]] = i;
    }
    // Every way to seat five (120): the least sum of squared distances from the players' own
    // positions (two a half-position off each rather than one a whole two off), then the fewest who
    // move. Only at a change, never a tick.
    int order[kCourtPlayers] = {0, 1, 2, 3, 4};
    int best[kCourtPlayers] = {0, 1, 2, 3, 4};
    int bestCost = std::numeric_limits<int>::max();
    do {
        int cost = 0;
        for (int i = 0; i < kCourtPlayers; ++i) {
            const int distance =
                std::min(PositionDistance(players[static_cast<size_t>(i)]->positionId, kSeats[order[i]]), 10);
            cost += 8 * distance * distance + (order[i] != seatOf[i] ? 1 : 0);
        }
        if (cost < bestCost) {
            bestCost = cost;
            std::copy(std::begin(order), std::end(order), std::begin(best));
        }
    } while (std::next_permutation(std::begin(order), std::end(order)));
    SeatSpots spots[kCourtPlayers];
    for (int seat = 0; seat < kCourtPlayers; ++seat) {
        spots[seat] = SpotsOf(*players[static_cast<size_t>(holder[seat])]);
    }
    bool moved = false;
    for (int i = 0; i < kCourtPlayers; ++i) {
        if (best[i] != seatOf[i]) {
            CMatch2DPlayer& p = *players[static_cast<size_t>(i)];
            TakeSpots(p, spots[best[i]]);
            p.positionIdCopy = kSeats[best[i]];
            moved = true;
        }
    }
    if (!moved) {
        return;
    }
    // The squad's place goes with the seat, so that the two sides' players of one place still mark
    // each other man-to-man seat for seat; the old marks are let go.
    std::unique_ptr<CMatch2DPlayer> court[kCourtPlayers];
    for (int i = 0; i < kCourtPlayers; ++i) {
        court[i] = std::move(players[static_cast<size_t>(i)]);
    }
    for (int i = 0; i < kCourtPlayers; ++i) {
        // Player i takes the place his old seat's holder had.
        const int place = holder[best[i]];
        court[i]->teamNumber = place;
        court[i]->markedOpponent = nullptr;
        players[static_cast<size_t>(place)] = std::move(court[i]);
    }
}

int CMatch2DTeam::TicksToStarterReturn(int foulLimit) {
    SettleBench();
    if (FindToMakeRoom() < 0) {
        return -1;
    }
    float need = -1.0f;
    for (const auto& p : players) {
        if (MayReturn(*p, foulLimit) && p->maxEnergy >= BackOnAt(*p)) {
            const float gap = std::max(BackOnAt(*p) - p->energy, 0.0f);
            need = need < 0.0f ? gap : std::min(need, gap);
        }
    }
    if (need < 0.0f) {
        return -1;
    }
    // The rest is a float sum tick by tick: a tenth early, so the look never comes after he is ready.
    return static_cast<int>(need / kBenchRest * 0.9f);
}

void CMatch2DTeam::UserSubstitute(int outgoingId, int incomingId) {
    userChangeTick = match != nullptr ? match->playTicks : 0;
    Substitute(outgoingId, incomingId);
}

int CMatch2DTeam::FindMustLeave() const {
    for (int i = 0; i < kMatchSquad && i < PlayerCount(); ++i) {
        if (players[i]->mustLeave && players[i]->MatchState() == kOnCourtState) {
            return players[i]->id;
        }
    }
    return -1;
}

int CMatch2DTeam::FindTired() const {
    for (int i = 0; i < kMatchSquad && i < PlayerCount(); ++i) {
        if (players[i]->energy < kRestBelow && players[i]->MatchState() == kOnCourtState) {
            return players[i]->id;
        }
    }
    return -1;
}

bool CMatch2DTeam::HasMustLeaveOnCourt(int& id) const {
    for (const auto& p : players) {
        if (p->mustLeave && p->MatchState() == kOnCourtState) {
            id = p->id;
            return true;
        }
    }
    return false;
}

bool CMatch2DTeam::HasFouls(int limit, int& id) const {
    for (const auto& p : players) {
        if (p->Fouls() >= limit && p->MatchState() == kOnCourtState) {
            id = p->id;
            return true;
        }
    }
    return false;
}

bool CMatch2DTeam::HasSixFouls(int& id) const {
    for (const auto& p : players) {
        if (p->Fouls() >= 6 && p->MatchState() == kOnCourtState) {
            id = p->id;
            return true;
        }
    }
    return false;
}

bool CMatch2DTeam::HasCourtAlert(int foulLimit) const {
    // Two looks a tick. The court players are the first five (a substitution swaps places), so the
    // bench is not walked.
    const int count = std::min(kCourtPlayers, PlayerCount());
    const std::unique_ptr<CMatch2DPlayer>* court = players.data();
    for (int i = 0; i < count; ++i) {
        const CMatch2DPlayer& p = *court[i];
        if (p.MatchState() == kOnCourtState &&
            (p.energy < kRestBelow || p.mustLeave || p.Fouls() >= foulLimit)) {
            return true;
        }
    }
    return false;
}

float CMatch2DTeam::CourtEnergyMargin() const {
    float margin = std::numeric_limits<float>::max();
    for (int i = 0; i < std::min(kCourtPlayers, PlayerCount()); ++i) {
        margin = std::min(margin, players[static_cast<size_t>(i)]->energy - kRestBelow);
    }
    return std::max(margin, 0.0f);
}

static void ClearActionBytes(CMatch2DPlayer& p) {
    p.receivingPass = 0;
    p.chase = 0;
    p.rebound = 0;
    p.freeThrowShooter = 0;
    p.hasBall = 0;
}

void CMatch2DTeam::Substitute(int outgoingId, int incomingId) {
    // The rest so far belongs to those on the bench now; the outgoing player rests from here on.
    SettleBench();
    alertEvent = 1; // a new man on court: the next alert look is a full one
    int outIndex = 0;
    int inIndex = 0;
    CMatch2DPlayer* out = FindById(outgoingId, outIndex);
    CMatch2DPlayer* in = FindById(incomingId, inIndex);
    if (out == nullptr || in == nullptr || out == in) {
        return;
    }
    ++substitutions;
    in->SetMatchState(kOnCourtState);
    in->restedByRule = 0; // back on: the rule may rest him again, the user's change keeps him off
    in->restedForFouls = 0;
    // He plays the outgoing player's position; his own stays his (the tables show both).
    in->positionIdCopy = out->positionIdCopy;
    in->startPosition = out->startPosition;
    in->position = out->position;
    in->target = out->target;
    in->attackSpot = out->attackSpot;
    in->attackLookAt = out->attackLookAt;
    in->defenceSpot = out->defenceSpot;
    in->defenceLookAt = out->defenceLookAt;
    in->currentAttackSpot = out->currentAttackSpot;
    in->currentAttackLookAt = out->currentAttackLookAt;
    in->currentDefenceSpot = out->currentDefenceSpot;
    in->currentDefenceLookAt = out->currentDefenceLookAt;
    in->lookAt = out->lookAt;
    in->direction = out->direction;
    in->attacking = out->attacking;
    in->receivingPass = out->receivingPass;
    in->homeSide = out->homeSide;
    in->chase = out->chase;
    in->rebound = out->rebound;
    in->freeThrowShooter = out->freeThrowShooter;
    in->hasBall = out->hasBall;
    in->lineupSpot = out->lineupSpot;
    in->firstThrowTaken = out->firstThrowTaken;
    in->secondThrowTaken = out->secondThrowTaken;
    in->attackTacticId = out->attackTacticId;
    in->defenceTacticId = out->defenceTacticId;
    out->SetMatchState(kOnBenchState);
    out->markedOpponent = nullptr;
    in->markedOpponent = nullptr;
    // The ball state went to the incoming player; the outgoing one leaves empty-handed.
    ClearActionBytes(*out);
    out->firstThrowTaken = 0;
    out->secondThrowTaken = 0;
    if (match != nullptr && match->lastFouled == out) {
        match->lastFouled = in;
    }
    in->teamNumber = outIndex;
    out->teamNumber = inIndex;
    std::swap(players[outIndex], players[inIndex]);
    ReseatByPosition();
}

void CMatch2DTeam::GoToSpots() {
    for (auto& p : players) {
        p->target = attacking ? p->attackSpot : p->defenceSpot;
    }
}

void CMatch2DTeam::SetAttacking() {
    attacking = 1;
    for (auto& p : players) {
        p->attacking = 1;
    }
}

void CMatch2DTeam::SetDefending() {
    attacking = 0;
    for (auto& p : players) {
        p->attacking = 0;
    }
}

void CMatch2DTeam::ClearBall() {
    for (auto& p : players) {
        p->hasBall = 0;
    }
}

void CMatch2DTeam::ClearReceivers() {
    for (auto& p : players) {
        p->receivingPass = 0;
    }
}

void CMatch2DTeam::ChaseBall(const Vec3& ballPosition) {
    float d = 0.0f;
    CMatch2DPlayer* chaser = FindNearest(ballPosition, d, nullptr);
    if (chaser == nullptr) {
        chaser = RandomTeammate(nullptr);
    }
    if (chaser != nullptr) {
        chaser->target = ballPosition;
        chaser->chase = 1;
    }
}

void CMatch2DTeam::ResetForQuarter() {
    for (auto& p : players) {
        p->target = Vec3();
        p->position = p->startPosition;
        p->receivingPass = 0;
        p->attacking = 0;
        p->hasBall = 0;
        // Chases, rebounds and free throws of the old period are over.
        p->chase = 0;
        p->rebound = 0;
        p->freeThrowShooter = 0;
        p->firstThrowTaken = 0;
        p->secondThrowTaken = 0;
        p->lineupSpot = -1;
    }
    freeThrowSpot = 1;
}

// CMatch2DTeam::Update lives in Match2DPlayer.cpp, where the players' update inlines into it.

void CMatch2DTeam::SettleBench() {
    const int ticks = restTicks;
    restTicks = 0;
    if (ticks == 0) {
        return;
    }
    constexpr float kRest = kBenchRest;
    for (int i = std::min(kCourtPlayers, PlayerCount()); i < PlayerCount(); ++i) {
        CMatch2DPlayer* p = players[static_cast<size_t>(i)].get();
        if (p->mustLeave || !(p->energy < p->maxEnergy)) {
            continue;
        }
        // Tick by tick, as each tick would have added it (ending up to one tick's worth above his
        // maximum): the same figures whether a watched match settles every frame or an instant one
        // at its substitutions. Four ticks at a time while four more stay below his maximum (below
        // 512 each add rounds to well under kFourRests / 4), so only the last few are checked one by
        // one.
        constexpr float kFourRests = 4.0f * 1.03f * kRest;
        float energy = p->energy;
        const float most = p->maxEnergy;
        int t = 0;
        for (; most < 512.0f && t + 4 <= ticks && energy + kFourRests < most; t += 4) {
            energy += kRest;
            energy += kRest;
            energy += kRest;
            energy += kRest;
        }
        for (; t < ticks && energy < most; ++t) {
            energy += kRest;
        }
        p->energy = energy;
    }
}

namespace {
// The leagues' level rises 0.024 a rating point (Match2D.cpp, kRegularLevels). The starters' own
// rating counts as this many shots, so the first few shots of a match move the level little.
constexpr float kShotLevelPerRating = 0.024f;
constexpr float kShotRatingPrior = 10.0f;
} // namespace

float CMatch2DTeam::ShotLevelShift() const {
    // The side's shots at the leagues' level for the players who take them. The five's mean missed
    // whose shots they were: a centre who took nearly every other shot of his side, or threes
    // taken by a five's three best from the arc only, made 50-51 % from the field at the level of
    // the five (New Zealand, Slovenia, Aquile Vico). One level for twos and threes together: each
    // kind at its own took New Zealand's twos, shot by weaker hands than its threes, past 50 again.
    if (shotLevelRating <= 0.0f) {
        return 0.0f;
    }
    const float mean = (kShotRatingPrior * shotLevelRating + shotRatingSum) /
                       (kShotRatingPrior + static_cast<float>(shotRatingCount));
    return kShotLevelPerRating * (mean - shotLevelRating);
}

void CMatch2DTeam::NoteShotRating(int rating) {
    shotRatingSum += static_cast<float>(rating);
    ++shotRatingCount;
}

int CMatch2DTeam::SumCounter(int number) const {
    int sum = 0;
    for (const auto& p : players) {
        sum += p->Counter(number);
    }
    return sum;
}

void CMatch2DTeam::GetDunkTotals(int& made, int& taken) const {
    made = SumCounter(kStatDunksMade);
    taken = SumCounter(kStatDunksTaken);
}

void CMatch2DTeam::GetPassTotals(int& completed, int& failed) const {
    completed = SumCounter(kStatPassesCompleted);
    failed = SumCounter(kStatPassesFailed);
}

void CMatch2DTeam::GetFreeThrowTotals(int& made, int& taken) const {
    made = SumFreeThrowsMade();
    taken = SumFreeThrowsTaken();
}

int CMatch2DTeam::SumFouls() const {
    int sum = 0;
    for (const auto& p : players) {
        sum += p->Fouls();
    }
    return sum;
}

int CMatch2DTeam::SumAssists() const {
    int sum = 0;
    for (const auto& p : players) {
        sum += p->assists;
    }
    return sum;
}

void CMatch2DTeam::ShotClockViolation() {
    shotClockViolations += 1;
    float d = 0.0f;
    if (CMatch2DPlayer* holder = FindBallHolder(Vec3(), d)) {
        holder->LoseBall();
    } else {
        teamTurnovers += 1;
    }
}

int CMatch2DTeam::SumTurnovers() const {
    int sum = teamTurnovers;
    for (const auto& p : players) {
        sum += p->turnovers;
    }
    return sum;
}
