// The tournaments' knockout rounds on the generated data sets: each round's leagues, clubs and
// fixed dates down to the final, the clubs that are out, tables too short to read, a round built
// twice, a career saved between rounds, and a tournament played out once the user's club is out.
#include "career/CupStages.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "career/SeasonEnd.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include "GameCopyTest.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <tuple>
#include <utility>

namespace {

enum class UserResult { Wins, Loses };

class CupStagesTest : public GameCopyTest {
protected:
    void SetUp() override {
        GameCopyTest::SetUp();
        GameSrand(5);
    }

    // A tournament career for the data set's first club.
    CCareerSession& Start(int32_t dataSet) {
        CMemoryDB data;
        EXPECT_TRUE(LoadWorldData(data, dataSet));
        EXPECT_TRUE(m_session->StartNewCareer(dataSet, data.teams.At(0)->id, "Cup"));
        return *m_session;
    }

    // Every fixture of the list gets a result: the user's club wins or loses as asked, otherwise
    // the club with the lower id wins. Each club gets its match record, as a played match leaves.
    void PlayRound(UserResult user) {
        CCareerSession& s = *m_session;
        const int32_t userId = s.UserClub()->id;
        for (int i = 0; i < s.fixtureList->Size(); ++i) {
            CFixture* f = s.fixtureList->At(i);
            bool homeWins = f->home->id < f->away->id;
            if (f->home->id == userId)
                homeWins = user == UserResult::Wins;
            if (f->away->id == userId)
                homeWins = user != UserResult::Wins;
            f->homeScore = homeWins ? 80 : 70;
            f->awayScore = homeWins ? 70 : 80;
            Record(f->home, *f, f->homeScore, f->awayScore);
            Record(f->away, *f, f->awayScore, f->homeScore);
        }
    }

    void Record(CTeam* team, const CFixture& f, int own, int other) {
        CCareerSession& s = *m_session;
        // The user's games count for the career's record of the club, as the match day keeps them.
        if (team->id == s.UserClub()->id)
            team = s.UserClub();
        auto* stat = new CMatchStat();
        stat->Field(3) = team->id;
        stat->Field(8) = f.year;
        stat->Field(7) = f.month;
        stat->Field(6) = f.day;
        stat->Field(9) = own;
        stat->Field(10) = other;
        team->matchStats.push_back(stat);
        (team == s.UserClub() ? s.careerDB : s.worldDB)->matchStats.Append(stat);
    }

    // Every fixture of the list gets the score `score` gives it (home first), with both clubs' records.
    void PlayRound(const std::function<std::pair<int, int>(const CFixture&)>& score) {
        for (int i = 0; i < m_session->fixtureList->Size(); ++i) {
            CFixture* f = m_session->fixtureList->At(i);
            std::tie(f->homeScore, f->awayScore) = score(*f);
            Record(f->home, *f, f->homeScore, f->awayScore);
            Record(f->away, *f, f->awayScore, f->homeScore);
        }
    }

    CupStageOutcome NextRound() { return BuildNextCupStage(*m_session, BuildStageStandings(*m_session, {})); }

    // The fixtures' dates as "m.d" with their count.
    std::vector<std::pair<GameDate, int>> DatesOfRound() const {
        std::vector<std::pair<GameDate, int>> dates;
        for (int i = 0; i < m_session->fixtureList->Size(); ++i) {
            const GameDate date = m_session->fixtureList->At(i)->Date();
            if (dates.empty() || !(dates.back().first == date))
                dates.emplace_back(date, 0);
            ++dates.back().second;
        }
        return dates;
    }

