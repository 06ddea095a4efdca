// The 3D match's flags, cameras and rosters behind the in-match display.
#include "screens/match/Match3DHudLink.h"

#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"
#include "match3d/MatchClock.h"

#include <algorithm>

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

bool CMatch3DHudLink::FreeThrowsRunning() const {
    return m_match.flags.freeThrows != 0;
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

void CMatch3DHudLink::FinalWhistle() {
    CMatchRandScope stream(m_match);
    m_match.EndShotInTheAir();
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
    if (m_afterStep)
        m_afterStep();
    return true;
}

namespace {

const CMatchTeam* UserSide(const CMatch3D& match) {
    return match.homeTeam->isUserTeam ? match.homeTeam : match.awayTeam;
}

} // namespace

std::vector<int32_t> UserFiveOnCourt(const CMatch3D& match) {
    const CMatchTeam* user = UserSide(match);
    std::vector<int32_t> five;
    for (int i = 0; i < user->OnCourtCount(); ++i)
        five.push_back(user->GetPlayer(i)->playerId);
    return five;
}

CStr NoteUserChange(const CMatch3D& match, UserChangesSeen& seen, const std::function<CStr(int)>& text) {
    const CMatchTeam* user = UserSide(match);
    if (user->substitutions == seen.changes || match.paused != 0)
        return CStr();
    seen.changes = user->substitutions;
    const std::vector<int32_t> before = std::exchange(seen.five, UserFiveOnCourt(match));
    // Those of `ids` not among `others`, by name.
    auto named = [user](const std::vector<int32_t>& ids, const std::vector<int32_t>& others) {
        CStr list;
        for (int32_t id : ids) {
            int index = 0;
            const CCourtPlayer* p = user->FindById(id, index);
            if (p != nullptr && std::find(others.begin(), others.end(), id) == others.end())
                list = list.Concat(list.IsEmpty() ? "" : ", ").Concat(p->name);
        }
        return list;
    };
    CStr court;
    for (int i = 0; i < user->OnCourtCount(); ++i) {
        const CCourtPlayer* p = user->GetPlayer(i);
        court = court.Concat(i == 0 ? "" : ", ")
                    .Concat(p->name)
                    .Concat(" (")
                    .Concat(text(p->courtPositionId))
                    .Concat(")");
    }
    return CStr::Formatted("change %d of the user's side at %d - %d: %s on for %s; on court %s", seen.changes,
                           match.homeScore, match.awayScore, named(seen.five, before).GetText(),
                           named(before, seen.five).GetText(), court.GetText());
}
