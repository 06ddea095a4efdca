// The indicators inside the career frame and the player information window over the line-up,
// drawn on a real (offscreen) device from the shipped layout and texts; the pictures land in the
// build folder for a look.
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/Device.h"
#include "gui/Element.h"
#include "gui/EngineBackend.h"
#include "guidefines.h"
#include "screens/info/IndicatorsScreen.h"
#include "screens/info/PlayerInfoWindow.h"
#include "screens/match/LineupScreen.h"

#include "ScreenTestKit.h"

#include "ShotCheck.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kShots = std::string(FB_GAME_DIR) + "/../info-screenshots";

// Everything the window's layout places stays inside the window and the screen.
void ExpectInside(CScreenStack& stack, int windowId) {
    CGuiElement* window = stack.FindElement(windowId);
    ASSERT_NE(window, nullptr);
    const ElementDesc& w = window->Desc();
    EXPECT_GE(w.x, 0);
    EXPECT_GE(w.y, 0);
    EXPECT_LE(w.x + w.w, 1024);
    EXPECT_LE(w.y + w.h, 768);
    for (const auto& child : window->Children()) {
        const ElementDesc& c = child->Desc();
        EXPECT_GE(c.x, w.x) << c.id;
        EXPECT_GE(c.y, w.y) << c.id;
        EXPECT_LE(c.x + c.w, w.x + w.w) << c.id;
        EXPECT_LE(c.y + c.h, w.y + w.h) << c.id;
    }
}

} // namespace

TEST(InfoWindowsScreenshot, IndicatorsAndPlayerInformation) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "drawn in the plain build only";
#endif
    CQuorelDevice device;
    if (!device.Create(1024, 768, 32))
        GTEST_SKIP() << "no GL device here";
    g_pQuorelDevice = &device;
    CGuiEngineBackend backend;
    SetGuiBackend(&backend);
    std::filesystem::create_directories(kShots);
    {
        ScreenKit kit;
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Shots"));
        CScreenContext ctx = kit.MakeContext();
        CTeamOpinion* opinion = kit.session.worldDB->opinions.FindByTeam(kit.session.UserClub()->id);
        ASSERT_NE(opinion, nullptr);
        // The fans up, the mood down, the press unchanged.
        opinion->current[0] = 64;
        opinion->previous[0] = 58;
        opinion->current[1] = 41;
        opinion->previous[1] = 47;
        opinion->current[2] = 50;
        opinion->previous[2] = 50;
        CIndicatorsScreen indicators(ctx);
        CPlayerInfoWindow info(ctx);
        kit.screens[ScreenRole::PlayerInfo] = &info;
        kit.screens[ScreenRole::Ticket] = &indicators; // any screen stands for the ticket screen
        indicators.Refresh();
        ASSERT_TRUE(kit.ShowInFrame(ID_INDICATORS));
        ExpectInside(kit.stack, ID_INDICATORS);
        ShootFrame(device, backend, kit.stack, kShots + "/indicators.png");

        CLineupScreen lineup(ctx);
        lineup.SetPlayerInfoHook([&info](CPlayer* player) { info.ShowPlayer(player); });
        lineup.Refresh();
        kit.stack.PostMessage(-1, ID_LINEUP, kMsgSwitchTo, 0, 0);
        kit.stack.PostMessage(-1, ID_PLAYERINFO, kMsgOpenOnTop, 0, 0);
        kit.stack.ProcessMessages();
        ASSERT_TRUE(kit.stack.IsLayerActive(ID_PLAYERINFO));
        EXPECT_TRUE(kit.stack.FindElement(ID_PI_PICTURE)->HasImage()) << "the portrait is drawn";
        ExpectInside(kit.stack, ID_PLAYERINFO);
        ShootFrame(device, backend, kit.stack, kShots + "/player_info.png");
    }
    SetGuiBackend(nullptr);
    g_pQuorelDevice = nullptr;
}
