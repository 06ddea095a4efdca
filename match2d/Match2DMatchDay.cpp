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
    CMatchStat& stat = out.figures;
    stat.Score() = own.score;
    stat.OpponentScore() = other.score;
    int dunksMade = 0, dunksTaken = 0;
    own.GetDunkTotals(dunksMade, dunksTaken);
    // Dunks are the close shots and the other two-pointers the mid-range ones, as the quick
    // results and every statistics screen count them (so no basket is counted twice).
    stat.Field(11) = dunksTaken;
    stat.Field(12) = dunksMade;
    stat.Field(13) = own.SumFieldGoalsTaken() - dunksTaken;
    stat.Field(14) = own.SumFieldGoalsMade() - dunksMade;
    stat.Field(15) = own.SumThreePointersTaken();
    stat.Field(16) = own.SumThreePointersMade();
    int freeMade = 0, freeTaken = 0;
    own.GetFreeThrowTotals(freeMade, freeTaken);
    stat.Field(17) = freeTaken;
    stat.Field(18) = freeMade;
    stat.Field(19) = own.SumOffensiveRebounds();
    stat.Field(20) = own.SumDefensiveRebounds();
    stat.Field(24) = own.SumSteals();
    int completed = 0, failed = 0;
    own.GetPassTotals(completed, failed);
    stat.Field(25) = failed;
    stat.Field(26) = own.SumCounter362();

    // One line per squad player who was in the match; the others keep their records as they are.
    for (CPlayer* player : team->players) {
        int index = 0;
        const CMatch2DPlayer* found = player != nullptr ? own.FindById(player->id, index) : nullptr;
        if (found == nullptr)
            continue;
        const CMatch2DPlayer& p = *found;
        PlayerMatchLine line;
        line.player = player;
        CPlayerStat& f = line.figures;
        f.SecondsPlayed() = p.ticksOnCourt * 3 / 100; // 0.03 s a tick
        f.Started() = player->words[kWordMatchState] == kOnCourt ? 1 : 0;
        f.Injured() = p.mustLeave != 0 ? 1 : 0;
        f.Points() = Points(p);
        f.Field(11) = home ? 1 : 0;
        const int playerDunksTaken = p.Counter(kStatDunksTaken), playerDunksMade = p.Counter(kStatDunksMade);
        f.Field(12) = playerDunksTaken;
        f.Field(13) = playerDunksMade;
        f.Field(14) = p.Counter(kStatFieldGoalsTaken) - playerDunksTaken;
        f.Field(15) = p.Counter(kStatFieldGoalsMade) - playerDunksMade;
        f.Field(16) = p.Counter(kStatThreesTaken);
        f.Field(17) = p.Counter(kStatThreesMade);
        f.Field(18) = p.Counter(kStatFreeThrowsTaken);
        f.Field(19) = p.Counter(kStatFreeThrowsMade);
        f.Field(20) = p.Counter(kStatFreeThrowsTaken);
        f.Field(21) = p.Counter(kStatFreeThrowsMade);
        f.Field(22) = p.Counter(kStatOffensiveRebounds);
        f.Field(23) = p.Counter(kStatDefensiveRebounds);
        f.AttackFouls() = p.attackFouls;
        f.DefenceFouls() = p.defenceFouls;
        f.Field(26) = p.Fouls();
        f.Field(27) = p.Counter(kStatSteals);
        f.Field(28) = p.Counter(kStatPassesFailed);
        f.Field(29) = p.Counter(kStatUnused);
        f.Field(30) = p.Counter(kStatOffensiveRebounds) + p.Counter(kStatDefensiveRebounds);
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
