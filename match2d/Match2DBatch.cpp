#include "match2d/Match2DBatch.h"

#include "database/Records.h"
#include "engine/GameRand.h"
#include "match/Formation.h"
#include "match/UserMatch.h"
#include "match2d/Match2D.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

void Match2DBox::Add(const Match2DBox& o) {
    points += o.points;
    twoTaken += o.twoTaken;
    twoMade += o.twoMade;
    dunksTaken += o.dunksTaken;
    dunksMade += o.dunksMade;
    threesTaken += o.threesTaken;
    threesMade += o.threesMade;
    freeThrowsTaken += o.freeThrowsTaken;
    freeThrowsMade += o.freeThrowsMade;
    offensiveRebounds += o.offensiveRebounds;
    defensiveRebounds += o.defensiveRebounds;
    assists += o.assists;
    steals += o.steals;
    turnovers += o.turnovers;
    fouls += o.fouls;
    blocks += o.blocks;
    bookedTurnovers += o.bookedTurnovers;
}

void Match2DTime::Add(const Match2DTime& o) {
    substitutions += o.substitutions;
    starterSeconds += o.starterSeconds;
    starters += o.starters;
    seconds += o.seconds;
    periodSeconds += o.periodSeconds;
    injuries += o.injuries;
    exhausted += o.exhausted;
    fouledOut += o.fouledOut;
    startersInBand += o.startersInBand;
    startersShort += o.startersShort;
    finalFive += o.finalFive;
    offPosition += o.offPosition;
    farOffPosition += o.farOffPosition;
}

Match2DBox BoxScore(const CMatch2DTeam& team) {
    Match2DBox box;
    box.points = team.score;
    box.twoTaken = team.SumFieldGoalsTaken();
    box.twoMade = team.SumFieldGoalsMade();
    team.GetDunkTotals(box.dunksMade, box.dunksTaken);
    box.threesTaken = team.SumThreePointersTaken();
    box.threesMade = team.SumThreePointersMade();
    box.freeThrowsTaken = team.SumFreeThrowsTaken();
    box.freeThrowsMade = team.SumFreeThrowsMade();
    box.offensiveRebounds = team.SumOffensiveRebounds();
    box.defensiveRebounds = team.SumDefensiveRebounds();
    box.assists = team.SumAssists();
    box.steals = team.SumSteals();
    box.turnovers = team.SumTurnovers();
    box.fouls = team.SumFouls();
    box.blocks = team.SumBlocks();
    int completed = 0;
    team.GetPassTotals(completed, box.bookedTurnovers);
    box.bookedTurnovers += team.teamTurnovers; // as the club's record books them
    return box;
}

int Match2DBatchFigures::Quantile(const std::vector<int>& sorted, double q) {
    if (sorted.empty()) {
        return 0;
    }
    return sorted[static_cast<size_t>(q * static_cast<double>(sorted.size() - 1) + 0.5)];
}

void Match2DBatchFigures::Add(const Match2DBatchFigures& o) {
    matches += o.matches;
    forfeits += o.forfeits;
    unfinished += o.unfinished;
    level += o.level;
    overtimeMatches += o.overtimeMatches;
    longestStealRun = std::max(longestStealRun, o.longestStealRun);
    quietPeriods += o.quietPeriods;
    scoreMismatches += o.scoreMismatches;
    foulLimits += o.foulLimits;
    firstWins += o.firstWins;
    userWins += o.userWins;
    for (int b = 0; b < kRatingBands; ++b) {
        freeThrowsTakenByRating[b] += o.freeThrowsTakenByRating[b];
        freeThrowsMadeByRating[b] += o.freeThrowsMadeByRating[b];
    }
    total.Add(o.total);
    userSide.Add(o.userSide);
    computerSide.Add(o.computerSide);
    for (const Match2DClubFigures& c : o.clubs) {
        Match2DClubFigures& own = Club(c.club);
        own.matches += c.matches;
        own.wins += c.wins;
        own.box.Add(c.box);
        own.homeBox.Add(c.homeBox);
        for (const auto& [id, points] : c.playerPoints) {
            own.playerPoints[id] += points;
        }
    }
    mostFouls = std::max(mostFouls, o.mostFouls);
    time.Add(o.time);
    userTime.Add(o.userTime);
    computerTime.Add(o.computerTime);
    const std::pair<std::vector<int>*, const std::vector<int>*> lists[4] = {{&points, &o.points},
                                                                            {&margins, &o.margins},
                                                                            {&firstPoints, &o.firstPoints},
                                                                            {&secondPoints, &o.secondPoints}};
    for (const auto& [list, more] : lists) {
        list->insert(list->end(), more->begin(), more->end());
        std::sort(list->begin(), list->end());
    }
}

