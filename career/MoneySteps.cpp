// The club's daily money steps.
#include "career/MoneySteps.h"

#include "career/Calendar.h"
#include "career/EventList.h"
#include "career/Mail.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

CTeam* Club(const CareerDay& day) {
    return day.career ? day.career->teams.At(0) : nullptr;
}

// Money and figures stay inside the record's range however large the sums grow.
int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void AddMoney(int32_t& money, int64_t delta) {
    money = Saturate(static_cast<int64_t>(money) + delta);
}

double Roll() {
    return GameRand() / static_cast<double>(kGameRandMax);
}

bool SameDate(const GameDate& a, int32_t year, int32_t month, int32_t day) {
    return a.year == year && a.month == month && a.day == day;
}

bool FirstOfMonth(const GameDate& today) {
    GameDate yesterday = CCalendar::PreviousDay(today);
    return yesterday.year < today.year || (yesterday.year == today.year && yesterday.month < today.month);
}

// True once per date: a day that is run again (a date that could not move, a reloaded day) finds
// its key already taken and books nothing.
bool TakeDay(int32_t& lastKey, const GameDate& today) {
    int32_t key = MakeDateKey(today);
    if (key <= lastKey)
        return false;
    lastKey = key;
    return true;
}

int32_t ClampOpinion(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, 100));
}

CStr Text(const CareerDay& day, int id) {
    return LookUpText(day.text, id);
}

} // namespace

CStr MoneyText(int amount) {
    std::string digits =
        std::to_string(amount < 0 ? -static_cast<int64_t>(amount) : static_cast<int64_t>(amount));
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped.push_back(',');
        grouped.push_back(digits[i]);
    }
    return CStr(std::string("$ ") + (amount < 0 ? "-" : "") + grouped);
}

void BookLoans(const CareerDay& day) {
    CTeam* club = Club(day);
    if (!club || !day.ledger || !TakeDay(day.career->careerSteps.Get().loansDayKey, day.today))
        return;
    const GameDate yesterday = CCalendar::PreviousDay(day.today);
    const int32_t todayKey = MakeDateKey(day.today);
    int64_t credit = 0;
    int64_t debit = 0;
    for (CLoan* loan : day.career->loans) {
        if (SameDate(yesterday, loan->year, loan->month, loan->day)) {
            LoanEventData payout;
            payout.scope = kScopeDay;
            payout.direction = kIncome;
            payout.values[1] = loan->months;
            payout.values[2] = loan->amount;
            day.ledger->AddEvent(payout, kLedgerLoan, yesterday.day, yesterday.month, yesterday.year);
            credit += loan->amount;
        }
        if (loan->months <= 0 || !IsGameDate(loan->year, loan->month, loan->day))
            continue;
        // One instalment a month on the day of the month the money came, the day clamped to
        // shorter months; the loan counts what it has repaid, so a term ends exactly.
        const GameDate paidOut = CCalendar::NextDay(GameDate{loan->year, loan->month, loan->day});
        while (loan->paid >= 0 && loan->paid < loan->months) {
            if (MakeDateKey(CCalendar::AddMonths(paidOut, loan->paid + 1)) > todayKey)
                break;
            LoanEventData instalment;
            instalment.scope = kScopeMonth;
            instalment.direction = kExpense;
            instalment.values[1] = loan->months;
            instalment.values[2] = loan->instalment;
            day.ledger->AddEvent(instalment, kLedgerLoan, day.today.day, day.today.month, day.today.year);
            debit += loan->instalment;
            ++loan->paid;
        }
    }
    AddMoney(club->cash, credit - debit);
    AddMoney(club->totalBorrowed, credit);
    // A loan repaid in full leaves the desk, so its place among the open loans is free again.
    std::vector<CLoan*> repaid;
    for (CLoan* loan : day.career->loans)
        if (loan->months > 0 && loan->paid >= loan->months)
            repaid.push_back(loan);
    for (CLoan* loan : repaid)
        day.career->loans.Erase(loan);
}

