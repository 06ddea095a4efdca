// CCalendar and the date helpers: Gregorian dates from 1582, date keys and the date texts.
#pragma once

#include "career/TextLookup.h"
#include "database/GameDate.h"
#include "engine/Str.h"
#include "engine/TextRun.h"

class CCalendar {
public:
    static constexpr TextRun kWeekdayTexts{60001, 7}; // Sunday first
    static constexpr TextRun kMonthTexts{70001, 12};  // January first
    static constexpr int kWeekdayTextBase = kWeekdayTexts.first;
    static constexpr int kMonthTextBase = kMonthTexts.first;

    // Reads the seven weekday and twelve month names once.
    explicit CCalendar(const TextLookup& getText = {});
    virtual ~CCalendar() = default;

    static bool IsLeapYear(int year);
    // Leap years from 1582 up to the year before; -1 before 1582.
    static int LeapDaysSince1582(int year);
    // Weekday (0 Sunday) of 1 January; -1 before 1582.
    static int WeekdayOfNewYear(int year);
    // 0 for a month outside 1-12.
    static int DaysInMonth(int month, int year);
    static int DaysInYear(int year) { return IsLeapYear(year) ? 366 : 365; }
    // monthIndex is 0-11; -1 before 1582 or for an index outside 0-11.
    static int FirstWeekdayOfMonth(int year, int monthIndex);
    // Weekday (0 Sunday) of a date; -1 where FirstWeekdayOfMonth gives -1.
    static int WeekdayOf(int year, int day, int month);
    static int WeekdayOf(const GameDate& date) { return WeekdayOf(date.year, date.day, date.month); }

    CStr WeekdayName(int year, int day, int month) const;
    CStr WeekdayName(const GameDate& date) const { return WeekdayName(date.year, date.day, date.month); }
    // month 1-12; empty outside.
    CStr MonthName(int month) const;

    static void NextDay(int& year, int& day, int& month);
    static void PreviousDay(int& year, int& day, int& month);
    static GameDate NextDay(GameDate date);
    static GameDate PreviousDay(GameDate date);
    // n >= 0 months later, the day clamped to the new month's length.
    static void AddMonths(int& year, int& day, int& month, int n);
    static GameDate AddMonths(GameDate date, int n);
    // The date of day 7*(week-1) + (weekday of 1 January) of the year, kept inside that year.
    static void DateOfWeek(int year, int week, GameDate& out);

private:
    CStr m_weekdayNames[7];
    CStr m_monthNames[12];
};

// yyyymmdd, built through text as the saved data expects (a month or day of 100 or more is printed
// in full, a negative year gives a negative key); saturates instead of overflowing.
int MakeDateKey(int year, int month, int day);
inline int MakeDateKey(const GameDate& date) {
    return MakeDateKey(date.year, date.month, date.day);
}
// The fixture list keys its dates by the same rule.
inline int FixtureDateKey(int year, int month, int day) {
    return MakeDateKey(year, month, day);
}

// "2007.08.01" -> year 2007, day 1, month 8.
void ParseDate(const CStr& text, int& year, int& day, int& month);
// "%.2d%s%.2d%s%d": day, separator, month, separator, year.
CStr FormatDate(int year, int day, int month, const CStr& separator);
// A season's years as captions show them: "2007-2008", or one year for a tournament that starts
// and ends in it ("2007", not "2007-2007").
CStr FormatSeasonYears(int startYear, int endYear);
