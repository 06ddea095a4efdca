// Generated scene models: a small arena with a lightmapped court, the ball and the scoreboard cube,
// with their textures.
#pragma once

#include "Images.h"

#include "engine/Model.h"

#include <string>
#include <utility>
#include <vector>

ModelData BuildArena();
ModelData BuildBall();
ModelData BuildCube();

Image CourtTexture();
Image CourtLightmap();
Image WallTexture();
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
