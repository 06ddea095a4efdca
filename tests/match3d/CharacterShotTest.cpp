// The generated player drawn on a real (offscreen or Xvfb) device in twelve of his clips, four per
// picture, each holding the ball at his right hand's ball frame. The test checks that every
// character reaches the screen; with FB_CHARACTER_SHOTS set to a folder it also saves the pictures.
#include "engine/Color.h"
#include "engine/Device.h"
#include "engine/GameObject.h"
#include "engine/Lights.h"
#include "engine/SkinnedMesh.h"
#include "engine/TextureManager.h"
#include "match3d/CourtPlayer.h"
#include "match3d/Referee.h"

#include <gtest/gtest.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr uint32_t kFloorColour = 0x5A8CBEFF; // a wooden floor

struct Shot {
    int32_t clip;
    double seconds; // after the clip starts: the moment worth a picture
};

class CharacterShots : public ::testing::Test {
protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        __lsan_disable(); // the GL driver's own allocations look like leaks once it is unloaded
#endif
        g_pQuorelTextureManager = new CQuorelTextureManager();
        g_pQuorelLights = new CQuorelLights();
        g_pQuorelLights->SetDefault();
        g_pQuorelDevice = new CQuorelDevice();
        ready_ = g_pQuorelDevice->Create(kWidth, kHeight, 32) && g_pQuorelDevice->IsReady();
    }
    void TearDown() override {
        players_.clear();
        ball_.reset();
        mesh_.reset();
        delete g_pQuorelDevice;
        g_pQuorelDevice = nullptr;
        delete g_pQuorelLights;
        g_pQuorelLights = nullptr;
        delete g_pQuorelTextureManager;
        g_pQuorelTextureManager = nullptr;
#if defined(__SANITIZE_ADDRESS__)
        __lsan_enable();
#endif
    }

    // Four players in a row across the picture, each posed in his clip.
    void Draw(const Shot (&shots)[4], const char* file) {
        Matrix4 view, projection;
        MatrixLookAtLH(view, Vec3(8.5f, 2.2f, 0.0f), Vec3(0.0f, 1.3f, 0.0f), Vec3(0, 1, 0));
        MatrixPerspectiveFovLH(projection, 0.785398f, 4.0f / 3.0f, 0.1f, 100.0f);
        CQuorelDevice& device = *g_pQuorelDevice;
        device.SetTransform(kTransformView, view);
        device.SetTransform(kTransformProjection, projection);
        device.SetTransform(kTransformWorld, Matrix4());
        const CStr textures[4] = {
            "\\characters\\textures\\head_black_01.dds", "\\characters\\textures\\body_black_01.dds",
            "\\characters\\textures\\mez_01.dds", "\\characters\\textures\\shoe_01.dds"};
        players_.clear();
        std::vector<CAnimatedCharacter*> registry;
        for (int i = 0; i < 4; ++i) {
            auto player = std::make_unique<CCourtPlayer>();
            const Vec3 at(0.0f, 0.0f, -3.9f + 2.6f * static_cast<float>(i));
            ASSERT_EQ(player->LoadAnimations(mesh_.get(), &registry, 0, 0.0, at, Vec3(0.6f, 0.0f, -0.8f), 0),
                      0);
            player->LoadTextureSet(4, textures);
            player->UseOwnTextures(true);
            player->AdvanceTime(1.5, nullptr);
            player->SetAnimation(shots[i].clip, true);
            for (double t = 0.0; t < shots[i].seconds; t += 1.0 / 60.0) {
                player->AdvanceTime(1.0 / 60.0, nullptr);
            }
            player->Update(0.0);
            players_.push_back(std::move(player));
        }
        device.Clear(kFloorColour);
        device.BeginScene();
        device.SetDepthTest(true);
        for (auto& player : players_) {
            player->Render();
            Vec3 hand;
            player->GetRightHandBallPosition(hand);
            Matrix4 ballAt;
            MatrixTranslation(ballAt, hand.x, hand.y, hand.z);
            device.SetTransform(kTransformWorld, ballAt);
            ball_->Render(0.0, false);
            device.SetTransform(kTransformWorld, Matrix4());
        }
        device.EndScene();
        std::vector<uint8_t> pixels;
        ASSERT_TRUE(device.ReadPixels(0, 0, kWidth, kHeight, pixels));
        // Each quarter of the picture shows its player: pixels that are not the floor.
        const auto floor = ColorFromWord(kFloorColour);
        int drawn[4] = {};
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const uint8_t* p = &pixels[(static_cast<size_t>(y) * kWidth + x) * 4];
                if (std::abs(p[0] - floor.r) + std::abs(p[1] - floor.g) + std::abs(p[2] - floor.b) > 30) {
                    ++drawn[x * 4 / kWidth];
                }
            }
        }
        for (int i = 0; i < 4; ++i) {
            EXPECT_GT(drawn[i], 2000) << "quarter " << i;
        }
        if (const char* folder = std::getenv("FB_CHARACTER_SHOTS")) {
            const std::string path = std::string(folder) + "/" + file;
            EXPECT_TRUE(device.SaveScreenshot(path.c_str()));
        }
        device.Present();
    }

    // The referee in his four clips: standing, walking, running and the toss.
    void DrawReferees(const char* file) {
        CSkinnedMesh mesh;
        CSkinHierarchyAllocator allocator;
        allocator.SetFolder("\\characters");
        ASSERT_EQ(mesh.Setup("\\characters\\referree_mutianim.x", &allocator, 0), kMeshOk);
        const CStr textures[3] = {"\\characters\\textures\\KV_ref_skinface.dds",
                                  "\\characters\\textures\\KV_ref_cloth.dds",
                                  "\\characters\\textures\\shoe_black_01.dds"};
        const int32_t clips[4] = {kRefereeIdle, kRefereeWalk, kRefereeRun, kRefereeToss};
        const double moments[4] = {1.5, 1.3, 1.2, 1.45};
        std::vector<std::unique_ptr<CRefereeBase>> referees;
        std::vector<CRefereeBase*> registry;
        CQuorelDevice& device = *g_pQuorelDevice;
        device.Clear(kFloorColour);
        device.BeginScene();
        device.SetDepthTest(true);
        for (int i = 0; i < 4; ++i) {
            auto referee = std::make_unique<CRefereeBase>();
            const Vec3 at(0.0f, 0.0f, -3.9f + 2.6f * static_cast<float>(i));
            ASSERT_EQ(referee->LoadAnimations(&mesh, &registry, 0, 0.0, at, Vec3(0.6f, 0.0f, -0.8f)), 0);
            referee->LoadTextures(3, textures);
            referee->UseOwnTextures(true);
            referee->AdvanceTime(1.5, nullptr);
            referee->BlendToClip(clips[i], true);
            for (double t = 0.0; t < moments[i]; t += 1.0 / 60.0) {
                referee->AdvanceTime(1.0 / 60.0, nullptr);
            }
            referee->UpdateWorldMatrix();
            referee->Render();
            referees.push_back(std::move(referee));
        }
        device.EndScene();
        std::vector<uint8_t> pixels;
        ASSERT_TRUE(device.ReadPixels(0, 0, kWidth, kHeight, pixels));
        EXPECT_GT(Drawn(pixels), 8000);
        if (const char* folder = std::getenv("FB_CHARACTER_SHOTS")) {
            const std::string path = std::string(folder) + "/" + file;
            EXPECT_TRUE(device.SaveScreenshot(path.c_str()));
        }
        device.Present();
    }
    static int Drawn(const std::vector<uint8_t>& pixels) {
        const auto floor = ColorFromWord(kFloorColour);
        int drawn = 0;
        for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
            const uint8_t* p = &pixels[i];
            drawn +=
                std::abs(p[0] - floor.r) + std::abs(p[1] - floor.g) + std::abs(p[2] - floor.b) > 30 ? 1 : 0;
        }
        return drawn;
    }

    bool ready_ = false;
    std::unique_ptr<CSkinnedMesh> mesh_;
    std::unique_ptr<CQuorelGameObject> ball_;
    std::vector<std::unique_ptr<CCourtPlayer>> players_;
};

