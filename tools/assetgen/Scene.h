// Generated scene models: a small arena with a lightmapped court, the ball and the scoreboard cube,
// with their textures.
#pragma once

#include "Images.h"

#include "engine/Model.h"

#include <string>

ModelData BuildArena();
ModelData BuildBall();
ModelData BuildCube();

Image CourtTexture();
Image CourtLightmap();
Image WallTexture();
Image BallTexture();
// Character skins: a flat colour with a few marks so the parts can be told apart on screen.
Image SkinTexture(uint8_t r, uint8_t g, uint8_t b, int stripes);
