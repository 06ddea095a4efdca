// The club overview on the shipped layout: the season record, the leaders and the next opponent,
// the seat classes, the coming matches and the arena's pictures chosen by the parts' levels; and a
// crest file for every club of every data set.
#include "screens/stadium/ClubOverviewScreen.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "career/Standings.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/Paths.h"
#include "gui/Grid.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"
#include "gui/Window.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

CStr Texts(int id) {
    return CStr::Formatted("<%d>", id);
}

std::string Cell(CGuiElement* grid, int column, int row) {
    const GuiGridCell* cell = grid ? grid->FindCell(column, row) : nullptr;
    return cell ? cell->text.Std() : std::string("<none>");
}

// The user's club "Bexley" (id 2) in the career, with a stadium of eighteen parts; Albury (1) and
// Carrow (3) in the world. Today is 20 September 2007, the season began on 1 August.
struct OverviewFixture : ::testing::Test {
    CScreenStack stack;
    CFakeShell shell;
    CCareerSession session{Texts};
    std::unique_ptr<CScreenContext> ctx;
    std::unique_ptr<CClubOverviewScreen> screen;
    CTeam* teams[4] = {};
    CTeam* club = nullptr;
    CStadiumRecord* stadium = nullptr;
    CStadiumWingRecord* wings[kStadiumParts] = {};
    std::vector<std::unique_ptr<CPlayer>> players;
    std::vector<std::unique_ptr<CPlayerStat>> playerStats;
    std::vector<std::unique_ptr<CMatchStat>> matchStats;

    CGuiElement* Find(int id) { return stack.FindElement(id); }

    void SetUp() override {
        CGuiLayoutLoader loader(stack);
        ASSERT_TRUE(loader.Load()); // the game folder is the working directory
        CMemoryDB& world = *session.worldDB;
        world.Clear();
        auto* league = new CLeague();
        league->id = 0;
        league->nameTextId = 810000;
        league->type = 100005;
        world.leagues.Append(league);
        const char* names[] = {"", "Albury", "Bexley", "Carrow"};
        for (int id = 1; id <= 3; ++id) {
            auto* team = new CTeam();
            team->id = id;
            team->name = names[id];
            team->leagueId = 0;
            team->logo = CStr::Formatted("images\\WinObjects\\Logos\\logo%.2d.png", id);
            world.teams.Append(team);
            teams[id] = team;
        }
        world.Link();
        session.careerDB = new CMemoryDB();
        club = new CTeam(teams[2]->CopyFields());
        club->cash = 1500000;
        club->attendance = 4200;
        club->fanBase = 15000;
        session.careerDB->teams.Append(club);
        auto* careerLeague = new CLeague(*league);
        careerLeague->teams.clear();
        session.careerDB->leagues.Append(careerLeague);
        auto* profile = new CProfile();
        profile->managerName = "Probe";
        session.careerDB->profiles.Append(profile);
        stadium = new CStadiumRecord();
        stadium->id = 2;
        stadium->teamId = 2;
        session.careerDB->stadiums.Append(stadium);
        for (int i = 0; i < kStadiumParts; ++i) {
            auto* wing = new CStadiumWingRecord();
            wing->partId = StadiumPartTextId(i);
            wing->stadiumId = 2;
            wing->seats = 100 * (i + 1);
            wing->price = 10 * (i + 1);
            wing->level = i == 0 ? 1 : 0;
            session.careerDB->wings.Append(wing);
            wings[i] = wing;
        }
        session.careerDB->Link();
        session.currentDate = GameDate{2007, 9, 20};

        ctx = std::make_unique<CScreenContext>(session, stack, shell, Texts, nullptr);
        screen = std::make_unique<CClubOverviewScreen>(*ctx);
    }

    // One match record of a team: home flag 0 at home, own and opponent's score.
    void Result(CTeam* team, int year, int month, int day, bool home, int own, int against) {
        auto stat = std::make_unique<CMatchStat>();
        stat->Field(3) = team->id;
        stat->Field(5) = home ? 0 : 1;
        stat->Field(6) = day;
        stat->Field(7) = month;
        stat->Field(8) = year;
        stat->Field(9) = own;
        stat->Field(10) = against;
        team->matchStats.push_back(stat.get());
        matchStats.push_back(std::move(stat));
    }

    // A squad player whose one record holds the given points and rebounds.
    CPlayer* Player(CTeam* team, const char* name, int points, int rebounds) {
        auto player = std::make_unique<CPlayer>();
        player->name = name;
        auto stat = std::make_unique<CPlayerStat>();
        stat->Field(2) = 2007;
        stat->Field(3) = 9;
        stat->Field(4) = 1;
        stat->Field(10) = points;
        stat->Field(30) = rebounds;
        player->stats.push_back(stat.get());
        playerStats.push_back(std::move(stat));
        team->players.push_back(player.get());
        players.push_back(std::move(player));
        return players.back().get();
    }

