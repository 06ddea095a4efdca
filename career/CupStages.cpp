// The tournaments' knockout rounds: fixed pairings and dates read from the previous round's tables.
#include "career/CupStages.h"

#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "career/QuickResult.h"
#include "career/SeasonEnd.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "engine/Log.h"

#include <algorithm>
#include <span>
#include <sstream>
#include <vector>

namespace {

// A place in a table of the previous round: the table's league index and the place, 1 the leader.
struct Slot {
    int table = 0;
    int place = 1;
};
constexpr Slot A(int place) {
    return Slot{0, place};
}
constexpr Slot B(int place) {
    return Slot{1, place};
}
constexpr Slot X(int place) {
    return Slot{2, place};
}
constexpr Slot Y(int place) {
    return Slot{3, place};
}
// The winner of a table.
constexpr Slot W(int table) {
    return Slot{table, 1};
}

struct StageLeague {
    int32_t nameText = -1;
    Slot teams[6] = {};
    int teamCount = 0;
};

struct Pairing {
    int league = 0;
    Slot home;
    Slot away;
    int month = 0;
    int day = 0;
};

struct StageDef {
    int year = 0;
    std::span<const StageLeague> leagues;
    std::span<const Pairing> pairings;
    int tableCount = 0; // the previous round's tables 0 .. tableCount-1
};

constexpr StageLeague Tie(int32_t text, Slot home, Slot away) {
    return StageLeague{text, {home, away}, 2};
}

// ---- the world cup (2006) ----

constexpr StageLeague kWorldCup1Leagues[] = {
    Tie(100174, A(1), B(4)), Tie(100175, Y(2), X(3)),
    Tie(100176, X(2), Y(3)), Tie(100177, B(1), A(4)),
    Tie(100178, B(2), A(3)), Tie(100179, Y(1), X(4)),
    Tie(100180, A(2), B(3)), Tie(kWorldCupEighthTieText, X(1), Y(4)),
};
constexpr Pairing kWorldCup1Pairings[] = {
    {0, A(1), B(4), 8, 26}, {1, Y(2), X(3), 8, 26}, {2, X(2), Y(3), 8, 26}, {3, B(1), A(4), 8, 26},
    {4, B(2), A(3), 8, 27}, {5, Y(1), X(4), 8, 27}, {6, A(2), B(3), 8, 27}, {7, X(1), Y(4), 8, 27},
};
constexpr StageLeague kWorldCup2Leagues[] = {
    Tie(100181, W(3), W(1)),
    Tie(100182, W(0), W(2)),
    Tie(100183, W(7), W(6)),
    Tie(100184, W(5), W(4)),
};
constexpr Pairing kWorldCup2Pairings[] = {
    {0, W(3), W(1), 8, 29},
    {1, W(0), W(2), 8, 29},
    {2, W(7), W(6), 8, 30},
    {3, W(5), W(4), 8, 30},
};
constexpr StageLeague kWorldCup3Leagues[] = {Tie(100186, W(2), W(3)), Tie(100187, W(0), W(1))};
constexpr Pairing kWorldCup3Pairings[] = {{0, W(2), W(3), 9, 1}, {1, W(0), W(1), 9, 1}};
constexpr StageLeague kWorldCupFinalLeagues[] = {Tie(kCupFinalText, W(0), W(1))};
constexpr Pairing kWorldCupFinalPairings[] = {{0, W(0), W(1), 9, 3}};

// ---- the European cup (2007) ----

// Two leagues of six: each of the first three of one group meets each of the other group's once.
constexpr StageLeague kEuroCup1Leagues[] = {
    {100178, {A(1), A(2), A(3), B(1), B(2), B(3)}, 6},
    {100179, {X(1), X(2), X(3), Y(1), Y(2), Y(3)}, 6},
};
constexpr Pairing kEuroCup1Pairings[] = {
    {0, B(3), A(1), 9, 7},  {0, A(3), B(1), 9, 7},  {0, B(2), A(2), 9, 7},  {0, A(1), B(2), 9, 9},
    {0, B(3), A(3), 9, 9},  {0, A(2), B(1), 9, 9},  {0, B(1), A(1), 9, 11}, {0, A(2), B(3), 9, 11},
    {0, B(2), A(3), 9, 11}, {1, Y(3), X(1), 9, 8},  {1, Y(2), X(2), 9, 8},  {1, X(3), Y(1), 9, 8},
    {1, X(1), Y(2), 9, 10}, {1, Y(3), X(3), 9, 10}, {1, X(2), Y(1), 9, 10}, {1, Y(1), X(1), 9, 12},
    {1, X(2), Y(3), 9, 12}, {1, Y(2), X(3), 9, 12},
};
constexpr StageLeague kEuroCup2Leagues[] = {
    Tie(100181, A(1), B(4)),
    Tie(100182, A(2), B(3)),
    Tie(100183, A(3), B(2)),
    Tie(100184, A(4), B(1)),
};
constexpr Pairing kEuroCup2Pairings[] = {
    {0, A(1), B(4), 9, 13},
    {1, A(2), B(3), 9, 13},
    {2, A(3), B(2), 9, 14},
    {3, A(4), B(1), 9, 14},
};
constexpr StageLeague kEuroCup3Leagues[] = {Tie(100186, W(0), W(2)), Tie(100187, W(1), W(3))};
constexpr Pairing kEuroCup3Pairings[] = {{0, W(0), W(2), 9, 15}, {1, W(1), W(3), 9, 15}};
constexpr StageLeague kEuroCupFinalLeagues[] = {Tie(kCupFinalText, W(0), W(1))};
constexpr Pairing kEuroCupFinalPairings[] = {{0, W(0), W(1), 9, 16}};

// Rounds 1-4 of each tournament.
const StageDef& Stage(bool euroCup, int stage) {
    static const StageDef kWorldCup[4] = {
        {2006, kWorldCup1Leagues, kWorldCup1Pairings, 4},
        {2006, kWorldCup2Leagues, kWorldCup2Pairings, 8},
        {2006, kWorldCup3Leagues, kWorldCup3Pairings, 4},
        {2006, kWorldCupFinalLeagues, kWorldCupFinalPairings, 2},
    };
    static const StageDef kEuroCup[4] = {
        {2007, kEuroCup1Leagues, kEuroCup1Pairings, 4},
        {2007, kEuroCup2Leagues, kEuroCup2Pairings, 2},
        {2007, kEuroCup3Leagues, kEuroCup3Pairings, 4},
        {2007, kEuroCupFinalLeagues, kEuroCupFinalPairings, 2},
    };
    return euroCup ? kEuroCup[stage - 1] : kWorldCup[stage - 1];
}

// The day before each tournament's first group game.
GameDate TournamentStart(bool euroCup) {
    return euroCup ? GameDate{2007, 9, 2} : GameDate{2006, 8, 18};
}

// The world's clubs at the previous round's places; empty when a table is missing or too short
// for a place the round reads.
bool ResolvePlaces(const StageDef& def, const CompetitionList& standings, const CMemoryDB& world,
                   std::vector<std::vector<int32_t>>& teamIds) {
    std::vector<int> rowsNeeded(static_cast<size_t>(def.tableCount), 0);
    for (const StageLeague& league : def.leagues)
        for (int i = 0; i < league.teamCount; ++i) {
            const Slot& slot = league.teams[i];
            rowsNeeded[static_cast<size_t>(slot.table)] =
                std::max(rowsNeeded[static_cast<size_t>(slot.table)], slot.place);
        }
    for (int table = 0; table < def.tableCount; ++table) {
        const CompetitionStats* found = FindCompetition(standings, table);
        const int rows = found ? static_cast<int>(found->standings.size()) : 0;
        if (rows < rowsNeeded[static_cast<size_t>(table)]) {
            QuorelLog("[BuildCupStage] table %d has %d rows, %d needed: the round is not built", table, rows,
                      rowsNeeded[static_cast<size_t>(table)]);
            return false;
        }
    }
    teamIds.clear();
    for (const StageLeague& league : def.leagues) {
        std::vector<int32_t> ids;
        for (int i = 0; i < league.teamCount; ++i) {
            const Slot& slot = league.teams[i];
            const auto& rows = FindCompetition(standings, slot.table)->standings;
            // The leader is the last row, the runner-up the row before it.
            const TeamStatRow* row = rows[rows.size() - static_cast<size_t>(slot.place)].get();
            if (!row || !world.FindTeam(row->teamId)) {
                QuorelLog("[BuildCupStage] place %d of table %d names no club of the world", slot.place,
                          slot.table);
                return false;
            }
            ids.push_back(row->teamId);
        }
        teamIds.push_back(std::move(ids));
    }
    return true;
}

CupStageOutcome BuildStage(CCareerSession& session, const CompetitionList& standings, int stage) {
    CupStageOutcome outcome;
    CMemoryDB* world = session.worldDB;
    CMemoryDB* career = session.careerDB;
    CFixtureList* fixtures = session.fixtureList;
    if (!session.tournamentMode || !world || !career || !fixtures)
        return outcome;
    if (stage == 1 && career->leagues.IsEmpty())
        return outcome;
    const bool euroCup = session.euroCup != 0;
    // The stage moves on even when the round cannot be built, so the stage button goes on to the
    // tournament's end instead of asking for the same round again.
    session.cupStage = stage;
    CTeam* user = career->teams.At(0);

    const StageDef& def = Stage(euroCup, stage);
    // Every place is read before anything changes: a short or missing table leaves the leagues,
    // the clubs and the fixtures as they were.
    std::vector<std::vector<int32_t>> teamIds;
    if (!ResolvePlaces(def, standings, *world, teamIds))
        return outcome;

    // The round the club played gives way to the next: its tables stay to be seen.
    KeepPlayedRound(session);
    ClearTournamentLeagues(*world);
    std::vector<CLeague*> leagues;
    for (size_t i = 0; i < def.leagues.size(); ++i) {
        auto* league = new CLeague();
        league->id = static_cast<int32_t>(i);
        league->nameTextId = def.leagues[i].nameText;
        league->type = kCupLeagueType;
        league->classNumber = 0;
        world->leagues.Append(league);
        leagues.push_back(league);
    }
    fixtures->Clear();
    // A club that is out belongs to no league, so a saved and reloaded world links it into none of
    // the new ones (their ids are the old round's ids again).
    for (CTeam* team : world->teams)
        team->leagueId = -1;
    CLeague* careerLeague = career->leagues.At(0);
    for (size_t i = 0; i < leagues.size(); ++i) {
        CLeague* league = leagues[i];
        for (int32_t id : teamIds[i]) {
            CTeam* team = world->FindTeam(id);
            team->leagueId = league->id;
            league->teams.push_back(team);
            if (user && user->id == id) {
                user->leagueId = league->id;
                outcome.userQualified = true;
                if (careerLeague) {
                    careerLeague->id = league->id;
                    careerLeague->nameTextId = league->nameTextId;
                    careerLeague->type = league->type;
                    careerLeague->classNumber = league->classNumber;
                    careerLeague->promotionLeague = league->promotionLeague;
                    careerLeague->relegationLeague = league->relegationLeague;
                }
            }
        }
    }
    // The user's club plays with the career's record, every other club with the world's.
    auto player = [&](const Slot& slot, int league) -> CTeam* {
        const StageLeague& l = def.leagues[static_cast<size_t>(league)];
        for (int i = 0; i < l.teamCount; ++i)
            if (l.teams[i].table == slot.table && l.teams[i].place == slot.place) {
                const int32_t id = teamIds[static_cast<size_t>(league)][static_cast<size_t>(i)];
                return user && user->id == id ? user : world->FindTeam(id);
            }
        return nullptr;
    };
    for (const Pairing& pairing : def.pairings)
        fixtures->AddFixture(player(pairing.home, pairing.league), player(pairing.away, pairing.league),
                             leagues[static_cast<size_t>(pairing.league)], def.year, pairing.month,
                             pairing.day);
    fixtures->FinishSchedule();
    // The round's tables count its own games from its first day: the round before may have played
    // the day before it.
    if (fixtures->Size() > 0) {
        const GameDate first = fixtures->At(0)->Date();
        SeasonSpan& season = fixtures->Season();
        season.startYear = first.year;
        season.startMonth = first.month;
        season.startDay = first.day;
    }
    outcome.built = true;
    QuorelLog("[BuildCupStage] round %d: %d tables, the user's club %s: %s", stage,
              static_cast<int>(leagues.size()), outcome.userQualified ? "plays on" : "is not in it",
              TableNames(*world, *fixtures).c_str());
    return outcome;
}

} // namespace

