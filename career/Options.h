// The game's options, kept in "\guifiles\Options.ini".
#pragma once

#include "engine/Str.h"

struct GameOptions {
    bool enableMusic = true;
    bool enableEffect = true;
    int musicVolume = 80;
    int effectVolume = 80;
    // Off until the 3D match can play a fixture: with it on, the user's matches would never be played.
    bool enable3DSimulation = false;
    bool enableFastSimulation = false;
    bool enableVisualEffects = true;
    bool enableVideoCube = true;
    bool enableLeagueSimulation = false;
    bool enableCountrySimulation = false;
    bool enableContinentSimulation = false;
    CStr tooltipFile = "guifiles\\tooltips.txt";
    CStr langFilePath = "guifiles\\lang_en.txt";
};

constexpr const char* kOptionsPath = "\\guifiles\\Options.ini";

// Missing keys keep their defaults; a flag is on unless its value is "0". A missing file is
// created with the defaults so the player can find and edit it. A file that cannot be read, or is
// not an options file, gives the defaults and sets unreadable (when given), so the player is told.
GameOptions LoadOptions(const char* gamePath = kOptionsPath, bool* unreadable = nullptr);
bool SaveOptions(const GameOptions& options, const char* gamePath = kOptionsPath);
