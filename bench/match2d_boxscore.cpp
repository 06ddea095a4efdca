// Box scores of the flat-court match as the game plays it: for each league class of the generated
// world, seeded batches of league fixtures on the default tactics, over every offence and half-court
// defence and over a random mix of tactics for both sides; each class at the cup's level; a class-2
// club against a class-0 club. Prints the table of content/ini/README.md.
// Usage: bench_match2d_boxscore [--games=N] [--seed=S] [--defences | --defence=D]
// (N matches per class and batch, default 300; --defences: one row per defence tactic instead, both
// sides defending with it on random offences, the classes together)
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
    bool defences = false;
    int onlyDefence = -1; // with --defences: that defence alone
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--games=", 8) == 0) {
            games = std::max(1, std::atoi(argv[i] + 8));
        } else if (std::strncmp(argv[i], "--seed=", 7) == 0) {
            seed = static_cast<unsigned int>(std::strtoul(argv[i] + 7, nullptr, 10));
        } else if (std::strcmp(argv[i], "--defences") == 0) {
            defences = true;
        } else if (std::strncmp(argv[i], "--defence=", 10) == 0) {
            defences = true;
            onlyDefence = std::atoi(argv[i] + 10);
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
    match.hooks.substituteNeeded = nullptr;
    if (!match.LoadTactics("\\ini\\InitData.xml")) {
        std::fprintf(stderr, "ini/InitData.xml did not load\n");
        return 1;
    }
    std::printf("%d matches per class and batch, seed %u; figures a side, percentages over the batch\n\n",
                games, seed);
    PrintMatch2DHeader();
    const auto start = std::chrono::steady_clock::now();
    int matches = 0;
    if (defences) {
        for (int defence = 10; defence <= 19; ++defence) {
            if (onlyDefence >= 0 && defence != onlyDefence) {
                continue;
            }
            Match2DBatchFigures figures;
            for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
                figures.Add(PlayMatch2DBatch(match, leagues[leagueClass], games, seed + leagueClass,
                                             Match2DBatchTactics::Mix, nullptr, false, defence));
            }
            char label[32];
            std::snprintf(label, sizeof label, "defence %d", defence);
            PrintMatch2DRow(label, figures);
            matches += figures.matches;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("\n%.1f ms a match\n", 1000.0 * seconds / matches);
        return 0;
    }
    Match2DBatchFigures all[3];
    Match2DBatchFigures byClass[3]; // the league batches of a class together
    const auto row = [&matches](const char* label, const Match2DBatchFigures& figures) {
        PrintMatch2DRow(label, figures);
        matches += figures.matches;
    };
    // League fixtures by class: on the default tactics, the user cycling through the half-court
    // ones, and both sides on a random mix of all of them.
    const Match2DBatchTactics kinds[3] = {Match2DBatchTactics::Default, Match2DBatchTactics::Every,
                                          Match2DBatchTactics::Mix};
    const char* names[3] = {"default", "every", "mix"};
    for (int pass = 0; pass < 3; ++pass) {
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            const Match2DBatchFigures figures =
                PlayMatch2DBatch(match, leagues[leagueClass], games, seed + leagueClass, kinds[pass]);
            char label[32];
            std::snprintf(label, sizeof label, "class %d %s", leagueClass, names[pass]);
            row(label, figures);
            all[pass].Add(figures);
            byClass[leagueClass].Add(figures);
        }
    }
    for (int pass = 0; pass < 3; ++pass) {
        char label[32];
        std::snprintf(label, sizeof label, "all %s", names[pass]);
        PrintMatch2DRow(label, all[pass]);
    }
    // A cup: clubs of every class at the cup's level, each class among itself, then a class-2 club
    // against a class-0 club in the league (their own levels) and in the cup ("1st wins" and "pts
    // 1st/2nd" are the class-2 side's).
    for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
        char label[32];
        std::snprintf(label, sizeof label, "cup class %d", leagueClass);
        row(label, PlayMatch2DBatch(match, leagues[leagueClass], games, seed + 10 + leagueClass,
                                    Match2DBatchTactics::Default, nullptr, true));
    }
    row("2 v 0 league", PlayMatch2DBatch(match, leagues[2], games, seed + 20, Match2DBatchTactics::Default,
                                         &leagues[0], false));
    row("2 v 0 cup", PlayMatch2DBatch(match, leagues[2], games, seed + 21, Match2DBatchTactics::Default,
                                      &leagues[0], true));
    row("2 v 0 cup mix",
        PlayMatch2DBatch(match, leagues[2], games, seed + 22, Match2DBatchTactics::Mix, &leagues[0], true));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // Within a class the better shooters make more of their free throws (made %, attempts).
    std::printf("\n");
    PrintFreeThrowHeader();
    for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
        char label[32];
        std::snprintf(label, sizeof label, "class %d leagues", leagueClass);
        PrintFreeThrowRow(label, byClass[leagueClass]);
    }
    std::printf("\n%.1f ms a match\n", 1000.0 * seconds / matches);
    return 0;
}
