// The in-match display with its commentary popup drawn on a real (offscreen) device over both match
// views - the flat court of the 2D match and the 3D test arena - from the shipped layout and texts;
// the pictures land in the build folder for a look.
#include "engine/Camera.h"
#include "engine/Device.h"
#include "engine/Frustum.h"
#include "engine/Lights.h"
#include "engine/RenderTexture.h"
#include "engine/TextureManager.h"
#include "gui/EngineBackend.h"
#include "gui/TextTable.h"
#include "guidefines.h"
#include "screens/match/CommentaryPopup.h"
#include "screens/match/MatchHud.h"
#include "tools/scenesmoke/SceneDemo.h"

#include "MatchHudKit.h"
#include "ScreenTestKit.h"

#include "ShotCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace screentest;

namespace {

// The 2D match's court as the match centre draws it: boards, lines and the ten player markers.
void DrawFlatCourt() {
    FillRect2D(QuorelRect(0, 0, 1024, 768), 0x10182AFFu);
    const QuorelRect court = QuorelRect::FromSize(112, 150, 800, 420);
    FillRect2D(court, 0x3C78B4FFu);
    DrawRectOutline2D(court, 0xF5ECDCFFu, 3);
    FillRect2D(QuorelRect::FromSize(510, 150, 4, 420), 0xF5ECDCFFu);
    DrawRectOutline2D(QuorelRect::FromSize(112, 290, 150, 140), 0xF5ECDCFFu, 3);
    DrawRectOutline2D(QuorelRect::FromSize(762, 290, 150, 140), 0xF5ECDCFFu, 3);
    DrawRectOutline2D(QuorelRect::FromSize(472, 320, 80, 80), 0xF5ECDCFFu, 3);
    const int spots[5][2] = {{380, 240}, {420, 360}, {300, 420}, {250, 300}, {450, 470}};
    for (int i = 0; i < 5; ++i) {
        FillRect2D(QuorelRect::FromSize(spots[i][0], spots[i][1], 20, 20), 0x0000FFFFu);
        FillRect2D(QuorelRect::FromSize(spots[i][0] + 40, spots[i][1] + 18, 20, 20), 0xFFFF00FFu);
    }
    FillRect2D(QuorelRect::FromSize(432, 372, 10, 10), 0x0080FFFFu);
}

// The display on the scripted match, its clock in the test's hand, running from the first whistle.
struct RunningHud {
    explicit RunningHud(const CTextTable& language)
        : rig(12, 5, [&language](int id) { return language.Get(id); }), hud(rig.ctx) {
        hud.SetClock([this] { return now; });
        hud.SetSound(nullptr, false);
        hud.SetMatch(&match);
        hud.SetTeamNames("Harbour Lions", "Valley Bears");
        hud.Play();
    }

    MatchScreenRig rig;
    ScriptedMatch match;
    uint32_t now = 1000;
    CMatchHud hud;
};

} // namespace

// The offscreen device and the shipped texts; the test skips where no device can be had.
class MatchHudScreenshot : public ::testing::Test {
protected:
    void SetUp() override {
        if (shot.SkipReason())
            GTEST_SKIP() << shot.SkipReason();
        ASSERT_TRUE(language.Load("\\guifiles\\lang_en.txt"));
    }

    ShotDevice shot{std::string(FB_GAME_DIR) + "/../match-screenshots"};
    CQuorelDevice& device = shot.device;
    CTextTable language;
};

