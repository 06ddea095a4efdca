// List box, combo box and text box rules, and operations called on the wrong kind of element.
#include "GuiTestKit.h"

#include "gui/Button.h"
#include "gui/ComboBox.h"
#include "gui/Grid.h"
#include "gui/ListBox.h"
#include "gui/StaticText.h"
#include "gui/TextBox.h"

namespace {

class Lists : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        window = stack.AddLayer(MakeWindow(20000, GuiRect{0, 0, 1024, 768}), true, false);
        list = AddControl<CGuiListBox>(window, 21215, GuiRect{10, 10, 200, 5 * 20});
        combo = AddControl<CGuiComboBox>(window, 10258, GuiRect{300, 10, 200, 24});
        combo->SetConfiguredRows(6);
    }
    CTestStack stack;
    CGuiElement* window = nullptr;
    CGuiListBox* list = nullptr;
    CGuiComboBox* combo = nullptr;
};

TEST_F(Lists, ItemDataAndTextOutOfRangeAreEmpty) {
    list->AddItem("one", 11);
    list->AddItem("two", 22);
    EXPECT_EQ(list->GetItemData(1), 22);
    EXPECT_EQ(list->GetItemData(2), 0);
    EXPECT_EQ(list->GetItemData(-1), 0);
    list->SetItem(0, "uno", 111);
    list->SetItem(7, "nothing", 1);
    EXPECT_EQ(list->GetItemText(0), CStr("uno"));
    EXPECT_EQ(list->GetItemData(0), 111);
    EXPECT_EQ(list->GetItemCount(), 2);
}

TEST_F(Lists, SortItemsIsByteOrderOverTheWholeList) {
    for (const char* name : {"bravo", "Alpha", "alpha", "Bravo", "10", "9"})
        list->AddItem(name, 0);
    list->SortItems(-1, -1);
    std::vector<std::string> order;
    for (int i = 0; i < list->GetItemCount(); ++i)
        order.push_back(list->GetItemText(i).Std());
    EXPECT_EQ(order, (std::vector<std::string>{"10", "9", "Alpha", "Bravo", "alpha", "bravo"}));
}

TEST_F(Lists, ScrollRangeIsItemsMinusRowsPlusOneWithACaptionRow) {
    for (int i = 0; i < 12; ++i)
        list->AddItem("x", i);
    list->UpdateScrollRange();
    EXPECT_EQ(list->ScrollRange(), 12 - 5);
    list->SetColumnCaption(0, "Date");
    list->SetHeaderRow(true);
    list->UpdateScrollRange();
    EXPECT_EQ(list->ScrollRange(), 12 - 5 + 1);
    list->ClearItems();
    EXPECT_EQ(list->ScrollRange(), 0);
    EXPECT_EQ(list->GetSelectedIndex(), -1);
}

TEST_F(Lists, ChoosingAnItemPostsSelectionEvenForTheSameItem) {
    for (int i = 0; i < 8; ++i)
        list->AddItem(CStr::Formatted("item %d", i), i);
    Wheel(stack, 50, 30, -2); // scroll down two rows
    EXPECT_EQ(list->ScrollPos(), 2);
    Click(stack, 50, 10 + 20 + 5); // second row = item 3
    Click(stack, 50, 10 + 20 + 5);
    std::vector<GuiMessage> posted = stack.PendingMessages();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_TRUE(SameMessage(posted[0], 21215, -1, kMsgSelection, 3));
    EXPECT_TRUE(SameMessage(posted[1], 21215, -1, kMsgSelection, 3));
    EXPECT_EQ(list->GetSelectedIndex(), 3);
}

TEST_F(Lists, ComboSelectionIsClampedAndSurvivesARefill) {
    EXPECT_EQ(combo->GetSelectedIndex(), -1);
    for (int i = 0; i < 5; ++i)
        combo->AddItem(CStr::Formatted("League %d", i), 100 + i);
    combo->SetSelection(4);
    EXPECT_EQ(combo->GetSelectedIndex(), 4);
    combo->ClearItems();
    EXPECT_EQ(combo->GetSelectedIndex(), -1);
    combo->AddItem("A", 1);
    combo->AddItem("B", 2);
    EXPECT_EQ(combo->GetSelectedIndex(), 1); // clamped to the new count
    combo->AddItem("C", 3);
    combo->AddItem("D", 4);
    combo->AddItem("E", 5);
    EXPECT_EQ(combo->GetSelectedIndex(), 4); // the kept selection returns once there are items again
    EXPECT_TRUE(stack.PendingMessages().empty());
}

TEST_F(Lists, ComboListRowsShrinkOnlyBelowTheConfiguredCount) {
    for (int i = 0; i < 10; ++i)
        combo->AddItem("x", i);
    combo->SetListRows(3);
    EXPECT_EQ(combo->DropRows(), 4);
    EXPECT_EQ(combo->ScrollRange(), 10 - 4 + 1);
    combo->SetListRows(6);
    EXPECT_EQ(combo->DropRows(), 6);
    combo->SetListRows(20);
    EXPECT_EQ(combo->DropRows(), 6);
    EXPECT_EQ(combo->ScrollRange(), 10 - 6 + 1);
}