std::string TableNames(const CMemoryDB& world, const CFixtureList& fixtures) {
    std::string names;
    for (const CLeague* league : world.leagues) {
        if (!league)
            continue;
        if (!names.empty())
            names += "; ";
        names += fixtures.LeagueName(*league).Std();
    }
    return names;
}

void ClearTournamentLeagues(CMemoryDB& world) {
    world.leagues.Clear();
}

CompetitionList BuildStageStandings(const CCareerSession& session, const TextLookup& getText) {
    CompetitionList list;
    if (!session.HasOpenCareer() || !session.fixtureList)
        return list;
    const SeasonSpan& season = session.fixtureList->Season();
    StandingsContext ctx{getText, MakeDateKey(season.startYear, season.startMonth, season.startDay)};
    BuildAllCompetitions(ctx, session.worldDB, session.careerDB, StandingsScope{}, list);
    return list;
}

CupStageOutcome BuildCupStage(CCareerSession& session, const CompetitionList& standings) {
    return BuildStage(session, standings, 1);
}
CupStageOutcome BuildCupStage2(CCareerSession& session, const CompetitionList& standings) {
    return BuildStage(session, standings, 2);
}
CupStageOutcome BuildCupStage3(CCareerSession& session, const CompetitionList& standings) {
    return BuildStage(session, standings, 3);
}
CupStageOutcome BuildCupFinal(CCareerSession& session, const CompetitionList& standings) {
    return BuildStage(session, standings, kCupFinalStage);
}

