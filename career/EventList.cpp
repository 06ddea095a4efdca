// The money ledger: booking with per-kind field copies, the day, month and year views and month sums.
#include "career/EventList.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <type_traits>

namespace {

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// A fresh record of the kind's layout with the fields a booking carries over; the trailing
// flags and spare words keep their defaults.
EventPayload CopyBookedFields(const EventPayload& source) {
    return std::visit(Overloaded{
                          [](const TicketIncomeEventData& p) -> EventPayload { return p; },
                          [](const LedgerEventData& p) -> EventPayload {
                              LedgerEventData r;
                              r.scope = p.scope;
                              r.direction = p.direction;
                              r.text = p.text;
                              r.amount = p.amount;
                              r.reference = p.reference;
                              return r;
                          },
                          [](const LoanEventData& p) -> EventPayload {
                              LoanEventData r;
                              r.scope = p.scope;
                              r.direction = p.direction;
                              for (int i = 0; i < 3; ++i)
                                  r.values[i] = p.values[i];
                              return r;
                          },
                          [](const FunShopEventData& p) -> EventPayload {
                              FunShopEventData r;
                              r.scope = p.scope;
                              r.direction = p.direction;
                              r.text = p.text;
                              r.amount = p.amount;
                              return r;
                          },
                          [](const WageEventData& p) -> EventPayload {
                              WageEventData r;
                              r.scope = p.scope;
                              r.direction = p.direction;
                              r.group = p.group;
                              r.name = p.name;
                              r.amount = p.amount;
                              r.reference = p.reference;
                              return r;
                          },
                          [](const StadiumUpkeepEventData& p) -> EventPayload {
                              StadiumUpkeepEventData r;
                              r.scope = p.scope;
                              r.direction = p.direction;
                              r.text = p.text;
                              r.amount = p.amount;
                              return r;
                          },
                          [](const UpkeepItemEventData& p) -> EventPayload {
                              UpkeepItemEventData r;
                              r.group = p.group;
                              r.scope = p.scope;
                              r.direction = p.direction;
                              r.text = p.text;
                              r.amount = p.amount;
                              return r;
                          },
                          [](const TrainingCampEventData& p) -> EventPayload {
                              TrainingCampEventData r;
                              r.scope = p.scope;
                              r.direction = p.direction;
                              r.amount = p.amount;
                              r.extra = p.extra;
                              return r;
                          },
                          [](const MonthChangeEventData& p) -> EventPayload { return p; },
                          [](const MiscEventData& p) -> EventPayload { return p; },
                          [](const TransferEventData& p) -> EventPayload { return p; },
                      },
                      source);
}

bool IsValidKind(int kind) {
    return kind >= 0 && kind < kLedgerKindCount;
}

} // namespace

EventPayload MakeDefaultPayload(int kind) {
    switch (kind) {
    case kLedgerGateMoney:
        return TicketIncomeEventData{};
    case kLedgerLoan:
        return LoanEventData{};
    case kLedgerFunShop:
        return FunShopEventData{};
    case kLedgerWages:
        return WageEventData{};
    case kLedgerRestored8:
    case kLedgerStadiumUpkeep:
        return StadiumUpkeepEventData{};
    case kLedgerUpkeepItem:
        return UpkeepItemEventData{};
    case kLedgerTrainingCamp:
        return TrainingCampEventData{};
    case kLedgerMonthChange:
        return MonthChangeEventData{};
    case kLedgerMisc:
        return MiscEventData{};
    case kLedgerTransfer:
        return TransferEventData{};
    default:
        return LedgerEventData{};
    }
}

bool PayloadFitsKind(const EventPayload& payload, int kind) {
    return IsValidKind(kind) && MakeDefaultPayload(kind).index() == payload.index();
}

int PayloadScope(const EventPayload& payload) {
    return std::visit(
        [](const auto& p) -> int {
            if constexpr (std::is_same_v<std::decay_t<decltype(p)>, MonthChangeEventData>)
                return -1;
            else
                return p.scope;
        },
        payload);
}

int PayloadDirection(const EventPayload& payload) {
    return std::visit(
        [](const auto& p) -> int {
            if constexpr (std::is_same_v<std::decay_t<decltype(p)>, MonthChangeEventData>)
                return -1;
            else
                return p.direction;
        },
        payload);
}

int PayloadAmount(const EventPayload& payload) {
    return std::visit(Overloaded{
                          [](const TicketIncomeEventData& p) {
                              // Wide: five classes at a saved extreme would wrap an int.
                              int64_t sum = 0;
                              for (int amount : p.amounts)
                                  sum += amount;
                              return static_cast<int>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
                          },
                          [](const LoanEventData& p) { return p.values[2]; },
                          [](const MonthChangeEventData&) { return 0; },
                          [](const auto& p) { return p.amount; },
                      },
                      payload);
}