TEST_F(MatchHudScreenshot, TheDisplayOverTheFlatCourtAndTheArena) {
    CGuiEngineBackend& backend = *shot.backend;
    g_pQuorelTextureManager = new CQuorelTextureManager();
    g_pQuorelLights = new CQuorelLights();
    g_pQuorelFrustum = new CQuorelFrustum();
    g_pQuorelCamera = new CQuorelCamera();

    {
        MatchScreenRig rig(12, 5, [&](int id) { return language.Get(id); });
        ScriptedMatch match;
        const char* names[] = {"Marcus Webb",   "Tomas Novak",  "Jalen Brooks", "Luca Bianchi",
                               "Dario Kos",     "Sam Okafor",   "Pieter Vries", "Andre Silva",
                               "Kai Lindqvist", "Noah Fischer", "Elias Moreau", "Ivan Petrov"};
        for (int i = 0; i < 12; ++i) {
            CCourtPlayer& p = *match.home.GetPlayer(i);
            std::strcpy(p.name, names[i]);
            p.positionId = 80063 + i % 5;
            p.stamina = 97.0f - 7.3f * i;
            p.attributes[0] = 38 + 5 * i;
            p.twoPointersMade = i % 4;
            p.pointsFromTwos = 2 * (i % 4);
            p.threePointersMade = i % 2;
            p.pointsFromThrees = 3 * (i % 2);
            p.personalFouls = i % 3;
            p.foulsCharged = i % 3;
        }
        match.homeScore = 31;
        match.awayScore = 27;
        uint32_t now = 1000;
        CMatchHud hud(rig.ctx);
        CCommentaryPopup popup(rig.ctx);
        hud.SetClock([&now] { return now; });
        hud.SetSound(nullptr, false);
        hud.SetMatch(&match);
        hud.SetTeamNames("Harbour Lions", "Valley Bears");
        hud.SetStatisticsTeam(&match.home);
        hud.Play();
        hud.ShowEventLine(MatchEventLine("Valley Bears", "Ivan Petrov", language.Get(500001)));
        hud.ShowEventLine(MatchEventLine("Harbour Lions", "Marcus Webb", "scores from close range"));
        hud.ShowEventLine(MatchEventLine("Harbour Lions", "Jalen Brooks", "wins the ball"));
        for (int s = 0; s < 437; ++s) {
            now += 1000;
            hud.FrameStep();
        }
        GuiMessage tactics;
        tactics.sID = ID_HUD_TACTICS;
        tactics.MSG = kMsgClick;
        hud.OnMessage(tactics);
        hud.Play();
        rig.stack.PostMessage(-1, ID_MATCHHUD, kMsgSwitchTo, 0, 0);
        rig.stack.ProcessMessages();
        popup.AddLine("Head coach Ramos:", 0);
        popup.AddLine("Watch Tomas Novak, he is running out of steam.", 1);
        rig.stack.ProcessMessages();
        ASSERT_TRUE(rig.stack.IsLayerActive(ID_MATCHHUD));
        ASSERT_TRUE(rig.stack.IsLayerActive(ID_COMMENTARY));

        device.BeginScene();
        device.Clear(0x000000FFu);
        DrawFlatCourt();
        rig.stack.Draw(backend, 1000);
        device.EndScene();
        device.Flush2D();
        // The display over the court: clock, scores and panels in many colours.
        EXPECT_GT(DistinctColours(device, 0, 0, 1024, 768), 30u);
        EXPECT_TRUE(device.SaveScreenshot(shot.Path("hud_flat_court.png").c_str()));
        device.Present();

        SceneDemo scene;
        ASSERT_TRUE(scene.Load(""));
        g_pQuorelCamera->LookAt(Vec3(14, 8, -16), Vec3(0, 1, 0), Vec3(0, 1, 0));
        g_pQuorelCamera->Apply();
        scene.Advance(0.4);
        device.BeginScene();
        device.Clear(0x202020FFu);
        scene.Render();
        rig.stack.Draw(backend, 1000);
        device.EndScene();
        device.Flush2D();
        EXPECT_TRUE(device.SaveScreenshot(shot.Path("hud_arena.png").c_str()));
        device.Present();
    }
    delete g_pQuorelCamera;
    g_pQuorelCamera = nullptr;
    delete g_pQuorelFrustum;
    g_pQuorelFrustum = nullptr;
    delete g_pQuorelLights;
    g_pQuorelLights = nullptr;
    delete g_pQuorelTextureManager;
    g_pQuorelTextureManager = nullptr;
}

// The cube's screens show the scoreboard: the score bar's middle drawn into a texture, which changes
// with the score.
TEST_F(MatchHudScreenshot, TheCubesScoreboardShowsTheScore) {
    RunningHud running(language);
    ScriptedMatch& match = running.match;
    CMatchHud& hud = running.hud;
    std::unique_ptr<CQuorelRenderTarget> target(device.CreateRenderTarget(256, 64));
    ASSERT_NE(target, nullptr);
    auto picture = [&](int home, int away) {
        match.homeScore = home;
        match.awayScore = away;
        hud.FrameStep();
        device.BeginScene();
        EXPECT_TRUE(hud.DrawScoreboard(*target, *shot.backend, running.now));
        std::vector<uint8_t> pixels;
        EXPECT_TRUE(device.BeginRenderTarget(target.get()));
        EXPECT_TRUE(device.ReadPixels(0, 0, 256, 64, pixels));
        device.EndRenderTarget();
        device.EndScene();
        return pixels;
    };
    const std::vector<uint8_t> first = picture(31, 27);
    const std::vector<uint8_t> again = picture(31, 27);
    const std::vector<uint8_t> scored = picture(33, 27);
    ASSERT_EQ(first.size(), 256u * 64u * 4u);
    // Text on the bar: more than the bar's one colour.
    size_t bright = 0;
    for (size_t i = 0; i < first.size(); i += 4)
        bright += first[i] > 180 && first[i + 1] > 180 && first[i + 2] > 180 ? 1 : 0;
    EXPECT_GT(bright, 100u) << "the white score figures are on the screen";
    EXPECT_EQ(first, again);
    EXPECT_NE(first, scored) << "a basket changes the picture";
}

// The cube's picture is drawn again only when a text on the score bar changed.
TEST_F(MatchHudScreenshot, TheCubesScoreboardIsRedrawnOnlyForNewTexts) {
    RunningHud running(language);
    ScriptedMatch& match = running.match;
    CMatchHud& hud = running.hud;
    std::unique_ptr<CQuorelRenderTarget> target(device.CreateRenderTarget(256, 64));
    std::unique_ptr<CQuorelRenderTarget> other(device.CreateRenderTarget(256, 64));
    ASSERT_NE(target, nullptr);
    ASSERT_NE(other, nullptr);
    auto refresh = [&](CQuorelRenderTarget& into, int home) {
        match.homeScore = home;
        hud.FrameStep();
        device.BeginScene();
        const bool drew = hud.RefreshScoreboard(into, *shot.backend, running.now);
        device.EndScene();
        return drew;
    };
    EXPECT_TRUE(refresh(*target, 10));
    EXPECT_FALSE(refresh(*target, 10));
    EXPECT_TRUE(refresh(*target, 12)) << "a basket";
    EXPECT_TRUE(refresh(*other, 12)) << "a new target starts empty";
    hud.SetTeamNames("Harbour Lions", "Hill Foxes");
    EXPECT_TRUE(refresh(*other, 12)) << "a new name";
    running.now += 61000;
    EXPECT_TRUE(refresh(*other, 12)) << "the clock ran";
}
