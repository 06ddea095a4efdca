// Daily training over real days of a career: the planned attributes rise by the progress rule and
// no others, the coach's lists read cleanly and compare each player with himself, and plans that
// name nothing do nothing.
#include "career/Training.h"
#include "engine/GameRand.h"

#include "CareerRig.h"

#include <gtest/gtest.h>

using namespace daytest;

namespace {

struct TrainingRig : CareerRig {
    int quiet = -1;  // an exercise that costs no energy, training attribute 3
    int second = -1; // the same for attribute 1
    int intensity = -1;
    int hall = 0;

    TrainingRig() {
        if (!ready)
            return;
        auto addExercise = [&](int32_t textId) {
            auto* exercise = new CTrainingType();
            exercise->textId = textId;
            world->trainingTypes.Append(exercise);
            return world->trainingTypes.Size() - 1;
        };
        quiet = addExercise(70103);
        second = addExercise(70101);
        auto* modifier = new CTrainingModifier();
        modifier->value = 7;
        world->trainingModifiers.Append(modifier);
        intensity = world->trainingModifiers.Size() - 1;
        for (const CStadiumWingRecord* wing : club->stadium->wings)
            if (wing->partId == 300062)
                hall = wing->level;
    }

    CTrainingDay* Plan(GameDate date) {
        auto* plan = career->trainingDays.Append(new CTrainingDay());
        plan->year = date.year;
        plan->month = date.month;
        plan->day = date.day;
        return plan;
    }
    void Enter(GameDate date, const CPlayer* player, int energy = 100) {
        auto* entry = career->trainingEntries.Append(new CTrainingEntry());
        entry->year = date.year;
        entry->month = date.month;
        entry->day = date.day;
        entry->playerId = player->id;
        entry->energy = energy;
        entry->freshness = 100;
    }
};

} // namespace

TEST(Training, TheProgressRuleWrapsTheCounterIntoTheValue) {
    int32_t value = 50, progress = 95;
    TrainAttribute(value, progress, 10);
    EXPECT_EQ(value, 51);
    EXPECT_EQ(progress, 5);
    value = 100;
    progress = 95;
    TrainAttribute(value, progress, 10);
    EXPECT_EQ(value, 100);
    EXPECT_EQ(progress, 5);
    EXPECT_EQ(CoachBonus(100), 5);
    EXPECT_EQ(CoachBonus(95), 4);
    EXPECT_EQ(CoachBonus(60), 1);
    EXPECT_EQ(CoachBonus(59), 0);
    EXPECT_EQ(SlotOfExercise(70115), 5);
    EXPECT_EQ(SlotOfExercise(70116), -1);
}

TEST(Training, FourteenPlannedDaysRaiseThePlannedAttributeAndNoOther) {
    GameSrand(14);
    TrainingRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CPlayer& player = *rig.club->players[4];
    CPlayer& idle = *rig.club->players[5];
    GameDate date{2007, 9, 3};
    for (int i = 0; i < 14; ++i) {
        CTrainingDay* plan = rig.Plan(date);
        plan->exercise[0] = rig.quiet;
        plan->modifier[0] = rig.intensity;
        plan->exercise[1] = rig.quiet;
        plan->modifier[1] = rig.intensity;
        rig.Enter(date, &player);
        date = CCalendar::NextDay(date);
    }
    int32_t value = player.SkillValue(3);
    int32_t progress = player.SkillProgress(3);
    for (int i = 0; i < 28; ++i)
        TrainAttribute(value, progress, rig.hall + 7);
    const CPlayer before = player.CopyFields();
    const CPlayer idleBefore = idle.CopyFields();

    rig.DayAfter(GameDate{2007, 9, 1});
    rig.RunTo(GameDate{2007, 9, 20});
    EXPECT_GT(value, before.SkillValue(3));
    EXPECT_EQ(player.SkillValue(3), value);
    EXPECT_EQ(player.SkillProgress(3), progress);
    for (int word = 0; word < kPlayerWords; ++word) {
        if (word == 3 * 3 + 2 || word == 3 * 3 + 4)
            continue;
        EXPECT_EQ(player.words[word], before.words[word]) << "word " << word;
        EXPECT_EQ(idle.words[word], idleBefore.words[word]) << "word " << word;
    }
    EXPECT_EQ(player.overall, TrainedOverall(player));
    // Nothing but the third attribute rose: the coach's report names it alone.
    for (const CEmail* mail : rig.career->emails)
        if (mail->templateRow == kMailRowTrainingImproved) {
            EXPECT_STREQ(mail->placeholders[0].GetText(), "<70103>");
            EXPECT_STREQ(mail->placeholders[1].GetText(), player.name.GetText());
        }
    EXPECT_EQ(rig.CountMails(kMailRowTrainingDeclined), 0);
}

