// CCourtPlayer at his defence target: where he guards next under his side's defence tactic, a steal
// attempt on a handler he stands in front of, a loose-ball chase, or an idle gesture at his spot.
#include "engine/GameRand.h"
#include "match3d/CourtPlayer.h"
#include "match3d/MatchContext.h"
#include "match3d/MatchTeam.h"

namespace {

constexpr int kPressingTactic = 18;
constexpr float kStealDistance = 2.0f; // a handler this close can be challenged
constexpr float kPressGap = 2.5f;      // the presser's gap, and how close he challenges
constexpr float kPressReach = 6.0f;    // farther from the holder the presser gives up
constexpr double kNewSpotChance = 30.0;
// The on-ball defender stands this far short of the holder: within reach of the ball, yet beyond
// the 0.8 m that keeps the holder from shooting at all.
constexpr float kOnBallGap = 1.0f;

// How far short of his man a defender stands, and how far beyond his own spot's distance from the
// basket he steps out to meet him.
struct DefenceShape {
    float gap = 2.0f;
    float reach = 0.0f;
};

DefenceShape ShapeOf(int defenceTactic) {
    switch (defenceTactic) {
    case kManMarkingTactic:
        // A little beyond the gap he runs to, so that once there he holds rather than turn back.
        return {CCourtPlayer::kManMarkingGap + 0.2f, 0.0f};
    case 16:
        return {2.2f, 5.0f};
    case 10:
        return {CCourtPlayer::kZoneMarkingGap, 3.0f};
    default:
        // The other zones step out only as far as their own spot lies from the basket.
        return {CCourtPlayer::kZoneMarkingGap, 0.0f};
    }
}

// On the line from the basket to the man, gap short of him; a man nearer than the gap leaves a
// quarter of it, and one nearer still is met under the basket.
Vec3 GuardPoint(const Vec3& basket, const Vec3& man, float gap) {
    Vec3 direction = man - basket;
    const float distance = direction.Length();
    float k = distance - gap;
    if (k < 0.0f) {
        k = distance - 0.25f * gap;
        if (k <= 0.0f) {
            k = 0.0f;
        }
    }
    direction.Normalize();
    return basket + direction * k;
}

bool IsIdleGesture(int32_t clipCode) {
    return clipCode == kAnimIdle || clipCode == kAnimWipeFace || clipCode == kAnimChat;
}

} // namespace

// In front of the handler: a steal try while he is busy with a move or a fade-away, else the
// defensive stance.
void CCourtPlayer::ChallengeHandler(CCourtPlayer& handler, int32_t clipCode) {
    const int32_t handlerClip = handler.GetCurrentAnimationId();
    // As on the flat court, a defender in reach also pokes at a dribble.
    const bool dribbling = handlerClip == kAnimWalkDribble || handlerClip == kAnimRunDribble;
    if (handlerClip == kAnimDribbleMove || handlerClip == kAnimShotFade || dribbling) {
        const int hand = static_cast<double>(match->Rand()) / kGameRandMax >= 0.5 ? 1 : 0;
        if (clipCode != kAnimStealLeft && clipCode != kAnimStealRight) {
            SetAnimation(hand == 0 ? kAnimStealLeft : kAnimStealRight, true);
            match->Flags().stealer = this;
        }
    } else if (clipCode != kAnimDefence) {
        SetAnimation(kAnimDefence, true);
    }
}

bool CCourtPlayer::GuardBall(CMatchTeam& own) {
    if (match == nullptr) {
        return false;
    }
    const MatchFlags& flags = match->Flags();
    if (flags.inbound || flags.freeThrows || flags.shotInFlight || flags.foulPending ||
        !match->BallInHand()) {
        return false;
    }
    CCourtPlayer* holder = match->BallHolder();
    if (holder == nullptr || holder->side == side || holder->shotTaken) {
        return false;
    }
    const Vec3 basket = own.basketPoint;
    const bool defendedHalf = basket.z > 0.0f ? holder->position.z > 0.0f : holder->position.z < 0.0f;
    if (!defendedHalf && own.defenceTactic != kPressingTactic) {
        return false;
    }
    float unused = 0.0f;
    if (holder->FindNearestOpponent(holder->position, unused) != this) {
        return false;
    }
    defenceTarget = GuardPoint(basket, holder->position, kOnBallGap);
    chasingBall = 0;
    return true;
}

