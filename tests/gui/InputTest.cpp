// Mouse and keyboard through the stack: which element takes an event, what each control posts.
#include "GuiTestKit.h"

#include "gui/AnimButton.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/EditBox.h"
#include "gui/Grid.h"
#include "gui/ScrollBar.h"
#include "gui/TextBox.h"

namespace {

class Input : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        window = stack.AddLayer(MakeWindow(10039, GuiRect{0, 0, 1024, 768}), true, true);
        button = AddControl<CGuiButton>(window, 10050, GuiRect{100, 100, 120, 30});
    }
    CTestStack stack;
    CGuiElement* window = nullptr;
    CGuiButton* button = nullptr;
};

TEST_F(Input, AButtonClickPostsKindTenAndPlaysItsSound) {
    Click(stack, 110, 110);
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_TRUE(SameMessage(stack.PendingMessages()[0], 10050, -1, kMsgClick));
    EXPECT_EQ(backend.sounds, (std::vector<std::string>{"BUTTON_CLICK"}));
    stack.ProcessMessages();

    Click(stack, 110, 110, 0, 2);
    std::vector<GuiMessage> posted = stack.PendingMessages();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].MSG, kMsgClick);
    EXPECT_EQ(posted[1].MSG, kMsgDoubleClick);
}

TEST_F(Input, ReleasingOffTheButtonOrADisabledButtonPostsNothing) {
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 110, 110));
    stack.DispatchInput(Mouse(GuiInputKind::MouseDown, 110, 110));
    EXPECT_EQ(button->GetState(), CGuiButton::kPressed);
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 400, 400));
    stack.DispatchInput(Mouse(GuiInputKind::MouseUp, 400, 400));
    EXPECT_TRUE(stack.PendingMessages().empty());

    button->SetDisabled(true);
    Click(stack, 110, 110);
    EXPECT_TRUE(stack.PendingMessages().empty());
    EXPECT_TRUE(backend.sounds.empty());
    EXPECT_EQ(button->GetState(), CGuiButton::kDisabled);
    button->ForceState(CGuiButton::kPressed, true);
    EXPECT_EQ(button->GetState(), CGuiButton::kPressed);
    button->ForceState(CGuiButton::kPressed, false);
    EXPECT_EQ(button->GetState(), CGuiButton::kDisabled);
}

TEST_F(Input, TheTopActiveLayerUnderTheMouseTakesTheEventAndNothingFallsThrough) {
    CGuiElement* popup = stack.AddLayer(MakeWindow(11222, GuiRect{50, 50, 300, 200}), true, false);
    auto* ok = AddControl<CGuiButton>(popup, 11224, GuiRect{60, 60, 80, 30});
    Click(stack, 110, 110); // covered by the popup's window
    EXPECT_TRUE(stack.PendingMessages().empty());
    Click(stack, 70, 70);
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_EQ(stack.PendingMessages()[0].sID, 11224);
    stack.ProcessMessages();

    stack.PostMessage(-1, 11222, kMsgClose, 0, 0);
    stack.ProcessMessages();
    Click(stack, 110, 110);
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_EQ(stack.PendingMessages()[0].sID, 10050);
    (void)ok;
}

TEST_F(Input, InactiveElementsLetTheClickThroughToWhatIsBelow) {
    auto* marker = AddControl<CGuiButton>(window, 11110, GuiRect{100, 100, 20, 20});
    marker->SetActive(false);
    Click(stack, 105, 105);
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_EQ(stack.PendingMessages()[0].sID, 10050);
}

TEST_F(Input, CheckBoxesToggleAndShowTheirHoverFrames) {
    auto* check = AddControl<CGuiCheckBox>(window, 11293, GuiRect{300, 100, 150, 20});
    EXPECT_EQ(check->Desc().frameIndex, 0);
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 305, 105));
    EXPECT_EQ(check->Desc().frameIndex, 4);
    stack.DispatchInput(Mouse(GuiInputKind::MouseDown, 305, 105));
    stack.DispatchInput(Mouse(GuiInputKind::MouseUp, 305, 105));
    EXPECT_TRUE(check->IsChecked());
    EXPECT_EQ(check->Desc().frameIndex, 5);
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 600, 600));
    EXPECT_EQ(check->Desc().frameIndex, 2);
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_TRUE(SameMessage(stack.PendingMessages()[0], 11293, -1, kMsgClick));
    EXPECT_EQ(backend.sounds, (std::vector<std::string>{"CHECK_CLICK"}));
}

