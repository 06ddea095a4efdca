// A flat-court player's update of one tick (his rule and his step) and a side's loop over its court
// players: inline, so that the match's tick runs all ten without a call.
#pragma once

#include "match2d/Match2D.h"
#include "match2d/Match2DPlayer.h"
#include "match2d/Match2DTeam.h"

#include <algorithm>
#include <cmath>
#include <memory>

// Inlined into the updates that call it (nearly a million steps a match); its own copy serves callers
// elsewhere.
[[gnu::always_inline]] inline void CMatch2DPlayer::MoveStepInline() {
    // In locals: the stores to the members cannot then make the compiler read them again.
    const Vec3 from = position;
    const Vec3 to = target;
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    const float dz = to.z - from.z;
    MoveStepMeasured(from, to, dx, dy, dz, dx * dx + dy * dy + dz * dz);
}

// The square of (target - position) is the square of (position - target), bit for bit: a rule's
// look at the distance and the step read the same figure.
[[gnu::always_inline]] inline void CMatch2DPlayer::StepMeasure::Measure(const Vec3& position,
                                                                        const Vec3& target) {
    from = position;
    to = target;
    dx = to.x - from.x;
    dy = to.y - from.y;
    dz = to.z - from.z;
    square = dx * dx + dy * dy + dz * dz;
    valid = true;
}

[[gnu::always_inline]] inline void CMatch2DPlayer::MoveStepMeasured(const Vec3& from, const Vec3& to,
                                                                    float dx, float dy, float dz,
                                                                    float square) {
    energy -= 0.001f;
    // A player standing on his target takes no root. A square is never below zero, so this is the
    // test for zero (false for NaN as well) in one comparison where == takes two.
    if (square <= 0.0f) [[unlikely]] {
        direction = Vec3();
        return;
    }
    const float remaining = std::sqrt(square);
    const float inverse = 1.0f / remaining; // one division where three would give the same unit
    const float ux = dx * inverse;
    const float uy = dy * inverse;
    const float uz = dz * inverse;
    // Member by member: a whole-vector copy went through the stack.
    direction.x = ux;
    direction.y = uy;
    direction.z = uz;
    // A marker closing out on his man runs this one step (DefendManInHalf sets it every tick); the
    // flag is cleared only when set, so the other steps store nothing.
    float step = speed;
    if (closingOut) {
        step = kCloseOutPace * speed;
        closingOut = 0;
    }
    // A fast player stops on his target rather than stepping past it and back for ever.
    if (step < remaining) {
        position.x = from.x + ux * step;
        position.y = from.y + uy * step;
        position.z = from.z + uz * step;
    } else {
        position = to;
    }
}

// The man-to-man rule, inlined into the players' loop: five defenders a tick, where the tactic's
// dispatch and two calls cost as much as the rule itself.
[[gnu::always_inline]] inline void CMatch2DPlayer::DefendManInHalfInline(StepMeasure* measure) {
    // TheMan(), written out: the marked opponent is the one with his number on the other side.
    markedOpponent = homeSide ? match->GetAwayPlayer(teamNumber) : match->GetHomePlayer(teamNumber);
    CMatch2DPlayer* man = markedOpponent;
    const bool inOwnHalf = man != nullptr && (homeSide ? man->position.z < 0.0f : man->position.z > 0.0f);
    if (man != nullptr && !man->chase && inOwnHalf) {
        target = man->position;
        // Off his man he runs to him. Walking at his man's pace to where the man stood, he reached
        // him only when the man turned back: a marker who began the possession metres away (after
        // the other side's zone, not its man-to-man) stayed that far off for most of it, and the
        // computer's man-to-man fouled 10 times a match and stole 3 balls instead of 24 and 8.
        // (A pressing defender getting back to his man walks: the press leaves the basket open.)
        if (measure != nullptr) {
            measure->Measure(position, target);
            closingOut = defenceTacticId == kManToManDefence && measure->square > kCloseOutSquare;
        } else {
            closingOut = defenceTacticId == kManToManDefence &&
                         (position - man->position).LengthSq() > kCloseOutSquare;
        }
    } else {
        target = defenceSpot;
    }
}

