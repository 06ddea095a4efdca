// The expense report: a month's expenses item by item under their groups' captions.
#include "screens/club/ExpenseReportScreen.h"

#include "career/CareerSession.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/FormatMoney.h"

#include <variant>

using namespace finance;

namespace {

constexpr int kTextTitle = 80122;
constexpr int kTextCamps = 80105;

int GroupCaption(int group) {
    switch (group) {
    case 0:
        return 100094;
    case 1:
        return 100095;
    case 2:
        return 100096;
    case 3:
        return 100097;
    case 4:
        return 100098;
    case 5:
        return 80106;
    default:
        return 100099;
    }
}

void SortRange(std::vector<ExpenseRow>& rows, int lo, int hi) {
    while (lo < hi) {
        ExpenseRow pivot = rows[static_cast<size_t>(lo)];
        int i = lo;
        int j = hi;
        auto at = [&rows](int k) -> ExpenseRow& { return rows[static_cast<size_t>(k)]; };
        while (i < j) {
            while (at(j).group >= pivot.group && i < j)
                --j;
            if (i != j)
                at(i++) = at(j);
            while (at(i).group <= pivot.group && i < j)
                ++i;
            if (i != j)
                at(j--) = at(i);
        }
        at(i) = std::move(pivot);
        if (lo < i)
            SortRange(rows, lo, i - 1);
        lo = i + 1;
    }
}

} // namespace

void SortExpenseRows(std::vector<ExpenseRow>& rows) {
    if (!rows.empty())
        SortRange(rows, 0, static_cast<int>(rows.size()) - 1);
}

CExpenseReportScreen::CExpenseReportScreen(const CScreenContext& ctx)
    : m_ctx(ctx), m_root(ctx.Find(kWindow)) {
    const GameDate& today = ctx.Session().currentDate;
    m_selectedYear = m_currentYear = today.year;
    m_selectedMonth = m_currentMonth = today.month;
}

std::vector<ExpenseRow> CExpenseReportScreen::CollectMonthExpenses(int year, int month) const {
    std::vector<ExpenseRow> rows;
    const CEventList* ledger = m_ctx.Session().ledger;
    if (!ledger)
        return rows;
    for (const LedgerEntry& entry :
         CollectMonthLevelFirst(*ledger, year, month, kExpense, m_ctx.Session().currentDate)) {
        if (!entry.payload)
            continue;
        const EventPayload& payload = *entry.payload;
        ExpenseRow row;
        row.amount = PayloadAmount(payload);
        switch (entry.kind) {
        case kLedgerWages:
            if (const auto* wage = std::get_if<WageEventData>(&payload)) {
                row.text = wage->name;
                row.group = wage->group == 8 ? 0 : 1;
            }
            break;
        case kLedgerStadiumUpkeep:
            if (const auto* upkeep = std::get_if<StadiumUpkeepEventData>(&payload))
                row.text = upkeep->text;
            row.group = 2;
            break;
        case kLedgerUpkeepItem:
            if (const auto* item = std::get_if<UpkeepItemEventData>(&payload))
                row.text = item->text;
            row.group = 2;
            break;
        case kLedgerStadiumUpgrade:
            if (const auto* upgrade = std::get_if<LedgerEventData>(&payload))
                row.text = upgrade->text;
            row.group = 2;
            break;
        case kLedgerLoan:
            // The instalment itself: the booking's first value is always 0.
            row.text = m_ctx.Text(kTextLoans);
            row.group = 3;
            break;
        case kLedgerTrainingCamp:
            row.text = m_ctx.Text(kTextCamps);
            row.group = 4;
            break;
        case kLedgerTransfer:
            if (const auto* transfer = std::get_if<TransferEventData>(&payload))
                row.text = transfer->text;
            row.group = 5;
            break;
        default:
            continue;
        }
        rows.push_back(std::move(row));
    }
    SortExpenseRows(rows);
    return rows;
}

