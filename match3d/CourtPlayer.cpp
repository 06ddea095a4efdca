// CCourtPlayer: placement, geometry, walking to random spots, man-marking, the catch, the
// free-throw and substitution behaviours, the staff remarks and the throw direction.
#include "match3d/CourtPlayer.h"

#include "database/Records.h"
#include "engine/GameRand.h"
#include "match3d/MatchContext.h"
#include "match3d/MatchTeam.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr float kSubstitutionRunDistance = 3.2f;
constexpr float kRunCost = 0.005f;
// A marked man this close to the basket has no direction from it.
constexpr float kMinMarkDistance = 1e-6f;

} // namespace

bool ThresholdAccumulator::Fire(int32_t kind, double reference, double add, uint32_t mode) {
    double fraction = 0.0;
    if (mode <= 2 && kind == 3) {
        fraction = 0.02;
    } else if (mode == 3) {
        fraction = 0.025;
    } else {
        return false;
    }
    time += add;
    if (time > reference * fraction) {
        time = 0.0;
        return true;
    }
    return false;
}

void Vec3DivideInPlace(Vec3& v, float s) {
    const float inverse = 1.0f / s;
    v = v * inverse;
}

void CCourtPlayer::SetName(const char* text) {
    if (text == nullptr) {
        name[0] = '\0';
        return;
    }
    size_t length = std::strlen(text);
    if (length >= sizeof name) {
        length = sizeof name - 1;
        // Step back over continuation bytes so the cut never splits a character.
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
            --length;
        }
    }
    std::memcpy(name, text, length);
    name[length] = '\0';
}

void CCourtPlayer::SetHomeSpot(float x, float y, float z) {
    homeSpot = Vec3(x, y, z);
    position = homeSpot;
}

void CCourtPlayer::SetHomeFacing(float x, float y, float z) {
    facing = Vec3(x, y, z);
    lookDirection = facing;
}

void CCourtPlayer::AimAt(const CCourtPlayer& other, float& distance) {
    Vec3 v = other.GetAimPoint() - position;
    distance = v.Length();
    v.Normalize();
    lookDirection = v;
}

void CCourtPlayer::FaceBall() {
    if (match == nullptr) {
        return;
    }
    Vec3 v = match->BallPosition() - position;
    v.Normalize();
    lookDirection = v;
}

bool CCourtPlayer::AtDefenceTarget() const {
    return Vec3Distance(position, defenceTarget) <= kAtTargetDistance;
}

bool CCourtPlayer::AtAttackTarget() const {
    return Vec3Distance(position, attackTarget) <= kAtTargetDistance;
}

double CCourtPlayer::DistanceTo(const CCourtPlayer& other) const {
    return Vec3Distance(position, other.position);
}

double CCourtPlayer::DistanceToBasket(const CCourtPlayer& player, bool away) const {
    CMatchTeam* team = match != nullptr ? match->Team(away ? 1 : 0) : nullptr;
    return team != nullptr ? Vec3Distance(player.position, team->basketPoint) : 0.0;
}

CMatchTeam* CCourtPlayer::OwnTeam() const {
    return match != nullptr ? match->Team(side == 1 ? 1 : 0) : nullptr;
}

CMatchTeam* CCourtPlayer::OtherTeam() const {
    return match != nullptr ? match->Team(side == 1 ? 0 : 1) : nullptr;
}

Vec3 CCourtPlayer::AttackedBasket() const {
    CMatchTeam* other = OtherTeam();
    return other != nullptr ? other->basketPoint : Vec3();
}

Vec3 CCourtPlayer::DefendedBasket() const {
    CMatchTeam* own = OwnTeam();
    return own != nullptr ? own->basketPoint : Vec3();
}

double CCourtPlayer::DistanceToAttackedBasket() const {
    return Vec3Distance(position, AttackedBasket());
}

bool CCourtPlayer::BeyondArc(const Vec3& spot) const {
    const bool plusZ = AttackedBasket().z > 0.0f;
    const float endZ = match != nullptr ? match->EndLinePointZ(plusZ)
                                        : (plusZ ? kDefaultEndLinePointZ : -kDefaultEndLinePointZ);
    return BeyondThreePointArc(spot, endZ);
}

CCourtPlayer* CCourtPlayer::FindNearestOpponent(const Vec3& point, float& distance) {
    if (match == nullptr) {
        return nullptr;
    }
    CCourtPlayer* opponent = match->NearestPlayer(side == 1 ? 0 : 1, point, nullptr);
    if (opponent != nullptr) {
        distance = Vec3Distance(opponent->position, point);
    }
    return opponent;
}

