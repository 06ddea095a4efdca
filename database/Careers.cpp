// New careers, saving, listing, loading and deleting profile folders.
#include "database/Careers.h"

#include "engine/Log.h"
#include "engine/Paths.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

const char* const kProfilesFolder = "\\data\\profiles\\";
const char* const kProfileListPath = "\\data\\profiles\\profilelist.dat";
const size_t kMaxFolderLength = 48;

CStr ProfilePath(const CStr& folder, const char* suffix = "") {
    return CStr(kProfilesFolder).Concat(folder).Concat(suffix);
}

const char* const kProfileListTemp = "\\data\\profiles\\profilelist.dat.tmp";

int RenamePath(const CStr& from, const CStr& to) {
    std::error_code ec;
    std::filesystem::rename(ResolvePath(from).Std(), ResolvePath(to).Std(), ec);
    return ec ? ec.value() : 0;
}

CareerSaveFailure FailureOfErrno(int code) {
    switch (code) {
    case EACCES:
    case EPERM:
    case EROFS:
        return CareerSaveFailure::kNoPermission;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return CareerSaveFailure::kNoSpace;
    default:
        return CareerSaveFailure::kOther;
    }
}

// Records why a save stopped (the first reason only) and logs it.
class CSaveOutcome {
public:
    explicit CSaveOutcome(CareerSaveError* error) : m_error(error) {
        if (m_error)
            *m_error = CareerSaveError();
    }
    bool Fail(CareerSaveFailure reason, int systemError, const CStr& message) {
        CStr text = systemError != 0 ? message.Concat(": ").Concat(std::strerror(systemError)) : message;
        QuorelLog("[SaveCareer] %s", text.GetText());
        if (m_error && m_error->reason == CareerSaveFailure::kNone) {
            m_error->reason = reason;
            m_error->systemError = systemError;
            m_error->message = text;
        }
        return false;
    }
    bool FailErrno(int systemError, const CStr& message) {
        return Fail(FailureOfErrno(systemError), systemError, message);
    }

private:
    CareerSaveError* m_error = nullptr;
};

bool Step(CareerSaveFault* fault) {
    if (!fault)
        return true;
    if (fault->stopAfterSteps >= 0 && fault->steps >= fault->stopAfterSteps)
        return false;
    ++fault->steps;
    return true;
}

int FaultError(const CareerSaveFault* fault) {
    return fault && fault->systemError != 0 ? fault->systemError : EIO;
}

// A save that stopped during the swap leaves the previous save as "<folder>.old": put it back.
// A finished swap may still have left the old copy or a half-built new one behind.
void RecoverFolder(const CStr& folder) {
    CStr live = ProfilePath(folder);
    CStr old = ProfilePath(folder, ".old");
    if (DirectoryExists(old.GetText())) {
        if (DirectoryExists(live.GetText()))
            RemovePath(old.GetText());
        else
            RenamePath(old, live);
    }
    CStr staging = ProfilePath(folder, ".saving");
    if (DirectoryExists(staging.GetText()))
        RemovePath(staging.GetText());
}

// The folder a career's save is read from: its own, or the previous save a stopped swap left aside.
CStr SavedFolder(const CStr& folder) {
    CStr live = ProfilePath(folder);
    if (DirectoryExists(live.GetText()))
        return live;
    CStr old = ProfilePath(folder, ".old");
    if (DirectoryExists(old.GetText()))
        return old;
    return CStr();
}

// False only when the list is there and cannot be read; a missing list is an empty one.
bool ReadCareerList(CProfileList& list) {
    list.Clear();
    std::error_code ec;
    std::filesystem::path path = ResolvePath(kProfileListPath).Std();
    if (!std::filesystem::exists(path, ec) && !ec)
        return true;
    std::string text;
    if (ec || !std::filesystem::is_regular_file(path, ec) || !ReadWholeFile(kProfileListPath, text)) {
        QuorelLog("[ReadCareerList] %s cannot be read", kProfileListPath);
        return false;
    }
    list.ReadText(text);
    for (const std::string& line : list.KeptLines())
        QuorelLog("[ReadCareerList] kept a line of %s that does not parse: '%s'", kProfileListPath,
                  line.c_str());
    return true;
}

