// A tournament career watched on the flat court: the screens met after each match and at the end
// of a round show every match the club played, the last one included.
#include "app/GameManager.h"
#include "career/Calendar.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"
#include "gui/Element.h"
#include "gui/Grid.h"
#include "gui/LayoutLoader.h"
#include "guidefines.h"
#include "screens/info/DayController.h"

#include "WatchedMatch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

class TournamentExit : public GameFolderTest {};

namespace {

void Click(CGameManager& gm, int id) {
    gm.PostMessage(id, -1, kMsgClick, 0, 0);
    gm.ProcessMessages();
    gm.ProcessMessages();
}

// A day button's run to its end (bounded), the user's match watched on the match centre.
bool RunDays(CGameManager& gm, CDayController& day, int button) {
    Click(gm, button);
    const auto start = std::chrono::steady_clock::now();
    while (day.IsWorkerActive() && std::chrono::steady_clock::now() - start < std::chrono::seconds(60)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        gm.ProcessMessages();
    }
    gm.ProcessMessages();
    if (day.IsWorkerActive())
        return false;
    if (gm.Session().matchMode != 0)
        return watched::PlayWatchedMatch(gm);
    return true;
}

// Games in the overview's record: the home and away won/lost rows summed.
int RecordGames(CGameManager& gm) {
    auto* grid = dynamic_cast<CGuiGridControl*>(gm.FindElement(ID_OV_RECORD));
    if (!grid)
        return -1;
    int games = 0;
    for (int row : {1, 2}) {
        GuiGridCell* cell = grid->FindCell(1, row);
        int won = 0, lost = 0;
        if (!cell || sscanf(cell->text.GetText(), "%d/%d", &won, &lost) != 2)
            return -1;
        games += won + lost;
    }
    return games;
}

} // namespace

// The group stage watched on the match centre to its last day: when the results window judges the
// stage, the club's overview already counts the match just played.
TEST_F(TournamentExit, TheOverviewCountsTheLastWatchedMatchOfTheStage) {
    GameSrand(5);
    CGameManager gm;
    CGuiLayoutLoader loader(gm);
    ASSERT_TRUE(loader.Load());
    GameOptions options;
    options.enable3DSimulation = 0;
    options.enableFastSimulation = 0;
    ASSERT_TRUE(gm.CreateScreens(options));
    gm.CreateRegisteredScreens();
    CCareerSession& session = gm.Session();
    ASSERT_TRUE(session.StartNewCareer(kDataSetEuroCup, 0, CStr("Tester")));
    gm.RefreshAllScreens();
    auto* day = dynamic_cast<CDayController*>(gm.Screen(ScreenRole::DayController));
    ASSERT_NE(day, nullptr);
    gm.PostMessage(-1, ID_FRAME, kMsgOpenMenu, 0, 0);
    gm.ProcessMessages();
    const CTeam* club = session.UserClub();
    ASSERT_NE(club, nullptr);
    for (int i = 0; i < 12 && !gm.IsLayerActive(ID_RESULTS); ++i) {
        ASSERT_TRUE(RunDays(gm, *day, ID_CONTINUE)) << "a day or a watched match did not end";
        // After every watched match, not only the stage's last: the overview is current.
        EXPECT_EQ(RecordGames(gm), static_cast<int>(club->matchStats.size()))
            << "on " << session.currentDate.day << "." << session.currentDate.month;
        // The coming matches start after today: the match just played is no longer among them.
        const CStr today =
            FormatDate(session.currentDate.year, session.currentDate.day, session.currentDate.month, ".");
        auto* coming = dynamic_cast<CGuiGridControl*>(gm.FindElement(ID_OV_NEXT));
        ASSERT_NE(coming, nullptr);
        for (int row = 0; row < coming->GetRowCount(); ++row) {
            GuiGridCell* date = coming->FindCell(1, row);
            ASSERT_NE(date, nullptr);
            EXPECT_STRNE(date->text.GetText(), today.GetText()) << "today's match is still listed as coming";
        }
    }
    ASSERT_TRUE(gm.IsLayerActive(ID_RESULTS)) << "the group stage did not end";
    EXPECT_GE(club->matchStats.size(), 3u);
    // On into the next round (or out of the tournament): the record still holds every match.
    Click(gm, ID_RESULTS_STAGE);
    if (session.HasOpenCareer()) {
        EXPECT_TRUE(gm.IsLayerActive(ID_CLUBOVERVIEW));
        EXPECT_EQ(RecordGames(gm), static_cast<int>(club->matchStats.size())) << "the next round's overview";
    }
}
