// The animated court character: clip table, two-track cross-fades, turning, gait steps, the world
// matrix and the hand frames, on an instance of the shared skinned mesh.
#include "match3d/AnimatedCharacter.h"

#include "engine/AnimController.h"
#include "engine/Device.h"
#include "engine/SkinnedMesh.h"
#include "engine/Str.h"

#include <atomic>
#include <cmath>

const char* const kPlayerClipNames[kPlayerClipCount] = {
    "idle_01_NOball",
    "idle_01_ball",
    "run",
    "cselezes_02",
    "walk_noball",
    "walk_pattogtat",
    "walk_pattogtat_01",
    "vedekezes_01",
    "vedekezes_02_hatralo",
    "extra_04_duma",
    "dobas_04",
    "dobas_02",
    "dobas_01",
    "run_pattogtatas_jobbkez",
    "passz_01_eloretolo",
    "passz_02_eloretolo_foldre",
    "passz_03_elore_fejfolott",
    "passz_04_elore_fejfolott_jobbkez",
    "meccsindito",
    "labdaszerzes_01_balkez",
    "labdaszerzes_01_jobbkez",
    "extra_01_arctorlo",
};

const int32_t kPlayerClipIds[kPlayerClipCount] = {
    kAnimIdle,         kAnimIdleBall,     kAnimRun,
    kAnimDribbleMove,  kAnimWalk,         kAnimWalkDribble,
    kAnimWalkDribble2, kAnimDefence,      kAnimDefenceBack,
    kAnimChat,         kAnimShotClose,    kAnimShotFade,
    kAnimShot,         kAnimRunDribble,   kAnimPassChest,
    kAnimPassBounce,   kAnimPassOverhead, kAnimPassOverheadRight,
    kAnimTipOff,       kAnimStealLeft,    kAnimStealRight,
    kAnimWipeFace,
};

namespace {

constexpr double kDegreesToRadians = 0.017453292;
constexpr double kHandFactor = 57.3248405; // the hand headings' degrees per radian
constexpr double kFadeSeconds = 1.0;
constexpr double kClipEndSlack = 0.0125;
constexpr double kFacingToleranceDegrees = 5.0;

std::atomic<bool> g_videoCube{false};

// The order ids are tried in when the playing clip is looked up; the first match wins.
constexpr int32_t kLookupOrder[kAnimationIdCount] = {0,  1,  3,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                                     14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 30, 24,
                                                     25, 26, 27, 28, 29, 2,  4,  31, 32, 33, 34};

// atan2 of (-a, b) in degrees folded into [0, 360).
double Heading(double a, double b, double factor) {
    double h = std::atan2(-a, b) * factor;
    if (h < 0.0) {
        h += 360.0;
    }
    if (h >= 360.0) {
        h -= 360.0;
    }
    return h;
}

bool IsRunningClip(int32_t id) {
    return id == kAnimRun || id == kAnimRunDribble;
}

} // namespace

float HeadingFromDirection(const Vec3& v) {
    if (v.x == 0.0f && v.z == 0.0f) {
        return 0.0f;
    }
    return static_cast<float>(Heading(v.x, v.z, 57.29577791868204));
}

float HeadingFromXY(const Vec3& v) {
    return static_cast<float>(Heading(v.x, v.y, kHandFactor));
}

float HeadingFromYX(const Vec3& v) {
    return static_cast<float>(Heading(v.y, v.x, kHandFactor));
}

// ---- The shared rig

CCharacterRig::CCharacterRig(const CCharacterRig& other)
    : mesh(other.mesh), instanceIndex(other.instanceIndex), instance(other.instance),
      userWord(other.userWord), recordedCamera(other.recordedCamera), recordFlag(other.recordFlag),
      previousTime(other.previousTime), time(other.time), currentTrack(other.currentTrack) {}

CCharacterRig& CCharacterRig::operator=(const CCharacterRig& other) {
    if (this != &other) {
        delete callbackHandler;
        callbackHandler = nullptr;
        mesh = other.mesh;
        instanceIndex = other.instanceIndex;
        instance = other.instance;
        userWord = other.userWord;
        recordedCamera = other.recordedCamera;
        recordFlag = other.recordFlag;
        previousTime = other.previousTime;
        time = other.time;
        currentTrack = other.currentTrack;
    }
    return *this;
}