CupStageOutcome BuildNextCupStage(CCareerSession& session, const CompetitionList& standings) {
    const int stage = session.cupStage;
    if (stage < 0 || stage >= kCupFinalStage)
        return CupStageOutcome();
    return BuildStage(session, standings, stage + 1);
}

namespace {

int SeasonStartKey(const CFixtureList& fixtures) {
    const SeasonSpan& season = fixtures.Season();
    return MakeDateKey(season.startYear, season.startMonth, season.startDay);
}

} // namespace

void KeepPlayedRound(CCareerSession& session) {
    const CMemoryDB* world = session.worldDB;
    const CTeam* user = session.UserClub();
    const CFixtureList* fixtures = session.fixtureList;
    if (!session.tournamentMode || !world || !user || !fixtures)
        return;
    PlayedRound round;
    round.firstDayKey = SeasonStartKey(*fixtures);
    round.lastDayKey =
        fixtures->IsEmpty() ? MakeDateKey(session.currentDate) : MakeDateKey(fixtures->LastDate());
    bool withUser = false;
    for (const CLeague* league : world->leagues) {
        if (!league)
            continue;
        if (league->nameTextId == kEuroCupRoundListText || league->nameTextId == kWorldCupRoundListText)
            return;
        PlayedRound::Table table;
        table.nameTextId = league->nameTextId;
        for (const CTeam* team : league->teams)
            if (team) {
                table.teamIds.push_back(team->id);
                withUser = withUser || team->id == user->id;
            }
        round.tables.push_back(std::move(table));
    }
    if (!withUser)
        return;
    for (const PlayedRound& kept : session.playedRounds)
        if (kept.firstDayKey == round.firstDayKey)
            return;
    session.playedRounds.push_back(std::move(round));
}

