// The money ledger: bookings, the day, month and year views, month sums and the month-end balance.
#include "career/EventList.h"

#include <gtest/gtest.h>

namespace {

WageEventData Wage(int scope, int direction, int amount) {
    return {.scope = scope,
            .direction = direction,
            .group = 8,
            .name = "Player",
            .amount = amount,
            .reference = 4,
            .extra = 77};
}

UpkeepItemEventData Item(int scope, int direction, int amount) {
    return {.group = 3, .scope = scope, .direction = direction, .text = "Seats", .amount = amount};
}

int Sum(const std::vector<LedgerEntry>& entries) {
    int total = 0;
    for (const LedgerEntry& entry : entries)
        total += PayloadAmount(*entry.payload);
    return total;
}

} // namespace

TEST(LedgerBooking, CopiesTheBookedFieldsAndKeepsTheCallersRecord) {
    CEventList ledger;
    WageEventData wage = Wage(kScopeMonth, kExpense, 3000);
    ASSERT_TRUE(ledger.AddEvent(wage, kLedgerWages, 31, 8, 2007));
    wage.amount = 1; // the ledger holds its own copy
    const CCalendarEvent* event = ledger.At(0);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->Day(), 31);
    EXPECT_EQ(event->Month(), 8);
    EXPECT_EQ(event->Year(), 2007);
    const auto& booked = std::get<WageEventData>(event->Payload());
    EXPECT_EQ(booked.amount, 3000);
    EXPECT_EQ(booked.group, 8);
    EXPECT_EQ(booked.reference, 4);
    EXPECT_STREQ(booked.name.GetText(), "Player");
    EXPECT_EQ(booked.extra, 0); // the spare word is not carried over

    LoanEventData loan{.scope = kScopeDay, .direction = kIncome, .values = {0, 0, 50000}, .flag = 1};
    ASSERT_TRUE(ledger.AddEvent(loan, kLedgerLoan, 2, 9, 2007));
    EXPECT_EQ(std::get<LoanEventData>(ledger.At(1)->Payload()).flag, 0);
    EXPECT_EQ(PayloadAmount(ledger.At(1)->Payload()), 50000);
}

TEST(LedgerBooking, RefusesUnknownKindsAndMismatchedRecords) {
    CEventList ledger;
    LedgerEventData sponsor;
    EXPECT_FALSE(ledger.AddEvent(sponsor, 16, 1, 9, 2007));
    EXPECT_FALSE(ledger.AddEvent(sponsor, -1, 1, 9, 2007));
    EXPECT_FALSE(ledger.AddEvent(sponsor, kLedgerWages, 1, 9, 2007));
    EXPECT_FALSE(ledger.AddEvent(FunShopEventData{}, kLedgerTransfer, 1, 9, 2007));
    ledger.Append(nullptr);
    EXPECT_EQ(ledger.Size(), 0u);
    for (int kind : {1, 2, 3, 6, 9})
        EXPECT_TRUE(ledger.AddEvent(sponsor, kind, 1, 9, 2007)) << kind;
    EXPECT_TRUE(ledger.AddEvent(StadiumUpkeepEventData{}, kLedgerRestored8, 1, 9, 2007));
    EXPECT_TRUE(ledger.AddEvent(StadiumUpkeepEventData{}, kLedgerStadiumUpkeep, 1, 9, 2007));
    EXPECT_TRUE(ledger.AddEvent(TransferEventData{}, kLedgerTransfer, 1, 9, 2007));
    EXPECT_EQ(ledger.Size(), 8u);
}

