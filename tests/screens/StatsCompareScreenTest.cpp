// The player comparison: the stat sheets (no games, big values, rebounds), the filters, and two
// panels that switch on their own, on the shipped layout and language file.
#include "screens/info/StatsCompareScreen.h"
#include "ScreenTestKit.h"
#include "database/MemoryDB.h"
#include "gui/Grid.h"
#include "gui/Window.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Row(const StatSheet& sheet, int r) {
    std::vector<std::string> out;
    for (const CStr& cell : sheet.rows[static_cast<size_t>(r)])
        out.push_back(cell.Std());
    return out;
}

using Cells = std::vector<std::string>;

// One match's record: the fields by number, the rest 0.
CPlayerStat* Record(std::initializer_list<std::pair<int, int>> fields) {
    auto* stat = new CPlayerStat();
    stat->Field(2) = 2007;
    stat->Field(3) = 9;
    stat->Field(4) = 10;
    for (auto [field, value] : fields)
        stat->Field(field) = value;
    return stat;
}

TEST(StatSheetRows, NoGamesShowZerosInTheFormsOfTheirColumns) {
    StatSheet sheet;
    FillSheetRows(sheet, PlayerFigures{});
    const Cells expected[kStatCategories] = {
        {"0", "0:00", "0.00", "0.00/0.00", "0.00", "0.00/0.00", "0.00", "0.00/0.00", "0.00"},
        {"0", "0:00", "0", "0.00", "0", "0.00", "0", "0.00"},
        {"0", "0.00", "0.00", "0.00", "0", "0", "0.00", "0", "0", "0.00"},
        {"0", "0.00", "0.00", "0.00", "0", "0", "0.00", "", "", "0.00"},
        {"0", "0.00", "0.00", "0.00", "0", "0", "0.00"},
        {"0", "0:00", "0", "0.00", "0", "0.00", "0.00"},
        {"0", "0:00", "0", "0", "0.00", "0.00"},
        {"0", "0:00", "0", "0.00", "0", "0.00", "0", "0.00", "0.00"},
        {"0", "0:00", "0", "0.00", "0"},
        {"0", "0:00", "0.00", "0.00", "0.00", "0.00", "0.00", "", ""},
        {"0", "0", "0.00", "0", "0.00", "0", "0.00", "", ""},
    };
    for (int r = 0; r < kStatCategories; ++r)
        EXPECT_EQ(Row(sheet, r), expected[r]) << "row " << r;
}

TEST(StatSheetRows, TwoMatchesFormattedPerGameAndAsRates) {
    CPlayer player;
    // 7 rebounds in the first match make a big game, exactly 6 in the second do not.
    std::unique_ptr<CPlayerStat> first(Record({{5, 1500},
                                               {10, 20},
                                               {14, 10},
                                               {15, 6},
                                               {16, 4},
                                               {17, 2},
                                               {22, 3},
                                               {23, 4},
                                               {26, 2},
                                               {27, 3},
                                               {28, 2}}));
    std::unique_ptr<CPlayerStat> second(Record({{5, 1200},
                                                {10, 10},
                                                {14, 6},
                                                {15, 2},
                                                {16, 2},
                                                {17, 2},
                                                {22, 2},
                                                {23, 4},
                                                {26, 3},
                                                {27, 1},
                                                {28, 2}}));
    player.stats = {first.get(), second.get()};
    PlayerFigures f = SumPlayerFigures(player);
    EXPECT_EQ(f.games, 2);
    EXPECT_EQ(f.bigGames, 1);
    StatSheet sheet;
    FillSheetRows(sheet, f);
    // 1350 seconds a game show as 22:30; no free throw tried is a rate of 0.
    EXPECT_EQ(Row(sheet, 0), (Cells{"2", "22:30", "15.00", "6.00/11.00", "54.55", "2.00/3.00", "66.67",
                                    "0.00/0.00", "0.00"}));
    EXPECT_EQ(Row(sheet, 3), (Cells{"2", "15.00", "0.00", "0.00", "0", "0", "0.00", "8", "16", "50.00"}));
    // Fouls a game, not fouls and games side by side ("5/2"); fouls a rebound as one number.
    EXPECT_EQ(Row(sheet, 6), (Cells{"2", "22:30", "5", "13", "2.50", "0.38"}));
    EXPECT_EQ(Row(sheet, 7), (Cells{"2", "22:30", "4", "2.00", "4", "2.00", "13", "1.00", "0.31"}));
    EXPECT_EQ(Row(sheet, 8), (Cells{"2", "22:30", "13", "6.50", "1"}));
    EXPECT_EQ(Row(sheet, 9), (Cells{"2", "22:30", "15.00", "6.50", "0.00", "2.00", "2.50", "", ""}));
    EXPECT_EQ(MinutesPerGame(125, 1), 2.05);
    EXPECT_EQ(MinutesPerGame(90, 2), 0.45); // the seconds are averaged, not the display value
}

