// The fun shop's business on a new career: paying for orders, their delivery, daily sales that never
// sell what is not in stock, the day controller running it, and orders and stock kept by a save.
#include "career/FunShop.h"
#include "career/EventList.h"
#include "engine/GameRand.h"

#include "CareerRig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace daytest;

namespace {

void SetShopLevel(CareerRig& rig, int level) {
    for (CStadiumWingRecord* wing : rig.club->stadium->wings)
        if (wing->partId == kPartFunShop)
            wing->level = level;
}

CFunShopItem& Item(CareerRig& rig, int index) {
    return *rig.world->funShopItems.At(index);
}

std::vector<const CStorageItem*> Records(const CareerRig& rig, const char* kind) {
    std::vector<const CStorageItem*> out;
    for (const CStorageItem* record : rig.career->storage)
        if (record->kind == kind)
            out.push_back(record);
    return out;
}

CStorageItem* AddStock(CareerRig& rig, int item, int quantity) {
    auto* stock = new CStorageItem();
    stock->id = rig.career->storage.Size();
    stock->itemIndex = item;
    stock->quantity = quantity;
    stock->kind = kStorageStock;
    return rig.career->storage.Append(stock);
}

} // namespace

TEST(FunShop, AnOrderIsPaidAtOnceAndBookedAndAnOrderOfNothingIsRefused) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    rig.host.date = GameDate{2007, 9, 12};
    Item(rig, 2).buyPrice = 40;
    Item(rig, 2).deliveryDays = 5;
    rig.club->cash = 100;

    ASSERT_TRUE(PlaceFunShopOrder(rig.Today(), 2, 500));
    EXPECT_EQ(rig.club->cash, -100); // the cash may go below 0
    ASSERT_EQ(rig.ledger.Size(), 1u);
    const auto* event = rig.ledger.At(0);
    EXPECT_EQ(event->Kind(), kLedgerFunShop);
    EXPECT_EQ(PayloadDirection(event->Payload()), kExpense);
    EXPECT_EQ(PayloadAmount(event->Payload()), 200);
    EXPECT_EQ(event->Day(), 12);
    EXPECT_EQ(event->Month(), 9);
    auto orders = Records(rig, kStorageOrder);
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0]->itemIndex, 2);
    EXPECT_EQ(orders[0]->quantity, 500);
    EXPECT_EQ(orders[0]->days, 5);
    EXPECT_EQ(PendingFunShopOrders(*rig.career), 1);

    // No quantity, a negative one or an item the catalogue lacks: nothing is bought or booked.
    EXPECT_FALSE(PlaceFunShopOrder(rig.Today(), 2, 0));
    EXPECT_FALSE(PlaceFunShopOrder(rig.Today(), 2, -100));
    EXPECT_FALSE(PlaceFunShopOrder(rig.Today(), 16, 100));
    EXPECT_EQ(rig.ledger.Size(), 1u);
    EXPECT_EQ(rig.career->storage.Size(), 1);
    EXPECT_EQ(rig.club->cash, -100);
}

TEST(FunShop, OrdersArriveAfterTheirDaysJoinTheItemsStockAndZeroDayOrdersStillArrive) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    rig.club->attendance = 0; // nothing sold: only deliveries
    rig.club->fanBase = 0;
    Item(rig, 0).deliveryDays = 2;
    Item(rig, 1).deliveryDays = 0;
    Item(rig, 3).deliveryDays = 3;
    CStorageItem* stock = AddStock(rig, 0, 40);
    ASSERT_TRUE(PlaceFunShopOrder(rig.Today(), 0, 300));
    ASSERT_TRUE(PlaceFunShopOrder(rig.Today(), 1, 200));
    ASSERT_TRUE(PlaceFunShopOrder(rig.Today(), 3, 100));

    DeliverFunShopOrders(rig.Today(), 1);
    // The 0-day order arrived the next day as the item's stock; the others counted down once.
    auto stocks = Records(rig, kStorageStock);
    ASSERT_EQ(stocks.size(), 2u);
    EXPECT_EQ(stocks[1]->itemIndex, 1);
    EXPECT_EQ(stocks[1]->quantity, 200);
    EXPECT_EQ(PendingFunShopOrders(*rig.career), 2);

    DeliverFunShopOrders(rig.Today(), 1);
    // Item 0's order joined its stock and left the list; item 3's, behind it, still counted down.
    EXPECT_EQ(stock->quantity, 340);
    auto orders = Records(rig, kStorageOrder);
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0]->itemIndex, 3);
    EXPECT_EQ(orders[0]->days, 1);

    DeliverFunShopOrders(rig.Today(), 1);
    EXPECT_EQ(PendingFunShopOrders(*rig.career), 0);
    EXPECT_EQ(Records(rig, kStorageStock).size(), 3u);
}

