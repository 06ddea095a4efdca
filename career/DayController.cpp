// The day controller: the daily order of steps, the match day, the continue and next-day runs on a
// worker thread, the season-end popup and leaving a career.
#include "career/DayController.h"

#include "career/CareerSchedule.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "career/FunShop.h"
#include "career/Gossip.h"
#include "career/Indicators.h"
#include "career/MatchRecord.h"
#include "career/SponsorSteps.h"
#include "career/SquadSteps.h"
#include "career/StadiumConstruction.h"
#include "career/Training.h"
#include "database/MemoryDB.h"
#include "engine/Log.h"

namespace {

constexpr int kFunShopButton = ID_FR_FUNSHOP;
// The frame's season buttons; the stadium's only once its window exists.
constexpr int kSeasonButton = ID_FR_BUTTON;
constexpr int kStadiumButton = ID_FR_STADIUM;
constexpr int kStadiumWindow = ID_STADIUM;
constexpr int kRegularLeague = 100005;
constexpr int kMaxRunDays = 800;
constexpr int kMainFrame = ID_FRAME;
constexpr int kFrameWindows[3] = {ID_FRAME, ID_SEASONFRAME, ID_STATISTICS_FRAME};
constexpr int kMainMenu = ID_MAINMENU;
constexpr int kClubWindow = ID_CLUBOVERVIEW;
constexpr int kNewCareerButton = ID_NEWCAREER_SOURCE;
constexpr int kStatisticsWindows[2] = {ID_STATISTICS_FRAME, ID_STATISTICS};
constexpr int kStageTextElement = ID_RESULTS_STAGE_TEXT;
constexpr int kSquadReference = ID_LINEUP;

template <size_t N> bool IsOneOf(const int (&ids)[N], int id) {
    for (int candidate : ids)
        if (candidate == id)
            return true;
    return false;
}

// The home stadium's seats; 0 without a stadium.
int StadiumCapacity(const CTeam* team) {
    if (!team || !team->stadium)
        return 0;
    int seats = 0;
    for (const CStadiumWingRecord* wing : team->stadium->wings)
        seats += wing->seats;
    return seats;
}

} // namespace

CDayController::CDayController(IDayHost* host, CFixtureList* fixtures) : m_host(host), m_fixtures(fixtures) {
    if (m_host) {
        m_date = m_host->CurrentDate();
        m_host->LoadMatchTactics();
        m_careerSeen = m_host->CareerDb();
        const CProfile* profile = m_careerSeen ? m_careerSeen->profiles.At(0) : nullptr;
        m_careerProfileSeen = profile ? profile->id : -1;
    }
}

CDayController::CDayController(std::unique_ptr<IDayHost> host, CFixtureList* fixtures)
    : CDayController(host.get(), fixtures) {
    m_ownedHost = std::move(host);
}

CDayController::~CDayController() {
    if (m_worker.joinable())
        m_worker.join();
}

CStr CDayController::Text(int id) const {
    return m_host ? m_host->GetText(id) : CStr();
}

void CDayController::Post(int source, int target, int kind) const {
    m_host->Post(source, target, kind, source, 0);
}

void CDayController::OnMainThread(std::function<void()> work) {
    if (m_onWorker)
        m_deferred.push_back(std::move(work));
    else
        work();
}

void CDayController::RunDeferred() {
    std::vector<std::function<void()>> work;
    work.swap(m_deferred);
    for (auto& step : work)
        step();
}

// ---- one day -------------------------------------------------------------------------------------

void CDayController::RunDailySteps() {
    CMemoryDB* career = m_host->CareerDb();
    if (career) {
        const CareerDay today = CareerToday();
        if (m_host->WorldDb()) {
            OfferSponsor(today);
            DecideSponsorOffer(today);
        }
        CheckTeamOpinions(today);
        SendFunShopDeliveryNotices(today);
        SendScoutReport(today);
        UpdateInjuries(today);
        SendMonthlyMoneyReport(today);
    }
    RunPromotions(CareerToday());
    if (CEventList* ledger = m_host->Ledger()) {
        CTeam* club = career ? career->teams.At(0) : nullptr;
        ledger->BookMonthChange(m_date, club ? club->cash : 0, club ? club->totalBorrowed : 0);
    }
    BookLoans(CareerToday());
    BookMonthlyCosts(CareerToday());
    RunLaments(CareerToday());
}

