// The pictures of the information screens: one head-and-shoulders portrait per player, the empty
// portrait of a player without one, and the indicators' two trend arrows. Deterministic: the same
// player always gets the same face.
#pragma once

#include "Pictures.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int kPortraitWidth = 120;
constexpr int kPortraitHeight = 150;

struct PortraitSpec {
    int32_t id = 0;
    std::string name;
    int32_t skin = 0;   // 0 darker tones, other lighter
    int32_t number = 0; // shirt number, on the jersey
};

// The skin and hair colours of a look (match/PlayerLooks.h), as the portraits paint them.
void LookColours(int shade, int hair, bool darkTone, uint8_t skin[3], uint8_t hairColour[3]);

PictureCanvas DrawPlayerPortrait(const PortraitSpec& spec, const std::vector<unsigned char>& font);
// The grey silhouette shown for a player without a portrait.
PictureCanvas DrawEmptyPortrait();
// A 64 x 64 arrow, green pointing up or red pointing down.
PictureCanvas DrawTrendArrow(bool up);
