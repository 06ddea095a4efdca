// Where a defender stands: each defence tactic's rule for the target of one tick.
#include "match2d/Match2D.h"
#include "match2d/Match2DPlayer.h"
#include "match2d/Match2DTeam.h"

void CMatch2DPlayer::ApplyDefenceTactic() {
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
    case 13:
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

void CMatch2DPlayer::DefendManInHalf() {
    CMatch2DPlayer* man = TheMan();
    const bool inOwnHalf = man != nullptr && (homeSide ? man->position.z < 0.0f : man->position.z > 0.0f);
    if (man != nullptr && !man->chase && inOwnHalf) {
        target = man->position;
    } else {
        target = defenceSpot;
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
