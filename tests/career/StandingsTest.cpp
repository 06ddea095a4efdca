// Season standings on a fixture league with known results: the order the cup draws and the
// rollover rely on, the scope options, a level score, the season start and the player averages.
#include "career/Standings.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kLeague = 100005;
constexpr int kCup = 100004;
constexpr int kHome = 800100;
constexpr int kAbroad = 800200;
constexpr int kSeasonStart = 20070831;

CStr Texts(int id) {
    return CStr::Formatted("T%d", id);
}

// A world of leagues whose clubs are named; results are added as both clubs' match records.
struct FixtureWorld {
    CMemoryDB world;
    CMemoryDB career;

    CLeague* AddLeague(int id, int type) {
        auto* league = new CLeague();
        league->id = id;
        league->nameTextId = 810000 + id;
        league->type = type;
        world.leagues.Append(league);
        return league;
    }
    CTeam* AddTeam(CLeague* league, int id, const char* name, int country = kHome) {
        auto* team = new CTeam();
        team->id = id;
        team->leagueId = league->id;
        team->name = name;
        team->countryTextId = country;
        world.teams.Append(team);
        league->teams.push_back(team);
        return team;
    }
    // The user's club: the career's own record, with the world's copy left in the league.
    CTeam* MakeCareer(CLeague* league, int clubId) {
        const CTeam* worldClub = world.FindTeam(clubId);
        auto* club = new CTeam(worldClub->CopyFields());
        career.teams.Append(club);
        auto* careerLeague = new CLeague(*league);
        careerLeague->teams = {club};
        career.leagues.Append(careerLeague);
        return club;
    }
    static void AddRecord(CTeam* team, const CTeam* other, int own, int against, int date) {
        auto* stat = new CMatchStat();
        stat->Field(3) = team->id;
        stat->Field(4) = other->id;
        stat->Field(8) = date / 10000;
        stat->Field(7) = date / 100 % 100;
        stat->Field(6) = date % 100;
        stat->Field(9) = own;
        stat->Field(10) = against;
        team->matchStats.push_back(stat);
        owned.emplace_back(stat);
    }
    static void Result(CTeam* home, CTeam* away, int homeScore, int awayScore, int date = 20070915) {
        AddRecord(home, away, homeScore, awayScore, date);
        AddRecord(away, home, awayScore, homeScore, date);
    }

    CompetitionList Build(StandingsScope scope = {}) {
        CompetitionList list;
        StandingsContext ctx{Texts, kSeasonStart};
        EXPECT_TRUE(BuildAllCompetitions(ctx, &world, &career, scope, list));
        return list;
    }

    static inline std::vector<std::unique_ptr<CMatchStat>> owned;
};

std::vector<std::string> Names(const CompetitionStats& competition) {
    std::vector<std::string> names;
    for (const auto& row : competition.standings)
        names.push_back(row->name.Std());
    return names;
}

CPlayer* AddPlayer(CTeam* team, const char* name, int position = 80063) {
    auto* player = new CPlayer();
    player->name = name;
    player->words[kWordPosition] = position;
    player->words[kWordShirtNumber] = 7;
    team->players.push_back(player);
    return player;
}

// One game of a player: seconds, two-pointers, threes, free throws (attempted, made), dated.
CPlayerStat* AddGame(CPlayer* player, int seconds, int twoA, int twoM, int threeA, int threeM, int ftA,
                     int ftM, int date = 20070915) {
    auto* stat = new CPlayerStat();
    stat->Field(2) = date / 10000;
    stat->Field(3) = date / 100 % 100;
    stat->Field(4) = date % 100;
    stat->Field(5) = seconds;
    stat->Field(14) = twoA;
    stat->Field(15) = twoM;
    stat->Field(16) = threeA;
    stat->Field(17) = threeM;
    stat->Field(20) = ftA;
    stat->Field(21) = ftM;
    stat->Field(10) = 2 * twoM + 3 * threeM + ftM;
    player->stats.push_back(stat);
    return stat;
}