void CCourtPlayer::DefendPosition(Vec3& guardPoint, int32_t clipCode, CMatchTeam& own) {
    if (match == nullptr) {
        return;
    }
    if (own.defenceTactic == kPressingTactic) {
        DefendPress(guardPoint, clipCode);
        return;
    }
    const MatchFlags& flags = match->Flags();
    const DefenceShape shape = ShapeOf(own.defenceTactic);
    const Vec3 basket = own.basketPoint;
    const float spotDistance = Vec3Distance(basket, defenceHome);
    CCourtPlayer* man = marking;

    if (man != nullptr && man->hasBall) {
        const float d = Vec3Distance(position, man->position);
        const float manDistance = Vec3Distance(man->position, basket);
        if (d <= kStealDistance) {
            if (Vec3Distance(position, basket) < manDistance) {
                ChallengeHandler(*man, clipCode);
            }
            return;
        }
        guardPoint = GuardPoint(basket, man->GetAimPoint(), shape.gap);
        if (flags.inbound) {
            defenceTarget = defenceHome;
        } else if (spotDistance + shape.reach >= manDistance) {
            defenceTarget = guardPoint;
        }
        return;
    }

    if (flags.inbound) {
        defenceTarget = defenceHome;
        if (AtDefenceTarget()) {
            StartIdleVariant(true);
        }
        return;
    }
    if (!match->BallInHand()) {
        const Vec3 predicted = match->BallPredictedPosition(lastDt);
        // The passer may not run after his own loose pass.
        if (match->NearestPlayer(side == 1 ? 1 : 0, predicted, nullptr) == this && flags.lastPasser != this) {
            defenceTarget = Vec3(predicted.x, 0.0f, predicted.z);
            chasingBall = 1;
            return;
        }
    }
    // A shot in the air: a man-to-man marker whose man stands out on the floor boxes out on the
    // basket side (UpdateDefenceTarget takes him there), instead of holding his gap off the man.
    if (man != nullptr && own.defenceTactic == kManMarkingTactic && flags.shotInFlight) {
        const float manDistance = Vec3Distance(man->position, basket);
        if (manDistance - shape.gap > kBoxOutDepth) {
            const Vec3 boxOut = GuardPoint(basket, man->GetAimPoint(), manDistance - kBoxOutDepth);
            if (Vec3Distance(position, boxOut) > kAtTargetDistance) {
                defenceTarget = boxOut;
                return;
            }
        }
    }
    if (man == nullptr) {
        // Nobody to guard (a substitute before the marking reached him): the zone spot.
        defenceTarget = defenceHome;
        if (AtDefenceTarget()) {
            StartIdleVariant(true);
        }
        return;
    }
    const float d = Vec3Distance(position, man->position);
    if (d < shape.gap) {
        StartIdleVariant(clipCode == kAnimDefence);
        return;
    }
    const float manDistance = Vec3Distance(man->position, basket);
    const float base = own.defenceTactic == kManMarkingTactic ? 0.0f : spotDistance;
    guardPoint = GuardPoint(basket, man->GetAimPoint(), shape.gap);
    if (base + shape.reach >= manDistance) {
        defenceTarget = guardPoint;
    } else {
        defenceTarget = defenceHome;
        if (AtDefenceTarget()) {
            StartIdleVariant(true);
        }
    }
}

// Pressing: the defender nearest to the holder hunts the ball, and so does the one nearest to the
// holder's chosen receiver; the others hold or drift about their spots.
void CCourtPlayer::DefendPress(Vec3& guardPoint, int32_t clipCode) {
    const MatchFlags& flags = match->Flags();
    const Vec3 basket = DefendedBasket();
    // A held flag with nobody holding the ball (set and cleared by different rules) counts as loose.
    CCourtPlayer* holder = match->BallInHand() ? match->BallHolder() : nullptr;
    if (holder == nullptr) {
        if (!flags.inbound && !flags.foulPending && !flags.shotInFlight) {
            const Vec3 predicted = match->BallPredictedPosition(lastDt);
            if (match->NearestPlayer(side == 1 ? 1 : 0, predicted, nullptr) == this) {
                defenceTarget = Vec3(predicted.x, 0.0f, predicted.z);
                chasingBall = 1;
                return;
            }
        }
        PressFallback(clipCode);
        return;
    }

    const float toHolder = Vec3Distance(position, holder->position);
    const Vec3 pressPoint =
        GuardPoint(basket, holder->PredictPosition(holder->GetCurrentAnimationId(), lastDt), kPressGap);
    float unused = 0.0f;
    if (holder->FindNearestOpponent(holder->position, unused) == this) {
        if (toHolder <= kPressGap) {
            if (Vec3Distance(position, basket) < Vec3Distance(holder->position, basket)) {
                ChallengeHandler(*holder, clipCode);
            } else {
                guardPoint = pressPoint;
                defenceTarget = pressPoint;
            }
        } else if (toHolder <= kPressReach) {
            guardPoint = pressPoint;
            defenceTarget = pressPoint;
        } else if (match->Percent() <= kNewSpotChance) {
            needsNewSpot = 1;
        } else {
            defenceTarget = defenceHome;
        }
        return;
    }
    // The defender nearest to the man the holder means to pass to doubles up on the holder.
    CCourtPlayer* receiver = holder->passTarget;
    if (receiver != nullptr) {
        float distance = 0.0f;
        if (receiver->FindNearestOpponent(receiver->position, distance) == this) {
            guardPoint = pressPoint;
            defenceTarget = pressPoint;
            return;
        }
    }
    PressFallback(clipCode);
}

void CCourtPlayer::PressFallback(int32_t clipCode) {
    if (match->Percent() <= kNewSpotChance) {
        needsNewSpot = 1;
    } else {
        defenceTarget = defenceHome;
    }
    if (!IsIdleGesture(clipCode)) {
        StartIdleVariant(clipCode == kAnimDefence);
    }
}
