// Box scores of the 3D match as the player sees it, at full speed: seeded league fixtures of the
// generated world per league class, both sides on the computer's tactics, through the scene set-up
// (rosters from the squads) with the characters' models loaded and moved by the court motion, as in
// the shown match (nothing is drawn), and the headless loop. Prints the table of content/ini/README.md.
// Usage: bench_match3d_boxscore [--games=N] [--seed=S] [--stand-in] [--class=C] [--versus] [--watched]
// [--display] [--clubs] [--ratings [--flat-only]] [--tactics=A/D] [--computer=A/D] (N matches per class,
// default 100;
// --stand-in: the headless stand-in clips move the players instead of the models, a fast check of the
// rules (--models, the default, is still accepted); --class: only league class C, 0-2, so the classes
// can run as separate processes; --versus: instead of the box scores, how often the stronger side
// wins: class 2 against class 0, or with --class the three strongest squads of the class against its
// three weakest; --watched: one side is the user's, the home side and the away side in turn (with
// --clubs and --versus the home side), watched and left alone, rested by the computer's rule; --display: as
// --watched, but the user's side watched through the game's display, its tactics window and coaching dialog
// at Fast by a user who changes nobody himself (OK to every message, Done to every window), with --clubs and
// --versus too; --clubs: instead of the box scores, every club of each class against the others of its class,
// home and away, at least N matches a club (default 40), club by club beside the class means; with --watched
// the home side is the user's as above; --tactics=A/D: the home (user's) side's offence and defence instead
// of a new career's, e.g. 0/10, the tuned pair; --computer=A/D: the away side's at the line-up instead of the
// computer's own, e.g. 0/13 to put both sides on it; --hall=KEY: every club plays at home in the hall of
// stadium key KEY, e.g. std_street_03, instead of its own; --ratings: how often the stronger club (the
// squad's mean overall rating) of two of a class wins, in 3D and on the flat court on the same pairings and
// seeds, the sides lined up as the other batches line them up: every pair of the class home and away in
// turn, then its three strongest against its three weakest, and the 3D box score of both batches; with
// --flat-only on the flat court alone, seconds instead of hours); --ratings-shift=K[,K...]: each club of
// the class against itself, one side's every skill K points higher (home and away in turn, N matches a
// K on the same seeds), in 3D and on the flat court: the higher side's wins and mean margin, what one
// rating point buys in each view (--flat-only too; --shift-skills=S[,S...]: only the record skills S, 1-16)
#include "DisplayRig.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DBatch.h"
#include "match3d/BoxScoreBatch.h"
#include "match3d/ClubBoxScores.h"

#include "engine/GameRand.h"
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// The share with its 95 % Wilson interval.
void PrintShare(const char* label, int wins, int matches) {
    const double n = std::max(1, matches);
    const double p = wins / n;
    constexpr double z = 1.96;
    const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
    const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n);
    std::printf("%s %d of %d, %.1f %% (%.1f-%.1f %%)", label, wins, matches, 100.0 * p,
                100.0 * (centre - half), 100.0 * (centre + half));
}

// A squad's mean overall rating, as the squad screens show the players: what a player who builds a
// better squad sees rise.
double SquadMean(const CTeam& club) {
    double sum = 0.0;
    int players = 0;
    for (CPlayer* p : club.players) {
        if (p == nullptr)
            continue;
        sum += CPlayer::ComputeOverall(p, false);
        ++players;
    }
    return players > 0 ? sum / players : 0.0;
}

std::vector<CTeam*> BySquadMean(std::vector<CTeam*> clubs) {
    std::stable_sort(clubs.begin(), clubs.end(),
                     [](const CTeam* a, const CTeam* b) { return SquadMean(*a) > SquadMean(*b); });
    return clubs;
}

