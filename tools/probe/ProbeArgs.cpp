// Reading the probe's command line and the option overrides it carries.
#include "ProbeArgs.h"

#include <charconv>
#include <strings.h>

const char* const kProbeUsage =
    "usage: probe [--data DIR] [--seed N] [--set KEY=VALUE]...\n"
    "             (--new-career N [--mode league|eurocup|worldcup] | --load NAME) [STEP]...\n"
    "steps: --days N, --continue, --open WINDOW, --click ID, --select ID ROW, --type ID TEXT,\n"
    "       --save NAME, --dump ID, --dump-ledger, --dump-date,\n"
    "       --match-hud, --match-score HOME AWAY, --advance-ms N, --frames N, --shop-level N\n";

bool ParseCount(const std::string& text, int& value) {
    if (text.empty())
        return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= 0;
}

namespace {

bool ParseFlag(const std::string& key, const std::string& value, bool& flag, std::string& error) {
    if (value != "0" && value != "1") {
        error = key + " takes 0 or 1, not '" + value + "'.";
        return false;
    }
    flag = value == "1";
    return true;
}

bool ParseVolume(const std::string& key, const std::string& value, int& volume, std::string& error) {
    int parsed = 0;
    if (!ParseCount(value, parsed) || parsed > 100) {
        error = key + " takes a volume from 0 to 100, not '" + value + "'.";
        return false;
    }
    volume = parsed;
    return true;
}

} // namespace

bool ApplyOptionSetting(GameOptions& o, const std::string& key, const std::string& value,
                        std::string& error) {
    // The names are Options.ini's; the file's keys are read without regard to case, so these are too.
    struct FlagKey {
        const char* name;
        bool GameOptions::*field;
    };
    static constexpr FlagKey kFlags[] = {
        {"EnableMusic", &GameOptions::enableMusic},
        {"EnableEffect", &GameOptions::enableEffect},
        {"Enable3DSimulation", &GameOptions::enable3DSimulation},
        {"EnableFastSimulation", &GameOptions::enableFastSimulation},
        {"EnableVisualEffects", &GameOptions::enableVisualEffects},
        {"EnableVideoCube", &GameOptions::enableVideoCube},
        {"EnableLeagueSimulation", &GameOptions::enableLeagueSimulation},
        {"EnableCountrySimulation", &GameOptions::enableCountrySimulation},
        {"EnableContinentSimulation", &GameOptions::enableContinentSimulation},
    };
    auto is = [&key](const char* name) { return strcasecmp(key.c_str(), name) == 0; };
    for (const FlagKey& flag : kFlags)
        if (is(flag.name))
            return ParseFlag(flag.name, value, o.*flag.field, error);
    if (is("MusicVolume"))
        return ParseVolume("MusicVolume", value, o.musicVolume, error);
    if (is("EffectVolume"))
        return ParseVolume("EffectVolume", value, o.effectVolume, error);
    if (is("TooltipFile") || is("LangFilePath")) {
        if (value.empty()) {
            error = key + " needs a file name.";
            return false;
        }
        (is("TooltipFile") ? o.tooltipFile : o.langFilePath) = CStr(value);
        return true;
    }
    error = "'" + key + "' is not an option of Options.ini.";
    return false;
}

