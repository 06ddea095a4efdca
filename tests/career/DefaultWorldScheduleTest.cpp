// The schedules built from the generated data sets the game ships with.
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "engine/GameRand.h"

#include <gtest/gtest.h>

TEST(DefaultWorldSchedule, EveryLeagueOfTheBaseSetPlaysHomeAndAway) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, 10, CStr("Tester")));
    const CLeague* clubLeague = career.leagues.At(0);
    ASSERT_NE(clubLeague, nullptr);
    GameSrand(2);
    CFixtureList fixtures;
    ASSERT_TRUE(BuildLeagueFixtures(fixtures, clubLeague, &world, 2007, ScheduleSettings{}));

    int expected = 0;
    for (const CLeague* league : world.leagues) {
        if (league->type != clubLeague->type)
            continue;
        int clubs = static_cast<int>(league->teams.size());
        expected += clubs * (clubs - 1);
        EXPECT_EQ(static_cast<int>(fixtures.Select(-1, league->id).size()), clubs * (clubs - 1))
            << league->id;
    }
    EXPECT_GT(expected, 0);
    EXPECT_EQ(fixtures.Size(), expected);
    for (CFixture* f : fixtures.GetTeamFixturesFrom(10, 2007, 1, 1))
        EXPECT_TRUE(f->home == career.teams.At(0) || f->away == career.teams.At(0));

    ASSERT_TRUE(fixtures.SaveToRows(&career));
    CFixtureList loaded;
    ASSERT_TRUE(loaded.LoadFromSavedRows(&world, &career));
    EXPECT_EQ(loaded.Size(), fixtures.Size());
    EXPECT_EQ(loaded.LastDate(), fixtures.LastDate());
}

TEST(DefaultWorldSchedule, TournamentSetsMatchTheFixedGroupTables) {
    ScheduleSettings settings;
    settings.tournamentMode = true;
    struct Case {
        int32_t dataSet;
        bool euroCup;
        int fixtures;
    };
    for (Case c : {Case{kDataSetEuroCup, true, 24}, Case{kDataSetWorldCup, false, 60}}) {
        CMemoryDB world;
        CMemoryDB career;
        ASSERT_TRUE(BuildCareerDatabase(world, career, c.dataSet, 5, CStr("Tester")));
        settings.euroCup = c.euroCup;
        CFixtureList fixtures;
        ASSERT_TRUE(fixtures.BuildTournamentFixtures(career.leagues.At(0), &world, settings));
        EXPECT_EQ(fixtures.Size(), c.fixtures) << c.dataSet;
        EXPECT_EQ(fixtures.GetTeamFixturesFrom(5, 2000, 1, 1).size(), c.euroCup ? 3u : 5u);
    }
}
