// The start screens and the career frame.
#include "app/StartScreens.h"

#include "app/FormatMoney.h"
#include "app/GameApp.h"
#include "app/GameManager.h"
#include "career/Calendar.h"
#include "database/Careers.h"
#include "engine/Log.h"
#include "engine/Music.h"
#include "engine/Sound.h"
#include "gui/Element.h"

#include <cstdlib>

using namespace StartIds;

namespace {

bool IsClick(const GuiMessage& m, int id) {
    return m.MSG == kMsgClick && m.sID == id;
}

void Consume(GuiMessage& m) {
    m.sID = -1;
}

void Switch(int windowId) {
    PostGuiMessage(-1, windowId, kMsgSwitchTo, 0, 0);
}

// The club's average rating, as the new-career list shows it.
int SquadRating(const CTeam& team) {
    if (team.players.empty())
        return 0;
    double sum = 0.0;
    for (CPlayer* player : team.players)
        sum += CPlayer::ComputeOverall(player, false);
    return static_cast<int>(sum / static_cast<double>(team.players.size()) + 0.5);
}

// Menu buttons of the frame and the windows they open.
struct MenuButton {
    int button;
    int window;
};
constexpr MenuButton kMenuButtons[] = {
    {12100, 10066}, {12090, 10344}, {12091, 11074}, {12093, 10225}, {12092, 10312},
    {12097, 10508}, {12094, 10397}, {12095, 10461}, {12096, 10413}, {10376, 10475},
    {10378, 10524}, {12098, 10785}, {12099, 10215},
};

// Until the club overview exists, a career opens on the day panel, so the frame is never empty.
void ShowCareerHome(CGameManager& gm) {
    if (gm.FindElement(kClubOverview))
        return;
    if (CGameScreen* panel = gm.Screen(ScreenRole::DayInfoPanel))
        panel->Refresh();
    PostGuiMessage(-1, kDayPanel, kMsgOpenOnTop, 0, 0);
}

} // namespace

void ShowGameMessage(CGameManager& gm, const CStr& text) {
    QuorelLog("[ShowGameMessage] %s", text.GetText());
    if (CGuiElement* box = gm.FindElement(kMessageText)) {
        box->Clear();
        box->SetText(text);
    }
    gm.BringToTop(kMessage);
    PostGuiMessage(-1, kMessage, kMsgOpenOnTop, 0, 0);
}

// ---- Main menu ----

void CMainMenuScreen::OnMessage(GuiMessage& m) {
    if (IsClick(m, kNewCareerButton)) {
        Consume(m);
        if (auto* screen = static_cast<CNewCareerScreen*>(m_gm.Screen(ScreenRole::NewCareer)))
            screen->FillClubs(screen->chosenDataSet);
        Switch(kNewCareer);
    } else if (IsClick(m, kLoadCareerButton)) {
        Consume(m);
        if (auto* screen = static_cast<CProfilesScreen*>(m_gm.Screen(ScreenRole::Profiles)))
            screen->FillCareers();
        Switch(kProfiles);
    } else if (IsClick(m, kOptionsButton)) {
        Consume(m);
        if (auto* screen = static_cast<COptionsScreen*>(m_gm.Screen(ScreenRole::Options)))
            screen->Show();
        Switch(kOptions);
    } else if (IsClick(m, kQuitButton)) {
        // Leaves at once, as the menu always has: nothing of a career is open here to lose.
        std::exit(0);
    }
}

// ---- New career ----

CNewCareerScreen::CNewCareerScreen(CGameManager& gm) : m_gm(gm) {}

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
    CGuiElement* grid = m_gm.FindElement(kClubs);
    if (!grid)
        return;
    grid->Clear();
    CMemoryDB& db = Preview(dataSet);
    int rows = 0;
    for (CLeague* league : db.leagues) {
        CStr leagueName = m_gm.GetText(league->nameTextId);
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
    if (CGuiElement* info = m_gm.FindElement(kClubInfo)) {
        info->Clear();
        info->SetText(rows ? CStr("Pick a club from the list.") : CStr("This competition has no clubs."));
    }
    if (CGuiElement* error = m_gm.FindElement(kNewCareerError))
        error->SetText(CStr());
}

void CNewCareerScreen::ShowClubInfo(int32_t clubId) {
    CGuiElement* info = m_gm.FindElement(kClubInfo);
    CMemoryDB& db = Preview(chosenDataSet);
    const CTeam* team = db.FindTeam(clubId);
    if (!info || !team)
        return;
    const CLeague* league = db.FindLeague(team->leagueId);
    CStr text = team->name;
    text.Append("\n");
    if (league)
        text.Append(m_gm.GetText(league->nameTextId).Concat("\n"));
    CStr country = m_gm.GetText(team->countryTextId);
    if (!country.IsEmpty())
        text.Append(country.Concat("\n"));
    text.Append(CStr::Formatted("\nCash: %s\nSquad: %d players, rating %d\n",
                                FormatMoney(team->cash).GetText(), static_cast<int>(team->players.size()),
                                SquadRating(*team)));
    if (team->stadium)
        text.Append(CStr::Formatted("Arena seats: %d\n", team->stadium->capacity));
    info->Clear();
    info->SetText(text);
}

