// Scene objects and characters on a real (offscreen) device: frustum culling, load failures, and a
// rendered arena with an animated character that moves with its clip and stands where its world
// matrix puts it.
#include "engine/Device.h"
#include "engine/Frustum.h"
#include "engine/GameObject.h"
#include "engine/Lights.h"
#include "engine/Log.h"
#include "engine/MessageBox.h"
#include "engine/SkinnedMesh.h"
#include "engine/Texture.h"
#include "engine/TextureManager.h"
#include "engine/World.h"
#include "platform/Image.h"

#include "TempDir.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif
#include <memory>
#include <thread>

namespace {

constexpr int kWidth = 1024, kHeight = 768;

void CameraMatrices(Matrix4& view, Matrix4& projection, const Vec3& eye, const Vec3& at) {
    MatrixLookAtLH(view, eye, at, Vec3(0, 1, 0));
    MatrixPerspectiveFovLH(projection, 0.785398f, 4.0f / 3.0f, 0.1f, 300.0f);
}

// Where a world point lands on the screen (pixels from the top left).
void Project(const Vec3& p, const Matrix4& view, const Matrix4& projection, float& sx, float& sy) {
    Matrix4 vp;
    MatrixMultiply(vp, view, projection);
    Vec3 ndc;
    Vec3TransformCoord(ndc, p, vp);
    sx = (ndc.x + 1) * 0.5f * kWidth;
    sy = (1 - ndc.y) * 0.5f * kHeight;
}

// The singletons the scene code draws through, in a scratch working directory; the device's window
// opens only for the tests that draw. (No sound or music: their threads are not needed here.)
class SceneEngine : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        g_pQuorelTextureManager = new CQuorelTextureManager();
        g_pQuorelLights = new CQuorelLights();
        g_pQuorelFrustum = new CQuorelFrustum();
    }
    void TearDown() override {
        delete g_pQuorelDevice;
        g_pQuorelDevice = nullptr;
        delete g_pQuorelFrustum;
        g_pQuorelFrustum = nullptr;
        delete g_pQuorelLights;
        g_pQuorelLights = nullptr;
        delete g_pQuorelTextureManager;
        g_pQuorelTextureManager = nullptr;
#if defined(__SANITIZE_ADDRESS__)
        if (m_leakCheckPaused)
            __lsan_enable();
#endif
        TempDirTest::TearDown();
    }
    bool OpenDevice() {
        // Mesa's software driver is unloaded before the leak check runs, so what it keeps shows as a
        // leak from an unknown module: leak tracking pauses while a device is open (the address checks
        // stay on, and the loading code runs leak-checked in the tests without a device).
#if defined(__SANITIZE_ADDRESS__)
        __lsan_disable();
        m_leakCheckPaused = true;
#endif
        g_pQuorelDevice = new CQuorelDevice();
        return g_pQuorelDevice->Create(kWidth, kHeight, 32) && g_pQuorelDevice->IsReady();
    }

    bool m_leakCheckPaused = false;
};

} // namespace

TEST_F(SceneEngine, ObjectsOutsideTheViewAreNotDrawn) {
    CQuorelGameObject cube;
    ASSERT_TRUE(cube.Init("cube", FB_GAME_DIR "/objects/models/kv_cube.qmd", FB_GAME_DIR "/objects/textures",
                          g_pQuorelLights));
    ASSERT_EQ(cube.GetSubObjectCount(), 5);
    ASSERT_NE(cube.FindSubObject("kijelzo_03"), nullptr);
    EXPECT_EQ(cube.FindSubObject("kijelzo_05"), nullptr);
    // The model carries no lights, so the empty list got the default one.
    EXPECT_GT(g_pQuorelLights->Count(), 0);

    // Without a frustum nothing is culled.
    EXPECT_EQ(cube.Render(0.0, false), 5);

    Matrix4 view, projection;
    CameraMatrices(view, projection, Vec3(0, 0, -10), Vec3(0, 0, 0));
    g_pQuorelFrustum->Build(view, projection);
    Matrix4 world;
    EXPECT_TRUE(cube.GetSubObject(0)->IsVisible(world, *g_pQuorelFrustum));
    // Behind the camera, beyond the far plane, and far off to the side: out of view.
    const Vec3 away[] = {{0, 0, -20}, {0, 0, 400}, {200, 0, 0}};
    for (const Vec3& p : away) {
        MatrixTranslation(world, p.x, p.y, p.z);
        for (int i = 0; i < cube.GetSubObjectCount(); ++i)
            EXPECT_FALSE(cube.GetSubObject(i)->IsVisible(world, *g_pQuorelFrustum)) << p.x << " " << p.z;
    }
    // Only the side screen facing the edge of the view pokes in when the cube sits at the edge.
    MatrixTranslation(world, 5.2f, 0, 0);
    int visible = 0;
    for (int i = 0; i < cube.GetSubObjectCount(); ++i)
        visible += cube.GetSubObject(i)->IsVisible(world, *g_pQuorelFrustum) ? 1 : 0;
    EXPECT_GT(visible, 0);
    EXPECT_LT(visible, 5);
}

