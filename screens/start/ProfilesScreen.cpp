// The saved careers: listed from the careers list, loaded into the session or deleted.
#include "screens/start/ProfilesScreen.h"

#include "career/CareerSession.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "gui/ScreenStack.h"
#include "guidefines.h"
#include "screens/start/CareerFrameScreen.h"

namespace {

constexpr int kTextLoadRefused = 100330; // the cause where "XYREASON" stands
// The causes, naming the file or folder where "XYFILE" stands.
constexpr int kTextLoadGone = 100362;
constexpr int kTextLoadManifest = 100363;
constexpr int kTextLoadNewer = 100364;
constexpr int kTextLoadMissingFile = 100365;
constexpr int kTextLoadChangedFile = 100366;
constexpr int kTextLoadUnlistedFile = 100367;
constexpr int kTextLoadDamagedFile = 100368;
constexpr int kTextLoadBadValue = 100369;
constexpr int kTextLoadOtherCareer = 100370;
constexpr int kTextLoadClubMissing = 100371;
constexpr int kTextChoicesReset = 100395;   // names the choices file where "XYFILE" stands
constexpr int kTextDeleteQuestion = 100331; // names the manager where "XYMANAGER" stands
constexpr int kTextDeleteFailed = 100332;

int LoadCauseText(CareerLoadFailure reason) {
    switch (reason) {
    case CareerLoadFailure::kManifest:
        return kTextLoadManifest;
    case CareerLoadFailure::kNewer:
        return kTextLoadNewer;
    case CareerLoadFailure::kMissingFile:
        return kTextLoadMissingFile;
    case CareerLoadFailure::kChangedFile:
        return kTextLoadChangedFile;
    case CareerLoadFailure::kUnlistedFile:
        return kTextLoadUnlistedFile;
    case CareerLoadFailure::kDamagedFile:
        return kTextLoadDamagedFile;
    case CareerLoadFailure::kBadValue:
        return kTextLoadBadValue;
    case CareerLoadFailure::kOtherCareer:
        return kTextLoadOtherCareer;
    case CareerLoadFailure::kClubMissing:
        return kTextLoadClubMissing;
    default:
        return kTextLoadGone;
    }
}

} // namespace

CStr ShownManagerName(const CStr& name) {
    std::string shown = CleanManagerName(name).Std();
    if (shown.size() <= static_cast<size_t>(kShownNameLength))
        return CStr(shown.c_str());
    size_t cut = kShownNameLength;
    // A UTF-8 letter's continuation bytes stay with their first byte.
    while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80)
        --cut;
    shown.resize(cut);
    return CStr(shown.c_str()).Concat("...");
}

CStr LoadFailureMessage(const CScreenContext& ctx) {
    const CareerLoadError& error = ctx.Session().lastLoadError;
    // The file goes in after the text is read, so nothing in its name is taken for a mark.
    CStr cause = ctx.Text(LoadCauseText(error.reason));
    cause.ReplaceAll("XYFILE", error.where.IsEmpty() ? CStr("data/profiles") : error.where);
    CStr message = ctx.Text(kTextLoadRefused);
    const int mark = message.Find("XYREASON");
    return mark < 0 ? message : message.Left(mark).Concat(cause).Concat(message.Mid(mark + 8));
}

CStr ChoicesResetMessage(const CScreenContext& ctx) {
    const CStr& file = ctx.Session().lastLoadError.choicesReset;
    if (file.IsEmpty())
        return CStr();
    CStr message = ctx.Text(kTextChoicesReset);
    message.ReplaceAll("XYFILE", file);
    return message;
}

