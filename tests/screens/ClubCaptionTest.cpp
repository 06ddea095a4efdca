// The caption line the club and match screens share: its parts, a missing part, a tournament's
// season, and the line-up and tactics screens reading it like the others.
#include "screens/ClubCaption.h"

#include "career/FixtureList.h"
#include "gui/Window.h"
#include "guidefines.h"
#include "screens/match/LineupScreen.h"
#include "screens/match/TacticsScreen.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

using namespace screentest;

TEST(ClubCaption, EmptyPartsAreLeftOutAndATournamentNamesItsOneYear) {
    EXPECT_EQ(JoinCaption({"Stadium", "", "Lions", "", "2007-2008 Season"}),
              CStr("Stadium / Lions / 2007-2008 Season"));
    EXPECT_EQ(JoinCaption({"", ""}), CStr());
    EXPECT_EQ(CaptionSeason(2007, 2008, "Season"), CStr("2007-2008 Season"));
    EXPECT_EQ(CaptionSeason(2006, 2006, "Season"), CStr("2006 Season"));

    MatchScreenRig rig;
    EXPECT_EQ(ClubCaptionLine(rig.ctx, 100008, "Users", "01.09.2007"),
              CStr("<100008> / <800000> / Users / 01.09.2007 / 2007-2008 <80030>"));
    SeasonSpan& season = rig.session.fixtureList->Season();
    season.startYear = 2006;
    season.endYear = 2006;
    EXPECT_EQ(ClubCaptionLine(rig.ctx, 100008, "Users", ""),
              CStr("<100008> / <800000> / Users / 2006 <80030>"));
}

TEST(ClubCaption, TheLineupAndTacticsScreensReadTheSameLineAsTheOthers) {
    MatchScreenRig rig;
    rig.session.currentDate = GameDate{2007, 9, 14};
    CLineupScreen lineup(rig.ctx);
    CTacticsScreen tactics(rig.ctx);
    rig.screens[ScreenRole::Tactics] = &tactics;
    lineup.Refresh();
    tactics.Refresh();
    auto caption = [&](int window) {
        return static_cast<CGuiWindow*>(rig.stack.FindElement(window))->GetCaption();
    };
    EXPECT_EQ(caption(ID_LINEUP), CStr("<80019> / <800000> / Users / 14.09.2007 / 2007-2008 <80030>"));
    EXPECT_EQ(caption(ID_TACTICS), CStr("<200163> / <800000> / Users / 14.09.2007 / 2007-2008 <80030>"));
}
