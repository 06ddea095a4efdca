// The transfer screen: squad and market lists, player cards, release and negotiation boxes.
#include "screens/stadium/TransferScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/EventList.h"
#include "career/Transfers.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "screens/ClubCaption.h"
#include "screens/FormatMoney.h"
#include "screens/info/CertificateListScreen.h"
#include "screens/info/PlayerInfoWindow.h"
#include "screens/match/LineupScreen.h"

#include <algorithm>

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF; // the screen's light text colour word
constexpr uint32_t kHighlight = 0x0080FFFF;
// Why a signing was refused.
constexpr int kTextCashShort = 405001;
constexpr int kTextBadTerms = 405002;

// Negotiation grid columns.
constexpr int kColWage = 0;
constexpr int kColYearly = 2;
constexpr int kColMonths = 3;

// Header texts of the nine list columns; the months column has a text of its own (the shared
// "Hour" text would name it wrongly).
constexpr int32_t kListHeaders[9] = {0, 200089, 200090, 200091, 200092, 200093, 80019, 200095, 200094};
constexpr int32_t kListTooltips[9] = {900025, 900027, 900026, 900017, 900029, 910412, 900028, 900030, 900031};
constexpr bool kColoured[9] = {false, true, false, true, false, true, false, true, false};

// Card rows: left caption and attribute, right caption and attribute (0 = the rating). The fifth
// attribute is the player's jumping; the rating reads as in the list beside it.
struct CardRow {
    int32_t leftText;
    int leftAttribute;
    int32_t rightText;
    int rightAttribute;
};
constexpr CardRow kCardRows[8] = {
    {70101, 1, 200097, 9}, {70103, 2, 200098, 10}, {70106, 3, 70110, 11}, {80070, 4, 70113, 12},
    {70111, 5, 70114, 13}, {80034, 6, 80033, 14},  {70115, 7, 70102, 15}, {70112, 8, 80071, 0},
};

CStr Money(int64_t amount) {
    return FormatMoney(CStr::Formatted("%lld", static_cast<long long>(amount)), ',', '$');
}

// The played position reads as its code; any other value as a number.
CStr InfoText(int32_t value) {
    if (value >= 80063 && value <= 80069)
        return PositionCode(value);
    return CStr::Formatted("%d", value);
}

void TeamSums(const CTeam* team, int32_t& points, int32_t& matches) {
    int64_t sum = 0;
    if (team)
        for (const CMatchStat* stat : team->matchStats)
            sum += stat->Score();
    points = static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
    matches = team ? static_cast<int32_t>(team->matchStats.size()) : 0;
}

// The card panels sit at the screen's right edge: a box centred over one is moved back inside.
void KeepOnScreen(CGuiElement* window) {
    constexpr int kScreenWidth = 1024;
    constexpr int kScreenHeight = 768;
    constexpr int kMargin = 8;
    if (!window)
        return;
    const ElementDesc& d = window->Desc();
    const int x = std::clamp(d.x, kMargin, std::max(kMargin, kScreenWidth - kMargin - d.w));
    const int y = std::clamp(d.y, kMargin, std::max(kMargin, kScreenHeight - kMargin - d.h));
    if (x != d.x || y != d.y)
        window->MoveTo(x, y);
}

double PointsAverage(const TransferListEntry& entry) {
    return entry.teamMatches > 0 ? static_cast<double>(entry.teamPointsSum) / entry.teamMatches : 0.0;
}

} // namespace

CTransferScreen::CTransferScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {
    if (CGuiElement* hint = Child(ID_TF_HINT)) {
        hint->Clear();
        hint->SetText(m_ctx.Text(200087));
        hint->SetTextColour(kWhite);
    }
}

CGuiElement* CTransferScreen::Child(int id) const {
    return m_root ? m_root->FindChild(id) : nullptr;
}