// The id a folder name made by MakeProfileFolderName carries ("Anna_Lee_7", also with ".old" or
// ".saving" after it).
bool IdOfFolderName(const CStr& name, int32_t& id) {
    std::string text = name.Std();
    for (const char* suffix : {".old", ".saving"}) {
        size_t length = std::strlen(suffix);
        if (text.size() > length && text.compare(text.size() - length, length, suffix) == 0)
            text.resize(text.size() - length);
    }
    size_t underscore = text.rfind('_');
    if (underscore == std::string::npos || underscore + 1 >= text.size())
        return false;
    std::string digits = text.substr(underscore + 1);
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 10)
        return false;
    long long value = std::stoll(digits);
    if (value > INT32_MAX)
        return false;
    id = static_cast<int32_t>(value);
    return true;
}

bool AnyFolderOf(const CStr& folder) {
    return DirectoryExists(ProfilePath(folder).GetText()) ||
           DirectoryExists(ProfilePath(folder, ".old").GetText()) ||
           DirectoryExists(ProfilePath(folder, ".saving").GetText());
}

// An id for a new career that neither the list (read again from disk, damaged lines too) nor any
// folder uses, and whose folder name is free.
int32_t NewCareerId(const CStr& managerName) {
    CProfileList list;
    ReadCareerList(list);
    std::vector<int32_t> used = list.UsedIds();
    for (const CStr& name : ListDirectory(kProfilesFolder, true)) {
        int32_t id = 0;
        if (IdOfFolderName(name, id))
            used.push_back(id);
    }
    int32_t id = NextUnusedId(used);
    // Names are cut to a length, so an id could still meet an existing folder: step past it.
    for (int tries = 0; tries < 10000 && AnyFolderOf(MakeProfileFolderName(managerName, id)); ++tries) {
        used.push_back(id);
        id = NextUnusedId(used);
    }
    return id;
}

// True when the career's own profile in the folder carries this id.
bool FolderHoldsCareer(const CStr& folder, int32_t id) {
    CStr saved = SavedFolder(folder);
    std::string text;
    if (saved.IsEmpty() || !ReadWholeFile(saved.Concat("/profilelist.dat").GetText(), text))
        return false;
    CProfileList own;
    own.ReadText(text);
    return own.Size() > 0 && own.At(0)->id == id;
}

// Statistics dates feed the date keys that order a player's and a club's history.
bool StatisticsDatesInRange(const CMemoryDB& db, const CStr& folder) {
    for (int row = 0; row < db.playerStats.Size(); ++row) {
        const CPlayerStat* stat = db.playerStats.At(row);
        if (!IsGameDate(stat->Field(2), stat->Field(3), stat->Field(4))) {
            QuorelLog("[LoadCareer] %splayerstatlist.dat record %d has the date %d.%d.%d", folder.GetText(),
                      row, stat->Field(4), stat->Field(3), stat->Field(2));
            return false;
        }
    }
    for (int row = 0; row < db.matchStats.Size(); ++row) {
        const CMatchStat* stat = db.matchStats.At(row);
        if (!IsGameDate(stat->Field(8), stat->Field(7), stat->Field(6))) {
            QuorelLog("[LoadCareer] %smatchstat.dat record %d has the date %d.%d.%d", folder.GetText(), row,
                      stat->Field(6), stat->Field(7), stat->Field(8));
            return false;
        }
    }
    return true;
}

void SetStartDate(CProfile& profile, int32_t dataSet) {
    // The world cup is played in the late summer before the league season.
    if (dataSet == kDataSetWorldCup) {
        profile.year = 2006;
        profile.month = 8;
        profile.day = 17;
    } else {
        profile.year = 2007;
        profile.month = 8;
        profile.day = 1;
    }
    profile.seasonStartYear = profile.year;
    profile.seasonEndYear = profile.year + 1;
    profile.seasonStartMonth = profile.month;
    profile.seasonStartDay = profile.day;
}

} // namespace

