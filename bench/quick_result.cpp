// The quick result of one fixture: its time (Google Benchmark) and its box score. Before timing it
// plays, for pairings of the generated league world's classes, a seeded batch of quick results and
// a smaller one of instant flat-court matches between the same clubs, and prints both side by side
// (the table of content/ini/README.md): blocks, turnovers (lost balls) and fouls a side, players who
// reached six fouls a side and the most one player committed in a match.
// A second table gives the quick results' minutes and injuries: a side's minutes, the starters',
// the bench players who came on and the players hurt.
// Usage: bench_quick_result [--results=N] [--flat=M] [--seed=S] [--table-only] [benchmark flags]
//   N quick results per pairing (default 6000), M flat-court matches (default 300, 0 skips them).
#include "BenchWorld.h"
#include "SquadSnapshot.h"
#include "career/QuickResult.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DBatch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

void BM_QuickResult(benchmark::State& state) {
    GameSrand(1);
    CMemoryDB world;
    CTeam* home = MakeBenchClub(world, 1);
    CTeam* away = MakeBenchClub(world, 2);
    CDayResults results;
    QuickMatchContext ctx;
    ctx.date = GameDate{2007, 10, 3};
    ctx.matchStats = &world.matchStats;
    ctx.playerStats = &world.playerStats;
    ctx.results = &results;
    int homeScore = 0, awayScore = 0;
    for (auto _ : state) {
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        benchmark::DoNotOptimize(homeScore);
        state.PauseTiming();
        // Keep the record vectors from growing across iterations.
        if (world.matchStats.Size() > 20000) {
            for (CTeam* team : {home, away}) {
                team->matchStats.clear();
                for (CPlayer* player : team->players)
                    player->stats.clear();
            }
            world.matchStats.Clear();
            world.playerStats.Clear();
            results.Clear();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_QuickResult)->Unit(benchmark::kMicrosecond);

// ---- box scores of the generated world --------------------------------------------------------------

// Who played how long in a batch of quick results, a side at a time.
struct MinuteFigures {
    int sides = 0;
    int sideLowest = INT_MAX, sideHighest = 0; // a side's minutes
    long long starterSeconds = 0;
    int starters = 0;
    int startersInBand = 0; // 24-38 minutes
    int starterLowest = INT_MAX, starterHighest = 0;
    long long benchUsed = 0; // bench players with a minute or more
    long long injuries = 0;
    int hurtPlayingOn = 0; // a hurt player on court in a later minute than his injury's

    void AddSide(const CTeam* team) {
        ++sides;
        int side = 0;
        for (const CPlayer* player : team->players) {
            const CPlayerStat* stat = player->stats.back();
            const int minutes = stat->SecondsPlayed() / 60;
            side += stat->SecondsPlayed();
            injuries += stat->Injured();
            // A hurt player's minutes end with the minute he was hurt in.
            if (stat->Injured() != 0 && stat->Started() != 0 && minutes > stat->InjuryMinute() + 1)
                ++hurtPlayingOn;
            if (stat->Started() != 0) {
                ++starters;
                starterSeconds += stat->SecondsPlayed();
                startersInBand += minutes >= 24 && minutes <= 38 ? 1 : 0;
                starterLowest = std::min(starterLowest, minutes);
                starterHighest = std::max(starterHighest, minutes);
            } else if (minutes > 0) {
                ++benchUsed;
            }
        }
        sideLowest = std::min(sideLowest, side / 60);
        sideHighest = std::max(sideHighest, side / 60);
    }
};

// One engine's sums over a batch of one pairing.
struct Figures {
    int results = 0;
    int level = 0;
    int strongerWins = 0;
    long long points = 0;
    BoxScoreSums sums;
    MinuteFigures minutes;
    // Each club's field goals as the results window counts them (two- and three-pointers, close
    // shots left out): made, taken.
    std::map<const CTeam*, std::pair<long long, long long>> window;

    void AddWindow(const CTeam* team, long long made, long long taken) {
        window[team].first += made;
        window[team].second += taken;
    }
    // The lowest and the highest club's window figure.
    std::pair<double, double> WindowRange() const {
        double low = 100.0, high = 0.0;
        for (const auto& [team, shots] : window) {
            low = std::min(low, Percent(shots.first, shots.second));
            high = std::max(high, Percent(shots.first, shots.second));
        }
        return {low, high};
    }

    double PerSide(long long sum) const { return results > 0 ? sum / (2.0 * results) : 0.0; }
    static double Percent(long long made, long long taken) { return taken > 0 ? 100.0 * made / taken : 0.0; }
};

// The mean rating of a club's starting five: which of two clubs of one class is the stronger.
double StartersRating(CTeam* team) {
    double sum = 0.0;
    int count = 0;
    for (CPlayer* player : team->players) {
        if (player->words[kWordMatchState] == kOnCourt && count < 5) {
            sum += CPlayer::ComputeOverall(player, false);
            ++count;
        }
    }
    return count > 0 ? sum / count : 0.0;
}

struct Pairing {
    int first, second; // league classes; the first is the stronger when they differ
};

// Draws the clubs of game g of a pairing: (home, away), the first class's club at home in even games.
std::pair<CTeam*, CTeam*> DrawClubs(const std::vector<CTeam*>& a, const std::vector<CTeam*>& b, int game) {
    CTeam* x = a[static_cast<size_t>(GameRand()) % a.size()];
    CTeam* y = b[static_cast<size_t>(GameRand()) % b.size()];
    while (y == x)
        y = b[static_cast<size_t>(GameRand()) % b.size()];
    return game % 2 == 0 ? std::make_pair(x, y) : std::make_pair(y, x);
}

bool StrongerIsHome(const Pairing& pairing, CTeam* home, CTeam* away, int game) {
    if (pairing.first != pairing.second)
        return game % 2 == 0;
    return StartersRating(home) >= StartersRating(away);
}

void CountResult(Figures& f, int homeScore, int awayScore, bool strongerIsHome) {
    ++f.results;
    f.points += homeScore + awayScore;
    if (homeScore == awayScore)
        ++f.level;
    else if ((homeScore > awayScore) == strongerIsHome)
        ++f.strongerWins;
}

Figures PlayQuickBatch(const std::vector<CTeam*>* classes, const Pairing& pairing, int games, unsigned seed) {
    Figures f;
    GameSrand(seed);
    QuickRecords records;
    for (int game = 0; game < games; ++game) {
        auto [home, away] = DrawClubs(classes[pairing.first], classes[pairing.second], game);
        const bool strongerIsHome = StrongerIsHome(pairing, home, away, game);
        SquadSnapshot snapshot{home, away};
        int homeScore = 0, awayScore = 0;
        records.results.Clear();
        SimulateQuickMatch(records.ctx, home, away, homeScore, awayScore);
        CountResult(f, homeScore, awayScore, strongerIsHome);
        for (const CTeam* team : {home, away}) {
            const CMatchStat* club = team->matchStats.back();
            f.AddWindow(team, club->Field(14) + club->Field(16), club->Field(13) + club->Field(15));
            f.minutes.AddSide(team);
        }
        f.sums.AddQuickResult({home, away}, records.results);
        if (records.matchStats.Size() > 20000) {
            records.matchStats.Clear();
            records.playerStats.Clear();
        }
    }
    return f;
}

Figures PlayFlatBatch(CMatch2D& match, const std::vector<CTeam*>* classes, const Pairing& pairing, int games,
                      unsigned seed) {
    Figures f;
    GameSrand(seed);
    for (int game = 0; game < games; ++game) {
        auto [home, away] = DrawClubs(classes[pairing.first], classes[pairing.second], game);
        const bool strongerIsHome = StrongerIsHome(pairing, home, away, game);
        SquadSnapshot snapshot{home, away};
        const InstantMatchResult result = RunInstantMatch(match, home, away, game % 4 < 2);
        CountResult(f, result.homeScore, result.awayScore, strongerIsHome);
        const CTeam* clubs[2] = {home, away};
        for (const CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
            const Match2DBox box = BoxScore(*team);
            f.AddWindow(clubs[team == match.GetHomeTeam() ? 0 : 1],
                        box.twoMade - box.dunksMade + box.threesMade,
                        box.twoTaken - box.dunksTaken + box.threesTaken);
            f.sums.AddFlatCourt(box);
            f.sums.blocks += team->SumBlocks();
            int leader = 0;
            for (int i = 0; i < team->PlayerCount(); ++i) {
                const CMatch2DPlayer* player = team->GetPlayer(i);
                f.sums.AddFouls(player->Fouls());
                leader = std::max(leader, 2 * player->Counter(kStatFieldGoalsMade) +
                                              3 * player->Counter(kStatThreesMade) +
                                              player->Counter(kStatFreeThrowsMade));
            }
            f.sums.leaders += leader;
        }
    }
    return f;
}

void PrintRow(const char* pairing, const char* engine, const Figures& f) {
    std::printf(
        "| %-6s | %-5s | %5d | %5.1f | %4.1f | %4.1f | %4.1f | %4.1f | %4.1f | %4.1f | %4.1f | %4.1f | "
        "%4.1f | %4.1f | %4.1f | %4.1f | %4.2f | %2d | %4.1f | %4.1f | %4.1f | %4.1f-%4.1f |\n",
        pairing, engine, f.results, f.PerSide(f.points), f.PerSide(f.sums.fga),
        Figures::Percent(f.sums.fgm, f.sums.fga), f.PerSide(f.sums.tpa),
        Figures::Percent(f.sums.tpm, f.sums.tpa), f.PerSide(f.sums.fta),
        Figures::Percent(f.sums.ftm, f.sums.fta), f.PerSide(f.sums.rebounds), f.PerSide(f.sums.assists),
        f.PerSide(f.sums.steals), f.PerSide(f.sums.blocks), f.PerSide(f.sums.turnovers),
        f.PerSide(f.sums.fouls), f.PerSide(f.sums.fouledOut), f.sums.mostFouls, f.PerSide(f.sums.leaders),
        Figures::Percent(f.strongerWins, f.results), Figures::Percent(f.level, f.results),
        f.WindowRange().first, f.WindowRange().second);
}

void PrintMinutesRow(const char* pairing, const MinuteFigures& m) {
    const double sides = std::max(1, m.sides);
    std::printf("| %-6s | %5d | %3d-%3d | %4.1f | %2d-%2d | %5.1f | %4.1f | %4.2f | %d |\n", pairing, m.sides,
                m.sideLowest, m.sideHighest, m.starterSeconds / 60.0 / std::max(1, m.starters),
                m.starterLowest, m.starterHighest, 100.0 * m.startersInBand / std::max(1, m.starters),
                m.benchUsed / sides, m.injuries / sides, m.hurtPlayingOn);
}

int PrintTables(int quickGames, int flatGames, unsigned seed) {
    std::filesystem::current_path(FB_GAME_DIR);
    CMemoryDB world;
    if (!LoadWorldData(world, kDataSetLeague)) {
        std::fprintf(stderr, "The generated league world did not load from %s\n", FB_GAME_DIR);
        return 1;
    }
    std::vector<CTeam*> classes[3];
    for (int i = 0; i < world.teams.Size(); ++i) {
        CTeam* team = world.teams.At(i);
        if (team->players.size() >= 5)
            classes[((team->leagueId % 3) + 3) % 3].push_back(team);
    }
    for (const auto& list : classes) {
        if (list.size() < 2) {
            std::fprintf(stderr, "Every league class needs two clubs with five players\n");
            return 1;
        }
    }
    CMatch2D match;
    match.hooks.substituteNeeded = nullptr;
    if (flatGames > 0 && !match.LoadTactics("\\ini\\InitData.xml")) {
        std::fprintf(stderr, "ini/InitData.xml did not load\n");
        return 1;
    }
    static const Pairing kPairings[] = {{0, 0}, {1, 1}, {2, 2}, {1, 0}, {2, 1}, {2, 0}};
    std::printf("Seed %u; quick: %d results a pairing, flat: %d matches; figures a side, percentages over "
                "the batch; \"stronger\" is the higher class, or in one class the club whose starters rate "
                "higher\n\n",
                seed, quickGames, flatGames);
    std::printf(
        "| clubs  | engine | games | pts | FGA | FG%% | 3PA | 3P%% | FTA | FT%% | Reb | Ast | Stl | Blk | "
        "TO | PF | fouled out | most PF | leader | stronger wins %% | level %% | clubs' window FG%% |\n");
    std::printf(
        "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    Figures quickAll;
    double quickSeconds = 0.0;
    std::vector<std::pair<std::string, MinuteFigures>> minutes;
    for (const Pairing& pairing : kPairings) {
        char label[16];
        std::snprintf(label, sizeof label, "%d v %d", pairing.first, pairing.second);
        const unsigned pairingSeed = seed + static_cast<unsigned>(10 * pairing.first + pairing.second);
        const auto start = std::chrono::steady_clock::now();
        const Figures quick = PlayQuickBatch(classes, pairing, quickGames, pairingSeed);
        quickSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        PrintRow(label, "quick", quick);
        minutes.emplace_back(label, quick.minutes);
        if (flatGames > 0)
            PrintRow(label, "flat", PlayFlatBatch(match, classes, pairing, flatGames, pairingSeed));
        if (pairing.first == pairing.second) {
            quickAll.results += quick.results;
            quickAll.points += quick.points;
            quickAll.sums.Add(quick.sums);
        }
    }
    std::printf("\nQuick results within one class: %.1f points, FG %.1f %%, 3P %.1f %%, FT %.1f %% a side; "
                "%.1f us a result with the world's squads\n\n",
                quickAll.PerSide(quickAll.points), Figures::Percent(quickAll.sums.fgm, quickAll.sums.fga),
                Figures::Percent(quickAll.sums.tpm, quickAll.sums.tpa),
                Figures::Percent(quickAll.sums.ftm, quickAll.sums.fta),
                1e6 * quickSeconds / (6.0 * quickGames));
    std::printf("Quick results' minutes, a side: its minutes (lowest-highest), the starters' mean and range, "
                "the share of starters with 24-38 minutes, bench players who came on, players hurt, and "
                "hurt starters still on court after their injury (in all)\n\n");
    std::printf(
        "| clubs  | sides | minutes | starters' min | range | 24-38 %% | bench on | hurt | hurt on |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    for (const auto& [label, figures] : minutes)
        PrintMinutesRow(label.c_str(), figures);
    std::printf("\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    int quickGames = 6000;
    int flatGames = 300;
    unsigned seed = 2026;
    bool tableOnly = false;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--results=", 10) == 0)
            quickGames = std::max(1, std::atoi(argv[i] + 10));
        else if (std::strncmp(argv[i], "--flat=", 7) == 0)
            flatGames = std::max(0, std::atoi(argv[i] + 7));
        else if (std::strncmp(argv[i], "--seed=", 7) == 0)
            seed = static_cast<unsigned>(std::strtoul(argv[i] + 7, nullptr, 10));
        else if (std::strcmp(argv[i], "--table-only") == 0)
            tableOnly = true;
        else
            rest.push_back(argv[i]);
    }
    const std::filesystem::path start = std::filesystem::current_path();
    if (int failed = PrintTables(quickGames, flatGames, seed))
        return failed;
    std::filesystem::current_path(start);
    if (tableOnly)
        return 0;
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    if (benchmark::ReportUnrecognizedArguments(restCount, rest.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
