// The user's club beside its rivals on the player comparison after twenty match days at fast
// simulation: his matches are played on the flat court, every other fixture by a quick result, and
// the figures a player adds up for a club there (points, turnovers, steals a game) must read on one
// scale whichever engine played the club.
#include "career/CareerSession.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"
#include "screens/info/StatsCompareScreen.h"

#include "GameKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

class ClubComparisonGame : public GameFolderTest {};

namespace {

// A club's sums as its players' sheets show them, and its games: the most any of its players has.
struct ClubSums {
    std::string league;
    long games = 0;
    long points = 0, turnovers = 0, steals = 0;
};

long Count(const StatSheet& sheet, int row, int cell) {
    return std::atol(sheet.rows[static_cast<size_t>(row)][static_cast<size_t>(cell)].GetText());
}

std::map<std::string, ClubSums> SumClubs(const CStatsCompareScreen& screen) {
    constexpr int kTotalsRow = 10; // games, points, ...
    constexpr int kStealsRow = 7;  // games, time, steals, steals a game, turnovers, ...
    std::map<std::string, ClubSums> clubs;
    for (const auto& sheet : screen.Sheets()) {
        ClubSums& club = clubs[sheet->teamName.Std()];
        club.league = sheet->leagueName.Std();
        club.games = std::max(club.games, Count(*sheet, kTotalsRow, 0));
        club.points += Count(*sheet, kTotalsRow, 1);
        club.steals += Count(*sheet, kStealsRow, 2);
        club.turnovers += Count(*sheet, kStealsRow, 4);
    }
    return clubs;
}

} // namespace

TEST_F(ClubComparisonGame, AfterTwentyMatchDaysTheUsersClubReadsLikeItsRivals) {
    GameSrand(1);
    gamekit::Game game;
    GameOptions options = gamekit::Without3D();
    options.enableFastSimulation = true;
    ASSERT_TRUE(game.Start(gamekit::Screens::AfterCareer, options));
    CGameManager& gm = game.gm;
    ASSERT_EQ(game.Session().resultOnly.load(), 1) << "the user's matches are played at once";
    for (int day = 0; day < 20; ++day)
        ASSERT_TRUE(game.RunDay()) << "match day " << day + 1;
    ASSERT_EQ(game.Session().matchMode.load(), 0) << "no match was left waiting for the match centre";

    auto* compare = dynamic_cast<CStatsCompareScreen*>(gm.Screen(ScreenRole::StatsCompare));
    ASSERT_NE(compare, nullptr);
    gm.RefreshAllScreens();
    const std::map<std::string, ClubSums> clubs = SumClubs(*compare);
    const std::string userName = game.Session().careerDB->teams.At(0)->name.Std();
    ASSERT_TRUE(clubs.count(userName));
    const ClubSums& user = clubs.at(userName);
    ASSERT_GE(user.games, 10) << "the user's club played its matches";

    // The rivals' mean of each figure a game, over the other clubs of the user's league.
    struct Figure {
        const char* name;
        long ClubSums::*sum;
    };
    const Figure figures[] = {
        {"points", &ClubSums::points}, {"turnovers", &ClubSums::turnovers}, {"steals", &ClubSums::steals}};
    int rivals = 0;
    for (const auto& [name, club] : clubs)
        rivals += name != userName && club.league == user.league && club.games > 0 ? 1 : 0;
    ASSERT_GE(rivals, 5);
    for (const Figure& figure : figures) {
        double rivalsMean = 0.0;
        for (const auto& [name, club] : clubs)
            if (name != userName && club.league == user.league && club.games > 0)
                rivalsMean +=
                    static_cast<double>(club.*figure.sum) / static_cast<double>(club.games) / rivals;
        const double own = static_cast<double>(user.*figure.sum) / static_cast<double>(user.games);
        EXPECT_GT(rivalsMean, 0.0) << figure.name;
        EXPECT_NEAR(own, rivalsMean, 0.25 * rivalsMean)
            << figure.name << " a game: " << userName << " against the mean of its " << rivals << " rivals";
    }
}