TransferListEntry CTransferScreen::MakeEntry(const CPlayer& player, const CTeam* team,
                                             const CStr& teamName) const {
    TransferListEntry entry;
    entry.playerId = player.id;
    entry.teamId = player.teamId > -1 ? player.teamId : -1;
    entry.number = player.words[kWordShirtNumber];
    entry.name = player.name;
    entry.teamName = teamName;
    entry.positionCode = PositionCode(player.words[kWordPosition]);
    entry.positionName = m_ctx.Text(player.words[kWordPosition]);
    entry.infoValue = player.words[kWordPlayedPosition];
    entry.certificateValue = player.words[kWordCertificateValue];
    entry.contractMonths = player.contractMonths;
    if (IsGameDate(player.contractYear, player.contractMonth, player.contractDay)) {
        const GameDate end =
            CCalendar::AddMonths(GameDate{player.contractYear, player.contractMonth, player.contractDay},
                                 std::clamp(player.contractMonths, 0, kMaxContractMonths));
        entry.contractEnd = FormatDate(end.year, end.day, end.month, ".");
    } else {
        entry.contractEnd = "--";
    }
    entry.height = player.words[kWordHeight];
    entry.weight = player.words[kWordWeight];
    for (int n = 0; n < 16; ++n)
        entry.attributes[n] = player.words[3 * kCardAttributeTriple[n] + 3];
    entry.rating = MarketRating(player);
    entry.wageFactor = player.words[kWordWageFactor];
    entry.wage = player.words[kWordWage];
    TeamSums(team, entry.teamPointsSum, entry.teamMatches);
    return entry;
}

void CTransferScreen::Refresh() {
    CCareerSession& session = m_ctx.Session();
    CMemoryDB* world = session.worldDB;
    CMemoryDB* career = session.careerDB;
    CTeam* club = nullptr;
    if (career && !career->teams.IsEmpty() && !career->profiles.IsEmpty())
        club = career->teams.At(0);
    const CStr noClub = m_ctx.Text(kTextNoClub);
    if (world && !world->teams.IsEmpty()) {
        m_teams.clear();
        m_teams.push_back({noClub, -1});
        m_market.clear();
        for (const CTeam* team : world->teams) {
            if (club && team->id == club->id)
                continue;
            m_teams.push_back({team->name, team->id});
            for (const CPlayer* player : team->players)
                m_market.push_back(std::make_unique<TransferListEntry>(MakeEntry(*player, team, team->name)));
        }
        for (const CPlayer* player : world->players)
            if (player->teamId <= -1)
                m_market.push_back(std::make_unique<TransferListEntry>(MakeEntry(*player, nullptr, noClub)));
    }
    if (club) {
        m_clubName = club->name;
        const GameDate& today = session.currentDate;
        m_dateText = FormatDate(today.year, today.day, today.month, ".");
        m_squad.clear();
        for (const CPlayer* player : career->players)
            m_squad.push_back(std::make_unique<TransferListEntry>(MakeEntry(*player, club, club->name)));
    }
    SetCaptions();
    FillTeamCombo();
    FillSquadList();
    FillMarketList();
    RestoreSelections();
}

void CTransferScreen::SetCaptions() {
    if (!m_root)
        return;
    m_root->SetCaption(ClubCaptionLine(m_ctx, 200103, m_clubName, m_dateText));
    const struct {
        int id;
        int32_t text;
    } buttons[] = {{ID_TF_RELEASE, 100157},
                   {ID_TF_NEGOTIATE, 100158},
                   {ID_TF_NEG_CLOSE, 200219},
                   {ID_TF_NEG_ASK, 200203}};
    for (const auto& button : buttons)
        if (CGuiElement* element = m_ctx.Find(button.id))
            element->SetText(m_ctx.Text(button.text), kFormatCentreMiddle);
}

void CTransferScreen::FillTeamCombo() {
    CGuiElement* combo = Child(ID_TF_TEAMS);
    if (!combo)
        return;
    const int previous = combo->GetSelectedIndex();
    combo->ClearItems();
    const int n = static_cast<int>(m_teams.size());
    if (n > 0) {
        // A blank first item sorts ahead of every club name; it then becomes the no-club item.
        combo->AddItem(" ", m_teams[0].value);
        for (int k = 1; k < n; ++k)
            combo->AddItem(m_teams[static_cast<size_t>(k)].text, m_teams[static_cast<size_t>(k)].value);
        combo->SetListRows(n);
        combo->SortItems(-1, -1);
        combo->SetItem(0, m_teams[0].text, m_teams[0].value);
    }
    combo->SetSelection(std::min(std::max(previous, 0), combo->GetItemCount() - 1));
    const int selected = combo->GetSelectedIndex();
    m_teamFilter = selected >= 0 ? combo->GetItemData(selected) : -1;
    combo->UpdateScrollRange();
    combo->SetListRows(combo->GetItemCount());
}

