// One player's figures as every screen that shows them: the statistics screen, the training card,
// the player comparison and the line-up's last matches count the same games and the same shots
// (dunks among the two-pointers, a match on the bench as no game), and the player window and the
// line-up card show the same attribute under the same name.
#include "career/FixtureList.h"
#include "career/QuickResult.h"
#include "career/Standings.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"
#include "gui/Element.h"
#include "gui/Grid.h"
#include "guidefines.h"
#include "screens/club/TrainingScreen.h"
#include "screens/info/PlayerInfoWindow.h"
#include "screens/info/StatisticsScreen.h"
#include "screens/info/StatsCompareScreen.h"
#include "screens/match/LineupScreen.h"
#include "screens/stadium/ClubOverviewScreen.h"
#include "screens/stadium/TransferScreen.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Cell(const CGuiElement* grid, int column, int row) {
    const GuiGridCell* cell = grid ? const_cast<CGuiElement*>(grid)->FindCell(column, row) : nullptr;
    return cell ? cell->text.Std() : std::string("<none>");
}

int RowOf(const CGuiElement* grid, int column, const CStr& text) {
    for (int row = 0; grid && row < grid->GetRowCount(); ++row)
        if (Cell(grid, column, row) == text.Std())
            return row;
    return -1;
}

// The label and value rows of a two-column grid.
std::map<std::string, std::string> Labelled(const CGuiElement* grid) {
    std::map<std::string, std::string> rows;
    for (int row = 0; grid && row < grid->GetRowCount(); ++row)
        if (!Cell(grid, 0, row).empty())
            rows[Cell(grid, 0, row)] = Cell(grid, 1, row);
    return rows;
}

struct Shots {
    int seconds, points, dunksTried, dunksMade, twosTried, twosMade, threesTried, threesMade, freeTried,
        freeMade;
};

struct FiguresAgree : ::testing::Test {
    ScreenKit kit;
    std::unique_ptr<CScreenContext> ctx;
    CPlayer* player = nullptr;
    std::vector<std::unique_ptr<CPlayerStat>> records;

    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        CMemoryDB world;
        ASSERT_TRUE(LoadWorldData(world, DataSet())) << "the generated data set is missing";
        ASSERT_TRUE(kit.session.StartNewCareer(DataSet(), world.teams.At(2)->id, CStr("Tester")));
        ctx = std::make_unique<CScreenContext>(kit.MakeContext());
        player = kit.session.UserClub()->players.at(0);
        player->stats.clear();
        // Three matches in October, the middle one on the bench: two games. 7 of 13 field goals
        // with the dunks, 2 of 3 free throws, 16 points.
        Add(3, {1200, 12, 2, 1, 6, 3, 3, 1, 2, 1});
        Add(6, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        Add(10, {600, 4, 0, 0, 2, 2, 0, 0, 1, 1});
    }
    // The player grid's row of the user's club's player on the statistics screen.
    int StatisticsRow(CStatisticsScreen& statistics) {
        statistics.Refresh();
        CGuiElement* standings = kit.stack.FindElement(ID_ST_STANDINGS);
        const int clubRow = RowOf(standings, 1, kit.session.UserClub()->name);
        if (clubRow < 0)
            return -1;
        standings->SetSelectedRow(clubRow);
        GuiMessage pick{ID_ST_STANDINGS, -1, kMsgSelection, clubRow, 0, 0};
        statistics.OnMessage(pick);
        return RowOf(kit.stack.FindElement(ID_ST_PLAYERS), 1, player->name);
    }
    virtual int DataSet() const { return kDataSetLeague; }
    void TearDown() override {
        if (player)
            player->stats.clear();
    }
    void Add(int day, const Shots& s) {
        auto record = std::make_unique<CPlayerStat>();
        record->SetDate(2007, 10, day);
        record->Field(5) = s.seconds;
        record->Field(10) = s.points;
        record->Field(12) = s.dunksTried;
        record->Field(13) = s.dunksMade;
        record->Field(14) = s.twosTried;
        record->Field(15) = s.twosMade;
        record->Field(16) = s.threesTried;
        record->Field(17) = s.threesMade;
        record->Field(20) = s.freeTried;
        record->Field(21) = s.freeMade;
        player->stats.push_back(record.get());
        records.push_back(std::move(record));
    }
};

} // namespace

