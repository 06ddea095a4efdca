// Character models: the ".x" reader, posing instances, hand frames against poses worked out by hand,
// skinning palettes, and refusal of broken files.
#include "engine/Log.h"
#include "engine/MessageBox.h"
#include "engine/SkinnedMesh.h"
#include "engine/XFile.h"

#include "TempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

const float kC = std::cos(0.7853982f / 2); // half of a quarter turn: 45 degrees as a quaternion
const float kS = std::sin(0.7853982f / 2);

std::string Translation(float x, float y, float z) {
    char buf[200];
    std::snprintf(buf, sizeof buf, "1,0,0,0, 0,1,0,0, 0,0,1,0, %g,%g,%g,1;;", x, y, z);
    return buf;
}

// Body > Arm (at x 1) > RightHandBallTip (0,1,0 up the arm) > RightHandBall (0.5 along x); the arm
// turns a quarter about z over one second in "wave". A quad is bound to the arm at its top corners.
std::string ArmModel(bool withAnimation) {
    std::string x =
        "xof 0303txt 0032\n"
        "template Frame { <3d82ab46-62da-11cf-ab39-0020af71e433> [...] }\n"
        "// a comment\n"
        "AnimTicksPerSecond { 4800; }\n"
        "Frame Body {\n"
        "  FrameTransformMatrix { " +
        Translation(0, 0, 0) +
        " }\n"
        "  Frame Arm {\n"
        "    FrameTransformMatrix { " +
        Translation(1, 0, 0) +
        " }\n"
        "    Frame RightHandBallTip {\n"
        "      FrameTransformMatrix { " +
        Translation(0, 1, 0) +
        " }\n"
        "      Frame RightHandBall { FrameTransformMatrix { " +
        Translation(0.5f, 0, 0) +
        " } }\n"
        "    }\n"
        "  }\n"
        "  Mesh Quad {\n"
        "    4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;\n"
        "    1; 4;0,3,2,1;;\n"
        "    MeshTextureCoords { 4; 0;1;, 1;1;, 1;0;, 0;0;; }\n"
        "    MeshMaterialList { 1; 1; 0;;\n"
        "      Material Skin { 1;0.5;0.25;1;; 8; 0;0;0;; 0;0;0;; TextureFilename { \"skin.png\"; } }\n"
        "    }\n"
        "    SkinWeights { \"Arm\"; 2; 1, 2; 1.0, 1.0; " +
        Translation(-1, 0, 0) +
        " }\n"
        "  }\n"
        "}\n";
    if (withAnimation) {
        char key[300];
        std::snprintf(
            key, sizeof key,
            "AnimationSet wave {\n"
            "  Animation { { Arm } AnimationKey { 0; 2; 0; 4; 1,0,0,0;;, 4800; 4; %.7f,0,0,%.7f;;; } }\n"
            "}\n"
            "AnimationSet still { Animation { {Arm} AnimationKey { 2; 1; 0; 3; 1,0,0;;; } } }\n",
            std::cos(0.7853982), std::sin(0.7853982));
        x += key;
    }
    return x;
}

void ExpectNear(const Vec3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-4f);
    EXPECT_NEAR(v.y, y, 1e-4f);
    EXPECT_NEAR(v.z, z, 1e-4f);
}

Vec3 Origin(const Matrix4& m) {
    Vec3 p;
    Vec3TransformCoord(p, Vec3(), m);
    return p;
}

class SkinnedMeshTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        SetMessageBoxHook([this](const char* caption, const char*) { m_boxes.push_back(caption); });
    }
    void TearDown() override {
        SetMessageBoxHook({});
        TempDirTest::TearDown();
    }
    std::vector<std::string> m_boxes;
};

} // namespace

