// The 3D match's flags, cameras and rosters behind the in-match display.
#include "screens/match/Match3DHudLink.h"

#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"
#include "match3d/MatchClock.h"

void CMatch3DHudLink::SetPaused(bool paused) {
    m_match.paused = paused ? 1 : 0;
}

void CMatch3DHudLink::SetFast(bool fast) {
    m_match.fastMode = fast ? 1 : 0;
}

bool CMatch3DHudLink::PositioningWait() const {
    return m_match.positioningWait != 0;
}

bool CMatch3DHudLink::InboundRunning() const {
    return m_match.flags.inbound != 0;
}

int CMatch3DHudLink::MatchQuarter() const {
    return m_match.flags.quarter;
}

void CMatch3DHudLink::JumpBall() {
    // The centres go up; the tap itself comes with their clip.
    CMatchRandScope stream(m_match);
    m_match.JumpBall();
}

void CMatch3DHudLink::BeginQuarterBreak() {
    CMatchRandScope stream(m_match);
    m_match.positioningWait = 0;
    // Teams back to their spots, the phases cleared, the break flag set and the jump ball called.
    m_match.EndQuarter();
}

int CMatch3DHudLink::CameraCount() const {
    return static_cast<int>(m_match.cameras.size());
}

void CMatch3DHudLink::SetCamera(int index) {
    m_match.SetCamera(index);
}

CMatchTeam* CMatch3DHudLink::HomeTeam() const {
    return m_match.GetHomeTeam();
}

CMatchTeam* CMatch3DHudLink::AwayTeam() const {
    return m_match.GetAwayTeam();
}

int CMatch3DHudLink::HomeScore() const {
    return m_match.homeScore;
}

int CMatch3DHudLink::AwayScore() const {
    return m_match.awayScore;
}

bool CMatch3DHudLink::PlayStep() {
    if (m_motion == nullptr)
        return true;
    // The rules stopped play for a player who must leave: the computer replaces its own at once,
    // the user's side waits for the tactics window.
    if (m_match.paused) {
        CMatchRandScope stream(m_match);
        if (!m_match.SettleMustLeave(true))
            return false;
    }
    PlayMatchStep(m_match, *m_motion);
    return true;
}
