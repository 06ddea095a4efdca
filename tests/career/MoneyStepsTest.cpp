// The club's money over real days of a career on the shipped world: the month's costs, the gate
// money of a home match, loans, camps, promotions, the money report, and a season whose ledger
// accounts for every change of the club's cash.
#include "career/MoneySteps.h"
#include "career/DayRunner.h"
#include "database/Careers.h"
#include "database/HiredStaff.h"
#include "engine/GameRand.h"

#include "CareerRig.h"

#include <gtest/gtest.h>

using namespace daytest;

namespace {

CLoan* TakeLoan(CMemoryDB& career, GameDate taken, int amount, int months) {
    auto* loan = new CLoan();
    loan->year = taken.year;
    loan->month = taken.month;
    loan->day = taken.day;
    loan->amount = amount;
    loan->months = months;
    loan->instalment = static_cast<int>(static_cast<double>(amount) / months * 1.15);
    career.loans.Append(loan);
    return loan;
}

} // namespace

TEST(MoneySteps, TheFirstOfTheMonthPaysEveryWageSalaryAndTheStadiumOnce) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    ASSERT_NE(rig.Hire(kStaffHeadCoach), nullptr);
    ASSERT_NE(rig.Hire(kStaffScout), nullptr);
    ASSERT_NE(club.stadium, nullptr);
    // A built part with a running cost, one not built, and the core, which costs nothing extra.
    int64_t expected = club.stadium->upkeep;
    int parts = 0;
    for (CStadiumWingRecord* wing : club.stadium->wings) {
        if (wing->partId == kFirstPart + 2) {
            wing->level = 1;
            wing->monthlyCost = 1500;
        } else if (wing->partId == kFirstPart + 3) {
            wing->level = 0;
            wing->monthlyCost = 9000;
        }
        if (wing->level >= 1 && wing->partId != kCorePart && wing->monthlyCost > 0) {
            expected += wing->monthlyCost;
            ++parts;
        }
    }
    ASSERT_GE(parts, 1);
    for (const CPlayer* player : club.players)
        expected += player->words[kWordWage];
    for (const CStaffRecord* member : club.staff)
        expected += member->wage;
    ASSERT_GT(expected, 0);

    // A day in the middle of a month costs nothing.
    const int32_t opening = club.cash;
    rig.DayAfter(GameDate{2007, 8, 20});
    EXPECT_EQ(club.cash, opening);

    rig.DayAfter(GameDate{2007, 8, 31});
    EXPECT_EQ(static_cast<int64_t>(opening) - club.cash, expected);
    EXPECT_EQ(rig.CountKind(kLedgerWages), static_cast<int>(club.players.size() + club.staff.size()));
    EXPECT_EQ(rig.CountKind(kLedgerStadiumUpkeep), 1);
    EXPECT_EQ(rig.CountKind(kLedgerUpkeepItem), parts);
    for (size_t i = 0; i < rig.ledger.Size(); ++i) {
        const CCalendarEvent* event = rig.ledger.At(i);
        if (event->Kind() == kLedgerMonthChange)
            continue;
        EXPECT_EQ(event->Day(), 1);
        EXPECT_EQ(event->Month(), 9);
        EXPECT_EQ(PayloadScope(event->Payload()), kScopeMonth);
        EXPECT_EQ(PayloadDirection(event->Payload()), kExpense);
        if (event->Kind() == kLedgerUpkeepItem) {
            EXPECT_EQ(std::get<UpkeepItemEventData>(event->Payload()).group, -1);
        }
    }
    EXPECT_EQ(rig.ledger.SumMonth(2007, 9, kExpense, rig.host.date), expected);

    // The same day run again (a date that could not move) books nothing more.
    const size_t booked = rig.ledger.Size();
    const int32_t after = club.cash;
    rig.DayAfter(GameDate{2007, 8, 31});
    EXPECT_EQ(rig.ledger.Size(), booked);
    EXPECT_EQ(club.cash, after);
}

