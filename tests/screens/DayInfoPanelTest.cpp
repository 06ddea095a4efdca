// The match-day side panel: its rows, the user's highlighted fixture, the nine leader rows and the
// caption, filled from the day's results.
#include "screens/info/DayInfoPanel.h"
#include "career/MatchDay.h"

#include <gtest/gtest.h>

namespace {

CStr Text(int id) {
    return CStr::Formatted("<%d>", id);
}

DayResultItem Result(const char* home, const char* score, const char* away) {
    return DayResultItem{{"H-land", home, score, away, "A-land"}};
}

DayPanelHeader Header(const char* club) {
    DayPanelHeader header;
    header.careerOpen = true;
    header.club = club;
    header.league = "First League";
    header.cash = -1250000;
    header.date = "09.09.2007";
    header.seasonStart = 2007;
    header.seasonEnd = 2008;
    return header;
}

} // namespace

TEST(DayInfoPanel, UsersFixtureIsHighlightedByExactName) {
    DayBoard board;
    board.results = {Result("Lions", "80-75", "Bears"), Result("Bears", "60-70", "Lions"),
                     Result("Lionsgate", "90-88", "Wolves")};
    CDayInfoPanel panel(
        nullptr, Text, [] { return Header("Lions"); }, [&board] { return &board; });
    panel.Refresh();
    const DayPanelView& view = panel.LastView();
    ASSERT_EQ(view.resultRows.size(), 3u);
    EXPECT_EQ(view.resultColours[0], DayPanelView::kUserRow);
    EXPECT_EQ(view.resultColours[1], DayPanelView::kUserRow);
    EXPECT_EQ(view.resultColours[2], DayPanelView::kWhite);
    EXPECT_STREQ(view.resultRows[1][2].GetText(), "60-70");
    EXPECT_STREQ(view.caption.GetText(),
                 "<300200> / First League / Lions / $ -1,250,000 / 09.09.2007 / 2007-2008 <80030>");
    EXPECT_STREQ(panel.DateText().GetText(), "09.09.2007");
}

TEST(DayInfoPanel, RefreshRebuildsFromTheBoardAndClearEmptiesIt) {
    DayBoard board;
    board.results = {Result("Lions", "80-75", "Bears")};
    CDayInfoPanel panel(
        nullptr, Text, [] { return Header("Lions"); }, [&board] { return &board; });
    panel.Refresh();
    // Every refresh rebuilds the rows from the board.
    board.leaders.clear();
    panel.Refresh();
    EXPECT_EQ(panel.LastView().resultRows.size(), 1u);
    // A day without fixtures shows none: no earlier day's rows under today's date.
    board.Clear();
    panel.Refresh();
    EXPECT_TRUE(panel.LastView().resultRows.empty());
    EXPECT_TRUE(panel.Results().empty());
    panel.Clear();
    panel.Refresh();
    EXPECT_TRUE(panel.LastView().resultRows.empty());
    // The leaders' titles stand without names (a career just loaded has named nobody yet).
    ASSERT_EQ(panel.LastView().leaderRows.size(), 9u);
    EXPECT_STREQ(panel.LastView().leaderRows[0][0].GetText(), "<100075>");
    EXPECT_TRUE(panel.LastView().leaderRows[0][1].IsEmpty());
    // A tournament starts and ends in one year: its season is that year, not "2007-2007".
    CDayInfoPanel tournament(nullptr, Text, [] {
        DayPanelHeader header = Header("Lions");
        header.seasonEnd = header.seasonStart;
        return header;
    });
    tournament.Refresh();
    EXPECT_STREQ(tournament.LastView().caption.GetText(),
                 "<300200> / First League / Lions / $ -1,250,000 / 09.09.2007 / 2007 <80030>");
    // Without a career the caption stays empty rather than naming nothing.
    CDayInfoPanel noCareer(nullptr, Text, [] { return DayPanelHeader(); });
    noCareer.Refresh();
    EXPECT_TRUE(noCareer.LastView().caption.IsEmpty());
}

