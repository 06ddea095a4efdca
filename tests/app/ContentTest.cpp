// The shipped content against what the code asks of it: the texts the screens show and every
// image the layout, the code and the data sets name.
#include "app/ContentChecks.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "database/Validate.h"
#include "engine/Paths.h"
#include "gui/TextTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A path the code builds with a number or a suffix in it names the first of its files.
std::string FirstOfNumbered(std::string path) {
    for (const auto& [pattern, first] :
         {std::pair<std::string, std::string>{"%.2d", "01"}, {"%03d", "001"}, {"%d", "1"}, {"%s", ""}})
        for (size_t at = path.find(pattern); at != std::string::npos; at = path.find(pattern))
            path.replace(at, pattern.size(), first);
    return path;
}

// Every match of the pattern in the game's C++ sources under the folders, with the file's name.
template <typename Found>
void ForEachInCode(std::initializer_list<const char*> dirs, const std::regex& pattern, Found found) {
    namespace fs = std::filesystem;
    for (const char* dir : dirs)
        for (const fs::directory_entry& entry :
             fs::recursive_directory_iterator(fs::path(FB_SOURCE_DIR) / dir)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h")
                continue;
            const std::string code = FileText(entry.path());
            for (auto it = std::sregex_iterator(code.begin(), code.end(), pattern);
                 it != std::sregex_iterator(); ++it)
                found(*it, entry.path().filename().string());
        }
}

} // namespace

TEST(ShippedTexts, TheBenchRemarksHaveTheirWords) {
    CTextTable table;
    ASSERT_TRUE(table.Load("\\guifiles\\lang_en.txt")); // the game folder is the working directory
    // The remarks from the bench are put together from these pieces around a player's name.
    for (int id = 600001; id <= 600012; ++id) {
        EXPECT_TRUE(table.Has(id)) << id;
        CStr text = table.Get(id);
        EXPECT_FALSE(text.Trim().IsEmpty()) << id;
    }
    EXPECT_STREQ((table.Get(600001) + "Marco Torres" + table.Get(600004)).GetText(),
                 "Keep an eye on Marco Torres: he is in foul trouble.");
}

TEST(ShippedTexts, EachAttributeHasOneNameOnEveryScreen) {
    CTextTable table;
    ASSERT_TRUE(table.Load("\\guifiles\\lang_en.txt"));
    // The texts that label one attribute on the line-up and transfer cards, the training screen,
    // its report and the player window (and the line-up column's tooltip) must say the same.
    const std::vector<std::vector<int>> sameAttribute = {
        {80070, 70107, 900004},  // the fifteenth skill
        {70111, 200099, 900005}, // the sixteenth
        {70105, 80034, 900006},  // defence
        {70104, 80033, 900015},  // aggression
    };
    for (const auto& ids : sameAttribute)
        for (int id : ids) {
            CStr first = table.Get(ids[0]);
            CStr name = table.Get(id);
            // A tooltip may explain after a colon; the name comes first.
            const int colon = name.Find(":");
            if (colon >= 0)
                name = name.Left(colon);
            EXPECT_STREQ(name.GetText(), first.GetText()) << id << " and " << ids[0];
        }
}

TEST(ShippedTexts, EveryTextTheCodeNamesByItsNumberIsInTheLanguageFiles) {
    CTextTable table;
    ASSERT_TRUE(table.Load("\\guifiles\\lang_en.txt"));
    ASSERT_TRUE(table.LoadAppend("\\guifiles\\lang_data_en.txt"));
    // A text the player reads is named as a constant (kTextSaved = 100344) or looked up at once
    // (Text(100041)); a missing one shows as "[id]". A base that a number is added to is no text.
    const std::regex named(R"re(\bkText(\w*)\s*=\s*(\d{5,6})\b|\bText\((\d{5,6})\))re");
    int seen = 0;
    ForEachInCode({"app", "screens"}, named, [&](const std::smatch& m, const std::string& file) {
        if (m[2].matched && m[1].str().ends_with("Base"))
            return;
        const int id = std::stoi(m[2].matched ? m[2].str() : m[3].str());
        ++seen;
        EXPECT_TRUE(table.Has(id)) << id << " in " << file;
    });
    EXPECT_GT(seen, 50);
}

