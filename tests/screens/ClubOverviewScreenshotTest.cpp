// The club overview of a new career inside the frame, with the arena as the club starts it and with
// every part built, drawn on a real (offscreen) device; the pictures land in the build folder.
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/Device.h"
#include "gui/EngineBackend.h"
#include "guidefines.h"
#include "screens/stadium/ClubOverviewScreen.h"

#include "ScreenTestKit.h"
#include "ShotCheck.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kShots = std::string(FB_GAME_DIR) + "/../overview-screenshots";

} // namespace

TEST(ClubOverviewScreenshot, SmallAndGrownArena) {
    ShotDevice shot(kShots);
    if (shot.SkipReason())
        GTEST_SKIP() << shot.SkipReason();
    {
        ScreenKit kit;
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(3, "Dana Reyes"));
        CScreenContext ctx = kit.MakeContext();
        CClubOverviewScreen overview(ctx);
        overview.Refresh();
        ASSERT_TRUE(kit.ShowInFrame(CClubOverviewScreen::kWindow));
        shot.Shoot(kit.stack, "overview_small_arena.png");

        // Every part four stages up, as years of building would leave it.
        CTeam* club = kit.session.UserClub();
        ASSERT_NE(club->stadium, nullptr);
        for (CStadiumWingRecord* wing : club->stadium->wings)
            wing->level = 4;
        overview.Refresh();
        for (int i = 0; i < kStadiumParts; ++i)
            EXPECT_EQ(overview.PartLevel(i), 4) << i;
        shot.Shoot(kit.stack, "overview_grown_arena.png");
    }
}
