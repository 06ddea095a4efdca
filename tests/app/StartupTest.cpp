// Start-up with a broken installation: a content file that does not parse is shown in a message
// box once the loading is over, and the game ends through its normal shutdown with exit code 255.
#include "app/GameApp.h"
#include "app/GameManager.h"
#include "app/Shell.h"
#include "engine/Font.h"
#include "engine/GameFolder.h"
#include "engine/MessageBox.h"
#include "engine/Paths.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

class StartupFailure : public GameFolderTest {};

TEST_F(StartupFailure, ABrokenLayoutFileIsShownAndTheGameEndsWith255) {
    namespace fs = std::filesystem;
    // A private copy of the layout folder with its layout file cut short.
    fs::remove(m_dir / "guifiles");
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
        EXPECT_NE(shown[0].find("XML Parsing error inside file"), std::string::npos) << shown[0];
        EXPECT_NE(shown[0].find("GuiXML.xml"), std::string::npos) << shown[0];
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
