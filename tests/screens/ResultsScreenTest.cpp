// The results screen on the shipped layout: the final table leader first and graded by rank, the
// verdict on the last match day (the prize once, the bottom club's warning), the group list, and
// a screen without any table; then the window drawn offscreen for a look.
#include "ScreenTestKit.h"
#include "ShotCheck.h"

#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "engine/Color.h"
#include "engine/Device.h"
#include "gui/Element.h"
#include "gui/EngineBackend.h"
#include "gui/Grid.h"
#include "gui/ListBox.h"
#include "gui/TextTable.h"
#include "screens/info/StatisticsScreen.h"
#include "screens/match/ResultsScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace {

using screentest::MatchScreenRig;

// Four clubs in the user's league, each with `wins` of ten games won; the user's club (900) is one.
struct ResultsRig : MatchScreenRig {
    std::vector<std::unique_ptr<CMatchStat>> records;
    CTeam* user = nullptr;

    explicit ResultsRig(int userWins, CScreenContext::TextLookup texts = {})
        : MatchScreenRig(12, 5, std::move(texts)) {
        user = Club();
        CLeague* league = session.worldDB->leagues.At(0);
        auto* copy = new CTeam(user->CopyFields());
        session.worldDB->teams.Append(copy);
        league->teams.push_back(copy);
        session.careerDB->leagues.At(0)->teams = {user};
        auto* third = new CTeam();
        third->id = 3;
        third->leagueId = 0;
        third->name = "Club 3";
        session.worldDB->teams.Append(third);
        league->teams.push_back(third);
        session.fixtureList->Season().startYear = 2007;
        Wins(world.clubs[0], 7);
        Wins(world.clubs[1], 5);
        Wins(third, 2);
        Wins(user, userWins);
        session.currentDate = GameDate{2008, 4, 30};
    }
    ~ResultsRig() {
        for (CTeam* team : session.worldDB->teams)
            team->matchStats.clear();
        user->matchStats.clear();
    }
    void Wins(CTeam* team, int wins) {
        for (int game = 0; game < 10; ++game) {
            auto stat = std::make_unique<CMatchStat>();
            stat->Field(3) = team->id;
            stat->Field(8) = 2007;
            stat->Field(7) = 11;
            stat->Field(6) = 1 + game;
            stat->Field(9) = game < wins ? 90 : 80;
            stat->Field(10) = game < wins ? 80 : 90;
            stat->Field(13) = 40;
            stat->Field(14) = 20;
            stat->Field(15) = 10;
            stat->Field(16) = 5;
            team->matchStats.push_back(stat.get());
            records.push_back(std::move(stat));
        }
    }
    CGuiElement* Grid() { return stack.FindElement(ID_RESULTS_GRID); }
    CStr Cell(int column, int row) {
        GuiGridCell* cell = Grid()->FindCell(column, row);
        return cell ? cell->text : CStr("?");
    }
};

} // namespace

