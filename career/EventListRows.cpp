// The ledger's saved form: one "finances.dat" row per event, and the events booked back from rows.
#include "career/EventList.h"

#include "database/MemoryDB.h"

namespace {

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

void ToFinanceRow(const CCalendarEvent& event, CFinanceEntry& row) {
    row.year = event.Year();
    row.month = event.Month();
    row.day = event.Day();
    row.kind = event.Kind();
    for (int32_t& value : row.values)
        value = 0;
    row.text = CStr();
    int32_t* v = row.values;
    std::visit(Overloaded{
                   [&](const TicketIncomeEventData& p) {
                       v[0] = p.scope;
                       v[1] = p.direction;
                       for (int i = 0; i < 5; ++i)
                           v[2 + i] = p.amounts[i];
                   },
                   [&](const LedgerEventData& p) {
                       v[0] = p.scope;
                       v[1] = p.direction;
                       v[2] = p.amount;
                       v[3] = p.reference;
                       row.text = p.text;
                   },
                   [&](const LoanEventData& p) {
                       v[0] = p.scope;
                       v[1] = p.direction;
                       for (int i = 0; i < 3; ++i)
                           v[2 + i] = p.values[i];
                   },
                   [&](const WageEventData& p) {
                       v[0] = p.scope;
                       v[1] = p.direction;
                       v[2] = p.amount;
                       v[3] = p.reference;
                       v[4] = p.group;
                       row.text = p.name;
                   },
                   [&](const UpkeepItemEventData& p) {
                       v[0] = p.scope;
                       v[1] = p.direction;
                       v[2] = p.amount;
                       v[3] = p.group;
                       row.text = p.text;
                   },
                   [&](const TrainingCampEventData& p) {
                       v[0] = p.scope;
                       v[1] = p.direction;
                       v[2] = p.amount;
                       v[3] = p.extra;
                   },
                   [&](const MonthChangeEventData& p) {
                       v[0] = p.first;
                       v[1] = p.second;
                       v[2] = p.money;
                       v[3] = p.nextMoney;
                       v[4] = p.extra;
                   },
                   // Fun shop, upkeep, the restored kinds and transfers: scope, direction, amount, text.
                   [&](const auto& p) {
                       v[0] = p.scope;
                       v[1] = p.direction;
                       v[2] = p.amount;
                       row.text = p.text;
                   },
               },
               event.Payload());
}

bool PayloadFromFinanceRow(const CFinanceEntry& row, EventPayload& payload) {
    if (row.kind < 0 || row.kind >= kLedgerKindCount)
        return false;
    payload = MakeDefaultPayload(row.kind);
    const int32_t* v = row.values;
    std::visit(Overloaded{
                   [&](TicketIncomeEventData& p) {
                       p.scope = v[0];
                       p.direction = v[1];
                       for (int i = 0; i < 5; ++i)
                           p.amounts[i] = v[2 + i];
                       p.extra = 0;
                   },
                   [&](LedgerEventData& p) {
                       p.scope = v[0];
                       p.direction = v[1];
                       p.amount = v[2];
                       p.reference = v[3];
                       p.text = row.text;
                   },
                   [&](LoanEventData& p) {
                       p.scope = v[0];
                       p.direction = v[1];
                       for (int i = 0; i < 3; ++i)
                           p.values[i] = v[2 + i];
                   },
                   [&](WageEventData& p) {
                       p.scope = v[0];
                       p.direction = v[1];
                       p.amount = v[2];
                       p.reference = v[3];
                       p.group = v[4];
                       p.name = row.text;
                   },
                   [&](UpkeepItemEventData& p) {
                       p.scope = v[0];
                       p.direction = v[1];
                       p.amount = v[2];
                       p.group = v[3];
                       p.text = row.text;
                   },
                   [&](TrainingCampEventData& p) {
                       p.scope = v[0];
                       p.direction = v[1];
                       p.amount = v[2];
                       p.extra = v[3];
                   },
                   [&](MonthChangeEventData& p) {
                       p.first = v[0];
                       p.second = v[1];
                       p.money = v[2];
                       p.nextMoney = v[3];
                       p.extra = v[4];
                   },
                   [&](auto& p) {
                       p.scope = v[0];
                       p.direction = v[1];
                       p.amount = v[2];
                       p.text = row.text;
                   },
               },
               payload);
    return true;
}

void CEventList::LoadFromFinances(const CMemoryDB* career) {
    if (!career)
        return;
    // Start from an empty ledger: appending would mix the previous career's bookings into this one
    // and write them into its next save.
    Clear();
    for (const CFinanceEntry* row : career->finances) {
        EventPayload payload;
        if (row && PayloadFromFinanceRow(*row, payload))
            AddPayload(payload, row->kind, row->day, row->month, row->year);
    }
}

bool CEventList::SaveToFinances(CMemoryDB* career) const {
    if (!career)
        return false;
    career->finances.Clear();
    for (const auto& event : m_events) {
        auto* row = new CFinanceEntry();
        ToFinanceRow(*event, *row);
        career->finances.Append(row);
    }
    return true;
}
