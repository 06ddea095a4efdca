// Daily training of the planned days.
#include "career/Training.h"

#include "career/Calendar.h"
#include "career/Mail.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"

#include <algorithm>

namespace {

constexpr int32_t kPartTrainingHall = 300062;
constexpr int32_t kAssistantExercise = 70114;

CStr Text(const CareerDay& day, int id) {
    return LookUpText(day.text, id);
}

CStr StaffName(const CTeam& club, int32_t category) {
    for (const CStaffRecord* member : club.staff)
        if (member->category == category)
            return member->name;
    return CStr();
}

// "a, b, c": the list never ends with the separator.
CStr JoinList(const std::vector<CStr>& items) {
    CStr text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += items[i];
    }
    return text;
}

CTrainedValues& RecordedValues(CMemoryDB& career, int32_t playerId) {
    for (CTrainedValues* values : career.trainedValues)
        if (values->playerId == playerId)
            return *values;
    auto* values = new CTrainedValues();
    values->playerId = playerId;
    std::fill(std::begin(values->values), std::end(values->values), -1);
    return *career.trainedValues.Append(values);
}

} // namespace

int CoachBonus(int skill) {
    if (skill >= 100)
        return 5;
    if (skill < 60)
        return 0;
    return (skill - 50) / 10;
}

int SlotOfExercise(int32_t exerciseId) {
    if (exerciseId < 70101 || exerciseId > 70115)
        return -1;
    for (int slot = 0; slot < kTrainingSlots; ++slot)
        if (kSlotExercise[slot] == exerciseId)
            return slot;
    return -1;
}

void TrainAttribute(int32_t& value, int32_t& progress, int gain) {
    if (progress < 100)
        progress += gain;
    if (progress >= 100) {
        if (value < 100)
            ++value;
        progress -= 100;
    }
}

double TrainedOverall(const CPlayer& player) {
    double sum = 0;
    for (int attribute = 1; attribute <= kTrainingSlots; ++attribute)
        if (attribute != 13)
            sum += player.SkillValue(attribute) + player.words[3 * attribute + 4] * 0.1;
    return static_cast<double>(static_cast<int64_t>(0.06666667 * sum));
}

void RunDailyTraining(const CareerDay& day) {
    CTeam* club = day.career ? day.career->teams.At(0) : nullptr;
    if (!club || !day.world || day.world->trainingTypes.IsEmpty())
        return;
    const GameDate& today = day.today;
    const CTrainingTypeList& exercises = day.world->trainingTypes;
    const CTrainingModifierList& modifiers = day.world->trainingModifiers;

    const std::unique_ptr<CStaffRecord> coach = FindHiredStaff(club, kStaffHeadCoach);
    int coachBonus = coach ? CoachBonus(coach->skill) : 0;
    if (club->stadium)
        for (const CStadiumWingRecord* wing : club->stadium->wings)
            if (wing->partId == kPartTrainingHall) {
                coachBonus += wing->level;
                break;
            }
    const std::unique_ptr<CStaffRecord> assistant = FindHiredStaff(club, kStaffAssistantCoach);
    const int assistantBonus = assistant ? CoachBonus(assistant->skill) : 0;
    const CStr coachName = coach ? coach->name : CStr();
    const CStr fitnessName = StaffName(*club, kStaffFitnessCoach);
    auto mail = [&](int row, int32_t category, const CStr& sender, std::initializer_list<CStr> values) {
        CreateEmail(day.world, day.career, row, today.year, today.month, today.day, Text(day, category),
                    sender, category, values);
    };

    const int32_t todayKey = MakeDateKey(today);
    for (const CTrainingDay* plan : day.career->trainingDays) {
        const int32_t planKey = MakeDateKey(plan->year, plan->month, plan->day);
        if (planKey > todayKey)
            break;
        if (planKey != todayKey)
            continue;
        int entries = 0;
        int64_t energySum = 0;
        for (const CTrainingEntry* entry : day.career->trainingEntries) {
            if (entry->year != plan->year || entry->month != plan->month || entry->day != plan->day)
                continue;
            CPlayer* player = nullptr;
            for (CPlayer* candidate : club->players)
                if (candidate->id == entry->playerId)
                    player = candidate;
            // A player who has left since the plan was made neither trains nor tires the squad.
            if (!player)
                continue;
            ++entries;
            energySum += entry->energy;

            // Each player is compared with his own values before his last training.
            CTrainedValues& recorded = RecordedValues(*day.career, player->id);
            std::vector<CStr> declined;
            for (int slot = 0; slot < kTrainingSlots; ++slot) {
                const int32_t before = recorded.values[slot];
                if (before < 0 || before <= player->SkillValue(slot + 1))
                    continue;
                if (slot == 1)
                    mail(kMailRowStaminaDeclined, kStaffFitnessCoach, fitnessName, {player->name});
                else
                    declined.push_back(Text(day, kSlotReportText[slot]));
            }
            if (!declined.empty())
                mail(kMailRowTrainingDeclined, kStaffHeadCoach, coachName,
                     {JoinList(declined), player->name});
            for (int slot = 0; slot < kTrainingSlots; ++slot)
                recorded.values[slot] = player->SkillValue(slot + 1);

            const int64_t e0 = entry->energy;
            const int64_t f0 = entry->freshness;
            int64_t energy = e0;
            int64_t freshness = f0;
            const double threshold = e0 * 0.1;
            for (int slot = 0; slot < kTrainingSlots; ++slot) {
                // A slot whose exercise or intensity is not in the lists does nothing.
                const CTrainingType* exercise = exercises.At(plan->exercise[slot]);
                const CTrainingModifier* modifier = modifiers.At(plan->modifier[slot]);
                if (!exercise || !modifier)
                    continue;
                const int m = modifier->value;
                const int64_t dE =
                    exercise->firstDelta < 0 ? exercise->firstDelta - m : exercise->firstDelta + m;
                const int64_t dF =
                    exercise->secondDelta < 0 ? exercise->secondDelta - m : exercise->secondDelta + m;
                if (energy < threshold)
                    continue;
                energy = std::min(energy + dE, e0);
                freshness = std::min(freshness + dF, f0);
                const int gain = m != 0 ? coachBonus + m : 0;
                const int trained = SlotOfExercise(exercise->textId);
                if (trained < 0)
                    continue;
                const int attribute = trained + 1;
                TrainAttribute(player->SkillValue(attribute), player->SkillProgress(attribute),
                               exercise->textId == kAssistantExercise ? gain + assistantBonus : gain);
            }

            std::vector<CStr> improved;
            for (int slot = 0; slot < kTrainingSlots; ++slot) {
                if (recorded.values[slot] >= player->SkillValue(slot + 1))
                    continue;
                if (slot == 1) {
                    mail(kMailRowStaminaImproved, kStaffFitnessCoach, fitnessName, {player->name});
                    if (player->SkillValue(2) <= 10)
                        mail(kMailRowLowStamina, kStaffFitnessCoach, fitnessName, {player->name});
                } else {
                    improved.push_back(Text(day, kSlotReportText[slot]));
                }
            }
            if (!improved.empty())
                mail(kMailRowTrainingImproved, kStaffHeadCoach, coachName,
                     {JoinList(improved), player->name});
            player->overall = TrainedOverall(*player);
        }
        if (entries > 0 && energySum / entries <= 40)
            mail(kMailRowLowEnergy, kStaffFitnessCoach, fitnessName, {});
    }
}
