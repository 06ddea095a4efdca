// A 3D match played without a window: stand-in characters whose clips last a fixed time and let
// the ball go halfway through, a display that keeps the clocks and the event lines, and a loop that
// plays four quarters. Tests and the benchmark drive the rules with it; the real characters and the
// scene replace the stand-ins in a shown match.
#pragma once

#include "engine/Str.h"
#include "match3d/MatchDisplay.h"

#include <string>
#include <unordered_map>
#include <vector>

class CMatch3D;
class CCourtPlayer;

class CHeadlessDisplay : public IMatchDisplay {
public:
    void ShowEventLine(const CStr& text) override { lines.emplace_back(text.GetText()); }
    double ShotClock() const override { return shotClock; }
    void ResetShotClock() override { shotClock = 0.0; }
    CStr HomeTeamName() const override { return "Home"; }
    CStr AwayTeamName() const override { return "Away"; }
    double GameClock() const override { return gameClock; }

    double gameClock = 0.0;
    double shotClock = 0.0;
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
    double quarterSeconds = 720.0;
    float dt = 0.02f;
};

// Far more frames than four quarters need, with room for the clock's stops at the dead balls, so a
// match that stops moving cannot loop for ever.
inline long HeadlessFrameLimit(const HeadlessMatchOptions& options) {
    return static_cast<long>(4 * (options.quarterSeconds + 1080.0) / options.dt) + 1000;
}

// Plays a set-up match (rosters placed, tactics loaded) from the opening tip-off to the end of the
// fourth quarter. The match gets a ball of its own and the display; a pause (a sixth foul) is lifted
// at once, as a user pressing play would. Returns the frames played.
long PlayHeadlessMatch(CMatch3D& match, CHeadlessDisplay& display, const HeadlessMatchOptions& options);
