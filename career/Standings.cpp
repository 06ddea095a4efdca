// The season's standings, team figures and player averages, built from the match records.
#include "career/Standings.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "database/Records.h"

#include <algorithm>
#include <cmath>

namespace {

int SeasonStartKey(const CCareerSession& session) {
    if (!session.fixtureList)
        return 0;
    const SeasonSpan& season = session.fixtureList->Season();
    return MakeDateKey(season.startYear, season.startMonth, season.startDay);
}

float Percent(float made, float attempted) {
    return attempted == 0.0f ? 0.0f : made / attempted * 100.0f;
}

CStr PairText(float made, float attempted) {
    // Made over attempted, as the player comparison writes the same pair ("3.50-6.50" read as a score).
    return CStr::Formatted("%.2f/%.2f", static_cast<double>(made), static_cast<double>(attempted));
}

// Ascending by an integer key, in place; equal keys keep whatever order the partitioning leaves
// (the players' field-goal list only: the teams have an order of their own).
template <class Row, class KeyOf> void QuickSortByKey(std::vector<Row>& rows, int lo, int hi, KeyOf key) {
    while (hi > lo) {
        int32_t pivot = key(*rows[static_cast<size_t>((lo + hi) / 2)]);
        int i = lo;
        int j = hi;
        do {
            while (i < hi && key(*rows[static_cast<size_t>(i)]) < pivot)
                ++i;
            while (j > lo && key(*rows[static_cast<size_t>(j)]) > pivot)
                --j;
            if (i > j)
                break;
            std::swap(rows[static_cast<size_t>(i)], rows[static_cast<size_t>(j)]);
            ++i;
            --j;
        } while (i <= j);
        if (lo < j)
            QuickSortByKey(rows, lo, j, key);
        if (i >= hi)
            return;
        lo = i;
    }
}

// A complete sort by name in byte order (rows with equal names in any order); -1 bounds mean the
// whole list.
template <class Row> void SortByName(std::vector<Row>& rows, int lo, int hi) {
    int n = static_cast<int>(rows.size());
    if (lo < 0)
        lo = 0;
    if (hi < 0 || hi >= n)
        hi = n - 1;
    if (hi <= lo)
        return;
    std::stable_sort(rows.begin() + lo, rows.begin() + hi + 1,
                     [](const Row& a, const Row& b) { return a->name < b->name; });
}

} // namespace

// ---- player rows ---------------------------------------------------------------------------------

int32_t StatisticsPositionText(int32_t positionCode) {
    // The position ids are the language texts of their short codes ("C" ... "F"), the ones the
    // line-up and the transfer lists show: a point guard reads PG here too, not G.
    return positionCode >= 80063 && positionCode <= 80069 ? positionCode : -1;
}

float MinutesDisplay(float seconds) {
    float whole = std::trunc(seconds * 0.016666668f);
    int rest = static_cast<int>(std::trunc(seconds)) % 60;
    return whole + static_cast<float>(rest) * 0.01f;
}

bool PlayedInMatch(const CPlayerStat& record) {
    if (record.SecondsPlayed() > 0)
        return true;
    // Points, the shots (10-21), rebounds, fouls (22-26) and steals (27).
    for (int field = 10; field <= 27; ++field)
        if (field != 11 && record.Field(field) != 0)
            return true;
    return false;
}

void PlayerStatRow::AddMatchStat(const CPlayerStat* record) {
    if (!record || !PlayedInMatch(*record))
        return;
    games += 1;
    minutes += static_cast<float>(record->SecondsPlayed());
    points += static_cast<float>(record->Points());
    fieldGoalsMade += static_cast<float>(static_cast<int64_t>(record->TwoPointersMade()) +
                                         record->CloseShotsMade() + record->ThreePointersMade());
    fieldGoalsAttempted += static_cast<float>(static_cast<int64_t>(record->TwoPointersTaken()) +
                                              record->CloseShotsTaken() + record->ThreePointersTaken());
    threesMade += static_cast<float>(record->ThreePointersMade());
    threesAttempted += static_cast<float>(record->ThreePointersTaken());
    freeThrowsMade += static_cast<float>(record->FreeThrowsMade());
    freeThrowsAttempted += static_cast<float>(record->FreeThrowsTaken());
}

