// The placeholder humanoid: 22 frames (with the four hand-ball frames), one box per limb skinned to
// its bone, and clips made of sinusoidal joint swings. Metres, y up, feet at y = 0, facing -z in
// model space (the court's world matrix turns heading 0 toward +z).
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

// Joint angles (radians about x, then z) and the pelvis lift of one pose.
struct Pose {
    std::map<int, std::pair<double, double>> angles;
    double lift = 0.0;
    void Add(const char* bone, double x, double z = 0.0) {
        auto& a = angles[BoneIndex(bone)];
        a.first += x;
        a.second += z;
    }
};

// s: 0..1 through the clip. Looping clips use whole sine cycles so the last key meets the first.
void Legs(Pose& p, double s, double swing, double bend) {
    const double w = std::sin(2 * kPi * s);
    p.Add("RightThigh", swing * w);
    p.Add("LeftThigh", -swing * w);
    p.Add("RightShin", -bend * std::max(0.0, -w));
    p.Add("LeftShin", -bend * std::max(0.0, w));
}

void Arms(Pose& p, double s, double swing) {
    const double w = std::sin(2 * kPi * s);
    p.Add("RightUpperArm", -swing * w);
    p.Add("LeftUpperArm", swing * w);
    p.Add("RightForeArm", 0.4);
    p.Add("LeftForeArm", 0.4);
}

void Dribble(Pose& p, double s, double beats) {
    const double w = std::sin(2 * kPi * s * beats);
    p.Add("RightUpperArm", 0.5 + 0.25 * w);
    p.Add("RightForeArm", 0.6 + 0.5 * w);
}

Pose Sample(int style, double s) {
    Pose p;
    const double hump = std::sin(kPi * s); // 0 at both ends, 1 in the middle
    switch (style) {
    case 0: // idle
        p.Add("Chest", 0.03 * std::sin(2 * kPi * s), 0.02 * std::sin(2 * kPi * s));
        p.Add("RightUpperArm", 0.05 * std::sin(2 * kPi * s), -0.1);
        p.Add("LeftUpperArm", 0.05 * std::sin(2 * kPi * s), 0.1);
        break;
    case 1: // walk
        Legs(p, s, 0.45, 0.6);
        Arms(p, s, 0.35);
        p.lift = 0.02 * std::sin(4 * kPi * s);
        break;
    case 2: // run
        Legs(p, s, 0.8, 1.2);
        Arms(p, s, 0.7);
        p.Add("RightForeArm", 0.6);
        p.Add("LeftForeArm", 0.6);
        p.Add("Spine", 0.15);
        p.lift = 0.05 * std::sin(4 * kPi * s);
        break;
    case 3: // walking dribble
        Legs(p, s, 0.45, 0.6);
        p.Add("LeftUpperArm", 0.3 * std::sin(2 * kPi * s));
        Dribble(p, s, 2);
        break;
    case 4: // running dribble
        Legs(p, s, 0.8, 1.2);
        p.Add("LeftUpperArm", 0.6 * std::sin(2 * kPi * s), 0.2);
        p.Add("Spine", 0.2);
        Dribble(p, s, 2);
        break;
    case 5: // shot: jump with both arms raised over the head
        p.lift = 0.35 * hump;
        p.Add("RightUpperArm", 2.8 * hump);
        p.Add("LeftUpperArm", 2.6 * hump);
        p.Add("RightForeArm", 0.8 * hump * hump);
        p.Add("RightThigh", 0.5 * (1 - hump));
        p.Add("RightShin", -0.8 * (1 - hump));
        p.Add("LeftThigh", 0.5 * (1 - hump));
        p.Add("LeftShin", -0.8 * (1 - hump));
        break;
    case 6: // pass: both arms pushed forward
        p.Add("RightUpperArm", 1.5 * hump);
        p.Add("LeftUpperArm", 1.5 * hump);
        p.Add("RightForeArm", 0.9 * (1 - hump));
        p.Add("LeftForeArm", 0.9 * (1 - hump));
        p.Add("Spine", 0.2 * hump);
        break;
    case 7: // defence stance
        p.lift = -0.18;
        p.Add("RightThigh", 0.7);
        p.Add("LeftThigh", 0.7);
        p.Add("RightShin", -1.1);
        p.Add("LeftShin", -1.1);
        p.Add("Spine", 0.35);
        p.Add("RightUpperArm", 0.3, -0.9 - 0.1 * std::sin(2 * kPi * s));
        p.Add("LeftUpperArm", 0.3, 0.9 + 0.1 * std::sin(2 * kPi * s));
        break;
    case 8: // tip-off jump, right arm up
        p.lift = 0.5 * hump;
        p.Add("RightUpperArm", 3.0 * hump);
        p.Add("LeftUpperArm", 0.4 * hump, 0.3);
        break;
    case 9:  // steal with the left hand
    case 10: // steal with the right hand
        p.Add(style == 9 ? "LeftUpperArm" : "RightUpperArm", 1.2 * hump, (style == 9 ? 0.8 : -0.8) * hump);
        p.Add("Spine", 0.4 * hump);
        break;
    case 11: // gesture: a hand to the face
        p.Add("RightUpperArm", 2.0 * hump);
        p.Add("RightForeArm", 1.8 * hump);
        p.Add("Neck", 0.2 * hump);
        break;
    case 12: // the referee's toss
        p.Add("RightUpperArm", 2.6 * hump);
        p.Add("LeftUpperArm", 2.6 * hump);
        p.lift = 0.1 * hump;
        break;
    case 13: // stand holding the ball
        p.Add("RightUpperArm", 0.6 + 0.03 * std::sin(2 * kPi * s));
        p.Add("LeftUpperArm", 0.6 + 0.03 * std::sin(2 * kPi * s));
        p.Add("RightForeArm", 0.9);
        p.Add("LeftForeArm", 0.9);
        break;
    case 14: // defence stance shuffling back
        p = Sample(7, s);
        Legs(p, s, 0.25, 0.3);
        break;
    default:
        break;
    }
    return p;
}

