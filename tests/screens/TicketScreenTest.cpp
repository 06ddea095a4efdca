// The ticket screen on the shipped layout with a new league career: prices go into the stadium
// parts the gate money reads, promotions are booked only for real later dates and survive a save,
// and the arena and seat-class pictures follow the club's league and arena level.
#include "screens/finance/TicketScreen.h"
#include "career/EventList.h"
#include "career/MoneySteps.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "guidefines.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace {

class TicketScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Tester"));
        kit.session.currentDate = {2007, 9, 10};
        screen = std::make_unique<CTicketScreen>(ctx);
        screen->Refresh();
    }
    CStadiumWingRecord* Part(int32_t id) {
        for (CStadiumWingRecord* wing : kit.session.UserClub()->stadium->wings)
            if (wing->partId == id)
                return wing;
        return nullptr;
    }
    void Click(int id) {
        GuiMessage m;
        m.sID = id;
        m.MSG = kMsgClick;
        screen->OnMessage(m);
        EXPECT_EQ(m.sID, -1);
    }
    void OpenPromotions() {
        ASSERT_NE(Part(CTicketScreen::kPromotionPart), nullptr);
        Part(CTicketScreen::kPromotionPart)->level = 1;
        screen->Refresh();
        ASSERT_TRUE(screen->PromotionsAvailable());
    }
    // The gate money of a home match today, per seat class as booked.
    int GateMoney(int seatClass) {
        CTeam* club = kit.session.UserClub();
        club->fanBase = 5000;
        club->attendance = 2500; // half the fans drawn: 50 % of every class sold
        CareerDay day;
        day.world = kit.session.worldDB;
        day.career = kit.session.careerDB;
        day.ledger = kit.session.ledger;
        day.today = kit.session.currentDate;
        const size_t before = kit.session.ledger->Size();
        BookHomeMatchIncome(day);
        for (size_t i = before; i < kit.session.ledger->Size(); ++i)
            if (kit.session.ledger->At(i)->Kind() == kLedgerGateMoney)
                return std::get<TicketIncomeEventData>(kit.session.ledger->At(i)->Payload())
                    .amounts[seatClass];
        return -1;
    }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    std::unique_ptr<CTicketScreen> screen;
};

TEST_F(TicketScreenTest, APriceChangeIsInThePartRecordAndInTheNextGateMoney) {
    for (int i = 0; i < CTicketScreen::kClasses; ++i) {
        ASSERT_TRUE(screen->Class(i).enabled);
        const int32_t before = Part(kFirstSeatPart + i)->price;
        Click(CTicketScreen::UpButton(i));
        Click(CTicketScreen::UpButton(i));
        Click(CTicketScreen::DownButton(i));
        screen->Refresh();
        EXPECT_EQ(Part(kFirstSeatPart + i)->price, before + 1) << "class " << i;
        EXPECT_EQ(screen->Class(i).price, before + 1);
    }
    const int seats = Part(kFirstSeatPart)->seats;
    const int32_t price = Part(kFirstSeatPart)->price;
    EXPECT_EQ(GateMoney(0), static_cast<int>(price * (50 * 0.01 * seats)));
    for (int k = 0; k < 10; ++k)
        Click(CTicketScreen::UpButton(0));
    kit.session.currentDate = {2007, 9, 11};
    EXPECT_EQ(GateMoney(0), static_cast<int>((price + 10) * (50 * 0.01 * seats)));
    // The table shows the new price.
    EXPECT_NE(kit.stack.FindElement(ID_TK_PRICES)->FindCell(3, 0)->text.Find("$"), -1);
}

TEST_F(TicketScreenTest, AClassNotBuiltKeepsItsPriceAndIgnoresItsButtons) {
    Part(kFirstSeatPart + 4)->level = 0;
    const int32_t stored = Part(kFirstSeatPart + 4)->price;
    screen->Refresh();
    EXPECT_FALSE(screen->Class(4).enabled);
    EXPECT_EQ(screen->Class(4).price, 0);
    EXPECT_FALSE(kit.stack.FindElement(CTicketScreen::UpButton(4))->IsEnabled());
    Click(CTicketScreen::UpButton(4));
    EXPECT_EQ(Part(kFirstSeatPart + 4)->price, stored);
    // Down at 0 stays 0.
    while (screen->Class(0).price > 0)
        screen->ChangePrice(0, -1);
    Click(CTicketScreen::DownButton(0));
    EXPECT_EQ(Part(kFirstSeatPart)->price, 0);
}

