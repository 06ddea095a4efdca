// The income report: sums by source for a day, a month and a year.
#include "screens/club/IncomeReportScreen.h"

#include "career/CareerSession.h"
#include "engine/TextRun.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/FormatMoney.h"

using namespace finance;

namespace {

constexpr int kTextTitle = 80119;
constexpr TextRun kIncomeRowTexts{80091, 8}; // the income rows' captions

int RowLabel(int row) {
    if (row < 8)
        return kIncomeRowTexts.At(row);
    return row == 8 ? kTextLoans : kTextTotal;
}

// The source row of an income entry, -1 for kinds the report does not show.
int RowOf(int kind) {
    switch (kind) {
    case kLedgerMisc:
        return 0;
    case kLedgerSponsor1:
        return 1;
    case kLedgerFunShop:
        return 2;
    case kLedgerGateMoney:
        return 3;
    case kLedgerSponsor2:
        return 4;
    case kLedgerSponsor3:
        return 5;
    case kLedgerUpkeepItem:
        return 6;
    case kLedgerTransfer:
        return 7;
    case kLedgerLoan:
        return 8;
    default:
        return -1;
    }
}

} // namespace

CIncomeReportScreen::CIncomeReportScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {
    const GameDate today = Today();
    m_selectedYear = today.year;
    m_selectedMonth = today.month;
    m_selectedDay = today.day;
}

GameDate CIncomeReportScreen::Today() const {
    return m_ctx.Session().currentDate;
}

IncomeSums CIncomeReportScreen::SumIncome(int year, int month, int day) const {
    IncomeSums sums;
    const CEventList* ledger = m_ctx.Session().ledger;
    if (!ledger)
        return sums;
    const GameDate today = Today();
    std::vector<LedgerEntry> entries;
    if (day >= 1 && month >= 1) {
        ledger->CollectDay(entries, year, month, day, kIncome);
    } else if (month >= 1) {
        entries = CollectDaysFirst(*ledger, year, month, kIncome, today);
    } else {
        const int last = year == today.year ? today.month : 12;
        for (int m = 1; m <= last; ++m) {
            const int days = CCalendar::DaysInMonth(m, year);
            for (int d = 1; d <= days; ++d)
                ledger->CollectDay(entries, year, m, d, kIncome);
            ledger->CollectMonth(entries, year, m, kIncome);
        }
        ledger->CollectYear(entries, year, kIncome);
    }
    std::array<int64_t, IncomeSums::kRows> totals{};
    for (const LedgerEntry& entry : entries) {
        const int row = RowOf(entry.kind);
        if (row >= 0 && entry.payload)
            totals[static_cast<size_t>(row)] += PayloadAmount(*entry.payload);
    }
    int64_t total = 0;
    for (int row = 0; row < IncomeSums::kRows; ++row) {
        const int64_t value = totals[static_cast<size_t>(row)];
        sums.row[static_cast<size_t>(row)] = value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
        total += sums.row[static_cast<size_t>(row)];
    }
    sums.row[IncomeSums::kRows] = total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total);
    return sums;
}

void CIncomeReportScreen::FillGrid(int gridId, const IncomeSums& sums, const CStr& header) {
    CGuiElement* grid = m_ctx.Find(gridId);
    if (!grid)
        return;
    grid->Clear();
    grid->SetRowCount(IncomeSums::kRows + 1);
    grid->SetHeaderFormat(1, kFormatRightMiddle);
    grid->SetColumnFormat(0, kFormatLeftMiddle);
    grid->SetColumnFormat(1, kFormatRightMiddle);
    grid->SetColumnColour(0, kOrange);
    grid->SetColumnColour(1, kWhite);
    grid->SetHeaderText(0, header, kFormatLeftMiddle);
    grid->SetHeaderText(1, m_ctx.Text(kTextIncome), kFormatRightMiddle);
    for (int row = 0; row <= IncomeSums::kRows; ++row) {
        grid->AddCell(0, m_ctx.Text(RowLabel(row)), row);
        grid->AddCell(1, MoneyCell(sums.row[static_cast<size_t>(row)]), row);
    }
}

void CIncomeReportScreen::FillDayFilter() {
    CGuiElement* combo = m_ctx.Find(ID_INC_DAYFILTER);
    if (!combo)
        return;
    combo->ClearItems();
    const GameDate today = Today();
    const SeasonStart season = SeasonOf(m_ctx.Session());
    const CGuiElement* years = m_ctx.Find(ID_INC_YEARFILTER);
    const CGuiElement* months = m_ctx.Find(ID_INC_MONTHFILTER);
    const int year = years && years->GetSelectedIndex() >= 0 ? ChosenYear(years, season) : today.year;
    const int month = months && months->GetSelectedIndex() >= 0
                          ? months->GetItemData(months->GetSelectedIndex())
                          : today.month;
    int count = today.day;
    if (year < today.year || (year == today.year && month < today.month))
        count = CCalendar::DaysInMonth(month, year);
    for (int day = 1; day <= count; ++day)
        combo->AddItem(CStr::Formatted("%d", day), day);
    m_selectedDay = count;
    combo->SetSelection(count - 1);
    combo->SetTextFormat(kFormatLeftMiddle);
    combo->SetListRows(combo->GetItemCount());
}

