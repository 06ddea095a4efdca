// The generated humanoid: 22 frames (with the four hand-ball frames), one box per limb skinned to
// its bone, and keyframed basketball clips. The right hand's ball frame is aimed in every clip so
// that the court motion lets the ball go at the right moment of each pass and shot. Metres, y up, feet at y =
// 0, facing -z in model space (the court's world matrix turns heading 0 toward +z).
#include "Character.h"

#include "engine/AnimController.h"
#include "engine/Math3D.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <map>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTicks = 4800;

struct Bone {
    const char* name;
    int parent;
    Vec3 offset; // from the parent's origin, rest pose without rotation
};

// Right is -x: a character facing -z has its right hand on that side.
const Bone kBones[] = {
    {"Bip01", -1, {0, 0, 0}},
    {"Pelvis", 0, {0, 1.0f, 0}},
    {"Spine", 1, {0, 0.2f, 0}},
    {"Chest", 2, {0, 0.25f, 0}},
    {"Neck", 3, {0, 0.2f, 0}},
    {"Head", 4, {0, 0.08f, 0}},
    {"RightUpperArm", 3, {-0.22f, 0.15f, 0}},
    {"RightForeArm", 6, {0, -0.3f, 0}},
    {"RightHand", 7, {0, -0.27f, 0}},
    {"RightHandBallTip", 8, {0, -0.1f, 0}},
    {"RightHandBall", 9, {0, -0.12f, 0}},
    {"LeftUpperArm", 3, {0.22f, 0.15f, 0}},
    {"LeftForeArm", 11, {0, -0.3f, 0}},
    {"LeftHand", 12, {0, -0.27f, 0}},
    {"LeftHandBallTip", 13, {0, -0.1f, 0}},
    {"LeftHandBall", 14, {0, -0.12f, 0}},
    {"RightThigh", 1, {-0.1f, -0.05f, 0}},
    {"RightShin", 16, {0, -0.45f, 0}},
    {"RightFoot", 17, {0, -0.42f, 0}},
    {"LeftThigh", 1, {0.1f, -0.05f, 0}},
    {"LeftShin", 19, {0, -0.45f, 0}},
    {"LeftFoot", 20, {0, -0.42f, 0}},
};
constexpr int kBoneCount = sizeof(kBones) / sizeof(kBones[0]);

enum Part { kHead, kBody, kKit, kShoe };

struct Piece {
    int bone;
    Part part;
    Vec3 center; // relative to the bone origin
    Vec3 half;
};

const Piece kPieces[] = {
    {5, kHead, {0, 0.12f, 0}, {0.1f, 0.12f, 0.11f}},
    {4, kBody, {0, 0.04f, 0}, {0.05f, 0.05f, 0.05f}},
    {3, kKit, {0, 0.1f, 0}, {0.2f, 0.12f, 0.11f}},
    {2, kKit, {0, 0.12f, 0}, {0.17f, 0.13f, 0.1f}},
    {1, kKit, {0, 0, 0}, {0.18f, 0.08f, 0.1f}},
    {6, kBody, {0, -0.15f, 0}, {0.05f, 0.15f, 0.05f}},
    {7, kBody, {0, -0.135f, 0}, {0.045f, 0.135f, 0.045f}},
    {8, kBody, {0, -0.06f, 0}, {0.04f, 0.06f, 0.02f}},
    {11, kBody, {0, -0.15f, 0}, {0.05f, 0.15f, 0.05f}},
    {12, kBody, {0, -0.135f, 0}, {0.045f, 0.135f, 0.045f}},
    {13, kBody, {0, -0.06f, 0}, {0.04f, 0.06f, 0.02f}},
    {16, kKit, {0, -0.22f, 0}, {0.08f, 0.23f, 0.08f}},
    {17, kBody, {0, -0.21f, 0}, {0.06f, 0.21f, 0.06f}},
    {18, kShoe, {0, -0.04f, -0.05f}, {0.055f, 0.04f, 0.12f}},
    {19, kKit, {0, -0.22f, 0}, {0.08f, 0.23f, 0.08f}},
    {20, kBody, {0, -0.21f, 0}, {0.06f, 0.21f, 0.06f}},
    {21, kShoe, {0, -0.04f, -0.05f}, {0.055f, 0.04f, 0.12f}},
};

Vec3 RestPosition(int bone) {
    Vec3 p;
    for (int b = bone; b >= 0; b = kBones[b].parent)
        p += kBones[b].offset;
    return p;
}

int BoneIndex(const char* name) {
    for (int i = 0; i < kBoneCount; ++i)
        if (std::string(kBones[i].name) == name)
            return i;
    return -1;
}

