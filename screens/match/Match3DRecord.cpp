// Recording a finished 3D match into the databases and handing over to the next window.
#include "screens/match/Match3DRecord.h"

#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "career/MatchRecord.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "guidefines.h"
#include "match3d/MatchTeam.h"
#include "screens/ScreenContext.h"
#include "screens/info/DayController.h"

#include <algorithm>

namespace {

// The match end's button in the flat-court screen; the 3D match's switches name it as their source.
constexpr int kFinishSource = ID_CENTRE_FINISH;

// The records keep the close shots apart from the other twos, as the flat court's dunks: every view
// adds the two to the two-pointers. The 3D match counts its close shots among its twos as well, so
// they are taken out of them here (a two counted twice showed a player 17 of 18 from the field
// with 13 baskets).
struct TwoPointSplit {
    int32_t closeTaken = 0, closeMade = 0, otherTaken = 0, otherMade = 0;
};

TwoPointSplit SplitTwos(const CCourtPlayer& p) {
    TwoPointSplit s;
    s.closeTaken = std::clamp(p.fieldGoalsAttempted, 0, std::max(0, p.twoPointAttempts));
    s.closeMade = std::clamp(p.fieldGoalsMade, 0, std::min(s.closeTaken, std::max(0, p.twoPointersMade)));
    s.otherTaken = std::max(0, p.twoPointAttempts - s.closeTaken);
    s.otherMade = std::clamp(p.twoPointersMade - s.closeMade, 0, s.otherTaken);
    // A basket without its attempt counted must still show: it stays with the close shots.
    s.closeMade = std::max(0, p.twoPointersMade - s.otherMade);
    s.closeTaken = std::max(s.closeTaken, s.closeMade);
    return s;
}

void FillMatchStat(CMatchStat& stat, const CMatchTeam& side, int opponentScore) {
    ClubMatchTotals club;
    club.score = side.score;
    club.opponentScore = opponentScore;
    for (int i = 0; i < side.GetCount(); ++i) {
        if (const CCourtPlayer* p = side.GetPlayer(i)) {
            const TwoPointSplit s = SplitTwos(*p);
            club.closeShotsTaken += s.closeTaken;
            club.closeShotsMade += s.closeMade;
            club.twoPointersTaken += s.otherTaken;
            club.twoPointersMade += s.otherMade;
        }
    }
    club.threePointersTaken = side.TotalThreePointAttempts();
    club.threePointersMade = side.TotalThreePointersMade();
    side.TotalFreeThrows(club.freeThrowsMade, club.freeThrowsTaken);
    club.offensiveRebounds = side.TotalOffensiveRebounds();
    club.defensiveRebounds = side.TotalDefensiveRebounds();
    club.steals = side.TotalSteals();
    // The field the screens read as turnovers: every ball the side lost, its bad passes among them.
    club.passesFailed = side.TotalTurnovers();
    club.blocks = side.TotalBlocks();
    FillClubFigures(stat, club);
}

void FillPlayerStat(CPlayerStat& stat, const CCourtPlayer& p, bool home) {
    PlayerMatchTotals t;
    t.seconds = p.secondsOnCourt;
    t.injured = p.injured > 0 && p.exhausted == 0; // worn out is not hurt
    t.points = 3 * p.threePointersMade + 2 * p.twoPointersMade + p.freeThrowsMade;
    t.home = home;
    const TwoPointSplit s = SplitTwos(p);
    t.closeShotsTaken = s.closeTaken;
    t.closeShotsMade = s.closeMade;
    t.twoPointersTaken = s.otherTaken;
    t.twoPointersMade = s.otherMade;
    t.threePointersTaken = p.threePointAttempts;
    t.threePointersMade = p.threePointersMade;
    t.freeThrowsTaken = p.freeThrowsAttempted;
    t.freeThrowsMade = p.freeThrowsMade;
    t.offensiveRebounds = p.offensiveRebounds;
    t.defensiveRebounds = p.defensiveRebounds;
    // Both foul counters hold his fouls, as the foul-out rule reads them; they are split here by
    // whether his side had the ball, as the flat court counts them.
    const int32_t fouls = std::max(0, p.foulsCharged + p.foulsBooked);
    t.attackFouls = std::clamp(p.foulsInAttack, 0, fouls);
    t.defenceFouls = fouls - t.attackFouls;
    t.steals = p.steals;
    t.passesFailed = p.turnovers;
    t.blocks = p.blocks;
    FillPlayerFigures(stat, t);
}

// One line per squad player found in the roster; a player the roster does not hold keeps his
// record as it was and gets none.
void FillSide(CTeam* club, const CMatchTeam& side, const CMatchTeam& other, bool home, SideMatchResult& out) {
    out.team = club;
    out.user = side.isUserTeam;
    FillMatchStat(out.figures, side, other.score);
    for (CPlayer* player : club->players) {
        if (!player)
            continue;
        int place = 0;
        const CCourtPlayer* courtPlayer = side.FindById(player->id, place);
        if (!courtPlayer)
            continue;
        PlayerMatchLine line;
        line.player = player;
        FillPlayerStat(line.figures, *courtPlayer, home);
        line.figures.Started() = player->words[kWordMatchState] == kOnCourt ? 1 : 0;
        out.players.push_back(line);
    }
}

// The day panel's report lines of one side, as the flat court gives them: the points by kind, the
// assists, and the rebounds, blocks and steals (always for the away side); and its hurt.
void ReportPlayers(CDayController& day, const CTeam* club, const CMatchTeam& side, bool home) {
    if (club == nullptr)
        return;
    for (const CPlayer* player : club->players) {
        int place = 0;
        const CCourtPlayer* p = player != nullptr ? side.FindById(player->id, place) : nullptr;
        if (p == nullptr)
            continue;
        auto report = [&](int kind, int value, bool always) {
            if (!always && value <= 0)
                return;
            MatchDayEntry entry;
            entry.playerName = player->name;
            entry.teamName = club->name;
            entry.kind = kind;
            entry.value = value;
            entry.owner = player;
            day.AddReportLine(entry);
        };
        report(kLineFreeThrow, p->freeThrowsMade, false);
        report(kLineThreePoint, 3 * p->threePointersMade, false);
        report(kLineTwoPoint, 2 * p->twoPointersMade, false);
        report(kLineAssist, p->assists, false);
        report(kLineRebound, p->offensiveRebounds + p->defensiveRebounds, !home);
        // The best defender is counted by his blocks in every engine; steals have their own list.
        report(kLineDefence, p->blocks, !home);
        report(kLineSteal, p->steals, !home);
        // A player hurt in the match is one of the day's incidents, as in the other fixtures.
        if (p->injured != 0 && p->exhausted == 0) {
            const int second = std::max(0, p->injuredAtSecond);
            day.AddIncident(MatchDayIncident{player->name, club->name, second / 60, second % 60});
        }
    }
}

} // namespace

