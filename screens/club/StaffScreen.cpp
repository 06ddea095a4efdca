// The staff screen: candidates, hiring, the hired members' panels and releases.
#include "screens/club/StaffScreen.h"

#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/ClubCaption.h"
#include "screens/FormatMoney.h"
#include "screens/club/CoachCards.h"

#include <algorithm>

namespace {

constexpr uint32_t kLabelColour = 0x0080FFFF; // orange
constexpr uint32_t kValueColour = 0xFFFFFFFF;

int ReleaseButton(int panel) {
    return ID_STAFF_RELEASE_0 + panel;
}
int PanelGrid(int panel) {
    return ID_STAFF_PANEL_0 + panel;
}

CStr MoneyText(int32_t amount) {
    return FormatMoney(CStr::Formatted("%d", amount), ',', '$');
}

} // namespace

CStaffScreen::CStaffScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {
    m_hiredId.fill(-1);
    m_hiredRow.fill(-1);
    if (!m_root)
        return;
    // The labels name the categories in id order; the layout puts each over its own panel.
    for (int k = 0; k < kStaffCategoryCount; ++k)
        m_ctx.SetText(ID_STAFF_LABEL_0 + k, m_ctx.Text(kStaffHeadCoach + k));
    m_ctx.SetText(ID_STAFF_CANDIDATES_TITLE, m_ctx.Text(300125));
    m_ctx.SetText(ID_STAFF_CATEGORIES_TITLE, m_ctx.Text(300126));
    m_ctx.SetText(ID_STAFF_PANELS_TITLE, m_ctx.Text(300127));
    FillCategoryList();
    FillCandidates();
    UpdateButtons();
}

CStaffScreen::~CStaffScreen() {
    ClearEntries();
}

bool CStaffScreen::HasCareer() const {
    return m_ctx.Session().careerDB != nullptr;
}

void CStaffScreen::RememberSelection() {
    // The choice is the career's: the promotion notices name it, also after a reload.
    if (CMemoryDB* career = m_ctx.Session().careerDB)
        career->careerSteps.Get().staffSelection = m_selectedCandidate;
}

int32_t CStaffScreen::UserClubId() const {
    const CTeam* club = m_ctx.Session().UserClub();
    return club ? club->id : m_clubId;
}

int CStaffScreen::PanelOf(int32_t category) {
    for (int k = 0; k < kStaffCategoryCount; ++k)
        if (kPanelCategories[static_cast<size_t>(k)] == category)
            return k;
    return -1;
}

int32_t CStaffScreen::HiredId(int32_t category) const {
    const int panel = PanelOf(category);
    return panel >= 0 ? m_hiredId[static_cast<size_t>(panel)] : -1;
}

void CStaffScreen::ClearEntries() {
    m_entries.clear();
}

void CStaffScreen::AddEntry(const CStaffRecord& record) {
    auto entry = std::make_unique<StaffEntry>();
    entry->row = static_cast<int32_t>(m_entries.size());
    entry->member = record;
    entry->picturePath = record.picture;
    m_entries.push_back(std::move(entry));
}

void CStaffScreen::Refresh() {
    CCareerSession& session = m_ctx.Session();
    CMemoryDB* career = session.careerDB;
    if (!m_root || !career || career->teams.IsEmpty() || career->profiles.IsEmpty())
        return;
    const CTeam* club = career->teams.At(0);
    m_clubName = club->name;
    m_clubId = club->id;
    const GameDate& today = session.currentDate;
    m_dateText = CStr::Formatted("%02d.%02d.%d", today.day, today.month, today.year);

    ClearEntries();
    m_hiredId.fill(-1);
    m_hiredRow.fill(-1);
    if (session.worldDB)
        for (const CStaffRecord* record : session.worldDB->staff)
            if (record->clubId != m_clubId)
                AddEntry(*record);
    for (const CStaffRecord* record : club->staff) {
        AddEntry(*record);
        const int panel = PanelOf(record->category);
        if (panel >= 0 && m_hiredId[static_cast<size_t>(panel)] < 0) {
            m_hiredId[static_cast<size_t>(panel)] = record->id;
            m_hiredRow[static_cast<size_t>(panel)] = m_entries.back()->row;
        }
    }
    SetCaptions();
    FillCandidates();
    for (int32_t category = kStaffHeadCoach; category <= kStaffBusinessManager; ++category)
        FillStaffPanel(category);
    UpdateButtons();
}

