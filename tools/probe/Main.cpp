// probe: plays the game headless through its own screens from the command line (see README.md).
#include "Probe.h"
#include "ProbeArgs.h"

#include "engine/Log.h"

#include <cstdio>
#include <filesystem>
#include <memory>

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    ProbeArgs args;
    std::string error;
    if (!ParseProbeArgs(words, args, error)) {
        fprintf(stderr, "probe: %s\n", error.c_str());
        return 2;
    }
    if (args.help) {
        fputs(kProbeUsage, stdout);
        return 0;
    }
    std::error_code ec;
    std::filesystem::current_path(args.dataDir, ec);
    if (ec) {
        fprintf(stderr, "probe: The game folder %s cannot be entered.\n", args.dataDir.c_str());
        return 1;
    }
    // The game's log, written to the game folder's log.txt as it goes, as the game does; without it
    // every line would go to stderr among the dumps.
    auto log = std::make_unique<CQuorelLog>();
    g_pQuorelLog = log.get();
    int code = 0;
    {
        CProbe probe(stdout);
        bool ok =
            probe.Start(args) && (args.newCareerClub >= 0 ? probe.NewCareer(args.dataSet, args.newCareerClub)
                                                          : probe.LoadCareer(args.loadName));
        for (size_t i = 0; ok && i < args.steps.size(); ++i)
            ok = probe.RunStep(args.steps[i]);
        fflush(stdout);
        if (!ok) {
            fprintf(stderr, "probe: %s\n", probe.Error().c_str());
            code = 1;
        }
    }
    g_pQuorelLog = nullptr;
    return code;
}