void PlayerStatRow::Build(const StandingsContext& ctx, const CPlayer* player, CStr passedTeamName) {
    if (!player)
        return;
    playerId = player->id;
    name = player->name;
    number = player->words[kWordShirtNumber];
    int32_t positionText = StatisticsPositionText(player->words[kWordPosition]);
    if (positionText >= 0)
        position = LookUpText(ctx.getText, positionText);
    teamName = std::move(passedTeamName);
    hasStats = 0;
    // The records stand oldest first: walking back from the newest stops at last season.
    const int firstKey = ctx.playerStartKey >= 0 ? ctx.playerStartKey : ctx.seasonStartKey;
    for (auto it = player->stats.rbegin(); it != player->stats.rend(); ++it) {
        const CPlayerStat* record = *it;
        if (!record)
            continue;
        if (record->DateKey() < firstKey)
            break;
        if (ctx.seasonEndKey > 0 && record->DateKey() > ctx.seasonEndKey)
            continue;
        if (!PlayedInMatch(*record))
            continue;
        hasStats = 1;
        AddMatchStat(record);
    }
    if (games != 0) {
        float n = static_cast<float>(games);
        // The time is averaged in seconds and only then shown as minutes.seconds: averaging the
        // display value would turn two games of 45 seconds into "0.65".
        minutes = MinutesDisplay(minutes / n);
        points /= n;
        fieldGoalsMade /= n;
        fieldGoalsAttempted /= n;
        threesMade /= n;
        threesAttempted /= n;
        freeThrowsMade /= n;
        freeThrowsAttempted /= n;
    } else {
        minutes = points = 0;
        fieldGoalsMade = fieldGoalsAttempted = threesMade = threesAttempted = 0;
        freeThrowsMade = freeThrowsAttempted = 0;
    }
    fieldGoalPercent = Percent(fieldGoalsMade, fieldGoalsAttempted);
    threePercent = Percent(threesMade, threesAttempted);
    freeThrowPercent = Percent(freeThrowsMade, freeThrowsAttempted);
    fieldGoalText = PairText(fieldGoalsMade, fieldGoalsAttempted);
    threeText = PairText(threesMade, threesAttempted);
    freeThrowText = PairText(freeThrowsMade, freeThrowsAttempted);
}

// ---- team rows -----------------------------------------------------------------------------------

void TeamStatRow::Reset() {
    *this = TeamStatRow();
}

void TeamStatRow::AddResult(const CMatchStat* record) {
    if (!record)
        return;
    if (record->Score() > record->OpponentScore())
        ++wins;
    else
        ++losses;
    pointsFor = ClampedSum(pointsFor, record->Score());
    pointsAgainst = ClampedSum(pointsAgainst, record->OpponentScore());
    ++games;
}

