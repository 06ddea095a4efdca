// The finances overview and loan desk on the shipped layout with a new league career: the month
// sums of a ledger fixture, the offer's instalment, the four-loan limit, cancelling, and loans kept
// with the career.
#include "screens/club/FinanceScreen.h"
#include "career/EventList.h"
#include "database/Careers.h"
#include "engine/GameFolder.h"
#include "gui/Element.h"
#include "gui/Window.h"
#include "guidefines.h"
#include "screens/FormatMoney.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

namespace {

CGuiElement* Find(ScreenKit& kit, int id) {
    return kit.stack.FindElement(id);
}

class FinanceScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Tester"));
        kit.session.ledger->Clear();
        screen = std::make_unique<CFinanceScreen>(ctx);
    }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }
    CStr Cell(int grid, int column, int row) {
        GuiGridCell* cell = Find(grid)->FindCell(column, row);
        return cell ? cell->text : CStr("<none>");
    }
    void Send(int source, int kind) {
        GuiMessage m = Message(source, kind);
        screen->OnMessage(m);
        EXPECT_EQ(m.sID, -1);
    }
    // Chooses an offer as the player does: an entry of each combo, then the selection message.
    void ChooseOffer(int amountIndex, int termIndex) {
        Find(ID_FIN_AMOUNT)->SetSelection(amountIndex);
        Find(ID_FIN_TERM)->SetSelection(termIndex);
        Send(ID_FIN_AMOUNT, kMsgSelection);
    }
    bool Enabled(int id) { return Find(id)->Desc().enabled != 0; }
    CEventList& Ledger() { return *kit.session.ledger; }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    std::unique_ptr<CFinanceScreen> screen;
};

WageEventData Wage(int group, int amount) {
    WageEventData wage;
    wage.scope = kScopeMonth;
    wage.direction = kExpense;
    wage.group = group;
    wage.name = "Someone";
    wage.amount = amount;
    return wage;
}

} // namespace

TEST(LoanOffer, TheInstalmentIsAmountOverTermTimesOnePointOneFiveTruncated) {
    EXPECT_EQ(LoanInstalment(12000000, 12), 1150000);
    EXPECT_EQ(LoanInstalment(10000000, 36), 319444);
    EXPECT_EQ(LoanInstalment(1000000, 96), 11979);
    EXPECT_EQ(LoanInstalment(5000000, 0), 0);
}

