// CEventList: the club's dated money ledger. Every change of the club's money is booked here as a
// calendar event of one of sixteen kinds, each with a payload record of its own layout.
#pragma once

#include "career/Calendar.h"
#include "engine/Str.h"

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

class CMemoryDB;
struct CFinanceEntry;

// Common words: scope 0 a day's entry, 1 a whole month's, 2 a whole year's; direction 0 income,
// 1 expense; amounts are whole currency units and never negative themselves.
enum LedgerScope { kScopeDay = 0, kScopeMonth = 1, kScopeYear = 2 };
enum LedgerDirection { kIncome = 0, kExpense = 1 };

enum LedgerKind {
    kLedgerGateMoney = 0,
    kLedgerSponsor1 = 1,
    kLedgerSponsor2 = 2,
    kLedgerSponsor3 = 3,
    kLedgerLoan = 4,
    kLedgerFunShop = 5,
    kLedgerRestored6 = 6,
    kLedgerWages = 7,
    kLedgerRestored8 = 8,
    kLedgerStadiumUpgrade = 9,
    kLedgerStadiumUpkeep = 10,
    kLedgerUpkeepItem = 11,
    kLedgerTrainingCamp = 12,
    kLedgerMonthChange = 13,
    kLedgerMisc = 14,
    kLedgerTransfer = 15,
    kLedgerKindCount = 16
};

// Kind 0: gate money of a home match, one amount per seat class.
struct TicketIncomeEventData {
    int scope = -1;
    int direction = -1;
    int amounts[5] = {-1, -1, -1, -1, -1};
    int extra = 0;
};

// Kinds 1, 2, 3 (sponsor lists), 6 and 9 (start of a stadium upgrade).
struct LedgerEventData {
    int scope = -1;
    int direction = -1;
    CStr text{};
    int amount = 0;
    int reference = -1;
    int extra = 0;
};

// Kind 4: a loan taken or an instalment; the third value is the amount.
struct LoanEventData {
    int scope = -1;
    int direction = -1;
    int values[3] = {0, 0, 0};
    uint8_t flag = 0;
};

// Kind 5: fun-shop purchases and sales, match-day promotions.
struct FunShopEventData {
    int scope = -1;
    int direction = -1;
    CStr text{};
    int amount = 0;
    uint8_t flag = 0;
};

// Kind 7: monthly wages; group 8 for players, 0 for staff.
struct WageEventData {
    int scope = -1;
    int direction = -1;
    int group = -1;
    CStr name{};
    int amount = 0;
    int reference = -1;
    int extra = 0;
};

// Kinds 8 and 10 (stadium upkeep).
struct StadiumUpkeepEventData {
    int scope = -1;
    int direction = -1;
    CStr text{};
    int amount = 0;
    uint8_t flag = 0;
};

// Kind 11: itemised costs and incomes. The only layout whose scope and direction follow a group word.
struct UpkeepItemEventData {
    int group = 0;
    int scope = -1;
    int direction = -1;
    CStr text{};
    int amount = 0;
    uint8_t flag = 0;
};

// Kind 12: a training camp.
struct TrainingCampEventData {
    int scope = -1;
    int direction = -1;
    int amount = 0;
    int extra = -1;
    uint8_t flag = 0;
};

// Kind 13: the month's closing balance; booked with the words 2 and 3 first. Never summed.
struct MonthChangeEventData {
    int first = -1;
    int second = -1;
    int money = 0;
    int nextMoney = 0; // the team record's field after the money
    int extra = 0;
};

// Kind 14: only ever restored from saved rows. Never summed.
struct MiscEventData {
    int scope = -1;
    int direction = -1;
    CStr text{};
    int amount = 0;
};

// Kind 15: a transfer fee.
struct TransferEventData {
    int scope = -1;
    int direction = -1;
    CStr text{};
    int amount = 0;
};

using EventPayload =
    std::variant<TicketIncomeEventData, LedgerEventData, LoanEventData, FunShopEventData, WageEventData,
                 StadiumUpkeepEventData, UpkeepItemEventData, TrainingCampEventData, MonthChangeEventData,
                 MiscEventData, TransferEventData>;

// The default record of a kind (the sponsor layout for a kind outside 0-15, which is never booked).
EventPayload MakeDefaultPayload(int kind);
// True when the record type is the one the kind is booked with.
bool PayloadFitsKind(const EventPayload& payload, int kind);
// Scope and direction words; -1 for the month-change record, which has neither.
int PayloadScope(const EventPayload& payload);
int PayloadDirection(const EventPayload& payload);
// What a sum counts for the entry: the five seat classes of kind 0, the third value of kind 4,
// otherwise the amount; 0 for kinds 13 and 14.
int PayloadAmount(const EventPayload& payload);

