// The fun shop's orders, deliveries and daily sales on the career's storage list.
#include "career/FunShop.h"

#include "career/EventList.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

CTeam* Club(const CareerDay& day) {
    return day.career ? day.career->teams.At(0) : nullptr;
}

int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

CStorageItem* NewRecord(const CareerDay& day, int32_t id, int itemIndex, const char* kind) {
    auto* record = new CStorageItem();
    record->id = id;
    record->itemIndex = itemIndex;
    record->kind = kind;
    record->year = day.today.year;
    record->month = day.today.month;
    record->day = day.today.day;
    return record;
}

void Book(const CareerDay& day, int direction, const CStr& text, int amount) {
    if (!day.ledger)
        return;
    day.ledger->BookEntry(FunShopEventData{}, kLedgerFunShop, day.today, kScopeDay, direction, text, amount);
}

// Orders count down; one that reaches 0 (or was placed with no delivery days at all, which would
// otherwise wait for ever) arrives. Arrivals leave the list only after the pass, so every other
// record still counts down exactly once.
void Deliver(CMemoryDB& career) {
    std::vector<CStorageItem*> arrived;
    for (int row = 0; row < career.storage.Size(); ++row) {
        CStorageItem* record = career.storage.At(row);
        if (record->kind != kStorageOrder)
            continue;
        if (record->days > 0)
            --record->days;
        if (record->days > 0)
            continue;
        record->days = 0;
        CStorageItem* stock = nullptr;
        for (CStorageItem* candidate : career.storage)
            if (candidate->kind == kStorageStock && candidate->itemIndex == record->itemIndex) {
                stock = candidate;
                break;
            }
        if (stock) {
            stock->quantity = Saturate(static_cast<int64_t>(stock->quantity) + record->quantity);
            arrived.push_back(record);
        } else {
            record->kind = kStorageStock;
        }
    }
    for (CStorageItem* record : arrived)
        career.storage.Erase(record);
}

void Sell(const CareerDay& day, CTeam& club, int shopLevel) {
    // The club's following buys its goods: the fan base, or a larger crowd of the last home match.
    // (The crowd alone left a starting club's budget below a hundred, which sells nothing.)
    const int64_t base = std::max<int64_t>(club.fanBase, club.attendance);
    const int budget = Saturate(static_cast<int64_t>(static_cast<double>(base) * 0.03));
    if (budget <= 0)
        return;
    const int share = static_cast<int>(budget * 0.01);
    const int items = std::min(kFunShopItemsPerLevel * std::clamp(shopLevel, 0, kFunShopMaxLevel),
                               day.world ? day.world->funShopItems.Size() : 0);
    CStorageList& storage = day.career->storage;
    for (int k = 0; k < items; ++k) {
        const CFunShopItem* item = day.world->funShopItems.At(k);
        // Today's sale records are appended behind; they are not stock to visit.
        const int count = storage.Size();
        for (int row = 0; row < count; ++row) {
            CStorageItem* stock = storage.At(row);
            if (stock->kind != kStorageStock || stock->itemIndex != k || stock->quantity <= 0)
                continue;
            const int draw = Saturate(static_cast<int64_t>(GameRand() % 100) * share);
            // Only what is on the shelf can be sold and paid for; a day of no sales leaves no record.
            const int sold = std::min(draw, stock->quantity);
            if (sold <= 0)
                continue;
            CStorageItem* sale = NewRecord(day, count, k, kStorageSale);
            sale->sold = sold;
            storage.Append(sale);
            stock->quantity -= sold;
            const int takings = FunShopTakings(*item, sold);
            if (takings > 0)
                Book(day, kIncome, LookUpText(day.text, item->nameTextId), takings);
            club.cash = Saturate(static_cast<int64_t>(club.cash) + takings);
        }
    }
}

} // namespace

int FunShopLevel(const CMemoryDB& career) {
    const CTeam* club = career.teams.At(0);
    if (!club || !club->stadium)
        return 0;
    for (const CStadiumWingRecord* wing : club->stadium->wings)
        if (wing->partId == kPartFunShop)
            return std::clamp(wing->level, 0, kFunShopMaxLevel);
    return 0;
}

int PendingFunShopOrders(const CMemoryDB& career) {
    int pending = 0;
    for (const CStorageItem* record : career.storage)
        pending += record->kind == kStorageOrder ? 1 : 0;
    return pending;
}

const CFunShopItem* FunShopItem(const CMemoryDB* world, int itemIndex) {
    return world ? world->funShopItems.At(itemIndex) : nullptr;
}

bool PlaceFunShopOrder(const CareerDay& day, int itemIndex, int quantity) {
    CTeam* club = Club(day);
    const CFunShopItem* item = FunShopItem(day.world, itemIndex);
    if (!club || !item || quantity <= 0)
        return false;
    CStorageItem* order = NewRecord(day, day.career->storage.Size(), itemIndex, kStorageOrder);
    order->quantity = quantity;
    order->days = std::max(item->deliveryDays, 0);
    day.career->storage.Append(order);
    const int cost = Saturate(static_cast<int64_t>(item->buyPrice) * quantity / kFunShopBatch);
    Book(day, kExpense, CStr(), cost);
    club->cash = Saturate(static_cast<int64_t>(club->cash) - cost);
    return true;
}

void DeliverFunShopOrders(const CareerDay& day, int shopLevel) {
    CTeam* club = Club(day);
    if (!club)
        return;
    Deliver(*day.career);
    Sell(day, *club, shopLevel);
}

int FunShopUnitsSold(const CMemoryDB& career, int year, int itemIndex, int month, int day) {
    int64_t units = 0;
    for (const CStorageItem* record : career.storage) {
        if (record->kind != kStorageSale || record->year != year || record->itemIndex != itemIndex)
            continue;
        if ((month != 0 && record->month != month) || (day != 0 && record->day != day))
            continue;
        units += record->sold;
    }
    return Saturate(units);
}

int FunShopTakings(const CFunShopItem& item, int units) {
    return Saturate(static_cast<int64_t>(static_cast<double>(item.salePrice) * units * 0.01));
}