TEST_F(FinanceScreenTest, ALedgerFixtureGivesTheSummaryOfAPastAndTheRunningMonth) {
    // August: wages of players and staff, the stadium, an itemised cost and income, a home match,
    // two upgrades, a loan paid out and an instalment; 31 August closes at 5,000,000.
    Ledger().AddEvent(Wage(8, 1000), kLedgerWages, 1, 8, 2007);
    Ledger().AddEvent(Wage(0, 500), kLedgerWages, 1, 8, 2007);
    StadiumUpkeepEventData upkeep{kScopeMonth, kExpense, "Upkeep", 300, 0};
    Ledger().AddEvent(upkeep, kLedgerStadiumUpkeep, 1, 8, 2007);
    UpkeepItemEventData cost{0, kScopeMonth, kExpense, "Floor", 200, 0};
    Ledger().AddEvent(cost, kLedgerUpkeepItem, 1, 8, 2007);
    UpkeepItemEventData sales{0, kScopeDay, kIncome, "Sales", 50, 0};
    Ledger().AddEvent(sales, kLedgerUpkeepItem, 20, 8, 2007);
    TicketIncomeEventData gate{kScopeDay, kIncome, {100, 200, 300, 400, 500}, 0};
    Ledger().AddEvent(gate, kLedgerGateMoney, 20, 8, 2007);
    LedgerEventData upgrade{kScopeDay, kExpense, "Roof", 700, -1, 0};
    Ledger().AddEvent(upgrade, kLedgerStadiumUpgrade, 3, 8, 2007);
    Ledger().AddEvent(upgrade, kLedgerStadiumUpgrade, 31, 8, 2007);
    LoanEventData payout{kScopeDay, kIncome, {0, 12, 12000000}, 0};
    Ledger().AddEvent(payout, kLedgerLoan, 2, 8, 2007);
    LoanEventData instalment{kScopeMonth, kExpense, {0, 12, 1150000}, 0};
    Ledger().AddEvent(instalment, kLedgerLoan, 30, 8, 2007);
    ASSERT_TRUE(Ledger().BookMonthChange(GameDate{2007, 9, 1}, 5000000, 0));
    // September: one gate today and one dated after today, which must not count yet.
    Ledger().AddEvent(gate, kLedgerGateMoney, 5, 9, 2007);
    Ledger().AddEvent(gate, kLedgerGateMoney, 20, 9, 2007);
    kit.session.currentDate = GameDate{2007, 9, 10};

    const MonthSummary august = screen->BuildMonthSummary(2007, 8);
    EXPECT_EQ(august[MonthSummary::kMisc], 0);
    EXPECT_EQ(august[MonthSummary::kGate], 1500);
    EXPECT_EQ(august[MonthSummary::kItemIncome], 50);
    EXPECT_EQ(august[MonthSummary::kPlayerWages], -1000);
    EXPECT_EQ(august[MonthSummary::kStaffWages], -500);
    EXPECT_EQ(august[MonthSummary::kUpgrade], -1400) << "both upgrades of the month";
    EXPECT_EQ(august[MonthSummary::kUpkeep], -500) << "upkeep plus the itemised cost";
    EXPECT_EQ(august[MonthSummary::kLoansNet], 12000000 - 1150000);
    EXPECT_EQ(august[MonthSummary::kLoanWord], 0);
    EXPECT_EQ(august[MonthSummary::kBroughtForward], 0) << "the career's first month";
    const MonthSummary september = screen->BuildMonthSummary(2007, 9);
    EXPECT_EQ(september[MonthSummary::kGate], 1500) << "only the days up to today";
    EXPECT_EQ(september[MonthSummary::kBroughtForward], 5000000);

    // The upper grid on August (chosen through the month list), the lower on the running month.
    screen->Refresh(true);
    CGuiElement* months = Find(ID_FIN_MONTH);
    ASSERT_EQ(months->GetItemCount(), 2) << "August and September of the season's first year";
    months->SetSelection(0);
    Send(ID_FIN_MONTH, kMsgSelection);
    EXPECT_EQ(screen->SelectedMonth(), 8);
    EXPECT_EQ(Find(ID_FIN_SELECTED)->GetRowCount(), 21);
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 1, 0).GetText(), "-");
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 2, 0).GetText(), "-");
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 1, 3).GetText(), "$ 1,500");
    EXPECT_EQ(Find(ID_FIN_SELECTED)->FindCell(1, 3)->colour, finance::kGreen);
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 1, 8).GetText(), "$ 10,850,000");
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 2, 9).GetText(), "$ 1,000") << "an expense without its sign";
    EXPECT_EQ(Find(ID_FIN_SELECTED)->FindCell(2, 9)->colour, finance::kRed);
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 2, 11).GetText(), "$ 1,400");
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 1, 15).GetText(), "-");
    const int income = 1500 + 50 + 10850000;
    const int expense = 1000 + 500 + 1400 + 500;
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 1, 16).GetText(), FormatMoney(income).GetText());
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 2, 16).GetText(), FormatMoney(-expense).GetText());
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 1, 17).GetText(), FormatMoney(income - expense).GetText());
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 1, 18).GetText(), "$ 0");
    EXPECT_STREQ(Cell(ID_FIN_SELECTED, 1, 19).GetText(), FormatMoney(income - expense).GetText());
    // The running month: only income, so no expense cell is coloured and the net is the income.
    EXPECT_STREQ(Cell(ID_FIN_RUNNING, 1, 3).GetText(), "$ 1,500");
    EXPECT_STREQ(Cell(ID_FIN_RUNNING, 2, 16).GetText(), "$ 0");
    EXPECT_EQ(Find(ID_FIN_RUNNING)->FindCell(2, 16)->colour, finance::kWhite);
    EXPECT_STREQ(Cell(ID_FIN_RUNNING, 1, 17).GetText(), "$ 1,500");
    EXPECT_STREQ(Cell(ID_FIN_RUNNING, 1, 18).GetText(), "$ 5,000,000");
    EXPECT_STREQ(Cell(ID_FIN_RUNNING, 1, 19).GetText(), "$ 5,001,500");
    EXPECT_EQ(Find(ID_FIN_RUNNING)->FindCell(1, 19)->colour, finance::kGreen);
    EXPECT_NE(static_cast<CGuiWindow*>(Find(CFinanceScreen::kWindow))->GetCaption().Find("10.09.2007"), -1)
        << "the title names today";
}

