// The statistics screen on the shipped layout: the standings grid, the picked team's figures and
// players, the fixture grids and the match comparison, and picks that name nothing.
#include "screens/info/StatisticsScreen.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "engine/Color.h"
#include "gui/Grid.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"
#include "gui/Window.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Two leagues of the league kind and one cup group; the user's club is "Bexley" (id 2) of league 0.
// Played: Albury 80-70 Bexley, Carrow 60-75 Albury, Bexley 70-70 Carrow (a level score).
struct StatisticsFixture : ::testing::Test {
    CScreenStack stack;
    CFakeShell shell;
    CCareerSession session{Texts};
    std::unique_ptr<CScreenContext> ctx;
    std::unique_ptr<CStatisticsScreen> screen;
    CTeam* teams[8] = {};
    CTeam* club = nullptr;
    std::vector<std::unique_ptr<CPlayer>> players;

    CGuiElement* Find(int id) { return stack.FindElement(id); }

    void SetUp() override {
        CGuiLayoutLoader loader(stack);
        ASSERT_TRUE(loader.Load()); // the game folder is the working directory
        CMemoryDB& world = *session.worldDB;
        world.Clear();
        const char* names[] = {"", "Albury", "Bexley", "Carrow", "Dunmore", "Eston", "Filey", "Cupton"};
        const int leagueOf[] = {0, 0, 0, 0, 0, 1, 1, 2};
        for (int l = 0; l < 3; ++l) {
            auto* league = new CLeague();
            league->id = l;
            league->nameTextId = 810000 + l;
            league->type = l < 2 ? 100005 : 100004;
            world.leagues.Append(league);
        }
        for (int id = 1; id <= 7; ++id) {
            auto* team = new CTeam();
            team->id = id;
            team->name = names[id];
            team->leagueId = leagueOf[id];
            team->countryTextId = 800100;
            team->logo = "images\\WinObjects\\Logos\\none.png";
            world.teams.Append(team);
            teams[id] = team;
        }
        world.Link();
        session.careerDB = new CMemoryDB();
        club = new CTeam(teams[2]->CopyFields());
        session.careerDB->teams.Append(club);
        auto* careerLeague = new CLeague(*world.leagues.At(0));
        careerLeague->teams.clear();
        session.careerDB->leagues.Append(careerLeague);
        session.careerDB->profiles.Append(new CProfile());
        session.careerDB->Link();
        session.currentDate = GameDate{2007, 9, 20};

        CFixtureList& fixtures = *session.fixtureList;
        const CLeague* l0 = world.leagues.At(0);
        Play(fixtures.AddFixture(teams[1], teams[2], l0, 2007, 9, 5), 80, 70);
        Play(fixtures.AddFixture(teams[3], teams[1], l0, 2007, 9, 12), 60, 75);
        Play(fixtures.AddFixture(teams[2], teams[3], l0, 2007, 9, 19), 70, 70);
        fixtures.AddFixture(teams[4], teams[2], l0, 2007, 9, 26);
        fixtures.AddFixture(teams[5], teams[6], world.leagues.At(1), 2007, 9, 26);
        fixtures.FinishSchedule(); // the season starts on 4 September

        // Bexley's squad: two with statistics, two without.
        AddPlayer("Zane", 600, 10, 5);
        AddPlayer("Yorick", 900, 10, 2);
        AddPlayer("Adam", -1, 0, 0);
        AddPlayer("Brian", -1, 0, 0);

        ctx = std::make_unique<CScreenContext>(session, stack, shell, Texts, nullptr);
        ctx->SetTooltips([](int id) { return CStr::Formatted("tip %d", id); });
        screen = std::make_unique<CStatisticsScreen>(*ctx);
    }