namespace {

void PrepareListGrid(const CScreenContext& ctx, CGuiElement* grid, bool squad) {
    grid->Clear();
    for (int column = 0; column < 9; ++column) {
        const int format = column == 1 ? kFormatLeftMiddle : kFormatCentreMiddle;
        grid->SetHeaderText(column, column == 0 ? CStr("#") : ctx.Text(kListHeaders[column]), format);
        if (squad || (column != 5 && column != 6))
            grid->SetHeaderTooltip(column, ctx.Tooltip(kListTooltips[column]));
        grid->SetColumnFormat(column, format);
        if (kColoured[column])
            grid->SetColumnColour(column, kHighlight);
    }
}

void AddListRow(CGuiElement* grid, const TransferListEntry& entry, int32_t nameData, int32_t data) {
    const int64_t yearly = static_cast<int64_t>(entry.wage) * 12;
    grid->AddCell(0, CStr::Formatted("%d", entry.number), data);
    grid->AddCell(1, entry.name, nameData);
    grid->AddCell(2, entry.positionCode, data);
    grid->AddCell(3, CStr::Formatted("%d", entry.rating), data);
    grid->AddCell(4, InfoText(entry.infoValue), data);
    grid->AddCell(5, Money(yearly), data);
    grid->AddCell(6, entry.teamName, data);
    grid->AddCell(7, entry.contractEnd, data);
    grid->AddCell(8, CStr::Formatted("%d", entry.contractMonths), data);
}

} // namespace

void CTransferScreen::FillSquadList() {
    CGuiElement* grid = Child(ID_TF_SQUAD);
    if (!grid)
        return;
    PrepareListGrid(m_ctx, grid, true);
    int rows = 0;
    for (const auto& entry : m_squad) {
        AddListRow(grid, *entry, rows, rows);
        ++rows;
    }
    grid->SetRowCount(rows);
    grid->ResetScroll(true);
}

void CTransferScreen::FillMarketList() {
    // The button follows the squad both ways: a squad that shrank by any means may sign again.
    if (CGuiElement* negotiate = Child(ID_TF_NEGOTIATE))
        negotiate->SetDisabled(static_cast<int>(m_squad.size()) >= kSquadLimit);
    CGuiElement* grid = Child(ID_TF_MARKET);
    if (!grid)
        return;
    PrepareListGrid(m_ctx, grid, false);
    int rows = 0;
    const TransferListEntry* last = nullptr;
    for (size_t i = 0; i < m_market.size(); ++i) {
        const TransferListEntry& entry = *m_market[i];
        if (entry.teamId != m_teamFilter)
            continue;
        AddListRow(grid, entry, static_cast<int32_t>(i), rows);
        last = &entry;
        ++rows;
    }
    grid->SetRowCount(rows);
    grid->ResetScroll(true);
    if (CGuiElement* team = Child(ID_TF_MARKET_TEAM)) {
        team->Clear();
        team->SetText(last ? last->teamName : CStr());
        team->SetTextColour(kWhite);
    }
}

namespace {

void ClearCard(CGuiElement* name, CGuiElement* personal, CGuiElement* skills) {
    if (name)
        name->SetText(CStr(), kFormatLeftMiddle, kWhite);
    for (CGuiElement* grid : {personal, skills})
        if (grid) {
            grid->Clear();
            grid->SetRowCount(0);
        }
}

} // namespace

void CTransferScreen::ShowSquadCard(int index) {
    CGuiElement* name = Child(ID_TF_SQUAD_NAME);
    CGuiElement* personal = Child(ID_TF_SQUAD_CARD);
    CGuiElement* skills = Child(ID_TF_SQUAD_SKILLS);
    if (!m_root)
        return;
    if (index < 0 || index >= static_cast<int>(m_squad.size()) || !m_squad[static_cast<size_t>(index)]) {
        ClearCard(name, personal, skills);
        return;
    }
    // The card shows the rating the list shows and the fee and wage are worked out from.
    ShowCard(*m_squad[static_cast<size_t>(index)], name, personal, skills);
}

