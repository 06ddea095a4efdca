// The finances overview and the loan desk.
#include "screens/club/FinanceScreen.h"

#include "career/CareerSession.h"
#include "database/MemoryDB.h"
#include "engine/TextRun.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/FormatMoney.h"

#include <cstdlib>
#include <variant>

using namespace finance;

namespace {

constexpr int kTextTitle = 80090;
constexpr int kTextMonths = 80117;
constexpr int kTextAmount = 80114;
constexpr int kTextRate = 80115;
constexpr int kTextTerm = 80116;
constexpr int kTextInstalment = 80118;
constexpr int kTextTakeLoan = 100091;
constexpr int kTextCancelLoan = 100092;
// The summary's row captions: eight incomes, then (after the loans) seven expenses and the four
// result rows.
constexpr TextRun kIncomeRowTexts{80091, 8};
constexpr TextRun kExpenseRowTexts{80101, 11};

// Which field each summary row shows (rows 0-15).
constexpr MonthSummary::Field kRowFields[16] = {
    MonthSummary::kMisc,        MonthSummary::kSponsor1,   MonthSummary::kFunShop,
    MonthSummary::kGate,        MonthSummary::kSponsor2,   MonthSummary::kSponsor3,
    MonthSummary::kItemIncome,  MonthSummary::kTransferIn, MonthSummary::kLoansNet,
    MonthSummary::kPlayerWages, MonthSummary::kStaffWages, MonthSummary::kUpgrade,
    MonthSummary::kUpkeep,      MonthSummary::kCamps,      MonthSummary::kTransferOut,
    MonthSummary::kLoanWord,
};

int RowLabel(int row) {
    if (row < 8)
        return kIncomeRowTexts.At(row);
    if (row == 8)
        return kTextLoans;
    return kExpenseRowTexts.At(row - 9);
}

// Colour of a total: green above 0, red below, the column's own at 0.
uint32_t SignColour(int64_t value, uint32_t zeroColour) {
    return value > 0 ? kGreen : value < 0 ? kRed : zeroColour;
}

int32_t Clamp32(int64_t value) {
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

} // namespace

int32_t LoanInstalment(int32_t amount, int32_t term) {
    if (term == 0)
        return 0;
    return static_cast<int32_t>(static_cast<double>(amount) / term * 1.15);
}

CFinanceScreen::CFinanceScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {
    const GameDate today = Today();
    m_selectedYear = m_currentYear = today.year;
    m_selectedMonth = m_currentMonth = today.month;
    if (!m_root)
        return;
    const SeasonStart season = SeasonOf(m_ctx.Session());
    FillYearList(m_ctx.Find(ID_FIN_YEAR), season, m_currentYear);
    FillMonthList(m_ctx, m_ctx.Find(ID_FIN_MONTH), m_currentYear, season, today);
    FillLoanSelectors();
    ReadOffer();
    UpdateLoanButtons();
}

GameDate CFinanceScreen::Today() const {
    return m_ctx.Session().currentDate;
}

const CEventList* CFinanceScreen::Ledger() const {
    return m_ctx.Session().ledger;
}

// ---- the month's sums ---------------------------------------------------------------------------

void CFinanceScreen::SumMonth(MonthSummary& summary, int year, int month, int direction) const {
    const CEventList* ledger = Ledger();
    if (!ledger)
        return;
    summary.field[MonthSummary::kYear] = year;
    summary.field[MonthSummary::kMonth] = month;
    const bool income = direction == kIncome;
    const int64_t sign = income ? 1 : -1;
    std::array<int64_t, MonthSummary::kCount> sums{};
    for (const LedgerEntry& entry : CollectMonthLevelFirst(*ledger, year, month, direction, Today())) {
        if (!entry.payload)
            continue;
        const int64_t amount = PayloadAmount(*entry.payload);
        switch (entry.kind) {
        case kLedgerMisc:
            sums[MonthSummary::kMisc] += sign * amount;
            break;
        case kLedgerSponsor1:
            if (income)
                sums[MonthSummary::kSponsor1] += amount;
            break;
        case kLedgerFunShop:
            sums[MonthSummary::kFunShop] += sign * amount;
            break;
        case kLedgerGateMoney:
            sums[MonthSummary::kGate] += sign * amount;
            break;
        case kLedgerSponsor2:
            if (income)
                sums[MonthSummary::kSponsor2] += amount;
            break;
        case kLedgerSponsor3:
            if (income)
                sums[MonthSummary::kSponsor3] += amount;
            break;
        case kLedgerUpkeepItem:
            sums[income ? MonthSummary::kItemIncome : MonthSummary::kUpkeep] += sign * amount;
            break;
        case kLedgerTransfer:
            sums[income ? MonthSummary::kTransferIn : MonthSummary::kTransferOut] += sign * amount;
            break;
        case kLedgerWages:
            if (!income) {
                const auto* wage = std::get_if<WageEventData>(entry.payload);
                const bool players = wage && wage->group == 8;
                sums[players ? MonthSummary::kPlayerWages : MonthSummary::kStaffWages] -= amount;
            }
            break;
        case kLedgerStadiumUpgrade:
            if (!income)
                sums[MonthSummary::kUpgrade] -= amount;
            break;
        case kLedgerStadiumUpkeep:
            if (!income)
                sums[MonthSummary::kUpkeep] -= amount;
            break;
        case kLedgerTrainingCamp:
            if (!income)
                sums[MonthSummary::kCamps] -= amount;
            break;
        case kLedgerLoan:
            if (!income)
                if (const auto* loan = std::get_if<LoanEventData>(entry.payload))
                    sums[MonthSummary::kLoanWord] -= loan->values[0];
            sums[MonthSummary::kLoansNet] += sign * amount;
            break;
        default: // kinds 6, 8 and 13 are collected but never summed
            break;
        }
    }
    for (int f = MonthSummary::kMisc; f < MonthSummary::kBroughtForward; ++f)
        summary.field[f] = Clamp32(summary.field[f] + sums[f]);
}

void CFinanceScreen::SumMonthIncome(MonthSummary& summary, int year, int month) const {
    SumMonth(summary, year, month, kIncome);
}

void CFinanceScreen::SumMonthExpenses(MonthSummary& summary, int year, int month) const {
    SumMonth(summary, year, month, kExpense);
}

MonthSummary CFinanceScreen::BuildMonthSummary(int year, int month) const {
    MonthSummary summary;
    SumMonthExpenses(summary, year, month);
    SumMonthIncome(summary, year, month);
    const int previousYear = month == 1 ? year - 1 : year;
    const int previousMonth = month == 1 ? 12 : month - 1;
    if (const CEventList* ledger = Ledger())
        summary.field[MonthSummary::kBroughtForward] =
            ledger->GetMonthEndBalance(previousYear, previousMonth);
    return summary;
}

// ---- the grids ----------------------------------------------------------------------------------

void CFinanceScreen::FillSummaryGrid(int gridId, int year, int month) {
    CGuiElement* grid = m_ctx.Find(gridId);
    if (!grid)
        return;
    grid->Clear();
    grid->SetRowCount(kSummaryRows);
    grid->SetHeaderFormat(1, kFormatRightMiddle);
    grid->SetHeaderFormat(2, kFormatRightMiddle);
    grid->SetColumnFormat(0, kFormatLeftMiddle);
    grid->SetColumnFormat(1, kFormatRightMiddle);
    grid->SetColumnFormat(2, kFormatRightMiddle);
    grid->SetColumnColour(0, kOrange);
    grid->SetColumnColour(1, kWhite);
    grid->SetColumnColour(2, kWhite);
    grid->SetHeaderText(0, CStr::Formatted("%s %d", m_ctx.Text(kTextMonthBase + month).GetText(), year),
                        kFormatLeftMiddle);
    grid->SetHeaderText(1, m_ctx.Text(kTextIncome), kFormatRightMiddle);
    grid->SetHeaderText(2, m_ctx.Text(kTextExpenses), kFormatRightMiddle);
    for (int row = 0; row < 20; ++row)
        grid->AddCell(0, m_ctx.Text(RowLabel(row)), row);

    m_incomeTotal = 0;
    m_expenseTotal = 0;
    const MonthSummary summary = BuildMonthSummary(year, month);
    int64_t income = 0;
    int64_t expense = 0;
    for (int row = 0; row < 16; ++row) {
        const int32_t value = summary[kRowFields[row]];
        if (value > 0) {
            grid->AddCell(1, FormatMoney(value), row);
            grid->AddCell(2, "-", row);
            grid->SetCellColour(1, row, kGreen);
            income += value;
        } else if (value < 0) {
            grid->AddCell(1, "-", row);
            grid->AddCell(2, UnsignedMoney(value), row);
            grid->SetCellColour(2, row, kRed);
            expense += value;
        } else {
            grid->AddCell(1, "-", row);
            grid->AddCell(2, "-", row);
        }
    }
    m_incomeTotal = Clamp32(income);
    m_expenseTotal = Clamp32(expense);
    // Totals, the month's net, the balance brought forward and the balance that results.
    grid->AddCell(1, FormatMoney(m_incomeTotal), 16);
    grid->AddCell(2, FormatMoney(m_expenseTotal), 16);
    // The totals take the sign's colour only on their own side; any other total stays white.
    grid->SetCellColour(1, 16, m_incomeTotal > 0 ? kGreen : kWhite);
    grid->SetCellColour(2, 16, m_expenseTotal < 0 ? kRed : kWhite);
    const int64_t net = income + expense;
    const int64_t forward = summary[MonthSummary::kBroughtForward];
    const int64_t balance = forward - std::llabs(expense) + income;
    const int64_t lines[3] = {net, forward, balance};
    for (int k = 0; k < 3; ++k) {
        grid->AddCell(1, FormatMoney(Clamp32(lines[k])), 17 + k);
        grid->AddCell(2, "", 17 + k);
        grid->SetCellColour(1, 17 + k, SignColour(lines[k], kWhite));
    }
}

void CFinanceScreen::FillLoanSelectors() {
    if (CGuiElement* amount = m_ctx.Find(ID_FIN_AMOUNT)) {
        amount->ClearItems();
        for (int k = 1; k <= 49; ++k)
            amount->AddItem(FormatMoney(k * 1000000), k * 1000000);
        amount->SetTextFormat(kFormatLeftMiddle);
        amount->SetListRows(amount->GetItemCount());
        // An offer is on the desk from the start: the smallest amount over the shortest term.
        amount->SetSelection(0);
    }
    if (CGuiElement* term = m_ctx.Find(ID_FIN_TERM)) {
        term->ClearItems();
        for (int months = 12; months <= 96; months += 12)
            term->AddItem(CStr::Formatted("%d ", months) + m_ctx.Text(kTextMonths), months);
        term->SetTextFormat(kFormatLeftMiddle);
        term->SetListRows(term->GetItemCount());
        term->SetSelection(0);
    }
}

void CFinanceScreen::ReadOffer() {
    const CGuiElement* amount = m_ctx.Find(ID_FIN_AMOUNT);
    const CGuiElement* term = m_ctx.Find(ID_FIN_TERM);
    if (!amount || !term)
        return;
    const int termIndex = term->GetSelectedIndex();
    const int amountIndex = amount->GetSelectedIndex();
    m_loanTerm = termIndex >= 0 ? term->GetItemData(termIndex) : 0;
    m_loanAmount = amountIndex >= 0 ? amount->GetItemData(amountIndex) : 0;
    m_loanRate = kRate;
    m_loanInstalment = LoanInstalment(m_loanAmount, m_loanTerm);
}

void CFinanceScreen::FillOfferGrids() {
    auto prepare = [](CGuiElement* grid, int rows) {
        grid->Clear();
        grid->SetRowCount(rows);
        grid->SetColumnFormat(0, kFormatLeftMiddle);
        grid->SetColumnFormat(1, kFormatLeftMiddle);
        grid->SetColumnColour(0, kOrange);
        grid->SetColumnColour(1, kWhite);
    };
    if (CGuiElement* offer = m_ctx.Find(ID_FIN_OFFER)) {
        prepare(offer, 3);
        offer->AddCell(0, m_ctx.Text(kTextAmount), 0);
        offer->AddCell(1, m_loanAmount > 0 ? FormatMoney(m_loanAmount) : CStr(), 0);
        offer->AddCell(0, m_ctx.Text(kTextRate), 1);
        offer->AddCell(1, m_loanRate > 0 ? CStr::Formatted("%d %%", m_loanRate) : CStr(), 1);
        offer->AddCell(0, m_ctx.Text(kTextTerm), 2);
        offer->AddCell(
            1, m_loanTerm > 0 ? CStr::Formatted("%d ", m_loanTerm) + m_ctx.Text(kTextMonths) : CStr(), 2);
    }
    if (CGuiElement* instalment = m_ctx.Find(ID_FIN_INSTALMENT)) {
        // Four rows: a blank one, the amount and term labels, then the instalment they give.
        prepare(instalment, 4);
        const CStr blank(" ");
        instalment->AddCell(0, CStr(), 0);
        instalment->AddCell(1, CStr(), 0);
        instalment->AddCell(0, m_ctx.Text(kTextAmount).Concat(blank), 1);
        instalment->AddCell(1, CStr(), 1);
        instalment->AddCell(0, m_ctx.Text(kTextTerm).Concat(blank), 2);
        instalment->AddCell(1, CStr(), 2);
        instalment->AddCell(0, m_ctx.Text(kTextInstalment).Concat(blank), 3);
        instalment->AddCell(1, m_loanInstalment > 0 ? FormatMoney(m_loanInstalment) : CStr(), 3);
    }
}

int CFinanceScreen::LoanCount() const {
    const CMemoryDB* career = m_ctx.Session().careerDB;
    return career ? career->loans.Size() : 0;
}

void CFinanceScreen::FillLoanList() {
    CGuiElement* grid = m_ctx.Find(ID_FIN_LOANLIST);
    if (!grid)
        return;
    grid->Clear();
    const CMemoryDB* career = m_ctx.Session().careerDB;
    const int count = LoanCount();
    grid->SetRowCount(count);
    grid->SetColumnFormat(0, kFormatLeftMiddle);
    grid->SetColumnFormat(1, kFormatLeftMiddle);
    grid->SetColumnColour(0, kYellow);
    grid->SetColumnColour(1, kWhite);
    for (int row = 0; row < count; ++row) {
        const CLoan* loan = career->loans.At(row);
        grid->AddCell(0, FormatMoney(loan->amount), row);
        grid->AddCell(1, CStr::Formatted("%d ", loan->months) + m_ctx.Text(kTextMonths), row);
    }
}

void CFinanceScreen::UpdateLoanButtons() {
    const CMemoryDB* career = m_ctx.Session().careerDB;
    const int count = LoanCount();
    if (CGuiElement* take = m_ctx.Find(ID_FIN_TAKELOAN))
        take->Desc().enabled = career && count < kMaxLoans ? 1 : 0;
    // Cancelling only works for the last loan on its own day, so the button says so.
    bool cancellable = false;
    if (count > 0) {
        const CLoan* last = career->loans.At(count - 1);
        const GameDate today = Today();
        cancellable = last->day == today.day && last->month == today.month && last->year == today.year;
    }
    if (CGuiElement* cancel = m_ctx.Find(ID_FIN_CANCELLOAN))
        cancel->Desc().enabled = cancellable ? 1 : 0;
}

// ---- loans --------------------------------------------------------------------------------------

bool CFinanceScreen::TakeLoan() {
    CMemoryDB* career = m_ctx.Session().careerDB;
    if (!career || career->loans.Size() >= kMaxLoans || m_loanAmount <= 0 || m_loanTerm <= 0) {
        UpdateLoanButtons();
        return false;
    }
    const GameDate today = Today();
    auto* loan = new CLoan();
    loan->day = today.day;
    loan->month = today.month;
    loan->year = today.year;
    loan->amount = m_loanAmount;
    loan->instalment = m_loanInstalment;
    loan->months = m_loanTerm;
    loan->paid = 0;
    career->loans.Append(loan);
    FillLoanList();
    UpdateLoanButtons();
    return true;
}

bool CFinanceScreen::CancelLoan() {
    CMemoryDB* career = m_ctx.Session().careerDB;
    bool cancelled = false;
    if (career && !career->loans.IsEmpty()) {
        CLoan* last = career->loans.At(career->loans.Size() - 1);
        const GameDate today = Today();
        if (last->day == today.day && last->month == today.month && last->year == today.year) {
            career->loans.Erase(last);
            cancelled = true;
        }
    }
    FillLoanList();
    UpdateLoanButtons();
    return cancelled;
}

// ---- refresh and messages -----------------------------------------------------------------------

void CFinanceScreen::ShowTitleAndCaptions() {
    m_root->SetCaption(TitleLine(m_ctx, kTextTitle, m_clubName, m_dateText));
    m_ctx.SetText(ID_FIN_TAKELOAN, m_ctx.Text(kTextTakeLoan), kFormatCentreMiddle);
    m_ctx.SetText(ID_FIN_CANCELLOAN, m_ctx.Text(kTextCancelLoan), kFormatCentreMiddle);
    if (CGuiElement* desk = m_ctx.Find(ID_FIN_LOANDESK))
        desk->SetCaption(m_ctx.Text(kTextLoans));
}

void CFinanceScreen::RefillAll() {
    ShowTitleAndCaptions();
    FillSummaryGrid(ID_FIN_SELECTED, m_selectedYear, m_selectedMonth);
    FillSummaryGrid(ID_FIN_RUNNING, m_currentYear, m_currentMonth);
    FillOfferGrids();
    FillLoanList();
    UpdateLoanButtons();
}

void CFinanceScreen::Refresh(bool refillSelectors) {
    const CCareerSession& session = m_ctx.Session();
    if (!m_root || !session.HasOpenCareer())
        return;
    if (refillSelectors) {
        const GameDate today = Today();
        m_currentYear = today.year;
        m_currentMonth = today.month;
        const SeasonStart season = SeasonOf(session);
        FillYearList(m_ctx.Find(ID_FIN_YEAR), season, m_currentYear);
        m_selectedYear = m_currentYear;
        m_selectedMonth = FillMonthList(m_ctx, m_ctx.Find(ID_FIN_MONTH), m_selectedYear, season, today);
        const CTeam* club = session.UserClub();
        m_clubName = club ? club->name : CStr();
        m_staffName = FinanceStaffName(session);
        m_ctx.SetText(ID_FIN_STAFF, StaffLine(m_ctx, m_staffName));
        m_dateText = DateText(today);
    }
    RefillAll();
}

void CFinanceScreen::OnMessage(GuiMessage& m) {
    const int source = m.sID;
    if (m.MSG == kMsgSelection && source == ID_FIN_YEAR) {
        Consume(m);
        if (!m_root)
            return;
        const SeasonStart season = SeasonOf(m_ctx.Session());
        m_selectedYear = ChosenYear(m_ctx.Find(ID_FIN_YEAR), season);
        m_selectedMonth = FillMonthList(m_ctx, m_ctx.Find(ID_FIN_MONTH), m_selectedYear, season, Today());
        RefillAll();
    } else if (m.MSG == kMsgSelection && source == ID_FIN_MONTH) {
        Consume(m);
        if (!m_root)
            return;
        const CGuiElement* months = m_ctx.Find(ID_FIN_MONTH);
        const int index = months ? months->GetSelectedIndex() : -1;
        if (index >= 0)
            m_selectedMonth = months->GetItemData(index);
        RefillAll();
    } else if (m.MSG == kMsgSelection && (source == ID_FIN_AMOUNT || source == ID_FIN_TERM)) {
        Consume(m);
        if (!m_root || !m_ctx.Find(ID_FIN_AMOUNT) || !m_ctx.Find(ID_FIN_TERM))
            return;
        ReadOffer();
        RefillAll();
    } else if (IsClick(m, ID_FIN_TAKELOAN)) {
        Consume(m);
        if (!m_root)
            return;
        TakeLoan();
        RefillAll();
    } else if (IsClick(m, ID_FIN_CANCELLOAN)) {
        Consume(m);
        if (!m_root)
            return;
        CancelLoan();
        RefillAll();
    }
}
