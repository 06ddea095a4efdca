// The career frame with the day panel after a match day, drawn on a real (offscreen) device from
// the shipped layout and language texts; the picture lands in the build folder for a look.
#include "engine/Device.h"
#include "engine/GameRand.h"
#include "gui/EngineBackend.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"
#include "gui/TextTable.h"
#include "screens/info/DayController.h"
#include "screens/info/DayInfoPanel.h"

#include "FakeDayShell.h"
#include "ShotCheck.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace daytest;

namespace {

const std::string kShots = std::string(FB_GAME_DIR) + "/../day-screenshots";

} // namespace

TEST(DayPanelScreenshot, CareerFrameWithTheDayPanelAfterAMatchDay) {
    ShotDevice shot(kShots);
    if (shot.SkipReason())
        GTEST_SKIP() << shot.SkipReason();
    CQuorelDevice& device = shot.device;
    CGuiEngineBackend& backend = *shot.backend;

    CScreenStack stack;
    CGuiLayoutLoader loader(stack);
    ASSERT_TRUE(loader.Load());
    CTextTable language;
    ASSERT_TRUE(language.Load("\\guifiles\\lang_en.txt"));

    GameSrand(77);
    DayWorld world(8);
    world.user->name = "Harbour Lions";
    const char* names[] = {"Valley Bears",   "North Wolves", "Lakeside Hawks", "River Kings",
                           "Old Town Foxes", "Port Sharks",  "Hill Eagles",    "Bay Stags"};
    for (size_t i = 0; i < world.clubs.size(); ++i)
        world.clubs[i]->name = names[i];
    CFixtureList fixtures;
    for (int i = 0; i + 1 < 8; i += 2)
        fixtures.AddFixture(world.clubs[static_cast<size_t>(i)], world.clubs[static_cast<size_t>(i) + 1],
                            world.league, 2007, 9, 12);
    fixtures.AddFixture(world.clubs[0], world.clubs[3], world.league, 2008, 4, 20);
    fixtures.FinishSchedule();

    auto text = [&](int id) {
        if (id == 90001) // the test clubs' country
            return CStr("Northland");
        CStr found = language.Get(id);
        return found.IsEmpty() ? CStr::Formatted("%d", id) : found;
    };
    struct ShotHost : FakeDayShell {
        ShotHost(DayWorld& w, std::function<CStr(int)> t) : FakeDayShell(w), texts(std::move(t)) {}
        CStr GetText(int id) const override { return texts(id); }
        std::function<CStr(int)> texts;
    } host(world, text);
    CDayInfoPanel panel(stack.FindElement(CDayInfoPanel::kWindow), text);
    host.panel = &panel;
    host.clearPanel = [&panel] { panel.Clear(); };
    CDayController controller(host.session, &host, &host, &fixtures);
    panel.SetBoardSource([&] { return &controller.Board(); });
    panel.SetHeaderSource([&] {
        DayPanelHeader header = controller.PanelHeader();
        header.league = "First League";
        return header;
    });
    host.date = GameDate{2007, 9, 11};
    bool stop = false;
    ASSERT_TRUE(controller.AdvanceDay(stop));

    stack.PostMessage(10050, 10039, 4, 10050, 0);
    stack.PostMessage(10050, CDayInfoPanel::kWindow, 6, 10050, 0);
    stack.ProcessMessages();
    ASSERT_TRUE(stack.IsLayerActive(10039));
    ASSERT_TRUE(stack.IsLayerActive(CDayInfoPanel::kWindow));

    device.BeginScene();
    device.Clear(0x0E0A08FFu);
    stack.Draw(backend, 1000);
    device.EndScene();
    device.Flush2D();
    // The panel is drawn: its grids' text and fills, not one flat colour.
    EXPECT_GT(DistinctColours(device, 188, 72, 828, 688), 20u);
    // The frame's menu is drawn beside it.
    EXPECT_GT(DistinctColours(device, 0, 64, 180, 700), 10u);
    EXPECT_TRUE(device.SaveScreenshot(shot.Path("day_panel.png").c_str()));
    device.Present();
    EXPECT_EQ(panel.Results().size(), 4u);
}