// The stronger club's wins over the pairs (home, away), each played in 3D (as PlaySeededMatch3D lines
// the sides up) and on the flat court (on its computer's pair) with the same seed.
struct RatingsShare {
    int matches = 0;
    int wins3D = 0;
    int wins2D = 0;
    Match3DBatchFigures box; // the 3D matches' box scores
    Match3DBox stronger;     // the stronger club's sides alone
    Match3DBox weaker;
};

RatingsShare PlayRatingPairs(const std::vector<std::pair<CTeam*, CTeam*>>& pairs, unsigned seed, bool models,
                             CMatch2D& flat, bool flatOnly) {
    RatingsShare share;
    for (size_t i = 0; i < pairs.size(); ++i) {
        CTeam& home = *pairs[i].first;
        CTeam& away = *pairs[i].second;
        const double homeStrength = SquadMean(home);
        const double awayStrength = SquadMean(away);
        if (homeStrength == awayStrength)
            continue;
        const bool homeStronger = homeStrength > awayStrength;
        const unsigned matchSeed = seed + static_cast<unsigned>(i);
        Match3DBox homeBox;
        Match3DBox awayBox;
        bool finished = true;
        bool consistent = true;
        if (!flatOnly) {
            homeBox =
                PlaySeededMatch3D(home, away, matchSeed, models, awayBox, finished, consistent, nullptr);
        }
        GameSrand(matchSeed);
        PlayMatch2DWithTactics(flat, &home, &away, true, Match2DTactics{});
        const int flatHome = flat.GetHomeTeam()->score;
        const int flatAway = flat.GetAwayTeam()->score;
        ++share.matches;
        share.box.AddMatch(homeBox, awayBox, finished, consistent);
        share.stronger.Add(homeStronger ? homeBox : awayBox);
        share.weaker.Add(homeStronger ? awayBox : homeBox);
        share.wins3D +=
            (homeStronger ? homeBox.points > awayBox.points : awayBox.points > homeBox.points) ? 1 : 0;
        share.wins2D += (homeStronger ? flatHome > flatAway : flatAway > flatHome) ? 1 : 0;
    }
    return share;
}

// One side's 3D figures a match, for the batches that set two sides apart.
void PrintSide(const char* name, const Match3DBox& side, double n) {
    auto pct = [](int made, int taken) { return taken > 0 ? 100.0 * made / taken : 0.0; };
    std::printf("    %s: pts %.1f, 2P %.1f at %.1f %%, 3P %.1f at %.1f %%, FT %.1f at %.1f %%, OReb %.1f, "
                "DReb %.1f, Stl %.1f, Blk %.1f, TO %.1f, Fouls %.1f, poss %.1f\n",
                name, side.points / n, side.twoTaken / n, pct(side.twoMade, side.twoTaken),
                side.threesTaken / n, pct(side.threesMade, side.threesTaken), side.freeThrowsTaken / n,
                pct(side.freeThrowsMade, side.freeThrowsTaken), side.offensiveRebounds / n,
                side.defensiveRebounds / n, side.steals / n, side.blocks / n, side.turnovers / n,
                side.fouls / n, side.possessions / n);
}

void PrintRatings(const char* label, const RatingsShare& r, bool flatOnly) {
    std::printf("  %s: ", label);
    if (!flatOnly) {
        PrintShare("3D", r.wins3D, r.matches);
        std::printf("; ");
    }
    PrintShare("flat court", r.wins2D, r.matches);
    std::printf("\n");
    if (flatOnly)
        return;
    // Where the stronger club's 3D sides stand against the weaker's, a side's figures a match.
    const double n = std::max(1, r.matches);
    PrintSide("stronger", r.stronger, n);
    PrintSide("weaker  ", r.weaker, n);
}

std::vector<int> ReadList(const char* text) {
    std::vector<int> values;
    for (const char* p = text; *p != '\0';) {
        char* end = nullptr;
        values.push_back(static_cast<int>(std::strtol(p, &end, 10)));
        if (end == p)
            break;
        p = *end == ',' ? end + 1 : end;
    }
    return values;
}