    // Scores the fixture and books both clubs' records; the user's club plays as the career record.
    void Play(CFixture* fixture, int homeScore, int awayScore) {
        fixture->homeScore = homeScore;
        fixture->awayScore = awayScore;
        auto book = [&](CTeam* team, CTeam* other, int own, int against) {
            if (team->id == club->id)
                team = club;
            auto* stat = new CMatchStat();
            stat->Field(3) = team->id;
            stat->Field(4) = other->id;
            stat->Field(6) = fixture->day;
            stat->Field(7) = fixture->month;
            stat->Field(8) = fixture->year;
            stat->Field(9) = own;
            stat->Field(10) = against;
            stat->Field(13) = 40;
            stat->Field(14) = 20;
            stat->Field(17) = 10;
            stat->Field(18) = 5;
            session.worldDB->matchStats.Append(stat);
            team->matchStats.push_back(stat);
        };
        book(fixture->home, fixture->away, homeScore, awayScore);
        book(fixture->away, fixture->home, awayScore, homeScore);
    }

    void AddPlayer(const char* name, int seconds, int twoAttempts, int twoMade) {
        auto* player = new CPlayer();
        player->name = name;
        player->words[kWordPosition] = 80063;
        player->words[kWordShirtNumber] = 4;
        if (seconds >= 0) {
            auto* stat = new CPlayerStat();
            stat->Field(2) = 2007;
            stat->Field(3) = 9;
            stat->Field(4) = 19;
            stat->Field(5) = seconds;
            stat->Field(14) = twoAttempts;
            stat->Field(15) = twoMade;
            stat->Field(10) = 2 * twoMade;
            session.worldDB->playerStats.Append(stat);
            player->stats.push_back(stat);
        }
        club->players.push_back(player);
        players.emplace_back(player);
    }

    void TearDown() override {
        screen.reset();
        // The squad belongs to the test, not to the career's tables.
        if (club)
            club->players.clear();
    }
};

} // namespace

TEST_F(StatisticsFixture, StandingsRankFromOneWithTheUsersClubHighlighted) {
    screen->Refresh();
    CGuiElement* grid = Find(ID_ST_STANDINGS);
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->GetRowCount(), 4);
    // Albury 2-0, Bexley 0-2 (the level score is a loss), Carrow 0-2; Dunmore has not played.
    EXPECT_EQ(Cell(grid, 0, 0), "1");
    EXPECT_EQ(Cell(grid, 1, 0), "Albury");
    EXPECT_EQ(Cell(grid, 3, 0), "2");
    EXPECT_EQ(Cell(grid, 4, 0), "2");
    EXPECT_EQ(Cell(grid, 5, 0), "0");
    EXPECT_EQ(Cell(grid, 6, 0), "155");
    EXPECT_EQ(Cell(grid, 8, 0), "25");
    EXPECT_EQ(Cell(grid, 9, 0), "100.00");
    EXPECT_EQ(Cell(grid, 0, 3), "-");
    EXPECT_EQ(Cell(grid, 1, 3), "Dunmore");
    EXPECT_EQ(Cell(grid, 9, 3), "0.00");
    int bexleyRow = Cell(grid, 1, 1) == "Bexley" ? 1 : 2;
    EXPECT_EQ(Cell(grid, 8, bexleyRow), "-10");
    EXPECT_EQ(Cell(grid, 5, bexleyRow), "2");
    auto* g = static_cast<CGuiGridControl*>(grid);
    for (int col = 0; col < 9; ++col) {
        EXPECT_EQ(g->CellTextColour(col, bexleyRow), PackColor(255, 0, 255, 0)) << col;
        EXPECT_EQ(g->CellTextColour(col, 0), PackColor(255, 255, 255, 255)) << col;
    }
    // Graded by rank over four rows: 0, then 63 and 127 steps doubled into the second component.
    EXPECT_EQ(g->CellTextColour(9, 0), PackColor(255, 0, 255, 0));
    // The club without a result has no rank colour: its 0.00 is white.
    EXPECT_EQ(g->CellTextColour(9, 3), PackColor(255, 255, 255, 255));
    EXPECT_EQ(g->CellTextColour(9, bexleyRow),
              bexleyRow == 1 ? PackColor(255, 126, 255, 0) : PackColor(255, 254, 255, 0));
    EXPECT_EQ(grid->GetSelectedRow(), 0);
    EXPECT_EQ(g->HeaderText(0), CStr("<100024>"));
    EXPECT_EQ(g->HeaderText(9), CStr("<100201>"));
    EXPECT_FALSE(screen->CupStyle());
    // The combo lists the two league-kind competitions with the user's league picked.
    CGuiElement* combo = Find(ID_ST_COMPETITION);
    EXPECT_EQ(combo->GetItemCount(), 2);
    EXPECT_EQ(combo->GetItemText(combo->GetSelectedIndex()), CStr("<810000>"));
    CStr caption = static_cast<CGuiWindow*>(Find(ID_STATISTICS))->GetCaption();
    EXPECT_EQ(caption, CStr("<100021> / <810000> / Bexley / 2007-2008 <80030> / 20.09.2007"));
}

