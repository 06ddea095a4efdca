// The new-career screen and the worker that builds the chosen career.
#include "screens/start/NewCareerScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "career/Mail.h"
#include "database/Careers.h"
#include "engine/Log.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/FormatFigures.h"
#include "screens/FormatMoney.h"
#include "screens/start/CareerFrameScreen.h"

namespace {

constexpr int kTextPickClub = 100335;
constexpr int kTextNoClubs = 100336;
constexpr int kTextCash = 100337;
constexpr int kTextSquad = 100338; // "XYPLAYERS" and "XYRATING" stand for the figures
constexpr int kTextArenaSeats = 100339;
constexpr int kTextChooseClub = 100340;
constexpr int kTextEnterName = 100341;
constexpr int kTextNotSavedYet = 100342;
constexpr int kTextNotCreated = 100343;
constexpr int kTextNameCleaned = 100472; // the name as it will be saved where "XYNAME" stands

} // namespace

int SquadRating(const CTeam& team) {
    if (team.players.empty())
        return 0;
    double sum = 0.0;
    for (CPlayer* player : team.players)
        sum += CPlayer::ComputeOverall(player, false);
    return static_cast<int>(sum / static_cast<double>(team.players.size()) + 0.5);
}

CMemoryDB& CNewCareerScreen::Preview(int32_t dataSet) {
    int slot = dataSet >= 0 && dataSet < 3 ? dataSet : 0;
    if (!m_previews[slot]) {
        m_previews[slot] = std::make_unique<CMemoryDB>();
        if (!LoadWorldData(*m_previews[slot], slot))
            QuorelLog("[CNewCareerScreen::Preview] data set %d could not be loaded", slot);
    }
    return *m_previews[slot];
}

void CNewCareerScreen::FillClubs(int32_t dataSet) {
    chosenDataSet = dataSet;
    chosenClubId = -1;
    CGuiElement* grid = m_ctx.Find(ID_NC_CLUBS);
    if (!grid)
        return;
    grid->Clear();
    CMemoryDB& db = Preview(dataSet);
    int rows = 0;
    for (CLeague* league : db.leagues) {
        CStr leagueName = m_ctx.Text(league->nameTextId);
        for (CTeam* team : league->teams) {
            grid->AddCell(0, team->name, team->id);
            grid->AddCell(1, leagueName, team->id);
            grid->AddCell(2, CStr::Formatted("%d", static_cast<int>(team->players.size())), team->id);
            grid->AddCell(3, CStr::Formatted("%d", SquadRating(*team)), team->id);
            ++rows;
        }
    }
    grid->SetRowCount(rows);
    grid->ResetScroll(true);
    grid->SetSelectedRow(-1, true);
    m_ctx.SetText(ID_NC_INFO, m_ctx.Text(rows ? kTextPickClub : kTextNoClubs));
    if (CGuiElement* error = m_ctx.Find(ID_NC_ERROR))
        error->SetText(CStr());
}

void CNewCareerScreen::ShowClubInfo(int32_t clubId) {
    CMemoryDB& db = Preview(chosenDataSet);
    const CTeam* team = db.FindTeam(clubId);
    if (!m_ctx.Find(ID_NC_INFO) || !team)
        return;
    const CLeague* league = db.FindLeague(team->leagueId);
    CStr text = team->name;
    text.Append("\n");
    if (league)
        text.Append(m_ctx.Text(league->nameTextId).Concat("\n"));
    CStr country = m_ctx.Text(team->countryTextId);
    if (!country.IsEmpty())
        text.Append(country.Concat("\n"));
    CStr squad = m_ctx.Text(kTextSquad);
    squad.ReplaceAll("XYPLAYERS", CStr::Formatted("%d", static_cast<int>(team->players.size())));
    squad.ReplaceAll("XYRATING", CStr::Formatted("%d", SquadRating(*team)));
    text.Append(CStr("\n").Concat(m_ctx.Text(kTextCash)).Concat(FormatMoney(team->cash)).Concat("\n"));
    text.Append(squad.Concat("\n"));
    if (team->stadium)
        text.Append(m_ctx.Text(kTextArenaSeats).Concat(GroupedCount(team->stadium->capacity)).Concat("\n"));
    m_ctx.SetText(ID_NC_INFO, text);
}

void CNewCareerScreen::OnMessage(GuiMessage& m) {
    if (m.MSG == kMsgSelection && m.sID == ID_NC_DATASET) {
        Consume(m);
        CGuiElement* combo = m_ctx.Find(ID_NC_DATASET);
        const int32_t dataSet = combo ? combo->GetItemData(m.p1) : 0;
        // The same competition chosen again keeps its list and the club picked in it.
        CGuiElement* clubs = m_ctx.Find(ID_NC_CLUBS);
        if (dataSet != chosenDataSet || !clubs || clubs->GetRowCount() == 0)
            FillClubs(dataSet);
    } else if ((m.MSG == kMsgSelection || m.MSG == kMsgClick) && m.sID == ID_NC_CLUBS) {
        Consume(m);
        CGuiElement* grid = m_ctx.Find(ID_NC_CLUBS);
        GuiGridCell* cell = grid ? grid->FindCell(0, grid->GetSelectedRow()) : nullptr;
        if (cell) {
            chosenClubId = cell->data;
            ShowClubInfo(chosenClubId);
        }
    } else if (IsClick(m, ID_NC_START)) {
        Consume(m);
        CGuiElement* name = m_ctx.Find(ID_NC_NAME);
        CGuiElement* error = m_ctx.Find(ID_NC_ERROR);
        CStr typed = name ? name->GetText() : CStr();
        chosenName = CleanManagerName(typed);
        typed.Trim();
        if (chosenClubId < 0) {
            if (error)
                error->SetText(m_ctx.Text(kTextChooseClub));
        } else if (chosenName.IsEmpty()) {
            if (error)
                error->SetText(m_ctx.Text(kTextEnterName));
        } else if (name && chosenName.Std() != typed.Std()) {
            // The name goes back into the box as it will be saved, and the player is told before a
            // career is made of it: the next click starts it.
            name->SetText(chosenName);
            CStr notice = m_ctx.Text(kTextNameCleaned);
            const int mark = notice.Find("XYNAME");
            if (mark >= 0)
                notice = notice.Left(mark).Concat(chosenName).Concat(notice.Mid(mark + 6));
            m_ctx.ShowMessage(notice);
        } else {
            StartCareerWorker();
        }
    } else if (IsClick(m, ID_NC_BACK)) {
        Consume(m);
        m_ctx.SwitchTo(ID_MAINMENU);
    }
}

