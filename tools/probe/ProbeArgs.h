// The probe's command line: where to run, the options for this run, the career to open and the
// steps to play through the game's own screens.
#pragma once

#include "career/Options.h"

#include <string>
#include <vector>

enum class ProbeStepKind {
    Days,
    Continue,
    Open,
    Click,
    Select,
    Type,
    Save,
    Dump,
    DumpLedger,
    DumpDate,
    MatchHud,   // a scripted 3D match of the user's club under the in-match display
    MatchScore, // the scripted match's score: count home, text away
    AdvanceMs,  // the display's clock on by count milliseconds, a frame every 100
    Frames,     // count frames of the match watched on the match centre
    ShopLevel,  // the club's fun-shop building at level count (0-4), as the stadium builds it
};

struct ProbeStep {
    ProbeStepKind kind = ProbeStepKind::Continue;
    std::string target; // an element or window: a number or a name from guidefines.h
    int count = 0;      // days to run, or the row to select
    std::string text;   // typed text, or the manager name to save under
};

struct ProbeArgs {
    std::string dataDir = ".";
    bool seeded = false;
    unsigned int seed = 0;
    std::vector<std::pair<std::string, std::string>> settings; // Options.ini key, value
    int newCareerClub = -1;                                    // -1: load instead
    int dataSet = 0;
    std::string loadName;
    std::vector<ProbeStep> steps;
    bool help = false;
};

// False with one sentence in error for anything the probe cannot run.
bool ParseProbeArgs(const std::vector<std::string>& args, ProbeArgs& out, std::string& error);

// Sets the option an Options.ini key names; an unknown key or a value out of range is an error.
bool ApplyOptionSetting(GameOptions& options, const std::string& key, const std::string& value,
                        std::string& error);

// A whole non-negative decimal number; false for anything else.
bool ParseCount(const std::string& text, int& value);

extern const char* const kProbeUsage;
