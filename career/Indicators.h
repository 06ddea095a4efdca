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

constexpr int kFansIndicator = 0;
constexpr int kPressIndicator = 2;

// Which way a value moved since the morning: a value that stood still shows neither a rise nor a
// fall.
enum class IndicatorTrend { Fell, Level, Rose };
inline IndicatorTrend TrendOf(int32_t value, int32_t reference) {
    return value < reference ? IndicatorTrend::Fell
                             : (value > reference ? IndicatorTrend::Rose : IndicatorTrend::Level);
}

// Moves one of the club's indicators by delta, kept within 0-100; nothing without an opinion row.
void MoveClubIndicator(CMemoryDB& world, int32_t clubId, int indicator, int delta);

// What a result does to the indicators, the day it is recorded: the fans follow it, a home
// match three times as much as one away; the squad's mood by two points, three after a margin of
// twenty or more; the press by one. A draw moves nothing.
struct ResultMoves {
    int delta[kIndicatorCount] = {};
};
ResultMoves IndicatorMovesForResult(int ownScore, int otherScore, bool atHome);
void MoveIndicatorsForResult(CMemoryDB& world, int32_t clubId, int ownScore, int otherScore, bool atHome);

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