// kOpenPlay: no free-throw series was on when the tick's updates began, so none is (a series starts
// only in the rules, before them): the look for one is left out.
template <bool kOpenPlay> [[gnu::always_inline]] inline void CMatch2DPlayer::UpdateInline() {
    if (energy < 10.0f) [[unlikely]] { // nearly every tick he is well above the line: no call
        CheckExhaustion();
    }
    if (!kOpenPlay && (match->homeBonus || match->awayBonus)) [[unlikely]] {
        return UpdateFreeThrows();
    }
    CMatch2DBall& ball = *match->ball;

    // Nearly every step he neither chases a loose ball, goes for a rebound nor waits for a pass: one
    // look at the three flags, and their rules out of line.
    if (chase || rebound || receivingPass) [[unlikely]] {
        if (chase || rebound) {
            return ChaseOrRebound();
        }
        // A pass on its way to him (to a defender, one gone astray): he waits for it. A holder
        // marked as a receiver decides as a holder.
        if (!(attacking && hasBall)) {
            return AwaitPass();
        }
    }

    // A marker on his man and an attacker off the ball measure the way to the target once, for
    // their rule's look and the step.
    StepMeasure measure;
    if (!attacking) {
        if (match->possessionChanged) {
            target = defenceSpot;
        } else if (defenceTacticId == kManToManDefence) {
            // Man-to-man has no ball to guard (the holder's marker is on him): its rule alone.
            DefendManInHalfInline(&measure);
        } else {
            ApplyDefenceTactic();
        }
    } else if (!hasBall) {
        // IsNear, measured the way the step measures; away from his target he steps on with it.
        measure.Measure(position, target);
        if (measure.square <= kNearSquare) [[unlikely]] {
            target = target == attackSpot ? RandomPointNear(3.5f) : attackSpot;
            measure.valid = false;
        }
    } else {
        DecideWithBall();
    }

    if (!receivingPass) {
        if (measure.valid) {
            MoveStepMeasured(measure.from, measure.to, measure.dx, measure.dy, measure.dz, measure.square);
        } else {
            MoveStepInline();
        }
        if (hasBall) {
            ball.SetPosition(position);
            ball.SetTarget(position);
        }
    }
}

// The side's court players, each after the other, with the players' update inlined into the loop:
// it runs ten times a tick. kOpenPlay: no free-throw series on and nobody showing the staff's
// remarks, the usual tick of an instant match, whose loop then looks for neither.
template <bool kOpenPlay> [[gnu::always_inline]] inline void CMatch2DTeam::UpdateCourtPlayers() {
    // The court players first, then the bench's rest, as one pass over the squad would. A court
    // player's step never changes the squad nor its order (only the rules' changes do, between the
    // sides' updates): its array is read once, and so is whether anyone shows the remarks.
    const int count = std::min(kCourtPlayers, PlayerCount());
    const std::unique_ptr<CMatch2DPlayer>* const court = players.data();
    const bool remarks = !kOpenPlay && static_cast<bool>(match->hooks.remarkLine);
    for (int i = 0; i < count; ++i) {
        CMatch2DPlayer* p = court[i].get();
        p->attacking = attacking;
        p->UpdateInline<kOpenPlay>();
        // Only the user's players are remarked on (FinishUpdate).
        if (remarks && p->userTeam) {
            p->StaffRemarks();
        }
    }
    // The bench rests 0.005 a tick; that is added when someone reads it (SettleBench), not every tick.
    ++restTicks;
}

[[gnu::always_inline]] inline void CMatch2DTeam::UpdateSides(CMatch2DTeam& home, CMatch2DTeam& away) {
    const CMatch2D& m = *home.match;
    if (!m.homeBonus && !m.awayBonus && !m.hooks.remarkLine) {
        home.UpdateCourtPlayers<true>();
        away.UpdateCourtPlayers<true>();
    } else {
        home.UpdateCourtPlayers<false>();
        away.UpdateCourtPlayers<false>();
    }
}