    void TearDown() override {
        screen.reset();
        // Squads and records belong to the test, not to the tables.
        for (CTeam* team : {teams[1], teams[3], club}) {
            if (team) {
                team->players.clear();
                team->matchStats.clear();
            }
        }
    }
};

} // namespace

TEST_F(OverviewFixture, NoMatchesShowAZeroRecordWithoutDividingByZero) {
    screen->Refresh();
    CGuiElement* grid = Find(ID_OV_RECORD);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(Cell(grid, 0, 0), "<80000>");
    EXPECT_EQ(Cell(grid, 1, 0), "0.00");
    EXPECT_EQ(Cell(grid, 1, 1), "0/0");
    EXPECT_EQ(Cell(grid, 1, 2), "0/0");
    EXPECT_EQ(Cell(grid, 1, 3), "$ 1,500,000");
    EXPECT_EQ(Cell(grid, 1, 6), "-"); // no home match yet: no crowd of this season's
    EXPECT_EQ(Cell(grid, 1, 7), "15,000");
    EXPECT_EQ(Cell(grid, 0, 7), "<100033>");
}

TEST_F(OverviewFixture, SeasonRecordCountsThisSeasonsGamesOnly) {
    // This season: 6 wins, 3 losses and a draw in 10 games; last season's games count nowhere.
    const int scores[10][3] = {{1, 80, 70}, {1, 90, 60}, {1, 70, 75}, {1, 66, 66}, {1, 81, 80},
                               {0, 77, 70}, {0, 60, 90}, {0, 85, 84}, {0, 91, 70}, {0, 50, 51}};
    for (int i = 0; i < 10; ++i)
        Result(club, 2007, 8, 2 + i, scores[i][0] == 1, scores[i][1], scores[i][2]);
    Result(club, 2007, 3, 1, true, 40, 90);
    Result(club, 2007, 4, 1, true, 40, 90);
    screen->Refresh();
    CGuiElement* grid = Find(ID_OV_RECORD);
    EXPECT_EQ(Cell(grid, 1, 0), "60.00");
    EXPECT_EQ(Cell(grid, 1, 1), "3/1");
    EXPECT_EQ(Cell(grid, 1, 2), "3/2");
    EXPECT_EQ(screen->Record().games, 10);
}

TEST_F(OverviewFixture, LeadersArePerGameFiguresWithTheEarlierPlayerOnATie) {
    Player(club, "Adams", 24, 3);
    Player(club, "Baker", 10, 3); // same rebounds as Adams: Adams keeps the lead
    for (int i = 0; i < 10; ++i)
        Player(club, "Bench", 0, 0);
    screen->Refresh();
    CGuiElement* grid = Find(ID_OV_LEADERS);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(Cell(grid, 0, 0), "<80013>");
    EXPECT_EQ(Cell(grid, 1, 0), "24.00"); // one game, whatever the squad's size
    EXPECT_EQ(Cell(grid, 2, 0), "Adams");
    EXPECT_EQ(Cell(grid, 1, 2), "3.00");
    EXPECT_EQ(Cell(grid, 2, 2), "Adams");
    // Nobody blocked a shot: no name and 0.00.
    EXPECT_EQ(Cell(grid, 1, 1), "0.00");
    EXPECT_EQ(Cell(grid, 2, 1), "");
    EXPECT_EQ(static_cast<CGuiGridControl*>(grid)->HeaderText(2), CStr("<80035>"));
}

// The leaders read as the statistics screen's player figures: this season's games only, each
// figure per game played (Adams: 30 and 26 this season, last season's 90 left out).
TEST_F(OverviewFixture, LeadersMatchTheStatisticsOverThisSeasonsGames) {
    CPlayer* adams = Player(club, "Adams", 30, 4);
    auto game = [&](CPlayer* player, int year, int month, int points) {
        auto stat = std::make_unique<CPlayerStat>();
        stat->Field(2) = year;
        stat->Field(3) = month;
        stat->Field(4) = 10;
        stat->Field(5) = 1800; // seconds on court
        stat->Field(10) = points;
        player->stats.insert(player->stats.begin(), stat.get());
        playerStats.push_back(std::move(stat));
    };
    // Records stand oldest first: last April's, then August's before September's.
    game(adams, 2007, 8, 26);
    game(adams, 2007, 4, 90);
    Player(club, "Baker", 27, 0);
    for (int i = 0; i < 10; ++i)
        Player(club, "Bench", 0, 0);
    screen->Refresh();
    CGuiElement* grid = Find(ID_OV_LEADERS);
    EXPECT_EQ(Cell(grid, 1, 0), "28.00");
    EXPECT_EQ(Cell(grid, 2, 0), "Adams");

    StandingsContext ctx{Texts, MakeDateKey(2007, 8, 1)};
    PlayerStatRow row;
    row.Build(ctx, adams, club->name);
    EXPECT_EQ(row.games, 2);
    EXPECT_EQ(Cell(grid, 1, 0), CStr::Formatted("%.2f", row.points).Std()) << "the statistics' points a game";
}