void CDayController::TrainDayLeft(const GameDate& dayLeft) {
    const CMemoryDB* career = m_host->CareerDb();
    const CTeam* user = career ? career->teams.At(0) : nullptr;
    if (!user)
        return;
    if (m_fixtures)
        for (const CFixture* fixture : m_fixtures->GetFixturesOn(dayLeft.year, dayLeft.month, dayLeft.day))
            if ((fixture->home && fixture->home->id == user->id) ||
                (fixture->away && fixture->away->id == user->id))
                return;
    CareerDay day = CareerToday();
    day.today = dayLeft;
    RunDailyTraining(day);
}

CareerDay CDayController::CareerToday() const {
    CareerDay day;
    day.world = m_host->WorldDb();
    day.career = m_host->CareerDb();
    day.ledger = m_host->Ledger();
    day.today = m_date;
    if (m_fixtures) {
        const SeasonSpan& season = m_fixtures->Season();
        day.seasonStart = GameDate{season.startYear, season.startMonth, season.startDay};
    }
    IDayHost* host = m_host;
    day.text = [host](int id) { return host->GetText(id); };
    return day;
}

void CDayController::SyncCareer() {
    const CMemoryDB* career = m_host->CareerDb();
    const CProfile* profile = career ? career->profiles.At(0) : nullptr;
    int32_t profileId = profile ? profile->id : -1;
    if (career == m_careerSeen && profileId == m_careerProfileSeen)
        return;
    m_careerSeen = career;
    m_careerProfileSeen = profileId;
    ResetCareerState();
}

bool CDayController::AdvanceDay(bool& stop) {
    if (!m_host)
        return false;
    SyncCareer();
    m_date = m_host->CurrentDate();
    const GameDate dayLeft = m_date;
    if (m_host->HasCalendar()) {
        m_date = CCalendar::NextDay(m_date);
        m_host->SetCurrentDate(m_date);
    }
    // Before the new day's matches, which may stop the run for the user's match.
    TrainDayLeft(dayLeft);
    bool league = !m_host->TournamentMode();
    if (league)
        RunDailySteps();

    bool hadFixtures = PlayDayMatches(stop);

    CMemoryDB* career = m_host->CareerDb();
    auto enable = [this](int id, bool on) {
        OnMainThread([this, id, on] { m_host->EnableElement(id, on); });
    };
    // Sales need an open shop; orders already paid for arrive even when it is not.
    const bool funShopBusy = career && (FunShopLevel(*career) > 0 || PendingFunShopOrders(*career) > 0);
    if (funShopBusy)
        enable(kFunShopButton, true);
    // A stage ordered and paid for is built in every mode: the money has already left.
    if (career && career->teams.At(0) && career->teams.At(0)->stadium)
        RunStadiumConstructionDay(*career);
    if (league && career) {
        // The gossip and the construction change only the databases; the indicators are rebuilt
        // after the gossip (the psychologist reports a moved mood), the other screens show the
        // news and the new levels at the refresh after the day.
        if (CMemoryDB* world = m_host->WorldDb()) {
            GossipDailyUpdate(*world, m_date);
            SendMoodMail(CareerToday());
            OnMainThread([this] { m_host->RefreshIndicators(); });
        }
        if (funShopBusy) {
            DeliverFunShopOrders(CareerToday(), FunShopLevel(*career));
            enable(kFunShopButton, true);
        }
        // The season buttons come back every day, but not the stadium's while it has no window.
        const bool stadium = m_host->HasWindow(kStadiumWindow);
        enable(kSeasonButton, true);
        if (stadium)
            enable(kStadiumButton, true);
        CLeague* first = career->leagues.At(0);
        if (first && first->type == kRegularLeague && first->classNumber % 3 == 0) {
            enable(kSeasonButton, false);
            enable(kStadiumButton, false);
        }
    }
    return hadFixtures;
}

bool CDayController::RunDays(bool& stop) {
    if (!m_host)
        return false;
    m_host->SetBusy(true);
    int target = m_fixtures ? MakeDateKey(m_fixtures->LastDate()) : MakeDateKey(SeasonSpan().endYear, 4, 31);
    bool result = false;
    // A season is under a year of days; a damaged last date must not keep the run going for ever.
    int days = 0;
    if (!stop) {
        do {
            int before = MakeDateKey(m_host->CurrentDate());
            m_host->SetStep(true);
            result = AdvanceDay(stop);
            m_host->SetStep(false);
            // The busy panel shows how far the run has come.
            m_host->SetWaitText(FormatDate(m_date.year, m_date.day, m_date.month, "."));
            // Without a calendar the date cannot move; another pass would never end.
            if (MakeDateKey(m_date) == before)
                break;
        } while (MakeDateKey(m_date) < target && !stop && ++days < kMaxRunDays);
    }
    m_host->SetBusy(false);
    return result;
}

