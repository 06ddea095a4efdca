// Start-up with a broken installation: a content file that does not parse is shown in a message
// box once the loading is over, and the game ends through its normal shutdown with exit code 255.
#include "app/ContentChecks.h"
#include "app/GameApp.h"
#include "app/GameManager.h"
#include "app/Shell.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/Font.h"
#include "engine/GameFolder.h"
#include "engine/MessageBox.h"
#include "engine/Paths.h"
#include "engine/Xml.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"
#include "gui/TextTable.h"
#include "guidefines.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

class StartupFailure : public GameFolderTest {};

TEST_F(StartupFailure, ABrokenLayoutFileIsShownAndTheGameEndsWith255) {
    namespace fs = std::filesystem;
    // A private copy of the layout folder with its layout file cut short.
    fs::remove_all(m_dir / "guifiles");
    fs::copy(fs::path(FB_GAME_DIR) / "guifiles", m_dir / "guifiles", fs::copy_options::recursive);
    Write("guifiles/GuiXML.xml", "<GuiLayout>\n<Window id=\"1\">\n</GuiLayout>\n");

    std::vector<std::string> shown;
    SetMessageBoxHook([&shown](const char* caption, const char* text) {
        shown.push_back(std::string(caption) + ": " + text);
    });
    {
        CGameApp app;
        app.LoadGame();
        EXPECT_TRUE(app.IsLoaded());
        EXPECT_EQ(app.ExitCode(), 0); // nothing is shown before the main loop's next frame
        app.FrameTick();
        app.FrameTick();
        EXPECT_EQ(app.ExitCode(), 255);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_NE(shown[0].find("XML Parsing error: The file guifiles\\GuiXML.xml is damaged"),
                  std::string::npos)
            << shown[0];
    }
    SetMessageBoxHook({});
}

TEST_F(StartupFailure, AnIntactGameFolderStartsWithoutAMessage) {
    int boxes = 0;
    SetMessageBoxHook([&boxes](const char*, const char*) { ++boxes; });
    {
        CGameApp app;
        app.LoadGame();
        app.FrameTick();
        EXPECT_TRUE(app.StartupError().IsEmpty()) << app.StartupError().GetText();
        EXPECT_EQ(app.ExitCode(), 0);
        // The calendar was named after the language was loaded: the frame shows the weekday.
        EXPECT_STREQ(g_pGameManager->Session().calendar->WeekdayName(GameDate{2007, 9, 6}).GetText(),
                     "Thursday");
    }
    EXPECT_EQ(boxes, 0);
    SetMessageBoxHook({});
    // The music moves on from track to track after a match: all three are there.
    for (const char* track : kMenuTracks) {
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(track, bytes) && bytes.size() > 44) << track;
    }
}

// Each file the screens are built from: missing, it is named with the place it was looked for,
// on stderr and in a box, and the game ends with a non-zero code instead of a black window.
TEST_F(StartupFailure, AMissingLayoutOrElementNamesFileIsNamedWithItsPlace) {
    namespace fs = std::filesystem;
    for (const char* file : {"guidefines.h", "GuiXML.xml"}) {
        fs::remove_all(m_dir / "guifiles");
        fs::copy(fs::path(FB_GAME_DIR) / "guifiles", m_dir / "guifiles", fs::copy_options::recursive);
        fs::remove(m_dir / "guifiles" / file);
        std::vector<std::string> shown;
        SetMessageBoxHook([&shown](const char* caption, const char* text) {
            shown.push_back(std::string(caption) + ": " + text);
        });
        testing::internal::CaptureStderr();
        {
            CGameApp app;
            app.LoadGame();
            app.FrameTick();
            EXPECT_NE(app.ExitCode(), 0) << file;
        }
        std::string err = testing::internal::GetCapturedStderr();
        SetMessageBoxHook({});
        ASSERT_EQ(shown.size(), 1u) << file;
        EXPECT_NE(shown[0].find(std::string("guifiles\\") + file), std::string::npos) << shown[0];
        EXPECT_NE(shown[0].find((m_dir / "guifiles" / file).string()), std::string::npos) << shown[0];
        EXPECT_NE(err.find(file), std::string::npos) << err;
    }
}

