// Seeded results as digests: instant flat-court matches (the instant bench's clubs and batches of the
// generated world's clubs on the computer's, the mixed, the new career's and the watched tactics),
// quick results of the world's clubs and a season of days. A change meant to leave every result as
// it was prints the same lines before and after it (build both and compare the output).
// Usage: bench_results_digest [--games=N] [--seed=S]   (N flat-court matches a batch, default 60)
#include "BenchWorld.h"
#include "SquadSnapshot.h"
#include "career/CareerSession.h"
#include "career/DayRunner.h"
#include "career/FixtureList.h"
#include "career/QuickResult.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DBatch.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

namespace {

// FNV-1a over the figures fed to it.
struct Digest {
    uint64_t value = 1469598103934665603ull;
    void Add(long long figure) {
        for (int i = 0; i < 8; ++i) {
            value ^= static_cast<uint64_t>(figure >> (8 * i)) & 0xffu;
            value *= 1099511628211ull;
        }
    }
    void Add(const Match2DBox& b) {
        for (int v : {b.points, b.twoTaken, b.twoMade, b.dunksTaken, b.dunksMade, b.threesTaken, b.threesMade,
                      b.freeThrowsTaken, b.freeThrowsMade, b.offensiveRebounds, b.defensiveRebounds,
                      b.assists, b.steals, b.turnovers, b.fouls})
            Add(v);
    }
};

void PrintBenchMatches(CMatch2D& match, unsigned seed) {
    GameSrand(seed);
    InstantBenchClub home(1, 45);
    InstantBenchClub away(2, 45);
    Digest digest;
    std::printf("instant bench clubs, seed %u:", seed);
    for (int game = 0; game < 8; ++game) {
        const InstantMatchResult result = RunInstantMatch(match, &home.team, &away.team, game % 2 == 0);
        std::printf(" %d-%d", result.homeScore, result.awayScore);
        digest.Add(result.homeScore);
        digest.Add(result.awayScore);
        digest.Add(result.ticks);
        for (const CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
            digest.Add(BoxScore(*team));
            for (const auto& p : team->players) {
                digest.Add(p->secondsOnCourt);
                digest.Add(static_cast<long long>(p->energy * 1000.0f));
            }
        }
    }
    std::printf("  digest %016llx\n", static_cast<unsigned long long>(digest.value));
}

void PrintFlatBatches(CMatch2D& match, const std::vector<CTeam*>* classes, int games, unsigned seed) {
    const std::pair<const char*, Match2DBatchTactics> kinds[] = {{"computer", Match2DBatchTactics::Default},
                                                                 {"mix", Match2DBatchTactics::Mix},
                                                                 {"career", Match2DBatchTactics::NewCareer},
                                                                 {"watched", Match2DBatchTactics::Watched}};
    for (int c = 0; c < 3; ++c) {
        for (const auto& [label, tactics] : kinds) {
            const Match2DBatchFigures f = PlayMatch2DBatch(match, classes[c], games, seed + c, tactics);
            Digest digest;
            digest.Add(f.total);
            digest.Add(f.forfeits);
            digest.Add(f.unfinished);
            for (int v : f.points)
                digest.Add(v);
            for (int v : f.margins)
                digest.Add(v);
            for (const Match2DTime& t : {f.time, f.userTime})
                for (int v :
                     {t.substitutions, t.starterSeconds, t.starters, t.seconds, t.injuries, t.exhausted})
                    digest.Add(v);
            std::printf("flat class %d %-8s %3d matches: %6d points, %4d changes  digest %016llx\n", c, label,
                        f.matches, f.total.points, f.time.substitutions,
                        static_cast<unsigned long long>(digest.value));
        }
    }
}

void PrintQuickResults(const std::vector<CTeam*>* classes, int games, unsigned seed) {
    for (int c = 0; c < 3; ++c) {
        GameSrand(seed + c);
        QuickRecords records;
        Digest digest;
        long long points = 0;
        const std::vector<CTeam*>& clubs = classes[c];
        for (int game = 0; game < games; ++game) {
            CTeam* home = clubs[static_cast<size_t>(GameRand()) % clubs.size()];
            CTeam* away = clubs[static_cast<size_t>(GameRand()) % clubs.size()];
            if (home == away)
                continue;
            SquadSnapshot snapshot{home, away};
            int homeScore = 0, awayScore = 0;
            SimulateQuickMatch(records.ctx, home, away, homeScore, awayScore);
            points += homeScore + awayScore;
            digest.Add(homeScore);
            digest.Add(awayScore);
            for (const CTeam* team : {home, away}) {
                for (int v : team->matchStats.back()->fields)
                    digest.Add(v);
                for (const CPlayer* player : team->players) {
                    for (int v : player->stats.back()->fields)
                        digest.Add(v);
                    for (int v : player->words)
                        digest.Add(v);
                }
            }
        }
        for (int list = 0; list < CDayResults::kCategoryCount; ++list)
            for (const MatchDayEntry& entry : records.results.List(list)) {
                digest.Add(entry.value);
                digest.Add(entry.minute * 60 + entry.second);
            }
        for (const MatchDayIncident& incident : records.results.Incidents())
            digest.Add(incident.minute * 60 + incident.second);
        std::printf("quick class %d %d results: %lld points  digest %016llx\n", c, games, points,
                    static_cast<unsigned long long>(digest.value));
    }
}

void PrintSeason(unsigned seed) {
    GameSrand(seed);
    BenchDayHost host;
    CFixtureList fixtures;
    BuildBenchSeason(host, fixtures);
    CDayRunner runner(host.session, &host, &fixtures);
    bool stop = false;
    runner.RunDays(stop);
    Digest digest;
    long long points = 0;
    for (int i = 0; i < fixtures.Size(); ++i) {
        digest.Add(fixtures.At(i)->homeScore);
        digest.Add(fixtures.At(i)->awayScore);
        points += fixtures.At(i)->homeScore + fixtures.At(i)->awayScore;
    }
    for (int i = 0; i < host.world->players.Size(); ++i)
        for (int v : host.world->players.At(i)->words)
            digest.Add(v);
    std::printf("season of days, seed %u: %d fixtures, %lld points  digest %016llx\n", seed, fixtures.Size(),
                points, static_cast<unsigned long long>(digest.value));
    runner.ResetCareerState();
}

} // namespace

int main(int argc, char** argv) {
    int games = 60;
    unsigned seed = 4242;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--games=", 8) == 0)
            games = std::max(1, std::atoi(argv[i] + 8));
        else if (std::strncmp(argv[i], "--seed=", 7) == 0)
            seed = static_cast<unsigned>(std::strtoul(argv[i] + 7, nullptr, 10));
    }
    std::filesystem::current_path(FB_GAME_DIR);
    CMatch2D match;
    match.hooks.substituteNeeded = nullptr;
    if (!match.LoadTactics("\\ini\\InitData.xml")) {
        std::fprintf(stderr, "ini/InitData.xml did not load\n");
        return 1;
    }
    PrintBenchMatches(match, seed);
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
    PrintFlatBatches(match, classes, games, seed);
    PrintQuickResults(classes, games * 50, seed);
    PrintSeason(seed);
    return 0;
}
