// The season's fixtures: queries, date order, saved rows, and the league and tournament builders.
#include "career/FixtureList.h"

#include "database/GameYears.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include <algorithm>

namespace {

// One fixed group fixture of a tournament table.
struct GroupMatch {
    int home;
    int away;
    int year;
    int month;
    int day;
};

constexpr GroupMatch kEuroCupGroups[] = {
    {11, 5, 2007, 9, 3}, {0, 13, 2007, 9, 3},  {13, 11, 2007, 9, 4}, {5, 0, 2007, 9, 4},  {11, 0, 2007, 9, 5},
    {13, 5, 2007, 9, 5}, {10, 14, 2007, 9, 3}, {4, 2, 2007, 9, 3},   {2, 10, 2007, 9, 4}, {14, 4, 2007, 9, 4},
    {10, 4, 2007, 9, 5}, {2, 14, 2007, 9, 5},  {1, 9, 2007, 9, 3},   {15, 8, 2007, 9, 3}, {8, 1, 2007, 9, 4},
    {9, 15, 2007, 9, 4}, {1, 15, 2007, 9, 5},  {8, 9, 2007, 9, 5},   {7, 3, 2007, 9, 3},  {12, 6, 2007, 9, 3},
    {6, 7, 2007, 9, 4},  {3, 12, 2007, 9, 4},  {7, 12, 2007, 9, 5},  {6, 3, 2007, 9, 5},
};

constexpr GroupMatch kWorldCupGroups[] = {
    // 0, 7, 12, 14, 16, 23
    {0, 7, 2006, 8, 19},
    {14, 12, 2006, 8, 19},
    {16, 23, 2006, 8, 19},
    {12, 0, 2006, 8, 20},
    {7, 16, 2006, 8, 20},
    {23, 14, 2006, 8, 20},
    {0, 23, 2006, 8, 21},
    {12, 7, 2006, 8, 21},
    {14, 16, 2006, 8, 21},
    {7, 14, 2006, 8, 23},
    {16, 0, 2006, 8, 23},
    {23, 12, 2006, 8, 23},
    {0, 14, 2006, 8, 24},
    {12, 16, 2006, 8, 24},
    {23, 7, 2006, 8, 24},
    // 1, 6, 8, 9, 18, 19
    {8, 6, 2006, 8, 19},
    {9, 19, 2006, 8, 19},
    {18, 1, 2006, 8, 19},
    {1, 8, 2006, 8, 20},
    {6, 9, 2006, 8, 20},
    {19, 18, 2006, 8, 20},
    {9, 8, 2006, 8, 22},
    {18, 6, 2006, 8, 22},
    {19, 1, 2006, 8, 22},
    {1, 9, 2006, 8, 23},
    {6, 19, 2006, 8, 23},
    {8, 18, 2006, 8, 23},
    {6, 1, 2006, 8, 24},
    {18, 9, 2006, 8, 24},
    {19, 8, 2006, 8, 24},
    // 2, 4, 5, 10, 15, 21
    {4, 15, 2006, 8, 19},
    {5, 10, 2006, 8, 19},
    {21, 2, 2006, 8, 19},
    {2, 5, 2006, 8, 20},
    {10, 4, 2006, 8, 20},
    {15, 21, 2006, 8, 20},
    {4, 5, 2006, 8, 21},
    {15, 2, 2006, 8, 21},
    {21, 10, 2006, 8, 21},
    {2, 4, 2006, 8, 23},
    {5, 21, 2006, 8, 23},
    {10, 15, 2006, 8, 23},
    {10, 2, 2006, 8, 24},
    {15, 5, 2006, 8, 24},
    {21, 4, 2006, 8, 24},
    // 3, 11, 13, 17, 20, 22
    {3, 22, 2006, 8, 19},
    {13, 11, 2006, 8, 19},
    {20, 17, 2006, 8, 19},
    {11, 3, 2006, 8, 20},
    {17, 13, 2006, 8, 20},
    {22, 20, 2006, 8, 20},
    {13, 22, 2006, 8, 22},
    {17, 11, 2006, 8, 22},
    {20, 3, 2006, 8, 22},
    {3, 13, 2006, 8, 23},
    {11, 20, 2006, 8, 23},
    {22, 17, 2006, 8, 23},
    {13, 20, 2006, 8, 24},
    {17, 3, 2006, 8, 24},
    {22, 11, 2006, 8, 24},
};

template <size_t N> const GroupMatch* FindGroupMatch(const GroupMatch (&table)[N], int home, int away) {
    for (const GroupMatch& match : table)
        if (match.home == home && match.away == away)
            return &match;
    return nullptr;
}

double RandomUnit() {
    return static_cast<double>(GameRand()) / kGameRandMax;
}

// A day of the month by the league draw: 31 days in January, March, May, July, August and October,
// February's own length, 30 otherwise (so never 31 December); never New Year's Day.
int DrawMatchDay(int year, int month) {
    int length = 30;
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
        length = 31;
        break;
    case 2:
        length = CCalendar::DaysInMonth(2, year);
        break;
    default:
        break;
    }
    int day = 0;
    do {
        day = std::min(1 + static_cast<int>(length * RandomUnit()), length);
    } while (month == 1 && day == 1);
    return day;
}

