// The day runner: the daily order of steps, the match day and leaving a career.
#include "career/DayRunner.h"

#include "career/CareerSchedule.h"
#include "career/CareerSession.h"
#include "career/DailySteps.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "career/FunShop.h"
#include "career/MatchRecord.h"
#include "career/QuickResult.h"
#include "database/MemoryDB.h"
#include "engine/Log.h"

namespace {

constexpr int kMaxRunDays = 800;

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

CDayRunner::CDayRunner(CCareerSession& session, IDayHost* host, CFixtureList* fixtures)
    : m_session(session), m_host(host), m_fixtures(fixtures) {
    m_date = m_session.currentDate;
    m_careerSeen = m_session.careerDB;
    const CProfile* profile = m_careerSeen ? m_careerSeen->profiles.At(0) : nullptr;
    m_careerProfileSeen = profile ? profile->id : -1;
}

CStr CDayRunner::Text(int id) const {
    return m_host ? m_host->GetText(id) : CStr();
}

DayNews CDayRunner::TakeNews() {
    DayNews news = m_news;
    m_news = DayNews();
    return news;
}

// ---- one day -------------------------------------------------------------------------------------

CareerDay CDayRunner::CareerToday() const {
    CareerDay day;
    day.world = m_session.worldDB;
    day.career = m_session.careerDB;
    day.ledger = m_session.ledger;
    day.today = m_date;
    if (m_fixtures) {
        const SeasonSpan& season = m_fixtures->Season();
        day.seasonStart = GameDate{season.startYear, season.startMonth, season.startDay};
    }
    IDayHost* host = m_host;
    day.text = [host](int id) { return host->GetText(id); };
    return day;
}

bool CDayRunner::SyncCareer() {
    const CMemoryDB* career = m_session.careerDB;
    const CProfile* profile = career ? career->profiles.At(0) : nullptr;
    int32_t profileId = profile ? profile->id : -1;
    if (career == m_careerSeen && profileId == m_careerProfileSeen)
        return false;
    m_careerSeen = career;
    m_careerProfileSeen = profileId;
    ResetCareerState();
    return true;
}

bool CDayRunner::AdvanceDay(bool& stop) {
    if (!m_host)
        return false;
    SyncCareer();
    m_date = m_session.currentDate;
    const GameDate dayLeft = m_date;
    if (m_session.calendar != nullptr) {
        m_date = CCalendar::NextDay(m_date);
        m_session.currentDate = m_date;
    }
    DailyStepInput steps;
    steps.day = CareerToday();
    steps.dayLeft = dayLeft;
    steps.fixtures = m_fixtures;
    steps.tournament = (m_session.tournamentMode != 0);
    // The morning's steps come before the day's matches, which may stop the run for the user's.
    RunDailySteps(DayPhase::BeforeMatches, steps);

    bool hadFixtures = PlayDayMatches(stop);

    CMemoryDB* career = m_session.careerDB;
    if (career && (FunShopLevel(*career) > 0 || PendingFunShopOrders(*career) > 0))
        m_news.funShopBusy = true;
    // The evening's steps change only the databases; the indicators are rebuilt after the gossip
    // (the psychologist reports a moved mood), the other screens show the news and the new levels
    // at the refresh after the day.
    RunDailySteps(DayPhase::AfterMatches, steps);
    if (!steps.tournament && career) {
        m_news.leagueDay = true;
        if (m_session.worldDB)
            m_news.indicators = true;
    }
    return hadFixtures;
}

bool CDayRunner::RunDays(bool& stop) {
    if (!m_host)
        return false;
    m_host->SetBusy(true);
    int target = m_fixtures ? MakeDateKey(m_fixtures->LastDate()) : MakeDateKey(SeasonSpan().endYear, 4, 31);
    bool result = false;
    // A season is under a year of days; a damaged last date must not keep the run going for ever.
    int days = 0;
    if (!stop) {
        do {
            int before = MakeDateKey(m_session.currentDate);
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

bool CDayRunner::AdvanceOneDay(bool& stop) {
    stop = false;
    m_host->SetWaitText(Text(100168));
    const bool result = AdvanceDay(stop);
    m_host->SetWaitText(Text(100167));
    return result;
}

// ---- the match day -------------------------------------------------------------------------------

DayPanelHeader CDayRunner::PanelHeader() const {
    DayPanelHeader header;
    GameDate today = m_session.currentDate;
    header.date = FormatDate(today.year, today.day, today.month, ".");
    if (m_fixtures) {
        header.seasonStart = m_fixtures->Season().startYear;
        header.seasonEnd = m_fixtures->Season().endYear;
    }
    CMemoryDB* career = m_session.careerDB;
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

void CDayRunner::AddResultRow(const CFixture& fixture) {
    m_board.results.push_back(DayResultItem{{Text(fixture.home->countryTextId), fixture.home->name,
                                             CStr::Formatted("%d-%d", fixture.homeScore, fixture.awayScore),
                                             fixture.away->name, Text(fixture.away->countryTextId)}});
}

bool CDayRunner::PlayDayMatches(bool& stop) {
    // The panel starts the day empty; the day's rows fill it at the end.
    m_board.Clear();
    m_news.panelCleared = true;
    m_userAtHome = false;
    stop = false;

    CMemoryDB* career = m_session.careerDB;
    if (!career || career->profiles.IsEmpty() || career->teams.IsEmpty())
        return false;
    CTeam* user = career->teams.At(0);

    m_results.Clear();
    std::vector<CFixture*> today;
    if (m_fixtures)
        today = m_fixtures->GetFixturesOn(m_date.year, m_date.month, m_date.day);
    bool hadFixtures = !today.empty();

    CMemoryDB* world = m_session.worldDB;
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
            AddResultRow(*userFixture);
        }
    }
    FillDayLeaders(m_results, m_board);
    m_news.panelFilled = true;
    if (!liveMatch && m_fixtures && MakeDateKey(m_date) == MakeDateKey(m_fixtures->LastDate())) {
        m_seasonEndPending = true;
        m_news.seasonEnded = true;
    }
    if (!userFixture)
        m_results.Clear();
    return hadFixtures;
}

void CDayRunner::OfferTopScore(const CFixture& fixture) {
    if (!fixture.home || !fixture.away)
        return;
    // As for the other fixtures: the higher score, the away club's when level.
    if (fixture.homeScore > fixture.awayScore)
        m_results.OfferTopScore(fixture.home->name, fixture.homeScore);
    else
        m_results.OfferTopScore(fixture.away->name, fixture.awayScore);
}

bool CDayRunner::UserMatchRecorded() {
    if (!m_host || !m_fixtures || MakeDateKey(m_date) != MakeDateKey(m_fixtures->LastDate()))
        return false;
    m_seasonEndPending = true;
    return true;
}

bool CDayRunner::FinishUserMatch(CFixture* fixture, int homeScore, int awayScore) {
    if (fixture != nullptr) {
        fixture->homeScore = homeScore;
        fixture->awayScore = awayScore;
        OfferTopScore(*fixture);
        if (fixture->home != nullptr && fixture->away != nullptr)
            AddResultRow(*fixture);
    }
    m_liveMatch = false;
    BuildKickOffTimes();
    m_results.Clear();
    return UserMatchRecorded();
}

void CDayRunner::HandOffUserMatch(CFixture* fixture, CTeam* user, bool& liveMatch) {
    // The schedule names the world's record of the user's club, whose squad moved into the career:
    // the match is played by the career's club.
    CTeam* home = fixture->home->id == user->id ? user : fixture->home;
    CTeam* away = fixture->away->id == user->id ? user : fixture->away;
    BuildTeamSheet(home);
    BuildTeamSheet(away);

    m_userAtHome = home == user;
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
    setup.tournament = (m_session.tournamentMode != 0);
    const UserTactics tactics = m_session.Tactics();
    setup.userAttack = tactics.attack;
    setup.userDefence = tactics.defence;
    m_liveMatch = false;
    const bool view3D = m_session.view3D != 0;
    if (view3D || m_session.resultOnly == 0)
        setup.view = view3D ? UserMatchView::Scene3D : UserMatchView::MatchCentre;
    else
        setup.view = UserMatchView::Instant;
    UserMatchOutcome outcome = m_host->StartUserMatch(setup);
    if (setup.view != UserMatchView::Instant && outcome.taken) {
        // The frame shows the match once the day run is over.
        m_news.liveMatch = true;
        m_news.liveSetup = setup;
        m_liveMatch = true;
        liveMatch = true;
        return;
    }
    // Played at once, or by an engine without its screen: only a match played to its end is a
    // result; otherwise the day ends on the panel and the fixture waits unplayed.
    if (outcome.finished) {
        RecordPlayedAtOnce(fixture, outcome);
    } else {
        QuorelLog("[CDayRunner::PlayDayMatches] the user's match %s - %s was not played to its end",
                  fixture->home->name.GetText(), fixture->away->name.GetText());
    }
}

void CDayRunner::RecordPlayedAtOnce(CFixture* fixture, const UserMatchOutcome& outcome) {
    // An engine that left its figures to the day has them recorded like every view's; one that
    // recorded them itself (the match-centre screen) reports only the score.
    if (outcome.result.Complete()) {
        RecordMatchResult(outcome.result, m_date, fixture,
                          MatchRecordTables{m_session.careerDB, m_session.worldDB});
        return;
    }
    fixture->homeScore = outcome.homeScore;
    fixture->awayScore = outcome.awayScore;
}

void CDayRunner::ResetCareerState() {
    m_results.Clear();
    m_keptMatchStats.Clear();
    m_keptPlayerStats.Clear();
    m_userAtHome = false;
    m_liveMatch = false;
    m_seasonEndPending = false;
    m_board.Clear();
    m_news.careerChanged = true;
}

void CDayRunner::LeaveCareer() {
    // Fixtures and the panel point into the career database: they go before it does.
    CEventList* ledger = m_session.ledger;
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
    m_careerSeen = nullptr;
    m_careerProfileSeen = -1;
    SeasonSpan defaults;
    m_date = GameDate{defaults.startYear, defaults.startMonth, defaults.startDay};
    m_session.currentDate = m_date;
}

void CDayRunner::NewSeasonStarted() {
    m_seasonEndPending = false;
    // The last day of the old season leaves the panel with the new one.
    m_date = m_session.currentDate;
    m_results.Clear();
    m_board.Clear();
}
