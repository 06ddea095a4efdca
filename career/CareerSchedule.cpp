// Clearing, loading and saving the career's fixtures and ledger together.
#include "career/CareerSchedule.h"

#include "career/EventList.h"
#include "career/FixtureList.h"

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
    return true;
}

bool SaveCareerSchedule(const CFixtureList& fixtures, const CEventList& ledger, CMemoryDB* career) {
    if (!career)
        return false;
    return fixtures.SaveToRows(career) && ledger.SaveToFinances(career);
}
