// The club's stadium constructions: ordering, the daily building step and the running records.
#include "career/StadiumConstruction.h"

#include "career/EventList.h"
#include "database/MemoryDB.h"

#include <algorithm>

namespace {

// Seats one stage adds to a seat class that had none yet; a built class grows by its seats per
// stage so far.
constexpr int32_t kSeatsPerStage[5] = {1000, 750, 1750, 1250, 250};
// Running costs of a part built for the first time: a fiftieth of its stage unit a month.
constexpr int32_t kMonthlyCostShare = 50;

int32_t Clamp32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

bool IsSeatPart(int32_t partId) {
    return partId >= kFirstSeatPart && partId <= kLastSeatPart;
}

CStadiumRecord* ClubStadium(const CMemoryDB& career) {
    const CTeam* club = career.teams.At(0);
    return club ? club->stadium : nullptr;
}

// A stage just built: the seat classes get more seats, every part but the core costs more a month.
void GrowPart(CStadiumWingRecord& part, int32_t oldLevel) {
    const int32_t newLevel = oldLevel + 1;
    if (IsSeatPart(part.partId)) {
        int32_t perStage = oldLevel > 0 && part.seats > 0 ? part.seats / oldLevel
                                                          : kSeatsPerStage[part.partId - kFirstSeatPart];
        part.seats = Clamp32(static_cast<int64_t>(perStage) * newLevel);
    }
    if (part.partId != kCorePart) {
        int32_t perStage = oldLevel > 0 && part.monthlyCost > 0 ? part.monthlyCost / oldLevel
                                                                : part.stageCost / kMonthlyCostShare;
        part.monthlyCost = Clamp32(static_cast<int64_t>(std::max(perStage, 0)) * newLevel);
    }
}

bool InWork(const CStadiumWingRecord& part) {
    return part.level >= 0 && part.level < kStadiumStages && part.daysDone > 0;
}

} // namespace

int PartIndexOfId(int32_t partId) {
    if (partId == kCorePart)
        return 0;
    if (partId >= kFirstPart && partId < kFirstPart + kStadiumPartCount - 1)
        return partId - kFirstPart + 1;
    return -1;
}

int32_t PartIdOfIndex(int part) {
    if (part <= 0)
        return kCorePart;
    return kFirstPart + part - 1;
}

int32_t StageCost(const CStadiumWingRecord& part, int stage) {
    return Clamp32(static_cast<int64_t>(part.stageCost) * (stage + 1));
}

int32_t StageDays(const CStadiumWingRecord& part, int stage) {
    if (part.partId == kFunShopPart)
        return kFunShopStageDays;
    return Clamp32(static_cast<int64_t>(part.stageDays) * (stage + 1));
}

CStadiumWingRecord* FindClubPart(const CMemoryDB& career, int32_t partId) {
    CStadiumRecord* stadium = ClubStadium(career);
    if (!stadium)
        return nullptr;
    for (CStadiumWingRecord* wing : stadium->wings)
        if (wing && wing->partId == partId)
            return wing;
    return nullptr;
}

StageState GetStageState(const CMemoryDB& career, const CStadiumWingRecord& part, int stage, int limit) {
    if (stage < 0 || stage >= kStadiumStages)
        return StageState::Locked;
    if (part.level > stage)
        return StageState::Built;
    if (InWork(part) && part.level == stage)
        return StageState::Running;
    // Every other part grows only as far as the core: stage s needs the core beyond s.
    if (part.partId != kCorePart) {
        const CStadiumWingRecord* core = FindClubPart(career, kCorePart);
        if (!core || core->level <= stage)
            return StageState::Locked;
    }
    if (stage >= limit)
        return StageState::Locked;
    if (stage != part.level || InWork(part))
        return StageState::Waiting;
    return StageState::Orderable;
}

void ApplyClubUpgrade(CMemoryDB& career, const CStadiumWingRecord& part, int mode) {
    CMyStadiumUpgrade* found = nullptr;
    for (CMyStadiumUpgrade* running : career.myStadiumUpgrades)
        if (running->partId == part.partId) {
            found = running;
            break;
        }
    if (mode == 1) {
        if (found)
            career.myStadiumUpgrades.Erase(found);
        return;
    }
    if (mode != 0)
        return;
    if (!found)
        found = career.myStadiumUpgrades.Append(new CMyStadiumUpgrade());
    found->partId = part.partId;
    found->level = part.level;
    found->daysNeeded = StageDays(part, part.level);
    found->daysDone = part.daysDone;
    found->cost = StageCost(part, part.level);
    found->seats = part.seats;
}

void RestoreRunningConstructions(CMemoryDB& career) {
    for (const CMyStadiumUpgrade* running : career.myStadiumUpgrades) {
        if (running->level < 0 || running->level >= kStadiumStages || running->daysDone <= 0)
            continue;
        if (PartIndexOfId(running->partId) < 0)
            continue;
        if (CStadiumWingRecord* part = FindClubPart(career, running->partId)) {
            part->level = running->level;
            part->daysDone = running->daysDone;
        }
    }
}

OrderResult OrderStadiumStage(CMemoryDB& career, CEventList* ledger, const GameDate& today, int32_t partId,
                              int stage, int limit, const CStr& name) {
    CTeam* club = career.teams.At(0);
    CStadiumWingRecord* part = FindClubPart(career, partId);
    if (!club || !part || GetStageState(career, *part, stage, limit) != StageState::Orderable)
        return OrderResult::NotOrderable;
    const int32_t cost = StageCost(*part, stage);
    if (club->cash < cost)
        return OrderResult::CashShort;
    part->daysDone = 1;
    ApplyClubUpgrade(career, *part, 0);
    club->cash = Clamp32(static_cast<int64_t>(club->cash) - cost);
    if (ledger)
        ledger->BookEntry(LedgerEventData{.reference = 0}, kLedgerStadiumUpgrade, today, kScopeDay, kExpense,
                          name, cost);
    return OrderResult::Booked;
}

StadiumDayResult RunStadiumConstructionDay(CMemoryDB& career) {
    StadiumDayResult result;
    CStadiumRecord* stadium = ClubStadium(career);
    if (!stadium)
        return result;
    for (CStadiumWingRecord* part : stadium->wings) {
        // Only a stage in work moves: a finished part (level 4) or an idle one stays as it is,
        // whatever days its data gives.
        if (!part || PartIndexOfId(part->partId) < 0 || !InWork(*part))
            continue;
        const int32_t needed = StageDays(*part, part->level);
        if (part->daysDone < needed) {
            ++part->daysDone;
            ApplyClubUpgrade(career, *part, 0);
        }
        if (part->daysDone >= needed) {
            GrowPart(*part, part->level);
            ++part->level;
            part->daysDone = 0;
            ApplyClubUpgrade(career, *part, 1);
            ++result.completed;
            if (part->partId == kFunShopPart)
                result.funShopLevelChanged = true;
        }
    }
    int64_t capacity = 0;
    for (const CStadiumWingRecord* part : stadium->wings)
        if (part && IsSeatPart(part->partId))
            capacity += part->seats;
    stadium->capacity = Clamp32(capacity);
    return result;
}