bool ParseProbeArgs(const std::vector<std::string>& args, ProbeArgs& out, std::string& error) {
    out = ProbeArgs();
    bool chosen = false;
    std::string mode;
    size_t i = 0;
    // The value after an option; false with a sentence when the command line ends first.
    auto next = [&](const std::string& option, const char* what, std::string& value) {
        if (i + 1 >= args.size()) {
            error = option + " needs " + what + ".";
            return false;
        }
        value = args[++i];
        return true;
    };
    auto count = [&](const std::string& option, const char* what, int& value) {
        std::string text;
        if (!next(option, what, text))
            return false;
        if (!ParseCount(text, value)) {
            error = option + " needs " + what + ", not '" + text + "'.";
            return false;
        }
        return true;
    };
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        ProbeStep step;
        if (a == "--help" || a == "-h") {
            out.help = true;
            return true;
        } else if (a == "--data") {
            if (!next(a, "a game folder", out.dataDir))
                return false;
        } else if (a == "--seed") {
            int seed = 0;
            if (!count(a, "a non-negative number", seed))
                return false;
            out.seeded = true;
            out.seed = static_cast<unsigned int>(seed);
        } else if (a == "--set") {
            std::string setting;
            if (!next(a, "KEY=VALUE", setting))
                return false;
            size_t eq = setting.find('=');
            if (eq == std::string::npos || eq == 0) {
                error = "--set needs KEY=VALUE, not '" + setting + "'.";
                return false;
            }
            // Checked here so a wrong key stops the run before anything is loaded.
            GameOptions scratch;
            if (!ApplyOptionSetting(scratch, setting.substr(0, eq), setting.substr(eq + 1), error))
                return false;
            out.settings.emplace_back(setting.substr(0, eq), setting.substr(eq + 1));
        } else if (a == "--new-career" || a == "--load") {
            if (chosen) {
                error = "Give one of --new-career and --load, once.";
                return false;
            }
            chosen = true;
            if (a == "--new-career" ? !count(a, "a club number", out.newCareerClub)
                                    : !next(a, "a manager name or profile id", out.loadName))
                return false;
        } else if (a == "--mode") {
            if (!next(a, "league, eurocup or worldcup", mode))
                return false;
            if (mode == "league")
                out.dataSet = 0;
            else if (mode == "eurocup")
                out.dataSet = 1;
            else if (mode == "worldcup")
                out.dataSet = 2;
            else {
                error = "--mode takes league, eurocup or worldcup, not '" + mode + "'.";
                return false;
            }
        } else if (a == "--days") {
            step.kind = ProbeStepKind::Days;
            if (!count(a, "a number of days", step.count))
                return false;
            out.steps.push_back(step);
        } else if (a == "--shop-level") {
            step.kind = ProbeStepKind::ShopLevel;
            if (!count(a, "a level of 0 to 4", step.count))
                return false;
            if (step.count > 4) {
                error = "--shop-level takes 0 to 4.";
                return false;
            }
            out.steps.push_back(step);
        } else if (a == "--continue") {
            step.kind = ProbeStepKind::Continue;
            out.steps.push_back(step);
        } else if (a == "--open" || a == "--click" || a == "--dump") {
            step.kind = a == "--open" ? ProbeStepKind::Open
                                      : (a == "--click" ? ProbeStepKind::Click : ProbeStepKind::Dump);
            if (!next(a, a == "--open" ? "a window" : "an element", step.target))
                return false;
            out.steps.push_back(step);
        } else if (a == "--select") {
            step.kind = ProbeStepKind::Select;
            if (!next(a, "an element and a row", step.target) || !count(a, "a row number", step.count))
                return false;
            out.steps.push_back(step);
        } else if (a == "--type") {
            step.kind = ProbeStepKind::Type;
            if (!next(a, "an element and a text", step.target) || !next(a, "a text", step.text))
                return false;
            out.steps.push_back(step);
        } else if (a == "--save") {
            step.kind = ProbeStepKind::Save;
            if (!next(a, "a manager name", step.text))
                return false;
            if (step.text.empty()) {
                error = "--save needs a manager name that is not empty.";
                return false;
            }
            out.steps.push_back(step);
        } else if (a == "--match-hud") {
            step.kind = ProbeStepKind::MatchHud;
            out.steps.push_back(step);
        } else if (a == "--match-score") {
            step.kind = ProbeStepKind::MatchScore;
            int away = 0;
            if (!count(a, "the home score", step.count) || !count(a, "the away score", away))
                return false;
            step.text = std::to_string(away);
            out.steps.push_back(step);
        } else if (a == "--advance-ms") {
            step.kind = ProbeStepKind::AdvanceMs;
            if (!count(a, "a number of milliseconds", step.count))
                return false;
            out.steps.push_back(step);
        } else if (a == "--frames") {
            step.kind = ProbeStepKind::Frames;
            if (!count(a, "a number of frames", step.count))
                return false;
            out.steps.push_back(step);
        } else if (a == "--dump-ledger" || a == "--dump-date") {
            step.kind = a == "--dump-ledger" ? ProbeStepKind::DumpLedger : ProbeStepKind::DumpDate;
            out.steps.push_back(step);
        } else {
            error = "'" + a + "' is not an option or step of the probe.";
            return false;
        }
    }
    if (!chosen) {
        error = "Give --new-career N or --load NAME.";
        return false;
    }
    if (!mode.empty() && out.newCareerClub < 0) {
        error = "--mode only goes with --new-career.";
        return false;
    }
    return true;
}
