// The club's stadium constructions: eighteen parts of four stages each, ordered and paid in one go,
// then built one game day at a time. The part records (level, days done) and the running
// constructions of the career database are the whole state, so a saved career keeps a running
// construction exactly as it stood.
#pragma once

#include "database/GameDate.h"
#include "engine/Str.h"
#include "engine/TextRun.h"

#include <cstdint>

class CEventList;
class CMemoryDB;
struct CStadiumWingRecord;

constexpr int kStadiumPartCount = 18;
constexpr int kStadiumStages = 4;
constexpr int32_t kFunShopPart = 300061;
constexpr int kFunShopStageDays = 2;

// Part index 0-17 of a part text id (300065 is part 0, 300048 + k - 1 part k); -1 for any other id.
int PartIndexOfId(int32_t partId);
int32_t PartIdOfIndex(int part);
// The parts' names: every part id is the text of its name.
constexpr TextRun kPartNameTexts{300048, 18};

// Stage s (0-3) costs and lasts s + 1 times the part's unit; every fun-shop stage takes two days.
int32_t StageCost(const CStadiumWingRecord& part, int stage);
int32_t StageDays(const CStadiumWingRecord& part, int stage);

// The club's (first team's) record of a part; null without a club, a stadium or that part.
CStadiumWingRecord* FindClubPart(const CMemoryDB& career, int32_t partId);

// What a stage of a part is to the player.
enum class StageState {
    Locked,    // the core (part 0) is not built far enough, or the league allows no more stages
    Built,     // already built
    Running,   // in work
    Waiting,   // a later stage: the ones before it come first, or a construction is running
    Orderable, // the next stage, nothing running: may be ordered
};
// `limit` is the number of stages the club's league allows the part (4 without a limit).
StageState GetStageState(const CMemoryDB& career, const CStadiumWingRecord& part, int stage, int limit);

// A running construction of a part: mode 0 writes (adds or updates) it from the part's record,
// mode 1 removes it. Nothing happens without a matching record to remove.
void ApplyClubUpgrade(CMemoryDB& career, const CStadiumWingRecord& part, int mode);

// After loading: every running construction with a stage 0-3 puts its stage and its days into
// the part's record; running records of unknown parts or stages are left alone.
void RestoreRunningConstructions(CMemoryDB& career);

enum class OrderResult { Booked, NotOrderable, CashShort };
// Orders stage `stage` of the part when it is orderable and the club's cash reaches its cost:
// the part starts (days done 1), the running construction is written so that a save keeps it,
// the cost leaves the cash and a kind-9 expense named `name` is booked today.
OrderResult OrderStadiumStage(CMemoryDB& career, CEventList* ledger, const GameDate& today, int32_t partId,
                              int stage, int limit, const CStr& name);

struct StadiumDayResult {
    int completed = 0; // stages finished today
    bool funShopLevelChanged = false;
};
// One game day of building: every stage in work gains a day; a stage whose days are done is built
// (the part one level up, its seats and running costs grown) and its running record removed.
// Then the stadium's capacity is the seats of its five seat classes.
StadiumDayResult RunStadiumConstructionDay(CMemoryDB& career);
