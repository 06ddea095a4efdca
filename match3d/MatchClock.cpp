// The 3D match's clock in fixed steps of match time, and one paced step of the match.
#include "match3d/MatchClock.h"

#include "engine/GameRand.h"
#include "match3d/AnimatedCharacter.h"
#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"
#include "match3d/Referee.h"
#include "match3d/SceneLoader.h"

#include <algorithm>

int CMatchClock::StepsFor(uint32_t wallMs, bool fast) {
    // In fast mode a clock second passes in 400 ms instead of 1000: the same match, 2.5 times as fast.
    owedMs += static_cast<double>(wallMs) * (fast ? static_cast<double>(kSecondMs) / kFastSecondMs : 1.0);
    const double stepMs = static_cast<double>(kSecondMs) / kStepsPerSecond;
    int steps = static_cast<int>(owedMs / stepMs);
    const int most = std::max(1, static_cast<int>(frameLimitMs / stepMs));
    if (steps >= most) {
        owedMs = 0.0;
        return most;
    }
    owedMs -= steps * stepMs;
    return steps;
}

CMatchClock::Event CMatchClock::CountStep(bool positioningWait, bool inbound, bool tippedOff, int homeScore,
                                          int awayScore) {
    secondPlayed = false;
    if (over || ++stepInSecond < kStepsPerSecond)
        return Event::None;
    stepInSecond = 0;
    if (!positioningWait) {
        gameClock += 1.0;
        secondPlayed = true;
    }
    if (!inbound && tippedOff)
        shotClock += 1.0;
    if (shotClock >= kShotClockSeconds) {
        shotClock = 0.0;
        shotClockRanOut = true;
    }
    if (gameClock < PeriodSeconds())
        return Event::None;
    gameClock = 0.0;
    // A level score after the fourth quarter plays overtimes until one side leads: the standings
    // cannot count one match as a loss for both.
    if (quarter >= kQuarters && homeScore != awayScore) {
        over = true;
        return Event::MatchOver;
    }
    ++quarter;
    return Event::QuarterOver;
}

void CMatchClock::Reset() {
    const double limit = frameLimitMs;
    *this = CMatchClock();
    frameLimitMs = limit;
}

void ResetPlayersForBreak(CMatchTeam* home, CMatchTeam* away) {
    for (CMatchTeam* team : {home, away}) {
        for (int i = 0; team != nullptr && i < team->GetCount(); ++i) {
            CCourtPlayer* p = team->GetPlayer(i);
            if (p == nullptr)
                continue;
            // A player's fouls count over the whole match (the sixth sends him off); only the side's
            // team fouls start again each quarter.
            if (i < team->OnCourtCount())
                p->facing = Vec3(-p->position.x, -p->position.y, 1.0f - p->position.z);
        }
    }
}

void CountCourtSecond(CMatchTeam* home, CMatchTeam* away) {
    for (CMatchTeam* team : {home, away})
        for (int i = 0; team != nullptr && i < team->OnCourtCount(); ++i)
            if (CCourtPlayer* p = team->GetPlayer(i))
                ++p->secondsOnCourt;
}

CMatchRandScope::CMatchRandScope(CMatch3D& match) : m_match(match), m_saved(GameRandState()) {
    if (!match.randSeeded) {
        match.randSeeded = 1;
        match.randState = m_saved;
    }
    GameSrand(match.randState);
}

CMatchRandScope::~CMatchRandScope() {
    m_match.randState = GameRandState();
    GameSrand(m_saved);
}

void PlayMatchStep(CMatch3D& match, CHeadlessMotion& motion) {
    if (match.paused)
        return;
    CMatchRandScope stream(match);
    const float dt = CMatchClock::kStep;
    StepMatch3D(match, motion, dt);
    // The poses move on with the match, not with the frames that show it: the clips' release
    // moments decide passes and shots.
    for (CAnimatedCharacter* c : match.characters)
        if (c->shown && c->HasInstance())
            c->AdvanceTime(dt, nullptr);
    for (CRefereeBase* r : match.referees)
        if (r->shown && r->HasInstance())
            r->AdvanceTime(dt, nullptr);
}