TEST(StartupFonts, NoUsableFontIsSaidAndUsableOnesPass) {
    // Usable fonts say nothing; a font that found no file names what it looked for.
    CQuorelFont font("Arial", 18, kFontWeightNormal);
    if (!font.IsValid())
        GTEST_SKIP() << "no font installed on this machine";
    EXPECT_TRUE(CGameApp::FontProblem(&font, &font).IsEmpty());
    EXPECT_NE(CGameApp::FontProblem(nullptr, &font).Find("No usable font"), -1);
}

TEST(StartupFonts, WithoutAnyFontFileTheProblemIsSaid) {
    // Without fontconfig's fonts (a configuration naming no font folder) nothing can be opened. The
    // check runs in a fresh process: fontconfig reads its configuration once.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::string config = (std::filesystem::temp_directory_path() / "fb-nofonts.conf").string();
            FILE* f = std::fopen(config.c_str(), "w");
            std::fputs("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n", f);
            std::fclose(f);
            setenv("FONTCONFIG_FILE", config.c_str(), 1);
            CQuorelFont none("Arial", 18, kFontWeightNormal);
            CStr problem = CGameApp::FontProblem(&none, &none);
            std::fprintf(stderr, "%s\n", problem.GetText());
            std::exit(problem.IsEmpty() ? 0 : 3);
        },
        testing::ExitedWithCode(3), "No usable font.*fonts-liberation");
}

namespace {

// The game started on a copy of its layout folder where the test has damaged one file: the one
// message shown, and the exit code.
struct DamagedStart {
    std::string shown;
    int exitCode = 0;
    CStr missingText;
};

DamagedStart StartWithDamagedFile(const std::filesystem::path& dir, const char* file,
                                  const std::function<void(const std::filesystem::path&)>& damage) {
    namespace fs = std::filesystem;
    fs::remove_all(dir / "guifiles");
    fs::copy(fs::path(FB_GAME_DIR) / "guifiles", dir / "guifiles", fs::copy_options::recursive);
    damage(dir / "guifiles" / file);
    DamagedStart result;
    int boxes = 0;
    SetMessageBoxHook([&](const char* caption, const char* text) {
        ++boxes;
        result.shown = std::string(caption) + ": " + text;
    });
    testing::internal::CaptureStderr();
    {
        CGameApp app;
        app.LoadGame();
        app.FrameTick();
        result.exitCode = app.ExitCode();
        result.missingText = g_pGameManager->GetText(100166);
    }
    std::string err = testing::internal::GetCapturedStderr();
    SetMessageBoxHook({});
    EXPECT_LE(boxes, 1) << file;
    // The box's text is the stderr line.
    if (!result.shown.empty()) {
        EXPECT_NE(err.find(result.shown.substr(result.shown.find(": ") + 2)), std::string::npos) << err;
    }
    return result;
}

std::string Cut(const std::string& text, size_t keep) {
    return text.substr(0, std::min(keep, text.size()));
}

// The text with one entry (an id and its word) taken out.
std::string Without(const std::string& text, const std::string& entry) {
    const size_t at = text.find(entry);
    return at == std::string::npos ? text : text.substr(0, at) + text.substr(at + entry.size());
}

// The text with its first "from" replaced; unchanged when it has none (the check then fails).
std::string Replaced(const std::string& text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    return at == std::string::npos ? text : text.substr(0, at) + to + text.substr(at + from.size());
}

} // namespace

