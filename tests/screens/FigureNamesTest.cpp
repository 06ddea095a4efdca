// One figure, one name, one form: a player's rating reads the same number under the same caption
// on every screen, morale and the shooting skills keep one name, and times, days and large counts
// read as a player expects ("15:36", "6 days", "1,000").
#include "database/Records.h"
#include "gui/Element.h"
#include "gui/Grid.h"
#include "guidefines.h"
#include "screens/FormatFigures.h"
#include "screens/info/PlayerInfoWindow.h"
#include "screens/info/StatsCompareScreen.h"
#include "screens/match/LineupScreen.h"
#include "screens/match/TacticsScreen.h"
#include "screens/stadium/ClubOverviewScreen.h"
#include "screens/stadium/TransferScreen.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

namespace {

class FigureNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Tester"));
    }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }
    CStr Text(int id) { return kit.language.Get(id); }
    // The value beside a caption in a grid of caption and value columns; "<none>" without it.
    CStr ValueBeside(int grid, int captionColumn, const CStr& caption) {
        CGuiElement* g = Find(grid);
        for (int row = 0; g && row < g->GetRowCount(); ++row) {
            const GuiGridCell* label = g->FindCell(captionColumn, row);
            const GuiGridCell* value = g->FindCell(captionColumn + 1, row);
            if (label && value && label->text == caption)
                return value->text;
        }
        return CStr("<none>");
    }
    int RowWithData(int grid, int column, int32_t data) {
        CGuiElement* g = Find(grid);
        for (int row = 0; g && row < g->GetRowCount(); ++row)
            if (const GuiGridCell* cell = g->FindCell(column, row); cell && cell->data == data)
                return row;
        return -1;
    }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
};

} // namespace

TEST_F(FigureNamesTest, APlayersRatingReadsOneNumberUnderOneCaptionOnEveryScreen) {
    CLineupScreen lineup(ctx);
    lineup.Refresh();
    // The line-up's first starter, as the screen lists him.
    const GuiGridCell* first = Find(ID_LU_STARTERS)->FindCell(0, 0);
    ASSERT_NE(first, nullptr);
    const LineupRow& row = *lineup.Rows().at(static_cast<size_t>(first->data));
    CPlayer* player = kit.session.UserClub()->players.at(static_cast<size_t>(row.playerIndex));
    const CStr rating = CStr::Formatted("%d", static_cast<int>(CPlayer::ComputeOverall(player, false)));
    const CStr caption = Text(80071);

    // Line-up: the card and the list's last column.
    EXPECT_EQ(ValueBeside(ID_LU_CARD, 0, caption), rating);
    EXPECT_EQ(Find(ID_LU_STARTERS)->FindCell(18, 0)->text, rating);

    // Player information.
    CPlayerInfoWindow info(ctx);
    info.ShowPlayer(player);
    EXPECT_EQ(ValueBeside(ID_PI_PERSONAL, 0, caption), rating);

    // Tactics: the rating column of the court list.
    CTacticsScreen tactics(ctx);
    tactics.Refresh();
    auto* court = static_cast<CGuiGridControl*>(Find(ID_TA_COURT_GRID));
    EXPECT_EQ(court->HeaderText(5), caption);
    const int courtRow = RowWithData(ID_TA_COURT_GRID, 0, player->id);
    ASSERT_GE(courtRow, 0);
    EXPECT_EQ(court->FindCell(5, courtRow)->text, rating);

    // Transfers: the squad list and the squad card, also after the card has been shown.
    CTransferScreen transfers(ctx);
    transfers.Refresh();
    int squadRow = -1;
    CGuiElement* squad = Find(ID_TF_SQUAD);
    for (int r = 0; r < squad->GetRowCount(); ++r)
        if (squad->FindCell(1, r) && squad->FindCell(1, r)->text == player->name)
            squadRow = r;
    ASSERT_GE(squadRow, 0);
    EXPECT_EQ(squad->FindCell(3, squadRow)->text, rating);
    GuiMessage pick = Message(ID_TF_SQUAD, kMsgSelection, squadRow);
    transfers.OnMessage(pick);
    EXPECT_EQ(ValueBeside(ID_TF_SQUAD_SKILLS, 2, caption), rating);
    transfers.Refresh();
    EXPECT_EQ(Find(ID_TF_SQUAD)->FindCell(3, squadRow)->text, rating);
}

