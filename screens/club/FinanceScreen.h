// CFinanceScreen: the club's money by month (a chosen month beside the running one, each summed by
// kind with the balance brought forward and the resulting balance) and the loan desk. Loans taken
// here are the career's records; the daily money step pays them out and repays them.
#pragma once

#include "database/GameDate.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"
#include "screens/club/FinanceViews.h"

#include <array>
#include <cstdint>

class CGuiElement;
class CEventList;
struct CLoan;

// One month's money by kind. Income counts positive, expense negative; see the field names.
struct MonthSummary {
    enum Field {
        kYear,
        kMonth,
        kMisc,           // kind 14
        kSponsor1,       // kind 1
        kFunShop,        // kind 5, net
        kGate,           // kind 0, net
        kSponsor2,       // kind 2
        kSponsor3,       // kind 3
        kItemIncome,     // kind 11 income
        kTransferIn,     // kind 15 income
        kPlayerWages,    // kind 7, group 8
        kStaffWages,     // kind 7, other groups
        kUpgrade,        // kind 9
        kUpkeep,         // kind 10 and kind 11 expense
        kCamps,          // kind 12
        kTransferOut,    // kind 15 expense
        kLoanWord,       // kind 4 expense, its first value (always 0 as booked)
        kLoansNet,       // kind 4: pay-outs less instalments
        kBroughtForward, // money at the end of the month before
        kCount
    };
    std::array<int32_t, kCount> field{};
    int32_t operator[](Field f) const { return field[f]; }
};

// The offer's monthly instalment: amount / term x 1.15, truncated; 0 for a term of 0.
int32_t LoanInstalment(int32_t amount, int32_t term);

class CFinanceScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_FINANCES;
    static constexpr int kMaxLoans = 4;
    static constexpr int kRate = 15;
    static constexpr int kSummaryRows = 21;

    explicit CFinanceScreen(const CScreenContext& ctx);

    void Refresh() override { Refresh(true); }
    void Refresh(bool refillSelectors);
    void OnMessage(GuiMessage& m) override;

    MonthSummary BuildMonthSummary(int year, int month) const;
    void SumMonthIncome(MonthSummary& summary, int year, int month) const;
    void SumMonthExpenses(MonthSummary& summary, int year, int month) const;

    // False (nothing taken) at four loans, without a career, or for an offer of no money or no term.
    bool TakeLoan();
    // Only the last loan, and only on the day it was taken, before it is paid out.
    bool CancelLoan();
    int LoanCount() const;

    int SelectedYear() const { return m_selectedYear; }
    int SelectedMonth() const { return m_selectedMonth; }
    int32_t OfferAmount() const { return m_loanAmount; }
    int32_t OfferTerm() const { return m_loanTerm; }
    int32_t OfferInstalment() const { return m_loanInstalment; }

private:
    GameDate Today() const;
    const CEventList* Ledger() const;
    void SumMonth(MonthSummary& summary, int year, int month, int direction) const;
    void ReadOffer();
    void FillLoanSelectors();
    void FillSummaryGrid(int gridId, int year, int month);
    void FillOfferGrids();
    void FillLoanList();
    void UpdateLoanButtons();
    void ShowTitleAndCaptions();
    void RefillAll();

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CStr m_clubName = "Your club";
    CStr m_dateText = "01-08-2007";
    CStr m_staffName;
    int m_selectedYear = 2007;
    int m_selectedMonth = 8;
    int32_t m_incomeTotal = 0;
    int32_t m_expenseTotal = 0;
    int m_currentYear = 2007;
    int m_currentMonth = 8;
    int32_t m_loanTerm = 0;
    int32_t m_loanAmount = 0;
    int32_t m_loanRate = 0;
    int32_t m_loanInstalment = 0;
};