// A text the code reaches as a base plus an offset (a month name, a report's row) is checked at
// start-up like one it names outright: a language file without any one of its lines stops the start
// with a sentence naming the file and that text, instead of a screen showing "[70009]".
TEST(ShippedTexts, ALanguageFileWithoutAnyOneOfItsTextsStopsTheStart) {
    std::string language, dataLanguage;
    ASSERT_TRUE(ReadWholeFile("\\guifiles\\lang_en.txt", language));
    ASSERT_TRUE(ReadWholeFile("\\guifiles\\lang_data_en.txt", dataLanguage));
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    const std::vector<int32_t> worldTexts = WorldTextIds(world);
    // The file is pairs of an id and one word; each id is left out in turn.
    std::vector<std::pair<std::string, std::string>> entries;
    {
        std::istringstream in(language);
        std::string id, word;
        while (in >> id >> word)
            entries.emplace_back(id, word);
    }
    int removals = 0;
    std::vector<int> silent;
    for (size_t skip = 0; skip < entries.size(); ++skip) {
        const int id = std::atoi(entries[skip].first.c_str());
        std::string damaged;
        for (size_t k = 0; k < entries.size(); ++k)
            if (k != skip)
                damaged += entries[k].first + " " + entries[k].second + "\n";
        CTextTable table;
        table.LoadFromText(damaged);
        table.AppendFromText(dataLanguage);
        if (table.Has(id))
            continue; // the world's language file holds it too
        ++removals;
        const CStr problem = LanguageProblem(table, "\\guifiles\\lang_en.txt", worldTexts);
        if (problem.Find(CStr::Formatted("lacks the text %d", id).GetText()) < 0 ||
            problem.Find("guifiles\\lang_en.txt") < 0)
            silent.push_back(id);
    }
    EXPECT_GT(removals, 700);
    EXPECT_TRUE(silent.empty()) << silent.size() << " of " << removals << " texts go unchecked, the first "
                                << (silent.empty() ? 0 : silent.front());
    for (int id : silent)
        ADD_FAILURE() << "unchecked text " << id;
}

// The data's language file names the world of every data set, the tournaments' too: their group
// names and the countries only tournament clubs have are checked at start-up like the league's, so a
// line taken out stops the start instead of a EuroCup table headed "[800010]".
TEST(ShippedTexts, ADataLanguageFileWithoutAnyOneOfItsTextsStopsTheStart) {
    std::string language, dataLanguage;
    ASSERT_TRUE(ReadWholeFile("\\guifiles\\lang_en.txt", language));
    ASSERT_TRUE(ReadWholeFile("\\guifiles\\lang_data_en.txt", dataLanguage));
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    const std::vector<int32_t> worldTexts = GameWorldTextIds(&world);
    std::vector<std::pair<std::string, std::string>> entries;
    {
        std::istringstream in(dataLanguage);
        std::string id, word;
        while (in >> id >> word)
            entries.emplace_back(id, word);
    }
    int removals = 0;
    std::vector<int> silent;
    for (size_t skip = 0; skip < entries.size(); ++skip) {
        const int id = std::atoi(entries[skip].first.c_str());
        std::string damaged;
        for (size_t k = 0; k < entries.size(); ++k)
            if (k != skip)
                damaged += entries[k].first + " " + entries[k].second + "\n";
        CTextTable table;
        table.LoadFromText(language);
        table.AppendFromText(damaged);
        if (table.Has(id))
            continue; // the game's own language file holds it too
        ++removals;
        const CStr problem = LanguageProblem(table, "\\guifiles\\lang_en.txt", worldTexts);
        if (problem.Find(CStr::Formatted("lacks the text %d", id).GetText()) < 0 ||
            problem.Find("guifiles\\lang_data_en.txt") < 0)
            silent.push_back(id);
    }
    EXPECT_GT(removals, 200);
    EXPECT_TRUE(silent.empty()) << silent.size() << " of " << removals << " texts go unchecked, the first "
                                << (silent.empty() ? 0 : silent.front());
    for (int id : silent)
        ADD_FAILURE() << "unchecked text " << id;
}

