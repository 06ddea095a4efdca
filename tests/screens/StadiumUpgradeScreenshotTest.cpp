// The stadium screen of a new middle-league career inside the frame, then with the arena hall's
// next stage ordered and half built, and the club overview once the building has grown the arena;
// drawn on a real (offscreen) device, the pictures land in the build folder.
#include "career/StadiumConstruction.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/Device.h"
#include "gui/EngineBackend.h"
#include "guidefines.h"
#include "screens/stadium/ClubOverviewScreen.h"
#include "screens/stadium/StadiumUpgradeScreen.h"

#include "ScreenTestKit.h"
#include "ShotCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

const std::string kShots = std::string(FB_GAME_DIR) + "/../stadium-screenshots";

void Click(CStadiumUpgradeScreen& screen, int id) {
    GuiMessage msg;
    msg.sID = id;
    msg.MSG = kMsgClick;
    screen.OnMessage(msg);
}

} // namespace

TEST(StadiumUpgradeScreenshot, OrderedStageAndGrownArena) {
    ShotDevice shot(kShots);
    if (shot.SkipReason())
        GTEST_SKIP() << shot.SkipReason();
    {
        ScreenKit kit;
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(11, "Dana Reyes"));
        CScreenContext ctx = kit.MakeContext();
        CStadiumUpgradeScreen stadium(ctx);
        CClubOverviewScreen overview(ctx);
        stadium.Refresh();
        ASSERT_TRUE(kit.ShowInFrame(CStadiumUpgradeScreen::kWindow));
        shot.Shoot(kit.stack, "stadium_new_career.png");

        Click(stadium, StadiumPartIds(0).stages[1]);
        Click(stadium, StadiumPartIds(0).order);
        kit.stack.ProcessMessages();
        shot.Shoot(kit.stack, "stadium_question.png");
        Click(stadium, ID_STADIUM_ASK_YES);
        kit.stack.ProcessMessages();
        CStadiumWingRecord* core = FindClubPart(*kit.session.careerDB, kCorePart);
        ASSERT_NE(core, nullptr);
        EXPECT_EQ(core->daysDone, 1);
        const int days = StageDays(*core, 1);
        for (int day = 0; day < days / 2; ++day)
            RunStadiumConstructionDay(*kit.session.careerDB);
        stadium.Refresh();
        shot.Shoot(kit.stack, "stadium_building.png");

        for (int day = 0; day < days; ++day)
            RunStadiumConstructionDay(*kit.session.careerDB);
        EXPECT_EQ(core->level, 2);
        // Years of building: every part as far as the league allows.
        for (CStadiumWingRecord* wing : kit.session.UserClub()->stadium->wings)
            wing->level = std::max(wing->level, 3);
        stadium.Refresh();
        shot.Shoot(kit.stack, "stadium_grown.png");
        overview.Refresh();
        kit.stack.PostMessage(-1, CClubOverviewScreen::kWindow, kMsgSwitchTo, 0, 0);
        kit.stack.ProcessMessages();
        shot.Shoot(kit.stack, "overview_after_building.png");
    }
}
