// 3D drawing with the conventions the game code assumes: row vectors, left-handed view, depth 0..1,
// clockwise front faces, effects by name, lights and the unlit texture stage.
#include "GlFixture.h"

#include "engine/Camera.h"
#include "engine/Color.h"
#include "engine/Effect.h"
#include "engine/Frustum.h"
#include "engine/Lights.h"
#include "engine/Texture.h"

namespace {

// A square in the plane z = depth, facing the camera, wound clockwise (or not) as seen from -z.
void MakeSquare(CQuorelMesh& mesh, float depth, float half, bool clockwise) {
    std::vector<QuorelVertex> v(4);
    const float corners[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
    for (int i = 0; i < 4; ++i) {
        v[i].pos[0] = corners[i][0] * half;
        v[i].pos[1] = corners[i][1] * half;
        v[i].pos[2] = depth;
        v[i].normal[2] = -1.0f;
        v[i].uv0[0] = (corners[i][0] + 1) / 2;
        v[i].uv0[1] = (1 - corners[i][1]) / 2;
    }
    std::vector<uint32_t> indices =
        clockwise ? std::vector<uint32_t>{0, 1, 2, 0, 2, 3} : std::vector<uint32_t>{0, 2, 1, 0, 3, 2};
    mesh.SetData(std::move(v), std::move(indices));
}

QuorelMaterial Flat(float r, float g, float b) {
    QuorelMaterial m;
    m.diffuse[0] = r;
    m.diffuse[1] = g;
    m.diffuse[2] = b;
    m.ambient[0] = r;
    m.ambient[1] = g;
    m.ambient[2] = b;
    return m;
}

} // namespace

class SceneTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        g_pQuorelCamera->LookAt(Vec3(0, 0, -5), Vec3(0, 0, 0), Vec3(0, 1, 0));
        g_pQuorelCamera->Apply();
        g_pQuorelLights->Clear();
        g_pQuorelLights->SetAmbient(1, 1, 1); // flat colours, whatever the normals
        m_device->SetTransform(kTransformWorld, Matrix4::Identity());
    }
};

TEST_F(SceneTest, EveryNamedEffectExistsAndUnknownNamesDoNot) {
    for (const char* name :
         {"BaseEffects", "BumpRefl", "Standard", "SpecularMap", "Default", "Sample", "DiffOld"}) {
        CQuorelEffect* effect = m_device->GetEffect(name);
        ASSERT_NE(effect, nullptr) << name;
        EXPECT_NE(effect->Program(), 0u) << name;
    }
    EXPECT_EQ(m_device->GetEffect("NoSuchEffect"), nullptr);
}

TEST_F(SceneTest, ClockwiseFacesShowAndCounterClockwiseFacesAreCulled) {
    CQuorelMesh front, back;
    MakeSquare(front, 0.0f, 1.0f, true);
    MakeSquare(back, 0.0f, 1.0f, false);
    m_device->SetMaterial(Flat(1, 0, 0));
    m_device->DrawMesh(front, m_device->GetEffect("Default"));
    EXPECT_TRUE(Near(At(512, 384), 255, 0, 0)) << Describe(At(512, 384));

    m_device->Clear(0x000000FF);
    m_device->DrawMesh(back, m_device->GetEffect("Default"));
    EXPECT_TRUE(Near(At(512, 384), 0, 0, 0)) << "a counter-clockwise face is a back face";

    m_device->SetCullMode(kCullNone);
    m_device->DrawMesh(back, m_device->GetEffect("Default"));
    EXPECT_TRUE(Near(At(512, 384), 255, 0, 0)) << "culling off shows both sides";
    m_device->Clear(0x000000FF);
    m_device->SetCullMode(kCullCW);
    m_device->DrawMesh(front, m_device->GetEffect("Default"));
    EXPECT_TRUE(Near(At(512, 384), 0, 0, 0)) << "culling clockwise hides front faces";
}

TEST_F(SceneTest, NearerSurfacesHideFartherOnesWhateverTheOrder) {
    CQuorelMesh nearSquare, farSquare;
    MakeSquare(nearSquare, -1.0f, 0.5f, true);
    MakeSquare(farSquare, 2.0f, 2.0f, true);
    m_device->SetMaterial(Flat(0, 1, 0));
    m_device->DrawMesh(nearSquare, nullptr);
    m_device->SetMaterial(Flat(0, 0, 1));
    m_device->DrawMesh(farSquare, nullptr);
    EXPECT_TRUE(Near(At(512, 384), 0, 255, 0)) << Describe(At(512, 384));
    EXPECT_TRUE(Near(At(512, 250), 0, 0, 255)) << "the far square shows around the near one";
}

