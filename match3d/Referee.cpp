// The referees: the animated character's turning and stepping, and the side-line and baseline
// referees' rules for where to stand and what to look at.
#include "match3d/Referee.h"

#include "engine/AnimController.h"
#include "engine/GameRand.h"
#include "engine/SkinnedMesh.h"
#include "match3d/MatchContext.h"

#include <atomic>
#include <cmath>

const char* const kRefereeClipNames[kRefereeClipCount] = {"idle", "run", "feldob", "walk"};

namespace {

constexpr double kDegreesToRadians = 0.017453292;
constexpr double kRadiansToDegrees = 57.3248405;
constexpr double kPi = 3.14159265358979323846;
constexpr double kFacingTolerance = 0.05; // radians: close enough to count as facing
constexpr double kTurnSnap = 0.01;        // radians: closer than this the turn is done

constexpr float kAtTarget = 0.38f;
constexpr float kWalkStart = 0.1f;
constexpr float kRunBeyond = 2.2f;
constexpr float kSideLineX = -7.3f;     // the side-line referee's line
constexpr float kFollowDistance = 3.0f; // the play may move this far before he follows it
constexpr int kPaceRollScale = 5000;
constexpr int kPaceRollBelow = 10; // about one frame in 500 at his post moves his beat
constexpr float kBeatNear = -4.5f;
constexpr float kBeatFar = -2.5f;

std::atomic<bool> g_refereeVideoCube{false};

} // namespace

void CRefereeBase::SetVideoCubeOption(bool on) {
    g_refereeVideoCube = on;
}

int CRefereeBase::LoadAnimations(CSkinnedMesh* skinnedMesh, std::vector<CRefereeBase*>* referees,
                                 int32_t word, double startTime, const Vec3& startPosition,
                                 const Vec3& startDirection) {
    registry = referees;
    rig.userWord = word;
    position = startPosition;
    facing = startDirection;
    lookDirection = startDirection;
    for (int32_t& clip : clipTable) {
        clip = -1;
    }
    if (!rig.Attach(skinnedMesh, startTime)) {
        // Nothing to pose or draw: the referee stays out of sight rather than crash the frame.
        shown = 0;
        return kAnimOutOfMemory;
    }
    for (int i = 0; i < kRefereeClipCount; ++i) {
        clipTable[i] = rig.FindClip(kRefereeClipNames[i]);
    }
    if (CAnimController* c = rig.instance->GetAnimController()) {
        c->AdvanceTime(rig.time, nullptr);
        const int32_t idle = clipTable[kRefereeIdle];
        c->SetTrackAnimationSet(rig.currentTrack, idle >= 0 ? c->GetAnimationSet(idle) : nullptr);
        c->Release();
    }
    BlendToClip(kRefereeIdle, false);
    if (registry != nullptr) {
        registry->push_back(this);
    }
    if (g_refereeVideoCube) {
        runSpeed = 10.5f;
    }
    return 0;
}

float RefereeHeading(const Vec3& d) {
    if (d.z == 1.0f) {
        return 0.0f;
    }
    if (d.x == 1.0f) {
        return 270.0f;
    }
    if (d.z == -1.0f) {
        return 180.0f;
    }
    if (d.x == -1.0f) {
        return 90.0f;
    }
    // Along an axis without being of unit length (or no direction at all): the axis's heading,
    // never the division by zero below.
    if (d.z == 0.0f) {
        return d.x < 0.0f ? 90.0f : d.x > 0.0f ? 270.0f : 0.0f;
    }
    if (d.x == 0.0f) {
        return d.z > 0.0f ? 0.0f : 180.0f;
    }
    const double degrees = std::atan(static_cast<double>(d.z) / d.x) * kRadiansToDegrees;
    return static_cast<float>(d.x < 0.0f ? degrees + 90.0 : degrees + 270.0);
}

void CRefereeBase::Update(double dt) {
    Turn(dt);
    UpdateWorldMatrix();
    if (currentClip == kRefereeWalk) {
        Move(kRefereeWalkGait, dt);
    } else if (currentClip == kRefereeRun) {
        Move(kRefereeRunGait, dt);
    }
}

void CRefereeBase::BlendToClip(int32_t animationId, bool restart) {
    clipRestarted = restart ? 1 : 0;
    trackSpeed = clipSpeed;
    if (!rig.HasInstance()) {
        currentClip = animationId;
        return;
    }
    const bool known = animationId >= 0 && animationId < kRefereeClipCount && clipTable[animationId] >= 0;
    currentClip = known ? animationId : kRefereeNoClip;
    if (known) {
        rig.BlendToClip(clipTable[animationId], restart, clipSpeed);
    }
}