void CDayController::AdvanceDayFromThread() {
    m_workerStop = false;
    m_host->SetWaitText(Text(100168));
    m_workerResult = AdvanceDay(m_workerStop);
    m_host->SetWaitText(Text(100167));
}

// ---- the match day -------------------------------------------------------------------------------

DayPanelHeader CDayController::PanelHeader() const {
    DayPanelHeader header;
    GameDate today = m_host ? m_host->CurrentDate() : m_date;
    header.date = FormatDate(today.year, today.day, today.month, ".");
    if (m_fixtures) {
        header.seasonStart = m_fixtures->Season().startYear;
        header.seasonEnd = m_fixtures->Season().endYear;
    }
    CMemoryDB* career = m_host ? m_host->CareerDb() : nullptr;
    CLeague* league = career ? career->leagues.At(0) : nullptr;
    CTeam* club = career ? career->teams.At(0) : nullptr;
    if (league && club) {
        header.careerOpen = true;
        header.league = Text(league->nameTextId);
        header.club = club->name;
        header.cash = club->cash;
    }
    return header;
}

bool CDayController::PlayDayMatches(bool& stop) {
    // The panel starts the day empty; the day's rows fill it at the end.
    m_board.Clear();
    OnMainThread([this] { m_host->ClearDayPanel(); });
    m_userAtHome = false;
    stop = false;

    CMemoryDB* career = m_host->CareerDb();
    if (!career || career->profiles.IsEmpty() || career->teams.IsEmpty())
        return false;
    CTeam* user = career->teams.At(0);

    m_results.Clear();
    std::vector<CFixture*> today;
    if (m_fixtures)
        today = m_fixtures->GetFixturesOn(m_date.year, m_date.month, m_date.day);
    bool hadFixtures = !today.empty();

    CMemoryDB* world = m_host->WorldDb();
    QuickMatchContext ctx;
    ctx.date = m_date;
    ctx.matchStats = world ? &world->matchStats : &m_keptMatchStats;
    ctx.playerStats = world ? &world->playerStats : &m_keptPlayerStats;
    ctx.results = &m_results;

    CFixture* userFixture = nullptr;
    for (CFixture* fixture : today) {
        if (!fixture->home || !fixture->away)
            continue;
        if (fixture->home->id == user->id || fixture->away->id == user->id) {
            userFixture = fixture;
            continue;
        }
        int homeScore = 0, awayScore = 0;
        PlayQuickFixture(ctx, &m_board, Text(fixture->home->countryTextId),
                         Text(fixture->away->countryTextId), fixture->home, fixture->away, homeScore,
                         awayScore);
        fixture->homeScore = homeScore;
        fixture->awayScore = awayScore;
        m_host->PublishLatestResult(LatestResult{fixture->leagueName, fixture->home->name,
                                                 fixture->away->name, CStr::Formatted("%d", homeScore),
                                                 CStr::Formatted("%d", awayScore)});
    }

    bool liveMatch = false;
    if (userFixture) {
        stop = true;
        HandOffUserMatch(userFixture, user, liveMatch);
        // A match played to its end at once joins the day's results like every other fixture.
        if (!liveMatch && userFixture->homeScore >= 0 && userFixture->awayScore >= 0) {
            OfferTopScore(*userFixture);
            m_board.results.push_back(
                DayResultItem{{Text(userFixture->home->countryTextId), userFixture->home->name,
                               CStr::Formatted("%d-%d", userFixture->homeScore, userFixture->awayScore),
                               userFixture->away->name, Text(userFixture->away->countryTextId)}});
        }
    }
    FillDayLeaders(m_results, m_board);
    OnMainThread([this] { m_host->RefreshDayPanel(); });
    if (!liveMatch && m_fixtures && MakeDateKey(m_date) == MakeDateKey(m_fixtures->LastDate())) {
        m_seasonEndPopup = true;
        OnMainThread([this] {
            m_host->RefreshStatistics();
            m_host->RefreshResults();
        });
    }
    if (!userFixture)
        m_results.Clear();
    return hadFixtures;
}

