// The live statistics' pure parts: position codes, rounding and bands, the box score's rows, and
// the lines of a flat-court team.
#include "screens/match/MatchStatsView.h"

#include "gui/Grid.h"
#include "match2d/Match2DTeam.h"
#include "match3d/MatchTeam.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::unique_ptr<CGuiGridControl> BoxGrid() {
    auto grid = std::make_unique<CGuiGridControl>();
    grid->SetColumnCount(6);
    return grid;
}

CStr Label(int id) {
    return CStr::Formatted("<%d>", id);
}

} // namespace

TEST(MatchStatsView, PositionCodesRoundingAndBands) {
    EXPECT_STREQ(PositionAbbreviation(80063), "C");
    EXPECT_STREQ(PositionAbbreviation(80066), "PG");
    EXPECT_STREQ(PositionAbbreviation(80069), "F");
    EXPECT_STREQ(PositionAbbreviation(80062), "--");
    EXPECT_STREQ(PositionAbbreviation(80070), "--");
    EXPECT_EQ(RoundHalfAway(59.5f), 60);
    EXPECT_EQ(RoundHalfAway(59.4f), 59);
    EXPECT_EQ(RoundHalfAway(-0.5f), -1);
    EXPECT_EQ(StatBandColour(5.0f), matchstats::kRed);
    EXPECT_EQ(StatBandColour(59.6f), matchstats::kYellow);
    EXPECT_EQ(StatBandColour(60.0f), matchstats::kGreen);
}

TEST(MatchStatsView, ABoxScoreSplitsStartersAndBenchWithRoundedStamina) {
    CMatchTeam team;
    for (int i = 0; i < 12; ++i) {
        CCourtPlayer p;
        std::snprintf(p.name, sizeof p.name, "Player %d", i);
        p.positionId = 80063 + i % 8; // 80070 has no code
        p.stamina = 59.6f;
        p.attributes[0] = i == 0 ? 5 : 60;
        p.threePointersMade = 2;
        p.twoPointersMade = 3;
        p.freeThrowsMade = 1;
        p.foulsCharged = 2;
        p.foulsBooked = 1;
        team.AddPlayer(p);
    }
    auto starters = BoxGrid();
    auto bench = BoxGrid();
    FillBoxScore(starters.get(), bench.get(), StatLinesOf(team), false, Label);
    EXPECT_EQ(starters->GetRowCount(), 5);
    EXPECT_EQ(bench->GetRowCount(), 7);
    EXPECT_EQ(starters->CellCount(0), 5);
    EXPECT_STREQ(starters->FindCell(2, 0)->text.GetText(), "60");
    EXPECT_EQ(starters->CellTextColour(2, 0), matchstats::kYellow);
    EXPECT_EQ(starters->CellTextColour(3, 0), matchstats::kRed);
    EXPECT_EQ(starters->CellTextColour(3, 1), matchstats::kGreen);
    EXPECT_STREQ(starters->FindCell(4, 0)->text.GetText(), "13");
    EXPECT_STREQ(starters->FindCell(5, 0)->text.GetText(), "3"); // the fouls of the match
    EXPECT_STREQ(bench->FindCell(0, 0)->text.GetText(), "Player 5");
    EXPECT_STREQ(bench->FindCell(1, 2)->text.GetText(), "--"); // player 7
    EXPECT_EQ(bench->FindCell(0, 6)->data, 11);
    EXPECT_STREQ(starters->HeaderText(5).GetText(), "<200223>");
    EXPECT_TRUE(bench->HeaderText(0).IsEmpty());

    // A short side: no bench rows rather than a negative count; a missing grid fills nothing.
    CMatchTeam three;
    for (int i = 0; i < 3; ++i)
        three.AddPlayer(CCourtPlayer());
    FillBoxScore(starters.get(), bench.get(), StatLinesOf(three), true, Label);
    EXPECT_EQ(bench->GetRowCount(), 0);
    EXPECT_EQ(starters->CellCount(0), 3);
    EXPECT_STREQ(bench->HeaderText(0).GetText(), "<80035>");
    FillBoxScore(starters.get(), nullptr, StatLinesOf(team), true, Label);
    EXPECT_EQ(starters->CellCount(0), 3);
}

TEST(MatchStatsView, AFlatCourtPlayerCountsTwosThreesAndFreeThrows) {
    CMatch2DTeam team;
    auto* p = new CMatch2DPlayer;
    p->name = "Novak";
    p->energy = 42.5f;
    p->Counter(kStatFieldGoalsMade) = 4;
    p->Counter(kStatThreesMade) = 2;
    p->Counter(kStatFreeThrowsMade) = 3;
    p->attackFouls = 1;
    p->defenceFouls = 3;
    team.AddPlayer(p);
    const std::vector<MatchStatLine> lines = StatLinesOf(team);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, 17);
    EXPECT_EQ(lines[0].boxPoints, 17);
    EXPECT_EQ(lines[0].personalFouls, 4);
    EXPECT_STREQ(lines[0].name.GetText(), "Novak");

    auto panel = std::make_unique<CGuiGridControl>();
    panel->SetColumnCount(2);
    FillLivePanel(panel.get(), &lines[0], Label);
    EXPECT_STREQ(panel->FindCell(1, 1)->text.GetText(), "43");
    EXPECT_STREQ(panel->FindCell(1, 3)->text.GetText(), "17");
    FillLivePanel(panel.get(), nullptr, Label);
    EXPECT_EQ(panel->CellCount(0), 0);
    EXPECT_EQ(panel->GetRowCount(), 5);
}

TEST(MatchStatsView, TheBoxScoreMarksWhoMayNotPlayOnInEitherEngine) {
    CMatchTeam team;
    for (int i = 0; i < 7; ++i) {
        CCourtPlayer p;
        std::snprintf(p.name, sizeof p.name, "Player %d", i);
        team.AddPlayer(p);
    }
    team.GetPlayer(5)->injured = 1;
    team.GetPlayer(6)->foulsCharged = 6;
    auto starters = BoxGrid();
    auto bench = BoxGrid();
    FillBoxScore(starters.get(), bench.get(), StatLinesOf(team), false, Label);
    EXPECT_STREQ(bench->FindCell(0, 0)->text.GetText(), "Player 5<100356>");
    EXPECT_STREQ(bench->FindCell(0, 1)->text.GetText(), "Player 6<100357>");
    EXPECT_EQ(bench->CellTextColour(0, 1), matchstats::kRed);
    EXPECT_STREQ(bench->FindCell(5, 1)->text.GetText(), "6");
    EXPECT_STREQ(starters->FindCell(0, 0)->text.GetText(), "Player 0");
    // The live panel of a hurt player says so too.
    auto panel = BoxGrid();
    const MatchStatLine hurtLine = StatLineOf(*team.GetPlayer(5));
    FillLivePanel(panel.get(), &hurtLine, Label);
    EXPECT_STREQ(panel->FindCell(0, 0)->text.GetText(), "Player 5<100356>");

    // A flat-court side: the leave flag marks the hurt, six fouls in all the fouled out.
    CMatch2DPlayer hurt;
    hurt.name = "Hurt";
    hurt.mustLeave = 1;
    CMatch2DPlayer fouled;
    fouled.name = "Fouled";
    fouled.attackFouls = 1;
    fouled.defenceFouls = 5;
    EXPECT_TRUE(StatLineOf(hurt).injured);
    EXPECT_TRUE(StatLineOf(fouled).fouledOut);
    EXPECT_FALSE(StatLineOf(fouled).injured);
}