void CRefereeBase::FaceTarget() {
    Vec3 v = walkTarget - position;
    v.Normalize();
    lookDirection = v == Vec3() ? Vec3(1.0f, 0.0f, 0.0f) : v;
}

void CRefereeBase::Turn(double dt) {
    if (facing == lookDirection) {
        return;
    }
    const double a = RefereeHeading(facing) * kDegreesToRadians;
    const double b = RefereeHeading(lookDirection) * kDegreesToRadians;
    facingReached = std::fabs(b - a) <= kFacingTolerance ? 1 : 0;
    double h = a;
    if (std::fabs(b - a) > kTurnSnap) {
        if (a - b < kPi) {
            h = a - turnRate * dt;
            if (h <= b) {
                h = b;
            }
        } else {
            h = a + turnRate * dt;
            if (h - 2.0 * kPi >= b) {
                h = b;
            }
        }
    }
    facing = Vec3(static_cast<float>(-std::sin(h)), 0.0f, static_cast<float>(std::cos(h)));
}

void CRefereeBase::Move(int gait, double dt) {
    float speed = 0.0f;
    if (gait == kRefereeWalkGait) {
        speed = walkSpeed;
    } else if (gait == kRefereeRunGait) {
        speed = runSpeed;
    } else {
        return;
    }
    const float step = static_cast<float>(speed * GetTrackSpeed() * std::fabs(dt));
    const Vec3 candidate = position + facing * step;
    const bool allowed = match == nullptr || match->Flags().substitutionPhase ||
                         match->IsInsideCourt(candidate.x, candidate.y, candidate.z);
    if (allowed) {
        position = candidate;
    } else {
        blockedCode = gait == kRefereeWalkGait ? kRefereeBlockedWalk : kRefereeBlockedRun;
    }
}

CReferee::CReferee() {
    position = Vec3(0.0f, 2.0f, 2.1f);
    facing = Vec3(-0.4f, 0.0f, 0.0f);
    lookDirection = facing;
}

void CReferee::SetFacing(float x, float y, float z) {
    facing = Vec3(x, y, z);
    lookDirection = facing;
}

void CReferee::FaceBall() {
    if (match == nullptr) {
        return;
    }
    const Vec3 ball = match->BallPosition();
    Vec3 v(ball.x - position.x, 0.0f, ball.z - position.z);
    v.Normalize();
    // With the ball straight above him there is nowhere to turn to.
    if (v != Vec3()) {
        lookDirection = v;
    }
}

bool CReferee::AtTarget() const {
    return Vec3Distance(position, target) <= kAtTarget;
}

void CReferee::WalkToTarget() {
    if (Vec3Distance(position, target) > kWalkStart) {
        walkTarget = target;
        FaceTarget();
    }
}

void CReferee::ChooseGait() {
    if (Vec3Distance(position, target) > kRunBeyond) {
        if (GetCurrentAnimationId() != kRefereeRun) {
            BlendToClip(kRefereeRun, false);
        }
    } else if (GetCurrentAnimationId() != kRefereeWalk) {
        BlendToClip(kRefereeWalk, false);
    }
}

void CReferee::MoveToTarget() {
    if (!AtTarget()) {
        ChooseGait();
        WalkToTarget();
        return;
    }
    if (GetCurrentAnimationId() != kRefereeIdle) {
        BlendToClip(kRefereeIdle, false);
    }
    FaceBall();
}

void CReferee::PaceBaseline() {
    if (!AtTarget()) {
        ChooseGait();
        WalkToTarget();
        return;
    }
    if (GetCurrentAnimationId() != kRefereeIdle) {
        BlendToClip(kRefereeIdle, false);
    }
    FaceBall();
    if (match != nullptr && match->Rand() * kPaceRollScale / kGameRandMax < kPaceRollBelow) {
        target.x = paceToggle == 0 ? kBeatNear : kBeatFar;
        paceToggle = paceToggle == 0 ? 1 : 0;
    }
}

void CReferee::Think() {
    if (baselineReferee) {
        PaceBaseline();
        return;
    }
    if (match != nullptr) {
        const Vec3 aim(kSideLineX, 0.0f, match->BallPosition().z);
        if (Vec3Distance(position, aim) > kFollowDistance) {
            target = aim;
        }
    }
    MoveToTarget();
}
