// CCourtPlayer's step by the match's phase: idling before the tip-off and between quarters, the
// substitution, inbound and free-throw behaviours, open play for attackers and defenders, and the
// end of a substitution.
#include "engine/GameRand.h"
#include "match/EventLine.h"
#include "match3d/CourtPlayer.h"
#include "match3d/MatchContext.h"
#include "match3d/MatchTeam.h"

namespace {

constexpr float kRunBeyond = 2.2f;             // open play: farther targets are run to
constexpr float kSubstitutionRunBeyond = 3.2f; // the substitution phase leaves more time to walk
constexpr float kInboundRunBeyond = 1.5f;      // attackers hurry to receive the inbound
constexpr float kFreeThrowRunBeyond = 2.2f;    // nearer the line, the shooter walks the last steps
constexpr float kRunCost = 0.005f;
constexpr double kIdleGestureScale = 5000.0; // one chance in this many per step for each gesture
constexpr double kNewSpotChance = 30.0;      // percent: an attacker at his spot wanders on
constexpr double kInboundNewSpotChance = 10.0;

} // namespace

void CCourtPlayer::AiUpdate(double dt) {
    if (match != nullptr && match->SimulationOn()) {
        Think(dt);
    }
}

void CCourtPlayer::Think(double dt) {
    lastDt = dt;
    if (match == nullptr) {
        return;
    }
    const MatchFlags& flags = match->Flags();
    if (flags.quarter == 0 || flags.betweenQuarters) {
        IdleStep();
        return;
    }
    if (flags.substitutionPhase) {
        if (attacking) {
            ThinkSubstitutionAttack();
        } else {
            ThinkSubstitution();
        }
    } else if (flags.inbound) {
        if (attacking) {
            ThinkInbound();
        } else {
            ThinkDefault();
        }
    } else if (flags.freeThrows) {
        if (attacking) {
            ThinkFreeThrow();
        } else {
            ThinkFreeThrowDefence();
        }
    } else {
        CheckExhaustion();
        if (awaitingPass) {
            // The receiver has only the ball on his mind this step.
            ThinkCatchPass();
            return;
        }
        if (attacking) {
            ThinkAttack();
        } else {
            ThinkDefault();
        }
    }
    PostMatchEvents();
}

void CCourtPlayer::PlayClip(int32_t animationId, bool loop) {
    if (GetCurrentAnimationId() != animationId) {
        SetAnimation(animationId, loop);
    }
}

void CCourtPlayer::RunOrWalk(float distance, float runBeyond, bool payForRun) {
    if (distance > runBeyond) {
        if (payForRun) {
            SpendStamina(kRunCost);
        }
        PlayClip(kAnimRun, false);
    } else {
        PlayClip(kAnimWalk, false);
    }
}

// Before the tip-off and between quarters the players only stand about, now and then wiping their
// face or chatting, and go back to standing once the gesture is over.
void CCourtPlayer::IdleStep() {
    const double r = static_cast<double>(match->Rand()) / kGameRandMax * kIdleGestureScale;
    const int32_t current = GetCurrentAnimationId();
    if (current == kAnimIdle) {
        if (r < 1.0) {
            SetAnimation(kAnimWipeFace, true);
        } else if (r > 1.0 && r <= 2.0) {
            SetAnimation(kAnimChat, true);
        }
    } else if (current == kAnimWipeFace || current == kAnimChat) {
        if (IsClipFinished(current)) {
            SetAnimation(kAnimIdle, true);
        }
    }
}