    // Every world club is in the league its field names, or in none with -1; each fixture's clubs
    // are in the fixture's league; the user's club and the career's league follow its world league.
    void ExpectConsistentRound(int leagues, int clubsPerLeague) {
        CCareerSession& s = *m_session;
        ASSERT_EQ(s.worldDB->leagues.Size(), leagues);
        std::set<int32_t> inLeagues;
        for (int row = 0; row < leagues; ++row) {
            const CLeague* league = s.worldDB->leagues.At(row);
            EXPECT_EQ(league->id, row);
            EXPECT_EQ(league->type, kCupLeagueType);
            EXPECT_EQ(league->teams.size(), static_cast<size_t>(clubsPerLeague));
            for (const CTeam* team : league->teams) {
                EXPECT_EQ(team->leagueId, row);
                EXPECT_TRUE(inLeagues.insert(team->id).second) << "club " << team->id << " twice";
            }
        }
        for (const CTeam* team : s.worldDB->teams) {
            if (!inLeagues.count(team->id)) {
                EXPECT_EQ(team->leagueId, -1) << team->name.GetText();
            }
        }
        for (int i = 0; i < s.fixtureList->Size(); ++i) {
            const CFixture* f = s.fixtureList->At(i);
            const CLeague* league = s.worldDB->FindLeague(f->leagueId);
            ASSERT_NE(league, nullptr);
            for (const CTeam* side : {f->home, f->away}) {
                bool found = false;
                for (const CTeam* team : league->teams)
                    found = found || team->id == side->id;
                EXPECT_TRUE(found) << side->name.GetText() << " plays outside its league";
            }
            EXPECT_EQ(f->homeScore, -1);
        }
        if (inLeagues.count(s.UserClub()->id)) {
            const CLeague* league = s.worldDB->FindLeague(s.UserClub()->leagueId);
            ASSERT_NE(league, nullptr);
            EXPECT_EQ(s.UserLeague()->id, league->id);
            EXPECT_EQ(s.UserLeague()->nameTextId, league->nameTextId);
            EXPECT_EQ(s.UserLeague()->type, kCupLeagueType);
        }
    }
};

// The team id at a place (1 the leader) of a table of the round just played.
int32_t Place(const CompetitionList& tables, int table, int place) {
    const CompetitionStats* found = FindCompetition(tables, table);
    if (!found || static_cast<int>(found->standings.size()) < place)
        return -1;
    return found->standings[found->standings.size() - static_cast<size_t>(place)]->teamId;
}

TEST_F(CupStagesTest, WorldCupRoundsFollowTheGroupsOnTheirDatesDownToTheFinal) {
    CCareerSession& s = Start(kDataSetWorldCup);
    ASSERT_EQ(s.fixtureList->LastDate(), (GameDate{2006, 8, 24}));
    const int progress = s.careerDB->profiles.At(0)->progress;
    PlayRound(UserResult::Wins);

    // Round 1: eight pairings, A1-B4 first, on 26 and 27 August.
    CompetitionList groups = BuildStageStandings(s, {});
    ASSERT_EQ(groups.size(), 4u);
    CupStageOutcome outcome = NextRound();
    ASSERT_TRUE(outcome.built);
    EXPECT_TRUE(outcome.userQualified);
    EXPECT_EQ(s.cupStage, 1);
    // Reaching a round is no title.
    EXPECT_EQ(s.careerDB->profiles.At(0)->progress, progress);
    ExpectConsistentRound(8, 2);
    EXPECT_EQ(s.worldDB->leagues.At(0)->nameTextId, 100174);
    EXPECT_EQ(s.worldDB->leagues.At(7)->nameTextId, kWorldCupEighthTieText);
    const CFixture* first = s.fixtureList->At(0);
    EXPECT_EQ(first->home->id, Place(groups, 0, 1));
    EXPECT_EQ(first->away->id, Place(groups, 1, 4));
    const CLeague* tie7 = s.worldDB->leagues.At(7);
    EXPECT_EQ(tie7->teams[0]->id, Place(groups, 2, 1));
    EXPECT_EQ(tie7->teams[1]->id, Place(groups, 3, 4));
    using Dates = std::vector<std::pair<GameDate, int>>;
    EXPECT_EQ(DatesOfRound(), (Dates{{{2006, 8, 26}, 4}, {{2006, 8, 27}, 4}}));
    // The standings of the next round count only its own games, from its first day.
    EXPECT_EQ(s.fixtureList->Season().startDay, 26);

    // Round 2: W3-W1 in the first quarter-final, on 29 and 30 August.
    PlayRound(UserResult::Wins);
    CompetitionList ties = BuildStageStandings(s, {});
    ASSERT_TRUE(NextRound().built);
    EXPECT_EQ(s.cupStage, 2);
    ExpectConsistentRound(4, 2);
    EXPECT_EQ(s.fixtureList->At(0)->home->id, Place(ties, 3, 1));
    EXPECT_EQ(s.fixtureList->At(0)->away->id, Place(ties, 1, 1));
    EXPECT_EQ(DatesOfRound(), (Dates{{{2006, 8, 29}, 2}, {{2006, 8, 30}, 2}}));

    PlayRound(UserResult::Wins);
    ASSERT_TRUE(NextRound().built);
    ExpectConsistentRound(2, 2);
    EXPECT_EQ(DatesOfRound(), (Dates{{{2006, 9, 1}, 2}}));

    PlayRound(UserResult::Wins);
    ASSERT_TRUE(NextRound().built);
    EXPECT_EQ(s.cupStage, kCupFinalStage);
    ExpectConsistentRound(1, 2);
    EXPECT_EQ(s.worldDB->leagues.At(0)->nameTextId, kCupFinalText);
    EXPECT_EQ(DatesOfRound(), (Dates{{{2006, 9, 3}, 1}}));
    EXPECT_EQ(s.careerDB->profiles.At(0)->progress, progress);
    EXPECT_EQ(TournamentChampion(s), nullptr);

    PlayRound(UserResult::Wins);
    EXPECT_EQ(TournamentChampion(s), s.UserClub());
    // Nothing follows the final.
    EXPECT_FALSE(NextRound().built);
    EXPECT_EQ(s.cupStage, kCupFinalStage);
}

TEST_F(CupStagesTest, EuroCupRoundsFromTwoLeaguesOfSixToTheFinal) {
    CCareerSession& s = Start(kDataSetEuroCup);
    PlayRound(UserResult::Wins);
    CompetitionList groups = BuildStageStandings(s, {});
    ASSERT_TRUE(NextRound().built);
    ExpectConsistentRound(2, 6);
    EXPECT_EQ(s.worldDB->leagues.At(0)->nameTextId, 100178);
    EXPECT_EQ(s.worldDB->leagues.At(1)->nameTextId, 100179);
    using Dates = std::vector<std::pair<GameDate, int>>;
    EXPECT_EQ(DatesOfRound(), (Dates{{{2007, 9, 7}, 3},
                                     {{2007, 9, 8}, 3},
                                     {{2007, 9, 9}, 3},
                                     {{2007, 9, 10}, 3},
                                     {{2007, 9, 11}, 3},
                                     {{2007, 9, 12}, 3}}));
    // Each of the first three of group A meets each of group B's once, and X meets Y likewise.
    for (int league = 0; league < 2; ++league) {
        std::set<std::pair<int32_t, int32_t>> met;
        std::set<int32_t> first, second;
        for (int place = 1; place <= 3; ++place) {
            first.insert(Place(groups, 2 * league, place));
            second.insert(Place(groups, 2 * league + 1, place));
        }
        for (const CFixture* f : s.fixtureList->Select(-1, league)) {
            const bool across = (first.count(f->home->id) && second.count(f->away->id)) ||
                                (second.count(f->home->id) && first.count(f->away->id));
            EXPECT_TRUE(across) << f->home->name.GetText() << " - " << f->away->name.GetText();
            met.insert(std::minmax(f->home->id, f->away->id));
        }
        EXPECT_EQ(met.size(), 9u);
    }

    PlayRound(UserResult::Wins);
    CompetitionList leagues = BuildStageStandings(s, {});
    ASSERT_TRUE(NextRound().built);
    ExpectConsistentRound(4, 2);
    EXPECT_EQ(s.fixtureList->At(0)->home->id, Place(leagues, 0, 1));
    EXPECT_EQ(s.fixtureList->At(0)->away->id, Place(leagues, 1, 4));
    EXPECT_EQ(DatesOfRound(), (Dates{{{2007, 9, 13}, 2}, {{2007, 9, 14}, 2}}));

    PlayRound(UserResult::Wins);
    ASSERT_TRUE(NextRound().built);
    ExpectConsistentRound(2, 2);
    EXPECT_EQ(DatesOfRound(), (Dates{{{2007, 9, 15}, 2}}));

    PlayRound(UserResult::Wins);
    ASSERT_TRUE(NextRound().built);
    ExpectConsistentRound(1, 2);
    EXPECT_EQ(DatesOfRound(), (Dates{{{2007, 9, 16}, 1}}));
    PlayRound(UserResult::Loses);
    const CTeam* champion = TournamentChampion(s);
    ASSERT_NE(champion, nullptr);
    EXPECT_NE(champion->id, s.UserClub()->id);
}

// The second round's last games are played the day before the quarter-finals: each knockout
// round's tables start empty and then count the one game of each tie.
TEST_F(CupStagesTest, EachEuroCupKnockoutTableCountsOnlyItsOwnGames) {
    CCareerSession& s = Start(kDataSetEuroCup);
    PlayRound(UserResult::Wins);
    ASSERT_TRUE(NextRound().built);
    PlayRound(UserResult::Wins);
    for (int round = 2; round <= kCupFinalStage; ++round) {
        ASSERT_TRUE(NextRound().built);
        for (const auto& table : BuildStageStandings(s, {}))
            for (const auto& row : table->standings)
                EXPECT_EQ(row->games, 0) << "round " << round << " " << row->name.GetText();
        PlayRound(UserResult::Wins);
        for (const auto& table : BuildStageStandings(s, {}))
            for (const auto& row : table->standings)
                EXPECT_EQ(row->games, 1) << "round " << round << " " << row->name.GetText();
    }
    EXPECT_EQ(TournamentChampion(s), s.UserClub());
}

// The manager's card: a group won or a round reached is no title and the age stays; the final won
// is one title, counted once however often its table is judged.
TEST_F(CupStagesTest, OnlyTheFinalWonIsATitleAndTheAgeStaysThroughTheTournament) {
    CCareerSession& s = Start(kDataSetEuroCup);
    const CProfile* profile = s.careerDB->profiles.At(0);
    const int titles = profile->progress;
    const int age = profile->managerNumber;
    auto judge = [&] {
        SeasonVerdict verdict = JudgeSeasonEnd(s, BuildStageStandings(s, {}));
        EXPECT_TRUE(verdict.champion) << "round " << s.cupStage;
    };
    PlayRound(UserResult::Wins);
    judge();
    EXPECT_EQ(profile->progress, titles);
    for (int round = 1; round <= kCupFinalStage; ++round) {
        ASSERT_TRUE(NextRound().built);
        PlayRound(UserResult::Wins);
        judge();
        judge();
        EXPECT_EQ(profile->progress, round < kCupFinalStage ? titles : titles + 1) << "round " << round;
    }
    EXPECT_EQ(TournamentChampion(s), s.UserClub());
    EXPECT_EQ(profile->managerNumber, age);
}

TEST_F(CupStagesTest, AClubKnockedOutIsInNoNewLeagueAndTheRestIsPlayedOutToAChampion) {
    CCareerSession& s = Start(kDataSetWorldCup);
    CTeam* user = s.UserClub();
    const int32_t groupId = user->leagueId;
    const int32_t groupName = s.UserLeague()->nameTextId;
    PlayRound(UserResult::Loses);
    CupStageOutcome outcome = NextRound();
    ASSERT_TRUE(outcome.built);
    EXPECT_FALSE(outcome.userQualified);
    ExpectConsistentRound(8, 2);
    for (const CLeague* league : s.worldDB->leagues)
        for (const CTeam* team : league->teams)
            EXPECT_NE(team->id, user->id);
    EXPECT_TRUE(s.fixtureList->Select(user->id, -1).empty());
    // The career keeps the group it went out in.
    EXPECT_EQ(user->leagueId, groupId);
    EXPECT_EQ(s.UserLeague()->id, groupId);
    EXPECT_EQ(s.UserLeague()->nameTextId, groupName);
    EXPECT_EQ(s.worldDB->FindTeam(user->id)->leagueId, -1);

    // The rounds still to come are played without it; the user's progress stays.
    const int progress = s.careerDB->profiles.At(0)->progress;
    const CTeam* champion = PlayOutTournament(s, {});
    ASSERT_NE(champion, nullptr);
    EXPECT_EQ(s.cupStage, kCupFinalStage);
    EXPECT_EQ(s.careerDB->profiles.At(0)->progress, progress);
    EXPECT_EQ(champion, TournamentChampion(s));
    EXPECT_EQ(s.fixtureList->LastDate(), (GameDate{2006, 9, 3}));
    // The final ranking covers the whole tournament again.
    EXPECT_EQ(s.fixtureList->Season().startMonth, 8);
    EXPECT_EQ(s.fixtureList->Season().startDay, 18);
    EXPECT_EQ(PlayOutTournament(s, {}), champion);
}

// Two clubs of a group on the same record: the points difference makes the group's winner, who
// takes the first place into the next round, and the user's club a point ahead in each win is no
// winner and earns no prize.
TEST_F(CupStagesTest, AGroupOnEqualRecordsIsWonOnPointsDifference) {
    CCareerSession& s = Start(kDataSetEuroCup);
    CTeam* user = s.UserClub();
    const int32_t group = user->leagueId;
    const CLeague* league = s.worldDB->FindLeague(group);
    ASSERT_NE(league, nullptr);
    // The rival wins every game by 30 but the one against the user's club; the user's club wins
    // each of its games by a point but the one against the spoiler, which loses all its others.
    std::vector<int32_t> others;
    for (const CTeam* team : league->teams)
        if (team->id != user->id)
            others.push_back(team->id);
    ASSERT_GE(others.size(), 3u);
    const int32_t rival = others[2];
    const int32_t spoiler = others[0];
    PlayRound([&](const CFixture& f) -> std::pair<int, int> {
        const int32_t home = f.home->id, away = f.away->id;
        auto homeWins = [&](bool wins, int by) {
            return wins ? std::make_pair(80 + by, 80) : std::make_pair(80, 80 + by);
        };
        if (f.leagueId != group)
            return homeWins(home < away, 10);
        if (home == user->id || away == user->id) {
            const int32_t other = home == user->id ? away : home;
            return homeWins((home == user->id) == (other != spoiler), 1);
        }
        if (home == rival || away == rival)
            return homeWins(home == rival, 30);
        if (home == spoiler || away == spoiler)
            return homeWins(away == spoiler, 10);
        return homeWins(home < away, 10);
    });

    const CompetitionList tables = BuildStageStandings(s, {});
    const CompetitionStats* table = FindCompetition(tables, group);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->SortKey(*table->standings.back()), table->SortKey(*table->standings.end()[-2]));
    EXPECT_EQ(Place(tables, group, 1), rival);
    EXPECT_EQ(Place(tables, group, 2), user->id);

