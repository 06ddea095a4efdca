// The day controller inside the game manager: a new league career, the continue button clicked
// through the message queue, the run on a worker and its follow-up on the main thread.
#include "career/FixtureList.h"
#include "career/MoneySteps.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"
#include "screens/info/DayInfoPanel.h"

#include "GameKit.h"

#include <gtest/gtest.h>

class DayGameHost : public GameFolderTest {};

TEST_F(DayGameHost, ContinueInANewCareerStopsOnTheFirstUserMatchDay) {
    GameSrand(5);
    GameOptions options = gamekit::Without3D();
    options.enableFastSimulation = false;
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer, options));
    CGameManager& gm = game.gm;
    CDayController* day = game.Day();
    auto* panel = dynamic_cast<CDayInfoPanel*>(gm.Screen(ScreenRole::DayInfoPanel));
    ASSERT_NE(day, nullptr);
    ASSERT_NE(panel, nullptr);

    const int32_t userId = gm.Session().careerDB->teams.At(0)->id;
    GameDate firstUserMatch;
    for (int i = 0; i < gm.Session().fixtureList->Size(); ++i) {
        const CFixture* f = gm.Session().fixtureList->At(i);
        if (f->home->id == userId || f->away->id == userId) {
            firstUserMatch = f->Date();
            break;
        }
    }
    ASSERT_NE(firstUserMatch.year, 0);

    game.Click(ID_CONTINUE); // the click starts the run
    EXPECT_TRUE(day->IsWorkerActive());
    // Frames while the day runs: the queue only ever holds the run's own last word, which
    // finishes it on this thread.
    EXPECT_TRUE(game.AwaitDay());
    EXPECT_EQ(gm.Session().currentDate, firstUserMatch);
    // The match centre takes the user's match; watched to its end, the statistics show the tables
    // and the day panel keeps the day.
    EXPECT_EQ(gm.Session().matchMode.load(), 1);
    gm.ProcessMessages();
    EXPECT_TRUE(gm.IsLayerActive(ID_MATCHCENTRE));
    ASSERT_TRUE(watched::PlayWatchedMatch(gm));
    EXPECT_EQ(gm.Session().matchMode.load(), 0);
    EXPECT_TRUE(gm.IsLayerActive(ID_STATISTICS));
    // Every fixture of the day is on the panel, in the grid too: the others and the user's.
    int others = 0;
    for (CFixture* f : gm.Session().fixtureList->GetFixturesOn(firstUserMatch.year, firstUserMatch.month,
                                                               firstUserMatch.day))
        if (f->home->id != userId && f->away->id != userId) {
            ++others;
            EXPECT_NE(f->homeScore, f->awayScore);
        }
    EXPECT_EQ(static_cast<int>(panel->Results().size()), others + 1);
    EXPECT_EQ(gm.FindElement(CDayInfoPanel::kResultsGrid)->GetRowCount(), others + 1);
    EXPECT_EQ(panel->Leaders().size(), 9u);

    // The leave-career button resets everything that belonged to the career.
    PostGuiMessage(CDayController::kLeaveCareerButton, -1, 10, 0, 0);
    gm.ProcessMessages();
    EXPECT_EQ(gm.Session().careerDB, nullptr);
    EXPECT_TRUE(gm.Session().fixtureList->IsEmpty());
    EXPECT_EQ(gm.Session().currentDate, (GameDate{2007, 8, 1}));
    EXPECT_TRUE(panel->Results().empty());
}

// At the end of the last season the game's years hold, "Next season" says why no season follows;
// the career, its date and its season end stay as they were.
TEST_F(DayGameHost, NextSeasonAfterTheLastSeasonOfTheGamesYearsSaysWhy) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer, gamekit::Without3D()));
    CCareerSession& session = game.Session();
    CDayController* day = game.Day();
    ASSERT_NE(day, nullptr);
    const GameDate end{2999, 7, 30};
    session.currentDate = end;
    day->Runner().SetSeasonEndPending(true);
    ASSERT_TRUE(day->HandleButton(CDayController::kNextSeasonButton, kMsgClick));
    game.gm.ProcessMessages();
    EXPECT_EQ(session.currentDate, end);
    EXPECT_TRUE(day->SeasonEndPending());
    EXPECT_TRUE(game.gm.IsLayerActive(ID_MESSAGE));
    EXPECT_EQ(game.TextOf(ID_MSG_TEXT).Find("No new season can start: the game's years end"), 0)
        << game.TextOf(ID_MSG_TEXT).GetText();
}