TEST(MoneySteps, AHomeMatchBooksTheGatePerBuiltSeatClassAndTheExtras) {
    GameSrand(5);
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    ASSERT_NE(club.stadium, nullptr);
    club.fanBase = 20000;
    club.attendance = 5000; // the best crowd a quarter of the fans: 25 % of each class's seats
    bool extraB = false;
    for (CStadiumWingRecord* wing : club.stadium->wings) {
        if (wing->partId == kFirstSeatPart + 1)
            wing->level = 0; // the second seat class is not built
        if (wing->partId == kPartExtraB) {
            wing->level = 1;
            extraB = true;
        }
    }
    ASSERT_TRUE(extraB);
    rig.fixtures.AddFixture(&club, rig.world->teams.At(1), rig.career->leagues.At(0), 2007, 8, 20);
    rig.fixtures.FinishSchedule();

    const int32_t opening = club.cash;
    rig.DayAfter(GameDate{2007, 8, 19});
    ASSERT_TRUE(rig.runner.UserAtHome());
    ASSERT_EQ(rig.CountKind(kLedgerGateMoney), 1);
    const CCalendarEvent* gate = nullptr;
    for (size_t i = 0; i < rig.ledger.Size(); ++i)
        if (rig.ledger.At(i)->Kind() == kLedgerGateMoney)
            gate = rig.ledger.At(i);
    EXPECT_EQ(gate->Day(), 20);
    const auto& tickets = std::get<TicketIncomeEventData>(gate->Payload());
    EXPECT_EQ(tickets.scope, kScopeDay);
    EXPECT_EQ(tickets.direction, kIncome);
    for (const CStadiumWingRecord* wing : club.stadium->wings) {
        if (wing->partId < kFirstSeatPart || wing->partId > kLastSeatPart)
            continue;
        const int seatClass = wing->partId - kFirstSeatPart;
        const int expected = wing->level >= 1 ? static_cast<int>(wing->price * (25 * 0.01 * wing->seats)) : 0;
        EXPECT_EQ(tickets.amounts[seatClass], expected) << "seat class " << seatClass + 1;
    }
    // The core gives the match-day sales, the built part the hospitality: both are income.
    EXPECT_EQ(rig.CountKind(kLedgerUpkeepItem), 2);
    EXPECT_GT(club.cash, opening);
    EXPECT_EQ(club.cash - opening, rig.LedgerSum());
    EXPECT_GE(club.attendance, 5000);
}

// The share of seats sold follows the best crowd against the fans, so a club keeps selling after
// a full house, and a hall that once drew more than the fan base still sells every seat class.
TEST(MoneySteps, TheTicketShareFollowsTheCrowdAgainstTheFans) {
    CTeam club;
    club.fanBase = 5000;
    club.attendance = 3500;
    EXPECT_EQ(TicketShare(club), 70);
    club.attendance = 6000;
    EXPECT_EQ(TicketShare(club), 100);
    club.attendance = 10;
    EXPECT_EQ(TicketShare(club), 1);
    club.attendance = 0; // no crowd drawn yet: rolled
    for (int i = 0; i < 20; ++i) {
        const int64_t rolled = TicketShare(club);
        EXPECT_GE(rolled, 0);
        EXPECT_LE(rolled, 100);
    }
    club.fanBase = 0;
    club.attendance = 100;
    EXPECT_LE(TicketShare(club), 100);

    GameSrand(7);
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& own = *rig.club;
    ASSERT_NE(own.stadium, nullptr);
    own.fanBase = 5000;
    own.attendance = 5200; // the best crowd outgrew the fans
    rig.fixtures.AddFixture(&own, rig.world->teams.At(1), rig.career->leagues.At(0), 2007, 10, 14);
    rig.fixtures.AddFixture(&own, rig.world->teams.At(2), rig.career->leagues.At(0), 2007, 10, 17);
    rig.fixtures.FinishSchedule();
    auto gateOf = [&](int day) {
        int64_t takings = 0;
        for (size_t i = 0; i < rig.ledger.Size(); ++i) {
            const CCalendarEvent* event = rig.ledger.At(i);
            if (event->Kind() == kLedgerGateMoney && event->Day() == day)
                for (int32_t amount : std::get<TicketIncomeEventData>(event->Payload()).amounts)
                    takings += amount;
        }
        return takings;
    };
    rig.DayAfter(GameDate{2007, 10, 13});
    ASSERT_TRUE(rig.runner.UserAtHome());
    const int64_t first = gateOf(14);
    EXPECT_GT(first, 0) << "a hall fuller than the fan base sold no ticket";
    rig.DayAfter(GameDate{2007, 10, 16});
    EXPECT_EQ(gateOf(17), first) << "the second home match sells the same share of the same seats";
}