    const int cash = user->cash;
    const SeasonVerdict verdict = JudgeSeasonEnd(s, tables);
    EXPECT_FALSE(verdict.champion);
    EXPECT_FALSE(verdict.prizePaid);
    EXPECT_EQ(verdict.position, 2);
    EXPECT_FALSE(verdict.knockedOut);
    EXPECT_EQ(user->cash, cash);

    // The next round's leagues take the group's winner into its first-place slot: A1, B1, X1, Y1.
    ASSERT_TRUE(BuildNextCupStage(s, tables).built);
    const CLeague* next = s.worldDB->FindLeague(group / 2);
    ASSERT_NE(next, nullptr);
    const size_t winnerSlot = static_cast<size_t>(group % 2) * 3;
    ASSERT_GT(next->teams.size(), winnerSlot + 1);
    EXPECT_EQ(next->teams[winnerSlot]->id, rival);
    EXPECT_EQ(next->teams[winnerSlot + 1]->id, user->id);
}

TEST_F(CupStagesTest, TablesTooShortOrMissingChangeNothingButTheStage) {
    CCareerSession& s = Start(kDataSetWorldCup);
    PlayRound(UserResult::Wins);
    const int progress = s.careerDB->profiles.At(0)->progress;
    const CLeague* group0 = s.worldDB->leagues.At(0);
    const int fixtures = s.fixtureList->Size();
    std::vector<int32_t> leagueIds;
    for (const CTeam* team : s.worldDB->teams)
        leagueIds.push_back(team->leagueId);

    auto expectUnchanged = [&] {
        EXPECT_EQ(s.worldDB->leagues.Size(), 4);
        EXPECT_EQ(s.worldDB->leagues.At(0), group0);
        EXPECT_EQ(s.worldDB->leagues.At(0)->teams.size(), 6u);
        EXPECT_EQ(s.fixtureList->Size(), fixtures);
        EXPECT_EQ(s.fixtureList->LastDate(), (GameDate{2006, 8, 24}));
        for (int i = 0; i < s.worldDB->teams.Size(); ++i)
            EXPECT_EQ(s.worldDB->teams.At(i)->leagueId, leagueIds[static_cast<size_t>(i)]);
    };

    // The world cup reads fourth places: a group table of three rows is too short.
    CompetitionList tables = BuildStageStandings(s, {});
    tables[2]->standings.erase(tables[2]->standings.begin(), tables[2]->standings.begin() + 3);
    EXPECT_FALSE(BuildCupStage(s, tables).built);
    EXPECT_EQ(s.cupStage, 1);
    EXPECT_EQ(s.careerDB->profiles.At(0)->progress, progress);
    expectUnchanged();

    tables = BuildStageStandings(s, {});
    tables.pop_back();
    EXPECT_FALSE(BuildCupStage(s, tables).built);
    expectUnchanged();
    EXPECT_FALSE(BuildCupStage(s, CompetitionList()).built);
    expectUnchanged();
}

