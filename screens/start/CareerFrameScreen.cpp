// The career frame: the header, saving, leaving to the main menu and the club screens' menu.
#include "screens/start/CareerFrameScreen.h"

#include "career/CareerSession.h"
#include "career/FunShop.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/FormatMoney.h"
#include "screens/club/EmailScreen.h"
#include "screens/start/ProfilesScreen.h"

#include <iterator>

namespace {

constexpr int32_t kRegularLeagueType = 100005;

constexpr int kTextSaved = 100344;
constexpr int kTextNotSaved = 100345;
constexpr int kTextManagerLead = 100346;
constexpr int kTextNotOpenYet = 100347;
constexpr int kTextNotInTournament = 100348;
constexpr int kTextNoPermission = 100349; // names the folder where "XYFOLDER" stands
constexpr int kTextNoSpace = 100350;
constexpr int kTextListUnreadable = 100351;
constexpr int kTextFolderTaken = 100352;
constexpr int kTextBusy = 100353;
constexpr int kTextNotSavedLog = 100354;
constexpr int kTextStaysOpen = 100355;
constexpr int kTextFileTooLarge = 100360;
constexpr int kTextSavedElsewhere = 100361;

// Menu buttons of the frame and the windows they open.
struct MenuButton {
    int button;
    int window;
    // A money or club-business screen: a tournament career has none of it, and those screens are
    // not refreshed there, so they would show the last league career.
    bool leagueOnly;
};
constexpr MenuButton kMenuButtons[] = {
    {ID_FR_OVERVIEW, ID_CLUBOVERVIEW, false}, {ID_FR_SQUAD, ID_LINEUP, false},
    {ID_FR_TACTICS, ID_TACTICS, false},       {ID_FR_TRAINING, ID_TRAINING, false},
    {ID_FR_STAFF, ID_STAFF, false},           {ID_FR_TRANSFERS, ID_TRANSFERS, true},
    {ID_FR_FINANCES, ID_FINANCES, true},      {ID_FR_SPONSORS, ID_SPONSORS, true},
    {ID_FR_TICKETS, ID_TICKETS, true},        {ID_FR_FUNSHOP, ID_FUNSHOP, true},
    {ID_FR_STADIUM, ID_STADIUM, true},        {ID_FR_STATISTICS, ID_STATISTICS, false},
    {ID_FR_INBOX, ID_INBOX, false},           {ID_FR_NEWS, ID_NEWS, false},
    {ID_FR_BUTTON, ID_DAYPANEL, false},
};
static_assert(std::size(kMenuButtons) == 15, "the frame keeps a tooltip per menu button");

} // namespace

CStr SaveFailureMessage(const CScreenContext& ctx, bool careerStaysOpen) {
    const CCareerSession& session = ctx.Session();
    CStr message;
    switch (session.lastSaveError.reason) {
    case CareerSaveFailure::kNoPermission: {
        // Written as the player's system writes a path.
        CStr where = session.lastSaveError.where.IsEmpty() ? CStr("data/profiles")
                                                           : session.lastSaveError.where.Mid(1);
        where.ReplaceAll("\\", "/");
        // The folder is put in after the text is read, so nothing in its name is taken for a mark.
        message = ctx.Text(kTextNoPermission);
        message.ReplaceAll("XYFOLDER", where);
        break;
    }
    case CareerSaveFailure::kNoSpace:
        message = ctx.Text(kTextNoSpace);
        break;
    case CareerSaveFailure::kListUnreadable:
        message = ctx.Text(kTextListUnreadable);
        break;
    case CareerSaveFailure::kFolderTaken:
        message = ctx.Text(kTextFolderTaken);
        break;
    case CareerSaveFailure::kBusy:
        message = ctx.Text(kTextBusy);
        break;
    case CareerSaveFailure::kFileTooLarge:
        message = ctx.Text(kTextFileTooLarge);
        break;
    case CareerSaveFailure::kSavedElsewhere:
        message = ctx.Text(kTextSavedElsewhere);
        break;
    default:
        message = ctx.Text(kTextNotSavedLog);
        break;
    }
    return careerStaysOpen ? message.Concat(ctx.Text(kTextStaysOpen)) : message;
}

void ShowCareerHome(const CScreenContext& ctx) {
    if (ctx.Find(ID_CLUBOVERVIEW)) {
        ctx.Post(-1, ID_CLUBOVERVIEW, kMsgOpenOnTop);
        return;
    }
    if (CGameScreen* panel = ctx.Screen(ScreenRole::DayInfoPanel))
        panel->Refresh();
    ctx.Post(-1, ID_DAYPANEL, kMsgOpenOnTop);
}

int CCareerFrameScreen::MenuWindowOf(int button) {
    for (const MenuButton& entry : kMenuButtons)
        if (entry.button == button)
            return entry.window;
    return -1;
}