// The players and their records belong to the test, not to a table.
struct PlayerOwner {
    std::vector<std::unique_ptr<CPlayer>> players;
    std::vector<std::unique_ptr<CPlayerStat>> stats;
    void Own(CTeam* team) {
        for (CPlayer* player : team->players) {
            players.emplace_back(player);
            for (CPlayerStat* stat : player->stats)
                stats.emplace_back(stat);
        }
    }
};

} // namespace

TEST(Standings, BestTeamLastTeamsWithoutResultsInFrontByDescendingName) {
    FixtureWorld w;
    CLeague* league = w.AddLeague(3, kLeague);
    CTeam* a = w.AddTeam(league, 1, "Albury");
    CTeam* b = w.AddTeam(league, 2, "Bexley");
    CTeam* c = w.AddTeam(league, 3, "Carrow");
    w.AddTeam(league, 4, "Dunmore");
    w.AddTeam(league, 5, "Ashby");
    CTeam* f = w.AddTeam(league, 6, "Fenwick");
    w.MakeCareer(league, 6);
    // Albury 2-0, Bexley 1-1, Carrow 0-2; Dunmore, Ashby and the user's Fenwick have not played.
    FixtureWorld::Result(a, b, 80, 70);
    FixtureWorld::Result(a, c, 90, 60);
    FixtureWorld::Result(b, c, 75, 74);
    // The world's copy of the user's club plays no match that counts.
    FixtureWorld::Result(f, c, 99, 50);

    CompetitionList list = w.Build();
    ASSERT_EQ(list.size(), 1u);
    const CompetitionStats& table = *list[0];
    EXPECT_EQ(table.leagueId, 3);
    EXPECT_EQ(table.name, CStr("T810003"));
    EXPECT_EQ(Names(table),
              (std::vector<std::string>{"Fenwick", "Dunmore", "Ashby", "Carrow", "Bexley", "Albury"}));
    EXPECT_EQ(table.Best()->team, a);
    EXPECT_EQ(table.Best()->teamId, 1);
    EXPECT_EQ(FindCompetition(list, 3), &table);
    EXPECT_EQ(FindCompetition(list, 4), nullptr);
    // The row of the user's club is the career's record, which has no results yet.
    EXPECT_EQ(table.standings[0]->team, w.career.teams.At(0));
    EXPECT_EQ(table.standings[0]->hasResults, 0);

    const TeamStatRow& albury = *table.standings[5];
    EXPECT_EQ(albury.wins, 2);
    EXPECT_EQ(albury.losses, 0);
    EXPECT_EQ(albury.pointsFor, 170);
    EXPECT_EQ(albury.pointsAgainst, 130);
    EXPECT_EQ(albury.recordScore, 4);
    EXPECT_FLOAT_EQ(albury.winPercent, 100.0f);
    const TeamStatRow& carrow = *table.standings[3];
    EXPECT_EQ(carrow.games, 3); // its record of the game against the world's copy still counts for it
    EXPECT_EQ(carrow.losses, 3);
}

TEST(Standings, LevelScoreIsALossForBothAndCupGroupsRankByRecord) {
    FixtureWorld w;
    CLeague* group = w.AddLeague(0, kCup);
    CTeam* a = w.AddTeam(group, 1, "Aston");
    CTeam* b = w.AddTeam(group, 2, "Brent");
    CTeam* c = w.AddTeam(group, 3, "Crewe");
    w.MakeCareer(group, 3);
    FixtureWorld::Result(a, b, 70, 70);
    CTeam* club = w.career.teams.At(0);
    FixtureWorld::Result(club, a, 60, 50);
    FixtureWorld::Result(club, b, 60, 70);
    (void)c;

    CompetitionList list = w.Build();
    ASSERT_EQ(list.size(), 1u);
    const CompetitionStats& table = *list[0];
    const TeamStatRow* aston = nullptr;
    for (const auto& row : table.standings)
        if (row->teamId == 1)
            aston = row.get();
    ASSERT_NE(aston, nullptr);
    EXPECT_EQ(aston->wins, 0);
    EXPECT_EQ(aston->losses, 2);
    EXPECT_EQ(aston->recordScore, -4);
    // Brent 1-1 and Crewe 1-1 tie on the record in a cup group; Aston is last.
    EXPECT_EQ(table.standings[0]->teamId, 1);
    EXPECT_EQ(table.SortKey(*table.standings[1]), 0);
    EXPECT_EQ(table.SortKey(*table.standings[2]), 0);
}