void CNewCareerScreen::OnMessage(GuiMessage& m) {
    if (m.MSG == kMsgSelection && m.sID == kDataSet) {
        Consume(m);
        CGuiElement* combo = m_gm.FindElement(kDataSet);
        FillClubs(combo ? combo->GetItemData(m.p1) : 0);
    } else if ((m.MSG == kMsgSelection || m.MSG == kMsgClick) && m.sID == kClubs) {
        Consume(m);
        CGuiElement* grid = m_gm.FindElement(kClubs);
        GuiGridCell* cell = grid ? grid->FindCell(0, grid->GetSelectedRow()) : nullptr;
        if (cell) {
            chosenClubId = cell->data;
            ShowClubInfo(chosenClubId);
        }
    } else if (IsClick(m, kStart)) {
        Consume(m);
        CGuiElement* name = m_gm.FindElement(kManagerName);
        CGuiElement* error = m_gm.FindElement(kNewCareerError);
        chosenName = name ? name->GetText() : CStr();
        chosenName.Trim();
        if (chosenClubId < 0) {
            if (error)
                error->SetText(CStr("Choose a club first."));
        } else if (chosenName.IsEmpty()) {
            if (error)
                error->SetText(CStr("Enter your name as manager."));
        } else {
            StartCareerWorker();
        }
    } else if (IsClick(m, kNewCareerBack)) {
        Consume(m);
        Switch(kMainMenu);
    }
}

void CNewCareerScreen::StartCareerWorker() {
    if (!g_pGameApp)
        return;
    m_gm.newCareerWait = 1;
    m_gm.loadingProgress = 0;
    g_pGameApp->SetProgressStep(3);
    bool started = g_pGameApp->StartWorker([this] {
        CGameApp& app = *g_pGameApp;
        app.threadRunning = 1;
        m_gm.SetWaitText(m_gm.GetText(100166));
        bool ok = CreateCareer(1);
        m_gm.loadingProgress = 2;
        m_gm.SetWaitText(m_gm.GetText(100167));
        if (ok) {
            m_gm.RefreshAllScreens();
            if (auto* frame = static_cast<CCareerFrameScreen*>(m_gm.Screen(ScreenRole::Header)))
                frame->UpdateMenuButtons();
        }
        m_gm.loadingProgress = 3;
        m_gm.newCareerWait = 0;
        if (ok) {
            PostGuiMessage(kNewCareerSource, kFrame, kMsgOpenMenu, kNewCareerSource, 0);
            PostGuiMessage(kNewCareerSource, kClubOverview, kMsgOpenOnTop, kNewCareerSource, 0);
            ShowCareerHome(m_gm);
        } else {
            ShowGameMessage(m_gm, "The career could not be created. The log says why.");
        }
        app.threadRunning = 0;
    });
    if (!started)
        m_gm.newCareerWait = 0;
}

bool CNewCareerScreen::CreateCareer(int) {
    if (!m_gm.StartNewCareer(chosenDataSet, chosenClubId, chosenName))
        return false;
    m_gm.loadingProgress = 1;
    SendStartMails();
    // A new career is saved at once, so it is in the list even if the game ends before a save.
    if (!m_gm.SaveCurrentCareer())
        QuorelLog("[CNewCareerScreen::CreateCareer] the new career could not be saved yet");
    return true;
}

// ---- Saved careers ----

void CProfilesScreen::FillCareers() {
    if (!m_gm.worldDB)
        return;
    ListCareers(*m_gm.worldDB);
    CGuiElement* grid = m_gm.FindElement(kProfileGrid);
    if (!grid)
        return;
    grid->Clear();
    int rows = 0;
    for (const CProfile* profile : m_gm.worldDB->profiles) {
        const CTeam* club = m_gm.worldDB->FindTeam(profile->clubId);
        CStr date = FormatDate(profile->year, profile->day, profile->month, ".");
        grid->AddCell(0, profile->managerName, profile->id);
        grid->AddCell(1, club ? club->name : CStr("-"), profile->id);
        grid->AddCell(2, m_gm.GetText(profile->modeTextId), profile->id);
        grid->AddCell(3, date, profile->id);
        ++rows;
    }
    grid->SetRowCount(rows);
    grid->ResetScroll(true);
    grid->SetSelectedRow(rows > 0 ? 0 : -1, true);
    if (CGuiElement* empty = m_gm.FindElement(kNoProfiles))
        empty->Desc().visible = rows == 0 ? 1 : 0;
}

