// The engine's model file: OBJ conversion rules, the file round trip, and refusal of damaged files.
#include "engine/Model.h"
#include "engine/ObjImport.h"
#include "engine/Paths.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

const char* kCourtObj = "# two pieces\n"
                        "mtllib court.mtl\n"
                        "v 0 0 0\nv 1 0 0\nv 1 0 1\nv 0 0 1\nv 0 1 0\n"
                        "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                        "vn 0 1 0\n"
                        "o floor\n"
                        "usemtl wood\n"
                        "f 1/1/1 2/2/1 3/3/1 4/4/1\n"
                        "usemtl paint\n"
                        "f 1/1/1 3/3/1 4/4/1\n"
                        "g kijelzo_01\n"
                        "usemtl wood\n"
                        "f -5/1 -4/2 -1/3\n";

const char* kCourtMtl = "newmtl wood\n"
                        "Kd 0.5 0.25 1\n"
                        "map_Kd floor wood.png\n"
                        "map_Ka floor_lm.png\n"
                        "effect Standard\n"
                        "newmtl paint\n"
                        "d 0.5\n";

bool ReadCourtMtl(const std::string& name, std::string& text) {
    if (name != "court.mtl")
        return false;
    text = kCourtMtl;
    return true;
}

ModelData ImportCourt() {
    ModelData model;
    CStr error;
    EXPECT_TRUE(ImportObj(kCourtObj, ReadCourtMtl, model, error)) << error.GetText();
    return model;
}

} // namespace

TEST(ObjImport, GroupsMaterialsAndHandednessBecomeTheEngineConventions) {
    const ModelData model = ImportCourt();
    ASSERT_EQ(model.subObjects.size(), 2u);
    const ModelSubObject& floor = model.subObjects[0];
    EXPECT_STREQ(floor.name.GetText(), "floor");
    EXPECT_STREQ(model.subObjects[1].name.GetText(), "kijelzo_01");
    // Corners shared by both faces are stored once; the quad is fanned into two triangles.
    EXPECT_EQ(floor.vertices.size(), 4u);
    ASSERT_EQ(floor.batches.size(), 2u);
    EXPECT_EQ(floor.batches[0].indexCount, 6u);
    EXPECT_EQ(floor.batches[1].firstIndex, 6u);
    EXPECT_EQ(floor.batches[1].indexCount, 3u);

    ASSERT_EQ(model.materials.size(), 2u);
    const ModelMaterial& wood = model.materials[floor.batches[0].material];
    EXPECT_STREQ(wood.effect.GetText(), "Standard");
    EXPECT_STREQ(wood.diffuseTexture.GetText(), "floor wood.png"); // names may hold blanks
    EXPECT_STREQ(wood.lightmapTexture.GetText(), "floor_lm.png");
    EXPECT_FLOAT_EQ(wood.diffuse[1], 0.25f);
    const ModelMaterial& paint = model.materials[floor.batches[1].material];
    EXPECT_STREQ(paint.effect.GetText(), "Default");
    EXPECT_FLOAT_EQ(paint.diffuse[3], 0.5f);
    // The second sub-object reuses the first material rather than adding one.
    EXPECT_EQ(model.subObjects[1].batches[0].material, floor.batches[0].material);

    // z is mirrored and v flipped; the lightmap uses the same coordinates.
    const ModelVertex& corner = floor.vertices[2]; // OBJ vertex 3 (1 0 1), texture (1 1)
    EXPECT_FLOAT_EQ(corner.pos[2], -1.0f);
    EXPECT_FLOAT_EQ(corner.uv0[1], 0.0f);
    EXPECT_FLOAT_EQ(corner.uv1[0], corner.uv0[0]);
    // The mirrored floor still faces up: kept normals and computed ones agree.
    EXPECT_FLOAT_EQ(corner.normal[1], 1.0f);
    const ModelVertex& upright = model.subObjects[1].vertices[0];
    // The z = 0 wall faced +z in the OBJ, so it faces -z here, and its corners run clockwise from there.
    EXPECT_NEAR(upright.normal[2], -1.0f, 1e-5f);
    EXPECT_NEAR(upright.normal[1], 0.0f, 1e-5f);

    EXPECT_FLOAT_EQ(model.boundsMin.z, -1.0f);
    EXPECT_FLOAT_EQ(model.boundsMax.y, 1.0f);
    EXPECT_FLOAT_EQ(floor.boundsMax.y, 0.0f);
}

TEST(ObjImport, BrokenObjIsRefused) {
    ModelData model;
    CStr error;
    EXPECT_FALSE(ImportObj("v 0 0 0\nv 1 0 0\nf 1 2 3\n", nullptr, model, error));
    EXPECT_NE(error.Find("line 3"), -1);
    EXPECT_FALSE(ImportObj("v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 0\n", nullptr, model, error));
    EXPECT_FALSE(ImportObj("v 0 zero 0\n", nullptr, model, error));
    EXPECT_FALSE(ImportObj("# nothing here\nv 0 0 0\n", nullptr, model, error));
    // A missing material library is not fatal: materials keep their defaults.
    ASSERT_TRUE(ImportObj(
        "mtllib gone.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nusemtl x\nf 1 2 3\n",
        [](const std::string&, std::string&) { return false; }, model, error));
    EXPECT_STREQ(model.materials[0].effect.GetText(), "Default");
    EXPECT_TRUE(model.materials[0].diffuseTexture.IsEmpty());
}

