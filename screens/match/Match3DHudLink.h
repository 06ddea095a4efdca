// CMatch3DHudLink: the 3D match as the in-match display drives it.
#pragma once

#include "screens/match/MatchHud.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class CMatch3D;
class CHeadlessMotion;

// The user's side as last looked at: the changes it had made and its five on court.
struct UserChangesSeen {
    int changes = 0;
    std::vector<int32_t> five;
};
// The five the user's side has on court, by id.
std::vector<int32_t> UserFiveOnCourt(const CMatch3D& match);
// After a step, for sessions that stop at every change of the user's side: when it has made a
// change since `seen`, the line naming who came on for whom, the score and the five on court with
// their places ("change 3 of the user's side at 12 - 10: A on for B; on court A (C), ..."), and
// `seen` moves on; else empty. A step in which the rules paused the match themselves (a player
// must leave) gives nothing yet: a pause of the display then would clear theirs.
CStr NoteUserChange(const CMatch3D& match, UserChangesSeen& seen, const std::function<CStr(int)>& text);

class CMatch3DHudLink : public IHudMatch {
public:
    // motion moves the players of a match without character models (the headless stand-in); with
    // none the display's clock runs over a match that stands still (a display shown on its own).
    CMatch3DHudLink(CMatch3D& match, CHeadlessMotion* motion) : m_match(match), m_motion(motion) {}

    void SetPaused(bool paused) override;
    void SetFast(bool fast) override;
    bool PositioningWait() const override;
    bool InboundRunning() const override;
    bool FreeThrowsRunning() const override;
    int MatchQuarter() const override;
    void JumpBall() override;
    void BeginQuarterBreak() override;
    void FinalWhistle() override;
    int CameraCount() const override;
    void SetCamera(int index) override;
    CMatchTeam* HomeTeam() const override;
    CMatchTeam* AwayTeam() const override;
    int HomeScore() const override;
    int AwayScore() const override;
    bool PlayStep() override;
    // A seam for scripted sessions: runs after every step the match plays.
    void SetAfterStep(std::function<void()> afterStep) { m_afterStep = std::move(afterStep); }

private:
    CMatch3D& m_match;
    CHeadlessMotion* m_motion;
    std::function<void()> m_afterStep;
};