namespace {

// The watched match to its end with nobody at the controls: the quarter breaks are closed at once,
// and a player who must leave is replaced as the user would in the window that asks.
void PlayWatched(CMatch2D& match) {
    constexpr int kFrameTicks = 4; // a frame's ticks at the faster speed
    match.running = 1;
    while (!match.IsOver()) {
        match.RunTicks(kFrameTicks);
        if (!match.paused) {
            continue;
        }
        CMatch2DTeam& user = match.GetHomeTeam()->userTeam ? *match.GetHomeTeam() : *match.GetAwayTeam();
        for (int i = 0; i < kCourtPlayers && i < user.PlayerCount(); ++i) {
            const CMatch2DPlayer* p = user.GetPlayer(i);
            // The change the window offers, made by Done (a change re-seats the five: look again).
            if (p != nullptr && p->MatchState() == kOnCourtState && (p->mustLeave || p->Fouls() >= 6) &&
                match.ForcedChange(user, p->id)) {
                i = -1;
            }
        }
        match.paused = 0;
    }
    match.running = 0;
}

} // namespace

double Match2DClubFigures::LeadingScorerPerMatch() const {
    int most = 0;
    for (const auto& entry : playerPoints) {
        most = std::max(most, entry.second);
    }
    return matches > 0 ? static_cast<double>(most) / matches : 0.0;
}

Match2DClubFigures& Match2DBatchFigures::Club(const CTeam* club) {
    for (Match2DClubFigures& c : clubs) {
        if (c.club == club) {
            return c;
        }
    }
    clubs.push_back(Match2DClubFigures{});
    clubs.back().club = club;
    return clubs.back();
}

bool PlayMatch2DWithTactics(CMatch2D& match, CTeam* home, CTeam* away, bool userIsHome,
                            const Match2DTactics& t, bool watched, const Match2DWatchedPlay& play) {
    const int userAttack = userIsHome ? t.homeAttack : t.awayAttack;
    const int userDefence = userIsHome ? t.homeDefence : t.awayDefence;
    if (!SetupMatch2D(match, home, away, userIsHome, !watched, userAttack, userDefence)) {
        return false;
    }
    if (watched) {
        if (play) {
            play(match, home, away, userAttack, userDefence);
        } else {
            PlayWatched(match);
        }
        return match.IsOver();
    }
    // The computer's side plays attack 0 and defence 13 unless told otherwise.
    if (userIsHome && (t.awayAttack != 0 || t.awayDefence != 13)) {
        match.LoadAwayFormation(t.awayAttack, t.awayDefence);
    } else if (!userIsHome && (t.homeAttack != 0 || t.homeDefence != 13)) {
        match.LoadHomeFormation(t.homeAttack, t.homeDefence);
    }
    match.RunTicks(match.ticksPerFrame);
    match.running = 0;
    match.instantRun = 0;
    return match.IsOver();
}

