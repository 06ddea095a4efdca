// The define file and the layout XML: order and duplicates, the showcase tree, bad input.
#include "GuiTestKit.h"

#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/ComboBox.h"
#include "gui/EditBox.h"
#include "gui/Grid.h"
#include "gui/LayoutLoader.h"
#include "gui/ProgressBar.h"
#include "gui/ScrollBar.h"
#include "gui/StaticText.h"
#include "gui/TextBox.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

const std::string kData = FB_TEST_DATA_DIR;

class Layout : public GuiTest {
protected:
    bool LoadShowcase() {
        CGuiLayoutLoader loader(stack);
        return loader.ReadDefines((kData + "/showcase_defines.h").c_str()) &&
               loader.LoadLayout((kData + "/showcase.xml").c_str());
    }
    CTestStack stack;
};

TEST_F(Layout, DefinesKeepFileOrderAndTheFirstDefinitionWins) {
    CGuiLayoutLoader loader(stack);
    ASSERT_TRUE(loader.ReadDefines((kData + "/showcase_defines.h").c_str()));
    const std::vector<GuiDefine>& defines = stack.Defines();
    ASSERT_GE(defines.size(), 3u);
    EXPECT_EQ(defines[0].name, CStr("ID_SHOWCASE"));
    EXPECT_EQ(defines[1].value, 13001);
    EXPECT_EQ(defines.back().value, 99999);                    // the duplicate is kept ...
    EXPECT_EQ(stack.FindGuiIdByName("ID_SC_CONTINUE"), 13002); // ... but not found
    EXPECT_EQ(FindGuiIdByName("ID_SC_CONTINUE"), 13002);
    EXPECT_EQ(stack.FindGuiIdByName("id_sc_continue"), -1); // names are case-sensitive
    EXPECT_EQ(stack.FindGuiIdByName("SHOWCASE_VERSION_TEXT"), -1);
    EXPECT_EQ(stack.FindGuiIdByName("ID_NOWHERE"), -1);
}

TEST_F(Layout, TheShowcaseBuildsItsLayersTreeAndActions) {
    ASSERT_TRUE(LoadShowcase());
    ASSERT_EQ(stack.Layers().size(), 2u);
    EXPECT_EQ(stack.Layers()[0].screenId, 13000);
    EXPECT_TRUE(stack.Layers()[0].active);
    EXPECT_TRUE(stack.Layers()[0].keep);
    EXPECT_FALSE(stack.Layers()[1].active);

    // Positions in the file are relative to the parent.
    CGuiElement* cont = stack.FindElement(13002);
    ASSERT_NE(cont, nullptr);
    EXPECT_EQ(cont->GetType(), GuiElementType::Button);
    EXPECT_EQ(cont->Rect().x, 16 + 16);
    EXPECT_EQ(cont->Rect().y, 40 + 40);
    EXPECT_EQ(cont->Parent()->GetId(), 13001);
    EXPECT_EQ(cont->GetText(), CStr("Continue"));
    EXPECT_EQ(cont->GetTooltip(), CStr("Play until the next match day"));
    EXPECT_FALSE(stack.FindElement(13003)->IsEnabled());
    EXPECT_TRUE(stack.FindElement(13006)->IsChecked());
    EXPECT_FALSE(stack.FindElement(13007)->IsChecked());
    EXPECT_EQ(stack.FindElement(13008)->GetText(), CStr("J. Doe"));
    EXPECT_EQ(static_cast<CGuiProgressBar*>(stack.FindElement(13010))->Value(), 65);

    auto* combo = static_cast<CGuiComboBox*>(stack.FindElement(13009));
    EXPECT_EQ(combo->GetType(), GuiElementType::ComboBox);
    EXPECT_EQ(combo->GetItemCount(), 8);
    EXPECT_EQ(combo->GetItemData(7), 8);
    EXPECT_EQ(combo->ConfiguredRows(), 6);
    EXPECT_EQ(combo->GetSelectedIndex(), 0);

    auto* grid = static_cast<CGuiGridControl*>(stack.FindElement(13012));
    EXPECT_EQ(grid->ColumnCount(), 5);
    EXPECT_EQ(grid->HeaderText(4), CStr("Rating"));
    EXPECT_EQ(grid->VisibleRows(), (330 - 22) / 22);
    EXPECT_EQ(grid->TooltipAt(332 + 36 + 10, 45), CStr("Player name"));
    EXPECT_EQ(static_cast<CGuiScrollBar*>(stack.FindElement(13013))->Target(), grid);

    // Colours: "#RRGGBBAA" and raw colour words both land as words.
    auto* half = static_cast<CGuiStaticText*>(stack.FindElement(13027));
    EXPECT_EQ(half->GetTextColour(), 0xFFFFFF80u);
    EXPECT_EQ(static_cast<CGuiStaticText*>(stack.FindElement(13025))->GetTextColour(), kColorOrange);
    EXPECT_EQ(static_cast<CGuiStaticText*>(stack.FindElement(13025))->GetFormat(), 5);

    // A missing picture leaves the element with its fill, and says which file.
    EXPECT_FALSE(stack.FindElement(13011)->HasImage());
    EXPECT_EQ(LogLinesWith({"no_such_badge.png"}), 1);

    ASSERT_EQ(stack.Actions().size(), 3u);
    EXPECT_EQ(stack.Actions()[0].source, 13017);
    EXPECT_EQ(stack.Actions()[0].target, 13019);
    EXPECT_EQ(stack.Actions()[0].kind, kMsgOpenOnTop);
    EXPECT_EQ(stack.Actions()[1].kind, kMsgClose);
    EXPECT_EQ(stack.Actions()[2].kind, kMsgClose);
}