CCharacterRig::~CCharacterRig() {
    delete callbackHandler;
}

bool CCharacterRig::Attach(CSkinnedMesh* skinnedMesh, double startTime) {
    mesh = skinnedMesh;
    instance = nullptr;
    instanceIndex = -1;
    previousTime = time = startTime;
    currentTrack = 0;
    if (skinnedMesh == nullptr) {
        return false;
    }
    int index = -1;
    if (skinnedMesh->CreateInstance(&index) < 0) {
        return false;
    }
    instance = skinnedMesh->GetInstance(index);
    instanceIndex = instance != nullptr ? index : -1;
    return instance != nullptr;
}

int32_t CCharacterRig::FindClip(const char* name) const {
    if (instance == nullptr) {
        return -1;
    }
    CAnimController* controller = instance->GetAnimController();
    if (controller == nullptr) {
        return -1;
    }
    int32_t found = -1;
    for (int i = 0; i < controller->GetNumAnimationSets(); ++i) {
        const CAnimationSet* set = controller->GetAnimationSet(i);
        if (set != nullptr && CStr(set->GetName()).Equals(name)) {
            found = i;
            break;
        }
    }
    controller->Release();
    return found;
}

void CCharacterRig::BlendToClip(int32_t clip, bool restart, float speed) {
    if (instance == nullptr || clip < 0) {
        return;
    }
    CAnimController* c = instance->GetAnimController();
    if (c == nullptr) {
        return;
    }
    const CAnimationSet* set = c->GetAnimationSet(clip);
    if (set != nullptr) {
        const int next = currentTrack == 0 ? 1 : 0;
        c->SetTrackAnimationSet(next, set);
        c->UnkeyAllTrackEvents(currentTrack);
        c->UnkeyAllTrackEvents(next);
        // The controller's events run on its own clock, which AdvanceTime keeps equal to ours.
        const double t = c->GetTime();
        c->KeyTrackEnable(currentTrack, false, t + kFadeSeconds);
        c->KeyTrackSpeed(currentTrack, 0.0f, t, kFadeSeconds, AnimTransition::Linear);
        c->KeyTrackWeight(currentTrack, 0.0f, t, kFadeSeconds, AnimTransition::Linear);
        c->SetTrackEnable(next, true);
        c->KeyTrackSpeed(next, speed, t, kFadeSeconds, AnimTransition::Linear);
        c->KeyTrackWeight(next, speed, t, kFadeSeconds, AnimTransition::Linear);
        if (restart) {
            c->SetTrackPosition(next, 0.0);
        }
        currentTrack = next;
    }
    c->Release();
}

bool CCharacterRig::IsClipFinished(int32_t clip) const {
    if (instance == nullptr || clip < 0) {
        return false;
    }
    CAnimController* c = instance->GetAnimController();
    if (c == nullptr) {
        return false;
    }
    bool finished = false;
    AnimTrackDesc desc;
    const CAnimationSet* set = c->GetTrackAnimationSet(currentTrack);
    if (set != nullptr && set == c->GetAnimationSet(clip) && c->GetTrackDesc(currentTrack, &desc)) {
        finished = desc.Position > set->GetPeriod() - kClipEndSlack;
    }
    c->Release();
    return finished;
}

double CCharacterRig::GetClipPeriod() const {
    if (instance == nullptr) {
        return 0.0;
    }
    CAnimController* c = instance->GetAnimController();
    if (c == nullptr) {
        return 0.0;
    }
    const CAnimationSet* set = c->GetTrackAnimationSet(currentTrack);
    const double period = set != nullptr ? set->GetPeriod() : 0.0;
    c->Release();
    return period;
}

float CCharacterRig::GetTrackSpeed() const {
    if (instance == nullptr) {
        return 1.0f;
    }
    CAnimController* c = instance->GetAnimController();
    if (c == nullptr) {
        return 1.0f;
    }
    AnimTrackDesc desc;
    const float speed = c->GetTrackDesc(currentTrack, &desc) ? desc.Speed : 1.0f;
    c->Release();
    return speed;
}

