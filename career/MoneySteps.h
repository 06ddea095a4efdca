// The club's daily money: loans, the monthly costs, the gate money of a home match with its
// attendance, the day's promotions and the monthly money report. Each step works on the career's
// records and the ledger and books every change of the club's money there.
#pragma once

#include "career/TextLookup.h"
#include "database/GameDate.h"
#include "engine/Str.h"

#include <cstdint>
#include <vector>

class CEventList;
class CMemoryDB;
class CTeam;

// Stadium parts the gate money and the costs look at.
constexpr int32_t kPartExtraA = 300048; // match-day sales
constexpr int32_t kPartExtraB = 300049; // hospitality
constexpr int32_t kFirstPromotion = 302500;

// Mail rows and categories of the money steps.
constexpr int kMailRowMoneyReport = 27;
constexpr int kMailRowOverdraft = 18;
constexpr int kMailRowPromotion = 30;

// What one day's steps work on. The club is the career's first team.
struct CareerDay {
    CMemoryDB* world = nullptr;
    CMemoryDB* career = nullptr;
    CEventList* ledger = nullptr;
    GameDate today;
    GameDate seasonStart{2007, 8, 1};
    TextLookup text;
};

// Credits the loans taken yesterday and charges each loan's monthly instalment, on the day of the
// month it was paid out, until its term is repaid.
void BookLoans(const CareerDay& day);
// Training camps whose week starts today; on the first of a month the wages, the staff salaries,
// the stadium's upkeep and its parts' costs.
void BookMonthlyCosts(const CareerDay& day);
// Moves the fan base by the season's results, rolls the attendance (mode 1 a home match on
// `capacity` seats, others an away match), keeps the larger figure and returns the club's figure.
int ComputeMatchAttendance(const CareerDay& day, int mode, int capacity);
// The percentage of each seat class a home match sells: the best crowd against the fan base,
// rolled while the club has drawn no crowd yet.
int64_t TicketShare(const CTeam& club);
// The gate money of a home match per seat class and the two match-day items.
void BookHomeMatchIncome(const CareerDay& day);
// Today's scheduled promotions: their costs, their effect on the fans' opinions and the
// attendance, and one notice mail.
void RunPromotions(const CareerDay& day);
// Once a month the business manager reports the month's money, and warns when next month's
// bookings would overdraw the club.
void SendMonthlyMoneyReport(const CareerDay& day);

// A day the season's rollover jumps over on which the club's money moved: what left it that day
// (wages, upkeep, instalments, a camp) less what came in.
struct SkippedDayBooking {
    GameDate date;
    int64_t cost = 0;
};

// The days the season's rollover jumps over, up to and including `until`: each closes its month
// in the ledger and books its loans, camps, wages and upkeep as a played day would, so the summer
// costs what the season does and a camp booked for it is held. Returns the days whose bookings
// moved the club's money, in date order, so the manager can be told what was booked.
std::vector<SkippedDayBooking> BookSkippedDays(const CareerDay& from, const GameDate& until);

// "$ 1,234,567", "$ -250": the amounts of the report mails.
CStr MoneyText(int amount);
