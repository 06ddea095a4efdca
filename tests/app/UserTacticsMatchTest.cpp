// The tactics chosen on the tactics screen are the ones the user's side plays on the next match
// day, and a 3D choice without a 3D display still gets the match played.
#include "app/DayHost.h"
#include "career/FixtureList.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DMatchDay.h"
#include "screens/match/TacticsScreen.h"

#include "GameKit.h"

#include <gtest/gtest.h>

class UserTacticsMatch : public GameFolderTest {};

TEST_F(UserTacticsMatch, ContinuePlaysTheUsersSideWithTheChosenTactics) {
    GameSrand(11);
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer, gamekit::Without3D()));
    CGameManager& gm = game.gm;
    // The view mode screen chose 3D, which no display can show yet.
    gm.Session().view3D = 1;
    gm.Session().resultOnly = 0;
    auto* tactics = dynamic_cast<CTacticsScreen*>(gm.Screen(ScreenRole::Tactics));
    ASSERT_NE(tactics, nullptr);
    gm.RefreshAllScreens();
    // The player picks from the combos: the screen hands the choice to the career.
    gm.FindElement(ID_TA_OFFENCE)->SetSelection(3);
    gm.FindElement(ID_TA_DEFENCE)->SetSelection(7);
    PostGuiMessage(ID_TA_OFFENCE, -1, kMsgSelection, 3, 0);
    PostGuiMessage(ID_TA_DEFENCE, -1, kMsgSelection, 7, 0);
    gm.ProcessMessages();
    ASSERT_EQ(gm.Session().userAttack.load(), 3);
    ASSERT_EQ(gm.Session().userDefence.load(), 17);
    ASSERT_EQ(tactics->GetOffenceTactic(), 3);
    ASSERT_EQ(tactics->GetDefenceTactic(), 17);

    const int32_t userId = gm.Session().careerDB->teams.At(0)->id;
    CFixture* userFixture = nullptr;
    for (int i = 0; i < gm.Session().fixtureList->Size() && userFixture == nullptr; ++i) {
        CFixture* f = gm.Session().fixtureList->At(i);
        if (f->home->id == userId || f->away->id == userId)
            userFixture = f;
    }
    ASSERT_NE(userFixture, nullptr);
    const bool userAtHome = userFixture->home->id == userId;

    // A seed under which the computer draws a defence other than the user's: the day's gossip and
    // the other fixtures' quick results draw from the same generator before the match.
    GameSrand(9);
    game.Click(ID_CONTINUE);
    ASSERT_TRUE(game.AwaitDay());
    EXPECT_EQ(gm.Session().currentDate, userFixture->Date());
    EXPECT_GE(userFixture->homeScore, 0);
    EXPECT_GE(userFixture->awayScore, 0);
    EXPECT_EQ(tactics->userIsHome, userAtHome ? 1 : 0);

    // The match's set-up: the user's side with the chosen pair, the computer's with its own.
    const CMatch2D& match = TheMatch2D();
    const CMatch2DTeam* user = userAtHome ? match.GetHomeTeam() : match.GetAwayTeam();
    const CMatch2DTeam* other = userAtHome ? match.GetAwayTeam() : match.GetHomeTeam();
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->attackTacticId, 3);
    EXPECT_EQ(user->defenceTacticId, 17);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other->defenceTacticId, 17);
}

// The tactics are the career's: set on the session with no screen made at all, the user's match
// plays them, and the career brings them back after a save and a reload.
TEST_F(UserTacticsMatch, TheSessionsTacticsArePlayedWithoutAnyScreen) {
    GameSrand(12);
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::None, gamekit::Without3D()));
    CGameManager& gm = game.gm;
    CCareerSession& session = game.Session();
    ASSERT_EQ(gm.Screen(ScreenRole::Tactics), nullptr);
    session.view3D = 0;
    session.resultOnly = 1;
    session.userAttack = 6;
    session.userDefence = 18;

    CGameDayHost host(gm);
    CDayRunner runner(session, &host, session.fixtureList);
    bool stop = false;
    runner.RunDays(stop);
    ASSERT_TRUE(stop) << "the run stops on the user's match day";
    const CMatch2D& match = TheMatch2D();
    const CMatch2DTeam* user = runner.UserAtHome() ? match.GetHomeTeam() : match.GetAwayTeam();
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->attackTacticId, 6);
    EXPECT_EQ(user->defenceTacticId, 18);

    ASSERT_TRUE(session.SaveCurrentCareer());
    const int32_t profile = session.careerDB->profiles.At(0)->id;
    session.LeaveCareer();
    session.userAttack = kDefaultUserAttack;
    session.userDefence = kDefaultUserDefence;
    ASSERT_TRUE(session.LoadSavedCareer(profile));
    EXPECT_EQ(session.userAttack.load(), 6);
    EXPECT_EQ(session.userDefence.load(), 18);
}