bool CCourtPlayer::NearestOpponentDistance(const Vec3& point, float& distance) {
    return FindNearestOpponent(point, distance) != nullptr;
}

bool CCourtPlayer::NearestOpponent(const Vec3& point, CCourtPlayer& opponent, float& distance) {
    CCourtPlayer* found = FindNearestOpponent(point, distance);
    if (found == nullptr) {
        return false;
    }
    opponent = *found;
    return true;
}

void CCourtPlayer::WalkTo(const Vec3& target) {
    if (Vec3Distance(position, target) > kWalkStartDistance) {
        walkTarget = target;
        FaceWalkTarget();
    }
}

void CCourtPlayer::WalkToAttackSpot() {
    if (match == nullptr) {
        return;
    }
    if (needsNewSpot == 1 && holdSpot == 0) {
        const float u = match->Offset(3.0f);
        const float w = match->Offset(3.0f);
        attackTarget = Vec3(attackHome.x + u, attackHome.y, attackHome.z + w);
        needsNewSpot = 0;
    }
    if (holdSpot != 1 && inSubstitution != 1 &&
        !match->IsInsideCourt(attackTarget.x, attackTarget.y, attackTarget.z)) {
        attackTarget = attackHome;
        needsNewSpot = 1;
    }
    WalkTo(attackTarget);
}

void CCourtPlayer::WalkToDefenceSpot(int defenceTacticType) {
    if (match == nullptr) {
        return;
    }
    if (defenceTacticType != kManMarkingTactic) {
        if (!match->Flags().IsCalledOff(this) && needsNewSpot == 1 && holdSpot == 0) {
            const float u = match->Offset(2.0f);
            const float w = match->Offset(2.0f);
            defenceTarget = Vec3(defenceHome.x + u, defenceHome.y, defenceHome.z + w);
            needsNewSpot = 0;
        }
        if (inSubstitution != 1 && !match->IsInsideCourt(defenceTarget.x, defenceTarget.y, defenceTarget.z)) {
            defenceTarget = defenceHome;
            needsNewSpot = 1;
        }
    }
    WalkTo(defenceTarget);
}

void CCourtPlayer::PickWideAttackSpot() {
    if (match == nullptr) {
        return;
    }
    const float u = match->Offset(4.0f);
    const float w = match->Offset(4.0f);
    attackTarget = Vec3(attackHome.x + u, attackHome.y, attackHome.z + w);
    if (!match->IsInsideCourt(attackTarget.x, attackTarget.y, attackTarget.z)) {
        attackTarget = attackHome;
    }
}

void CCourtPlayer::UpdateDefenceTarget(int defenceTacticType) {
    if (match == nullptr) {
        return;
    }
    MatchFlags& flags = match->Flags();
    const bool manMarking = defenceTacticType == kManMarkingTactic;
    const float gap = manMarking ? kManMarkingGap : kZoneMarkingGap;
    const float margin = manMarking ? 0.0f : 2.0f;

    // While a shot is in the air the defender nearest the ball goes for it as the attacker nearest
    // it does (CMatch3D::RunToRebound), once it comes down within his reach: sent back to his man
    // every step, he left the attackers the ball under the basket.
    if (flags.shotInFlight && !match->BallInHand() && !flags.inbound && !flags.substitutionPhase) {
        const Vec3 predicted = match->BallPredictedPosition(lastDt);
        const Vec3 spot(predicted.x, 0.0f, predicted.z);
        const CCourtPlayer* nearest = match->NearestPlayer(side == 1 ? 1 : 0, predicted, nullptr);
        if (nearest == this && Vec3Distance(Vec3(position.x, 0.0f, position.z), spot) <= kReboundChaseReach) {
            defenceTarget = spot;
            return;
        }
    }
    if (!match->BallInHand() && !flags.inbound && !flags.substitutionPhase && !flags.shotInFlight) {
        const Vec3 predicted = match->BallPredictedPosition(lastDt);
        const CCourtPlayer* nearest = match->NearestPlayer(side == 1 ? 1 : 0, predicted, nullptr);
        if (nearest != nullptr && nearest->playerId == playerId && match->BallHolder() != this) {
            defenceTarget = Vec3(predicted.x, 0.0f, predicted.z);
            chasingBall = 1;
            return;
        }
    }

    if (marking == nullptr) {
        // Nobody to guard (a bench player sent in before the marking was set): hold the zone spot.
        defenceTarget = defenceHome;
    } else {
        const Vec3 basket = DefendedBasket();
        const float reach = manMarking ? basket.Length() : Vec3Distance(defenceHome, basket);
        const float dist = Vec3Distance(marking->position, basket);
        Vec3 dir;
        // A man standing on the basket point gives no direction; the candidate is the basket itself.
        if (dist >= kMinMarkDistance) {
            dir = (marking->GetAimPoint() - basket) * (1.0f / dist);
        }
        float d = dist - gap;
        if (d < 0.0f) {
            d = dist - gap * 0.25f;
            if (d <= 0.0f) {
                d = 0.0f;
            }
        }
        // A shot in the air: the man-to-man marker boxes out, at most kBoxOutDepth from the basket.
        if (manMarking && flags.shotInFlight && !match->BallInHand()) {
            d = std::min(d, kBoxOutDepth);
        }
        const Vec3 candidate = basket + dir * d;
        defenceTarget = dist > reach + margin ? defenceHome : candidate;
        if (flags.inbound && marking->hasBall) {
            defenceTarget = defenceHome;
        }
    }

    if (match->BallInHand() && chasingBall == 1) {
        if (match->Percent() <= 30.0) {
            defenceTarget = defenceHome;
        } else {
            needsNewSpot = 1;
        }
        chasingBall = 0;
    }
}