void CExpenseReportScreen::FillGrid(int gridId, int year, int month) {
    CGuiElement* grid = m_ctx.Find(gridId);
    grid->Clear();
    grid->SetHeaderFormat(1, kFormatRightMiddle);
    grid->SetHeaderText(0, m_ctx.Text(kTextMonthBase + month).Concat(CStr::Formatted(" %d", year)),
                        kFormatLeftMiddle);
    grid->SetHeaderText(1, m_ctx.Text(kTextExpenses), kFormatRightMiddle);
    grid->SetColumnFormat(0, kFormatLeftMiddle);
    grid->SetColumnFormat(1, kFormatRightMiddle);
    grid->SetColumnColour(0, kOrange);
    grid->SetColumnColour(1, kWhite);
    int r = 0;
    int64_t total = 0;
    int previousGroup = -1;
    for (const ExpenseRow& row : CollectMonthExpenses(year, month)) {
        if (row.amount == 0)
            continue;
        if (row.group != previousGroup) {
            grid->AddCell(0, m_ctx.Text(GroupCaption(row.group)), r);
            grid->AddCell(1, "", r);
            grid->SetCellColour(0, r, kYellow);
            ++r;
            previousGroup = row.group;
        }
        grid->AddCell(0, row.text, r);
        grid->AddCell(1, FormatMoney(row.amount), r);
        total += row.amount;
        ++r;
    }
    grid->AddCell(0, m_ctx.Text(kTextTotal), r);
    grid->AddCell(1, FormatMoney(total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total)), r);
    grid->SetCellColour(0, r, kYellow);
    grid->SetCellColour(1, r, kRed);
    grid->SetRowCount(r + 1);
    grid->ResetScroll(true);
}

void CExpenseReportScreen::FillGrids() {
    if (!m_ctx.Find(ID_EXP_RUNNING) || !m_ctx.Find(ID_EXP_CHOSEN))
        return;
    FillGrid(ID_EXP_RUNNING, m_currentYear, m_currentMonth);
    FillGrid(ID_EXP_CHOSEN, m_selectedYear, m_selectedMonth);
}

void CExpenseReportScreen::Refresh() {
    const CCareerSession& session = m_ctx.Session();
    if (!m_root || !session.HasOpenCareer())
        return;
    const GameDate today = session.currentDate;
    const CTeam* club = session.UserClub();
    m_clubName = club ? club->name : CStr();
    m_staffName = FinanceStaffName(session);
    m_currentYear = today.year;
    m_currentMonth = today.month;
    m_dateText = DateText(today);
    m_root->SetCaption(TitleLine(m_ctx, kTextTitle, m_clubName, m_dateText));
    const SeasonStart season = SeasonOf(session);
    FillYearList(m_ctx.Find(ID_EXP_YEARFILTER), season, m_currentYear);
    m_selectedYear = m_currentYear;
    m_selectedMonth = FillMonthList(m_ctx, m_ctx.Find(ID_EXP_MONTHFILTER), m_selectedYear, season, today);
    FillGrids();
    m_ctx.SetText(ID_EXP_STAFF, StaffLine(m_ctx, m_staffName));
}

void CExpenseReportScreen::OnMessage(GuiMessage& m) {
    if (m.MSG != kMsgSelection || (m.sID != ID_EXP_YEARFILTER && m.sID != ID_EXP_MONTHFILTER))
        return;
    const int source = m.sID;
    Consume(m);
    CGuiElement* combo = m_ctx.Find(source);
    if (!m_root || !combo)
        return;
    const SeasonStart season = SeasonOf(m_ctx.Session());
    if (source == ID_EXP_YEARFILTER) {
        m_selectedYear = ChosenYear(combo, season);
        m_selectedMonth = FillMonthList(m_ctx, m_ctx.Find(ID_EXP_MONTHFILTER), m_selectedYear, season,
                                        m_ctx.Session().currentDate);
    } else if (combo->GetSelectedIndex() >= 0) {
        m_selectedMonth = combo->GetItemData(combo->GetSelectedIndex());
    }
    FillGrids();
}
