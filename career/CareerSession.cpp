// The career session: new, saved, loaded, deleted and left careers with their schedule.
#include "career/CareerSession.h"

#include "career/CareerSchedule.h"
#include "career/CupStages.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "database/SaveManifest.h"
#include "engine/Log.h"
#include "engine/Paths.h"

#include <memory>
#include <sstream>
#include <string>

CCareerSession::CCareerSession(TextLookup getText) : m_getText(std::move(getText)) {
    calendar = new CCalendar(m_getText);
    fixtureList = new CFixtureList(m_getText);
    ledger = new CEventList();
    worldDB = new CMemoryDB();
}

CCareerSession::~CCareerSession() {
    // Fixtures point into both databases: they go first.
    delete fixtureList;
    delete ledger;
    delete calendar;
    delete careerDB;
    delete worldDB;
}

bool CCareerSession::Open(const GameOptions& gameOptions) {
    options = gameOptions;
    // The calendar reads its day and month names once: the language is loaded by now.
    delete calendar;
    calendar = new CCalendar(m_getText);
    // A save the game was stopped in the middle of is finished or undone before any list is read.
    CleanUpCareerFolders();
    view3D = options.enable3DSimulation ? 1 : 0;
    resultOnly = options.enableFastSimulation ? 1 : 0;
    if (!LoadWorldData(*worldDB, kDataSetLeague)) {
        QuorelLog("[CCareerSession::Open] the world data set could not be loaded");
        return false;
    }
    return true;
}

bool CCareerSession::HasOpenCareer() const {
    return worldDB && careerDB && careerDB->teams.Size() > 0 && careerDB->profiles.Size() > 0;
}

CTeam* CCareerSession::UserClub() const {
    return careerDB ? careerDB->teams.At(0) : nullptr;
}

CLeague* CCareerSession::UserLeague() const {
    return careerDB ? careerDB->leagues.At(0) : nullptr;
}

ScheduleSettings MakeScheduleSettings(const CCareerSession& session) {
    ScheduleSettings settings;
    settings.calendar = session.calendar;
    settings.leagueSimulation = session.options.enableLeagueSimulation;
    settings.countrySimulation = session.options.enableCountrySimulation;
    settings.tournamentMode = session.tournamentMode != 0;
    settings.euroCup = session.euroCup != 0;
    settings.cupStage = session.cupStage;
    settings.today = session.currentDate;
    return settings;
}