std::unique_ptr<StaffEntry> CStaffScreen::FindHiredStaff(int32_t category) const {
    if (!HasCareer())
        return nullptr;
    const int32_t clubId = UserClubId();
    for (const auto& entry : m_entries)
        if (entry->member.clubId == clubId && entry->member.category == category)
            return std::make_unique<StaffEntry>(*entry);
    return nullptr;
}

StaffEntry* CStaffScreen::FindEntryById(int32_t id) const {
    for (const auto& entry : m_entries)
        if (entry->member.id == id)
            return entry.get();
    return nullptr;
}

StaffEntry* CStaffScreen::HireOrFire(int32_t category, int32_t candidateId, bool hire) {
    const int panel = PanelOf(category);
    if (panel < 0)
        return nullptr;
    const size_t k = static_cast<size_t>(panel);
    if (!hire) {
        m_hiredId[k] = -1;
        m_hiredRow[k] = -1;
        FireStaff(category);
        FillStaffPanel(category);
        FillCandidates();
        UpdateCoachCard(category, nullptr);
        RefreshStatistics();
        return nullptr;
    }
    StaffEntry* entry = FindEntryById(candidateId);
    // Only a free category takes a member, and only a listed candidate of that category.
    if (m_hiredId[k] >= 0 || !HasCareer() || !entry || entry->member.category != category ||
        entry->member.clubId == UserClubId())
        return nullptr;
    m_hiredId[k] = candidateId;
    m_hiredRow[k] = entry->row;
    if (category == kStaffHeadCoach) {
        const GameDate& today = m_ctx.Session().currentDate;
        entry->member.extra[1] = today.year;
        entry->member.extra[2] = today.month;
        entry->member.extra[3] = today.day;
    }
    AssignToClub(*entry);
    FillStaffPanel(category);
    FillCandidates();
    RefreshStatistics();
    return entry;
}

void CStaffScreen::RefreshStatistics() {
    // The statistics' club panel lists the staff: it shows the change at once.
    if (CGameScreen* statistics = m_ctx.Screen(ScreenRole::Statistics))
        statistics->Refresh();
}

void CStaffScreen::AssignToClub(StaffEntry& entry) {
    CCareerSession& session = m_ctx.Session();
    if (!session.careerDB)
        return;
    const int32_t clubId = UserClubId();
    const CStaffRecord hired = entry.member;
    for (const auto& other : m_entries)
        if (other->member.id == hired.id)
            other->member.clubId = clubId;
    HireStaffMember(session.worldDB, *session.careerDB, hired);
}

void CStaffScreen::FireStaff(int32_t category) {
    CCareerSession& session = m_ctx.Session();
    const int32_t clubId = UserClubId();
    for (const auto& entry : m_entries)
        if (entry->member.clubId == clubId && entry->member.category == category)
            entry->member.clubId = -1;
    if (session.careerDB)
        ReleaseStaffCategory(session.worldDB, *session.careerDB, category);
}

void CStaffScreen::UpdateCoachCard(int32_t category, const StaffEntry* member) {
    if (category != kStaffHeadCoach && category != kStaffAssistantCoach)
        return;
    auto* cards = m_ctx.ScreenAs<ICoachCards>(ScreenRole::Training);
    if (!cards)
        return;
    CoachCard card;
    if (member) {
        card.name = member->member.name;
        card.skill = member->member.skill;
        card.origin = m_ctx.Text(member->member.originTextId);
        card.wage = member->member.wage;
        card.picture = member->picturePath;
        card.speciality = m_ctx.Text(member->member.specialityTextId);
        card.specialityPercent = member->member.specialityPercent;
    }
    cards->SetCoachCard(category, card);
    cards->FillStaffCards();
}

void CStaffScreen::FillCategoryList() {
    CGuiElement* grid = m_ctx.Find(ID_STAFF_CATEGORIES);
    if (!grid)
        return;
    grid->Clear();
    for (int32_t category : kPanelCategories)
        grid->AddCell(0, m_ctx.Text(category), category);
    grid->SetRowCount(kStaffCategoryCount);
    grid->ResetScroll(true);
    grid->SortRows(0, -1, -1);
    grid->SetSelectedRow(0, true);
    GuiGridCell* first = grid->FindCell(0, 0);
    m_selectedCategory = first ? first->data : -1;
}