// The side K points higher against its own club: wins (a level match half each) and margins.
struct ShiftShare {
    int matches = 0;
    double wins3D = 0.0;
    double wins2D = 0.0;
    long margin3D = 0;
    long margin2D = 0;
    long long marginSquares3D = 0;
    long long marginSquares2D = 0;
    Match3DBox higher; // the higher side's 3D box scores
    Match3DBox lower;
    int unfinished = 0;
};

ShiftShare PlayShifted(const std::vector<CTeam*>& clubs, int shift, const std::vector<int>& skills, int games,
                       unsigned seed, bool models, CMatch2D& flat, bool flatOnly) {
    ShiftShare share;
    std::vector<std::unique_ptr<ShiftedClub>> shifted;
    for (const CTeam* club : clubs)
        shifted.push_back(ShiftClub(*club, shift, skills));
    auto result = [](int higher, int lower) { return higher > lower ? 1.0 : higher == lower ? 0.5 : 0.0; };
    for (int i = 0; i < games; ++i) {
        // Each club twice in a row, the higher side at home and then away.
        const size_t c = static_cast<size_t>(i / 2) % clubs.size();
        const bool higherHome = i % 2 == 0;
        CTeam& higher = shifted[c]->team;
        CTeam& lower = *clubs[c];
        CTeam& home = higherHome ? higher : lower;
        CTeam& away = higherHome ? lower : higher;
        const unsigned matchSeed = seed + static_cast<unsigned>(i);
        if (!flatOnly) {
            Match3DBox awayBox;
            bool finished = true;
            bool consistent = true;
            const Match3DBox homeBox =
                PlaySeededMatch3D(home, away, matchSeed, models, awayBox, finished, consistent, nullptr);
            const Match3DBox& h = higherHome ? homeBox : awayBox;
            const Match3DBox& l = higherHome ? awayBox : homeBox;
            share.higher.Add(h);
            share.lower.Add(l);
            share.wins3D += result(h.points, l.points);
            share.margin3D += h.points - l.points;
            share.marginSquares3D += static_cast<long long>(h.points - l.points) * (h.points - l.points);
            share.unfinished += finished ? 0 : 1;
        }
        GameSrand(matchSeed);
        PlayMatch2DWithTactics(flat, &home, &away, true, Match2DTactics{});
        const int flatHome = flat.GetHomeTeam()->score;
        const int flatAway = flat.GetAwayTeam()->score;
        const int h = higherHome ? flatHome : flatAway;
        const int l = higherHome ? flatAway : flatHome;
        share.wins2D += result(h, l);
        share.margin2D += h - l;
        share.marginSquares2D += static_cast<long long>(h - l) * (h - l);
        ++share.matches;
    }
    return share;
}

void PrintShifted(int shift, const ShiftShare& r, bool flatOnly) {
    const double n = std::max(1, r.matches);
    // The mean margin with its standard error.
    auto margin = [n](long sum, long long squares) {
        const double mean = sum / n;
        const double variance = std::max(0.0, squares / n - mean * mean);
        return std::make_pair(mean, std::sqrt(variance / std::max(1.0, n - 1)));
    };
    std::printf("  +%d: %d matches", shift, r.matches);
    if (!flatOnly) {
        const auto [m, se] = margin(r.margin3D, r.marginSquares3D);
        std::printf("; 3D wins %.1f %%, margin %+.2f (+-%.2f)", 100.0 * r.wins3D / n, m, se);
    }
    const auto [m, se] = margin(r.margin2D, r.marginSquares2D);
    std::printf("; flat court wins %.1f %%, margin %+.2f (+-%.2f)\n", 100.0 * r.wins2D / n, m, se);
    if (flatOnly)
        return;
    PrintSide("higher", r.higher, n);
    PrintSide("lower ", r.lower, n);
    if (r.unfinished > 0)
        std::printf("    unfinished %d\n", r.unfinished);
}

} // namespace

