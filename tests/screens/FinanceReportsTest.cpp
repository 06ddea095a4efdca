// The income and expense reports over money booked by the real daily steps: a loan's pay-out,
// the gate money of a home match, the 1st's wages and a loan instalment each land in their rows;
// the expense report's groups and captions, and the income report's day filter.
#include "career/MoneySteps.h"
#include "database/Careers.h"
#include "engine/GameRand.h"
#include "gui/Element.h"
#include "gui/Window.h"
#include "guidefines.h"
#include "screens/FormatMoney.h"
#include "screens/club/ExpenseReportScreen.h"
#include "screens/club/FinanceScreen.h"
#include "screens/club/IncomeReportScreen.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

namespace {

class FinanceReportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Tester"));
        kit.session.ledger->Clear();
        finances = std::make_unique<CFinanceScreen>(ctx);
        income = std::make_unique<CIncomeReportScreen>(ctx);
        expenses = std::make_unique<CExpenseReportScreen>(ctx);
    }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }
    CStr Cell(int grid, int column, int row) {
        GuiGridCell* cell = Find(grid)->FindCell(column, row);
        return cell ? cell->text : CStr("<none>");
    }
    CareerDay Day(GameDate date) {
        kit.session.currentDate = date;
        CareerDay day;
        day.world = kit.session.worldDB;
        day.career = kit.session.careerDB;
        day.ledger = kit.session.ledger;
        day.today = date;
        return day;
    }
    // A loan of 12,000,000 over 12 months taken on 1 August, paid out on the 2nd; a home match on
    // 20 August; the 1st of September's wages; the first instalment on 2 September.
    void PlayAugust() {
        GameSrand(3);
        CTeam* club = kit.session.UserClub();
        ASSERT_NE(club->stadium, nullptr);
        club->fanBase = 20000;
        club->attendance = 5000; // four fans for every one in the hall
        finances->Refresh(true);
        Find(ID_FIN_AMOUNT)->SetSelection(11);
        GuiMessage m;
        m.sID = ID_FIN_AMOUNT;
        m.MSG = kMsgSelection;
        finances->OnMessage(m);
        ASSERT_TRUE(finances->TakeLoan());
        BookLoans(Day(GameDate{2007, 8, 2}));
        BookHomeMatchIncome(Day(GameDate{2007, 8, 20}));
        BookMonthlyCosts(Day(GameDate{2007, 9, 1}));
        BookLoans(Day(GameDate{2007, 9, 1}));
        BookLoans(Day(GameDate{2007, 9, 2}));
    }
    int GateOf(int day) {
        int sum = 0;
        for (size_t i = 0; i < kit.session.ledger->Size(); ++i) {
            const CCalendarEvent* event = kit.session.ledger->At(i);
            if (event->Kind() == kLedgerGateMoney && event->Day() == day)
                sum += PayloadAmount(event->Payload());
        }
        return sum;
    }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    std::unique_ptr<CFinanceScreen> finances;
    std::unique_ptr<CIncomeReportScreen> income;
    std::unique_ptr<CExpenseReportScreen> expenses;
};

} // namespace

TEST_F(FinanceReportsTest, ALoanGateMoneyAndWagesLandInTheirRows) {
    PlayAugust();
    const int gate = GateOf(20);
    ASSERT_GT(gate, 0) << "the home match sold tickets";

    // Income: the pay-out on the day the loan was taken, in its month and its year; never the
    // instalment.
    EXPECT_EQ(income->SumIncome(2007, 8, 1).row[8], 12000000);
    EXPECT_EQ(income->SumIncome(2007, 8, 2).row[8], 0);
    EXPECT_EQ(income->SumIncome(2007, 8, 20).row[3], gate);
    const IncomeSums august = income->SumIncome(2007, 8, 0);
    EXPECT_EQ(august.row[8], 12000000);
    EXPECT_EQ(august.row[3], gate);
    const IncomeSums year = income->SumIncome(2007, 0, 0);
    EXPECT_EQ(year.row[8], 12000000);
    EXPECT_EQ(year.row[3], gate);
    EXPECT_EQ(income->SumIncome(2007, 9, 0).row[8], 0) << "an instalment is no income";
    int total = 0;
    for (int row = 0; row < IncomeSums::kRows; ++row)
        total += august.row[static_cast<size_t>(row)];
    EXPECT_EQ(august.Total(), total);

    // The overview's running month: the wages and the instalment; August: the pay-out.
    const MonthSummary september = finances->BuildMonthSummary(2007, 9);
    EXPECT_LT(september[MonthSummary::kPlayerWages], 0);
    EXPECT_EQ(september[MonthSummary::kLoansNet], -1150000);
    EXPECT_EQ(finances->BuildMonthSummary(2007, 8)[MonthSummary::kLoansNet], 12000000);
    EXPECT_EQ(finances->BuildMonthSummary(2007, 8)[MonthSummary::kGate], gate);

    // Expenses of September: player wages first, the instalment under its own caption.
    const std::vector<ExpenseRow> rows = expenses->CollectMonthExpenses(2007, 9);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().group, 0);
    int wages = 0;
    int loans = 0;
    for (size_t k = 0; k < rows.size(); ++k) {
        if (k > 0) {
            EXPECT_LE(rows[k - 1].group, rows[k].group);
        }
        if (rows[k].group == 0)
            wages += rows[k].amount;
        if (rows[k].group == 3)
            loans += rows[k].amount;
    }
    EXPECT_EQ(-wages, september[MonthSummary::kPlayerWages]);
    EXPECT_EQ(loans, 1150000) << "the instalment shows in its own group";

    expenses->Refresh();
    CGuiElement* grid = Find(ID_EXP_RUNNING);
    EXPECT_STREQ(Cell(ID_EXP_RUNNING, 0, 0).GetText(), ctx.Text(100094).GetText());
    bool captionFound = false;
    for (int r = 0; r + 1 < grid->GetRowCount(); ++r)
        if (Cell(ID_EXP_RUNNING, 0, r) == ctx.Text(100097)) {
            captionFound = true;
            EXPECT_STREQ(Cell(ID_EXP_RUNNING, 1, r + 1).GetText(), "$ 1,150,000");
        }
    EXPECT_TRUE(captionFound);
    const int last = grid->GetRowCount() - 1;
    EXPECT_STREQ(Cell(ID_EXP_RUNNING, 0, last).GetText(), ctx.Text(80108).GetText());
    int64_t sum = 0;
    for (const ExpenseRow& row : rows)
        sum += row.amount;
    EXPECT_STREQ(Cell(ID_EXP_RUNNING, 1, last).GetText(), FormatMoney(static_cast<int>(sum)).GetText());
}