bool CCourtPlayer::CheckExhaustion() {
    if (match != nullptr && stamina < 10.0f && match->Roll20() > 18) {
        injured = 1;
        exhausted = 1;
        return true;
    }
    return false;
}

void CCourtPlayer::CompleteCatch() {
    MatchFlags& flags = match->Flags();
    SetAnimation(kAnimIdleBall, false);
    match->SetBallInHand(true);
    for (int s = 0; s < 2; ++s) {
        if (CMatchTeam* team = match->Team(s)) {
            team->ClearAwaitingPass();
        }
    }
    // A ball caught from a teammate's pass may become his assist; any other catch ends that chance.
    const bool fromTeammate =
        flags.lastPasser != nullptr && flags.lastPasser != this && flags.lastPasser->side == side;
    flags.assistPasser = fromTeammate ? flags.lastPasser : nullptr;
    flags.assistReceiver = fromTeammate ? this : nullptr;
    if (flags.lastPasser != nullptr) {
        flags.lastPasser->needsNewSpot = 1;
        flags.lastPasser = nullptr;
    }
    flags.passAstray = 0;
    match->StopBall();
    flags.freeBallHolder = nullptr;
    flags.foulPending = 0;
    if (flags.inbound) {
        flags.inbound = 0;
        flags.inbounder = nullptr;
        holdSpot = 0;
    }
    awaitingPass = 0;
    hasBall = 1;
    passing = 0;
    shotTaken = 0;
    PickWideAttackSpot();
}

void CCourtPlayer::ThinkCatchPass() {
    if (match == nullptr) {
        return;
    }
    MatchFlags& flags = match->Flags();
    if (GetCurrentAnimationId() != kAnimIdle) {
        SetAnimation(kAnimIdle, false);
    }
    // Only a ball nobody holds can be caught: one in another's hands is his until a steal, a pass
    // or a rebound decides otherwise.
    const CCourtPlayer* holder = match->BallHolder();
    const bool free = !match->BallInHand() || holder == nullptr || holder == this;
    const Vec3 toBall = match->BallPosition() - position;
    // One who already holds it has made his catch, however high he holds it.
    if ((free && toBall.LengthSq() < 0.8f) || (hasBall && holder == this)) {
        CompleteCatch();
        return;
    }
    if (!match->BallInHand() && !flags.inbound) {
        const Vec3 predicted = match->BallPredictedPosition(lastDt);
        if (match->NearestPlayer(side == 1 ? 1 : 0, predicted, nullptr) == this) {
            attackTarget = Vec3(predicted.x, 0.0f, predicted.z);
        }
    }
}

// Idle gestures: a face wipe, a word with a team-mate, or plain standing; a gesture already playing
// is left alone.
void CCourtPlayer::StartIdleVariant(bool restart) {
    const int32_t current = GetCurrentAnimationId();
    if (current == kAnimIdle || current == kAnimWipeFace || current == kAnimChat) {
        return;
    }
    const double r = match->Percent();
    if (r <= 15.0) {
        SetAnimation(kAnimWipeFace, restart);
    } else if (r <= 30.0) {
        SetAnimation(kAnimChat, restart);
    } else {
        SetAnimation(kAnimIdle, restart);
    }
}

