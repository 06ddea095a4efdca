// The tactics and line-up windows inside the career frame, drawn on a real (offscreen) device
// from the shipped layout and language texts; the pictures land in the build folder for a look.
#include "engine/Device.h"
#include "gui/EngineBackend.h"
#include "gui/TextTable.h"
#include "guidefines.h"
#include "match/Formation.h"
#include "screens/match/LineupScreen.h"
#include "screens/match/MatchViewModeScreen.h"
#include "screens/match/TacticsScreen.h"

#include "ScreenTestKit.h"

#include "ShotCheck.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace screentest;

TEST(MatchScreensScreenshot, TacticsLineupAndViewModeWindows) {
    ShotDevice shot(std::string(FB_GAME_DIR) + "/../match-screenshots");
    if (shot.SkipReason())
        GTEST_SKIP() << shot.SkipReason();
    CQuorelDevice& device = shot.device;
    CGuiEngineBackend& backend = *shot.backend;

    CTextTable language;
    ASSERT_TRUE(language.Load("\\guifiles\\lang_en.txt"));
    auto text = [&](int id) {
        if (id == 800000)
            return CStr("First League");
        if (id == 90001)
            return CStr("Northland");
        return language.Get(id);
    };
    {
        MatchScreenRig rig(15, 5, text);
        CTeam* club = rig.Club();
        club->name = "Harbour Lions";
        const char* names[] = {"Marcus Webb",   "Tomas Novak",  "Jalen Brooks",    "Luca Bianchi",
                               "Dario Kos",     "Sam Okafor",   "Pieter de Vries", "Andre Silva",
                               "Kai Lindqvist", "Noah Fischer", "Elias Moreau",    "Ivan Petrov",
                               "Omar Haddad",   "Ben Carter",   "Yuki Tanaka"};
        for (size_t i = 0; i < club->players.size(); ++i) {
            CPlayer* p = club->players[i];
            p->name = names[i];
            p->birthYear = 1980 + static_cast<int>(i);
            p->birthMonth = 3;
            p->birthDay = 12;
            p->originTextId = 90001;
            p->words[kWordHeight] = 185 + static_cast<int>(i) * 2;
            p->words[kWordWeight] = 82 + static_cast<int>(i);
            for (int s = 1; s <= 16; ++s) {
                p->SkillValue(s) = 40 + (static_cast<int>(i) * 7 + s * 5) % 55;
                p->SkillSecond(s) = 5 + (static_cast<int>(i) * 13 + s * 11) % 95;
            }
        }
        club->players[9]->words[kWordInjured] = 1;
        club->players[2]->words[kWordPlayedPosition] = kPositionGuard;
        CTacticsScreen tactics(rig.ctx);
        CLineupScreen lineup(rig.ctx);
        CMatchViewModeScreen viewMode(rig.ctx);
        rig.screens[ScreenRole::Tactics] = &tactics;
        rig.session.view3D = 0;
        tactics.Refresh();
        lineup.Refresh();
        viewMode.Refresh();
        rig.stack.FindElement(ID_TA_OFFENCE)->SetSelection(3);
        tactics.Refresh();

        auto shoot = [&](int window, const char* file, int overlay = -1) {
            rig.stack.PostMessage(-1, ID_FRAME, kMsgOpenMenu, 0, 0);
            rig.stack.PostMessage(-1, window, kMsgSwitchTo, 0, 0);
            if (overlay >= 0)
                rig.stack.PostMessage(-1, overlay, kMsgOpenOnTop, 0, 0);
            rig.stack.ProcessMessages();
            ASSERT_TRUE(rig.stack.IsLayerActive(window));
            device.BeginScene();
            device.Clear(0x0E0A08FFu);
            rig.stack.Draw(backend, 1000);
            device.EndScene();
            device.Flush2D();
            // The window is drawn with its text and controls, not left one flat colour.
            if (CGuiElement* root = rig.stack.FindElement(window)) {
                const ElementDesc& d = root->Desc();
                EXPECT_GT(DistinctColours(device, d.x, d.y, d.w, d.h), 20u) << file;
            }
            EXPECT_TRUE(device.SaveScreenshot(shot.Path(file).c_str()));
            device.Present();
        };
        shoot(ID_TACTICS, "tactics.png");
        shoot(ID_LINEUP, "lineup.png");
        shoot(ID_TACTICS, "viewmode.png", ID_VIEWMODE);
    }
}