namespace {

// The figures of the match just played, added to a batch's.
void RecordMatch(const CMatch2D& match, const CTeam* home, const CTeam* away, bool userIsHome,
                 bool firstAtHome, bool finished, Match2DBatchFigures& figures) {
    const int homeScore = match.GetHomeTeam()->score;
    const int awayScore = match.GetAwayTeam()->score;
    ++figures.matches;
    figures.forfeits += match.forfeited ? 1 : 0;
    figures.unfinished += finished ? 0 : 1;
    figures.level += homeScore == awayScore ? 1 : 0;
    figures.overtimeMatches += match.overtimes > 0 ? 1 : 0;
    figures.longestStealRun = std::max(figures.longestStealRun, match.longestStealRun);
    figures.quietPeriods += match.quietPeriods;
    figures.margins.push_back(std::abs(homeScore - awayScore));
    if ((firstAtHome ? homeScore > awayScore : awayScore > homeScore)) {
        ++figures.firstWins;
    }
    figures.userWins += (userIsHome ? homeScore > awayScore : awayScore > homeScore) ? 1 : 0;
    figures.firstPoints.push_back(firstAtHome ? homeScore : awayScore);
    figures.secondPoints.push_back(firstAtHome ? awayScore : homeScore);
    for (const CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
        const bool homeSide = team == match.GetHomeTeam();
        const Match2DBox box = BoxScore(*team);
        figures.total.Add(box);
        (homeSide == userIsHome ? figures.userSide : figures.computerSide).Add(box);
        Match2DClubFigures& club = figures.Club(homeSide ? home : away);
        ++club.matches;
        club.wins += (homeSide ? homeScore > awayScore : awayScore > homeScore) ? 1 : 0;
        club.box.Add(box);
        if (homeSide) {
            club.homeBox.Add(box);
        }
        figures.points.push_back(box.points);
        figures.mostFouls = std::max(figures.mostFouls, box.fouls);
        if (!match.forfeited && box.points != 2 * box.twoMade + 3 * box.threesMade + box.freeThrowsMade) {
            ++figures.scoreMismatches;
        }
        Match2DTime time;
        time.substitutions = team->substitutions;
        time.periodSeconds = 4 * 720 + 300 * match.overtimes;
        for (int i = 0; i < team->PlayerCount(); ++i) {
            const CMatch2DPlayer& p = *team->GetPlayer(i);
            const int seconds = p.secondsOnCourt; // as the record keeps it
            time.seconds += seconds;
            if (p.startedMatch) {
                time.starterSeconds += seconds;
                ++time.starters;
                time.startersInBand += seconds >= 24 * 60 && seconds <= 38 * 60 ? 1 : 0;
                time.startersShort += seconds < 24 * 60 ? 1 : 0;
            }
            time.injuries += p.mustLeave ? 1 : 0;
            time.exhausted += p.exhausted ? 1 : 0;
            time.fouledOut += p.Fouls() >= 6 ? 1 : 0;
            if (i < kCourtPlayers && p.MatchState() == kOnCourtState) {
                const int distance = PositionDistance(p.positionId, p.positionIdCopy);
                ++time.finalFive;
                time.offPosition += distance > 2 && distance != kFarPosition ? 1 : 0;
                time.farOffPosition +=
                    distance == PositionDistance(kPositionPointGuard, kPositionCentre) ? 1 : 0;
            }
        }
        figures.time.Add(time);
        (team->userTeam ? figures.userTime : figures.computerTime).Add(time);
        for (const auto& p : team->players) {
            figures.foulLimits += p->Fouls() >= 5 ? 1 : 0;
            figures.Club(team == match.GetHomeTeam() ? home : away).playerPoints[p->id] +=
                2 * p->Counter(kStatFieldGoalsMade) + 3 * p->Counter(kStatThreesMade) +
                p->Counter(kStatFreeThrowsMade);
            const int band = Match2DBatchFigures::RatingBand(p->FreeThrowRating());
            figures.freeThrowsTakenByRating[band] += p->Counter(kStatFreeThrowsTaken);
            figures.freeThrowsMadeByRating[band] += p->Counter(kStatFreeThrowsMade);
        }
    }
}

// The batch's tactics for one match: game numbers the matches of the batch.
Match2DTactics BatchTactics(Match2DBatchTactics tactics, int game, bool userIsHome, int onlyDefence) {
    // Every offence, and the defences the game plays in the half court; the presses are tactics of
    // their own, measured apart.
    static const int kHalfCourtDefences[6] = {10, 13, 14, 17, 18, 19};
    Match2DTactics t;
    if (tactics == Match2DBatchTactics::Every) {
        (userIsHome ? t.homeAttack : t.awayAttack) = game % 10;
        (userIsHome ? t.homeDefence : t.awayDefence) = kHalfCourtDefences[(game / 10) % 6];
    } else if (tactics == Match2DBatchTactics::Mix) {
        t.homeAttack = GameRand() % 10;
        t.homeDefence = 10 + GameRand() % 10;
        t.awayAttack = GameRand() % 10;
        t.awayDefence = 10 + GameRand() % 10;
        if (onlyDefence >= 0) {
            t.homeDefence = t.awayDefence = onlyDefence;
        }
    } else if (tactics == Match2DBatchTactics::NewCareer || tactics == Match2DBatchTactics::Watched) {
        (userIsHome ? t.homeAttack : t.awayAttack) = kDefaultUserAttack;
        (userIsHome ? t.homeDefence : t.awayDefence) = kDefaultUserDefence;
    }
    return t;
}

} // namespace

