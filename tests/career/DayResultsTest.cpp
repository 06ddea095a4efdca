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

} // namespace