TEST(FunShop, AMonthOfSalesNeverSellsMoreThanTheStockAndPaysForWhatWasSold) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    rig.club->attendance = 1000000; // a budget of 30,000: draws of up to 29,700 units
    rig.club->cash = 0;
    GameSrand(38);
    CStorageItem* small = AddStock(rig, 0, 100);
    CStorageItem* large = AddStock(rig, 2, 250000);
    CStorageItem* locked = AddStock(rig, 4, 500); // level 1 sells items 0-3 only

    int64_t takings = 0;
    for (int d = 1; d <= 30; ++d) {
        rig.host.date = GameDate{2007, 9, d};
        size_t before = rig.ledger.Size();
        DeliverFunShopOrders(rig.Today(), 1);
        for (size_t i = before; i < rig.ledger.Size(); ++i) {
            EXPECT_EQ(PayloadDirection(rig.ledger.At(i)->Payload()), kIncome);
            takings += PayloadAmount(rig.ledger.At(i)->Payload());
        }
    }
    EXPECT_EQ(small->quantity, 0);
    EXPECT_GE(large->quantity, 0);
    EXPECT_EQ(locked->quantity, 500);
    EXPECT_EQ(FunShopUnitsSold(*rig.career, 2007, 0, 9), 100);
    EXPECT_EQ(FunShopUnitsSold(*rig.career, 2007, 2, 9), 250000 - large->quantity);
    EXPECT_EQ(FunShopUnitsSold(*rig.career, 2007, 4), 0);
    // A day without sales books no empty record and no line of $0.
    for (const CStorageItem* sale : Records(rig, kStorageSale))
        EXPECT_GT(sale->sold, 0);
    for (size_t i = 0; i < rig.ledger.Size(); ++i)
        EXPECT_GT(PayloadAmount(rig.ledger.At(i)->Payload()), 0);
    // Each day's takings are reckoned on the units that left the shelf.
    int64_t expected = 0;
    for (const CStorageItem* sale : Records(rig, kStorageSale))
        expected += FunShopTakings(Item(rig, sale->itemIndex), sale->sold);
    EXPECT_EQ(takings, expected);
    EXPECT_EQ(rig.club->cash, takings);
    int days = 0;
    for (int d = 1; d <= 30; ++d)
        days += FunShopUnitsSold(*rig.career, 2007, 2, 9, d) > 0 ? 1 : 0;
    EXPECT_GT(days, 1);
}

TEST(FunShop, AStartingClubsFansBuyFromItsStock) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    // The smallest clubs' following and a crowd that fills no hall yet.
    rig.club->fanBase = 5000;
    rig.club->attendance = 1200;
    GameSrand(5);
    CStorageItem* stock = AddStock(rig, 1, 1000);
    for (int d = 1; d <= 14; ++d) {
        rig.host.date = GameDate{2007, 9, d};
        DeliverFunShopOrders(rig.Today(), 1);
    }
    EXPECT_LT(stock->quantity, 1000);
    EXPECT_EQ(FunShopUnitsSold(*rig.career, 2007, 1, 9), 1000 - stock->quantity);
    EXPECT_GT(rig.CountKind(kLedgerFunShop), 0);
}

TEST(FunShop, TheDayControllerDeliversWhileTheShopIsOpenOrOrdersAreOnTheirWay) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    rig.club->attendance = 100000;
    Item(rig, 1).deliveryDays = 2;
    SetShopLevel(rig, 0);
    EXPECT_EQ(FunShopLevel(*rig.career), 0);
    ASSERT_TRUE(PlaceFunShopOrder(rig.Today(), 1, 300));
    rig.Day();
    rig.Day();
    // A closed shop still receives what was paid for, and sells nothing.
    ASSERT_EQ(Records(rig, kStorageStock).size(), 1u);
    EXPECT_EQ(Records(rig, kStorageSale).size(), 0u);

    SetShopLevel(rig, 1);
    EXPECT_EQ(FunShopLevel(*rig.career), 1);
    rig.Day();
    EXPECT_EQ(Records(rig, kStorageSale).size(), 1u);
}

TEST(FunShop, ASavedCareerKeepsItsOrdersStockAndSales) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    rig.host.date = GameDate{2008, 2, 29};
    AddStock(rig, 1, 700);
    ASSERT_TRUE(PlaceFunShopOrder(rig.Today(), 3, 1900));
    rig.club->attendance = 100000;
    GameSrand(7);
    DeliverFunShopOrders(rig.Today(), 1);
    const int sold = FunShopUnitsSold(*rig.career, 2008, 1, 2, 29);

    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("fastbreak-funshop-" + std::to_string(getpid()));
    ASSERT_TRUE(rig.career->SaveFolder(folder.string().c_str(), true));
    CMemoryDB again;
    ASSERT_TRUE(again.LoadSavedFolder(folder.string().c_str(), true));
    std::filesystem::remove_all(folder);

    ASSERT_EQ(again.storage.Size(), rig.career->storage.Size());
    EXPECT_EQ(PendingFunShopOrders(again), 1);
    for (int row = 0; row < again.storage.Size(); ++row) {
        const CStorageItem* a = again.storage.At(row);
        const CStorageItem* b = rig.career->storage.At(row);
        EXPECT_EQ(a->kind, b->kind);
        EXPECT_EQ(a->itemIndex, b->itemIndex);
        EXPECT_EQ(a->quantity, b->quantity);
        EXPECT_EQ(a->days, b->days);
        EXPECT_EQ(a->sold, b->sold);
    }
    EXPECT_EQ(FunShopUnitsSold(again, 2008, 1, 2, 29), sold);
}
