// CMatch3DHudLink: the 3D match as the in-match display drives it.
#pragma once

#include "screens/match/MatchHud.h"

class CMatch3D;

class CMatch3DHudLink : public IHudMatch {
public:
    explicit CMatch3DHudLink(CMatch3D& match) : m_match(match) {}

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

private:
    CMatch3D& m_match;
};
