#include "match2d/Match2DMatchDay.h"

#include "database/Records.h"
#include "engine/Log.h"
#include "match2d/Match2D.h"

#include <memory>

namespace {

std::unique_ptr<CMatch2D> g_match2DOwner;
bool g_match2DTacticsRead = false;

void RecordSide(const CMatch2DTeam& side, const CMatch2DTeam& other, CTeam* team, const CTeam* opponent,
                int sideIndex, const Match2DRecords& records) {
    if (records.matchStats != nullptr) {
        auto* stat = new CMatchStat();
        stat->Field(1) = records.date.year;
        stat->Field(3) = team->id;
        stat->Field(4) = opponent->id;
        stat->Field(5) = sideIndex;
        stat->Field(6) = records.date.day;
        stat->Field(7) = records.date.month;
        stat->Field(8) = records.date.year;
        stat->Field(9) = side.score;
        stat->Field(10) = other.score;
        int dunksMade = 0;
        int dunksTaken = 0;
        side.GetDunkTotals(dunksMade, dunksTaken);
        // Dunks are the close shots; the other two-pointers the mid-range ones.
        stat->Field(11) = dunksTaken;
        stat->Field(12) = dunksMade;
        stat->Field(13) = side.SumFieldGoalsTaken() - dunksTaken;
        stat->Field(14) = side.SumFieldGoalsMade() - dunksMade;
        stat->Field(15) = side.SumThreePointersTaken();
        stat->Field(16) = side.SumThreePointersMade();
        stat->Field(17) = side.SumFreeThrowsTaken();
        stat->Field(18) = side.SumFreeThrowsMade();
        records.matchStats->Append(stat);
        team->matchStats.push_back(stat);
    }
    if (records.playerStats == nullptr) {
        return;
    }
    for (CPlayer* player : team->players) {
        int index = 0;
        const CMatch2DPlayer* p = player != nullptr ? side.FindById(player->id, index) : nullptr;
        if (p == nullptr) {
            continue;
        }
        auto* stat = new CPlayerStat();
        stat->Field(1) = player->id;
        stat->Field(2) = records.date.year;
        stat->Field(3) = records.date.month;
        stat->Field(4) = records.date.day;
        stat->Field(6) = player->words[kWordMatchState] == kOnCourt ? 1 : 0;
        stat->Field(11) = sideIndex;
        const int twoMade = p->Counter(kStatFieldGoalsMade) - p->Counter(kStatDunksMade);
        const int twoTaken = p->Counter(kStatFieldGoalsTaken) - p->Counter(kStatDunksTaken);
        stat->Field(10) = 2 * p->Counter(kStatFieldGoalsMade) + 3 * p->Counter(kStatThreesMade) +
                          p->Counter(kStatFreeThrowsMade);
        stat->Field(12) = p->Counter(kStatDunksTaken);
        stat->Field(13) = p->Counter(kStatDunksMade);
        stat->Field(14) = twoTaken;
        stat->Field(15) = twoMade;
        stat->Field(16) = p->Counter(kStatThreesTaken);
        stat->Field(17) = p->Counter(kStatThreesMade);
        stat->Field(20) = p->Counter(kStatFreeThrowsTaken);
        stat->Field(21) = p->Counter(kStatFreeThrowsMade);
        stat->Field(27) = p->Counter(kStatSteals);
        stat->Field(30) = p->Counter(kStatOffensiveRebounds) + p->Counter(kStatDefensiveRebounds);
        records.playerStats->Append(stat);
        player->stats.push_back(stat);
    }
}

} // namespace

CMatch2D& TheMatch2D() {
    if (g_pMatch2D == nullptr) {
        g_match2DOwner = std::make_unique<CMatch2D>();
        g_pMatch2D = g_match2DOwner.get();
    }
    return *g_pMatch2D;
}

void LoadMatch2DTactics() {
    if (!g_match2DTacticsRead) {
        g_match2DTacticsRead = TheMatch2D().LoadTactics("\\ini\\InitData.xml");
    }
}

void RecordMatch2DStatistics(const CMatch2D& match, CTeam* home, CTeam* away, const Match2DRecords& records) {
    if (match.GetHomeTeam() == nullptr || match.GetAwayTeam() == nullptr || home == nullptr ||
        away == nullptr) {
        return;
    }
    RecordSide(*match.GetHomeTeam(), *match.GetAwayTeam(), home, away, 0, records);
    RecordSide(*match.GetAwayTeam(), *match.GetHomeTeam(), away, home, 1, records);
}

UserMatchOutcome PlayUserMatch2D(CMatch2D& match, const UserMatchSetup& setup, bool matchCentreShown,
                                 const Match2DRecords& records) {
    UserMatchOutcome outcome;
    if (setup.view == UserMatchView::Scene3D || setup.home == nullptr || setup.away == nullptr) {
        return outcome;
    }
    if (setup.view == UserMatchView::MatchCentre && matchCentreShown) {
        return outcome; // the match-centre screen's own seam, not built yet
    }
    if (setup.view == UserMatchView::MatchCentre) {
        QuorelLog("[PlayUserMatch2D] No match-centre screen: %s - %s is played at once",
                  setup.home->name.GetText(), setup.away->name.GetText());
    }
    match.tournament = setup.tournament ? 1 : 0;
    const InstantMatchResult result =
        RunInstantMatch(match, setup.home, setup.away, setup.userAtHome, setup.userAttack, setup.userDefence);
    outcome.finished = result.finished;
    if (!result.finished) {
        return outcome;
    }
    outcome.homeScore = result.homeScore;
    outcome.awayScore = result.awayScore;
    RecordMatch2DStatistics(match, setup.home, setup.away, records);
    return outcome;
}