const char* DataSetFolder(int32_t dataSet) {
    switch (dataSet) {
    case kDataSetEuroCup:
        return "\\data\\EuroCup\\";
    case kDataSetWorldCup:
        return "\\data\\WorldCup\\";
    default:
        return "\\data\\";
    }
}

int32_t ModeOfDataSet(int32_t dataSet) {
    switch (dataSet) {
    case kDataSetEuroCup:
        return kModeEuroCup;
    case kDataSetWorldCup:
        return kModeWorldCup;
    default:
        return kModeLeague;
    }
}

CStr MakeProfileFolderName(const CStr& managerName, int32_t id) {
    CStr folder;
    for (uint32_t i = 0; i < managerName.Length() && folder.Length() < kMaxFolderLength - 12; ++i) {
        char c = managerName.CharAt(static_cast<int>(i));
        bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (letterOrDigit)
            folder.Append(c);
        else if ((c == ' ' || c == '_' || c == '-') && !folder.IsEmpty() &&
                 folder.CharAt(static_cast<int>(folder.Length()) - 1) != '_')
            folder.Append('_');
    }
    if (folder.IsEmpty())
        folder = "Profile";
    // The id keeps two managers of the same name apart.
    folder.Append(CStr::Formatted("_%d", id));
    return folder;
}

bool ProfileValuesInRange(const CProfile& profile, CStr& problem) {
    if (!IsGameDate(profile.year, profile.month, profile.day))
        problem = CStr::Formatted("the saved date %d.%d.%d is not a day of the game's years", profile.day,
                                  profile.month, profile.year);
    else if (profile.dataSet < kDataSetLeague || profile.dataSet > kDataSetWorldCup)
        problem = CStr::Formatted("the data set %d does not exist", profile.dataSet);
    else if (profile.cupStage < 0 || profile.cupStage > 4)
        problem = CStr::Formatted("the cup stage %d is out of range", profile.cupStage);
    else
        return true;
    return false;
}

bool IsSafeProfileFolder(const CStr& folder) {
    if (folder.IsEmpty() || folder.Length() > kMaxFolderLength)
        return false;
    for (uint32_t i = 0; i < folder.Length(); ++i) {
        char c = folder.CharAt(static_cast<int>(i));
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                  c == '-';
        if (!ok)
            return false;
    }
    return true;
}

bool LoadWorldData(CMemoryDB& world, int32_t dataSet) {
    const char* folder = DataSetFolder(dataSet);
    CMemoryDB loaded;
    if (!loaded.LoadFolder(folder)) {
        QuorelLog("[LoadWorldData] the data set %s could not be loaded", folder);
        return false;
    }
    if (loaded.teams.IsEmpty() || loaded.leagues.IsEmpty()) {
        QuorelLog("[LoadWorldData] the data set %s has no leagues or no teams", folder);
        return false;
    }
    world.Swap(loaded);
    ListCareers(world);
    return true;
}

int ListCareers(CMemoryDB& world) {
    CProfileList list;
    ReadCareerList(list);
    std::vector<CProfile*> gone;
    for (CProfile* profile : list) {
        if (!IsSafeProfileFolder(profile->folder) || SavedFolder(profile->folder).IsEmpty())
            gone.push_back(profile);
    }
    for (CProfile* profile : gone)
        list.Erase(profile);
    world.profiles.Swap(list);
    return world.profiles.Size();
}

