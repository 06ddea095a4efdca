// The day's report lists: one entry per player and club, each line added to it, in the order the
// players first came up, however many players a day brings.
#include "career/MatchDay.h"

#include <gtest/gtest.h>

namespace {

CStr PlayerName(int i) {
    return CStr::Formatted("Player %d", i);
}

// A day of many matches: more players than the lists' first look-up table holds, lines in two
// rounds, the second round's from other owners and without hints.
TEST(DayResults, EveryPlayerKeepsOneEntryWhateverTheDayHolds) {
    CDayResults results;
    constexpr int kPlayers = 300;
    std::vector<CDayResults::EntryHints> hints(kPlayers, CDayResults::EntryHints{-1, -1, -1, -1, -1, -1, -1});
    std::vector<int> owners(kPlayers);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < kPlayers; ++i) {
            const CStr team = CStr::Formatted("Club %d", i % 20);
            results.AddReportLine(PlayerName(i), team, kLineRebound, 1, 10, i % 60, &hints[i], &owners[i]);
            results.AddReportLine(PlayerName(i), team, kLineRebound, 2, 11, i % 60, &hints[i], &owners[i]);
            results.AddReportLine(MatchDayEntry{PlayerName(i), team, kLineRebound, 3, 12, 0});
        }
    }
    // The same name at another club is another entry.
    results.AddReportLine(PlayerName(0), CStr("Elsewhere"), kLineRebound, 7, 1, 1);

    const std::vector<MatchDayEntry>& list = results.List(CDayResults::kRebounds);
    ASSERT_EQ(list.size(), static_cast<size_t>(kPlayers + 1));
    for (int i = 0; i < kPlayers; ++i) {
        EXPECT_TRUE(list[static_cast<size_t>(i)].playerName.Equals(PlayerName(i))) << i;
        EXPECT_EQ(list[static_cast<size_t>(i)].value, 12) << i;
        EXPECT_EQ(list[static_cast<size_t>(i)].minute, 10) << i; // the first line's time stays
    }
    EXPECT_EQ(list.back().value, 7);
    EXPECT_TRUE(list.back().teamName.Equals("Elsewhere"));

    // A cleared day starts its lists afresh.
    results.Clear();
    EXPECT_TRUE(results.IsEmpty());
    results.AddReportLine(PlayerName(5), CStr("Club 5"), kLineRebound, 1, 0, 0);
    results.AddReportLine(PlayerName(5), CStr("Club 5"), kLineRebound, 1, 0, 0);
    ASSERT_EQ(results.List(CDayResults::kRebounds).size(), 1u);
    EXPECT_EQ(results.List(CDayResults::kRebounds)[0].value, 2);
}

// Two players of one club may share a name: each keeps his own entries and his own points among the
// leaders. A line without its player's record can only be told by names and joins the first entry.
TEST(DayResults, TeammatesOfOneNameKeepTheirOwnEntries) {
    CDayResults results;
    int first = 0, second = 0, third = 0;
    const CStr twin("Sam Lee"), club("Owls");
    results.AddReportLine(twin, club, kLineTwoPoint, 10, 3, 0, nullptr, &first);
    results.AddReportLine(twin, club, kLineFreeThrow, 8, 5, 0, nullptr, &second);
    results.AddReportLine(twin, club, kLineFreeThrow, 1, 6, 0, nullptr, &first);
    results.AddReportLine(CStr("Ada Park"), club, kLineTwoPoint, 15, 7, 0, nullptr, &third);
    results.AddReportLine(twin, club, kLineRebound, 2, 8, 0, nullptr, &first);
    results.AddReportLine(twin, club, kLineRebound, 3, 9, 0, nullptr, &second);
    results.AddReportLine(MatchDayEntry{twin, club, kLineRebound, 4, 10, 0});

    const std::vector<MatchDayEntry>& freeThrows = results.List(CDayResults::kFreeThrows);
    ASSERT_EQ(freeThrows.size(), 2u);
    EXPECT_EQ(freeThrows[0].value, 8);
    EXPECT_EQ(freeThrows[0].owner, &second);
    EXPECT_EQ(freeThrows[1].value, 1);
    const std::vector<MatchDayEntry>& rebounds = results.List(CDayResults::kRebounds);
    ASSERT_EQ(rebounds.size(), 2u);
    EXPECT_EQ(rebounds[0].value, 2 + 4);
    EXPECT_EQ(rebounds[1].value, 3);

    // Neither twin has the 18 points they have together: the top scorer is the one with 15.
    const auto leaders = results.Leaders();
    EXPECT_TRUE(leaders[0][0].Equals("Ada Park")) << leaders[0][0].GetText();
    EXPECT_TRUE(leaders[2][0].Equals("Sam Lee"));
}

} // namespace