std::string Fmt(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Fmt(const char* format, ...) {
    char buf[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    return buf;
}

std::string MatrixText(const Matrix4& m) {
    std::string s;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            s += Fmt("%.6f%s", m.m[r][c], r == 3 && c == 3 ? ";;" : ",");
    return s;
}

// The motions the clips are made of.
enum Style {
    kIdle,
    kIdleBall,
    kWalk,
    kRun,
    kWalkDribble,
    kWalkDribbleLow,
    kRunDribble,
    kDefence,
    kDefenceBack,
    kChat,
    kWipeFace,
    kJumpShot,
    kFadeAway,
    kLayup,
    kDunk,
    kChestPass,
    kBouncePass,
    kOverheadPass,
    kBaseballPass,
    kTipOff,
    kStealLeft,
    kStealRight,
    kRefereeIdle,
    kRefereeToss,
};

// One pose: joint angles (radians about x, then z), the pelvis lift, and where the right hand's ball
// frame points (model space). Model space faces -z with the right hand on the -x side, so a positive
// x angle swings an arm or a leg forward and bends the spine back; a negative z angle lifts the right
// arm out to its side, a positive one the left arm.
struct Pose {
    std::map<int, std::pair<double, double>> angles;
    double lift = 0.0;
    bool aimHand = false;
    Vec3 hand; // direction from the right hand's ball tip to its ball frame
    void Add(const char* bone, double x, double z = 0.0) {
        auto& a = angles[BoneIndex(bone)];
        a.first += x;
        a.second += z;
    }
    void Hand(const Vec3& direction) {
        aimHand = true;
        hand = direction;
        hand.Normalize();
    }
};

double Clamp01(double v) {
    return v < 0.0 ? 0.0 : v > 1.0 ? 1.0 : v;
}

// 0 before a, 1 after b, a smooth step between.
double Ease(double s, double a, double b) {
    if (b <= a) {
        return s >= a ? 1.0 : 0.0;
    }
    const double t = Clamp01((s - a) / (b - a));
    return t * t * (3.0 - 2.0 * t);
}

// Rises over [a, b], holds until c, falls over [c, d].
double Plateau(double s, double a, double b, double c, double d) {
    return Ease(s, a, b) * (1.0 - Ease(s, c, d));
}

Vec3 Mix(const Vec3& from, const Vec3& to, double t) {
    Vec3 v = from * static_cast<float>(1.0 - t) + to * static_cast<float>(t);
    v.Normalize();
    return v;
}

// Directions of the hand vector by the headings the court motion reads: xy from up toward the right
// hand's side, dir in the floor plane from behind toward that side.
Vec3 HandDirection(double xyDegrees, double dirDegrees) {
    const double a = xyDegrees * kPi / 180.0, b = dirDegrees * kPi / 180.0;
    // -x = sin(a) * r, y = cos(a) * r, and -x / z = tan(b).
    const double side = std::sin(a), up = std::cos(a);
    const double back = std::fabs(std::tan(b)) < 1e-6 ? 1.0 : side / std::tan(b);
    Vec3 v(static_cast<float>(-side), static_cast<float>(up), static_cast<float>(back));
    v.Normalize();
    return v;
}

const Vec3 kDown(0, -1, 0);
const Vec3 kRightSide(-1, 0, 0);

// Loose standing: soft knees, arms hanging a little away from the body.
void Stand(Pose& p, double s) {
    const double breath = std::sin(2 * kPi * s);
    p.Add("RightThigh", 0.1);
    p.Add("LeftThigh", 0.1);
    p.Add("RightShin", -0.2);
    p.Add("LeftShin", -0.2);
    p.lift = -0.02 + 0.005 * breath;
    p.Add("Chest", 0.02 * breath);
    p.Add("RightUpperArm", 0.05, -0.12);
    p.Add("LeftUpperArm", 0.05, 0.12);
    p.Add("RightForeArm", 0.25);
    p.Add("LeftForeArm", 0.25);
}

// The legs of a walk (swing 0.45) or a run (0.8): whole cycles so the loop closes.
void Stride(Pose& p, double s, double swing, double bend, double bounce) {
    const double w = std::sin(2 * kPi * s);
    p.Add("RightThigh", swing * w + 0.1);
    p.Add("LeftThigh", -swing * w + 0.1);
    p.Add("RightShin", -bend * std::max(0.0, -w) - 0.15);
    p.Add("LeftShin", -bend * std::max(0.0, w) - 0.15);
    p.lift = -0.03 + bounce * std::fabs(std::sin(2 * kPi * s));
}

void ArmSwing(Pose& p, double s, double swing, bool right, bool left, double elbow) {
    const double w = std::sin(2 * kPi * s);
    if (right) {
        p.Add("RightUpperArm", -swing * w, -0.1);
        p.Add("RightForeArm", elbow);
    }
    if (left) {
        p.Add("LeftUpperArm", swing * w, 0.1);
        p.Add("LeftForeArm", elbow);
    }
}

// Both hands on the ball in front of the waist.
void HoldBall(Pose& p, double chest) {
    p.Add("RightUpperArm", 0.45 + 0.5 * chest, 0.3);
    p.Add("LeftUpperArm", 0.45 + 0.5 * chest, -0.3);
    p.Add("RightForeArm", 0.9 + 0.5 * chest);
    p.Add("LeftForeArm", 0.9 + 0.5 * chest);
}

// The right hand pumping the ball into the floor beside the body: beats per loop, reach forward.
void DribbleArm(Pose& p, double s, double beats, double reach) {
    const double w = std::sin(2 * kPi * s * beats);
    p.Add("RightUpperArm", reach + 0.12 * w, -0.2);
    p.Add("RightForeArm", 0.55 + 0.45 * w);
    p.Add("RightHand", 0.3 + 0.3 * w);
    p.Hand(kDown);
}

// A two-footed jump: dip, take-off, flight, landing. Returns the lift.
double Jump(Pose& p, double s, double dipEnd, double takeOff, double land, double height) {
    const double dip =
        Plateau(s, 0.0, dipEnd, dipEnd, takeOff) + 0.7 * Plateau(s, land, land + 0.04, land + 0.06, 1.0);
    const double t = Clamp01((s - takeOff) / (land - takeOff));
    const double flight = s > takeOff && s < land ? std::sin(kPi * t) : 0.0;
    p.Add("RightThigh", 0.7 * dip + 0.15 * flight);
    p.Add("LeftThigh", 0.7 * dip + 0.15 * flight);
    p.Add("RightShin", -1.2 * dip - 0.2 * flight);
    p.Add("LeftShin", -1.2 * dip - 0.2 * flight);
    p.Add("Spine", -0.25 * dip);
    p.lift = -0.22 * dip + height * flight;
    return p.lift;
}

Pose Sample(int style, double s) {
    Pose p;
    const double loop = std::sin(2 * kPi * s);
    switch (style) {
    case kIdle:
        Stand(p, s);
        p.Add("Neck", 0.05 * std::sin(4 * kPi * s));
        break;
    case kIdleBall: // ball held at the waist, knees ready
        Stand(p, s);
        p.Add("RightThigh", 0.15);
        p.Add("LeftThigh", 0.15);
        p.Add("RightShin", -0.25);
        p.Add("LeftShin", -0.25);
        p.Add("Spine", -0.12);
        p.lift -= 0.04 + 0.01 * loop;
        p.Add("RightUpperArm", -0.05, 0.12);
        p.Add("LeftUpperArm", -0.05, -0.12);
        HoldBall(p, 0.0);
        p.Hand(Vec3(-0.5f, -0.5f, -0.7f));
        break;
    case kWalk:
        Stride(p, s, 0.45, 0.6, 0.025);
        ArmSwing(p, s, 0.35, true, true, 0.3);
        break;
    case kRun:
        Stride(p, s, 0.85, 1.4, 0.06);
        ArmSwing(p, s, 0.75, true, true, 1.3);
        p.Add("Spine", -0.25);
        p.Add("Neck", 0.15);
        break;
    case kWalkDribble:
        Stride(p, s, 0.4, 0.55, 0.02);
        ArmSwing(p, s, 0.25, false, true, 0.5);
        p.Add("Spine", -0.15);
        p.Add("Neck", 0.1);
        DribbleArm(p, s, 2, 0.35);
        break;
    case kWalkDribbleLow: // a lower, guarded dribble: the left arm shields the ball
        Stride(p, s, 0.35, 0.5, 0.015);
        p.Add("Spine", -0.3);
        p.Add("Neck", 0.2);
        p.Add("LeftUpperArm", 0.9, 0.5);
        p.Add("LeftForeArm", 0.6);
        DribbleArm(p, s, 2, 0.25);
        p.lift -= 0.06;
        break;
    case kRunDribble:
        Stride(p, s, 0.75, 1.2, 0.05);
        ArmSwing(p, s, 0.6, false, true, 1.2);
        p.Add("Spine", -0.3);
        p.Add("Neck", 0.2);
        DribbleArm(p, s, 1, 0.6);
        break;
    case kDefence: // low stance, arms wide, a small side shuffle
        p.lift = -0.2 + 0.02 * std::fabs(loop);
        p.Add("RightThigh", 0.75, -0.15 - 0.08 * loop);
        p.Add("LeftThigh", 0.75, 0.15 - 0.08 * loop);
        p.Add("RightShin", -1.2);
        p.Add("LeftShin", -1.2);
        p.Add("Spine", -0.45);
        p.Add("Neck", 0.35);
        p.Add("RightUpperArm", 0.4, -1.0 - 0.15 * loop);
        p.Add("LeftUpperArm", 0.4, 1.0 - 0.15 * loop);
        p.Add("RightForeArm", 0.5);
        p.Add("LeftForeArm", 0.5);
        break;
    case kDefenceBack: // the stance sliding backward
        p = Sample(kDefence, s);
        p.Add("RightThigh", -0.25 * loop);
        p.Add("LeftThigh", 0.25 * loop);
        p.lift += 0.02 * std::fabs(loop);
        break;
    case kChat: // clap, then a fist pump and a point: the bench-side word and the celebration
    {
        Stand(p, s);
        const double clap = Plateau(s, 0.0, 0.12, 0.35, 0.45) * (0.7 + 0.3 * std::sin(2 * kPi * s * 6));
        p.Add("RightUpperArm", 1.1 * clap, 0.45 * clap);
        p.Add("LeftUpperArm", 1.1 * clap, -0.45 * clap);
        p.Add("RightForeArm", 0.6 * clap);
        p.Add("LeftForeArm", 0.6 * clap);
        const double pump = Plateau(s, 0.45, 0.55, 0.75, 0.9);
        p.Add("RightUpperArm", 2.7 * pump, -0.45 * pump);
        p.Add("RightForeArm", (0.35 + 0.35 * std::sin(2 * kPi * s * 4)) * pump);
        p.Add("Spine", 0.15 * pump);
        p.Add("Neck", -0.25 * pump);
        p.lift += 0.05 * pump;
        break;
    }
    case kWipeFace: {
        Stand(p, s);
        const double up = Plateau(s, 0.1, 0.35, 0.7, 0.9);
        p.Add("RightUpperArm", 1.5 * up, 0.6 * up);
        p.Add("RightForeArm", 2.1 * up);
        p.Add("RightHand", 0.3 * up * std::sin(2 * kPi * s * 3));
        p.Add("Neck", 0.25 * up);
        break;
    }
    case kJumpShot: { // dip, jump, set the ball over the head, release at the top, follow through
        Jump(p, s, 0.2, 0.32, 0.85, 0.4);
        const double raise = Ease(s, 0.12, 0.5);
        const double follow = Ease(s, 0.6, 0.75) * (1.0 - Ease(s, 0.85, 1.0));
        p.Add("RightUpperArm", 2.7 * raise - 0.25 * follow, 0.25 - 0.2 * raise);
        p.Add("RightForeArm", 1.3 * raise * (1.0 - Ease(s, 0.5, 0.62)) + 0.2);
        p.Add("RightHand", -0.5 * raise * (1.0 - Ease(s, 0.55, 0.65)) + 0.8 * follow);
        p.Add("LeftUpperArm", 2.4 * raise * (1.0 - follow * 0.3), -0.35 * raise);
        p.Add("LeftForeArm", 1.0 * raise);
        // Cocked wrist under the ball until the top, then the fingers point up and back.
        p.Hand(Mix(Vec3(0.4f, -0.3f, -0.8f), Vec3(-0.1f, 0.8f, 0.5f), Ease(s, 0.35, 0.52)));
        break;
    }
    case kFadeAway: { // the same jump leaning away from the defender
        Jump(p, s, 0.2, 0.3, 0.82, 0.35);
        const double raise = Ease(s, 0.1, 0.48);
        p.Add("Spine", 0.35 * Ease(s, 0.3, 0.5) * (1.0 - Ease(s, 0.8, 1.0)));
        p.Add("RightUpperArm", 2.6 * raise, 0.2 - 0.15 * raise);
        p.Add("RightForeArm", 1.2 * raise * (1.0 - Ease(s, 0.5, 0.6)) + 0.15);
        p.Add("LeftUpperArm", 2.3 * raise, -0.3 * raise);
        p.Add("LeftForeArm", 0.9 * raise);
        p.Add("RightThigh", 0.3 * Ease(s, 0.35, 0.55) * (1.0 - Ease(s, 0.8, 0.95)));
        p.Hand(Mix(kRightSide, Vec3(0.35f, 0.8f, -0.3f), Ease(s, 0.5, 0.58)));
        break;
    }
    case kLayup: { // step, take off from the left foot, lay the ball up with the right hand
        const double step = Ease(s, 0.0, 0.3);
        const double t = Clamp01((s - 0.3) / 0.5);
        const double flight = s > 0.3 && s < 0.8 ? std::sin(kPi * t) : 0.0;
        p.lift = -0.08 * Plateau(s, 0.1, 0.25, 0.25, 0.32) + 0.45 * flight;
        p.Add("RightThigh", 1.3 * flight + 0.3 * step * (1.0 - flight));
        p.Add("RightShin", -1.4 * flight);
        p.Add("LeftThigh", -0.2 * flight + 0.1);
        p.Add("LeftShin", -0.3 * flight);
        const double raise = Ease(s, 0.2, 0.55);
        p.Add("RightUpperArm", 2.8 * raise * (1.0 - 0.6 * Ease(s, 0.8, 1.0)), -0.1);
        p.Add("RightForeArm", 0.4 * (1.0 - raise) + 0.1);
        p.Add("LeftUpperArm", 1.0 * raise * (1.0 - Ease(s, 0.8, 1.0)), 0.4 * raise);
        p.Add("LeftForeArm", 0.8);
        // Down the hand's side, round the far side, up: past 310 on the way up.
        const double turn = Ease(s, 0.3, 0.62);
        p.Hand(HandDirection(180.0 + 160.0 * turn, 200.0 + 80.0 * turn));
        break;
    }
    case kDunk: { // drive step, big jump, ball high in the right hand, a hang at the top, slam
        const double t = Clamp01((s - 0.3) / 0.55);
        const double rise = Ease(t, 0.0, 0.4), fall = Ease(t, 0.72, 1.0);
        const double flight = s > 0.3 && s < 0.85 ? rise * (1.0 - fall) : 0.0;
        const double dip = Plateau(s, 0.1, 0.25, 0.25, 0.32) + 0.7 * Plateau(s, 0.85, 0.9, 0.9, 1.0);
        p.lift = -0.22 * dip + 0.55 * flight;
        p.Add("RightThigh", 0.7 * dip + 0.9 * flight);
        p.Add("RightShin", -1.2 * dip - 1.3 * flight);
        p.Add("LeftThigh", 0.7 * dip - 0.1 * flight);
        p.Add("LeftShin", -1.2 * dip - 0.4 * flight);
        p.Add("Spine", -0.3 * dip);
        const double raise = Ease(s, 0.15, 0.5);
        const double slam = Ease(s, 0.72, 0.82);
        p.Add("RightUpperArm", 3.0 * raise - 1.0 * slam, -0.05);
        p.Add("RightForeArm", 0.6 * (1.0 - raise) + 0.7 * slam);
        p.Add("LeftUpperArm", 1.4 * raise * (1.0 - slam), 0.6 * raise);
        p.Add("LeftForeArm", 0.5);
        // The hand turns to the slam grip while the ball goes up and keeps it through the hang.
        p.Hand(Mix(kDown, HandDirection(70.0, 52.5), Ease(s, 0.2, 0.5)));
        break;
    }
    case kChestPass: { // ball to the chest, a step, both arms push out
        const double gather = Ease(s, 0.0, 0.3);
        const double push = Ease(s, 0.35, 0.55);
        const double back = Ease(s, 0.75, 1.0);
        p.Add("RightThigh", 0.45 * push * (1.0 - back) + 0.1);
        p.Add("LeftThigh", -0.2 * push * (1.0 - back) + 0.1);
        p.Add("LeftShin", -0.3 * push * (1.0 - back));
        p.Add("Spine", -0.15 * push * (1.0 - back));
        const double arm = (0.5 * gather + 0.9 * push) * (1.0 - back);
        p.Add("RightUpperArm", 0.2 + arm, 0.35 * (1.0 - push) * (1.0 - back));
        p.Add("LeftUpperArm", 0.2 + arm, -0.35 * (1.0 - push) * (1.0 - back));
        p.Add("RightForeArm", 0.3 + 1.5 * gather * (1.0 - push) * (1.0 - back) + 0.1 * push);
        p.Add("LeftForeArm", 0.3 + 1.5 * gather * (1.0 - push) * (1.0 - back) + 0.1 * push);
        // Thumbs down and out as the arms straighten: the fingers come up past 212.
        p.Hand(HandDirection(180.0 - 90.0 * gather - 65.0 * push, 90.0));
        break;
    }
    case kBouncePass: { // the chest pass aimed at the floor between the players
        const double gather = Ease(s, 0.0, 0.3);
        const double push = Ease(s, 0.35, 0.55);
        const double back = Ease(s, 0.75, 1.0);
        p.Add("RightThigh", 0.6 * push * (1.0 - back) + 0.2);
        p.Add("RightShin", -0.5 * push * (1.0 - back) - 0.2);
        p.Add("LeftThigh", -0.2 * push * (1.0 - back) + 0.2);
        p.Add("LeftShin", -0.5);
        p.lift = -0.08 - 0.05 * push * (1.0 - back);
        p.Add("Spine", -0.3 * push * (1.0 - back) - 0.1);
        const double arm = (0.4 * gather + 0.4 * push) * (1.0 - back);
        p.Add("RightUpperArm", 0.2 + arm, 0.3 * (1.0 - push));
        p.Add("LeftUpperArm", 0.2 + arm, -0.3 * (1.0 - push));
        p.Add("RightForeArm", 0.3 + 1.2 * gather * (1.0 - push) * (1.0 - back));
        p.Add("LeftForeArm", 0.3 + 1.2 * gather * (1.0 - push) * (1.0 - back));
        p.Hand(HandDirection(180.0 - 90.0 * gather - 60.0 * push, 90.0));
        break;
    }
    case kOverheadPass: { // both hands take the ball behind the head and throw it over the top
        const double up = Ease(s, 0.0, 0.4);
        const double throwing = Ease(s, 0.45, 0.62);
        const double back = Ease(s, 0.78, 1.0);
        p.Add("RightUpperArm", (2.9 * up - 1.1 * throwing) * (1.0 - back) + 0.05, 0.2 * up * (1.0 - back));
        p.Add("LeftUpperArm", (2.9 * up - 1.1 * throwing) * (1.0 - back) + 0.05, -0.2 * up * (1.0 - back));
        p.Add("RightForeArm", (1.4 * up * (1.0 - throwing) + 0.1) * (1.0 - back) + 0.2);
        p.Add("LeftForeArm", (1.4 * up * (1.0 - throwing) + 0.1) * (1.0 - back) + 0.2);
        p.Add("Spine", (0.15 * up - 0.35 * throwing) * (1.0 - back));
        p.Add("RightThigh", 0.4 * throwing * (1.0 - back) + 0.1);
        p.Add("LeftThigh", -0.15 * throwing * (1.0 - back) + 0.1);
        // Fingers forward, then turned out and back behind the head: down through 35 at the top.
        p.Hand(HandDirection(90.0, 150.0 - 130.0 * Ease(s, 0.1, 0.45)));
        break;
    }
    case kBaseballPass: { // the right hand cocks the ball up beside the head and whips it over
        const double cock = Ease(s, 0.05, 0.42);
        const double whip = Ease(s, 0.45, 0.62);
        const double back = Ease(s, 0.8, 1.0);
        p.Add("RightUpperArm", (2.8 * cock - 1.3 * whip) * (1.0 - back) + 0.05, -0.35 * cock * (1.0 - back));
        p.Add("RightForeArm", (1.6 * cock * (1.0 - whip) + 0.2) * (1.0 - back) + 0.2);
        p.Add("LeftUpperArm", (1.2 * cock - 0.8 * whip) * (1.0 - back), 0.3 * cock);
        p.Add("LeftForeArm", 0.6);
        p.Add("Spine", (0.1 * cock - 0.35 * whip) * (1.0 - back));
        p.Add("RightThigh", -0.2 * cock * (1.0 - back) + 0.1);
        p.Add("LeftThigh", (0.4 * cock - 0.1 * whip) * (1.0 - back) + 0.1);
        p.Hand(Mix(kRightSide, Vec3(-0.1f, 0.9f, 0.4f), Ease(s, 0.1, 0.38)));
        break;
    }
    case kTipOff: { // crouch at the centre circle, leap, right arm straight up to tap the ball
        Jump(p, s, 0.25, 0.38, 0.9, 0.85);
        const double raise = Ease(s, 0.25, 0.5);
        p.Add("RightUpperArm", 3.1 * raise, -0.05);
        p.Add("RightForeArm", 0.3 * (1.0 - raise));
        p.Add("LeftUpperArm", 0.6 * raise, 0.5 * raise);
        p.Add("LeftForeArm", 0.4);
        p.Hand(Mix(kDown, HandDirection(330.0, 270.0), Ease(s, 0.3, 0.5)));
        break;
    }
    case kStealLeft: { // lunge and poke at the ball low with the left hand
        const double lunge = Plateau(s, 0.1, 0.4, 0.6, 0.9);
        p.lift = -0.45 * lunge - 0.02;
        p.Add("LeftThigh", 1.4 * lunge + 0.1);
        p.Add("LeftShin", -1.9 * lunge - 0.1);
        p.Add("RightThigh", 0.5 * lunge + 0.1, -0.25 * lunge);
        p.Add("RightShin", -1.4 * lunge - 0.1);
        p.Add("Spine", -0.7 * lunge);
        p.Add("Chest", -0.25 * lunge);
        p.Add("Neck", 0.6 * lunge);
        p.Add("LeftUpperArm", 1.35 * lunge + 0.05, -0.15 * lunge);
        p.Add("LeftForeArm", 0.1);
        p.Add("RightUpperArm", 0.5 * lunge, -0.6 * lunge);
        p.Add("RightForeArm", 0.4);
        break;
    }
    case kStealRight: { // a swipe of the right hand across the body at the ball
        const double reach = Plateau(s, 0.05, 0.3, 0.7, 0.95);
        const double swipe = Ease(s, 0.3, 0.6);
        p.lift = -0.15 * reach;
        p.Add("RightThigh", 0.6 * reach + 0.1);
        p.Add("LeftThigh", 0.4 * reach + 0.1);
        p.Add("RightShin", -0.8 * reach);
        p.Add("LeftShin", -0.6 * reach);
        p.Add("Spine", -0.4 * reach);
        p.Add("RightUpperArm", 1.3 * reach, (-0.9 + 1.5 * swipe) * reach);
        p.Add("RightForeArm", 0.3);
        p.Add("LeftUpperArm", 0.3 * reach, 0.6 * reach);
        // Palm sweeping across: the fingers end pointing up toward the far side.
        p.Hand(Mix(kRightSide, HandDirection(300.0, 270.0), swipe));
        break;
    }
    case kRefereeIdle: // hands behind the back, weight shifting
        Stand(p, s);
        p.Add("RightUpperArm", -0.35, 0.15);
        p.Add("LeftUpperArm", -0.35, -0.15);
        p.Add("RightForeArm", 0.9);
        p.Add("LeftForeArm", 0.9);
        p.Add("Pelvis", 0.0, 0.03 * loop);
        break;
    case kRefereeToss: { // a crouch, then the right arm throws the ball straight up
        Stand(p, s);
        const double dip = Plateau(s, 0.0, 0.3, 0.35, 0.5);
        const double toss = Plateau(s, 0.3, 0.5, 0.75, 1.0);
        p.lift -= 0.15 * dip;
        p.Add("RightThigh", 0.5 * dip);
        p.Add("LeftThigh", 0.5 * dip);
        p.Add("RightShin", -0.9 * dip);
        p.Add("LeftShin", -0.9 * dip);
        p.Add("RightUpperArm", 0.6 * dip + 2.9 * toss, 0.2 * dip);
        p.Add("RightForeArm", 1.0 * dip);
        p.Add("Neck", -0.4 * toss);
        break;
    }
    default:
        break;
    }
    return p;
}

// The rotation (row vectors) that turns unit vector a onto unit vector b.
void RotationBetween(Matrix4& out, const Vec3& a, const Vec3& b) {
    Vec3 axis = Vec3Cross(a, b);
    const float sine = axis.Length();
    const float cosine = Vec3Dot(a, b);
    if (sine < 1e-6f) {
        if (cosine > 0.0f) {
            out = Matrix4();
        } else {
            MatrixRotationX(out, static_cast<float>(kPi)); // a is -y here: turned straight up
        }
        return;
    }
    axis = axis * (1.0f / sine);
    const float c = cosine, s = sine, t = 1.0f - c;
    const float x = axis.x, y = axis.y, z = axis.z;
    // The column-vector rotation, transposed for row vectors.
    const float col[3][3] = {{t * x * x + c, t * x * y - s * z, t * x * z + s * y},
                             {t * x * y + s * z, t * y * y + c, t * y * z - s * x},
                             {t * x * z - s * y, t * y * z + s * x, t * z * z + c}};
    out = Matrix4();
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            out.m[r][k] = col[k][r];
}

Matrix4 JointRotation(double ax, double az) {
    Matrix4 rx, rz, m;
    MatrixRotationX(rx, static_cast<float>(ax));
    MatrixRotationZ(rz, static_cast<float>(az));
    MatrixMultiply(m, rx, rz);
    return m;
}

// The right ball tip's own rotation that points the hand vector where the pose asks, whatever the
// arm above it does.
Matrix4 HandTipRotation(const Pose& p) {
    Matrix4 parent;
    for (int b = BoneIndex("RightHand"); b >= 0; b = kBones[b].parent) {
        const auto it = p.angles.find(b);
        if (it == p.angles.end())
            continue;
        Matrix4 next;
        MatrixMultiply(next, parent, JointRotation(it->second.first, it->second.second));
        parent = next;
    }
    Matrix4 inverse;
    MatrixTranspose(inverse, parent);
    Vec3 local;
    Vec3TransformNormal(local, p.hand, inverse);
    local.Normalize();
    Matrix4 out;
    RotationBetween(out, Vec3(0, -1, 0), local);
    return out;
}

std::string QuatKey(const Matrix4& m) {
    Vec3 s, t;
    Quat q;
    DecomposeMatrix(m, s, q, t);
    return Fmt("%.6f,%.6f,%.6f,%.6f", q.w, q.x, q.y, q.z);
}

void AddBox(const Piece& piece, int material, std::vector<Vec3>& pos, std::vector<Vec3>& nrm,
            std::vector<std::pair<float, float>>& uv, std::vector<int>& faceMaterial,
            std::vector<int>& vertexBone) {
    const Vec3 c = RestPosition(piece.bone) + piece.center;
    const Vec3 h = piece.half;
    // For each face: normal n and axes u, v with cross(v, u) = n, so the corners run clockwise seen
    // from outside.
    const Vec3 axes[6][3] = {
        {{1, 0, 0}, {0, 0, 1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}}, {{0, -1, 0}, {0, 0, 1}, {1, 0, 0}},
        {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}}, {{0, 0, -1}, {1, 0, 0}, {0, 1, 0}},
    };
    auto scale = [&h](const Vec3& v) { return Vec3(v.x * h.x, v.y * h.y, v.z * h.z); };
    for (const auto& face : axes) {
        const Vec3 n = face[0], u = scale(face[1]), v = scale(face[2]);
        const Vec3 centre = c + scale(n);
        const Vec3 corners[4] = {centre - u - v, centre - u + v, centre + u + v, centre + u - v};
        const float uvs[4][2] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
        for (int k = 0; k < 4; ++k) {
            pos.push_back(corners[k]);
            nrm.push_back(n);
            uv.push_back({uvs[k][0], uvs[k][1]});
            vertexBone.push_back(piece.bone);
        }
        faceMaterial.push_back(material);
    }
}

} // namespace