TEST(DayLeaders, NineRowsInTheirOrderWithTheDaysBestClubLast) {
    CDayResults results;
    auto line = [&](const char* player, const char* team, int kind, int value) {
        results.AddReportLine(MatchDayEntry{player, team, kind, value, 10, 5});
    };
    line("Ace", "Lions", kLineTwoPoint, 2);
    line("Ace", "Lions", kLineClose, 2); // field goals of kinds 1 and 3 share a list
    line("Bo", "Bears", kLineThreePoint, 3);
    line("Cy", "Lions", kLineFreeThrow, 2);
    line("Dee", "Bears", kLineAssist, 1); // a quick match's event counts one
    line("Dee", "Bears", kLineAssist, 1);
    line("Eli", "Lions", kLineRebound, 1);
    line("Fay", "Bears", kLineDefence, 1);
    line("Gus", "Lions", kLineSteal, 1);
    line("Ace", "Other", kLineTwoPoint, 2); // same name, other team: its own entry
    line("Nobody", "X", 8, 5);              // kinds above 7 are dropped
    results.OfferTopScore("Lions", 88);
    results.OfferTopScore("Bears", 80);
    results.AddIncident(MatchDayIncident{"Eli", "Lions", 7, 3});

    ASSERT_EQ(results.List(CDayResults::kFieldGoals).size(), 2u);
    EXPECT_EQ(results.List(CDayResults::kFieldGoals)[0].value, 4);
    EXPECT_EQ(results.List(CDayResults::kAssists)[0].value, 2);

    DayBoard board;
    CDayInfoPanel panel(nullptr, Text, {}, [&board] { return &board; });
    FillDayLeaders(results, board);
    panel.Refresh();
    ASSERT_EQ(panel.Leaders().size(), 9u);
    const char* expected[9][2] = {{"Ace", "Lions"}, {"Dee", "Bears"}, {"Eli", "Lions"},
                                  {"Fay", "Bears"}, {"Gus", "Lions"}, {"Ace", "Lions"},
                                  {"Bo", "Bears"},  {"Cy", "Lions"},  {"Lions", ""}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_STREQ(panel.Leaders()[i].texts[0].GetText(), expected[i][0]) << i;
        EXPECT_STREQ(panel.Leaders()[i].texts[1].GetText(), expected[i][1]) << i;
    }
    ASSERT_EQ(panel.Events().size(), 1u);
    EXPECT_STREQ(panel.Events()[0].texts[2].GetText(), "07:03");
    EXPECT_STREQ(panel.LastView().leaderRows[8][0].GetText(), "<100083>");

    // Bo's second three: six points beat Ace's four.
    line("Bo", "Bears", kLineThreePoint, 3);
    EXPECT_STREQ(results.Leaders()[0][0].GetText(), "Bo");

    // Rebuilding after the user's match replaces the rows instead of adding nine more.
    BuildKickOffTimes(results, board);
    EXPECT_EQ(board.leaders.size(), 9u);
    EXPECT_EQ(board.events.size(), 1u);

    results.Clear();
    EXPECT_TRUE(results.IsEmpty());
    EXPECT_EQ(results.TopScore(), -1);
    DayBoard empty;
    FillDayLeaders(results, empty);
    EXPECT_TRUE(empty.leaders[0].texts[0].IsEmpty());
}

// Each leader has the most of his figure over the day's matches: the top scorer counts every kind of
// point, and a played match's line (a player's total) weighs against a quick match's events one by
// one.
TEST(DayLeaders, EachLeaderHasTheMostOfHisFigureOverTheDay) {
    CDayResults results;
    auto line = [&](const char* player, const char* team, int kind, int value) {
        results.AddReportLine(MatchDayEntry{player, team, kind, value, 10, 5});
    };
    // The user's match: each player's totals in one line per kind.
    line("Luca Varga", "Gulls", kLineTwoPoint, 24);
    line("Luca Varga", "Gulls", kLineFreeThrow, 1);
    line("Bellamy", "Owls", kLineTwoPoint, 20);
    line("Bellamy", "Owls", kLineThreePoint, 12);
    line("Rook", "Owls", kLineRebound, 2);
    line("Rook", "Owls", kLineDefence, 2);
    // A quick match: one line per event.
    for (int i = 0; i < 3; ++i) {
        line("Hale", "Stags", kLineRebound, 1);
        line("Hale", "Stags", kLineDefence, 1);
    }

    DayBoard board;
    CDayInfoPanel panel(nullptr, Text, {}, [&board] { return &board; });
    FillDayLeaders(results, board);
    panel.Refresh();
    ASSERT_EQ(panel.Leaders().size(), 9u);
    EXPECT_STREQ(panel.Leaders()[0].texts[0].GetText(), "Bellamy") << "32 points against 25";
    EXPECT_STREQ(panel.Leaders()[2].texts[0].GetText(), "Hale") << "three rebounds against two";
    EXPECT_STREQ(panel.Leaders()[3].texts[0].GetText(), "Hale") << "three balls won against two";
    EXPECT_STREQ(panel.Leaders()[5].texts[0].GetText(), "Bellamy") << "14 field goals (4 threes) against 12";
    EXPECT_STREQ(panel.Leaders()[6].texts[0].GetText(), "Bellamy");
    ASSERT_EQ(results.List(CDayResults::kRebounds).size(), 2u);
    EXPECT_EQ(results.List(CDayResults::kRebounds)[1].value, 3);
}

// "Most field goals" counts baskets of every kind: twos, close shots and threes. A player with 10
// twos was named over one with 15 field goals, 5 of them threes. A tie goes to more points.
TEST(DayLeaders, MostFieldGoalsCountsTwosCloseShotsAndThreesAsBaskets) {
    CDayResults results;
    auto line = [&](const char* player, const char* team, int kind, int value) {
        results.AddReportLine(MatchDayEntry{player, team, kind, value, 10, 5});
    };
    line("Twos", "Lions", kLineTwoPoint, 20);    // 10 baskets
    line("Mixed", "Bears", kLineTwoPoint, 16);   // 8
    line("Mixed", "Bears", kLineClose, 4);       // 2
    line("Mixed", "Bears", kLineThreePoint, 15); // 5: 15 field goals
    EXPECT_STREQ(results.Leaders()[5][0].GetText(), "Mixed");

    // 15 each: the one with more points (free throws too) leads.
    CDayResults tie;
    auto tied = [&](const char* player, int kind, int value) {
        tie.AddReportLine(MatchDayEntry{player, "Owls", kind, value, 10, 5});
    };
    tied("Early", kLineTwoPoint, 30);  // 15 twos: 30 points
    tied("Late", kLineTwoPoint, 20);   // 10 twos
    tied("Late", kLineThreePoint, 15); // 5 threes: 15 baskets, 35 points
    EXPECT_STREQ(tie.Leaders()[5][0].GetText(), "Late");
    tied("Early", kLineFreeThrow, 6); // 36 points now
    EXPECT_STREQ(tie.Leaders()[5][0].GetText(), "Early");
}
