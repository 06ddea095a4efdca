// Grid rules: cells by column, logical rows, scrolling, selection, sorting, colours.
#include "GuiTestKit.h"

#include "gui/Grid.h"
#include "gui/StaticText.h"

#include <algorithm>

namespace {

class Grid : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        grid.Desc().id = 10340;
        grid.Desc().h = 22 + 5 * 20; // header and five rows
        grid.Desc().w = 300;
        grid.UpdateRect();
        grid.SetColumnCount(3);
    }
    void AddRow(const char* name, int data) {
        int row = grid.CellCount(0);
        grid.AddCell(0, name, data);
        grid.AddCell(1, CStr::Formatted("%d", data), data * 10);
        grid.AddCell(2, CStr::Formatted("r%d", row), row);
    }
    CGuiGridControl grid;
};

TEST_F(Grid, CellsFillColumnByColumnAndColumnsBeyondTheCountAreIgnored) {
    grid.AddCell(1, "b0", 10);
    grid.AddCell(0, "a0", 1);
    grid.AddCell(0, "a1", 2);
    grid.AddCell(3, "x", 9);
    grid.AddCell(-1, "x", 9);
    EXPECT_EQ(grid.FindCell(0, 1)->text, CStr("a1"));
    EXPECT_EQ(grid.FindCell(1, 0)->data, 10);
    EXPECT_EQ(grid.FindCell(1, 1), nullptr);
    EXPECT_EQ(grid.FindCell(3, 0), nullptr);
    // A found cell can be rewritten in place.
    grid.FindCell(0, 0)->text = "changed";
    grid.FindCell(0, 0)->data = 77;
    EXPECT_EQ(grid.FindCell(0, 0)->text, CStr("changed"));
    EXPECT_EQ(grid.FindCell(0, 0)->data, 77);
}

TEST_F(Grid, RowCountIsIndependentOfCellsAndBoundsScrollingAndSelection) {
    AddRow("only", 1);
    grid.SetRowCount(9);
    EXPECT_EQ(grid.VisibleRows(), 5);
    grid.ResetScroll(true);
    EXPECT_EQ(grid.ScrollRange(), 9 - 5 + 1);
    grid.ScrollTo(100);
    EXPECT_EQ(grid.ScrollPos(), 4);
    grid.ResetScroll(false);
    EXPECT_EQ(grid.ScrollPos(), 4);
    EXPECT_EQ(grid.GetHoverRow(), -1);
    grid.ResetScroll(true);
    EXPECT_EQ(grid.ScrollPos(), 0);

    // An empty row below the row count can be selected; the selection follows a shrinking count.
    grid.SetSelectedRow(8);
    EXPECT_EQ(grid.ClampSelection(), 8);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.ClampSelection(), 2);
    grid.SetRowCount(0);
    EXPECT_EQ(grid.ClampSelection(), -1);
    grid.SetSelectedRow(-5);
    EXPECT_EQ(grid.GetSelectedRow(), -1);
}

TEST_F(Grid, ClearDropsCellsAndScrollButKeepsColumnSettings) {
    grid.SetColumnWidth(1, 42);
    grid.SetColumnColour(1, kColorOrange);
    grid.SetHeaderText(1, "Age", kFormatRightMiddle);
    grid.SetHeaderTooltip(1, "Player age");
    for (int i = 0; i < 10; ++i)
        AddRow("p", i);
    grid.SetRowCount(10);
    grid.ScrollTo(3);
    grid.Clear();
    EXPECT_EQ(grid.CellCount(0), 0);
    EXPECT_EQ(grid.ScrollPos(), 0);
    EXPECT_EQ(grid.HeaderText(1), CStr("Age"));
    EXPECT_EQ(grid.CellTextColour(1, 0), kColorOrange);
    grid.AddCell(0, "again", 1);
    EXPECT_EQ(grid.FindCell(0, 0)->text, CStr("again")); // refilled from row 0
}

TEST_F(Grid, CellColourOverridesColumnColourAndIgnoresMissingCells) {
    grid.SetColumnColour(0, kColorYellow);
    AddRow("a", 1);
    AddRow("b", 2);
    grid.SetCellColour(0, 1, kColorRed);
    grid.SetCellColour(0, 5, kColorGreen); // no such cell
    EXPECT_EQ(grid.CellTextColour(0, 0), kColorYellow);
    EXPECT_EQ(grid.CellTextColour(0, 1), kColorRed);
    EXPECT_EQ(grid.CellCount(0), 2);
    grid.SetColumnColour(0, kColorWhite);
    EXPECT_EQ(grid.CellTextColour(0, 1), kColorRed);
}

TEST_F(Grid, SortingMovesWholeRowsWithDataAndColours) {
    AddRow("Carter", 3);
    AddRow("Adams", 1);
    AddRow("Bell", 2);
    grid.SetCellColour(1, 0, kColorRed); // Carter's second cell
    grid.SortRows(0, -1, -1);
    EXPECT_EQ(grid.FindCell(0, 0)->text, CStr("Adams"));
    EXPECT_EQ(grid.FindCell(0, 2)->text, CStr("Carter"));
    EXPECT_EQ(grid.FindCell(1, 2)->data, 30);
    EXPECT_EQ(grid.FindCell(2, 2)->text, CStr("r0"));
    EXPECT_EQ(grid.CellTextColour(1, 2), kColorRed);
    EXPECT_EQ(grid.CellTextColour(1, 0), grid.CellTextColour(1, 1));
}