void CTransferScreen::ShowMarketCard(int index) {
    CGuiElement* name = Child(ID_TF_MARKET_NAME);
    CGuiElement* personal = Child(ID_TF_MARKET_CARD);
    CGuiElement* skills = Child(ID_TF_MARKET_SKILLS);
    if (!m_root)
        return;
    const TransferListEntry* entry = MarketEntry(index);
    if (!entry) {
        ClearCard(name, personal, skills);
        return;
    }
    ShowCard(*entry, name, personal, skills);
}

void CTransferScreen::ShowCard(const TransferListEntry& entry, CGuiElement* name, CGuiElement* personal,
                               CGuiElement* skills) const {
    if (name)
        name->SetText(entry.name, kFormatLeftMiddle, kWhite);
    if (personal) {
        personal->Clear();
        personal->SetColumnFormat(0, kFormatLeftMiddle);
        personal->SetColumnFormat(1, kFormatLeftMiddle);
        const CStr rows[4][2] = {{m_ctx.Text(80046), entry.positionName},
                                 {m_ctx.Text(200092), InfoText(entry.infoValue)},
                                 {m_ctx.Text(80048), CStr::Formatted("%d cm", entry.height)},
                                 {m_ctx.Text(80049), CStr::Formatted("%d kg", entry.weight)}};
        for (const auto& row : rows) {
            personal->AddCell(0, row[0], -1);
            personal->AddCell(1, row[1], -1);
        }
        personal->SetRowCount(4);
        personal->ResetScroll(true);
    }
    if (skills) {
        skills->Clear();
        skills->SetColumnFormat(0, kFormatLeftMiddle);
        skills->SetColumnFormat(2, kFormatLeftMiddle);
        skills->SetColumnFormat(1, kFormatCentreMiddle);
        skills->SetColumnFormat(3, kFormatCentreMiddle);
        for (const CardRow& row : kCardRows) {
            const int32_t right =
                row.rightAttribute > 0 ? entry.attributes[row.rightAttribute - 1] : entry.rating;
            skills->AddCell(0, m_ctx.Text(row.leftText), -1);
            skills->AddCell(1, CStr::Formatted("%d", entry.attributes[row.leftAttribute - 1]), -1);
            skills->AddCell(2, m_ctx.Text(row.rightText), -1);
            skills->AddCell(3, CStr::Formatted("%d", right), -1);
        }
        skills->SetRowCount(8);
        skills->ResetScroll(true);
    }
}

const TransferListEntry* CTransferScreen::MarketEntry(int index) const {
    if (index < 0 || index >= static_cast<int>(m_market.size()))
        return nullptr;
    return m_market[static_cast<size_t>(index)].get();
}

void CTransferScreen::RestoreSelections() {
    // The squad: the same player wherever he now stands, else the first row.
    m_selectedSquad = -1;
    for (size_t i = 0; i < m_squad.size(); ++i)
        if (m_squad[i]->playerId == m_squadPlayerId)
            m_selectedSquad = static_cast<int>(i);
    if (m_selectedSquad < 0 && !m_squad.empty())
        m_selectedSquad = 0;
    m_squadPlayerId = m_selectedSquad >= 0 ? m_squad[static_cast<size_t>(m_selectedSquad)]->playerId : -1;
    if (CGuiElement* grid = Child(ID_TF_SQUAD))
        grid->SetSelectedRow(m_selectedSquad, true);
    ShowSquadCard(m_selectedSquad);

    // The market: the same player while the filter still shows him, else the first row shown.
    m_selectedMarket = -1;
    int firstShown = -1;
    int row = 0;
    int selectedRow = -1;
    int firstRow = -1;
    for (size_t i = 0; i < m_market.size(); ++i) {
        if (m_market[i]->teamId != m_teamFilter)
            continue;
        if (firstShown < 0) {
            firstShown = static_cast<int>(i);
            firstRow = row;
        }
        if (m_market[i]->playerId == m_marketPlayerId) {
            m_selectedMarket = static_cast<int>(i);
            selectedRow = row;
        }
        ++row;
    }
    if (m_selectedMarket < 0) {
        m_selectedMarket = firstShown;
        selectedRow = firstRow;
    }
    m_marketPlayerId = m_selectedMarket >= 0 ? m_market[static_cast<size_t>(m_selectedMarket)]->playerId : -1;
    if (CGuiElement* grid = Child(ID_TF_MARKET))
        grid->SetSelectedRow(selectedRow, true);
    ShowMarketCard(m_selectedMarket);
}

