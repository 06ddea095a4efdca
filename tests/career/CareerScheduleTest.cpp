// The schedule and ledger follow the career: cleared when one is left, rebuilt when one is loaded.
#include "career/CareerSchedule.h"
#include "TestWorld.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "engine/GameRand.h"

#include <gtest/gtest.h>
#include <memory>

using namespace testworld;

namespace {

void BookSomeMoney(CEventList& ledger, int amount) {
    ledger.AddEvent(TransferEventData{.scope = kScopeDay, .direction = kExpense, .amount = amount},
                    kLedgerTransfer, 3, 10, 2007);
    ledger.BookMonthChange(GameDate{2007, 11, 1}, amount, 0);
}

} // namespace

TEST(CareerSchedule, LeavingACareerDropsItsFixturesLedgerAndSeason) {
    GameSrand(4);
    CMemoryDB world;
    MakeLeagueWorld(world, 2, 6);
    auto career = std::make_unique<CMemoryDB>();
    MakeCareer(*career, world, 2);
    CFixtureList fixtures;
    CEventList ledger;
    ScheduleSettings settings;
    settings.tournamentMode = true;
    ASSERT_TRUE(BuildLeagueFixtures(fixtures, career->leagues.At(0), &world, 2007, settings));
    BookSomeMoney(ledger, 900);
    ASSERT_FALSE(fixtures.IsEmpty());
    ASSERT_NE(fixtures.Season().startMonth, SeasonSpan::kDefaultStartMonth);

    ClearCareerSchedule(fixtures, ledger);
    career.reset(); // nothing may still point at the club's record now
    EXPECT_TRUE(fixtures.IsEmpty());
    EXPECT_EQ(fixtures.LastDate(), GameDate{});
    EXPECT_EQ(fixtures.Season().startYear, 2007);
    EXPECT_EQ(fixtures.Season().endYear, 2008);
    EXPECT_EQ(fixtures.Season().startMonth, 8);
    EXPECT_EQ(fixtures.Season().startDay, 1);
    EXPECT_EQ(ledger.Size(), 0u);
    EXPECT_EQ(ledger.GetMonthEndBalance(2007, 10), 0);
}

TEST(CareerSchedule, LoadingACareerReplacesTheRunningOne) {
    GameSrand(9);
    CMemoryDB world;
    MakeLeagueWorld(world, 2, 6);

    // The saved career: its fixtures and ledger written into its rows.
    CMemoryDB saved;
    MakeCareer(saved, world, 7);
    saved.profiles.Append(new CProfile());
    CFixtureList savedFixtures;
    CEventList savedLedger;
    ASSERT_TRUE(BuildLeagueFixtures(savedFixtures, saved.leagues.At(0), &world, 2007, ScheduleSettings{}));
    savedFixtures.Season().startDay = 3; // as a cup stage might have left it
    savedFixtures.At(3)->homeScore = 71;
    savedFixtures.At(3)->awayScore = 69;
    BookSomeMoney(savedLedger, 1234);
    ASSERT_TRUE(SaveCareerSchedule(savedFixtures, savedLedger, &saved));

    // Another career is running when the saved one is loaded.
    CMemoryDB running;
    MakeCareer(running, world, 0);
    CFixtureList fixtures;
    CEventList ledger;
    BuildLeagueFixtures(fixtures, running.leagues.At(0), &world, 2009, ScheduleSettings{});
    BookSomeMoney(ledger, 55);

    for (int load = 0; load < 2; ++load) {
        ASSERT_TRUE(LoadCareerSchedule(fixtures, ledger, &world, &saved));
        ASSERT_EQ(fixtures.Size(), savedFixtures.Size());
        for (int i = 0; i < fixtures.Size(); ++i) {
            ASSERT_EQ(fixtures.At(i)->home->id, savedFixtures.At(i)->home->id);
            ASSERT_EQ(fixtures.At(i)->Date(), savedFixtures.At(i)->Date());
            ASSERT_EQ(fixtures.At(i)->homeScore, savedFixtures.At(i)->homeScore);
        }
        EXPECT_EQ(fixtures.LastDate(), savedFixtures.LastDate());
        EXPECT_EQ(fixtures.Season().startYear, 2007);
        EXPECT_EQ(fixtures.Season().endYear, savedFixtures.Season().endYear);
        EXPECT_EQ(fixtures.Season().startDay, 3);
        EXPECT_EQ(ledger.Size(), 2u);
        EXPECT_EQ(ledger.SumMonth(2007, 10, kExpense, GameDate{2008, 1, 1}), 1234);
        EXPECT_EQ(ledger.GetMonthEndBalance(2007, 10), 1234);
    }

    // A load without databases leaves nothing of the old career behind either.
    EXPECT_FALSE(LoadCareerSchedule(fixtures, ledger, &world, nullptr));
    EXPECT_TRUE(fixtures.IsEmpty());
    EXPECT_EQ(ledger.Size(), 0u);
    EXPECT_FALSE(SaveCareerSchedule(fixtures, ledger, nullptr));
}