// The sheets are written without printf; their digits, rounding ties included (1/8 is 0.12, 3/8
// 0.38), must be printf's.
TEST(StatSheetRows, FiguresReadAsPrintfWouldWriteThem) {
    for (int64_t games = 1; games <= 40; ++games) {
        for (int64_t points = 0; points <= 400; points += 7) {
            PlayerFigures f;
            f.games = games;
            f.points = points;
            f.twosAttempted = points / 3 + 1;
            f.twosMade = points / 5;
            f.fouls = points / 2;
            f.freeThrowsAttempted = points / 4 + 1;
            f.freeThrowsMade = points / 8;
            StatSheet sheet;
            FillSheetRows(sheet, f);
            const double g = static_cast<double>(games);
            const double a = static_cast<double>(f.twosAttempted);
            const double m = static_cast<double>(f.twosMade);
            EXPECT_EQ(sheet.rows[2][1].Std(), CStr::Formatted("%.2f", static_cast<double>(points) / g).Std());
            EXPECT_EQ(sheet.rows[0][3].Std(), CStr::Formatted("%.2f/%.2f", m / g, a / g).Std());
            // Free throws read hits first, as every other pair of the overview.
            EXPECT_EQ(sheet.rows[0][7].Std(),
                      CStr::Formatted("%.2f/%.2f", static_cast<double>(f.freeThrowsMade) / g,
                                      static_cast<double>(f.freeThrowsAttempted) / g)
                          .Std());
            EXPECT_EQ(sheet.rows[2][6].Std(), CStr::Formatted("%.2f", m / a * 100.0).Std());
            EXPECT_EQ(sheet.rows[3][7].Std(),
                      CStr::Formatted("%.lld", static_cast<long long>(f.twosMade)).Std());
            EXPECT_EQ(sheet.rows[6][4].Std(),
                      CStr::Formatted("%.2f", static_cast<double>(f.fouls) / g).Std());
        }
    }
}

TEST(StatSheetRows, HugeValuesAddUpWithoutOverflow) {
    CPlayer player;
    auto huge = [] {
        return std::unique_ptr<CPlayerStat>(Record({{5, INT_MAX},
                                                    {10, INT_MAX},
                                                    {14, INT_MAX},
                                                    {15, INT_MAX},
                                                    {20, INT_MAX},
                                                    {22, INT_MAX},
                                                    {23, INT_MAX},
                                                    {29, INT_MAX}}));
    };
    std::unique_ptr<CPlayerStat> a = huge(), b = huge();
    player.stats = {a.get(), b.get()};
    PlayerFigures f = SumPlayerFigures(player);
    EXPECT_EQ(f.points, 2LL * INT_MAX);
    EXPECT_EQ(f.bigGames, 2);
    StatSheet sheet;
    FillSheetRows(sheet, f);
    EXPECT_EQ(sheet.rows[10][1].Std(), "4294967294");
    EXPECT_EQ(sheet.rows[10][3].Std(), "8589934588");
    EXPECT_EQ(sheet.rows[2][9].Std(), "100.00");
    EXPECT_EQ(sheet.rows[3][5].Std(), "4294967294");  // the free throws alone: a block is no throw
    EXPECT_EQ(sheet.rows[10][5].Std(), "4294967294"); // the blocks
    EXPECT_EQ(sheet.rows[0][1].Std(), "35791394:07"); // INT_MAX seconds a game
}

// A world of two leagues; the user's club (Bexley, id 2) lives in the career with its squad.
struct CompareFixture : ::testing::Test {
    ScreenKit kit;
    CScreenStack& stack = kit.stack;
    CTextTable& language = kit.language;
    CCareerSession& session = kit.session;
    std::unique_ptr<CScreenContext> ctx;
    std::unique_ptr<CStatsCompareScreen> screen;
    CTeam* club = nullptr;
    std::vector<std::unique_ptr<CPlayer>> squad;