void CDayController::OfferTopScore(const CFixture& fixture) {
    if (!fixture.home || !fixture.away)
        return;
    // As for the other fixtures: the higher score, the away club's when level.
    if (fixture.homeScore > fixture.awayScore)
        m_results.OfferTopScore(fixture.home->name, fixture.homeScore);
    else
        m_results.OfferTopScore(fixture.away->name, fixture.awayScore);
}

void CDayController::OnUserMatchRecorded() {
    if (!m_host || !m_fixtures || MakeDateKey(m_date) != MakeDateKey(m_fixtures->LastDate()))
        return;
    m_seasonEndPopup = true;
    m_host->RefreshStatistics();
    m_host->RefreshResults();
}

void CDayController::FinishUserMatch(CFixture* fixture, int homeScore, int awayScore) {
    if (fixture != nullptr) {
        fixture->homeScore = homeScore;
        fixture->awayScore = awayScore;
        OfferTopScore(*fixture);
        if (fixture->home != nullptr && fixture->away != nullptr)
            m_board.results.push_back(
                DayResultItem{{Text(fixture->home->countryTextId), fixture->home->name,
                               CStr::Formatted("%d-%d", homeScore, awayScore), fixture->away->name,
                               Text(fixture->away->countryTextId)}});
    }
    m_liveMatch = false;
    BuildKickOffTimes();
    m_results.Clear();
    if (m_host)
        m_host->RefreshDayPanel();
    OnUserMatchRecorded();
}

void CDayController::HandOffUserMatch(CFixture* fixture, CTeam* user, bool& liveMatch) {
    m_host->ClearMatchOverlays();
    // The schedule names the world's record of the user's club, whose squad moved into the career:
    // the match is played by the career's club.
    CTeam* home = fixture->home->id == user->id ? user : fixture->home;
    CTeam* away = fixture->away->id == user->id ? user : fixture->away;
    BuildTeamSheet(home);
    BuildTeamSheet(away);

    m_userAtHome = home == user;
    m_host->SetUserPlaysAtHome(m_userAtHome);
    if (m_userAtHome) {
        BookHomeMatchIncome(CareerToday());
    } else {
        int capacity = home->stadium ? static_cast<int>(0.4 * StadiumCapacity(home)) : 300;
        ComputeMatchAttendance(CareerToday(), 0, capacity);
    }

    UserMatchSetup setup;
    setup.fixture = fixture;
    setup.home = home;
    setup.away = away;
    setup.userAtHome = m_userAtHome;
    setup.date = m_date;
    setup.tournament = m_host->TournamentMode();
    const UserTactics tactics = m_host->GetUserTactics();
    setup.userAttack = tactics.attack;
    setup.userDefence = tactics.defence;
    m_liveMatch = false;
    if (m_host->View3D() || !m_host->NoView()) {
        bool view3D = m_host->View3D();
        setup.view = view3D ? UserMatchView::Scene3D : UserMatchView::MatchCentre;
        if (view3D) {
            m_userMatchHome = home;
            m_userMatchAway = away;
        }
        UserMatchOutcome outcome = m_host->StartUserMatch(setup);
        if (!outcome.taken) {
            // An engine without its screen may play the match at once; the result is written here
            // alone. Otherwise the day ends on the panel and the fixture waits unplayed.
            if (outcome.finished) {
                RecordPlayedAtOnce(fixture, outcome);
            } else {
                QuorelLog("[CDayController::PlayDayMatches] no match engine took %s - %s",
                          fixture->home->name.GetText(), fixture->away->name.GetText());
            }
            m_host->ClearMatchOverlays();
            return;
        }
        // Match mode hands the frame to the match: it starts once the day run is over.
        OnMainThread([this, view3D, setup] {
            if (!view3D)
                m_host->ShowUserMatch(setup);
            m_host->SetMatchMode(true);
            if (view3D)
                m_host->Set3DInput(true);
            m_host->SetMatchRunning(true);
        });
        m_liveMatch = true;
        liveMatch = true;
        return;
    }
    setup.view = UserMatchView::Instant;
    m_host->SetMatchMode(false);
    UserMatchOutcome outcome = m_host->StartUserMatch(setup);
    m_host->SetMatchRunning(false);
    m_host->SetMatchMode(false);
    // Only a match played to its end is a result; a stalled run leaves the fixture unplayed.
    if (outcome.finished) {
        RecordPlayedAtOnce(fixture, outcome);
    } else {
        QuorelLog("[CDayController::PlayDayMatches] the user's match %s - %s did not reach its end",
                  fixture->home->name.GetText(), fixture->away->name.GetText());
    }
    m_host->ClearMatchOverlays();
}

