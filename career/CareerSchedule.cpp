// Clearing, loading and saving the career's fixtures and ledger together.
#include "career/CareerSchedule.h"

#include "career/EventList.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"

void ClearCareerSchedule(CFixtureList& fixtures, CEventList& ledger) {
    fixtures.Clear();
    fixtures.Season().Reset();
    ledger.Clear();
}

bool LoadCareerSchedule(CFixtureList& fixtures, CEventList& ledger, const CMemoryDB* world,
                        const CMemoryDB* career) {
    ClearCareerSchedule(fixtures, ledger);
    if (!world || !career)
        return false;
    fixtures.LoadFromSavedRows(world, career);
    ledger.LoadFromFinances(career);
    // The profile keeps the whole span; the rows alone know only the years.
    const CProfile* profile = career->profiles.At(0);
    if (profile && profile->seasonStartYear != 0) {
        SeasonSpan& season = fixtures.Season();
        season.startYear = profile->seasonStartYear;
        season.endYear = profile->seasonEndYear;
        season.startMonth = profile->seasonStartMonth;
        season.startDay = profile->seasonStartDay;
    }
    return true;
}

bool SaveCareerSchedule(const CFixtureList& fixtures, const CEventList& ledger, CMemoryDB* career) {
    if (!career)
        return false;
    if (CProfile* profile = career->profiles.At(0)) {
        const SeasonSpan& season = fixtures.Season();
        profile->seasonStartYear = season.startYear;
        profile->seasonEndYear = season.endYear;
        profile->seasonStartMonth = season.startMonth;
        profile->seasonStartDay = season.startDay;
    }
    return fixtures.SaveToRows(career) && ledger.SaveToFinances(career);
}