TEST(ResultsScreen, TheChampionsTableLeaderFirstGradedByRankAndThePrizeOnce) {
    ResultsRig rig(9);
    CResultsScreen results(rig.ctx);
    const int cash = rig.user->cash;
    results.Refresh();
    EXPECT_TRUE(results.Verdict().champion);
    EXPECT_EQ(rig.user->cash, cash + kChampionPrize);
    EXPECT_FALSE(results.SeasonOver());

    auto* grid = dynamic_cast<CGuiGridControl*>(rig.Grid());
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->GetRowCount(), 4);
    EXPECT_STREQ(rig.Cell(0, 0).GetText(), "1");
    EXPECT_STREQ(rig.Cell(1, 0).GetText(), "Users");
    EXPECT_STREQ(rig.Cell(2, 0).GetText(), "90.00");
    EXPECT_STREQ(rig.Cell(3, 0).GetText(), "10"); // the results counted: games played
    EXPECT_STREQ(rig.Cell(4, 0).GetText(), "89.00");
    EXPECT_STREQ(rig.Cell(5, 0).GetText(), "50.00");
    EXPECT_STREQ(rig.Cell(1, 3).GetText(), "Club 3");
    EXPECT_EQ(grid->GetSelectedRow(), 0);
    // League outside the tournaments: the win share's caption loses its last character.
    EXPECT_STREQ(grid->HeaderText(2).GetText(), "<80000");
    EXPECT_STREQ(grid->HeaderText(3).GetText(), "<100043>");
    // Four rows grade by 255 / 4 a row: the second component doubles until it passes 255, then
    // the third falls.
    const uint32_t graded[4] = {PackColor(255, 0, 255, 0), PackColor(255, 126, 255, 0),
                                PackColor(255, 254, 255, 0), PackColor(255, 255, 64, 0)};
    for (int r = 1; r < 4; ++r)
        EXPECT_EQ(grid->FindCell(0, r)->colour, graded[r]) << r;
    // The user's row, under the highlight, is white whatever its rank.
    EXPECT_EQ(grid->GetSelectedRow(), 0);
    for (int c = 0; c < CResultsScreen::kColumns; ++c)
        EXPECT_EQ(grid->CellTextColour(c, 0), CResultsScreen::kWhite) << c;
    EXPECT_STREQ(rig.stack.FindElement(ID_RESULTS_TITLE)->GetText().GetText(), "<800000>");
    EXPECT_STREQ(rig.stack.FindElement(ID_RESULTS_SEASON)->GetText().GetText(), "2007-2008 <80030>");
    EXPECT_STREQ(rig.stack.FindElement(ID_RESULTS_STAGE)->GetText().GetText(), "<100154>");

    // The other callers of the last day, and the window opened again: no second prize.
    results.Refresh();
    GuiMessage open{ID_DAYPANEL_STATISTICS, ID_RESULTS, kMsgSwitchTo, ID_DAYPANEL_STATISTICS, 0, 0};
    results.OnMessage(open);
    EXPECT_EQ(rig.user->cash, cash + kChampionPrize);
    EXPECT_EQ(rig.Grid()->GetRowCount(), 4);
}

// The user's club and Club 1 both win seven of ten: a bigger win puts the user's club on top
// with an unmarked table; on equal figures the names place them, and the table says so.
TEST(ResultsScreen, EqualRecordsArePartedByPointsDifferenceOrMarkedLevel) {
    for (bool biggerWin : {true, false}) {
        SCOPED_TRACE(biggerWin ? "a bigger win" : "level on every figure");
        ResultsRig rig(7);
        if (biggerWin)
            rig.user->matchStats.front()->Field(9) = 100;
        CResultsScreen results(rig.ctx);
        results.Refresh();
        CGuiElement* note = rig.stack.FindElement(ID_RESULTS_LEVEL_NOTE);
        ASSERT_NE(note, nullptr);
        if (biggerWin) {
            EXPECT_STREQ(rig.Cell(0, 0).GetText(), "1");
            EXPECT_STREQ(rig.Cell(1, 0).GetText(), "Users");
            EXPECT_STREQ(rig.Cell(0, 1).GetText(), "2");
            EXPECT_STREQ(rig.Cell(1, 1).GetText(), "Club 1");
            EXPECT_TRUE(results.Verdict().champion);
            EXPECT_STREQ(note->GetText().GetText(), "");
        } else {
            EXPECT_STREQ(rig.Cell(0, 0).GetText(), "1<302950>");
            EXPECT_STREQ(rig.Cell(1, 0).GetText(), "Club 1");
            EXPECT_STREQ(rig.Cell(0, 1).GetText(), "2<302950>");
            EXPECT_STREQ(rig.Cell(1, 1).GetText(), "Users");
            EXPECT_STREQ(rig.Cell(0, 2).GetText(), "3");
            EXPECT_FALSE(results.Verdict().champion);
            EXPECT_EQ(results.Verdict().position, 2);
            EXPECT_STREQ(note->GetText().GetText(), "<302951>");
        }
        EXPECT_STREQ(rig.Cell(3, 1).GetText(), "10");
    }
}