// Files that read but lack what the screens stand on are named like missing ones: a sentence with
// the file and its place, and exit code 1, never a black window or buttons without labels.
TEST_F(StartupFailure, DamagedLayoutNamesOrTextsNameTheFileAndEndTheGame) {
    namespace fs = std::filesystem;
    auto rewrite = [](const std::string& content) {
        return [content](const fs::path& path) {
            std::FILE* f = std::fopen(path.string().c_str(), "wb");
            std::fwrite(content.data(), 1, content.size(), f);
            std::fclose(f);
        };
    };
    std::string defines, layout;
    ASSERT_TRUE(ReadWholeFile((std::string(FB_GAME_DIR) + "/guifiles/guidefines.h").c_str(), defines));
    ASSERT_TRUE(ReadWholeFile((std::string(FB_GAME_DIR) + "/guifiles/GuiXML.xml").c_str(), layout));
    std::string texts, dataTexts;
    ASSERT_TRUE(ReadWholeFile((std::string(FB_GAME_DIR) + "/guifiles/lang_en.txt").c_str(), texts));
    ASSERT_TRUE(ReadWholeFile((std::string(FB_GAME_DIR) + "/guifiles/lang_data_en.txt").c_str(), dataTexts));
    ASSERT_NE(dataTexts.find("800000 "), std::string::npos);
    std::string tooltips;
    ASSERT_TRUE(ReadWholeFile((std::string(FB_GAME_DIR) + "/guifiles/tooltips.txt").c_str(), tooltips));
    const size_t menuStart = layout.find("<Picture name=\"ID_MAINMENU\"");
    const size_t menuEnd = layout.find("\n  </Picture>", menuStart);
    ASSERT_NE(menuEnd, std::string::npos);
    struct Case {
        const char* file;
        const char* what;
        std::function<void(const fs::path&)> damage;
        const char* says;
    } cases[] = {
        {"guidefines.h", "empty", rewrite(""), "names no screen elements"},
        {"guidefines.h", "cut in half", rewrite(Cut(defines, defines.size() / 2)), "it lacks ID_"},
        {"GuiXML.xml", "without windows", rewrite("<GuiLayout>\n</GuiLayout>\n"), "holds no windows"},
        {"GuiXML.xml", "without the main menu",
         rewrite(layout.substr(0, menuStart) + layout.substr(menuEnd + 13)), "no window ID_MAINMENU"},
        // A button the season's end offers, and a column of the training screen's player card.
        {"GuiXML.xml", "without Leave career",
         rewrite(Without(layout,
                         "    <Button name=\"ID_SEASONEND_LEAVE\" x=\"240\" y=\"170\" w=\"170\" h=\"40\" "
                         "text=\"Leave career\"/>\n")),
         "it has no element ID_SEASONEND_LEAVE in its window ID_SEASONEND, which the game's screens use"},
        {"GuiXML.xml", "without a card's FT% column",
         rewrite(Without(layout, "      <Column width=\"43\" format=\"left\" header=\"FT%\"/>\n")),
         "its grid ID_TR_CARD_SEASONS has 6 columns where the game's screens show 7"},
        {"lang_en.txt", "missing", [](const fs::path& path) { fs::remove(path); }, "is missing"},
        {"lang_en.txt", "empty", rewrite(""), "holds no texts"},
        {"lang_en.txt", "without the wait texts", rewrite("100063 League\n"), "lacks the text 60001 and "},
        // Every text the code and the world's data name is checked, not only the first few.
        {"lang_en.txt", "cut in the middle", rewrite(Cut(texts, 9434)), "lacks the text 60040 and "},
        // Texts the code reaches as a first one plus an offset: a month of the training dates and a
        // weekday of the income report.
        {"lang_en.txt", "without September", rewrite(Without(texts, "70009 September")),
         "lacks the text 70009 that"},
        {"lang_en.txt", "without Wednesday", rewrite(Without(texts, "60004 Wednesday")),
         "lacks the text 60004 that"},
        {"lang_data_en.txt", "empty", rewrite(""), "holds no texts"},
        {"lang_data_en.txt", "garbage", rewrite("\x01\x02 no texts here\n"), "holds no texts"},
        {"lang_data_en.txt", "without the league names", rewrite(Cut(dataTexts, dataTexts.find("800000 "))),
         "lacks the text 800000"},
        // The tournaments' own names, read nowhere before a tournament starts.
        {"lang_data_en.txt", "without a EuroCup group",
         rewrite(Without(dataTexts, "800010 EuroCup_Group_A\n")), "lacks the text 800010 that"},
        {"lang_data_en.txt", "without a tournament country", rewrite(Without(dataTexts, "800126 Lebanon\n")),
         "lacks the text 800126 that"},
        // An element renamed in the layout is what the layout lost, not a name the define file lacks.
        {"GuiXML.xml", "with an element renamed",
         rewrite(Replaced(layout, "name=\"ID_LU_INFO\"", "name=\"ID_LU_INF0\"")),
         "it has no element ID_LU_INFO in its window ID_LINEUP, which the game's screens use (its line "},
        {"GuiXML.xml", "without the Options heading",
         rewrite(Without(layout,
                         "      <Static x=\"24\" y=\"286\" w=\"220\" h=\"22\" format=\"4\" size=\"15\" "
                         "colour=\"#F28C28\" text=\"Simulation\"/>\n")),
         "its window ID_OPTIONS has no label \"Simulation\", which the game's screens show"},
        {"tooltips.txt", "missing", [](const fs::path& path) { fs::remove(path); },
         "is missing, so the game has no hints"},
        {"tooltips.txt", "empty", rewrite(""), "it holds no hints"},
        {"tooltips.txt", "without a hint", rewrite(Without(tooltips, "12013 The_name_your_club's_board")),
         "it lacks the hint 12013 that the screens show"},
        {"tooltips.txt", "cut short", rewrite(Cut(tooltips, tooltips.size() / 2)), "it lacks the hint "},
        {"tooltips.txt", "with a control byte",
         rewrite(Replaced(tooltips, "10218 The_league_office's", "10218 The_league\x01office's")),
         "its hint 10218 holds bytes no font can draw"},
    };
    for (const Case& c : cases) {
        DamagedStart start = StartWithDamagedFile(m_dir, c.file, c.damage);
        EXPECT_EQ(start.exitCode, 1) << c.file << " " << c.what;
        EXPECT_NE(start.shown.find(std::string("guifiles\\") + c.file), std::string::npos) << start.shown;
        EXPECT_NE(start.shown.find(c.says), std::string::npos) << c.what << ": " << start.shown;
        const std::string what = c.what;
        if (std::string(c.file) != "lang_en.txt" || what == "cut in the middle" ||
            what == "without September" || what == "without Wednesday") {
            EXPECT_NE(start.shown.find((m_dir / "guifiles" / c.file).string()), std::string::npos)
                << start.shown;
        }
    }
    // A text missing later shows its id rather than nothing.
    DamagedStart start = StartWithDamagedFile(m_dir, "lang_en.txt", rewrite("100063 League\n"));
    EXPECT_STREQ(start.missingText.GetText(), "[100166]");
}

