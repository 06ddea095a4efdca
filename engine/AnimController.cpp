// Animation sets, sampling and the two-track blending controller.
#include "engine/AnimController.h"

#include <algorithm>
#include <cmath>

void MatrixFromQuat(Matrix4& out, const Quat& q) {
    const float xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
    const float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
    const float wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
    out = Matrix4();
    out.m[0][0] = 1 - 2 * (yy + zz);
    out.m[0][1] = 2 * (xy + wz);
    out.m[0][2] = 2 * (xz - wy);
    out.m[1][0] = 2 * (xy - wz);
    out.m[1][1] = 1 - 2 * (xx + zz);
    out.m[1][2] = 2 * (yz + wx);
    out.m[2][0] = 2 * (xz + wy);
    out.m[2][1] = 2 * (yz - wx);
    out.m[2][2] = 1 - 2 * (xx + yy);
}

static Quat QuatFromRotationMatrix(const float r[3][3]) {
    // Inverse of MatrixFromQuat: r[i][j] is the row-vector matrix.
    Quat q;
    const float trace = r[0][0] + r[1][1] + r[2][2];
    if (trace > 0.0f) {
        const float s = std::sqrt(trace + 1.0f) * 2.0f;
        q.w = 0.25f * s;
        q.x = (r[1][2] - r[2][1]) / s;
        q.y = (r[2][0] - r[0][2]) / s;
        q.z = (r[0][1] - r[1][0]) / s;
    } else if (r[0][0] > r[1][1] && r[0][0] > r[2][2]) {
        const float s = std::sqrt(1.0f + r[0][0] - r[1][1] - r[2][2]) * 2.0f;
        q.w = (r[1][2] - r[2][1]) / s;
        q.x = 0.25f * s;
        q.y = (r[0][1] + r[1][0]) / s;
        q.z = (r[2][0] + r[0][2]) / s;
    } else if (r[1][1] > r[2][2]) {
        const float s = std::sqrt(1.0f + r[1][1] - r[0][0] - r[2][2]) * 2.0f;
        q.w = (r[2][0] - r[0][2]) / s;
        q.x = (r[0][1] + r[1][0]) / s;
        q.y = 0.25f * s;
        q.z = (r[1][2] + r[2][1]) / s;
    } else {
        const float s = std::sqrt(1.0f + r[2][2] - r[0][0] - r[1][1]) * 2.0f;
        q.w = (r[0][1] - r[1][0]) / s;
        q.x = (r[2][0] + r[0][2]) / s;
        q.y = (r[1][2] + r[2][1]) / s;
        q.z = 0.25f * s;
    }
    return q;
}

bool DecomposeMatrix(const Matrix4& m, Vec3& scale, Quat& rotation, Vec3& translation) {
    translation = Vec3(m.m[3][0], m.m[3][1], m.m[3][2]);
    Vec3 rows[3] = {{m.m[0][0], m.m[0][1], m.m[0][2]},
                    {m.m[1][0], m.m[1][1], m.m[1][2]},
                    {m.m[2][0], m.m[2][1], m.m[2][2]}};
    float s[3] = {rows[0].Length(), rows[1].Length(), rows[2].Length()};
    if (s[0] < 1e-8f || s[1] < 1e-8f || s[2] < 1e-8f)
        return false;
    // A mirrored basis keeps its handedness in the scale so the rotation stays proper.
    if (Vec3Dot(Vec3Cross(rows[0], rows[1]), rows[2]) < 0.0f)
        s[0] = -s[0];
    float r[3][3];
    for (int i = 0; i < 3; ++i) {
        r[i][0] = rows[i].x / s[i];
        r[i][1] = rows[i].y / s[i];
        r[i][2] = rows[i].z / s[i];
    }
    scale = Vec3(s[0], s[1], s[2]);
    rotation = QuatFromRotationMatrix(r);
    return true;
}

