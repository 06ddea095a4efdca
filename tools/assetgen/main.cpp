// assetgen: writes the generated 3D assets into a game folder. Deterministic: the same program always
// writes the same bytes, and files that already hold them are left alone.
// Usage: assetgen <game folder> [crest font]
#include "Character.h"
#include "FunShopPictures.h"
#include "Images.h"
#include "Pictures.h"
#include "Portraits.h"
#include "Scene.h"
#include "TicketPictures.h"

#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/Model.h"
#include "platform/Image.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
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

static std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A game path ("images\\WinObjects\\...") as a path under the game folder.
static std::string GameRelative(const CStr& gamePath) {
    std::string path = gamePath.GetText();
    std::replace(path.begin(), path.end(), '\\', '/');
    while (!path.empty() && path.front() == '/')
        path.erase(path.begin());
    return path;
}

// The shirt of every kit number a club of any data set wears at home or away.
static bool WriteKits(const fs::path& root) {
    std::set<int> kits;
    for (int32_t dataSet : {kDataSetLeague, kDataSetEuroCup, kDataSetWorldCup}) {
        CMemoryDB db;
        if (!db.LoadFolder((root / GameRelative(DataSetFolder(dataSet))).string().c_str()))
            continue;
        for (const CTeam* team : db.teams) {
            kits.insert(team->homeKit);
            kits.insert(team->awayKit);
        }
    }
    bool ok = true;
    for (int kit : kits) {
        char name[64];
        std::snprintf(name, sizeof name, "characters/textures/mez_%.2d.dds", kit);
        ok &= WriteIfChanged(root, name, EncodeDds(KitTexture(kit)));
    }
    return ok;
}

// The crest of every club of every data set at the path its record names, the default crest, the
// arena's eighteen layers (planned and built) and the two pixels of the stage bars.
static bool WriteClubPictures(const fs::path& root, const std::string& fontPath) {
    std::vector<unsigned char> font = fontPath.empty() ? std::vector<unsigned char>() : ReadFile(fontPath);
    if (!fontPath.empty() && font.empty())
        std::fprintf(stderr, "assetgen: no font at %s, crests without initials\n", fontPath.c_str());
    bool ok = true;
    for (int32_t dataSet : {kDataSetLeague, kDataSetEuroCup, kDataSetWorldCup}) {
        CMemoryDB db;
        std::string folder = (root / GameRelative(DataSetFolder(dataSet))).string();
        if (!db.LoadFolder(folder.c_str())) {
            std::fprintf(stderr, "assetgen: cannot read the data set in %s\n", folder.c_str());
            ok = false;
            continue;
        }
        for (const CTeam* team : db.teams) {
            CStr path = ClubCrestPath(team);
            if (!path.IsEmpty())
                ok &= WriteIfChanged(root, GameRelative(path),
                                     DrawClubCrest(team->id, team->name.GetText(), font).Png());
        }
    }
    ok &= WriteKits(root);
    ok &=
        WriteIfChanged(root, "images/WinObjects/Logos/logo1.png", DrawClubCrest(-1, "Fastbreak", font).Png());
    for (int index = 0; index < 18; ++index) {
        char name[64];
        std::snprintf(name, sizeof name, "images/WinObjects/STADIONADVELEMENTS/kep%02da", index + 1);
        ok &= WriteIfChanged(root, std::string(name) + ".png", DrawArenaLayer(index, false).Png());
        ok &= WriteIfChanged(root, std::string(name) + "_f2.png", DrawArenaLayer(index, true).Png());
    }
    ok &= WriteIfChanged(root, "images/WinObjects/1x1/PX_szurke.png", DrawPixel(Paint{92, 100, 112}).Png());
    ok &= WriteIfChanged(root, "images/WinObjects/1x1/PX_zold.png", DrawPixel(Paint{60, 190, 80}).Png());
    // The training facility's stage icons: lit for a built stage, dark for one still to build.
    ok &= WriteIfChanged(root, "images/WinObjects/buttons/trainingchamp01.png",
                         DrawPixel(Paint{236, 176, 48}).Png());
    ok &= WriteIfChanged(root, "images/WinObjects/buttons/trainingchamp02.png",
                         DrawPixel(Paint{60, 66, 78}).Png());
    return ok;
}

// Every player of every data set at the path his record names, the empty portrait and the
// indicators' trend arrows.
static bool WritePlayerPictures(const fs::path& root, const std::string& fontPath) {
    std::vector<unsigned char> font = fontPath.empty() ? std::vector<unsigned char>() : ReadFile(fontPath);
    bool ok = true;
    for (int32_t dataSet : {kDataSetLeague, kDataSetEuroCup, kDataSetWorldCup}) {
        CMemoryDB db;
        std::string folder = (root / GameRelative(DataSetFolder(dataSet))).string();
        if (!db.LoadFolder(folder.c_str()))
            continue; // reported with the crests
        for (const CPlayer* player : db.players)
            if (!player->picture.IsEmpty()) {
                PortraitSpec spec{player->id, player->name.GetText(), player->skin,
                                  player->words[kWordShirtNumber]};
                ok &=
                    WriteIfChanged(root, GameRelative(player->picture), DrawPlayerPortrait(spec, font).Png());
            }
    }
    ok &= WriteIfChanged(root, "images/WinObjects/PLAYERPIC/NoPic.PNG", DrawEmptyPortrait().Png());
    ok &= WriteIfChanged(root, "images/WinObjects/PIC/up.png", DrawTrendArrow(true).Png());
    ok &= WriteIfChanged(root, "images/WinObjects/PIC/down.png", DrawTrendArrow(false).Png());
    return ok;
}