TEST_F(TicketScreenTest, PromotionsNeedTheirPartAndARealLaterDate) {
    screen->SelectCatalogue(0);
    EXPECT_EQ(screen->SchedulePromotion(9, 20), CTicketScreen::Booking::Unavailable);
    EXPECT_EQ(kit.stack.FindElement(ID_TK_CATALOGUE)->GetRowCount(), 0);
    OpenPromotions();
    EXPECT_GT(kit.stack.FindElement(ID_TK_CATALOGUE)->GetRowCount(), 0);

    EXPECT_EQ(screen->SchedulePromotion(9, 31), CTicketScreen::Booking::NoSuchDate);
    EXPECT_EQ(screen->SchedulePromotion(2, 30), CTicketScreen::Booking::NoSuchDate);
    EXPECT_EQ(screen->SchedulePromotion(9, 9), CTicketScreen::Booking::NotAfterToday);
    EXPECT_EQ(screen->SchedulePromotion(9, 10), CTicketScreen::Booking::NotAfterToday);
    EXPECT_EQ(kit.session.careerDB->myPromotions.Size(), 0);
    screen->SelectCatalogue(99);
    EXPECT_EQ(screen->SchedulePromotion(9, 20), CTicketScreen::Booking::NoSelection);

    screen->SelectCatalogue(1);
    ASSERT_EQ(screen->SchedulePromotion(9, 11), CTicketScreen::Booking::Booked);
    const CMyPromotion* booked = kit.session.careerDB->myPromotions.At(0);
    const CPromotion* source = kit.session.worldDB->promotions.At(1);
    EXPECT_EQ(booked->nameTextId, source->nameTextId);
    EXPECT_EQ(booked->cost, source->cost);
    EXPECT_EQ(booked->year, 2007);
    CGuiElement* grid = kit.stack.FindElement(ID_TK_SCHEDULED);
    ASSERT_EQ(grid->GetRowCount(), 1);
    EXPECT_EQ(grid->FindCell(1, 0)->text, CStr("11.09.2007")); // the one date form of every screen
    EXPECT_EQ(grid->FindCell(0, 0)->data, 1);
}

TEST_F(TicketScreenTest, TheDateListsFollowTheCalendar) {
    CGuiElement* months = kit.stack.FindElement(ID_TK_MONTH);
    ASSERT_EQ(months->GetItemData(0), 9);
    kit.session.currentDate = {2007, 11, 30};
    screen->Refresh();
    EXPECT_EQ(months->GetItemData(0), 11);
    EXPECT_EQ(months->GetItemCount(), 2);
    // The day after today does not exist in November: the first day is offered instead.
    CGuiElement* days = kit.stack.FindElement(ID_TK_DAY);
    EXPECT_EQ(days->GetItemData(days->GetSelectedIndex()), 1);
}

TEST_F(TicketScreenTest, OnlyALaterPromotionCanBeCalledOffAfterConfirmation) {
    OpenPromotions();
    screen->SelectCatalogue(0);
    ASSERT_EQ(screen->SchedulePromotion(9, 11), CTicketScreen::Booking::Booked);
    ASSERT_EQ(screen->SchedulePromotion(9, 20), CTicketScreen::Booking::Booked);
    kit.session.currentDate = {2007, 9, 11};
    screen->Refresh();
    CGuiElement* grid = kit.stack.FindElement(ID_TK_SCHEDULED);
    EXPECT_EQ(grid->FindCell(0, 0)->data, 0); // today's: dimmed
    EXPECT_EQ(grid->FindCell(0, 1)->data, 1);

    EXPECT_FALSE(screen->RemovePromotion(0));
    grid->SetSelectedRow(0);
    screen->SelectScheduled(0);
    Click(ID_TK_REMOVE);
    Click(ID_TK_YES);
    EXPECT_EQ(kit.session.careerDB->myPromotions.Size(), 2);

    grid->SetSelectedRow(1);
    screen->SelectScheduled(1);
    Click(ID_TK_REMOVE);
    Click(ID_TK_YES);
    ASSERT_EQ(kit.session.careerDB->myPromotions.Size(), 1);
    EXPECT_EQ(kit.session.careerDB->myPromotions.At(0)->day, 11);
}

TEST_F(TicketScreenTest, PricesAndPromotionsSurviveASaveAndReload) {
    OpenPromotions();
    for (int k = 0; k < 7; ++k)
        Click(CTicketScreen::UpButton(2));
    const int32_t price = Part(kFirstSeatPart + 2)->price;
    screen->SelectCatalogue(2);
    ASSERT_EQ(screen->SchedulePromotion(10, 5), CTicketScreen::Booking::Booked);
    ASSERT_TRUE(kit.session.SaveCurrentCareer());
    const int32_t profile = kit.session.careerDB->profiles.At(0)->id;
    kit.session.LeaveCareer();
    ASSERT_TRUE(kit.session.LoadSavedCareer(profile));
    EXPECT_EQ(Part(kFirstSeatPart + 2)->price, price);
    ASSERT_EQ(kit.session.careerDB->myPromotions.Size(), 1);
    EXPECT_EQ(kit.session.careerDB->myPromotions.At(0)->month, 10);
    kit.session.DeleteSavedCareer(profile);
}

} // namespace

