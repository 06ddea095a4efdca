// Careers: the world data sets, a new career's database, and saved careers as profile folders
// under "\data\profiles\" (the career tables in the folder, the world as it stood in "MainData",
// and one line per career in "\data\profiles\profilelist.dat").
#pragma once

#include "database/MemoryDB.h"
#include "engine/Str.h"

#include <vector>

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

// Why a world data set could not be read: the file that failed and what is wrong with it.
struct WorldDataError {
    CStr file;   // from the game folder, as the player's system writes it ("data/EuroCup/teamlist.dat")
    CStr reason; // a clause: "it is missing", "it does not read as the game's data (...)"
    bool missing = false;
};

// Loads the world of a data set and then the list of saved careers into world.profiles. Every
// table file of the set must be there and read whole. On failure the world is left as it was and
// error (when given) says which file failed.
bool LoadWorldData(CMemoryDB& world, int32_t dataSet, WorldDataError* error = nullptr);
// Reads every table file of a data set as LoadWorldData does, without building a world from it,
// and adds the text ids its records name (WorldTextIds) to textIds. On failure error says why.
bool CheckWorldData(int32_t dataSet, std::vector<int32_t>& textIds, WorldDataError* error = nullptr);
// Reads "\data\profiles\profilelist.dat" into world.profiles, leaving out careers whose folder is
// unsafe or gone; lines that do not parse are logged and kept for the next write of the list. An
// absent list is an empty one. Reads only: nothing on disk changes.
int ListCareers(CMemoryDB& world);

// Finishes what an interrupted save left in "\data\profiles\": a previous save that was moved
// aside comes back when its folder is missing, and half-built folders, old copies and the list's
// temporary file are removed. Meant for start-up, before any career is listed or saved.
void CleanUpCareerFolders();

// Starts a career: reloads the world from the data set (nothing of an earlier career may leak in),
// then builds the career database for the club: a copy of the club and its league, the club's
// players moved over from the world, copies of its staff and stadium, and a new profile whose id
// no line of the list and no folder uses. Both databases change only when everything succeeded.
bool BuildCareerDatabase(CMemoryDB& world, CMemoryDB& career, int32_t dataSet, int32_t clubId,
                         const CStr& managerName);

// Why a save failed, for the message the player sees.
enum class CareerSaveFailure {
    kNone,
    kNoPermission,   // the folder cannot be written (read-only, no access)
    kNoSpace,        // the disk or the user's quota is full
    kListUnreadable, // the list of careers exists but cannot be read: it is not rewritten
    kFolderTaken,    // the folder or the id belongs to another career
    kBusy,           // another copy of the game kept the save folder locked too long
    kFileTooLarge,   // a file would pass the file-size limit the system sets (not a full disk)
    kSavedElsewhere, // another copy of the game saved the career since this one loaded or saved it
    kOther,          // anything else; systemError may say more
};

struct CareerSaveError {
    CareerSaveFailure reason = CareerSaveFailure::kNone;
    int systemError = 0; // errno of the failing call, 0 when none
    CStr message;        // what failed and where, for the log
    CStr where;          // the folder or file that failed (a game path), empty when none
};

// Lets a test stop a save after a number of file operations, as a crash or full disk would.
struct CareerSaveFault {
    int stopAfterSteps = -1; // -1 never
    int steps = 0;
    int systemError = 0; // reported as the failing call's errno when the save stops
};

// Saves the career into its profile folder and updates the list of careers. The new save is
// assembled in a separate folder and swapped in by renames, so a save that stops anywhere leaves
// the previous save loadable. The career's profile (career.profiles row 0) must be filled in by
// the caller with the current date and state beforehand. On failure error says why.
bool SaveCareer(CMemoryDB& world, CMemoryDB& career, CareerSaveError* error = nullptr,
                CareerSaveFault* fault = nullptr);
// Why a load was refused, for the message the player sees.
enum class CareerLoadFailure {
    kNone,
    kGone,         // the career's folder is not there
    kManifest,     // the save's list of files is damaged
    kNewer,        // saved by a newer version of the game
    kMissingFile,  // a file of the save is missing
    kChangedFile,  // a file is not the one that was saved
    kUnlistedFile, // a file the save's list does not name
    kDamagedFile,  // a table that does not read as records
    kBadValue,     // a date or figure the game could never have saved
    kOtherCareer,  // the folder holds another career's header
    kClubMissing,  // the header names a club the save does not hold
};

struct CareerLoadError {
    CareerLoadFailure reason = CareerLoadFailure::kNone;
    CStr where; // the file or folder, from the game folder ("data\profiles\..."), empty when none
    // A career that loaded although its choices file (tactics) was damaged or missing: that file,
    // so the player can be told the tactics are the defaults again. Empty otherwise.
    CStr choicesReset;
};

// Loads a saved career by profile id into both databases; on any failure both stay as they were.
// Every table file the save writes must be there and whole, and the profile's date, data set and
// stage and the statistics dates must be in range. Reads only: nothing on disk changes. On
// failure error (when given) says why.
bool LoadCareer(CMemoryDB& world, CMemoryDB& career, int32_t profileId, CareerLoadError* error = nullptr);
// Removes the career's folder and its line in the list. The folder is renamed out of the way first,
// so a delete that stops midway leaves no listed career that cannot load.
bool DeleteCareer(CMemoryDB& world, int32_t profileId, CareerSaveFault* fault = nullptr);

// The lock on the save folder ("\data\profiles.lock"): saves, deletes and the start-up clean-up
// hold it exclusively while they read and write the list and the folders, loads and listings
// shared, so two copies of the game never write over each other's careers. It goes with the
// process, so a crashed copy leaves nothing locked.
class CCareerFolderLock {
public:
    CCareerFolderLock(bool exclusive, int waitMs);
    ~CCareerFolderLock();
    CCareerFolderLock(const CCareerFolderLock&) = delete;
    CCareerFolderLock& operator=(const CCareerFolderLock&) = delete;
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
// How long a save or delete waits for another copy's (default 60 s); tests shorten it.
void SetCareerLockWait(int waitMs);

// True when the saved date is a game date, the data set one of the three and the cup stage 0-4;
// otherwise problem says which value is wrong.
bool ProfileValuesInRange(const CProfile& profile, CStr& problem);

// A manager name as a career keeps and saves it: control characters (a typed tab or line break,
// escape codes) taken out, a '|' (the careers list's separator) made a blank, and blanks trimmed at
// both ends; may come out empty.
CStr CleanManagerName(const CStr& name);

// A folder name for a career: letters and digits of the manager name, then the id. Never empty,
// never a path.
CStr MakeProfileFolderName(const CStr& managerName, int32_t id);
// True only for names MakeProfileFolderName can produce (no separators, no dots, bounded length).
bool IsSafeProfileFolder(const CStr& folder);
