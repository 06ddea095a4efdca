// Where a defender stands: each defence tactic's rule for the target of one tick.
#include "match2d/Match2D.h"
#include "match2d/Match2DPlayer.h"
#include "match2d/Match2DTeam.h"

#include <algorithm>

namespace {

// The defender on the ball reaches in from 2 m. A press pokes every other tick near the basket and
// only every eighth in its trap farther out: poking every other tick up the whole court, a press
// fouled a dribbler six times on his way and fouled out whole benches (sides forfeited), and every
// tick wore them out as well. A zone or help defence pokes every tick in the half it defends:
// reaching in from 1.5 m every other tick near the basket and every eighth beyond 9 m, zones fouled
// half as often as man-to-man and stole a third as many balls; every third tick (every other), the
// new career's 1-2-1-1 zone fouled 15-16 (16-18) times a match and stole 4-5.
constexpr float kGuardReach = 2.0f;
constexpr int kGuardPokeTicks = 2;
constexpr int kTrapPokeTicks = 8;
constexpr int kZonePokeTicks = 1;
constexpr float kScoringRange = 9.0f;
// A pressing defender lets the ball by, but not his man running behind him to the basket.
constexpr float kBeatenBy = 2.0f;

bool IsPress(int tacticId) {
    return tacticId == 11 || tacticId == 12 || tacticId == 15 || tacticId == 16;
}

} // namespace

CMatch2DPlayer* CMatch2DPlayer::BallToGuard() const {
    // Man-to-man has the holder's own marker on him already.
    if (defenceTacticId == kManToManDefence) {
        return nullptr;
    }
    CMatch2DPlayer* holder = nullptr;
    const CMatch2DTeam* other = OtherTeam();
    const int otherCount = std::min(kCourtPlayers, other->PlayerCount());
    for (int i = 0; i < otherCount; ++i) {
        CMatch2DPlayer* p = other->players[static_cast<size_t>(i)].get();
        if (p->hasBall) {
            holder = p;
            break;
        }
    }
    if (holder == nullptr) {
        return nullptr;
    }
    // A zone or help defence meets the ball in the half it defends; a press meets it everywhere,
    // trapping the holder in his own back court.
    if (!GuardsBallAt(holder->position)) {
        return nullptr;
    }
    // He is the one FindNearestSquare would find: nobody before him as near, nobody after him
    // nearer. Squares, no root; the first mate who beats him ends the look.
    const float mine = (position - holder->position).LengthSq();
    if (!(mine < CMatch2DTeam::kNoneSquare)) {
        return nullptr;
    }
    const CMatch2DTeam* own = OwnTeam();
    const int count = std::min(kCourtPlayers, own->PlayerCount());
    bool seen = false;
    for (int i = 0; i < count; ++i) {
        const CMatch2DPlayer* mate = own->players[static_cast<size_t>(i)].get();
        if (mate == this) {
            seen = true;
            continue;
        }
        const float s = (mate->position - holder->position).LengthSq();
        if (seen ? s < mine : s <= mine) {
            return nullptr;
        }
    }
    return seen ? holder : nullptr;
}

bool CMatch2DPlayer::GuardsBallAt(const Vec3& point) const {
    const bool inDefendedHalf = homeSide ? point.z < 0.0f : point.z > 0.0f;
    return inDefendedHalf || IsPress(defenceTacticId);
}

bool CMatch2DPlayer::PressBeaten() const {
    // Nearer the basket he defends than he stands: home defenders guard the basket at negative z.
    const float ballZ = match->ball->position.z;
    if (homeSide ? ballZ < position.z : ballZ > position.z) {
        return true;
    }
    const CMatch2DPlayer* man =
        homeSide ? match->GetAwayPlayer(teamNumber) : match->GetHomePlayer(teamNumber);
    if (man == nullptr) {
        return false;
    }
    return homeSide ? man->position.z < position.z - kBeatenBy : man->position.z > position.z + kBeatenBy;
}

void CMatch2DPlayer::ApplyDefenceTactic() {
    // Whatever the shape, the defender nearest the ball steps up to the holder: a zone or a press
    // that stood off the ball left him free to walk to the rim, with nothing to foul or steal.
    if (CMatch2DPlayer* holder = BallToGuard()) {
        target = holder->position;
        // Within reach he pokes at the ball, as a marker does at a dribbler.
        if (Vec3Distance(position, holder->position) < kGuardReach && match->ContestAllowed(*this)) {
            const int pause = !IsPress(defenceTacticId)                    ? kZonePokeTicks
                              : holder->DistanceToBasket() < kScoringRange ? kGuardPokeTicks
                                                                           : kTrapPokeTicks;
            holder->ContestedBy(*this);
            nextContestTick = std::max(nextContestTick, match->playTicks + pause);
        }
        return;
    }
    if (IsPress(defenceTacticId) && PressBeaten()) {
        // A press the ball or his man has got past is broken for him: he gets back to his man (in
        // the half he defends). Standing at his spot up court or running at the ball from behind, he
        // left the attackers free at the basket: four shots in five were open.
        DefendManInHalf();
        return;
    }
    switch (defenceTacticId) {
    case 10:
    case 14:
    case 19:
        DefendZone();
        break;
    case 11:
        DefendPressWide();
        break;
    case 12:
        DefendPressDeep();
        break;
    case kManToManDefence:
        DefendManInHalf();
        break;
    case 15:
        DefendPressHalf();
        break;
    case 16:
        DefendPress();
        break;
    case 17:
        DefendHelp();
        break;
    case 18:
        DefendBallHolder();
        break;
    default:
        break;
    }
}

