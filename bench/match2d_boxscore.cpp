// Box scores of the flat-court match as the game plays it: for each league class of the generated
// world, seeded batches of league fixtures on the computer's tactics for both sides, over every
// offence and half-court defence, over a random mix of tactics for both sides, and with the user's
// side on the tactics a new career gives him ("career"); each class at the cup's level; a class-2
// club against a class-0 club; then the two tournament worlds, their stronger half against the weaker
// half and each half among itself, every side at its tournament level, on the flat court and in
// quick results. Then the user's and the computer's side apart, and every club of the league world
// over three home-and-away rounds against its class on the career's tactics. Prints the tables of
// content/ini/README.md.
// Usage: bench_match2d_boxscore [--games=N] [--seed=S] [--defences | --defence=D | --leagues | --tournaments
//                                 | --quick | --watched | --engines | --clubs[=R]]
// --watched: each class on the default tactics run at once and with the user's side watched and left
// alone (the coach's rules rest his tired players and those in foul trouble), with the playing time
// of both, the changes by side (changes, players fouled out, starters within 24-38 minutes, the final
// five's distance from their own positions) and the user's side's wins.
// --display: as --watched, and beside them the user's side watched through the game's match centre,
// its tactics window and coaching dialog at Fast by a user who changes nobody himself (OK to every
// message, Done to every window); its "instant" rows are then the user's match run at once on the
// career's tactics, as the game's instant view plays it.
// --quick plays the tournament worlds' quick results alone (seconds, not minutes).
// --engines: each league class and each tournament world at a new career's defaults on the flat court
// at once, watched through the match centre as with --display, and in quick results (ten times N of
// them), one column each; with --leagues or --tournaments only those.
// --clubs[=R]: every league club over R (default 3) home-and-away rounds against its class on the
// career's tactics, one row a club: its shooting at home and away, how many of its players shoot
// threes as well as twos, and its points, steals and turnovers beside the same rounds' quick results
// and its starting five's passing and steal ratings; then each tournament world's clubs over N
// matches among them at the tournament's level, one row a club, and their steals and turnovers
// beside R rounds of quick results among them.
// (N matches per class and batch, default 300; --defences: one row per defence tactic instead, both
// sides defending with it on random offences, the classes together; --leagues: the league
// classes' batches alone; --tournaments: the tournament worlds alone)
#include "DisplayRig.h"
#include "SquadSnapshot.h"
#include "career/QuickResult.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DBatch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