void AppendPlayedRoundTables(const CCareerSession& session, StandingsContext ctx, StandingsScope scope,
                             CompetitionList& out) {
    const CMemoryDB* world = session.worldDB;
    const CLeague* userLeague = session.UserLeague();
    const CTeam* user = session.UserClub();
    if (session.playedRounds.empty() || !world || !userLeague || !session.fixtureList)
        return;
    // While a round is played the world holds it; once the rounds are over it holds the round list.
    const bool roundListShown =
        userLeague->nameTextId == kEuroCupRoundListText || userLeague->nameTextId == kWorldCupRoundListText;
    const int shownRoundKey = roundListShown ? -1 : SeasonStartKey(*session.fixtureList);
    const bool countryScope = scope.countryScope;
    const bool leagueScope = !countryScope && scope.leagueScope;
    int32_t id = -2;
    for (auto round = session.playedRounds.rbegin(); round != session.playedRounds.rend(); ++round) {
        if (round->firstDayKey == shownRoundKey)
            continue;
        ctx.seasonStartKey = round->firstDayKey;
        ctx.seasonEndKey = round->lastDayKey;
        for (const PlayedRound::Table& kept : round->tables) {
            // A stand-in league for the build; it owns none of the clubs it lists.
            CLeague league;
            league.id = id--;
            league.nameTextId = kept.nameTextId;
            league.type = kCupLeagueType;
            bool withUser = false;
            for (int32_t teamId : kept.teamIds)
                if (CTeam* team = world->FindTeam(teamId)) {
                    league.teams.push_back(team);
                    withUser = withUser || (user && team->id == user->id);
                }
            if (leagueScope && !withUser)
                continue;
            auto table = std::make_unique<CompetitionStats>();
            if (table->Build(ctx, &league, userLeague, countryScope))
                out.push_back(std::move(table));
        }
    }
}