Match2DBatchFigures PlayMatch2DBatch(CMatch2D& match, const std::vector<CTeam*>& clubs, int games,
                                     unsigned int seed, Match2DBatchTactics tactics,
                                     const std::vector<CTeam*>* others, bool cup, int onlyDefence,
                                     const Match2DWatchedPlay& play) {
    Match2DBatchFigures figures;
    if (others != nullptr ? clubs.empty() || others->empty() : clubs.size() < 2) {
        return figures;
    }
    GameSrand(seed);
    const uint8_t wasCup = match.tournament;
    match.tournament = cup ? 1 : 0;
    for (int game = 0; game < games; ++game) {
        CTeam* first = nullptr;
        CTeam* second = nullptr;
        if (others != nullptr) {
            first = clubs[static_cast<size_t>(GameRand()) % clubs.size()];
            second = (*others)[static_cast<size_t>(GameRand()) % others->size()];
        } else {
            const size_t count = clubs.size();
            const size_t h = static_cast<size_t>(GameRand()) % count;
            const size_t a = (h + 1 + static_cast<size_t>(GameRand()) % (count - 1)) % count;
            first = clubs[h];
            second = clubs[a];
        }
        const bool firstAtHome = others == nullptr || game % 2 == 0;
        CTeam* home = firstAtHome ? first : second;
        CTeam* away = firstAtHome ? second : first;
        const bool userIsHome = others != nullptr ? (game / 2) % 2 == 0 : game % 2 == 0;
        const Match2DTactics t = BatchTactics(tactics, game, userIsHome, onlyDefence);
        const bool finished = PlayMatch2DWithTactics(match, home, away, userIsHome, t,
                                                     tactics == Match2DBatchTactics::Watched, play);
        RecordMatch(match, home, away, userIsHome, firstAtHome, finished, figures);
    }
    match.tournament = wasCup;
    for (std::vector<int>* list :
         {&figures.points, &figures.margins, &figures.firstPoints, &figures.secondPoints}) {
        std::sort(list->begin(), list->end());
    }
    return figures;
}

Match2DBatchFigures PlayMatch2DRounds(CMatch2D& match, const std::vector<CTeam*>& clubs, int rounds,
                                      unsigned int seed, Match2DBatchTactics tactics) {
    Match2DBatchFigures figures;
    GameSrand(seed);
    const uint8_t wasCup = match.tournament;
    match.tournament = 0;
    int game = 0;
    for (int round = 0; round < rounds; ++round) {
        for (CTeam* home : clubs) {
            for (CTeam* away : clubs) {
                if (home == away) {
                    continue;
                }
                // The user's side alternates, so that each club is the user's in half its matches.
                const bool userIsHome = (game + round) % 2 == 0;
                const Match2DTactics t = BatchTactics(tactics, game, userIsHome, -1);
                const bool finished = PlayMatch2DWithTactics(match, home, away, userIsHome, t,
                                                             tactics == Match2DBatchTactics::Watched);
                RecordMatch(match, home, away, userIsHome, true, finished, figures);
                ++game;
            }
        }
    }
    match.tournament = wasCup;
    for (std::vector<int>* list :
         {&figures.points, &figures.margins, &figures.firstPoints, &figures.secondPoints}) {
        std::sort(list->begin(), list->end());
    }
    return figures;
}

namespace {

double Percent(int made, int taken) {
    return taken > 0 ? 100.0 * made / taken : 0.0;
}

} // namespace