namespace {

double RosterRating(const CTeam* team) {
    double sum = 0.0;
    for (CPlayer* player : team->players)
        sum += CPlayer::ComputeOverall(player, false);
    return team->players.empty() ? 0.0 : sum / static_cast<double>(team->players.size());
}

// A tournament world's clubs in two halves by their rosters' mean rating: the stronger, the weaker.
bool SplitByRating(const CMemoryDB& world, std::vector<CTeam*>& upper, std::vector<CTeam*>& lower) {
    std::vector<CTeam*> clubs;
    for (int i = 0; i < world.teams.Size(); ++i) {
        if (world.teams.At(i)->players.size() >= 5)
            clubs.push_back(world.teams.At(i));
    }
    std::stable_sort(clubs.begin(), clubs.end(),
                     [](const CTeam* a, const CTeam* b) { return RosterRating(a) > RosterRating(b); });
    const auto half = clubs.begin() + static_cast<std::ptrdiff_t>(clubs.size() / 2);
    upper.assign(clubs.begin(), half);
    lower.assign(half, clubs.end());
    return upper.size() >= 2 && lower.size() >= 2;
}

// A side's sums over a batch of quick results. The quick result keeps no fouls and does not say
// which side took a rebound, so those two bands are the flat court's alone.
struct QuickFigures {
    int results = 0, firstWins = 0;
    BoxScoreSums sums;
    std::vector<int> points;
    // Each club's matches and its players' points, read as the flat court's batch reads its own.
    std::map<const CTeam*, Match2DClubFigures> clubs;
    double PerSide(long long sum) const { return results > 0 ? sum / (2.0 * results) : 0.0; }
    static double Percent(long long made, long long taken) { return taken > 0 ? 100.0 * made / taken : 0.0; }
};

// Quick results as PlayMatch2DBatch draws its fixtures: with others, a club of clubs against one of
// others, the first at home in even games; without, two different clubs of clubs.
QuickFigures PlayQuickBatch(const std::vector<CTeam*>& clubs, const std::vector<CTeam*>* others, int games,
                            unsigned seed) {
    QuickFigures f;
    GameSrand(seed);
    QuickRecords records;
    for (int game = 0; game < games; ++game) {
        CTeam* first = clubs[static_cast<size_t>(GameRand()) % clubs.size()];
        CTeam* second = nullptr;
        if (others != nullptr) {
            second = (*others)[static_cast<size_t>(GameRand()) % others->size()];
        } else {
            do {
                second = clubs[static_cast<size_t>(GameRand()) % clubs.size()];
            } while (second == first);
        }
        const bool firstAtHome = others == nullptr || game % 2 == 0;
        CTeam* home = firstAtHome ? first : second;
        CTeam* away = firstAtHome ? second : first;
        SquadSnapshot snapshot{home, away};
        int homeScore = 0, awayScore = 0;
        records.results.Clear();
        SimulateQuickMatch(records.ctx, home, away, homeScore, awayScore);
        ++f.results;
        f.firstWins += (firstAtHome ? homeScore > awayScore : awayScore > homeScore) ? 1 : 0;
        f.points.push_back(homeScore);
        f.points.push_back(awayScore);
        f.sums.AddQuickResult({home, away}, records.results);
        for (const CTeam* team : {home, away}) {
            Match2DClubFigures& club = f.clubs[team];
            club.club = team;
            ++club.matches;
            for (const CPlayer* player : team->players)
                club.playerPoints[player->id] += player->stats.back()->Points();
        }
        if (records.matchStats.Size() > 20000) {
            records.matchStats.Clear();
            records.playerStats.Clear();
        }
    }
    std::sort(f.points.begin(), f.points.end());
    return f;
}

// A club's own figures over quick results: points, steals and turnovers as its match records hold them.
struct QuickClubFigures {
    int games = 0;
    long long points = 0, steals = 0, turnovers = 0;
    long long fga = 0, fgm = 0, blocks = 0, fouls = 0;
    double PerGame(long long sum) const { return games > 0 ? static_cast<double>(sum) / games : 0.0; }
    double FieldGoalPercent() const { return QuickFigures::Percent(fgm, fga); }
};

// The same home-and-away rounds as quick results, one row of figures a club.
std::map<const CTeam*, QuickClubFigures> PlayQuickRounds(const std::vector<CTeam*>& clubs, int rounds,
                                                         unsigned seed) {
    std::map<const CTeam*, QuickClubFigures> figures;
    GameSrand(seed);
    QuickRecords records;
    for (int round = 0; round < rounds; ++round) {
        for (CTeam* home : clubs) {
            for (CTeam* away : clubs) {
                if (home == away)
                    continue;
                SquadSnapshot snapshot{home, away};
                int homeScore = 0, awayScore = 0;
                records.results.Clear();
                SimulateQuickMatch(records.ctx, home, away, homeScore, awayScore);
                for (const CTeam* team : {home, away}) {
                    const CMatchStat* record = team->matchStats.back();
                    QuickClubFigures& f = figures[team];
                    ++f.games;
                    f.points += record->Score();
                    f.steals += record->Steals();
                    f.turnovers += record->PassesFailed();
                    f.fga += record->Field(11) + record->Field(13) + record->Field(15);
                    f.fgm += record->Field(12) + record->Field(14) + record->Field(16);
                    f.blocks += record->Blocks();
                    for (const CPlayer* player : team->players)
                        f.fouls += player->stats.back()->Fouls();
                }
            }
        }
    }
    return figures;
}

// The starting five's mean of a record word (the five on court first, then the squad in order, as
// the flat court lines them up): 47 passing, 50 steal.
double FiveMean(const CTeam* team, int word) {
    constexpr int kStateWord = 54, kOnCourt = 300000;
    std::vector<const CPlayer*> five;
    for (int pass = 0; pass < 2; ++pass) {
        for (const CPlayer* p : team->players) {
            if (five.size() < 5 && (p->words[kStateWord] == kOnCourt) == (pass == 0))
                five.push_back(p);
        }
    }
    double sum = 0.0;
    for (const CPlayer* p : five)
        sum += p->words[word];
    return five.empty() ? 0.0 : sum / static_cast<double>(five.size());
}

void PrintQuickHeader() {
    std::printf("| %-14s | pts | FGA | FG%% | 3PA | 3P%% | FTA | FT%% | Reb | Ast | Stl | 1st wins |\n"
                "|---|---|---|---|---|---|---|---|---|---|---|---|\n",
                "quick results");
}

void PrintQuickRow(const char* label, const QuickFigures& f) {
    std::printf("| %-14s | %d | %.0f | %.0f | %.1f | %.0f | %.1f | %.0f | %.1f | %.1f | %.1f | %.0f%% |\n",
                label, Match2DBatchFigures::Quantile(f.points, 0.5), f.PerSide(f.sums.fga),
                QuickFigures::Percent(f.sums.fgm, f.sums.fga), f.PerSide(f.sums.tpa),
                QuickFigures::Percent(f.sums.tpm, f.sums.tpa), f.PerSide(f.sums.fta),
                QuickFigures::Percent(f.sums.ftm, f.sums.fta), f.PerSide(f.sums.rebounds),
                f.PerSide(f.sums.assists), f.PerSide(f.sums.steals),
                QuickFigures::Percent(f.firstWins, f.results));
}

// Every league club's shooting over rounds home-and-away rounds against its class: field goals at
// home and away, twos and threes, and its players who shoot threes as well as twos (of the squad).
void PrintClubShooting(CMatch2D& match, const std::vector<CTeam*> (&leagues)[3], int rounds, unsigned seed) {
    std::printf("%d home-and-away rounds a class on the career's tactics, seed %u\n\n", rounds, seed);
    std::printf(
        "| class | club | won | pts | FG%% | home | away | 2PA | 2P%% | dunks | 3PA | 3P%% | Stl | "
        "TO | Blk | Fouls | three >= two "
        "| quick pts | quick FG%% | quick Stl | quick TO | quick Blk | quick Fouls | five's passing | "
        "five's steal |\n|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"
        "---|---|---|---|---|---|\n");
    for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
        const Match2DBatchFigures f = PlayMatch2DRounds(
            match, leagues[leagueClass], rounds, seed + 50 + leagueClass, Match2DBatchTactics::NewCareer);
        const std::map<const CTeam*, QuickClubFigures> quick =
            PlayQuickRounds(leagues[leagueClass], rounds, seed + 50 + leagueClass);
        for (const Match2DClubFigures& c : f.clubs) {
            const Match2DBox& b = c.box;
            Match2DBox away = b;
            away.twoTaken -= c.homeBox.twoTaken;
            away.twoMade -= c.homeBox.twoMade;
            away.threesTaken -= c.homeBox.threesTaken;
            away.threesMade -= c.homeBox.threesMade;
            int shooters = 0;
            for (const CPlayer* p : c.club->players)
                shooters += p->words[29] >= p->words[26] ? 1 : 0;
            const double n = std::max(1, c.matches);
            const QuickClubFigures& q = quick.at(c.club);
            std::printf(
                "| %d | %-20s | %.0f%% | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | "
                "%.1f | %.1f | %.1f | %.1f | %d of %zu | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | "
                "%.1f |\n",
                leagueClass, c.club->name.GetText(), QuickFigures::Percent(c.wins, c.matches), b.points / n,
                QuickFigures::Percent(b.FieldGoalsMade(), b.FieldGoalsTaken()),
                QuickFigures::Percent(c.homeBox.FieldGoalsMade(), c.homeBox.FieldGoalsTaken()),
                QuickFigures::Percent(away.FieldGoalsMade(), away.FieldGoalsTaken()), b.twoTaken / n,
                QuickFigures::Percent(b.twoMade, b.twoTaken), b.dunksTaken / n, b.threesTaken / n,
                QuickFigures::Percent(b.threesMade, b.threesTaken), b.steals / n, b.bookedTurnovers / n,
                b.blocks / n, b.fouls / n, shooters, c.club->players.size(), q.PerGame(q.points),
                q.FieldGoalPercent(), q.PerGame(q.steals), q.PerGame(q.turnovers), q.PerGame(q.blocks),
                q.PerGame(q.fouls), FiveMean(c.club, 47), FiveMean(c.club, 50));
        }
    }
}