TEST_F(OverviewFixture, ComparisonAndComingMatchesFollowTheNextFixture) {
    Player(club, "Adams", 40, 0);
    Player(club, "Baker", 0, 0);
    Player(teams[1], "Ure", 90, 0);
    Player(teams[1], "Vance", 30, 0);
    Player(teams[1], "Wolfe", 0, 0);
    CFixtureList& fixtures = *session.fixtureList;
    fixtures.AddFixture(teams[2], teams[3], session.worldDB->leagues.At(0), 2007, 9, 12); // already past
    fixtures.AddFixture(teams[1], teams[2], session.worldDB->leagues.At(0), 2007, 9, 20); // today, away
    fixtures.AddFixture(teams[2], teams[3], session.worldDB->leagues.At(0), 2007, 10, 3); // at home
    screen->Refresh();

    CGuiElement* compare = Find(ID_OV_COMPARE);
    ASSERT_NE(compare, nullptr);
    EXPECT_EQ(Cell(compare, 1, 0), "40.00"); // Adams's one game
    EXPECT_EQ(Cell(compare, 2, 0), "90.00"); // Albury's best, Ure's one game
    EXPECT_EQ(Cell(compare, 2, 2), "0.00");
    CGuiElement* next = Find(ID_OV_NEXT);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->GetRowCount(), 2);
    EXPECT_EQ(Cell(next, 0, 0), "Albury");
    EXPECT_EQ(Cell(next, 1, 0), "20.09.2007");
    EXPECT_EQ(Cell(next, 2, 0), "<100010>");
    EXPECT_EQ(Cell(next, 0, 1), "Carrow");
    EXPECT_EQ(Cell(next, 1, 1), "03.10.2007");
    EXPECT_EQ(Cell(next, 2, 1), "<100011>");
    EXPECT_NE(Find(ID_OV_COMPARE_TITLE)->GetText().Std().find("Albury"), std::string::npos);

    // Today's match played, the day not over yet: it is neither coming nor the next opponent.
    CFixture* today = fixtures.At(1);
    ASSERT_EQ(today->day, 20);
    today->homeScore = 88;
    today->awayScore = 80;
    screen->Refresh();
    EXPECT_EQ(next->GetRowCount(), 1);
    EXPECT_EQ(Cell(next, 1, 0), "03.10.2007");
    EXPECT_NE(Find(ID_OV_COMPARE_TITLE)->GetText().Std().find("Carrow"), std::string::npos);

    // Once the season has nothing left, the fixtures and the opponent's figures go.
    session.currentDate = GameDate{2007, 11, 1};
    screen->Refresh();
    EXPECT_EQ(next->GetRowCount(), 0);
    EXPECT_EQ(Cell(next, 0, 0), "<none>");
    EXPECT_EQ(Cell(compare, 2, 0), "0.00");
}

TEST_F(OverviewFixture, SeatClassesOfUnbuiltPartsAreDimmed) {
    wings[7]->level = 1; // the first seat class, part 300054
    wings[9]->level = 3;
    screen->Refresh();
    auto* grid = static_cast<CGuiGridControl*>(Find(ID_OV_SEATS));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(Cell(grid, 0, 0), "<80024>");
    EXPECT_EQ(Cell(grid, 1, 0), "800");
    EXPECT_EQ(Cell(grid, 2, 0), "$ 80");
    EXPECT_EQ(Cell(grid, 1, 1), "0");
    EXPECT_EQ(Cell(grid, 2, 1), "$ 0");
    for (int column = 0; column < 3; ++column) {
        EXPECT_NE(grid->CellTextColour(column, 0), CClubOverviewScreen::kDimColour);
        EXPECT_EQ(grid->CellTextColour(column, 1), CClubOverviewScreen::kDimColour);
        EXPECT_NE(grid->CellTextColour(column, 2), CClubOverviewScreen::kDimColour);
        EXPECT_EQ(grid->CellTextColour(column, 4), CClubOverviewScreen::kDimColour);
    }
}