std::string PlayedRoundsText(const std::vector<PlayedRound>& rounds) {
    std::string text;
    for (const PlayedRound& round : rounds)
        for (const PlayedRound::Table& table : round.tables) {
            text += std::to_string(round.firstDayKey) + " " + std::to_string(round.lastDayKey) + " " +
                    std::to_string(table.nameTextId);
            for (int32_t id : table.teamIds)
                text += " " + std::to_string(id);
            text += "\n";
        }
    return text;
}

std::vector<PlayedRound> ParsePlayedRounds(const std::string& text) {
    std::vector<PlayedRound> rounds;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        int first = 0;
        int last = 0;
        PlayedRound::Table table;
        if (!(in >> first >> last >> table.nameTextId) || first <= 0 || last < first)
            continue;
        int32_t id = 0;
        while (in >> id)
            table.teamIds.push_back(id);
        if (!in.eof() || table.teamIds.empty())
            continue;
        if (rounds.empty() || rounds.back().firstDayKey != first) {
            rounds.emplace_back();
            rounds.back().firstDayKey = first;
            rounds.back().lastDayKey = last;
        }
        rounds.back().tables.push_back(std::move(table));
    }
    return rounds;
}

const CTeam* PlayOutTournament(CCareerSession& session, const TextLookup& getText) {
    CMemoryDB* world = session.worldDB;
    CFixtureList* fixtures = session.fixtureList;
    if (!session.tournamentMode || !world || !fixtures)
        return nullptr;
    // The round the club went out in is about to give way to the next: its tables stay to be seen.
    KeepPlayedRound(session);
    if (session.cupStage < kCupFinalStage)
        QuorelLog("[PlayOutTournament] the user's club is out after round %d: the rounds to come are played "
                  "without it",
                  session.cupStage.load());
    while (session.cupStage >= 0 && session.cupStage < kCupFinalStage) {
        const CompetitionList standings = BuildStageStandings(session, getText);
        if (!BuildStage(session, standings, session.cupStage + 1).built)
            break;
        for (int i = 0; i < fixtures->Size(); ++i) {
            CFixture* fixture = fixtures->At(i);
            if (fixture->homeScore >= 0)
                continue;
            QuickMatchContext ctx;
            ctx.date = fixture->Date();
            ctx.matchStats = &world->matchStats;
            ctx.playerStats = &world->playerStats;
            SimulateQuickMatch(ctx, fixture->home, fixture->away, fixture->homeScore, fixture->awayScore);
        }
    }
    const GameDate start = TournamentStart(session.euroCup != 0);
    SeasonSpan& season = fixtures->Season();
    season.startYear = start.year;
    season.startMonth = start.month;
    season.startDay = start.day;
    return TournamentChampion(session);
}

