// The statistics screen in the running game: a new league career plays a few match days, the day
// panel's statistics button opens the standings with every club of the league and the user's row
// highlighted. The windows are drawn offscreen for a look.
#include "app/GameManager.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/Device.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"
#include "gui/EngineBackend.h"
#include "gui/Grid.h"
#include "gui/LayoutLoader.h"
#include "screens/info/DayController.h"
#include "screens/info/StatisticsScreen.h"

#include "WatchedMatch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

class StatisticsGame : public GameFolderTest {};

namespace {

void RunContinue(CGameManager& gm, CDayController& day) {
    PostGuiMessage(ID_CONTINUE, -1, kMsgClick, 0, 0);
    gm.ProcessMessages();
    const auto start = std::chrono::steady_clock::now();
    while (day.IsWorkerActive() && std::chrono::steady_clock::now() - start < std::chrono::seconds(60)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        gm.ProcessMessages();
    }
    gm.ProcessMessages();
    // The user's match is watched on the match centre to its end.
    if (gm.Session().matchMode != 0) {
        EXPECT_TRUE(watched::PlayWatchedMatch(gm));
    }
}

void Shoot(CGameManager& gm, const char* file) {
    CQuorelDevice* device = g_pQuorelDevice;
    if (!device)
        return;
    const std::string folder = std::string(FB_GAME_DIR) + "/../statistics-screenshots";
    std::filesystem::create_directories(folder);
    CGuiEngineBackend backend;
    SetGuiBackend(&backend);
    device->BeginScene();
    device->Clear(0x0E0A08FFu);
    gm.Draw(backend, 1000);
    device->EndScene();
    device->Flush2D();
    EXPECT_TRUE(device->SaveScreenshot((folder + "/" + file).c_str()));
    device->Present();
    SetGuiBackend(nullptr);
}

} // namespace

TEST_F(StatisticsGame, AfterAFewMatchDaysTheTableCountsThePlayedMatches) {
    GameSrand(9);
    // Drawing is for the eye only; the checks run without a device as well.
    std::unique_ptr<CQuorelDevice> device;
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    device = std::make_unique<CQuorelDevice>();
    if (device->Create(1024, 768, 32))
        g_pQuorelDevice = device.get();
#endif
    {
        CGameManager gm;
        CGuiLayoutLoader loader(gm);
        ASSERT_TRUE(loader.Load());
        ASSERT_TRUE(gm.CreateScreens(GameOptions()));
        ASSERT_TRUE(gm.Session().worldDB && !gm.Session().worldDB->teams.IsEmpty());
        CCareerSession& session = gm.Session();
        ASSERT_TRUE(session.StartNewCareer(kDataSetLeague, session.worldDB->teams.At(0)->id, CStr("Tester")));
        gm.CreateRegisteredScreens();
        auto* day = dynamic_cast<CDayController*>(gm.Screen(ScreenRole::DayController));
        auto* stats = dynamic_cast<CStatisticsScreen*>(gm.Screen(ScreenRole::Statistics));
        ASSERT_NE(day, nullptr);
        ASSERT_NE(stats, nullptr);
        gm.PostMessage(-1, ID_FRAME, kMsgOpenMenu, 0, 0);
        gm.ProcessMessages();
        RunContinue(gm, *day);
        RunContinue(gm, *day);

        // The day panel's statistics button switches to the standings.
        PostGuiMessage(ID_DAYPANEL_STATISTICS, -1, kMsgClick, 0, 0);
        gm.ProcessMessages();
        gm.ProcessMessages();
        EXPECT_TRUE(gm.IsLayerActive(ID_STATISTICS));
        EXPECT_TRUE(gm.IsLayerActive(ID_FRAME));

        const CLeague* league = session.UserLeague();
        const CLeague* worldLeague = session.worldDB->FindLeague(league->id);
        auto* grid = static_cast<CGuiGridControl*>(gm.FindElement(ID_ST_STANDINGS));
        ASSERT_EQ(grid->GetRowCount(), static_cast<int>(worldLeague->teams.size()));
        // Every played fixture of the league is one game for each of its clubs.
        int played = 0;
        for (const CFixture* f : session.fixtureList->Select(-1, -1))
            if (f->homeScore >= 0 && f->home->leagueId == league->id)
                played += 2;
        int games = 0;
        int userRow = -1;
        for (int row = 0; row < grid->GetRowCount(); ++row) {
            games += std::atoi(grid->FindCell(3, row)->text.GetText());
            if (grid->FindCell(1, row)->text.Equals(session.UserClub()->name))
                userRow = row;
        }
        EXPECT_GT(played, 0);
        EXPECT_EQ(games, played);
        ASSERT_GE(userRow, 0);
        EXPECT_EQ(grid->CellTextColour(1, userRow), CStatisticsScreen::kUserColour);
        EXPECT_NE(grid->FindCell(3, userRow)->text, CStr("0"));

        // The user's row shows the club's squad with its averages.
        grid->SetSelectedRow(userRow, false);
        gm.ProcessMessages();
        CGuiElement* players = gm.FindElement(ID_ST_PLAYERS);
        EXPECT_EQ(players->GetRowCount(), static_cast<int>(session.UserClub()->players.size()));
        int withGames = 0;
        for (int row = 0; row < players->GetRowCount(); ++row)
            if (players->FindCell(4, row) && players->FindCell(4, row)->text.NotEquals("00"))
                ++withGames;
        EXPECT_GT(withGames, 0);
        Shoot(gm, "standings.png");

        PostGuiMessage(ID_ST_TAB_COMPARE, -1, kMsgClick, 0, 0);
        gm.ProcessMessages();
        gm.ProcessMessages();
        EXPECT_TRUE(gm.IsLayerActive(ID_MATCHCOMPARE));
        EXPECT_FALSE(gm.IsLayerActive(ID_STATISTICS));
        Shoot(gm, "comparison.png");
        PostGuiMessage(ID_MC_TAB_FIXTURES, -1, kMsgClick, 0, 0);
        gm.ProcessMessages();
        gm.ProcessMessages();
        EXPECT_TRUE(gm.IsLayerActive(ID_FIXTURES));
        Shoot(gm, "fixtures.png");
    }
    g_pQuorelDevice = nullptr;
}