// Bexley and Carrow both lost both games: Bexley's smaller margin puts it above. Eston and Filey
// drew their one game: level on every figure, they stand by name and are marked, with the note.
TEST_F(StatisticsFixture, EqualRecordsRankByPointsDifferenceAndLevelRowsAreMarked) {
    for (int i = 0; i < session.fixtureList->Size(); ++i)
        if (CFixture* f = session.fixtureList->At(i); f->home == teams[5])
            Play(f, 70, 70);
    // Listed the other way round, which the order must not depend on.
    for (int l = 0; l < 2; ++l) {
        auto& listed = session.worldDB->leagues.At(l)->teams;
        std::reverse(listed.begin(), listed.end());
    }
    screen->Refresh();
    CGuiElement* grid = Find(ID_ST_STANDINGS);
    CGuiElement* note = Find(ID_ST_LEVEL_NOTE);
    ASSERT_NE(note, nullptr);
    ASSERT_EQ(grid->GetRowCount(), 4);
    EXPECT_EQ(Cell(grid, 1, 1), "Bexley");
    EXPECT_EQ(Cell(grid, 0, 1), "2");
    EXPECT_EQ(Cell(grid, 1, 2), "Carrow");
    EXPECT_EQ(Cell(grid, 0, 2), "3");
    EXPECT_EQ(note->GetText().Std(), "");

    CGuiElement* combo = Find(ID_ST_COMPETITION);
    int second = -1;
    for (int item = 0; item < combo->GetItemCount(); ++item)
        if (screen->Competitions()[static_cast<size_t>(combo->GetItemData(item))]->leagueId == 1)
            second = item;
    ASSERT_GE(second, 0);
    combo->SetSelection(second);
    GuiMessage pick{ID_ST_COMPETITION, -1, kMsgSelection, second, 0, 0};
    screen->OnMessage(pick);
    ASSERT_EQ(grid->GetRowCount(), 2);
    EXPECT_EQ(Cell(grid, 0, 0), "1<302950>");
    EXPECT_EQ(Cell(grid, 1, 0), "Eston");
    EXPECT_EQ(Cell(grid, 0, 1), "2<302950>");
    EXPECT_EQ(Cell(grid, 1, 1), "Filey");
    EXPECT_EQ(note->GetText().Std(), "<302951>");
}

TEST_F(StatisticsFixture, RankGradientRunsFromGreenThroughYellowToRed) {
    EXPECT_EQ(RankGradientColour(0, 10), PackColor(255, 0, 255, 0));
    EXPECT_EQ(RankGradientColour(3, 10), PackColor(255, 152, 255, 0));
    EXPECT_EQ(RankGradientColour(6, 10), PackColor(255, 255, 102, 0));
}