TEST_F(Grid, SortingARangeLeavesOtherRowsAndIsStableAndBytewise) {
    AddRow("zeta", 0);
    AddRow("b", 1);
    AddRow("B", 2);
    AddRow("b", 3);
    AddRow("a", 4);
    grid.SortRows(0, 1, 3);
    EXPECT_EQ(grid.FindCell(0, 0)->text, CStr("zeta"));
    EXPECT_EQ(grid.FindCell(0, 1)->text, CStr("B")); // capitals first in byte order
    EXPECT_EQ(grid.FindCell(0, 2)->data, 1);         // equal texts keep their order
    EXPECT_EQ(grid.FindCell(0, 3)->data, 3);
    EXPECT_EQ(grid.FindCell(0, 4)->text, CStr("a"));
}

TEST_F(Grid, SortingWithColumnsOfDifferentLengthsKeepsHolesWithTheirRows) {
    grid.AddCell(0, "b", 0);
    grid.AddCell(0, "a", 1);
    grid.AddCell(1, "only b has this", 5);
    grid.SortRows(0, -1, -1);
    EXPECT_EQ(grid.FindCell(1, 0), nullptr);
    ASSERT_NE(grid.FindCell(1, 1), nullptr);
    EXPECT_EQ(grid.FindCell(1, 1)->data, 5);
}

TEST_F(Grid, ClickingARowSelectsItAndPostsSelectionThenClickWithTheRow) {
    CTestStack stack;
    CGuiElement* window = stack.AddLayer(MakeWindow(10312, GuiRect{0, 0, 400, 400}), true, false);
    auto* g = AddControl<CGuiGridControl>(window, 10340, GuiRect{0, 0, 300, 22 + 5 * 20});
    g->SetColumnCount(1);
    g->SetColumnWidth(0, 300);
    g->SetRowCount(8);
    g->ScrollTo(2);
    Click(stack, 50, 22 + 1 * 20 + 5); // second visible row = row 3
    std::vector<GuiMessage> posted = stack.PendingMessages();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_TRUE(SameMessage(posted[0], 10340, -1, kMsgSelection, 3));
    EXPECT_TRUE(SameMessage(posted[1], 10340, -1, kMsgClick, 3));
    EXPECT_EQ(g->GetSelectedRow(), 3);
    stack.ProcessMessages();

    // The header and rows past the row count post nothing.
    Click(stack, 50, 5);
    g->SetRowCount(4);
    Click(stack, 50, 22 + 4 * 20 + 5);
    EXPECT_TRUE(stack.PendingMessages().empty());

    // Silent selection posts nothing; a loud one posts kind 8.
    g->SetSelectedRow(1);
    EXPECT_TRUE(stack.PendingMessages().empty());
    g->SetSelectedRow(2, false);
    ASSERT_EQ(stack.PendingMessages().size(), 1u);
    EXPECT_TRUE(SameMessage(stack.PendingMessages()[0], 10340, -1, kMsgSelection, 2));
}

TEST_F(Grid, HeaderTooltipsAnswerOverTheirColumn) {
    grid.SetColumnWidth(0, 100);
    grid.SetColumnWidth(1, 100);
    grid.SetHeaderTooltip(1, "Rating out of 20");
    grid.SetTooltip("The squad");
    EXPECT_EQ(grid.TooltipAt(150, 5), CStr("Rating out of 20"));
    EXPECT_EQ(grid.TooltipAt(50, 5), CStr("The squad"));
    EXPECT_EQ(grid.TooltipAt(150, 60), CStr("The squad"));
}

TEST_F(Grid, TextTooLongForItsColumnEndsInAnEllipsisAndIsWholeInTheTooltip) {
    // 14-pixel text is 7 pixels a character here; a 100-pixel column leaves 90 for the text.
    grid.SetColumnWidth(0, 100);
    grid.SetTooltip("The clubs");
    grid.AddCell(0, "Thornbury Thunder", 1);
    grid.AddCell(0, "Lions", 2);
    grid.SetRowCount(2);
    grid.Draw(backend, 0);
    auto drawn = [this](const std::string& text) {
        return std::find(backend.texts.begin(), backend.texts.end(), text) != backend.texts.end();
    };
    EXPECT_TRUE(drawn("Thornbury..."));
    EXPECT_FALSE(drawn("Thornbury Thunder"));
    EXPECT_TRUE(drawn("Lions"));
    EXPECT_EQ(grid.TooltipAt(50, 30), CStr("Thornbury Thunder"));
    EXPECT_EQ(grid.TooltipAt(50, 50), CStr("The clubs"));
}

TEST_F(Grid, AOneLineLabelTooLongEndsInAnEllipsisAndShowsItselfWholeAsItsTooltip) {
    CGuiStaticText label;
    label.Desc().w = 100;
    label.Desc().h = 20;
    label.UpdateRect();
    label.SetText("New Zealand Tall Blacks", kFormatLeftMiddle, 0xFFFFFFFFu);
    label.Draw(backend, 0);
    ASSERT_FALSE(backend.texts.empty());
    EXPECT_EQ(backend.texts.back(), "New Zealand...");
    EXPECT_EQ(label.TooltipAt(10, 10), CStr("New Zealand Tall Blacks"));
    // A label that fits is drawn whole, with no tooltip of its own.
    label.SetText("Lions", kFormatLeftMiddle, 0xFFFFFFFFu);
    label.Draw(backend, 0);
    EXPECT_EQ(backend.texts.back(), "Lions");
    EXPECT_TRUE(label.TooltipAt(10, 10).IsEmpty());
}

} // namespace