// Two games against a club outside the table, each as (own score, opponent's score).
void TwoGames(CTeam* team, CTeam* other, int firstFor, int firstAgainst, int secondFor, int secondAgainst) {
    FixtureWorld::AddRecord(team, other, firstFor, firstAgainst, 20070915);
    FixtureWorld::AddRecord(team, other, secondFor, secondAgainst, 20070922);
}

std::vector<int> LevelMarks(const CompetitionStats& table) {
    std::vector<int> marks;
    for (const auto& row : table.standings)
        marks.push_back(row->level);
    return marks;
}

// The clubs' order in their league's list, for a failure message.
std::string ListedAs(const std::vector<int>& order, const char* const* names) {
    std::string listed;
    for (int k : order)
        listed += std::string(names[k]) + " ";
    return listed;
}

// Equal win shares are parted by the points difference, then by the points scored, in a league
// and in a cup group alike, whatever order the clubs are listed in.
TEST(Standings, EqualRecordsRankByPointsDifferenceThenPointsScored) {
    const char* names[] = {"Ashford", "Bramley", "Carden", "Denton", "Eston", "Filey"};
    const std::vector<std::string> expected{"Filey", "Ashford", "Carden", "Denton", "Bramley", "Eston"};
    for (int type : {kLeague, kCup}) {
        std::vector<int> order{0, 1, 2, 3, 4, 5};
        do {
            FixtureWorld w;
            CLeague* outside = w.AddLeague(9, kLeague + kCup); // the opponents' own table
            CTeam* rival = w.AddTeam(outside, 99, "Rival");
            CLeague* league = w.AddLeague(1, type);
            CTeam* clubs[6] = {};
            for (int k : order)
                clubs[k] = w.AddTeam(league, k + 1, names[k]);
            w.MakeCareer(league, 5);
            // Ashford -11, Bramley +20, Carden +3 scoring 145, Denton +3 scoring 160; Eston (the
            // user's club, as the career holds it) 2-0 and Filey 0-2.
            TwoGames(clubs[0], rival, 80, 70, 60, 81);
            TwoGames(clubs[1], rival, 90, 60, 70, 80);
            TwoGames(clubs[2], rival, 75, 70, 70, 72);
            TwoGames(clubs[3], rival, 100, 90, 60, 67);
            CTeam* user = w.career.teams.At(0);
            TwoGames(user, rival, 70, 60, 70, 60);
            TwoGames(clubs[5], rival, 60, 90, 60, 90);

            CompetitionList list = w.Build();
            const CompetitionStats* table = FindCompetition(list, 1);
            ASSERT_NE(table, nullptr);
            ASSERT_EQ(Names(*table), expected) << "type " << type << ", listed " << ListedAs(order, names);
            ASSERT_EQ(table->Best()->team, user);
            // Every tie was broken by a figure: nothing is marked level.
            ASSERT_FALSE(table->HasLevelRows());
        } while (std::next_permutation(order.begin(), order.end()));
    }
}