TEST_F(Input, EditBoxesPostFocusMessagesAndTakeTypedText) {
    auto* edit = AddControl<CGuiEditBox>(window, 12010, GuiRect{300, 200, 200, 24});
    edit->SetMaxLength(8);
    Click(stack, 310, 210);
    EXPECT_TRUE(edit->HasFocus());
    GuiInput typed;
    typed.kind = GuiInputKind::Text;
    typed.text = "Kovács";
    stack.DispatchInput(typed);
    typed.text = "abc"; // would pass the length limit
    stack.DispatchInput(typed);
    GuiInput key;
    key.kind = GuiInputKind::Key;
    key.key = kGuiKeyBackspace;
    stack.DispatchInput(key);
    stack.DispatchInput(key);
    EXPECT_EQ(edit->GetText(), CStr("Ková"));
    stack.DispatchInput(key); // the two-byte letter goes as one
    EXPECT_EQ(edit->GetText(), CStr("Kov"));
    key.key = kGuiKeyEnter;
    stack.DispatchInput(key);
    EXPECT_FALSE(edit->HasFocus());
    std::vector<GuiMessage> posted = stack.PendingMessages();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_TRUE(SameMessage(posted[0], 12010, -1, kMsgEditFocus));
    EXPECT_TRUE(SameMessage(posted[1], 12010, -1, kMsgEditBlur));
    EXPECT_EQ(backend.sounds, (std::vector<std::string>{"EDIT_CLICK"}));

    // Text set by a screen is cut to the limit, never inside a character.
    edit->SetText("Jánossé"); // nine bytes: the limit falls inside the last letter
    EXPECT_EQ(edit->GetText(), CStr("Jánoss"));
    edit->SetText("Jánosé"); // exactly eight
    EXPECT_EQ(edit->GetText(), CStr("Jánosé"));

    // A click elsewhere takes the focus away too.
    stack.ProcessMessages();
    Click(stack, 310, 210);
    Click(stack, 900, 700);
    posted = stack.PendingMessages();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[1].MSG, kMsgEditBlur);
}

TEST_F(Input, TheWheelScrollsTheHoveredScrollable) {
    auto* grid = AddControl<CGuiGridControl>(window, 11250, GuiRect{500, 100, 300, 22 + 5 * 20});
    grid->SetColumnCount(1);
    grid->SetRowCount(20);
    auto* box = AddControl<CGuiTextBox>(window, 10820, GuiRect{500, 400, 200, 60});
    for (int i = 0; i < 10; ++i)
        box->SetText("line");
    Wheel(stack, 600, 150, -3);
    EXPECT_EQ(grid->ScrollPos(), 3);
    Wheel(stack, 600, 150, 1);
    EXPECT_EQ(grid->ScrollPos(), 2);
    Wheel(stack, 600, 420, -1);
    EXPECT_EQ(box->ScrollPos(), 1);
    Wheel(stack, 110, 110, -1); // a button: nothing scrolls
    EXPECT_EQ(grid->ScrollPos(), 2);
}