bool CCareerSession::StartNewCareer(int32_t newDataSet, int32_t clubId, const CStr& managerName) {
    auto career = std::make_unique<CMemoryDB>();
    // Build into a fresh world so a failure leaves the running one untouched.
    auto world = std::make_unique<CMemoryDB>();
    if (!BuildCareerDatabase(*world, *career, newDataSet, clubId, managerName)) {
        QuorelLog("[CCareerSession::StartNewCareer] could not build a career for club %d", clubId);
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
    CTeam* club = UserClub();
    // The career's league leads with the career's club: the scheduler takes its first club for the
    // user's. The world's copy of the league starts with whichever club the data set lists first.
    CLeague* league = UserLeague();
    const CLeague* worldLeague = league ? worldDB->FindLeague(league->id) : nullptr;
    bool scheduled = tournamentMode
                         ? fixtureList->BuildTournamentFixtures(worldLeague, worldDB, settings)
                         : BuildLeagueFixtures(*fixtureList, league, worldDB, currentDate.year, settings);
    if (!scheduled)
        QuorelLog("[CCareerSession::StartNewCareer] no fixtures for club %d", club ? club->id : -1);
    if (tournamentMode) {
        QuorelLog("[CCareerSession::StartNewCareer] the tournament opens with %d tables: %s",
                  worldDB->leagues.Size(), TableNames(*worldDB, *fixtureList).c_str());
        // A tournament's season is the year its games are played in.
        SeasonSpan& season = fixtureList->Season();
        season.startYear = currentDate.year;
        season.endYear = currentDate.year;
    }
    // The finances' first month starts from the club's opening cash.
    if (club)
        ledger->BookOpeningBalance(currentDate, club->cash, club->totalBorrowed);
    return true;
}

bool CCareerSession::SaveCurrentCareer(bool asNewCareer) {
    lastSaveError = CareerSaveError();
    if (!HasOpenCareer())
        return false;
    // The save takes the next free id and folder, as a new career's first save does.
    if (asNewCareer)
        careerDB->unsavedCareer = true;
    CProfile* profile = careerDB->profiles.At(0);
    profile->year = currentDate.year;
    profile->month = currentDate.month;
    profile->day = currentDate.day;
    profile->cupStage = cupStage;
    profile->dataSet = dataSet;
    // The schedule writes its fixtures, ledger and season span into the career first.
    if (!SaveCareerSchedule(*fixtureList, *ledger, careerDB))
        return false;
    careerDB->choices = ChoicesText();
    careerDB->rounds = PlayedRoundsText(playedRounds);
    bool ok = SaveCareer(*worldDB, *careerDB, &lastSaveError);
    if (!ok)
        QuorelLog("[CCareerSession::SaveCurrentCareer] the career of %s was not saved",
                  profile->managerName.GetText());
    return ok;
}

bool CCareerSession::LoadSavedCareer(int32_t profileId) {
    auto world = std::make_unique<CMemoryDB>();
    auto career = std::make_unique<CMemoryDB>();
    if (worldDB)
        ListCareers(*world);
    lastLoadError = CareerLoadError();
    if (!LoadCareer(*world, *career, profileId, &lastLoadError) || career->profiles.Size() == 0) {
        QuorelLog("[CCareerSession::LoadSavedCareer] career %d could not be loaded", profileId);
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
    // Choices the manifest vouches for but no game could have saved are named like damaged ones.
    if (!ApplyChoices(careerDB->choices) && lastLoadError.choicesReset.IsEmpty())
        lastLoadError.choicesReset =
            CStr("data/profiles/").Concat(profile->folder).Concat("/").Concat(kSaveChoicesFile);
    playedRounds = ParsePlayedRounds(careerDB->rounds);
    return true;
}

std::string CCareerSession::ChoicesText() const {
    return CStr::Formatted("attack %d\ndefence %d\n", userAttack.load(), userDefence.load()).Std();
}

bool CCareerSession::SetMatchView(bool show3D, bool onlyResult) {
    view3D = show3D ? 1 : 0;
    resultOnly = !show3D && onlyResult ? 1 : 0;
    options.enable3DSimulation = view3D != 0;
    options.enableFastSimulation = resultOnly != 0;
    return SaveOptions(options);
}

bool CCareerSession::ApplyChoices(const std::string& text) {
    userAttack = kDefaultUserAttack;
    userDefence = kDefaultUserDefence;
    view3D = options.enable3DSimulation ? 1 : 0;
    resultOnly = options.enableFastSimulation ? 1 : 0;
    std::istringstream in(text);
    std::string key;
    int value = 0;
    // Values out of range are a damaged file: they keep the default, and the load says so.
    bool inRange = true;
    while (in >> key >> value) {
        const bool attack = key == "attack" && value >= 0 && value <= 9;
        const bool defence = key == "defence" && value >= 10 && value <= 19;
        if (attack)
            userAttack = value;
        else if (defence)
            userDefence = value;
        else if (key == "attack" || key == "defence")
            inRange = false;
    }
    // Older saves also hold how matches were shown ("view3d", "resultonly"): that is the options'
    // one setting now, so they are passed over.
    if (view3D)
        resultOnly = 0;
    return inRange;
}

bool CCareerSession::DeleteSavedCareer(int32_t profileId) {
    if (!worldDB)
        return false;
    return DeleteCareer(*worldDB, profileId);
}

void CCareerSession::LeaveCareer() {
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
    playedRounds.clear();
    // The next career starts with the options' view and the default tactics, not this one's choices.
    ApplyChoices(std::string());
}
