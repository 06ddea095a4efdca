// CExpenseReportScreen: every expense of a month item by item, grouped by purpose, with the month's
// total: for the running month and for a month chosen with year and month filters.
#pragma once

#include "guidefines.h"
#include "screens/ScreenContext.h"
#include "screens/club/FinanceViews.h"

#include <cstdint>
#include <vector>

class CGuiElement;

// One expense item; groups: 0 player wages, 1 staff salaries, 2 stadium, 3 loan instalments,
// 4 training camps, 5 transfers.
struct ExpenseRow {
    CStr text;
    int32_t amount = 0;
    int32_t group = 0;
};

// Orders rows by group with the report's own quicksort; the order within a group is the one it
// leaves (not stable), which the report keeps.
void SortExpenseRows(std::vector<ExpenseRow>& rows);

class CExpenseReportScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_EXPENSES;

    explicit CExpenseReportScreen(const CScreenContext& ctx);

    void Refresh() override;
    void OnMessage(GuiMessage& m) override;

    // The month's expense items, sorted by group; empty without a ledger.
    std::vector<ExpenseRow> CollectMonthExpenses(int year, int month) const;
    void FillGrids();

    int SelectedYear() const { return m_selectedYear; }
    int SelectedMonth() const { return m_selectedMonth; }

private:
    void FillGrid(int gridId, int year, int month);

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CStr m_clubName = "Your club";
    CStr m_dateText = "01-08-2007";
    CStr m_staffName;
    int m_selectedYear = 2007;
    int m_selectedMonth = 8;
    int m_currentYear = 2007;
    int m_currentMonth = 8;
};
