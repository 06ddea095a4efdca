// Generated scene models: a small arena with a lightmapped court, the ball and the scoreboard cube,
// with their textures.
#pragma once

#include "Images.h"

#include "engine/Model.h"

#include <string>
#include <utility>
#include <vector>

// One arena family's hall: its descriptors' prefix and first level, its folder, the court's half
// extents and the board plane (as the match's arena geometry has them), the floor's and seats' colours.
struct ArenaShape {
    const char* prefix;
    int firstLevel;
    const char* dir;
    float halfX, halfZ, boardZ;
    uint8_t floor[3];
    uint8_t seats[3];
};
const std::vector<ArenaShape>& ArenaShapes();
ModelData BuildArena(const ArenaShape& shape);
ModelData BuildBall();
ModelData BuildCube();

Image CourtTexture(const ArenaShape& shape);
Image CourtLightmap();
Image WallTexture(const ArenaShape& shape);
Image BallTexture();
// Character skins: a flat colour with a few marks so the parts can be told apart on screen.
Image SkinTexture(uint8_t r, uint8_t g, uint8_t b, int stripes);

// The advertising boards along the side lines that the cup tournaments put up.
ModelData BuildLogos();
Image LogoBoardTexture();
// The shirt of kit number n: a colour of its own with a band, so two kits on court differ.
Image KitTexture(int number);
// The scene descriptors the match loads: every arena and the fixed objects, as (path under the
// game folder, file text).
std::vector<std::pair<std::string, std::string>> SceneDescriptors();
