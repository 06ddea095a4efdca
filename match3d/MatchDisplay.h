// IMatchDisplay: what the 3D match tells the in-match display - event lines, the shot clock it
// resets on a change of possession, and the team names its lines begin with. The display
// implements it; the match only holds the interface.
#pragma once

#include "engine/Str.h"

class IMatchDisplay {
public:
    virtual ~IMatchDisplay() = default;
    virtual void ShowEventLine(const CStr& text) = 0;
    // Seconds of the running possession.
    virtual double ShotClock() const = 0;
    virtual void ResetShotClock() = 0;
    // True once after the shot clock ran out (it reached 24 and started again).
    virtual bool TakeShotClockRanOut() { return false; }
    virtual CStr HomeTeamName() const = 0;
    virtual CStr AwayTeamName() const = 0;
    // Seconds elapsed in the quarter.
    virtual double GameClock() const { return 0.0; }
};
