#include "career/DailySteps.h"

#include "career/EventList.h"
#include "career/FixtureList.h"
#include "career/FunShop.h"
#include "career/Gossip.h"
#include "career/Indicators.h"
#include "career/SponsorSteps.h"
#include "career/SquadSteps.h"
#include "career/StadiumConstruction.h"
#include "career/Training.h"
#include "database/MemoryDB.h"

namespace {

// The plan the player saved for the date he saw as today; his match day has no training (the
// players played).
void TrainDayLeft(const DailyStepInput& in) {
    const CTeam* user = in.day.career ? in.day.career->teams.At(0) : nullptr;
    if (!user)
        return;
    const GameDate& left = in.dayLeft;
    if (in.fixtures)
        for (const CFixture* fixture : in.fixtures->GetFixturesOn(left.year, left.month, left.day))
            if ((fixture->home && fixture->home->id == user->id) ||
                (fixture->away && fixture->away->id == user->id))
                return;
    CareerDay day = in.day;
    day.today = left;
    RunDailyTraining(day);
}

void MorningIndicators(const DailyStepInput& in) {
    if (in.day.career && in.day.world)
        RebaseIndicators(*in.day.world);
}

void Sponsors(const DailyStepInput& in) {
    if (in.day.career && in.day.world) {
        OfferSponsor(in.day);
        DecideSponsorOffer(in.day);
    }
}

// The steps that only a career has something to do for.
template <void (*Step)(const CareerDay&)> void WithCareer(const DailyStepInput& in) {
    if (in.day.career)
        Step(in.day);
}

template <void (*Step)(const CareerDay&)> void Always(const DailyStepInput& in) {
    Step(in.day);
}

void MonthChange(const DailyStepInput& in) {
    if (!in.day.ledger)
        return;
    const CTeam* club = in.day.career ? in.day.career->teams.At(0) : nullptr;
    in.day.ledger->BookMonthChange(in.day.today, club ? club->cash : 0, club ? club->totalBorrowed : 0);
}

void Gossip(const DailyStepInput& in) {
    if (in.day.career && in.day.world) {
        GossipDailyUpdate(*in.day.world, in.day.today);
        SendMoodMail(in.day);
    }
}

void StadiumWorks(const DailyStepInput& in) {
    const CTeam* club = in.day.career ? in.day.career->teams.At(0) : nullptr;
    if (club && club->stadium)
        RunStadiumConstructionDay(*in.day.career);
}

// Sales need an open shop; orders already paid for arrive even when it is not.
void FunShopDeliveries(const DailyStepInput& in) {
    if (!in.day.career)
        return;
    const int level = FunShopLevel(*in.day.career);
    if (level > 0 || PendingFunShopOrders(*in.day.career) > 0)
        DeliverFunShopOrders(in.day, level);
}

constexpr DailyStep kSteps[] = {
    {"training", DayPhase::BeforeMatches, false, TrainDayLeft},
    {"indicator references", DayPhase::BeforeMatches, true, MorningIndicators},
    {"sponsors", DayPhase::BeforeMatches, true, Sponsors},
    {"team opinions", DayPhase::BeforeMatches, true, WithCareer<CheckTeamOpinions>},
    {"fun-shop notices", DayPhase::BeforeMatches, true, WithCareer<SendFunShopDeliveryNotices>},
    {"scout report", DayPhase::BeforeMatches, true, WithCareer<SendScoutReport>},
    {"injuries", DayPhase::BeforeMatches, true, WithCareer<UpdateInjuries>},
    {"money report", DayPhase::BeforeMatches, true, WithCareer<SendMonthlyMoneyReport>},
    {"promotions", DayPhase::BeforeMatches, true, Always<RunPromotions>},
    {"month change", DayPhase::BeforeMatches, true, MonthChange},
    {"loans", DayPhase::BeforeMatches, true, Always<BookLoans>},
    {"monthly costs", DayPhase::BeforeMatches, true, Always<BookMonthlyCosts>},
    {"laments", DayPhase::BeforeMatches, true, Always<RunLaments>},
    // A stage ordered and paid for is built in every mode: the money has already left.
    {"stadium works", DayPhase::AfterMatches, false, StadiumWorks},
    {"gossip", DayPhase::AfterMatches, true, Gossip},
    {"fun-shop deliveries", DayPhase::AfterMatches, true, FunShopDeliveries},
};

} // namespace

std::span<const DailyStep> DailySteps() {
    return kSteps;
}

void RunDailySteps(DayPhase phase, const DailyStepInput& input) {
    for (const DailyStep& step : kSteps)
        if (step.phase == phase && (!step.leagueOnly || !input.tournament))
            step.run(input);
}