TEST_F(CupStagesTest, EuroCupFirstRoundReadsThreePlacesAndItsSecondFour) {
    CCareerSession& s = Start(kDataSetEuroCup);
    PlayRound(UserResult::Wins);
    CompetitionList tables = BuildStageStandings(s, {});
    for (auto& table : tables)
        table->standings.erase(table->standings.begin());
    ASSERT_TRUE(BuildCupStage(s, tables).built);
    PlayRound(UserResult::Wins);
    tables = BuildStageStandings(s, {});
    tables[1]->standings.erase(tables[1]->standings.begin(), tables[1]->standings.begin() + 3);
    EXPECT_FALSE(BuildCupStage2(s, tables).built);
    EXPECT_EQ(s.cupStage, 2);
    EXPECT_EQ(s.worldDB->leagues.Size(), 2);
    EXPECT_EQ(s.fixtureList->Size(), 18);
}

TEST_F(CupStagesTest, ARoundBuiltTwiceReplacesItsLeaguesAndFixtures) {
    CCareerSession& s = Start(kDataSetWorldCup);
    PlayRound(UserResult::Wins);
    const CompetitionList tables = BuildStageStandings(s, {});
    ASSERT_TRUE(BuildCupStage(s, tables).built);
    ASSERT_TRUE(BuildCupStage(s, tables).built);
    ExpectConsistentRound(8, 2);
    EXPECT_EQ(s.fixtureList->Size(), 8);
}

