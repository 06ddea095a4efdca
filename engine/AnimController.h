// Keyframed animation sets and the controller that plays them on blended tracks for one instance.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"

#include <atomic>
#include <memory>
#include <vector>

struct Quat {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;
};

// Rotation matrix for row vectors (v' = v x M), the convention of Matrix4.
void MatrixFromQuat(Matrix4& out, const Quat& q);
// Scale, rotation and translation of an affine matrix without shear; false when it is degenerate.
bool DecomposeMatrix(const Matrix4& m, Vec3& scale, Quat& rotation, Vec3& translation);
// out = S x R x T.
void ComposeMatrix(Matrix4& out, const Vec3& scale, const Quat& rotation, const Vec3& translation);
// Normalised linear interpolation along the shorter arc.
Quat QuatNlerp(const Quat& a, const Quat& b, float t);

// Keys of one frame inside one animation set; times in seconds, sorted.
struct BoneAnimation {
    CStr frameName;
    std::vector<std::pair<double, Vec3>> scaleKeys;
    std::vector<std::pair<double, Quat>> rotationKeys;
    std::vector<std::pair<double, Vec3>> positionKeys;
};

// A named clip. Immutable once built, so every controller clone shares it.
class CAnimationSet {
public:
    CAnimationSet(const CStr& name, std::vector<BoneAnimation> animations);

    const char* GetName() const { return m_name.GetText(); }
    // Length of one loop in seconds: the last key time of any animation.
    double GetPeriod() const { return m_period; }
    // The track position folded into one loop.
    double GetPeriodicPosition(double position) const;

    int GetNumAnimations() const { return static_cast<int>(m_animations.size()); }
    const BoneAnimation& GetAnimation(int index) const { return m_animations[index]; }
    // Interpolated keys of one animation at a time inside the period; kinds without keys keep the
    // values passed in (the frame's rest pose).
    void Sample(int animation, double periodicTime, Vec3& scale, Quat& rotation, Vec3& translation) const;

private:
    CStr m_name;
    std::vector<BoneAnimation> m_animations;
    double m_period = 0.0;
};

enum class AnimTransition { Linear, Immediate };

struct AnimTrackDesc {
    float Weight = 1.0f;
    float Speed = 1.0f;
    // Seconds played since the track was last positioned; never folded into the period.
    double Position = 0.0;
    bool Enable = false;
};

// Opaque hook handed through AdvanceTime; the characters own one and never need it called.
class CAnimCallbackHandler {
public:
    virtual ~CAnimCallbackHandler() = default;
};

class CAnimController {
public:
    static constexpr int kTrackCount = 2;

    // outputNames and restPose: one per frame of the hierarchy; animations bind to them by name, and key
    // kinds an animation lacks keep the rest pose.
    CAnimController(std::vector<CStr> outputNames, const std::vector<Matrix4>& restPose,
                    std::vector<std::shared_ptr<const CAnimationSet>> sets);

    // Shared reference counting, so a caller holding the controller can release it after the owner.
    void AddRef() { m_refs.fetch_add(1); }
    void Release();

    // A fresh controller sharing the sets: tracks and time back at their start.
    CAnimController* Clone() const;

    int GetNumAnimationSets() const { return static_cast<int>(m_sets.size()); }
    const CAnimationSet* GetAnimationSet(int index) const;
    // Index of the first set with exactly that name; -1 when none.
    int FindAnimationSet(const char* name) const;

    int GetMaxNumTracks() const { return kTrackCount; }
    // Operations on a track outside 0..kTrackCount-1 return false and change nothing.
    bool SetTrackAnimationSet(int track, const CAnimationSet* set);
    const CAnimationSet* GetTrackAnimationSet(int track) const;
    bool SetTrackEnable(int track, bool enable);
    bool SetTrackPosition(int track, double position);
    bool SetTrackSpeed(int track, float speed);
    bool SetTrackWeight(int track, float weight);
    bool GetTrackDesc(int track, AnimTrackDesc* desc) const;

    // Key events run on the controller's global time. Speed and weight move from the value they have
    // when the event starts to the target over the duration.
    bool UnkeyAllTrackEvents(int track);
    bool KeyTrackEnable(int track, bool enable, double startTime);
    bool KeyTrackSpeed(int track, float speed, double startTime, double duration, AnimTransition transition);
    bool KeyTrackWeight(int track, float weight, double startTime, double duration,
                        AnimTransition transition);

    double GetTime() const { return m_time; }
    // Moves global time by dt, applies due events, advances the enabled tracks and blends their poses.
    // Returns 0; a negative dt is refused with -1.
    int AdvanceTime(double dt, CAnimCallbackHandler* handler);

    // After AdvanceTime: the local matrix of every output a contributing track animates. Outputs no
    // track touches are left as they are in locals.
    void ApplyOutputs(std::vector<Matrix4>& locals) const;

private:
    ~CAnimController() = default;
    CAnimController(const CAnimController& other);
    CAnimController& operator=(const CAnimController&) = delete;

    enum class EventKind { Enable, Speed, Weight };
    struct TrackEvent {
        EventKind kind = EventKind::Enable;
        double start = 0.0;
        double duration = 0.0;
        AnimTransition transition = AnimTransition::Linear;
        float target = 0.0f;
        float from = 0.0f;
        bool started = false;
    };
    struct Track {
        AnimTrackDesc desc;
        const CAnimationSet* set = nullptr;
        std::vector<int> outputOfAnimation; // per animation of the set: output index or -1
        std::vector<TrackEvent> events;
    };

    void Bind(Track& track) const;
    void RunEvents(Track& track, double now);

    std::atomic<int> m_refs{1};
    struct Srt {
        Vec3 scale{1, 1, 1};
        Quat rotation;
        Vec3 translation;
    };
    std::vector<CStr> m_outputNames;
    std::vector<Srt> m_rest;
    std::vector<std::shared_ptr<const CAnimationSet>> m_sets;
    Track m_tracks[kTrackCount];
    double m_time = 0.0;
    std::vector<Matrix4> m_outputs;
    std::vector<char> m_outputAnimated;
    // Weighted sums of the tracks' poses per output during AdvanceTime.
    struct Accum {
        float weight = 0.0f;
        Vec3 scale;
        Quat rotation{0, 0, 0, 0};
        Vec3 translation;
        Quat first;
        bool any = false;
    };
    std::vector<Accum> m_accum;
};
