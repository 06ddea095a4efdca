// CAnimatedCharacter: the animated, skinned character under every court player. It owns one
// instance of the shared player mesh, cross-fades its clips on two tracks, turns toward its look
// direction at a limited rate, steps at the gait of its clip and reports where its hands hold the
// ball. Without a mesh instance (the headless match, the decision tests) it keeps the clip
// bookkeeping the decisions read and stands where it is put.
#pragma once

#include "engine/Math3D.h"

#include <cstdint>
#include <vector>

class CAnimatedMesh;
class CAnimCallbackHandler;
class CSkinnedMesh;
class CStr;

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

inline constexpr int kAnimationIdCount = 35;
// The player model's clip names, in the order the clip table is filled.
inline constexpr int kPlayerClipCount = 22;
extern const char* const kPlayerClipNames[kPlayerClipCount];
// The animation id each of those names fills.
extern const int32_t kPlayerClipIds[kPlayerClipCount];

// Gaits of a step, and the codes a refused step leaves behind.
inline constexpr int kGaitWalk = 6;
inline constexpr int kGaitRun = 7;
inline constexpr int kGaitDribbleRun = 8;
inline constexpr float kBlockedWalk = 1001.0f;
inline constexpr float kBlockedRun = 101.0f;

// The result LoadAnimations gives when the mesh cannot make an instance.
inline constexpr int kAnimOutOfMemory = -2;

// Headings in degrees, each in [0, 360). HeadingFromDirection reads (x, z): 0 faces +z, 90 faces -x,
// 180 -z, 270 +x (the world matrix turns by 180 minus it). HeadingFromXY reads (x, y) by the same
// rule and HeadingFromYX (y, x); the hand releases of the court motion test them on the hand vector.
float HeadingFromDirection(const Vec3& v);
float HeadingFromXY(const Vec3& v);
float HeadingFromYX(const Vec3& v);

// The animation state players and referees share: the mesh instance, its two-track cross-fade, the
// character's own clock, drawing and release. A copy shares the mesh and instance (the mesh owns
// them) but never the callback handler, which only its original frees.
class CCharacterRig {
public:
    CCharacterRig() = default;
    CCharacterRig(const CCharacterRig& other);
    CCharacterRig& operator=(const CCharacterRig& other);
    ~CCharacterRig();

    // Takes a new instance of the mesh; false (and no instance) when the mesh cannot make one.
    bool Attach(CSkinnedMesh* skinnedMesh, double startTime);
    bool HasInstance() const { return instance != nullptr; }
    // Index of the first animation set with exactly that name; -1 when none (or no instance).
    int32_t FindClip(const char* name) const;
    // Fades the current track out and the clip in on the other track over one second; the new
    // track's speed and weight rise to speed. A clip of -1 leaves the tracks alone.
    void BlendToClip(int32_t clip, bool restart, float speed);
    bool IsClipFinished(int32_t clip) const;
    double GetClipPeriod() const;
    float GetTrackSpeed() const;
    // Moves the clock and the instance's pose by dt.
    int AdvanceTime(double dt, const Vec3* camera);
    int Render();
    void Release();
    // World matrix: device world x turn by (180 - heading) x translation to the position.
    void UpdateWorldMatrix(float heading, const Vec3& position);
    void LoadTextureSet(int count, const CStr* paths);
    void UseOwnTextures(bool on);

    CSkinnedMesh* mesh = nullptr; // shared by every character of its kind; not owned
    int32_t instanceIndex = -1;
    CAnimatedMesh* instance = nullptr; // owned by the mesh
    int32_t userWord = 0;
    const Vec3* recordedCamera = nullptr; // what the last time advance was given, while recording
    uint8_t recordFlag = 0;
    CAnimCallbackHandler* callbackHandler = nullptr; // owned
    double previousTime = 0.0;
    double time = 0.0;
    int32_t currentTrack = 0;
};

class CAnimatedCharacter {
public:
    // Court units per second of the two gaits, and the track speed every new clip starts at.
    static constexpr float kWalkSpeed = 1.4f;
    static constexpr float kRunSpeed = 5.3f;
    static constexpr double kClipSpeed = 1.2;

    CAnimatedCharacter();
    CAnimatedCharacter(const CAnimatedCharacter&) = default;
    CAnimatedCharacter& operator=(const CAnimatedCharacter&) = default;
    virtual ~CAnimatedCharacter() = default;

    // The game's "EnableVideoCube" option: characters loaded while it is on run faster.
    static void SetVideoCubeOption(bool on);

    // Takes an instance of the mesh, fills the clip table, starts idle and joins the registry.
    // Returns 0, or kAnimOutOfMemory when the mesh makes no instance: the character is then taken
    // off the court (shown cleared) and never moved, animated or drawn.
    virtual int LoadAnimations(CSkinnedMesh* skinnedMesh, std::vector<CAnimatedCharacter*>* registry,
                               int32_t userWord, double startTime, const Vec3& startPosition,
                               const Vec3& startDirection, int32_t lastWord);
    // One frame of motion: turn, world matrix, then the step of the clip's gait.
    virtual void Update(double dt);
    // Moves the animation clock and pose by dt (camera: the eye position, kept while recording).
    virtual int AdvanceTime(double dt, const Vec3* camera);
    virtual int Render();
    // Frees the callback handler.
    virtual void Release();