TEST_F(Input, ScrollBarArrowsPostToTheirTarget) {
    auto* grid = AddControl<CGuiGridControl>(window, 11125, GuiRect{500, 100, 300, 22 + 5 * 20});
    grid->SetColumnCount(1);
    grid->SetRowCount(20);
    auto* bar = AddControl<CGuiScrollBar>(window, 11126, GuiRect{800, 100, 16, 122});
    bar->SetTargetId(11125);
    Click(stack, 805, 210); // down arrow
    Click(stack, 805, 210);
    Click(stack, 805, 105); // up arrow
    std::vector<GuiMessage> posted = stack.PendingMessages();
    ASSERT_EQ(posted.size(), 3u);
    EXPECT_TRUE(SameMessage(posted[0], 11126, 11125, kMsgScrollDown));
    EXPECT_TRUE(SameMessage(posted[2], 11126, 11125, kMsgScrollUp));
    stack.ProcessMessages();
    EXPECT_EQ(grid->ScrollPos(), 1);
    EXPECT_EQ(backend.sounds.size(), 3u);
    Click(stack, 805, 100 + 122 - 16 - 2); // bottom of the track
    stack.ProcessMessages();
    EXPECT_EQ(grid->ScrollPos(), grid->ScrollMax());
}

TEST_F(Input, TooltipsShowAfterAShortHover) {
    button->SetTooltip("Play the next day");
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 110, 110, 1000));
    EXPECT_TRUE(stack.TooltipText(1300).IsEmpty());
    EXPECT_EQ(stack.TooltipText(1700), CStr("Play the next day"));
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 500, 500, 1800));
    EXPECT_TRUE(stack.TooltipText(3000).IsEmpty()); // the window has none
}

// The frame's buttons stay under the mouse when the next screen opens over them: their tooltip
// must not stay drawn on the new screen.
TEST_F(Input, AScreenChangeClearsTheTooltip) {
    stack.AddLayer(MakeWindow(10070, GuiRect{0, 0, 1024, 768}), false, false);
    button->SetTooltip("Play on until your next match");
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 110, 110, 1000));
    ASSERT_EQ(stack.TooltipText(1700), CStr("Play on until your next match"));
    stack.PostMessage(10050, 10070, kMsgSwitchTo, 10050, 0);
    stack.ProcessMessages();
    EXPECT_TRUE(stack.TooltipText(1800).IsEmpty());
    EXPECT_TRUE(stack.TooltipText(9000).IsEmpty()) << "not until the mouse moves";
}

TEST_F(Input, ATooltipFromBeneathNeverCoversADialogAbove) {
    // A small confirmation box opened over the full-screen window, beside the hovered button.
    CGuiElement* dialog = stack.AddLayer(MakeWindow(10060, GuiRect{240, 90, 360, 170}), true, false);
    auto* yes = AddControl<CGuiButton>(dialog, 10061, GuiRect{260, 200, 100, 30});
    button->SetTooltip("Play the next day");
    yes->SetTooltip("Confirm");
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 110, 110, 1000));
    ASSERT_EQ(stack.Hovered(), button);
    EXPECT_TRUE(stack.CoversDialogAbove(GuiRect{124, 132, 200, 24}));
    EXPECT_FALSE(stack.CoversDialogAbove(GuiRect{20, 132, 100, 24}));
    // The dialog's own elements keep their tooltips over it.
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 270, 210, 1100));
    ASSERT_EQ(stack.Hovered(), yes);
    EXPECT_FALSE(stack.CoversDialogAbove(GuiRect{284, 232, 80, 24}));
}

TEST_F(Input, AnimatedButtonsStepFramesWhileHoveredAndPlayTheirOwnSound) {
    auto* anim = AddControl<CGuiAnimButton>(window, 10051, GuiRect{300, 300, 100, 30});
    anim->SetFrameRate(10);
    EXPECT_EQ(anim->FrameAt(5000), 0);
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 310, 310, 1000));
    EXPECT_EQ(anim->FrameAt(1000), 0);
    EXPECT_EQ(anim->FrameAt(1350), 3);
    EXPECT_EQ(anim->FrameAt(1000 + 900), 1); // eight frames wrap
    stack.DispatchInput(Mouse(GuiInputKind::MouseDown, 310, 310, 1000));
    stack.DispatchInput(Mouse(GuiInputKind::MouseUp, 310, 310, 1000));
    EXPECT_EQ(backend.sounds, (std::vector<std::string>{"ANIMBUTTON_CLICK"}));
}