// Every match of the season played: Continue runs no day, and rather than doing nothing it brings
// the day panel back with a message that says why; the panel's statistics lead on to the tables.
TEST_F(DayGameHost, ContinueAfterTheSeasonsLastMatchDaySaysTheSeasonIsOver) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer, gamekit::Without3D()));
    CCareerSession& session = game.Session();
    CDayController* day = game.Day();
    ASSERT_NE(day, nullptr);
    ASSERT_FALSE(session.fixtureList->IsEmpty());
    const GameDate last = session.fixtureList->LastDate();
    session.currentDate = last;
    game.Click(ID_CONTINUE, 2);
    EXPECT_FALSE(day->IsWorkerActive());
    EXPECT_EQ(session.currentDate, last);
    EXPECT_TRUE(day->SeasonEndPending());
    EXPECT_TRUE(game.gm.IsLayerActive(ID_DAYPANEL));
    EXPECT_TRUE(game.gm.IsLayerActive(ID_MESSAGE));
    EXPECT_EQ(game.TextOf(ID_MSG_TEXT).Find("The season is over: every match has been played."), 0)
        << game.TextOf(ID_MSG_TEXT).GetText();
    game.Click(ID_MSG_OK, 2);
    EXPECT_FALSE(game.gm.IsLayerActive(ID_MESSAGE));
    game.Click(ID_DAYPANEL_STATISTICS, 2);
    EXPECT_TRUE(game.gm.IsLayerActive(ID_RESULTS));
}

// Escape closes a window that has a way out as its button does, and only the window in front: the
// "season is over" message over the day panel, and the match view's choice over the tactics.
TEST_F(DayGameHost, EscapeClosesTheSeasonOverMessageAndTheMatchViewWindow) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer, gamekit::Without3D()));
    CCareerSession& session = game.Session();
    ASSERT_FALSE(session.fixtureList->IsEmpty());
    GuiInput escape;
    escape.kind = GuiInputKind::Key;
    escape.key = kGuiKeyEscape;
    auto pressEscape = [&] {
        game.gm.DispatchInput(escape);
        for (int frame = 0; frame < 3; ++frame)
            game.gm.ProcessMessages();
    };
    session.currentDate = session.fixtureList->LastDate();
    game.Click(ID_CONTINUE, 2);
    ASSERT_TRUE(game.gm.IsLayerActive(ID_MESSAGE));
    ASSERT_EQ(game.TextOf(ID_MSG_TEXT).Find("The season is over"), 0) << game.TextOf(ID_MSG_TEXT).GetText();
    pressEscape();
    EXPECT_FALSE(game.gm.IsLayerActive(ID_MESSAGE));
    EXPECT_TRUE(game.gm.IsLayerActive(ID_DAYPANEL));

    game.Click(ID_FR_TACTICS, 2);
    ASSERT_TRUE(game.gm.IsLayerActive(ID_TACTICS));
    game.Click(ID_TA_VIEWMODE, 2);
    ASSERT_TRUE(game.gm.IsLayerActive(ID_VIEWMODE));
    pressEscape();
    EXPECT_FALSE(game.gm.IsLayerActive(ID_VIEWMODE));
    EXPECT_TRUE(game.gm.IsLayerActive(ID_TACTICS));
}

// The jump from the season's end to 1 August books the summer's months at once: the manager is
// told each day's costs and the cash they leave, and the money moved is what the list says.
TEST_F(DayGameHost, NextSeasonSaysWhatTheSummersBookingsCost) {
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer, gamekit::Without3D()));
    CCareerSession& session = game.Session();
    CDayController* day = game.Day();
    ASSERT_NE(day, nullptr);
    session.currentDate = GameDate{2008, 4, 30};
    const int64_t before = session.UserClub()->cash;
    day->Runner().SetSeasonEndPending(true);
    ASSERT_TRUE(day->HandleButton(CDayController::kNextSeasonButton, kMsgClick));
    game.gm.ProcessMessages();
    ASSERT_EQ(session.currentDate, (GameDate{2008, 8, 1}));
    const int64_t after = session.UserClub()->cash;
    ASSERT_LT(after, before) << "wages and upkeep for May to August";
    ASSERT_TRUE(game.gm.IsLayerActive(ID_MESSAGE));
    // The box wraps the text: its line breaks stand for blanks.
    CStr said = game.TextOf(ID_MSG_TEXT);
    said.ReplaceAll("\n", " ");
    EXPECT_EQ(said.Find("The summer's costs were booked"), 0) << said.GetText();
    for (const char* date : {"01.05.2008 $ ", "01.06.2008 $ ", "01.07.2008 $ ", "01.08.2008 $ "})
        EXPECT_NE(said.Find(date), -1) << date << " in " << said.GetText();
    EXPECT_NE(said.Find(CStr("Cash now: ") + MoneyText(static_cast<int>(after))), -1) << said.GetText();
}
