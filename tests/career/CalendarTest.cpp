// Calendar arithmetic, weekdays, week dates and the date key and texts.
#include "career/Calendar.h"

#include <climits>
#include <gtest/gtest.h>

TEST(Calendar, StepsAcrossMonthYearAndLeapDay) {
    EXPECT_EQ(CCalendar::NextDay(GameDate{2008, 2, 28}), (GameDate{2008, 2, 29}));
    EXPECT_EQ(CCalendar::NextDay(GameDate{2008, 2, 29}), (GameDate{2008, 3, 1}));
    EXPECT_EQ(CCalendar::NextDay(GameDate{2007, 2, 28}), (GameDate{2007, 3, 1}));
    EXPECT_EQ(CCalendar::NextDay(GameDate{2007, 12, 31}), (GameDate{2008, 1, 1}));
    EXPECT_EQ(CCalendar::PreviousDay(GameDate{2008, 1, 1}), (GameDate{2007, 12, 31}));
    EXPECT_EQ(CCalendar::PreviousDay(GameDate{2008, 3, 1}), (GameDate{2008, 2, 29}));
    EXPECT_EQ(CCalendar::PreviousDay(GameDate{2007, 9, 1}), (GameDate{2007, 8, 31}));

    // The three-integer form takes year, day, month.
    int year = 2007, day = 30, month = 4;
    CCalendar::NextDay(year, day, month);
    EXPECT_EQ(year, 2007);
    EXPECT_EQ(month, 5);
    EXPECT_EQ(day, 1);

    // A whole leap year walked forwards and back again lands where it started.
    GameDate date{2008, 1, 1};
    for (int i = 0; i < 366; ++i)
        date = CCalendar::NextDay(date);
    EXPECT_EQ(date, (GameDate{2009, 1, 1}));
    for (int i = 0; i < 366; ++i)
        date = CCalendar::PreviousDay(date);
    EXPECT_EQ(date, (GameDate{2008, 1, 1}));
}

TEST(Calendar, InvalidMonthsHaveNoDays) {
    EXPECT_EQ(CCalendar::DaysInMonth(0, 2007), 0);
    EXPECT_EQ(CCalendar::DaysInMonth(13, 2007), 0);
    EXPECT_EQ(CCalendar::NextDay(GameDate{2007, 13, 5}), (GameDate{2008, 1, 1}));
    EXPECT_EQ(CCalendar::PreviousDay(GameDate{2007, 14, 1}).day, 0);
}

TEST(Calendar, LeapYearsFollowTheGregorianRule) {
    EXPECT_TRUE(CCalendar::IsLeapYear(2008));
    EXPECT_TRUE(CCalendar::IsLeapYear(2000));
    EXPECT_FALSE(CCalendar::IsLeapYear(1900));
    EXPECT_FALSE(CCalendar::IsLeapYear(2007));
    EXPECT_EQ(CCalendar::LeapDaysSince1582(1581), -1);
    EXPECT_EQ(CCalendar::LeapDaysSince1582(1583), 0);
    // Each year between adds one leap day exactly when the year before it was a leap year.
    for (int year = 1583; year < 2400; ++year)
        EXPECT_EQ(CCalendar::LeapDaysSince1582(year + 1) - CCalendar::LeapDaysSince1582(year),
                  CCalendar::IsLeapYear(year) ? 1 : 0)
            << year;
}

TEST(Calendar, WeekdaysStartOnSunday) {
    EXPECT_EQ(CCalendar::WeekdayOfNewYear(2007), 1);
    EXPECT_EQ(CCalendar::WeekdayOfNewYear(2006), 0);
    EXPECT_EQ(CCalendar::WeekdayOfNewYear(1500), -1);
    EXPECT_EQ(CCalendar::FirstWeekdayOfMonth(2008, 2), 6);
    EXPECT_EQ(CCalendar::FirstWeekdayOfMonth(2007, 7), 3);
    EXPECT_EQ(CCalendar::FirstWeekdayOfMonth(2007, 12), -1);
    EXPECT_EQ(CCalendar::FirstWeekdayOfMonth(2007, -1), -1);
    EXPECT_EQ(CCalendar::WeekdayOf(GameDate{2006, 8, 17}), 4);
    EXPECT_EQ(CCalendar::WeekdayOf(GameDate{2007, 9, 5}), 3);

    // Consecutive days over several years step the weekday by one.
    GameDate date{1999, 1, 1};
    int weekday = CCalendar::WeekdayOf(date);
    for (int i = 0; i < 3000; ++i) {
        date = CCalendar::NextDay(date);
        weekday = (weekday + 1) % 7;
        ASSERT_EQ(CCalendar::WeekdayOf(date), weekday) << date.year << "-" << date.month << "-" << date.day;
    }
}

TEST(Calendar, NamesComeFromTheLanguageTexts) {
    CCalendar calendar([](int id) { return CStr::Formatted("t%d", id); });
    EXPECT_STREQ(calendar.WeekdayName(GameDate{2007, 8, 1}).GetText(), "t60004");
    EXPECT_STREQ(calendar.WeekdayName(2007, 5, 8).GetText(), "t60001"); // year, day, month: a Sunday
    EXPECT_STREQ(calendar.MonthName(1).GetText(), "t70001");
    EXPECT_STREQ(calendar.MonthName(12).GetText(), "t70012");
    EXPECT_TRUE(calendar.MonthName(13).IsEmpty());

    CCalendar silent;
    EXPECT_TRUE(silent.WeekdayName(GameDate{2007, 8, 1}).IsEmpty());
}