void CleanUpCareerFolders() {
    bool changed = false;
    for (const CStr& name : ListDirectory(kProfilesFolder, true)) {
        std::string text = name.Std();
        for (const char* suffix : {".saving", ".old"}) {
            size_t length = std::strlen(suffix);
            if (text.size() <= length || text.compare(text.size() - length, length, suffix) != 0)
                continue;
            CStr folder(text.substr(0, text.size() - length));
            // Only names a save makes; anything else in the folder is not ours to touch.
            int32_t id = 0;
            if (!IsSafeProfileFolder(folder) || !IdOfFolderName(folder, id))
                continue;
            RecoverFolder(folder);
            changed = true;
        }
    }
    if (FileExists(kProfileListTemp)) {
        RemovePath(kProfileListTemp);
        changed = true;
    }
    if (changed)
        SyncDirectory(kProfilesFolder);
}

bool BuildCareerDatabase(CMemoryDB& world, CMemoryDB& career, int32_t dataSet, int32_t clubId,
                         const CStr& managerName) {
    CMemoryDB newWorld;
    if (!LoadWorldData(newWorld, dataSet))
        return false;
    CTeam* worldClub = newWorld.FindTeam(clubId);
    if (!worldClub) {
        QuorelLog("[BuildCareerDatabase] no club with id %d in %s", clubId, DataSetFolder(dataSet));
        return false;
    }
    CMemoryDB newCareer;
    newCareer.teams.Append(new CTeam(worldClub->CopyFields()));
    if (CLeague* worldLeague = newWorld.FindLeague(worldClub->leagueId)) {
        CLeague* league = new CLeague(*worldLeague);
        league->teams.clear();
        newCareer.leagues.Append(league);
    }
    // The squad moves; the world keeps its record of the club for fixtures and tables.
    std::vector<CPlayer*> squad = worldClub->players;
    for (CPlayer* player : squad) {
        newWorld.players.Detach(player);
        newCareer.players.Append(player);
    }
    worldClub->players.clear();
    for (CStaffRecord* member : worldClub->staff)
        newCareer.staff.Append(new CStaffRecord(*member));
    if (worldClub->stadium) {
        newCareer.stadiums.Append(new CStadiumRecord(worldClub->stadium->CopyFields()));
        for (CStadiumWingRecord* wing : worldClub->stadium->wings)
            newCareer.wings.Append(new CStadiumWingRecord(*wing));
    }
    newCareer.Link();
    CMemoryDB::CrossLinkStats(newWorld, newCareer);
    newCareer.UpdateStadiumCapacities();

    CProfile* profile = new CProfile();
    profile->id = NewCareerId(managerName);
    profile->folder = MakeProfileFolderName(managerName, profile->id);
    profile->clubId = clubId;
    profile->managerName = managerName;
    profile->modeTextId = ModeOfDataSet(dataSet);
    profile->dataSet = dataSet;
    SetStartDate(*profile, dataSet);
    newCareer.profiles.Append(profile);
    newCareer.managerClubId = clubId;

    world.Swap(newWorld);
    career.Swap(newCareer);
    return true;
}