TEST(ResultsScreen, TheLeaguesChampionAndTheUsersPromotionAreNamed) {
    ResultsRig rig(9);
    // The league above is the world's second league.
    auto* above = new CLeague();
    above->id = 77;
    above->nameTextId = 800077;
    rig.session.worldDB->leagues.Append(above);
    rig.session.careerDB->leagues.At(0)->promotionLeague = rig.session.worldDB->leagues.Size() - 1;
    CResultsScreen results(rig.ctx);
    results.Refresh();
    EXPECT_STREQ(rig.stack.FindElement(ID_RESULTS_STAGE_TEXT)->GetText().GetText(),
                 "<302900>Users<302901><800077>");
}

// Every division has its own champion: the line under the table names the leader of the division
// picked in the list, and only the user's division carries his promotion.
TEST(ResultsScreen, EachDivisionPickedNamesItsOwnChampion) {
    ResultsRig rig(9);
    auto* north = new CLeague();
    north->id = 5;
    north->nameTextId = 800005;
    north->type = rig.session.worldDB->leagues.At(0)->type; // a division of the same competition
    rig.session.worldDB->leagues.Append(north);
    for (const auto& [id, name, wins] : {std::tuple{41, "North Stars", 8}, std::tuple{42, "North Owls", 3}}) {
        auto* club = new CTeam();
        club->id = id;
        club->leagueId = north->id;
        club->name = name;
        rig.session.worldDB->teams.Append(club);
        north->teams.push_back(club);
        rig.Wins(club, wins);
    }
    CResultsScreen results(rig.ctx);
    results.Refresh();
    CGuiElement* message = rig.stack.FindElement(ID_RESULTS_STAGE_TEXT);
    EXPECT_STREQ(message->GetText().GetText(), "<302900>Users");

    auto* groups = dynamic_cast<CGuiListBox*>(rig.stack.FindElement(ID_RESULTS_GROUPS));
    ASSERT_NE(groups, nullptr);
    ASSERT_EQ(groups->GetItemCount(), 2);
    const int other = groups->GetSelectedIndex() == 0 ? 1 : 0;
    groups->SetSelection(other);
    GuiMessage pick{ID_RESULTS_GROUPS, -1, kMsgSelection, other, 0, 0};
    results.OnMessage(pick);
    EXPECT_STREQ(rig.Cell(1, 0).GetText(), "North Stars");
    EXPECT_STREQ(message->GetText().GetText(), "<302900>North Stars");

    groups->SetSelection(1 - other);
    GuiMessage back{ID_RESULTS_GROUPS, -1, kMsgSelection, 1 - other, 0, 0};
    results.OnMessage(back);
    EXPECT_STREQ(rig.Cell(1, 0).GetText(), "Users");
    EXPECT_STREQ(message->GetText().GetText(), "<302900>Users");

    // The other division picked, the window left and opened again: it shows the user's table
    // again, and the line under it names that table's champion, not the one picked before.
    groups->SetSelection(other);
    GuiMessage pickAgain{ID_RESULTS_GROUPS, -1, kMsgSelection, other, 0, 0};
    results.OnMessage(pickAgain);
    ASSERT_STREQ(message->GetText().GetText(), "<302900>North Stars");
    GuiMessage reopen{-1, ID_RESULTS, kMsgSwitchTo, 0, 0, 0};
    results.OnMessage(reopen);
    EXPECT_STREQ(rig.Cell(1, 0).GetText(), "Users");
    EXPECT_STREQ(message->GetText().GetText(), "<302900>Users");
    EXPECT_EQ(rig.user->cash - 5000, kChampionPrize) << "picking a table judges nothing again";
}

TEST(ResultsScreen, TheBottomClubIsWarnedAndItsSeasonIsOver) {
    ResultsRig rig(1);
    CResultsScreen results(rig.ctx);
    results.Refresh();
    EXPECT_TRUE(results.Verdict().bottom);
    EXPECT_TRUE(results.SeasonOver());
    EXPECT_TRUE(rig.session.careerOver);
    CGuiElement* message = rig.stack.FindElement(ID_RESULTS_STAGE_TEXT);
    // The verdict, then the league's champion (the club with seven wins).
    EXPECT_EQ(message->GetText().Find("<250091>"), 0) << message->GetText().GetText();
    EXPECT_NE(message->GetText().Find(CStr("<302900>").Concat(rig.world.clubs[0]->name)), -1)
        << message->GetText().GetText();
    EXPECT_EQ(message->GetText().Find("<302901>"), -1) << "nobody else goes up with the user";
    EXPECT_EQ(rig.user->cash, 5000);
    EXPECT_STREQ(rig.Cell(1, 3).GetText(), "Users");
}

