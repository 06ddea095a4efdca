// The sponsor screen: three lists of offers and contracts, accepting and dropping.
#include "screens/finance/SponsorScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "career/Mail.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/ClubCaption.h"
#include "screens/FormatMoney.h"

#include <algorithm>

namespace {

constexpr uint32_t kOrange = 0x0080FFFF;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kGreen = 0x00FF00FF;
constexpr uint32_t kRed = 0x0000FFFF;
constexpr int kFirstAcceptMailRow = 23;
constexpr int kListHeaders[CSponsorScreen::kLists] = {300109, 80095, 80096};
constexpr int kListTooltips[CSponsorScreen::kLists] = {910406, 910410, 910411};

// Alpha is the low byte of a colour word: 200 there dims a row.
uint32_t Faded(uint32_t colour) {
    return (colour & 0xFFFFFF00u) | 200u;
}

} // namespace

CSponsorScreen::CSponsorScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {
    if (!m_root)
        return;
    m_ctx.SetText(ID_SP_OFFERS_TITLE, m_ctx.Text(302527));
    m_ctx.SetText(ID_SP_CONTRACTS_TITLE, m_ctx.Text(302528));
    for (int list = 1; list <= kLists; ++list) {
        m_ctx.SetText(AcceptButton(list), m_ctx.Text(302526), 5);
        m_ctx.SetText(DropButton(list), m_ctx.Text(200219), 5);
        for (int id : {AcceptButton(list), DropButton(list)})
            if (CGuiElement* button = m_ctx.Find(id))
                button->SetDisabled(true);
    }
}

int CSponsorScreen::Contracts(int list) const {
    const auto& entries = List(list);
    return static_cast<int>(
        std::count_if(entries.begin(), entries.end(), [](const Entry& e) { return e.contract; }));
}

int CSponsorScreen::ClubStanding() const {
    const CMemoryDB* career = m_ctx.Session().careerDB;
    if (!career || career->teams.IsEmpty())
        return 0;
    const CTeam* club = career->teams.At(0);
    return club->standing1 + club->standing2;
}

void CSponsorScreen::ReadTables() {
    // Rebuilt from the tables every time: a refresh never doubles an entry.
    for (auto& entries : m_lists)
        entries.clear();
    const CMemoryDB* world = m_ctx.Session().worldDB;
    if (!world)
        return;
    auto add = [this](CSponsorRecord* record, bool contract) {
        if (record->kind >= 1 && record->kind <= kLists)
            m_lists[static_cast<size_t>(record->kind - 1)].push_back({record, contract});
    };
    for (CSponsorRecord* record : world->sponsorOffers)
        add(record, false);
    for (CSponsorRecord* record : world->sponsorContracts)
        add(record, true);
    for (auto& entries : m_lists)
        std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return a.record->requirement < b.record->requirement;
        });
}

void CSponsorScreen::Refresh() {
    CCareerSession& session = m_ctx.Session();
    CMemoryDB* career = session.careerDB;
    if (!m_root || !career || career->teams.IsEmpty() || career->profiles.IsEmpty())
        return;
    const CTeam* club = career->teams.At(0);
    m_clubName = club->name;
    const GameDate& today = session.currentDate;
    m_dateText = FormatDate(today.year, today.day, today.month, ".");
    ReadTables();
    ShowCaptions();
    ShowManager();
    for (int list = 1; list <= kLists; ++list) {
        FillListGrids(list);
        UpdateButtons(list);
    }
}

void CSponsorScreen::ShowCaptions() {
    m_root->SetCaption(ClubCaptionLine(m_ctx, 80123, m_clubName, m_dateText));
}

CStr CSponsorScreen::ManagerName() const {
    // Looked up each time: he may have been hired on the staff screen since the last refresh.
    const std::unique_ptr<CStaffRecord> manager =
        FindHiredStaff(m_ctx.Session().careerDB, kStaffBusinessManager);
    return manager ? manager->name : CStr();
}

void CSponsorScreen::ShowManager() {
    const CStr name = ManagerName();
    CStr line = m_ctx.Text(kStaffBusinessManager) + ": " + (name.IsEmpty() ? m_ctx.Text(302529) : name);
    m_ctx.SetText(ID_SP_MANAGER, line, 4);
    if (CGuiElement* manager = m_ctx.Find(ID_SP_MANAGER))
        manager->SetTextColour(0x00FFFFFF);
}