bool SaveCareer(CMemoryDB& world, CMemoryDB& career, CareerSaveError* error, CareerSaveFault* fault) {
    CSaveOutcome outcome(error);
    CProfile* profile = career.profiles.At(0);
    if (!profile || !IsSafeProfileFolder(profile->folder))
        return outcome.Fail(CareerSaveFailure::kOther, 0,
                            "the career has no profile or an unusable folder name");
    // Statistics find their player again by his id.
    for (CMemoryDB* db : {&world, &career})
        for (CPlayer* player : db->players)
            for (CPlayerStat* stat : player->stats)
                stat->Field(1) = player->id;
    // The squad order is the user's line-up work: the table follows it.
    if (CTeam* club = career.teams.At(0)) {
        std::vector<CPlayer*> order;
        for (CPlayer* player : club->players)
            if (career.players.IndexOf(player) >= 0 &&
                std::find(order.begin(), order.end(), player) == order.end())
                order.push_back(player);
        for (CPlayer* player : career.players)
            if (std::find(order.begin(), order.end(), player) == order.end())
                order.push_back(player);
        career.players.Reorder(order);
    }

    std::error_code ec;
    std::filesystem::create_directories(ResolvePath(kProfilesFolder).Std(), ec);
    if (ec)
        return outcome.FailErrno(ec.value(), CStr::Formatted("%s cannot be created", kProfilesFolder));
    // The list is read before anything is written: a list that cannot be read would be rewritten
    // without the careers it holds.
    CProfileList list;
    if (!ReadCareerList(list))
        return outcome.Fail(CareerSaveFailure::kListUnreadable, 0,
                            CStr::Formatted("%s cannot be read, so it is not rewritten", kProfileListPath));
    const CStr& folder = profile->folder;
    CProfile* line = list.FindById(profile->id);
    if (line && line->folder != folder)
        return outcome.Fail(
            CareerSaveFailure::kFolderTaken, 0,
            CStr::Formatted("id %d belongs to the career in '%s'", profile->id, line->folder.GetText()));
    if (!line && !SavedFolder(folder).IsEmpty() && !FolderHoldsCareer(folder, profile->id))
        return outcome.Fail(CareerSaveFailure::kFolderTaken, 0,
                            CStr::Formatted("the folder '%s' holds another career", folder.GetText()));

    RecoverFolder(folder);
    CStr staging = ProfilePath(folder, ".saving");
    CStr stagingWorld = staging.Concat("/MainData");
    std::filesystem::create_directories(ResolvePath(stagingWorld).Std(), ec);
    if (ec)
        return outcome.FailErrno(ec.value(), staging.Concat(" cannot be created"));
    auto writeAll = [&](const CStr& into, const CMemoryDB& db, bool withProfiles) {
        for (const auto& [name, bytes] : db.FileImages(withProfiles)) {
            CStr path = into.Concat("/").Concat(name);
            if (!Step(fault)) {
                // A crash part-way through a file leaves a short temporary behind.
                std::string partial = bytes.substr(0, bytes.size() / 2);
                WriteFileAtomic(path.Concat(".part").GetText(), partial);
                return outcome.FailErrno(FaultError(fault), path.Concat(" cannot be written"));
            }
            int code = 0;
            if (!WriteFileAtomic(path.GetText(), bytes, &code))
                return outcome.FailErrno(code, path.Concat(" cannot be written"));
        }
        return SyncDirectory(into.GetText()) ||
               outcome.FailErrno(errno, into.Concat(" cannot be flushed to the disk"));
    };
    if (!writeAll(staging, career, true) || !writeAll(stagingWorld, world, false))
        return false;

    // The swap: each rename is flushed before the next step, so after a crash the disk shows
    // either the previous save (as the folder or as ".old") or the complete new one.
    CStr live = ProfilePath(folder);
    CStr old = ProfilePath(folder, ".old");
    auto rename = [&](const CStr& from, const CStr& to) {
        if (!Step(fault))
            return outcome.FailErrno(FaultError(fault), from.Concat(" cannot be renamed"));
        if (int code = RenamePath(from, to))
            return outcome.FailErrno(code, from.Concat(" cannot be renamed"));
        if (!SyncDirectory(kProfilesFolder))
            return outcome.FailErrno(errno, CStr(kProfilesFolder).Concat(" cannot be flushed to the disk"));
        return true;
    };
    bool hadSave = DirectoryExists(live.GetText());
    if (hadSave && !rename(live, old))
        return false;
    if (!rename(staging, live))
        return false;
    if (hadSave && Step(fault))
        RemovePath(old.GetText());

    // The list of careers: this career's line replaced or added; every other line, parsed or not,
    // stays as it was.
    if (line)
        *line = *profile;
    else
        list.Append(new CProfile(*profile));
    if (!Step(fault))
        return outcome.FailErrno(FaultError(fault), CStr(kProfileListPath).Concat(" cannot be written"));
    int code = 0;
    if (!WriteFileAtomic(kProfileListPath, list.WriteText(), &code))
        return outcome.FailErrno(code, CStr(kProfileListPath).Concat(" cannot be written"));
    SyncDirectory(kProfilesFolder);
    world.profiles.Swap(list);
    return true;
}