CTeam* TeamInLeague(const CLeague& league, int teamId) {
    for (CTeam* team : league.teams)
        if (team && team->id == teamId)
            return team;
    return nullptr;
}

CTeam* UserClubOf(const CLeague* league) {
    if (!league || league->teams.empty())
        return nullptr;
    return league->teams.front();
}

bool HasLeagues(const CMemoryDB* world) {
    return world && !world->leagues.IsEmpty();
}

} // namespace

void RandomMatchDate(int& year, int& month, int& day) {
    month = 9 + static_cast<int>(8 * RandomUnit());
    if (month > 12) {
        month -= 12;
        ++year;
    }
    day = DrawMatchDay(year, month);
}

void RandomMidweekMatchDate(int& year, int& month, int& day, const ScheduleSettings& settings) {
    if (settings.cupStage > 0) {
        year = settings.today.year;
        month = settings.today.month + 1;
    } else {
        month = 10 + static_cast<int>(4 * RandomUnit());
    }
    if (month > 12) {
        month -= 12;
        ++year;
    }
    for (int draw = 0; draw < 100; ++draw) {
        day = DrawMatchDay(year, month);
        if (!settings.calendar)
            return;
        // Wednesday or Thursday, checked by weekday rather than by name so a missing language
        // text cannot make every day look right.
        int weekday = CCalendar::WeekdayOf(year, day, month);
        if (weekday == 3 || weekday == 4)
            return;
    }
}

void CFixtureList::Clear() {
    m_fixtures.clear();
    m_lastDate = GameDate{};
}

void CFixtureList::Add(std::unique_ptr<CFixture> fixture) {
    if (fixture)
        m_fixtures.push_back(std::move(fixture));
}

CStr CFixtureList::LeagueName(const CLeague& league) const {
    return LookUpText(m_getText, league.nameTextId);
}

CFixture* CFixtureList::AddFixture(CTeam* home, CTeam* away, const CLeague* league, int year, int month,
                                   int day) {
    if (!home || !away || !league)
        return nullptr;
    auto fixture = std::make_unique<CFixture>();
    fixture->home = home;
    fixture->away = away;
    fixture->year = year;
    fixture->month = month;
    fixture->day = day;
    fixture->leagueId = league->id;
    fixture->leagueName = LeagueName(*league);
    CFixture* added = fixture.get();
    m_fixtures.push_back(std::move(fixture));
    return added;
}

bool CFixtureList::HasFixtureOn(int year, int month, int day) const {
    int key = FixtureDateKey(year, month, day);
    return std::any_of(m_fixtures.begin(), m_fixtures.end(),
                       [key](const auto& f) { return f->DateKey() == key; });
}

bool CFixtureList::HasClash(int teamA, int teamB, int year, int month, int day) const {
    for (const auto& f : m_fixtures) {
        if (f->year != year || f->month != month || f->day != day)
            continue;
        int homeId = f->home ? f->home->id : -1;
        int awayId = f->away ? f->away->id : -1;
        if (homeId == teamA || homeId == teamB || awayId == teamA || awayId == teamB)
            return true;
    }
    return false;
}

bool CFixtureList::MeetsAroundDay(int teamA, int teamB, int year, int month, int day) const {
    const GameDate date{year, month, day};
    const GameDate before = CCalendar::PreviousDay(date);
    const GameDate after = CCalendar::NextDay(date);
    const int keys[3] = {FixtureDateKey(before.year, before.month, before.day),
                         FixtureDateKey(year, month, day),
                         FixtureDateKey(after.year, after.month, after.day)};
    for (const auto& f : m_fixtures) {
        const int homeId = f->home ? f->home->id : -1;
        const int awayId = f->away ? f->away->id : -1;
        const bool samePair = (homeId == teamA && awayId == teamB) || (homeId == teamB && awayId == teamA);
        if (samePair && std::find(std::begin(keys), std::end(keys), f->DateKey()) != std::end(keys))
            return true;
    }
    return false;
}