TEST_F(CupStagesTest, ALeagueCareerHasNoRounds) {
    CMemoryDB data;
    ASSERT_TRUE(LoadWorldData(data, kDataSetLeague));
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, data.teams.At(0)->id, "League"));
    CCareerSession& s = *m_session;
    const int leagues = s.worldDB->leagues.Size();
    const int fixtures = s.fixtureList->Size();
    EXPECT_FALSE(NextRound().built);
    EXPECT_EQ(PlayOutTournament(s, {}), nullptr);
    EXPECT_EQ(s.cupStage, 0);
    EXPECT_EQ(s.worldDB->leagues.Size(), leagues);
    EXPECT_EQ(s.fixtureList->Size(), fixtures);
}

TEST_F(CupStagesTest, ACareerSavedBetweenRoundsLoadsWithTheRoundAsBuilt) {
    CCareerSession& s = Start(kDataSetWorldCup);
    PlayRound(UserResult::Wins);
    ASSERT_TRUE(NextRound().userQualified);
    const int32_t userLeague = s.UserLeague()->id;
    const int32_t userLeagueName = s.UserLeague()->nameTextId;
    s.currentDate = GameDate{2006, 8, 25};
    ASSERT_TRUE(s.SaveCurrentCareer());
    const int32_t profileId = s.careerDB->profiles.At(0)->id;

    s.LeaveCareer();
    ASSERT_TRUE(s.LoadSavedCareer(profileId));
    EXPECT_EQ(s.cupStage, 1);
    EXPECT_TRUE(s.tournamentMode);
    EXPECT_EQ(s.UserLeague()->id, userLeague);
    EXPECT_EQ(s.UserLeague()->nameTextId, userLeagueName);
    EXPECT_EQ(s.fixtureList->Size(), 8);
    EXPECT_EQ(s.fixtureList->Season().startDay, 26);
    // The clubs that are out come back in no league.
    ExpectConsistentRound(8, 2);
    PlayRound(UserResult::Wins);
    EXPECT_TRUE(NextRound().userQualified);
    ExpectConsistentRound(4, 2);
}

