// The header strip on the shipped layout: only the career frame carries it, so only its copy is
// bound; a mail button of any copy opens the inbox through the frame, a players button the line-up.
#include "screens/club/ScreenHeader.h"
#include "database/Careers.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/club/EmailScreen.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

TEST(ScreenHeader, BindsThePresentCopyAndOpensTheInboxFromAnyMailButton) {
    ScreenKit kit;
    ASSERT_TRUE(kit.layoutLoaded);
    CScreenContext ctx = kit.MakeContext();
    CEmailScreen inbox(ctx);
    kit.screens[ScreenRole::Inbox] = &inbox;
    CScreenHeader header(ctx);
    EXPECT_EQ(header.BoundCopies(), 1);
    EXPECT_TRUE(header.IsBound(0));
    EXPECT_FALSE(header.IsBound(1));
    header.Refresh(); // without a career: nothing to picture, the date still written where bound

    for (int button : {ID_FR_MAILBUTTON, ID_SEASONFRAME_MAILBUTTON, ID_STATSFRAME_MAILBUTTON}) {
        const size_t before = kit.stack.PendingMessages().size();
        GuiMessage m;
        m.sID = button;
        m.MSG = kMsgClick;
        header.OnMessage(m);
        EXPECT_EQ(m.sID, -1) << button;
        std::vector<GuiMessage> posted = kit.stack.PendingMessages();
        ASSERT_EQ(posted.size(), before + 2) << button;
        EXPECT_EQ(posted[before].cID, ID_FRAME);
        EXPECT_EQ(posted[before].MSG, kMsgSwitchTo);
        EXPECT_EQ(posted[before + 1].cID, ID_INBOX);
        EXPECT_EQ(posted[before + 1].p1, button);
    }
    // Other clicks and other kinds are left alone.
    GuiMessage other;
    other.sID = ID_FR_SAVE;
    other.MSG = kMsgClick;
    header.OnMessage(other);
    EXPECT_EQ(other.sID, ID_FR_SAVE);
    GuiMessage hover;
    hover.sID = ID_FR_MAILBUTTON;
    hover.MSG = kMsgSelection;
    header.OnMessage(hover);
    EXPECT_EQ(hover.sID, ID_FR_MAILBUTTON);
}

// "Players" opens the squad's line-up, freshly filled, not the inbox as "Mail" does.
TEST(ScreenHeader, ThePlayersButtonOpensTheLineup) {
    ScreenKit kit;
    ASSERT_TRUE(kit.layoutLoaded);
    CScreenContext ctx = kit.MakeContext();
    struct CountingScreen : CGameScreen {
        int refreshes = 0;
        void Refresh() override { ++refreshes; }
    } lineup;
    kit.screens[ScreenRole::Lineup] = &lineup;
    CScreenHeader header(ctx);
    for (int button : {ID_FR_LETTERBUTTON, ID_SEASONFRAME_LETTERBUTTON, ID_STATSFRAME_LETTERBUTTON}) {
        const size_t before = kit.stack.PendingMessages().size();
        GuiMessage m;
        m.sID = button;
        m.MSG = kMsgClick;
        header.OnMessage(m);
        EXPECT_EQ(m.sID, -1) << button;
        std::vector<GuiMessage> posted = kit.stack.PendingMessages();
        ASSERT_EQ(posted.size(), before + 2) << button;
        EXPECT_EQ(posted[before].cID, ID_FRAME);
        EXPECT_EQ(posted[before + 1].cID, ID_LINEUP);
        EXPECT_EQ(posted[before + 1].MSG, kMsgSwitchTo);
    }
    EXPECT_EQ(lineup.refreshes, 3);
}

// The frame's header shows the club's crest beside its name once a career is open.
TEST(ScreenHeader, TheFrameShowsTheClubsCrest) {
    ScreenKit kit;
    ASSERT_TRUE(kit.layoutLoaded);
    ASSERT_TRUE(kit.StartLeagueCareer(1, "Tester"));
    CScreenContext ctx = kit.MakeContext();
    CScreenHeader header(ctx);
    header.Refresh();
    const CGuiElement* picture = kit.stack.FindElement(ID_FR_PICTURE);
    ASSERT_NE(picture, nullptr) << "the frame has no place for the crest";
    const CTeam* club = kit.session.careerDB->teams.At(0);
    ASSERT_FALSE(club->logo.IsEmpty());
    EXPECT_STREQ(picture->Desc().imagePath.GetText(), ClubCrestPath(club).GetText());
}
