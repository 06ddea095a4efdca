// The start-up checks of the layout and its element names, run straight on the shipped files.
#include "app/ContentChecks.h"
#include "engine/Paths.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

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

// Every element, grid or list column, list choice, click action and scroll bar the screens stand on
// is checked at start-up: a layout with such a line taken out either fails to parse (the game stops
// on that) or is named with what it lost, never starts with a button or a column missing. Loading
// the layout takes milliseconds, so the lines taken out are the first and the last of each kind in
// every window, and the ones a damaged installation was found to lose without a word.
TEST(LayoutChecks, ALayoutWithoutAnyOneOfItsLinesIsRefusedWithWhatItLost) {
    std::string layout;
    ASSERT_TRUE(ReadWholeFile(kLayout, layout));
    std::vector<std::string> lines;
    {
        std::istringstream in(layout);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
    }
    std::vector<GuiDefine> defines;
    {
        CScreenStack stack;
        CGuiLayoutLoader loader(stack);
        ASSERT_TRUE(loader.ReadDefines(kDefines));
        defines = stack.Defines();
    }
    // What a line holds that the screens need (its kind) and the words the refusal must then say.
    const std::regex window(R"re(^  <\w+ name="(\w+)")re");
    const std::regex named(R"re(\bname="(\w+)")re");
    const std::regex action(R"re(<Action\b.*\bsource="(\w+)")re");
    const std::regex scrollBar(R"re(<ScrollBar\b.*\btarget="(\w+)")re");
    auto expected = [&](const std::string& line, std::string& kind) -> std::string {
        std::smatch m;
        kind = "";
        if (std::regex_search(line, m, action))
            return kind = "action", "a click on " + m[1].str();
        if (std::regex_search(line, m, named))
            return kind = "element", m[1].str();
        if (std::regex_search(line, m, scrollBar))
            return kind = "scroll bar", "scroll bar for " + m[1].str();
        if (line.find("<Column") != std::string::npos)
            return kind = "column", " columns where the game's screens show ";
        if (line.find("<Item") != std::string::npos)
            return kind = "choice", "its list";
        return "";
    };
    std::map<std::string, std::vector<size_t>> byKind; // window and kind -> lines
    std::string current;
    for (size_t k = 0; k < lines.size(); ++k) {
        std::smatch m;
        if (std::regex_search(lines[k], m, window))
            current = m[1].str();
        std::string kind;
        if (!expected(lines[k], kind).empty())
            byKind[current + " " + kind].push_back(k);
    }
    std::set<size_t> taken;
    for (const auto& [where, found] : byKind) {
        taken.insert(found.front());
        taken.insert(found.back());
    }
    // "Leave career" at the season's end, a ticket "+", a staff release button, a card's FT% column.
    for (const char* lost :
         {"text=\"Leave career\"", "name=\"ID_TK_UP_2\"", "name=\"ID_STAFF_RELEASE_3\"", "header=\"FT%\""}) {
        auto at = std::find_if(lines.begin(), lines.end(), [lost](const std::string& line) {
            return line.find(lost) != std::string::npos;
        });
        ASSERT_NE(at, lines.end()) << lost;
        taken.insert(static_cast<size_t>(at - lines.begin()));
    }
    int unparsed = 0;
    std::vector<std::string> silent;
    for (size_t skip : taken) {
        std::string kind;
        const std::string says = expected(lines[skip], kind);
        std::string damaged;
        for (size_t k = 0; k < lines.size(); ++k)
            if (k != skip)
                damaged += lines[k] + "\n";
        CScreenStack stack;
        stack.Defines() = defines;
        CGuiLayoutLoader loader(stack);
        if (!loader.LoadLayoutText(damaged.c_str(), kLayout)) {
            ++unparsed; // the game stops on a layout that does not parse
            continue;
        }
        const std::string problem = LayoutProblem(stack, loader, kDefines, kLayout).Std();
        if (problem.find("The file guifiles\\GuiXML.xml is damaged: ") == std::string::npos ||
            problem.find(says) == std::string::npos)
            silent.push_back("line " + std::to_string(skip + 1) + ": " + lines[skip] + " -> " + problem);
    }
    EXPECT_GT(byKind.size(), 80u);
    EXPECT_GT(static_cast<int>(taken.size()) - unparsed, 100);
    EXPECT_TRUE(silent.empty()) << silent.size() << " of " << taken.size() << " lines go unnoticed";
    for (size_t k = 0; k < std::min<size_t>(silent.size(), 20); ++k)
        ADD_FAILURE() << silent[k];
}