TEST_F(Input, ClosingALayerDropsItsHoverAndFocus) {
    CGuiElement* popup = stack.AddLayer(MakeWindow(11279, GuiRect{200, 200, 300, 200}), true, false);
    auto* edit = AddControl<CGuiEditBox>(popup, 11280, GuiRect{210, 210, 100, 24});
    auto* ok = AddControl<CGuiButton>(popup, 11281, GuiRect{210, 250, 100, 24});
    Click(stack, 220, 220);
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 220, 260));
    EXPECT_TRUE(ok->IsHovered());
    stack.ProcessMessages();
    stack.PostMessage(-1, 11279, kMsgClose, 0, 0);
    stack.ProcessMessages();
    EXPECT_FALSE(ok->IsHovered());
    EXPECT_FALSE(edit->HasFocus());
    EXPECT_EQ(stack.Focus(), nullptr);
    EXPECT_EQ(stack.Hovered(), nullptr);
}

TEST_F(Input, EscapePressesTheFrontWindowsButtonUnlessATextFieldHasTheKeys) {
    CGuiElement* dialog = stack.AddLayer(MakeWindow(11074, GuiRect{200, 80, 600, 600}), true, false);
    auto* done = AddControl<CGuiButton>(dialog, 11097, GuiRect{500, 600, 120, 30});
    auto* edit = AddControl<CGuiEditBox>(dialog, 11098, GuiRect{210, 100, 100, 24});
    GuiInput escape;
    escape.kind = GuiInputKind::Key;
    escape.key = kGuiKeyEscape;
    // A window without an Escape button ignores the key.
    stack.DispatchInput(escape);
    EXPECT_TRUE(stack.PendingMessages().empty());

    stack.SetEscapeButton(11074, 11097);
    stack.DispatchInput(escape);
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_TRUE(SameMessage(stack.PendingMessages()[0], 11097, -1, kMsgClick));
    stack.ProcessMessages();

    // A text field with the focus takes Escape to leave the field, not the window.
    Click(stack, 220, 110);
    ASSERT_TRUE(edit->HasFocus());
    stack.ProcessMessages();
    stack.DispatchInput(escape);
    EXPECT_FALSE(edit->HasFocus());
    for (const GuiMessage& m : stack.PendingMessages())
        EXPECT_NE(m.MSG, kMsgClick);
    stack.ProcessMessages();

    // Only the window in front answers, and a disabled button is not pressed.
    stack.AddLayer(MakeWindow(11222, GuiRect{300, 300, 200, 100}), true, false);
    stack.DispatchInput(escape);
    EXPECT_TRUE(stack.PendingMessages().empty());
    stack.PostMessage(-1, 11222, kMsgClose, 0, 0);
    stack.ProcessMessages();
    done->SetDisabled(true);
    stack.DispatchInput(escape);
    EXPECT_TRUE(stack.PendingMessages().empty());
    done->SetDisabled(false);
    stack.DispatchInput(escape);
    EXPECT_EQ(stack.PendingMessages().size(), 1u);
    stack.ProcessMessages();

    // A message window whose OK the layout closes it with: Escape presses that OK.
    stack.AddLayer(MakeWindow(11223, GuiRect{300, 300, 200, 100}), true, false);
    stack.AddAction(GuiAction{11099, 11223, kMsgClose, 0, 0});
    stack.DispatchInput(escape);
    EXPECT_TRUE(stack.PendingMessages().empty()) << "the window holds no such button";
    stack.PostMessage(-1, 11223, kMsgClose, 0, 0);
    stack.ProcessMessages();
    CGuiElement* message = stack.AddLayer(MakeWindow(11224, GuiRect{300, 300, 200, 100}), true, false);
    AddControl<CGuiButton>(message, 11225, GuiRect{350, 350, 80, 30});
    stack.AddAction(GuiAction{11225, 11224, kMsgClose, 0, 0});
    stack.DispatchInput(escape);
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_TRUE(SameMessage(stack.PendingMessages()[0], 11225, -1, kMsgClick));
}

} // namespace
