// The commentary popup on the shipped layout: one open at a time, highlighted lines, closing empties.
#include "screens/match/CommentaryPopup.h"

#include "gui/ListBox.h"
#include "guidefines.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

using namespace screentest;

namespace {

int Opens(const CScreenStack& stack) {
    int n = 0;
    for (const GuiMessage& m : stack.PendingMessages())
        n += m.cID == ID_COMMENTARY && m.MSG == kMsgOpenOnTop ? 1 : 0;
    return n;
}

} // namespace

TEST(CommentaryPopup, ASecondLineJoinsTheOpenPopup) {
    MatchScreenRig rig;
    CCommentaryPopup popup(rig.ctx);
    CGuiElement* list = rig.stack.FindElement(ID_COMMENTARY_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_STREQ(rig.stack.FindElement(ID_COMMENTARY_CLOSE)->GetText().GetText(), "<100156>");

    popup.AddLine("Head coach Ramos:", 0);
    EXPECT_EQ(Opens(rig.stack), 1);
    EXPECT_TRUE(rig.shell.overlays[static_cast<int>(Overlay::Commentary)]);
    popup.AddLine("Ortega is tiring.", 257); // only the low byte counts
    popup.AddLine("Smith: I need a breather.", 2);
    EXPECT_EQ(Opens(rig.stack), 1);
    ASSERT_EQ(list->GetItemCount(), 3);
    auto* box = static_cast<CGuiListBox*>(list);
    EXPECT_EQ(box->ItemColour(0), CCommentaryPopup::kNormal);
    EXPECT_EQ(box->ItemColour(1), CCommentaryPopup::kHighlight);
    EXPECT_EQ(box->ItemColour(2), CCommentaryPopup::kNormal);

    // Closing empties the list and lets the next line open a fresh popup.
    GuiMessage close;
    close.sID = ID_COMMENTARY_CLOSE;
    close.MSG = kMsgClick;
    popup.OnMessage(close);
    EXPECT_EQ(close.sID, ID_COMMENTARY_CLOSE); // left to the layout's action
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_FALSE(rig.shell.overlays[static_cast<int>(Overlay::Commentary)]);
    popup.AddLine("Again", 1);
    EXPECT_EQ(Opens(rig.stack), 2);
    EXPECT_EQ(list->GetItemCount(), 1);
}

// The window left open when a match ended (its flag cleared with the match's windows when the next
// match starts) shows the next match's remarks only: the old ones came back as if made again.
TEST(CommentaryPopup, AWindowOpenedAgainShowsOnlyTheRemarksSinceItOpened) {
    MatchScreenRig rig;
    CCommentaryPopup popup(rig.ctx);
    CGuiElement* list = rig.stack.FindElement(ID_COMMENTARY_LIST);
    ASSERT_NE(list, nullptr);
    popup.AddLine("Head coach Ramos:", 0);
    popup.AddLine("Keep an eye on Ortega: he is in foul trouble.", 0);
    rig.shell.overlays[static_cast<int>(Overlay::Commentary)] = false;
    popup.AddLine("Head coach Ramos:", 0);
    popup.AddLine("Keep an eye on Smith: he is in foul trouble.", 0);
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_STREQ(list->GetItemText(1).GetText(), "Keep an eye on Smith: he is in foul trouble.");

    // Without a head coach the remark has no name above it, and no blank row either.
    popup.Close();
    popup.AddLine("", 0);
    popup.AddLine("Keep an eye on Jones: he is in foul trouble.", 0);
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_STREQ(list->GetItemText(0).GetText(), "Keep an eye on Jones: he is in foul trouble.");
}