TEST(LedgerViews, EachScopeIsSeenByItsOwnViewOnly) {
    CEventList ledger;
    ledger.AddEvent(Wage(kScopeDay, kExpense, 10), kLedgerWages, 5, 9, 2007);
    ledger.AddEvent(Wage(kScopeMonth, kExpense, 20), kLedgerWages, 5, 9, 2007);
    ledger.AddEvent(Wage(kScopeYear, kExpense, 40), kLedgerWages, 5, 9, 2007);
    ledger.AddEvent(Wage(kScopeDay, kIncome, 80), kLedgerWages, 5, 9, 2007);

    std::vector<LedgerEntry> day, month, year;
    ledger.CollectDay(day, 2007, 9, 5, kExpense);
    ledger.CollectMonth(month, 2007, 9, kExpense);
    ledger.CollectYear(year, 2007, kExpense);
    EXPECT_EQ(Sum(day), 10);
    EXPECT_EQ(Sum(month), 20);
    EXPECT_EQ(Sum(year), 40);

    std::vector<LedgerEntry> other;
    ledger.CollectDay(other, 2007, 9, 6, kExpense);
    ledger.CollectMonth(other, 2007, 10, kExpense);
    ledger.CollectYear(other, 2008, kExpense);
    EXPECT_TRUE(other.empty());
}

TEST(LedgerViews, TheYearViewShowsUpkeepAndItemsMonthByMonth) {
    CEventList ledger;
    StadiumUpkeepEventData upkeep{.scope = kScopeMonth, .direction = kExpense, .amount = 100};
    for (int month = 1; month <= 12; ++month) {
        ledger.AddEvent(upkeep, kLedgerStadiumUpkeep, 28, month, 2008);
        ledger.AddEvent(Item(kScopeMonth, kExpense, 1), kLedgerUpkeepItem, 28, month, 2008);
    }
    ledger.AddEvent(Item(kScopeYear, kExpense, 1000), kLedgerUpkeepItem, 28, 12, 2008);
    std::vector<LedgerEntry> year;
    ledger.CollectYear(year, 2008, kExpense);
    EXPECT_EQ(year.size(), 24u);
    EXPECT_EQ(Sum(year), 1212);

    // The group word comes first in kind 11: the filters must read its own scope and direction.
    std::vector<LedgerEntry> income;
    ledger.CollectMonth(income, 2008, 3, kIncome);
    EXPECT_TRUE(income.empty());
}

TEST(LedgerViews, BalancesStayOutOfReportsAndSumsAndOtherIncomeCounts) {
    CEventList ledger;
    EXPECT_EQ(ledger.GetMonthEndBalance(2007, 8), 0);
    ledger.AddEvent(MiscEventData{.scope = kScopeDay, .direction = kIncome, .amount = 999}, kLedgerMisc, 3, 9,
                    2007);
    // Words that look like a day's income must not make the balance one.
    MonthChangeEventData balance{.first = kScopeDay, .second = kIncome, .money = 12345};
    ledger.AddEvent(balance, kLedgerMonthChange, 3, 9, 2007);
    balance.money = 1;
    ledger.AddEvent(balance, kLedgerMonthChange, 4, 9, 2007);

    // Only the other income (a prize) is money that moved.
    std::vector<LedgerEntry> day;
    ledger.CollectDay(day, 2007, 9, 3, kIncome);
    ASSERT_EQ(day.size(), 1u);
    EXPECT_EQ(day[0].kind, kLedgerMisc);
    EXPECT_EQ(ledger.SumMonth(2007, 9, kIncome, GameDate{2007, 9, 30}), 999);
    EXPECT_EQ(ledger.GetMonthEndBalance(2007, 9), 12345);
    EXPECT_EQ(ledger.GetMonthEndBalance(2007, 10), 0);
}

