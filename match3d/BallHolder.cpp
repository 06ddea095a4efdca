// CCourtPlayer with the ball: drive to the basket, shoot, pass or keep dribbling, and the release of
// a pass or shot once its clip reaches the moment; the inbounder's feed.
#include "match3d/CourtPlayer.h"
#include "match3d/MatchContext.h"
#include "match3d/MatchTeam.h"

namespace {

constexpr float kDriveMinDistance = 2.15f; // nearer than this the holder is at the basket already
// From here on the holder shoots when he can: a late shot is a harder one, and at 17 s the upper
// classes shot 51 % from the field. Once a ball held over the end line was no longer lost, a side
// had 104-107 possessions and 112-118 points at 14 s; 16 s gave it back the time a real side uses.
constexpr double kLateShotClock = 16.0;
// From here on he shoots over the marker rather than lose the ball to the shot clock: waiting for
// 2.3 m of room, a side lost about five balls a match to it. From 20 s a side had 108-111
// possessions, at the top of what a match should have. From 22 s the shot often left the hands too
// late: about three violations a side a match.
constexpr double kForcedShotClock = 21.0;
// A marker this close blocks the shot: the holder waits for the room of an open pull-up, passes or
// dribbles on. At 0.8 m he shot over the on-ball defender (who stands at 1.0 m) at his first chance:
// a side shot 117 times a match, one every 11.5 s, and scored 136 points. Once a throw-in was no
// longer thrown away, 2.0 m gave a side 120 possessions: 2.3 m keeps a possession nearer 14 s.
constexpr float kShootMarkerDistance = 2.3f;
constexpr float kShootingRange = 6.25f;    // the holder shoots from nearer than this
constexpr float kCloseShotDistance = 2.3f; // a lay-up rather than a jump shot
// A marker nearer than this as the shot starts forces a move or fade-away: just beyond the distance
// that blocks the shot, so a holder who waited for room can still be closed down.
constexpr float kFadeMarkerDistance = 2.35f;
constexpr float kPressedDistance = 1.5f; // marker close enough to force the pass
constexpr float kLooseDistance = 3.5f;   // marker far enough to run with the ball
constexpr float kLevelMargin = 0.5f;
constexpr float kRunCost = 0.005f;
constexpr float kPassCost = 0.05f;
constexpr float kDribbleSpeed = 7.0f;
constexpr float kWalkDribbleSpeed = 3.0f;
constexpr float kPassHeight = 1.2f;
// A pass gone astray flies past the receiver toward this far side line: out of bounds, unless an
// opponent picks it off on the way.
constexpr float kAstrayPassX = 10.0f;
constexpr float kOpenDistance = 2.3f; // a marker farther off leaves the holder open to shoot
constexpr float kThreeRangeTo = 8.0f; // a shooter lets fly from between the arc and this
// ... with no marker this close: the on-ball defender stands at 1.0 m, and a shooter who waited to
// be alone beyond the arc never shot.
constexpr float kThreeOpenDistance = 1.5f;
// Deepest a shooter lets fly from behind the arc, and how much his three must beat his two: with any
// better three and any depth to 8 m, a side took 34 threes at 28-30 % in the strongest class.
constexpr float kThreeDeepest = 0.8f;
constexpr int kShooterMargin = 3;
constexpr int kEntryTwoPoint = 7;
constexpr int kEntryThreePoint = 8;

} // namespace

void CCourtPlayer::ThinkBallMoving(CMatchTeam& own) {
    ThinkHolder(own, false);
}

void CCourtPlayer::ThinkBallAtTarget(CMatchTeam& own) {
    ThinkHolder(own, true);
}

// As on the flat court, an open holder in range shoots rather than drive on to the rim; a marked
// one drives on while the way is clear.
bool CCourtPlayer::PullsUp(float toBasket, float markerDistance) const {
    return toBasket < kShootingRange && markerDistance > kOpenDistance;
}

// Beyond the arc only a shooter (his three clearly better than his two) lets fly, only when left
// alone and only from just behind the line.
bool CCourtPlayer::TakesThree(float toBasket, float markerDistance) const {
    if (!BeyondArc(position) || toBasket >= kThreeRangeTo || markerDistance <= kThreeOpenDistance ||
        Attribute(kEntryThreePoint) <= Attribute(kEntryTwoPoint) + kShooterMargin) {
        return false;
    }
    // From deeper he steps in first: a deep three reads a harder row of the table.
    Vec3 in = AttackedBasket() - position;
    in.Normalize();
    return !BeyondArc(position + in * kThreeDeepest);
}