void CCourtPlayer::ThinkAttack() {
    if (match == nullptr) {
        return;
    }
    if (hasBall) {
        CMatchTeam* own = OwnTeam();
        if (own == nullptr) {
            return;
        }
        if (AtAttackTarget()) {
            ThinkBallAtTarget(*own);
            return;
        }
        ThinkBallMoving(*own);
        if (!passing && !shotTaken) {
            WalkToAttackTarget();
        }
        return;
    }
    if (AtAttackTarget()) {
        StartIdleVariant(false);
        if (match->Percent() <= kNewSpotChance) {
            needsNewSpot = 1;
            WalkToAttackSpot();
        } else {
            FaceBall();
        }
        return;
    }
    // Everybody sprints while a shot is in the air (for the rebound), without paying for it.
    if (match->Flags().shotInFlight) {
        PlayClip(kAnimRun, false);
    } else {
        RunOrWalk(Vec3Distance(position, attackTarget), kRunBeyond, true);
    }
    WalkToAttackSpot();
}

void CCourtPlayer::ThinkDefault() {
    if (match == nullptr) {
        return;
    }
    CMatchTeam* own = OwnTeam();
    if (own == nullptr) {
        return;
    }
    // Whatever the shape, the defender nearest the ball steps up to the holder, as on the flat
    // court: a marker standing off at his tactic's gap left the holder alone, with nothing to poke.
    if (GuardBall(*own)) {
        if (AtDefenceTarget()) {
            FaceBall();
            PlayClip(kAnimDefence, true);
        } else {
            RunOrWalk(Vec3Distance(position, defenceTarget), kRunBeyond, true);
            WalkTo(defenceTarget);
        }
        return;
    }
    if (AtDefenceTarget()) {
        FaceBall();
        Vec3 guardPoint;
        DefendPosition(guardPoint, GetCurrentAnimationId(), *own);
        return;
    }
    UpdateDefenceTarget(own->defenceTactic);
    if (match->Flags().shotInFlight) {
        PlayClip(kAnimRun, false);
    } else {
        RunOrWalk(Vec3Distance(position, defenceTarget), kRunBeyond, true);
    }
    WalkToDefenceSpot(own->defenceTactic);
}

void CCourtPlayer::ThinkSubstitution() {
    if (match == nullptr) {
        return;
    }
    CMatchTeam* own = OwnTeam();
    if (own == nullptr) {
        return;
    }
    if (AtDefenceTarget()) {
        FaceBall();
        if (!inSubstitution) {
            Vec3 guardPoint;
            DefendPosition(guardPoint, GetCurrentAnimationId(), *own);
        } else if (!cameOn) {
            FinishSubstitution();
        }
        return;
    }
    if (match->Flags().IsCalledOff(this)) {
        SpendStamina(kRunCost);
        PlayClip(kAnimRun, false);
    } else if (own->defenceTactic == kManMarkingTactic) {
        UpdateDefenceTarget(own->defenceTactic);
        SpendStamina(kRunCost);
    } else {
        RunOrWalk(Vec3Distance(position, defenceTarget), kSubstitutionRunBeyond, true);
    }
    WalkToDefenceSpot(own->defenceTactic);
}

void CCourtPlayer::FinishSubstitution() {
    MatchFlags& flags = match->Flags();
    needsNewSpot = 1;
    flags.substitutionRequested = 0;
    inSubstitution = 0;
    CCourtPlayer* incoming = replacement;
    replacement = nullptr;
    auto onCourt = [this]() {
        CMatchTeam* own = OwnTeam();
        for (int i = 0; own != nullptr && i < own->OnCourtCount(); ++i) {
            if (own->GetPlayer(i) == this) {
                return true;
            }
        }
        return false;
    };
    if (incoming != nullptr) {
        const CStr line = MatchEventLine(match->SideName(side), name, match->Text(500010));
        match->ExchangePlayers(playerId, incoming->playerId, flags.substitutionSide);
        if (!onCourt()) {
            match->ShowEventLine(line);
            match->RefreshBoxScores();
            return;
        }
    }
    // Nobody came on: he plays on, and unless another player is still on his way off the match
    // leaves the substitution phase instead of waiting for an arrival that never comes.
    if (flags.calledOffAuto == this) {
        flags.calledOffAuto = nullptr;
    }
    if (flags.calledOffUser == this) {
        flags.calledOffUser = nullptr;
    }
    for (int s = 0; s < 2; ++s) {
        CMatchTeam* team = match->Team(s);
        for (int i = 0; team != nullptr && i < team->OnCourtCount(); ++i) {
            const CCourtPlayer* player = team->GetPlayer(i);
            if (player != nullptr && player->inSubstitution) {
                return;
            }
        }
    }
    flags.substitutionPhase = 0;
}

