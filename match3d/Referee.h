// CRefereeBase and CReferee: the three referees on the 3D court. The base is the referee's animated
// character - its clips, turning and stepping; CReferee keeps to a post, follows the play along the
// side line or paces a baseline, and watches the ball. They take no part in the rules.
#pragma once

#include "engine/Math3D.h"
#include "match3d/AnimatedCharacter.h"

#include <cstdint>
#include <vector>

class CSkinnedMesh;
class CStr;
class IMatchContext;

// The referee's clips as GetCurrentAnimationId reports them.
enum RefereeAnimationId : int32_t {
    kRefereeNoClip = -1,
    kRefereeIdle = 0,
    kRefereeRun = 1,
    kRefereeToss = 2, // "feldob", the ball thrown up at the tip-off
    kRefereeWalk = 3,
};

// Gaits of a step and the codes of a step the court refused.
inline constexpr int kRefereeWalkGait = 6;
inline constexpr int kRefereeRunGait = 7;
inline constexpr float kRefereeBlockedWalk = 1001.0f;
inline constexpr float kRefereeBlockedRun = 101.0f;

inline constexpr int kRefereeClipCount = 4;
// The referee model's clip names, by referee animation id.
extern const char* const kRefereeClipNames[kRefereeClipCount];

// A heading in degrees: (0, 0, 1) is 0, (-1, 0, 0) 90, (0, 0, -1) 180, (1, 0, 0) 270.
float RefereeHeading(const Vec3& direction);

class CRefereeBase {
public:
    CRefereeBase() = default;
    CRefereeBase(const CRefereeBase&) = delete;
    CRefereeBase& operator=(const CRefereeBase&) = delete;
    virtual ~CRefereeBase() = default;

    // The game's "EnableVideoCube" option: referees loaded while it is on run faster.
    static void SetVideoCubeOption(bool on);

    // Takes an instance of the referee mesh, finds the four clips, starts idle and joins the
    // registry. Returns 0, or kAnimOutOfMemory without an instance: the referee is then hidden and
    // never animated or drawn.
    virtual int LoadAnimations(CSkinnedMesh* skinnedMesh, std::vector<CRefereeBase*>* registry,
                               int32_t userWord, double startTime, const Vec3& startPosition,
                               const Vec3& startDirection);
    // The motion of one frame: turn toward the look direction, world matrix, then the clip's gait.
    virtual void Update(double dt);
    // Moves the animation clock and pose by dt.
    virtual int AdvanceTime(double dt, const Vec3* camera) { return rig.AdvanceTime(dt, camera); }
    virtual int Render() { return rig.Render(); }
    virtual void Release() { rig.Release(); }

    void LoadTextures(int count, const CStr* paths) { rig.LoadTextureSet(count, paths); }
    void UseOwnTextures(bool on) { rig.UseOwnTextures(on); }
    void UpdateWorldMatrix() { rig.UpdateWorldMatrix(RefereeHeading(facing), position); }
    bool HasInstance() const { return rig.HasInstance(); }
    float GetTrackSpeed() const { return rig.HasInstance() ? rig.GetTrackSpeed() : trackSpeed; }

    // Cross-fades to a clip by referee animation id; the clip speed sets its track speed.
    void BlendToClip(int32_t animationId, bool restart);
    // The clip now playing: idle, run, toss or walk; kRefereeNoClip before any.
    int32_t GetCurrentAnimationId() const { return currentClip; }
    // Looks toward the walk target; standing on it looks along +x.
    void FaceTarget();
    // Turns the body toward the look direction at the turn rate.
    void Turn(double dt);
    // One step along the body direction; refused off the court outside the substitution phase.
    void Move(int gait, double dt);

    // Tuning, court units and radians per second.
    float walkSpeed = 1.4f;
    float runSpeed = 7.8f;
    float turnRate = 6.3f;
    float clipSpeed = 1.2f;

    CCharacterRig rig;
    std::vector<CRefereeBase*>* registry = nullptr;          // not owned
    int32_t clipTable[kRefereeClipCount] = {-1, -1, -1, -1}; // clip index per referee animation id

    int32_t currentClip = kRefereeIdle;
    uint8_t clipRestarted = 0;
    float trackSpeed = 1.2f;
    float blockedCode = 0.0f; // why the last step was refused; 0 when it was taken
    uint8_t shown = 1;        // animated and drawn while set

    Vec3 position;
    Vec3 facing;               // the body direction
    Vec3 walkTarget;           // the point the referee walks toward
    Vec3 lookDirection;        // where the body turns to
    uint8_t facingReached = 0; // the body is within 0.05 radians of the look direction

    IMatchContext* match = nullptr; // not owned: the court, the phase, the ball, the random source
};

class CReferee : public CRefereeBase {
public:
    CReferee();

    void SetFacing(float x, float y, float z);
    // Looks at the ball across the floor.
    void FaceBall();
    bool AtTarget() const;
    void WalkToTarget();
    // Runs or walks to the target, or stands at it watching the ball.
    void MoveToTarget();
    // A baseline referee's short beat along his baseline.
    void PaceBaseline();
    // One decision step, each frame of the quarters (the motion is Update's).
    void Think();

    uint8_t baselineReferee = 0; // posted at a baseline; else he follows the play along the side line
    uint8_t paceToggle = 0;      // which end of his beat a baseline referee goes to next
    Vec3 target;                 // where he means to stand

private:
    // Run beyond 2.2, walk nearer; a clip already playing is left running.
    void ChooseGait();
};
