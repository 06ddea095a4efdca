// The match view mode screen: three boxes, one checked, in step with the session's two bytes.
#include "screens/match/MatchViewModeScreen.h"

#include "gui/CheckBox.h"
#include "guidefines.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

using namespace screentest;

TEST(ViewModeRules, AnUncheckedBoxIsChosenAndTheCheckedOneMovesOn) {
    const struct {
        int box;
        bool checked;
        int view3D, resultOnly;
    } cases[] = {{0, false, 1, 0}, {0, true, 0, 0},  {1, false, 0, 0},
                 {1, true, 0, 1},  {2, false, 0, 1}, {2, true, 1, 0}};
    for (const auto& c : cases) {
        ViewModeFlags f = ViewModeAfterClick(c.box, c.checked);
        EXPECT_EQ(f.view3D, c.view3D) << c.box << c.checked;
        EXPECT_EQ(f.resultOnly, c.resultOnly) << c.box << c.checked;
    }
    EXPECT_EQ(ViewModeBox(ViewModeFlags{1, 1}), 0);
}

TEST(ViewModeScreen, ClicksCycleTheModesAndExactlyOneBoxIsChecked) {
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
    // Clicking the checked 3D box twice: 2D, then result only.
    boxes[0]->m_hover = 1;
    GuiMessage click{ID_VM_3D, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(click);
    EXPECT_EQ(click.sID, -1);
    EXPECT_EQ(checkedBox(), 1);
    EXPECT_EQ(rig.session.view3D.load(), 0);
    EXPECT_EQ(rig.session.resultOnly.load(), 0);
    // The hovered box keeps its hover look as it is unchecked.
    EXPECT_EQ(boxes[0]->Desc().frameIndex, 4);
    GuiMessage second{ID_VM_2D, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(second);
    EXPECT_EQ(checkedBox(), 2);
    EXPECT_EQ(rig.session.resultOnly.load(), 1);
    GuiMessage third{ID_VM_3D, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(third);
    EXPECT_EQ(checkedBox(), 0);
    EXPECT_EQ(rig.session.view3D.load(), 1);
    EXPECT_EQ(rig.session.resultOnly.load(), 0);
    EXPECT_EQ(boxes[0]->Desc().frameIndex, 5);
}
