// The club's hired staff, one member per category: the look-up every part of the game uses (the
// matches, training, injuries, reports), and hiring and releasing that keep the world's record, the
// world clubs' staff lists and the career's copy in step.
#pragma once

#include "database/MemoryDB.h"

#include <memory>

// Staff categories: these language text ids are also the category values of the staff records.
constexpr int32_t kStaffHeadCoach = 80055;
constexpr int32_t kStaffAssistantCoach = 80056;
constexpr int32_t kStaffTeamDoctor = 80057;
constexpr int32_t kStaffPsychologist = 80058;
constexpr int32_t kStaffPhysiotherapist = 80059;
constexpr int32_t kStaffScout = 80060;
constexpr int32_t kStaffFitnessCoach = 80061;
constexpr int32_t kStaffBusinessManager = 80062;
constexpr int kStaffCategoryCount = 8;

inline bool IsStaffCategory(int32_t category) {
    return category >= kStaffHeadCoach && category <= kStaffBusinessManager;
}

// A copy of the club's first member of the category (the caller owns it, so a release while it is
// held leaves it valid); null when the club is null or has none.
std::unique_ptr<CStaffRecord> FindHiredStaff(const CTeam* club, int32_t category);
// The same for the user's club, the career database's first club; null without a career.
std::unique_ptr<CStaffRecord> FindHiredStaff(const CMemoryDB* career, int32_t category);

// Hires a copy of member into the user's club of the career: the world's record of that id leaves
// the staff list of the club it worked for and joins the user's club (club id and list), and the
// copy goes into the career's staff table and the club's list. Null, with nothing changed, when
// there is no club, the category is not a staff category or already has a member.
CStaffRecord* HireStaffMember(CMemoryDB* world, CMemoryDB& career, const CStaffRecord& member);
// Releases every member of the category from the user's club: the world's records of their ids
// become free (club id -1, out of every club's list) and the career's copies are deleted. Returns
// how many were released.
int ReleaseStaffCategory(CMemoryDB* world, CMemoryDB& career, int32_t category);
