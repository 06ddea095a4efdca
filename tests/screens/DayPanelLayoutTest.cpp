// The shipped layout's day panel, squad message and season-end popup, filled by a match day.
#include "engine/GameRand.h"
#include "gui/Grid.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"
#include "screens/info/DayController.h"
#include "screens/info/DayInfoPanel.h"
#include "screens/start/CareerFrameScreen.h"

#include "FakeDayShell.h"

#include <gtest/gtest.h>

using namespace daytest;

TEST(DayPanelLayout, AMatchDayFillsTheGrids) {
    GameSrand(31);
    CScreenStack stack;
    CGuiLayoutLoader loader(stack);
    ASSERT_TRUE(loader.Load()); // the game folder is the working directory
    for (int id : {11048, 11050, 11052, 11053, 11055, 11056, 11057, 11279, 11280, 11281, 11282, 11283, 11284,
                   11285, 10050, 10051, 10044})
        EXPECT_NE(stack.FindElement(id), nullptr) << id;
    // The frame's day button brings the panel back from any other screen.
    EXPECT_EQ(CCareerFrameScreen::MenuWindowOf(ID_FR_BUTTON), CDayInfoPanel::kWindow);
    DayWorld world(6);
    CFixtureList fixtures;
    fixtures.AddFixture(world.clubs[0], world.clubs[1], world.league, 2007, 8, 2);
    fixtures.AddFixture(world.clubs[2], world.clubs[3], world.league, 2007, 8, 2);
    fixtures.AddFixture(world.user, world.clubs[4], world.league, 2007, 8, 2);
    fixtures.FinishSchedule();
    FakeDayShell host(world);
    CDayInfoPanel panel(stack.FindElement(CDayInfoPanel::kWindow),
                        [](int id) { return CStr::Formatted("<%d>", id); });
    host.panel = &panel;
    host.clearPanel = [&panel] { panel.Clear(); };
    CDayController controller(host.session, &host, &host, &fixtures);
    panel.SetBoardSource([&] { return &controller.Board(); });
    panel.SetHeaderSource([&] { return controller.PanelHeader(); });

    bool stop = false;
    EXPECT_TRUE(controller.AdvanceDay(stop));
    EXPECT_TRUE(stop);

    auto* results = static_cast<CGuiGridControl*>(stack.FindElement(CDayInfoPanel::kResultsGrid));
    auto* leaders = static_cast<CGuiGridControl*>(stack.FindElement(CDayInfoPanel::kLeadersGrid));
    auto* events = static_cast<CGuiGridControl*>(stack.FindElement(CDayInfoPanel::kEventsGrid));
    ASSERT_EQ(results->GetRowCount(), 2);
    EXPECT_EQ(results->CellCount(4), 2);
    EXPECT_STREQ(results->FindCell(1, 0)->text.GetText(), "Club 1");
    EXPECT_EQ(results->CellTextColour(2, 1), 0xFFFFFFFFu);
    EXPECT_STREQ(results->HeaderText(2).GetText(), "<80072>");
    EXPECT_EQ(leaders->GetRowCount(), 9);
    EXPECT_STREQ(leaders->FindCell(0, 8)->text.GetText(), "<100083>");
    EXPECT_EQ(leaders->CellTextColour(0, 0), DayPanelView::kLeaderTitle);
    EXPECT_EQ(events->GetRowCount(), static_cast<int>(panel.Events().size()));
    EXPECT_STREQ(stack.FindElement(CDayInfoPanel::kResultsTitle)->GetText().GetText(), "<100073>");

    // The next day empties the grids with the lists.
    panel.Clear();
    EXPECT_EQ(results->GetRowCount(), 0);
    EXPECT_EQ(results->CellCount(0), 0);
    EXPECT_EQ(leaders->GetRowCount(), 0);
}