TEST_F(CharacterShots, TwelveClipsReachTheScreenWithTheBallInHand) {
    if (!ready_) {
        GTEST_SKIP() << "no GL device here";
    }
    mesh_ = std::make_unique<CSkinnedMesh>();
    CSkinHierarchyAllocator allocator;
    allocator.SetFolder("\\characters\\");
    allocator.SetOwner(mesh_.get());
    ASSERT_EQ(mesh_->Setup("\\characters\\multianim.X", &allocator, 0), kMeshOk);
    ball_ = std::make_unique<CQuorelGameObject>();
    ASSERT_TRUE(
        ball_->Init("ball", "\\objects\\models\\kv_ball.qmd", "\\objects\\textures", g_pQuorelLights));
    g_pQuorelTextureManager->LoadAll();
    // Moments: the dribble's push, the jump shot at its top, the dunk's hang, the chest pass's push;
    // then the tip-off leap, the low steal, the lay-up and the overhead pass's wind-up.
    const Shot first[4] = {
        {kAnimWalkDribble, 1.3}, {kAnimShot, 1.12}, {kAnimDribbleMove, 1.3}, {kAnimPassChest, 0.87}};
    Draw(first, "character_clips_1.png");
    const Shot second[4] = {
        {kAnimTipOff, 1.2}, {kAnimStealLeft, 0.92}, {kAnimShotClose, 1.05}, {kAnimPassOverhead, 0.86}};
    Draw(second, "character_clips_2.png");
    // The run, the running dribble, the defensive stance and the fist pump.
    const Shot third[4] = {{kAnimRun, 1.4}, {kAnimRunDribble, 1.3}, {kAnimDefence, 1.3}, {kAnimChat, 1.8}};
    Draw(third, "character_clips_3.png");
    DrawReferees("referee_clips.png");
}

} // namespace
