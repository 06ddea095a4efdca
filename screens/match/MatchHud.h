// CMatchHud: the in-match display over a running match: score, names, quarter, game clock and
// shot clock, the play / fast / pause, camera, coaching and tactics buttons, the event lines, the
// live player panels and the crowd. It owns the match clock: quarters, their breaks and the end of
// the match are driven from here, the match engine only plays.
#pragma once

#include "match/EventLine.h"
#include "match3d/MatchClock.h"
#include "match3d/MatchDisplay.h"
#include "screens/ScreenContext.h"
#include "screens/match/MatchStatsView.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class CGuiElement;
class CQuorelRenderTarget;
class IGuiBackend;
class CMatchTeam;
class CMatch2DTeam;
struct CTeam;

// The match the display drives: its pause and fast flags, the phases that hold the clocks, the
// tip-off and quarter end, its cameras, rosters and score.
class IHudMatch {
public:
    virtual ~IHudMatch() = default;
    virtual void SetPaused(bool paused) = 0;
    virtual void SetFast(bool fast) = 0;
    // Players still walking to their places: the game clock waits.
    virtual bool PositioningWait() const = 0;
    // An inbound in progress: the shot clock waits.
    virtual bool InboundRunning() const = 0;
    // A free-throw series under way, from the foul to the last throw.
    virtual bool FreeThrowsRunning() const { return false; }
    // The match's own quarter counter: 0 before the tip-off.
    virtual int MatchQuarter() const = 0;
    virtual void JumpBall() = 0;
    // The break between quarters: the break flag, the rules' quarter end (teams back, ends swapped,
    // jump ball) and the positioning, free-throw and shot-in-flight phases cleared.
    virtual void BeginQuarterBreak() = 0;
    // The final whistle: a made shot still in the air is dead, and said as the miss the box score
    // counts, before anything reads the box score.
    virtual void FinalWhistle() {}
    virtual int CameraCount() const = 0;
    virtual void SetCamera(int index) = 0;
    virtual CMatchTeam* HomeTeam() const = 0;
    virtual CMatchTeam* AwayTeam() const = 0;
    virtual int HomeScore() const = 0;
    virtual int AwayScore() const = 0;
    // One step of match time (CMatchClock::kStep). False when the match holds itself paused (a
    // player of the user's must leave): the clock waits with it.
    virtual bool PlayStep() { return true; }
};

// The crowd's voice; absent when the game has no sound device.
class IHudSound {
public:
    virtual ~IHudSound() = default;
    virtual void Play(const char* tag) = 0;
    virtual void Stop(const char* tag) = 0;
};

class CMatchHud : public CGameScreen, public IMatchDisplay {
public:
    static constexpr double kQuarterSeconds = CMatchClock::kQuarterSeconds;
    static constexpr double kShotClockSeconds = CMatchClock::kShotClockSeconds;
    static constexpr uint32_t kAutoCameraMs = 7500;
    static constexpr const char* kStreetballImage = "\\images\\WinObjects\\KV_3d_GUI\\3d_gui_streetball.png";

    explicit CMatchHud(const CScreenContext& ctx);

    void Refresh() override { SetCaptions(); }
    void OnMessage(GuiMessage& message) override;

    // Set-up of a match.
    void SetCaptions();
    void SetTeamNames(const CStr& home, const CStr& away);
    void SetMatchParams(CTeam* home, CTeam* away, int fixture, int year, int month, int day);
    void ShowStreetballImage();
    // A new match (or none) also forgets who was announced as leaving the court.
    void SetMatch(IHudMatch* match) {
        m_match = match;
        m_finalWhistleHeld = false;
        m_freeThrowsLogged = false;
        m_mustLeaveShown.clear();
        m_mustLeaveWaiting.clear();
        m_boxScoreShown.clear();
    }
    // Runs at the end of EndMatch: the match's records and the hand-back of the frame.
    void SetEndHandler(std::function<void()> handler) { m_onEnd = std::move(handler); }
    IHudMatch* Match() const { return m_match; }
    void SetOutdoor(int outdoor) { m_outdoor = outdoor; }
    void SetStadiumKind(int kind) { m_stadiumKind = kind; }
    // The side the live panels show: a 3D roster or a flat-court team (the last one set counts).
    void SetStatisticsTeam(CMatchTeam* team);
    void SetStatisticsTeam(CMatch2DTeam* team);