int CupRoundOfDate(bool euroCup, int dateKey) {
    int round = 0;
    for (int stage = 1; stage <= 4; ++stage) {
        const StageDef& def = Stage(euroCup, stage);
        int first = 0;
        for (const Pairing& pairing : def.pairings) {
            const int key = MakeDateKey(def.year, pairing.month, pairing.day);
            if (first == 0 || key < first)
                first = key;
        }
        if (first != 0 && dateKey >= first)
            round = stage;
    }
    return round;
}

void RankByTournamentProgress(CompetitionStats& table, bool euroCup, const CTeam* champion) {
    const GameDate start = TournamentStart(euroCup);
    const int startKey = MakeDateKey(start.year, start.month, start.day);
    auto reached = [&](const TeamStatRow& row) {
        if (!row.hasResults || row.team == nullptr)
            return -1; // without a result: stays at the front
        if (champion != nullptr && row.teamId == champion->id)
            return kCupFinalStage + 1;
        int64_t last = 0;
        for (const CMatchStat* record : row.team->matchStats)
            if (record != nullptr && record->DateKey() >= startKey)
                last = std::max(last, record->DateKey());
        return CupRoundOfDate(euroCup, static_cast<int>(last));
    };
    std::vector<int> keys;
    keys.reserve(table.standings.size());
    for (const auto& row : table.standings)
        keys.push_back(row ? reached(*row) : -1);
    std::vector<size_t> order(table.standings.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // Stable: within a round the record order of the table stands.
    std::stable_sort(order.begin(), order.end(), [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<std::unique_ptr<TeamStatRow>> ranked;
    ranked.reserve(order.size());
    std::vector<std::pair<const TeamStatRow*, int>> reachedBy;
    for (size_t i : order) {
        reachedBy.emplace_back(table.standings[i].get(), keys[i]);
        ranked.push_back(std::move(table.standings[i]));
    }
    table.standings = std::move(ranked);
    // Clubs level on their record but out in different rounds are not level in this table.
    auto roundOf = [&reachedBy](const TeamStatRow& row) {
        for (const auto& [r, key] : reachedBy)
            if (r == &row)
                return key;
        return -1;
    };
    table.MarkLevelRows(
        [&roundOf](const TeamStatRow& a, const TeamStatRow& b) { return roundOf(a) == roundOf(b); });
}

const CTeam* TournamentChampion(const CCareerSession& session) {
    const CFixtureList* fixtures = session.fixtureList;
    if (!session.tournamentMode || session.cupStage != kCupFinalStage || !fixtures || fixtures->IsEmpty())
        return nullptr;
    const CFixture* decider = fixtures->At(fixtures->Size() - 1);
    if (decider->homeScore < 0 || decider->awayScore < 0 || decider->homeScore == decider->awayScore)
        return nullptr;
    return decider->homeScore > decider->awayScore ? decider->home : decider->away;
}