void CFixtureList::SortByDate(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, Size() - 1);
    if (first >= last)
        return;
    std::stable_sort(m_fixtures.begin() + first, m_fixtures.begin() + last + 1,
                     [](const auto& a, const auto& b) { return a->DateKey() < b->DateKey(); });
}

void CFixtureList::FinishSchedule() {
    if (m_fixtures.empty())
        return;
    SortByDate(0, Size() - 1);
    m_lastDate = m_fixtures.back()->Date();
    GameDate start = CCalendar::PreviousDay(m_fixtures.front()->Date());
    m_season.startYear = start.year;
    m_season.startMonth = start.month;
    m_season.startDay = start.day;
}

std::vector<CFixture*> CFixtureList::GetFixturesOn(int year, int month, int day) const {
    int key = FixtureDateKey(year, month, day);
    std::vector<CFixture*> found;
    for (const auto& f : m_fixtures)
        if (f->DateKey() == key)
            found.push_back(f.get());
    return found;
}

std::vector<CFixture*> CFixtureList::GetTeamFixturesFrom(int teamId, int year, int month, int day) const {
    int key = FixtureDateKey(year, month, day);
    std::vector<CFixture*> found;
    for (const auto& f : m_fixtures) {
        bool plays = (f->home && f->home->id == teamId) || (f->away && f->away->id == teamId);
        if (plays && f->DateKey() >= key)
            found.push_back(f.get());
    }
    return found;
}

std::vector<CFixture*> CFixtureList::Select(int teamId, int leagueId) const {
    std::vector<CFixture*> found;
    for (const auto& f : m_fixtures) {
        if (teamId != -1 && !((f->home && f->home->id == teamId) || (f->away && f->away->id == teamId)))
            continue;
        if (leagueId != -1 &&
            !((f->home && f->home->leagueId == leagueId) || (f->away && f->away->leagueId == leagueId)))
            continue;
        found.push_back(f.get());
    }
    return found;
}

void CFixtureList::AddDrawnFixture(CTeam* home, CTeam* away, const CLeague& league, int year,
                                   const ScheduleSettings& settings) {
    int month = 0;
    int day = 0;
    int drawnYear = year;
    auto draw = [&] {
        drawnYear = year;
        month = 0;
        day = 0;
        if (settings.tournamentMode)
            RandomMidweekMatchDate(drawnYear, month, day, settings);
        else
            RandomMatchDate(drawnYear, month, day);
    };
    // Ten redraws at most: a crowded calendar keeps the eleventh date even if it clashes.
    for (int attempt = 0; attempt < 11; ++attempt) {
        draw();
        if (!HasClash(home->id, away->id, drawnYear, month, day) &&
            !MeetsAroundDay(home->id, away->id, drawnYear, month, day))
            break;
    }
    // The same two clubs on consecutive days is never kept: the season has room for a later draw.
    for (int attempt = 0; attempt < 100 && MeetsAroundDay(home->id, away->id, drawnYear, month, day);
         ++attempt)
        draw();
    AddFixture(home, away, &league, drawnYear, month, day);
}

bool BuildLeagueFixtures(CFixtureList& list, const CLeague* userLeague, const CMemoryDB* world, int year,
                         const ScheduleSettings& settings) {
    list.Clear();
    CTeam* user = UserClubOf(userLeague);
    if (!user || !HasLeagues(world) || !SeasonFitsGameYears(year))
        return false;
    for (const CLeague* league : world->leagues) {
        if (!league || league->id != userLeague->id || league->type != userLeague->type)
            continue;
        for (CTeam* team : league->teams) {
            if (!team || team->id == user->id)
                continue;
            int coin = static_cast<int>(10 * RandomUnit());
            CTeam* firstHome = coin < 5 ? team : user;
            CTeam* secondHome = coin < 5 ? user : team;
            list.AddDrawnFixture(firstHome, secondHome, *league, year, settings);
            list.AddDrawnFixture(secondHome, firstHome, *league, year, settings);
        }
    }
    return list.BuildOtherFixtures(userLeague->type, user->id, user->countryTextId, userLeague->id, world,
                                   year, settings);
}

