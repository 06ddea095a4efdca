// The ledger by period and the filters shared by the finance screens.
#include "screens/club/FinanceViews.h"

#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "screens/FormatMoney.h"

namespace finance {

SeasonStart SeasonOf(const CCareerSession& session) {
    SeasonStart start;
    if (session.fixtureList) {
        const SeasonSpan& span = session.fixtureList->Season();
        start.year = span.startYear;
        start.month = span.startMonth;
        start.endYear = span.endYear;
    }
    return start;
}

int DaysCovered(int year, int month, const GameDate& today) {
    if (year < today.year || (year == today.year && month < today.month))
        return CCalendar::DaysInMonth(month, year);
    // A month after today has nothing booked yet; the running month ends today.
    if (year > today.year || month > today.month)
        return 0;
    return today.day;
}

std::vector<LedgerEntry> CollectMonthLevelFirst(const CEventList& ledger, int year, int month, int direction,
                                                const GameDate& today) {
    std::vector<LedgerEntry> out;
    ledger.CollectMonth(out, year, month, direction);
    const int days = DaysCovered(year, month, today);
    for (int day = 1; day <= days; ++day)
        ledger.CollectDay(out, year, month, day, direction);
    return out;
}

std::vector<LedgerEntry> CollectDaysFirst(const CEventList& ledger, int year, int month, int direction,
                                          const GameDate& today) {
    std::vector<LedgerEntry> out;
    const int days = DaysCovered(year, month, today);
    for (int day = 1; day <= days; ++day)
        ledger.CollectDay(out, year, month, day, direction);
    ledger.CollectMonth(out, year, month, direction);
    return out;
}

CStr MoneyCell(int amount) {
    return amount == 0 ? CStr("-") : FormatMoney(amount);
}

CStr UnsignedMoney(int amount) {
    CStr text = CStr::Formatted("%d", amount);
    const char* digits = text.GetText();
    if (digits[0] == '-')
        ++digits;
    return FormatMoney(CStr(digits), ',', '$');
}

void FillYearList(CGuiElement* combo, const SeasonStart& season, int currentYear) {
    if (!combo)
        return;
    combo->ClearItems();
    for (int year = season.year; year <= currentYear; ++year)
        combo->AddItem(CStr::Formatted("%d", year), -1);
    combo->SetSelection(combo->GetItemCount() - 1);
    combo->SetTextFormat(kFormatLeftMiddle);
    combo->SetListRows(combo->GetItemCount());
}

int ChosenYear(const CGuiElement* combo, const SeasonStart& season) {
    const int index = combo ? combo->GetSelectedIndex() : -1;
    return index >= 0 ? season.year + index : season.year;
}

int FillMonthList(const CScreenContext& ctx, CGuiElement* combo, int year, const SeasonStart& season,
                  const GameDate& today) {
    const int last = year < today.year ? 12 : today.month;
    const int first = year == season.year ? season.month : 1;
    if (!combo)
        return last;
    combo->ClearItems();
    for (int month = first; month <= last; ++month)
        combo->AddItem(ctx.Text(kTextMonthBase + month), month);
    combo->SetSelection(last - first);
    combo->SetTextFormat(kFormatLeftMiddle);
    combo->SetListRows(combo->GetItemCount());
    return last;
}

CStr DateText(const GameDate& date) {
    return FormatDate(date.year, date.day, date.month, ".");
}

CStr TitleLine(const CScreenContext& ctx, int titleText, const CStr& clubName, const CStr& dateText) {
    const CCareerSession& session = ctx.Session();
    const CLeague* league = session.UserLeague();
    const SeasonStart season = SeasonOf(session);
    CStr line = ctx.Text(titleText);
    line += " / ";
    line += league ? ctx.Text(league->nameTextId) : CStr();
    line += " / ";
    line += clubName;
    line += " / ";
    line += dateText;
    line += " / ";
    line += CStr::Formatted("%d-%d", season.year, season.endYear);
    line += " ";
    line += ctx.Text(kTextSeason);
    return line;
}

CStr FinanceStaffName(const CCareerSession& session) {
    std::unique_ptr<CStaffRecord> member = FindHiredStaff(session.careerDB, kStaffBusinessManager);
    return member ? member->name : CStr();
}

CStr StaffLine(const CScreenContext& ctx, const CStr& staffName) {
    CStr line = ctx.Text(kTextFinanceStaff);
    line += ": ";
    line += staffName.IsEmpty() ? CStr("-") : staffName;
    return line;
}

} // namespace finance