void CProfilesScreen::FillCareers() {
    CMemoryDB* world = m_ctx.Session().worldDB;
    if (!world)
        return;
    ListCareers(*world);
    CGuiElement* grid = m_ctx.Find(ID_PR_GRID);
    if (!grid)
        return;
    grid->Clear();
    int rows = 0;
    for (const CProfile* profile : world->profiles) {
        CStr date = FormatDate(profile->year, profile->day, profile->month, ".");
        grid->AddCell(0, ShownManagerName(profile->managerName), profile->id);
        grid->AddCell(1, ClubName(profile->dataSet, profile->clubId), profile->id);
        grid->AddCell(2, m_ctx.Text(profile->modeTextId), profile->id);
        grid->AddCell(3, date, profile->id);
        ++rows;
    }
    grid->SetRowCount(rows);
    grid->ResetScroll(true);
    grid->SetSelectedRow(rows > 0 ? 0 : -1, true);
    if (CGuiElement* empty = m_ctx.Find(ID_PR_EMPTY))
        empty->Desc().visible = rows == 0 ? 1 : 0;
}

CStr CProfilesScreen::ClubName(int32_t dataSet, int32_t clubId) {
    auto names = m_clubNames.find(dataSet);
    if (names == m_clubNames.end()) {
        std::map<int32_t, CStr> read;
        CMemoryDB world;
        if (world.LoadFolder(DataSetFolder(dataSet)))
            for (const CTeam* team : world.teams)
                if (team)
                    read[team->id] = team->name;
        names = m_clubNames.emplace(dataSet, std::move(read)).first;
    }
    auto name = names->second.find(clubId);
    return name != names->second.end() ? name->second : CStr("-");
}

int32_t CProfilesScreen::SelectedProfileId() const {
    CGuiElement* grid = m_ctx.Find(ID_PR_GRID);
    GuiGridCell* cell = grid ? grid->FindCell(0, grid->GetSelectedRow()) : nullptr;
    return cell ? cell->data : -1;
}

CProfilesScreen::CProfilesScreen(const CScreenContext& ctx) : m_ctx(ctx) {
    // Escape leaves the saved careers as "Back" does.
    m_ctx.Stack().SetEscapeButton(ID_PROFILES, ID_PR_BACK);
}

void CProfilesScreen::OnMessage(GuiMessage& m) {
    CCareerSession& session = m_ctx.Session();
    if (IsClick(m, ID_PR_LOAD) || (m.MSG == kMsgDoubleClick && m.sID == ID_PR_GRID)) {
        Consume(m);
        int32_t id = SelectedProfileId();
        if (id < 0)
            return;
        if (!session.LoadSavedCareer(id)) {
            m_ctx.ShowMessage(LoadFailureMessage(m_ctx));
            FillCareers();
            return;
        }
        m_ctx.Shell().RefreshAllScreens();
        if (auto* frame = m_ctx.ScreenAs<CCareerFrameScreen>(ScreenRole::Header))
            frame->UpdateMenuButtons();
        m_ctx.Post(-1, ID_FRAME, kMsgOpenMenu);
        ShowCareerHome(m_ctx);
        // The career plays on with the default tactics; the player must know to set them again.
        const CStr reset = ChoicesResetMessage(m_ctx);
        if (!reset.IsEmpty())
            m_ctx.ShowMessage(reset);
    } else if (IsClick(m, ID_PR_DELETE)) {
        Consume(m);
        m_pendingDelete = SelectedProfileId();
        if (m_pendingDelete < 0 || !session.worldDB)
            return;
        CStr name;
        for (const CProfile* profile : session.worldDB->profiles)
            if (profile->id == m_pendingDelete)
                name = ShownManagerName(profile->managerName);
        // The name goes in after the text is read: a name is the player's own and may hold anything.
        CStr question = m_ctx.Text(kTextDeleteQuestion);
        question.ReplaceAll("XYMANAGER", name);
        m_ctx.SetText(ID_CD_TEXT, question);
        m_ctx.Post(-1, ID_CONFIRMDELETE, kMsgOpenOnTop);
    } else if (IsClick(m, ID_CD_YES)) {
        Consume(m);
        if (m_pendingDelete >= 0 && !session.DeleteSavedCareer(m_pendingDelete))
            m_ctx.ShowMessage(m_ctx.Text(kTextDeleteFailed));
        m_pendingDelete = -1;
        m_ctx.Post(-1, ID_CONFIRMDELETE, kMsgClose);
        FillCareers();
    } else if (IsClick(m, ID_PR_BACK)) {
        Consume(m);
        m_ctx.SwitchTo(ID_MAINMENU);
    }
}