bool LoadCareer(CMemoryDB& world, CMemoryDB& career, int32_t profileId) {
    CProfileList list;
    ReadCareerList(list);
    CProfile* entry = list.FindById(profileId);
    if (!entry || !IsSafeProfileFolder(entry->folder)) {
        QuorelLog("[LoadCareer] no usable career with id %d in %s", profileId, kProfileListPath);
        return false;
    }
    CStr saved = SavedFolder(entry->folder);
    if (saved.IsEmpty()) {
        QuorelLog("[LoadCareer] the folder of career %d ('%s') is gone", profileId, entry->folder.GetText());
        return false;
    }
    CStr folder = saved.Concat("\\");
    CStr worldFolder = folder.Concat("MainData\\");
    // A save writes every table; one missing or not whole means the save is damaged, and a career
    // started from a blank table would overwrite it at the next save.
    CMemoryDB newWorld;
    CMemoryDB newCareer;
    if (!newWorld.LoadSavedFolder(worldFolder.GetText(), false) ||
        !newCareer.LoadSavedFolder(folder.GetText(), true)) {
        QuorelLog("[LoadCareer] the career in %s could not be loaded", folder.GetText());
        return false;
    }
    if (newCareer.teams.IsEmpty() || newCareer.profiles.IsEmpty()) {
        QuorelLog("[LoadCareer] %s holds no club or no profile", folder.GetText());
        return false;
    }
    // A folder holding another career's header (copied or renamed by hand) would be saved under
    // that career's id and folder.
    const CProfile* own = newCareer.profiles.At(0);
    if (own->id != entry->id || own->folder != entry->folder) {
        QuorelLog("[LoadCareer] %s holds career %d ('%s'), not %d", folder.GetText(), own->id,
                  own->folder.GetText(), entry->id);
        return false;
    }
    CStr problem;
    if (!ProfileValuesInRange(*newCareer.profiles.At(0), problem)) {
        QuorelLog("[LoadCareer] %sprofilelist.dat: %s", folder.GetText(), problem.GetText());
        return false;
    }
    if (!StatisticsDatesInRange(newWorld, worldFolder) || !StatisticsDatesInRange(newCareer, folder))
        return false;
    newWorld.profiles.Clear();
    // Only this career's header belongs to the career.
    CProfile header = *newCareer.profiles.At(0);
    newCareer.profiles.Clear();
    newCareer.profiles.Append(new CProfile(header));
    newCareer.managerClubId = newCareer.teams.At(0)->id;
    CMemoryDB::CrossLinkStats(newWorld, newCareer);
    newWorld.profiles.Swap(list);
    world.Swap(newWorld);
    career.Swap(newCareer);
    return true;
}

bool DeleteCareer(CMemoryDB& world, int32_t profileId) {
    CProfileList list;
    if (!ReadCareerList(list))
        return false;
    CProfile* entry = list.FindById(profileId);
    if (!entry) {
        QuorelLog("[DeleteCareer] no career with id %d", profileId);
        return false;
    }
    if (IsSafeProfileFolder(entry->folder)) {
        RemovePath(ProfilePath(entry->folder).GetText());
        RemovePath(ProfilePath(entry->folder, ".old").GetText());
        RemovePath(ProfilePath(entry->folder, ".saving").GetText());
    } else {
        // A line naming a folder we would never make is dropped without touching the disk.
        QuorelLog("[DeleteCareer] career %d names the unusable folder '%s'", profileId,
                  entry->folder.GetText());
    }
    list.Erase(entry);
    if (!WriteFileAtomic(kProfileListPath, list.WriteText())) {
        QuorelLog("[DeleteCareer] %s cannot be written", kProfileListPath);
        return false;
    }
    SyncDirectory(kProfilesFolder);
    world.profiles.Swap(list);
    return true;
}