int32_t CProfilesScreen::SelectedProfileId() const {
    CGuiElement* grid = m_gm.FindElement(kProfileGrid);
    GuiGridCell* cell = grid ? grid->FindCell(0, grid->GetSelectedRow()) : nullptr;
    return cell ? cell->data : -1;
}

void CProfilesScreen::OnMessage(GuiMessage& m) {
    if (IsClick(m, kLoad) || (m.MSG == kMsgDoubleClick && m.sID == kProfileGrid)) {
        Consume(m);
        int32_t id = SelectedProfileId();
        if (id < 0)
            return;
        if (!m_gm.LoadSavedCareer(id)) {
            ShowGameMessage(m_gm, "This career could not be loaded: its files are missing or damaged.");
            FillCareers();
            return;
        }
        m_gm.RefreshAllScreens();
        if (auto* frame = static_cast<CCareerFrameScreen*>(m_gm.Screen(ScreenRole::Header)))
            frame->UpdateMenuButtons();
        PostGuiMessage(-1, kFrame, kMsgOpenMenu, 0, 0);
        ShowCareerHome(m_gm);
    } else if (IsClick(m, kDelete)) {
        Consume(m);
        m_pendingDelete = SelectedProfileId();
        if (m_pendingDelete < 0)
            return;
        CStr name;
        for (const CProfile* profile : m_gm.worldDB->profiles)
            if (profile->id == m_pendingDelete)
                name = profile->managerName;
        if (CGuiElement* text = m_gm.FindElement(kConfirmText)) {
            text->Clear();
            text->SetText(CStr::Formatted("Delete the career of %s for good?", name.GetText()));
        }
        PostGuiMessage(-1, kConfirmDelete, kMsgOpenOnTop, 0, 0);
    } else if (IsClick(m, kConfirmYes)) {
        Consume(m);
        if (m_pendingDelete >= 0 && !m_gm.DeleteSavedCareer(m_pendingDelete))
            ShowGameMessage(m_gm, "The career could not be deleted.");
        m_pendingDelete = -1;
        PostGuiMessage(-1, kConfirmDelete, kMsgClose, 0, 0);
        FillCareers();
    } else if (IsClick(m, kProfilesBack)) {
        Consume(m);
        Switch(kMainMenu);
    }
}

// ---- Options ----

void COptionsScreen::Show() {
    const GameOptions& o = m_gm.options;
    auto check = [&](int id, bool on) {
        if (CGuiElement* box = m_gm.FindElement(id))
            box->SetChecked(on);
    };
    check(kMusic, o.enableMusic);
    check(kEffects, o.enableEffect);
    check(kMatch3D, o.enable3DSimulation);
    check(kFastSimulation, o.enableFastSimulation);
    check(kVideoCube, o.enableVideoCube);
    check(kLeagueSimulation, o.enableLeagueSimulation);
    check(kCountrySimulation, o.enableCountrySimulation);
    for (int id : {kMusicVolume, kEffectVolume}) {
        CGuiElement* combo = m_gm.FindElement(id);
        if (!combo)
            continue;
        combo->ClearItems();
        for (int v = 0; v <= 100; v += 10)
            combo->AddItem(CStr::Formatted("Volume %d%%", v), v);
        int volume = id == kMusicVolume ? o.musicVolume : o.effectVolume;
        combo->SetSelection((volume + 5) / 10);
    }
}

void COptionsScreen::OnMessage(GuiMessage& m) {
    if (IsClick(m, kOptionsSave)) {
        Consume(m);
        GameOptions& o = m_gm.options;
        auto checked = [&](int id, bool fallback) {
            CGuiElement* box = m_gm.FindElement(id);
            return box ? box->IsChecked() : fallback;
        };
        auto volume = [&](int id, int fallback) {
            CGuiElement* combo = m_gm.FindElement(id);
            return combo && combo->GetSelectedIndex() >= 0 ? combo->GetItemData(combo->GetSelectedIndex())
                                                           : fallback;
        };
        o.enableMusic = checked(kMusic, o.enableMusic);
        o.enableEffect = checked(kEffects, o.enableEffect);
        o.enable3DSimulation = checked(kMatch3D, o.enable3DSimulation);
        o.enableFastSimulation = checked(kFastSimulation, o.enableFastSimulation);
        o.enableVideoCube = checked(kVideoCube, o.enableVideoCube);
        o.enableLeagueSimulation = checked(kLeagueSimulation, o.enableLeagueSimulation);
        o.enableCountrySimulation = checked(kCountrySimulation, o.enableCountrySimulation);
        o.musicVolume = volume(kMusicVolume, o.musicVolume);
        o.effectVolume = volume(kEffectVolume, o.effectVolume);
        m_gm.view3D = o.enable3DSimulation ? 1 : 0;
        m_gm.resultOnly = o.enableFastSimulation ? 1 : 0;
        if (g_pQuorelMusic) {
            g_pQuorelMusic->SetVolume(o.musicVolume);
            g_pQuorelMusic->SetEnabled(o.enableMusic);
            if (o.enableMusic && !g_pQuorelMusic->IsPlaying())
                g_pQuorelMusic->SwitchTrack("\\music\\001_menu_theme.wav");
        }
        if (g_pQuorelSound) {
            g_pQuorelSound->SetVolume(o.effectVolume);
            g_pQuorelSound->SetMuted(!o.enableEffect);
        }
        if (!SaveOptions(o))
            ShowGameMessage(m_gm, "The options could not be written to guifiles\\Options.ini.");
        else
            Switch(kMainMenu);
    } else if (IsClick(m, kOptionsBack)) {
        Consume(m);
        Switch(kMainMenu);
    }
}