TEST(StartupFonts, AFontFileCutShortIsFoundToDrawNothing) {
    namespace fs = std::filesystem;
    CQuorelFont font("Arial", 18, kFontWeightNormal);
    if (!font.IsValid())
        GTEST_SKIP() << "no font installed on this machine";
    EXPECT_TRUE(font.DrawsGlyphs());
    EXPECT_TRUE(FontFileDrawsGlyphs(font.FilePath().GetText(), 18));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(font.FilePath().GetText(), bytes));
    const fs::path cut = fs::temp_directory_path() / ("fb-cut-font-" + std::to_string(getpid()) + ".ttf");
    for (size_t keep : {bytes.size() / 2, size_t{4096}, size_t{12}}) {
        std::FILE* f = std::fopen(cut.string().c_str(), "wb");
        std::fwrite(bytes.data(), 1, keep, f);
        std::fclose(f);
        EXPECT_FALSE(FontFileDrawsGlyphs(cut.string().c_str(), 18)) << keep;
    }
    fs::remove(cut);
}

// A word the fonts cannot draw (bytes that are not UTF-8, a control character) stops the start with
// the file and the text's id, as a missing text does, instead of a label drawn as garbage.
TEST_F(StartupFailure, ALanguageWordThatIsNotUtf8OrHoldsAControlByteIsNamedWithItsFileAndId) {
    std::string texts, dataTexts;
    ASSERT_TRUE(ReadWholeFile("\\guifiles\\lang_en.txt", texts));
    ASSERT_TRUE(ReadWholeFile("\\guifiles\\lang_data_en.txt", dataTexts));
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    const std::vector<int32_t> worldTexts = GameWorldTextIds(&world);
    auto replaced = [](std::string text, const std::string& entry, const std::string& with) {
        const size_t at = text.find(entry);
        EXPECT_NE(at, std::string::npos) << entry;
        return at == std::string::npos ? text : text.replace(at, entry.size(), with);
    };
    // The problem with one word of one language file replaced.
    auto problemWith = [&](const char* file, const std::string& entry, const std::string& word) {
        const bool data = std::string(file) == "lang_data_en.txt";
        const std::string id = entry.substr(0, entry.find(' ') + 1);
        const std::string language = data ? texts : replaced(texts, entry, id + word);
        const std::string dataLanguage = data ? replaced(dataTexts, entry, id + word) : dataTexts;
        Write("guifiles/lang_en.txt", language);
        Write("guifiles/lang_data_en.txt", dataLanguage);
        CTextTable table;
        table.LoadFromText(language);
        table.AppendFromText(dataLanguage);
        return LanguageProblem(table, "\\guifiles\\lang_en.txt", worldTexts).Std();
    };
    const struct {
        const char* what;
        std::string word;
    } garbled[] = {
        {"a control byte", "League\x01"
                           "career"},
        {"a delete byte", "League\x7F"},
        {"a control character written as UTF-8", "League\xC2\x85"},
        {"a letter cut short", "Ligue_\xC3"},
        {"a stray continuation byte", "\x80"
                                      "League"},
        {"a byte UTF-8 never uses", "League\xFF"},
        {"an overlong slash", "League\xC0\xAF"},
        {"a surrogate half", "League\xED\xA0\x80"},
        {"a Latin-1 letter", "Z\xFCrich"},
    };
    for (const auto& g : garbled) {
        const std::string problem = problemWith("lang_en.txt", "100063 League_career", g.word);
        EXPECT_NE(
            problem.find("The file guifiles\\lang_en.txt is damaged: its text 100063 holds bytes no font "
                         "can draw"),
            std::string::npos)
            << g.what << ": " << problem;
    }
    const std::string data = problemWith("lang_data_en.txt", "800126 Lebanon",
                                         "Leb\x02"
                                         "anon");
    EXPECT_NE(data.find("guifiles\\lang_data_en.txt is damaged: its text 800126 holds"), std::string::npos)
        << data;
    // Letters of every width pass: an umlaut, the euro sign, a ball.
    for (const std::string word : {"Z\xC3\xBCrich",
                                   "\xE2\x82\xAC"
                                   "_5",
                                   "Ball_\xF0\x9F\x8F\x80"})
        EXPECT_EQ(problemWith("lang_en.txt", "100063 League_career", word), "") << word;

    // The game itself stops with the sentence.
    DamagedStart start = StartWithDamagedFile(m_dir, "lang_en.txt", [&](const std::filesystem::path& path) {
        std::FILE* f = std::fopen(path.string().c_str(), "wb");
        const std::string damaged = replaced(texts, "100063 League_career",
                                             "100063 League\x01"
                                             "career");
        std::fwrite(damaged.data(), 1, damaged.size(), f);
        std::fclose(f);
    });
    EXPECT_EQ(start.exitCode, 1);
    EXPECT_NE(start.shown.find("its text 100063 holds bytes no font can draw"), std::string::npos)
        << start.shown;
}