    // Starts a clip by animation id; restart plays it from its beginning. With a mesh an id the
    // model has no clip for leaves the tracks alone and the current id becomes -1.
    virtual void SetAnimation(int32_t animationId, bool restart);
    // The animation id of the clip now playing.
    virtual int32_t GetCurrentAnimationId() const;
    // The current clip has played to its end.
    virtual bool IsClipFinished(int32_t animationId) const;
    // Length in seconds of the clip now playing.
    virtual double GetClipPeriod() const;
    // World positions of the ball frames in the right (hand 0) and left (hand 1) hand.
    virtual Vec3 GetHandBallPosition(int hand) const;
    // Where the character will stand after dt if it keeps playing the clip: a step along the body
    // direction at the clip's gait (standing clips stay put).
    virtual Vec3 PredictPosition(int32_t animationId, double dt) const;

    // The clip index registered for an animation id; -1 outside 0-34 or where the model lacks it.
    int32_t GetAnimationId(int32_t animationId) const;
    int32_t FindClip(const char* name) const { return rig.FindClip(name); }
    float GetTrackSpeed() const;
    void Turn(double dt);
    void Move(int gait, double dt);
    void UpdateWorldMatrix();
    // The court motion handles only characters with a mesh instance.
    virtual bool HasInstance() const { return rig.HasInstance(); }

    // The hand frames as the court motion reads them.
    virtual void GetRightHandBallPosition(Vec3& out) const;
    virtual void GetLeftHandBallPosition(Vec3& out) const;
    // Model-space offset from the right hand's ball tip to its ball frame (hand 0; else the left).
    virtual void GetHandBallOffset(Vec3& out, int hand) const;
    void GetHandMatrix(Matrix4& out, int hand) const;
    void GetWorldMatrix(Matrix4& out) const;
    // The hand point the motion kept from the last frame it looked at the hand.
    virtual void GetStoredPosition(Vec3& out) const;
    virtual void SetStoredPosition(float x, float y, float z);

    void LoadTextureSet(int count, const CStr* paths) { rig.LoadTextureSet(count, paths); }
    void UseOwnTextures(bool on) { rig.UseOwnTextures(on); }

    // Looks toward the walk target; a target on the spot keeps the look direction.
    void FaceWalkTarget() {
        Vec3 v = walkTarget - position;
        v.Normalize();
        if (v != Vec3()) {
            lookDirection = v;
        }
    }

    CCharacterRig rig;
    std::vector<CAnimatedCharacter*>* registry = nullptr; // not owned

    // Tuning, court units and degrees per second.
    float walkSpeed = 1.4f;
    float runSpeed = 5.3f;
    float turnRate = 300.5f;
    float dribbleRunSpeed = 4.6f;
    float clipSpeed = 1.2f;
    float injuredClipSpeed = 0.7f;
    float injuredRunSpeed = 3.445f;
    float injuredTurnRate = 195.325f;
    float injuredDribbleRunSpeed = 2.99f;

    float blockedCode = 0.0f; // why the last step was refused; 0 until one is
    int32_t currentClip = -1; // clip index of the clip last started (with a mesh)
    int32_t clipTable[kAnimationIdCount];
    Vec3 lastPosition;             // where PredictPosition last started from
    int32_t lastWords[2] = {0, 0}; // the last argument of LoadAnimations

    Vec3 position;             // where the character stands (feet, y up)
    Vec3 facing;               // the direction the body faces
    Vec3 walkTarget;           // the point walking leads to once started
    Vec3 lookDirection;        // normalised direction toward what the character looks at
    uint8_t facingReached = 0; // the body is within 5 degrees of the look direction
    uint8_t hasBall = 0;
    uint8_t passing = 0;        // from the decision to pass until the ball leaves the hand
    uint8_t releaseReached = 0; // the clip reached its release moment
    uint8_t shown = 1;          // on the court: moved, animated and drawn while set
    uint8_t noScatter = 0;      // his next shot flies at the basket without the random spread
    int32_t stealRollLoop = -1; // the pass through the steal clip that already had its roll

    // Clip bookkeeping as the decisions see it; the animation controller keeps it true.
    int32_t currentAnimation = kAnimIdle;
    uint8_t clipRestarted = 0;
    uint8_t clipFinished = 0;
    double clipPeriod = 1.0;
    double clipTime = 0.0; // how long the current clip has played (the court motion's clock)

protected:
    // Court players answer these from their match; a bare character walks anywhere.
    virtual bool IsInjuredCharacter() const { return false; }
    // Whether a step to the candidate is allowed; mayLeave: walking and running may leave the
    // court in the substitution phase or for a player who must go off.
    virtual bool StepAllowed(const Vec3& candidate, bool mayLeave) const;
};
