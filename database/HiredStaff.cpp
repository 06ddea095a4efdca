// Hired staff: look-up, hiring and releasing.
#include "database/HiredStaff.h"

#include "database/Ownership.h"

#include <algorithm>

namespace {

// Moves the world's records of a staff id to a club (-1: free), taking them out of every club's list
// first. The record is found by its id, never by its row: a career's copy of the world may order the
// table differently, and a row taken for an id could name another member.
void MoveWorldRecords(CMemoryDB* world, int32_t staffId, int32_t clubId) {
    if (!world)
        return;
    for (CStaffRecord* record : world->staff) {
        if (record->id != staffId)
            continue;
        for (CTeam* team : world->teams) {
            auto& list = team->staff;
            list.erase(std::remove(list.begin(), list.end(), record), list.end());
        }
        record->clubId = clubId;
        if (CTeam* club = clubId >= 0 ? world->FindTeam(clubId) : nullptr)
            club->staff.push_back(record);
    }
}

} // namespace

std::unique_ptr<CStaffRecord> FindHiredStaff(const CTeam* club, int32_t category) {
    if (!club)
        return nullptr;
    for (const CStaffRecord* member : club->staff)
        if (member && member->category == category)
            return std::make_unique<CStaffRecord>(*member);
    return nullptr;
}

std::unique_ptr<CStaffRecord> FindHiredStaff(const CMemoryDB* career, int32_t category) {
    return career ? FindHiredStaff(career->teams.At(0), category) : nullptr;
}

CStaffRecord* HireStaffMember(CMemoryDB* world, CMemoryDB& career, const CStaffRecord& member) {
    CTeam* club = career.teams.At(0);
    if (!club || !IsStaffCategory(member.category) || FindHiredStaff(club, member.category))
        return nullptr;
    MoveWorldRecords(world, member.id, club->id);
    auto* copy = new CStaffRecord(member);
    return HireStaffCopy(career, club, copy);
}

int ReleaseStaffCategory(CMemoryDB* world, CMemoryDB& career, int32_t category) {
    CTeam* club = career.teams.At(0);
    if (!club)
        return 0;
    int released = 0;
    while (std::unique_ptr<CStaffRecord> member = FindHiredStaff(club, category)) {
        MoveWorldRecords(world, member->id, -1);
        if (!FireStaff(career, club, member->id))
            break;
        ++released;
    }
    return released;
}
