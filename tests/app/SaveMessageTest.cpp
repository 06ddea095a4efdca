// What the player reads when a save fails, and what leaving a career keeps.
#include "career/Calendar.h"
#include "career/EventList.h"
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

// Another copy of the game saved the career since this one loaded it: the save is refused with the
// reason, and saving again keeps this copy's progress as a career of its own; the other save stays.
TEST_F(SaveMessage, ASaveOverAnotherCopysNewerSaveIsRefusedAndSavingAgainKeepsBoth) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::BeforeCareer));
    CCareerSession& session = game.Session();
    ASSERT_TRUE(session.SaveCurrentCareer());
    const int32_t id = session.careerDB->profiles.At(0)->id;
    {
        CMemoryDB world, career;
        ASSERT_TRUE(LoadCareer(world, career, id));
        career.profiles.At(0)->day = 28;
        ASSERT_TRUE(SaveCareer(world, career));
    }
    game.Click(ID_FR_SAVE);
    EXPECT_STREQ(game.TextOf(ID_FR_STATUS).GetText(), "The career could not be saved.");
    CStr shown = game.TextOf(ID_MSG_TEXT);
    shown.ReplaceChar('\n', ' ');
    EXPECT_NE(shown.Find("another copy of the game saved this career"), -1) << shown.GetText();
    EXPECT_NE(shown.Find("Save again"), -1) << shown.GetText();

    game.Click(ID_FR_SAVE);
    EXPECT_STREQ(game.TextOf(ID_FR_STATUS).GetText(), "Career saved.");
    EXPECT_NE(session.careerDB->profiles.At(0)->id, id);
    CMemoryDB world, career;
    ASSERT_TRUE(LoadCareer(world, career, id));
    EXPECT_EQ(career.profiles.At(0)->day, 28);
    EXPECT_EQ(world.profiles.Size(), 2);
}

// Main menu from a running career leaves nothing behind: the days played since the last save come
// back when the career is loaded again, with the money and the ledger they booked.
TEST_F(SaveMessage, MainMenuFromARunningCareerKeepsTheDaysPlayedSinceTheLastSave) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::BeforeCareer));
    CCareerSession& session = game.Session();
    ASSERT_TRUE(session.SaveCurrentCareer());
    const int32_t id = session.careerDB->profiles.At(0)->id;
    const int32_t savedDay = MakeDateKey(session.currentDate);
    for (int day = 0; day < 5; ++day)
        ASSERT_TRUE(game.PlayDay());
    const int32_t playedDay = MakeDateKey(session.currentDate);
    ASSERT_GT(playedDay, savedDay);
    const int32_t cash = session.UserClub()->cash;
    const size_t booked = session.ledger->Size();

    game.Click(ID_FR_MENU, 2);
    EXPECT_FALSE(session.HasOpenCareer());
    EXPECT_TRUE(game.gm.IsLayerActive(ID_MAINMENU));
    ASSERT_TRUE(session.LoadSavedCareer(id));
    EXPECT_EQ(MakeDateKey(session.currentDate), playedDay);
    EXPECT_EQ(session.UserClub()->cash, cash);
    EXPECT_EQ(session.ledger->Size(), booked);
}
