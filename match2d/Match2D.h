// CMatch2D: the tick-based flat-court match of the user's club when the 3D view is off: clock,
// quarters and breaks, tip-off, the rules of each tick, substitutions, forfeits and scoring.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"
#include "match/TacticsData.h"
#include "match2d/Match2DTeam.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

struct CTeam;
struct CPlayer;
struct CStaffRecord;

// What the match tells the screens around it. Every hook may be empty (a headless run).
struct Match2DHooks {
    std::function<void(const CStr& text, const CStr& name, bool homeSide)> commentary;
    std::function<void(const CStr& name, int reason)> leavePopup; // reason 0 fouls, 1 must leave
    // Opens the quarter-break window; the match is paused already.
    std::function<void()> quarterBreak;
    std::function<void()> substitutionPending;
    // A player of the user's side must come off (reason 0 six fouls, 1 hurt) and the bench has
    // someone for him: the user picks the substitute.
    std::function<void(int reason)> substituteNeeded;
    // The staff remarks' commentary popup; empty when there is none.
    std::function<void(const CStr& text, int colour)> remarkLine;
    // Language text; empty hook gives an empty text.
    std::function<CStr(int textId)> text;
    // The set-up's progress for the wait screen: done of steps.
    std::function<void(int done, int steps)> progress;
};

constexpr int kTicksPerQuarter = 24000;
constexpr int kInstantTicksPerFrame = 8640000;

class CMatch2D {
public:
    CMatch2D();
    ~CMatch2D();
    CMatch2D(const CMatch2D&) = delete;
    CMatch2D& operator=(const CMatch2D&) = delete;

    bool LoadTactics(const char* gamePath);
    CStr GetTacticFile(int id) const;

    void Setup();
    void Teardown();
    void SetupLineups(CTeam* homeRecord, CTeam* awayRecord, bool userIsHome);
    void LoadFormations(int homeId, int awayId);
    void LoadHomeFormation(int attackId, int defenceId);
    void LoadAwayFormation(int attackId, int defenceId);

    void TickClock(int unused);
    void UpdateRules();
    void TipOff();
    void EndQuarter();
    void SwitchPossession();
    void ResolveRebound();
    Vec3 ReboundPoint(float distance) const;
    void PostEvent();
    void ShowLeavePopup(const CStr& name, int reason);
    // Ticks (clock then ball) until the match is over, or until maxTicks; returns the ticks run.
    int RunTicks(int maxTicks);

    CMatch2DTeam* GetHomeTeam() const { return homeTeam.get(); }
    CMatch2DTeam* GetAwayTeam() const { return awayTeam.get(); }
    CMatch2DPlayer* GetHomePlayer(int index) const { return homeTeam ? homeTeam->GetPlayer(index) : nullptr; }
    CMatch2DPlayer* GetAwayPlayer(int index) const { return awayTeam ? awayTeam->GetPlayer(index) : nullptr; }
    bool IsOutOfCourt(float x, float y, float z) const;
    const ModifierCurve& Curve(const char* table) const;
    CStr Text(int textId) const;
    // The text of an event line; nothing to look up when nobody shows the commentary.
    CStr EventText(int textId) const { return hooks.commentary ? Text(textId) : CStr(); }
    // The user's side follows the user's rules (pauses, popups) only when the match is watched.
    bool UserControlled(const CMatch2DTeam& team) const { return team.userTeam && !instantRun; }
    void Forfeit(CMatch2DTeam& loser);
    bool IsOver() const { return quarter >= 5; }

    static constexpr int kSetupProgressSteps = 8;

