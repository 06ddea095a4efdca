// The season rollover: a champion goes up a league and the bottom club of that league comes down
// in its place, the date moves to 1 August and the new season's fixtures are drawn.
#pragma once

#include "career/MoneySteps.h"
#include "career/Standings.h"
#include "career/TextLookup.h"

#include <functional>
#include <vector>

class CCareerSession;
class CMemoryDB;
struct CLeague;

constexpr int32_t kEuroCupModeText = 100064;

// Moves the user's club (the first team of the career's league record) to the league above
// (toRelegation false) or below, and one club of that league the other way. The league record
// takes the new league's id and words. The world's league list is indexed by row: both rows must
// exist and the club must be found in its league before anything changes; otherwise nothing
// changes and null comes back.
CLeague* MoveTeamToLeague(CMemoryDB* world, CMemoryDB* career, CLeague* league, bool toRelegation,
                          const CompetitionList& standings);

// Sends one club of the joined league to the league left: its bottom club (or its leader when the
// user's club went down) by the standings, else the first club of that league that is not the
// user's. The user's club and that club swap their arena key, arena level and arena picture.
// False when nobody moved.
bool UpdateLeagueAfterMove(CMemoryDB* career, CLeague* left, CLeague* joined, bool toRelegation,
                           const CompetitionList& standings);

struct RolloverOutcome {
    bool promoted = false;  // the user's club went up
    bool scheduled = false; // the new season's fixtures were drawn
    bool dateMoved = false; // the date is 1 August
    // The summer's days whose bookings moved the club's money (wages, upkeep, instalments, camps).
    std::vector<SkippedDayBooking> summerBookings;
};

// What the manager is told of the summer's bookings: each day's costs and the cash after them;
// empty when nothing was booked.
CStr SummerBookingsText(const std::vector<SkippedDayBooking>& booked, int64_t cashNow,
                        const TextLookup& getText);

// Whether the season after the one the career is in fits the game's years (the last one that
// does starts in 2998); a career at the end of them can play no further season.
bool NextSeasonFitsGameYears(const CCareerSession& session);

// The new season for the session's career: promotion of a champion (not in the EuroCup mode),
// the next 1 August (none beyond the game's years: nothing then changes), the league's fixtures (not in the
// tournaments), then the start-of-season mails through the hook, which may be empty.
RolloverOutcome StartNewSeason(CCareerSession& session, const TextLookup& getText,
                               const std::function<void()>& sendStartMails);