void TeamStatRow::Build(const StandingsContext& ctx, CTeam* source) {
    if (!source)
        return;
    team = source;
    teamId = source->id;
    name = source->name;
    country = LookUpText(ctx.getText, source->countryTextId);
    infoValue1 = source->attendance;
    homeGameThisSeason = false;
    for (const CMatchStat* record : source->matchStats)
        if (record && record->Side() == 0 && record->DateKey() >= ctx.seasonStartKey)
            homeGameThisSeason = true;
    hasResults = 0;
    if (source->stadium) {
        stadiumName = source->stadium->name;
        // Wide: a saved part may hold any number of seats.
        int64_t seats = 0;
        for (const CStadiumWingRecord* wing : source->stadium->wings)
            if (wing)
                seats += wing->seats;
        stadiumCapacity = ClampedSum(seats, 0);
    } else {
        stadiumName = LookUpText(ctx.getText, kNoStadiumText);
        stadiumCapacity = 0;
    }
    infoValue2 = source->fanBase;
    for (const CStaffRecord* member : source->staff) {
        int index = member ? member->category - kFirstStaffCategory : -1;
        if (index >= 0 && index < kStaffCategories)
            staffNames[index] = member->name;
    }
    for (const CMatchStat* record : source->matchStats) {
        if (record && record->DateKey() >= ctx.seasonStartKey &&
            (ctx.seasonEndKey <= 0 || record->DateKey() <= ctx.seasonEndKey))
            AddResult(record);
    }
    if (games != 0) {
        recordScore = 2 * wins - 2 * losses;
        winPercent = static_cast<float>(wins) / static_cast<float>(games) * 100.0f;
        hasResults = 1;
    } else {
        hasResults = 0;
    }

    std::vector<std::unique_ptr<PlayerStatRow>> unranked;
    for (const CPlayer* player : source->players) {
        if (!player)
            continue;
        auto row = std::make_unique<PlayerStatRow>();
        row->Build(ctx, player, name);
        (row->hasStats ? players : unranked).push_back(std::move(row));
    }
    if (!players.empty())
        SortPlayersByFieldGoals(0, static_cast<int>(players.size()) - 1);
    if (!unranked.empty()) {
        SortPlayersByName(0, static_cast<int>(unranked.size()) - 1, unranked);
        for (auto it = unranked.rbegin(); it != unranked.rend(); ++it)
            players.push_back(std::move(*it));
    }
}

void TeamStatRow::SortPlayersByFieldGoals(int lo, int hi) {
    int n = static_cast<int>(players.size());
    if (lo < 0 || hi >= n)
        return;
    QuickSortByKey(players, lo, hi, [](const PlayerStatRow& row) {
        return static_cast<int32_t>(std::trunc(static_cast<double>(row.fieldGoalPercent) * 1000.0));
    });
}

void TeamStatRow::SortPlayersByName(int lo, int hi, std::vector<std::unique_ptr<PlayerStatRow>>& list) {
    SortByName(list, lo, hi);
}

// ---- competitions --------------------------------------------------------------------------------

void CompetitionStats::Reset() {
    name = CStr();
    leagueId = -1;
    leagueType = kCupLeagueType;
    standings.clear();
}

int32_t CompetitionStats::SortKey(const TeamStatRow& row) const {
    if (leagueType == kCupLeagueType)
        return row.recordScore;
    return static_cast<int32_t>(std::trunc(static_cast<double>(row.winPercent) * 1000.0));
}

bool CompetitionStats::LevelOnFigures(const TeamStatRow& a, const TeamStatRow& b) const {
    return SortKey(a) == SortKey(b) && a.PointsDifference() == b.PointsDifference() &&
           a.pointsFor == b.pointsFor;
}

bool CompetitionStats::RanksBelow(const TeamStatRow& a, const TeamStatRow& b) const {
    const int32_t keyA = SortKey(a), keyB = SortKey(b);
    if (keyA != keyB)
        return keyA < keyB;
    if (a.PointsDifference() != b.PointsDifference())
        return a.PointsDifference() < b.PointsDifference();
    if (a.pointsFor != b.pointsFor)
        return a.pointsFor < b.pointsFor;
    // Level on every figure: the name first in the alphabet stands higher, so lower in the list.
    if (a.name != b.name)
        return b.name < a.name;
    return a.teamId > b.teamId;
}

void CompetitionStats::SortTeamsByRecord(int lo, int hi) {
    int n = static_cast<int>(standings.size());
    if (lo < 0 || hi >= n || hi <= lo)
        return;
    std::sort(standings.begin() + lo, standings.begin() + hi + 1,
              [this](const std::unique_ptr<TeamStatRow>& a, const std::unique_ptr<TeamStatRow>& b) {
                  return RanksBelow(*a, *b);
              });
    MarkLevelRows();
}