TEST(LedgerMonthSum, AddsEveryKindAsItsAmountReads) {
    CEventList ledger;
    TicketIncomeEventData gate{
        .scope = kScopeDay, .direction = kIncome, .amounts = {100, 200, 300, 400, 500}};
    ledger.AddEvent(gate, kLedgerGateMoney, 8, 9, 2007);
    LoanEventData loan{.scope = kScopeDay, .direction = kIncome, .values = {7, 12, 20000}};
    ledger.AddEvent(loan, kLedgerLoan, 10, 9, 2007);
    LedgerEventData sponsor{.scope = kScopeMonth, .direction = kIncome, .amount = 5000};
    ledger.AddEvent(sponsor, kLedgerSponsor2, 1, 9, 2007);
    FunShopEventData sale{.scope = kScopeDay, .direction = kIncome, .amount = 75};
    ledger.AddEvent(sale, kLedgerFunShop, 30, 9, 2007);

    ledger.AddEvent(Wage(kScopeMonth, kExpense, 30000), kLedgerWages, 1, 9, 2007);
    ledger.AddEvent(Item(kScopeDay, kExpense, 250), kLedgerUpkeepItem, 8, 9, 2007);
    TrainingCampEventData camp{.scope = kScopeDay, .direction = kExpense, .amount = 4000};
    ledger.AddEvent(camp, kLedgerTrainingCamp, 20, 9, 2007);
    TransferEventData fee{.scope = kScopeDay, .direction = kExpense, .amount = 100000};
    ledger.AddEvent(fee, kLedgerTransfer, 15, 8, 2007); // another month

    GameDate later{2007, 11, 2};
    EXPECT_EQ(ledger.SumMonth(2007, 9, kIncome, later), 1500 + 20000 + 5000 + 75);
    EXPECT_EQ(ledger.SumMonth(2007, 9, kExpense, later), 30000 + 250 + 4000);
    EXPECT_EQ(ledger.SumMonth(2007, 8, kExpense, later), 100000);

    // In the running month only the days up to and including today count; month entries always do.
    EXPECT_EQ(ledger.SumMonth(2007, 9, kIncome, GameDate{2007, 9, 9}), 1500 + 5000);
    EXPECT_EQ(ledger.SumMonth(2007, 9, kIncome, GameDate{2007, 9, 10}), 1500 + 20000 + 5000);
    EXPECT_EQ(ledger.SumMonth(2007, 9, kExpense, GameDate{2007, 9, 19}), 30000 + 250);
}

TEST(LedgerMonthSum, AMonthOfAnEarlierYearCountsAllItsDays) {
    CEventList ledger;
    ledger.AddEvent(Item(kScopeDay, kExpense, 10), kLedgerUpkeepItem, 31, 12, 2007);
    ledger.AddEvent(Item(kScopeDay, kExpense, 5), kLedgerUpkeepItem, 29, 2, 2008);
    EXPECT_EQ(ledger.SumMonth(2007, 12, kExpense, GameDate{2008, 1, 3}), 10);
    EXPECT_EQ(ledger.SumMonth(2008, 2, kExpense, GameDate{2008, 4, 1}), 5);
    EXPECT_EQ(ledger.SumMonth(2008, 2, kExpense, GameDate{2008, 2, 28}), 0);
    EXPECT_EQ(CEventList().SumMonth(2008, 2, kExpense, GameDate{2008, 4, 1}), 0);
}

TEST(LedgerMonthChange, BooksTheOldMonthsBalanceOnTheFirstOnly) {
    CEventList ledger;
    EXPECT_FALSE(ledger.BookMonthChange(GameDate{2007, 8, 31}, 10, 20));
    EXPECT_TRUE(ledger.BookMonthChange(GameDate{2007, 9, 1}, 500000, 2500));
    EXPECT_TRUE(ledger.BookMonthChange(GameDate{2008, 1, 1}, 400000, 0));
    ASSERT_EQ(ledger.Size(), 2u);
    const CCalendarEvent* august = ledger.At(0);
    EXPECT_EQ(august->Kind(), kLedgerMonthChange);
    EXPECT_EQ(august->Day(), 31);
    EXPECT_EQ(august->Month(), 8);
    const auto& words = std::get<MonthChangeEventData>(august->Payload());
    EXPECT_EQ(words.first, 2);
    EXPECT_EQ(words.second, 3);
    EXPECT_EQ(words.nextMoney, 2500);
    EXPECT_EQ(ledger.GetMonthEndBalance(2007, 8), 500000);
    EXPECT_EQ(ledger.GetMonthEndBalance(2007, 12), 400000);
    EXPECT_EQ(ledger.At(1)->Year(), 2007);
}
