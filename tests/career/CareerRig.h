// A new league career on the shipped world, its ledger and a day runner, for the daily steps'
// tests over real days.
#pragma once

#include "career/DayRunner.h"
#include "career/MoneySteps.h"
#include "database/Careers.h"
#include "database/HiredStaff.h"

#include "DayTestWorld.h"

namespace daytest {

struct CareerRig {
    std::unique_ptr<CMemoryDB> world = std::make_unique<CMemoryDB>();
    std::unique_ptr<CMemoryDB> career = std::make_unique<CMemoryDB>();
    CFixtureList fixtures;
    CEventList ledger;
    FakeDayHost host{world, career};
    CDayRunner runner{host.session, &host, &fixtures};
    // Days whose opinions the indicators would show again.
    int indicatorRefreshes = 0;
    CTeam* club = nullptr;
    bool ready = false;

    CareerRig() {
        host.ledger = &ledger;
        if (!LoadWorldData(*world, kDataSetLeague) || world->teams.IsEmpty())
            return;
        if (!BuildCareerDatabase(*world, *career, kDataSetLeague, world->teams.At(0)->id, CStr("Tester")))
            return;
        club = career->teams.At(0);
        ready = club != nullptr;
    }

    // One day on from the date given (or today).
    void Day() {
        bool stop = false;
        runner.AdvanceDay(stop);
        indicatorRefreshes += runner.TakeNews().indicators ? 1 : 0;
    }
    void DayAfter(GameDate date) {
        host.date = date;
        Day();
    }
    void RunTo(GameDate last) {
        while (MakeDateKey(host.date) < MakeDateKey(last))
            Day();
    }
    CareerDay Today() const {
        CareerDay day;
        day.world = world.get();
        day.career = career.get();
        day.ledger = const_cast<CEventList*>(&ledger);
        day.today = host.date;
        return day;
    }

    // Hires the first free world staff member of the category.
    const CStaffRecord* Hire(int32_t category) {
        for (const CStaffRecord* member : world->staff)
            if (member->category == category)
                return HireStaffMember(world.get(), *career, *member);
        return nullptr;
    }

    int CountKind(int kind) const {
        int n = 0;
        for (size_t i = 0; i < ledger.Size(); ++i)
            n += ledger.At(i)->Kind() == kind ? 1 : 0;
        return n;
    }
    int CountMails(int row) const {
        int n = 0;
        for (const CEmail* mail : career->emails)
            n += mail->templateRow == row ? 1 : 0;
        return n;
    }
    // Income minus expenses of every booking.
    int64_t LedgerSum(size_t from = 0) const {
        int64_t sum = 0;
        for (size_t i = from; i < ledger.Size(); ++i) {
            const EventPayload& payload = ledger.At(i)->Payload();
            const int direction = PayloadDirection(payload);
            if (direction == kIncome)
                sum += PayloadAmount(payload);
            else if (direction == kExpense)
                sum -= PayloadAmount(payload);
        }
        return sum;
    }
};

} // namespace daytest
