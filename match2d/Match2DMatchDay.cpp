#include "match2d/Match2DMatchDay.h"

#include "database/Records.h"
#include "engine/Log.h"
#include "match2d/Match2D.h"

#include <memory>

namespace {

std::unique_ptr<CMatch2D> g_match2DOwner;
bool g_match2DTacticsRead = false;

int Points(const CMatch2DPlayer& p) {
    return 3 * p.Counter(kStatThreesMade) + 2 * p.Counter(kStatFieldGoalsMade) +
           p.Counter(kStatFreeThrowsMade);
}

void FillSide(const CMatch2DTeam& own, const CMatch2DTeam& other, CTeam* team, bool home,
              SideMatchResult& out) {
    out.team = team;
    out.user = own.userTeam != 0;
    ClubMatchTotals club;
    club.score = own.score;
    club.opponentScore = other.score;
    int dunksMade = 0, dunksTaken = 0;
    own.GetDunkTotals(dunksMade, dunksTaken);
    // Dunks are the close shots and the other two-pointers the mid-range ones, as the quick
    // results and every statistics screen count them (so no basket is counted twice).
    club.closeShotsTaken = dunksTaken;
    club.closeShotsMade = dunksMade;
    club.twoPointersTaken = own.SumFieldGoalsTaken() - dunksTaken;
    club.twoPointersMade = own.SumFieldGoalsMade() - dunksMade;
    club.threePointersTaken = own.SumThreePointersTaken();
    club.threePointersMade = own.SumThreePointersMade();
    own.GetFreeThrowTotals(club.freeThrowsMade, club.freeThrowsTaken);
    club.offensiveRebounds = own.SumOffensiveRebounds();
    club.defensiveRebounds = own.SumDefensiveRebounds();
    club.steals = own.SumSteals();
    club.passesFailed = own.BookedTurnovers();
    club.blocks = own.SumBlocks();
    FillClubFigures(out.figures, club);

    // One line per squad player who was in the match; the others keep their records as they are.
    for (CPlayer* player : team->players) {
        int index = 0;
        const CMatch2DPlayer* found = player != nullptr ? own.FindById(player->id, index) : nullptr;
        if (found == nullptr)
            continue;
        const CMatch2DPlayer& p = *found;
        PlayerMatchLine line;
        line.player = player;
        PlayerMatchTotals t;
        t.seconds = p.secondsOnCourt;
        t.injured = p.hurt != 0;
        t.points = Points(p);
        t.home = home;
        t.closeShotsTaken = p.Counter(kStatDunksTaken);
        t.closeShotsMade = p.Counter(kStatDunksMade);
        t.twoPointersTaken = p.Counter(kStatFieldGoalsTaken) - t.closeShotsTaken;
        t.twoPointersMade = p.Counter(kStatFieldGoalsMade) - t.closeShotsMade;
        t.threePointersTaken = p.Counter(kStatThreesTaken);
        t.threePointersMade = p.Counter(kStatThreesMade);
        t.freeThrowsTaken = p.Counter(kStatFreeThrowsTaken);
        t.freeThrowsMade = p.Counter(kStatFreeThrowsMade);
        t.offensiveRebounds = p.Counter(kStatOffensiveRebounds);
        t.defensiveRebounds = p.Counter(kStatDefensiveRebounds);
        t.attackFouls = p.attackFouls;
        t.defenceFouls = p.defenceFouls;
        t.steals = p.Counter(kStatSteals);
        t.passesFailed = p.Counter(kStatPassesFailed);
        t.blocks = p.Counter(kStatBlocks);
        FillPlayerFigures(line.figures, t);
        line.figures.Started() = player->words[kWordMatchState] == kOnCourt ? 1 : 0;
        // A computer club leaves the match with the line-up its substitutions made; the user's
        // starting five is his choice on the line-up screen and carries over unchanged.
        if (!own.userTeam)
            line.lineupAfter = p.MatchState() == kOnBenchState ? kOnBenchState : kOnCourtState;
        out.players.push_back(line);
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

MatchResult Match2DResult(const CMatch2D& match, CTeam* home, CTeam* away) {
    MatchResult result;
    if (match.GetHomeTeam() == nullptr || match.GetAwayTeam() == nullptr || home == nullptr ||
        away == nullptr)
        return result;
    FillSide(*match.GetHomeTeam(), *match.GetAwayTeam(), home, true, result.home);
    FillSide(*match.GetAwayTeam(), *match.GetHomeTeam(), away, false, result.away);
    return result;
}

UserMatchOutcome PlayUserMatch2D(CMatch2D& match, const UserMatchSetup& setup, bool matchCentreShown) {
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
    outcome.result = Match2DResult(match, setup.home, setup.away);
    return outcome;
}
