// The game manager: screens, databases, careers and the routing of GUI messages.
#include "app/GameManager.h"

#include "career/CareerSchedule.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/Log.h"
#include "engine/Paths.h"

CGameManager* g_pGameManager = nullptr;

CGameManager::CGameManager() {
    workingDir = GetWorkingDir();
}

CGameManager::~CGameManager() {
    // Screens may look at the databases while they go, so they go first.
    for (auto& screen : m_screens)
        screen.reset();
    delete fixtureList;
    delete ledger;
    delete calendar;
    delete careerDB;
    delete worldDB;
    if (g_pGameManager == this)
        g_pGameManager = nullptr;
}

bool CGameManager::CreateScreens(const GameOptions& gameOptions) {
    options = gameOptions;
    view3D = options.enable3DSimulation ? 1 : 0;
    resultOnly = options.enableFastSimulation ? 1 : 0;
    if (!m_language.Load(CStr("\\").Concat(options.langFilePath).GetText()))
        QuorelLog("[CGameManager::CreateScreens] no language file: texts stay empty");
    // The names of the generated world (leagues, countries, mails) come in a file of their own.
    if (!m_language.LoadAppend("\\guifiles\\lang_data_en.txt"))
        QuorelLog("[CGameManager::CreateScreens] no world texts: names of leagues stay empty");

    calendar = new CCalendar([this](int id) { return GetText(id); });
    fixtureList = new CFixtureList([this](int id) { return GetText(id); });
    ledger = new CEventList();
    worldDB = new CMemoryDB();
    careerDB = nullptr;
    if (!LoadWorldData(*worldDB, kDataSetLeague))
        QuorelLog("[CGameManager::CreateScreens] the world data set could not be loaded");
    return true;
}

void CGameManager::SetScreen(ScreenRole role, std::unique_ptr<CGameScreen> screen) {
    m_screens[static_cast<size_t>(role)] = std::move(screen);
}

std::vector<ScreenRole> CGameManager::MessageOrder() const {
    std::vector<ScreenRole> order;
    if (matchMode) {
        // While the tactics window is open it sees messages first; the match screen still gets
        // whatever it leaves.
        if (tacticsWindow)
            order.push_back(ScreenRole::Tactics);
        order.push_back(view3D ? ScreenRole::MatchHud : ScreenRole::MatchCentre);
        if (!tacticsWindow)
            order.push_back(ScreenRole::Tactics);
        order.push_back(ScreenRole::Substitution);
        order.push_back(ScreenRole::Commentary);
        return order;
    }
    for (int role = 0; role <= static_cast<int>(ScreenRole::Commentary); ++role)
        order.push_back(static_cast<ScreenRole>(role));
    return order;
}

void CGameManager::OnMessage(GuiMessage& message) {
    for (ScreenRole role : MessageOrder()) {
        if (message.sID == -1 && message.cID == -1)
            return;
        if (CGameScreen* screen = Screen(role))
            screen->OnMessage(message);
    }
}

std::vector<std::vector<ScreenRole>> CGameManager::RefreshGroups() const {
    std::vector<std::vector<ScreenRole>> groups(3);
    groups[0] = {ScreenRole::ClubOverview, ScreenRole::StatsCompare, ScreenRole::MatchCentre,
                 ScreenRole::ViewMode,     ScreenRole::Lineup,       ScreenRole::Tactics,
                 ScreenRole::Staff,        ScreenRole::Training,     ScreenRole::Inbox,
                 ScreenRole::News,         ScreenRole::Header,       ScreenRole::Commentary};
    if (!tournamentMode)
        groups[1] = {ScreenRole::Finance,  ScreenRole::IncomeReport,  ScreenRole::ExpenseReport,
                     ScreenRole::Sponsor,  ScreenRole::Ticket,        ScreenRole::FunShop,
                     ScreenRole::Transfer, ScreenRole::StadiumUpgrade};
    groups[2] = {ScreenRole::Statistics};
    if (!tournamentMode) {
        groups[2].push_back(ScreenRole::Indicators);
        groups[2].push_back(ScreenRole::Certificates);
    }
    return groups;
}

void CGameManager::RefreshAllScreens() {
    if (!HasOpenCareer())
        return;
    for (const auto& group : RefreshGroups())
        for (ScreenRole role : group)
            if (CGameScreen* screen = Screen(role))
                screen->Refresh();
}

bool CGameManager::HasOpenCareer() const {
    return worldDB && careerDB && careerDB->teams.Size() > 0 && careerDB->profiles.Size() > 0;
}

void CGameManager::CentreWindow(int referenceId, int windowId) {
    CGuiElement* reference = FindElement(referenceId);
    CGuiElement* window = FindElement(windowId);
    if (!reference || !window)
        return;
    const ElementDesc& r = reference->Desc();
    const ElementDesc& w = window->Desc();
    window->MoveTo(r.x + (r.w - w.w) / 2, r.y + (r.h - w.h) / 2);
}

void CGameManager::SetFrameTexts() {
    if (CGuiElement* stadium = FindElement(10376))
        stadium->SetCaption(GetText(80093));
    if (CGuiElement* next = FindElement(10378))
        next->SetCaption(GetText(100008));
}