TEST(XFileReader, ReadsFramesMeshMaterialsSkinAndAnimation) {
    XFileData data;
    CStr error;
    ASSERT_TRUE(ParseXFile(ArmModel(true), data, error)) << error.GetText();
    ASSERT_EQ(data.frames.size(), 5u); // the unnamed root plus four
    const int arm = data.FindFrame("Arm");
    ASSERT_GT(arm, 0);
    EXPECT_EQ(data.frames[arm].parent, data.FindFrame("Body"));
    EXPECT_FLOAT_EQ(data.frames[arm].transform.m[3][0], 1.0f);
    ASSERT_EQ(data.meshes.size(), 1u);
    const XMesh& quad = data.meshes[0];
    EXPECT_EQ(quad.indices.size(), 6u); // the quad fanned into two triangles
    EXPECT_FLOAT_EQ(quad.uvs[1], 1.0f);
    ASSERT_EQ(quad.materials.size(), 1u);
    EXPECT_STREQ(quad.materials[0].textureFile.GetText(), "skin.png");
    EXPECT_FLOAT_EQ(quad.materials[0].diffuse[1], 0.5f);
    ASSERT_EQ(quad.skins.size(), 1u);
    EXPECT_STREQ(quad.skins[0].boneName.GetText(), "Arm");
    // Normals computed from the clockwise winding face the viewer at -z.
    ExpectNear(quad.normals[0], 0, 0, -1);
    ASSERT_EQ(data.animationSets.size(), 2u);
    EXPECT_STREQ(data.animationSets[0]->GetName(), "wave");
    EXPECT_DOUBLE_EQ(data.animationSets[0]->GetPeriod(), 1.0); // 4800 ticks at 4800 a second
}

TEST(XFileReader, BrokenFilesAreRefusedWithAReason) {
    const std::string good = ArmModel(true);
    const std::pair<std::string, std::string> cases[] = {
        {"truncated", good.substr(0, good.size() / 2)},
        {"binary", "xof 0303bin 0032 whatever"},
        {"not x", "hello world, not a model"},
        {"huge count", "xof 0303txt 0032\nMesh M { 99999999; 0;0;0;; }"},
        {"count beyond 32 bits", "xof 0303txt 0032\nMesh M { 1e30; 0;0;0;; }"},
        {"negative count", "xof 0303txt 0032\nMesh M { -3; 0;0;0;; }"},
        {"face out of range", "xof 0303txt 0032\nMesh M { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,7;; }"},
        {"two-corner face", "xof 0303txt 0032\nMesh M { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }"},
        {"missing material", "xof 0303txt 0032\nMesh M { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; "
                             "MeshMaterialList { 1; 1; 0;; {Nope} } }"},
        {"missing bone", "xof 0303txt 0032\nMesh M { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; SkinWeights { "
                         "\"Ghost\"; 1; 0; 1; " +
                             Translation(0, 0, 0) + " } }"},
        {"short key", "xof 0303txt 0032\nFrame A {} AnimationSet s { Animation { {A} AnimationKey { 2; 1; 0; "
                      "2; 1,0;;; } } }"},
        {"letters for numbers",
         "xof 0303txt 0032\nFrame A { FrameTransformMatrix { 1,0,0,x, 0,1,0,0, 0,0,1,0, 0,0,0,1;; } }"},
        {"unterminated string",
         "xof 0303txt 0032\nMesh M { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; SkinWeights { \"Arm"},
    };
    for (const auto& [label, text] : cases) {
        XFileData data;
        CStr error;
        EXPECT_FALSE(ParseXFile(text, data, error)) << label;
        EXPECT_FALSE(error.IsEmpty()) << label;
        EXPECT_TRUE(data.frames.empty()) << label;
    }
}

