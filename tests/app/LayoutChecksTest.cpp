// The start-up checks of the layout and its element names, run straight on the shipped files.
#include "app/ContentChecks.h"
#include "engine/Paths.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const char* const kDefines = "\\guifiles\\guidefines.h";
const char* const kLayout = "\\guifiles\\GuiXML.xml";

// The layout loaded under the shipped element names less the ones given.
CStr ProblemWithoutDefines(std::initializer_list<const char*> dropped) {
    CScreenStack stack;
    CGuiLayoutLoader loader(stack);
    EXPECT_TRUE(loader.ReadDefines(kDefines));
    std::vector<GuiDefine>& defines = stack.Defines();
    for (const char* name : dropped)
        std::erase_if(defines, [name](const GuiDefine& d) { return d.name == name; });
    EXPECT_TRUE(loader.LoadLayout(kLayout));
    return LayoutProblem(stack, loader, kDefines, kLayout);
}

} // namespace

TEST(LayoutChecks, ANameTheDefineFileLacksIsNamedInOneSentenceWithItsLine) {
    std::string layout;
    ASSERT_TRUE(ReadWholeFile(kLayout, layout));
    const size_t at = layout.find("name=\"ID_MM_QUIT\"");
    ASSERT_NE(at, std::string::npos);
    const int line = 1 + static_cast<int>(std::count(layout.begin(), layout.begin() + at, '\n'));

    const std::string one = ProblemWithoutDefines({"ID_MM_QUIT"}).Std();
    EXPECT_NE(one.find("The file guifiles\\guidefines.h is damaged: it lacks ID_MM_QUIT, which line " +
                       std::to_string(line) + " of guifiles\\GuiXML.xml uses. It is at "),
              std::string::npos)
        << one;
    const std::string two = ProblemWithoutDefines({"ID_MM_QUIT", "ID_MM_OPTIONS"}).Std();
    EXPECT_NE(two.find("uses, and 1 more name the layout uses. It is at "), std::string::npos) << two;
    for (const std::string& sentence : {one, two})
        EXPECT_EQ(sentence.find(",."), std::string::npos) << sentence;
}