bool CEventList::AddPayload(const EventPayload& payload, int kind, int day, int month, int year) {
    if (!PayloadFitsKind(payload, kind))
        return false;
    m_events.push_back(std::make_unique<CCalendarEvent>(kind, day, month, year, CopyBookedFields(payload)));
    return true;
}

void CEventList::Append(std::unique_ptr<CCalendarEvent> event) {
    if (event && PayloadFitsKind(event->Payload(), event->Kind()))
        m_events.push_back(std::move(event));
}

void CEventList::Collect(std::vector<LedgerEntry>& out, int year, int month, int day, int scope,
                         int direction, bool yearView) const {
    for (const auto& event : m_events) {
        int kind = event->Kind();
        // Other income (a prize) counts like every booking; only the month's closing balance is no
        // movement of money.
        if (kind == kLedgerMonthChange)
            continue;
        if (event->Year() != year || (month > 0 && event->Month() != month) ||
            (day > 0 && event->Day() != day))
            continue;
        const EventPayload& payload = event->Payload();
        int wantedScope = scope;
        // The year view shows upkeep and itemised costs month by month.
        if (yearView && (kind == kLedgerStadiumUpkeep || kind == kLedgerUpkeepItem))
            wantedScope = kScopeMonth;
        if (PayloadScope(payload) != wantedScope || PayloadDirection(payload) != direction)
            continue;
        out.push_back(LedgerEntry{kind, &payload});
    }
}

void CEventList::CollectDay(std::vector<LedgerEntry>& out, int year, int month, int day,
                            int direction) const {
    // Day 0 or below would widen the filter to the whole month; no real day is like that.
    if (day < 1)
        return;
    Collect(out, year, month, day, kScopeDay, direction, false);
}

void CEventList::CollectMonth(std::vector<LedgerEntry>& out, int year, int month, int direction) const {
    if (month < 1)
        return;
    Collect(out, year, month, 0, kScopeMonth, direction, false);
}

void CEventList::CollectYear(std::vector<LedgerEntry>& out, int year, int direction) const {
    Collect(out, year, 0, 0, kScopeYear, direction, true);
}

int CEventList::SumMonth(int year, int month, int direction, const GameDate& today) const {
    std::vector<LedgerEntry> entries;
    CollectMonth(entries, year, month, direction);
    int days = (year < today.year || month < today.month) ? CCalendar::DaysInMonth(month, year) : today.day;
    for (int day = 1; day <= days; ++day)
        CollectDay(entries, year, month, day, direction);
    long long total = 0;
    for (const LedgerEntry& entry : entries)
        total += PayloadAmount(*entry.payload);
    return static_cast<int>(total);
}

int CEventList::GetMonthEndBalance(int year, int month) const {
    for (const auto& event : m_events) {
        if (event->Kind() == kLedgerMonthChange && event->Year() == year && event->Month() == month)
            return std::get<MonthChangeEventData>(event->Payload()).money;
    }
    return 0;
}

namespace {

// The closing balance of a month: the club's money and what it owes.
MonthChangeEventData MonthEnd(int money, int nextMoney) {
    MonthChangeEventData balance;
    balance.first = 2;
    balance.second = 3;
    balance.money = money;
    balance.nextMoney = nextMoney;
    balance.extra = 0;
    return balance;
}

} // namespace

bool CEventList::BookOpeningBalance(const GameDate& firstDay, int money, int nextMoney) {
    const int month = firstDay.month == 1 ? 12 : firstDay.month - 1;
    const int year = firstDay.month == 1 ? firstDay.year - 1 : firstDay.year;
    for (const auto& event : m_events)
        if (event->Kind() == kLedgerMonthChange && event->Year() == year && event->Month() == month)
            return false;
    return AddEvent(MonthEnd(money, nextMoney), kLedgerMonthChange, CCalendar::DaysInMonth(month, year),
                    month, year);
}

bool CEventList::BookMonthChange(const GameDate& newDate, int money, int nextMoney) {
    GameDate previous = CCalendar::PreviousDay(newDate);
    if (previous.month == newDate.month && previous.year == newDate.year)
        return false;
    // A day run again (a date that could not move) closes its month once.
    for (const auto& event : m_events)
        if (event->Kind() == kLedgerMonthChange && event->Day() == previous.day &&
            event->Month() == previous.month && event->Year() == previous.year)
            return false;
    return AddEvent(MonthEnd(money, nextMoney), kLedgerMonthChange, previous.day, previous.month,
                    previous.year);
}