void CDayController::RecordPlayedAtOnce(CFixture* fixture, const UserMatchOutcome& outcome) {
    // An engine that left its figures to the day has them recorded like every view's; one that
    // recorded them itself (the match-centre screen) reports only the score.
    if (outcome.result.Complete()) {
        RecordMatchResult(outcome.result, m_date, fixture,
                          MatchRecordTables{m_host->CareerDb(), m_host->WorldDb()});
        return;
    }
    fixture->homeScore = outcome.homeScore;
    fixture->awayScore = outcome.awayScore;
}

bool CDayController::CheckLineupComplete(CTeam* team) {
    m_host->SetElementText(kSquadMessageButton, Text(100154), 5);
    CStr message = Text(100195);
    if (!team || team->players.size() < 10) {
        message += Text(100196);
        m_host->SetElementText(kSquadMessageText, message, 0);
        return false;
    }
    int onCourt = 0;
    for (const CPlayer* player : team->players) {
        if (player->words[kWordMatchState] == kOnCourt && ++onCourt == 5)
            return true;
    }
    message += Text(100197);
    m_host->SetElementText(kSquadMessageText, message, 0);
    return false;
}

void CDayController::ShowSeasonEndPopup(int source) {
    m_host->SetElementText(kSeasonEndText, Text(100164), 0);
    m_host->SetElementText(kNextSeasonButton, Text(100165), 5);
    m_host->SetElementText(kLeaveCareerButton, Text(100150), 5);
    m_host->EnableElement(kNextSeasonButton, m_host->CanStartNewSeason());
    Post(source, kSeasonEndWindow, kMsgOpenOnTop);
}

// ---- buttons -------------------------------------------------------------------------------------

void CDayController::OnContinueMessage(GuiMessage& message) {
    if (message.sID == kWorkerDoneSource) {
        // The worker posts this as its very last step but one: its flag is a moment away.
        if (IsWorkerActive())
            while (!m_workerDone.load(std::memory_order_acquire))
                std::this_thread::yield();
        PollWorker();
        message.sID = -1;
        return;
    }
    if (HandleButton(message.sID, message.MSG))
        message.sID = -1;
}

bool CDayController::HandleButton(int source, int kind) {
    if (!m_host || m_host->MatchMode() || IsWorkerActive())
        return false;
    if (kind != kMsgClick)
        return false;
    SyncCareer();
    // A career saved on its last fixture day and loaded again: its season is over as well, rather
    // than running on day by day past the schedule.
    const bool dayButton = IsOneOf(kContinueButtons, source) || IsOneOf(kNextDayButtons, source);
    if (dayButton && m_fixtures && !m_fixtures->IsEmpty() &&
        MakeDateKey(m_host->CurrentDate()) >= MakeDateKey(m_fixtures->LastDate()))
        m_seasonEndPopup = true;
    if (m_seasonEndPopup) {
        if (source == kResultsButton) {
            Post(source, kResultsWindow, kMsgSwitchTo);
            return true;
        }
        if (source == kStageButton) {
            m_seasonEndPopup = false;
            StageOrSeasonEnd(source);
            return true;
        }
        // Without the results window the day buttons are the only way on: they show the end of
        // the season instead of doing nothing, and the season stays over until the popup's choice.
        if (!m_host->HasWindow(kResultsWindow) && dayButton) {
            ShowSeasonEndPopup(source);
            return true;
        }
        // Whatever screen the player has opened since, the day buttons bring the day panel back:
        // its statistics button leads on to the results and the season's end.
        if (dayButton) {
            m_host->RefreshDayPanel();
            Post(source, kDayPanelWindow, kMsgSwitchTo);
            return true;
        }
        if (source != kLeaveCareerButton && source != kNextSeasonButton)
            return false;
    }
    if (IsOneOf(kNextDayButtons, source)) {
        m_singleStep = true;
        m_host->SetDayWait(true);
        m_workerSource = source;
        StartWorkerThread(static_cast<int>(WorkerKind::OneDay));
        return true;
    }
    if (IsOneOf(kContinueButtons, source)) {
        m_singleStep = false;
        CMemoryDB* career = m_host->CareerDb();
        if (!CheckLineupComplete(career ? career->teams.At(0) : nullptr)) {
            m_host->CentreWindow(kSquadMessageWindow, kSquadReference);
            Post(source, kSquadMessageWindow, kMsgOpenOnTop);
            return true;
        }
        m_workerSource = source;
        // The busy panel shows from the first frame on; the worker clears it when the run ends.
        m_host->SetBusy(true);
        StartWorkerThread(static_cast<int>(WorkerKind::Continue));
        return true;
    }
    switch (source) {
    case kStageButton:
        StageOrSeasonEnd(source);
        return true;
    case kResultsButton:
        for (int window : kStatisticsWindows)
            Post(source, window, kMsgSwitchTo);
        return true;
    case kLeaveCareerButton:
        // Leaving keeps the progress, as leaving through the main menu does.
        if (m_host->SaveBeforeLeaving())
            ResetCareer(source);
        return true;
    case kNextSeasonButton:
        // The button is off while no season can follow; a stray click changes nothing.
        if (!m_host->CanStartNewSeason())
            return true;
        m_seasonEndPopup = false;
        m_host->StartNewSeason();
        // The last day of the old season leaves the panel with the new one.
        m_date = m_host->CurrentDate();
        m_results.Clear();
        m_board.Clear();
        m_host->ClearDayPanel();
        for (int window : kFrameWindows)
            Post(source, window, kMsgClose);
        Post(source, kMainFrame, kMsgOpenMenu);
        ShowCareerHome(source);
        return true;
    default:
        return false;
    }
}

