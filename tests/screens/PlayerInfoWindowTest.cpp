// The player information window on the shipped layout: the colour bands of the attributes, the
// portrait path, the title and grids of a player, and the grids that open it.
#include "screens/info/PlayerInfoWindow.h"

#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/Color.h"
#include "engine/Paths.h"
#include "gui/Element.h"
#include "gui/StaticText.h"
#include "guidefines.h"
#include "screens/info/StatisticsScreen.h"
#include "screens/match/TacticsScreen.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

TEST(PlayerInfoColours, AttributesRunFromRedThroughYellowToGreen) {
    EXPECT_EQ(AttributeColour(0), PackColor(255, 255, 0, 0));
    EXPECT_EQ(AttributeColour(50), PackColor(255, 255, 254, 0));
    EXPECT_EQ(AttributeColour(51), PackColor(255, 125, 255, 0));
    EXPECT_EQ(AttributeColour(100), PackColor(255, 1, 255, 0)) << "2.55 in single precision lies below 255";
    // A damaged record stays on the scale.
    EXPECT_EQ(AttributeColour(-7), AttributeColour(0));
    EXPECT_EQ(AttributeColour(180), AttributeColour(100));
}

TEST(PlayerInfoPicture, EveryPictureTextGivesOneGamePath) {
    EXPECT_STREQ(PlayerPicturePath(CStr()).GetText(), "\\images\\WinObjects\\PLAYERPIC\\NoPic.PNG");
    EXPECT_STREQ(PlayerPicturePath("images\\a\\p1.png").GetText(), "\\images\\a\\p1.png");
    EXPECT_STREQ(PlayerPicturePath("\\images\\a\\p1.png").GetText(), "\\images\\a\\p1.png");
    EXPECT_TRUE(FileExists(PlayerPicturePath(CStr()).GetText()));
}

namespace {

class PlayerInfoWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Tester"));
        window = std::make_unique<CPlayerInfoWindow>(ctx);
        kit.screens[ScreenRole::PlayerInfo] = window.get();
        player = kit.session.UserClub()->players.at(0);
    }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }
    CStr Cell(int grid, int column, int row) {
        const GuiGridCell* cell = Find(grid)->FindCell(column, row);
        return cell ? cell->text : CStr("<none>");
    }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    std::unique_ptr<CPlayerInfoWindow> window;
    CPlayer* player = nullptr;
};

} // namespace

TEST_F(PlayerInfoWindowTest, ShowsTitlePersonalDataAndColouredAttributes) {
    player->words[kWordShirtNumber] = 7;
    player->SkillValue(12) = 51;
    player->SkillValue(16) = 0;
    player->SkillValue(2) = 100;
    window->ShowPlayer(player);

    const CStr position = kit.language.Get(player->words[kWordPosition]);
    EXPECT_STREQ(Find(ID_PI_TITLE)->GetText().GetText(),
                 CStr::Formatted("7. %s (%s)", player->name.GetText(), position.GetText()).GetText());
    EXPECT_EQ(Find(ID_PI_PERSONAL)->GetRowCount(), 7) << "the rows filled and an empty one";
    EXPECT_STREQ(Cell(ID_PI_PERSONAL, 0, 0).GetText(), kit.language.Get(80047).GetText());
    EXPECT_STREQ(
        Cell(ID_PI_PERSONAL, 1, 0).GetText(),
        CStr::Formatted("%.2d.%.2d.%d", player->birthDay, player->birthMonth, player->birthYear).GetText());
    EXPECT_STREQ(Cell(ID_PI_PERSONAL, 1, 4).GetText(),
                 CStr::Formatted("%d cm", player->words[kWordHeight]).GetText());
    EXPECT_STREQ(Cell(ID_PI_PERSONAL, 1, 5).GetText(),
                 CStr::Formatted("%d kg", player->words[kWordWeight]).GetText());
    // The skill row is the overall rating, not a position code.
    EXPECT_STREQ(Cell(ID_PI_PERSONAL, 1, 1).GetText(),
                 CStr::Formatted("%d", static_cast<int>(CPlayer::ComputeOverall(player, false))).GetText());

    ASSERT_EQ(Find(ID_PI_ATTRIBUTES_1)->GetRowCount(), 13);
    ASSERT_EQ(Find(ID_PI_ATTRIBUTES_2)->GetRowCount(), 3);
    const GuiGridCell* aggression = Find(ID_PI_ATTRIBUTES_1)->FindCell(1, 0);
    ASSERT_NE(aggression, nullptr);
    EXPECT_STREQ(aggression->text.GetText(), "51");
    EXPECT_EQ(aggression->colour, AttributeColour(51));
    // Row 9 names the sixteenth skill, so no skill shows twice.
    EXPECT_STREQ(Cell(ID_PI_ATTRIBUTES_1, 0, 9).GetText(), kit.language.Get(200099).GetText());
    EXPECT_EQ(Find(ID_PI_ATTRIBUTES_1)->FindCell(1, 9)->colour, AttributeColour(0));
    EXPECT_STREQ(Cell(ID_PI_ATTRIBUTES_2, 1, 0).GetText(), "100");
    EXPECT_EQ(Find(ID_PI_ATTRIBUTES_2)->FindCell(1, 0)->colour, AttributeColour(100));
    for (int row = 0; row < 13; ++row)
        EXPECT_FALSE(Cell(ID_PI_ATTRIBUTES_1, 0, row).IsEmpty()) << "row " << row << " has no caption";

    // Each player has a portrait of his own, drawn at build time.
    const CStr picture = Find(ID_PI_PICTURE)->Desc().imagePath;
    EXPECT_STREQ(picture.GetText(), PlayerPicturePath(player->picture).GetText());
    EXPECT_TRUE(FileExists(picture.GetText())) << picture.GetText();
    window->ShowPlayer(kit.session.UserClub()->players.at(1));
    EXPECT_STRNE(Find(ID_PI_PICTURE)->Desc().imagePath.GetText(), picture.GetText());
}