    uint8_t setUp = 0;
    int32_t courtLeft = -14, courtTop = -7, courtRight = 14, courtBottom = 7;
    Vec3 shotSpotA[5][2];
    Vec3 shotSpotB[5][2];
    uint8_t shotInFlight = 0;
    uint8_t homePending2 = 0, homePending3 = 0, homePending1 = 0;
    uint8_t awayPending2 = 0, awayPending3 = 0, awayPending1 = 0;
    uint8_t missedShot = 0;
    uint8_t homeBonus = 0;
    uint8_t awayBonus = 0;
    int32_t lastHomeTeamFouls = 0;
    int32_t lastAwayTeamFouls = 0;
    std::unique_ptr<CMatch2DTeam> homeTeam;
    std::unique_ptr<CMatch2DTeam> awayTeam;
    int32_t quarter = 0;
    float seconds = 0.0f;
    float minutes = 0.0f;

    ModifierCurve ballStealth, moraleModifier, staminaModifier, aggressionModifier, tacticTargetNum,
        passingTargets, twoPointModifier, threePointModifier, dunkingModifier, blockingTargets;
    std::vector<std::unique_ptr<TacticRecord>> tactics;
    std::unique_ptr<CMatch2DBall> ball;
    Vec3 homeInbound{0.0f, 0.0f, -12.25f};
    Vec3 awayInbound{0.0f, 0.0f, 12.25f};
    CMatch2DPlayer* lastFouled = nullptr;
    CStr eventText;
    CStr eventName;
    uint8_t eventSide = 0;
    uint8_t instantRun = 0;
    uint8_t paused = 0;
    uint8_t running = 0;
    float possessionTimer = 0.0f;
    int32_t ticksPerFrame = 1;
    float step = 0.03f;
    uint8_t possessionChanged = 0;
    uint8_t homeMustLeave = 0;
    uint8_t awayMustLeave = 0;
    int32_t scoreGapCounter = 0;
    uint8_t scoreGapActive = 0;
    uint8_t forfeited = 0;
    // Hundredths of a second into the running minute: the clock counts whole ticks so that a quarter
    // is exactly 24,000 of them, with no drift from adding 0.03 again and again.
    int32_t centiseconds = 0;
    // A tournament match: each side plays at the level of its ratings (TournamentLevelFactor).
    uint8_t tournament = 0;
    // Ticks of play so far; the last completed pass of the side in possession, when it was thrown,
    // and the mate who caught it. His basket is the passer's assist when he scores with the shot he
    // takes on the catch (his first decision with the ball, the tick after it), however long the
    // ball was in the air, or within kAssistTicks of the throw (a dribble or two after a short
    // pass). A catcher who holds the ball or drives on scores on his own. Counted only within 3.4 s
    // of the throw, a long pass lost its assist to the clock while a short one to a man who then
    // drove kept it: against man-to-man three baskets in four were assisted (class 0: 28 a side),
    // against zones and presses, whose passes fly farther, under half (17).
    int32_t playTicks = 0;
    CMatch2DPlayer* lastPasser = nullptr;
    int32_t lastPassTick = 0;
    CMatch2DPlayer* passCatcher = nullptr;
    int32_t catchTick = 0;
    static constexpr int kShotOnCatchTicks = 1;
    static constexpr int kAssistTicks = 60; // 1.8 seconds
    void NotePass(CMatch2DPlayer* passer);
    void NoteCatch(CMatch2DPlayer* catcher);
    // A field-goal attempt, made or missed. A miss ends the pass's part in the play: a put-back
    // after an offensive rebound is the rebounder's own basket.
    void NoteShot(const CMatch2DPlayer& shooter, bool made);

    // A level score after the fourth quarter is played on in periods of five minutes until one side
    // leads, so every match has a winner. The quarter stays 4 while they run.
    static constexpr int kQuarterMinutes = 12;
    static constexpr int kOvertimeMinutes = 5;
    static constexpr int kMaxOvertimes = 50;
    int32_t periodMinutes = kQuarterMinutes;
    int32_t overtimes = 0;

