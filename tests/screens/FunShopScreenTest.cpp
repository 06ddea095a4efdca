// The fun shop screen on the shipped layout with a new league career: the shop level gate, buying
// through the buttons, the stock grid's rows and colours, and the sales grids down to the days of a
// leap-year February.
#include "screens/club/FunShopScreen.h"
#include "career/EventList.h"
#include "career/FunShop.h"
#include "database/Careers.h"
#include "gui/Element.h"
#include "guidefines.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

namespace {

class FunShopScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Tester"));
        screen = std::make_unique<CFunShopScreen>(ctx);
    }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }
    void SetLevel(int level) {
        for (CStadiumWingRecord* wing : kit.session.UserClub()->stadium->wings)
            if (wing->partId == kPartFunShop)
                wing->level = level;
        screen->Refresh();
    }
    // True when the message was consumed.
    bool Send(int source, int kind = kMsgClick) {
        GuiMessage m;
        m.sID = source;
        m.MSG = kind;
        screen->OnMessage(m);
        return m.sID == -1;
    }
    CStr Cell(int grid, int column, int row) {
        GuiGridCell* cell = Find(grid)->FindCell(column, row);
        return cell ? cell->text : CStr("<none>");
    }
    CStorageItem* AddRecord(int item, int quantity, const char* kind, int sold = 0, GameDate date = {}) {
        auto* record = new CStorageItem();
        record->itemIndex = item;
        record->quantity = quantity;
        record->kind = kind;
        record->sold = sold;
        record->year = date.year;
        record->month = date.month;
        record->day = date.day;
        return kit.session.careerDB->storage.Append(record);
    }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    std::unique_ptr<CFunShopScreen> screen;
};

} // namespace

TEST_F(FunShopScreenTest, TheShopLevelOpensFourItemsALevelAndAClosedShopSaysHowItOpens) {
    SetLevel(0);
    for (int i = 0; i < 16; ++i)
        EXPECT_FALSE(Find(ID_FUNSHOP_ITEM_0 + i)->IsEnabled()) << i;
    EXPECT_FALSE(Find(ID_FUNSHOP_ITEM_NAME)->GetText().IsEmpty());
    EXPECT_EQ(Find(ID_FUNSHOP_YEAR)->GetRowCount(), 0);

    SetLevel(1);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Find(ID_FUNSHOP_ITEM_0 + i)->IsEnabled(), i < 4) << i;
    EXPECT_EQ(Find(ID_FUNSHOP_YEAR)->GetRowCount(), 4);
    EXPECT_EQ(Cell(ID_FUNSHOP_YEAR, 0, 3), kit.language.Get(200167));
    // A locked item cannot be chosen, even by a message the disabled button would never send.
    EXPECT_TRUE(Send(ID_FUNSHOP_ITEM_0 + 4));
    EXPECT_EQ(screen->selectedItem, -1);
    EXPECT_TRUE(Find(ID_FR_FUNSHOP)->IsEnabled());
}

TEST_F(FunShopScreenTest, BuyingTheChosenQuantityPaysBooksAndListsTheOrder) {
    SetLevel(1);
    CFunShopItem* item = kit.session.worldDB->funShopItems.At(2);
    item->buyPrice = 40;
    item->deliveryDays = 6;
    const int cash = kit.session.UserClub()->cash;
    const size_t events = kit.session.ledger->Size();

    // Nothing chosen: the click is left alone and nothing is bought.
    EXPECT_FALSE(Send(ID_FUNSHOP_BUY));
    EXPECT_FALSE(Find(ID_FUNSHOP_BUY)->IsEnabled());

    EXPECT_TRUE(Send(ID_FUNSHOP_ITEM_2));
    EXPECT_EQ(screen->selectedItem, 2);
    EXPECT_TRUE(Find(ID_FUNSHOP_BUY)->IsEnabled());
    Find(ID_FUNSHOP_QUANTITY)->SetSelection(4);
    EXPECT_TRUE(Send(ID_FUNSHOP_QUANTITY, kMsgSelection));
    EXPECT_EQ(Cell(ID_FUNSHOP_DETAILS, 1, 2), CStr("$ 200"));
    EXPECT_TRUE(Send(ID_FUNSHOP_BUY));

    EXPECT_EQ(kit.session.UserClub()->cash, cash - 200);
    ASSERT_EQ(kit.session.ledger->Size(), events + 1);
    EXPECT_EQ(kit.session.ledger->At(events)->Kind(), kLedgerFunShop);
    EXPECT_EQ(PayloadAmount(kit.session.ledger->At(events)->Payload()), 200);
    EXPECT_EQ(screen->selectedItem, -1);
    ASSERT_EQ(Find(ID_FUNSHOP_STOCK)->GetRowCount(), 1);
    EXPECT_EQ(Cell(ID_FUNSHOP_STOCK, 1, 0), CStr("500"));
    EXPECT_EQ(Cell(ID_FUNSHOP_STOCK, 2, 0), CStr("6 days"));
    // Once bought, the quantity stays chosen for the next order.
    EXPECT_EQ(Find(ID_FUNSHOP_QUANTITY)->GetSelectedIndex(), 4);
}