TEST_F(StatisticsFixture, TheFirstRowsTeamShowsItsFiguresAndPlayers) {
    for (CTeam* team : session.worldDB->teams)
        if (team->name == CStr("Bexley")) {
            team->attendance = 12500;
            team->fanBase = 950;
        }
    for (CTeam* team : session.careerDB->teams)
        if (team->name == CStr("Bexley")) {
            team->attendance = 12500;
            team->fanBase = 950;
        }
    screen->Refresh();
    CGuiElement* standings = Find(ID_ST_STANDINGS);
    int bexleyRow = Cell(standings, 1, 1) == "Bexley" ? 1 : 2;
    GuiMessage pick{ID_ST_STANDINGS, -1, kMsgSelection, bexleyRow, 0, 0};
    standings->SetSelectedRow(bexleyRow);
    screen->OnMessage(pick);
    EXPECT_EQ(pick.sID, -1);

    CGuiElement* info = Find(ID_ST_TEAMINFO);
    EXPECT_EQ(info->GetRowCount(), 14);
    EXPECT_EQ(Cell(info, 0, 0), "<80019>");
    EXPECT_EQ(Cell(info, 1, 0), "Bexley");
    EXPECT_EQ(Cell(info, 1, 2), "<100009>"); // no stadium
    // Crowds and fans read grouped by thousands.
    EXPECT_EQ(Cell(info, 1, 1), "12,500");
    EXPECT_EQ(Cell(info, 1, 4), "950");
    EXPECT_EQ(Cell(info, 0, 13), "<80062>");

    CGuiElement* grid = Find(ID_ST_PLAYERS);
    ASSERT_EQ(grid->GetRowCount(), 4);
    // Players without statistics first, by name; then the best field-goal percentage.
    EXPECT_EQ(Cell(grid, 1, 0), "Adam");
    EXPECT_EQ(Cell(grid, 0, 0), "-");
    EXPECT_EQ(Cell(grid, 1, 1), "Brian");
    EXPECT_EQ(Cell(grid, 1, 2), "Zane");
    EXPECT_EQ(Cell(grid, 0, 2), "3"); // as the transfer list writes a rank: no leading zero
    EXPECT_EQ(Cell(grid, 4, 2), "1");
    EXPECT_EQ(Cell(grid, 5, 2), "10:00");
    EXPECT_EQ(Cell(grid, 6, 2), "10.00");
    EXPECT_EQ(Cell(grid, 7, 2), "5.00/10.00");
    EXPECT_EQ(Cell(grid, 8, 2), "50.00");
    EXPECT_EQ(Cell(grid, 12, 2), "0.00");
    EXPECT_EQ(Cell(grid, 1, 3), "Yorick");
    EXPECT_EQ(Cell(grid, 5, 3), "15:00");
    EXPECT_EQ(static_cast<CGuiGridControl*>(grid)->CellTextColour(8, 3), RankGradientColour(3, 4));

    CGuiElement* squad = Find(ID_ST_SQUAD);
    EXPECT_EQ(squad->GetRowCount(), 5);
    EXPECT_EQ(Cell(squad, 0, 0), "Adam");
    EXPECT_EQ(Cell(squad, 2, 0), "Zane");
    EXPECT_EQ(Cell(squad, 0, 1), "Yorick");
}

TEST_F(StatisticsFixture, PicksThatNameNothingDoNothing) {
    screen->Refresh();
    CGuiElement* standings = Find(ID_ST_STANDINGS);
    CGuiElement* players = Find(ID_ST_PLAYERS);
    std::string before = Cell(players, 1, 0);

    // A row beyond the cells, a cell naming a row or a competition that is not there.
    standings->SetRowCount(9);
    standings->SetSelectedRow(7);
    GuiMessage pick{ID_ST_STANDINGS, -1, kMsgSelection, 7, 0, 0};
    screen->OnMessage(pick);
    standings->FindCell(0, 0)->data = 99;
    standings->SetSelectedRow(0);
    screen->ShowTeam();
    standings->FindCell(0, 0)->data = 0;
    standings->FindCell(1, 0)->data = -3;
    screen->ShowTeam();
    EXPECT_EQ(Cell(players, 1, 0), before);

    // A competition item naming a table that is not there leaves the standings as they were.
    CGuiElement* combo = Find(ID_ST_COMPETITION);
    combo->SetItem(combo->GetSelectedIndex(), "stale", 42);
    GuiMessage comboPick{ID_ST_COMPETITION, -1, kMsgSelection, 0, 0, 0};
    screen->OnMessage(comboPick);
    EXPECT_EQ(Cell(standings, 1, 0), "Albury");

    // A fixture row carrying no entry, and one whose entry is gone.
    CGuiElement* matches = Find(ID_MC_GRID);
    std::string home = Find(ID_MC_HOME_NAME)->GetText().Std();
    matches->FindCell(0, 0)->data = 1000;
    matches->SetSelectedRow(0);
    GuiMessage matchPick{ID_MC_GRID, -1, kMsgSelection, 0, 0, 0};
    screen->OnMessage(matchPick);
    EXPECT_EQ(Find(ID_MC_HOME_NAME)->GetText().Std(), home);
    matches->SetSelectedRow(55); // beyond the rows: back to the first
    screen->ShowMatchComparison();
    EXPECT_EQ(matches->GetSelectedRow(), 0);
}