int main(int argc, char** argv) {
    int games = 100;
    unsigned int seed = 2026;
    bool models = true;
    int onlyClass = -1;
    bool versus = false;
    bool watched = false;
    bool display = false;
    bool byClub = false;
    bool ratings = false;
    bool flatOnly = false;
    std::vector<int> shifts;
    std::vector<int> shiftSkills;
    bool gamesGiven = false;
    UserTactics user;
    UserTactics computer;
    bool computerGiven = false;
    const char* hall = nullptr;
    auto readPair = [](const char* text, UserTactics& pair) {
        return std::sscanf(text, "%d/%d", &pair.attack, &pair.defence) == 2;
    };
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--games=", 8) == 0) {
            games = std::max(1, std::atoi(argv[i] + 8));
            gamesGiven = true;
        } else if (std::strncmp(argv[i], "--class=", 8) == 0)
            onlyClass = std::atoi(argv[i] + 8);
        else if (std::strcmp(argv[i], "--versus") == 0)
            versus = true;
        else if (std::strcmp(argv[i], "--watched") == 0)
            watched = true;
        else if (std::strcmp(argv[i], "--display") == 0)
            watched = display = true;
        else if (std::strcmp(argv[i], "--clubs") == 0)
            byClub = true;
        else if (std::strcmp(argv[i], "--ratings") == 0)
            ratings = true;
        else if (std::strncmp(argv[i], "--ratings-shift=", 16) == 0)
            shifts = ReadList(argv[i] + 16);
        else if (std::strncmp(argv[i], "--shift-skills=", 15) == 0)
            shiftSkills = ReadList(argv[i] + 15);
        else if (std::strcmp(argv[i], "--flat-only") == 0)
            flatOnly = true;
        else if (std::strcmp(argv[i], "--models") == 0)
            models = true;
        else if (std::strcmp(argv[i], "--stand-in") == 0)
            models = false;
        else if (std::strncmp(argv[i], "--tactics=", 10) == 0) {
            if (!readPair(argv[i] + 10, user)) {
                std::fprintf(stderr, "--tactics wants offence/defence, e.g. --tactics=0/10\n");
                return 1;
            }
        } else if (std::strncmp(argv[i], "--computer=", 11) == 0) {
            computerGiven = readPair(argv[i] + 11, computer);
            if (!computerGiven) {
                std::fprintf(stderr, "--computer wants offence/defence, e.g. --computer=0/13\n");
                return 1;
            }
        } else if (std::strncmp(argv[i], "--hall=", 7) == 0)
            hall = argv[i] + 7;
        else if (std::strncmp(argv[i], "--seed=", 7) == 0)
            seed = static_cast<unsigned int>(std::strtoul(argv[i] + 7, nullptr, 10));
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
        if (hall != nullptr)
            team->stadiumKey = hall;
    }
    std::unique_ptr<displayrig::Rig> rig;
    displayrig::UserActions actions;
    int stalled = 0;
    Match3DPlay play;
    if (display) {
        rig = std::make_unique<displayrig::Rig>();
        if (!rig->Ok()) {
            std::fprintf(stderr, "The layout or the texts did not load from %s\n", FB_GAME_DIR);
            return 1;
        }
        play = [&](CMatch3D& match, int& periods, const Match3DStepWatch& watch) {
            const bool ended = rig->PlayMatch3D(match, periods, &actions, watch);
            stalled += ended ? 0 : 1;
            return ended;
        };
    }
    const char* motion = models ? "models and court motion" : "stand-in motion";
    auto printUser = [&](int matches) {
        if (display)
            std::printf(
                "\nthe user, over %d matches: %d messages read, %d breaks, %d windows closed with Done, "
                "%d Done refused, Fast pressed %d times; %d matches did not end\n",
                matches, actions.messages, actions.breaks, actions.windows, actions.doneRefused,
                actions.presses, stalled);
    };
    if (!shifts.empty()) {
        CMatch2D flat;
        flat.hooks.substituteNeeded = nullptr;
        if (!flat.LoadTactics("\\ini\\InitData.xml")) {
            std::fprintf(stderr, "ini/InitData.xml did not load\n");
            return 1;
        }
        std::printf("each club against itself, one side's %s raised, seed %u, %s, %d matches a step\n",
                    shiftSkills.empty() ? "every skill" : "listed skills", seed,
                    flatOnly ? "the flat court only" : motion, games);
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            if (onlyClass >= 0 && leagueClass != onlyClass)
                continue;
            std::printf("class %d\n", leagueClass);
            for (int shift : shifts) {
                const ShiftShare r = PlayShifted(leagues[leagueClass], shift, shiftSkills, games,
                                                 seed + 1000 * leagueClass, models, flat, flatOnly);
                PrintShifted(shift, r, flatOnly);
                std::fflush(stdout);
            }
        }
        return 0;
    }
    if (ratings) {
        CMatch2D flat;
        flat.hooks.substituteNeeded = nullptr;
        if (!flat.LoadTactics("\\ini\\InitData.xml")) {
            std::fprintf(stderr, "ini/InitData.xml did not load\n");
            return 1;
        }
        std::printf("the stronger club (by the squad's mean overall rating) of two of a class, seed %u, %s, "
                    "%d matches a batch\n",
                    seed, flatOnly ? "the flat court only" : motion, games);
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            if (onlyClass >= 0 && leagueClass != onlyClass)
                continue;
            const std::vector<CTeam*>& clubs = leagues[leagueClass];
            std::vector<std::pair<CTeam*, CTeam*>> pairs;
            for (int i = 0; i < games; ++i)
                pairs.emplace_back(clubs[static_cast<size_t>(i) % clubs.size()],
                                   clubs[BatchOpponent(static_cast<size_t>(i), clubs.size())]);
            std::printf("class %d\n", leagueClass);
            const RatingsShare anyTwo =
                PlayRatingPairs(pairs, seed + 100 * leagueClass, models, flat, flatOnly);
            PrintRatings("any two", anyTwo, flatOnly);
            const std::vector<CTeam*> ranked = BySquadMean(clubs);
            pairs.clear();
            for (int i = 0; i < games && ranked.size() >= 6; ++i) {
                CTeam* a = ranked[static_cast<size_t>(i) % 3];
                CTeam* b = ranked[ranked.size() - 3 + (static_cast<size_t>(i) / 3) % 3];
                pairs.emplace_back(i % 2 == 0 ? a : b, i % 2 == 0 ? b : a);
            }
            const RatingsShare ends =
                PlayRatingPairs(pairs, seed + 100 * leagueClass + 50, models, flat, flatOnly);
            PrintRatings("three strongest v three weakest", ends, flatOnly);
            if (!flatOnly) {
                // The 3D box score of the same matches, to see the ratings' rules keep the bands.
                PrintMatch3DHeader();
                PrintMatch3DRow("any two", anyTwo.box);
                PrintMatch3DRow("three strongest v three weakest", ends.box);
            }
            std::fflush(stdout);
        }
        return 0;
    }
    if (byClub) {
        const int each = gamesGiven ? games : 40;
        std::printf("every club against its class, at least %d matches a club, seed %u, %s%s\n\n", each, seed,
                    motion,
                    display   ? ", the home side the user's, watched through the display and left alone"
                    : watched ? ", the home side the user's, watched and left alone"
                              : "");
        int matches = 0;
        for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
            if (onlyClass >= 0 && leagueClass != onlyClass)
                continue;
            char label[32];
            std::snprintf(label, sizeof label, "class %d", leagueClass);
            const Match3DClubReport report =
                PlayMatch3DClubs(leagues[leagueClass], each, seed + leagueClass, models, watched, play);
            PrintMatch3DClubReport(label, report);
            matches += report.matches;
        }
        printUser(matches);
        return 0;
    }
    if (versus) {
        std::vector<CTeam*> first;
        std::vector<CTeam*> second;
        if (onlyClass >= 0 && onlyClass < 3) {
            const std::vector<CTeam*> ranked = ByStrength(leagues[onlyClass]);
            if (ranked.size() < 6) {
                std::fprintf(stderr, "class %d has fewer than six clubs\n", onlyClass);
                return 1;
            }
            first.assign(ranked.begin(), ranked.begin() + 3);
            second.assign(ranked.end() - 3, ranked.end());
        } else {
            first = leagues[2];
            second = leagues[0];
        }
        const Match3DVersus v = PlayMatch3DVersus(first, second, games, seed, models, watched, play);
        std::printf(
            "%s, seed %u, %s: %d matches, the stronger side won %d (%.0f %%), level %d, unfinished %d\n",
            onlyClass >= 0 ? "three strongest against three weakest of the class" : "class 2 against class 0",
            seed, motion, v.matches, v.firstWins, 100.0 * v.FirstWinShare(), v.level, v.unfinished);
        auto fieldGoals = [](const Match3DBox& b) {
            return b.FieldGoalsTaken() > 0 ? 100.0 * b.FieldGoalsMade() / b.FieldGoalsTaken() : 0.0;
        };
        std::printf("  points a match %.1f against %.1f, field goals %.1f %% against %.1f %%\n",
                    v.matches > 0 ? static_cast<double>(v.firstBox.points) / v.matches : 0.0,
                    v.matches > 0 ? static_cast<double>(v.secondBox.points) / v.matches : 0.0,
                    fieldGoals(v.firstBox), fieldGoals(v.secondBox));
        auto perMatch = [&v](int value) {
            return v.matches > 0 ? static_cast<double>(value) / v.matches : 0.0;
        };
        std::printf("  a match: shots %.1f against %.1f, threes %.1f against %.1f, free throws %.1f against "
                    "%.1f, offensive rebounds %.1f against %.1f, steals %.1f against %.1f\n",
                    perMatch(v.firstBox.FieldGoalsTaken()), perMatch(v.secondBox.FieldGoalsTaken()),
                    perMatch(v.firstBox.threesTaken), perMatch(v.secondBox.threesTaken),
                    perMatch(v.firstBox.freeThrowsTaken), perMatch(v.secondBox.freeThrowsTaken),
                    perMatch(v.firstBox.offensiveRebounds), perMatch(v.secondBox.offensiveRebounds),
                    perMatch(v.firstBox.steals), perMatch(v.secondBox.steals));
        if (onlyClass >= 0)
            for (size_t i = 0; i < 3; ++i)
                std::printf("  %s %.1f against %s %.1f\n", first[i]->name.GetText(), SquadStrength(*first[i]),
                            second[i]->name.GetText(), SquadStrength(*second[i]));
        if (watched)
            std::printf("  the home side the user's, watched%s and left alone\n",
                        display ? " through the display" : "");
        printUser(v.matches);
        return 0;
    }
    std::printf("%d matches per class, seed %u, %s%s; figures a side, percentages over the batch\n", games,
                seed, motion,
                display
                    ? ", the user's side home and away in turn, watched through the display and left alone"
                : watched ? ", the user's side home and away in turn, watched and left alone"
                          : "");
    char computerPair[32] = "the computer's own";
    if (computerGiven)
        std::snprintf(computerPair, sizeof computerPair, "%d/%d", computer.attack, computer.defence);
    std::printf("%s side on %d/%d, %s side on %s\n\n", watched ? "the user's" : "home", user.attack,
                user.defence, watched ? "the computer's" : "away", computerPair);
    PrintMatch3DHeader();
    const auto start = std::chrono::steady_clock::now();
    Match3DBatchFigures all;
    std::vector<std::pair<std::string, Match3DBatchFigures>> rows;
    int matches = 0;
    for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
        if (onlyClass >= 0 && leagueClass != onlyClass)
            continue;
        const Match3DBatchFigures f =
            PlayMatch3DBatch(leagues[leagueClass], games, seed + leagueClass, models, watched, play, user,
                             computerGiven ? &computer : nullptr);
        char label[32];
        std::snprintf(label, sizeof label, "class %d", leagueClass);
        PrintMatch3DRow(label, f);
        rows.emplace_back(label, f);
        matches += f.matches;
        all.matches += f.matches;
        all.unfinished += f.unfinished;
        all.level += f.level;
        all.off += f.off;
        all.total.Add(f.total);
        all.userTotal.Add(f.userTotal);
        all.sidePoints.insert(all.sidePoints.end(), f.sidePoints.begin(), f.sidePoints.end());
        all.margins.insert(all.margins.end(), f.margins.begin(), f.margins.end());
        all.userWins += f.userWins;
        all.userMarginSum += f.userMarginSum;
        all.userHomeMatches += f.userHomeMatches;
        all.userHomeWins += f.userHomeWins;
    }
    PrintMatch3DRow("all", all);
    std::printf("\n");
    PrintMatch3DSideHeader();
    for (const auto& [label, f] : rows)
        PrintMatch3DSideRows(label.c_str(), f);
    PrintMatch3DSideRows("all", all);
    std::printf("\n");
    PrintMatch3DTimeHeader();
    for (const auto& [label, f] : rows)
        PrintMatch3DTimeRow(label.c_str(), f, watched);
    PrintMatch3DTimeRow("all", all, watched);
    std::printf("\n");
    PrintMatch3DChangesHeader();
    for (const auto& [label, f] : rows)
        PrintMatch3DChangesRows(label.c_str(), f, watched);
    PrintMatch3DChangesRows("all", all, watched);
    // The user's wins (home and away in turn) with the 95 % Wilson interval: whether a pair of tactics
    // costs the user; without --watched the home side's.
    std::printf("%s wins:\n", watched ? "the user's side (home and away in turn)" : "the home side");
    auto printWins = [](const char* label, const Match3DBatchFigures& f) {
        const double n = std::max(1, f.matches);
        const double p = f.userWins / n;
        constexpr double z = 1.96;
        const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
        const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n);
        std::printf("  %s: %d of %d, %.1f %% (%.1f-%.1f %%), mean margin %+.2f\n", label, f.userWins,
                    f.matches, 100.0 * p, 100.0 * (centre - half), 100.0 * (centre + half),
                    static_cast<double>(f.userMarginSum) / n);
    };
    for (const auto& [label, f] : rows)
        printWins(label.c_str(), f);
    printWins("all", all);
    if (watched)
        std::printf("  at home %d of %d, away %d of %d\n", all.userHomeWins, all.userHomeMatches,
                    all.userWins - all.userHomeWins, all.matches - all.userHomeMatches);
    // Each class plays in its own hall family, so a hall whose rim or board turns misses away shows here.
    std::printf(
        "\nmisses that became rebounds (offensive and defensive rebounds of the missed field goals):");
    for (const auto& [label, f] : rows) {
        const Match3DBox& t = f.total;
        const int misses = t.FieldGoalsTaken() - t.FieldGoalsMade();
        std::printf(" %s %.1f %%;", label.c_str(),
                    misses > 0 ? 100.0 * (t.offensiveRebounds + t.defensiveRebounds) / misses : 0.0);
    }
    std::printf("\n");
    std::printf("\nlongest possession without a shot %.0f s, longest change under way %.0f s (match time)\n",
                all.total.longestPossession, all.total.longestChange);
    std::printf("clock seconds run during free throws %d, periods ended with throws owed %d, longest dead "
                "ball %.1f s, at the free-throw line %.1f s (real seconds at normal speed)\n",
                all.total.freeThrowClockSeconds, all.total.periodsEndedOwingThrows, all.total.longestDeadBall,
                all.total.longestLineUp);
    std::printf("matches with a dead ball longer than %.0f s: %d of %d\n", kLongestDeadBallSeconds,
                all.total.longDeadBallMatches, matches);
    printUser(matches);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("\n%d matches in %.1f s (%.0f ms a match)\n", matches, seconds,
                1000.0 * seconds / std::max(1, matches));
    return 0;
}