void CDayController::StageOrSeasonEnd(int source) {
    if (m_host->TournamentMode()) {
        int stage = m_host->CupStage();
        if (!m_host->TournamentExit() && stage >= 0 && stage <= 3) {
            m_host->BuildCupStage(stage);
            // A stage with games still to come plays on; when none followed, the tournament is
            // over as it is after its final, rather than asking for the same stage again.
            if (m_fixtures && MakeDateKey(m_fixtures->LastDate()) > MakeDateKey(m_host->CurrentDate())) {
                Post(source, kResultsWindow, kMsgClose);
                m_host->RefreshAllScreens();
                // The next round's days start from the day panel, not from an empty frame.
                ShowCareerHome(source);
                return;
            }
        }
        m_host->SetElementText(kStageTextElement, CStr(), 1);
        m_host->EndTournament();
        ResetCareer(source);
        return;
    }
    if (!m_host->CareerOver()) {
        ShowSeasonEndPopup(source);
        return;
    }
    m_host->ClearCareerOver();
    ResetCareer(source);
}

void CDayController::ResetCareerState() {
    m_results.Clear();
    m_keptMatchStats.Clear();
    m_keptPlayerStats.Clear();
    m_userAtHome = false;
    m_liveMatch = false;
    m_userMatchHome = nullptr;
    m_userMatchAway = nullptr;
    m_seasonEndPopup = false;
    m_singleStep = true;
    m_board.Clear();
    OnMainThread([this] { m_host->ClearDayPanel(); });
    m_host->ResetCareerSteps();
}

void CDayController::ResetCareer(int source) {
    // Fixtures and the panel point into the career database: they go before it does.
    CEventList* ledger = m_host->Ledger();
    if (m_fixtures && ledger) {
        ClearCareerSchedule(*m_fixtures, *ledger);
    } else {
        if (m_fixtures) {
            m_fixtures->Clear();
            m_fixtures->Season().Reset();
        }
        if (ledger)
            ledger->Clear();
    }
    ResetCareerState();
    m_host->DeleteCareerDb();
    m_careerSeen = nullptr;
    m_careerProfileSeen = -1;
    SeasonSpan defaults;
    m_date = GameDate{defaults.startYear, defaults.startMonth, defaults.startDay};
    m_host->SetCurrentDate(m_date);
    for (int window : kFrameWindows)
        Post(source, window, kMsgClose);
    Post(source, kMainMenu, kMsgOpenMenu);
}

// ---- workers -------------------------------------------------------------------------------------