TEST_F(Lists, ComboOpensPostsClickAndAChoiceKeepsTheHoveredRow) {
    for (int i = 0; i < 4; ++i)
        combo->AddItem(CStr::Formatted("Team %d", i), 50 + i);
    Click(stack, 350, 20);
    EXPECT_TRUE(combo->IsOpen());
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_TRUE(SameMessage(stack.PendingMessages()[0], 10258, -1, kMsgClick));
    EXPECT_EQ(backend.sounds, (std::vector<std::string>{"COMBO_CLICK"}));
    stack.ProcessMessages();

    // Row 0 is the combo's own line; row 3 is item 2. A button under the list gets nothing.
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 350, 10 + 3 * 24 + 5));
    EXPECT_EQ(combo->GetHoverRow(), 3);
    stack.DispatchInput(Mouse(GuiInputKind::MouseDown, 350, 10 + 3 * 24 + 5));
    stack.DispatchInput(Mouse(GuiInputKind::MouseUp, 350, 10 + 3 * 24 + 5));
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(combo->GetSelectedIndex(), 2);
    EXPECT_EQ(combo->GetHoverRow(), 3);
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_TRUE(SameMessage(stack.PendingMessages()[0], 10258, -1, kMsgSelection, 2));
    stack.ProcessMessages();

    // A click outside the open list closes it and reaches nothing else.
    auto* below = AddControl<CGuiButton>(window, 30000, GuiRect{600, 300, 80, 30});
    Click(stack, 350, 20);
    stack.ProcessMessages();
    Click(stack, 620, 310);
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_TRUE(stack.PendingMessages().empty());
    Click(stack, 620, 310);
    EXPECT_EQ(stack.PendingMessages().size(), 1u);
    (void)below;
}

TEST_F(Lists, AComboNearTheBottomOpensUpwardsAndEscapeClosesIt) {
    // Six rows of 24 below a combo at y 700 would end at 844, past the screen's 768.
    auto* low = AddControl<CGuiComboBox>(window, 10259, GuiRect{300, 700, 200, 24});
    low->SetConfiguredRows(6);
    for (int i = 0; i < 8; ++i)
        low->AddItem(CStr::Formatted("Month %d", i), i);
    Click(stack, 350, 710);
    stack.ProcessMessages();
    ASSERT_TRUE(low->IsOpen());
    // The first item sits right above the combo's own list: 700 - 5 x 24 = 580.
    EXPECT_TRUE(low->PopupContains(350, 585));
    EXPECT_FALSE(low->PopupContains(350, 730 + 24));
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, 350, 585));
    EXPECT_EQ(low->GetHoverRow(), 1);
    Click(stack, 350, 585 + 24);
    EXPECT_FALSE(low->IsOpen());
    EXPECT_EQ(low->GetSelectedIndex(), 1);
    stack.ProcessMessages();

    // Escape closes an open list and keeps the choice; the key goes no further.
    Click(stack, 350, 20);
    stack.ProcessMessages();
    ASSERT_TRUE(combo->IsOpen());
    GuiInput escape;
    escape.kind = GuiInputKind::Key;
    escape.key = kGuiKeyEscape;
    stack.DispatchInput(escape);
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_TRUE(stack.PendingMessages().empty());
}

TEST_F(Lists, TextBoxAppendsWrappedLinesUntilCleared) {
    auto* box = AddControl<CGuiTextBox>(window, 11223, GuiRect{0, 0, 2 * CGuiTextBox::kPadding + 70, 100});
    // The null measure gives 7 px a byte at size 14: ten bytes a line.
    box->SetText("one two three four");
    EXPECT_EQ(box->Lines(), (std::vector<CStr>{"one two", "three four"}));
    box->SetText("next\nline");
    EXPECT_EQ(box->Lines().size(), 4u);
    EXPECT_EQ(box->Lines()[3], CStr("line"));
    box->Clear();
    box->SetText("abcdefghijklmnop");
    EXPECT_EQ(box->Lines(), (std::vector<CStr>{"abcdefghij", "klmnop"}));
    box->SetText("a\n\nb");
    EXPECT_EQ(box->Lines(), (std::vector<CStr>{"abcdefghij", "klmnop", "a", "", "b"}));
}

TEST_F(Lists, OperationsOfAnotherClassDoNothingButLogOnce) {
    auto* label = AddControl<CGuiStaticText>(window, 11278, GuiRect{0, 0, 100, 20});
    label->SetText("kept", kFormatCentre, kColorWhite);
    size_t before = LogSize();
    CGuiElement* asElement = label;
    asElement->AddCell(0, "x", 1);
    asElement->ClearItems();
    asElement->SetDisabled(true); // every element has the enabled byte
    EXPECT_EQ(LogSize(), before + 2);
    EXPECT_EQ(LogLinesWith({"AddCell", "11278"}), 1);
    EXPECT_EQ(label->GetText(), CStr("kept"));
    EXPECT_FALSE(label->IsEnabled());
    CGuiElement* asList = list;
    EXPECT_EQ(asList->FindCell(0, 0), nullptr);
    EXPECT_EQ(LogLinesWith({"FindCell", "21215"}), 1);
}

} // namespace