TEST_F(OverviewFixture, EachPartShowsItsPictureAndOneGreenSquarePerStageBuilt) {
    wings[1]->level = 0;
    wings[2]->level = 2;  // its bar's second square is element 10099
    wings[13]->level = 1; // part 300060 lies in the row of 10178
    wings[14]->level = 4;
    wings[15]->level = 7; // beyond the last stage looks like four
    screen->Refresh();
    auto image = [&](int id) { return Find(id) ? Find(id)->Desc().imagePath.Std() : std::string("<none>"); };
    const std::string grey = CClubOverviewScreen::kGreyPixel, green = CClubOverviewScreen::kGreenPixel;
    EXPECT_EQ(image(ID_OV_PART0), "\\images\\WinObjects\\STADIONADVELEMENTS\\kep01a_f2.png");
    EXPECT_EQ(image(ID_OV_PART1), "\\images\\WinObjects\\STADIONADVELEMENTS\\kep02a.png");
    for (int bar : {ID_OV_PART1_BAR1, ID_OV_PART1_BAR2, ID_OV_PART1_BAR3, ID_OV_PART1_BAR4})
        EXPECT_EQ(image(bar), grey);
    EXPECT_EQ(image(10094), "\\images\\WinObjects\\STADIONADVELEMENTS\\kep03a_f2.png");
    EXPECT_EQ(image(10095), green);
    EXPECT_EQ(image(10099), green);
    EXPECT_EQ(image(10096), grey);
    EXPECT_EQ(image(10178), "\\images\\WinObjects\\STADIONADVELEMENTS\\kep14a_f2.png");
    EXPECT_EQ(image(10179), green);
    EXPECT_EQ(image(10180), grey);
    EXPECT_EQ(image(10171), "\\images\\WinObjects\\STADIONADVELEMENTS\\kep15a_f2.png");
    EXPECT_EQ(image(10175), green);
    EXPECT_EQ(image(ID_OV_PART15_BAR4), green);
    EXPECT_EQ(Find(10177)->GetText(), CStr("<300061>"));
    EXPECT_EQ(Find(10184)->GetText(), CStr("<300060>"));

    // Construction moves a level on: the picture changes when it is shown again.
    screen->SetPartLevel(1, 1);
    screen->ShowStadiumPicture();
    EXPECT_EQ(image(ID_OV_PART1), "\\images\\WinObjects\\STADIONADVELEMENTS\\kep02a_f2.png");
    EXPECT_EQ(image(ID_OV_PART1_BAR1), green);
    EXPECT_TRUE(FileExists(image(ID_OV_PART1).c_str()));
}

TEST_F(OverviewFixture, CaptionNamesTheLeagueClubDateAndSeasonAndTheCrestIsShown) {
    screen->Refresh();
    auto* window = static_cast<CGuiWindow*>(Find(ID_CLUBOVERVIEW));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetCaption(), CStr("<80029> / <810000> / Bexley / 20.09.2007 / 2007-2008 <80030>"));
    EXPECT_EQ(Find(ID_OV_LOGO)->Desc().imagePath, CStr("\\images\\WinObjects\\Logos\\logo02.png"));
}

TEST_F(OverviewFixture, AStadiumWithoutPartsShowsNothingBuilt) {
    screen->Refresh();
    EXPECT_EQ(screen->PartLevel(0), 1);
    // A career loaded afterwards whose club has no stadium must not keep the earlier levels.
    club->stadium = nullptr;
    screen->Refresh();
    for (int i = 0; i < kStadiumParts; ++i)
        EXPECT_EQ(screen->PartLevel(i), 0) << i;
    EXPECT_EQ(Cell(Find(ID_OV_SEATS), 1, 0), "0");
}

TEST(ClubCrests, EveryClubOfEveryDataSetHasItsCrestFile) {
    for (int32_t dataSet : {kDataSetLeague, kDataSetEuroCup, kDataSetWorldCup}) {
        CMemoryDB db;
        ASSERT_TRUE(db.LoadFolder(DataSetFolder(dataSet))) << dataSet;
        ASSERT_FALSE(db.teams.IsEmpty());
        std::set<std::string> paths;
        for (const CTeam* team : db.teams) {
            CStr path = ClubCrestPath(team);
            EXPECT_TRUE(FileExists(path.GetText())) << team->name.Std() << " " << path.Std();
            paths.insert(ResolvePath(path).Std());
        }
        // One picture per club, none shared with another club of the set.
        EXPECT_EQ(paths.size(), static_cast<size_t>(db.teams.Size()));
    }
    EXPECT_TRUE(ClubCrestPath(nullptr).IsEmpty());
}