TEST_F(SkinnedMeshTest, HandFramesFollowThePoseAndTheWorldMatrix) {
    Write("characters/arm.x", ArmModel(true));
    CSkinnedMesh mesh;
    CSkinHierarchyAllocator allocator;
    allocator.SetFolder("\\characters\\");
    ASSERT_EQ(mesh.Setup("\\characters\\arm.x", &allocator, 0), kMeshOk);
    EXPECT_EQ(allocator.GetOwner(), &mesh);
    EXPECT_TRUE(m_boxes.empty());
    int index = -1;
    ASSERT_EQ(mesh.CreateInstance(&index), kMeshOk);
    CAnimatedMesh* instance = mesh.GetInstance(index);
    ASSERT_NE(instance, nullptr);

    CAnimController* controller = instance->GetAnimController();
    ASSERT_EQ(controller->GetNumAnimationSets(), 2);
    controller->SetTrackAnimationSet(0, controller->GetAnimationSet(controller->FindAnimationSet("wave")));
    controller->Release();
    ASSERT_EQ(instance->AdvanceTime(0.5, nullptr), 0); // the arm at 45 degrees about z

    Matrix4 hand;
    instance->GetHandMatrix(hand, 0);
    ExpectNear(Origin(hand), 1 - std::sqrt(0.5f), std::sqrt(0.5f), 0);
    instance->GetHandMatrix(hand, 2);
    ExpectNear(Origin(hand), 1 - std::sqrt(0.5f) + 0.5f * std::sqrt(0.5f),
               std::sqrt(0.5f) + 0.5f * std::sqrt(0.5f), 0);
    Vec3 offset;
    instance->GetHandBallOffset(offset, 0);
    ExpectNear(offset, 0.5f * std::sqrt(0.5f), 0.5f * std::sqrt(0.5f), 0);
    // The model has no left hand: its frames answer with the model's own origin.
    instance->GetHandMatrix(hand, 1);
    EXPECT_EQ(hand, Matrix4());
    instance->GetHandMatrix(hand, 4);
    EXPECT_EQ(hand, Matrix4::Zero());
    instance->GetHandMatrix(hand, -1);
    EXPECT_EQ(hand, Matrix4::Zero());

    // World position of the ball tip: hand frame, then the world matrix (half a turn, then a move).
    Matrix4 turn, move, world;
    MatrixRotationY(turn, 3.14159265f);
    MatrixTranslation(move, 10, 0, 3);
    MatrixMultiply(world, turn, move);
    instance->SetWorldMatrix(world);
    instance->GetHandMatrix(hand, 0);
    Vec3 local, p;
    Vec3TransformCoord(local, Vec3(), hand);
    Vec3TransformCoord(p, local, instance->GetWorldMatrix());
    ExpectNear(p, 10 - (1 - std::sqrt(0.5f)), std::sqrt(0.5f), 3);

    // Skinning: the arm's corner follows the arm, the free corners stay put.
    const SkinnedPart& part = mesh.GetParts()[0];
    std::vector<Matrix4> palette;
    instance->GetBonePalette(part, palette);
    auto skin = [&](int v) {
        Vec3 sum;
        for (int k = 0; k < 4; ++k) {
            if (part.vertices[v].weights[k] == 0.0f)
                continue;
            Vec3 moved;
            Vec3TransformCoord(moved, part.vertices[v].position, palette[part.vertices[v].bones[k]]);
            sum += moved * part.vertices[v].weights[k];
        }
        return sum;
    };
    ExpectNear(skin(2), 1 - std::sqrt(0.5f), std::sqrt(0.5f), 0);
    ExpectNear(skin(1), 1, 0, 0);
    ExpectNear(skin(0), 0, 0, 0);
    ExpectNear(skin(3), 0, 1, 0);

    // Stored values are plain storage.
    instance->SetStoredPosition(1, 2, 3);
    instance->GetStoredPosition(p);
    ExpectNear(p, 1, 2, 3);
}

TEST_F(SkinnedMeshTest, InstancesAnimateIndependently) {
    Write("arm.x", ArmModel(true));
    CSkinnedMesh mesh;
    ASSERT_EQ(mesh.Setup("\\arm.x", nullptr, 0), kMeshOk);
    int a = -1, b = -1;
    ASSERT_EQ(mesh.CreateInstance(&a), kMeshOk);
    ASSERT_EQ(mesh.CreateInstance(&b), kMeshOk);
    EXPECT_NE(a, b);
    for (int i : {a, b}) {
        CAnimController* c = mesh.GetInstance(i)->GetAnimController();
        c->SetTrackAnimationSet(0, c->GetAnimationSet(0));
        c->Release();
    }
    mesh.GetInstance(a)->AdvanceTime(1.0, nullptr);
    mesh.GetInstance(b)->AdvanceTime(0.5, nullptr);
    Matrix4 ha, hb;
    mesh.GetInstance(a)->GetHandMatrix(ha, 0);
    mesh.GetInstance(b)->GetHandMatrix(hb, 0);
    // a's arm at 90 degrees (looped back to the start of its one-second clip samples its first key).
    EXPECT_NE(Origin(ha).x, Origin(hb).x);
    EXPECT_EQ(mesh.GetInstance(2), nullptr);
    EXPECT_EQ(mesh.GetInstance(-1), nullptr);
    // A controller reference outlives the instances that held it.
    CAnimController* kept = mesh.GetInstance(a)->GetAnimController();
    mesh.ClearInstances();
    EXPECT_EQ(mesh.GetInstanceCount(), 0);
    EXPECT_EQ(kept->GetNumAnimationSets(), 2);
    kept->Release();
}