CMatch2DPlayer* CMatch2DPlayer::TheMan() {
    markedOpponent = homeSide ? match->GetAwayPlayer(teamNumber) : match->GetHomePlayer(teamNumber);
    return markedOpponent;
}

void CMatch2DPlayer::DefendZone() {
    if (!IsNear(target)) {
        return;
    }
    CMatch2DTeam* other = OtherTeam();
    float dA = 0.0f;
    float dB = 0.0f;
    CMatch2DPlayer* a = other->FindNearest(position, dA, nullptr);
    CMatch2DPlayer* b = other->FindNearest(position, dB, a);
    if (target != defenceSpot || a == nullptr || b == nullptr) {
        target = defenceSpot;
        return;
    }
    if (dA >= 2.5f || dB >= 2.5f) {
        // Step out to a ball holder coming into the zone, else to the nearer attacker.
        const auto ballInZone = [&](const CMatch2DPlayer* p) {
            return p->hasBall && (homeSide ? p->position.z > 1.5f : p->position.z < 0.5f);
        };
        if (ballInZone(a)) {
            target = a->position;
        } else if (ballInZone(b)) {
            target = b->position;
        } else {
            target = dA < dB ? a->position : b->position;
        }
        return;
    }
    Vec3 between = b->position - a->position;
    const float length = between.Length();
    between.Normalize();
    if (a->hasBall || (!b->hasBall && dA < dB)) {
        target = a->position + between * (0.25f * length);
    } else {
        target = b->position + between * (0.25f * length);
    }
}

void CMatch2DPlayer::DefendBallHolder() {
    if (!IsNear(target)) {
        return;
    }
    float d = 0.0f;
    CMatch2DPlayer* holder = OtherTeam()->FindBallHolder(position, d);
    if (holder == nullptr) {
        return;
    }
    target = d < 5.0f ? holder->position : defenceSpot;
}

bool CMatch2DPlayer::PressStep(bool zoneTest, float zoneHome, float zoneAway, float manDistance,
                               float otherDistance, bool keepMan) {
    const float ballZ = match->ball->position.z;
    if (zoneTest && !(homeSide ? ballZ < zoneHome : ballZ > zoneAway)) {
        target = defenceSpot;
        return true;
    }
    CMatch2DPlayer* man = (keepMan && markedOpponent != nullptr) ? markedOpponent : TheMan();
    if (man == nullptr || man->chase) {
        target = defenceSpot;
        return true;
    }
    if (Vec3Distance(position, man->position) < manDistance) {
        target = man->position;
        return true;
    }
    float d = 0.0f;
    CMatch2DPlayer* nearest = OtherTeam()->FindNearest(position, d, man);
    if (nearest != nullptr && d < otherDistance) {
        target = nearest->position;
        return true;
    }
    CMatch2DPlayer* holder = OtherTeam()->FindBallHolder(position, d);
    target = holder != nullptr ? holder->position : defenceSpot;
    return true;
}

void CMatch2DPlayer::DefendPress() {
    PressStep(false, 0.0f, 0.0f, 5.0f, 3.0f, false);
}

void CMatch2DPlayer::DefendPressHalf() {
    PressStep(true, 0.0f, 0.0f, 5.0f, 3.0f, false);
}

void CMatch2DPlayer::DefendPressDeep() {
    PressStep(true, -5.0f, 5.0f, 3.0f, 3.0f, false);
}

void CMatch2DPlayer::DefendPressWide() {
    PressStep(true, 3.0f, -3.0f, 4.0f, 4.0f, true);
}

void CMatch2DPlayer::DefendHelp() {
    const float ballZ = match->ball->position.z;
    if (!(homeSide ? ballZ < 0.0f : ballZ > 0.0f)) {
        target = defenceSpot;
        return;
    }
    CMatch2DPlayer* man = TheMan();
    if (man == nullptr || man->chase) {
        target = defenceSpot;
        return;
    }
    if (Vec3Distance(position, man->position) < 5.0f) {
        target = man->position;
        return;
    }
    float d = 0.0f;
    CMatch2DPlayer* nearest = OtherTeam()->FindNearest(position, d, man);
    const bool unguarded = IsUnguarded();
    if (d < 3.0f && unguarded && nearest != nullptr) {
        target = nearest->position;
        return;
    }
    if (!unguarded) {
        CMatch2DPlayer* open = OtherTeam()->FindMostOpen(*OwnTeam());
        target = open != nullptr ? open->position : defenceSpot;
        return;
    }
    target = defenceSpot;
}
