// The end of a 3D match: its two rosters become the databases' records (one match record per club,
// one player record per squad player), the fixture gets its score, the hurt are booked, and the
// game moves on to the statistics or, on the season's last day, to the results.
#pragma once

#include "database/GameDate.h"

#include <cstdint>

class CCareerSession;
class CMatchTeam;
class CScreenContext;
struct CFixture;
struct CTeam;

class CMatch3DRecorder {
public:
    static constexpr int kDaysOut = 10;

    // The match about to be played: its clubs, its place among the fixtures of its date (-1 none)
    // and that date. A new match may be recorded once.
    void SetMatchParams(CTeam* home, CTeam* away, int fixture, int year, int month, int day);

    // The records of the finished match. Runs once per match: a second call records nothing and
    // answers false, as does a call without both clubs.
    bool RecordMatch(CCareerSession& session, const CMatchTeam& homeSide, const CMatchTeam& awaySide);

    bool Recorded() const { return m_recorded; }
    CTeam* Home() const { return m_home; }
    CTeam* Away() const { return m_away; }
    // The fixture the last recording wrote its score into; null when none matched.
    CFixture* RecordedFixture() const { return m_fixture; }

private:
    // The stored fixture when its index names one of that date between the match's two clubs.
    CFixture* FindFixture(const CCareerSession& session) const;

    CTeam* m_home = nullptr;
    CTeam* m_away = nullptr;
    int m_fixtureIndex = -1;
    GameDate m_date;
    bool m_recorded = false;
    CFixture* m_fixture = nullptr;
};

// The match end's hand-over after the recording: the statistics are refreshed; on the season's
// last fixture date the season-end evaluation runs and the results window opens, otherwise the
// statistics windows. Nothing happens when the match was recorded already.
bool FinishMatch3D(const CScreenContext& ctx, CMatch3DRecorder& recorder, const CMatchTeam& homeSide,
                   const CMatchTeam& awaySide);