TEST(MoneySteps, ALoanIsPaidOutTheNextDayAndRepaidMonthlyForItsTerm) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    rig.career->players.Clear(); // no wages to blur the sums
    club.players.clear();
    club.staff.clear();
    club.stadium = nullptr;
    const CLoan* loan = TakeLoan(*rig.career, GameDate{2007, 9, 10}, 120000, 3);
    const int32_t instalment = loan->instalment;
    const int32_t opening = club.cash;
    const int32_t borrowed = club.totalBorrowed;

    rig.DayAfter(GameDate{2007, 9, 9}); // the day it is taken
    EXPECT_EQ(club.cash, opening);
    rig.Day();
    EXPECT_EQ(club.cash, opening + 120000);
    EXPECT_EQ(club.totalBorrowed, borrowed + 120000);
    ASSERT_EQ(rig.CountKind(kLedgerLoan), 1);
    EXPECT_EQ(rig.ledger.At(rig.ledger.Size() - 1)->Day(), 10); // dated the day it was taken

    std::vector<GameDate> charged;
    int32_t cash = club.cash;
    while (MakeDateKey(rig.host.date) < MakeDateKey(2008, 3, 1)) {
        rig.Day();
        if (club.cash != cash) {
            EXPECT_EQ(cash - club.cash, instalment);
            charged.push_back(rig.host.date);
            cash = club.cash;
        }
    }
    const std::vector<GameDate> expected = {{2007, 10, 11}, {2007, 11, 11}, {2007, 12, 11}};
    EXPECT_EQ(charged, expected);
    // Repaid in full, it leaves the list of open loans.
    EXPECT_TRUE(rig.career->loans.IsEmpty());
    EXPECT_EQ(rig.CountKind(kLedgerLoan), 4);
    EXPECT_EQ(club.totalBorrowed, borrowed + 120000);

    // Paid out on the 31st: the instalment falls on the last day of a shorter month.
    TakeLoan(*rig.career, GameDate{2008, 3, 30}, 10000, 2);
    const size_t from = rig.ledger.Size();
    rig.RunTo(GameDate{2008, 7, 1});
    EXPECT_TRUE(rig.career->loans.IsEmpty());
    std::vector<GameDate> instalments;
    for (size_t i = from; i < rig.ledger.Size(); ++i) {
        const CCalendarEvent* event = rig.ledger.At(i);
        if (event->Kind() == kLedgerLoan && PayloadDirection(event->Payload()) == kExpense)
            instalments.push_back(GameDate{event->Year(), event->Month(), event->Day()});
    }
    EXPECT_EQ(instalments, (std::vector<GameDate>{{2008, 4, 30}, {2008, 5, 31}}));
}

TEST(MoneySteps, ACampIsChargedOnceOnTheFirstDateOfItsWeek) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    auto* camp = new CCampBooking();
    camp->year = 2007;
    camp->week = 37;
    camp->cost = 150000;
    rig.career->campBookings.Append(camp);
    GameDate first;
    CCalendar::DateOfWeek(2007, 37, first);
    ASSERT_EQ(first.month, 9);
    ASSERT_GT(first.day, 2);

    rig.host.date = GameDate{2007, 9, 2};
    rig.RunTo(GameDate{2007, 9, 30});
    ASSERT_EQ(rig.CountKind(kLedgerTrainingCamp), 1);
    for (size_t i = 0; i < rig.ledger.Size(); ++i) {
        const CCalendarEvent* event = rig.ledger.At(i);
        if (event->Kind() != kLedgerTrainingCamp)
            continue;
        EXPECT_EQ((GameDate{event->Year(), event->Month(), event->Day()}), first);
        EXPECT_EQ(PayloadAmount(event->Payload()), 150000);
    }
    // Its day again changes nothing.
    const int32_t cash = rig.club->cash;
    rig.DayAfter(CCalendar::PreviousDay(first));
    EXPECT_EQ(rig.CountKind(kLedgerTrainingCamp), 1);
    EXPECT_EQ(rig.club->cash, cash);
}

