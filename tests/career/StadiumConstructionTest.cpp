// Stadium constructions: ordering, building day by day, the rules of which stage may be ordered,
// and a construction surviving a save and reload.
#include "career/StadiumConstruction.h"
#include "career/EventList.h"
#include "database/MemoryDB.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

// A career whose club has a stadium of eighteen parts: the core and the seat classes built once,
// every stage unit 10,000 and 3 days.
struct StadiumCareer {
    CMemoryDB db;
    CEventList ledger;
    CTeam* club = nullptr;
    GameDate today{2007, 9, 5};

    StadiumCareer() {
        club = db.teams.Append(new CTeam());
        club->id = 3;
        club->cash = 1000000;
        auto* stadium = db.stadiums.Append(new CStadiumRecord());
        stadium->id = 3;
        stadium->teamId = 3;
        for (int k = 0; k < kStadiumPartCount; ++k) {
            auto* part = db.wings.Append(new CStadiumWingRecord());
            part->partId = PartIdOfIndex(k);
            part->stadiumId = 3;
            part->stageCost = 10000;
            part->stageDays = 3;
            bool seats = part->partId >= kFirstSeatPart && part->partId <= kLastSeatPart;
            part->level = k == 0 || seats ? 1 : 0;
            part->seats = seats ? 1000 : 0;
            part->monthlyCost = part->level > 0 ? 500 : 0;
        }
        db.Link();
    }
    CStadiumWingRecord& Part(int k) { return *FindClubPart(db, PartIdOfIndex(k)); }
    OrderResult Order(int k, int stage, int limit = kStadiumStages) {
        return OrderStadiumStage(db, &ledger, today, PartIdOfIndex(k), stage, limit, CStr("Part"));
    }
};

TEST(StadiumConstruction, AnOrderedStageIsPaidOnceAndBuiltOverItsDays) {
    StadiumCareer c;
    ASSERT_EQ(c.Part(7).level, 1);
    ASSERT_EQ(c.Order(0, 1), OrderResult::Booked); // the core's second stage: 20,000, 6 days
    EXPECT_EQ(c.club->cash, 980000);
    ASSERT_EQ(c.ledger.Size(), 1u);
    EXPECT_EQ(c.ledger.At(0)->Kind(), kLedgerStadiumUpgrade);
    EXPECT_EQ(PayloadAmount(c.ledger.At(0)->Payload()), 20000);
    EXPECT_EQ(PayloadDirection(c.ledger.At(0)->Payload()), 1);
    EXPECT_EQ(c.ledger.At(0)->Day(), 5);
    // Written at once, so a save made right now keeps it.
    ASSERT_EQ(c.db.myStadiumUpgrades.Size(), 1);
    EXPECT_EQ(c.db.myStadiumUpgrades.At(0)->daysDone, 1);
    EXPECT_EQ(c.db.myStadiumUpgrades.At(0)->daysNeeded, 6);

    // A second order of the same part while it runs books nothing.
    EXPECT_EQ(c.Order(0, 1), OrderResult::NotOrderable);
    EXPECT_EQ(c.ledger.Size(), 1u);

    for (int day = 1; day <= 4; ++day) {
        RunStadiumConstructionDay(c.db);
        EXPECT_EQ(c.Part(0).daysDone, 1 + day);
        EXPECT_EQ(c.Part(0).level, 1);
    }
    EXPECT_EQ(c.db.myStadiumUpgrades.At(0)->daysDone, 5);
    StadiumDayResult last = RunStadiumConstructionDay(c.db); // the fifth step after the order
    EXPECT_EQ(last.completed, 1);
    EXPECT_EQ(c.Part(0).level, 2);
    EXPECT_EQ(c.Part(0).daysDone, 0);
    EXPECT_TRUE(c.db.myStadiumUpgrades.IsEmpty());
    EXPECT_EQ(c.club->cash, 980000);
}

TEST(StadiumConstruction, ABuiltSeatClassRaisesTheCapacityAndTheRunningCosts) {
    StadiumCareer c;
    c.Part(0).level = 2;
    RunStadiumConstructionDay(c.db);
    const int before = c.club->stadium->capacity;
    EXPECT_EQ(before, 5000);
    ASSERT_EQ(c.Order(9, 1), OrderResult::Booked);
    for (int day = 0; day < 5; ++day)
        RunStadiumConstructionDay(c.db);
    EXPECT_EQ(c.Part(9).level, 2);
    EXPECT_EQ(c.Part(9).seats, 2000);
    EXPECT_EQ(c.club->stadium->capacity, before + 1000);
    EXPECT_EQ(c.Part(9).monthlyCost, 1000);

    // A part built for the first time starts costing a share of its stage unit.
    ASSERT_EQ(c.Order(14, 0), OrderResult::Booked); // the fun shop: two days a stage
    StadiumDayResult day = RunStadiumConstructionDay(c.db);
    EXPECT_TRUE(day.funShopLevelChanged);
    EXPECT_EQ(c.Part(14).level, 1);
    EXPECT_EQ(c.Part(14).monthlyCost, 200);
}

TEST(StadiumConstruction, TheCashTestIsInclusive) {
    StadiumCareer c;
    c.club->cash = 20000;
    EXPECT_EQ(c.Order(0, 1), OrderResult::Booked);
    EXPECT_EQ(c.club->cash, 0);

    StadiumCareer d;
    d.club->cash = 19999;
    EXPECT_EQ(d.Order(0, 1), OrderResult::CashShort);
    EXPECT_EQ(d.club->cash, 19999);
    EXPECT_EQ(d.ledger.Size(), 0u);
    EXPECT_EQ(d.Part(0).daysDone, 0);
    EXPECT_TRUE(d.db.myStadiumUpgrades.IsEmpty());
}

