// One process, two careers: a tournament started after a league career shows nothing of the first,
// and the frame's save status speaks only of a save that just happened.
#include "career/Mail.h"
#include "engine/GameFolder.h"

#include "GameKit.h"

#include <gtest/gtest.h>

class CareerSwitch : public GameFolderTest {};

using gamekit::Screens;

TEST_F(CareerSwitch, ATournamentAfterALeagueCareerShowsNothingOfIt) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(Screens::BeforeCareer));
    CGameManager& gm = game.gm;
    CCareerSession& session = game.Session();
    const CTeam* leagueClub = session.UserClub();
    ASSERT_NE(leagueClub, nullptr);
    // The world is rebuilt with every career: keep the club's id and name, not the record.
    const int32_t leagueClubId = leagueClub->id;
    const CStr leagueClubName = leagueClub->name;
    gm.RefreshAllScreens();
    const CStr leagueLine = game.TextOf(ID_FR_LEAGUE);
    EXPECT_EQ(gm.FindElement(ID_FR_FINANCES)->Desc().enabled, 1);

    // The league career's own choices: result only and other tactics.
    game.Click(ID_VM_RESULT);
    ASSERT_EQ(session.resultOnly.load(), 1);
    session.userAttack = 4;
    game.Click(ID_FR_SAVE);
    EXPECT_STREQ(game.TextOf(ID_FR_STATUS).GetText(), "Career saved.");
    // Any change of the career after it (here a refresh, as after a day) takes the word back.
    gm.RefreshAllScreens();
    EXPECT_STREQ(game.TextOf(ID_FR_STATUS).GetText(), "");
    game.Click(ID_FR_SAVE);
    EXPECT_STREQ(game.TextOf(ID_FR_STATUS).GetText(), "Career saved.");

    ASSERT_TRUE(session.StartNewCareer(kDataSetEuroCup, 4, CStr("Cupper")));
    gm.RefreshAllScreens();
    const CTeam* cupClub = session.UserClub();
    ASSERT_NE(cupClub, nullptr);
    EXPECT_STRNE(cupClub->name.GetText(), leagueClubName.GetText());
    EXPECT_STREQ(game.TextOf(ID_FR_CLUB).GetText(), cupClub->name.GetText());
    EXPECT_STRNE(game.TextOf(ID_FR_LEAGUE).GetText(), leagueLine.GetText());
    EXPECT_EQ(game.TextOf(ID_FR_LEAGUE).Find("Tester"), -1);
    EXPECT_STREQ(game.TextOf(ID_FR_STATUS).GetText(), "");
    // The money screens are not kept up in a tournament: their buttons do not open them.
    for (int button :
         {ID_FR_FINANCES, ID_FR_SPONSORS, ID_FR_TICKETS, ID_FR_FUNSHOP, ID_FR_STADIUM, ID_FR_TRANSFERS})
        EXPECT_EQ(gm.FindElement(button)->Desc().enabled, 0) << button;
    EXPECT_EQ(gm.FindElement(ID_FR_SQUAD)->Desc().enabled, 1);
    // The view and the tactics are the options' defaults again.
    EXPECT_EQ(session.resultOnly.load(), session.options.enableFastSimulation ? 1 : 0);
    EXPECT_EQ(session.view3D.load(), session.options.enable3DSimulation ? 1 : 0);
    EXPECT_EQ(session.userAttack.load(), 0);
    // No loan or ledger row of the league career came along.
    ASSERT_NE(session.careerDB, nullptr);
    EXPECT_EQ(session.careerDB->loans.Size(), 0u);

    // Back to a league career: the money screens open again, with their own tooltips.
    const CStr financeTip = gm.FindElement(ID_FR_FINANCES)->GetTooltip();
    ASSERT_TRUE(session.StartNewCareer(kDataSetLeague, leagueClubId, CStr("Again")));
    gm.RefreshAllScreens();
    EXPECT_EQ(gm.FindElement(ID_FR_FINANCES)->Desc().enabled, 1);
    EXPECT_STRNE(gm.FindElement(ID_FR_FINANCES)->GetTooltip().GetText(), financeTip.GetText());
}

TEST_F(CareerSwitch, TheHeadersMailCountFollowsMailThatCameWithoutARefresh) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(Screens::BeforeCareer));
    CCareerSession& session = game.Session();
    game.gm.RefreshAllScreens();
    const UnreadMail before = CountUnreadMail(session.careerDB->emails);
    // Mail written by the career, as after a match, with no refresh of the screens after it.
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(CreateEmail(session.worldDB, session.careerDB, 51, 2007, 8, 1, CStr(), CStr("Board"),
                              kMailTypeClub),
                  nullptr);
    const UnreadMail after = CountUnreadMail(session.careerDB->emails);
    ASSERT_EQ(after.others, before.others + 3);
    // The player's next click brings the counters up to date.
    game.Click(ID_FR_CLUB);
    EXPECT_NE(game.TextOf(ID_FR_MAILCOUNT).Find(CStr::Formatted("(%d)", after.others + after.laments)), -1)
        << game.TextOf(ID_FR_MAILCOUNT).GetText();
    EXPECT_NE(game.TextOf(ID_FR_INBOX).Find(CStr::Formatted("(%d)", after.others + after.laments)), -1)
        << game.TextOf(ID_FR_INBOX).GetText();
}