TEST_F(SceneEngine, WorldsOwnTheirObjectsAndBadModelsLoadNothing) {
    g_pQuorelTextureManager->SetLightmapDir(FB_GAME_DIR "/Stadions/lightmaps/test_arena");
    CQuorelWorld world;
    auto* arena = new CQuorelGameObject();
    ASSERT_TRUE(arena->Init("arena", FB_GAME_DIR "/Stadions/models/test_arena/arena.qmd",
                            FB_GAME_DIR "/Stadions/textures/test_arena", g_pQuorelLights));
    world.AddObject(arena);
    world.AddObject(nullptr);
    auto* broken = new CQuorelGameObject();
    EXPECT_FALSE(broken->Init("broken", FB_GAME_DIR "/characters/multianim.X", "", g_pQuorelLights));
    EXPECT_FALSE(broken->IsLoaded());
    EXPECT_EQ(broken->GetSubObjectCount(), 0);
    EXPECT_EQ(broken->Render(0.0, false), 0);
    world.AddObject(broken);
    EXPECT_EQ(world.GetObjectCount(), 2);
    EXPECT_EQ(world.GetObject(0), arena);
    EXPECT_EQ(world.GetObject(2), nullptr);
    EXPECT_STREQ(world.GetObject(0)->GetName().GetText(), "arena");
    // The arena's diffuse textures come from its folder, and all of them exist.
    EXPECT_GE(g_pQuorelTextureManager->Count(), 2);
    EXPECT_EQ(g_pQuorelTextureManager->LoadAll(), 0);
    world.Clear();
    EXPECT_EQ(world.GetObjectCount(), 0);
}