TEST_F(FiguresAgree, GamesPointsAndShootingOnEveryScreen) {
    // The statistics screen: the club's player grid.
    CStatisticsScreen statistics(*ctx);
    const int row = StatisticsRow(statistics);
    ASSERT_GE(row, 0) << "the player is not in the club's player grid";
    const CGuiElement* players = kit.stack.FindElement(ID_ST_PLAYERS);
    EXPECT_EQ(Cell(players, 4, row), "2");         // games, unpadded as everywhere else
    EXPECT_EQ(Cell(players, 6, row), "8.00");      // points a game
    EXPECT_EQ(Cell(players, 7, row), "3.50/6.50"); // made of tried a game, as the comparison writes it
    EXPECT_EQ(Cell(players, 8, row), "53.85");

    // The training card: the season's games, points and shooting.
    const std::vector<TrainingSeasonStats> seasons = BuildSeasonStats(player->stats, 8);
    ASSERT_EQ(seasons.size(), 1u);
    EXPECT_EQ(seasons[0].games, 2);
    EXPECT_EQ(seasons[0].sum, 16);
    EXPECT_NEAR(seasons[0].rate1, 53.85f, 0.01f);
    EXPECT_NEAR(seasons[0].rate3, 66.67f, 0.01f);

    // The player comparison: the overview's games, points a game, field goals and their rate.
    CStatsCompareScreen compare(*ctx);
    compare.Refresh();
    const StatSheet* sheet = nullptr;
    for (const auto& s : compare.Sheets())
        if (s->playerName == player->name && s->teamName == kit.session.UserClub()->name)
            sheet = s.get();
    ASSERT_NE(sheet, nullptr) << "the player has no sheet";
    EXPECT_STREQ(sheet->rows[0][0].GetText(), "2");
    EXPECT_STREQ(sheet->rows[0][2].GetText(), "8.00");
    EXPECT_STREQ(sheet->rows[0][3].GetText(), "3.50/6.50");
    EXPECT_STREQ(sheet->rows[0][4].GetText(), "53.85");
    // The field-goal category: 7 of 13, of which the two-pointers (dunks among them) 6 of 10.
    EXPECT_STREQ(sheet->rows[2][4].GetText(), "7");
    EXPECT_STREQ(sheet->rows[2][5].GetText(), "13");
    EXPECT_STREQ(sheet->rows[2][7].GetText(), "6");
    EXPECT_STREQ(sheet->rows[2][8].GetText(), "10");

    // The line-up's last matches: the two he played, newest first; each percentage is the share of
    // the made and tried shown above it.
    CLineupScreen lineup(*ctx);
    lineup.Refresh();
    const LineupRow line = MakeLineupRow(*player, 0, [](int id) { return CStr::Formatted("<%d>", id); });
    ASSERT_EQ(line.matchCount, 2) << "a match on the bench is listed among the last matches";
    EXPECT_STREQ(line.matchDates[0].GetText(), "10.10.2007");
    EXPECT_STREQ(line.matchDates[1].GetText(), "03.10.2007");
    EXPECT_EQ(line.lastMatches[2][1], 4); // two-pointers made, the dunk among them
    EXPECT_EQ(line.lastMatches[3][1], 8);
    EXPECT_EQ(line.lastMatches[4][1], 50);
    EXPECT_EQ(line.lastMatches[2][0] + line.lastMatches[2][1] + line.lastMatches[5][1],
              7);                      // = the 7 field goals
    EXPECT_EQ(line.seasonBests[1], 4); // the best two-pointers made: the same count as the table's
    EXPECT_EQ(line.seasonBests[2], 8);
}