std::string BuildCharacterX(const CharacterRecipe& recipe) {
    std::string x = "xof 0303txt 0032\n// Generated by assetgen: a placeholder character.\n\n";
    x += "AnimTicksPerSecond {\n 4800;\n}\n\n";
    // Frames, nested by parent; the mesh sits in the root frame.
    std::function<void(int, int)> frame = [&](int bone, int depth) {
        const std::string pad(depth * 2, ' ');
        Matrix4 t;
        MatrixTranslation(t, kBones[bone].offset.x, kBones[bone].offset.y, kBones[bone].offset.z);
        x += pad + "Frame " + kBones[bone].name + " {\n";
        x += pad + "  FrameTransformMatrix { " + MatrixText(t) + " }\n";
        for (int child = 0; child < kBoneCount; ++child)
            if (kBones[child].parent == bone)
                frame(child, depth + 1);
        if (bone == 0) {
            std::vector<Vec3> pos, nrm;
            std::vector<std::pair<float, float>> uv;
            std::vector<int> faceMaterial, vertexBone;
            for (const Piece& piece : kPieces) {
                const int material = piece.part == kHead   ? recipe.headMaterial
                                     : piece.part == kBody ? recipe.bodyMaterial
                                     : piece.part == kKit  ? recipe.kitMaterial
                                                           : recipe.shoeMaterial;
                AddBox(piece, material, pos, nrm, uv, faceMaterial, vertexBone);
            }
            x += pad + "  Mesh Body {\n";
            x += pad + Fmt("    %zu;\n", pos.size());
            for (size_t i = 0; i < pos.size(); ++i)
                x += pad + Fmt("    %.5f;%.5f;%.5f;%s\n", pos[i].x, pos[i].y, pos[i].z,
                               i + 1 < pos.size() ? "," : ";");
            x += pad + Fmt("    %zu;\n", faceMaterial.size());
            for (size_t f = 0; f < faceMaterial.size(); ++f)
                x += pad + Fmt("    4;%zu,%zu,%zu,%zu;%s\n", f * 4, f * 4 + 1, f * 4 + 2, f * 4 + 3,
                               f + 1 < faceMaterial.size() ? "," : ";");
            x += pad + Fmt("    MeshNormals {\n      %zu;\n", nrm.size());
            for (size_t i = 0; i < nrm.size(); ++i)
                x += pad + Fmt("      %.1f;%.1f;%.1f;%s\n", nrm[i].x, nrm[i].y, nrm[i].z,
                               i + 1 < nrm.size() ? "," : ";");
            x += pad + Fmt("      %zu;\n", faceMaterial.size());
            for (size_t f = 0; f < faceMaterial.size(); ++f)
                x += pad + Fmt("      4;%zu,%zu,%zu,%zu;%s\n", f * 4, f * 4 + 1, f * 4 + 2, f * 4 + 3,
                               f + 1 < faceMaterial.size() ? "," : ";");
            x += pad + "    }\n";
            x += pad + Fmt("    MeshTextureCoords {\n      %zu;\n", uv.size());
            for (size_t i = 0; i < uv.size(); ++i)
                x += pad +
                     Fmt("      %.1f;%.1f;%s\n", uv[i].first, uv[i].second, i + 1 < uv.size() ? "," : ";");
            x += pad + "    }\n";
            x += pad + Fmt("    MeshMaterialList {\n      %zu;\n      %zu;\n", recipe.materialTextures.size(),
                           faceMaterial.size());
            for (size_t f = 0; f < faceMaterial.size(); ++f)
                x += pad + Fmt("      %d%s\n", faceMaterial[f], f + 1 < faceMaterial.size() ? "," : ";");
            for (const std::string& texture : recipe.materialTextures)
                x += pad + "      Material {\n" + pad + "        1.0;1.0;1.0;1.0;;\n" + pad +
                     "        10.0;\n" + pad + "        0.2;0.2;0.2;;\n" + pad + "        0.0;0.0;0.0;;\n" +
                     pad + "        TextureFilename { \"" + texture + "\"; }\n" + pad + "      }\n";
            x += pad + "    }\n";
            x += pad + Fmt("    XSkinMeshHeader {\n      1;\n      3;\n      %d;\n    }\n", kBoneCount);
            for (int b = 0; b < kBoneCount; ++b) {
                std::vector<size_t> verts;
                for (size_t i = 0; i < vertexBone.size(); ++i)
                    if (vertexBone[i] == b)
                        verts.push_back(i);
                if (verts.empty())
                    continue;
                const Vec3 rest = RestPosition(b);
                Matrix4 offset;
                MatrixTranslation(offset, -rest.x, -rest.y, -rest.z);
                x +=
                    pad + Fmt("    SkinWeights {\n      \"%s\";\n      %zu;\n", kBones[b].name, verts.size());
                for (size_t k = 0; k < verts.size(); ++k)
                    x += pad + Fmt("      %zu%s\n", verts[k], k + 1 < verts.size() ? "," : ";");
                for (size_t k = 0; k < verts.size(); ++k)
                    x += pad + Fmt("      1.0%s\n", k + 1 < verts.size() ? "," : ";");
                x += pad + "      " + MatrixText(offset) + "\n" + pad + "    }\n";
            }
            x += pad + "  }\n";
        }
        x += pad + "}\n";
    };
    frame(0, 0);

    // Every clip keys every joint, so no clip inherits a joint another clip left bent.
    constexpr int kKeys = 32;
    const int handTip = BoneIndex("RightHandBallTip");
    for (const ClipRecipe& clip : recipe.clips) {
        x += "\nAnimationSet " + clip.name + " {\n";
        std::vector<Pose> poses;
        for (int k = 0; k <= kKeys; ++k)
            poses.push_back(Sample(clip.style, static_cast<double>(k) / kKeys));
        auto tick = [&clip](int k) {
            return static_cast<int>(std::lround(clip.period * kTicks * k / kKeys));
        };
        for (int bone = 1; bone < kBoneCount; ++bone) {
            x += Fmt("  Animation {\n    { %s }\n    AnimationKey {\n      0;\n      %d;\n",
                     kBones[bone].name, kKeys + 1);
            for (int k = 0; k <= kKeys; ++k) {
                const Pose& p = poses[k];
                std::string key;
                if (bone == handTip && p.aimHand) {
                    key = QuatKey(HandTipRotation(p));
                } else {
                    const auto it = p.angles.find(bone);
                    key = it == p.angles.end() ? QuatKey(Matrix4())
                                               : QuatKey(JointRotation(it->second.first, it->second.second));
                }
                x += Fmt("      %d;4;%s;;%s\n", tick(k), key.c_str(), k < kKeys ? "," : ";");
            }
            x += "    }\n";
            // The pelvis carries the body's lift in the same animation: a second animation of the
            // frame would be blended with this one as if it were another clip.
            if (bone == 1) {
                x += Fmt("    AnimationKey {\n      2;\n      %d;\n", kKeys + 1);
                for (int k = 0; k <= kKeys; ++k)
                    x += Fmt("      %d;3;0.000000,%.6f,0.000000;;%s\n", tick(k),
                             kBones[1].offset.y + poses[k].lift, k < kKeys ? "," : ";");
                x += "    }\n";
            }
            x += "  }\n";
        }
        x += "}\n";
    }
    return x;
}