TEST(ExpenseRows, SortByGroupAndSkipZeroItemsWithTheirCaption) {
    std::vector<ExpenseRow> rows = {{"Transfer", 10, 5}, {"Player A", 3, 0}, {"Stand", 4, 2},
                                    {"Coach", 2, 1},     {"Player B", 5, 0}, {"Camp", 0, 4}};
    SortExpenseRows(rows);
    std::vector<int> groups;
    for (const ExpenseRow& row : rows)
        groups.push_back(row.group);
    EXPECT_EQ(groups, (std::vector<int>{0, 0, 1, 2, 4, 5}));
    std::vector<ExpenseRow> none;
    SortExpenseRows(none);
    EXPECT_TRUE(none.empty());
}

TEST_F(FinanceReportsTest, AZeroItemShowsNeitherItselfNorItsCaption) {
    TrainingCampEventData camp{kScopeMonth, kExpense, 0, -1, 0};
    kit.session.ledger->AddEvent(camp, kLedgerTrainingCamp, 3, 8, 2007);
    TransferEventData transfer{kScopeDay, kExpense, "A. Guard", 250000};
    kit.session.ledger->AddEvent(transfer, kLedgerTransfer, 1, 8, 2007);
    FunShopEventData shop{kScopeDay, kExpense, "Caps", 999, 0};
    kit.session.ledger->AddEvent(shop, kLedgerFunShop, 1, 8, 2007);
    expenses->Refresh();
    CGuiElement* grid = Find(ID_EXP_RUNNING);
    ASSERT_EQ(grid->GetRowCount(), 3) << "the transfer's caption, the transfer, the total";
    EXPECT_STREQ(Cell(ID_EXP_RUNNING, 0, 0).GetText(), ctx.Text(80106).GetText());
    EXPECT_STREQ(Cell(ID_EXP_RUNNING, 0, 1).GetText(), "A. Guard");
    EXPECT_STREQ(Cell(ID_EXP_RUNNING, 1, 2).GetText(), "$ 250,000") << "fun-shop buys are not listed";
}

TEST_F(FinanceReportsTest, TheDayFilterOffersAPastMonthWholeAndTheRunningOneToToday) {
    kit.session.currentDate = GameDate{2007, 9, 12};
    income->Refresh();
    CGuiElement* days = Find(ID_INC_DAYFILTER);
    EXPECT_EQ(days->GetItemCount(), 12);
    EXPECT_EQ(income->Selected().day, 12);
    CGuiElement* months = Find(ID_INC_MONTHFILTER);
    months->SetSelection(0);
    GuiMessage m;
    m.sID = ID_INC_MONTHFILTER;
    m.MSG = kMsgSelection;
    income->OnMessage(m);
    EXPECT_EQ(m.sID, -1);
    EXPECT_EQ(income->Selected().month, 8);
    EXPECT_EQ(days->GetItemCount(), 31);
    EXPECT_EQ(income->Selected().day, 31);
    EXPECT_NE(static_cast<CGuiWindow*>(Find(CIncomeReportScreen::kWindow))->GetCaption().Find("12.09.2007"),
              -1);
    EXPECT_STREQ(Cell(ID_INC_CHOSEN_DAY, 1, 9).GetText(), "-") << "no income shows a dash";
}