TEST(Training, TheCoachComparesEachPlayerWithHimselfAndListsCleanly) {
    TrainingRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    ASSERT_NE(rig.Hire(kStaffHeadCoach), nullptr);
    CPlayer& strong = *rig.club->players[0];
    CPlayer& weak = *rig.club->players[1];
    for (int s = 1; s <= kSkillCount; ++s) {
        strong.SkillValue(s) = 90;
        weak.SkillValue(s) = 20;
        strong.SkillProgress(s) = weak.SkillProgress(s) = 99;
    }
    for (GameDate date : {GameDate{2007, 9, 3}, GameDate{2007, 9, 4}}) {
        CTrainingDay* plan = rig.Plan(date);
        plan->exercise[0] = rig.second;
        plan->modifier[0] = rig.intensity;
        plan->exercise[1] = rig.quiet;
        plan->modifier[1] = rig.intensity;
        rig.Enter(date, &strong);
        rig.Enter(date, &weak);
    }
    rig.DayAfter(GameDate{2007, 9, 2});
    rig.Day();
    // The strong player trained first must not make the weak one look declined.
    EXPECT_EQ(rig.CountMails(kMailRowTrainingDeclined), 0);
    ASSERT_EQ(rig.CountMails(kMailRowTrainingImproved), 2);
    for (const CEmail* mail : rig.career->emails)
        if (mail->templateRow == kMailRowTrainingImproved) {
            EXPECT_STREQ(mail->placeholders[0].GetText(), "<70101>, <70103>");
        }

    // A player who lost form since is reported, with a list that does not end in a comma.
    strong.SkillValue(4) = 10;
    strong.SkillValue(5) = 10;
    CTrainingDay* plan = rig.Plan(GameDate{2007, 9, 10});
    plan->exercise[0] = rig.quiet;
    plan->modifier[0] = rig.intensity;
    rig.Enter(GameDate{2007, 9, 10}, &strong);
    rig.RunTo(GameDate{2007, 9, 10});
    ASSERT_EQ(rig.CountMails(kMailRowTrainingDeclined), 1);
    for (const CEmail* mail : rig.career->emails)
        if (mail->templateRow == kMailRowTrainingDeclined) {
            EXPECT_STREQ(mail->placeholders[0].GetText(), "<70106>, <70105>");
        }
}

TEST(Training, PlansNamingNothingAndTiredSquadsAreHandled) {
    TrainingRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CPlayer& player = *rig.club->players[0];
    const CPlayer before = player.CopyFields();
    CTrainingDay* plan = rig.Plan(GameDate{2007, 9, 3});
    plan->exercise[0] = 999; // rows the lists do not have
    plan->modifier[0] = rig.intensity;
    plan->exercise[1] = rig.quiet;
    plan->modifier[1] = -7;
    rig.Enter(GameDate{2007, 9, 3}, &player, 30);
    rig.Enter(GameDate{2007, 9, 3}, rig.world->players.At(0), 30); // not one of the club's
    rig.Plan(GameDate{2007, 9, 4}); // a day without entries sends no energy warning
    rig.DayAfter(GameDate{2007, 9, 2});
    rig.Day();
    for (int word = 0; word < kPlayerWords; ++word)
        EXPECT_EQ(player.words[word], before.words[word]) << "word " << word;
    EXPECT_EQ(rig.CountMails(kMailRowLowEnergy), 1);

    // A rested squad is not judged tired by players who have left since the plan was made.
    rig.Plan(GameDate{2007, 9, 5});
    rig.Enter(GameDate{2007, 9, 5}, rig.club->players[1], 90);
    for (int k = 1; k <= 3; ++k)
        rig.Enter(GameDate{2007, 9, 5}, rig.world->players.At(k), 5);
    rig.Day();
    rig.Day();
    EXPECT_EQ(rig.CountMails(kMailRowLowEnergy), 1);
}