void CMatch3DRecorder::SetMatchParams(CTeam* home, CTeam* away, int fixture, int year, int month, int day) {
    m_home = home;
    m_away = away;
    m_fixtureIndex = fixture;
    m_date = GameDate{year, month, day};
    m_recorded = false;
    m_fixture = nullptr;
}

CFixture* CMatch3DRecorder::FindFixture(const CCareerSession& session) const {
    if (m_fixtureIndex < 0 || !session.fixtureList)
        return nullptr;
    std::vector<CFixture*> today = session.fixtureList->GetFixturesOn(m_date.year, m_date.month, m_date.day);
    if (m_fixtureIndex >= static_cast<int>(today.size()))
        return nullptr;
    CFixture* fixture = today[static_cast<size_t>(m_fixtureIndex)];
    // The schedule names the world's record of the user's club: the clubs are compared by id.
    if (!fixture || !fixture->home || !fixture->away || fixture->home->id != m_home->id ||
        fixture->away->id != m_away->id)
        return nullptr;
    return fixture;
}

bool CMatch3DRecorder::RecordMatch(CCareerSession& session, const CMatchTeam& homeSide,
                                   const CMatchTeam& awaySide) {
    if (m_recorded || !m_home || !m_away)
        return false;
    m_recorded = true;
    m_fixture = FindFixture(session);
    const GameDate today = session.currentDate;

    MatchResult result;
    FillSide(m_home, homeSide, awaySide, true, result.home);
    FillSide(m_away, awaySide, homeSide, false, result.away);
    RecordMatchResult(result, today, m_fixture, MatchRecordTables{session.careerDB, session.worldDB});
    if (m_fixture) {
        m_fixture->year = m_date.year;
        m_fixture->month = m_date.month;
        m_fixture->day = m_date.day;
    }
    return true;
}

bool FinishMatch3D(const CScreenContext& ctx, CMatch3DRecorder& recorder, const CMatchTeam& homeSide,
                   const CMatchTeam& awaySide) {
    CCareerSession& session = ctx.Session();
    if (!recorder.RecordMatch(session, homeSide, awaySide))
        return false;
    session.matchMode = 0;
    if (CGameScreen* statistics = ctx.Screen(ScreenRole::Statistics))
        statistics->Refresh();
    auto* day = ctx.ScreenAs<CDayController>(ScreenRole::DayController);
    if (session.fixtureList && day) {
        // The match's lines join the day's other results: the day panel's leaders are built from
        // them when the match is finished.
        ReportPlayers(*day, recorder.Home(), homeSide, true);
        ReportPlayers(*day, recorder.Away(), awaySide, false);
        // On the season's last fixture day this judges the season once and locks the day buttons
        // until the results have been seen.
        day->OnUserMatchRecorded();
    }
    if (day && day->SeasonEndPending()) {
        ctx.Post(kFinishSource, ID_RESULTS, kMsgSwitchTo, kFinishSource, 0);
    } else {
        ctx.Post(kFinishSource, ID_STATISTICS_FRAME, kMsgSwitchTo, kFinishSource, 0);
        ctx.Post(kFinishSource, ID_STATISTICS, kMsgSwitchTo, kFinishSource, 0);
    }
    return true;
}
