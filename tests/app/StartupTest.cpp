// Start-up with a broken installation: a content file that does not parse is shown in a message
// box once the loading is over, and the game ends through its normal shutdown with exit code 255.
#include "app/GameApp.h"
#include "app/GameManager.h"
#include "app/Shell.h"
#include "engine/GameFolder.h"
#include "engine/MessageBox.h"
#include "engine/Paths.h"

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
