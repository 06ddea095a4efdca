// The club's indicators over real days: the psychologist writes once when the squad's mood moved,
// never on a day it stood still, and the indicators are rebuilt after every day's gossip.
#include "career/Indicators.h"
#include "career/Mail.h"
#include "engine/GameRand.h"

#include "CareerRig.h"

#include <gtest/gtest.h>

using namespace daytest;

namespace {

// A promotion on that date that moves the squad's mood by delta.
void BookMoodPromotion(CareerRig& rig, GameDate date, int32_t delta) {
    auto* p = new CMyPromotion();
    p->catalogueRow = 0;
    p->nameTextId = 302599; // costs nothing
    p->cost = 0;
    p->attendanceBoost = 0;
    p->opinionDelta1 = 0;
    p->opinionDelta2 = delta;
    p->year = date.year;
    p->month = date.month;
    p->day = date.day;
    rig.career->myPromotions.PushBack(p);
}

int MoodMails(const CareerRig& rig) {
    return rig.CountMails(kMailRowMoodFell) + rig.CountMails(kMailRowMoodRose);
}

} // namespace

TEST(Indicators, TheMailRowFollowsTheMoodAgainstItsReference) {
    EXPECT_EQ(MoodMailRow(50, 50), -1);
    EXPECT_EQ(MoodMailRow(49, 50), kMailRowMoodFell);
    EXPECT_EQ(MoodMailRow(51, 50), kMailRowMoodRose);
    EXPECT_TRUE(IndicatorRising(50, 50)) << "an unchanged value shows the up arrow";
    EXPECT_FALSE(IndicatorRising(49, 50));
}

TEST(Indicators, ThePsychologistWritesOnceForEachDayTheMoodMoved) {
    GameSrand(7);
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    const CStaffRecord* psychologist = rig.Hire(80058);
    ASSERT_NE(psychologist, nullptr);
    const CStr name = psychologist->name;
    CTeamOpinion* opinion = rig.world->opinions.FindByTeam(rig.club->id);
    ASSERT_NE(opinion, nullptr);
    opinion->current[1] = opinion->previous[1] = 40;

    // Quiet days: nothing moved, nothing written, but the indicators are rebuilt every day.
    rig.DayAfter(GameDate{2007, 8, 10});
    rig.Day();
    EXPECT_EQ(MoodMails(rig), 0);
    EXPECT_EQ(rig.indicatorRefreshes, 2);

    // A promotion lifts the mood: one mail that day, none the day after while it stays there.
    BookMoodPromotion(rig, GameDate{2007, 8, 13}, 15);
    rig.Day();
    EXPECT_EQ(opinion->current[1], 55);
    ASSERT_EQ(rig.CountMails(kMailRowMoodRose), 1);
    for (const CEmail* mail : rig.career->emails)
        if (mail->templateRow == kMailRowMoodRose) {
            EXPECT_STREQ(mail->senderName.GetText(), name.GetText());
            EXPECT_EQ(mail->type, 80058);
        }
    rig.Day();
    rig.Day();
    EXPECT_EQ(MoodMails(rig), 1);

    // A drop writes the other mail.
    BookMoodPromotion(rig, GameDate{2007, 8, 16}, -20);
    rig.Day();
    EXPECT_EQ(rig.CountMails(kMailRowMoodFell), 1);
    EXPECT_EQ(MoodMails(rig), 2);
}

// The day after a loss the fans and the squad's mood stand two lower than in the morning: the
// arrows point down that day and the psychologist reports the fall; the next quiet day they are
// level again.
TEST(Indicators, ALossShowsAsTheDaysFallAndBringsThePsychologistsMail) {
    GameSrand(7);
    CareerRig rig;
    ASSERT_TRUE(rig.ready);
    ASSERT_NE(rig.Hire(80058), nullptr);
    CTeamOpinion* opinion = rig.world->opinions.FindByTeam(rig.club->id);
    ASSERT_NE(opinion, nullptr);
    opinion->current[0] = opinion->previous[0] = 50;
    opinion->current[1] = opinion->previous[1] = 40;
    auto* match = rig.career->matchStats.Append(new CMatchStat());
    match->Field(6) = 10;
    match->Field(7) = 8;
    match->Field(8) = 2007;
    match->Field(9) = 70;
    match->Field(10) = 81;
    rig.club->matchStats.push_back(match);

    rig.DayAfter(GameDate{2007, 8, 10});
    IndicatorValues values;
    ASSERT_TRUE(ReadClubIndicators(*rig.world, rig.club->id, values));
    EXPECT_EQ(values.value[0], 48);
    EXPECT_EQ(values.reference[0], 50);
    EXPECT_EQ(values.value[1], 38);
    EXPECT_EQ(values.reference[1], 40);
    EXPECT_FALSE(IndicatorRising(values.value[0], values.reference[0]));
    EXPECT_FALSE(IndicatorRising(values.value[1], values.reference[1]));
    EXPECT_EQ(rig.CountMails(kMailRowMoodFell), 1);

    rig.Day();
    ASSERT_TRUE(ReadClubIndicators(*rig.world, rig.club->id, values));
    EXPECT_EQ(values.reference[1], 38);
    EXPECT_EQ(MoodMails(rig), 1);
}

TEST(Indicators, WithoutAPsychologistTheMoodNeverWrites) {
    GameSrand(7);
    CareerRig rig;
    ASSERT_TRUE(rig.ready);
    ReleaseStaffCategory(rig.world.get(), *rig.career, 80058);
    CTeamOpinion* opinion = rig.world->opinions.FindByTeam(rig.club->id);
    ASSERT_NE(opinion, nullptr);
    opinion->current[1] = 10;
    opinion->previous[1] = 90;
    SendMoodMail(rig.Today());
    BookMoodPromotion(rig, GameDate{2007, 8, 11}, 30);
    rig.DayAfter(GameDate{2007, 8, 10});
    EXPECT_EQ(MoodMails(rig), 0);
}

TEST(Indicators, TheLastStaffMemberOfTheCategoryNamesThePanel) {
    CTeam club;
    CStaffRecord a, b, c;
    a.category = 80058;
    a.name = "First";
    b.category = 80059;
    b.name = "Physio";
    c.category = 80058;
    c.name = "Second";
    club.staff = {&a, &b, &c};
    EXPECT_STREQ(LastStaffName(club, 80058).GetText(), "Second");
    EXPECT_TRUE(LastStaffName(club, 80060).IsEmpty());
}