void CGameManager::SetWaitText(const CStr& text) {
    std::lock_guard<std::mutex> lock(m_waitTextMutex);
    m_waitText = text;
}

CStr CGameManager::WaitText() const {
    std::lock_guard<std::mutex> lock(m_waitTextMutex);
    return m_waitText;
}

// ---- Careers ----

static ScheduleSettings MakeScheduleSettings(const CGameManager& gm) {
    ScheduleSettings settings;
    settings.calendar = gm.calendar;
    settings.leagueSimulation = gm.options.enableLeagueSimulation;
    settings.countrySimulation = gm.options.enableCountrySimulation;
    settings.tournamentMode = gm.tournamentMode != 0;
    settings.euroCup = gm.euroCup != 0;
    settings.cupStage = gm.cupStage;
    settings.today = gm.currentDate;
    return settings;
}

bool CGameManager::StartNewCareer(int32_t newDataSet, int32_t clubId, const CStr& managerName) {
    if (!worldDB)
        worldDB = new CMemoryDB();
    auto career = std::make_unique<CMemoryDB>();
    // Build into a fresh world so a failure leaves the running one untouched.
    auto world = std::make_unique<CMemoryDB>();
    if (!BuildCareerDatabase(*world, *career, newDataSet, clubId, managerName)) {
        QuorelLog("[CGameManager::StartNewCareer] could not build a career for club %d", clubId);
        return false;
    }
    LeaveCareer();
    delete worldDB;
    worldDB = world.release();
    careerDB = career.release();
    dataSet = newDataSet;
    tournamentMode = newDataSet != kDataSetLeague ? 1 : 0;
    euroCup = newDataSet == kDataSetEuroCup ? 1 : 0;
    cupStage = 0;
    currentDate = newDataSet == kDataSetWorldCup ? GameDate{2006, 8, 17} : GameDate{2007, 8, 1};

    ScheduleSettings settings = MakeScheduleSettings(*this);
    CTeam* club = careerDB->teams.At(0);
    CLeague* league = careerDB->leagues.At(0);
    const CLeague* worldLeague = league ? worldDB->FindLeague(league->id) : nullptr;
    bool scheduled =
        tournamentMode ? fixtureList->BuildTournamentFixtures(worldLeague, worldDB, settings)
                       : BuildLeagueFixtures(*fixtureList, worldLeague, worldDB, currentDate.year, settings);
    if (!scheduled)
        QuorelLog("[CGameManager::StartNewCareer] no fixtures for club %d", club ? club->id : -1);
    if (tournamentMode) {
        // A tournament's season is the year its games are played in.
        SeasonSpan& season = fixtureList->Season();
        season.startYear = currentDate.year;
        season.endYear = currentDate.year;
    }
    return true;
}

bool CGameManager::SaveCurrentCareer() {
    if (!HasOpenCareer())
        return false;
    CProfile* profile = careerDB->profiles.At(0);
    profile->year = currentDate.year;
    profile->month = currentDate.month;
    profile->day = currentDate.day;
    profile->cupStage = cupStage;
    profile->dataSet = dataSet;
    // The schedule writes its fixtures, ledger and season span into the career first.
    if (!SaveCareerSchedule(*fixtureList, *ledger, careerDB))
        return false;
    bool ok = SaveCareer(*worldDB, *careerDB);
    if (!ok)
        QuorelLog("[CGameManager::SaveCurrentCareer] the career of %s was not saved",
                  profile->managerName.GetText());
    return ok;
}

bool CGameManager::LoadSavedCareer(int32_t profileId) {
    auto world = std::make_unique<CMemoryDB>();
    auto career = std::make_unique<CMemoryDB>();
    if (worldDB)
        ListCareers(*world);
    if (!LoadCareer(*world, *career, profileId) || career->profiles.Size() == 0) {
        QuorelLog("[CGameManager::LoadSavedCareer] career %d could not be loaded", profileId);
        return false;
    }
    LeaveCareer();
    delete worldDB;
    worldDB = world.release();
    careerDB = career.release();
    const CProfile* profile = careerDB->profiles.At(0);
    currentDate = GameDate{profile->year, profile->month, profile->day};
    dataSet = profile->dataSet;
    tournamentMode = dataSet != kDataSetLeague ? 1 : 0;
    euroCup = dataSet == kDataSetEuroCup ? 1 : 0;
    cupStage = profile->cupStage;
    // Fixtures, ledger and the season span come back from the career's own rows.
    LoadCareerSchedule(*fixtureList, *ledger, worldDB, careerDB);
    return true;
}

bool CGameManager::DeleteSavedCareer(int32_t profileId) {
    if (!worldDB)
        return false;
    return DeleteCareer(*worldDB, profileId);
}

void CGameManager::LeaveCareer() {
    if (fixtureList && ledger)
        ClearCareerSchedule(*fixtureList, *ledger);
    delete careerDB;
    careerDB = nullptr;
    currentDate = GameDate{2007, 8, 1};
    tournamentMode = 0;
    euroCup = 0;
    cupStage = 0;
    matchMode = 0;
    tournamentExit = 0;
    careerOver = 0;
}