// One set-up at a new career's defaults on each engine the game plays it with: the flat court at
// once, the flat court with the user's side watched through the match centre and left alone (play),
// and quick results between the same clubs (ten times as many: they cost microseconds). Figures a
// side; the leading scorer is a club's best scorer's points a match over the batch, the mean of the
// clubs.
void PrintEngineTable(CMatch2D& match, const char* title, const std::vector<CTeam*>& clubs, bool cup,
                      int games, unsigned seed, const Match2DWatchedPlay& play) {
    const Match2DBatchFigures instant =
        PlayMatch2DBatch(match, clubs, games, seed, Match2DBatchTactics::NewCareer, nullptr, cup);
    const Match2DBatchFigures watched =
        PlayMatch2DBatch(match, clubs, games, seed, Match2DBatchTactics::Watched, nullptr, cup, -1, play);
    const QuickFigures quick = PlayQuickBatch(clubs, nullptr, 10 * games, seed);
    const auto leading = [](const auto& clubFigures, auto figuresOf) {
        double sum = 0.0;
        for (const auto& entry : clubFigures)
            sum += figuresOf(entry).LeadingScorerPerMatch();
        return clubFigures.empty() ? 0.0 : sum / static_cast<double>(clubFigures.size());
    };
    struct Column {
        double points, median, fga, fgPercent, tpa, fta, fouls, steals, turnovers, blocks, fouledOut, leader;
    };
    const auto flat = [&leading](const Match2DBatchFigures& f) {
        const Match2DBox& t = f.total;
        return Column{
            f.PerSide(t.points),
            static_cast<double>(f.MedianPoints()),
            f.PerSide(t.FieldGoalsTaken()),
            QuickFigures::Percent(t.FieldGoalsMade(), t.FieldGoalsTaken()),
            f.PerSide(t.threesTaken),
            f.PerSide(t.freeThrowsTaken),
            f.PerSide(t.fouls),
            f.PerSide(t.steals),
            f.PerSide(t.bookedTurnovers),
            f.PerSide(t.blocks),
            f.PerSide(f.time.fouledOut),
            leading(f.clubs, [](const Match2DClubFigures& c) -> const Match2DClubFigures& { return c; })};
    };
    long long quickPoints = 0;
    for (int p : quick.points)
        quickPoints += p;
    const BoxScoreSums& q = quick.sums;
    const Column columns[3] = {
        flat(instant), flat(watched),
        Column{quick.PerSide(quickPoints),
               static_cast<double>(Match2DBatchFigures::Quantile(quick.points, 0.5)), quick.PerSide(q.fga),
               QuickFigures::Percent(q.fgm, q.fga), quick.PerSide(q.tpa), quick.PerSide(q.fta),
               quick.PerSide(q.fouls), quick.PerSide(q.steals), quick.PerSide(q.turnovers),
               quick.PerSide(q.blocks), quick.PerSide(q.fouledOut),
               leading(quick.clubs,
                       [](const auto& entry) -> const Match2DClubFigures& { return entry.second; })}};
    std::printf("### %s\n\n", title);
    std::printf("| figure a side | flat court at once (%d, seed %u) | flat court watched (%d, seed %u) | "
                "quick results "
                "(%d, seed %u) |\n|---|---|---|---|\n",
                instant.matches, seed, watched.matches, seed, quick.results, seed);
    const struct {
        const char* name;
        double Column::*value;
        const char* format;
    } rows[] = {{"points (mean)", &Column::points, "%.1f"},
                {"points (median)", &Column::median, "%.0f"},
                {"FGA", &Column::fga, "%.1f"},
                {"FG %", &Column::fgPercent, "%.1f"},
                {"3PA", &Column::tpa, "%.1f"},
                {"FTA", &Column::fta, "%.1f"},
                {"fouls", &Column::fouls, "%.1f"},
                {"steals", &Column::steals, "%.1f"},
                {"turnovers", &Column::turnovers, "%.1f"},
                {"blocks", &Column::blocks, "%.1f"},
                {"fouled out (players)", &Column::fouledOut, "%.3f"},
                {"a club's leading scorer a game", &Column::leader, "%.1f"}};
    for (const auto& row : rows) {
        std::printf("| %s |", row.name);
        for (const Column& column : columns) {
            std::printf(" ");
            std::printf(row.format, column.*row.value);
            std::printf(" |");
        }
        std::printf("\n");
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    int games = 300;
    unsigned int seed = 2026;
    bool defences = false;
    int onlyDefence = -1; // with --defences: that defence alone
    bool playLeagues = true, playTournaments = true, playFlat = true;
    bool watched = false;
    bool display = false;
    int clubRoundsOnly = 0; // --clubs: the per-club rounds alone, this many
    bool engines = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--games=", 8) == 0) {
            games = std::max(1, std::atoi(argv[i] + 8));
        } else if (std::strncmp(argv[i], "--seed=", 7) == 0) {
            seed = static_cast<unsigned int>(std::strtoul(argv[i] + 7, nullptr, 10));
        } else if (std::strcmp(argv[i], "--defences") == 0) {
            defences = true;
        } else if (std::strcmp(argv[i], "--watched") == 0) {
            watched = true;
        } else if (std::strcmp(argv[i], "--display") == 0) {
            watched = display = true;
        } else if (std::strcmp(argv[i], "--tournaments") == 0) {
            playLeagues = false;
        } else if (std::strcmp(argv[i], "--quick") == 0) {
            playLeagues = false;
            playFlat = false;
        } else if (std::strcmp(argv[i], "--leagues") == 0) {
            playTournaments = false;
        } else if (std::strcmp(argv[i], "--engines") == 0) {
            engines = true;
        } else if (std::strncmp(argv[i], "--clubs", 7) == 0) {
            clubRoundsOnly = argv[i][7] == '=' ? std::max(1, std::atoi(argv[i] + 8)) : 3;
        } else if (std::strncmp(argv[i], "--defence=", 10) == 0) {
            defences = true;
            onlyDefence = std::atoi(argv[i] + 10);
        }
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // rows as they come: a batch of thousands takes minutes
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
    if (engines) {
        // The headless watched loop plays the very matches the instant run does: the watched column
        // goes through the match centre, as the user sees it.
        displayrig::Rig rig;
        if (!rig.Ok()) {
            std::fprintf(stderr, "The layout or the texts did not load from %s\n", FB_GAME_DIR);
            return 1;
        }
        int stalled = 0;
        const Match2DWatchedPlay play = [&](CMatch2D& m, CTeam* home, CTeam* away, int attack, int defence) {
            stalled += rig.PlayMatch2D(m, home, away, attack, defence) ? 0 : 1;
        };
        for (int leagueClass = 0; playLeagues && leagueClass < 3; ++leagueClass) {
            char title[32];
            std::snprintf(title, sizeof title, "Class %d", leagueClass);
            PrintEngineTable(match, title, leagues[leagueClass], false, games,
                             seed + static_cast<unsigned>(leagueClass), play);
        }
        const int32_t worlds[2] = {kDataSetEuroCup, kDataSetWorldCup};
        for (int w = 0; playTournaments && w < 2; ++w) {
            CMemoryDB tournament;
            std::vector<CTeam*> upper, lower;
            if (!LoadWorldData(tournament, worlds[w]) || !SplitByRating(tournament, upper, lower)) {
                std::fprintf(stderr, "Tournament world %d did not load\n", w);
                return 1;
            }
            upper.insert(upper.end(), lower.begin(), lower.end());
            PrintEngineTable(match, w == 0 ? "EuroCup" : "WorldCup", upper, true, games,
                             seed + 70 + static_cast<unsigned>(w), play);
        }
        if (stalled > 0)
            std::printf("%d watched matches did not end\n", stalled);
        return stalled > 0 ? 1 : 0;
    }
    if (clubRoundsOnly > 0) {
        PrintClubShooting(match, leagues, clubRoundsOnly, seed);
        // The tournament worlds' clubs as they meet there: each club against the others of its
        // world at the tournament's level, on the career's tactics (games matches a world).
        const int32_t tournamentWorlds[2] = {kDataSetEuroCup, kDataSetWorldCup};
        for (int w = 0; w < 2; ++w) {
            CMemoryDB tournament;
            std::vector<CTeam*> upper, lower;
            if (!LoadWorldData(tournament, tournamentWorlds[w]) || !SplitByRating(tournament, upper, lower)) {
                std::fprintf(stderr, "Tournament world %d did not load\n", w);
                return 1;
            }
            std::vector<CTeam*> clubs = upper;
            clubs.insert(clubs.end(), lower.begin(), lower.end());
            std::printf("\n%s, %d matches among its clubs, seed %u\n\n", w == 0 ? "EuroCup" : "WorldCup",
                        games, seed + 70 + static_cast<unsigned>(w));
            const Match2DBatchFigures flat =
                PlayMatch2DBatch(match, clubs, games, seed + 70 + static_cast<unsigned>(w),
                                 Match2DBatchTactics::NewCareer, nullptr, true);
            PrintMatch2DClubHeader();
            PrintMatch2DClubRows(flat);
            // The same clubs' steals and turnovers beside their quick results (clubRoundsOnly rounds
            // among them) and the five's passing and steal ratings.
            const std::map<const CTeam*, QuickClubFigures> quick =
                PlayQuickRounds(clubs, clubRoundsOnly, seed + 70 + static_cast<unsigned>(w));
            std::printf(
                "\n| club | Stl | TO | quick pts | quick FG%% | quick Stl | quick TO | quick Blk | quick "
                "Fouls | five's passing | five's steal |\n"
                "|---|---|---|---|---|---|---|---|---|---|---|\n");
            for (const Match2DClubFigures& c : flat.clubs) {
                const double n = std::max(1, c.matches);
                const QuickClubFigures& q = quick.at(c.club);
                std::printf(
                    "| %-24s | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f |\n",
                    c.club->name.GetText(), c.box.steals / n, c.box.bookedTurnovers / n, q.PerGame(q.points),
                    q.FieldGoalPercent(), q.PerGame(q.steals), q.PerGame(q.turnovers), q.PerGame(q.blocks),
                    q.PerGame(q.fouls), FiveMean(c.club, 47), FiveMean(c.club, 50));
            }
            // Their shooting and blocks beside what the rolls read: the five's twos, threes,
            // dunks, shooting, defence and height, and the level its five reads before its shots move it.
            std::printf(
                "\n| club | 2PA | 2P%% | dunks | dunk%% | 3PA | 3P%% | Blk | five's two | three | dunk | "
                "shooting | defence | height | level |\n"
                "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
            for (const Match2DClubFigures& c : flat.clubs) {
                const double n = std::max(1, c.matches);
                const Match2DBox& b = c.box;
                std::printf(
                    "| %-24s | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | "
                    "%.1f | %.1f | %.1f | %.3f |\n",
                    c.club->name.GetText(), b.twoTaken / n, QuickFigures::Percent(b.twoMade, b.twoTaken),
                    b.dunksTaken / n, QuickFigures::Percent(b.dunksMade, b.dunksTaken), b.threesTaken / n,
                    QuickFigures::Percent(b.threesMade, b.threesTaken), b.blocks / n, FiveMean(c.club, 26),
                    FiveMean(c.club, 29), FiveMean(c.club, 32), FiveMean(c.club, 20), FiveMean(c.club, 23),
                    FiveMean(c.club, 2), static_cast<double>(TournamentLevelFactor(*c.club)));
            }
        }
        return 0;
    }
    std::printf("%d matches per class and batch, seed %u; figures a side, percentages over the batch\n\n",
                games, seed);
    if (playFlat)
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
    if (watched) {
        // Each class on the default tactics, run at once and with the user's side watched and left
        // alone (and with --display, watched through the match centre); then the playing time of all.
        std::unique_ptr<displayrig::Rig> rig;
        displayrig::UserActions actions;
        int stalled = 0;
        Match2DWatchedPlay play;
        if (display) {
            rig = std::make_unique<displayrig::Rig>();
            if (!rig->Ok()) {
                std::fprintf(stderr, "The layout or the texts did not load from %s\n", FB_GAME_DIR);
                return 1;
            }
            play = [&](CMatch2D& m, CTeam* home, CTeam* away, int attack, int defence) {
                stalled += rig->PlayMatch2D(m, home, away, attack, defence, &actions) ? 0 : 1;
            };
        }
        const char* const kinds[3] = {"instant", "watched", "display"};
        const int kindCount = display ? 3 : 2;
        // With --display the instant rows are the user's match run at once on the career's tactics.
        const Match2DBatchTactics instant =
            display ? Match2DBatchTactics::NewCareer : Match2DBatchTactics::Default;
        Match2DBatchFigures batches[3][3];
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            for (int kind = 0; kind < kindCount; ++kind) {
                batches[leagueClass][kind] =
                    PlayMatch2DBatch(match, leagues[leagueClass], games, seed + leagueClass,
                                     kind == 0 ? instant : Match2DBatchTactics::Watched, nullptr, false, -1,
                                     kind == 2 ? play : Match2DWatchedPlay{});
                char label[32];
                std::snprintf(label, sizeof label, "class %d %s", leagueClass, kinds[kind]);
                PrintMatch2DRow(label, batches[leagueClass][kind]);
                matches += batches[leagueClass][kind].matches;
            }
        }
        std::printf("\n");
        PrintMatch2DSideHeader();
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            for (int kind = 0; kind < kindCount; ++kind) {
                char label[32];
                std::snprintf(label, sizeof label, "class %d %s", leagueClass, kinds[kind]);
                PrintMatch2DSideRows(label, batches[leagueClass][kind]);
            }
        }
        std::printf("\n");
        PrintMatch2DTimeHeader();
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            for (int kind = 0; kind < kindCount; ++kind) {
                char label[32];
                std::snprintf(label, sizeof label, "class %d %s", leagueClass, kinds[kind]);
                PrintMatch2DTimeRow(label, batches[leagueClass][kind]);
            }
        }
        // The changes side by side: the user's side must fare as the computer's, watched or not.
        std::printf("\n");
        PrintMatch2DChangesHeader();
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            for (int kind = 0; kind < kindCount; ++kind) {
                char label[32];
                std::snprintf(label, sizeof label, "class %d %s", leagueClass, kinds[kind]);
                PrintMatch2DChangesRows(label, batches[leagueClass][kind]);
            }
        }
        // Who wins: the user's side's share of the batch, watched and run at once.
        std::printf("\n| batch | the user's side won |\n|---|---|\n");
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            for (int kind = 0; kind < kindCount; ++kind) {
                const Match2DBatchFigures& f = batches[leagueClass][kind];
                std::printf("| class %d %s | %d of %d (%.1f%%) |\n", leagueClass, kinds[kind], f.userWins,
                            f.matches, f.matches > 0 ? 100.0 * f.userWins / f.matches : 0.0);
            }
        }
        if (display)
            std::printf("\nthe user at the match centre: %d messages read, %d breaks, %d windows closed with "
                        "Done, %d Done refused, Fast pressed %d times; %d matches did not end\n",
                        actions.messages, actions.breaks, actions.windows, actions.doneRefused,
                        actions.presses, stalled);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("\n%.1f ms a match\n", 1000.0 * seconds / std::max(1, matches));
        return 0;
    }
    Match2DBatchFigures byClass[3]; // the league batches of a class together
    const auto row = [&matches](const char* label, const Match2DBatchFigures& figures) {
        PrintMatch2DRow(label, figures);
        matches += figures.matches;
    };
    // League fixtures by class: on the default tactics, the user cycling through the half-court
    // ones, and both sides on a random mix of all of them.
    constexpr int kKinds = 4;
    const Match2DBatchTactics kinds[kKinds] = {Match2DBatchTactics::Default, Match2DBatchTactics::Every,
                                               Match2DBatchTactics::Mix, Match2DBatchTactics::NewCareer};
    const char* names[kKinds] = {"default", "every", "mix", "career"};
    Match2DBatchFigures allKinds[kKinds];
    // The batches whose user and computer sides are printed apart.
    struct SideRow {
        CStr label;
        Match2DBatchFigures figures;
    };
    std::vector<SideRow> sideRows;
    if (playLeagues) {
        for (int pass = 0; pass < kKinds; ++pass) {
            for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
                const Match2DBatchFigures figures =
                    PlayMatch2DBatch(match, leagues[leagueClass], games, seed + leagueClass, kinds[pass]);
                char label[32];
                std::snprintf(label, sizeof label, "class %d %s", leagueClass, names[pass]);
                row(label, figures);
                allKinds[pass].Add(figures);
                if (kinds[pass] != Match2DBatchTactics::NewCareer) {
                    byClass[leagueClass].Add(figures);
                }
                if (kinds[pass] == Match2DBatchTactics::Default ||
                    kinds[pass] == Match2DBatchTactics::NewCareer) {
                    sideRows.push_back({CStr(label), figures});
                }
            }
        }
        for (int pass = 0; pass < kKinds; ++pass) {
            char label[32];
            std::snprintf(label, sizeof label, "all %s", names[pass]);
            PrintMatch2DRow(label, allKinds[pass]);
        }
        // A cup: clubs of every class at the cup's level, each class among itself, then a class-2 club
        // against a class-0 club in the league (their own levels) and in the cup ("1st wins" and "pts
        // 1st/2nd" are the class-2 side's).
        for (const Match2DBatchTactics kind :
             {Match2DBatchTactics::Default, Match2DBatchTactics::NewCareer}) {
            const bool career = kind == Match2DBatchTactics::NewCareer;
            for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
                char label[32];
                std::snprintf(label, sizeof label, "cup class %d%s", leagueClass, career ? " career" : "");
                row(label, PlayMatch2DBatch(match, leagues[leagueClass], games, seed + 10 + leagueClass, kind,
                                            nullptr, true));
            }
            row(career ? "2 v 0 league career" : "2 v 0 league",
                PlayMatch2DBatch(match, leagues[2], games, seed + 20, kind, &leagues[0], false));
            row(career ? "2 v 0 cup career" : "2 v 0 cup",
                PlayMatch2DBatch(match, leagues[2], games, seed + 21, kind, &leagues[0], true));
        }
        row("2 v 0 cup mix", PlayMatch2DBatch(match, leagues[2], games, seed + 22, Match2DBatchTactics::Mix,
                                              &leagues[0], true));
    }
    // The tournament worlds: every side at its tournament level. "1st wins" is the stronger half's
    // club against the weaker; among one half, the first club drawn.
    const int32_t worlds[2] = {kDataSetEuroCup, kDataSetWorldCup};
    const char* worldNames[2] = {"EC", "WC"};
    struct QuickRow {
        CStr label;
        QuickFigures figures;
    };
    std::vector<QuickRow> quickRows;
    for (int w = 0; playTournaments && w < 2; ++w) {
        CMemoryDB tournament;
        std::vector<CTeam*> upper, lower;
        if (!LoadWorldData(tournament, worlds[w]) || !SplitByRating(tournament, upper, lower)) {
            std::fprintf(stderr, "The %s world did not load\n", worldNames[w]);
            return 1;
        }
        const unsigned worldSeed = seed + 30 + 10 * static_cast<unsigned>(w);
        const struct {
            const char* name;
            const std::vector<CTeam*>* clubs;
            const std::vector<CTeam*>* others;
        } setups[3] = {{"strong v weak", &upper, &lower},
                       {"upper tier", &upper, nullptr},
                       {"lower tier", &lower, nullptr}};
        for (int k = 0; k < 3; ++k) {
            char label[32];
            std::snprintf(label, sizeof label, "%s %s", worldNames[w], setups[k].name);
            if (playFlat) {
                row(label, PlayMatch2DBatch(match, *setups[k].clubs, games, worldSeed + k,
                                            Match2DBatchTactics::Default, setups[k].others, true));
                char careerLabel[48];
                std::snprintf(careerLabel, sizeof careerLabel, "%s career", label);
                const Match2DBatchFigures career =
                    PlayMatch2DBatch(match, *setups[k].clubs, games, worldSeed + k,
                                     Match2DBatchTactics::NewCareer, setups[k].others, true);
                row(careerLabel, career);
                sideRows.push_back({CStr(careerLabel), career});
                char mixLabel[48];
                std::snprintf(mixLabel, sizeof mixLabel, "%s mix", label);
                row(mixLabel, PlayMatch2DBatch(match, *setups[k].clubs, games, worldSeed + k,
                                               Match2DBatchTactics::Mix, setups[k].others, true));
            }
            quickRows.push_back(
                {CStr(label), PlayQuickBatch(*setups[k].clubs, setups[k].others, games, worldSeed + k)});
        }
    }
    // Every club of the league world against its class, at home and away, on the career's tactics.
    Match2DBatchFigures clubRounds;
    if (playLeagues) {
        constexpr int kRounds = 3; // 42 matches a club in a class of eight
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            const Match2DBatchFigures rounds =
                PlayMatch2DRounds(match, leagues[leagueClass], kRounds, seed + 50 + leagueClass,
                                  Match2DBatchTactics::NewCareer);
            matches += rounds.matches;
            clubRounds.Add(rounds);
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!sideRows.empty()) {
        std::printf("\n");
        PrintMatch2DSideHeader();
        for (const SideRow& r : sideRows)
            PrintMatch2DSideRows(r.label.c_str(), r.figures);
    }
    if (playLeagues) {
        std::printf("\n");
        PrintMatch2DClubHeader();
        PrintMatch2DClubRows(clubRounds);
    }
    if (playTournaments) {
        std::printf("\n");
        PrintQuickHeader();
        for (const QuickRow& q : quickRows)
            PrintQuickRow(q.label.c_str(), q.figures);
    }
    // Within a class the better shooters make more of their free throws (made %, attempts).
    if (playLeagues) {
        std::printf("\n");
        PrintFreeThrowHeader();
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            char label[32];
            std::snprintf(label, sizeof label, "class %d leagues", leagueClass);
            PrintFreeThrowRow(label, byClass[leagueClass]);
        }
    }
    if (matches > 0)
        std::printf("\n%.1f ms a match\n", 1000.0 * seconds / matches);
    return 0;
}