void PrintMatch2DHeader() {
    std::printf(
        "| %-14s | pts | FGA | FG%% | 2PA | 2P%% | dunks | 3PA | 3P%% | FTA | FT%% | OReb | DReb | OReb%% "
        "| Ast | Stl | TO | TO booked | Blk | Fouls | at 5 | forfeits | level | OT | margin | 1st wins | pts "
        "1st/2nd | run | "
        "quiet "
        "| off |\n",
        "batch");
    std::printf(
        "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---"
        "|---|---|"
        "---|---|\n");
}

void PrintMatch2DRow(const char* label, const Match2DBatchFigures& f) {
    const Match2DBox& t = f.total;
    const int rebounds = t.offensiveRebounds + t.defensiveRebounds;
    std::printf(
        "| %-14s | %d | %.0f | %.0f | %.0f | %.0f | %.1f | %.0f | %.0f | %.0f | %.0f | %.1f | %.1f | %.0f "
        "| %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.2f | %d/%d | %d | %d | %d | %.0f%% | %d/%d | %d | %d "
        "| %d |\n",
        label, f.MedianPoints(), f.PerSide(t.FieldGoalsTaken()),
        Percent(t.FieldGoalsMade(), t.FieldGoalsTaken()), f.PerSide(t.twoTaken),
        Percent(t.twoMade, t.twoTaken), f.PerSide(t.dunksTaken), f.PerSide(t.threesTaken),
        Percent(t.threesMade, t.threesTaken), f.PerSide(t.freeThrowsTaken),
        Percent(t.freeThrowsMade, t.freeThrowsTaken), f.PerSide(t.offensiveRebounds),
        f.PerSide(t.defensiveRebounds), Percent(t.offensiveRebounds, rebounds), f.PerSide(t.assists),
        f.PerSide(t.steals), f.PerSide(t.turnovers), f.PerSide(t.bookedTurnovers), f.PerSide(t.blocks),
        f.PerSide(t.fouls), f.PerSide(f.foulLimits), f.forfeits, f.matches, f.level, f.overtimeMatches,
        f.MedianMargin(), Percent(f.firstWins, f.matches), Match2DBatchFigures::Quantile(f.firstPoints, 0.5),
        Match2DBatchFigures::Quantile(f.secondPoints, 0.5), f.longestStealRun, f.quietPeriods,
        f.scoreMismatches);
}

void PrintFreeThrowHeader() {
    std::printf("| %-14s | FT%% rating < 45 | 45-54 | 55-64 | 65 and above |\n|---|---|---|---|---|\n",
                "batch");
}

void PrintFreeThrowRow(const char* label, const Match2DBatchFigures& f) {
    std::printf("| %-14s |", label);
    for (int b = 0; b < Match2DBatchFigures::kRatingBands; ++b) {
        std::printf(" %.0f (%d) |", Percent(f.freeThrowsMadeByRating[b], f.freeThrowsTakenByRating[b]),
                    f.freeThrowsTakenByRating[b]);
    }
    std::printf("\n");
}

void PrintMatch2DTimeHeader() {
    std::printf(
        "| %-14s | changes a match | starter's minutes | a side's minutes (of) | hurt a side | exhausted | "
        "user's side: changes | starter's minutes | hurt | exhausted |\n",
        "batch");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
}

void PrintMatch2DTimeRow(const char* label, const Match2DBatchFigures& f) {
    const Match2DTime& t = f.time;
    const Match2DTime& u = f.userTime;
    const int matches = std::max(1, f.matches);
    auto minutes = [](int seconds, int count) { return count > 0 ? seconds / 60.0 / count : 0.0; };
    std::printf("| %-14s | %.1f | %.1f | %.1f (%.1f) | %.2f | %.2f | %.1f | %.1f | %.2f | %.2f |\n", label,
                static_cast<double>(t.substitutions) / matches, minutes(t.starterSeconds, t.starters),
                minutes(t.seconds, 2 * matches), minutes(t.periodSeconds, 2 * matches) * 5.0,
                f.PerSide(t.injuries), f.PerSide(t.exhausted), static_cast<double>(u.substitutions) / matches,
                minutes(u.starterSeconds, u.starters), static_cast<double>(u.injuries) / matches,
                static_cast<double>(u.exhausted) / matches);
}