TEST_F(StatisticsFixture, FixtureGridsListTheCompetitionsFixturesByHomeLeague) {
    screen->Refresh();
    ASSERT_EQ(screen->Matches().size(), 5u);
    CGuiElement* list = Find(ID_FX_COMPETITION);
    EXPECT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(list->GetItemData(list->GetSelectedIndex()), 0);
    CGuiElement* grid = Find(ID_FX_GRID);
    ASSERT_EQ(grid->GetRowCount(), 4);
    EXPECT_EQ(Cell(grid, 0, 0), "05.09.2007");
    EXPECT_EQ(Cell(grid, 1, 0), "<60004>"); // a Wednesday
    EXPECT_EQ(Cell(grid, 2, 0), "Albury");
    EXPECT_EQ(Cell(grid, 3, 0), "80-70");
    EXPECT_EQ(Cell(grid, 4, 0), "Bexley");
    EXPECT_EQ(Cell(grid, 3, 3), "-");
    auto* g = static_cast<CGuiGridControl*>(grid);
    EXPECT_EQ(g->CellTextColour(2, 0), PackColor(255, 0, 255, 0)); // the user's club plays
    EXPECT_EQ(g->CellTextColour(2, 1), PackColor(255, 255, 255, 255));

    // The other league's fixtures when it is picked.
    for (int item = 0; item < list->GetItemCount(); ++item)
        if (list->GetItemData(item) == 1)
            list->SetSelection(item);
    GuiMessage pick{ID_FX_COMPETITION, -1, kMsgSelection, 0, 0, 0};
    screen->OnMessage(pick);
    ASSERT_EQ(grid->GetRowCount(), 1);
    EXPECT_EQ(Cell(grid, 2, 0), "Eston");
}

TEST_F(StatisticsFixture, MatchComparisonSumsBothTeamsSinceTheSeasonStart) {
    screen->Refresh();
    CGuiElement* matches = Find(ID_MC_GRID);
    ASSERT_EQ(matches->GetRowCount(), 4);
    // The third fixture: Bexley 70-70 Carrow.
    matches->SetSelectedRow(2);
    GuiMessage pick{ID_MC_GRID, -1, kMsgSelection, 2, 0, 0};
    screen->OnMessage(pick);
    EXPECT_EQ(Find(ID_MC_HOME_NAME)->GetText(), CStr("Bexley"));
    EXPECT_EQ(Find(ID_MC_AWAY_NAME)->GetText(), CStr("Carrow"));
    CGuiElement* home = Find(ID_MC_HOME_GRID);
    ASSERT_EQ(home->GetRowCount(), 7);
    EXPECT_EQ(Cell(home, 0, 0), "<100112>");
    EXPECT_EQ(Cell(home, 1, 0), "2");
    EXPECT_EQ(Cell(home, 1, 1), "0/1"); // the level score is neither a win nor a loss here
    EXPECT_EQ(Cell(home, 1, 2), "140/150");
    EXPECT_EQ(Cell(home, 0, 3), "<100103>");
    EXPECT_EQ(Cell(home, 1, 3), "10/20");
    EXPECT_EQ(Cell(home, 2, 3), "50.00");
    EXPECT_EQ(Cell(home, 2, 4), "0.00"); // no dunk tried
    EXPECT_EQ(Cell(home, 1, 6), "40/80");
    EXPECT_EQ(Cell(home, 2, 0), "-");
    CGuiElement* away = Find(ID_MC_AWAY_GRID);
    EXPECT_EQ(Cell(away, 1, 1), "0/1");
    EXPECT_EQ(Cell(away, 1, 2), "130/145");

    ComparisonFigures before = SumComparisonFigures(club, 20070905);
    EXPECT_EQ(before.games, 1); // the match of the 5th is not after the 5th
}