std::string RotationKey(double ax, double az) {
    Matrix4 rx, rz, m;
    MatrixRotationX(rx, static_cast<float>(ax));
    MatrixRotationZ(rz, static_cast<float>(az));
    MatrixMultiply(m, rx, rz);
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

    constexpr int kKeys = 16;
    for (const ClipRecipe& clip : recipe.clips) {
        x += "\nAnimationSet " + clip.name + " {\n";
        std::map<int, std::vector<std::pair<double, double>>> angles;
        std::vector<double> lifts;
        for (int k = 0; k <= kKeys; ++k) {
            const Pose p = Sample(clip.style, static_cast<double>(k) / kKeys);
            for (const auto& [bone, a] : p.angles)
                angles[bone].resize(kKeys + 1);
            lifts.push_back(p.lift);
        }
        for (int k = 0; k <= kKeys; ++k) {
            const Pose p = Sample(clip.style, static_cast<double>(k) / kKeys);
            for (const auto& [bone, a] : p.angles)
                angles[bone][k] = a;
        }
        auto tick = [&clip](int k) {
            return static_cast<int>(std::lround(clip.period * kTicks * k / kKeys));
        };
        for (const auto& [bone, keys] : angles) {
            x += Fmt("  Animation {\n    { %s }\n    AnimationKey {\n      0;\n      %d;\n",
                     kBones[bone].name, kKeys + 1);
            for (int k = 0; k <= kKeys; ++k)
                x += Fmt("      %d;4;%s;;%s\n", tick(k), RotationKey(keys[k].first, keys[k].second).c_str(),
                         k < kKeys ? "," : ";");
            x += "    }\n  }\n";
        }
        x += Fmt("  Animation {\n    { Pelvis }\n    AnimationKey {\n      2;\n      %d;\n", kKeys + 1);
        for (int k = 0; k <= kKeys; ++k)
            x += Fmt("      %d;3;0.000000,%.6f,0.000000;;%s\n", tick(k), kBones[1].offset.y + lifts[k],
                     k < kKeys ? "," : ";");
        x += "    }\n  }\n}\n";
    }
    return x;
}

CharacterRecipe PlayerRecipe() {
    CharacterRecipe recipe;
    recipe.materialTextures = {"textures\\head_black_01.dds", "textures\\body_black_01.dds",
                               "textures\\mez_01.dds", "textures\\shoe_01.dds"};
    recipe.clips = {
        {"idle_01_NOball", 2.0, 0},
        {"idle_01_ball", 2.0, 13},
        {"run", 0.7, 2},
        {"cselezes_02", 1.2, 4},
        {"walk_noball", 1.1, 1},
        {"walk_pattogtat", 1.1, 3},
        {"walk_pattogtat_01", 1.2, 3},
        {"vedekezes_01", 1.5, 7},
        {"vedekezes_02_hatralo", 1.0, 14},
        {"extra_04_duma", 2.0, 11},
        {"dobas_04", 1.0, 5},
        {"dobas_02", 1.3, 5},
        {"dobas_01", 1.2, 5},
        {"run_pattogtatas_jobbkez", 0.7, 4},
        {"passz_01_eloretolo", 1.0, 6},
        {"passz_02_eloretolo_foldre", 1.0, 6},
        {"passz_03_elore_fejfolott", 1.1, 6},
        {"passz_04_elore_fejfolott_jobbkez", 1.2, 6},
        {"meccsindito", 1.4, 8},
        {"labdaszerzes_01_balkez", 1.0, 9},
        {"labdaszerzes_01_jobbkez", 1.0, 10},
        {"extra_01_arctorlo", 2.2, 11},
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
    recipe.clips = {{"idle", 2.0, 0}, {"walk", 1.1, 1}, {"run", 0.6, 2}, {"feldob", 1.5, 12}};
    return recipe;
}