void CSponsorScreen::FillListGrids(int list) {
    CGuiElement* offers = m_ctx.Find(OffersGrid(list));
    CGuiElement* contracts = m_ctx.Find(ContractsGrid(list));
    if (!offers || !contracts)
        return;
    const int standing = ClubStanding();
    const int headers[4] = {kListHeaders[list - 1], 100006, 300111, 302530};
    const int tips[4] = {kListTooltips[list - 1], 910407, 910408, 910409};
    for (CGuiElement* grid : {offers, contracts}) {
        grid->Clear();
        for (int c = 0; c < 4; ++c) {
            grid->SetHeaderText(c, m_ctx.Text(headers[c]), c == 0 ? 4 : 6);
            grid->SetHeaderTooltip(c, m_ctx.Tooltip(tips[c]));
            grid->SetColumnFormat(c, c == 0 ? 4 : 6);
        }
    }
    const auto& entries = List(list);
    int rows[2] = {0, 0};
    for (size_t i = 0; i < entries.size(); ++i) {
        const CSponsorRecord& record = *entries[i].record;
        CGuiElement* grid = entries[i].contract ? contracts : offers;
        int& row = rows[entries[i].contract ? 1 : 0];
        const bool eligible = standing >= record.requirement;
        grid->AddCell(0, record.name, static_cast<int32_t>(i));
        grid->AddCell(
            1, record.amount == 0 ? CStr("-") : FormatMoney(CStr::Formatted("%d", record.amount), ',', '$'),
            -1);
        grid->AddCell(2, CStr::Formatted("%d", record.months), -1);
        grid->AddCell(3, CStr::Formatted("%d", record.requirement), eligible ? 1 : 0);
        const uint32_t colours[4] = {kOrange, kWhite, kWhite, eligible ? kGreen : kRed};
        for (int c = 0; c < 4; ++c)
            grid->SetCellColour(c, row, eligible || entries[i].contract ? colours[c] : Faded(colours[c]));
        ++row;
    }
    // One empty row at the end of each grid.
    offers->SetRowCount(rows[0] + 1);
    contracts->SetRowCount(rows[1] + 1);
    offers->ResetScroll(true);
    contracts->ResetScroll(true);
}

int CSponsorScreen::SelectedPosition(int gridId) const {
    CGuiElement* grid = m_ctx.Find(gridId);
    if (!grid)
        return -1;
    const int row = grid->GetSelectedRow();
    const GuiGridCell* cell = row >= 0 && row < grid->GetRowCount() ? grid->FindCell(0, row) : nullptr;
    return cell ? cell->data : -1;
}

void CSponsorScreen::UpdateButtons(int list) {
    const int position = SelectedPosition(OffersGrid(list));
    const auto& entries = List(list);
    const bool offerChosen = position >= 0 && position < static_cast<int>(entries.size()) &&
                             !entries[static_cast<size_t>(position)].contract &&
                             ClubStanding() >= entries[static_cast<size_t>(position)].record->requirement;
    // A full list takes no contract, whatever is selected.
    if (CGuiElement* accept = m_ctx.Find(AcceptButton(list)))
        accept->SetDisabled(!offerChosen || Contracts(list) >= Limit(list));
    const int contract = SelectedPosition(ContractsGrid(list));
    if (CGuiElement* drop = m_ctx.Find(DropButton(list)))
        drop->SetDisabled(!(contract >= 0 && contract < static_cast<int>(entries.size()) &&
                            entries[static_cast<size_t>(contract)].contract));
}

bool CSponsorScreen::AlreadyPaid(int list, const CSponsorRecord& record) const {
    // The ledger is the career's memory of every payment: a sponsor dropped and taken back has
    // been paid by its first signing.
    const CEventList* ledger = m_ctx.Session().ledger;
    if (!ledger)
        return false;
    for (size_t i = 0; i < ledger->Size(); ++i) {
        const CCalendarEvent* event = ledger->At(i);
        if (event->Kind() != list)
            continue;
        const auto* booked = std::get_if<LedgerEventData>(&event->Payload());
        if (booked && booked->direction == kIncome && booked->text == record.name &&
            booked->amount == record.amount)
            return true;
    }
    return false;
}

