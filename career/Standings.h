// The season's standings: one table per competition with each team's results and figures and each
// player's season averages, computed afresh from the match records. The statistics screen shows
// them; the tournament stages and the season rollover read them through the same build.
//
// Order of a competition's `standings`: the best team is the LAST row; before it the other teams
// with results from better to worse; the teams without any result this season stand at the FRONT
// (in descending name order). A team's `players` end with the players without statistics.
//
// "Better" is one rule, which every title, promotion, relegation, group place, prize, draw and
// table reads: the win share (in a cup group the record score), then the points difference, then
// the points scored. Teams level on all three stand in name order (the name first in the alphabet
// higher) and carry the `level` mark, so a table can say that no figure parted them.
#pragma once

#include "career/TextLookup.h"
#include "engine/Str.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CCareerSession;
class CMemoryDB;
struct CLeague;
struct CMatchStat;
struct CPlayer;
struct CPlayerStat;
struct CTeam;

constexpr int32_t kCupLeagueType = 100004;
constexpr int32_t kNoStadiumText = 100009;

// What every row build needs: the language texts and the first day that counts for the season.
struct StandingsContext {
    TextLookup getText;
    int seasonStartKey = 0; // yyyymmdd; records dated on or after it count
    int seasonEndKey = 0;   // yyyymmdd; records dated after it do not count (0: no end)
    // A player's figures from this day on, -1 from the season's start: each round of a tournament
    // starts its own tables, but a player's figures run over the whole tournament.
    int playerStartKey = -1;
};

// One player's season figures; after the build the figures are per game.
struct PlayerStatRow {
    int32_t playerId = -1;
    CStr name;
    CStr position;
    CStr teamName;
    int32_t number = 0;
    int32_t games = 0;
    float minutes = 0; // summed seconds while counting; minutes.seconds per game after the build
    float points = 0;
    float fieldGoalsMade = 0, fieldGoalsAttempted = 0;
    CStr fieldGoalText;
    float fieldGoalPercent = 0;
    float threesMade = 0, threesAttempted = 0;
    CStr threeText;
    float threePercent = 0;
    float freeThrowsMade = 0, freeThrowsAttempted = 0;
    CStr freeThrowText;
    float freeThrowPercent = 0;
    uint8_t hasStats = 0;

    void Build(const StandingsContext& ctx, const CPlayer* player, CStr teamName);
    void AddMatchStat(const CPlayerStat* record);
};

// A match the player took part in: time on court, or (for a record without a clock) any shot,
// rebound, steal or foul. A squad member who sat the match out gets a record too, but no game.
bool PlayedInMatch(const CPlayerStat& record);

// The position text of the statistics grids; empty for an unknown position code.
int32_t StatisticsPositionText(int32_t positionCode);
// Seconds as minutes before the point and seconds as hundredths: 125 gives 2.05.
float MinutesDisplay(float seconds);

struct TeamStatRow {
    static constexpr int kStaffCategories = 8;
    static constexpr int32_t kFirstStaffCategory = 80055;

    CTeam* team = nullptr; // not owned
    int32_t teamId = -1;
    CStr name;
    CStr country;
    int32_t infoValue1 = 0; // the club's attendance figure
    // A home match played since the table's start: until then the best crowd is another season's.
    bool homeGameThisSeason = false;
    CStr stadiumName;
    int32_t stadiumCapacity = 0;
    int32_t infoValue2 = 0; // the club's fan base
    CStr staffNames[kStaffCategories];
    int32_t wins = 0, losses = 0;
    int32_t pointsFor = 0, pointsAgainst = 0;
    int32_t games = 0;
    float winPercent = 0;
    int32_t recordScore = 0;
    uint8_t hasResults = 0;
    // 1 when a neighbouring ranked row is level with this one on every figure that ranks the
    // table: only the names placed them.
    uint8_t level = 0;
    std::vector<std::unique_ptr<PlayerStatRow>> players;

    int64_t PointsDifference() const { return static_cast<int64_t>(pointsFor) - pointsAgainst; }

    void Build(const StandingsContext& ctx, CTeam* team);
    // A win when the own score is higher; a level score counts as a loss.
    void AddResult(const CMatchStat* record);
    void Reset();
    void SortPlayersByFieldGoals(int lo, int hi);
    void SortPlayersByName(int lo, int hi, std::vector<std::unique_ptr<PlayerStatRow>>& list);
};

struct CompetitionStats {
    CStr name;
    int32_t leagueId = -1;
    int32_t leagueType = kCupLeagueType;
    std::vector<std::unique_ptr<TeamStatRow>> standings;

    // Fills the table from a world league; false without a league, when the user's league has no
    // team, or when no team passed the country filter.
    bool Build(const StandingsContext& ctx, const CLeague* league, const CLeague* userLeague,
               bool countryScope);
    void Reset();
    // The first figure of the order: the record score in cup groups, else the win percentage in
    // thousandths.
    int32_t SortKey(const TeamStatRow& row) const;
    // The same key, points difference and points scored: no figure puts one above the other.
    bool LevelOnFigures(const TeamStatRow& a, const TeamStatRow& b) const;
    // Whether `a` stands below `b`: by the figures, then (level on them) the later name, then the
    // higher id, so the order is the same whatever order the rows came in.
    bool RanksBelow(const TeamStatRow& a, const TeamStatRow& b) const;
    // Ascending by RanksBelow (the best last), then the level marks renewed over the whole table.
    void SortTeamsByRecord(int lo, int hi);
    // Marks the ranked rows level with a neighbour; `sameGroup` (optional) keeps rows of
    // different groups of a reordered table apart.
    void MarkLevelRows(const std::function<bool(const TeamStatRow&, const TeamStatRow&)>& sameGroup = {});
    // Whether any row of the table carries the level mark.
    bool HasLevelRows() const;
    void SortTeamsByName(int lo, int hi, std::vector<std::unique_ptr<TeamStatRow>>& list);

    const TeamStatRow* Best() const { return standings.empty() ? nullptr : standings.back().get(); }
    const TeamStatRow* Worst() const { return standings.empty() ? nullptr : standings.front().get(); }
};

using CompetitionList = std::vector<std::unique_ptr<CompetitionStats>>;

// Which leagues and teams take part: the simulation options (country scope wins over league scope).
struct StandingsScope {
    bool leagueScope = false;
    bool countryScope = false;
};

// One competition per world league of the user's league type (league scope: the user's league
// only). The user's league and club are the career's first league and team, whose record replaces
// the world's copy of the club. False, with the list left as it was, without both databases or
// their leagues.
bool BuildAllCompetitions(const StandingsContext& ctx, const CMemoryDB* world, const CMemoryDB* career,
                          StandingsScope scope, CompetitionList& out);

// The running season's standings for the session's career, with its options and season start;
// empty without a career. The tournament stages and the rollover call this.
CompetitionList BuildSeasonStandings(const CCareerSession& session, const TextLookup& getText);

// The competition of a league id; null when there is none.
const CompetitionStats* FindCompetition(const CompetitionList& list, int32_t leagueId);
