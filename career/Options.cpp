// Options file reading and writing.
#include "career/Options.h"

#include "engine/Ini.h"
#include "engine/Log.h"
#include "engine/Paths.h"

#include <algorithm>
#include <string>

static bool ReadFlag(const char* section, const char* key, bool fallback, const char* path) {
    CStr value = IniGetString(section, key, "", path);
    value.Trim();
    if (value.IsEmpty())
        return fallback;
    return value.NotEquals("0");
}

static int ReadVolume(const char* key, int fallback, const char* path) {
    CStr value = IniGetString("SOUND", key, "", path);
    if (value.IsEmpty())
        return fallback;
    return std::clamp(value.ToInt(), 0, 100);
}

// Whether the text can be an options file: words in lines, and a section once there is more than
// blanks and comments. A file of other bytes (a picture saved over it, a disk error) is not one.
static bool ReadsAsOptions(const std::string& text) {
    bool section = false, other = false;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(begin, end - begin);
        begin = end + 1;
        for (char c : line)
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r')
                return false;
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == ';' || line[first] == '#')
            continue;
        if (line[first] == '[' && line.find(']', first) != std::string::npos)
            section = true;
        else if (!section)
            other = true;
    }
    return section || !other;
}

GameOptions LoadOptions(const char* gamePath, bool* unreadable) {
    GameOptions o;
    if (unreadable)
        *unreadable = false;
    if (!FileExists(gamePath) && !DirectoryExists(gamePath)) {
        QuorelLog("[LoadOptions] %s missing: writing the defaults", gamePath);
        SaveOptions(o, gamePath);
        return o;
    }
    std::string text;
    if (!ReadWholeFile(gamePath, text) || !ReadsAsOptions(text)) {
        QuorelLog("[LoadOptions] %s cannot be read as options: the defaults are used", gamePath);
        if (unreadable)
            *unreadable = true;
        return o;
    }
    o.enableMusic = ReadFlag("SOUND", "EnableMusic", o.enableMusic, gamePath);
    o.enableEffect = ReadFlag("SOUND", "EnableEffect", o.enableEffect, gamePath);
    o.musicVolume = ReadVolume("MusicVolume", o.musicVolume, gamePath);
    o.effectVolume = ReadVolume("EffectVolume", o.effectVolume, gamePath);
    o.enable3DSimulation = ReadFlag("VISUAL", "Enable3DSimulation", o.enable3DSimulation, gamePath);
    o.enableFastSimulation = ReadFlag("VISUAL", "EnableFastSimulation", o.enableFastSimulation, gamePath);
    o.enableVisualEffects = ReadFlag("VISUAL", "EnableVisualEffects", o.enableVisualEffects, gamePath);
    o.enableVideoCube = ReadFlag("VISUAL", "EnableVideoCube", o.enableVideoCube, gamePath);
    o.enableLeagueSimulation =
        ReadFlag("PERFORMANCE", "EnableLeagueSimulation", o.enableLeagueSimulation, gamePath);
    o.enableCountrySimulation =
        ReadFlag("PERFORMANCE", "EnableCountrySimulation", o.enableCountrySimulation, gamePath);
    o.enableContinentSimulation =
        ReadFlag("PERFORMANCE", "EnableContinentSimulation", o.enableContinentSimulation, gamePath);
    CStr tooltips = IniGetString("LOCAL_FILES", "TooltipFile", "", gamePath);
    if (!tooltips.IsEmpty())
        o.tooltipFile = tooltips;
    CStr language = IniGetString("LOCAL_FILES", "LangFilePath", "", gamePath);
    if (!language.IsEmpty())
        o.langFilePath = language;
    return o;
}

bool SaveOptions(const GameOptions& o, const char* gamePath) {
    auto flag = [](bool on) { return on ? "1" : "0"; };
    CStr music = CStr::Formatted("%d", o.musicVolume), effect = CStr::Formatted("%d", o.effectVolume);
    bool ok = IniWriteString("SOUND", "EnableMusic", flag(o.enableMusic), gamePath);
    ok = IniWriteString("SOUND", "EnableEffect", flag(o.enableEffect), gamePath) && ok;
    ok = IniWriteString("SOUND", "MusicVolume", music.GetText(), gamePath) && ok;
    ok = IniWriteString("SOUND", "EffectVolume", effect.GetText(), gamePath) && ok;
    ok = IniWriteString("VISUAL", "Enable3DSimulation", flag(o.enable3DSimulation), gamePath) && ok;
    ok = IniWriteString("VISUAL", "EnableFastSimulation", flag(o.enableFastSimulation), gamePath) && ok;
    ok = IniWriteString("VISUAL", "EnableVisualEffects", flag(o.enableVisualEffects), gamePath) && ok;
    ok = IniWriteString("VISUAL", "EnableVideoCube", flag(o.enableVideoCube), gamePath) && ok;
    ok = IniWriteString("PERFORMANCE", "EnableLeagueSimulation", flag(o.enableLeagueSimulation), gamePath) &&
         ok;
    ok =
        IniWriteString("PERFORMANCE", "EnableCountrySimulation", flag(o.enableCountrySimulation), gamePath) &&
        ok;
    ok = IniWriteString("PERFORMANCE", "EnableContinentSimulation", flag(o.enableContinentSimulation),
                        gamePath) &&
         ok;
    ok = IniWriteString("LOCAL_FILES", "TooltipFile", o.tooltipFile.GetText(), gamePath) && ok;
    ok = IniWriteString("LOCAL_FILES", "LangFilePath", o.langFilePath.GetText(), gamePath) && ok;
    if (!ok)
        QuorelLog("[SaveOptions] cannot write %s", gamePath);
    return ok;
}
