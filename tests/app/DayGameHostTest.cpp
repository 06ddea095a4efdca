// The day controller inside the game manager: a new league career, the continue button clicked
// through the message queue, the run on a worker and its follow-up on the main thread.
#include "app/GameManager.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"
#include "gui/LayoutLoader.h"
#include "screens/info/DayController.h"
#include "screens/info/DayInfoPanel.h"

#include "WatchedMatch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

class DayGameHost : public GameFolderTest {};

TEST_F(DayGameHost, ContinueInANewCareerStopsOnTheFirstUserMatchDay) {
    GameSrand(5);
    CGameManager gm;
    CGuiLayoutLoader loader(gm);
    ASSERT_TRUE(loader.Load());
    GameOptions options;
    options.enable3DSimulation = false;
    options.enableFastSimulation = false;
    ASSERT_TRUE(gm.CreateScreens(options));
    ASSERT_TRUE(gm.Session().worldDB && !gm.Session().worldDB->teams.IsEmpty())
        << "the generated league data set is missing";
    ASSERT_TRUE(
        gm.Session().StartNewCareer(kDataSetLeague, gm.Session().worldDB->teams.At(0)->id, CStr("Tester")));
    gm.CreateRegisteredScreens();
    auto* day = dynamic_cast<CDayController*>(gm.Screen(ScreenRole::DayController));
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

    PostGuiMessage(10050, -1, 10, 0, 0);
    gm.ProcessMessages(); // the click starts the run
    EXPECT_TRUE(day->IsWorkerActive());
    // Frames while the day runs: the queue only ever holds the run's own last word, which
    // finishes it on this thread.
    // The run plays the user's match too, which is slow under the sanitizers: up to a minute.
    const auto start = std::chrono::steady_clock::now();
    while (day->IsWorkerActive() && std::chrono::steady_clock::now() - start < std::chrono::seconds(60)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        gm.ProcessMessages();
    }
    EXPECT_FALSE(day->IsWorkerActive());
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