void BookMonthlyCosts(const CareerDay& day) {
    CTeam* club = Club(day);
    if (!club || !day.ledger || !TakeDay(day.career->careerSteps.Get().costsDayKey, day.today))
        return;
    const GameDate& today = day.today;
    for (const CCampBooking* camp : day.career->campBookings) {
        GameDate first;
        CCalendar::DateOfWeek(camp->year, camp->week, first);
        if (first != today)
            continue;
        AddMoney(club->cash, -static_cast<int64_t>(camp->cost));
        TrainingCampEventData charge;
        charge.scope = kScopeMonth;
        charge.direction = kExpense;
        charge.amount = camp->cost;
        charge.extra = -1;
        day.ledger->AddEvent(charge, kLedgerTrainingCamp, today.day, today.month, today.year);
    }
    if (!FirstOfMonth(today))
        return;

    auto bookWage = [&](int group, const CStr& name, int32_t amount) {
        AddMoney(club->cash, -static_cast<int64_t>(amount));
        WageEventData wage;
        wage.scope = kScopeMonth;
        wage.direction = kExpense;
        wage.group = group;
        wage.name = name;
        wage.amount = amount;
        day.ledger->AddEvent(wage, kLedgerWages, today.day, today.month, today.year);
    };
    for (const CPlayer* player : club->players)
        bookWage(8, player->name, player->words[kWordWage]);
    for (const CStaffRecord* member : club->staff)
        bookWage(0, member->name, member->wage);

    const CStadiumRecord* stadium = club->stadium;
    if (!stadium)
        return;
    day.ledger->BookEntry(StadiumUpkeepEventData{}, kLedgerStadiumUpkeep, today, kScopeMonth, kExpense,
                          stadium->name, stadium->upkeep);
    int64_t total = stadium->upkeep;
    for (const CStadiumWingRecord* wing : stadium->wings) {
        if (wing->level < 1 || wing->partId == kCorePart || wing->monthlyCost <= 0)
            continue;
        total += wing->monthlyCost;
        day.ledger->BookEntry(UpkeepItemEventData{.group = -1}, kLedgerUpkeepItem, today, kScopeMonth,
                              kExpense, Text(day, wing->partId), wing->monthlyCost);
    }
    AddMoney(club->cash, -total);
}

std::vector<SkippedDayBooking> BookSkippedDays(const CareerDay& from, const GameDate& until) {
    std::vector<SkippedDayBooking> booked;
    CareerDay day = from;
    // A season is under a year; a damaged date must not make this run for ever.
    for (int n = 0; n < 400 && MakeDateKey(day.today) < MakeDateKey(until); ++n) {
        day.today = CCalendar::NextDay(day.today);
        const CTeam* club = Club(day);
        const int64_t before = club ? club->cash : 0;
        if (day.ledger)
            day.ledger->BookMonthChange(day.today, club ? club->cash : 0, club ? club->totalBorrowed : 0);
        BookLoans(day);
        BookMonthlyCosts(day);
        if (club && club->cash != before)
            booked.push_back(SkippedDayBooking{day.today, before - club->cash});
    }
    return booked;
}

int ComputeMatchAttendance(const CareerDay& day, int mode, int capacity) {
    CTeam* club = Club(day);
    if (!club)
        return 0;
    // The season's results so far move the fan base once enough matches are played.
    const int64_t seasonKey = MakeDateKey(day.seasonStart);
    int n = 0, wins = 0, losses = 0;
    for (auto it = club->matchStats.rbegin(); it != club->matchStats.rend(); ++it) {
        const CMatchStat* match = *it;
        if (match->DateKey() < seasonKey)
            break;
        ++n;
        if (match->Score() > match->OpponentScore())
            ++wins;
        else
            ++losses;
    }
    int64_t fans = club->fanBase;
    if (n > 3) {
        // Equal shares count as a poor run.
        if (wins > losses) {
            fans += static_cast<int64_t>(fans * 0.03);
        } else {
            fans -= static_cast<int64_t>(fans * 0.03);
            fans = std::max<int64_t>(fans, 10);
        }
        club->fanBase = Saturate(fans);
        fans = club->fanBase;
    }

    const double roll = Roll();
    int64_t share = 0;
    int64_t seats = capacity;
    if (mode == 1) {
        share = std::clamp<int64_t>(static_cast<int64_t>(roll * 100), 20, 100);
        seats = static_cast<int64_t>(capacity * 0.7);
    } else {
        share = std::clamp<int64_t>(static_cast<int64_t>(roll * 50), 10, 50);
    }
    int64_t attendance = static_cast<int64_t>(share * fans * 0.01);
    if (attendance > fans)
        attendance = fans;
    if (attendance < fans)
        attendance += static_cast<int64_t>(fans * 0.05);
    attendance = std::min(attendance, seats);
    if (club->attendance < attendance)
        club->attendance = Saturate(attendance);
    return club->attendance;
}