void CompetitionStats::MarkLevelRows(
    const std::function<bool(const TeamStatRow&, const TeamStatRow&)>& sameGroup) {
    for (auto& row : standings)
        row->level = 0;
    for (size_t i = 1; i < standings.size(); ++i) {
        TeamStatRow& below = *standings[i - 1];
        TeamStatRow& above = *standings[i];
        // A club without a result has no rank to share.
        if (!below.hasResults || !above.hasResults || !LevelOnFigures(below, above))
            continue;
        if (sameGroup && !sameGroup(below, above))
            continue;
        below.level = above.level = 1;
    }
}

bool CompetitionStats::HasLevelRows() const {
    return std::any_of(standings.begin(), standings.end(), [](const auto& row) { return row->level != 0; });
}

void CompetitionStats::SortTeamsByName(int lo, int hi, std::vector<std::unique_ptr<TeamStatRow>>& list) {
    SortByName(list, lo, hi);
}

bool CompetitionStats::Build(const StandingsContext& ctx, const CLeague* league, const CLeague* userLeague,
                             bool countryScope) {
    Reset();
    if (!league || !userLeague)
        return false;
    name = LookUpText(ctx.getText, league->nameTextId);
    leagueId = league->id;
    leagueType = league->type;
    CTeam* reference = userLeague->teams.empty() ? nullptr : userLeague->teams.front();
    if (!reference)
        return false;

    std::vector<std::unique_ptr<TeamStatRow>> withoutResults;
    for (CTeam* team : league->teams) {
        if (!team)
            continue;
        // The career holds the user's club; the world's copy of it plays no matches.
        if (team->id == reference->id)
            team = reference;
        if (countryScope && team->countryTextId != reference->countryTextId)
            continue;
        auto row = std::make_unique<TeamStatRow>();
        row->Build(ctx, team);
        (row->hasResults ? standings : withoutResults).push_back(std::move(row));
    }
    if (standings.empty() && withoutResults.empty())
        return false;
    if (!standings.empty())
        SortTeamsByRecord(0, static_cast<int>(standings.size()) - 1);
    if (!withoutResults.empty()) {
        SortTeamsByName(0, static_cast<int>(withoutResults.size()) - 1, withoutResults);
        // Each goes in at the front, so the front ends up in descending name order.
        for (auto& row : withoutResults)
            standings.insert(standings.begin(), std::move(row));
    }
    return true;
}

bool BuildAllCompetitions(const StandingsContext& ctx, const CMemoryDB* world, const CMemoryDB* career,
                          StandingsScope scope, CompetitionList& out) {
    if (!world || !career || world->leagues.IsEmpty() || career->leagues.IsEmpty())
        return false;
    const CLeague* userLeague = career->leagues.At(0);
    out.clear();
    bool countryScope = scope.countryScope;
    bool leagueScope = !countryScope && scope.leagueScope;
    for (const CLeague* league : world->leagues) {
        if (!league || league->type != userLeague->type)
            continue;
        if (leagueScope && league->id != userLeague->id)
            continue;
        auto competition = std::make_unique<CompetitionStats>();
        if (competition->Build(ctx, league, userLeague, countryScope))
            out.push_back(std::move(competition));
    }
    return true;
}

CompetitionList BuildSeasonStandings(const CCareerSession& session, const TextLookup& getText) {
    CompetitionList list;
    if (!session.HasOpenCareer())
        return list;
    StandingsContext ctx{getText, SeasonStartKey(session)};
    StandingsScope scope{session.options.enableLeagueSimulation, session.options.enableCountrySimulation};
    BuildAllCompetitions(ctx, session.worldDB, session.careerDB, scope, list);
    return list;
}

const CompetitionStats* FindCompetition(const CompetitionList& list, int32_t leagueId) {
    for (const auto& competition : list)
        if (competition && competition->leagueId == leagueId)
            return competition.get();
    return nullptr;
}
