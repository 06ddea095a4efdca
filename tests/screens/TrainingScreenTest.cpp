// The training screen on the shipped layout with a new league career: the date pickers, plans kept
// by player id in the career, camps with their one charge, the facility icons, the season figures
// and a saved plan trained by the daily step.
#include "screens/club/TrainingScreen.h"
#include "career/Transfers.h"

#include "career/Calendar.h"
#include "career/EventList.h"
#include "career/MoneySteps.h"
#include "career/Training.h"
#include "database/Careers.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "guidefines.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> Items(CGuiElement* combo) {
    std::vector<int> data;
    for (int i = 0; i < combo->GetItemCount(); ++i)
        data.push_back(combo->GetItemData(i));
    return data;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> values;
    for (int v = first; v <= last; ++v)
        values.push_back(v);
    return values;
}

class TrainingScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Tester"));
        screen = std::make_unique<CTrainingScreen>(ctx);
        kit.screens[ScreenRole::Training] = screen.get();
        screen->Refresh();
    }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }
    void Send(int source, int kind = kMsgClick, int p1 = 0) {
        GuiMessage m;
        m.sID = source;
        m.MSG = kind;
        m.p1 = p1;
        screen->OnMessage(m);
        EXPECT_EQ(m.sID, -1);
    }
    // Picks the item of that data in a date combo, as the player does.
    void Choose(int id, int32_t data) {
        CGuiElement* combo = Find(id);
        for (int i = 0; i < combo->GetItemCount(); ++i)
            if (combo->GetItemData(i) == data)
                combo->SetSelection(i);
        Send(id, kMsgSelection);
    }
    void ChooseDate(int year, int month, int day) {
        Choose(ID_TR_YEAR, year);
        Choose(ID_TR_MONTH, month);
        Choose(ID_TR_DAY, day);
    }
    CMemoryDB& Career() { return *kit.session.careerDB; }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    std::unique_ptr<CTrainingScreen> screen;
};

TEST(TrainingPickers, AugustOffersTheSeasonsMonthsOfBothYearsAndJanuaryOnlyItsOwnYear) {
    const GameDate august{2007, 8, 1};
    EXPECT_EQ(PlanYears(august), (std::vector<int>{2007, 2008}));
    EXPECT_EQ(PlanMonths(august, 2007), Range(8, 12));
    EXPECT_EQ(PlanMonths(august, 2008), Range(1, 6));
    EXPECT_EQ(PlanDays(august, 2007, 8), Range(1, 31));
    EXPECT_EQ(PlanDays(GameDate{2007, 8, 20}, 2007, 8), Range(20, 31));
    EXPECT_EQ(PlanDays(august, 2008, 2), Range(1, 29));

    const GameDate january{2008, 1, 15};
    EXPECT_EQ(PlanYears(january), (std::vector<int>{2008}));
    EXPECT_EQ(PlanMonths(january, 2008), Range(1, 11));
    EXPECT_EQ(PlanYears(GameDate{2008, 2, 1}), (std::vector<int>{2008}));
}

TEST_F(TrainingScreenTest, TheDatePickersFollowTheChosenYear) {
    EXPECT_EQ(Items(Find(ID_TR_YEAR)), (std::vector<int>{2007, 2008}));
    EXPECT_EQ(Items(Find(ID_TR_MONTH)), Range(8, 12));
    Choose(ID_TR_YEAR, 2008);
    EXPECT_EQ(Items(Find(ID_TR_MONTH)), Range(1, 6));
    EXPECT_EQ(Items(Find(ID_TR_DAY)), Range(1, 31));
    Choose(ID_TR_MONTH, 2);
    EXPECT_EQ(Items(Find(ID_TR_DAY)), Range(1, 29));
}

TEST(TrainingRows, ShootingReadsItsOwnSlot) {
    // The shooting label must not show rebounding again: it is the attribute the training step
    // trains for the shooting exercise.
    EXPECT_EQ(TrainingSkillSlot(70115), 6);
    EXPECT_EQ(TrainingSkillSlot(70113), 10);
    EXPECT_EQ(TrainingSkillSlot(70104), 12);
    EXPECT_EQ(TrainingSkillSlot(70200), 0);
}

