// The match view mode screen: three boxes, one checked, in step with the session's two bytes.
#include "screens/match/MatchViewModeScreen.h"

#include "career/Options.h"
#include "gui/CheckBox.h"
#include "guidefines.h"
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