    // Seams for tests and tools: the millisecond clock and the crowd's voice. A clock running
    // `rate` times the wall clock lets a frame play that many clock seconds after a stall.
    void SetClock(std::function<uint32_t()> now, int rate = 1) {
        m_now = std::move(now);
        m_clock.frameLimitMs = static_cast<double>(CMatchClock::kSecondMs) * std::max(1, rate);
    }
    // A seam for scripted sessions: the final whistle holds the display, the match paused at its
    // last step with the final score and box scores up, until Play or Fast lets the end go on.
    // onHeld is told when it holds; null ends the match at once, as a player sees it.
    void HoldFinalWhistle(std::function<void()> onHeld) { m_onFinalWhistleHeld = std::move(onHeld); }
    bool FinalWhistleHeld() const { return m_finalWhistleHeld; }
    // Null: the game's sound manager when there is one.
    void SetSound(IHudSound* sound, bool present = true) {
        m_sound = sound;
        m_soundOverride = true;
        m_soundPresent = present;
    }

    // One frame of a running match, in the game's order: clock, then the match end or the labels
    // and the crowd's reaction to the score, the ambient crowd, the live panels and the automatic
    // camera.
    void FrameStep();
    void TickGameClock();
    void UpdateClock();
    void PlayCrowdReaction(int homeScore, int awayScore);
    void UpdateAtmosphere();
    void UpdateStatsPanel();
    // Both box-score tables, rebuilt during play when a change, a basket, a foul, a hurt player or a
    // shown stamina or morale moves what they list, so they read as the live panels do.
    void UpdateBoxScores();
    void UpdateAutoCamera();
    void Play();
    void PlayFast();
    void Pause();
    void EndMatch();
    // The tactics button's work: the clock stops and the tactics window opens on the user's side.
    void OpenTactics();
    // A player of the user's side must leave (fouled out, or hurt): the must-leave popup.
    // onHisWay: his change was already under way, so the window has nothing left to ask.
    void ShowMustLeavePopup(const CStr& name, bool hurt, bool onHisWay = false);
    // The next must-leave message waiting, if any, now that no message is open.
    void ShowNextMustLeave();

    // IMatchDisplay
    void ShowEventLine(const CStr& text) override;
    double ShotClock() const override { return m_clock.shotClock; }
    void ResetShotClock() override { m_clock.shotClock = 0.0; }
    bool TakeShotClockRanOut() override { return std::exchange(m_clock.shotClockRanOut, false); }
    CStr HomeTeamName() const override { return m_homeName; }
    CStr AwayTeamName() const override { return m_awayName; }

    // The scoreboard the cube's screens show: the middle of the score bar (the score, the quarter
    // and the clocks) drawn into target. False when nothing was drawn.
    bool DrawScoreboard(CQuorelRenderTarget& target, IGuiBackend& backend, uint32_t nowMs) const;
    // Draws the scoreboard into target only when the score bar's texts differ from what was last
    // drawn there; true when it drew.
    bool RefreshScoreboard(CQuorelRenderTarget& target, IGuiBackend& backend, uint32_t nowMs);

    void FillHostBoxScore();
    void FillVisitorBoxScore();