TEST_F(TrainingScreenTest, SavingTwiceOnOneDateKeepsTheLaterPlanAndPlansStayInDateOrder) {
    ASSERT_FALSE(screen->Types().empty());
    ChooseDate(2007, 9, 3);
    Send(ID_TR_SQUAD);
    Send(ID_TR_SAVE);
    ChooseDate(2007, 8, 20);
    Send(ID_TR_SAVE);
    ChooseDate(2007, 9, 3);
    Find(ID_TR_TYPE_0)->SetSelection(1);
    const int32_t laterType = Find(ID_TR_TYPE_0)->GetItemData(1);
    Send(ID_TR_CENTRES); // centres only now
    Send(ID_TR_SAVE);

    ASSERT_EQ(Career().trainingDays.Size(), 2);
    EXPECT_EQ(Career().trainingDays.At(0)->day, 20);
    EXPECT_EQ(Career().trainingDays.At(1)->day, 3);
    EXPECT_EQ(Career().trainingDays.At(1)->exercise[0], laterType);
    int entriesOfSeptember = 0;
    for (const CTrainingEntry* entry : Career().trainingEntries)
        if (entry->month == 9) {
            ++entriesOfSeptember;
            const CPlayer* player = nullptr;
            for (const CPlayer* p : kit.session.UserClub()->players)
                if (p->id == entry->playerId)
                    player = p;
            ASSERT_NE(player, nullptr);
            EXPECT_EQ(player->Field(11), 80063) << "only centres train on the later plan";
        }
    EXPECT_GT(entriesOfSeptember, 0);
    EXPECT_EQ(Find(ID_TR_PLANS)->GetItemCount(), 2);
    EXPECT_TRUE(Find(ID_TR_PLANS)->GetItemText(1).Find(ctx.Text(80063)) > 0);
    // After the save the screen stays on its date, the saved plan chosen and its group ticked.
    EXPECT_EQ(Find(ID_TR_PLANS)->GetSelectedIndex(), 1);
    EXPECT_EQ(Find(ID_TR_DAY)->GetItemData(Find(ID_TR_DAY)->GetSelectedIndex()), 3);
    EXPECT_EQ(Find(ID_TR_MONTH)->GetItemData(Find(ID_TR_MONTH)->GetSelectedIndex()), 9);
    EXPECT_TRUE(Find(ID_TR_CENTRES)->IsChecked());
    EXPECT_EQ(Find(ID_TR_TYPE_0)->GetItemData(Find(ID_TR_TYPE_0)->GetSelectedIndex()), laterType);
}

TEST_F(TrainingScreenTest, APlanNamesItsPlayerAfterARefreshAndAfterAReload) {
    const TrainingPlayerRow& third = *screen->Rows().at(2);
    const int32_t playerId = third.playerId;
    screen->SelectPlayer(third.row);
    ChooseDate(2007, 8, 5);
    Send(ID_TR_SAVE);
    ASSERT_EQ(Career().trainingDays.Size(), 1);

    screen->Refresh(); // rebuilds every row
    std::vector<int32_t> rows = screen->PlanRows(*Career().trainingDays.At(0));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(screen->Rows().at(static_cast<size_t>(rows[0]))->playerId, playerId);
    EXPECT_EQ(screen->SelectedPlayer(), rows[0]) << "showing the plan selects its player";

    ASSERT_TRUE(kit.session.SaveCurrentCareer());
    const int32_t profileId = Career().profiles.At(0)->id;
    ASSERT_TRUE(kit.session.LoadSavedCareer(profileId));
    screen->Refresh();
    ASSERT_EQ(Career().trainingDays.Size(), 1);
    rows = screen->PlanRows(*Career().trainingDays.At(0));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(screen->Rows().at(static_cast<size_t>(rows[0]))->playerId, playerId);
}

