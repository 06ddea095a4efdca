// The match clock of the 3D match: the display's game and shot clocks in whole seconds, the quarters
// and overtimes, counted in fixed steps of match time. The shown match and the headless loops play
// the same steps through it, so a seeded match ends the same however it is watched; only how much
// wall time a step takes depends on the speed button.
#pragma once

#include <cstdint>

class CMatch3D;
class CMatchTeam;
class CHeadlessMotion;

class CMatchClock {
public:
    // Match seconds one step plays, and the steps of one clock second.
    static constexpr float kStep = 0.02f;
    static constexpr int kStepsPerSecond = 50;
    static constexpr double kQuarterSeconds = 720.0;
    static constexpr double kOvertimeSeconds = 300.0;
    static constexpr double kShotClockSeconds = 24.0;
    static constexpr int kQuarters = 4;
    // Wall milliseconds of one clock second: normal speed and fast.
    static constexpr uint32_t kSecondMs = 1000;
    static constexpr uint32_t kFastSecondMs = 400;

    enum class Event { None, QuarterOver, MatchOver };

    // The steps owed for wallMs of wall time at the chosen speed. A frame owes at most
    // frameLimitMs (one clock second): the rest of a long stall is dropped rather than played in
    // one burst.
    int StepsFor(uint32_t wallMs, bool fast);
    // Counts one played step; every kStepsPerSecond steps the clock's second passes: the game clock
    // gains it unless the players line up, the shot clock unless an inbound runs or before the
    // tip-off; a shot clock at 24 starts again from 0 and is noted for the rules. At the end of a period's
    // time: QuarterOver (a break, or overtime after a level fourth quarter or overtime) or MatchOver (a side
    // leads after the fourth quarter or an overtime).
    Event CountStep(bool positioningWait, bool inbound, bool tippedOff, int homeScore, int awayScore);
    // Length of the running period: a quarter, or an overtime from the fifth period on.
    double PeriodSeconds() const { return quarter > kQuarters ? kOvertimeSeconds : quarterSeconds; }
    // Back to the tip-off of a new match; the frame limit stays.
    void Reset();

    double quarterSeconds = kQuarterSeconds; // shorter only in tests
    double gameClock = 0.0;
    double shotClock = 0.0;
    int quarter = 1; // 5 and on: overtimes
    bool over = false;
    // The shot clock reached 24 since the rules last asked: they decide whether it is a violation.
    bool shotClockRanOut = false;
    // The last counted step passed a second of the game clock: the five on court played it.
    bool secondPlayed = false;
    int stepInSecond = 0;
    double owedMs = 0.0; // wall time not yet played, in normal-speed milliseconds
    // Normal-speed milliseconds one frame plays at most. A display clock running N times the wall
    // clock (the scripted sessions' quick clock) raises it N times, so that its pace is N times
    // normal and not the frame rate's.
    double frameLimitMs = kSecondMs;
};

// What the break between periods does to the players: the five on court face the centre spot for the
// jump ball. Their fouls stay: they count over the whole match.
void ResetPlayersForBreak(CMatchTeam* home, CMatchTeam* away);

// A second of the game clock passed: each of the five on court of both sides played it.
void CountCourtSecond(CMatchTeam* home, CMatchTeam* away);

// One step of the 3D match on its own random sequence (the display's crowd and cameras draw from the
// game's, frame by frame): the players think, the rules tick, the characters move, and the poses of
// model characters move on by the step. Does nothing while the rules hold the match paused.
void PlayMatchStep(CMatch3D& match, CHeadlessMotion& motion);

// While it lives, the match's own random sequence stands in for the game's.
class CMatchRandScope {
public:
    explicit CMatchRandScope(CMatch3D& match);
    ~CMatchRandScope();
    CMatchRandScope(const CMatchRandScope&) = delete;
    CMatchRandScope& operator=(const CMatchRandScope&) = delete;

private:
    CMatch3D& m_match;
    unsigned int m_saved;
};
