// CMatch3DHudLink: the 3D match as the in-match display drives it.
#pragma once

#include "screens/match/MatchHud.h"

class CMatch3D;
class CHeadlessMotion;

class CMatch3DHudLink : public IHudMatch {
public:
    // motion moves the players of a match without character models (the headless stand-in); with
    // none the display's clock runs over a match that stands still (a display shown on its own).
    CMatch3DHudLink(CMatch3D& match, CHeadlessMotion* motion) : m_match(match), m_motion(motion) {}

    void SetPaused(bool paused) override;
    void SetFast(bool fast) override;
    bool PositioningWait() const override;
    bool InboundRunning() const override;
    int MatchQuarter() const override;
    void JumpBall() override;
    void BeginQuarterBreak() override;
    int CameraCount() const override;
    void SetCamera(int index) override;
    CMatchTeam* HomeTeam() const override;
    CMatchTeam* AwayTeam() const override;
    int HomeScore() const override;
    int AwayScore() const override;
    bool PlayStep() override;

private:
    CMatch3D& m_match;
    CHeadlessMotion* m_motion;
};
