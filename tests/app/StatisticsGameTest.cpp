// The statistics screen in the running game: a new league career plays a few match days, the day
// panel's statistics button opens the standings with every club of the league and the user's row
// highlighted. The windows are drawn offscreen for a look.
#include "career/FixtureList.h"
#include "engine/Device.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"
#include "gui/EngineBackend.h"
#include "gui/Grid.h"
#include "screens/info/StatisticsScreen.h"

#include "GameKit.h"

#include <gtest/gtest.h>

#include <filesystem>

class StatisticsGame : public GameFolderTest {};

namespace {

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
        gamekit::Game game;
        ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer));
        CGameManager& gm = game.gm;
        CCareerSession& session = game.Session();
        auto* stats = dynamic_cast<CStatisticsScreen*>(gm.Screen(ScreenRole::Statistics));
        ASSERT_NE(stats, nullptr);
        gm.PostMessage(-1, ID_FRAME, kMsgOpenMenu, 0, 0);
        gm.ProcessMessages();
        // The user's match of either day is watched on the match centre to its end.
        EXPECT_TRUE(game.PlayDay());
        EXPECT_TRUE(game.PlayDay());

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