void CTransferScreen::SelectSquadRow(int row) {
    CGuiElement* grid = Child(ID_TF_SQUAD);
    const GuiGridCell* cell = grid && row > -1 ? grid->FindCell(0, row) : nullptr;
    if (!cell || cell->data < 0 || cell->data >= static_cast<int>(m_squad.size()))
        return;
    m_selectedSquad = cell->data;
    m_squadPlayerId = m_squad[static_cast<size_t>(m_selectedSquad)]->playerId;
    ShowSquadCard(m_selectedSquad);
}

void CTransferScreen::SelectMarketRow(int row) {
    CGuiElement* grid = Child(ID_TF_MARKET);
    const GuiGridCell* cell = grid && row > -1 ? grid->FindCell(1, row) : nullptr;
    if (!cell || !MarketEntry(cell->data))
        return;
    m_selectedMarket = cell->data;
    m_marketPlayerId = m_market[static_cast<size_t>(m_selectedMarket)]->playerId;
    ShowMarketCard(m_selectedMarket);
}

// ---- negotiation ---------------------------------------------------------------------------------

bool CTransferScreen::ReadTerms(int32_t& wage, int32_t& months) const {
    CGuiElement* grid = m_ctx.Find(ID_TF_NEG_GRID);
    const GuiGridCell* wageCell = grid ? grid->FindCell(kColWage, 0) : nullptr;
    const GuiGridCell* monthsCell = grid ? grid->FindCell(kColMonths, 0) : nullptr;
    if (!wageCell || !monthsCell)
        return false;
    wage = wageCell->data;
    months = monthsCell->text.ToInt();
    return true;
}

void CTransferScreen::WriteWage(int32_t wage) {
    CGuiElement* grid = m_ctx.Find(ID_TF_NEG_GRID);
    GuiGridCell* wageCell = grid ? grid->FindCell(kColWage, 0) : nullptr;
    GuiGridCell* yearlyCell = grid ? grid->FindCell(kColYearly, 0) : nullptr;
    if (!wageCell || !yearlyCell)
        return;
    wageCell->text = Money(wage);
    wageCell->data = wage;
    yearlyCell->text = Money(static_cast<int64_t>(wage) * 12);
    yearlyCell->data = wage * 12; // the wage cap keeps this inside int32
}

CStr CTransferScreen::FeeLine(const TransferListEntry& entry, int32_t wage) const {
    // Exactly what signing charges: only a player of another club costs a fee.
    if (entry.teamId <= -1)
        return CStr();
    const int32_t fee = TransferFee(entry.rating, wage);
    if (fee <= 0)
        return CStr();
    CStr text = m_ctx.Text(200209);
    text.ReplaceAll("TEAMCOST", Money(fee).GetText());
    return text;
}

void CTransferScreen::SetAsking() {
    m_agreed = false;
    if (CGuiElement* sign = m_ctx.Find(ID_TF_NEG_SIGN))
        sign->SetDisabled(true);
    if (CGuiElement* ask = m_ctx.Find(ID_TF_NEG_ASK))
        ask->SetDisabled(false);
}