TEST_F(TempDirTest, ModelFileRoundTripKeepsEverything) {
    const ModelData model = ImportCourt();
    ASSERT_TRUE(CreateDirectories("\\objects"));
    ASSERT_TRUE(SaveModelFile("\\objects\\court.qmd", model));
    ModelData back;
    ASSERT_TRUE(LoadModelFile("\\Objects\\COURT.qmd", back)); // game paths ignore letter case
    std::string a, b;
    WriteModel(model, a);
    WriteModel(back, b);
    EXPECT_EQ(a, b);
    ASSERT_EQ(back.subObjects.size(), model.subObjects.size());
    EXPECT_STREQ(back.subObjects[1].name.GetText(), "kijelzo_01");
    EXPECT_EQ(back.subObjects[0].indices, model.subObjects[0].indices);
    EXPECT_STREQ(back.materials[0].lightmapTexture.GetText(), "floor_lm.png");
    EXPECT_FLOAT_EQ(back.subObjects[0].vertices[2].pos[2], -1.0f);
}

TEST(ModelFile, DamagedFilesFailWithoutCrashing) {
    std::string good;
    WriteModel(ImportCourt(), good);
    ModelData model;
    CStr error;
    // Every truncation is refused.
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(ReadModel(good.substr(0, cut), model, error)) << cut;
    EXPECT_FALSE(ReadModel(good + "x", model, error));
    std::string bad = good;
    bad[0] = 'X';
    EXPECT_FALSE(ReadModel(bad, model, error));
    bad = good;
    bad[4] = 9; // version
    EXPECT_FALSE(ReadModel(bad, model, error));
    // A huge material count cannot fit the bytes that follow.
    bad = good;
    bad[8] = bad[9] = bad[10] = static_cast<char>(0xFF);
    EXPECT_FALSE(ReadModel(bad, model, error));

    // An index past the vertices, and a batch past the indices.
    ModelData tiny;
    tiny.materials.resize(1);
    tiny.subObjects.resize(1);
    tiny.subObjects[0].vertices.resize(3);
    tiny.subObjects[0].indices = {0, 1, 3};
    tiny.subObjects[0].batches = {{0, 0, 3}};
    std::string bytes;
    WriteModel(tiny, bytes);
    EXPECT_FALSE(ReadModel(bytes, model, error));
    tiny.subObjects[0].indices = {0, 1, 2};
    tiny.subObjects[0].batches = {{0, 0, 6}};
    WriteModel(tiny, bytes);
    EXPECT_FALSE(ReadModel(bytes, model, error));
    tiny.subObjects[0].batches = {{1, 0, 3}};
    WriteModel(tiny, bytes);
    EXPECT_FALSE(ReadModel(bytes, model, error));
    tiny.subObjects[0].batches = {{0, 0, 3}};
    tiny.subObjects[0].vertices[2].pos[1] = 4.0f; // outside the (empty) box written with it
    WriteModel(tiny, bytes);
    EXPECT_TRUE(ReadModel(bytes, model, error)) << error.GetText();
    // A box that does not hold its vertices would cull what is on screen: it is rebuilt.
    EXPECT_FLOAT_EQ(model.subObjects[0].boundsMax.y, 4.0f);
    EXPECT_FLOAT_EQ(model.boundsMax.y, 4.0f);
    EXPECT_FALSE(LoadModelFile("/nonexistent/dir/model.qmd", model));
}

// The generated scene models load and keep the measures the match relies on.
TEST(GeneratedModels, BallCubeAndArenaLoadWithTheirParts) {
    ModelData ball, cube, arena;
    ASSERT_TRUE(LoadModelFile(FB_GAME_DIR "/objects/models/kv_ball.qmd", ball));
    Vec3 centre;
    float radius = 0;
    EXPECT_NEAR(ball.boundsMax.y, 0.125f, 1e-3f);
    EXPECT_NEAR(ball.boundsMin.x, -0.125f, 1e-3f);
    ball.GetBoundingSphere(centre, radius);
    EXPECT_NEAR(centre.Length(), 0.0f, 1e-3f);

    ASSERT_TRUE(LoadModelFile(FB_GAME_DIR "/objects/models/kv_cube.qmd", cube));
    int screens = 0;
    for (const ModelSubObject& sub : cube.subObjects)
        for (const char* name : {"kijelzo_01", "kijelzo_02", "kijelzo_03", "kijelzo_04"})
            screens += sub.name.Equals(name) ? 1 : 0;
    EXPECT_EQ(screens, 4);

    ASSERT_TRUE(LoadModelFile(FB_GAME_DIR "/Stadions/models/test_arena/arena.qmd", arena));
    bool lightmapped = false;
    for (const ModelMaterial& m : arena.materials)
        lightmapped = lightmapped || !m.lightmapTexture.IsEmpty();
    EXPECT_TRUE(lightmapped);
    // The court floor is at y = 0 and covers the 15 x 28 court.
    EXPECT_FLOAT_EQ(arena.subObjects[0].boundsMax.y, 0.0f);
    EXPECT_LE(arena.subObjects[0].boundsMin.x, -7.5f);
    EXPECT_GE(arena.subObjects[0].boundsMax.z, 14.0f);
}
