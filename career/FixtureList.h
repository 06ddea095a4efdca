// CFixtureList: every match of the running season in date order, the league and tournament
// schedule builders, and the season span they set.
#pragma once

#include "career/Calendar.h"
#include "career/TextLookup.h"
#include "engine/Str.h"

#include <memory>
#include <vector>

class CMemoryDB;
struct CLeague;
struct CTeam;

// The season's first year and day and its last year; the defaults stand when no career runs.
struct SeasonSpan {
    static constexpr int kDefaultStartYear = 2007;
    static constexpr int kDefaultEndYear = 2008;
    static constexpr int kDefaultStartMonth = 8;
    static constexpr int kDefaultStartDay = 1;

    int startYear = kDefaultStartYear;
    int endYear = kDefaultEndYear;
    int startMonth = kDefaultStartMonth;
    int startDay = kDefaultStartDay;

    void Reset() { *this = SeasonSpan{}; }
};

// What the schedule builders need to know of the running game; the game manager fills it from its
// options and flags when it asks for a schedule.
struct ScheduleSettings {
    const CCalendar* calendar = nullptr; // without one, any midweek draw is accepted
    bool leagueSimulation = false;       // "EnableLeagueSimulation": only the user's league plays
    bool countrySimulation = false;      // "EnableCountrySimulation": only clubs of the user's country
    bool tournamentMode = false;         // tournament dates fall on Wednesdays and Thursdays
    bool euroCup = false;                // which fixed group table a tournament uses
    int cupStage = 0;                    // above 0, knockout dates fall in the month after today
    GameDate today;
};

// One scheduled match. The teams belong to a database; a fixture never owns them.
struct CFixture {
    CTeam* home = nullptr;
    CTeam* away = nullptr;
    int year = 0;
    int month = 0;
    int day = 0;
    int homeScore = -1; // -1 until played
    int awayScore = -1;
    int leagueId = -1;
    CStr leagueName;

    int DateKey() const { return FixtureDateKey(year, month, day); }
    GameDate Date() const { return GameDate{year, month, day}; }
};

class CFixtureList {
public:
    // League names come through getText from the leagues' name text ids.
    explicit CFixtureList(TextLookup getText = {}) : m_getText(std::move(getText)) {}
    virtual ~CFixtureList() = default;
    CFixtureList(const CFixtureList&) = delete;
    CFixtureList& operator=(const CFixtureList&) = delete;

    // Deletes every fixture and forgets the last date; the season span stays.
    void Clear();
    void Add(std::unique_ptr<CFixture> fixture);
    // A new unplayed fixture of the league; nothing (null) when a team or the league is missing.
    CFixture* AddFixture(CTeam* home, CTeam* away, const CLeague* league, int year, int month, int day);

    bool HasFixtureOn(int year, int month, int day) const;
    // True when team a or b already plays on exactly that date.
    bool HasClash(int teamA, int teamB, int year, int month, int day) const;
    // True when a and b already meet (at either ground) on that date, the day before or the day
    // after: a home match and its return on consecutive days reads as a scheduling slip.
    bool MeetsAroundDay(int teamA, int teamB, int year, int month, int day) const;
    // Stable sort by date key over the indices first..last (inclusive, clamped to the list).
    void SortByDate(int first, int last);
    // Sorts the list, takes the last date from it and starts the season the day before the first
    // fixture.
    void FinishSchedule();

    // Copies of fixture pointers in list order; the fixtures stay the list's.
    std::vector<CFixture*> GetFixturesOn(int year, int month, int day) const;
    // The team's fixtures (home or away) on or after the date.
    std::vector<CFixture*> GetTeamFixturesFrom(int teamId, int year, int month, int day) const;
    // -1 matches anything: a team id matches either side, a league id either side's league field.
    std::vector<CFixture*> Select(int teamId, int leagueId) const;

    // Fixtures between all clubs of the leagues of that type other than the user's club.
    // False only when there is no world database or it has no league.
    bool BuildOtherFixtures(int leagueType, int userTeamId, int userCountry, int userLeagueId,
                            const CMemoryDB* world, int year, const ScheduleSettings& settings);
    // The tournament's group stage from its fixed tables. False (list left empty) without records.
    bool BuildTournamentFixtures(const CLeague* userLeague, const CMemoryDB* world,
                                 const ScheduleSettings& settings);

    // Rebuilds the list from the career's saved rows, resolving teams and leagues in the world
    // database (the user's club from the career). Rows naming an unknown league or team are
    // dropped. False without both databases.
    bool LoadFromSavedRows(const CMemoryDB* world, const CMemoryDB* career);
    // Replaces the career's saved rows with one row per fixture, in list order.
    bool SaveToRows(CMemoryDB* career) const;

    int Size() const { return static_cast<int>(m_fixtures.size()); }
    bool IsEmpty() const { return m_fixtures.empty(); }
    CFixture* At(int index) const {
        return index >= 0 && index < Size() ? m_fixtures[static_cast<size_t>(index)].get() : nullptr;
    }
    // 0, 0, 0 while the list is empty.
    const GameDate& LastDate() const { return m_lastDate; }
    SeasonSpan& Season() { return m_season; }
    const SeasonSpan& Season() const { return m_season; }
    CStr LeagueName(const CLeague& league) const;

private:
    friend bool BuildLeagueFixtures(CFixtureList& list, const CLeague* userLeague, const CMemoryDB* world,
                                    int year, const ScheduleSettings& settings);

    // Appends an unplayed fixture dated by the league-mode or tournament draw, avoiding clashes.
    void AddDrawnFixture(CTeam* home, CTeam* away, const CLeague& league, int year,
                         const ScheduleSettings& settings);

    std::vector<std::unique_ptr<CFixture>> m_fixtures;
    GameDate m_lastDate;
    SeasonSpan m_season;
    TextLookup m_getText;
};

// A league-mode season: the user's club home and away against every club of its league, then
// every other pairing. False when a record or the world's leagues are missing.
bool BuildLeagueFixtures(CFixtureList& list, const CLeague* userLeague, const CMemoryDB* world, int year,
                         const ScheduleSettings& settings);

// A league-mode date from September of the year to April of the next (May only on the top roll).
void RandomMatchDate(int& year, int& month, int& day);
// A tournament date on a Wednesday or Thursday (the last of 100 draws stands).
void RandomMidweekMatchDate(int& year, int& month, int& day, const ScheduleSettings& settings);