int CCharacterRig::AdvanceTime(double dt, const Vec3* camera) {
    recordedCamera = recordFlag ? camera : nullptr;
    previousTime = time;
    time += dt;
    if (instance == nullptr) {
        return kMeshFail;
    }
    return instance->AdvanceTime(dt, callbackHandler);
}

int CCharacterRig::Render() {
    if (instance == nullptr) {
        return 0;
    }
    if (g_pQuorelDevice != nullptr) {
        g_pQuorelDevice->SetCullMode(kCullCCW);
    }
    instance->Draw();
    return 0;
}

void CCharacterRig::Release() {
    delete callbackHandler;
    callbackHandler = nullptr;
}

void CCharacterRig::UpdateWorldMatrix(float heading, const Vec3& position) {
    if (instance == nullptr) {
        return;
    }
    Matrix4 w;
    if (g_pQuorelDevice != nullptr) {
        w = g_pQuorelDevice->GetTransform(kTransformWorld);
    }
    Matrix4 r, t, wr, world;
    MatrixRotationY(r, static_cast<float>((180.0 - heading) * kDegreesToRadians));
    MatrixTranslation(t, position.x, position.y, position.z);
    MatrixMultiply(wr, w, r);
    MatrixMultiply(world, wr, t);
    instance->SetWorldMatrix(world);
}

void CCharacterRig::LoadTextureSet(int count, const CStr* paths) {
    if (instance != nullptr) {
        instance->LoadTextureList(count, paths);
    }
}

void CCharacterRig::UseOwnTextures(bool on) {
    if (instance != nullptr) {
        instance->SetUseOwnTextures(on);
    }
}

// ---- The court character

CAnimatedCharacter::CAnimatedCharacter() {
    for (int32_t& clip : clipTable) {
        clip = -1;
    }
}

void CAnimatedCharacter::SetVideoCubeOption(bool on) {
    g_videoCube = on;
}

int CAnimatedCharacter::LoadAnimations(CSkinnedMesh* skinnedMesh,
                                       std::vector<CAnimatedCharacter*>* characters, int32_t word,
                                       double startTime, const Vec3& startPosition,
                                       const Vec3& startDirection, int32_t lastWord) {
    registry = characters;
    rig.userWord = word;
    position = startPosition;
    facing = startDirection;
    lookDirection = startDirection;
    lastWords[0] = lastWord;
    lastWords[1] = lastWord;
    for (int32_t& clip : clipTable) {
        clip = -1;
    }
    if (!rig.Attach(skinnedMesh, startTime)) {
        // Without an instance there is nothing to pose or draw: the character sits out the match.
        shown = 0;
        currentClip = -1;
        return kAnimOutOfMemory;
    }
    for (int i = 0; i < kPlayerClipCount; ++i) {
        clipTable[kPlayerClipIds[i]] = rig.FindClip(kPlayerClipNames[i]);
    }
    currentClip = clipTable[kAnimIdle];
    if (CAnimController* c = rig.instance->GetAnimController()) {
        c->AdvanceTime(rig.time, nullptr);
        c->SetTrackAnimationSet(rig.currentTrack,
                                currentClip >= 0 ? c->GetAnimationSet(currentClip) : nullptr);
        c->Release();
    }
    rig.BlendToClip(currentClip, false, clipSpeed);
    currentAnimation = currentClip >= 0 ? kAnimIdle : -1;
    clipPeriod = rig.GetClipPeriod();
    clipTime = 0.0;
    if (registry != nullptr) {
        registry->push_back(this);
    }
    if (g_videoCube) {
        runSpeed = 8.0f;
        dribbleRunSpeed = 7.0f;
    }
    return 0;
}

void CAnimatedCharacter::Update(double dt) {
    Turn(dt);
    UpdateWorldMatrix();
    switch (GetCurrentAnimationId()) {
    case kAnimWalkDribble:
    case kAnimWalkDribble2:
    case kAnimWalk:
        Move(kGaitWalk, dt);
        break;
    case kAnimRun:
        Move(kGaitRun, dt);
        break;
    case kAnimRunDribble:
        Move(kGaitDribbleRun, dt);
        break;
    default:
        break;
    }
}