void CCareerFrameScreen::Refresh() {
    const CCareerSession& session = m_ctx.Session();
    if (!session.HasOpenCareer())
        return;
    // A refresh follows a change of the career (a day, a signing, another career): whatever the
    // status said about the last save no longer holds.
    if (CGuiElement* status = m_ctx.Find(ID_FR_STATUS))
        status->SetText(CStr());
    UpdateMenuButtons();
    m_header.Refresh();
    const CTeam* club = session.UserClub();
    const CLeague* league = session.UserLeague();
    const CProfile* profile = session.careerDB->profiles.At(0);
    auto set = [&](int id, const CStr& text) {
        if (CGuiElement* element = m_ctx.Find(id))
            element->SetText(text);
    };
    set(ID_FR_CLUB, club ? club->name : CStr());
    CStr leagueLine = league ? m_ctx.Text(league->nameTextId) : CStr();
    if (profile)
        leagueLine =
            leagueLine.Concat(m_ctx.Text(kTextManagerLead)).Concat(ShownManagerName(profile->managerName));
    set(ID_FR_LEAGUE, leagueLine);
    // The date itself is the header strip's; the frame names the day of the week beside it.
    set(ID_FR_DATE, session.calendar ? session.calendar->WeekdayName(session.currentDate) : CStr());
    set(ID_FR_CASH, club ? FormatMoney(club->cash) : CStr());
}

void CCareerFrameScreen::UpdateMenuButtons() {
    const CCareerSession& session = m_ctx.Session();
    const bool tournament = session.tournamentMode != 0;
    const CLeague* league = session.HasOpenCareer() ? session.UserLeague() : nullptr;
    // The career's own limits: the bottom league builds no stadium, and the fun shop opens once it
    // is built or goods are on their way.
    const bool bottomLeague = league && league->type == kRegularLeagueType && league->classNumber % 3 == 0;
    const bool shopClosed = session.HasOpenCareer() && FunShopLevel(*session.careerDB) == 0 &&
                            PendingFunShopOrders(*session.careerDB) == 0;
    for (size_t i = 0; i < std::size(kMenuButtons); ++i) {
        const MenuButton& entry = kMenuButtons[i];
        CGuiElement* button = m_ctx.Find(entry.button);
        if (!button)
            continue;
        if (!m_tooltipsKept)
            m_menuTooltips[i] = button->GetTooltip();
        const bool exists = m_ctx.Find(entry.window) != nullptr;
        const bool outOfMode = entry.leagueOnly && tournament;
        const bool allowed = !(entry.button == ID_FR_STADIUM && bottomLeague) &&
                             !(entry.button == ID_FR_FUNSHOP && shopClosed);
        button->Desc().enabled = exists && !outOfMode && allowed ? 1 : 0;
        if (!exists)
            button->SetTooltip(m_ctx.Text(kTextNotOpenYet));
        else if (outOfMode)
            button->SetTooltip(m_ctx.Text(kTextNotInTournament));
        else
            button->SetTooltip(m_menuTooltips[i]);
    }
    m_tooltipsKept = true;
}

void CCareerFrameScreen::UpdateMailCounters() {
    // Mail also arrives where no refresh follows (after a match, a signing): the header's counters
    // are counted again whenever the player does something, so they never lag behind the inbox.
    // The day's worker writes mail, so nothing is read while it runs.
    if (!m_ctx.Session().HasOpenCareer() || m_ctx.Shell().WorkerRunning())
        return;
    if (auto* inbox = m_ctx.ScreenAs<CEmailScreen>(ScreenRole::Inbox))
        inbox->UpdateUnreadCounters();
}

void CCareerFrameScreen::OnMessage(GuiMessage& m) {
    CCareerSession& session = m_ctx.Session();
    UpdateMailCounters();
    m_header.OnMessage(m);
    if (m.sID < 0)
        return;
    // After a refusal because another copy of the game saved the career, saving again keeps this
    // copy's progress as a career of its own (the message says so).
    const bool asNewCareer = session.lastSaveError.reason == CareerSaveFailure::kSavedElsewhere;
    if (IsClick(m, ID_FR_SAVE)) {
        Consume(m);
        bool ok = session.SaveCurrentCareer(asNewCareer);
        if (CGuiElement* status = m_ctx.Find(ID_FR_STATUS))
            status->SetText(m_ctx.Text(ok ? kTextSaved : kTextNotSaved));
        if (!ok)
            m_ctx.ShowMessage(SaveFailureMessage(m_ctx));
    } else if (IsClick(m, ID_FR_MENU)) {
        Consume(m);
        // Leaving keeps the progress: the career is saved first.
        if (session.HasOpenCareer() && !session.SaveCurrentCareer(asNewCareer)) {
            m_ctx.ShowMessage(SaveFailureMessage(m_ctx, true));
            return;
        }
        session.LeaveCareer();
        if (CGuiElement* status = m_ctx.Find(ID_FR_STATUS))
            status->SetText(CStr());
        m_ctx.Post(-1, ID_FRAME, kMsgClose);
        m_ctx.Post(-1, ID_MAINMENU, kMsgOpenMenu);
    } else if (m.MSG == kMsgClick) {
        int window = MenuWindowOf(m.sID);
        if (window >= 0 && m_ctx.Find(window)) {
            Consume(m);
            // The day panel comes back with the day's rows as they stand.
            if (window == ID_DAYPANEL)
                if (CGameScreen* panel = m_ctx.Screen(ScreenRole::DayInfoPanel))
                    panel->Refresh();
            m_ctx.SwitchTo(window);
        }
    }
}
