// The ledger's saved rows: every kind survives a save and reload, and reloading replaces.
#include "career/EventList.h"
#include "database/MemoryDB.h"

#include <gtest/gtest.h>

namespace {

// One booking of every kind, spread over two months and all three scopes.
void BookASeasonStart(CEventList& ledger) {
    ledger.AddEvent(TicketIncomeEventData{.scope = kScopeDay,
                                          .direction = kIncome,
                                          .amounts = {1000, 2000, 3000, 4000, 5000}},
                    kLedgerGateMoney, 12, 9, 2007);
    for (int kind : {1, 2, 3, 6, 9}) {
        LedgerEventData sponsor{.scope = kind == 9 ? kScopeDay : kScopeMonth,
                                .direction = kind == 9 ? kExpense : kIncome,
                                .text = CStr::Formatted("Sponsor %d", kind),
                                .amount = 100 * kind,
                                .reference = kind + 40};
        ledger.AddEvent(sponsor, kind, 1, 9, 2007);
    }
    ledger.AddEvent(LoanEventData{.scope = kScopeDay, .direction = kIncome, .values = {3, 24, 75000}},
                    kLedgerLoan, 4, 9, 2007);
    ledger.AddEvent(
        FunShopEventData{.scope = kScopeDay, .direction = kExpense, .text = "Scarves", .amount = 640},
        kLedgerFunShop, 7, 9, 2007);
    WageEventData wage{.scope = kScopeMonth,
                       .direction = kExpense,
                       .group = 0,
                       .name = "Coach",
                       .amount = 6000,
                       .reference = 17};
    ledger.AddEvent(wage, kLedgerWages, 1, 9, 2007);
    for (int kind : {8, 10})
        ledger.AddEvent(
            StadiumUpkeepEventData{
                .scope = kScopeMonth, .direction = kExpense, .text = "Arena", .amount = 5000 + kind},
            kind, 1, 10, 2007);
    UpkeepItemEventData item{
        .group = 2, .scope = kScopeYear, .direction = kExpense, .text = "Roof", .amount = 900};
    ledger.AddEvent(item, kLedgerUpkeepItem, 1, 10, 2007);
    TrainingCampEventData camp{.scope = kScopeDay, .direction = kExpense, .amount = 12000, .extra = 38};
    ledger.AddEvent(camp, kLedgerTrainingCamp, 17, 9, 2007);
    ledger.BookMonthChange(GameDate{2007, 10, 1}, 480000, 75000);
    ledger.AddEvent(MiscEventData{.scope = kScopeDay, .direction = kIncome, .text = "Misc", .amount = 3},
                    kLedgerMisc, 2, 10, 2007);
    ledger.AddEvent(
        TransferEventData{.scope = kScopeDay, .direction = kExpense, .text = "J. Doe", .amount = 250000},
        kLedgerTransfer, 2, 10, 2007);
}

// Everything the reports and sums can see of a ledger, as one comparable text.
std::string Describe(const CEventList& ledger) {
    std::string text;
    auto add = [&](const std::vector<LedgerEntry>& entries) {
        for (const LedgerEntry& e : entries)
            text += CStr::Formatted("%d:%d:%d:%d|", e.kind, PayloadScope(*e.payload),
                                    PayloadDirection(*e.payload), PayloadAmount(*e.payload))
                        .Std();
        text += ";";
    };
    GameDate today{2007, 12, 1};
    for (int direction : {kIncome, kExpense}) {
        for (int month : {9, 10}) {
            for (int day = 1; day <= 31; ++day) {
                std::vector<LedgerEntry> entries;
                ledger.CollectDay(entries, 2007, month, day, direction);
                add(entries);
            }
            std::vector<LedgerEntry> entries;
            ledger.CollectMonth(entries, 2007, month, direction);
            add(entries);
            text += std::to_string(ledger.SumMonth(2007, month, direction, today)) + ";";
        }
        std::vector<LedgerEntry> entries;
        ledger.CollectYear(entries, 2007, direction);
        add(entries);
    }
    text += std::to_string(ledger.GetMonthEndBalance(2007, 9));
    return text;
}

} // namespace