void CTransferScreen::ShowTermsText() {
    const TransferListEntry* entry = MarketEntry(m_selectedMarket);
    int32_t wage = 0;
    int32_t months = 0;
    if (!entry || !ReadTerms(wage, months))
        return;
    const int32_t yearly = YearlyWageDemand(entry->attributes[12], entry->wageFactor, entry->rating);
    CStr text = m_ctx.Text(200208);
    text.ReplaceAll("PAYCOST", Money(yearly).GetText());
    text.ReplaceAll("CONTTIME", CStr::Formatted("%d", entry->contractMonths).GetText());
    text.ReplaceAll("PLAYER", entry->name.GetText());
    const CStr fee = FeeLine(*entry, wage);
    if (!fee.IsEmpty())
        text = text + "\n" + fee;
    m_ctx.SetText(ID_TF_NEG_TEXT, text);
}

void CTransferScreen::PrepareNegotiation() {
    if (CGuiElement* box = m_ctx.Find(ID_TF_NEGOTIATION))
        box->SetCaption(m_ctx.Text(200217));
    if (CGuiElement* sign = m_ctx.Find(ID_TF_NEG_SIGN))
        sign->SetText(m_ctx.Text(100071), kFormatCentreMiddle);
    if (CGuiElement* ask = m_ctx.Find(ID_TF_NEG_ASK))
        ask->SetText(m_ctx.Text(200203), kFormatCentreMiddle);
    SetAsking();
    m_negotiatedId = -1;
    CGuiElement* grid = m_ctx.Find(ID_TF_NEG_GRID);
    if (grid) {
        grid->Clear();
        const int32_t headers[5] = {200205, 200204, 200207, 200206, 200204};
        for (int column = 0; column < 5; ++column)
            grid->SetHeaderText(column, m_ctx.Text(headers[column]), kFormatLeftMiddle);
        grid->SetColumnFormat(kColMonths, kFormatCentreMiddle);
        grid->SetRowCount(0);
    }
    const TransferListEntry* entry = MarketEntry(m_selectedMarket);
    if (!entry)
        return;
    m_negotiatedId = entry->playerId;
    const int32_t yearly = YearlyWageDemand(entry->attributes[12], entry->wageFactor, entry->rating);
    const int32_t monthly = std::min(yearly / 12, kMaxMonthlyWage);
    if (grid) {
        // The talks start from the player's demand: the yearly sum is the one the box text quotes.
        grid->AddCell(kColWage, Money(monthly), monthly);
        grid->AddCell(
            kColMonths,
            CStr::Formatted("%d", std::clamp(entry->contractMonths, kMinContractMonths, kMaxContractMonths)),
            -1);
        grid->AddCell(kColYearly, Money(yearly), yearly);
        grid->SetRowCount(1);
    }
    ShowTermsText();
}

void CTransferScreen::EvaluateOffer() {
    CGuiElement* grid = m_ctx.Find(ID_TF_NEG_GRID);
    const GuiGridCell* yearlyCell = grid ? grid->FindCell(kColYearly, 0) : nullptr;
    const GuiGridCell* monthsCell = grid ? grid->FindCell(kColMonths, 0) : nullptr;
    m_ctx.SetText(ID_TF_NEG_TEXT, CStr());
    const TransferListEntry* entry = MarketEntry(m_selectedMarket);
    if (!entry || !yearlyCell || !monthsCell || entry->playerId != m_negotiatedId)
        return;
    CStr text = m_ctx.Text(200216);
    text.ReplaceAll("PAYCOST", yearlyCell->text.GetText());
    text.ReplaceAll("CONTTIME", monthsCell->text.GetText());
    const int32_t demand = YearlyWageDemand(entry->attributes[12], entry->wageFactor, entry->rating);
    const CTeam* club = m_ctx.Session().UserClub();
    const OfferVerdict verdict =
        JudgeOffer(yearlyCell->data, demand, PointsAverage(*entry), TeamPointsAverage(club));
    text = text + "\n" + m_ctx.Text(verdict.textId);
    if (verdict.accepted) {
        m_agreed = true;
        if (CGuiElement* sign = m_ctx.Find(ID_TF_NEG_SIGN))
            sign->SetDisabled(false);
        if (CGuiElement* ask = m_ctx.Find(ID_TF_NEG_ASK))
            ask->SetDisabled(true);
        const CStr fee = FeeLine(*entry, yearlyCell->data / 12);
        if (!fee.IsEmpty())
            text = text + "\n" + fee;
    }
    m_ctx.SetText(ID_TF_NEG_TEXT, text);
}