TEST_F(FigureNamesTest, MoraleAndTheShootingSkillsKeepOneNameOnEveryScreen) {
    CTacticsScreen tactics(ctx);
    tactics.Refresh();
    // The morale column of both tactics lists is named as the skill is on the line-up card.
    EXPECT_EQ(static_cast<CGuiGridControl*>(Find(ID_TA_COURT_GRID))->HeaderText(4), Text(70102));
    EXPECT_EQ(static_cast<CGuiGridControl*>(Find(ID_TA_BENCH_GRID))->HeaderText(3), Text(70102));
    // The match screens' box scores share the caption.
    EXPECT_EQ(Text(200221), Text(70102));

    CTransferScreen transfers(ctx);
    transfers.Refresh();
    GuiMessage pick = Message(ID_TF_SQUAD, kMsgSelection, 0);
    transfers.OnMessage(pick);
    CGuiElement* card = Find(ID_TF_SQUAD_SKILLS);
    ASSERT_NE(card->FindCell(2, 0), nullptr);
    EXPECT_EQ(card->FindCell(2, 0)->text, Text(70108));
    EXPECT_EQ(card->FindCell(2, 1)->text, Text(70109));
}

// The lost balls a player is booked with (bad passes, steals suffered, violations) go by one name:
// the overview's leaders and its comparison with the next opponent, the flat court's team figures
// and the player comparison's long captions say "Turnovers", its columns "TO".
TEST_F(FigureNamesTest, LostBallsGoByOneNameOnEveryScreen) {
    const CStr name = Text(80018);
    EXPECT_STREQ(name.GetText(), "Turnovers");

    CClubOverviewScreen overview(ctx);
    overview.Refresh();
    for (int grid : {ID_OV_LEADERS, ID_OV_COMPARE}) {
        // The six statistics' captions; the lost balls are the last.
        CGuiElement* g = Find(grid);
        ASSERT_NE(g, nullptr);
        ASSERT_NE(g->FindCell(0, 5), nullptr) << grid;
        EXPECT_EQ(g->FindCell(0, 5)->text, name) << grid;
    }
    // The match centre's row of the same field.
    EXPECT_EQ(Text(200241), name);

    CTextTable tooltips;
    ASSERT_TRUE(tooltips.Load("\\guifiles\\tooltips.txt"));
    CScreenContext tipped = kit.MakeContext();
    tipped.SetTooltips([&tooltips](int id) { return tooltips.Get(id); });
    CStatsCompareScreen compare(tipped);
    compare.Refresh();
    auto* grid = static_cast<CGuiGridControl*>(Find(ID_SC_LEFT_GRID));
    for (int category : {5, 7}) {
        Find(ID_SC_LEFT_CATEGORY)->SetSelection(category);
        GuiMessage pick = Message(ID_SC_LEFT_CATEGORY, kMsgSelection, category);
        compare.OnMessage(pick);
        // The column of the field and the one of it a game: "TO" and "TO/G", told in full.
        int shown = 0;
        for (int column = 3; column < 12; ++column) {
            const CStr caption = grid->HeaderText(column);
            if (caption.Find("TO") != 0)
                continue;
            ++shown;
            EXPECT_EQ(grid->HeaderTooltip(column).Find(name), 0) << caption.GetText();
        }
        EXPECT_EQ(shown, 2) << category;
    }
    // Every caption and tooltip that speaks of the field by another name is gone.
    for (int id : {80018, 200241, 200051, 200052, 200053, 200061})
        EXPECT_EQ(Text(id).Find("ass"), -1) << id;
}

TEST(FigureForms, TimesReadAsMinutesAndSecondsAndCountsAreGroupedByThousands) {
    EXPECT_STREQ(MinutesText(15.36).GetText(), "15:36");
    EXPECT_STREQ(MinutesText(0.05).GetText(), "0:05");
    EXPECT_STREQ(MinutesText(48.0).GetText(), "48:00");
    EXPECT_STREQ(MinutesText(15.3599999).GetText(), "15:36"); // a float's 15.36
    // A damaged figure still reads as a time.
    EXPECT_STREQ(MinutesText(-3.0).GetText(), "0:00");

    EXPECT_STREQ(GroupedCount(950).GetText(), "950");
    EXPECT_STREQ(GroupedCount(1000).GetText(), "1,000");
    EXPECT_STREQ(GroupedCount(15000).GetText(), "15,000");
    EXPECT_STREQ(GroupedCount(-1200).GetText(), "-1,200");
    EXPECT_STREQ(GroupedCount(INT64_MIN).GetText(), "-9,223,372,036,854,775,808");
}
