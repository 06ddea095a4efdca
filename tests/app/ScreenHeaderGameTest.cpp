// The header strip in the running game: whichever career screen the frame's menu opens, the club's
// picture and today's date stay in sight above it, and they follow the day, a load of another
// career and a tournament.
#include "career/Calendar.h"
#include "engine/GameFolder.h"
#include "screens/ScreenContext.h"
#include "screens/start/CareerFrameScreen.h"

#include "GameKit.h"

#include <gtest/gtest.h>

#include <algorithm>

class HeaderInTheGame : public GameFolderTest {};

namespace {

constexpr int kMenuButtons[] = {ID_FR_OVERVIEW, ID_FR_SQUAD,     ID_FR_TACTICS,  ID_FR_TRAINING,
                                ID_FR_STAFF,    ID_FR_TRANSFERS, ID_FR_FINANCES, ID_FR_SPONSORS,
                                ID_FR_TICKETS,  ID_FR_FUNSHOP,   ID_FR_STADIUM,  ID_FR_STATISTICS,
                                ID_FR_INBOX,    ID_FR_NEWS,      ID_FR_BUTTON};

const ScreenLayer* LayerOf(CGameManager& gm, int window) {
    for (const ScreenLayer& layer : gm.Layers())
        if (layer.screenId == window)
            return &layer;
    return nullptr;
}

int Bottom(const CGuiElement* element) {
    return element->Desc().y + element->Desc().h;
}

CStr Today(const CCareerSession& session) {
    return FormatDate(session.currentDate.year, session.currentDate.day, session.currentDate.month, ".");
}

// The picture and the date as the header must show them, in sight.
void ExpectHeader(CGameManager& gm, const char* where) {
    SCOPED_TRACE(where);
    const CGuiElement* picture = gm.FindElement(ID_FR_PICTURE);
    const CGuiElement* date = gm.FindElement(ID_FR_HEADERDATE);
    ASSERT_NE(picture, nullptr) << "the frame has no place for the club's picture";
    ASSERT_NE(date, nullptr) << "the frame has no place for the header's date";
    const CTeam* club = gm.Session().UserClub();
    ASSERT_NE(club, nullptr);
    EXPECT_TRUE(picture->IsVisible());
    EXPECT_STREQ(picture->Desc().imagePath.GetText(), ClubCrestPath(club).GetText());
    EXPECT_TRUE(date->IsVisible());
    EXPECT_STREQ(date->GetText().GetText(), Today(gm.Session()).GetText());
    const ScreenLayer* frame = LayerOf(gm, ID_FRAME);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->active);
}

} // namespace

TEST_F(HeaderInTheGame, EveryScreenOfTheMenuLeavesThePictureAndTheDateInSight) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::BeforeCareer));
    CGameManager& gm = game.gm;
    CCareerSession& session = game.Session();
    gm.RefreshAllScreens();
    gm.PostMessage(-1, ID_FRAME, kMsgOpenMenu, 0, 0);
    gm.ProcessMessages();
    ExpectHeader(gm, "a new career");
    // The header strip ends where its lowest element does: no screen may start above it.
    const int headerBottom =
        std::max(Bottom(gm.FindElement(ID_FR_PICTURE)), Bottom(gm.FindElement(ID_FR_HEADERDATE)));

    int opened = 0;
    for (int button : kMenuButtons) {
        const CGuiElement* menuButton = gm.FindElement(button);
        ASSERT_NE(menuButton, nullptr) << button;
        if (!menuButton->IsEnabled())
            continue;          // a screen this club does not have yet (the fun shop before it is built)
        game.Click(button, 2); // and the frame that opens the windows the click asked for
        const int window = CCareerFrameScreen::MenuWindowOf(button);
        const ScreenLayer* layer = LayerOf(gm, window);
        ASSERT_NE(layer, nullptr) << window;
        EXPECT_TRUE(layer->active) << "button " << button << " did not open window " << window;
        EXPECT_GE(layer->root->Desc().y, headerBottom) << "window " << window << " covers the header";
        ExpectHeader(gm, (CStr("window ").Concat(CStr::Formatted("%d", window))).GetText());
        ++opened;
    }
    EXPECT_GE(opened, 12);

    // A day later the header says so.
    const CStr before = Today(session);
    ASSERT_TRUE(game.RunDay(ID_NEXTDAY));
    EXPECT_STRNE(Today(session).GetText(), before.GetText());
    ExpectHeader(gm, "the next day");

    // Another career, a tournament: its own club and its own date.
    const CStr leagueCrest = gm.FindElement(ID_FR_PICTURE)->Desc().imagePath;
    ASSERT_TRUE(session.StartNewCareer(kDataSetEuroCup, 4, CStr("Cupper")));
    gm.RefreshAllScreens();
    ExpectHeader(gm, "a tournament career");
    EXPECT_STRNE(gm.FindElement(ID_FR_PICTURE)->Desc().imagePath.GetText(), leagueCrest.GetText());
}