TEST_F(PlayerInfoWindowTest, AnInjuredPlayerHasTheLongTitleInTheWarningColour) {
    player->words[kWordInjured] = 1;
    window->ShowPlayer(player);
    auto* title = Find(ID_PI_TITLE);
    EXPECT_NE(std::string(title->GetText().GetText()).find(kit.language.Get(500009).GetText()),
              std::string::npos);
    EXPECT_EQ(static_cast<CGuiStaticText*>(title)->GetTextColour(), 65535u);
    player->words[kWordInjured] = 2;
    window->ShowPlayer(player);
    EXPECT_EQ(std::string(title->GetText().GetText()).find(kit.language.Get(500009).GetText()),
              std::string::npos);
    EXPECT_EQ(static_cast<CGuiStaticText*>(title)->GetTextColour(), 16777215u);
}

TEST_F(PlayerInfoWindowTest, AnUnknownPlayerLeavesTheWindowAsItWas) {
    window->ShowPlayer(player);
    const CStr title = Find(ID_PI_TITLE)->GetText();
    window->ShowPlayer(nullptr);
    EXPECT_FALSE(window->ShowPlayerById(999999));
    EXPECT_STREQ(Find(ID_PI_TITLE)->GetText().GetText(), title.GetText());
    EXPECT_EQ(window->ShownPlayerId(), player->id);
    // Players of other clubs come from the world.
    const CPlayer* other = nullptr;
    for (const CPlayer* p : kit.session.worldDB->players)
        if (!kit.session.careerDB->FindPlayer(p->id))
            other = p;
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(window->ShowPlayerById(other->id));
    EXPECT_NE(std::string(Find(ID_PI_TITLE)->GetText().GetText()).find(other->name.GetText()),
              std::string::npos);
}

TEST_F(PlayerInfoWindowTest, ADoubleClickInTheTacticsGridOpensThePlayer) {
    CTacticsScreen tactics(ctx);
    tactics.Refresh();
    CGuiElement* bench = Find(ID_TA_BENCH_GRID);
    ASSERT_GT(bench->GetRowCount(), 0);
    const int32_t id = bench->FindCell(0, 0)->data;
    GuiMessage m{ID_TA_BENCH_GRID, -1, kMsgDoubleClick, 0, 0, 0};
    tactics.OnMessage(m);
    EXPECT_EQ(m.sID, -1);
    EXPECT_EQ(window->ShownPlayerId(), id);
    kit.stack.ProcessMessages();
    EXPECT_TRUE(kit.stack.IsLayerActive(ID_PLAYERINFO));
    // Its close button shuts it again.
    kit.stack.PostMessage(-1, ID_PLAYERINFO, kMsgClose, 0, 0);
    kit.stack.ProcessMessages();
    EXPECT_FALSE(kit.stack.IsLayerActive(ID_PLAYERINFO));
}

// Escape shuts the window, as its Close button does, and leaves the screen under it open.
TEST_F(PlayerInfoWindowTest, EscapeClosesTheWindow) {
    kit.stack.PostMessage(-1, ID_LINEUP, kMsgSwitchTo, 0, 0);
    kit.stack.PostMessage(-1, ID_PLAYERINFO, kMsgOpenOnTop, 0, 0);
    kit.stack.ProcessMessages();
    ASSERT_TRUE(kit.stack.IsLayerActive(ID_PLAYERINFO));
    GuiInput escape;
    escape.kind = GuiInputKind::Key;
    escape.key = kGuiKeyEscape;
    kit.stack.DispatchInput(escape);
    kit.stack.ProcessMessages();
    kit.stack.ProcessMessages();
    EXPECT_FALSE(kit.stack.IsLayerActive(ID_PLAYERINFO));
    EXPECT_TRUE(kit.stack.IsLayerActive(ID_LINEUP));
}

TEST_F(PlayerInfoWindowTest, ADoubleClickInTheStatisticsPlayerGridOpensThatPlayer) {
    CStatisticsScreen statistics(ctx);
    statistics.Refresh();
    CGuiElement* players = Find(ID_ST_PLAYERS);
    ASSERT_GT(players->GetRowCount(), 1);
    const int row = players->GetRowCount() - 1;
    const CStr name = players->FindCell(1, row)->text;
    GuiMessage m{ID_ST_PLAYERS, -1, kMsgDoubleClick, row, 0, 0};
    statistics.OnMessage(m);
    EXPECT_EQ(m.sID, -1);
    EXPECT_NE(std::string(Find(ID_PI_TITLE)->GetText().GetText()).find(name.GetText()), std::string::npos);
    // A row past the players opens nothing.
    GuiMessage past{ID_ST_PLAYERS, -1, kMsgDoubleClick, row + 5, 0, 0};
    statistics.OnMessage(past);
    EXPECT_EQ(past.sID, ID_ST_PLAYERS);
}