// A squad plan stays the squad's after a signing and a reload, so saving it again keeps the group.
TEST_F(TrainingScreenTest, APlanKeepsWhomItWasSavedForWhenTheSquadChanges) {
    ChooseDate(2007, 8, 12);
    Send(ID_TR_SQUAD);
    Send(ID_TR_SAVE);
    ASSERT_EQ(Career().trainingDays.Size(), 1);
    // A newcomer joins the squad after the plan was made.
    CMemoryDB& world = *kit.session.worldDB;
    CPlayer* agent = nullptr;
    for (CPlayer* p : world.players)
        if (p->teamId <= -1)
            agent = p;
    ASSERT_NE(agent, nullptr);
    TransferTerms terms;
    terms.playerId = agent->id;
    terms.months = 12;
    ASSERT_EQ(SignPlayer(world, Career(), nullptr, kit.session.currentDate, terms, "No club"),
              TransferResult::Done);
    ASSERT_TRUE(kit.session.SaveCurrentCareer());
    ASSERT_TRUE(kit.session.LoadSavedCareer(Career().profiles.At(0)->id));
    screen->Refresh();
    Send(ID_TR_PLANS, kMsgSelection, 0);
    EXPECT_TRUE(Find(ID_TR_SQUAD)->IsChecked()) << "the plan came back as a one-player plan";
    EXPECT_TRUE(Find(ID_TR_PLANS)->GetItemText(0).Find(ctx.Text(80019)) > 0)
        << Find(ID_TR_PLANS)->GetItemText(0).GetText();
}

TEST_F(TrainingScreenTest, ACampIsBookedOncePerRealDateAndChargedOnceInItsWeek) {
    CGuiElement* month = Find(ID_TR_CAMP_MONTH);
    ASSERT_EQ(Items(month), (std::vector<int>{6, 7, 8}));
    month->SetSelection(1); // July
    Find(ID_TR_CAMP_DAY)->SetSelection(0);
    Send(ID_TR_BOOK_2);
    ASSERT_EQ(Career().campBookings.Size(), 1);
    const CCampBooking& camp = *Career().campBookings.At(0);
    EXPECT_EQ(camp.day, 1);
    EXPECT_EQ(camp.month, 7);
    EXPECT_EQ(camp.year, 2008);
    EXPECT_EQ(camp.cost, 500000);
    EXPECT_STREQ(Find(ID_TR_CAMP_BOOKINGS)->FindCell(1, 0)->text.GetText(), "01.07.2008");

    Send(ID_TR_BOOK_0); // the same date with another camp
    EXPECT_EQ(Career().campBookings.Size(), 1);
    EXPECT_FALSE(screen->BookingMessage().IsEmpty());
    month->SetSelection(0);                 // June
    Find(ID_TR_CAMP_DAY)->SetSelection(30); // 31 June
    Send(ID_TR_BOOK_0);
    EXPECT_EQ(Career().campBookings.Size(), 1);
    Find(ID_TR_CAMP_DAY)->SetSelection(29); // 30 June
    Send(ID_TR_BOOK_0);
    ASSERT_EQ(Career().campBookings.Size(), 2);

    // The charge falls on the first day of the camp's week, once, whatever the month.
    CEventList ledger;
    CareerDay day;
    day.world = kit.session.worldDB;
    day.career = kit.session.careerDB;
    day.ledger = &ledger;
    CTeam* club = kit.session.UserClub();
    int64_t charged = 0;
    std::vector<GameDate> chargeDays;
    for (GameDate date{2008, 6, 2}; MakeDateKey(date.year, date.month, date.day) <= 20080831;
         date = CCalendar::NextDay(date)) {
        day.today = date;
        const int64_t before = club->cash;
        BookMonthlyCosts(day); // the first of a month also pays the wages: left out below
        if (date.day != 1 && club->cash != before) {
            charged += before - club->cash;
            chargeDays.push_back(date);
        }
    }
    EXPECT_EQ(charged, 550000);
    // Both camps lie in the week that starts on 25 June 2008.
    ASSERT_EQ(chargeDays.size(), 1u);
    EXPECT_EQ(chargeDays[0].month * 100 + chargeDays[0].day, 625);

    Find(ID_TR_CAMP_BOOKINGS)->SetSelectedRow(0);
    Send(ID_TR_CAMP_CANCEL);
    ASSERT_EQ(Career().campBookings.Size(), 1);
    EXPECT_EQ(Career().campBookings.At(0)->month, 6);
}

