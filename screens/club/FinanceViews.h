// What the finances overview and the income and expense reports share: the money ledger read by
// period, the year and month filters, the window's title line and the staff line.
#pragma once

#include "career/EventList.h"
#include "database/GameDate.h"
#include "engine/Str.h"
#include "screens/ScreenContext.h"

#include <array>
#include <cstdint>
#include <vector>

class CGuiElement;

namespace finance {

constexpr uint32_t kOrange = 0x0080FFFF;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kYellow = 0x00FFFFFF;
constexpr uint32_t kGreen = 0x00FF00FF;
constexpr uint32_t kRed = 0x0000FFFF;

constexpr int kTextSeason = 80030;
constexpr int kTextFinanceStaff = 80062;
constexpr int kTextIncome = 80119;
constexpr int kTextExpenses = 100093;
constexpr int kTextTotal = 80108;
constexpr int kTextLoans = 80100;
constexpr int kTextMonthBase = 70000;

// The first year and month the filters offer: the running season's start.
struct SeasonStart {
    int year = 2007;
    int month = 8;
    int endYear = 2008;
};
SeasonStart SeasonOf(const CCareerSession& session);

// Days of a month the sums cover: all of a month before the running one, up to today in it.
int DaysCovered(int year, int month, const GameDate& today);

// Ledger entries of one direction: the month-level ones, then those of each covered day.
std::vector<LedgerEntry> CollectMonthLevelFirst(const CEventList& ledger, int year, int month, int direction,
                                                const GameDate& today);
// The same entries with the days first, then the month-level ones.
std::vector<LedgerEntry> CollectDaysFirst(const CEventList& ledger, int year, int month, int direction,
                                          const GameDate& today);

// "-" for 0, otherwise "$ 1,234".
CStr MoneyCell(int amount);
// The amount in money form with any minus sign dropped (expenses are shown as positive figures).
CStr UnsignedMoney(int amount);

// Years from the season's start to today's, the last one chosen.
void FillYearList(CGuiElement* combo, const SeasonStart& season, int currentYear);
// The year a list has chosen; the season's start year when nothing is chosen.
int ChosenYear(const CGuiElement* combo, const SeasonStart& season);
// Months of the year offered (from the season's start month in its first year, to today's month
// in today's year), the last one chosen; returns that month.
int FillMonthList(const CScreenContext& ctx, CGuiElement* combo, int year, const SeasonStart& season,
                  const GameDate& today);

// "<title> / <league> / <club> / <date> / <season> <Season>".
CStr TitleLine(const CScreenContext& ctx, int titleText, const CStr& clubName, const CStr& dateText);
// The hired business manager's name, or "".
CStr FinanceStaffName(const CCareerSession& session);
CStr StaffLine(const CScreenContext& ctx, const CStr& staffName);
CStr DateText(const GameDate& date);

} // namespace finance