TEST_F(FunShopScreenTest, TheStockGridColoursPlentyLowAndOrdersAndLeavesOutSalesAndEmptyStock) {
    AddRecord(0, 51, kStorageStock);
    AddRecord(1, 49, kStorageStock);
    AddRecord(2, 50, kStorageStock);
    AddRecord(3, 300, kStorageOrder)->days = 1;
    AddRecord(0, 0, kStorageStock);
    AddRecord(0, 0, kStorageSale, 20, GameDate{2007, 9, 1});
    SetLevel(1);
    CGuiElement* grid = Find(ID_FUNSHOP_STOCK);
    ASSERT_EQ(grid->GetRowCount(), 4);
    EXPECT_EQ(grid->FindCell(1, 0)->colour, 0x00FF00FFu);
    EXPECT_EQ(grid->FindCell(1, 1)->colour, 0x0000FFFFu);
    EXPECT_FALSE(grid->FindCell(1, 2)->hasColour);
    EXPECT_EQ(grid->FindCell(1, 3)->colour, 0x00FFFFFFu);
    EXPECT_EQ(Cell(ID_FUNSHOP_STOCK, 2, 0), kit.language.Get(200197));
    EXPECT_EQ(Cell(ID_FUNSHOP_STOCK, 2, 3), CStr("1 day"));
}

TEST_F(FunShopScreenTest, SalesAreSummedByItemMonthAndDayAndALeapFebruaryHas29Days) {
    kit.session.currentDate = GameDate{2008, 2, 10};
    AddRecord(1, 0, kStorageSale, 30, GameDate{2008, 2, 29});
    AddRecord(1, 0, kStorageSale, 12, GameDate{2008, 2, 3});
    AddRecord(1, 0, kStorageSale, 100, GameDate{2008, 5, 3});
    AddRecord(1, 0, kStorageSale, 999, GameDate{2007, 2, 3}); // another year
    AddRecord(2, 0, kStorageSale, 7, GameDate{2008, 2, 3});
    kit.session.worldDB->funShopItems.At(1)->salePrice = 150;
    SetLevel(2);
    ASSERT_EQ(Find(ID_FUNSHOP_YEAR)->GetRowCount(), 8);
    EXPECT_EQ(Cell(ID_FUNSHOP_YEAR, 2, 1), CStr("142"));
    EXPECT_EQ(Cell(ID_FUNSHOP_YEAR, 3, 1), CStr("$ 213")); // 150 x 142 / 100, cut
    // The price of a hundred units, as the money one costs.
    EXPECT_EQ(Cell(ID_FUNSHOP_YEAR, 1, 1), CStr("$ 1.50"));
    // Nothing picked yet: the month and day lists show the first item that sold.
    ASSERT_EQ(Find(ID_FUNSHOP_MONTHS)->GetRowCount(), 12);
    EXPECT_EQ(Cell(ID_FUNSHOP_MONTHS, 2, 1), CStr("42"));
    EXPECT_EQ(Cell(ID_FUNSHOP_MONTHS, 3, 1), CStr("$ 63"));
    EXPECT_GT(Find(ID_FUNSHOP_DAYS)->GetRowCount(), 27);

    Find(ID_FUNSHOP_YEAR)->SetSelectedRow(1, true);
    EXPECT_TRUE(Send(ID_FUNSHOP_YEAR, kMsgSelection));
    ASSERT_EQ(Find(ID_FUNSHOP_MONTHS)->GetRowCount(), 12);
    EXPECT_EQ(Cell(ID_FUNSHOP_MONTHS, 2, 1), CStr("42"));
    EXPECT_EQ(Cell(ID_FUNSHOP_MONTHS, 2, 4), CStr("100"));
    EXPECT_EQ(Cell(ID_FUNSHOP_MONTHS, 1, 1), kit.language.Get(70002));

    Find(ID_FUNSHOP_MONTHS)->SetSelectedRow(1, true);
    EXPECT_TRUE(Send(ID_FUNSHOP_MONTHS, kMsgSelection));
    ASSERT_EQ(Find(ID_FUNSHOP_DAYS)->GetRowCount(), 29);
    EXPECT_EQ(Cell(ID_FUNSHOP_DAYS, 2, 28), CStr("30"));
    EXPECT_EQ(Cell(ID_FUNSHOP_DAYS, 2, 2), CStr("12"));
    EXPECT_EQ(Cell(ID_FUNSHOP_DAYS, 2, 3), CStr("0"));

    // The year before: the same month has 28 days and the older sale.
    Find(ID_FUNSHOP_YEARS)->SetSelection(0);
    EXPECT_TRUE(Send(ID_FUNSHOP_YEARS, kMsgSelection));
    EXPECT_EQ(Find(ID_FUNSHOP_DAYS)->GetRowCount(), 28);
    EXPECT_EQ(Cell(ID_FUNSHOP_DAYS, 2, 2), CStr("999"));
}