int64_t TicketShare(const CTeam& club) {
    // The percentage of each seat class sold follows how much of the fan base the hall has drawn.
    // Fans over crowd instead gave 0 % once the best crowd outgrew the fans, and 1 % ever after
    // the first full house: the gate money all but vanished after a club's first home match.
    if (club.attendance <= 0 || club.fanBase <= 0)
        return static_cast<int64_t>(Roll() * 100);
    const int64_t share = static_cast<int64_t>(club.attendance) * 100 / club.fanBase;
    return std::clamp<int64_t>(share, 1, 100);
}

void BookHomeMatchIncome(const CareerDay& day) {
    CTeam* club = Club(day);
    if (!club || !day.ledger || !TakeDay(day.career->careerSteps.Get().gateDayKey, day.today))
        return;
    const GameDate& today = day.today;
    const int64_t share = TicketShare(*club);
    const CStadiumRecord* stadium = club->stadium;
    if (!stadium) {
        // Without a ground the fans gather anyway; no ticket is sold.
        const int64_t x = static_cast<int64_t>(Roll() * -200);
        if (club->attendance < 10 - x)
            club->attendance = Saturate(10 - x);
        return;
    }
    if (stadium->wings.empty()) {
        ComputeMatchAttendance(day, 1, 0);
        return;
    }

    double spectators[5] = {};
    int64_t money[5] = {};
    bool extraA = false, extraB = false;
    int64_t capacity = 0;
    for (const CStadiumWingRecord* wing : stadium->wings) {
        if (wing->level < 1)
            continue;
        if (wing->partId == kPartExtraA) {
            extraA = true;
        } else if (wing->partId == kPartExtraB) {
            extraB = true;
        } else if (wing->partId >= kFirstSeatPart && wing->partId <= kLastSeatPart) {
            const int seatClass = wing->partId - kFirstSeatPart;
            spectators[seatClass] = share * 0.01 * wing->seats;
            money[seatClass] = static_cast<int64_t>(wing->price * spectators[seatClass]);
            capacity += wing->seats;
        } else if (wing->partId == kCorePart) {
            capacity += wing->seats;
            extraA = true;
        }
    }
    double sum = 0;
    for (double seated : spectators)
        sum += seated;
    const int64_t total = static_cast<int64_t>(sum);
    ComputeMatchAttendance(day, 1, Saturate(capacity));

    TicketIncomeEventData gate;
    gate.scope = kScopeDay;
    gate.direction = kIncome;
    gate.extra = 0;
    int64_t takings = 0;
    for (int i = 0; i < 5; ++i) {
        gate.amounts[i] = Saturate(money[i]);
        takings += gate.amounts[i];
    }
    day.ledger->AddEvent(gate, kLedgerGateMoney, today.day, today.month, today.year);
    AddMoney(club->cash, takings);

    auto bookItem = [&](int group, int32_t partId, int64_t amount) {
        const int32_t booked = Saturate(amount);
        day.ledger->BookEntry(UpkeepItemEventData{.group = group}, kLedgerUpkeepItem, today, kScopeDay,
                              kIncome, Text(day, partId), booked);
        AddMoney(club->cash, booked);
    };
    if (extraA)
        bookItem(2, kPartExtraA, static_cast<int64_t>(Roll() * total * 10));
    if (extraB)
        bookItem(1, kPartExtraB, static_cast<int64_t>(Roll() * total * 0.25 * 200));
}