// ---- Career frame ----

void CCareerFrameScreen::Refresh() {
    if (!m_gm.HasOpenCareer())
        return;
    const CTeam* club = m_gm.careerDB->teams.At(0);
    const CLeague* league = m_gm.careerDB->leagues.At(0);
    const CProfile* profile = m_gm.careerDB->profiles.At(0);
    auto set = [&](int id, const CStr& text) {
        if (CGuiElement* element = m_gm.FindElement(id))
            element->SetText(text);
    };
    set(kFrameClub, club ? club->name : CStr());
    CStr leagueLine = league ? m_gm.GetText(league->nameTextId) : CStr();
    if (profile)
        leagueLine = leagueLine.Concat("  -  Manager ").Concat(profile->managerName);
    set(kFrameLeague, leagueLine);
    CStr date = m_gm.calendar ? m_gm.calendar->WeekdayName(m_gm.currentDate).Concat(", ") : CStr();
    const GameDate& today = m_gm.currentDate;
    set(kFrameDate, date.Concat(FormatDate(today.year, today.day, today.month, ".")));
    set(kFrameCash, club ? FormatMoney(club->cash) : CStr());
}

void CCareerFrameScreen::UpdateMenuButtons() {
    for (const MenuButton& entry : kMenuButtons)
        if (CGuiElement* button = m_gm.FindElement(entry.button)) {
            bool exists = m_gm.FindElement(entry.window) != nullptr;
            button->Desc().enabled = exists ? 1 : 0;
            if (!exists)
                button->SetTooltip("Not open yet in this version");
        }
}

void CCareerFrameScreen::OnMessage(GuiMessage& m) {
    if (IsClick(m, kFrameSave)) {
        Consume(m);
        bool ok = m_gm.SaveCurrentCareer();
        if (CGuiElement* status = m_gm.FindElement(kFrameStatus))
            status->SetText(ok ? CStr("Career saved.") : CStr("The career could not be saved."));
        if (!ok)
            ShowGameMessage(m_gm, "The career could not be saved. Check the free space on the disk.");
    } else if (IsClick(m, kFrameMenu)) {
        Consume(m);
        // Leaving keeps the progress: the career is saved first.
        if (m_gm.HasOpenCareer() && !m_gm.SaveCurrentCareer()) {
            ShowGameMessage(m_gm, "The career could not be saved, so it stays open.");
            return;
        }
        m_gm.LeaveCareer();
        if (CGuiElement* status = m_gm.FindElement(kFrameStatus))
            status->SetText(CStr());
        PostGuiMessage(-1, kFrame, kMsgClose, 0, 0);
        PostGuiMessage(-1, kMainMenu, kMsgOpenMenu, 0, 0);
    } else if (m.MSG == kMsgClick) {
        for (const MenuButton& entry : kMenuButtons)
            if (m.sID == entry.button && m_gm.FindElement(entry.window)) {
                Consume(m);
                Switch(entry.window);
                return;
            }
    }
}

void CreateStartScreens(CGameManager& gm) {
    gm.SetScreen(ScreenRole::MainMenu, std::make_unique<CMainMenuScreen>(gm));
    gm.SetScreen(ScreenRole::NewCareer, std::make_unique<CNewCareerScreen>(gm));
    gm.SetScreen(ScreenRole::Profiles, std::make_unique<CProfilesScreen>(gm));
    gm.SetScreen(ScreenRole::Options, std::make_unique<COptionsScreen>(gm));
    auto frame = std::make_unique<CCareerFrameScreen>(gm);
    frame->UpdateMenuButtons();
    gm.SetScreen(ScreenRole::Header, std::move(frame));
}