TEST(Calendar, AddingMonthsClampsTheDay) {
    EXPECT_EQ(CCalendar::AddMonths(GameDate{2008, 1, 31}, 1), (GameDate{2008, 2, 29}));
    EXPECT_EQ(CCalendar::AddMonths(GameDate{2007, 11, 15}, 3), (GameDate{2008, 2, 15}));
    EXPECT_EQ(CCalendar::AddMonths(GameDate{2007, 12, 1}, 1), (GameDate{2008, 1, 1}));
    EXPECT_EQ(CCalendar::AddMonths(GameDate{2007, 8, 31}, 25), (GameDate{2009, 9, 30}));
    EXPECT_EQ(CCalendar::AddMonths(GameDate{2007, 8, 31}, 0), (GameDate{2007, 8, 31}));
}

TEST(Calendar, WeekDatesStayInsideTheirYear) {
    GameDate out;
    // 2007 starts on a Monday: week 2 is day 8.
    CCalendar::DateOfWeek(2007, 2, out);
    EXPECT_EQ(out, (GameDate{2007, 1, 8}));
    CCalendar::DateOfWeek(2007, 6, out);
    EXPECT_EQ(out, (GameDate{2007, 2, 5}));
    // 2006 starts on a Sunday: week 1 would be day 0.
    CCalendar::DateOfWeek(2006, 1, out);
    EXPECT_EQ(out, (GameDate{2006, 1, 1}));
    CCalendar::DateOfWeek(2007, 60, out);
    EXPECT_EQ(out, (GameDate{2007, 12, 31}));
    CCalendar::DateOfWeek(2008, -3, out);
    EXPECT_EQ(out, (GameDate{2008, 1, 1}));
    // Every week of every year gives a real date of that year.
    for (int year = 2000; year < 2030; ++year)
        for (int week = 0; week <= 54; ++week) {
            CCalendar::DateOfWeek(year, week, out);
            ASSERT_EQ(out.year, year);
            ASSERT_GE(out.day, 1);
            ASSERT_LE(out.day, CCalendar::DaysInMonth(out.month, year)) << year << " week " << week;
        }
}

TEST(DateKey, OrdersDatesAndKeepsTheTextRule) {
    EXPECT_EQ(MakeDateKey(2007, 9, 3), 20070903);
    EXPECT_EQ(MakeDateKey(GameDate{2008, 12, 31}), 20081231);
    EXPECT_GT(MakeDateKey(2008, 4, 31), MakeDateKey(2008, 4, 30));
    EXPECT_LT(MakeDateKey(2008, 4, 31), MakeDateKey(2008, 5, 1));
    EXPECT_EQ(MakeDateKey(2007, 100, 1), 200710001);
    EXPECT_EQ(MakeDateKey(-5, 1, 1), -50101);
    EXPECT_EQ(MakeDateKey(0, 0, 0), 0);
    EXPECT_EQ(FixtureDateKey(2007, 8, 1), MakeDateKey(2007, 8, 1));
    // The quick arithmetic and the text rule agree wherever both apply.
    for (int year : {0, 7, 1582, 2007, 214748, 214749, 999999})
        for (int month : {0, 1, 9, 10, 12, 99})
            for (int day : {0, 1, 9, 10, 31, 99}) {
                CStr text = CStr::Formatted("%d%s%d%s%d", year, month < 10 ? "0" : "", month,
                                            day < 10 ? "0" : "", day);
                ASSERT_EQ(MakeDateKey(year, month, day), text.ToInt()) << text.GetText();
            }
    // A key too long for an int saturates instead of wrapping to a small or negative number.
    EXPECT_GT(MakeDateKey(99999, 12, 31), MakeDateKey(2008, 1, 1));
}

TEST(DateText, ParsesAndFormatsInCalendarOrder) {
    int year = 0, day = 0, month = 0;
    ParseDate(CStr("2007.08.01"), year, day, month);
    EXPECT_EQ(year, 2007);
    EXPECT_EQ(month, 8);
    EXPECT_EQ(day, 1);
    ParseDate(CStr("2008"), year, day, month);
    EXPECT_EQ(year, 2008);
    EXPECT_EQ(month, 0);
    EXPECT_EQ(day, 0);

    EXPECT_STREQ(FormatDate(2007, 1, 8, CStr("-")).GetText(), "01-08-2007");
    EXPECT_STREQ(FormatDate(2007, 3, 9, CStr(".")).GetText(), "03.09.2007");
    EXPECT_STREQ(FormatDate(2008, 29, 2, CStr("/")).GetText(), "29/02/2008");
}

TEST(Calendar, AYearAtTheIntegerLimitStillHasAWeekday) {
    // A damaged year must not overflow the sum behind the weekday.
    int weekday = CCalendar::WeekdayOfNewYear(INT_MAX);
    EXPECT_GE(weekday, 0);
    EXPECT_LE(weekday, 6);
}