void CIncomeReportScreen::ShowSelectedWeekday() {
    const CCalendar* calendar = m_ctx.Session().calendar;
    const GameDate chosen = Selected();
    CStr text = calendar ? calendar->WeekdayName(chosen).Concat(", ") : CStr();
    m_ctx.SetText(ID_INC_CHOSEN_WEEKDAY, text.Concat(DateText(chosen)));
}

void CIncomeReportScreen::FillSelectedGrids() {
    if (!m_ctx.Find(ID_INC_CHOSEN_DAY) || !m_ctx.Find(ID_INC_CHOSEN_MONTH) || !m_ctx.Find(ID_INC_CHOSEN_YEAR))
        return;
    const CStr monthName = m_ctx.Text(kTextMonthBase + m_selectedMonth);
    FillGrid(ID_INC_CHOSEN_DAY, SumIncome(m_selectedYear, m_selectedMonth, m_selectedDay),
             CStr::Formatted("%d ", m_selectedDay).Concat(monthName));
    FillGrid(ID_INC_CHOSEN_MONTH, SumIncome(m_selectedYear, m_selectedMonth, 0),
             monthName.Concat(CStr::Formatted(" %d", m_selectedYear)));
    FillGrid(ID_INC_CHOSEN_YEAR, SumIncome(m_selectedYear, 0, 0), CStr::Formatted("%d", m_selectedYear));
}

void CIncomeReportScreen::Refresh() {
    const CCareerSession& session = m_ctx.Session();
    if (!m_root || !session.HasOpenCareer())
        return;
    const GameDate today = Today();
    const CTeam* club = session.UserClub();
    m_clubName = club ? club->name : CStr();
    m_dateText = DateText(today);
    m_root->SetCaption(TitleLine(m_ctx, kTextTitle, m_clubName, m_dateText));

    const SeasonStart season = SeasonOf(session);
    FillYearList(m_ctx.Find(ID_INC_YEARFILTER), season, today.year);
    m_selectedYear = today.year;
    m_selectedMonth = FillMonthList(m_ctx, m_ctx.Find(ID_INC_MONTHFILTER), m_selectedYear, season, today);
    FillDayFilter();
    ShowSelectedWeekday();

    if (m_ctx.Find(ID_INC_TODAY_DAY) && m_ctx.Find(ID_INC_TODAY_MONTH) && m_ctx.Find(ID_INC_TODAY_YEAR)) {
        const CStr monthName = m_ctx.Text(kTextMonthBase + today.month);
        FillGrid(ID_INC_TODAY_DAY, SumIncome(today.year, today.month, today.day),
                 CStr::Formatted("%d ", today.day).Concat(monthName));
        FillGrid(ID_INC_TODAY_MONTH, SumIncome(today.year, today.month, 0),
                 monthName.Concat(CStr::Formatted(" %d", today.year)));
        FillGrid(ID_INC_TODAY_YEAR, SumIncome(today.year, 0, 0), CStr::Formatted("%d", today.year));
    }
    FillSelectedGrids();

    const CCalendar* calendar = session.calendar;
    CStr weekday = calendar ? calendar->WeekdayName(today).Concat(", ") : CStr();
    m_ctx.SetText(ID_INC_TODAY_WEEKDAY, weekday.Concat(m_dateText));
    m_ctx.SetText(ID_INC_TODAY_MONTHNAME, m_ctx.Text(kTextMonthBase + today.month));
    m_ctx.SetText(ID_INC_TODAY_YEARTEXT, CStr::Formatted("%d", today.year));
    m_ctx.SetText(ID_INC_CHOSEN_MONTHNAME, m_ctx.Text(kTextMonthBase + m_selectedMonth));
    m_ctx.SetText(ID_INC_CHOSEN_YEARTEXT, CStr::Formatted("%d", today.year));
}

void CIncomeReportScreen::OnMessage(GuiMessage& m) {
    if (m.MSG != kMsgSelection)
        return;
    const int source = m.sID;
    if (source != ID_INC_YEARFILTER && source != ID_INC_MONTHFILTER && source != ID_INC_DAYFILTER)
        return;
    Consume(m);
    CGuiElement* combo = m_ctx.Find(source);
    if (!m_root || !combo)
        return;
    const SeasonStart season = SeasonOf(m_ctx.Session());
    if (source == ID_INC_YEARFILTER) {
        m_selectedYear = ChosenYear(combo, season);
        m_selectedMonth =
            FillMonthList(m_ctx, m_ctx.Find(ID_INC_MONTHFILTER), m_selectedYear, season, Today());
        FillDayFilter();
    } else if (source == ID_INC_MONTHFILTER) {
        const int index = combo->GetSelectedIndex();
        m_selectedMonth = index >= 0 ? combo->GetItemData(index) : 0;
        FillDayFilter();
    } else {
        const int index = combo->GetSelectedIndex();
        if (index >= 0)
            m_selectedDay = combo->GetItemData(index);
    }
    ShowSelectedWeekday();
    // The chosen set's labels follow the filters, so they never name another period than its grids.
    m_ctx.SetText(ID_INC_CHOSEN_MONTHNAME, m_ctx.Text(kTextMonthBase + m_selectedMonth));
    m_ctx.SetText(ID_INC_CHOSEN_YEARTEXT, CStr::Formatted("%d", m_selectedYear));
    FillSelectedGrids();
}