// One player's playing time, shares and ratios read in one form wherever they are shown: minutes
// and seconds on the line-up as on the statistics screen, every share with two decimals and no
// sign, a ratio as one number, and a season as the captions name it.
TEST_F(FiguresAgree, TimesSharesRatiosAndTheSeasonReadInOneFormOnEveryScreen) {
    // The first match also brings 6 rebounds, 3 steals, 2 fouls and 4 lost balls; the last 3 rebounds.
    records[0]->Field(22) = 2;
    records[0]->Field(23) = 4;
    records[0]->Field(26) = 2;
    records[0]->Field(27) = 3;
    records[0]->Field(28) = 4;
    records[2]->Field(23) = 3;

    CStatisticsScreen statistics(*ctx);
    const int row = StatisticsRow(statistics);
    ASSERT_GE(row, 0);
    const CGuiElement* players = kit.stack.FindElement(ID_ST_PLAYERS);
    EXPECT_EQ(Cell(players, 5, row), "15:00");
    EXPECT_EQ(Cell(players, 8, row), "53.85");
    // Rank and shirt number as the transfer list and the player window write them: no leading zero.
    EXPECT_EQ(Cell(players, 0, row), std::to_string(row + 1));
    EXPECT_EQ(Cell(players, 3, row), std::to_string(player->words[kWordShirtNumber]));
    // The overview's counts grouped by thousands, with nothing before the figure.
    CClubOverviewScreen overview(*ctx);
    overview.Refresh();
    const auto record = Labelled(kit.stack.FindElement(ID_OV_RECORD));
    for (int label : {80007, 100033}) {
        ASSERT_EQ(record.count(kit.language.Get(label).Std()), 1u) << label;
        const std::string count = record.at(kit.language.Get(label).Std());
        EXPECT_TRUE(count == "-" || (!count.empty() && std::isdigit(static_cast<unsigned char>(count[0]))))
            << "\"" << count << "\"";
    }

    // The line-up: the best playing time and the last two matches' in the same form; each share as
    // the statistics screen writes one.
    CLineupScreen lineup(*ctx);
    lineup.Refresh();
    CGuiElement* starters = kit.stack.FindElement(ID_LU_STARTERS);
    CGuiElement* squad = kit.stack.FindElement(ID_LU_SQUAD);
    const bool starting = RowOf(starters, 0, player->name) >= 0;
    const int lineupRow = RowOf(starting ? starters : squad, 0, player->name);
    ASSERT_GE(lineupRow, 0);
    GuiMessage pick = Message(starting ? ID_LU_STARTERS : ID_LU_SQUAD, kMsgSelection, lineupRow);
    lineup.OnMessage(pick);
    const CGuiElement* bests = kit.stack.FindElement(ID_LU_BESTS);
    EXPECT_EQ(Cell(bests, 0, 13), kit.language.Get(80085).Std());
    EXPECT_EQ(Cell(bests, 1, 13), "20:00");
    const CGuiElement* last = kit.stack.FindElement(ID_LU_LAST);
    EXPECT_EQ(Cell(last, 0, 1), kit.language.Get(80085).Std());
    EXPECT_EQ(Cell(last, 1, 1), "10:00"); // newest first
    EXPECT_EQ(Cell(last, 2, 1), "20:00");
    EXPECT_EQ(Cell(last, 1, 5), "100.00"); // two of two
    EXPECT_EQ(Cell(last, 2, 5), "50.00");  // four of eight, the dunk among them
    EXPECT_EQ(Cell(last, 2, 8), "33.33");  // one three of three
    EXPECT_EQ(Cell(last, 1, 8), "0.00");   // none tried
    EXPECT_EQ(Cell(last, 2, 11), "50.00");

    // The comparison: the share as the statistics screen shows it, each ratio one number.
    CStatsCompareScreen compare(*ctx);
    compare.Refresh();
    const StatSheet* sheet = nullptr;
    for (const auto& s : compare.Sheets())
        if (s->playerName == player->name && s->teamName == kit.session.UserClub()->name)
            sheet = s.get();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->rows[0][4].Std(), Cell(players, 8, row));
    EXPECT_STREQ(sheet->rows[6][5].GetText(), "0.22"); // PF/REB: 2 fouls to 9 rebounds
    EXPECT_STREQ(sheet->rows[7][7].GetText(), "0.75"); // STL/TO: 3 steals to 4 lost balls
    EXPECT_STREQ(sheet->rows[7][8].GetText(), "0.33"); // STL/REB: 3 steals to 9 rebounds

    // The training card names its season as the screens' captions do.
    CTrainingScreen training(*ctx);
    training.Refresh();
    int32_t cardRow = -1;
    for (const auto& r : training.Rows())
        if (r->playerId == player->id)
            cardRow = r->row;
    ASSERT_GE(cardRow, 0);
    training.SelectPlayer(cardRow);
    EXPECT_EQ(Cell(kit.stack.FindElement(ID_TR_CARD_SEASONS), 0, 0), "2007-2008");
}