// The rounds the club played before this one are saved with the career: loaded again, the
// statistics still hold their tables, each counting its own round's games. A damaged line of the
// saved list is skipped, not taken for a round.
TEST_F(CupStagesTest, TheRoundsPlayedComeBackWithASavedCareer) {
    CCareerSession& s = Start(kDataSetWorldCup);
    PlayRound(UserResult::Wins);
    ASSERT_TRUE(NextRound().userQualified);
    PlayRound(UserResult::Wins);
    ASSERT_TRUE(NextRound().userQualified);
    ASSERT_EQ(s.playedRounds.size(), 2u) << "the groups and the second round";
    const std::string kept = PlayedRoundsText(s.playedRounds);
    auto listed = [&] {
        CompetitionList tables;
        AppendPlayedRoundTables(s, StandingsContext{{}, 0}, StandingsScope{}, tables);
        std::vector<std::pair<int32_t, int>> rows;
        for (const auto& table : tables)
            for (const auto& row : table->standings)
                if (row->teamId == s.UserClub()->id)
                    rows.emplace_back(table->name.Length(), row->games);
        return std::make_pair(tables.size(), rows);
    };
    const auto before = listed();
    EXPECT_EQ(before.first, 4u + 8u) << "four groups and eight second-round ties";
    ASSERT_EQ(before.second.size(), 2u);
    s.currentDate = GameDate{2006, 8, 29};
    ASSERT_TRUE(s.SaveCurrentCareer());
    const int32_t profileId = s.careerDB->profiles.At(0)->id;
    s.LeaveCareer();
    EXPECT_TRUE(s.playedRounds.empty());
    ASSERT_TRUE(s.LoadSavedCareer(profileId));
    EXPECT_EQ(PlayedRoundsText(s.playedRounds), kept);
    EXPECT_EQ(listed(), before);

    std::string damaged = kept;
    damaged.insert(0, "20060818 20060825 x 1 2\n20060818\n20060818 20060817 5 1\n\n");
    EXPECT_EQ(PlayedRoundsText(ParsePlayedRounds(damaged)), kept);
}

} // namespace