TEST_F(TicketScreenTest, TheArenaPicturesFollowTheLeagueAndTheArenaLevel) {
    constexpr int32_t kLeague = 100005, kCup = 100004;
    // Club 7 shows picture 8; the league id's value mod 3 is the arena level.
    EXPECT_EQ(CTicketScreen::ArenaPicture(kLeague, 3, 7),
              "\\images\\WinObjects\\STADION\\STREETBALL\\palya_08.jpg");
    EXPECT_EQ(CTicketScreen::ArenaPicture(kLeague, 4, 7),
              "\\images\\WinObjects\\STADION\\SCOOLARENA\\arena08.png");
    EXPECT_EQ(CTicketScreen::ArenaPicture(kLeague, 5, 7), "\\images\\WinObjects\\TICKETS\\DAD_8_775x435.png");
    EXPECT_EQ(CTicketScreen::ArenaPicture(kCup, 3, 7),
              "\\images\\WinObjects\\STADION\\SCOOLARENA\\arena08.png");
    EXPECT_EQ(CTicketScreen::ArenaPicture(kCup, 4, 17), "\\images\\WinObjects\\TICKETS\\FIBA_8_775x435.png");
    EXPECT_EQ(CTicketScreen::ArenaPicture(kCup, 5, 9), "\\images\\WinObjects\\TICKETS\\FIBA_10_775x435.png");
    // A damaged negative id or league still names a picture that exists.
    EXPECT_EQ(CTicketScreen::ArenaPicture(kLeague, -1, -3),
              "\\images\\WinObjects\\TICKETS\\DAD_8_775x435.png");

    EXPECT_EQ(CTicketScreen::ClassPicture(kLeague, 5, 7, 0),
              "\\images\\WinObjects\\TICKETS\\DAD_8_courtside.png");
    EXPECT_EQ(CTicketScreen::ClassPicture(kCup, 4, 7, 4),
              "\\images\\WinObjects\\TICKETS\\FIBA_8_corporate.png");
    // Street courts and school gyms have no class views, and there are only five classes.
    EXPECT_TRUE(CTicketScreen::ClassPicture(kLeague, 3, 7, 0).IsEmpty());
    EXPECT_TRUE(CTicketScreen::ClassPicture(kLeague, 4, 7, 0).IsEmpty());
    EXPECT_TRUE(CTicketScreen::ClassPicture(kCup, 3, 7, 0).IsEmpty());
    EXPECT_TRUE(CTicketScreen::ClassPicture(kLeague, 5, 7, 5).IsEmpty());
    EXPECT_TRUE(CTicketScreen::ClassPicture(kLeague, 5, 7, -1).IsEmpty());

    // Every picture the screen can ask for is in the game folder.
    auto onDisk = [](const CStr& path) {
        std::string file = path.GetText();
        std::replace(file.begin(), file.end(), '\\', '/');
        return std::filesystem::exists(file.substr(1));
    };
    for (int32_t kind : {kLeague, kCup})
        for (int32_t league = 0; league < 3; ++league)
            for (int32_t club = 0; club < 10; ++club) {
                EXPECT_TRUE(onDisk(CTicketScreen::ArenaPicture(kind, league, club)))
                    << kind << league << club;
                for (int seatClass = 0; seatClass < CTicketScreen::kClasses; ++seatClass) {
                    const CStr path = CTicketScreen::ClassPicture(kind, league, club, seatClass);
                    EXPECT_TRUE(path.IsEmpty() || onDisk(path)) << path.GetText();
                }
            }
}

TEST_F(TicketScreenTest, PickingASeatClassShowsItsSeatsInABigHall) {
    CTeam* club = kit.session.UserClub();
    club->leagueKind = 100005;
    club->leagueId = 2; // a big hall
    screen->Refresh();
    EXPECT_EQ(kit.stack.FindElement(ID_TK_ARENA_PIC)->Desc().imagePath,
              CTicketScreen::ArenaPicture(club->leagueKind, club->leagueId, club->id));
    CGuiElement* prices = kit.stack.FindElement(ID_TK_PRICES);
    CGuiElement* classPicture = kit.stack.FindElement(ID_TK_CLASS_PIC);
    CGuiElement* classTitle = kit.stack.FindElement(ID_TK_CLASS_TITLE);
    EXPECT_TRUE(classPicture->Desc().imagePath.IsEmpty());
    EXPECT_EQ(classTitle->GetText(), ctx.Text(302534));

    prices->SetSelectedRow(2);
    GuiMessage m;
    m.sID = ID_TK_PRICES;
    m.MSG = kMsgSelection;
    screen->OnMessage(m);
    EXPECT_EQ(m.sID, -1);
    EXPECT_EQ(classPicture->Desc().imagePath, CTicketScreen::ClassPicture(100005, 2, club->id, 2));
    EXPECT_EQ(classTitle->GetText(), ctx.Text(80026));

    // Down to a street court: no class view, and the title says why instead of showing a stale one.
    club->leagueId = 3;
    screen->Refresh();
    EXPECT_TRUE(classPicture->Desc().imagePath.IsEmpty());
    EXPECT_EQ(classTitle->GetText(), ctx.Text(302535));
}