CharacterRecipe PlayerRecipe() {
    CharacterRecipe recipe;
    recipe.materialTextures = {"textures\\head_black_01.dds", "textures\\body_black_01.dds",
                               "textures\\mez_01.dds", "textures\\shoe_01.dds"};
    recipe.clips = {
        {"idle_01_NOball", 2.0, kIdle},
        {"idle_01_ball", 2.0, kIdleBall},
        {"run", 0.7, kRun},
        {"cselezes_02", 1.6, kDunk},
        {"walk_noball", 1.1, kWalk},
        {"walk_pattogtat", 1.1, kWalkDribble},
        {"walk_pattogtat_01", 1.2, kWalkDribbleLow},
        {"vedekezes_01", 1.5, kDefence},
        {"vedekezes_02_hatralo", 1.0, kDefenceBack},
        {"extra_04_duma", 2.4, kChat},
        {"dobas_04", 1.2, kLayup},
        {"dobas_02", 1.3, kFadeAway},
        {"dobas_01", 1.3, kJumpShot},
        {"run_pattogtatas_jobbkez", 0.7, kRunDribble},
        {"passz_01_eloretolo", 1.0, kChestPass},
        {"passz_02_eloretolo_foldre", 1.0, kBouncePass},
        {"passz_03_elore_fejfolott", 1.1, kOverheadPass},
        {"passz_04_elore_fejfolott_jobbkez", 1.2, kBaseballPass},
        {"meccsindito", 1.4, kTipOff},
        {"labdaszerzes_01_balkez", 1.0, kStealLeft},
        {"labdaszerzes_01_jobbkez", 1.0, kStealRight},
        {"extra_01_arctorlo", 2.2, kWipeFace},
    };
    return recipe;
}

CharacterRecipe RefereeRecipe() {
    CharacterRecipe recipe;
    recipe.materialTextures = {"textures\\KV_ref_skinface.dds", "textures\\KV_ref_cloth.dds",
                               "textures\\shoe_black_01.dds"};
    recipe.headMaterial = 0;
    recipe.bodyMaterial = 1;
    recipe.kitMaterial = 1;
    recipe.shoeMaterial = 2;
    recipe.clips = {
        {"idle", 2.0, kRefereeIdle}, {"walk", 1.1, kWalk}, {"run", 0.6, kRun}, {"feldob", 1.5, kRefereeToss}};
    return recipe;
}