TEST_F(SceneEngine, AnimatedCharacterInTheArena) {
    ASSERT_TRUE(OpenDevice()) << "no offscreen OpenGL 3.3 device";
    CQuorelDevice* device = g_pQuorelDevice;

    g_pQuorelTextureManager->SetLightmapDir(FB_GAME_DIR "/Stadions/lightmaps/test_arena");
    CQuorelWorld world;
    auto* arena = new CQuorelGameObject();
    ASSERT_TRUE(arena->Init("arena", FB_GAME_DIR "/Stadions/models/test_arena/arena.qmd",
                            FB_GAME_DIR "/Stadions/textures/test_arena", g_pQuorelLights));
    world.AddObject(arena);
    // An object whose textures are all missing still draws, untextured.
    auto ball = std::make_unique<CQuorelGameObject>();
    ASSERT_TRUE(ball->Init("ball", FB_GAME_DIR "/objects/models/kv_ball.qmd", FB_GAME_DIR "/no/such/folder",
                           g_pQuorelLights));
    EXPECT_EQ(g_pQuorelTextureManager->LoadAll(), 1);

    CSkinnedMesh player;
    CSkinHierarchyAllocator allocator;
    allocator.SetFolder(FB_GAME_DIR "/characters/");
    ASSERT_EQ(player.Setup(FB_GAME_DIR "/characters/multianim.X", &allocator, 0), kMeshOk);
    int index = -1;
    ASSERT_EQ(player.CreateInstance(&index), kMeshOk);
    CAnimatedMesh* character = player.GetInstance(index);
    const CStr textures[4] = {FB_GAME_DIR "/characters/textures/head_white_01.dds",
                              FB_GAME_DIR "/characters/textures/body_white_01.dds",
                              FB_GAME_DIR "/characters/textures/mez_02.dds",
                              FB_GAME_DIR "/characters/textures/shoe_99.dds"}; // the shoes are missing
    character->LoadTextureList(4, textures);
    EXPECT_NE(character->GetTexture(2), nullptr);
    EXPECT_EQ(character->GetTexture(3), nullptr);
    character->SetUseOwnTextures(true);
    EXPECT_EQ(character->SetEffectParams(2), character->GetTexture(2));
    character->SetUseOwnTextures(false);
    EXPECT_NE(character->SetEffectParams(2), character->GetTexture(2));
    character->SetUseOwnTextures(true);
    CAnimController* controller = character->GetAnimController();
    controller->SetTrackAnimationSet(0, controller->GetAnimationSet(controller->FindAnimationSet("run")));
    controller->Release();

    Matrix4 view, projection;
    CameraMatrices(view, projection, Vec3(0, 4, -12), Vec3(0, 1, 0));
    device->SetTransform(kTransformView, view);
    device->SetTransform(kTransformProjection, projection);
    g_pQuorelFrustum->Build(view, projection);

    auto frame = [&](bool withCharacter, const Vec3& at) {
        device->Clear(0x000000FF);
        device->BeginScene();
        device->SetTransform(kTransformWorld, Matrix4());
        device->SetCullMode(kCullCCW);
        device->SetDepthTest(true);
        world.Render(0.0, false);
        Matrix4 ballAt;
        MatrixTranslation(ballAt, -3, 0.125f, -3);
        device->SetTransform(kTransformWorld, ballAt);
        ball->Render(0.0, false);
        if (withCharacter) {
            Matrix4 placed;
            MatrixTranslation(placed, at.x, at.y, at.z);
            character->SetWorldMatrix(placed);
            character->Draw();
        }
        device->EndScene();
        std::vector<uint8_t> pixels;
        EXPECT_TRUE(device->ReadPixels(0, 0, kWidth, kHeight, pixels));
        if (std::getenv("FB_SCENE_SHOT"))
            device->SaveScreenshot(std::getenv("FB_SCENE_SHOT"));
        device->Present();
        return pixels;
    };
    // Pixels that differ between two pictures: their count and bounding box.
    struct Diff {
        int count = 0, minX = kWidth, minY = kHeight, maxX = -1, maxY = -1;
    };
    auto diff = [](const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        Diff d;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const size_t i = (static_cast<size_t>(y) * kWidth + x) * 4;
                if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) >
                    24) {
                    ++d.count;
                    d.minX = std::min(d.minX, x);
                    d.maxX = std::max(d.maxX, x);
                    d.minY = std::min(d.minY, y);
                    d.maxY = std::max(d.maxY, y);
                }
            }
        return d;
    };

    const std::vector<uint8_t> empty = frame(false, Vec3());
    // The arena itself is on screen: the court and the untextured ball are not the clear colour.
    int lit = 0;
    for (size_t i = 0; i < empty.size(); i += 4)
        lit += empty[i] + empty[i + 1] + empty[i + 2] > 30 ? 1 : 0;
    EXPECT_GT(lit, kWidth * kHeight / 4);
    float ballX = 0, ballY = 0;
    Project(Vec3(-3, 0.125f, -3), view, projection, ballX, ballY);
    const size_t ballPixel = (static_cast<size_t>(ballY) * kWidth + static_cast<size_t>(ballX)) * 4;
    EXPECT_GT(empty[ballPixel] + empty[ballPixel + 1] + empty[ballPixel + 2], 60);

    for (const Vec3& at : {Vec3(0, 0, 0), Vec3(3, 0, 4)}) {
        character->AdvanceTime(0.0, nullptr);
        const std::vector<uint8_t> first = frame(true, at);
        const Diff placed = diff(empty, first);
        ASSERT_GT(placed.count, 500) << "the character does not show at " << at.x << "," << at.z;
        // The figure covers the screen points of its feet and its head, and not much more.
        float footX = 0, footY = 0, headX = 0, headY = 0;
        Project(at, view, projection, footX, footY);
        Project(at + Vec3(0, 1.8f, 0), view, projection, headX, headY);
        EXPECT_NEAR((placed.minX + placed.maxX) * 0.5f, footX, 40.0f);
        EXPECT_NEAR(placed.maxY, footY, 20.0f);
        EXPECT_NEAR(placed.minY, headY, 30.0f);

        // A little later in the run the limbs are elsewhere.
        character->AdvanceTime(0.2, nullptr);
        const std::vector<uint8_t> later = frame(true, at);
        EXPECT_GT(diff(first, later).count, 200);
    }
}