TEST(CupFinalRanking, FollowsHowFarEachClubWentNotItsRecord) {
    EXPECT_EQ(CupRoundOfDate(false, 20060825), 0);
    EXPECT_EQ(CupRoundOfDate(false, 20060826), 1);
    EXPECT_EQ(CupRoundOfDate(false, 20060830), 2);
    EXPECT_EQ(CupRoundOfDate(false, 20060901), 3);
    EXPECT_EQ(CupRoundOfDate(false, 20060903), 4);
    EXPECT_EQ(CupRoundOfDate(true, 20070912), 1);
    EXPECT_EQ(CupRoundOfDate(true, 20070916), 4);

    // World cup, in the record order a table of every club gives (best last): the runner-up won
    // the most games, the champion the fewest of those with results.
    struct Club {
        const char* name;
        int month, day; // the last match
    };
    const Club clubs[] = {{"Idle", 0, 0},       {"Champion", 9, 3}, {"SemiLoser", 9, 1},
                          {"GroupExit", 8, 24}, {"Quarter", 8, 30}, {"RunnerUp", 9, 3}};
    std::vector<std::unique_ptr<CTeam>> teams;
    std::vector<std::unique_ptr<CMatchStat>> stats;
    CompetitionStats table;
    for (int i = 0; i < 6; ++i) {
        auto team = std::make_unique<CTeam>();
        team->id = 100 + i;
        team->name = clubs[i].name;
        auto row = std::make_unique<TeamStatRow>();
        row->team = team.get();
        row->teamId = team->id;
        row->name = team->name;
        if (clubs[i].month > 0) {
            // An earlier group game and the last match, in any order.
            for (int day : {20, clubs[i].day}) {
                auto stat = std::make_unique<CMatchStat>();
                stat->Field(6) = day;
                stat->Field(7) = day == 20 ? 8 : clubs[i].month;
                stat->Field(8) = 2006;
                team->matchStats.push_back(stat.get());
                stats.push_back(std::move(stat));
            }
            row->hasResults = 1;
        }
        table.standings.push_back(std::move(row));
        teams.push_back(std::move(team));
    }
    RankByTournamentProgress(table, false, teams[1].get());
    const char* expected[] = {"Idle", "GroupExit", "Quarter", "SemiLoser", "RunnerUp", "Champion"};
    ASSERT_EQ(table.standings.size(), 6u);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_STREQ(table.standings[i]->name.GetText(), expected[i]) << i;
    // Every club has the same (empty) figures, but each went out in a round of its own: none is
    // level with another in this table.
    EXPECT_FALSE(table.HasLevelRows());
    // Without a champion (the final not played) the finalists stay in their record order, level.
    RankByTournamentProgress(table, false, nullptr);
    EXPECT_STREQ(table.Best()->name.GetText(), "Champion");
    for (const auto& row : table.standings)
        EXPECT_EQ(row->level, row->name == "Champion" || row->name == "RunnerUp" ? 1 : 0) << row->name.Std();
}