TEST_F(Layout, TheShowcasePopupOpensAndClosesThroughItsActions) {
    ASSERT_TRUE(LoadShowcase());
    Click(stack, 740 + 10, 680 + 10);
    stack.ProcessMessages();
    stack.ProcessMessages();
    EXPECT_TRUE(stack.IsLayerActive(13019));
    Click(stack, 312 + 140, 250 + 160);
    stack.ProcessMessages();
    stack.ProcessMessages();
    EXPECT_FALSE(stack.IsLayerActive(13019));
    EXPECT_TRUE(stack.IsLayerActive(13000));
}

TEST_F(Layout, ANameLookedUpBeforeMoreDefinesArriveFindsThemLater) {
    stack.Defines().push_back(GuiDefine{"ID_W", 1});
    EXPECT_EQ(stack.FindGuiIdByName("ID_B"), -1);
    stack.Defines().push_back(GuiDefine{"ID_B", 2});
    stack.Defines().push_back(GuiDefine{"ID_W", 3});
    EXPECT_EQ(stack.FindGuiIdByName("ID_B"), 2);
    EXPECT_EQ(stack.FindGuiIdByName("ID_W"), 1);
    EXPECT_EQ(stack.FindGuiIdByName(nullptr), -1);
}

TEST_F(Layout, UnknownTypesAndNamesAreSkippedWithTheirLine) {
    stack.Defines().push_back(GuiDefine{"ID_W", 1});
    stack.Defines().push_back(GuiDefine{"ID_B", 2});
    CGuiLayoutLoader loader(stack);
    ASSERT_TRUE(loader.LoadLayoutText("<GuiLayout>\n"
                                      "  <Window name=\"ID_W\" w=\"100\" h=\"100\">\n"
                                      "    <Slider name=\"ID_B\"/>\n"
                                      "    <Button name=\"ID_GONE\"><Button name=\"ID_B\"/></Button>\n"
                                      "    <Button name=\"ID_B\" x=\"5\"/>\n"
                                      "  </Window>\n"
                                      "  <Action source=\"ID_B\" target=\"ID_NOPE\" kind=\"close\"/>\n"
                                      "  <Action source=\"ID_B\" target=\"ID_W\" kind=\"wobble\"/>\n"
                                      "</GuiLayout>\n",
                                      "inline.xml"));
    EXPECT_EQ(loader.SkippedCount(), 4);
    EXPECT_EQ(LogLinesWith({"Slider", "line 3"}), 1);
    EXPECT_EQ(LogLinesWith({"ID_GONE", "line 4"}), 1);
    EXPECT_EQ(LogLinesWith({"ID_NOPE", "line 7"}), 1);
    EXPECT_EQ(LogLinesWith({"wobble", "line 8"}), 1);
    CGuiElement* window = stack.FindElement(1);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->Children().size(), 1u); // the skipped button took its child with it
    EXPECT_EQ(window->Children()[0]->Rect().x, 5);
    EXPECT_TRUE(stack.Actions().empty());
}

TEST_F(Layout, TheGameFolderFilesAreReadFromTheWorkingDirectory) {
    std::filesystem::path previous = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "fastbreak-gui-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    std::filesystem::current_path(pattern);
    {
        CGuiLayoutLoader loader(stack);
        EXPECT_FALSE(loader.Load()); // nothing there yet
        EXPECT_EQ(LogLinesWith({"guidefines.h"}), 1);
        std::filesystem::create_directories("GuiFiles");
        std::ofstream("GuiFiles/guidefines.h")
            << "#define ID_MENU\t10001\r\n#define  ID_QUIT   10002 // exit\r\n";
        std::ofstream("GuiFiles/GuiXML.xml")
            << "<GuiLayout><Window name=\"ID_MENU\" w=\"1024\" h=\"768\" active=\"1\">"
               "<Button name=\"ID_QUIT\" text=\"Quit\"/></Window></GuiLayout>";
        EXPECT_TRUE(loader.Load());
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(pattern);
    EXPECT_EQ(stack.FindGuiIdByName("ID_QUIT"), 10002);
    ASSERT_NE(stack.FindElement(10002), nullptr);
    EXPECT_TRUE(stack.IsLayerActive(10001));
}

TEST(GuiColour, HashFormsAndWordsGiveColourWords) {
    uint32_t c = 0;
    ASSERT_TRUE(ParseGuiColour("#FF0000", c));
    EXPECT_EQ(c, kColorRed);
    ASSERT_TRUE(ParseGuiColour("#FFFFFF80", c));
    EXPECT_EQ(c, 0xFFFFFF80u);
    ASSERT_TRUE(ParseGuiColour(" 0x00FF00FF ", c));
    EXPECT_EQ(c, kColorGreen);
    ASSERT_TRUE(ParseGuiColour("16711935", c));
    EXPECT_EQ(c, kColorGreen);
    EXPECT_FALSE(ParseGuiColour("#12345", c));
    EXPECT_FALSE(ParseGuiColour("red", c));
    ColorRGBA half = ColorFromWord(0xFFFFFF80u);
    EXPECT_EQ(half, (ColorRGBA{255, 255, 255, 128}));
}

} // namespace
