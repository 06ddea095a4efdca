// The club's indicators over real days: the psychologist writes once when the squad's mood moved,
// never on a day it stood still, and the indicators are rebuilt after every day's gossip.
#include "career/Indicators.h"
#include "career/Mail.h"
#include "career/MatchRecord.h"
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
    EXPECT_EQ(TrendOf(50, 50), IndicatorTrend::Level) << "an unchanged value shows no rise";
    EXPECT_EQ(TrendOf(49, 50), IndicatorTrend::Fell);
    EXPECT_EQ(TrendOf(51, 50), IndicatorTrend::Rose);
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

namespace {

// A finished match of the user's club against the first other club with players.
MatchResult PlayedMatch(CareerRig& rig, bool atHome, int own, int other) {
    CTeam* rival = nullptr;
    for (CTeam* team : rig.world->teams)
        if (team->id != rig.club->id && !team->players.empty() && rival == nullptr)
            rival = team;
    MatchResult result;
    SideMatchResult& user = atHome ? result.home : result.away;
    SideMatchResult& them = atHome ? result.away : result.home;
    user.team = rig.club;
    user.user = true;
    user.figures.Score() = own;
    them.team = rival;
    them.figures.Score() = other;
    return result;
}

} // namespace

// A result moves the indicators the day it is recorded, each by its own rule: the evening of a
// heavy home defeat shows three falls, and the next morning moves nothing more.
TEST(Indicators, AResultMovesEachIndicatorTheDayItIsRecorded) {
    GameSrand(7);
    CareerRig rig;
    ASSERT_TRUE(rig.ready);
    ASSERT_NE(rig.Hire(80058), nullptr);
    CTeamOpinion* opinion = rig.world->opinions.FindByTeam(rig.club->id);
    ASSERT_NE(opinion, nullptr);
    const GameDate matchDay{2007, 9, 6};
    rig.DayAfter(GameDate{2007, 9, 5});
    for (int k = 0; k < kIndicatorCount; ++k)
        opinion->current[k] = opinion->previous[k] = 50;

    ASSERT_TRUE(RecordMatchResult(PlayedMatch(rig, true, 80, 108), matchDay, nullptr,
                                  MatchRecordTables{rig.career.get(), rig.world.get()}));
    IndicatorValues values;
    ASSERT_TRUE(ReadClubIndicators(*rig.world, rig.club->id, values));
    EXPECT_EQ(values.value[0], 47) << "a home defeat costs the fans three";
    EXPECT_EQ(values.value[1], 47) << "a margin of 28 costs the mood three";
    EXPECT_EQ(values.value[2], 49) << "the press follows the result";
    for (int k = 0; k < kIndicatorCount; ++k)
        EXPECT_EQ(TrendOf(values.value[k], values.reference[k]), IndicatorTrend::Fell) << k;

    // The next day starts from the evening's values: the result is not counted again.
    const int32_t before[3] = {opinion->current[0], opinion->current[1], opinion->current[2]};
    rig.Day();
    ASSERT_TRUE(ReadClubIndicators(*rig.world, rig.club->id, values));
    EXPECT_EQ(values.value[0], before[0]);
    EXPECT_EQ(values.reference[0], before[0]);
    EXPECT_EQ(TrendOf(values.value[0], values.reference[0]), IndicatorTrend::Level);

    // An away win moves the fans less than the mood; a draw moves nothing.
    for (int k = 0; k < kIndicatorCount; ++k)
        opinion->current[k] = opinion->previous[k] = 50;
    ASSERT_TRUE(RecordMatchResult(PlayedMatch(rig, false, 95, 90), matchDay, nullptr,
                                  MatchRecordTables{rig.career.get(), rig.world.get()}));
    EXPECT_EQ(opinion->current[0], 51);
    EXPECT_EQ(opinion->current[1], 52);
    EXPECT_EQ(opinion->current[2], 51);
    ASSERT_TRUE(RecordMatchResult(PlayedMatch(rig, true, 90, 90), matchDay, nullptr,
                                  MatchRecordTables{rig.career.get(), rig.world.get()}));
    EXPECT_EQ(opinion->current[0], 51);
    // The values stay percentages.
    opinion->current[0] = 99;
    ASSERT_TRUE(RecordMatchResult(PlayedMatch(rig, true, 100, 60), matchDay, nullptr,
                                  MatchRecordTables{rig.career.get(), rig.world.get()}));
    EXPECT_EQ(opinion->current[0], 100);
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