void CStaffScreen::FillCandidates() {
    CGuiElement* grid = m_ctx.Find(ID_STAFF_CANDIDATES);
    if (!grid || !HasCareer() || m_selectedCategory < 0)
        return;
    grid->Clear();
    for (int c = 0; c < 4; ++c)
        grid->SetColumnFormat(c, kFormatLeftMiddle);
    grid->SetHeaderText(0, m_ctx.Text(80035), kFormatLeftMiddle);
    grid->SetHeaderText(1, m_ctx.Text(80053), kFormatLeftMiddle);
    grid->SetHeaderText(2, CStr(), kFormatLeftMiddle);
    grid->SetHeaderText(3, m_ctx.Text(80051), kFormatLeftMiddle);
    const int32_t clubId = UserClubId();
    int rows = 0;
    for (const auto& entry : m_entries) {
        const CStaffRecord& m = entry->member;
        if (m.category != m_selectedCategory || m.clubId == clubId)
            continue;
        grid->AddCell(0, m.name, m.id);
        grid->AddCell(1, CStr::Formatted("%d%%", m.specialityPercent), entry->row);
        grid->AddCell(2, m_ctx.Text(m.specialityTextId), m.id);
        grid->AddCell(3, MoneyText(m.wage), m.id);
        ++rows;
    }
    grid->SetRowCount(rows);
    grid->ResetScroll(true);
    grid->SortRows(0, -1, -1);
    grid->SetSelectedRow(rows > 0 ? 0 : -1, true);
    GuiGridCell* id = grid->FindCell(0, 0);
    GuiGridCell* row = grid->FindCell(1, 0);
    m_selectedCandidate = id ? id->data : -1;
    m_candidateRow = row ? row->data : -1;
    RememberSelection();
    UpdateButtons();
}

void CStaffScreen::FillStaffPanel(int32_t category) {
    const int panel = PanelOf(category);
    CGuiElement* grid = panel >= 0 ? m_ctx.Find(PanelGrid(panel)) : nullptr;
    std::unique_ptr<StaffEntry> member = FindHiredStaff(category);
    if (!member) {
        if (grid) {
            grid->Clear();
            grid->SetRowCount(0);
        }
        return;
    }
    if (!grid)
        return;
    grid->Clear();
    grid->SetRowCount(10);
    grid->SetColumnFormat(0, kFormatLeftMiddle);
    grid->SetColumnFormat(1, kFormatLeftMiddle);
    grid->SetColumnColour(0, kLabelColour);
    grid->SetColumnColour(1, kValueColour);
    const CStaffRecord& m = member->member;
    const CStr rows[5][2] = {
        {m_ctx.Text(80035), m.name},
        {m_ctx.Text(80052), CStr::Formatted("%d", m.skill)},
        {m_ctx.Text(80050), m_ctx.Text(m.originTextId)},
        {m_ctx.Text(80053),
         CStr::Formatted("%s (%d%%)", m_ctx.Text(m.specialityTextId).GetText(), m.specialityPercent)},
        {m_ctx.Text(80051), MoneyText(m.wage)},
    };
    for (const auto& row : rows) {
        grid->AddCell(0, row[0], 0);
        grid->AddCell(1, row[1], 0);
    }
    grid->SetRowCount(5);
}

void CStaffScreen::UpdateButtons() {
    CGuiElement* hire = m_ctx.Find(ID_STAFF_HIRE);
    CGuiElement* categories = m_ctx.Find(ID_STAFF_CATEGORIES);
    CGuiElement* candidates = m_ctx.Find(ID_STAFF_CANDIDATES);
    if (hire) {
        const bool canHire = categories && candidates && categories->GetSelectedRow() >= 0 &&
                             candidates->GetSelectedRow() >= 0 && m_selectedCandidate >= 0 &&
                             HiredId(m_selectedCategory) < 0 && PanelOf(m_selectedCategory) >= 0;
        hire->SetDisabled(!canHire);
    }
    for (int k = 0; k < kStaffCategoryCount; ++k)
        if (CGuiElement* button = m_ctx.Find(ReleaseButton(k)))
            button->SetDisabled(m_hiredId[static_cast<size_t>(k)] < 0);
}

