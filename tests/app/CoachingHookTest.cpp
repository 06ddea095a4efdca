// The flat-court match's quarter break in the running game: the shell's hook reaches the coaching
// dialog, which moves the user's form, writes the coach's word and opens the message window; a
// pending substitution refreshes the dialog's player list.
#include "app/DayHost.h"
#include "engine/GameFolder.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DMatchDay.h"
#include "screens/match/TacticsScreen.h"

#include "GameKit.h"

#include <gtest/gtest.h>

class CoachingHook : public GameFolderTest {};

TEST_F(CoachingHook, TheQuarterBreakHookOpensTheCoachsMessage) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer, GameOptions(), {.manager = "Hook"}));
    CGameManager& gm = game.gm;
    ASSERT_NE(gm.Screen(ScreenRole::Substitution), nullptr);
    ASSERT_NE(gm.Screen(ScreenRole::Staff), nullptr);
    ConnectMatch2D(gm);

    // The user's club plays away.
    auto* tactics = dynamic_cast<CTacticsScreen*>(gm.Screen(ScreenRole::Tactics));
    ASSERT_NE(tactics, nullptr);
    tactics->userIsHome = 0;
    CMatch2D& match = TheMatch2D();
    match.homeTeam = std::make_unique<CMatch2DTeam>();
    match.awayTeam = std::make_unique<CMatch2DTeam>();
    for (CMatch2DTeam* team : {match.homeTeam.get(), match.awayTeam.get()})
        for (int i = 0; i < 7; ++i) {
            auto* p = new CMatch2DPlayer();
            p->name = CStr::Formatted("Player %d", i);
            p->SetMatchState(i < 5 ? kOnCourtState : kOnBenchState);
            p->SetAttribute(8, 50);
            team->AddPlayer(p);
        }
    match.homeTeam->score = 0;
    match.awayTeam->score = 0;

    ASSERT_TRUE(match.hooks.quarterBreak);
    match.hooks.quarterBreak();
    gm.ProcessMessages();
    EXPECT_TRUE(gm.IsLayerActive(ID_QUARTERBREAK));
    EXPECT_FALSE(gm.FindElement(ID_QUARTERBREAK_TEXT)->GetText().IsEmpty());
    EXPECT_EQ(match.awayTeam->GetPlayer(6)->Attribute(8), 51) << "0:0 is a tie";
    EXPECT_EQ(match.homeTeam->GetPlayer(6)->Attribute(8), 50);
    EXPECT_EQ(gm.FindElement(ID_COACH_PLAYERS)->GetItemCount(), 6);

    // A forced substitution brought a bench player on: the list follows.
    match.awayTeam->GetPlayer(5)->SetMatchState(kOnCourtState);
    ASSERT_TRUE(match.hooks.substitutionPending);
    match.hooks.substitutionPending();
    EXPECT_EQ(gm.FindElement(ID_COACH_PLAYERS)->GetItemCount(), 7);

    match.hooks = Match2DHooks();
    match.homeTeam.reset();
    match.awayTeam.reset();
}