// A hint the fonts cannot draw stops the start with the file and the hint's id, as a garbled
// language word does, instead of a tooltip drawn as "a?nd".
TEST_F(StartupFailure, ATooltipWordThatIsNotUtf8OrHoldsAControlByteIsNamedWithItsFileAndId) {
    std::string tooltips;
    ASSERT_TRUE(ReadWholeFile("\\guifiles\\tooltips.txt", tooltips));
    const std::string entry = "10219 Letters_from_the_board_and_your_players";
    auto problemWith = [&](const std::string& word) {
        const std::string damaged = Replaced(tooltips, entry, "10219 " + word);
        EXPECT_NE(damaged, tooltips);
        Write("guifiles/tooltips.txt", damaged);
        CTextTable table;
        table.LoadFromText(damaged);
        return TooltipProblem(table, "\\guifiles\\tooltips.txt").Std();
    };
    for (const std::string& word :
         {std::string("Letters\x01"
                      "from"),
          std::string("Letters_a\xE9nd"), std::string("Letters\x7F"), std::string("Letters_\xE2\x82")}) {
        const std::string problem = problemWith(word);
        EXPECT_NE(
            problem.find("The file guifiles\\tooltips.txt is damaged: its hint 10219 holds bytes no font "
                         "can draw"),
            std::string::npos)
            << problem;
    }
    EXPECT_EQ(problemWith("Letters_from_the_board_\xE2\x82\xAC"), "");
}

