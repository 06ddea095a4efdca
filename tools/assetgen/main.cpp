// assetgen: writes the generated 3D assets into a game folder. Deterministic: the same program always
// writes the same bytes, and files that already hold them are left alone.
// Usage: assetgen <game folder>
#include "Character.h"
#include "FunShopPictures.h"
#include "Images.h"
#include "Scene.h"

#include "engine/Model.h"
#include "platform/Image.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

static bool WriteIfChanged(const fs::path& root, const std::string& relative, const std::string& bytes) {
    const fs::path path = root / relative;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::ostringstream old;
            old << in.rdbuf();
            if (old.str() == bytes)
                return true;
        }
    }
    std::ofstream out(path, std::ios::binary);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

static std::string ModelBytes(const ModelData& model) {
    std::string bytes;
    WriteModel(model, bytes);
    return bytes;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen <game folder>\n");
        return 2;
    }
    const fs::path root = argv[1];
    bool ok = true;
    ok &= WriteIfChanged(root, "characters/multianim.X", BuildCharacterX(PlayerRecipe()));
    ok &= WriteIfChanged(root, "characters/referree_mutianim.x", BuildCharacterX(RefereeRecipe()));
    // Textures for the materials the models name, plus a second kit and the other skin so the
    // per-character texture lists have something to choose from.
    ok &=
        WriteIfChanged(root, "characters/textures/head_black_01.dds", EncodeDds(SkinTexture(110, 72, 50, 1)));
    ok &= WriteIfChanged(root, "characters/textures/head_white_01.dds",
                         EncodeDds(SkinTexture(235, 195, 170, 1)));
    ok &=
        WriteIfChanged(root, "characters/textures/body_black_01.dds", EncodeDds(SkinTexture(110, 72, 50, 0)));
    ok &= WriteIfChanged(root, "characters/textures/body_white_01.dds",
                         EncodeDds(SkinTexture(235, 195, 170, 0)));
    ok &= WriteIfChanged(root, "characters/textures/mez_01.dds", EncodeDds(SkinTexture(200, 30, 30, 2)));
    ok &= WriteIfChanged(root, "characters/textures/mez_02.dds", EncodeDds(SkinTexture(30, 60, 200, 2)));
    ok &= WriteIfChanged(root, "characters/textures/shoe_01.dds", EncodeDds(SkinTexture(240, 240, 240, 1)));
    ok &= WriteIfChanged(root, "characters/textures/KV_ref_skinface.dds",
                         EncodeDds(SkinTexture(225, 180, 150, 1)));
    ok &= WriteIfChanged(root, "characters/textures/KV_ref_cloth.dds", EncodeDds(SkinTexture(30, 30, 30, 3)));
    ok &=
        WriteIfChanged(root, "characters/textures/shoe_black_01.dds", EncodeDds(SkinTexture(20, 20, 20, 0)));

    ok &= WriteIfChanged(root, "objects/models/kv_ball.qmd", ModelBytes(BuildBall()));
    ok &= WriteIfChanged(root, "objects/models/kv_cube.qmd", ModelBytes(BuildCube()));
    ok &= WriteIfChanged(root, "objects/textures/ball.tga", EncodeTga(BallTexture()));
    ok &= WriteIfChanged(root, "Stadions/models/test_arena/arena.qmd", ModelBytes(BuildArena()));
    ok &= WriteIfChanged(root, "Stadions/textures/test_arena/court.tga", EncodeTga(CourtTexture()));
    ok &= WriteIfChanged(root, "Stadions/textures/test_arena/wall.tga", EncodeTga(WallTexture()));
    ok &= WriteIfChanged(root, "Stadions/lightmaps/test_arena/court_lm.tga", EncodeTga(CourtLightmap()));
    // The fun shop's item pictures, pic001.png ... pic016.png.
    for (int item = 0; item < 16; ++item) {
        const Image picture = FunShopPicture(item);
        char name[64];
        std::snprintf(name, sizeof name, "images/WinObjects/FUNSHOP/pic%03d.png", item + 1);
        const fs::path path = root / name;
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        ok &= PlatformWritePng(path.string().c_str(), picture.width, picture.height, picture.rgba.data());
    }
    return ok ? 0 : 1;
}