    CGuiGridControl* Grid(int id) { return dynamic_cast<CGuiGridControl*>(stack.FindElement(id)); }

    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        CMemoryDB& world = *session.worldDB;
        world.Clear();
        for (int l = 0; l < 2; ++l) {
            auto* league = new CLeague();
            league->id = l;
            league->nameTextId = 100174 + l; // any two texts the language file has
            league->type = 100005;
            world.leagues.Append(league);
        }
        const char* names[] = {"Albury", "Bexley", "Carrow", "albury"};
        const int leagueOf[] = {0, 0, 1, 1};
        for (int t = 0; t < 4; ++t) {
            auto* team = new CTeam();
            team->id = t + 1;
            team->name = names[t];
            team->leagueId = leagueOf[t];
            world.teams.Append(team);
        }
        AddWorldPlayer(0, "Ames", 80066);
        AddWorldPlayer(2, "Cole", 80063);
        AddWorldPlayer(2, "Cruz", 80066);
        AddWorldPlayer(3, "Abel", 80068);
        world.Link();
        session.careerDB = new CMemoryDB();
        club = new CTeam(world.teams.At(1)->CopyFields());
        session.careerDB->teams.Append(club);
        auto* careerLeague = new CLeague(*world.leagues.At(0));
        careerLeague->teams.clear();
        session.careerDB->leagues.Append(careerLeague);
        session.careerDB->profiles.Append(new CProfile());
        session.careerDB->Link();
        for (const char* name : {"Bell", "Birch"}) {
            auto player = std::make_unique<CPlayer>();
            player->name = name;
            player->words[kWordPosition] = 80063;
            club->players.push_back(player.get());
            squad.push_back(std::move(player));
        }
        session.currentDate = GameDate{2007, 9, 20};

        ctx = std::make_unique<CScreenContext>(kit.MakeContext());
        ctx->SetTooltips([](int id) { return CStr::Formatted("tip %d", id); });
        screen = std::make_unique<CStatsCompareScreen>(*ctx);
    }

    void AddWorldPlayer(int team, const char* name, int position) {
        auto* player = new CPlayer();
        player->name = name;
        player->teamId = team + 1;
        player->words[kWordPosition] = position;
        session.worldDB->players.Append(player);
    }

    void TearDown() override {
        screen.reset();
        if (club)
            club->players.clear(); // the squad belongs to the test
    }

    // Picks an item of a combo the way a click in its drop list does.
    void Pick(int combo, int item) {
        CGuiElement* element = stack.FindElement(combo);
        ASSERT_NE(element, nullptr);
        element->SetSelection(item);
        GuiMessage m{combo, -1, kMsgSelection, item, 0, 0};
        screen->OnMessage(m);
        EXPECT_EQ(m.sID, -1);
    }

    std::vector<std::string> Names(int gridId) {
        std::vector<std::string> out;
        CGuiGridControl* grid = Grid(gridId);
        for (int r = 0; grid && r < grid->GetRowCount(); ++r)
            out.push_back(grid->FindCell(1, r)->text.Std());
        return out;
    }

    // Everything a grid shows: headers, tooltips, widths and cells.
    std::string Snapshot(int gridId) {
        CGuiGridControl* grid = Grid(gridId);
        std::string out;
        for (int c = 0; c < grid->ColumnCount(); ++c)
            out += grid->HeaderText(c).Std() + "|" + grid->HeaderTooltip(c).Std() + "|" +
                   std::to_string(grid->ColumnWidth(c)) + ";";
        for (int r = 0; r < grid->GetRowCount(); ++r)
            for (int c = 0; c < grid->ColumnCount(); ++c)
                if (const GuiGridCell* cell = grid->FindCell(c, r))
                    out += cell->text.Std() + ",";
        return out;
    }
};

} // namespace

