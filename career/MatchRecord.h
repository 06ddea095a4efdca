// Writing a finished match into the career: the fixture's score, one record per club and per player
// and the injuries. Every view of a match records through here, so a player's season figures do not
// depend on how his matches were shown.
#pragma once

#include "database/GameDate.h"
#include "match/MatchResult.h"

class CMemoryDB;
struct CFixture;

struct MatchRecordTables {
    CMemoryDB* career = nullptr; // the user's club's records
    CMemoryDB* world = nullptr;  // every other club's
};

// A player who had to leave hurt is out for this many days.
inline constexpr int kMatchInjuryDays = 10;

// Writes the result dated `date`; a null fixture gets no score (the caller has none). A side whose
// table is missing falls back to the other one; without any table only the fixture and the
// players' injuries change. False for an incomplete result (nothing is written).
bool RecordMatchResult(const MatchResult& result, const GameDate& date, CFixture* fixture,
                       const MatchRecordTables& tables);