bool CDayController::StartWorkerThread(int kind) {
    if (!m_host || kind < 0 || kind > 2 || IsWorkerActive())
        return false;
    if (m_worker.joinable())
        m_worker.join();
    m_workerKind = static_cast<WorkerKind>(kind);
    m_workerDone.store(false, std::memory_order_relaxed);
    m_workerActive.store(true, std::memory_order_release);
    m_host->SetThreadRunning(true);
    auto work = [this] {
        m_onWorker = true;
        switch (m_workerKind) {
        case WorkerKind::NewCareer:
            m_host->SetWaitText(Text(100166));
            if (m_fixtures && m_host->Ledger())
                ClearCareerSchedule(*m_fixtures, *m_host->Ledger());
            ResetCareerState();
            m_host->CreateCareer();
            m_host->SetWaitText(Text(100167));
            break;
        case WorkerKind::OneDay:
            AdvanceDayFromThread();
            break;
        case WorkerKind::Continue:
            m_workerStop = false;
            m_workerResult = RunDays(m_workerStop);
            break;
        }
        m_onWorker = false;
        // The message goes first: once the flag is up the controller may be finished and gone.
        m_host->Post(kWorkerDoneSource, -1, kMsgClick, 0, 0);
        m_workerDone.store(true, std::memory_order_release);
    };
    if (!m_host->StartWorker(work))
        m_worker = std::thread(work);
    return true;
}

bool CDayController::PollWorker() {
    if (!IsWorkerActive() || !m_workerDone.load(std::memory_order_acquire))
        return false;
    if (m_worker.joinable())
        m_worker.join();
    RunDeferred();
    switch (m_workerKind) {
    case WorkerKind::NewCareer:
        FinishNewCareer();
        break;
    case WorkerKind::OneDay:
        FinishOneDay(m_workerResult, m_workerStop);
        break;
    case WorkerKind::Continue:
        FinishContinue(m_workerStop);
        break;
    }
    m_host->SetThreadRunning(false);
    m_workerActive.store(false, std::memory_order_release);
    return true;
}

void CDayController::FinishWorker() {
    if (!IsWorkerActive())
        return;
    if (m_worker.joinable())
        m_worker.join();
    // A worker of the application's: wait for its last word.
    while (!m_workerDone.load(std::memory_order_acquire))
        std::this_thread::yield();
    PollWorker();
}

void CDayController::SwitchAfterUserMatch(int source) {
    if (!m_liveMatch) {
        // Played at once, or no engine took it: the day panel shows the day.
        m_host->SetMatchRunning(false);
        Post(source, kDayPanelWindow, kMsgSwitchTo);
    } else if (m_host->View3D()) {
        m_host->SetMatchRunning(true);
        Post(source, kMatch3DWindow, kMsgSwitchTo);
    } else {
        m_host->SetMatchRunning(true);
        Post(source, kMatchCentreWindow, kMsgSwitchTo);
    }
}

void CDayController::FinishContinue(bool stop) {
    if (stop) {
        m_host->RefreshDayPanel();
        m_host->RefreshAllScreens();
        SwitchAfterUserMatch(m_workerSource);
        return;
    }
    m_host->RefreshAllScreens();
    if (m_fixtures && m_fixtures->HasFixtureOn(m_date.year, m_date.month, m_date.day))
        Post(m_workerSource, kDayPanelWindow, kMsgSwitchTo);
}

void CDayController::FinishOneDay(bool hadFixtures, bool stop) {
    if (!hadFixtures) {
        m_host->RefreshAllScreens();
    } else {
        // Every next-day button switches as the first one does.
        const int source = kNextDayButtons[0];
        m_host->RefreshDayPanel();
        m_host->RefreshAllScreens();
        if (stop)
            SwitchAfterUserMatch(source);
        else
            Post(source, kDayPanelWindow, kMsgSwitchTo);
    }
    m_host->SetDayWait(false);
}

void CDayController::FinishNewCareer() {
    m_host->RefreshAllScreens();
    m_host->RefreshTransfers();
    m_host->SetNewCareerWait(false);
    Post(kNewCareerButton, kMainFrame, kMsgOpenMenu);
    ShowCareerHome(kNewCareerButton);
}

void CDayController::ShowCareerHome(int source) {
    // The club overview when the layout has it; until then the day panel, so the frame's content
    // area is never left empty.
    if (m_host->HasWindow(kClubWindow)) {
        Post(source, kClubWindow, kMsgOpenOnTop);
        return;
    }
    m_host->RefreshDayPanel();
    Post(source, kDayPanelWindow, kMsgOpenOnTop);
}