bool CCourtPlayer::TryDrive() {
    const Vec3 basket = AttackedBasket();
    const Vec3 v = basket - position;
    if (match->IsDefenderAhead(*this) || v.Length() <= kDriveMinDistance ||
        match->ShotClock() >= kLateShotClock || shotTaken || passing) {
        return false;
    }
    float dn = 0.0f;
    if (FindNearestOpponent(position, dn) != nullptr &&
        (PullsUp(v.Length(), dn) || TakesThree(v.Length(), dn))) {
        return false;
    }
    Vec3 away = position - basket;
    away.Normalize();
    attackTarget = basket + away * 2.0f;
    SpendStamina(kRunCost);
    if (GetCurrentAnimationId() != kAnimRunDribble) {
        SetAnimation(kAnimRunDribble, true);
        match->SetBallSpeed(kDribbleSpeed);
    }
    return true;
}

// The stance with the ball, from which a shot or pass starts.
void CCourtPlayer::TakeStance() {
    match->SetBallAim(Vec3());
    SetAnimation(kAnimIdleBall, false);
    match->SetBallInHand(true);
}

void CCourtPlayer::ShootStep(float dn) {
    MatchFlags& flags = match->Flags();
    const Vec3 v = AttackedBasket() - position;
    const float toBasket = v.Length();
    const Vec3 awayFromBasket = v * -1.0f;
    if (GetCurrentAnimationId() != kAnimIdleBall) {
        if (!shotTaken) {
            TakeStance();
        }
        return;
    }
    if (!shotTaken) {
        // Choose the shot: a lay-up turned away, a move or fade-away against a near marker, else a
        // jump shot facing the basket.
        if (toBasket <= kCloseShotDistance) {
            lookDirection = awayFromBasket;
        } else if (dn < kFadeMarkerDistance) {
            if (match->Percent() <= 50.0) {
                dribbleMode = 0;
                lookDirection = v;
            } else {
                dribbleMode = 1;
                lookDirection = awayFromBasket;
            }
        } else {
            dribbleMode = 2;
            lookDirection = v;
        }
        shotTaken = 1;
        return;
    }
    if (!releaseReached || !actionTimer.Fire(3, GetClipPeriod(), lastDt, 3)) {
        return;
    }
    if (match->FoulShooter(*this)) {
        // Fouled in the act: no attempt, the rules send him to the line.
        shotTaken = 0;
        return;
    }
    // The roll waits for the ball to leave the hands (RollReleasedShot).
    int32_t clip = kAnimShot;
    if (toBasket <= kCloseShotDistance) {
        clip = kAnimShotClose; // its miss is announced once the roll has decided it
    } else if (dn < kFadeMarkerDistance && dribbleMode == 0) {
        lookDirection = v;
        clip = kAnimDribbleMove;
    } else if (dn < kFadeMarkerDistance) {
        lookDirection = awayFromBasket;
        clip = kAnimShotFade;
    } else {
        lookDirection = v;
        clip = kAnimShot;
    }
    SetAnimation(clip, true);
    flags.shooter = this;
    shotTaken = 1;
    flags.releaseDone = 0;
    match->SetBallSpeed(0.0f);
    match->SetBallAim(Vec3());
    flags.shotSpot = position;
}

void CCourtPlayer::ContinuePass() {
    if (!passing || GetCurrentAnimationId() != kAnimIdleBall || passTarget == nullptr) {
        return;
    }
    AimAt(*passTarget, passDistance);
    if (releaseReached && actionTimer.Fire(3, GetClipPeriod(), lastDt, 0)) {
        ReleasePassByDistance();
    }
}

void CCourtPlayer::PassDecision() {
    if (GetCurrentAnimationId() != kAnimIdleBall) {
        if (!passing) {
            TakeStance();
            passTarget = nullptr;
        }
        return;
    }
    if (!passing && passTarget == nullptr) {
        CCourtPlayer* receiver = match->ChoosePassTarget(*this);
        if (receiver == nullptr) {
            return;
        }
        passAstray = PassGoesAstray(*receiver) ? 1 : 0;
        if (!passAstray) {
            ++goodPasses;
        } else {
            ++badPasses;
        }
        passTarget = receiver;
        AimAt(*receiver, passDistance);
        passing = 1;
        return;
    }
    ContinuePass();
}

