// Gregorian calendar arithmetic counted from 1582, with the localized day and month names.
#include "career/Calendar.h"

#include <algorithm>
#include <climits>

namespace {
constexpr int kMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kFirstGregorianYear = 1582;
} // namespace

CCalendar::CCalendar(const TextLookup& getText) {
    for (int i = 0; i < 7; ++i)
        m_weekdayNames[i] = LookUpText(getText, kWeekdayTextBase + i);
    for (int i = 0; i < 12; ++i)
        m_monthNames[i] = LookUpText(getText, kMonthTextBase + i);
}

bool CCalendar::IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int CCalendar::LeapDaysSince1582(int year) {
    if (year < kFirstGregorianYear)
        return -1;
    return (year - 1201) / 400 - (year - 1501) / 100 + (year - 1581) / 4;
}

int CCalendar::WeekdayOfNewYear(int year) {
    if (year < kFirstGregorianYear)
        return -1;
    return static_cast<int>((static_cast<long long>(LeapDaysSince1582(year)) + year - 1577) % 7);
}

int CCalendar::DaysInMonth(int month, int year) {
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kMonthLengths[month - 1];
}

int CCalendar::FirstWeekdayOfMonth(int year, int monthIndex) {
    if (year < kFirstGregorianYear || monthIndex < 0 || monthIndex > 11)
        return -1;
    int days = WeekdayOfNewYear(year);
    for (int m = 0; m < monthIndex; ++m)
        days += (m == 1 && IsLeapYear(year)) ? 29 : kMonthLengths[m];
    return days % 7;
}

int CCalendar::WeekdayOf(int year, int day, int month) {
    int first = FirstWeekdayOfMonth(year, month - 1);
    if (first < 0)
        return -1;
    // Keeps a day 0 (or below) of a month on the right weekday too.
    return ((first + day - 1) % 7 + 7) % 7;
}

CStr CCalendar::WeekdayName(int year, int day, int month) const {
    int weekday = WeekdayOf(year, day, month);
    return weekday < 0 ? CStr() : m_weekdayNames[weekday];
}

CStr CCalendar::MonthName(int month) const {
    if (month < 1 || month > 12)
        return CStr();
    return m_monthNames[month - 1];
}

void CCalendar::NextDay(int& year, int& day, int& month) {
    ++day;
    if (day > DaysInMonth(month, year)) {
        day = 1;
        ++month;
        if (month > 12) {
            month = 1;
            ++year;
        }
    }
}

void CCalendar::PreviousDay(int& year, int& day, int& month) {
    --day;
    if (day < 1) {
        --month;
        if (month < 1) {
            month = 12;
            --year;
        }
        day = DaysInMonth(month, year);
    }
}

GameDate CCalendar::NextDay(GameDate date) {
    NextDay(date.year, date.day, date.month);
    return date;
}

GameDate CCalendar::PreviousDay(GameDate date) {
    PreviousDay(date.year, date.day, date.month);
    return date;
}

void CCalendar::AddMonths(int& year, int& day, int& month, int n) {
    if (n < 0)
        return;
    year += n / 12;
    month += n % 12;
    if (month > 12) {
        month -= 12;
        ++year;
    }
    day = std::min(day, DaysInMonth(month, year));
}

GameDate CCalendar::AddMonths(GameDate date, int n) {
    AddMonths(date.year, date.day, date.month, n);
    return date;
}

void CCalendar::DateOfWeek(int year, int week, GameDate& out) {
    // A week reaching outside the year (week 1 starting on a Sunday, or past week 52) stays on
    // 1 January or 31 December, so a camp booked for it is still a real day.
    long long dayNumber = 7LL * (week - 1) + WeekdayOfNewYear(year);
    int dayOfYear = static_cast<int>(std::clamp<long long>(dayNumber, 1, DaysInYear(year)));
    int month = 1;
    int total = 0;
    while (month < 12 && total + DaysInMonth(month, year) < dayOfYear) {
        total += DaysInMonth(month, year);
        ++month;
    }
    out.year = year;
    out.month = month;
    out.day = dayOfYear - total;
}

int MakeDateKey(int year, int month, int day) {
    // Sorting and every fixture query key dates, so ordinary dates skip the text; the arithmetic
    // gives the same number as the text for them.
    if (year >= 0 && month >= 0 && month < 100 && day >= 0 && day < 100) {
        long long key = year * 10000LL + month * 100 + day;
        return static_cast<int>(std::min<long long>(key, INT_MAX));
    }
    CStr text = CStr::Formatted("%d%s%d%s%d", year, month < 10 ? "0" : "", month, day < 10 ? "0" : "", day);
    return text.ToInt();
}

void ParseDate(const CStr& text, int& year, int& day, int& month) {
    int first = text.Find(".");
    if (first < 0) {
        year = text.ToInt();
        month = 0;
        day = 0;
        return;
    }
    year = text.Left(first).ToInt();
    int second = text.Find(".", first + 1);
    if (second < 0) {
        month = text.Mid(first + 1).ToInt();
        day = 0;
        return;
    }
    month = text.Mid(first + 1, second - first - 1).ToInt();
    day = text.Mid(second + 1).ToInt();
}

CStr FormatDate(int year, int day, int month, const CStr& separator) {
    return CStr::Formatted("%.2d%s%.2d%s%d", day, separator.GetText(), month, separator.GetText(), year);
}

CStr FormatSeasonYears(int startYear, int endYear) {
    return startYear == endYear ? CStr::Formatted("%d", startYear)
                                : CStr::Formatted("%d-%d", startYear, endYear);
}