// A new season's best crowd shows no figure before the club's first home match, on the overview and
// on the statistics' club card alike (the club's record holds another season's crowd until then).
TEST_F(FiguresAgree, TheBestCrowdWaitsForTheSeasonsFirstHomeMatch) {
    CTeam* club = kit.session.UserClub();
    club->attendance = 3500;
    auto shown = [&] {
        CClubOverviewScreen overview(*ctx);
        overview.Refresh();
        const std::string onOverview =
            Labelled(kit.stack.FindElement(ID_OV_RECORD)).at(kit.language.Get(80007).Std());
        CStatisticsScreen statistics(*ctx);
        StatisticsRow(statistics);
        const std::string onCard =
            Labelled(kit.stack.FindElement(ID_ST_TEAMINFO)).at(kit.language.Get(100031).Std());
        return std::make_pair(onOverview, onCard);
    };
    EXPECT_EQ(shown(), std::make_pair(std::string("-"), std::string("-")));
    // Away first: still no crowd of this season's.
    CMatchStat away, home;
    for (CMatchStat* match : {&away, &home}) {
        match->Team() = club->id;
        match->Year() = 2007;
        match->Month() = 10;
        match->Day() = match == &away ? 3 : 6;
        match->Side() = match == &away ? 1 : 0;
        match->Field(9) = 80;
        match->Field(10) = 70;
    }
    club->matchStats.push_back(&away);
    EXPECT_EQ(shown().first, "-");
    club->matchStats.push_back(&home);
    EXPECT_EQ(shown(), std::make_pair(std::string("3,500"), std::string("3,500")));
    club->matchStats.clear();
}

// The training card's season row reads as the statistics screen's player row: games, points a game,
// minutes a game as mm:ss and the rates; its wage is the year's, as the transfer list shows it.
TEST_F(FiguresAgree, TheTrainingCardShowsTheStatisticsScreensFormsAndTheYearsWage) {
    CStatisticsScreen statistics(*ctx);
    const int row = StatisticsRow(statistics);
    ASSERT_GE(row, 0);
    const CGuiElement* players = kit.stack.FindElement(ID_ST_PLAYERS);

    CTrainingScreen training(*ctx);
    training.Refresh();
    int32_t cardRow = -1;
    for (const auto& r : training.Rows())
        if (r->playerId == player->id)
            cardRow = r->row;
    ASSERT_GE(cardRow, 0);
    training.SelectPlayer(cardRow);
    const CGuiElement* seasons = kit.stack.FindElement(ID_TR_CARD_SEASONS);
    ASSERT_EQ(seasons->GetRowCount(), 2);                  // the season and the total
    EXPECT_EQ(Cell(seasons, 1, 0), Cell(players, 4, row)); // 2 games
    EXPECT_EQ(Cell(seasons, 2, 0), Cell(players, 6, row)); // 8.00 points a game, not the 16 of the season
    EXPECT_EQ(Cell(seasons, 3, 0), Cell(players, 5, row)); // 15:00, not 15.00 minutes
    EXPECT_EQ(Cell(seasons, 3, 0), "15:00");
    EXPECT_EQ(Cell(seasons, 4, 0), Cell(players, 8, row)); // 53.85
    EXPECT_EQ(Cell(seasons, 6, 0), Cell(players, 12, row));
    // One season: the total row is the same, rates included (not a sum of rates).
    for (int column = 1; column < 7; ++column)
        EXPECT_EQ(Cell(seasons, column, 1), Cell(seasons, column, 0)) << column;

    const std::map<std::string, std::string> personal = Labelled(kit.stack.FindElement(ID_TR_CARD_PERSONAL));
    CTransferScreen transfers(*ctx);
    transfers.Refresh();
    const CGuiElement* squad = kit.stack.FindElement(ID_TF_SQUAD);
    const int squadRow = RowOf(squad, 1, player->name);
    ASSERT_GE(squadRow, 0);
    auto* squadGrid = dynamic_cast<CGuiGridControl*>(kit.stack.FindElement(ID_TF_SQUAD));
    ASSERT_NE(squadGrid, nullptr);
    const std::string caption = squadGrid->HeaderText(5).Std(); // "Wage/year"
    ASSERT_EQ(personal.count(caption), 1u) << "the card does not say its wage is the year's";
    EXPECT_EQ(personal.at(caption), Cell(squad, 5, squadRow));
}

