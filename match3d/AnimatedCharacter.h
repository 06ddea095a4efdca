// CAnimatedCharacter: the animated, skinned character under every court player and referee. This
// holds the state the placements, the rosters and the decisions touch, and the clip bookkeeping the
// decisions read; the skinned drawing and the motion fill in the clip lengths, release moments and
// hand points.
#pragma once

#include "engine/Math3D.h"

#include <cstdint>

// Animation ids of the character's clips: what the decisions start and test.
enum AnimationId : int32_t {
    kAnimWalkDribble = 0,        // "walk_pattogtat"
    kAnimWalkDribble2 = 1,       // "walk_pattogtat_01"
    kAnimWalk = 2,               // "walk_noball"
    kAnimIdleBall = 3,           // "idle_01_ball"
    kAnimIdle = 4,               // "idle_01_NOball"
    kAnimShot = 5,               // "dobas_01"
    kAnimShotFade = 6,           // "dobas_02"
    kAnimShotClose = 7,          // "dobas_04"
    kAnimDribbleMove = 12,       // "cselezes_02"
    kAnimPassChest = 13,         // "passz_01_eloretolo"
    kAnimPassBounce = 14,        // "passz_02_eloretolo_foldre"
    kAnimPassOverhead = 15,      // "passz_03_elore_fejfolott"
    kAnimPassOverheadRight = 16, // "passz_04_elore_fejfolott_jobbkez"
    kAnimRun = 24,               // "run"
    kAnimDefenceBack = 27,       // "vedekezes_02_hatralo"
    kAnimDefence = 28,           // "vedekezes_01"
    kAnimRunDribble = 29,        // "run_pattogtatas_jobbkez"
    kAnimTipOff = 30,            // "meccsindito"
    kAnimStealLeft = 31,         // "labdaszerzes_01_balkez"
    kAnimStealRight = 32,        // "labdaszerzes_01_jobbkez"
    kAnimWipeFace = 33,          // "extra_01_arctorlo"
    kAnimChat = 34,              // "extra_04_duma"
};

class CAnimatedCharacter {
public:
    // Court units per second of the two gaits, and the track speed every new clip starts at.
    static constexpr float kWalkSpeed = 1.4f;
    static constexpr float kRunSpeed = 5.3f;
    static constexpr double kClipSpeed = 1.2;

    CAnimatedCharacter() = default;
    CAnimatedCharacter(const CAnimatedCharacter&) = default;
    CAnimatedCharacter& operator=(const CAnimatedCharacter&) = default;
    virtual ~CAnimatedCharacter() = default;

    // Starts a clip by animation id; restart plays it from its beginning.
    virtual void SetAnimation(int32_t animationId, bool restart) {
        currentAnimation = animationId;
        clipRestarted = restart ? 1 : 0;
        clipFinished = 0;
    }
    // The animation id of the clip now playing.
    virtual int32_t GetCurrentAnimationId() const { return currentAnimation; }
    // The current clip has played to its end.
    virtual bool IsClipFinished(int32_t animationId) const {
        return currentAnimation == animationId && clipFinished != 0;
    }
    // Length in seconds of the clip now playing.
    virtual double GetClipPeriod() const { return clipPeriod; }
    // World positions of the ball frames in the right (hand 0) and left (hand 1) hand.
    virtual Vec3 GetHandBallPosition(int hand) const {
        return Vec3(position.x + (hand == 0 ? 0.25f : -0.25f), 1.2f, position.z);
    }
    // Where the character will stand after dt if it keeps playing the clip: a step along the body
    // direction at the clip's gait (standing clips stay put). The motion code refines the speeds.
    virtual Vec3 PredictPosition(int32_t animationId, double dt) const {
        float speed = 0.0f;
        if (animationId == kAnimRun || animationId == kAnimRunDribble) {
            speed = kRunSpeed;
        } else if (animationId == kAnimWalk || animationId == kAnimWalkDribble ||
                   animationId == kAnimWalkDribble2 || animationId == kAnimDefenceBack) {
            speed = kWalkSpeed;
        }
        return position + facing * static_cast<float>(kClipSpeed * speed * dt);
    }
    // Looks toward the walk target; a target on the spot keeps the look direction.
    void FaceWalkTarget() {
        Vec3 v = walkTarget - position;
        v.Normalize();
        if (v != Vec3()) {
            lookDirection = v;
        }
    }

    Vec3 position;      // where the character stands (feet, y up)
    Vec3 facing;        // the direction the body faces
    Vec3 walkTarget;    // the point walking leads to once started
    Vec3 lookDirection; // normalised direction toward what the character looks at
    uint8_t hasBall = 0;
    uint8_t passing = 0;        // from the decision to pass until the ball leaves the hand
    uint8_t releaseReached = 0; // the clip reached its release moment
    uint8_t shown = 1;          // drawn while set

    // Clip bookkeeping as the decisions see it; the animation controller keeps it true.
    int32_t currentAnimation = kAnimIdle;
    uint8_t clipRestarted = 0;
    uint8_t clipFinished = 0;
    double clipPeriod = 1.0;
};