TEST_F(CompareFixture, RefreshBuildsASheetPerPlayerInWorldOrderWithTheUsersSquad) {
    screen->Refresh();
    using Names_ = std::vector<std::string>;
    // The world's copy of Bexley has no players: the career's squad stands in its place.
    EXPECT_EQ(Names(ID_SC_LEFT_GRID), (Names_{"Ames", "Bell", "Birch", "Cole", "Cruz", "Abel"}));
    EXPECT_EQ(Names(ID_SC_RIGHT_GRID), Names(ID_SC_LEFT_GRID));
    ASSERT_EQ(screen->Sheets().size(), 6u);
    const StatSheet& cole = *screen->Sheets()[3];
    EXPECT_EQ(cole.positionCode, CStr("C"));
    EXPECT_EQ(cole.teamName, CStr("Carrow"));
    EXPECT_EQ(cole.leagueName, language.Get(100175));
    EXPECT_EQ(screen->TeamItems().size(), 5u); // "All" and four teams, "albury" besides "Albury"
    EXPECT_EQ(screen->CompetitionItems().size(), 3u);
    EXPECT_EQ(screen->ViewItems().size(), 6u);
    EXPECT_EQ(screen->CategoryItems().size(), 11u);
    // Each cell carries its sheet's place in the list; a player without games shows the zero row.
    CGuiGridControl* grid = Grid(ID_SC_LEFT_GRID);
    EXPECT_EQ(grid->FindCell(5, 4)->data, 4);
    EXPECT_EQ(grid->FindCell(3, 4)->text, CStr("0"));
    EXPECT_EQ(grid->FindCell(4, 4)->text, CStr("0:00")); // no playing time
    EXPECT_EQ(grid->HeaderText(0), language.Get(200085));
    EXPECT_EQ(grid->HeaderText(3), language.Get(200013));
    EXPECT_EQ(grid->HeaderTooltip(3), CStr("tip 900113"));
    EXPECT_EQ(grid->CellTextColour(0, 0), CStatsCompareScreen::kPositionColour);
    EXPECT_EQ(grid->CellTextColour(1, 0), CStatsCompareScreen::kOddColour);
    EXPECT_EQ(grid->CellTextColour(2, 0), CStatsCompareScreen::kEvenColour);
    CStr caption = dynamic_cast<CGuiWindow*>(stack.FindElement(ID_STATSCOMPARE))->GetCaption();
    EXPECT_NE(caption.Std().find(language.Get(300122).Std() + " / "), std::string::npos) << caption.Std();
    EXPECT_NE(caption.Std().find(" / Bexley / 20.09.2007 / "), std::string::npos) << caption.Std();
}

TEST_F(CompareFixture, FiltersByTeamCompetitionAndPositionAsExactTexts) {
    screen->Refresh();
    using Names_ = std::vector<std::string>;
    Pick(ID_SC_LEFT_TEAM, 1); // Albury: not "albury"
    EXPECT_EQ(Names(ID_SC_LEFT_GRID), (Names_{"Ames"}));
    Pick(ID_SC_LEFT_TEAM, 0);
    Pick(ID_SC_LEFT_COMPETITION, 2);
    EXPECT_EQ(Names(ID_SC_LEFT_GRID), (Names_{"Cole", "Cruz", "Abel"}));
    Pick(ID_SC_LEFT_VIEW, 1); // point guards
    EXPECT_EQ(Names(ID_SC_LEFT_GRID), (Names_{"Cruz"}));
    Pick(ID_SC_LEFT_TEAM, 2); // Bexley is in the other competition: nobody passes both
    EXPECT_EQ(Grid(ID_SC_LEFT_GRID)->GetRowCount(), 0);
    EXPECT_EQ(Grid(ID_SC_LEFT_GRID)->HeaderText(3), language.Get(200013));
    EXPECT_EQ(Grid(ID_SC_LEFT_GRID)->CellCount(1), 0);
}

TEST_F(CompareFixture, SwitchingOnePanelLeavesTheOtherAsItWas) {
    screen->Refresh();
    std::string right = Snapshot(ID_SC_RIGHT_GRID);
    std::string left = Snapshot(ID_SC_LEFT_GRID);
    Pick(ID_SC_LEFT_CATEGORY, 2);
    EXPECT_EQ(Snapshot(ID_SC_RIGHT_GRID), right);
    EXPECT_NE(Snapshot(ID_SC_LEFT_GRID), left);
    CGuiGridControl* grid = Grid(ID_SC_LEFT_GRID);
    EXPECT_EQ(grid->HeaderText(4), language.Get(200029));
    EXPECT_EQ(grid->HeaderTooltip(11), CStr("tip 900136"));
    // Field goals skip points per game: the sheet's cells 0, 2, 3, ... fill the columns.
    const StatSheet& ames = *screen->Sheets()[0];
    EXPECT_EQ(grid->FindCell(3, 0)->text, ames.rows[2][0]);
    EXPECT_EQ(grid->FindCell(4, 0)->text, ames.rows[2][2]);
    EXPECT_EQ(grid->FindCell(11, 0)->text, ames.rows[2][9]);

    left = Snapshot(ID_SC_LEFT_GRID);
    Pick(ID_SC_RIGHT_CATEGORY, 8);
    EXPECT_EQ(Snapshot(ID_SC_LEFT_GRID), left);
    grid = Grid(ID_SC_RIGHT_GRID);
    EXPECT_EQ(grid->HeaderText(7), language.Get(200064));
    EXPECT_EQ(grid->HeaderText(8), CStr());
    EXPECT_EQ(grid->HeaderTooltip(8), CStr("tip 900179"));
    EXPECT_EQ(grid->CellCount(8), 0);
    // Back to the overview: its own widths again, the same for every refill.
    std::vector<int> widths;
    for (int c = 0; c < 12; ++c)
        widths.push_back(grid->ColumnWidth(c));
    Pick(ID_SC_RIGHT_CATEGORY, 0);
    Pick(ID_SC_RIGHT_CATEGORY, 8);
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(grid->ColumnWidth(c), widths[static_cast<size_t>(c)]) << c;
}

