// The club's three indicators (the fans, the squad's mood, sponsors and press): percentages kept in
// the club's opinion row with the values they had at the day's start, and the psychologist's mail
// when the squad's mood has moved.
#pragma once

#include "career/MoneySteps.h"
#include "engine/Str.h"

#include <cstdint>

class CMemoryDB;
struct CTeam;

constexpr int kIndicatorCount = 3;
// The squad's mood is the second indicator; the psychologist reports on it.
constexpr int kMoodIndicator = 1;
constexpr int kMailRowMoodFell = 38;
constexpr int kMailRowMoodRose = 39;

struct IndicatorValues {
    int32_t value[kIndicatorCount] = {};
    int32_t reference[kIndicatorCount] = {};
};

// The club's opinion row; false (values untouched) when the world has none for that club.
bool ReadClubIndicators(const CMemoryDB& world, int32_t clubId, IndicatorValues& values);

// The trend arrow points up while the value has not fallen below its reference.
inline bool IndicatorRising(int32_t value, int32_t reference) {
    return value >= reference;
}

// The mail row for a mood at that value against its reference; -1 when it has not moved.
int MoodMailRow(int32_t value, int32_t reference);

// The day's first step: every opinion row's reference becomes its value, so the day's moves (a
// sponsor's verdict, the last result, promotions, gossip) all show against the morning's value.
void RebaseIndicators(CMemoryDB& world);

// The name of the club's last staff member of the category, in list order; empty without one.
CStr LastStaffName(const CTeam& club, int32_t category);

// The day step after the gossip: when the squad's mood moved today, the psychologist writes
// whether it fell or rose. A club without a psychologist gets no mail. Showing the indicators
// never sends one: the day's steps re-base the references every morning, so the mail goes out
// once for each day the mood moved.
void SendMoodMail(const CareerDay& day);