void CNewCareerScreen::StartCareerWorker() {
    IShell& shell = m_ctx.Shell();
    shell.SetNewCareerWait(true);
    shell.SetLoadingProgress(0);
    shell.SetProgressStep(3);
    bool started = shell.StartWorker([this] {
        IShell& shell = m_ctx.Shell();
        shell.SetThreadRunning(true);
        shell.SetWaitText(m_ctx.Text(100166));
        bool saved = false;
        bool ok = CreateCareer(saved);
        shell.SetLoadingProgress(2);
        shell.SetWaitText(m_ctx.Text(100167));
        if (ok) {
            shell.RefreshAllScreens();
            if (auto* frame = m_ctx.ScreenAs<CCareerFrameScreen>(ScreenRole::Header))
                frame->UpdateMenuButtons();
        }
        shell.SetLoadingProgress(3);
        shell.SetNewCareerWait(false);
        if (ok) {
            m_ctx.Post(ID_NEWCAREER_SOURCE, ID_FRAME, kMsgOpenMenu, ID_NEWCAREER_SOURCE, 0);
            ShowCareerHome(m_ctx);
            // The career is open either way; the player should know it is not on the disk yet.
            if (!saved)
                m_ctx.ShowMessage(m_ctx.Text(kTextNotSavedYet).Concat(SaveFailureMessage(m_ctx)));
        } else {
            m_ctx.ShowMessage(m_ctx.Text(kTextNotCreated));
        }
        shell.SetThreadRunning(false);
    });
    if (!started)
        shell.SetNewCareerWait(false);
}

namespace {

constexpr int kBoardRow = 0;
constexpr int kFixturesRow = 1;
constexpr int kStaffHintRow = 2;
constexpr int kFixturesWithoutMatchRow = 5;
constexpr int kTextBoard = 300958;
constexpr int kTextLeagueOffice = 300959;

} // namespace

void CNewCareerScreen::SendStartMails() {
    CCareerSession& session = m_ctx.Session();
    CTeam* club = session.UserClub();
    const CProfile* profile = session.careerDB ? session.careerDB->profiles.At(0) : nullptr;
    if (!session.worldDB || !club || !profile)
        return;
    const GameDate& today = session.currentDate;
    const CLeague* league = session.UserLeague();
    const CStr leagueName = league ? m_ctx.Text(league->nameTextId) : CStr();
    int startYear = SeasonSpan::kDefaultStartYear;
    int endYear = SeasonSpan::kDefaultEndYear;
    if (session.fixtureList) {
        startYear = session.fixtureList->Season().startYear;
        endYear = session.fixtureList->Season().endYear;
    }
    const CStr season = FormatSeasonYears(startYear, endYear);
    auto send = [&](int row, const CStr& senderText, const CStr& senderName, int32_t type,
                    std::initializer_list<CStr> values) {
        CreateEmail(session.worldDB, session.careerDB, row, today.year, today.month, today.day, senderText,
                    senderName, type, values);
    };

    send(kBoardRow, m_ctx.Text(kTextBoard), club->name, kMailTypeClub,
         {season, profile->managerName, club->name, leagueName, FormatMoney(club->cash)});

    const CFixture* first = nullptr;
    if (session.fixtureList) {
        std::vector<CFixture*> ahead =
            session.fixtureList->GetTeamFixturesFrom(club->id, today.year, today.month, today.day);
        if (!ahead.empty())
            first = ahead.front();
    }
    if (first && first->home && first->away)
        send(kFixturesRow, m_ctx.Text(kTextLeagueOffice), leagueName, kMailTypeLeague,
             {season, leagueName, club->name, FormatDate(first->year, first->day, first->month, "."),
              first->home->name, first->away->name});
    else
        send(kFixturesWithoutMatchRow, m_ctx.Text(kTextLeagueOffice), leagueName, kMailTypeLeague,
             {season, leagueName});

    if (club->staff.empty())
        send(kStaffHintRow, m_ctx.Text(kTextBoard), club->name, kMailTypeClub,
             {profile->managerName, club->name});
}

bool CNewCareerScreen::CreateCareer(bool& saved) {
    saved = false;
    CCareerSession& session = m_ctx.Session();
    if (!session.StartNewCareer(chosenDataSet, chosenClubId, chosenName))
        return false;
    m_ctx.Shell().SetLoadingProgress(1);
    SendStartMails();
    // A new career is saved at once, so it is in the list even if the game ends before a save.
    saved = session.SaveCurrentCareer();
    if (!saved)
        QuorelLog("[CNewCareerScreen::CreateCareer] the new career could not be saved yet");
    return true;
}