TEST(TrainingCamps, TheWeekStartsOnOrBeforeTheBookedDay) {
    for (int year : {2008, 2009, 2012})
        for (int month = 6; month <= 8; ++month)
            for (int d = 1; d <= CCalendar::DaysInMonth(month, year); ++d) {
                GameDate first;
                CCalendar::DateOfWeek(year, CampWeek(year, month, d), first);
                const int booked = MakeDateKey(year, month, d);
                ASSERT_LE(MakeDateKey(first.year, first.month, first.day), booked);
                GameDate week = first;
                for (int k = 0; k < 6; ++k)
                    week = CCalendar::NextDay(week);
                ASSERT_GE(MakeDateKey(week.year, week.month, week.day), booked) << d << "." << month;
            }
}

TEST_F(TrainingScreenTest, AStageThreeFacilityLightsThreeIcons) {
    CTeam* club = kit.session.UserClub();
    ASSERT_NE(club->stadium, nullptr);
    CStadiumWingRecord* hall = nullptr;
    for (CStadiumWingRecord* wing : club->stadium->wings)
        if (wing->partId == CTrainingScreen::kPartTrainingHall)
            hall = wing;
    ASSERT_NE(hall, nullptr);
    hall->level = 3;
    screen->Refresh();
    EXPECT_EQ(screen->FacilityStage(), 3);
    for (int j = 0; j < 4; ++j)
        EXPECT_STREQ(Find(ID_TR_FACILITY_1 + j)->Desc().imagePath.GetText(),
                     j < 3 ? CTrainingScreen::kLitIcon : CTrainingScreen::kDarkIcon);
    EXPECT_TRUE(Find(ID_TR_STAGE_3)->GetText().Find("+3xp") >= 0);
}

TEST(TrainingSeasons, RatesAreHitsOverAttemptsOfPlayedMatchesAndTheSeasonIsTheYear) {
    std::vector<std::unique_ptr<CPlayerStat>> records;
    auto add = [&](int year, int month, int day, int seconds, int points, int tried3, int made3) {
        auto r = std::make_unique<CPlayerStat>();
        r->Field(2) = year;
        r->Field(3) = month;
        r->Field(4) = day;
        r->Field(5) = seconds;
        r->Field(10) = points;
        r->Field(16) = tried3;
        r->Field(17) = made3;
        records.push_back(std::move(r));
        return records.back().get();
    };
    add(2007, 10, 3, 1200, 10, 4, 2);                // 2 of 4 threes
    add(2008, 2, 17, 600, 4, 1, 1);                  // the same season: 1 of 1
    add(2008, 3, 2, 0, 0, 0, 0);                     // on the bench all match: no game
    CPlayerStat* flat = add(2008, 3, 9, 0, 2, 0, 0); // a record without a clock, but a basket
    flat->Field(14) = 3;
    flat->Field(15) = 1;
    add(2008, 9, 3, 60, 2, 0, 0); // the next season, on the same day of the month as the first
    std::vector<CPlayerStat*> stats;
    for (auto& r : records)
        stats.push_back(r.get());
    const std::vector<TrainingSeasonStats> seasons = BuildSeasonStats(stats, 8);
    ASSERT_EQ(seasons.size(), 2u);
    EXPECT_EQ(seasons[0].season, 2007);
    EXPECT_EQ(seasons[0].games, 3);
    EXPECT_EQ(seasons[0].sum, 16);
    EXPECT_EQ(seasons[0].seconds, 1800);
    // 4 of 8 shots, 3 of 5 threes: not the mean of 50, 100 and 33 per cent.
    EXPECT_FLOAT_EQ(seasons[0].rate1, 50.0f);
    EXPECT_FLOAT_EQ(seasons[0].rate2, 60.0f);
    EXPECT_FLOAT_EQ(seasons[0].rate3, 0.0f);
    EXPECT_EQ(seasons[1].season, 2008);
    EXPECT_EQ(seasons[1].games, 1);
    EXPECT_FLOAT_EQ(seasons[1].rate2, 0.0f);
    // The total row: every season's hits over every season's attempts, not a sum of the rates.
    const TrainingSeasonStats all = CareerStats(stats);
    EXPECT_EQ(all.games, 4);
    EXPECT_EQ(all.sum, 18);
    EXPECT_EQ(all.seconds, 1860);
    EXPECT_FLOAT_EQ(all.rate2, 60.0f);
}