// The match scene is built on a loader thread while the main thread draws: loading makes no GL call,
// and what it built draws afterwards on the main thread.
TEST_F(SceneEngine, ScenesLoadOnAWorkerAndDrawOnTheMainThread) {
    ASSERT_TRUE(OpenDevice()) << "no offscreen OpenGL 3.3 device";
    CQuorelGameObject arena;
    CSkinnedMesh player;
    std::atomic<bool> loaded{false};
    std::thread loader([&] {
        g_pQuorelTextureManager->SetLightmapDir(FB_GAME_DIR "/Stadions/lightmaps/test_arena");
        bool ok = arena.Init("arena", FB_GAME_DIR "/Stadions/models/test_arena/arena.qmd",
                             FB_GAME_DIR "/Stadions/textures/test_arena", g_pQuorelLights);
        ok = ok && g_pQuorelTextureManager->LoadAll() == 0;
        int index = -1;
        ok = ok && player.Setup(FB_GAME_DIR "/characters/multianim.X", nullptr, 0) == kMeshOk;
        ok = ok && player.CreateInstance(&index) == kMeshOk;
        ok = ok && player.GetInstance(index)->AdvanceTime(0.5, nullptr) == 0;
        loaded = ok;
    });
    // The main thread keeps presenting frames meanwhile, as the wait screen does.
    for (int i = 0; i < 3; ++i) {
        g_pQuorelDevice->Clear(0x000000FF);
        g_pQuorelDevice->Present();
    }
    loader.join();
    ASSERT_TRUE(loaded.load());

    Matrix4 view, projection;
    CameraMatrices(view, projection, Vec3(0, 3, -6), Vec3(0, 1, 0));
    g_pQuorelDevice->SetTransform(kTransformView, view);
    g_pQuorelDevice->SetTransform(kTransformProjection, projection);
    g_pQuorelDevice->Clear(0x000000FF);
    g_pQuorelDevice->BeginScene();
    g_pQuorelDevice->SetTransform(kTransformWorld, Matrix4());
    EXPECT_GT(arena.Render(0.0, false), 0);
    player.GetInstance(0)->Draw();
    g_pQuorelDevice->EndScene();
    std::vector<uint8_t> pixels;
    ASSERT_TRUE(g_pQuorelDevice->ReadPixels(kWidth / 2, kHeight / 2, 1, 1, pixels));
    // What the worker built shows up instead of the dark clear colour.
    EXPECT_GT(pixels[0] + pixels[1] + pixels[2], 30);
    g_pQuorelDevice->Present();
}

// The scoreboard faces show a picture of their own, unlit, while the rest of the cube keeps its
// materials.
TEST_F(SceneEngine, ASubObjectDrawsWithAReplacementTexture) {
    ASSERT_TRUE(OpenDevice()) << "no offscreen OpenGL 3.3 device";
    CQuorelGameObject cube;
    ASSERT_TRUE(cube.Init("cube", FB_GAME_DIR "/objects/models/kv_cube.qmd", FB_GAME_DIR "/objects/textures",
                          g_pQuorelLights));
    CQuorelTexture picture;
    std::vector<uint8_t> red = {230, 20, 10, 255, 230, 20, 10, 255, 230, 20, 10, 255, 230, 20, 10, 255};
    picture.SetPixels(2, 2, red);

    Matrix4 view, projection;
    // Straight at the first screen, which faces -z.
    CameraMatrices(view, projection, Vec3(0, 0, -4), Vec3(0, 0, 0));
    g_pQuorelDevice->SetTransform(kTransformView, view);
    g_pQuorelDevice->SetTransform(kTransformProjection, projection);
    g_pQuorelDevice->Clear(0x000000FF);
    g_pQuorelDevice->BeginScene();
    g_pQuorelDevice->SetTransform(kTransformWorld, Matrix4());
    for (int i = 0; i < cube.GetSubObjectCount(); ++i) {
        CQuorelSubObject* sub = cube.GetSubObject(i);
        const bool screen = sub->GetName().Find("kijelzo_") == 0;
        g_pQuorelDevice->SetTextureUnlit(screen);
        sub->Draw(screen ? &picture : nullptr);
    }
    g_pQuorelDevice->SetTextureUnlit(false);
    g_pQuorelDevice->EndScene();
    std::vector<uint8_t> centre, edge;
    ASSERT_TRUE(g_pQuorelDevice->ReadPixels(kWidth / 2, kHeight / 2, 1, 1, centre));
    // Just outside the screen but on the frame, whose grey comes from its material.
    float fx = 0, fy = 0;
    Project(Vec3(0, 0.6f, -1.05f), view, projection, fx, fy);
    ASSERT_TRUE(g_pQuorelDevice->ReadPixels(static_cast<int>(fx), static_cast<int>(fy), 1, 1, edge));
    g_pQuorelDevice->Present();
    EXPECT_NEAR(centre[0], 230, 3);
    EXPECT_NEAR(centre[1], 20, 3);
    EXPECT_NEAR(centre[2], 10, 3);
    EXPECT_LT(edge[0], 120);
    EXPECT_NEAR(edge[0], edge[2], 30);
}

