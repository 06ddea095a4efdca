// Daily training: the planned training day of today trains its participants, slot by slot, while
// their energy lasts; the coach reports what declined and what improved.
#pragma once

#include "career/MoneySteps.h"
#include "database/Records.h"

constexpr int kMailRowTrainingImproved = 16;
constexpr int kMailRowTrainingDeclined = 17;
constexpr int kMailRowLowEnergy = 34;
constexpr int kMailRowLowStamina = 35;
constexpr int kMailRowStaminaDeclined = 36;
constexpr int kMailRowStaminaImproved = 37;

// The exercise id (70101-70115) that trains each slot's attribute; 0 for the slot nothing trains.
constexpr int32_t kSlotExercise[kTrainingSlots] = {70101, 70102, 70103, 70106, 70105, 70115, 70112, 70108,
                                                   70109, 70113, 70114, 70104, 0,     70110, 70107, 70111};
// The text naming each slot's attribute in the coach's lists.
constexpr int32_t kSlotReportText[kTrainingSlots] = {70101, 70102, 70103, 70106, 70105, 70115, 70112, 70108,
                                                     70109, 70113, 70114, 70104, 70119, 70110, 80070, 200099};

// 0-5 by the coach's skill: 100 and above 5, then one less for every ten points down to 60.
int CoachBonus(int skill);
// The slot an exercise trains, -1 for an id outside 70101-70115.
int SlotOfExercise(int32_t exerciseId);
// One training step of an attribute: the counter grows by the gain while below 100, and every
// full hundred turns into a point of the value (the value stops at 100, the counter wraps anyway).
void TrainAttribute(int32_t& value, int32_t& progress, int gain);
// trunc(0.06666667 x sum of value + progress / 10) over every attribute but the thirteenth.
double TrainedOverall(const CPlayer& player);

void RunDailyTraining(const CareerDay& day);