void CSponsorScreen::SendAcceptMail(int list, const CSponsorRecord& record) {
    CCareerSession& session = m_ctx.Session();
    const CStr manager = ManagerName();
    if (!session.careerDB || manager.IsEmpty())
        return;
    const GameDate& today = session.currentDate;
    int endMonth = (today.month - 1 + record.months) % 12 + 1;
    int endYear = EndYear(today.year, today.month, record.months);
    CreateEmail(session.worldDB, session.careerDB, kFirstAcceptMailRow + list, record.year, record.month, 1,
                m_ctx.Text(kStaffBusinessManager), manager, kStaffBusinessManager,
                {record.name, FormatDate(endYear, 1, endMonth, ".")});
}

CSponsorScreen::Result CSponsorScreen::Accept(int list, int position) {
    CCareerSession& session = m_ctx.Session();
    CMemoryDB* world = session.worldDB;
    if (list < 1 || list > kLists || !world || position < 0 ||
        position >= static_cast<int>(List(list).size()))
        return Result::NoSelection;
    const Entry entry = List(list)[static_cast<size_t>(position)];
    if (entry.contract || world->sponsorOffers.IndexOf(entry.record) < 0)
        return Result::NoSelection;
    if (ClubStanding() < entry.record->requirement)
        return Result::NotEligible;
    if (Contracts(list) >= Limit(list))
        return Result::ListFull;
    CSponsorRecord* record = world->sponsorOffers.Detach(entry.record);
    world->sponsorContracts.Append(record);
    SendAcceptMail(list, *record);
    if (!AlreadyPaid(list, *record)) {
        const GameDate& today = session.currentDate;
        const LedgerEventData payment{.reference = EndYear(today.year, today.month, record->months),
                                      .extra = 0};
        CTeam* club =
            session.careerDB && !session.careerDB->teams.IsEmpty() ? session.careerDB->teams.At(0) : nullptr;
        if (club)
            club->cash = static_cast<int32_t>(
                std::clamp<int64_t>(static_cast<int64_t>(club->cash) + record->amount, INT32_MIN, INT32_MAX));
        if (session.ledger)
            session.ledger->BookEntry(payment, list, today, kScopeDay, kIncome, record->name, record->amount);
    }
    ReadTables();
    return Result::Done;
}

CSponsorScreen::Result CSponsorScreen::Drop(int list, int position) {
    CMemoryDB* world = m_ctx.Session().worldDB;
    if (list < 1 || list > kLists || !world || position < 0 ||
        position >= static_cast<int>(List(list).size()))
        return Result::NoSelection;
    const Entry entry = List(list)[static_cast<size_t>(position)];
    if (!entry.contract || world->sponsorContracts.IndexOf(entry.record) < 0)
        return Result::NoSelection;
    world->sponsorOffers.Append(world->sponsorContracts.Detach(entry.record));
    ReadTables();
    return Result::Done;
}

void CSponsorScreen::OnMessage(GuiMessage& m) {
    if (!m_root)
        return;
    // Opening the window shows today's manager, whoever was hired since the last refresh.
    if (m.MSG == kMsgSwitchTo && m.cID == kWindow) {
        ShowManager();
        return;
    }
    if (m.sID < 0)
        return;
    for (int list = 1; list <= kLists; ++list) {
        const bool accept = IsClick(m, AcceptButton(list));
        const bool drop = IsClick(m, DropButton(list));
        const bool select =
            m.MSG == kMsgSelection && (m.sID == OffersGrid(list) || m.sID == ContractsGrid(list));
        if (!accept && !drop && !select)
            continue;
        Consume(m);
        if (accept || drop) {
            const Result result = accept ? Accept(list, SelectedPosition(OffersGrid(list)))
                                         : Drop(list, SelectedPosition(ContractsGrid(list)));
            if (result == Result::ListFull)
                m_ctx.ShowMessage(m_ctx.Text(302531));
            ShowCaptions();
            ShowManager();
            for (int n = 1; n <= kLists; ++n)
                FillListGrids(n);
            // The rows moved: a selection kept from before would point at another record.
            for (int grid : {OffersGrid(list), ContractsGrid(list)})
                if (CGuiElement* element = m_ctx.Find(grid))
                    element->SetSelectedRow(-1);
            if (CGameScreen* frame = m_ctx.Screen(ScreenRole::Header))
                frame->Refresh(); // the cash in the header
        }
        UpdateButtons(list);
        return;
    }
}