bool CFixtureList::BuildOtherFixtures(int leagueType, int userTeamId, int userCountry, int userLeagueId,
                                      const CMemoryDB* world, int year, const ScheduleSettings& settings) {
    if (!HasLeagues(world))
        return false;
    auto plays = [&](const CTeam* team) {
        return team && team->id != userTeamId &&
               (!settings.countrySimulation || team->countryTextId == userCountry);
    };
    for (const CLeague* league : world->leagues) {
        if (!league || league->type != leagueType)
            continue;
        if (settings.leagueSimulation && league->id != userLeagueId)
            continue;
        const std::vector<CTeam*>& teams = league->teams;
        for (size_t i = 0; i < teams.size(); ++i) {
            if (!plays(teams[i]))
                continue;
            for (size_t j = i + 1; j < teams.size(); ++j) {
                if (!plays(teams[j]))
                    continue;
                int coin = static_cast<int>(10 * RandomUnit());
                CTeam* firstHome = coin < 5 ? teams[j] : teams[i];
                CTeam* secondHome = coin < 5 ? teams[i] : teams[j];
                AddDrawnFixture(firstHome, secondHome, *league, year, settings);
                AddDrawnFixture(secondHome, firstHome, *league, year, settings);
            }
        }
    }
    if (!m_fixtures.empty()) {
        SortByDate(0, Size() - 1);
        m_lastDate = m_fixtures.back()->Date();
        m_season.startYear = year;
        m_season.endYear = m_lastDate.year;
        if (settings.tournamentMode) {
            GameDate start = CCalendar::PreviousDay(m_fixtures.front()->Date());
            m_season.startYear = start.year;
            m_season.startMonth = start.month;
            m_season.startDay = start.day;
        }
    }
    return true;
}

bool CFixtureList::BuildTournamentFixtures(const CLeague* userLeague, const CMemoryDB* world,
                                           const ScheduleSettings& settings) {
    Clear();
    CTeam* user = UserClubOf(userLeague);
    if (!user || !HasLeagues(world))
        return false;
    auto stand = [user](CTeam* team) { return team && team->id == user->id ? user : team; };
    for (const CLeague* group : world->leagues) {
        if (!group)
            continue;
        for (CTeam* listed : group->teams) {
            CTeam* home = stand(listed);
            if (!home)
                continue;
            for (CTeam* other : group->teams) {
                CTeam* away = stand(other);
                if (!away || away->id == home->id)
                    continue;
                const GroupMatch* match = settings.euroCup
                                              ? FindGroupMatch(kEuroCupGroups, home->id, away->id)
                                              : FindGroupMatch(kWorldCupGroups, home->id, away->id);
                if (match)
                    AddFixture(home, away, group, match->year, match->month, match->day);
            }
        }
    }
    FinishSchedule();
    return true;
}

bool CFixtureList::LoadFromSavedRows(const CMemoryDB* world, const CMemoryDB* career) {
    Clear();
    if (!world || !career)
        return false;
    CTeam* user = career->teams.At(0);
    for (const CLeagueStanding* row : career->leagueStandings) {
        if (!row)
            continue;
        const CLeague* league = world->FindLeague(row->leagueId);
        if (!league)
            continue;
        auto resolve = [&](int teamId) {
            return user && user->id == teamId ? user : TeamInLeague(*league, teamId);
        };
        CTeam* home = resolve(row->homeTeam);
        CTeam* away = resolve(row->awayTeam);
        if (!home || !away)
            continue;
        auto fixture = std::make_unique<CFixture>();
        fixture->home = home;
        fixture->away = away;
        fixture->year = row->year;
        fixture->month = row->month;
        fixture->day = row->day;
        fixture->homeScore = row->homeScore;
        fixture->awayScore = row->awayScore;
        fixture->leagueId = row->leagueId;
        fixture->leagueName = LeagueName(*league);
        m_fixtures.push_back(std::move(fixture));
    }
    if (!m_fixtures.empty()) {
        // Saved lists are already in date order; sorting again costs nothing and guarantees the
        // last date really is the season's last.
        SortByDate(0, Size() - 1);
        m_lastDate = m_fixtures.back()->Date();
        m_season.startYear = m_fixtures.front()->year;
        m_season.endYear = m_lastDate.year;
    }
    return true;
}

bool CFixtureList::SaveToRows(CMemoryDB* career) const {
    if (!career)
        return false;
    career->leagueStandings.Clear();
    for (const auto& f : m_fixtures) {
        auto* row = new CLeagueStanding();
        row->homeTeam = f->home ? f->home->id : -1;
        row->awayTeam = f->away ? f->away->id : -1;
        row->year = f->year;
        row->month = f->month;
        row->day = f->day;
        row->homeScore = f->homeScore;
        row->awayScore = f->awayScore;
        row->leagueId = f->leagueId;
        career->leagueStandings.Append(row);
    }
    return true;
}
