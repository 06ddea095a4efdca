// Careers: the world data sets, a new career's database, and saved careers as profile folders
// under "\data\profiles\" (the career tables in the folder, the world as it stood in "MainData",
// and one line per career in "\data\profiles\profilelist.dat").
#pragma once

#include "database/MemoryDB.h"
#include "engine/Str.h"

enum CareerDataSet : int32_t {
    kDataSetLeague = 0,
    kDataSetEuroCup = 1,
    kDataSetWorldCup = 2,
};

constexpr int32_t kModeLeague = 100063;
constexpr int32_t kModeEuroCup = 100064;
constexpr int32_t kModeWorldCup = 100065;

// "\data\", "\data\EuroCup\" or "\data\WorldCup\"; the base set for anything else.
const char* DataSetFolder(int32_t dataSet);
int32_t ModeOfDataSet(int32_t dataSet);

// Loads the world of a data set and then the list of saved careers into world.profiles. On
// failure the world is left as it was.
bool LoadWorldData(CMemoryDB& world, int32_t dataSet);
// Reads "\data\profiles\profilelist.dat" into world.profiles, leaving out careers whose folder is
// unsafe or gone. An absent list is an empty one.
int ListCareers(CMemoryDB& world);

// Starts a career: reloads the world from the data set (nothing of an earlier career may leak in),
// then builds the career database for the club: a copy of the club and its league, the club's
// players moved over from the world, copies of its staff and stadium, and a new profile. Both
// databases change only when everything succeeded.
bool BuildCareerDatabase(CMemoryDB& world, CMemoryDB& career, int32_t dataSet, int32_t clubId,
                         const CStr& managerName);

// Lets a test stop a save after a number of file operations, as a crash or full disk would.
struct CareerSaveFault {
    int stopAfterSteps = -1; // -1 never
    int steps = 0;
};

// Saves the career into its profile folder and updates the list of careers. The new save is
// assembled in a separate folder and swapped in by renames, so a save that stops anywhere leaves
// the previous save loadable. The career's profile (career.profiles row 0) must be filled in by
// the caller with the current date and state beforehand.
bool SaveCareer(CMemoryDB& world, CMemoryDB& career, CareerSaveFault* fault = nullptr);
// Loads a saved career by profile id into both databases; on any failure both stay as they were.
bool LoadCareer(CMemoryDB& world, CMemoryDB& career, int32_t profileId);
// Removes the career's folder and its line in the list.
bool DeleteCareer(CMemoryDB& world, int32_t profileId);

// A folder name for a career: letters and digits of the manager name, then the id. Never empty,
// never a path.
CStr MakeProfileFolderName(const CStr& managerName, int32_t id);
// True only for names MakeProfileFolderName can produce (no separators, no dots, bounded length).
bool IsSafeProfileFolder(const CStr& folder);