void CCourtPlayer::ThinkInbound() {
    if (match == nullptr) {
        return;
    }
    if (awaitingPass && !hasBall) {
        // The throw-in is on its way to him: he waits for it where it was aimed instead of walking
        // on to his spot, or it flew past him and out, and the ball went over without a word.
        ThinkCatchPass();
        return;
    }
    if (hasBall) {
        // A feed decided but cut off before its clip let the ball go leaves him in his stance with
        // no one to throw to: he decides again. Nor does one with the ball who has drifted off his
        // spot wait for a decision he never makes there: he feeds from where he stands. Either way
        // he would otherwise stand at the line with the ball for good, and with him the match.
        if (passing && passTarget == nullptr && GetCurrentAnimationId() == kAnimIdleBall) {
            passing = 0;
        }
        if (AtAttackTarget() || !passing) {
            ThinkInboundPass();
        } else {
            ThinkInboundThrow();
        }
        return;
    }
    // One who cannot reach the line (his way round a player, or a spot he circles) walked for ever,
    // and the throw-in, with the match, never came: once it is overdue he takes the ball where he is.
    const bool overdue = holdSpot && match->Flags().inbounder == this && match->ThrowInOverdue();
    if (AtAttackTarget() || overdue) {
        if (holdSpot) {
            // The player taking the ball out picks it up at the line. The ball decides, not his
            // clip: one who carried the ball out still stands in the ball stance once the rules
            // have taken it from him, and the throw-in waited for him for the rest of the quarter.
            PlayClip(kAnimIdleBall, false);
            hasBall = 1;
            match->SetBallInHand(true);
            return;
        }
        StartIdleVariant(false);
        if (match->Flags().inbounder != this && match->Percent() < kInboundNewSpotChance) {
            needsNewSpot = 1;
            WalkToAttackSpot();
        } else {
            FaceBall();
        }
        return;
    }
    RunOrWalk(Vec3Distance(position, attackTarget), kInboundRunBeyond, false);
    WalkToAttackSpot();
}

void CCourtPlayer::ThinkFreeThrow() {
    if (match == nullptr) {
        return;
    }
    const bool atTarget = AtAttackTarget();
    // The shooter and his team-mates hurry to the line and the lane, as the defenders do: walked
    // from a foul at the other end, the shooter held the ball dead for 13-17 s before his first
    // throw, however soon the others stood in their places.
    const bool far = Vec3Distance(position, attackTarget) > kFreeThrowRunBeyond;
    if (!hasBall) {
        if (atTarget) {
            StartIdleVariant(false);
            FaceBall();
        } else {
            PlayClip(far ? kAnimRun : kAnimWalk, false);
            WalkToAttackSpot();
        }
        return;
    }
    if (!atTarget) {
        PlayClip(far ? kAnimRunDribble : kAnimWalkDribble, false);
        WalkToAttackSpot();
        return;
    }
    if (GetCurrentAnimationId() == kAnimIdleBall) {
        MatchFlags& flags = match->Flags();
        if (match->FreeThrowReady()) {
            shotTaken = 1;
        }
        if (releaseReached && actionTimer.Fire(3, GetClipPeriod(), lastDt, 3)) {
            FreeThrowCheck();
            SetAnimation(kAnimShot, true);
            flags.shooter = this;
            flags.releaseDone = 0;
            match->SetBallSpeed(0.0f);
            match->SetBallAim(Vec3());
            flags.shotSpot = position;
        }
    } else if (!shotTaken) {
        SetAnimation(kAnimIdleBall, true);
        Vec3 toBasket = AttackedBasket() - position;
        toBasket.Normalize();
        lookDirection = toBasket;
    }
}