void RunPromotions(const CareerDay& day) {
    CTeam* club = Club(day);
    if (!club || !day.world || !day.ledger || day.world->opinions.IsEmpty())
        return;
    const GameDate& today = day.today;
    CTeamOpinion* opinion = day.world->opinions.FindByTeam(club->id);

    CMyPromotionList& schedule = day.career->myPromotions;
    std::vector<CMyPromotion*> todays;
    for (CMyPromotion* promotion : schedule)
        if (SameDate(today, promotion->year, promotion->month, promotion->day))
            todays.push_back(promotion);
    for (const CMyPromotion* promotion : todays) {
        switch (promotion->nameTextId) {
        case 302500:
        case 302503:
        case 302504: {
            day.ledger->BookEntry(UpkeepItemEventData{.group = -1}, kLedgerUpkeepItem, today, kScopeDay,
                                  kExpense, Text(day, promotion->nameTextId), promotion->cost);
            AddMoney(club->cash, -static_cast<int64_t>(promotion->cost));
            break;
        }
        case 302501:
        case 302502:
        case 302505: {
            day.ledger->BookEntry(FunShopEventData{}, kLedgerFunShop, today, kScopeDay, kExpense,
                                  Text(day, promotion->nameTextId), promotion->cost);
            AddMoney(club->cash, -static_cast<int64_t>(promotion->cost));
            break;
        }
        default:
            break; // an unknown promotion still moves the fans, but costs nothing
        }
        // Opinions are percentages: a large boost or a negative delta stays within 0-100.
        if (opinion) {
            opinion->current[0] =
                ClampOpinion(static_cast<int64_t>(opinion->current[0]) + promotion->opinionDelta1);
            opinion->current[1] =
                ClampOpinion(static_cast<int64_t>(opinion->current[1]) + promotion->opinionDelta2);
            opinion->current[2] =
                ClampOpinion(static_cast<int64_t>(opinion->current[2]) + promotion->attendanceBoost);
        }
        club->attendance =
            Saturate(static_cast<int64_t>(club->attendance * (promotion->attendanceBoost * 0.01 + 1.0)));
    }
    for (auto it = todays.rbegin(); it != todays.rend(); ++it)
        schedule.Erase(*it);
    if (todays.empty())
        return;

    CStr sender;
    const CCareerSteps* steps = day.career->careerSteps.At(0);
    if (const CStaffRecord* chosen = steps ? day.world->FindStaff(steps->staffSelection) : nullptr)
        sender = chosen->name;
    CreateEmail(day.world, day.career, kMailRowPromotion, today.year, today.month, today.day,
                Text(day, kStaffPhysiotherapist), sender, kStaffPhysiotherapist);
}

void SendMonthlyMoneyReport(const CareerDay& day) {
    CTeam* club = Club(day);
    if (!club)
        return;
    const GameDate& today = day.today;
    // The month of the last report is saved with the career, so a reload does not report twice.
    CCareerSteps& steps = day.career->careerSteps.Get();
    if (steps.reportYear == today.year && steps.reportMonth == today.month)
        return;
    // A career's first day has no month behind it to report.
    const bool firstDay = steps.reportYear == 0;
    steps.reportYear = today.year;
    steps.reportMonth = today.month;
    if (firstDay)
        return;

    auto sum = [&](int year, int month, int direction) {
        return day.ledger ? day.ledger->SumMonth(year, month, direction, today) : 0;
    };
    // The report is of the month just ended: the new one has booked nothing yet.
    const GameDate lastMonth = CCalendar::PreviousDay(GameDate{today.year, today.month, 1});
    const int expenses = sum(lastMonth.year, lastMonth.month, kExpense);
    const int income = sum(lastMonth.year, lastMonth.month, kIncome);
    const std::unique_ptr<CStaffRecord> manager = FindHiredStaff(club, kStaffBusinessManager);
    if (!manager)
        return;
    const CStr category = Text(day, kStaffBusinessManager);
    CreateEmail(day.world, day.career, kMailRowMoneyReport, today.year, today.month, today.day, category,
                manager->name, kStaffBusinessManager,
                {MoneyText(expenses), MoneyText(income),
                 MoneyText(Saturate(static_cast<int64_t>(income) - expenses))});

    const int nextYear = today.month == 12 ? today.year + 1 : today.year;
    const int nextMonth = today.month == 12 ? 1 : today.month + 1;
    const int64_t nextBalance = static_cast<int64_t>(club->cash) + sum(nextYear, nextMonth, kIncome) -
                                sum(nextYear, nextMonth, kExpense);
    if (nextBalance < 0)
        CreateEmail(day.world, day.career, kMailRowOverdraft, today.year, today.month, today.day, category,
                    manager->name, kStaffBusinessManager);
}