class CCalendarEvent {
public:
    CCalendarEvent(int kind, int day, int month, int year, EventPayload payload)
        : m_day(day), m_year(year), m_month(month), m_kind(kind), m_payload(std::move(payload)) {}
    virtual ~CCalendarEvent() = default;

    int Day() const { return m_day; }
    int Month() const { return m_month; }
    int Year() const { return m_year; }
    int Kind() const { return m_kind; }
    uint8_t Flag() const { return m_flag; }
    const EventPayload& Payload() const { return m_payload; }

private:
    int m_day = 0;
    int m_year = 0;
    int m_month = 0;
    int m_kind = -1;
    uint8_t m_flag = 0;
    EventPayload m_payload;
};

// One entry handed out by the Collect operations; the payload stays owned by its event.
struct LedgerEntry {
    int kind = -1;
    const EventPayload* payload = nullptr;
};

class CEventList {
public:
    CEventList() = default;
    virtual ~CEventList() { Clear(); }
    CEventList(const CEventList&) = delete;
    CEventList& operator=(const CEventList&) = delete;

    void Clear() { m_events.clear(); }

    // Books a new event whose payload is a fresh record of the kind with the caller's booked fields
    // copied in; the caller keeps its record. A kind outside 0-15, or a record of another kind's
    // layout, books nothing (false).
    template <typename T> bool AddEvent(const T& payload, int kind, int day, int month, int year) {
        return AddPayload(EventPayload(payload), kind, day, month, year);
    }
    bool AddPayload(const EventPayload& payload, int kind, int day, int month, int year);
    // Books a dated entry of one of the layouts with scope, direction, text and amount; `record`
    // brings the kind's other fields (its defaults when default-made).
    template <typename T>
    bool BookEntry(T record, int kind, const GameDate& date, int scope, int direction, const CStr& text,
                   int amount) {
        record.scope = scope;
        record.direction = direction;
        record.text = text;
        record.amount = amount;
        return AddEvent(record, kind, date.day, date.month, date.year);
    }
    // Takes ownership; a null event or one of an unknown kind is dropped.
    void Append(std::unique_ptr<CCalendarEvent> event);

    // Entries of one day with scope 0 and the given direction.
    void CollectDay(std::vector<LedgerEntry>& out, int year, int month, int day, int direction) const;
    // Entries of one month with scope 1 and the given direction.
    void CollectMonth(std::vector<LedgerEntry>& out, int year, int month, int direction) const;
    // Entries of one year with scope 2, but kinds 10 and 11 with scope 1.
    void CollectYear(std::vector<LedgerEntry>& out, int year, int direction) const;

    // The month's total in one direction: the month entries plus the day entries of every day of a
    // past month, or of the days up to and including today in the running one.
    int SumMonth(int year, int month, int direction, const GameDate& today) const;
    // Club money of the first month-change event of that month; 0 when there is none.
    int GetMonthEndBalance(int year, int month) const;

    // On the first day of a month, books the closing balance of the month before, dated its last
    // day. Returns false (nothing booked) on any other day.
    bool BookMonthChange(const GameDate& newDate, int money, int nextMoney);
    // A new career's opening cash as the closing balance of the month before its first day, so the
    // first month brings it forward like any other. Nothing is booked when that month has one.
    bool BookOpeningBalance(const GameDate& firstDay, int money, int nextMoney);

    // Replaces the ledger with the events of the career database's finance rows; rows of an unknown
    // kind are skipped. Without a database nothing changes.
    void LoadFromFinances(const CMemoryDB* career);
    // Writes one finance row per event, in ledger order, replacing the database's finance rows.
    bool SaveToFinances(CMemoryDB* career) const;

    size_t Size() const { return m_events.size(); }
    const CCalendarEvent* At(size_t index) const {
        return index < m_events.size() ? m_events[index].get() : nullptr;
    }

private:
    void Collect(std::vector<LedgerEntry>& out, int year, int month, int day, int scope, int direction,
                 bool yearView) const;

    std::vector<std::unique_ptr<CCalendarEvent>> m_events;
};

// The finance row an event is saved as, and the payload a row is booked with.
void ToFinanceRow(const CCalendarEvent& event, CFinanceEntry& row);
// False for a row of a kind above 15 (or below 0), which is skipped.
bool PayloadFromFinanceRow(const CFinanceEntry& row, EventPayload& payload);
