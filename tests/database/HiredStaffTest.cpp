// The hired-staff look-up and the hire and release that keep the world and the career in step.
#include "database/HiredStaff.h"

#include <gtest/gtest.h>

namespace {

CStaffRecord* AddStaff(CMemoryDB& db, int32_t id, int32_t category, int32_t clubId = -1) {
    auto* member = new CStaffRecord();
    member->id = id;
    member->category = category;
    member->clubId = clubId;
    member->name = CStr::Formatted("Member %d", id);
    member->skill = 40 + id;
    return db.staff.Append(member);
}

CTeam* AddTeam(CMemoryDB& db, int32_t id) {
    auto* team = new CTeam();
    team->id = id;
    return db.teams.Append(team);
}

// A world whose staff table is not in id order, as a career's copy of it may be: row 0 holds id 2.
struct StaffWorld {
    StaffWorld() {
        AddTeam(world, 7);
        AddTeam(world, 9);
        AddStaff(world, 2, kStaffHeadCoach, 9);
        AddStaff(world, 0, kStaffHeadCoach);
        AddStaff(world, 1, kStaffScout);
        world.Link();
        AddTeam(career, 7);
        career.Link();
    }
    CMemoryDB world;
    CMemoryDB career;
};

TEST(HiredStaff, TheLookUpGivesACopyTheCallerOwns) {
    StaffWorld w;
    EXPECT_EQ(FindHiredStaff(w.career.teams.At(0), kStaffHeadCoach), nullptr);
    EXPECT_EQ(FindHiredStaff(static_cast<const CMemoryDB*>(nullptr), kStaffHeadCoach), nullptr);
    ASSERT_NE(HireStaffMember(&w.world, w.career, *w.world.FindStaff(0)), nullptr);
    std::unique_ptr<CStaffRecord> coach = FindHiredStaff(&w.career, kStaffHeadCoach);
    ASSERT_NE(coach, nullptr);
    EXPECT_EQ(coach->id, 0);
    // Released while the copy is held: the copy stays whole.
    EXPECT_EQ(ReleaseStaffCategory(&w.world, w.career, kStaffHeadCoach), 1);
    EXPECT_EQ(coach->skill, 40);
    EXPECT_EQ(FindHiredStaff(&w.career, kStaffHeadCoach), nullptr);
}

TEST(HiredStaff, HireAndReleaseFindTheWorldRecordByItsIdNotItsRow) {
    StaffWorld w;
    CStaffRecord* atRowZero = w.world.staff.At(0); // id 2, club 9
    CStaffRecord* idZero = w.world.FindStaff(0);
    CTeam* worldUser = w.world.FindTeam(7);
    CTeam* other = w.world.FindTeam(9);
    ASSERT_EQ(other->staff.size(), 1u);

    // Hired away from club 9: his world record moves from that club's list to the user's.
    ASSERT_NE(HireStaffMember(&w.world, w.career, *atRowZero), nullptr);
    EXPECT_EQ(atRowZero->clubId, 7);
    EXPECT_TRUE(other->staff.empty());
    ASSERT_EQ(worldUser->staff.size(), 1u);
    EXPECT_EQ(worldUser->staff[0], atRowZero);
    EXPECT_EQ(idZero->clubId, -1) << "the record at row 2's id is another member";
    EXPECT_EQ(w.career.staff.Size(), 1);
    EXPECT_EQ(w.career.teams.At(0)->staff[0]->clubId, 7);

    // A filled category takes nobody; a non-category is refused.
    EXPECT_EQ(HireStaffMember(&w.world, w.career, *idZero), nullptr);
    CStaffRecord odd = *w.world.FindStaff(1);
    odd.category = 12;
    EXPECT_EQ(HireStaffMember(&w.world, w.career, odd), nullptr);
    EXPECT_EQ(idZero->clubId, -1);

    EXPECT_EQ(ReleaseStaffCategory(&w.world, w.career, kStaffHeadCoach), 1);
    EXPECT_EQ(atRowZero->clubId, -1);
    EXPECT_EQ(idZero->clubId, -1);
    EXPECT_TRUE(worldUser->staff.empty());
    EXPECT_TRUE(w.career.staff.IsEmpty());
    EXPECT_TRUE(w.career.teams.At(0)->staff.empty());
    EXPECT_EQ(ReleaseStaffCategory(&w.world, w.career, kStaffHeadCoach), 0);
}

TEST(HiredStaff, ACareerWithoutItsWorldStillHiresAndReleases) {
    StaffWorld w;
    ASSERT_NE(HireStaffMember(nullptr, w.career, *w.world.FindStaff(1)), nullptr);
    EXPECT_NE(FindHiredStaff(&w.career, kStaffScout), nullptr);
    EXPECT_EQ(ReleaseStaffCategory(nullptr, w.career, kStaffScout), 1);
    CMemoryDB empty;
    EXPECT_EQ(HireStaffMember(&w.world, empty, *w.world.FindStaff(1)), nullptr);
    EXPECT_EQ(ReleaseStaffCategory(&w.world, empty, kStaffScout), 0);
}

} // namespace
