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
            return kind = "column", " where the game's screens show ";
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

namespace {

// The shipped layout with each edit made once, loaded under the shipped element names: what the
// start-up check says of it.
std::string ProblemOfEditedLayout(std::initializer_list<std::pair<std::string, std::string>> edits) {
    std::string layout;
    EXPECT_TRUE(ReadWholeFile(kLayout, layout));
    for (const auto& [from, to] : edits) {
        const size_t at = layout.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            layout.replace(at, from.size(), to);
    }
    CScreenStack stack;
    CGuiLayoutLoader loader(stack);
    EXPECT_TRUE(loader.ReadDefines(kDefines));
    if (!loader.LoadLayoutText(layout.c_str(), kLayout))
        return "the edited layout does not parse";
    return LayoutProblem(stack, loader, kDefines, kLayout).Std();
}

int LineOf(const std::string& what) {
    std::string layout;
    EXPECT_TRUE(ReadWholeFile(kLayout, layout));
    const size_t at = layout.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    return 1 +
           static_cast<int>(std::count(layout.begin(), layout.begin() + std::min(at, layout.size()), '\n'));
}

} // namespace

// A name changed in the layout is the layout's fault: the element whose name the screens look for
// is what it lost, and the line with the name nobody knows says where. The define file is blamed
// only for a name the screens use (above).
TEST(LayoutChecks, AnElementRenamedInTheLayoutIsBlamedOnTheLayout) {
    const struct {
        std::string from, to, says;
    } cases[] = {
        {"name=\"ID_LU_INFO\"", "name=\"ID_LU_INF0\"",
         "The file guifiles\\GuiXML.xml is damaged: it has no element ID_LU_INFO in its window ID_LINEUP, "
         "which "
         "the game's screens use (its line " +
             std::to_string(LineOf("name=\"ID_LU_INFO\"")) +
             " names ID_LU_INF0, which the game does not know). "},
        {"<Picture name=\"ID_OPTIONS\"", "<Picture name=\"ID_OPTlONS\"",
         "The file guifiles\\GuiXML.xml is damaged: it has no window ID_OPTIONS, which the game opens (its "
         "line " +
             std::to_string(LineOf("<Picture name=\"ID_OPTIONS\"")) + " names ID_OPTlONS, "},
        {"source=\"ID_LU_INFO\" target=\"ID_PLAYERINFO\"", "source=\"ID_LU_INFO\" target=\"ID_PLAYERlNFO\"",
         "The file guifiles\\GuiXML.xml is damaged: it lacks the action that a click on ID_LU_INFO takes on "
         "ID_PLAYERINFO (its line " +
             std::to_string(LineOf("source=\"ID_LU_INFO\" target=\"ID_PLAYERINFO\"")) +
             " names ID_PLAYERlNFO, "},
    };
    for (const auto& c : cases) {
        const std::string problem = ProblemOfEditedLayout({{c.from, c.to}});
        EXPECT_NE(problem.find(c.says), std::string::npos) << problem;
        EXPECT_EQ(problem.find("guidefines.h"), std::string::npos) << problem;
    }
}

// Counts read as English: one column, one choice.
TEST(LayoutChecks, ARefusalCountsInTheSingularForOne) {
    const std::string column = ProblemOfEditedLayout(
        {{"      <Column width=\"132\" format=\"left\" colour=\"#8C96A5\"/>\n", ""}}); // ID_OV_RECORD
    EXPECT_NE(column.find("its grid ID_OV_RECORD has 1 column where the game's screens show 2. "),
              std::string::npos)
        << column;
    const std::string choice =
        ProblemOfEditedLayout({{"<Item text=\"League career\" data=\"0\"/>", ""},
                               {"<Item text=\"EuroCup tournament\" data=\"1\"/>", ""}});
    EXPECT_NE(choice.find("its list ID_NC_DATASET offers 1 choice where the game offers 3. "),
              std::string::npos)
        << choice;
}

// A heading or the tab that marks the current page has no name the screens look for, but a window
// without it reads wrong: every such label the game ships is checked like a named element, in its
// window and as often as the window shows it.
TEST(LayoutChecks, ALayoutWithoutAnyOneOfItsLabelsIsRefusedWithTheLabel) {
    std::string layout;
    ASSERT_TRUE(ReadWholeFile(kLayout, layout));
    const std::regex label(R"re(<(Static|TextBox)\b[^>]*>)re");
    const std::regex named(R"re(\sname=")re");
    const std::regex text(R"re(\stext="([^"]+)")re");
    std::vector<std::string> silent;
    std::set<std::string> seen;
    int labels = 0;
    for (auto it = std::sregex_iterator(layout.begin(), layout.end(), label); it != std::sregex_iterator();
         ++it) {
        const std::string tag = it->str();
        std::smatch shown;
        if (std::regex_search(tag, named) || !std::regex_search(tag, shown, text))
            continue;
        ++labels;
        seen.insert(shown[1].str());
        std::string damaged = layout;
        damaged.erase(static_cast<size_t>(it->position()), tag.size());
        CScreenStack stack;
        CGuiLayoutLoader loader(stack);
        ASSERT_TRUE(loader.ReadDefines(kDefines));
        ASSERT_TRUE(loader.LoadLayoutText(damaged.c_str(), kLayout));
        const std::string problem = LayoutProblem(stack, loader, kDefines, kLayout).Std();
        if (problem.find("The file guifiles\\GuiXML.xml is damaged: its window ") == std::string::npos ||
            problem.find(" has no label \"" + shown[1].str() + "\", which the game's screens show. ") ==
                std::string::npos)
            silent.push_back(tag + " -> " + problem);
    }
    // The Options heading, the current tabs of Statistics and Indicators, a Finances heading and the
    // Fun shop's orders heading among them.
    for (const char* shipped : {"Simulation", "Standings", "Indicators", "Term", "Stock and orders"})
        EXPECT_TRUE(seen.count(shipped)) << shipped;
    EXPECT_GT(labels, 25);
    for (const std::string& line : silent)
        ADD_FAILURE() << line;
}