    double GameClock() const override { return m_clock.gameClock; }
    void SetGameClock(double seconds) { m_clock.gameClock = seconds; }
    void SetShotClock(double seconds) { m_clock.shotClock = seconds; }
    // 5 and on: the overtimes.
    int Quarter() const { return m_clock.quarter; }
    // Seconds of play since the tip-off: the periods already over and the running one's clock.
    int MatchSecond() const;
    bool Started() const { return m_started; }
    bool Paused() const { return m_paused; }
    bool Fast() const { return m_fast; }
    int CameraMode() const { return m_cameraMode; }
    int EventLineCount() const { return m_eventLines; }
    const CStr& ScoreText() const { return m_scoreText; }
    const CStr& ClockText() const { return m_gameClockText; }
    const CStr& ShotClockText() const { return m_shotClockText; }
    const CStr& QuarterText() const { return m_quarterText; }
    int Outdoor() const { return m_outdoor; }
    CTeam* HomeRecord() const { return m_homeRecord; }
    CTeam* AwayRecord() const { return m_awayRecord; }
    int FixtureIndex() const { return m_fixture; }

private:
    CGuiElement* Child(int id) const;
    void SetLabel(CGuiElement* label, const CStr& text);
    void TipOff();
    void Resume();
    void StartQuarterBreak();
    // The match is over: the crowd falls quiet and the end's records and hand-back run.
    void EndAtFinalWhistle();
    // Dates the hurt of the last step by the game clock, once each.
    void NoteInjuries();
    void LogFreeThrows();
    void PublishPace();
    bool SoundPresent() const;
    void PlaySound(const char* tag);
    void StopSound(const char* tag);
    uint32_t Now() const;

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CGuiElement* m_scoreLabel = nullptr;
    CGuiElement* m_shotClockLabel = nullptr;
    CGuiElement* m_quarterLabel = nullptr;
    CGuiElement* m_gameClockLabel = nullptr;
    CStr m_shotClockText;
    CStr m_quarterText;
    CStr m_gameClockText;
    CTeam* m_homeRecord = nullptr; // read at the end of the match
    CTeam* m_awayRecord = nullptr;
    CStr m_scoreText;
    // What the cube's scoreboard last showed, and where.
    CStr m_scoreboardShown;
    const CQuorelRenderTarget* m_scoreboardTarget = nullptr;
    // The game and shot clocks, the quarter, and the match time the frames owe the match.
    CMatchClock m_clock;
    bool m_started = false;   // the tip-off has been given
    bool m_tipOffDue = false; // a break has ended a period: the next jump ball is announced
    uint32_t m_lastTick = 0;
    bool m_paused = false;
    bool m_fast = false;
    int m_clockMinutes = 0;
    int m_clockSeconds = 0;
    CStr m_homeName;
    CStr m_awayName;
    // The event grid's row count: one more than its lines, and never reset in a run of the game,
    // so an earlier match's lines stay above the next one's.
    int m_eventLines = 1;
    int m_lastHomeScore = 0;
    int m_lastAwayScore = 0;
    int m_outdoor = 0; // street court: the outdoor crowd
    uint32_t m_atmosphereTimer = 0;
    // Whole seconds the ambient crowd has counted; never reset, so its random shouts only come in
    // the first two minutes or so of the game's first match.
    int m_atmosphereSeconds = 0;
    CMatchTeam* m_statsTeam = nullptr;
    CMatch2DTeam* m_statsTeam2D = nullptr;
    // What each live panel shows: a frame whose figures did not move rebuilds none of them (sixty
    // rebuilds a second cost more than a stand-in match's own rules).
    std::array<MatchStatLine, 5> m_panelShown{};
    std::array<bool, 5> m_panelFilled{};
    bool m_panelsKnown = false;
    // Who the box-score tables list, in order, with the figures that change by events.
    std::vector<int32_t> m_boxScoreShown;
    int m_stadiumKind = 0;
    int m_cameraMode = 0; // 0-2 a fixed camera, 3 automatic
    bool m_autoCamera = false;
    uint32_t m_lastAutoCamera = 0;
    int m_fixture = -1;
    int m_fixtureYear = 2007;
    int m_fixtureMonth = 8;
    int m_fixtureDay = 1;

    IHudMatch* m_match = nullptr;
    // The free-throw series last told to the log: each is logged as it begins and ends with the
    // match second, so the log shows the clock standing through it.
    bool m_freeThrowsLogged = false;
    // The must-leave messages shown this match: each player is announced once, however often the
    // rules ask while he waits for his change.
    std::vector<CStr> m_mustLeaveShown;
    // Must-leave messages that came while another message was open: each is shown in turn as the
    // one before is closed, so a player who leaves while something else is under way is still told.
    std::vector<CStr> m_mustLeaveWaiting;
    std::function<void()> m_onEnd;
    std::function<void()> m_onFinalWhistleHeld;
    bool m_finalWhistleHeld = false;
    std::function<uint32_t()> m_now;
    IHudSound* m_sound = nullptr;
    bool m_soundOverride = false;
    bool m_soundPresent = false;
};