TEST(ResultsScreen, NoTableLeavesTheGridEmptyAndAPickOfNothingDoesNothing) {
    MatchScreenRig rig;
    CResultsScreen results(rig.ctx);
    // The career's league has no clubs linked: no table can be built.
    results.Refresh();
    EXPECT_TRUE(results.Groups().empty());
    EXPECT_EQ(rig.stack.FindElement(ID_RESULTS_GRID)->GetRowCount(), 0);
    results.Build();
    GuiMessage pick{ID_RESULTS_GROUPS, -1, kMsgSelection, 3, 0, 0};
    results.OnMessage(pick);
    EXPECT_EQ(pick.sID, -1);
    EXPECT_EQ(rig.stack.FindElement(ID_RESULTS_GRID)->GetRowCount(), 0);
    EXPECT_FALSE(results.Verdict().judged);
}

// A tournament's final played: the champion is named under the verdict, the user's club or not.
TEST(ResultsScreen, TheFinalNamesTheTournamentsChampion) {
    for (bool userWins : {true, false}) {
        ResultsRig rig(userWins ? 9 : 1);
        rig.session.tournamentMode = 1;
        rig.session.cupStage = 4;
        CTeam* other = rig.world.clubs[0];
        CFixture* decider = rig.session.fixtureList->AddFixture(
            rig.user, other, rig.session.worldDB->leagues.At(0), 2006, 9, 3);
        ASSERT_NE(decider, nullptr);
        decider->homeScore = userWins ? 90 : 70;
        decider->awayScore = 80;
        CResultsScreen results(rig.ctx);
        results.Refresh();
        const CStr shown = rig.stack.FindElement(ID_RESULTS_STAGE_TEXT)->GetText();
        if (userWins) {
            EXPECT_STREQ(shown.GetText(), "<302074>Users");
        } else {
            EXPECT_TRUE(results.SeasonOver());
            // The final's loser did not finish "too low in the table": the champion's line says it.
            EXPECT_STREQ(shown.GetText(), CStr("<302074>").Concat(other->name).GetText());
        }
        // The same day's other callers do not name it twice.
        results.Refresh();
        EXPECT_STREQ(rig.stack.FindElement(ID_RESULTS_STAGE_TEXT)->GetText().GetText(), shown.GetText());
    }
}

TEST(ResultsScreenShot, TheFinalTableAfterATitle) {
    ShotDevice shot(std::string(FB_GAME_DIR) + "/../day-screenshots");
    if (shot.SkipReason())
        GTEST_SKIP() << shot.SkipReason();
    CQuorelDevice& device = shot.device;
    CGuiEngineBackend& backend = *shot.backend;
    CTextTable language;
    ASSERT_TRUE(language.Load("\\guifiles\\lang_en.txt"));
    {
        ResultsRig rig(9, [&language](int id) {
            if (id == 800000)
                return CStr("Third Division");
            return language.Get(id);
        });
        rig.user->name = "Harbour Lions";
        rig.world.clubs[0]->name = "Valley Bears";
        rig.world.clubs[1]->name = "North Wolves";
        CResultsScreen results(rig.ctx);
        results.Refresh();
        rig.stack.PostMessage(10050, ID_FRAME, kMsgOpenMenu, 10050, 0);
        rig.stack.PostMessage(10050, ID_RESULTS, kMsgSwitchTo, 10050, 0);
        rig.stack.ProcessMessages();
        ASSERT_TRUE(rig.stack.IsLayerActive(ID_RESULTS));

        device.BeginScene();
        device.Clear(0x0E0A08FFu);
        rig.stack.Draw(backend, 1000);
        device.EndScene();
        device.Flush2D();
        EXPECT_TRUE(device.SaveScreenshot(shot.Path("results.png").c_str()));
        device.Present();
    }
}