TEST_F(TrainingScreenTest, TheCardShowsSkillBandsAndTheCoachCardsFollowTheStaff) {
    screen->SelectPlayer(0);
    CGuiElement* skills = Find(ID_TR_CARD_SKILLS_A);
    ASSERT_EQ(skills->GetRowCount(), 8);
    EXPECT_EQ(skills->FindCell(0, 7), nullptr) << "seven skills; the eighth row stays empty";
    const TrainingPlayerRow& row = *screen->Rows().at(0);
    EXPECT_STREQ(skills->FindCell(1, 0)->text.GetText(),
                 CStr::Formatted("%d/%.2d", row.Skill(70101), row.Third(70101)).GetText());

    CoachCard card;
    card.name = "Coach Carter";
    card.skill = 80;
    card.wage = 12000;
    screen->SetCoachCard(kStaffHeadCoach, card);
    screen->SetCoachCard(kStaffAssistantCoach, CoachCard{});
    screen->FillStaffCards();
    EXPECT_STREQ(Find(ID_TR_HEADCOACH)->FindCell(1, 0)->text.GetText(), "Coach Carter");
    EXPECT_EQ(Find(ID_TR_ASSISTANT)->FindCell(0, 0), nullptr) << "no assistant: an empty card";
    // The assistant's card stands beside the head coach's labels: values only.
    card.name = "Ann Assist";
    screen->SetCoachCard(kStaffAssistantCoach, card);
    screen->FillStaffCards();
    EXPECT_STREQ(Find(ID_TR_ASSISTANT)->FindCell(0, 0)->text.GetText(), "Ann Assist");
    EXPECT_EQ(Find(ID_TR_ASSISTANT)->FindCell(1, 0), nullptr);
}

TEST_F(TrainingScreenTest, APlanSavedHereRaisesTheTrainedSkillOverTheFollowingDays) {
    // Pick the first exercise that trains a skill and an intensity that trains.
    int32_t exercise = -1, intensityRow = -1;
    for (const TrainingTypeEntry& type : screen->Types())
        if (exercise < 0 && TrainingSkillSlot(type.textId) > 0)
            exercise = type.position;
    for (const TrainingModifierEntry& m : screen->Intensities())
        if (intensityRow < 0 && m.textId != CTrainingScreen::kNoTraining && m.value > 0)
            intensityRow = m.position;
    ASSERT_GE(exercise, 0);
    ASSERT_GE(intensityRow, 0);
    const int slot = TrainingSkillSlot(screen->Types()[static_cast<size_t>(exercise)].textId);

    Send(ID_TR_SQUAD);
    GameDate date{2007, 8, 2};
    for (int i = 0; i < 14; ++i, date = CCalendar::NextDay(date)) {
        ChooseDate(date.year, date.month, date.day);
        for (int h = 0; h < kTrainingHours; ++h) {
            CGuiElement* type = Find(ID_TR_TYPE_0 + h);
            for (int k = 0; k < type->GetItemCount(); ++k)
                if (type->GetItemData(k) == exercise)
                    type->SetSelection(k);
            Find(ID_TR_INTENSITY_0 + h)->SetSelection(intensityRow);
        }
        Send(ID_TR_SAVE);
    }
    ASSERT_EQ(Career().trainingDays.Size(), 14);

    CTeam* club = kit.session.UserClub();
    auto total = [&] {
        int64_t sum = 0;
        for (CPlayer* p : club->players)
            sum += p->SkillValue(slot) * 100LL + p->SkillProgress(slot);
        return sum;
    };
    const int64_t before = total();
    CEventList ledger;
    CareerDay day;
    day.world = kit.session.worldDB;
    day.career = kit.session.careerDB;
    day.ledger = &ledger;
    for (date = GameDate{2007, 8, 2}; MakeDateKey(date.year, date.month, date.day) <= 20070815;
         date = CCalendar::NextDay(date)) {
        day.today = date;
        RunDailyTraining(day);
    }
    EXPECT_GT(total(), before);
}

} // namespace
