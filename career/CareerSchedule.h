// What the game manager calls so the season's fixtures and the ledger follow the career: cleared
// when a career is left, created or loaded, rebuilt from a loaded career's rows, written into its
// rows when it is saved.
#pragma once

class CEventList;
class CFixtureList;
class CMemoryDB;

// Empties the fixture list (no fixture may keep pointing into a deleted career database), resets
// the season span to its defaults and empties the ledger.
void ClearCareerSchedule(CFixtureList& fixtures, CEventList& ledger);

// After both databases of a saved career are loaded: clears, then rebuilds the fixtures from the
// career's "leaguetable.dat" rows and the ledger from its "finances.dat" rows, and takes the season
// span from the career's profile (row 0) when it holds one. False without both databases (the
// schedule is then left empty).
bool LoadCareerSchedule(CFixtureList& fixtures, CEventList& ledger, const CMemoryDB* world,
                        const CMemoryDB* career);

// Before the career database is written: replaces its fixture rows and finance rows with the
// current fixtures and ledger events and stores the season span in its profile (row 0, when
// present). False without a career database.
bool SaveCareerSchedule(const CFixtureList& fixtures, const CEventList& ledger, CMemoryDB* career);