void CCourtPlayer::ThinkHolder(CMatchTeam& /*own*/, bool atTarget) {
    if (match == nullptr) {
        return;
    }
    if (TryDrive()) {
        return;
    }
    float dn = 0.0f;
    CCourtPlayer* opponent = FindNearestOpponent(position, dn);
    if (opponent == nullptr) {
        return;
    }
    const Vec3 basket = AttackedBasket();
    const float toBasket = Vec3Distance(basket, position);
    if (shotTaken || match->ShotClock() >= kForcedShotClock ||
        (dn > kShootMarkerDistance &&
         (toBasket < kShootingRange || TakesThree(toBasket, dn) || match->ShotClock() >= kLateShotClock))) {
        ShootStep(dn);
        return;
    }
    if (atTarget) {
        PassDecision();
        return;
    }
    const float a = toBasket;
    const float b = Vec3Distance(basket, opponent->position);
    if (dn <= kPressedDistance) {
        // Marker level or in front: pass; marker behind: only a pass already started goes on.
        if (b - kLevelMargin < a) {
            PassDecision();
        } else {
            ContinuePass();
        }
    } else if (dn <= kLooseDistance) {
        if (passing) {
            ContinuePass();
        } else if (b - kLevelMargin <= a && GetCurrentAnimationId() != kAnimWalkDribble) {
            match->SetBallSpeed(kWalkDribbleSpeed);
            SetAnimation(kAnimWalkDribble, true);
        }
    } else if (passing) {
        ContinuePass();
    } else {
        SpendStamina(kRunCost);
        if (GetCurrentAnimationId() != kAnimRunDribble) {
            SetAnimation(kAnimRunDribble, true);
            match->SetBallSpeed(kDribbleSpeed);
        }
    }
}

void CCourtPlayer::ReleasePass(CCourtPlayer* receiver, int kind) {
    if (match == nullptr || receiver == nullptr || kind < kPassChest || kind > kPassOverheadRight) {
        return;
    }
    ++goodPasses;
    SpendStamina(kPassCost);
    int32_t clip = kAnimPassChest;
    Vec3 aim;
    switch (kind) {
    case kPassChest:
        clip = kAnimPassChest;
        aim = Vec3(receiver->position.x, kPassHeight, receiver->position.z);
        break;
    case kPassBounce: {
        clip = kAnimPassBounce;
        const Vec3 hand = GetHandBallPosition(0) + (receiver->position - position) * 0.5f;
        aim = hand - position;
        aim.Normalize();
        break;
    }
    case kPassOverhead: {
        clip = kAnimPassOverhead;
        const Vec3 hand = receiver->GetHandBallPosition(1);
        aim = Vec3(hand.x, kPassHeight, hand.z);
        break;
    }
    default:
        clip = kAnimPassOverheadRight;
        aim = receiver->position + Vec3(0.0f, kPassHeight, 0.0f);
        break;
    }
    MatchFlags& flags = match->Flags();
    if (passAstray) {
        // Nobody of his side can reach it: the ball is lost out of bounds or to an opponent.
        const Vec3 wide(receiver->position.x >= 0.0f ? kAstrayPassX : -kAstrayPassX, kPassHeight,
                        receiver->position.z);
        aim = wide;
        if (kind == kPassBounce) {
            aim = wide - position;
            aim.Normalize();
        }
    }
    flags.passAstray = passAstray;
    SetAnimation(clip, true);
    awaitingPass = 0;
    passing = 1;
    flags.releaseDone = 0;
    receiver->awaitingPass = passAstray ? 0 : 1;
    passAstray = 0;
    match->SetBallAim(aim);
    match->SetBallInHand(true);
    match->SetBallSpeed(0.0f);
    flags.lastPasser = this;
    passTarget = nullptr;
}

void CCourtPlayer::ReleasePassByDistance() {
    int kind = -1;
    if (passDistance > 0.0f && passDistance <= 5.0f) {
        kind = kPassChest;
    } else if (passDistance > 5.0f && passDistance <= 7.5f) {
        kind = kPassOverhead;
    } else if (passDistance > 7.5f) {
        kind = kPassOverheadRight;
    }
    if (kind >= 0) {
        ReleasePass(passTarget, kind);
    }
}

void CCourtPlayer::ThinkInboundPass() {
    if (match == nullptr) {
        return;
    }
    if (!passing) {
        passTarget = nullptr;
    }
    const bool inStance = GetCurrentAnimationId() == kAnimIdleBall;
    if (inStance && !passing && passTarget == nullptr) {
        CCourtPlayer* receiver = match->NearestPlayer(side == 1 ? 1 : 0, position, this);
        if (receiver == nullptr) {
            // Nobody of his side on court to feed: he keeps the ball and tries again next step.
            return;
        }
        passTarget = receiver;
        passAstray = 0; // a throw-in has no marker on it
        Vec3 dir = receiver->GetAimPoint() - position;
        dir.Normalize();
        lookDirection = dir;
        facing = dir;
        passing = 1;
    } else if (passing && passTarget != nullptr) {
        if (actionTimer.Fire(3, GetClipPeriod(), lastDt, 0)) {
            ReleasePass(passTarget, kPassChest);
        }
    } else if (!inStance && !passing) {
        TakeStance();
        passTarget = nullptr;
    }
}

void CCourtPlayer::ThinkInboundThrow() {
    if (match == nullptr || !passing || passTarget == nullptr) {
        return;
    }
    if (actionTimer.Fire(GetCurrentAnimationId(), GetClipPeriod(), lastDt, 0) && releaseReached) {
        ReleasePass(passTarget, kPassChest);
    }
}