bool CTransferScreen::SignPlayer(int index, int32_t wage, int32_t months) {
    const TransferListEntry* entry = MarketEntry(index);
    if (!entry || static_cast<int>(m_squad.size()) >= kSquadLimit)
        return false;
    CCareerSession& session = m_ctx.Session();
    if (!session.worldDB || !session.careerDB)
        return false;
    TransferTerms terms;
    terms.playerId = entry->playerId;
    terms.rating = entry->rating;
    terms.wage = wage;
    terms.months = months;
    const TransferResult result = ::SignPlayer(*session.worldDB, *session.careerDB, session.ledger,
                                               session.currentDate, terms, m_ctx.Text(kTextNoClub));
    // A refused signing says why in the talks' box, which stays open.
    if (result == TransferResult::CashShort || result == TransferResult::BadTerms) {
        m_ctx.SetText(ID_TF_NEG_TEXT,
                      m_ctx.Text(result == TransferResult::CashShort ? kTextCashShort : kTextBadTerms));
        return false;
    }
    if (result != TransferResult::Done)
        return false;
    AfterMove();
    return true;
}

bool CTransferScreen::ReleasePlayer(int index) {
    if (index < 0 || index >= static_cast<int>(m_squad.size()) || !m_squad[static_cast<size_t>(index)])
        return false;
    CCareerSession& session = m_ctx.Session();
    if (!session.worldDB || !session.careerDB)
        return false;
    const TransferListEntry& entry = *m_squad[static_cast<size_t>(index)];
    TransferTerms terms;
    terms.playerId = entry.playerId;
    terms.rating = entry.rating;
    if (::ReleasePlayer(*session.worldDB, *session.careerDB, session.currentDate, terms,
                        m_ctx.Text(kTextNoClub)) != TransferResult::Done)
        return false;
    AfterMove();
    return true;
}

void CTransferScreen::AfterMove() {
    if (auto* certificates = m_ctx.ScreenAs<CCertificateListScreen>(ScreenRole::Certificates))
        certificates->FillGrid();
    // This screen first: the tournament modes leave it out of the shell's refresh.
    Refresh();
    m_ctx.Shell().RefreshAllScreens();
}

void CTransferScreen::SignFromBox(int button, int window) {
    // Only the terms the player agreed to, and only for the player they were agreed with.
    const TransferListEntry* entry = MarketEntry(m_selectedMarket);
    int32_t wage = 0;
    int32_t months = 0;
    if (!m_agreed || !entry || entry->playerId != m_negotiatedId || !ReadTerms(wage, months))
        return;
    if (!SignPlayer(m_selectedMarket, wage, months)) {
        SetAsking();
        return;
    }
    m_agreed = false;
    m_negotiatedId = -1;
    m_ctx.Post(button, window, kMsgClose);
}