void PrintMatch2DSideRows(const char* label, const Match2DBatchFigures& f) {
    // One side of each match: a figure a match is the sum over the matches.
    const double n = f.matches > 0 ? f.matches : 1;
    const std::pair<const char*, const Match2DBox*> sides[2] = {{"user", &f.userSide},
                                                                {"computer", &f.computerSide}};
    for (const auto& [side, box] : sides) {
        const Match2DBox& b = *box;
        std::printf("| %-14s | %-8s | %.1f | %.0f | %.1f | %.0f | %.1f | %.0f | %.1f | %.0f | %.1f | %.1f | "
                    "%.1f | %.1f | %.1f | %.1f |\n",
                    label, side, b.points / n, Percent(b.FieldGoalsMade(), b.FieldGoalsTaken()),
                    b.threesTaken / n, Percent(b.threesMade, b.threesTaken), b.freeThrowsTaken / n,
                    Percent(b.freeThrowsMade, b.freeThrowsTaken), b.offensiveRebounds / n,
                    Percent(b.offensiveRebounds, b.offensiveRebounds + b.defensiveRebounds), b.assists / n,
                    b.steals / n, b.turnovers / n, b.bookedTurnovers / n, b.blocks / n, b.fouls / n);
    }
}

void PrintMatch2DSideHeader() {
    std::printf("| %-14s | side | pts | FG%% | 3PA | 3P%% | FTA | FT%% | OReb | OReb%% | Ast | Stl | TO | TO "
                "booked | Blk | "
                "Fouls |\n"
                "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n",
                "batch");
}

void PrintMatch2DClubHeader() {
    std::printf("| %-24s | matches | won | pts | FG%% | 3PA | 3P%% | FTA | FT%% | OReb%% | Ast | Stl | TO | "
                "Blk | Fouls | "
                "lead |\n"
                "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n",
                "club");
}

void PrintMatch2DClubRows(const Match2DBatchFigures& f) {
    for (const Match2DClubFigures& c : f.clubs) {
        const Match2DBox& b = c.box;
        const double n = c.matches > 0 ? c.matches : 1;
        std::printf("| %-24s | %d | %.0f%% | %.1f | %.1f | %.1f | %.0f | %.1f | %.0f | %.0f | %.1f | %.1f | "
                    "%.1f | %.1f | "
                    "%.1f | %.1f |\n",
                    c.club != nullptr ? c.club->name.GetText() : "?", c.matches, Percent(c.wins, c.matches),
                    b.points / n, Percent(b.FieldGoalsMade(), b.FieldGoalsTaken()), b.threesTaken / n,
                    Percent(b.threesMade, b.threesTaken), b.freeThrowsTaken / n,
                    Percent(b.freeThrowsMade, b.freeThrowsTaken),
                    Percent(b.offensiveRebounds, b.offensiveRebounds + b.defensiveRebounds), b.assists / n,
                    b.steals / n, b.bookedTurnovers / n, b.blocks / n, b.fouls / n,
                    c.LeadingScorerPerMatch());
    }
}

void PrintMatch2DChangesHeader() {
    std::printf(
        "| %-14s | side | changes a match | fouled out a match | starters 24-38 min (below) | off position | "
        "PG at C or C at PG | hurt | exhausted |\n"
        "|---|---|---|---|---|---|---|---|---|\n",
        "batch");
}

void PrintMatch2DChangesRows(const char* label, const Match2DBatchFigures& f) {
    const double n = f.matches > 0 ? f.matches : 1;
    const std::pair<const char*, const Match2DTime*> sides[2] = {{"user", &f.userTime},
                                                                 {"computer", &f.computerTime}};
    for (const auto& [side, time] : sides) {
        const Match2DTime& t = *time;
        std::printf("| %-14s | %-8s | %.1f | %.2f | %.0f%% (%.0f%%) | %.1f%% | %.2f%% | %.2f | %.2f |\n",
                    label, side, t.substitutions / n, t.fouledOut / n, Percent(t.startersInBand, t.starters),
                    Percent(t.startersShort, t.starters), Percent(t.offPosition, t.finalFive),
                    Percent(t.farOffPosition, t.finalFive), t.injuries / n, t.exhausted / n);
    }
}