TEST_F(SceneTest, RowVectorWorldTransformsAndLeftHandedAxes) {
    CQuorelMesh square;
    MakeSquare(square, 0.0f, 0.25f, true);
    m_device->SetMaterial(Flat(1, 1, 1));
    Matrix4 right;
    MatrixTranslation(right, 1.5f, 0.0f, 0.0f); // +x is screen right when looking down +z
    m_device->SetTransform(kTransformWorld, right);
    m_device->DrawMesh(square, nullptr);
    InkBox ink = Ink(QuorelRect(0, 0, 1024, 768));
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.CentreX(), 600);
    EXPECT_NEAR(ink.CentreY(), 384, 3);

    // World = rotate a quarter turn about y, then translate up: the square ends above the centre.
    m_device->Clear(0x000000FF);
    Matrix4 turn, up, world;
    MatrixRotationY(turn, 3.14159265f);
    MatrixTranslation(up, 0.0f, 1.0f, 0.0f);
    MatrixMultiply(world, turn, up);
    m_device->SetCullMode(kCullNone);
    m_device->SetTransform(kTransformWorld, world);
    m_device->DrawMesh(square, nullptr);
    InkBox above = Ink(QuorelRect(0, 0, 1024, 768));
    EXPECT_NEAR(above.CentreX(), 512, 3);
    EXPECT_LT(above.CentreY(), 300);
    EXPECT_EQ(m_device->GetTransform(kTransformWorld), world);
}

TEST_F(SceneTest, DirectionalLightShadesByAngleAndTheUnlitStageIgnoresIt) {
    g_pQuorelLights->SetAmbient(0, 0, 0);
    QuorelLight light;
    light.direction = Vec3(0, 0, 1); // shining away from the camera, onto the square's face
    g_pQuorelLights->Add(light);
    CQuorelMesh square;
    MakeSquare(square, 0.0f, 1.0f, true);
    m_device->SetMaterial(Flat(1, 1, 1));
    m_device->DrawMesh(square, m_device->GetEffect("Standard"));
    EXPECT_TRUE(Near(At(512, 384), 255, 255, 255)) << Describe(At(512, 384));

    g_pQuorelLights->GetLight(0)->direction = Vec3(0, 0, -1); // from behind: dark
    m_device->DrawMesh(square, m_device->GetEffect("Standard"));
    EXPECT_TRUE(Near(At(512, 384), 0, 0, 0)) << Describe(At(512, 384));

    CQuorelTexture red;
    red.SetPixels(1, 1, {255, 0, 0, 255});
    m_device->SetTexture(0, &red);
    m_device->SetTextureUnlit(true);
    m_device->DrawMesh(square, m_device->GetEffect("Standard"));
    EXPECT_TRUE(Near(At(512, 384), 255, 0, 0)) << "the scoreboard faces show their texture unlit";
    m_device->SetTextureUnlit(false);
    m_device->SetTexture(0, nullptr);
}