// Two other clubs' quick result: the player comparison shows each of their players' rebounds as
// his record holds them, not 0 for every club but the user's.
TEST_F(FiguresAgree, AQuickResultsReboundsReachThePlayerComparison) {
    CMemoryDB* world = kit.session.worldDB;
    const CTeam* user = kit.session.UserClub();
    CTeam* home = nullptr;
    CTeam* away = nullptr;
    for (CTeam* team : world->teams) {
        if (team->id == user->id || team->leagueId != user->leagueId)
            continue;
        (home ? away : home) = team;
        if (away)
            break;
    }
    ASSERT_NE(away, nullptr);
    QuickMatchContext quick;
    quick.date = GameDate{2007, 10, 3};
    quick.matchStats = &world->matchStats;
    quick.playerStats = &world->playerStats;
    int homeScore = 0, awayScore = 0;
    SimulateQuickMatch(quick, home, away, homeScore, awayScore);

    CStatsCompareScreen compare(*ctx);
    compare.Refresh();
    int total = 0;
    int sheets = 0;
    for (const CTeam* team : {home, away})
        for (const CPlayer* p : team->players)
            for (const auto& sheet : compare.Sheets())
                if (sheet->teamName == team->name && sheet->playerName == p->name) {
                    const int rebounds = p->stats.back()->Rebounds();
                    EXPECT_EQ(sheet->rows[1][6].Std(), std::to_string(rebounds)) << p->name.GetText();
                    total += rebounds;
                    ++sheets;
                }
    EXPECT_GE(sheets, 20);
    EXPECT_GT(total, 0);
}

// The user's club's quick result against a league rival: each side's fouls (the comparison's PF)
// are its players' booked fouls, one for each pair of free throws it gave away and more that gave
// none; its blocks stand under BLK, the free
// throws alone under the throws' columns; the club overview's fouls and blocks leaders read the
// same figures. Quick results booked no fouls (a side took 30 throws from a club booked 4 "fouls",
// its stopped shots) and nobody a block.
TEST_F(FiguresAgree, AQuickResultsFoulsAndBlocksReachTheComparisonAndTheOverview) {
    CTeam* user = kit.session.UserClub();
    CTeam* rival = nullptr;
    for (CTeam* team : kit.session.worldDB->teams)
        if (team->id != user->id && team->leagueId == user->leagueId)
            rival = team;
    ASSERT_NE(rival, nullptr);
    player->stats.clear(); // this test's own matches only
    GameSrand(41);
    QuickMatchContext quick;
    quick.date = GameDate{2007, 10, 3};
    quick.matchStats = &kit.session.careerDB->matchStats;
    quick.playerStats = &kit.session.careerDB->playerStats;
    int given[2] = {}; // free throws each side gave away
    for (int match = 0; match < 4; ++match) {
        int homeScore = 0, awayScore = 0;
        SimulateQuickMatch(quick, user, rival, homeScore, awayScore);
        given[0] += rival->matchStats.back()->FreeThrowsTaken();
        given[1] += user->matchStats.back()->FreeThrowsTaken();
    }

    CStatsCompareScreen compare(*ctx);
    compare.Refresh();
    const CTeam* sides[2] = {user, rival};
    double mostFouls = -1.0, mostBlocks = -1.0;
    for (int side = 0; side < 2; ++side) {
        int fouls = 0, blocks = 0, sheets = 0, booked = 0;
        for (const CPlayer* p : sides[side]->players)
            for (const auto& sheet : compare.Sheets()) {
                if (sheet->teamName != sides[side]->name || sheet->playerName != p->name)
                    continue;
                ++sheets;
                if (sheet->rows[0][0].Std() == "0")
                    continue; // never on court
                fouls += std::stoi(sheet->rows[6][2].Std());
                blocks += std::stoi(sheet->rows[10][5].Std());
                int throws = 0;
                for (const CPlayerStat* record : p->stats) {
                    throws += record->FreeThrowsTaken();
                    booked += record->Fouls();
                }
                EXPECT_EQ(sheet->rows[3][5].Std(), std::to_string(throws)) << p->name.GetText();
                if (side == 0) {
                    const double games = std::stod(sheet->rows[0][0].Std());
                    mostFouls = std::max(mostFouls, std::stoi(sheet->rows[6][2].Std()) / games);
                    mostBlocks = std::max(mostBlocks, std::stoi(sheet->rows[10][5].Std()) / games);
                }
            }
        EXPECT_EQ(sheets, static_cast<int>(sides[side]->players.size()));
        // Every pair of throws given is a foul, and fouls that give none come on top.
        EXPECT_EQ(fouls, booked) << sides[side]->name.GetText();
        EXPECT_GT(2 * fouls, given[side]) << sides[side]->name.GetText();
        EXPECT_GT(blocks, 0) << sides[side]->name.GetText();
    }

    // The overview's leaders: 80014 blocks and 80016 fouls, a game each.
    CClubOverviewScreen overview(*ctx);
    overview.Refresh();
    const auto leaders = Labelled(kit.stack.FindElement(ID_OV_LEADERS));
    const std::string foulsLabel = kit.language.Get(80016).Std(), blocksLabel = kit.language.Get(80014).Std();
    ASSERT_EQ(leaders.count(foulsLabel), 1u);
    ASSERT_EQ(leaders.count(blocksLabel), 1u);
    EXPECT_EQ(leaders.at(foulsLabel), CStr::Formatted("%.2f", mostFouls).Std());
    EXPECT_EQ(leaders.at(blocksLabel), CStr::Formatted("%.2f", mostBlocks).Std());
    EXPECT_NE(leaders.at(blocksLabel), "0.00");
}