TEST(LedgerRows, EveryKindSurvivesSaveAndReload) {
    CEventList ledger;
    BookASeasonStart(ledger);
    ASSERT_EQ(ledger.Size(), 16u);
    CMemoryDB career;
    ASSERT_TRUE(ledger.SaveToFinances(&career));
    ASSERT_EQ(career.finances.Size(), 16);

    // Through the file bytes, as a saved career would be read back.
    CMemoryDB reread;
    CStr error;
    ASSERT_TRUE(reread.finances.ReadBytes(career.finances.WriteBytes(), error));
    CEventList loaded;
    loaded.LoadFromFinances(&reread);
    ASSERT_EQ(loaded.Size(), ledger.Size());
    EXPECT_EQ(Describe(loaded), Describe(ledger));

    // Texts and the words the reports do not sum come back too.
    for (size_t i = 0; i < ledger.Size(); ++i) {
        CFinanceEntry before, after;
        ToFinanceRow(*ledger.At(i), before);
        ToFinanceRow(*loaded.At(i), after);
        EXPECT_EQ(before.kind, after.kind);
        EXPECT_EQ(before.day, after.day);
        EXPECT_STREQ(before.text.GetText(), after.text.GetText());
        for (int v = 0; v < 7; ++v)
            EXPECT_EQ(before.values[v], after.values[v]) << "kind " << before.kind << " value " << v + 1;
    }
    const auto& wage = std::get<WageEventData>(loaded.At(8)->Payload());
    EXPECT_STREQ(wage.name.GetText(), "Coach");
    EXPECT_EQ(wage.group, 0);
    EXPECT_EQ(wage.reference, 17);
    EXPECT_EQ(std::get<UpkeepItemEventData>(loaded.At(11)->Payload()).group, 2);
    EXPECT_EQ(std::get<TrainingCampEventData>(loaded.At(12)->Payload()).extra, 38);
}

TEST(LedgerRows, ReloadingReplacesInsteadOfDoubling) {
    CEventList ledger;
    BookASeasonStart(ledger);
    CMemoryDB career;
    ledger.SaveToFinances(&career);
    std::string expected = Describe(ledger);

    CEventList loaded;
    BookASeasonStart(loaded); // a previous career's bookings
    loaded.LoadFromFinances(&career);
    loaded.LoadFromFinances(&career);
    EXPECT_EQ(loaded.Size(), ledger.Size());
    EXPECT_EQ(Describe(loaded), expected);

    // Saving the reloaded ledger again writes the same rows.
    CMemoryDB again;
    loaded.SaveToFinances(&again);
    EXPECT_EQ(again.finances.WriteBytes(), career.finances.WriteBytes());

    // A career without finance rows loads an empty ledger; no database changes nothing.
    CMemoryDB empty;
    loaded.LoadFromFinances(nullptr);
    EXPECT_EQ(loaded.Size(), ledger.Size());
    loaded.LoadFromFinances(&empty);
    EXPECT_EQ(loaded.Size(), 0u);
    EXPECT_FALSE(ledger.SaveToFinances(nullptr));
}

TEST(LedgerRows, RowsOfUnknownKindsAreSkipped) {
    CMemoryDB career;
    for (int kind : {16, 5, -1, 200}) {
        auto* row = new CFinanceEntry();
        row->year = 2007;
        row->month = 9;
        row->day = 3;
        row->kind = kind;
        row->values[0] = kScopeDay;
        row->values[1] = kIncome;
        row->values[2] = 50;
        row->text = "Caps";
        career.finances.Append(row);
    }
    CEventList ledger;
    ledger.LoadFromFinances(&career);
    ASSERT_EQ(ledger.Size(), 1u);
    EXPECT_EQ(ledger.At(0)->Kind(), kLedgerFunShop);
    EXPECT_EQ(ledger.SumMonth(2007, 9, kIncome, GameDate{2007, 9, 3}), 50);
}
