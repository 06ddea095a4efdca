// The season rollover and the league moves it makes.
#include "career/SeasonRollover.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "career/MoneySteps.h"
#include "database/GameYears.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "engine/Log.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

CLeague* LeagueAtRow(CMemoryDB* world, int32_t row) {
    return row >= 0 && row < world->leagues.Size() ? world->leagues.At(row) : nullptr;
}

CTeam* FindTeamIn(const CLeague* league, int32_t teamId) {
    for (CTeam* team : league->teams)
        if (team && team->id == teamId)
            return team;
    return nullptr;
}

void RemoveTeam(CLeague* league, const CTeam* team) {
    auto& teams = league->teams;
    teams.erase(std::remove(teams.begin(), teams.end(), team), teams.end());
}

} // namespace

CLeague* MoveTeamToLeague(CMemoryDB* world, CMemoryDB* career, CLeague* league, bool toRelegation,
                          const CompetitionList& standings) {
    if (!world || !league || league->teams.empty() || !league->teams.front())
        return nullptr;
    const int32_t target = toRelegation ? league->relegationLeague : league->promotionLeague;
    CLeague* left = LeagueAtRow(world, league->id);
    CLeague* joined = LeagueAtRow(world, target);
    // A row that is not the league it should be is as bad as one outside the list.
    if (!left || !joined || left == joined || left->id != league->id) {
        QuorelLog("[MoveTeamToLeague] league %d cannot move to row %d of %d leagues", league->id, target,
                  world->leagues.Size());
        return nullptr;
    }
    CTeam* club = league->teams.front();
    CTeam* worldClub = FindTeamIn(left, club->id);
    if (!worldClub) {
        QuorelLog("[MoveTeamToLeague] club %d is not in league %d", club->id, left->id);
        return nullptr;
    }

    // Everything is in place: the move is made as a whole.
    std::vector<CTeam*> careerTeams = std::move(league->teams);
    *league = *joined;
    league->teams = std::move(careerTeams);
    club->leagueId = joined->id;
    worldClub->leagueId = joined->id;
    joined->teams.push_back(worldClub);
    RemoveTeam(left, worldClub);
    UpdateLeagueAfterMove(career, left, joined, toRelegation, standings);
    return league;
}

bool UpdateLeagueAfterMove(CMemoryDB* career, CLeague* left, CLeague* joined, bool toRelegation,
                           const CompetitionList& standings) {
    if (!left || !joined)
        return false;
    CTeam* user = career ? career->teams.At(0) : nullptr;
    const int32_t userId = user ? user->id : -1;
    CTeam* chosen = nullptr;
    if (const CompetitionStats* group = FindCompetition(standings, joined->id);
        group && !group->standings.empty()) {
        const TeamStatRow* row =
            toRelegation ? group->standings.back().get() : group->standings.front().get();
        if (row->teamId != userId)
            chosen = FindTeamIn(joined, row->teamId);
    }
    // Without a table the first club of the league goes, but never the user's own, which has
    // just arrived there.
    if (!chosen)
        for (CTeam* team : joined->teams)
            if (team && team->id != userId) {
                chosen = team;
                break;
            }
    if (!chosen)
        return false;

    if (user && user->stadium && chosen->stadium) {
        std::swap(user->stadiumKey, chosen->stadiumKey);
        std::swap(user->stadium->level, chosen->stadium->level);
        std::swap(user->stadium->picture, chosen->stadium->picture);
    }
    chosen->leagueId = left->id;
    left->teams.push_back(chosen);
    RemoveTeam(joined, chosen);
    return true;
}

namespace {

// The next 1 August: a season that ran past it never moves the date back.
int NextSeasonStartYear(const CCareerSession& session) {
    const GameDate today = session.currentDate;
    return today.month > 8 || (today.month == 8 && today.day > 1) ? today.year + 1 : today.year;
}

} // namespace

bool NextSeasonFitsGameYears(const CCareerSession& session) {
    return SeasonFitsGameYears(NextSeasonStartYear(session));
}

RolloverOutcome StartNewSeason(CCareerSession& session, const TextLookup& getText,
                               const std::function<void()>& sendStartMails) {
    RolloverOutcome outcome;
    const int startYear = NextSeasonStartYear(session);
    // A season the game's years cannot hold would be saved as a career no one could load again:
    // the career stays as it is.
    if (!SeasonFitsGameYears(startYear)) {
        QuorelLog("[StartNewSeason] a season from %d lies beyond the game's years; none is started",
                  startYear);
        return outcome;
    }
    CMemoryDB* career = session.careerDB;
    CMemoryDB* world = session.worldDB;
    CompetitionList standings;
    const CompetitionStats* group = nullptr;
    CLeague* league = career ? career->leagues.At(0) : nullptr;
    CProfile* profile = career ? career->profiles.At(0) : nullptr;
    if (league) {
        if (profile)
            ++profile->managerNumber;
        standings = BuildSeasonStandings(session, getText);
        group = FindCompetition(standings, league->id);
    }

    if (profile) {
        const CTeam* club = career->teams.At(0);
        const int32_t userId = club ? club->id : -1;
        if (profile->modeTextId != kEuroCupModeText && group && !group->standings.empty() && world &&
            league->promotionLeague != -1 && group->standings.back()->teamId == userId)
            outcome.promoted = MoveTeamToLeague(world, career, league, false, standings) != nullptr;
    }

    if (!session.fixtureList || !league || !world)
        return outcome;
    const GameDate firstDay{startYear, 8, 1};
    if (!session.tournamentMode) {
        CareerDay from;
        from.world = world;
        from.career = career;
        from.ledger = session.ledger;
        from.today = session.currentDate;
        from.text = getText;
        outcome.summerBookings = BookSkippedDays(from, firstDay);
    }
    session.currentDate = firstDay;
    outcome.dateMoved = true;
    if (!session.tournamentMode) {
        outcome.scheduled = BuildLeagueFixtures(*session.fixtureList, league, world, session.currentDate.year,
                                                MakeScheduleSettings(session));
        if (!outcome.scheduled)
            QuorelLog("[StartNewSeason] no fixtures for the season from %d", session.currentDate.year);
    }
    if (sendStartMails)
        sendStartMails();
    return outcome;
}

CStr SummerBookingsText(const std::vector<SkippedDayBooking>& booked, int64_t cashNow,
                        const TextLookup& getText) {
    constexpr int kTextSummerBookings = 100374;
    if (booked.empty())
        return CStr();
    CStr list;
    for (const SkippedDayBooking& day : booked) {
        if (!list.IsEmpty())
            list += "; ";
        list += FormatDate(day.date.year, day.date.day, day.date.month, ".");
        list += " ";
        list += MoneyText(static_cast<int>(std::clamp<int64_t>(day.cost, INT32_MIN, INT32_MAX)));
    }
    CStr text = LookUpText(getText, kTextSummerBookings);
    text.ReplaceAll("XX1", list.GetText());
    text.ReplaceAll(
        "XX2", MoneyText(static_cast<int>(std::clamp<int64_t>(cashNow, INT32_MIN, INT32_MAX))).GetText());
    return text;
}
