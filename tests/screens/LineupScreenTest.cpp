// The line-up screen on the shipped layout: putting players in and out, the position of the next
// starter, injured players and a squad longer than the list.
#include "screens/match/LineupScreen.h"

#include "database/MemoryDB.h"
#include "gui/Grid.h"
#include "guidefines.h"
#include "match/Formation.h"
#include "screens/match/TacticsScreen.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

using namespace screentest;

namespace {

// Selects a row of one of the two lists the way a click does.
void Pick(CLineupScreen& screen, int grid, int row) {
    GuiMessage m{grid, -1, kMsgSelection, row, 0, 0};
    screen.OnMessage(m);
    EXPECT_EQ(m.sID, -1);
}

void Click(CLineupScreen& screen, int button) {
    GuiMessage m{button, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(m);
    EXPECT_EQ(m.sID, -1);
}

// The row that names the player, with or without the word that marks him hurt.
int RowOfName(CGuiElement* grid, const CStr& name) {
    for (int r = 0; r < grid->GetRowCount(); ++r)
        if (const GuiGridCell* cell = grid->FindCell(0, r);
            cell && (cell->text.Equals(name) || cell->text.Equals(name + "<100356>")))
            return r;
    return -1;
}

} // namespace

TEST(LineupPositions, TheNextStarterTakesTheFirstFreeSlot) {
    EXPECT_EQ(NextStarterPosition({"C", "PF", "PG", "SG"}), kPositionSmallForward);
    // Two centres mark one slot; guards and forwards without a slot mark none.
    EXPECT_EQ(NextStarterPosition({"C", "C", "G", "F"}), kPositionPowerForward);
    EXPECT_EQ(NextStarterPosition({"--"}), kPositionCentre);
    EXPECT_EQ(NextStarterPosition({"C", "PF", "SF", "PG", "SG"}), 0);
    EXPECT_STREQ(PositionCode(80069).GetText(), "F");
    EXPECT_STREQ(PositionCode(80070).GetText(), "--");
}

TEST(LineupScreen, WithStartersCPfPgSgTheNextPlayerPutInPlaysSf) {
    MatchScreenRig rig(12, 0);
    CTeam* club = rig.Club();
    // Starters C, PF, PG, SG; the squad's first player is a centre by trade.
    const int32_t starters[4] = {kPositionCentre, kPositionPowerForward, kPositionPointGuard,
                                 kPositionShootingGuard};
    for (int i = 0; i < 4; ++i) {
        club->players[static_cast<size_t>(i)]->words[kWordPosition] = starters[i];
        club->players[static_cast<size_t>(i)]->words[kWordMatchState] = kOnCourt;
    }
    CPlayer* newcomer = club->players[4];
    newcomer->words[kWordPosition] = kPositionCentre;
    newcomer->words[kWordPlayedPosition] = kPositionCentre;
    for (CPlayer* p : club->players)
        if (p != newcomer && p->words[kWordMatchState] != kOnCourt)
            for (int s = 1; s <= 16; ++s)
                p->SkillValue(s) = 10; // everybody else sorts before him by total
    CLineupScreen screen(rig.ctx);
    CTacticsScreen tactics(rig.ctx);
    rig.screens[ScreenRole::Tactics] = &tactics;
    screen.Refresh();
    CGuiElement* squad = rig.stack.FindElement(ID_LU_SQUAD);
    ASSERT_EQ(squad->GetRowCount(), 8);
    const int row = RowOfName(squad, newcomer->name);
    ASSERT_GE(row, 0);
    Pick(screen, ID_LU_SQUAD, row);
    Click(screen, ID_LU_PUTIN);
    EXPECT_EQ(newcomer->words[kWordMatchState], kOnCourt);
    EXPECT_EQ(newcomer->words[kWordPlayedPosition], kPositionSmallForward);
    EXPECT_EQ(rig.stack.FindElement(ID_LU_STARTERS)->GetRowCount(), 5);
    // The tactics screen shows the new five at once.
    EXPECT_EQ(static_cast<CGuiGridControl*>(rig.stack.FindElement(ID_TA_COURT_GRID))->CellCount(0), 5);

    // A sixth starter is refused while five are shown, and the refusal says why.
    Pick(screen, ID_LU_SQUAD, 0);
    CGuiElement* firstSquad = squad;
    const CStr name = firstSquad->FindCell(0, 0)->text;
    Click(screen, ID_LU_PUTIN);
    EXPECT_EQ(rig.stack.FindElement(ID_LU_STARTERS)->GetRowCount(), 5);
    EXPECT_EQ(RowOfName(squad, name), 0);
    auto pending = rig.stack.PendingMessages();
    ASSERT_FALSE(pending.empty());
    EXPECT_EQ(pending.back().cID, ID_MATCH_POPUP);
    EXPECT_EQ(pending.back().MSG, kMsgOpenOnTop);
    EXPECT_STREQ(rig.stack.FindElement(ID_MATCH_POPUP_TEXT)->GetText().GetText(), "<302062>");

    // Taking him out keeps his played position.
    const int starterRow = RowOfName(rig.stack.FindElement(ID_LU_STARTERS), newcomer->name);
    Pick(screen, ID_LU_STARTERS, starterRow);
    Click(screen, ID_LU_TAKEOUT);
    EXPECT_EQ(newcomer->words[kWordMatchState], kOnBench);
    EXPECT_EQ(newcomer->words[kWordPlayedPosition], kPositionSmallForward);
}

TEST(LineupScreen, AnInjuredStarterIsBenchedByTheNextRefreshAndCannotBePutIn) {
    MatchScreenRig rig(12, 5);
    CTeam* club = rig.Club();
    CPlayer* hurt = club->players[2];
    CLineupScreen screen(rig.ctx);
    screen.Refresh();
    EXPECT_EQ(rig.stack.FindElement(ID_LU_STARTERS)->GetRowCount(), 5);
    hurt->words[kWordInjured] = 1;
    screen.Refresh();
    EXPECT_EQ(hurt->words[kWordMatchState], kOnBench);
    EXPECT_EQ(rig.stack.FindElement(ID_LU_STARTERS)->GetRowCount(), 4);
    // Grouped last: starters, fit players, then the injured.
    EXPECT_TRUE(screen.Rows().back()->name.Equals(hurt->name));
    auto* squad = static_cast<CGuiGridControl*>(rig.stack.FindElement(ID_LU_SQUAD));
    const int row = RowOfName(squad, hurt->name);
    ASSERT_GE(row, 0);
    EXPECT_EQ(squad->CellTextColour(0, row), CLineupScreen::kInjuredColour);
    EXPECT_TRUE(squad->FindCell(0, row)->text.Equals(hurt->name + "<100356>"));

    Pick(screen, ID_LU_SQUAD, row);
    Click(screen, ID_LU_PUTIN);
    EXPECT_EQ(hurt->words[kWordMatchState], kOnBench);
    auto pending = rig.stack.PendingMessages();
    ASSERT_FALSE(pending.empty());
    EXPECT_EQ(pending.back().cID, ID_MATCH_POPUP);
    EXPECT_EQ(pending.back().MSG, kMsgOpenOnTop);
    EXPECT_STREQ(rig.stack.FindElement(ID_MATCH_POPUP_TEXT)->GetText().GetText(), "<100162>");
}

TEST(LineupScreen, SeventeenPlayersAreAllListedAndTheSquadListScrolls) {
    MatchScreenRig rig(17, 5);
    CLineupScreen screen(rig.ctx);
    screen.Refresh();
    auto* squad = static_cast<CGuiGridControl*>(rig.stack.FindElement(ID_LU_SQUAD));
    EXPECT_EQ(squad->GetRowCount(), 12);
    EXPECT_EQ(squad->CellCount(0), 12);
    EXPECT_LT(squad->VisibleRows(), 12);
    EXPECT_GT(squad->ScrollMax(), 0);
    squad->ScrollTo(squad->ScrollMax());
    EXPECT_EQ(squad->ScrollPos() + squad->VisibleRows(), 12);
    // The squad list is ordered by the text of the total, starters by position code.
    auto* starters = static_cast<CGuiGridControl*>(rig.stack.FindElement(ID_LU_STARTERS));
    EXPECT_STREQ(starters->FindCell(1, 0)->text.GetText(), "C");
    EXPECT_STREQ(starters->FindCell(1, 4)->text.GetText(), "SG");
}

TEST(LineupScreen, MessagesBeforeTheFirstRefreshOrAfterTheSquadShrankChangeNothing) {
    MatchScreenRig rig(12, 4);
    CLineupScreen screen(rig.ctx);
    // No rows yet: the starting selection must not read a row that is not there.
    Click(screen, ID_LU_PUTIN);
    Click(screen, ID_LU_TAKEOUT);
    EXPECT_EQ(rig.Club()->players[0]->words[kWordMatchState], kOnCourt);

    screen.Refresh();
    Pick(screen, ID_LU_SQUAD, 7);
    EXPECT_GE(screen.SelectedRecord(1), 0);
    // The club sells most of its squad; the old selection points past the rows.
    CTeam* club = rig.Club();
    club->players.resize(4);
    screen.Refresh();
    EXPECT_EQ(screen.SelectedRecord(1), -1);
    Click(screen, ID_LU_PUTIN);
    EXPECT_EQ(rig.stack.FindElement(ID_LU_STARTERS)->GetRowCount(), 4);
}

TEST(LineupScreen, CardAndMatchTablesOfThePickedPlayer) {
    MatchScreenRig rig(12, 5);
    CTeam* club = rig.Club();
    CPlayer* player = club->players[0];
    player->words[kWordHeight] = 201;
    CPlayerStat older;
    older.Field(2) = 2007;
    older.Field(3) = 9;
    older.Field(4) = 1;
    older.Field(5) = 1800;
    older.Field(10) = 30;
    older.Field(14) = 10;
    older.Field(15) = 5;
    CPlayerStat newer = older;
    newer.Field(4) = 8;
    newer.Field(5) = 2400;
    newer.Field(10) = 12;
    newer.Field(14) = 0;
    newer.Field(15) = 0;
    player->stats = {&older, &newer};
    CPlayer* blank = club->players[1];
    CLineupScreen screen(rig.ctx);
    bool infoShown = false;
    screen.SetPlayerInfoHook([&](CPlayer* p) { infoShown = p == player || infoShown; });
    screen.Refresh();
    auto* starters = rig.stack.FindElement(ID_LU_STARTERS);
    Pick(screen, ID_LU_STARTERS, RowOfName(starters, player->name));
    EXPECT_TRUE(infoShown);
    auto* card = rig.stack.FindElement(ID_LU_CARD);
    EXPECT_STREQ(card->FindCell(1, 2)->text.GetText(), "201 cm");
    auto* bests = rig.stack.FindElement(ID_LU_BESTS);
    EXPECT_STREQ(bests->FindCell(1, 0)->text.GetText(), "30");     // points
    EXPECT_STREQ(bests->FindCell(1, 13)->text.GetText(), "40:00"); // minutes
    auto* last = rig.stack.FindElement(ID_LU_LAST);
    EXPECT_STREQ(last->FindCell(1, 0)->text.GetText(), "08.09.2007"); // newest first
    EXPECT_STREQ(last->FindCell(2, 0)->text.GetText(), "01.09.2007");
    EXPECT_STREQ(last->FindCell(3, 0)->text.GetText(), "<80089>");
    EXPECT_STREQ(last->FindCell(1, 5)->text.GetText(), "0.00"); // two-point % without attempts
    EXPECT_STREQ(last->FindCell(2, 5)->text.GetText(), "50.00");
    EXPECT_STREQ(last->FindCell(3, 5)->text.GetText(), "");
    player->stats.clear();

    Pick(screen, ID_LU_STARTERS, RowOfName(starters, blank->name));
    EXPECT_STREQ(bests->FindCell(1, 0)->text.GetText(), "0");
    EXPECT_STREQ(last->FindCell(1, 0)->text.GetText(), "<80089>");
}

// A swap on the tactics screen before a match: the line-up lists the new five at once, and
// "Take out" on a listed starter benches that very player.
TEST(LineupScreen, ATacticsSwapShowsTheNewFiveAndTakeOutBenchesThePlayerShown) {
    MatchScreenRig rig;
    CLineupScreen lineup(rig.ctx);
    CTacticsScreen tactics(rig.ctx);
    rig.screens[ScreenRole::Lineup] = &lineup;
    rig.screens[ScreenRole::Tactics] = &tactics;
    lineup.Refresh();
    tactics.Refresh();
    CTeam* club = rig.Club();
    CPlayer* starter = club->players[0];
    CPlayer* sub = club->players[5];
    ASSERT_EQ(tactics.selectedStarterId, starter->id);
    ASSERT_EQ(tactics.selectedBenchId, sub->id);
    GuiMessage swap{ID_TA_SWAP, -1, kMsgClick, 0, 0, 0};
    tactics.OnMessage(swap);

    CGuiElement* starters = rig.stack.FindElement(ID_LU_STARTERS);
    EXPECT_EQ(RowOfName(starters, starter->name), -1);
    const int row = RowOfName(starters, sub->name);
    ASSERT_GE(row, 0);
    Pick(lineup, ID_LU_STARTERS, row);
    Click(lineup, ID_LU_TAKEOUT);
    EXPECT_EQ(sub->words[kWordMatchState], kOnBench);
    EXPECT_EQ(RowOfName(starters, sub->name), -1);
    EXPECT_EQ(starters->GetRowCount(), 4);
    // The tactics' court list agrees: the four others still start.
    CGuiElement* court = rig.stack.FindElement(ID_TA_COURT_GRID);
    for (int r = 0; r < court->GetRowCount(); ++r) {
        const GuiGridCell* cell = court->FindCell(0, r);
        EXPECT_TRUE(cell == nullptr || cell->data != sub->id) << r;
    }
    for (size_t i = 1; i < 5; ++i)
        EXPECT_EQ(club->players[i]->words[kWordMatchState], kOnCourt) << i;
}