// The ticket screen's arena pictures for picture numbers 1-10: the street court, the school gym,
// the league and cup halls, and each hall once per seat class.
static bool WriteTicketPictures(const fs::path& root) {
    bool ok = true;
    for (int number = 1; number <= 10; ++number) {
        char name[96];
        std::snprintf(name, sizeof name, "images/WinObjects/STADION/STREETBALL/palya_%02d.jpg", number);
        ok &= WriteIfChanged(root, name, DrawTicketArena(ArenaLook::Street, number, -1, 775, 435).Jpg(90));
        std::snprintf(name, sizeof name, "images/WinObjects/STADION/SCOOLARENA/arena%02d.png", number);
        ok &= WriteIfChanged(root, name, DrawTicketArena(ArenaLook::School, number, -1, 775, 435).Png());
        for (const auto& [prefix, look] :
             {std::pair{"DAD", ArenaLook::Hall}, std::pair{"FIBA", ArenaLook::Cup}}) {
            std::snprintf(name, sizeof name, "images/WinObjects/TICKETS/%s_%d_775x435.png", prefix, number);
            ok &= WriteIfChanged(root, name, DrawTicketArena(look, number, -1, 775, 435).Png());
            for (int seatClass = 0; seatClass < 5; ++seatClass) {
                std::snprintf(name, sizeof name, "images/WinObjects/TICKETS/%s_%d_%s.png", prefix, number,
                              kSeatClassNames[seatClass]);
                ok &= WriteIfChanged(root, name, DrawTicketArena(look, number, seatClass, 388, 218).Png());
            }
        }
    }
    return ok;
}

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: assetgen <game folder> [crest font]\n");
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
    ok &= WriteIfChanged(root, "characters/textures/mez_01.dds", EncodeDds(KitTexture(1)));
    ok &= WriteIfChanged(root, "characters/textures/mez_02.dds", EncodeDds(KitTexture(2)));
    ok &= WriteIfChanged(root, "characters/textures/shoe_01.dds", EncodeDds(SkinTexture(240, 240, 240, 1)));
    ok &= WriteIfChanged(root, "characters/textures/KV_ref_skinface.dds",
                         EncodeDds(SkinTexture(225, 180, 150, 1)));
    ok &= WriteIfChanged(root, "characters/textures/KV_ref_cloth.dds", EncodeDds(SkinTexture(30, 30, 30, 3)));
    ok &=
        WriteIfChanged(root, "characters/textures/shoe_black_01.dds", EncodeDds(SkinTexture(20, 20, 20, 0)));

    ok &= WriteIfChanged(root, "objects/models/kv_ball.qmd", ModelBytes(BuildBall()));
    ok &= WriteIfChanged(root, "objects/models/kv_cube.qmd", ModelBytes(BuildCube()));
    ok &= WriteIfChanged(root, "objects/textures/ball.tga", EncodeTga(BallTexture()));
    ok &= WriteIfChanged(root, "objects/models/kv_logos.qmd", ModelBytes(BuildLogos()));
    ok &= WriteIfChanged(root, "objects/textures/logos.tga", EncodeTga(LogoBoardTexture()));
    for (const auto& [path, text] : SceneDescriptors())
        ok &= WriteIfChanged(root, path, text);
    // The plain hall the engine's own tests and benchmarks draw.
    const ArenaShape testHall{"", 0, "test_arena", 7.5f, 14.0f, 12.3f, {196, 142, 88}, {40, 70, 150}};
    std::vector<ArenaShape> halls = ArenaShapes();
    halls.push_back(testHall);
    for (const ArenaShape& shape : halls) {
        const std::string dir = shape.dir;
        ok &= WriteIfChanged(root, "Stadions/models/" + dir + "/arena.qmd", ModelBytes(BuildArena(shape)));
        ok &= WriteIfChanged(root, "Stadions/textures/" + dir + "/court.tga", EncodeTga(CourtTexture(shape)));
        ok &= WriteIfChanged(root, "Stadions/textures/" + dir + "/wall.tga", EncodeTga(WallTexture(shape)));
        ok &= WriteIfChanged(root, "Stadions/lightmaps/" + dir + "/court_lm.tga", EncodeTga(CourtLightmap()));
    }
    ok &= WriteClubPictures(root, argc == 3 ? argv[2] : "");
    ok &= WritePlayerPictures(root, argc == 3 ? argv[2] : "");
    ok &= WriteTicketPictures(root);
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
