// Box scores of the flat-court match as the game plays it: for each league class of the generated
// world, a seeded batch of league fixtures on the default tactics and one over every offence and
// half-court defence. Prints the table of content/ini/README.md.
// Usage: bench_match2d_boxscore [--games=N] [--seed=S]   (N matches per class and batch, default 300)
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DBatch.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

int main(int argc, char** argv) {
    int games = 300;
    unsigned int seed = 2026;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--games=", 8) == 0) {
            games = std::max(1, std::atoi(argv[i] + 8));
        } else if (std::strncmp(argv[i], "--seed=", 7) == 0) {
            seed = static_cast<unsigned int>(std::strtoul(argv[i] + 7, nullptr, 10));
        }
    }
    std::filesystem::current_path(FB_GAME_DIR);
    CMemoryDB world;
    if (!LoadWorldData(world, kDataSetLeague)) {
        std::fprintf(stderr, "The generated league world did not load from %s\n", FB_GAME_DIR);
        return 1;
    }
    std::vector<CTeam*> leagues[3];
    for (int i = 0; i < world.teams.Size(); ++i) {
        CTeam* team = world.teams.At(i);
        leagues[((team->leagueId % 3) + 3) % 3].push_back(team);
    }
    CMatch2D match;
    match.hooks.postMessage = nullptr;
    if (!match.LoadTactics("\\ini\\InitData.xml")) {
        std::fprintf(stderr, "ini/InitData.xml did not load\n");
        return 1;
    }
    std::printf("%d matches per class and batch, seed %u; figures a side, percentages over the batch\n\n",
                games, seed);
    PrintMatch2DHeader();
    Match2DBatchFigures all[2];
    const auto start = std::chrono::steady_clock::now();
    for (int pass = 0; pass < 2; ++pass) {
        const Match2DBatchTactics tactics =
            pass == 0 ? Match2DBatchTactics::Default : Match2DBatchTactics::Every;
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            const Match2DBatchFigures figures =
                PlayMatch2DBatch(match, leagues[leagueClass], games, seed + leagueClass, tactics);
            char label[32];
            std::snprintf(label, sizeof label, "class %d %s", leagueClass, pass == 0 ? "default" : "every");
            PrintMatch2DRow(label, figures);
            all[pass].Add(figures);
        }
    }
    PrintMatch2DRow("all default", all[0]);
    PrintMatch2DRow("all every", all[1]);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("\n%.1f ms a match\n", 1000.0 * seconds / (all[0].matches + all[1].matches));
    return 0;
}
