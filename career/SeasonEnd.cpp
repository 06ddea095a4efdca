// The season-end verdict and the round list of a tournament the user's club has left.
#include "career/SeasonEnd.h"

#include "career/CareerSession.h"
#include "career/CupStages.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "engine/Log.h"

#include <algorithm>
#include <climits>
#include <cstdint>

bool IsOutOfTournament(int cupStage, bool euroCup, int position) {
    // Places that go through, by stage: EuroCup 3, 4, 1, 1; World cup 4, 1, 1, 1.
    static constexpr int kEuroCupLimit[4] = {3, 4, 1, 1};
    static constexpr int kWorldCupLimit[4] = {4, 1, 1, 1};
    if (cupStage < 0 || cupStage > 3 || position <= 0)
        return false;
    const int limit = euroCup ? kEuroCupLimit[cupStage] : kWorldCupLimit[cupStage];
    return position > limit;
}

SeasonVerdict JudgeSeasonEnd(CCareerSession& session, const CompetitionList& standings) {
    SeasonVerdict verdict;
    CMemoryDB* career = session.careerDB;
    if (!career || career->leagues.IsEmpty())
        return verdict;
    CProfile* profile = career->profiles.At(0);
    CTeam* club = career->teams.At(0);
    const CLeague* league = career->leagues.At(0);
    const int seasonEndYear = session.fixtureList ? session.fixtureList->Season().endYear : 0;
    const int32_t profileId = profile ? profile->id : -1;
    // The last match day is judged once; later calls on the same day repeat the verdict only.
    const bool firstTime =
        session.judgedProfileId != profileId || session.judgedSeasonEndYear != seasonEndYear;
    // A tournament's rounds share its season: each round's table is judged once for the titles.
    const bool tournament = session.tournamentMode != 0;
    const int32_t stage = tournament ? session.cupStage.load() : 0;
    const bool stageFirstTime = firstTime || session.judgedCupStage != stage;
    session.judgedProfileId = profileId;
    session.judgedSeasonEndYear = seasonEndYear;
    session.judgedCupStage = stage;

    const CompetitionStats* group = FindCompetition(standings, league->id);
    if (!club || !group || group->standings.empty())
        return verdict;
    verdict.judged = true;
    const auto& rows = group->standings;
    const int count = static_cast<int>(rows.size());
    for (int i = count - 1; i >= 0; --i) {
        if (rows[static_cast<size_t>(i)]->teamId == club->id) {
            verdict.position = count - i;
            break;
        }
    }
    if (rows.back()->teamId == club->id) {
        verdict.champion = true;
        // A title is a league won or a tournament's final won; a tournament group or round won
        // only takes the club on. The manager's age rises with the new season, not here.
        if (stageFirstTime && profile && (!tournament || stage >= kCupFinalStage))
            ++profile->progress;
        if (firstTime) {
            // The prize is money like any other: booked, so the books add up to the cash.
            club->cash = static_cast<int32_t>(
                std::clamp<int64_t>(static_cast<int64_t>(club->cash) + kChampionPrize, INT32_MIN, INT32_MAX));
            club->money11 = static_cast<int32_t>(std::clamp<int64_t>(
                static_cast<int64_t>(club->money11) + kChampionPrize, INT32_MIN, INT32_MAX));
            if (session.ledger)
                session.ledger->BookEntry(MiscEventData{}, kLedgerMisc, session.currentDate, kScopeDay,
                                          kIncome, CStr(), kChampionPrize);
            verdict.prizePaid = true;
        }
    } else if (rows.front()->teamId == club->id) {
        verdict.bottom = true;
        session.careerOver = 1;
        session.tournamentExit = 1;
    }
    // In a tournament the places below the qualifying ones are out too; the bottom row was judged
    // above already.
    if (session.tournamentMode && verdict.position > 0 && verdict.position < count &&
        IsOutOfTournament(session.cupStage, session.euroCup != 0, verdict.position)) {
        verdict.knockedOut = true;
        session.tournamentExit = 1;
    }
    if (verdict.bottom && session.tournamentMode)
        verdict.knockedOut = true;
    return verdict;
}

bool ReplaceLeaguesWithRoundList(CCareerSession& session) {
    CMemoryDB* world = session.worldDB;
    CMemoryDB* career = session.careerDB;
    if (!world || !career || world->teams.IsEmpty() || career->teams.IsEmpty() || career->leagues.IsEmpty())
        return false;
    // The last round the club played stays to be seen beside the ranking.
    KeepPlayedRound(session);
    world->leagues.Clear();
    auto* roundList = new CLeague();
    roundList->id = 0;
    roundList->type = kCupLeagueType;
    roundList->nameTextId = session.euroCup ? kEuroCupRoundListText : kWorldCupRoundListText;
    roundList->classNumber = 0;
    for (CTeam* team : world->teams) {
        team->leagueId = 0;
        roundList->teams.push_back(team);
    }
    world->leagues.Append(roundList);

    CLeague* userLeague = career->leagues.At(0);
    std::vector<CTeam*> userTeams = std::move(userLeague->teams);
    *userLeague = *roundList;
    userLeague->teams = std::move(userTeams);
    for (CTeam* team : career->teams)
        team->leagueId = 0;
    // The fixtures name their league by id: they follow it into the one table.
    if (session.fixtureList) {
        const CStr name = session.fixtureList->LeagueName(*roundList);
        for (int i = 0; i < session.fixtureList->Size(); ++i) {
            CFixture* fixture = session.fixtureList->At(i);
            fixture->leagueId = 0;
            fixture->leagueName = name;
        }
        QuorelLog("[ReplaceLeaguesWithRoundList] the rounds give way to one table: %s", name.GetText());
    }
    return true;
}