void CCourtPlayer::ThinkFreeThrowDefence() {
    if (match == nullptr) {
        return;
    }
    if (AtDefenceTarget()) {
        StartIdleVariant(false);
        FaceBall();
        return;
    }
    if (GetCurrentAnimationId() != kAnimRun) {
        SetAnimation(kAnimRun, false);
    }
    // To his place on the lane: the throws wait until everybody stands at his own.
    WalkTo(defenceTarget);
}

void CCourtPlayer::ThinkSubstitutionAttack() {
    if (match == nullptr || hasBall) {
        return;
    }
    MatchFlags& flags = match->Flags();
    if (AtAttackTarget()) {
        if (inSubstitution == 1 && cameOn == 0) {
            // The called-off player is at his spot: the swap happens now.
            FinishSubstitution();
            return;
        }
        StartIdleVariant(false);
        if (match->Percent() > 30.0) {
            FaceBall();
        } else {
            needsNewSpot = 1;
        }
        return;
    }
    if (flags.shotInFlight || Vec3Distance(position, attackTarget) > kSubstitutionRunDistance) {
        SpendStamina(kRunCost);
        if (GetCurrentAnimationId() != kAnimRun) {
            SetAnimation(kAnimRun, false);
        }
    } else if (GetCurrentAnimationId() != kAnimWalk) {
        SetAnimation(kAnimWalk, false);
    }
    WalkToAttackSpot();
}

void CCourtPlayer::PostMatchEvents() {
    // A player already called off waits on court for the dead ball: the staff do not tell the user to
    // rest the man he has just taken out.
    if (match == nullptr || isUserPlayer != 1 || inSubstitution != 0) {
        return;
    }
    // Only a man on court is spoken of: one already on the bench needs no warning.
    if (matchState != kMatchStateOnCourt) {
        return;
    }
    ICommentarySink* sink = match->Commentary();
    if (sink == nullptr) {
        return;
    }
    auto staffHeader = [this](int textId, const CStaffRecord* staff) {
        return staff != nullptr ? match->Text(textId) + " " + staff->name + ":" : CStr();
    };
    const CStr first = staffHeader(80055, staffFirst);
    const CStr second = staffHeader(80056, staffSecond);
    const CStr own = match->Text(80041) + " " + name + ":";
    auto tell = [sink](const CStr& header, const CStr& message, int32_t colour) {
        sink->AddLine(header, colour);
        sink->AddLine(message, colour);
    };
    auto about = [this](int lead, int tail) { return match->Text(lead) + name + match->Text(tail); };
    uint8_t& fatigueOrFouls = commentDone[0];

    if (stamina < 20.0f && !fatigueOrFouls) {
        fatigueOrFouls = 1;
        tell(first, about(600001, 600003), 0);
    }
    // Either foul counter counts, but the remark is told once like the others.
    if ((foulsCharged > 3 || foulsBooked >= 4) && !fatigueOrFouls) {
        fatigueOrFouls = 1;
        tell(first, about(600001, 600004), 0);
    }
    const int attempts = freeThrowsAttempted + twoPointAttempts + threePointAttempts;
    const int made = freeThrowsMade + twoPointersMade + threePointersMade;
    if (attempts > 10 && static_cast<double>(made) / attempts * 100.0 < 20.0 && !commentDone[2]) {
        commentDone[2] = 1;
        tell(second, about(600001, 600006), 0);
    }
    if (stamina < 15.0f && !commentDone[1]) {
        commentDone[1] = 1;
        tell(first, about(600002, 600003), 1);
    }
    if ((foulsCharged > 4 || foulsBooked >= 5) && !fatigueOrFouls) {
        fatigueOrFouls = 1;
        tell(first, about(600001, 600005), 0);
    }
    if (stamina < 25.0f && !commentDone[3]) {
        const int r = static_cast<int>(static_cast<double>(match->Rand()) / kGameRandMax * 100.0);
        if (r < 60) {
            commentDone[3] = 1;
            const int r2 = static_cast<int>(static_cast<double>(match->Rand()) / kGameRandMax * 100.0);
            const int text = r2 > 90   ? 600012
                             : r2 > 80 ? 600011
                             : r2 > 70 ? 600010
                             : r2 > 60 ? 600009
                                       : 600008;
            tell(own, match->Text(text), 0);
        }
    }
}

double CCourtPlayer::LaunchDirection(const Vec3& from, Vec3& direction, const Vec3& to) {
    const float dx = to.x - from.x;
    const float dz = to.z - from.z;
    const float angle = 40.0f * kDegToRad;
    direction = Vec3(dx * std::cos(angle), std::fabs(dx * std::sin(angle)), dz);
    direction.Normalize();
    return -1.0;
}