    // A defender pokes at the ball at most once a tick, and not for a second after a foul (play
    // stops). After four balls won in a row without a shot the side that has the ball is let play
    // it: the contests can no longer hand the ball to and fro with nobody getting a shot away.
    static constexpr int kContestTicks = 1;
    static constexpr int kFoulPauseTicks = 33;
    static constexpr int kMaxStealRun = 4;
    // A player of a side the computer coaches, one foul from fouling out, no longer reaches in nor
    // challenges a shooter: under a press such a side fouled out its whole bench and forfeited. The
    // user's players play as he lets them while he watches; run at once, his side is the computer's
    // to coach (it was the one side that still fouled out five players and forfeited).
    // The same for the user's side, watched or run at once: the view must not change the odds.
    static constexpr int kCautiousFouls = 5;
    bool InFoulTrouble(const CMatch2DPlayer& p) const { return p.Fouls() >= kCautiousFouls; }
    // Fouls that put a player in foul trouble in the running quarter: three in the first, four in
    // the second, five in the third; in the fourth only the sixth takes him off (at five he no
    // longer reaches in). The coach rests him then, and he comes back once the quarter allows his
    // fouls: a starter rested at four in the second plays the third, one rested at five in the
    // third plays the fourth. A limit of four for the whole match never let him back. Two, three,
    // four and five by quarter rested so many that a match had 34 changes and fresher legs stole
    // 9.5-11 balls a side, and a starter at five in the fourth sat out the match: one in eight
    // played under 24 minutes.
    static constexpr int kFoulTroubleByQuarter[4] = {3, 4, 5, 6};
    int FoulLimit() const { return kFoulTroubleByQuarter[std::clamp(quarter, 1, 4) - 1]; }
    // A player of the given side who must leave (six fouls, hurt) replaced by the change the computer
    // makes (CMatch2DTeam::PickForcedSubstitute); the user's window offers and makes the same. It
    // holds no rest back: the user did not choose it. False when the bench has nobody.
    bool ForcedChange(CMatch2DTeam& team, int outgoingId);
    int32_t stealRun = 0; // balls won by a defender since the last shot
    // The share of a ball contest's winning chance (a poke, a drive into a defender) still open in
    // this possession: every contest the side with the ball comes through shrinks it, so its lost
    // balls follow its possessions more than the time its holders spend beside a defender. The
    // possession is the side's that contestOddsHome names; a shot or a ball won starts afresh.
    float contestOdds = 1.0f;
    uint8_t contestOddsHome = 0;
    bool ContestAllowed(const CMatch2DPlayer& defender) const;
    void NoteContest(CMatch2DPlayer& defender, int result);
    void NoteBallWon();
    void NoteAttempt();
    // A holder fouled on his way to the basket goes to the line for two, whatever the team fouls.
    void AwardFreeThrows(CMatch2DPlayer& fouled);
    uint8_t pendingFreeThrows = 0; // 1 the home side shoots them, 2 the away side

    // How the match went, read by the tests and the box-score benchmark.
    int32_t longestStealRun = 0;
    int32_t attemptsThisPeriod = 0;
    int32_t quietPeriods = 0; // periods that ended with no attempt by either side

    Match2DHooks hooks;

    // A staff remark about one of the user's court players is held until the coach has looked at
    // the court once more: the remark is made in the player's own step, at the foul or the tired
    // step it speaks of, and the look at the next tick may take him off for that very reason. Held
    // remarks go out when a run of ticks ends, those about a player still on court; a remark about
    // a man who has left is no warning and is dropped.
    void HoldRemark(const CMatch2DPlayer& player, const CStr& head, const CStr& message, int colour);
    void ReleaseRemarks();

private:
    struct HeldRemark {
        const CMatch2DPlayer* player = nullptr;
        CStr head;
        CStr message;
        int colour = 0;
        int32_t tick = 0; // the rules' tick it was made in
    };
    std::vector<HeldRemark> heldRemarks;