// Clubs level on the share, the difference and the points stand in name order, the first name
// higher, and are marked; a club level on the first two figures only is not.
TEST(Standings, ClubsLevelOnEveryFigureStandByNameAndAreMarked) {
    const char* names[] = {"Cobham", "Abbot", "Bexley", "Dorney", "Epsom"};
    std::vector<int> order{0, 1, 2, 3, 4};
    do {
        FixtureWorld w;
        CLeague* outside = w.AddLeague(9, kCup);
        CTeam* rival = w.AddTeam(outside, 99, "Rival");
        CLeague* league = w.AddLeague(1, kLeague);
        CTeam* clubs[5] = {};
        for (int k : order)
            clubs[k] = w.AddTeam(league, k + 1, names[k]);
        w.MakeCareer(league, 5);
        // Cobham, Abbot and Bexley: 80-70 and 70-80. Dorney: 95-80 and 60-75, level on the share
        // and the difference but with more points scored.
        for (int k = 0; k < 3; ++k)
            TwoGames(clubs[k], rival, 80, 70, 70, 80);
        TwoGames(clubs[3], rival, 95, 80, 60, 75);

        CompetitionList list = w.Build();
        const CompetitionStats& table = *FindCompetition(list, 1);
        const std::string listed = ListedAs(order, names);
        // Epsom (the user's club) has no result and stands in front.
        ASSERT_EQ(Names(table), (std::vector<std::string>{"Epsom", "Cobham", "Bexley", "Abbot", "Dorney"}))
            << listed;
        ASSERT_EQ(LevelMarks(table), (std::vector<int>{0, 1, 1, 1, 0})) << listed;
        ASSERT_TRUE(table.LevelOnFigures(*table.standings[1], *table.standings[3]));
        ASSERT_FALSE(table.LevelOnFigures(*table.standings[3], *table.standings[4]));
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(Standings, LeagueKeyIsTheWinPercentageInThousandthsTruncated) {
    FixtureWorld w;
    CLeague* league = w.AddLeague(1, kLeague);
    CTeam* a = w.AddTeam(league, 1, "Alpha");
    CTeam* b = w.AddTeam(league, 2, "Beta");
    CTeam* c = w.AddTeam(league, 3, "Gamma");
    w.MakeCareer(league, 3);
    FixtureWorld::Result(a, b, 80, 70);
    FixtureWorld::Result(a, b, 80, 70);
    FixtureWorld::Result(b, a, 80, 70);
    CompetitionList list = w.Build();
    const CompetitionStats& table = *list[0];
    const TeamStatRow& alpha = *table.standings.back();
    EXPECT_EQ(alpha.teamId, 1);
    EXPECT_NEAR(alpha.winPercent, 66.66667f, 1e-4);
    EXPECT_EQ(table.SortKey(alpha), 66666);
    EXPECT_EQ(table.SortKey(*table.standings[1]), 33333);
    (void)c;
}

TEST(Standings, OnlyRecordsFromTheSeasonStartCount) {
    FixtureWorld w;
    CLeague* league = w.AddLeague(1, kLeague);
    CTeam* a = w.AddTeam(league, 1, "Alpha");
    CTeam* b = w.AddTeam(league, 2, "Beta");
    w.MakeCareer(league, 2);
    FixtureWorld::Result(a, w.world.FindTeam(2), 80, 70, kSeasonStart - 1); // last season
    FixtureWorld::Result(a, w.world.FindTeam(2), 60, 70, kSeasonStart);     // the first day counts
    PlayerOwner owner;
    CPlayer* old = AddPlayer(a, "Veteran");
    AddGame(old, 600, 4, 2, 0, 0, 0, 0, 20070501);
    CPlayer* both = AddPlayer(a, "Regular");
    AddGame(both, 600, 10, 10, 0, 0, 0, 0, kSeasonStart - 1);
    AddGame(both, 600, 4, 1, 0, 0, 0, 0, kSeasonStart);
    owner.Own(a);
    (void)b;

    CompetitionList list = w.Build();
    const TeamStatRow* alpha = nullptr;
    for (const auto& row : list[0]->standings)
        if (row->teamId == 1)
            alpha = row.get();
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->games, 1);
    EXPECT_EQ(alpha->losses, 1);
    ASSERT_EQ(alpha->players.size(), 2u);
    const PlayerStatRow& regular = *alpha->players[0];
    EXPECT_EQ(regular.name, CStr("Regular"));
    EXPECT_EQ(regular.games, 1);
    EXPECT_FLOAT_EQ(regular.fieldGoalPercent, 25.0f);
    // Only last season's records: no averages, shown last among the players.
    const PlayerStatRow& veteran = *alpha->players[1];
    EXPECT_EQ(veteran.hasStats, 0);
    EXPECT_EQ(veteran.games, 0);
    EXPECT_FLOAT_EQ(veteran.points, 0.0f);
    EXPECT_FLOAT_EQ(veteran.fieldGoalPercent, 0.0f);
    EXPECT_EQ(veteran.fieldGoalText, CStr("0.00/0.00"));
    EXPECT_EQ(veteran.threeText, CStr("0.00/0.00"));
    EXPECT_EQ(veteran.freeThrowText, CStr("0.00/0.00"));
}

TEST(Standings, ScopeOptionsChooseLeaguesAndCountries) {
    FixtureWorld w;
    CLeague* first = w.AddLeague(0, kLeague);
    CLeague* second = w.AddLeague(1, kLeague);
    CLeague* foreign = w.AddLeague(2, kLeague);
    CLeague* cup = w.AddLeague(3, kCup);
    w.AddTeam(first, 1, "Home one");
    w.AddTeam(first, 2, "Away one", kAbroad);
    w.AddTeam(second, 3, "Home two");
    w.AddTeam(foreign, 4, "Abroad A", kAbroad);
    w.AddTeam(foreign, 5, "Abroad B", kAbroad);
    w.AddTeam(cup, 6, "Cup side");
    w.MakeCareer(second, 3);

    auto ids = [](const CompetitionList& list) {
        std::vector<int> out;
        for (const auto& c : list)
            out.push_back(c->leagueId);
        return out;
    };
    // Neither option: every league of the user's league type, in the world's order.
    CompetitionList all = w.Build();
    EXPECT_EQ(ids(all), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(all[0]->standings.size(), 2u);
    // League scope: the user's league alone.
    EXPECT_EQ(ids(w.Build({true, false})), (std::vector<int>{1}));
    // Country scope (which wins over league scope): clubs of the user's country; a league with
    // none of them gives no table.
    for (StandingsScope scope : {StandingsScope{false, true}, StandingsScope{true, true}}) {
        CompetitionList country = w.Build(scope);
        EXPECT_EQ(ids(country), (std::vector<int>{0, 1}));
        ASSERT_EQ(country[0]->standings.size(), 1u);
        EXPECT_EQ(country[0]->standings[0]->teamId, 1);
    }
}

TEST(Standings, NothingToBuildLeavesTheListAlone) {
    FixtureWorld w;
    CompetitionList list;
    list.push_back(std::make_unique<CompetitionStats>());
    StandingsContext ctx{Texts, kSeasonStart};
    EXPECT_FALSE(BuildAllCompetitions(ctx, &w.world, &w.career, {}, list));
    EXPECT_FALSE(BuildAllCompetitions(ctx, nullptr, &w.career, {}, list));
    EXPECT_EQ(list.size(), 1u);
    // A user league without a club gives no table.
    CLeague* league = w.AddLeague(0, kLeague);
    w.AddTeam(league, 1, "Alone");
    w.career.leagues.Append(new CLeague(*league));
    w.career.leagues.At(0)->teams.clear();
    EXPECT_TRUE(BuildAllCompetitions(ctx, &w.world, &w.career, {}, list));
    EXPECT_TRUE(list.empty());
}

TEST(Standings, PlayerAveragesPerGame) {
    FixtureWorld w;
    CLeague* league = w.AddLeague(0, kLeague);
    CTeam* a = w.AddTeam(league, 1, "Alpha");
    w.MakeCareer(league, 1);
    CTeam* club = w.career.teams.At(0);
    PlayerOwner owner;
    // Two games of 45 seconds: 45 seconds a game, shown 0.45 (not the display value 0.90 halved).
    CPlayer* sub = AddPlayer(club, "Sub", 80066);
    AddGame(sub, 45, 1, 1, 0, 0, 0, 0);
    AddGame(sub, 45, 1, 0, 0, 0, 0, 0);
    // A match on the bench leaves a record of nothing: it is no game and averages nothing.
    AddGame(sub, 0, 0, 0, 0, 0, 0, 0);
    // 125 seconds in one game show 2.05; threes count among the field goals; free throws apart.
    CPlayer* star = AddPlayer(club, "Star", 80067);
    CPlayerStat* game = AddGame(star, 125, 6, 3, 4, 1, 4, 3);
    game->Field(12) = 2; // dunks attempted and made count as field goals
    game->Field(13) = 1;
    game->Field(10) += 2;
    CPlayer* rookie = AddPlayer(club, "Rookie", 80099);
    AddGame(rookie, 0, 0, 0, 0, 0, 0, 0); // in the squad, never on court: no statistics
    CPlayer* ace = AddPlayer(club, "Ace", 80068);
    owner.Own(club);
    (void)a;
    (void)rookie;
    (void)ace;

    CompetitionList list = w.Build();
    const TeamStatRow& row = *list[0]->standings[0];
    ASSERT_EQ(row.team, club);
    ASSERT_EQ(row.players.size(), 4u);
    // Ranked ascending by field-goal percentage (Star 41.6 %, Sub 50 %), then the players without
    // statistics in descending name order.
    EXPECT_EQ(row.players[0]->name, CStr("Star"));
    EXPECT_EQ(row.players[1]->name, CStr("Sub"));
    EXPECT_EQ(row.players[2]->name, CStr("Rookie"));
    EXPECT_EQ(row.players[3]->name, CStr("Ace"));

    const PlayerStatRow& subRow = *row.players[1];
    EXPECT_EQ(subRow.games, 2);
    EXPECT_FLOAT_EQ(subRow.minutes, 0.45f);
    EXPECT_FLOAT_EQ(subRow.points, 1.0f);
    EXPECT_EQ(subRow.fieldGoalText, CStr("0.50/1.00"));
    EXPECT_FLOAT_EQ(subRow.fieldGoalPercent, 50.0f);
    EXPECT_EQ(subRow.position, CStr("T80066")); // PG, as the line-up says

    const PlayerStatRow& starRow = *row.players[0];
    EXPECT_NEAR(starRow.minutes, 2.05f, 1e-5);
    EXPECT_FLOAT_EQ(starRow.points, 2 * 3 + 3 * 1 + 3 + 2);
    EXPECT_EQ(starRow.fieldGoalText, CStr("5.00/12.00"));
    EXPECT_EQ(starRow.threeText, CStr("1.00/4.00"));
    EXPECT_FLOAT_EQ(starRow.threePercent, 25.0f);
    EXPECT_EQ(starRow.freeThrowText, CStr("3.00/4.00"));
    EXPECT_FLOAT_EQ(starRow.freeThrowPercent, 75.0f);
    EXPECT_EQ(starRow.position, CStr("T80067")); // SG, not the plain G of a guard
    EXPECT_EQ(starRow.teamName, CStr("Alpha"));
    EXPECT_EQ(starRow.number, 7);
    EXPECT_EQ(row.players[2]->position, CStr()); // an unknown position code has no text
    EXPECT_EQ(row.players[3]->position, CStr("T80068"));
}

TEST(Standings, MinutesShowSecondsAsHundredths) {
    EXPECT_FLOAT_EQ(MinutesDisplay(59), 0.59f);
    EXPECT_FLOAT_EQ(MinutesDisplay(60), 1.00f);
    EXPECT_FLOAT_EQ(MinutesDisplay(610), 10.10f);
    EXPECT_FLOAT_EQ(MinutesDisplay(2880), 48.00f);
    EXPECT_FLOAT_EQ(MinutesDisplay(0), 0.0f);
}

TEST(Standings, TeamsWithoutResultsSortFullyByNameEvenWithTwins) {
    FixtureWorld w;
    CLeague* league = w.AddLeague(0, kLeague);
    const char* names[] = {"Delta", "Bravo", "Delta", "Alpha", "Bravo", "Echo", "Alpha", "Charlie"};
    int id = 1;
    for (const char* name : names)
        w.AddTeam(league, id++, name);
    w.MakeCareer(league, 1);
    CompetitionList list = w.Build();
    EXPECT_EQ(Names(*list[0]), (std::vector<std::string>{"Echo", "Delta", "Delta", "Charlie", "Bravo",
                                                         "Bravo", "Alpha", "Alpha"}));
}

TEST(Standings, TeamRowReadsStadiumStaffAndClubFigures) {
    FixtureWorld w;
    CLeague* league = w.AddLeague(0, kLeague);
    CTeam* a = w.AddTeam(league, 1, "Alpha");
    CTeam* b = w.AddTeam(league, 2, "Beta");
    w.MakeCareer(league, 2);
    a->attendance = 4200;
    a->fanBase = 9000;
    CStadiumRecord stadium;
    stadium.name = "Alpha Arena";
    CStadiumWingRecord wings[2];
    wings[0].seats = 1500;
    wings[1].seats = 700;
    stadium.wings = {&wings[0], &wings[1]};
    a->stadium = &stadium;
    CStaffRecord coach, second, scout;
    coach.category = 80055;
    coach.name = "First coach";
    second.category = 80055;
    second.name = "Later coach";
    scout.category = 80060;
    scout.name = "Scout";
    a->staff = {&coach, &second, &scout};
    StandingsContext ctx{Texts, kSeasonStart};

    TeamStatRow row;
    row.Build(ctx, a);
    EXPECT_EQ(row.country, CStr("T800100"));
    EXPECT_EQ(row.stadiumName, CStr("Alpha Arena"));
    EXPECT_EQ(row.stadiumCapacity, 2200);
    EXPECT_EQ(row.infoValue1, 4200);
    EXPECT_EQ(row.infoValue2, 9000);
    EXPECT_EQ(row.staffNames[0], CStr("Later coach"));
    EXPECT_EQ(row.staffNames[5], CStr("Scout"));
    EXPECT_EQ(row.staffNames[1], CStr());

    TeamStatRow none;
    none.Build(ctx, b);
    EXPECT_EQ(none.stadiumName, CStr("T100009"));
    EXPECT_EQ(none.stadiumCapacity, 0);
}

TEST(Standings, SessionBuildUsesTheSeasonStartAndTheOptions) {
    CCareerSession session(Texts);
    EXPECT_TRUE(BuildSeasonStandings(session, Texts).empty()); // no career
    FixtureWorld w;
    CLeague* first = w.AddLeague(0, kLeague);
    CLeague* second = w.AddLeague(1, kLeague);
    CTeam* a = w.AddTeam(first, 1, "Alpha");
    CTeam* b = w.AddTeam(first, 2, "Beta");
    w.AddTeam(second, 3, "Gamma");
    w.MakeCareer(first, 1);
    CTeam* club = w.career.teams.At(0);
    FixtureWorld::Result(club, b, 70, 60, 20070920);
    FixtureWorld::Result(b, club, 70, 60, 20070910);

    delete session.worldDB;
    session.worldDB = new CMemoryDB();
    session.worldDB->Swap(w.world);
    session.careerDB = new CMemoryDB();
    session.careerDB->Swap(w.career);
    session.careerDB->profiles.Append(new CProfile());
    SeasonSpan& season = session.fixtureList->Season();
    season.startYear = 2007;
    season.startMonth = 9;
    season.startDay = 15;

    CompetitionList list = BuildSeasonStandings(session, Texts);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->Best()->team, club);
    EXPECT_EQ(list[0]->Best()->games, 1); // the match of 10 September was before the season
    session.options.enableLeagueSimulation = true;
    EXPECT_EQ(BuildSeasonStandings(session, Texts).size(), 1u);
    (void)a;
}

TEST(Standings, ExtremeStoredFiguresDoNotOverflowTheSums) {
    // Values a damaged file can hold: sums stay at the integer limit or in floating point.
    CMatchStat big;
    big.Field(9) = INT32_MAX;
    big.Field(10) = INT32_MIN;
    TeamStatRow team;
    team.AddResult(&big);
    team.AddResult(&big);
    EXPECT_EQ(team.pointsFor, INT32_MAX);
    EXPECT_EQ(team.pointsAgainst, INT32_MIN);
    CPlayerStat stat;
    for (int field : {12, 13, 14, 15, 16, 17})
        stat.Field(field) = INT32_MAX;
    PlayerStatRow row;
    row.AddMatchStat(&stat);
    EXPECT_FLOAT_EQ(row.fieldGoalsMade, 3.0f * static_cast<float>(INT32_MAX));
    EXPECT_FLOAT_EQ(row.fieldGoalsAttempted, 3.0f * static_cast<float>(INT32_MAX));
}