TEST(MoneySteps, PromotionsCostMoveTheFansWithinTheirRangeAndSendOneNotice) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    CTeamOpinion* opinion = rig.world->opinions.FindByTeam(club.id);
    ASSERT_NE(opinion, nullptr);
    opinion->current[0] = 95;
    opinion->current[1] = 20;
    opinion->current[2] = 50;
    club.attendance = 1000;
    const CStaffRecord* chosen = rig.world->staff.At(0);
    rig.career->careerSteps.Get().staffSelection = chosen->id;
    auto book = [&](int32_t textId, int cost, int boost, int d1, int d2, GameDate date) {
        auto* p = new CMyPromotion();
        p->nameTextId = textId;
        p->cost = cost;
        p->attendanceBoost = boost;
        p->opinionDelta1 = d1;
        p->opinionDelta2 = d2;
        p->year = date.year;
        p->month = date.month;
        p->day = date.day;
        rig.career->myPromotions.PushBack(p);
    };
    book(302500, 4000, 10, 10, -50, {2007, 8, 21}); // an itemised cost
    book(302502, 2500, 0, 0, 0, {2007, 8, 21});     // a fun-shop cost
    book(302599, 9999, 0, 0, 0, {2007, 8, 21});     // unknown: no cost, still counts
    book(302501, 1000, 5, 1, 1, {2007, 9, 5});      // another day

    const int32_t opening = club.cash;
    rig.DayAfter(GameDate{2007, 8, 20});
    EXPECT_EQ(opinion->previous[0], 95);
    EXPECT_EQ(opinion->current[0], 100);
    EXPECT_EQ(opinion->current[1], 0);
    EXPECT_EQ(opinion->current[2], 60);
    EXPECT_EQ(club.attendance, 1100);
    EXPECT_EQ(opening - club.cash, 6500);
    EXPECT_EQ(rig.CountKind(kLedgerUpkeepItem), 1);
    EXPECT_EQ(rig.CountKind(kLedgerFunShop), 1);
    ASSERT_EQ(rig.career->myPromotions.Size(), 1);
    EXPECT_EQ(rig.career->myPromotions.At(0)->day, 5);
    ASSERT_EQ(rig.CountMails(kMailRowPromotion), 1);
    for (const CEmail* mail : rig.career->emails)
        if (mail->templateRow == kMailRowPromotion) {
            EXPECT_STREQ(mail->senderName.GetText(), chosen->name.GetText());
            EXPECT_EQ(mail->type, 80059);
        }
    // A day without a promotion only keeps the old values.
    rig.Day();
    EXPECT_EQ(opinion->previous[0], 100);
    EXPECT_EQ(rig.CountMails(kMailRowPromotion), 1);
}

TEST(MoneySteps, TheMoneyReportGoesOutOnceAMonthOnlyWithABusinessManager) {
    {
        // A new career's first day has no month behind it: no report of nothing.
        CareerRig first;
        ASSERT_TRUE(first.ready) << "the generated league data set is missing";
        ASSERT_NE(first.Hire(kStaffBusinessManager), nullptr);
        first.Day();
        EXPECT_EQ(first.CountMails(kMailRowMoneyReport), 0);
    }
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    rig.RunTo(GameDate{2007, 9, 15});
    EXPECT_EQ(rig.CountMails(kMailRowMoneyReport), 0);

    ASSERT_NE(rig.Hire(kStaffBusinessManager), nullptr);
    rig.RunTo(GameDate{2007, 11, 20});
    // September was reported on its first day already; October and November get one each, each
    // with the figures of the month just ended.
    EXPECT_EQ(rig.CountMails(kMailRowMoneyReport), 2);
    for (const CEmail* mail : rig.career->emails)
        if (mail->templateRow == kMailRowMoneyReport) {
            EXPECT_EQ(mail->day, 1);
            EXPECT_EQ(mail->type, kStaffBusinessManager);
            const int month = mail->month - 1;
            const GameDate end{2007, 11, 20};
            const int expenses = rig.ledger.SumMonth(2007, month, kExpense, end);
            const int income = rig.ledger.SumMonth(2007, month, kIncome, end);
            EXPECT_GT(expenses, 0) << "the wages of month " << month;
            EXPECT_STREQ(mail->placeholders[0].GetText(), MoneyText(expenses).GetText());
            EXPECT_STREQ(mail->placeholders[1].GetText(), MoneyText(income).GetText());
            EXPECT_STREQ(mail->placeholders[2].GetText(), MoneyText(income - expenses).GetText());
        }

    // The month remembered is the career's: a day run again after a reload sends no second one.
    rig.DayAfter(GameDate{2007, 10, 31});
    EXPECT_EQ(rig.CountMails(kMailRowMoneyReport), 2);

    // A club heading into the red is warned along with the report.
    EXPECT_EQ(rig.CountMails(kMailRowOverdraft), 0);
    rig.club->cash = -5;
    rig.RunTo(GameDate{2007, 12, 1});
    EXPECT_EQ(rig.CountMails(kMailRowMoneyReport), 3);
    EXPECT_EQ(rig.CountMails(kMailRowOverdraft), 1);
}

