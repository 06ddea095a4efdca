// The flat-court match's remarks and event lines reach the commentary popup and the match centre
// through the shell's hooks, only for a match the user watches.
#include "app/DayHost.h"
#include "app/GameManager.h"
#include "app/Shell.h"
#include "gui/Grid.h"
#include "gui/LayoutLoader.h"
#include "guidefines.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DMatchDay.h"
#include "screens/match/MatchDayScreen.h"

#include <gtest/gtest.h>

TEST(MatchCommentaryHooks, WatchedMatchesTellThePopupAndTheMatchCentre) {
    CGameManager gm;
    CGuiLayoutLoader loader(gm);
    ASSERT_TRUE(loader.Load());
    GameOptions options;
    ASSERT_TRUE(gm.CreateScreens(options));
    gm.CreateRegisteredScreens();
    auto* centre = dynamic_cast<CMatchDayScreen*>(gm.Screen(ScreenRole::MatchCentre));
    ASSERT_NE(centre, nullptr);
    ConnectMatch2D(gm);
    CMatch2D& match = TheMatch2D();
    match.instantRun = 0;
    match.Setup();
    match.GetHomeTeam()->name = "Harbour Lions";
    match.GetAwayTeam()->name = "Valley Bears";
    centre->SetupMatch(nullptr, nullptr);
    CGuiElement* remarks = gm.FindElement(ID_COMMENTARY_LIST);
    CGuiElement* events = gm.FindElement(ID_MATCHCENTRE)->FindChild(ID_CENTRE_COMMENTARY);
    ASSERT_NE(remarks, nullptr);
    ASSERT_NE(events, nullptr);
    const int rowsBefore = events->GetRowCount();
    ASSERT_EQ(rowsBefore, 0);

    // A match run at once has nobody watching.
    match.instantRun = 1;
    match.hooks.remarkLine("Head coach Ramos:", 0);
    match.hooks.commentary("scores", "Webb", true);
    EXPECT_EQ(remarks->GetItemCount(), 0);
    EXPECT_EQ(events->GetRowCount(), rowsBefore);

    match.instantRun = 0;
    match.hooks.remarkLine("Head coach Ramos:", 0);
    match.hooks.commentary("scores", "Webb", true);
    match.hooks.commentary("wins the ball", "Petrov", false);
    EXPECT_EQ(remarks->GetItemCount(), 1);
    EXPECT_TRUE(gm.ShellServices().IsOverlayOpen(Overlay::Commentary));
    EXPECT_EQ(events->GetRowCount(), rowsBefore + 2);
    EXPECT_STREQ(events->FindCell(0, 0)->text.GetText(), "Harbour Lions: Webb scores");
    EXPECT_STREQ(events->FindCell(0, 1)->text.GetText(), "Valley Bears: Petrov wins the ball");
    match.hooks = Match2DHooks();
}