TEST_F(SkinnedMeshTest, LoadFailuresAreReportedAndLeaveNothingToInstance) {
    CSkinnedMesh mesh;
    EXPECT_EQ(mesh.Setup("\\characters\\missing.x", nullptr, 0), kMeshFail);
    int index = 7;
    EXPECT_LT(mesh.CreateInstance(&index), 0);
    EXPECT_EQ(index, 7);

    Write("broken.x", ArmModel(true).substr(0, 300));
    EXPECT_EQ(mesh.Setup("\\broken.x", nullptr, 0), kMeshFail);
    EXPECT_FALSE(mesh.IsLoaded());

    // Without animation the model still loads, with the box, and its instances hold no clips.
    Write("still.x", ArmModel(false));
    ASSERT_EQ(mesh.Setup("\\still.x", nullptr, 0), kMeshOk);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], "Mesh Load Error");
    ASSERT_EQ(mesh.CreateInstance(&index), kMeshOk);
    CAnimController* c = mesh.GetInstance(index)->GetAnimController();
    EXPECT_EQ(c->GetNumAnimationSets(), 0);
    c->Release();
    EXPECT_EQ(mesh.GetInstance(index)->AdvanceTime(0.1, nullptr), 0);
}

// The generated characters carry what the court code looks up: every clip name, the hand frames and
// the material slots in their order.
TEST(GeneratedCharacters, PlayerAndRefereeModelsHoldTheirClipsFramesAndMaterials) {
    const char* playerClips[] = {"idle_01_NOball",
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
                                 "extra_01_arctorlo"};
    CSkinnedMesh player;
    CSkinHierarchyAllocator allocator;
    allocator.SetFolder(FB_GAME_DIR "/characters/");
    ASSERT_EQ(player.Setup(FB_GAME_DIR "/characters/multianim.X", &allocator, 0), kMeshOk);
    int index = -1;
    ASSERT_EQ(player.CreateInstance(&index), kMeshOk);
    CAnimatedMesh* instance = player.GetInstance(index);
    CAnimController* c = instance->GetAnimController();
    for (const char* name : playerClips) {
        const int set = c->FindAnimationSet(name);
        ASSERT_GE(set, 0) << name;
        EXPECT_GT(c->GetAnimationSet(set)->GetPeriod(), 0.5) << name;
    }
    for (int hand = 0; hand < 4; ++hand)
        EXPECT_GE(player.GetHandFrame(hand), 0) << hand;
    ASSERT_EQ(player.GetMaterials().size(), 4u);
    EXPECT_STREQ(player.GetMaterials()[2].material.textureFile.GetText(), "textures\\mez_01.dds");

    // Standing still, the right hand hangs at the right side (-x in model space) below the hip, and the
    // ball frame lies beyond the finger tips.
    c->SetTrackAnimationSet(0, c->GetAnimationSet(c->FindAnimationSet("idle_01_NOball")));
    instance->AdvanceTime(0.0, nullptr);
    Matrix4 hand;
    instance->GetHandMatrix(hand, 0);
    const Vec3 tip = Origin(hand);
    EXPECT_LT(tip.x, -0.1f);
    EXPECT_GT(tip.y, 0.6f);
    EXPECT_LT(tip.y, 1.1f);
    Vec3 offset;
    instance->GetHandBallOffset(offset, 0);
    EXPECT_NEAR(offset.Length(), 0.12f, 0.01f);
    // A shot lifts the right hand over the head half way through.
    c->SetTrackAnimationSet(0, c->GetAnimationSet(c->FindAnimationSet("dobas_01")));
    c->SetTrackPosition(0, 0.6);
    instance->AdvanceTime(0.0, nullptr);
    instance->GetHandMatrix(hand, 0);
    EXPECT_GT(Origin(hand).y, 2.2f);
    c->Release();

    CSkinnedMesh referee;
    ASSERT_EQ(referee.Setup(FB_GAME_DIR "/characters/referree_mutianim.x", nullptr, 0), kMeshOk);
    ASSERT_EQ(referee.CreateInstance(&index), kMeshOk);
    c = referee.GetInstance(index)->GetAnimController();
    for (const char* name : {"idle", "walk", "run", "feldob"})
        EXPECT_GE(c->FindAnimationSet(name), 0) << name;
    c->Release();
    EXPECT_EQ(referee.GetMaterials().size(), 3u);
}