TEST(StadiumConstruction, OnlyTheNextStageWithinTheCoreAndTheLeagueLimitCanBeOrdered) {
    StadiumCareer c;
    // The core at level 1: other parts may build their first stage only.
    EXPECT_EQ(GetStageState(c.db, c.Part(3), 0, 4), StageState::Orderable);
    EXPECT_EQ(GetStageState(c.db, c.Part(3), 1, 4), StageState::Locked);
    EXPECT_EQ(GetStageState(c.db, c.Part(7), 0, 4), StageState::Built);
    EXPECT_EQ(GetStageState(c.db, c.Part(7), 1, 4), StageState::Locked);
    EXPECT_EQ(GetStageState(c.db, c.Part(0), 1, 4), StageState::Orderable);
    EXPECT_EQ(GetStageState(c.db, c.Part(0), 2, 4), StageState::Waiting);
    // The league's limit.
    EXPECT_EQ(GetStageState(c.db, c.Part(0), 1, 1), StageState::Locked);
    EXPECT_EQ(c.Order(0, 1, 1), OrderResult::NotOrderable);
    // A built stage is never booked again, whatever was chosen.
    c.Part(0).level = 3;
    EXPECT_EQ(c.Order(0, 1), OrderResult::NotOrderable);
    EXPECT_EQ(c.Order(0, 0), OrderResult::NotOrderable);
    EXPECT_EQ(c.ledger.Size(), 0u);
    EXPECT_EQ(c.Part(0).level, 3);
    ASSERT_EQ(c.Order(0, 3), OrderResult::Booked);
    EXPECT_EQ(GetStageState(c.db, c.Part(0), 3, 4), StageState::Running);
}

TEST(StadiumConstruction, FinishedAndIdlePartsAreLeftAlone) {
    StadiumCareer c;
    // A finished part with stray days and a part whose data gives stages no days.
    c.Part(0).level = 4;
    c.Part(0).daysDone = 2;
    c.Part(5).stageDays = 0;
    RunStadiumConstructionDay(c.db);
    RunStadiumConstructionDay(c.db);
    EXPECT_EQ(c.Part(0).level, 4);
    EXPECT_EQ(c.Part(5).level, 0);
    EXPECT_TRUE(c.db.myStadiumUpgrades.IsEmpty());
    EXPECT_EQ(GetStageState(c.db, c.Part(0), 3, 4), StageState::Built);
}

TEST(StadiumConstruction, RunningRecordsAreKeptOnePerPart) {
    StadiumCareer c;
    CStadiumWingRecord& a = c.Part(2);
    CStadiumWingRecord& b = c.Part(4);
    a.daysDone = 1;
    b.daysDone = 1;
    ApplyClubUpgrade(c.db, a, 0);
    ApplyClubUpgrade(c.db, b, 0);
    a.daysDone = 2;
    ApplyClubUpgrade(c.db, a, 0);
    ASSERT_EQ(c.db.myStadiumUpgrades.Size(), 2);
    EXPECT_EQ(c.db.myStadiumUpgrades.At(0)->daysDone, 2);
    ApplyClubUpgrade(c.db, a, 1);
    ASSERT_EQ(c.db.myStadiumUpgrades.Size(), 1);
    EXPECT_EQ(c.db.myStadiumUpgrades.At(0)->partId, b.partId);
    ApplyClubUpgrade(c.db, a, 1); // nothing left to remove
    EXPECT_EQ(c.db.myStadiumUpgrades.Size(), 1);
}

TEST(StadiumConstruction, ASavedAndReloadedCareerKeepsARunningConstruction) {
    StadiumCareer c;
    ASSERT_EQ(c.Order(0, 1), OrderResult::Booked);
    RunStadiumConstructionDay(c.db);
    const auto folder = std::filesystem::temp_directory_path() / ("fb_stadium_" + std::to_string(::getpid()));
    const std::string path = folder.string() + "/";
    ASSERT_TRUE(c.db.SaveFolder(path.c_str(), false));

    CMemoryDB loaded;
    ASSERT_TRUE(loaded.LoadSavedFolder(path.c_str(), false));
    std::filesystem::remove_all(folder);
    // Even a part record that lost its days is put back by the running record.
    CStadiumWingRecord* core = FindClubPart(loaded, kCorePart);
    ASSERT_NE(core, nullptr);
    core->daysDone = 0;
    RestoreRunningConstructions(loaded);
    EXPECT_EQ(core->daysDone, 2);
    EXPECT_EQ(core->level, 1);
    for (int day = 0; day < 4; ++day)
        RunStadiumConstructionDay(loaded);
    EXPECT_EQ(core->level, 2);
    EXPECT_TRUE(loaded.myStadiumUpgrades.IsEmpty());

    // Running records of unknown parts or of a stage beyond the fourth restore nothing.
    auto* stray = loaded.myStadiumUpgrades.Append(new CMyStadiumUpgrade());
    stray->partId = kCorePart;
    stray->level = 4;
    stray->daysDone = 3;
    RestoreRunningConstructions(loaded);
    EXPECT_EQ(core->level, 2);
    EXPECT_EQ(core->daysDone, 0);
}

} // namespace