TEST_F(FinanceScreenTest, TheYearAndMonthListsRunFromTheSeasonStartToToday) {
    kit.session.currentDate = GameDate{2008, 3, 4};
    screen->Refresh(true);
    CGuiElement* years = Find(ID_FIN_YEAR);
    ASSERT_EQ(years->GetItemCount(), 2);
    EXPECT_EQ(years->GetSelectedIndex(), 1);
    EXPECT_EQ(Find(ID_FIN_MONTH)->GetItemCount(), 3) << "January to March of the running year";
    years->SetSelection(0);
    Send(ID_FIN_YEAR, kMsgSelection);
    CGuiElement* months = Find(ID_FIN_MONTH);
    ASSERT_EQ(months->GetItemCount(), 5) << "August to December of the first year";
    EXPECT_EQ(months->GetItemData(0), 8);
    EXPECT_EQ(screen->SelectedYear(), 2007);
    EXPECT_EQ(screen->SelectedMonth(), 12) << "the last month offered";
}

TEST_F(FinanceScreenTest, AtMostFourLoansAndNoneOfNothing) {
    screen->Refresh(true);
    ChooseOffer(11, 0);
    EXPECT_EQ(screen->OfferAmount(), 12000000);
    EXPECT_EQ(screen->OfferTerm(), 12);
    EXPECT_EQ(screen->OfferInstalment(), 1150000);
    // The instalment stands on the last of four rows, under the labels of what it is made of.
    EXPECT_EQ(Find(ID_FIN_INSTALMENT)->GetRowCount(), 4);
    EXPECT_STREQ(Cell(ID_FIN_INSTALMENT, 1, 3).GetText(), "$ 1,150,000");
    EXPECT_STREQ(Cell(ID_FIN_INSTALMENT, 1, 1).GetText(), "");
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(Enabled(ID_FIN_TAKELOAN));
        Send(ID_FIN_TAKELOAN, kMsgClick);
    }
    EXPECT_EQ(screen->LoanCount(), 4);
    EXPECT_FALSE(Enabled(ID_FIN_TAKELOAN)) << "the desk closes at four";
    EXPECT_FALSE(screen->TakeLoan());
    EXPECT_EQ(kit.session.careerDB->loans.Size(), 4);
    EXPECT_EQ(Find(ID_FIN_LOANLIST)->GetRowCount(), 4);
    EXPECT_STREQ(Cell(ID_FIN_LOANLIST, 0, 3).GetText(), "$ 12,000,000");
    const CLoan* loan = kit.session.careerDB->loans.At(3);
    EXPECT_EQ(loan->instalment, 1150000);
    EXPECT_EQ(loan->months, 12);
    EXPECT_EQ(loan->paid, 0);
    EXPECT_EQ(loan->day, 1);
    EXPECT_EQ(loan->month, 8);
    EXPECT_EQ(Ledger().Size(), 0u) << "taking a loan moves no money";

    // An offer of no amount or no term takes no slot.
    while (screen->LoanCount() > 0)
        kit.session.careerDB->loans.EraseAt(0);
    ChooseOffer(-1, 0);
    EXPECT_EQ(screen->OfferAmount(), 0);
    EXPECT_STREQ(Cell(ID_FIN_OFFER, 1, 0).GetText(), "");
    EXPECT_FALSE(screen->TakeLoan());
    ChooseOffer(0, -1);
    EXPECT_STREQ(Cell(ID_FIN_OFFER, 1, 2).GetText(), "");
    EXPECT_FALSE(screen->TakeLoan());
    EXPECT_EQ(screen->LoanCount(), 0);
}