// The line-up card's steals are his steals, never his fouls.
TEST_F(FiguresAgree, TheLineupCardShowsStealsAndBlocksUnderTheirNames) {
    records.back()->Fouls() = 5;
    records.back()->Steals() = 2;
    records.back()->Blocks() = 3;
    const LineupRow line = MakeLineupRow(*player, 0, [](int id) { return CStr::Formatted("<%d>", id); });
    EXPECT_EQ(line.seasonBests[10], 3); // 80082 blocks
    EXPECT_EQ(line.seasonBests[12], 2); // 80084 steals
    EXPECT_EQ(line.lastMatches[14][0], 3);
    EXPECT_EQ(line.lastMatches[16][0], 2);
}

TEST_F(FiguresAgree, ThePlayerWindowAndTheLineupCardShowOneValuePerAttribute) {
    CPlayerInfoWindow window(*ctx);
    ASSERT_TRUE(window.ShowPlayerById(player->id));
    std::map<std::string, std::string> shown;
    for (int grid : {ID_PI_ATTRIBUTES_1, ID_PI_ATTRIBUTES_2})
        for (const auto& [label, value] : Labelled(kit.stack.FindElement(grid)))
            shown[label] = value;
    ASSERT_GE(shown.size(), 10u);

    CLineupScreen lineup(*ctx);
    lineup.Refresh();
    CGuiElement* starters = kit.stack.FindElement(ID_LU_STARTERS);
    CGuiElement* squad = kit.stack.FindElement(ID_LU_SQUAD);
    int listRow = -1;
    int list = ID_LU_STARTERS;
    for (int column = 0; column < 4 && listRow < 0; ++column) {
        listRow = RowOf(starters, column, player->name);
        if (listRow < 0) {
            listRow = RowOf(squad, column, player->name);
            list = ID_LU_SQUAD;
        } else {
            list = ID_LU_STARTERS;
        }
    }
    ASSERT_GE(listRow, 0) << "the player is in neither line-up list";
    kit.stack.FindElement(list)->SetSelectedRow(listRow);
    GuiMessage pick{list, -1, kMsgSelection, listRow, 0, 0};
    lineup.OnMessage(pick);
    const std::map<std::string, std::string> card = Labelled(kit.stack.FindElement(ID_LU_CARD));
    int compared = 0;
    for (const auto& [label, value] : card) {
        auto it = shown.find(label);
        if (it == shown.end())
            continue;
        EXPECT_EQ(it->second, value) << label;
        ++compared;
    }
    EXPECT_GE(compared, 10) << "the two screens name too few attributes alike";
}

namespace {
struct FiguresAgreeInATournament : FiguresAgree {
    int DataSet() const override { return kDataSetEuroCup; }
};
} // namespace

// A later round of a tournament starts its own tables, yet a player's figures on the statistics
// screen still run over the whole tournament, as on the training card and in the comparison.
TEST_F(FiguresAgreeInATournament, TheStatisticsScreenCountsEveryRound) {
    SeasonSpan& season = kit.session.fixtureList->Season();
    season.startYear = 2007; // the second round starts after the first two records
    season.startMonth = 10;
    season.startDay = 8;
    CStatisticsScreen statistics(*ctx);
    const int row = StatisticsRow(statistics);
    ASSERT_GE(row, 0) << "the player is not in the club's player grid";
    const CGuiElement* players = kit.stack.FindElement(ID_ST_PLAYERS);
    EXPECT_EQ(Cell(players, 4, row), "2");
    EXPECT_EQ(Cell(players, 6, row), "8.00");
    const std::vector<TrainingSeasonStats> seasons = BuildSeasonStats(player->stats, 8);
    ASSERT_EQ(seasons.size(), 1u);
    EXPECT_EQ(seasons[0].games, 2);
}