// The probe and the game read a layout that is not XML alike: the sentence names the file and the
// place the parser stopped.
TEST_F(StartupFailure, ALayoutThatIsNotXmlIsNamedWithItsLineAndColumn) {
    Write("guifiles/GuiXML.xml",
          "<GuiLayout>\n  <Window name=\"ID_MAINMENU\">\n  <Button name=\"ID_MM_QUIT\"\n");
    CScreenStack stack;
    CGuiLayoutLoader loader(stack);
    ASSERT_TRUE(loader.ReadDefines("\\guifiles\\guidefines.h"));
    int failures = XmlNode::OpenFailures();
    ASSERT_FALSE(loader.LoadLayout("\\guifiles\\GuiXML.xml"));
    const std::string problem =
        LayoutReadProblem("\\guifiles\\guidefines.h", "\\guifiles\\GuiXML.xml", true, failures).Std();
    EXPECT_NE(problem.find("The file guifiles\\GuiXML.xml is damaged: it does not read as XML ("),
              std::string::npos)
        << problem;
    EXPECT_NE(problem.find("error parsing start element tag at line 3, column 28)"), std::string::npos)
        << problem;
    // Well-formed XML without a layout in it says that.
    Write("guifiles/GuiXML.xml", "<Layout/>\n");
    failures = XmlNode::OpenFailures();
    ASSERT_FALSE(loader.LoadLayout("\\guifiles\\GuiXML.xml"));
    EXPECT_NE(LayoutReadProblem("\\guifiles\\guidefines.h", "\\guifiles\\GuiXML.xml", true, failures)
                  .Find("it does not read as a layout (it has no GuiLayout element)"),
              -1);
}

// Options that cannot be read (bytes of something else, a folder in the file's place) start the game
// with the defaults and a message naming the file over the main menu, where it started silently.
TEST_F(StartupFailure, AnOptionsFileThatCannotBeReadIsNamedAndTheDefaultsPlay) {
    namespace fs = std::filesystem;
    const fs::path options = m_dir / "guifiles/Options.ini";
    const std::string told =
        "The options file guifiles/Options.ini could not be read, so the game starts with "
        "its default options. Choose yours on the Options screen to save them anew.";
    for (const char* what : {"whole", "garbage", "a folder"}) {
        fs::remove_all(options);
        if (std::string(what) == "whole")
            std::ofstream(options) << "[SOUND]\nMusicVolume=35\n";
        else if (std::string(what) == "garbage")
            std::ofstream(options, std::ios::binary) << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        else
            fs::create_directories(options);
        CGameApp app;
        app.LoadGame();
        app.FrameTick();
        EXPECT_EQ(app.ExitCode(), 0) << what;
        const bool whole = std::string(what) == "whole";
        EXPECT_EQ(g_pGameManager->IsLayerActive(ID_MESSAGE), !whole) << what;
        CStr shown = g_pGameManager->FindElement(ID_MSG_TEXT)->GetText();
        shown.ReplaceChar('\n', ' ');
        EXPECT_EQ(shown.Std(), whole ? std::string() : told) << what;
        EXPECT_EQ(g_pGameManager->Session().options.musicVolume, whole ? 35 : GameOptions().musicVolume)
            << what;
    }
}

