// CDayRunner: moves the career through time one day at a time, runs each day's steps in their fixed
// order and plays the match day. It knows no window: the user's match goes to the shell through
// IDayHost, and what the frame should show after a run is left in DayNews.
#pragma once

#include "career/Calendar.h"
#include "career/MatchDay.h"
#include "career/MoneySteps.h"
#include "database/Tables.h"
#include "engine/Str.h"
#include "match/UserMatch.h"

#include <atomic>
#include <cstdint>

class CCareerSession;
class CFixtureList;
class CMemoryDB;
struct CFixture;
struct CTeam;

// The busy panel's latest result.
struct LatestResult {
    CStr league;
    CStr home;
    CStr away;
    CStr homeScore;
    CStr awayScore;
};

// What a day run needs of the running game besides the career session; the shell answers. The
// progress calls and PublishLatestResult come from the thread running the day.
class IDayHost {
public:
    virtual ~IDayHost() = default;
    virtual CStr GetText(int textId) const = 0;
    // Progress of a run: the busy panel, the one-day step flag, the wait text and the latest result.
    virtual void SetBusy(bool on) = 0;
    virtual void SetStep(bool on) = 0;
    virtual void SetWaitText(const CStr& text) = 0;
    virtual void PublishLatestResult(const LatestResult& result) = 0;
    // The match engines' seam. A live view takes the match and returns at once (the match is
    // shown once the run is over, see DayNews); an instant run plays the whole match, handling the
    // user's side like the computer's, and reports its result.
    virtual UserMatchOutcome StartUserMatch(const UserMatchSetup& setup) = 0;
};

// What the days run since it was last taken leave for the frame to show.
struct DayNews {
    bool careerChanged = false; // another career: the day panel starts empty
    bool panelCleared = false;  // a day began: the panel's old rows go
    bool panelFilled = false;   // the day's rows are on the board
    bool funShopBusy = false;   // the fun shop has a level or an order under way
    bool leagueDay = false;     // a league day with a career: the season buttons come back
    bool indicators = false;    // the day's opinions moved (after the gossip)
    bool seasonEnded = false;   // the season's last fixture day: statistics and results change
    bool liveMatch = false;     // an engine took the user's match: show it
    UserMatchSetup liveSetup;
};

class CDayRunner {
public:
    // The session holds the date, the databases, the ledger and the player's choices (mode, view,
    // tactics); the runner reads and moves them there.
    CDayRunner(CCareerSession& session, IDayHost* host, CFixtureList* fixtures);
    CDayRunner(const CDayRunner&) = delete;
    CDayRunner& operator=(const CDayRunner&) = delete;

    // One day: the date steps, the daily steps, the match day. True when the day had fixtures; the
    // stop flag is set when the user's club plays.
    bool AdvanceDay(bool& stop);
    // Days until the user's club plays or the season's last fixture day; at least one day.
    bool RunDays(bool& stop);
    // One day with the wait screen's texts.
    bool AdvanceOneDay(bool& stop);

    // The day's fixtures: quick results for the others, the hand-off of the user's.
    bool PlayDayMatches(bool& stop);
    // The user's live match is recorded: true on the season's last fixture day, when the season's
    // end the live match held back is now pending.
    bool UserMatchRecorded();
    // The watched match is over and recorded: its score goes into the fixture (the runner writes
    // every fixture's score), its row into the day's results and its players into the leaders. A
    // null fixture gets no score. Then as UserMatchRecorded.
    bool FinishUserMatch(CFixture* fixture, int homeScore, int awayScore);
    void ClearDayResults() { m_results.Clear(); }
    void AddReportLine(const MatchDayEntry& line) { m_results.AddReportLine(line); }
    void AddIncident(const MatchDayIncident& incident) { m_results.AddIncident(incident); }
    // Rebuilds the board's leader and incident rows (after the user's match was recorded).
    void BuildKickOffTimes() { ::BuildKickOffTimes(m_results, m_board); }

    // A career opened, left or replaced behind the runner's back (the menus can do that) takes the
    // per-career state with it: true when it did.
    bool SyncCareer();
    // Per-career state back to its starting values (also before a career is created or loaded).
    void ResetCareerState();
    // The career is left: the fixtures, the ledger, the day's results and every per-career value
    // go, and the date is the first season's again. The career database is the caller's to delete.
    void LeaveCareer();
    // The next season has started: the days go on from its first.
    void NewSeasonStarted();

    // What the side panel's caption shows.
    DayPanelHeader PanelHeader() const;
    // What the days since the last call leave for the frame.
    DayNews TakeNews();

    const GameDate& WorkingDate() const { return m_date; }
    const CDayResults& DayResults() const { return m_results; }
    // The day's rows for the day panel; written by a day run, read on the main thread after it.
    const DayBoard& Board() const { return m_board; }
    bool SeasonEndPending() const { return m_seasonEndPending; }
    void SetSeasonEndPending(bool on) { m_seasonEndPending = on; }
    bool UserAtHome() const { return m_userAtHome; }
    // The user's match of the day is being shown by an engine.
    bool LiveMatch() const { return m_liveMatch; }
    CFixtureList* Fixtures() const { return m_fixtures; }
    CCareerSession& Session() const { return m_session; }

private:
    // What today's steps work on.
    CareerDay CareerToday() const;
    void HandOffUserMatch(CFixture* fixture, CTeam* user, bool& liveMatch);
    void RecordPlayedAtOnce(CFixture* fixture, const UserMatchOutcome& outcome);
    // The user's played match competes for the day's top-scoring club like every other fixture.
    void OfferTopScore(const CFixture& fixture);
    void AddResultRow(const CFixture& fixture);
    CStr Text(int id) const;

    CCareerSession& m_session;
    IDayHost* m_host = nullptr;
    CFixtureList* m_fixtures = nullptr;
    GameDate m_date;
    CDayResults m_results;
    DayBoard m_board;
    DayNews m_news;
    // Statistics of quick results when no world database is there to own them.
    CMatchStatList m_keptMatchStats;
    CPlayerStatList m_keptPlayerStats;

    bool m_userAtHome = false;
    bool m_liveMatch = false;
    std::atomic<bool> m_seasonEndPending{false}; // raised by a day run on the worker
    // The career the per-career state belongs to.
    const CMemoryDB* m_careerSeen = nullptr;
    int32_t m_careerProfileSeen = -1;
};