int CAnimatedCharacter::AdvanceTime(double dt, const Vec3* camera) {
    const int result = rig.AdvanceTime(dt, camera);
    if (rig.HasInstance()) {
        clipFinished = rig.IsClipFinished(currentClip) ? 1 : 0;
    }
    return result;
}

int CAnimatedCharacter::Render() {
    return rig.Render();
}

void CAnimatedCharacter::Release() {
    rig.Release();
}

void CAnimatedCharacter::SetAnimation(int32_t animationId, bool restart) {
    clipRestarted = restart ? 1 : 0;
    clipFinished = 0;
    clipTime = 0.0;
    stealRollLoop = -1;
    if (!rig.HasInstance()) {
        currentAnimation = animationId;
        return;
    }
    currentClip = GetAnimationId(animationId);
    currentAnimation = currentClip >= 0 ? animationId : -1;
    float speed = clipSpeed;
    if (IsRunningClip(animationId) && IsInjuredCharacter()) {
        speed = injuredClipSpeed;
    }
    rig.BlendToClip(currentClip, restart, speed);
    clipPeriod = rig.GetClipPeriod();
}

int32_t CAnimatedCharacter::GetCurrentAnimationId() const {
    if (!rig.HasInstance()) {
        return currentAnimation;
    }
    for (int32_t id : kLookupOrder) {
        if (clipTable[id] >= 0 && clipTable[id] == currentClip) {
            return id;
        }
    }
    return -1;
}

bool CAnimatedCharacter::IsClipFinished(int32_t animationId) const {
    if (!rig.HasInstance()) {
        return currentAnimation == animationId && clipFinished != 0;
    }
    return rig.IsClipFinished(GetAnimationId(animationId));
}

double CAnimatedCharacter::GetClipPeriod() const {
    return rig.HasInstance() ? rig.GetClipPeriod() : clipPeriod;
}

int32_t CAnimatedCharacter::GetAnimationId(int32_t animationId) const {
    if (animationId < 0 || animationId >= kAnimationIdCount) {
        return -1;
    }
    return clipTable[animationId];
}

float CAnimatedCharacter::GetTrackSpeed() const {
    return rig.HasInstance() ? rig.GetTrackSpeed() : static_cast<float>(kClipSpeed);
}

void CAnimatedCharacter::Turn(double dt) {
    if (facing == lookDirection) {
        facingReached = 1;
        return;
    }
    const double rate = IsInjuredCharacter() ? injuredTurnRate : turnRate;
    auto heading = [](const Vec3& v) {
        double h =
            std::atan2(static_cast<double>(v.x), static_cast<double>(v.z)) * 180.0 / 3.14159265358979323846;
        return h < 0.0 ? h + 360.0 : h;
    };
    const double a = heading(facing);
    const double b = heading(lookDirection);
    // The shorter way round: the signed difference folded into (-180, 180].
    double diff = b - a;
    if (diff > 180.0) {
        diff -= 360.0;
    } else if (diff <= -180.0) {
        diff += 360.0;
    }
    double h = a;
    // Within the tolerance the body stays as it is; the flag tells whether it now faces the target.
    facingReached = 1;
    if (std::fabs(diff) > kFacingToleranceDegrees) {
        const double step = rate * std::fabs(dt);
        facingReached = std::fabs(diff) - step <= kFacingToleranceDegrees ? 1 : 0;
        h = std::fabs(diff) <= step ? b : a + (diff > 0.0 ? step : -step);
        if (h < 0.0) {
            h += 360.0;
        } else if (h >= 360.0) {
            h -= 360.0;
        }
    }
    const double r = h * kDegreesToRadians;
    facing = Vec3(static_cast<float>(std::sin(r)), 0.0f, static_cast<float>(std::cos(r)));
}