TEST_F(SceneTest, PointLightsLightmapsAndHighlightsEachShapeOnlyTheDrawsThatUseThem) {
    g_pQuorelLights->SetAmbient(0, 0, 0);
    CQuorelMesh square;
    MakeSquare(square, 0.0f, 1.0f, true);
    m_device->SetMaterial(Flat(1, 1, 1));
    CQuorelEffect* standard = m_device->GetEffect("Standard");

    // A point light in front of the square: full strength in its range, nothing past it.
    QuorelLight lamp;
    lamp.type = QuorelLight::kPoint;
    lamp.position = Vec3(0, 0, -1);
    lamp.range = 5.0f;
    g_pQuorelLights->Add(lamp);
    m_device->DrawMesh(square, standard);
    EXPECT_TRUE(Near(At(512, 384), 255, 255, 255)) << Describe(At(512, 384));
    g_pQuorelLights->GetLight(0)->range = 0.5f;
    m_device->DrawMesh(square, standard);
    EXPECT_TRUE(Near(At(512, 384), 0, 0, 0)) << Describe(At(512, 384));
    // Twice the distance with linear fall-off: half the light.
    g_pQuorelLights->GetLight(0)->range = 5.0f;
    g_pQuorelLights->GetLight(0)->attenuation[0] = 0.0f;
    g_pQuorelLights->GetLight(0)->attenuation[1] = 1.0f;
    g_pQuorelLights->GetLight(0)->position = Vec3(0, 0, -2);
    m_device->DrawMesh(square, standard);
    EXPECT_TRUE(Near(At(512, 384), 128, 128, 128, 12)) << Describe(At(512, 384));

    // Every light counts: two directional lights at half strength light as one at full.
    g_pQuorelLights->Clear();
    QuorelLight half;
    half.direction = Vec3(0, 0, 1);
    half.diffuse[0] = half.diffuse[1] = half.diffuse[2] = 0.5f;
    g_pQuorelLights->Add(half);
    m_device->DrawMesh(square, standard);
    EXPECT_TRUE(Near(At(512, 384), 128, 128, 128, 12)) << Describe(At(512, 384));
    g_pQuorelLights->Add(half);
    m_device->DrawMesh(square, standard);
    EXPECT_TRUE(Near(At(512, 384), 255, 255, 255)) << Describe(At(512, 384));

    // Back to one directional light: a lightmap darkens the base texture; without it, nothing does.
    g_pQuorelLights->Clear();
    QuorelLight sun;
    sun.direction = Vec3(0, 0, 1);
    g_pQuorelLights->Add(sun);
    CQuorelTexture grey;
    grey.SetPixels(1, 1, {128, 128, 128, 255});
    m_device->SetTexture(1, &grey);
    m_device->DrawMesh(square, standard);
    EXPECT_TRUE(Near(At(512, 384), 128, 128, 128, 12)) << Describe(At(512, 384));
    m_device->SetTexture(1, nullptr);
    m_device->DrawMesh(square, standard);
    EXPECT_TRUE(Near(At(512, 384), 255, 255, 255)) << Describe(At(512, 384));

    // A highlight toward the eye lifts a dim material under the specular effects only.
    g_pQuorelLights->GetLight(0)->specular[0] = g_pQuorelLights->GetLight(0)->specular[1] =
        g_pQuorelLights->GetLight(0)->specular[2] = 1.0f;
    QuorelMaterial shiny = Flat(0.25f, 0.25f, 0.25f);
    shiny.specular[0] = shiny.specular[1] = shiny.specular[2] = 1.0f;
    shiny.power = 8.0f;
    m_device->SetMaterial(shiny);
    m_device->DrawMesh(square, standard);
    EXPECT_TRUE(Near(At(512, 384), 64, 64, 64, 12)) << Describe(At(512, 384));
    m_device->DrawMesh(square, m_device->GetEffect("SpecularMap"));
    EXPECT_TRUE(Near(At(512, 384), 255, 255, 255)) << Describe(At(512, 384));
}

TEST_F(SceneTest, RenderTargetShowsTheSceneTheRightWayUp) {
    std::unique_ptr<CQuorelRenderTarget> target(m_device->CreateRenderTarget(128, 128));
    ASSERT_NE(target, nullptr);
    CQuorelMesh square;
    MakeSquare(square, 0.0f, 0.5f, true);
    Matrix4 up;
    MatrixTranslation(up, 0.0f, 1.0f, 0.0f);
    ASSERT_TRUE(m_device->BeginRenderTarget(target.get()));
    m_device->Clear(0x000000FF);
    m_device->SetMaterial(Flat(1, 1, 0));
    m_device->SetTransform(kTransformWorld, up);
    m_device->DrawMesh(square, nullptr); // front faces stay front faces in a target too
    InkBox ink = Ink(QuorelRect(0, 0, 128, 128));
    m_device->EndRenderTarget();
    ASSERT_FALSE(ink.Empty());
    EXPECT_LT(ink.CentreY(), 64) << "up in the world is up in the target";
}

TEST_F(SceneTest, MeshesBuiltOnAWorkerDrawOnTheMainThread) {
    CQuorelMesh square;
    std::thread worker([&] { MakeSquare(square, 0.0f, 1.0f, true); });
    worker.join();
    m_device->SetMaterial(Flat(1, 0, 1));
    m_device->DrawMesh(square, nullptr);
    EXPECT_TRUE(Near(At(512, 384), 255, 0, 255));
}

TEST_F(SceneTest, IndicesPastTheVerticesAreDropped) {
    CQuorelMesh mesh;
    std::vector<QuorelVertex> v(3);
    mesh.SetData(v, {0, 1, 2, 0, 1, 99});
    EXPECT_EQ(mesh.IndexCount(), 3);
    m_device->DrawMesh(mesh, nullptr, 0, 300); // an out-of-range count draws nothing rather than reading past
}
