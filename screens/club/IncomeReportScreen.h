// CIncomeReportScreen: the club's income by source for one day, one month and one year, for today
// and for a date chosen with year, month and day filters.
#pragma once

#include "database/GameDate.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"
#include "screens/club/FinanceViews.h"

#include <array>
#include <cstdint>

class CGuiElement;

// Rows 0-8: other income, sponsor 1, fun shop, gate money, sponsors 2 and 3, itemised income,
// transfers, loans paid out; row 9 their total.
struct IncomeSums {
    static constexpr int kRows = 9;
    std::array<int32_t, kRows + 1> row{};
    int32_t Total() const { return row[kRows]; }
};

class CIncomeReportScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_INCOME;

    explicit CIncomeReportScreen(const CScreenContext& ctx);

    void Refresh() override;
    void OnMessage(GuiMessage& m) override;

    // A day when day and month are 1 or more, a month when only the month is, else the year.
    IncomeSums SumIncome(int year, int month, int day) const;

    GameDate Selected() const { return {m_selectedYear, m_selectedMonth, m_selectedDay}; }

private:
    GameDate Today() const;
    void FillGrid(int gridId, const IncomeSums& sums, const CStr& header);
    void FillDayFilter();
    void FillSelectedGrids();
    void ShowSelectedWeekday();

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CStr m_clubName;
    CStr m_dateText;
    int m_selectedYear = 2007;
    int m_selectedMonth = 8;
    int m_selectedDay = 1;
};