// A world data file that does not read stops the start with a sentence naming it and its place,
// instead of a main menu whose new career finds no clubs: each file of each data set cut in half
// or with eight bytes turned over, through the start-up check; the game's whole start for the
// league's players cut in half and the EuroCup's clubs with their first eight bytes turned over.
TEST_F(StartupFailure, ADamagedWorldDataFileIsNamedAndEndsTheGame) {
    auto sentenceFor = [this](const std::string& path, const std::string& problem) {
        const std::string start = "The file " + path + " is damaged: it does not read as the game's data (";
        const std::string end =
            "). It is at " + (m_dir / path).string() + ". Reinstall the game to bring the file back.";
        return problem.size() > start.size() + end.size() && problem.compare(0, start.size(), start) == 0 &&
               problem.compare(problem.size() - end.size(), end.size(), end) == 0;
    };
    for (const char* folder : {"data/", "data/EuroCup/", "data/WorldCup/"}) {
        for (const CStr& name : CMemoryDB::FileNames(false)) {
            const std::string path = folder + name.Std();
            std::string bytes;
            ASSERT_TRUE(ReadWholeFile(path.c_str(), bytes)) << path;
            std::string flipped = bytes;
            for (size_t i = 0; i < 8 && i < flipped.size(); ++i)
                flipped[i] = static_cast<char>(~flipped[i]);
            for (const std::string& damaged : {bytes.substr(0, bytes.size() / 2), flipped}) {
                Write(path, damaged);
                // As at start-up: the league world as it loaded (empty when it did not).
                CMemoryDB league;
                LoadWorldData(league, kDataSetLeague);
                CStr problem;
                GameWorldTextIds(&league, &problem);
                EXPECT_TRUE(sentenceFor(path, problem.Std())) << path << ": " << problem.GetText();
            }
            Write(path, bytes);
        }
    }
    std::string players;
    std::string clubs;
    ASSERT_TRUE(ReadWholeFile("data/playerlist.dat", players));
    ASSERT_TRUE(ReadWholeFile("data/EuroCup/teamlist.dat", clubs));
    std::string flippedClubs = clubs;
    for (size_t i = 0; i < 8; ++i)
        flippedClubs[i] = static_cast<char>(~flippedClubs[i]);
    const struct {
        std::string path;
        std::string damaged;
        std::string whole;
    } starts[] = {
        {"data/playerlist.dat", players.substr(0, players.size() / 2), players},
        {"data/EuroCup/teamlist.dat", flippedClubs, clubs},
    };
    for (const auto& [path, damaged, whole] : starts) {
        Write(path, damaged);
        std::vector<std::string> shown;
        SetMessageBoxHook([&shown](const char* caption, const char* text) {
            shown.push_back(std::string(caption) + ": " + text);
        });
        {
            CGameApp app;
            app.LoadGame();
            app.FrameTick();
            EXPECT_EQ(app.ExitCode(), 1) << path;
        }
        SetMessageBoxHook({});
        ASSERT_EQ(shown.size(), 1u) << path;
        EXPECT_EQ(shown[0].rfind("Fastbreak: ", 0), 0u) << shown[0];
        EXPECT_TRUE(sentenceFor(path, shown[0].substr(11))) << shown[0];
        Write(path, whole);
    }
}
