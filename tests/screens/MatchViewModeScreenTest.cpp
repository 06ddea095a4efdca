// The match view mode screen: three boxes, one checked, in step with the session's two bytes.
#include "screens/match/MatchViewModeScreen.h"

#include "career/Options.h"
#include "gui/Backend.h"
#include "gui/CheckBox.h"
#include "gui/Theme.h"
#include "guidefines.h"
#include "screens/match/TacticsScreen.h"
#include "screens/start/OptionsScreen.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

using namespace screentest;

TEST(ViewModeRules, TheClickedBoxIsTheChoiceAndThreeDWinsOverResultOnly) {
    EXPECT_EQ(ViewModeAfterClick(0).view3D, 1);
    EXPECT_EQ(ViewModeAfterClick(0).resultOnly, 0);
    EXPECT_EQ(ViewModeAfterClick(1).view3D, 0);
    EXPECT_EQ(ViewModeAfterClick(1).resultOnly, 0);
    EXPECT_EQ(ViewModeAfterClick(2).view3D, 0);
    EXPECT_EQ(ViewModeAfterClick(2).resultOnly, 1);
    EXPECT_EQ(ViewModeBox(ViewModeFlags{1, 1}), 0);
}

TEST(ViewModeScreen, AClickChoosesItsBoxAndExactlyOneBoxIsChecked) {
    MatchScreenRig rig;
    CMatchViewModeScreen screen(rig.ctx);
    CGuiCheckBox* boxes[3] = {static_cast<CGuiCheckBox*>(rig.stack.FindElement(ID_VM_3D)),
                              static_cast<CGuiCheckBox*>(rig.stack.FindElement(ID_VM_2D)),
                              static_cast<CGuiCheckBox*>(rig.stack.FindElement(ID_VM_RESULT))};
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(boxes[i], nullptr);
    // 3D wins: a refresh clears result only.
    rig.session.view3D = 1;
    rig.session.resultOnly = 1;
    screen.Refresh();
    EXPECT_EQ(rig.session.resultOnly.load(), 0);
    EXPECT_TRUE(boxes[0]->IsChecked());
    EXPECT_STREQ(boxes[2]->GetText().GetText(), "<100208>");

    auto checkedBox = [&] {
        int count = 0, which = -1;
        for (int i = 0; i < 3; ++i)
            if (boxes[i]->IsChecked()) {
                ++count;
                which = i;
            }
        return count == 1 ? which : -1;
    };
    // Clicking a checked box keeps it: a second click on "Result only" must not fall back to 3D.
    boxes[0]->m_hover = 1;
    GuiMessage again3D{ID_VM_3D, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(again3D);
    EXPECT_EQ(again3D.sID, -1);
    EXPECT_EQ(checkedBox(), 0);
    EXPECT_EQ(rig.session.view3D.load(), 1);
    EXPECT_EQ(boxes[0]->Desc().frameIndex, 5);
    GuiMessage result{ID_VM_RESULT, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(result);
    EXPECT_EQ(checkedBox(), 2);
    EXPECT_EQ(rig.session.view3D.load(), 0);
    EXPECT_EQ(rig.session.resultOnly.load(), 1);
    // The hovered 3D box keeps its hover look as it is unchecked.
    EXPECT_EQ(boxes[0]->Desc().frameIndex, 4);
    for (int i = 0; i < 2; ++i) {
        GuiMessage resultAgain{ID_VM_RESULT, -1, kMsgClick, 0, 0, 0};
        screen.OnMessage(resultAgain);
        EXPECT_EQ(checkedBox(), 2);
        EXPECT_EQ(rig.session.view3D.load(), 0);
        EXPECT_EQ(rig.session.resultOnly.load(), 1);
    }
    GuiMessage twoD{ID_VM_2D, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(twoD);
    EXPECT_EQ(checkedBox(), 1);
    EXPECT_EQ(rig.session.view3D.load(), 0);
    EXPECT_EQ(rig.session.resultOnly.load(), 0);
}

// The career's view choice and the options page are one setting: "Result only" chosen in the
// career shows on the options page and in the options file, and the page's 3D tick shows in the
// career's window.
TEST(ViewModeScreen, TheCareersChoiceAndTheOptionsPageShowOneSetting) {
    MatchScreenRig rig;
    CMatchViewModeScreen screen(rig.ctx);
    COptionsScreen options(rig.ctx);
    rig.session.view3D = 1;
    rig.session.resultOnly = 0;
    screen.Refresh();
    GuiMessage result{ID_VM_RESULT, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(result);
    options.Show();
    EXPECT_FALSE(rig.stack.FindElement(ID_OP_3D)->IsChecked());
    EXPECT_TRUE(rig.stack.FindElement(ID_OP_FAST)->IsChecked());
    EXPECT_FALSE(rig.session.options.enable3DSimulation);
    EXPECT_TRUE(rig.session.options.enableFastSimulation);
    const GameOptions written = LoadOptions();
    EXPECT_FALSE(written.enable3DSimulation);
    EXPECT_TRUE(written.enableFastSimulation);

    // The options page ticks 3D and saves: the career's window shows 3D.
    rig.stack.FindElement(ID_OP_3D)->SetChecked(true);
    GuiMessage save{ID_OP_SAVE, -1, kMsgClick, 0, 0, 0};
    options.OnMessage(save);
    screen.Refresh();
    EXPECT_TRUE(rig.stack.FindElement(ID_VM_3D)->IsChecked());
    EXPECT_FALSE(rig.stack.FindElement(ID_VM_RESULT)->IsChecked());
    EXPECT_TRUE(LoadOptions().enable3DSimulation);
}

namespace {

// Records where tooltips are drawn: the box in the tooltip's own fill.
struct TooltipBoxes : CGuiNullBackend {
    void FillRect(const GuiRect& rect, uint32_t colour) override {
        if (colour == GuiTheme::kTooltipFill)
            boxes.push_back(rect);
    }
    std::vector<GuiRect> boxes;
};

bool Overlap(const GuiRect& a, const GuiRect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

} // namespace

// The match view's window stands over the tactics' lists: a tooltip of a list row or header beneath
// it never draws over the window, wherever the mouse rests on the lists around it, and whether the
// mouse rested on a list as the window opened or came to it after.
TEST(ViewModeScreen, NoTooltipOfTheListsBeneathDrawsOverTheWindow) {
    MatchScreenRig rig;
    CTacticsScreen tactics(rig.ctx);
    CMatchViewModeScreen screen(rig.ctx);
    rig.screens[ScreenRole::Tactics] = &tactics;
    tactics.Refresh();
    screen.Refresh();
    // Every list and its rows have a hint, as the game's tooltips give them.
    for (int id : {ID_TA_COURT_GRID, ID_TA_BENCH_GRID})
        rig.stack.FindElement(id)->SetTooltip("A hint of the tactics list, long enough to reach far");
    rig.stack.PostMessage(-1, ID_FRAME, kMsgOpenMenu, 0, 0);
    rig.stack.PostMessage(-1, ID_TACTICS, kMsgSwitchTo, 0, 0);
    rig.stack.ProcessMessages();
    ASSERT_TRUE(rig.stack.IsLayerActive(ID_TACTICS));
    TooltipBoxes backend;
    uint32_t now = 1000;
    auto move = [&](int x, int y) {
        GuiInput input;
        input.kind = GuiInputKind::MouseMove;
        input.x = x;
        input.y = y;
        input.timeMs = now;
        rig.stack.DispatchInput(input);
    };
    // The mouse rests on the bench list as the window opens (the game opens it by a click, the
    // tests by the layout's action).
    const CGuiElement* bench = rig.stack.FindElement(ID_TA_BENCH_GRID);
    const GuiRect benchRect = bench->Rect();
    move(benchRect.x + 180, benchRect.y + 30);
    rig.stack.PostMessage(ID_TA_VIEWMODE, -1, kMsgClick, 0, 0);
    rig.stack.ProcessMessages();
    rig.stack.ProcessMessages();
    ASSERT_TRUE(rig.stack.IsLayerActive(ID_VIEWMODE));
    const GuiRect dialog = rig.stack.FindElement(ID_VIEWMODE)->Rect();
    now += 5000;
    rig.stack.Draw(backend, now);
    EXPECT_TRUE(backend.boxes.empty()) << "the tooltip of the list stayed after the window opened";

    // The mouse on every point of the two lists the window leaves in sight.
    int shown = 0;
    for (int id : {ID_TA_COURT_GRID, ID_TA_BENCH_GRID}) {
        const GuiRect list = rig.stack.FindElement(id)->Rect();
        for (int y = list.y + 2; y < list.y + list.h; y += 6) {
            for (int x = list.x + 2; x < list.x + list.w; x += 8) {
                if (dialog.Contains(x, y))
                    continue;
                move(x, y);
                now += 2000;
                backend.boxes.clear();
                rig.stack.Draw(backend, now);
                shown += backend.boxes.empty() ? 0 : 1;
                for (const GuiRect& box : backend.boxes)
                    ASSERT_FALSE(Overlap(box, dialog))
                        << "a tooltip of list " << id << " drew over the window, mouse at " << x << "," << y;
            }
        }
    }
    // The lists' tooltips still show where they cover nothing.
    EXPECT_GT(shown, 50);
}
