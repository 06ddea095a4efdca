// The fun shop's business: orders paid at once and delivered after the item's delivery days, stock
// sold off day by day into the club's cash, and the sales history the shop's grids sum. Orders,
// stock and sales are records of the career's storage list, so they are saved with the career.
#pragma once

#include "career/MoneySteps.h"

#include <cstdint>

class CMemoryDB;
struct CFunShopItem;

constexpr int32_t kPartFunShop = 300061; // the stadium part whose level opens the shop
constexpr int kFunShopMaxLevel = 4;
constexpr int kFunShopItemsPerLevel = 4;
constexpr int kFunShopBatch = 100; // items are ordered and priced per 100 units

// Storage record kinds.
inline constexpr const char* kStorageOrder = "y";
inline constexpr const char* kStorageStock = "sto";
inline constexpr const char* kStorageSale = "sel";

// The level of the club's fun-shop stadium part, 0-4; 0 without a club or stadium.
int FunShopLevel(const CMemoryDB& career);
// Orders still on their way.
int PendingFunShopOrders(const CMemoryDB& career);
// The catalogue item of an index; null when the world has none.
const CFunShopItem* FunShopItem(const CMemoryDB* world, int itemIndex);

// Buys `quantity` units of a catalogue item: an order record with the item's delivery days, the
// cost booked and taken from the cash at once (the cash may go below 0). Refused (false, nothing
// booked) for an unknown item or a quantity that is not a positive number of units.
bool PlaceFunShopOrder(const CareerDay& day, int itemIndex, int quantity);

// The daily step: every order counts down and arrives at 0 (an order for a stocked item joins that
// stock); then each unlocked item's stock sells a random share of the day's budget, never more
// than is in stock, and the takings are booked and paid into the cash.
void DeliverFunShopOrders(const CareerDay& day, int shopLevel);

// Units of an item sold in `year`; month 0 for the whole year, day 0 for the whole month.
int FunShopUnitsSold(const CMemoryDB& career, int year, int itemIndex, int month = 0, int day = 0);
// Takings of `units` at the item's sale price.
int FunShopTakings(const CFunShopItem& item, int units);