    void UpdateRulesInline(); // UpdateRules, inlined into the clock's tick
    void TickClockInline();   // TickClock, inlined into RunTicks' loop
    void RaiseProgress();
    bool CourtAlert(CMatch2DTeam& team);
    uint8_t insideRun = 0;
    void PayPendingPoints();
    void ClearPendingPoints();
    void EndPeriod();
    void GainBall(CMatch2DPlayer* jumper);
    // The coach of either side, the user's watched or run at once alike: rests a tired player, then
    // one in foul trouble for the quarter, each for a fit bench player like for like; with nobody to
    // rest a rested starter goes back on. The user's side waits a minute after a change he made
    // himself. The computer's side also answers a wide score gap with other tactics.
    void CoachSide(CMatch2DTeam& team, bool home, bool alert);
    bool RestOrReturn(CMatch2DTeam& team, bool home);
    // With nobody to rest, a starter the rule rested goes back on once fresh (or, rested for his
    // fouls, once the quarter allows them), for the player on court who did not start nearest his
    // position; true when one did.
    bool ReturnRestedStarter(CMatch2DTeam& team, bool home);
    // Six fouls and the hurt: the computer's side (and the user's run at once) changes them; watched,
    // every one of the user's is told and the match stops for his window.
    void HandleLeaving(CMatch2DTeam& team, bool home);
    void AnnounceLeaving(CMatch2DTeam& team);
    bool Replace(CMatch2DTeam& team, int outgoingId, int incomingId, bool home);
    bool ReplaceOrForfeit(CMatch2DTeam& team, int outgoingId, bool home);
    void StartBonus(CMatch2DTeam& shooting, CMatch2DTeam& fouling, bool homeShoots);
    void LoadSide(CMatch2DTeam& team, bool home, int attackId, int defenceId);
    void FillTeam(CMatch2DTeam& team, CTeam* record, float level, float contestStep, bool home, bool user,
                  const CStaffRecord* staffA, const CStaffRecord* staffB);
    std::unique_ptr<CStaffRecord> m_staffA;
    std::unique_ptr<CStaffRecord> m_staffB;
    int m_progress = 0;
};

extern CMatch2D* g_pMatch2D;

// A club's own level in a tournament: the regular leagues' level for its starting five's two- and
// three-point ratings.
float TournamentLevelFactor(const CTeam& record);
// The starters' mean rating that level is read from (two parts two-point rating, one part three).
float TournamentShotRating(const CTeam& record);
// The levels two clubs meet at in a tournament: each one's own level moved 0.008 toward the
// other's (to the middle when they lie closer).
void TournamentLevels(const CTeam& home, const CTeam& away, float& homeLevel, float& awayLevel);
// The same for the ball contests: a regular league's club at its class's level, any other club at
// the level for its whole squad's steal ratings on the leagues' curve; two clubs' contest levels
// meet in the middle (up to 0.1 each).
float TournamentContestLevelFactor(const CTeam& record);
void TournamentContestLevels(const CTeam& home, const CTeam& away, float& homeLevel, float& awayLevel);
// The same for the blocks, from the squads' defence ratings.
float TournamentBlockLevelFactor(const CTeam& record);
void TournamentBlockLevels(const CTeam& home, const CTeam& away, float& homeLevel, float& awayLevel);

// One instant match between two clubs: set-up, formations, the whole run, and the figures the
// match day records.
struct InstantMatchResult {
    bool finished = false;
    bool forfeit = false;
    int homeScore = 0;
    int awayScore = 0;
    int ticks = 0;
};
// A match set up to play: line-ups, tip-off places, the user's tactics and attack 0 with defence 13
// for the computer, the clock running. A watched match (instant false) is then ticked by the screen
// that shows it, ticks-per-frame ticks a frame (RunTicks).
bool SetupMatch2D(CMatch2D& match, CTeam* home, CTeam* away, bool userIsHome, bool instant,
                  int userAttack = 0, int userDefence = 13);
InstantMatchResult RunInstantMatch(CMatch2D& match, CTeam* home, CTeam* away, bool userIsHome,
                                   int userAttack = 0, int userDefence = 13);
