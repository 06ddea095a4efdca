// What the player reads when a save fails: the frame's save button names the reason.
#include "engine/GameFolder.h"

#include "GameKit.h"

class SaveMessage : public GameFolderTest {};

TEST_F(SaveMessage, ABusySaveFolderIsNamedAndTheCareerStaysOpen) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::BeforeCareer));
    CCareerSession& session = game.Session();
    ASSERT_TRUE(session.SaveCurrentCareer());

    // Another copy of the game holds the save folder longer than a save waits.
    SetCareerLockWait(100);
    CCareerFolderLock other(true, 0);
    ASSERT_TRUE(other.Held());
    game.Click(ID_FR_SAVE);
    EXPECT_STREQ(game.TextOf(ID_FR_STATUS).GetText(), "The career could not be saved.");
    CStr shown = game.TextOf(ID_MSG_TEXT);
    EXPECT_NE(shown.Find("another copy"), -1) << shown.GetText();

    // Leaving through the main menu keeps the career open rather than losing it.
    game.Click(ID_FR_MENU);
    EXPECT_TRUE(session.HasOpenCareer());
    EXPECT_NE(game.TextOf(ID_MSG_TEXT).Find("stays"), -1);
    SetCareerLockWait(60000);
}