void CStaffScreen::SetCaptions() {
    if (m_root)
        m_root->SetCaption(ClubCaptionLine(m_ctx, 300121, m_clubName, m_dateText));
    if (CGuiElement* confirm = m_ctx.Find(kConfirmWindow))
        confirm->SetCaption(m_ctx.Text(100159));
    for (int k = 0; k < kStaffCategoryCount; ++k)
        if (CGuiElement* button = m_ctx.Find(ReleaseButton(k)))
            button->SetText(m_ctx.Text(100157), kFormatCentreMiddle);
    if (CGuiElement* hire = m_ctx.Find(ID_STAFF_HIRE)) {
        hire->SetText(m_ctx.Text(100158), kFormatCentreMiddle);
        hire->SetDisabled(true);
    }
}

void CStaffScreen::AskRelease(int button) {
    const int panel = button - ID_STAFF_RELEASE_0;
    m_pendingRelease = button;
    std::unique_ptr<StaffEntry> member = FindHiredStaff(kPanelCategories[static_cast<size_t>(panel)]);
    m_ctx.SetText(ID_STAFF_RELEASE_TEXT,
                  member ? member->member.name.Concat("\n").Concat(m_ctx.Text(300128)) : m_ctx.Text(300128));
    m_ctx.Post(button, kConfirmWindow, kMsgOpenOnTop, button, 0);
    m_ctx.CentreWindow(PanelGrid(panel), kConfirmWindow);
    // Over a panel at the edge the box would leave the screen.
    if (CGuiElement* box = m_ctx.Find(kConfirmWindow)) {
        const ElementDesc& d = box->Desc();
        const int x = std::max(0, std::min(d.x, 1024 - d.w));
        const int y = std::max(0, std::min(d.y, 768 - d.h));
        box->MoveTo(x, y);
    }
}

void CStaffScreen::ConfirmRelease() {
    const int panel = m_pendingRelease - ID_STAFF_RELEASE_0;
    if (panel >= 0 && panel < kStaffCategoryCount) {
        const int32_t category = kPanelCategories[static_cast<size_t>(panel)];
        // A category without a member only gets its views redrawn.
        if (m_hiredId[static_cast<size_t>(panel)] >= 0 || FindHiredStaff(category))
            HireOrFire(category, -1, false);
        else {
            FillStaffPanel(category);
            FillCandidates();
        }
    }
    m_pendingRelease = -1;
    UpdateButtons();
}

void CStaffScreen::OnMessage(GuiMessage& m) {
    if (!m_root)
        return;
    if ((m.MSG == kMsgSelection || m.MSG == kMsgClick) && m.sID == ID_STAFF_CATEGORIES) {
        Consume(m);
        CGuiElement* grid = m_ctx.Find(ID_STAFF_CATEGORIES);
        GuiGridCell* cell = grid ? grid->FindCell(0, grid->GetSelectedRow()) : nullptr;
        m_selectedCategory = cell ? cell->data : -1;
        FillCandidates();
        UpdateButtons();
    } else if (m.MSG == kMsgSelection && m.sID == ID_STAFF_CANDIDATES) {
        Consume(m);
        CGuiElement* grid = m_ctx.Find(ID_STAFF_CANDIDATES);
        const int row = grid ? grid->GetSelectedRow() : -1;
        GuiGridCell* id = grid ? grid->FindCell(0, row) : nullptr;
        GuiGridCell* entryRow = grid ? grid->FindCell(1, row) : nullptr;
        m_selectedCandidate = id ? id->data : -1;
        m_candidateRow = entryRow ? entryRow->data : -1;
        RememberSelection();
        UpdateButtons();
    } else if (IsClick(m, ID_STAFF_HIRE)) {
        Consume(m);
        if (m_selectedCategory >= 0 && m_selectedCandidate >= 0) {
            if (StaffEntry* hired = HireOrFire(m_selectedCategory, m_selectedCandidate, true))
                UpdateCoachCard(hired->member.category, hired);
            FillCandidates();
        }
        UpdateButtons();
    } else if (m.MSG == kMsgClick && m.sID >= ID_STAFF_RELEASE_0 &&
               m.sID < ID_STAFF_RELEASE_0 + kStaffCategoryCount) {
        const int button = m.sID;
        Consume(m);
        AskRelease(button);
    } else if (IsClick(m, ID_STAFF_RELEASE_YES)) {
        Consume(m);
        ConfirmRelease();
        m_ctx.Post(ID_STAFF_RELEASE_YES, kConfirmWindow, kMsgClose, 0, 0);
    } else if (IsClick(m, ID_STAFF_RELEASE_NO)) {
        Consume(m);
        m_pendingRelease = -1;
        m_ctx.Post(ID_STAFF_RELEASE_NO, kConfirmWindow, kMsgClose, 0, 0);
    }
}
