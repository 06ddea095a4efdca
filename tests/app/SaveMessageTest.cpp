// What the player reads when a save fails: the frame's save button names the reason.
#include "app/GameManager.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameFolder.h"
#include "gui/Element.h"
#include "gui/LayoutLoader.h"
#include "guidefines.h"

#include <filesystem>

class SaveMessage : public GameFolderTest {};

TEST_F(SaveMessage, ABusySaveFolderIsNamedAndTheCareerStaysOpen) {
    CGameManager gm;
    CGuiLayoutLoader loader(gm);
    ASSERT_TRUE(loader.Load());
    ASSERT_TRUE(gm.CreateScreens(GameOptions()));
    gm.CreateRegisteredScreens();
    CCareerSession& session = gm.Session();
    ASSERT_TRUE(session.StartNewCareer(kDataSetLeague, session.worldDB->teams.At(0)->id, CStr("Tester")));
    ASSERT_TRUE(session.SaveCurrentCareer());

    // Another copy of the game holds the save folder longer than a save waits.
    SetCareerLockWait(100);
    CCareerFolderLock other(true, 0);
    ASSERT_TRUE(other.Held());
    gm.PostMessage(ID_FR_SAVE, -1, kMsgClick, 0, 0);
    gm.ProcessMessages();
    EXPECT_STREQ(gm.FindElement(ID_FR_STATUS)->GetText().GetText(), "The career could not be saved.");
    CStr shown = gm.FindElement(ID_MSG_TEXT)->GetText();
    EXPECT_NE(shown.Find("another copy"), -1) << shown.GetText();

    // Leaving through the main menu keeps the career open rather than losing it.
    gm.PostMessage(ID_FR_MENU, -1, kMsgClick, 0, 0);
    gm.ProcessMessages();
    EXPECT_TRUE(session.HasOpenCareer());
    EXPECT_NE(gm.FindElement(ID_MSG_TEXT)->GetText().Find("stays"), -1);
    SetCareerLockWait(60000);
}