// The table and the match comparison write their figures as every other screen does: counts and
// the points difference without padding, shots made before tried under a caption that says so,
// and each share with two decimals beside the pair it is the share of.
TEST_F(StatisticsFixture, TheTableAndTheComparisonWriteCountsUnpaddedAndShotsMadeBeforeTried) {
    screen->Refresh();
    CGuiElement* standings = Find(ID_ST_STANDINGS);
    ASSERT_EQ(Cell(standings, 1, 3), "Dunmore");
    EXPECT_EQ(Cell(standings, 8, 3), "0"); // has not played: no difference, no blank before it

    CGuiElement* matches = Find(ID_MC_GRID);
    matches->SetSelectedRow(0); // Albury 80-70 Bexley, Albury's first game
    GuiMessage pick{ID_MC_GRID, -1, kMsgSelection, 0, 0, 0};
    screen->OnMessage(pick);
    for (CGuiElement* grid : {Find(ID_MC_HOME_GRID), Find(ID_MC_AWAY_GRID)}) {
        for (int row = 0; row < grid->GetRowCount(); ++row)
            for (int column = 1; column < 3; ++column) {
                const std::string value = Cell(grid, column, row);
                EXPECT_TRUE(value.empty() || value[0] != '0' || value == "0" || value.rfind("0/", 0) == 0 ||
                            value.rfind("0.", 0) == 0)
                    << "padded: " << value;
                EXPECT_EQ(value.find('%'), std::string::npos) << "the caption says it: " << value;
            }
        // Made before tried, each shot row under its made-first caption.
        const char* captions[] = {"<100103>", "<100105>", "<100104>", "<100110>"};
        for (int row = 3; row < 7; ++row)
            EXPECT_EQ(Cell(grid, 0, row), captions[row - 3]);
    }
    CGuiElement* home = Find(ID_MC_HOME_GRID);
    EXPECT_EQ(Cell(home, 1, 0), "2");
    EXPECT_EQ(Cell(home, 1, 1), "2/0");
    EXPECT_EQ(Cell(home, 1, 3), "10/20"); // 5 of 10 free throws a game, two games
    EXPECT_EQ(Cell(home, 2, 3), "50.00");
    EXPECT_EQ(Cell(home, 1, 4), "0/0");
    EXPECT_EQ(Cell(home, 2, 4), "0.00");
}

TEST_F(StatisticsFixture, CupGroupsShowTheRecordAndARefreshWithoutCareerDropsTheTables) {
    session.careerDB->leagues.At(0)->type = 100004;
    screen->Refresh();
    EXPECT_TRUE(screen->CupStyle());
    ASSERT_EQ(screen->Competitions().size(), 1u); // the cup group is the only one of that kind
    CGuiElement* grid = Find(ID_ST_STANDINGS);
    EXPECT_EQ(static_cast<CGuiGridControl*>(grid)->HeaderText(9), CStr("<80072>"));
    EXPECT_EQ(Cell(grid, 9, 0), "0:0");

    session.careerDB->leagues.At(0)->type = 100005;
    screen->Refresh();
    EXPECT_EQ(Cell(grid, 9, 0), "100.00");
    delete session.careerDB;
    club = nullptr;
    session.careerDB = nullptr;
    screen->Refresh();
    EXPECT_TRUE(screen->Competitions().empty());
    EXPECT_TRUE(screen->Matches().empty());
    GuiMessage pick{ID_ST_STANDINGS, -1, kMsgSelection, 0, 0, 0};
    screen->OnMessage(pick); // nothing to show, nothing read
    EXPECT_EQ(pick.sID, -1);
}