void ComposeMatrix(Matrix4& out, const Vec3& scale, const Quat& rotation, const Vec3& translation) {
    MatrixFromQuat(out, rotation);
    const float s[3] = {scale.x, scale.y, scale.z};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            out.m[i][j] *= s[i];
    out.m[3][0] = translation.x;
    out.m[3][1] = translation.y;
    out.m[3][2] = translation.z;
}

static float QuatDot(const Quat& a, const Quat& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

static Quat QuatNormalized(Quat q) {
    const float len = std::sqrt(QuatDot(q, q));
    if (len < 1e-12f)
        return Quat();
    return {q.x / len, q.y / len, q.z / len, q.w / len};
}

Quat QuatNlerp(const Quat& a, const Quat& b, float t) {
    const float sign = QuatDot(a, b) < 0.0f ? -1.0f : 1.0f;
    Quat q{a.x + (sign * b.x - a.x) * t, a.y + (sign * b.y - a.y) * t, a.z + (sign * b.z - a.z) * t,
           a.w + (sign * b.w - a.w) * t};
    return QuatNormalized(q);
}

// Keys are sorted by time; before the first key the first value holds, after the last the last.
template <typename T, typename Lerp>
static void SampleKeys(const std::vector<std::pair<double, T>>& keys, double time, T& value, Lerp lerp) {
    if (keys.empty())
        return;
    if (time <= keys.front().first) {
        value = keys.front().second;
        return;
    }
    if (time >= keys.back().first) {
        value = keys.back().second;
        return;
    }
    auto next = std::upper_bound(keys.begin(), keys.end(), time,
                                 [](double t, const std::pair<double, T>& key) { return t < key.first; });
    auto prev = next - 1;
    const double span = next->first - prev->first;
    const float f = span > 0.0 ? static_cast<float>((time - prev->first) / span) : 0.0f;
    value = lerp(prev->second, next->second, f);
}

CAnimationSet::CAnimationSet(const CStr& name, std::vector<BoneAnimation> animations)
    : m_name(name), m_animations(std::move(animations)) {
    for (const BoneAnimation& a : m_animations) {
        if (!a.scaleKeys.empty())
            m_period = std::max(m_period, a.scaleKeys.back().first);
        if (!a.rotationKeys.empty())
            m_period = std::max(m_period, a.rotationKeys.back().first);
        if (!a.positionKeys.empty())
            m_period = std::max(m_period, a.positionKeys.back().first);
    }
}

double CAnimationSet::GetPeriodicPosition(double position) const {
    if (m_period <= 0.0)
        return 0.0;
    double p = std::fmod(position, m_period);
    if (p < 0.0)
        p += m_period;
    return p;
}

void CAnimationSet::Sample(int animation, double periodicTime, Vec3& scale, Quat& rotation,
                           Vec3& translation) const {
    if (animation < 0 || animation >= GetNumAnimations())
        return;
    const BoneAnimation& a = m_animations[animation];
    auto lerpVec = [](const Vec3& p, const Vec3& q, float f) { return p + (q - p) * f; };
    SampleKeys(a.scaleKeys, periodicTime, scale, lerpVec);
    SampleKeys(a.rotationKeys, periodicTime, rotation, QuatNlerp);
    SampleKeys(a.positionKeys, periodicTime, translation, lerpVec);
}

CAnimController::CAnimController(std::vector<CStr> outputNames, const std::vector<Matrix4>& restPose,
                                 std::vector<std::shared_ptr<const CAnimationSet>> sets)
    : m_outputNames(std::move(outputNames)), m_sets(std::move(sets)) {
    m_rest.resize(m_outputNames.size());
    for (size_t i = 0; i < m_rest.size() && i < restPose.size(); ++i)
        DecomposeMatrix(restPose[i], m_rest[i].scale, m_rest[i].rotation, m_rest[i].translation);
    m_outputs.resize(m_outputNames.size());
    m_outputAnimated.assign(m_outputNames.size(), 0);
    // A fresh controller plays nothing until a set is put on a track; the first track is ready to go.
    m_tracks[0].desc.Enable = true;
}

void CAnimController::Release() {
    if (m_refs.fetch_sub(1) == 1)
        delete this;
}

CAnimController* CAnimController::Clone() const {
    auto* copy = new CAnimController(*this);
    copy->m_refs.store(1);
    copy->m_time = 0.0;
    for (int i = 0; i < kTrackCount; ++i) {
        copy->m_tracks[i] = Track();
        copy->m_tracks[i].desc.Enable = (i == 0);
    }
    copy->m_outputAnimated.assign(m_outputNames.size(), 0);
    return copy;
}

// The atomic member has no copy constructor; everything else copies plainly.
CAnimController::CAnimController(const CAnimController& other)
    : m_outputNames(other.m_outputNames), m_rest(other.m_rest), m_sets(other.m_sets), m_time(other.m_time),
      m_outputs(other.m_outputs), m_outputAnimated(other.m_outputAnimated) {
    for (int i = 0; i < kTrackCount; ++i)
        m_tracks[i] = other.m_tracks[i];
}

const CAnimationSet* CAnimController::GetAnimationSet(int index) const {
    if (index < 0 || index >= GetNumAnimationSets())
        return nullptr;
    return m_sets[index].get();
}

int CAnimController::FindAnimationSet(const char* name) const {
    for (int i = 0; i < GetNumAnimationSets(); ++i)
        if (m_sets[i]->GetName() == std::string(name ? name : ""))
            return i;
    return -1;
}

static bool ValidTrack(int track) {
    return track >= 0 && track < CAnimController::kTrackCount;
}

void CAnimController::Bind(Track& track) const {
    track.outputOfAnimation.clear();
    if (!track.set)
        return;
    for (int a = 0; a < track.set->GetNumAnimations(); ++a) {
        int found = -1;
        for (size_t o = 0; o < m_outputNames.size(); ++o)
            if (m_outputNames[o].Equals(track.set->GetAnimation(a).frameName)) {
                found = static_cast<int>(o);
                break;
            }
        track.outputOfAnimation.push_back(found);
    }
}

bool CAnimController::SetTrackAnimationSet(int track, const CAnimationSet* set) {
    if (!ValidTrack(track))
        return false;
    m_tracks[track].set = set;
    Bind(m_tracks[track]);
    return true;
}

const CAnimationSet* CAnimController::GetTrackAnimationSet(int track) const {
    return ValidTrack(track) ? m_tracks[track].set : nullptr;
}

bool CAnimController::SetTrackEnable(int track, bool enable) {
    if (!ValidTrack(track))
        return false;
    m_tracks[track].desc.Enable = enable;
    return true;
}

bool CAnimController::SetTrackPosition(int track, double position) {
    if (!ValidTrack(track))
        return false;
    m_tracks[track].desc.Position = position;
    return true;
}

bool CAnimController::SetTrackSpeed(int track, float speed) {
    if (!ValidTrack(track))
        return false;
    m_tracks[track].desc.Speed = speed;
    return true;
}

bool CAnimController::SetTrackWeight(int track, float weight) {
    if (!ValidTrack(track))
        return false;
    m_tracks[track].desc.Weight = weight;
    return true;
}

bool CAnimController::GetTrackDesc(int track, AnimTrackDesc* desc) const {
    if (!ValidTrack(track) || !desc)
        return false;
    *desc = m_tracks[track].desc;
    return true;
}

bool CAnimController::UnkeyAllTrackEvents(int track) {
    if (!ValidTrack(track))
        return false;
    m_tracks[track].events.clear();
    return true;
}

bool CAnimController::KeyTrackEnable(int track, bool enable, double startTime) {
    if (!ValidTrack(track))
        return false;
    TrackEvent e;
    e.kind = EventKind::Enable;
    e.start = startTime;
    e.transition = AnimTransition::Immediate;
    e.target = enable ? 1.0f : 0.0f;
    m_tracks[track].events.push_back(e);
    return true;
}

bool CAnimController::KeyTrackSpeed(int track, float speed, double startTime, double duration,
                                    AnimTransition transition) {
    if (!ValidTrack(track))
        return false;
    m_tracks[track].events.push_back(
        {EventKind::Speed, startTime, std::max(0.0, duration), transition, speed});
    return true;
}

bool CAnimController::KeyTrackWeight(int track, float weight, double startTime, double duration,
                                     AnimTransition transition) {
    if (!ValidTrack(track))
        return false;
    m_tracks[track].events.push_back(
        {EventKind::Weight, startTime, std::max(0.0, duration), transition, weight});
    return true;
}

void CAnimController::RunEvents(Track& track, double now) {
    // Events are applied in the order they were keyed, each from the value it finds when it starts.
    for (auto it = track.events.begin(); it != track.events.end();) {
        TrackEvent& e = *it;
        if (now < e.start) {
            ++it;
            continue;
        }
        float* value = e.kind == EventKind::Speed ? &track.desc.Speed : &track.desc.Weight;
        if (e.kind == EventKind::Enable) {
            track.desc.Enable = e.target != 0.0f;
            it = track.events.erase(it);
            continue;
        }
        if (!e.started) {
            e.from = *value;
            e.started = true;
        }
        const bool done =
            e.transition == AnimTransition::Immediate || e.duration <= 0.0 || now >= e.start + e.duration;
        if (done) {
            *value = e.target;
            it = track.events.erase(it);
            continue;
        }
        const float f = static_cast<float>((now - e.start) / e.duration);
        *value = e.from + (e.target - e.from) * f;
        ++it;
    }
}

int CAnimController::AdvanceTime(double dt, CAnimCallbackHandler* /*handler*/) {
    if (dt < 0.0 || !std::isfinite(dt))
        return -1;
    const double now = m_time + dt;
    for (Track& track : m_tracks) {
        const float speedBefore = track.desc.Speed;
        const bool enabledBefore = track.desc.Enable;
        RunEvents(track, now);
        // The mean of the speeds at both ends integrates a linear speed ramp exactly.
        if (enabledBefore)
            track.desc.Position += dt * 0.5 * (static_cast<double>(speedBefore) + track.desc.Speed);
    }
    m_time = now;

    // Reused every step: characters advance every frame.
    std::vector<Accum>& accum = m_accum;
    accum.assign(m_outputNames.size(), Accum());
    for (Track& track : m_tracks) {
        if (!track.desc.Enable || !track.set || track.desc.Weight <= 0.0f)
            continue;
        const double local = track.set->GetPeriodicPosition(track.desc.Position);
        const float w = track.desc.Weight;
        for (size_t a = 0; a < track.outputOfAnimation.size(); ++a) {
            const int o = track.outputOfAnimation[a];
            if (o < 0)
                continue;
            Vec3 s = m_rest[o].scale, t = m_rest[o].translation;
            Quat r = m_rest[o].rotation;
            track.set->Sample(static_cast<int>(a), local, s, r, t);
            Accum& acc = accum[o];
            if (!acc.any) {
                acc.first = r;
                acc.any = true;
            }
            const float sign = QuatDot(acc.first, r) < 0.0f ? -1.0f : 1.0f;
            acc.weight += w;
            acc.scale += s * w;
            acc.translation += t * w;
            acc.rotation.x += sign * r.x * w;
            acc.rotation.y += sign * r.y * w;
            acc.rotation.z += sign * r.z * w;
            acc.rotation.w += sign * r.w * w;
        }
    }
    for (size_t o = 0; o < accum.size(); ++o) {
        const Accum& acc = accum[o];
        if (!acc.any || acc.weight <= 0.0f)
            continue;
        const float inv = 1.0f / acc.weight;
        ComposeMatrix(m_outputs[o], acc.scale * inv, QuatNormalized(acc.rotation), acc.translation * inv);
        m_outputAnimated[o] = 1;
    }
    return 0;
}

void CAnimController::ApplyOutputs(std::vector<Matrix4>& locals) const {
    for (size_t o = 0; o < m_outputs.size() && o < locals.size(); ++o)
        if (m_outputAnimated[o])
            locals[o] = m_outputs[o];
}