TEST_F(CompareFixture, EveryCategoryFitsTheGridAndCaptionsOnlyColumnsWithFigures) {
    for (int category = 0; category < kStatCategories; ++category) {
        int width = 0;
        for (const CompareColumn& column : CategoryColumns(category)) {
            width += column.width;
            EXPECT_EQ(column.caption == 0, column.cell < 0) << category;
            if (column.cell >= 0) {
                EXPECT_LT(column.cell, kSheetRowCells[category]);
            }
        }
        EXPECT_EQ(width, 530) << category;
    }
    // The layout's grid holds the position, both names and the figures, its scroll bar beside it.
    CGuiGridControl* grid = Grid(ID_SC_LEFT_GRID);
    EXPECT_EQ(grid->ColumnWidth(0) + 128 + 125 + 530, stack.FindElement(ID_SC_LEFT_GRID)->Desc().w);
}

TEST_F(CompareFixture, ChoicesSurviveARefreshButOnesPastTheRebuiltListsFilterNothing) {
    screen->Refresh();
    Pick(ID_SC_LEFT_TEAM, 4); // "albury", the last team
    Pick(ID_SC_RIGHT_COMPETITION, 2);
    Pick(ID_SC_RIGHT_CATEGORY, 10);
    screen->Refresh();
    EXPECT_EQ(screen->Left().team, 4);
    EXPECT_EQ(Names(ID_SC_LEFT_GRID), (std::vector<std::string>{"Abel"}));
    // Another career's world has fewer teams and leagues.
    session.worldDB->leagues.At(0)->teams.resize(1);
    session.worldDB->leagues.EraseAt(1);
    screen->Refresh();
    EXPECT_EQ(screen->Left().team, 0);
    EXPECT_EQ(screen->Right().competition, 0);
    EXPECT_EQ(screen->Right().category, 10);
    EXPECT_EQ(Names(ID_SC_LEFT_GRID), (std::vector<std::string>{"Ames"}));
    EXPECT_EQ(stack.FindElement(ID_SC_LEFT_TEAM)->GetSelectedIndex(), 0);
}

TEST_F(CompareFixture, OnlySelectionsOfItsOwnCombosAreTaken) {
    screen->Refresh();
    std::string left = Snapshot(ID_SC_LEFT_GRID);
    stack.FindElement(ID_SC_LEFT_TEAM)->SetSelection(1);
    GuiMessage click{ID_SC_LEFT_TEAM, -1, kMsgClick, 1, 0, 0};
    screen->OnMessage(click);
    EXPECT_EQ(click.sID, ID_SC_LEFT_TEAM);
    GuiMessage other{ID_ST_COMPETITION, -1, kMsgSelection, 1, 0, 0};
    screen->OnMessage(other);
    EXPECT_EQ(other.sID, ID_ST_COMPETITION);
    EXPECT_EQ(Snapshot(ID_SC_LEFT_GRID), left);
    EXPECT_EQ(screen->Left().team, 0);
}

TEST_F(CompareFixture, WithoutACareerNothingIsBuiltOrCleared) {
    session.careerDB->profiles.Clear();
    screen->Refresh();
    EXPECT_TRUE(screen->Sheets().empty());
    session.careerDB->profiles.Append(new CProfile());
    screen->Refresh();
    session.careerDB->profiles.Clear();
    screen->Refresh();
    EXPECT_EQ(screen->Sheets().size(), 6u);
}