namespace {

QuorelVertex MeshCorner(float x, float z, const Vec3& normal, uint8_t bone = 0) {
    QuorelVertex v;
    v.pos[0] = x;
    v.pos[2] = z;
    v.normal[0] = normal.x;
    v.normal[1] = normal.y;
    v.normal[2] = normal.z;
    v.boneWeights[0] = 1.0f;
    v.boneIndices[0] = bone;
    return v;
}

// A floor square of two triangles at y = 0 with the given corner normals and bones.
void SquareMesh(CQuorelMesh& mesh, const Vec3 normals[4], const uint8_t bones[4]) {
    const float corners[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
    std::vector<QuorelVertex> vertices;
    for (int k = 0; k < 4; ++k)
        vertices.push_back(MeshCorner(corners[k][0], corners[k][1], normals[k], bones[k]));
    mesh.SetData(std::move(vertices), {0, 1, 2, 0, 2, 3});
}

} // namespace

// Triangles with one normal and one skin at all three corners are lit alike all over; any other
// corner spoils that.
TEST(MeshTriangles, FlatOnlyWhenEveryCornerMatches) {
    const Vec3 up(0, 1, 0);
    const Vec3 flat[4] = {up, up, up, up};
    const uint8_t oneBone[4] = {2, 2, 2, 2};
    CQuorelMesh mesh;
    SquareMesh(mesh, flat, oneBone);
    EXPECT_TRUE(mesh.HasFlatTriangles());
    // Each triangle flat on its own, but the two faces differ: still flat (a box's faces).
    CQuorelMesh faces;
    std::vector<QuorelVertex> v = {MeshCorner(0, 0, up),
                                   MeshCorner(0, 1, up),
                                   MeshCorner(1, 1, up),
                                   MeshCorner(0, 0, Vec3(1, 0, 0)),
                                   MeshCorner(0, 1, Vec3(1, 0, 0)),
                                   MeshCorner(1, 1, Vec3(1, 0, 0))};
    faces.SetData(v, {0, 1, 2, 3, 4, 5});
    EXPECT_TRUE(faces.HasFlatTriangles());

    const Vec3 smooth[4] = {up, Vec3(0.6f, 0.8f, 0), up, up};
    SquareMesh(mesh, smooth, oneBone);
    EXPECT_FALSE(mesh.HasFlatTriangles());
    const uint8_t twoBones[4] = {2, 2, 3, 2};
    SquareMesh(mesh, flat, twoBones);
    EXPECT_FALSE(mesh.HasFlatTriangles());
    std::vector<QuorelVertex> weighted = {MeshCorner(0, 0, up), MeshCorner(0, 1, up), MeshCorner(1, 1, up)};
    weighted[1].boneWeights[0] = 0.5f;
    weighted[1].boneWeights[1] = 0.5f;
    mesh.SetData(weighted, {0, 1, 2});
    EXPECT_FALSE(mesh.HasFlatTriangles());
}

// The lit colour of a mesh under a directional light matches the lighting sum, whether its triangles
// are flat (lit per corner) or smooth (lit per pixel from the blended normal).
TEST_F(SceneEngine, DirectionalLightOnFlatAndSmoothTriangles) {
    ASSERT_TRUE(OpenDevice()) << "no offscreen OpenGL 3.3 device";
    CQuorelDevice* device = g_pQuorelDevice;
    QuorelLight sun;
    sun.direction = Vec3(0.0f, -1.0f, -1.0f); // 45 degrees down
    sun.diffuse[0] = sun.diffuse[1] = sun.diffuse[2] = 0.8f;
    sun.ambient[0] = sun.ambient[1] = sun.ambient[2] = 0.1f;
    g_pQuorelLights->Add(sun);
    g_pQuorelLights->SetAmbient(0.2f, 0.2f, 0.2f);
    QuorelMaterial material;
    material.diffuse[0] = 0.9f;
    material.diffuse[1] = 0.6f;
    material.diffuse[2] = 0.3f;
    std::copy(material.diffuse, material.diffuse + 3, material.ambient);
    material.emissive[2] = 0.05f;

    Matrix4 view, projection;
    CameraMatrices(view, projection, Vec3(0, 3, -0.01f), Vec3(0, 0, 0));
    auto centre = [&](CQuorelMesh& mesh) {
        device->Clear(0x000000FF);
        device->BeginScene();
        device->SetTransform(kTransformView, view);
        device->SetTransform(kTransformProjection, projection);
        device->SetTransform(kTransformWorld, Matrix4());
        device->SetCullMode(kCullNone);
        device->SetDepthTest(true);
        device->SetMaterial(material);
        device->DrawMesh(mesh, device->GetEffect("Default"));
        device->EndScene();
        std::vector<uint8_t> pixel;
        EXPECT_TRUE(device->ReadPixels(kWidth / 2, kHeight / 2, 1, 1, pixel));
        device->Present();
        return pixel;
    };
    // emissive + ambient x (scene ambient + light ambient) + light diffuse x diffuse x (n . l).
    auto expected = [&](float nl, int c) {
        const float lit =
            material.emissive[c] + material.ambient[c] * (0.2f + 0.1f) + 0.8f * material.diffuse[c] * nl;
        return std::clamp(lit, 0.0f, 1.0f) * 255.0f;
    };
    const Vec3 up(0, 1, 0);
    const uint8_t bones[4] = {};
    const Vec3 flat[4] = {up, up, up, up};
    CQuorelMesh flatMesh;
    SquareMesh(flatMesh, flat, bones);
    ASSERT_TRUE(flatMesh.HasFlatTriangles());
    const std::vector<uint8_t> flatPixel = centre(flatMesh);
    ASSERT_EQ(flatPixel.size(), 4u);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(flatPixel[c], expected(std::sqrt(0.5f), c), 2.0f) << "channel " << c;

    // Corner normals leaning out left and right blend to straight up in the middle: lit per pixel,
    // the centre gets the upright normal's light, not the corners' average.
    const Vec3 left = Vec3(-0.8f, 0.6f, 0), right = Vec3(0.8f, 0.6f, 0);
    const Vec3 leaning[4] = {left, left, right, right};
    CQuorelMesh smoothMesh;
    SquareMesh(smoothMesh, leaning, bones);
    ASSERT_FALSE(smoothMesh.HasFlatTriangles());
    const std::vector<uint8_t> smoothPixel = centre(smoothMesh);
    ASSERT_EQ(smoothPixel.size(), 4u);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(smoothPixel[c], expected(std::sqrt(0.5f), c), 2.0f) << "channel " << c;
}

// A floor whose lightmap reads the diffuse texture's coordinates draws with the lightmap multiplied
// in beforehand; either way the floor shows diffuse times lightmap.
TEST_F(SceneEngine, LightmapsShowTheSameBakedOrNot) {
    ASSERT_TRUE(OpenDevice()) << "no offscreen OpenGL 3.3 device";
    auto solid = [](int size, uint8_t r, uint8_t g, uint8_t b) {
        std::vector<uint8_t> rgba;
        for (int i = 0; i < size * size; ++i)
            rgba.insert(rgba.end(), {r, g, b, 255});
        return rgba;
    };
    ASSERT_TRUE(PlatformWritePng("floor.png", 8, 8, solid(8, 200, 150, 100).data()));
    ASSERT_TRUE(PlatformWritePng("light.png", 4, 4, solid(4, 128, 192, 255).data()));
    ASSERT_TRUE(PlatformWritePng("finelight.png", 16, 16, solid(16, 128, 192, 255).data()));
    g_pQuorelTextureManager->SetLightmapDir(m_dir.string().c_str());
    // uv1: the same as uv0, elsewhere, or the same under a lightmap finer than the floor's texture.
    auto floorModel = [](const char* file, bool sameCoordinates, const char* lightmapFile) {
        ModelData model;
        ModelMaterial material;
        material.effect = "Default";
        material.diffuseTexture = "floor.png";
        material.lightmapTexture = lightmapFile;
        model.materials.push_back(material);
        ModelSubObject floor;
        floor.name = "floor";
        const float corners[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
        for (const auto& c : corners) {
            ModelVertex v;
            v.pos[0] = c[0];
            v.pos[2] = c[1];
            v.normal[1] = 1;
            v.uv0[0] = v.uv1[0] = (c[0] + 1) / 2;
            v.uv0[1] = v.uv1[1] = (c[1] + 1) / 2;
            if (!sameCoordinates)
                v.uv1[0] = v.uv1[1] = 0.5f;
            floor.vertices.push_back(v);
        }
        floor.indices = {0, 1, 2, 0, 2, 3};
        floor.batches.push_back({0, 0, 6});
        model.subObjects.push_back(floor);
        model.ComputeBounds();
        return SaveModelFile(file, model);
    };
    ASSERT_TRUE(floorModel("same.qmd", true, "light.png"));
    ASSERT_TRUE(floorModel("apart.qmd", false, "light.png"));
    ASSERT_TRUE(floorModel("fine.qmd", true, "finelight.png"));
    CQuorelGameObject same, apart, fine;
    ASSERT_TRUE(same.Init("same", "same.qmd", m_dir.string().c_str(), g_pQuorelLights));
    ASSERT_TRUE(apart.Init("apart", "apart.qmd", m_dir.string().c_str(), g_pQuorelLights));
    ASSERT_TRUE(fine.Init("fine", "fine.qmd", m_dir.string().c_str(), g_pQuorelLights));
    ASSERT_EQ(g_pQuorelTextureManager->LoadAll(), 0);
    // Full ambient light and no lamp: the floor shows its textures as they are.
    g_pQuorelLights->Clear();
    g_pQuorelLights->SetAmbient(1, 1, 1);

    Matrix4 view, projection;
    CameraMatrices(view, projection, Vec3(0, 1, -0.01f), Vec3(0, 0, 0));
    auto centre = [&](CQuorelGameObject& object) {
        g_pQuorelDevice->Clear(0x000000FF);
        g_pQuorelDevice->BeginScene();
        g_pQuorelDevice->SetTransform(kTransformView, view);
        g_pQuorelDevice->SetTransform(kTransformProjection, projection);
        g_pQuorelDevice->SetTransform(kTransformWorld, Matrix4());
        g_pQuorelDevice->SetCullMode(kCullNone);
        object.Render(0.0, false);
        g_pQuorelDevice->EndScene();
        std::vector<uint8_t> pixel;
        EXPECT_TRUE(g_pQuorelDevice->ReadPixels(kWidth / 2, kHeight / 2, 1, 1, pixel));
        g_pQuorelDevice->Present();
        return pixel;
    };
    for (CQuorelGameObject* object : {&same, &apart, &fine}) {
        const std::vector<uint8_t> pixel = centre(*object);
        ASSERT_EQ(pixel.size(), 4u);
        EXPECT_NEAR(pixel[0], 200 * 128 / 255.0, 2) << object->GetName().GetText();
        EXPECT_NEAR(pixel[1], 150 * 192 / 255.0, 2) << object->GetName().GetText();
        EXPECT_NEAR(pixel[2], 100, 2) << object->GetName().GetText();
    }
    EXPECT_TRUE(same.HasBakedLightmap(0));
    EXPECT_FALSE(apart.HasBakedLightmap(0));
    EXPECT_FALSE(fine.HasBakedLightmap(0));
}
