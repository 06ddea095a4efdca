// What the player is told when a saved career loads but part of it could not be read.
#include "database/SaveManifest.h"
#include "engine/GameFolder.h"
#include "gui/TextBox.h"
#include "screens/start/ProfilesScreen.h"

#include "GameKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

class CareerLoadNotice : public GameFolderTest {};

// A damaged or missing choices file loads the career with the default tactics: the message window
// says so over the career's first screen, naming the file, instead of the log alone.
TEST_F(CareerLoadNotice, DamagedChoicesAreNamedInTheWindowWithTheTacticsTheyReset) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::BeforeCareer));
    CCareerSession& session = game.Session();
    session.userAttack = 6;
    session.userDefence = 17;
    ASSERT_TRUE(session.SaveCurrentCareer());
    const std::string folder = session.careerDB->profiles.At(0)->folder.Std();
    session.LeaveCareer();
    auto* screen = dynamic_cast<CProfilesScreen*>(game.gm.Screen(ScreenRole::Profiles));
    ASSERT_NE(screen, nullptr);
    const std::filesystem::path choices = m_dir / "data/profiles" / folder / kSaveChoicesFile;
    auto load = [&] {
        game.gm.FindElement(ID_MSG_TEXT)->SetText("");
        screen->FillCareers();
        game.Click(ID_PR_LOAD, 3);
        EXPECT_TRUE(session.HasOpenCareer());
        CStr shown = game.TextOf(ID_MSG_TEXT);
        shown.ReplaceChar('\n', ' ');
        return shown.Std();
    };

    // Whole choices load without a word.
    EXPECT_EQ(load(), "");
    EXPECT_EQ(session.userAttack.load(), 6);
    session.LeaveCareer();

    const std::string told = "This career loaded, but its saved choices (data/profiles/" + folder +
                             "/choices.txt) could not be read, so its tactics are the default attack and "
                             "defence again. Choose them on the Tactics screen before the next match.";
    std::ofstream(choices, std::ios::app) << "attack 9\n";
    EXPECT_EQ(load(), told);
    // The whole message shows in the window, with no scrolling.
    auto* box = dynamic_cast<CGuiTextBox*>(game.gm.FindElement(ID_MSG_TEXT));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->ScrollMax(), 0) << box->Lines().size() << " lines for " << box->VisibleLines();
    EXPECT_EQ(session.userAttack.load(), kDefaultUserAttack);
    EXPECT_EQ(session.userDefence.load(), kDefaultUserDefence);
    // The message lies over the career's first screen.
    ASSERT_FALSE(game.gm.Layers().empty());
    EXPECT_TRUE(game.gm.IsLayerActive(ID_MESSAGE));
    EXPECT_EQ(game.gm.Layers().back().screenId, ID_MESSAGE);
    session.LeaveCareer();

    std::filesystem::remove(choices);
    EXPECT_EQ(load(), told);
}