void CAnimatedCharacter::Move(int gait, double dt) {
    dt = std::fabs(dt);
    const bool injured = IsInjuredCharacter();
    float speed = 0.0f;
    switch (gait) {
    case kGaitWalk:
        speed = walkSpeed;
        break;
    case kGaitRun:
        speed = injured ? injuredRunSpeed : runSpeed;
        break;
    case kGaitDribbleRun:
        speed = injured ? injuredDribbleRunSpeed : dribbleRunSpeed;
        break;
    default:
        return;
    }
    const Vec3 candidate = position + facing * static_cast<float>(speed * GetTrackSpeed() * dt);
    if (StepAllowed(candidate, gait != kGaitDribbleRun)) {
        position = candidate;
    } else {
        blockedCode = gait == kGaitWalk ? kBlockedWalk : kBlockedRun;
    }
}

bool CAnimatedCharacter::StepAllowed(const Vec3& /*candidate*/, bool /*mayLeave*/) const {
    return true;
}

void CAnimatedCharacter::UpdateWorldMatrix() {
    rig.UpdateWorldMatrix(HeadingFromDirection(facing), position);
}

Vec3 CAnimatedCharacter::PredictPosition(int32_t animationId, double dt) const {
    float speed = 0.0f;
    switch (animationId) {
    case kAnimRun:
        speed = runSpeed;
        break;
    case kAnimRunDribble:
        speed = dribbleRunSpeed;
        break;
    case kAnimWalk:
    case kAnimWalkDribble:
    case kAnimWalkDribble2:
    case kAnimDefenceBack:
        speed = walkSpeed;
        break;
    default:
        break;
    }
    return position + facing * static_cast<float>(GetTrackSpeed() * speed * dt);
}

Vec3 CAnimatedCharacter::GetHandBallPosition(int hand) const {
    if (!rig.HasInstance()) {
        return Vec3(position.x + (hand == 0 ? 0.25f : -0.25f), 1.2f, position.z);
    }
    Vec3 out;
    if (hand == 0) {
        GetRightHandBallPosition(out);
    } else {
        GetLeftHandBallPosition(out);
    }
    return out;
}

void CAnimatedCharacter::GetRightHandBallPosition(Vec3& out) const {
    if (!rig.HasInstance()) {
        out = GetHandBallPosition(0);
        return;
    }
    Matrix4 hand;
    rig.instance->GetHandMatrix(hand, 0);
    Vec3 local;
    Vec3TransformCoord(local, Vec3(), hand);
    Vec3TransformCoord(out, local, rig.instance->GetWorldMatrix());
}

void CAnimatedCharacter::GetLeftHandBallPosition(Vec3& out) const {
    if (!rig.HasInstance()) {
        out = GetHandBallPosition(1);
        return;
    }
    Matrix4 hand;
    rig.instance->GetHandMatrix(hand, 1);
    Vec3 local;
    Vec3TransformCoord(local, Vec3(), hand);
    Vec3TransformCoord(out, local, rig.instance->GetWorldMatrix());
}

void CAnimatedCharacter::GetHandBallOffset(Vec3& out, int hand) const {
    if (!rig.HasInstance()) {
        out = Vec3(0.0f, -0.12f, 0.0f);
        return;
    }
    rig.instance->GetHandBallOffset(out, hand == 0 ? 0 : 1);
}

void CAnimatedCharacter::GetHandMatrix(Matrix4& out, int hand) const {
    if (!rig.HasInstance()) {
        out = Matrix4();
        return;
    }
    rig.instance->GetHandMatrix(out, hand >= 0 && hand <= 2 ? hand : 3);
}

void CAnimatedCharacter::GetWorldMatrix(Matrix4& out) const {
    if (!rig.HasInstance()) {
        MatrixTranslation(out, position.x, position.y, position.z);
        return;
    }
    rig.instance->GetWorldMatrix(out);
}

void CAnimatedCharacter::GetStoredPosition(Vec3& out) const {
    if (!rig.HasInstance()) {
        out = Vec3();
        return;
    }
    rig.instance->GetStoredPosition(out);
}

void CAnimatedCharacter::SetStoredPosition(float x, float y, float z) {
    if (rig.HasInstance()) {
        rig.instance->SetStoredPosition(x, y, z);
    }
}