void CTransferScreen::OnMessage(GuiMessage& msg) {
    // A double-click on a player selects him and opens his window.
    if (msg.MSG == kMsgDoubleClick && m_root && (msg.sID == ID_TF_SQUAD || msg.sID == ID_TF_MARKET)) {
        const bool squad = msg.sID == ID_TF_SQUAD;
        if (squad)
            SelectSquadRow(msg.p1);
        else
            SelectMarketRow(msg.p1);
        if (OpenPlayerInfo(m_ctx, squad ? m_squadPlayerId : m_marketPlayerId))
            Consume(msg);
        return;
    }
    if (msg.MSG == kMsgSelection) {
        if (!m_root)
            return;
        switch (msg.sID) {
        case ID_TF_SQUAD:
            SelectSquadRow(msg.p1);
            Consume(msg);
            break;
        case ID_TF_MARKET:
            SelectMarketRow(msg.p1);
            Consume(msg);
            break;
        case ID_TF_TEAMS:
            if (CGuiElement* combo = Child(ID_TF_TEAMS)) {
                const int selected = combo->GetSelectedIndex();
                m_teamFilter = selected >= 0 ? combo->GetItemData(selected) : -1;
                FillMarketList();
                RestoreSelections();
            }
            Consume(msg);
            break;
        default:
            break;
        }
        return;
    }
    if (msg.MSG != kMsgClick)
        return;
    int32_t wage = 0;
    int32_t months = 0;
    switch (msg.sID) {
    case ID_TF_RELEASE:
        if (CGuiElement* box = m_ctx.Find(ID_TF_RELEASE_BOX)) {
            // The question names the player, so nobody is let go by a slip of the list.
            CStr question = m_ctx.Text(200202);
            const bool chosen = m_selectedSquad >= 0 && m_selectedSquad < static_cast<int>(m_squad.size());
            question.ReplaceAll("XYPLAYER",
                                chosen ? m_squad[static_cast<size_t>(m_selectedSquad)]->name.GetText() : "");
            box->SetCaption(question);
        }
        m_ctx.SetText(ID_TF_RELEASE_YES, m_ctx.Text(300000), kFormatCentreMiddle);
        m_ctx.SetText(ID_TF_RELEASE_NO, m_ctx.Text(300001), kFormatCentreMiddle);
        m_ctx.Post(ID_TF_RELEASE, ID_TF_RELEASE_BOX, kMsgOpenOnTop, ID_TF_RELEASE, 0);
        m_ctx.CentreWindow(ID_TF_SQUAD_PANEL, ID_TF_RELEASE_BOX);
        KeepOnScreen(m_ctx.Find(ID_TF_RELEASE_BOX));
        break;
    case ID_TF_RELEASE_YES:
        if (m_selectedSquad != -1) {
            ReleasePlayer(m_selectedSquad);
            m_ctx.Post(ID_TF_RELEASE_YES, ID_TF_RELEASE_BOX, kMsgClose);
        }
        break;
    case ID_TF_RELEASE_NO:
        m_ctx.Post(ID_TF_RELEASE_NO, ID_TF_RELEASE_BOX, kMsgClose);
        break;
    case ID_TF_NEGOTIATE:
        PrepareNegotiation();
        m_ctx.Post(ID_TF_NEGOTIATE, ID_TF_NEGOTIATION, kMsgOpenOnTop, ID_TF_NEGOTIATE, 0);
        m_ctx.CentreWindow(ID_TF_MARKET_PANEL, ID_TF_QUICKSIGN);
        break;
    case ID_TF_NEG_WAGE_UP:
        if (ReadTerms(wage, months)) {
            WriteWage(std::min(wage, kMaxMonthlyWage - kWageStep) + kWageStep);
            SetAsking();
            ShowTermsText();
        }
        break;
    case ID_TF_NEG_WAGE_DOWN:
        if (ReadTerms(wage, months) && wage > kWageStep) {
            WriteWage(wage - kWageStep);
            SetAsking();
            ShowTermsText();
        }
        break;
    case ID_TF_NEG_MONTHS_UP:
    case ID_TF_NEG_MONTHS_DOWN:
        if (ReadTerms(wage, months)) {
            const bool up = msg.sID == ID_TF_NEG_MONTHS_UP;
            if (up ? months < kMaxContractMonths : months > kMinContractMonths) {
                GuiGridCell* cell = m_ctx.Find(ID_TF_NEG_GRID)->FindCell(kColMonths, 0);
                cell->text = CStr::Formatted("%d", up ? months + 1 : months - 1);
                SetAsking();
                ShowTermsText();
            }
        }
        break;
    case ID_TF_NEG_ASK:
        EvaluateOffer();
        break;
    case ID_TF_NEG_SIGN:
        SignFromBox(ID_TF_NEG_SIGN, ID_TF_NEGOTIATION);
        break;
    case ID_TF_QUICKSIGN_SIGN:
        SignFromBox(ID_TF_QUICKSIGN_SIGN, ID_TF_QUICKSIGN);
        break;
    case ID_TF_NEG_CLOSE:
        SetAsking();
        m_ctx.Post(ID_TF_NEG_CLOSE, ID_TF_NEGOTIATION, kMsgClose);
        break;
    case ID_TF_QUICKSIGN_CLOSE:
        m_ctx.Post(ID_TF_QUICKSIGN_CLOSE, ID_TF_QUICKSIGN, kMsgClose);
        break;
    default:
        return;
    }
    Consume(msg);
}