TEST(MoneySteps, AttendanceFollowsTheSeasonsResultsAndTheHall) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    club.matchStats.clear();
    auto result = [&](GameDate date, int scored, int conceded) {
        auto* stat = new CMatchStat();
        stat->Field(8) = date.year;
        stat->Field(7) = date.month;
        stat->Field(6) = date.day;
        stat->Field(9) = scored;
        stat->Field(10) = conceded;
        rig.career->matchStats.Append(stat);
        club.matchStats.push_back(stat);
    };
    CareerDay day = rig.Today();
    // Last season's matches do not count; three of this season are too few to move the fans.
    result({2007, 5, 1}, 50, 90);
    for (int i = 0; i < 3; ++i)
        result({2007, 9, 1 + i}, 40, 80);
    club.fanBase = 1000;
    club.attendance = 0;
    EXPECT_EQ(ComputeMatchAttendance(day, 1, 100), 70); // 70 % of the hall at most
    EXPECT_EQ(club.fanBase, 1000);
    // Two wins and two losses: an even run loses 3 %, never below 10.
    result({2007, 9, 10}, 90, 40);
    result({2007, 9, 11}, 90, 40);
    result({2007, 9, 12}, 91, 40);
    club.attendance = 5000;
    EXPECT_EQ(ComputeMatchAttendance(day, 0, 100000), 5000); // a larger figure stays
    EXPECT_EQ(club.fanBase, 970);
    club.fanBase = 10;
    ComputeMatchAttendance(day, 0, 100000);
    EXPECT_EQ(club.fanBase, 10);
}

TEST(MoneySteps, OverASeasonTheCashMovesExactlyByTheLedger) {
    GameSrand(3);
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    ScheduleSettings settings;
    ASSERT_TRUE(
        BuildLeagueFixtures(rig.fixtures, rig.career->leagues.At(0), rig.world.get(), 2007, settings));
    ASSERT_NE(rig.Hire(kStaffBusinessManager), nullptr);
    rig.club->fanBase = 15000;
    TakeLoan(*rig.career, GameDate{2007, 10, 3}, 200000, 6);
    auto* camp = new CCampBooking();
    camp->year = 2007;
    camp->week = 45;
    camp->cost = 50000;
    rig.career->campBookings.Append(camp);
    auto* promotion = new CMyPromotion();
    promotion->nameTextId = 302504;
    promotion->cost = 7000;
    promotion->attendanceBoost = 5;
    promotion->year = 2007;
    promotion->month = 11;
    promotion->day = 17;
    rig.career->myPromotions.PushBack(promotion);

    const int64_t opening = rig.club->cash;
    rig.RunTo(rig.fixtures.LastDate());
    EXPECT_GT(rig.CountKind(kLedgerGateMoney), 0);
    EXPECT_EQ(rig.CountKind(kLedgerTrainingCamp), 1);
    // Repaid in full by the season's end, it has left the open loans.
    EXPECT_TRUE(rig.career->loans.IsEmpty());
    EXPECT_EQ(rig.CountKind(kLedgerLoan), 1 + 6);
    EXPECT_NE(rig.club->cash, opening);
    EXPECT_EQ(rig.club->cash, opening + rig.LedgerSum());
}