TEST_F(FinanceScreenTest, OnlyTodaysLastLoanCanBeCancelled) {
    screen->Refresh(true);
    EXPECT_FALSE(Enabled(ID_FIN_CANCELLOAN));
    ChooseOffer(0, 0);
    ASSERT_TRUE(screen->TakeLoan());
    kit.session.currentDate = GameDate{2007, 8, 2};
    screen->Refresh(true);
    EXPECT_FALSE(Enabled(ID_FIN_CANCELLOAN)) << "yesterday's loan stays";
    EXPECT_FALSE(screen->CancelLoan());
    ChooseOffer(4, 1);
    ASSERT_TRUE(screen->TakeLoan());
    ASSERT_TRUE(screen->TakeLoan());
    EXPECT_TRUE(Enabled(ID_FIN_CANCELLOAN));
    Send(ID_FIN_CANCELLOAN, kMsgClick);
    EXPECT_EQ(screen->LoanCount(), 2);
    EXPECT_TRUE(screen->CancelLoan()) << "the other loan of today is now the last";
    EXPECT_EQ(screen->LoanCount(), 1);
    EXPECT_FALSE(screen->CancelLoan());
    EXPECT_EQ(kit.session.careerDB->loans.At(0)->amount, 1000000);
    EXPECT_FALSE(Enabled(ID_FIN_CANCELLOAN));
}

// Loans are the career's: kept by a save and a reload, gone for a new career.
class FinanceSaveTest : public GameFolderTest {};

TEST_F(FinanceSaveTest, ASavedCareerKeepsItsLoansAndANewCareerHasNone) {
    int32_t profileId = -1;
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    {
        ScreenKit kit;
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.session.StartNewCareer(kDataSetLeague, world.teams.At(2)->id, CStr("Lender")));
        CScreenContext ctx = kit.MakeContext();
        CFinanceScreen screen(ctx);
        screen.Refresh(true);
        Find(kit, ID_FIN_AMOUNT)->SetSelection(2);
        Find(kit, ID_FIN_TERM)->SetSelection(3);
        GuiMessage m = Message(ID_FIN_TERM, kMsgSelection);
        screen.OnMessage(m);
        ASSERT_TRUE(screen.TakeLoan());
        ASSERT_TRUE(kit.session.SaveCurrentCareer());
        profileId = kit.session.careerDB->profiles.At(0)->id;

        // A new career in the same session starts without the other career's loans.
        ASSERT_TRUE(kit.session.StartNewCareer(kDataSetLeague, world.teams.At(3)->id, CStr("Fresh")));
        screen.Refresh(true);
        EXPECT_EQ(screen.LoanCount(), 0);
        EXPECT_EQ(Find(kit, ID_FIN_LOANLIST)->GetRowCount(), 0);
        EXPECT_NE(Find(kit, ID_FIN_TAKELOAN)->Desc().enabled, 0);
    }
    ScreenKit kit;
    ASSERT_TRUE(kit.session.LoadSavedCareer(profileId));
    CScreenContext ctx = kit.MakeContext();
    CFinanceScreen screen(ctx);
    screen.Refresh(true);
    ASSERT_EQ(screen.LoanCount(), 1);
    const CLoan* loan = kit.session.careerDB->loans.At(0);
    EXPECT_EQ(loan->amount, 3000000);
    EXPECT_EQ(loan->months, 48);
    EXPECT_EQ(loan->instalment, LoanInstalment(3000000, 48));
    EXPECT_EQ(Find(kit, ID_FIN_LOANLIST)->GetRowCount(), 1);
}
