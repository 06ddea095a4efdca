// A 3D match played without a window: stand-in characters whose clips last a fixed time and let
// the ball go halfway through, a display that keeps the clocks and the event lines, and a loop that
// plays four quarters. Tests and the benchmark drive the rules with it; the real characters and the
// scene replace the stand-ins in a shown match.
#pragma once

#include "engine/Str.h"
#include "match3d/MatchClock.h"
#include "match3d/MatchDisplay.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CMatch3D;
class CCourtPlayer;

class CHeadlessDisplay : public IMatchDisplay {
public:
    void ShowEventLine(const CStr& text) override { lines.emplace_back(text.GetText()); }
    double ShotClock() const override { return clock.shotClock; }
    void ResetShotClock() override { clock.shotClock = 0.0; }
    bool TakeShotClockRanOut() override { return std::exchange(clock.shotClockRanOut, false); }
    CStr HomeTeamName() const override { return "Home"; }
    CStr AwayTeamName() const override { return "Away"; }
    double GameClock() const override { return clock.gameClock; }

    // The display's clock, as the in-match display keeps it.
    CMatchClock clock;
    std::vector<std::string> lines;
};

// The characters' stand-in: clips of a fixed length that release the ball at their middle, walking
// toward the walk target, and the throws, tip-off and steal moments of the clips.
class CHeadlessMotion {
public:
    static constexpr double kClipSeconds = 1.0;
    static constexpr float kPassSpeed = 6.0f;
    static constexpr float kShotSpeed = 7.0f;

    // One frame: every on-court player moves and plays his clip, then the ball moves.
    void Step(CMatch3D& match, float dt);

private:
    struct Clip {
        int32_t animation = -1;
        double time = 0.0;
        bool fired = false;
    };
    void Release(CMatch3D& match, CCourtPlayer& player, int32_t animation);

    std::unordered_map<const CCourtPlayer*, Clip> clips_;
};

struct HeadlessMatchOptions {
    double quarterSeconds = CMatchClock::kQuarterSeconds;
    // Called after every step played, for batches that watch the match as it goes.
    std::function<void(const CMatch3D&)> afterStep;
};

// Far more steps than four quarters and a few overtimes need, with room for the clock's stops at the
// dead balls, so a match that stops moving cannot loop for ever.
inline long HeadlessFrameLimit(const HeadlessMatchOptions& options) {
    return static_cast<long>(
               (4 * (options.quarterSeconds + 1080.0) + 6 * (CMatchClock::kOvertimeSeconds + 600.0)) *
               CMatchClock::kStepsPerSecond) +
           1000;
}

// Everybody on his spot and the ball up at the centre, for the opening tip-off.
void PrepareTipOff(CMatch3D& match);

// Plays a set-up match (rosters placed, tactics loaded) from the opening tip-off to its end, step by
// step through the display's clock as the shown match plays it: the quarter breaks, the overtimes
// after a level fourth quarter, and a player who must leave replaced at once on either side (no user
// answers the tactics window). The match gets a ball of its own unless it has one. Returns the steps
// played; the display's clock tells whether the match ended.
long PlayHeadlessMatch(CMatch3D& match, CHeadlessDisplay& display, const HeadlessMatchOptions& options);