// A hint taken out of the tooltip file stops the start with the file and the hint's id, instead of
// a blank box over the control it explains.
TEST(ShippedTexts, ATooltipFileWithoutAnyOneOfItsHintsStopsTheStart) {
    std::string tooltips;
    ASSERT_TRUE(ReadWholeFile("\\guifiles\\tooltips.txt", tooltips));
    std::vector<std::string> lines;
    {
        std::istringstream in(tooltips);
        for (std::string line; std::getline(in, line);)
            if (!line.empty())
                lines.push_back(line);
    }
    std::vector<std::string> silent;
    for (size_t skip = 0; skip < lines.size(); ++skip) {
        std::string damaged;
        for (size_t k = 0; k < lines.size(); ++k)
            if (k != skip)
                damaged += lines[k] + "\n";
        CTextTable table;
        table.LoadFromText(damaged);
        const std::string id = lines[skip].substr(0, lines[skip].find(' '));
        const CStr problem = TooltipProblem(table, "\\guifiles\\tooltips.txt");
        if (problem.Find(
                ("The file guifiles\\tooltips.txt is damaged: it lacks the hint " + id + " that").c_str()) <
            0)
            silent.push_back(lines[skip]);
    }
    EXPECT_GT(lines.size(), 100u);
    for (const std::string& line : silent)
        ADD_FAILURE() << "taken out without a word: " << line;
    // The shipped file itself passes.
    CTextTable shipped;
    shipped.LoadFromText(tooltips);
    EXPECT_STREQ(TooltipProblem(shipped, "\\guifiles\\tooltips.txt").GetText(), "");
}

TEST(ShippedImages, EveryPictureTheLayoutTheCodeAndTheDataNameIsInTheGameFolder) {
    namespace fs = std::filesystem;
    std::set<std::string> named; // game path -> found where
    std::map<std::string, std::string> origin;
    auto name = [&](const std::string& path, const std::string& where) {
        if (named.insert(path).second)
            origin[path] = where;
    };
    // The layout's image attributes.
    const std::string layout = FileText(fs::path(FB_SOURCE_DIR) / "content/guifiles/GuiXML.xml");
    ASSERT_FALSE(layout.empty());
    const std::regex attribute(R"re(image="([^"]+)")re");
    for (auto it = std::sregex_iterator(layout.begin(), layout.end(), attribute);
         it != std::sregex_iterator(); ++it)
        name((*it)[1].str(), "GuiXML.xml");
    // Image paths written in the game's code, as C++ string literals ("\\images\\...png").
    const std::regex literal(R"re("((?:\\\\|[A-Za-z0-9_%.\-])+\.(?:png|PNG|jpg|tga|bmp))")re");
    ForEachInCode({"app", "screens", "gui", "engine", "career", "match", "match2d", "match3d"}, literal,
                  [&](const std::smatch& m, const std::string& file) {
                      std::string path = std::regex_replace(m[1].str(), std::regex(R"(\\\\)"), "\\");
                      // Only whole game paths; a bare file name is joined to a folder elsewhere.
                      if (path.find('\\') != std::string::npos)
                          name(FirstOfNumbered(path), file);
                  });
    // The pictures the data sets name for their clubs and arenas.
    for (int32_t dataSet : {kDataSetLeague, kDataSetEuroCup, kDataSetWorldCup}) {
        CMemoryDB world;
        ASSERT_TRUE(world.LoadFolder(DataSetFolder(dataSet)));
        for (const CTeam* team : world.teams)
            if (!team->logo.IsEmpty())
                name("\\" + team->logo.Std(), "club logo in data set " + std::to_string(dataSet));
        for (const CStadiumRecord* stadium : world.stadiums)
            if (!stadium->picture.IsEmpty())
                name((stadium->picture.Std()[0] == '\\' ? "" : "\\") + stadium->picture.Std(),
                     "arena picture in data set " + std::to_string(dataSet));
    }
    ASSERT_GT(named.size(), 10u);
    for (const std::string& path : named) {
        EXPECT_TRUE(FileExists(path.c_str())) << path << " (named by " << origin[path] << ")";
    }
}
