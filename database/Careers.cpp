// New careers, saving, listing, loading and deleting profile folders.
#include "database/Careers.h"

#include "engine/Log.h"
#include "engine/Paths.h"

#include <filesystem>
#include <system_error>

namespace {

const char* const kProfilesFolder = "\\data\\profiles\\";
const char* const kProfileListPath = "\\data\\profiles\\profilelist.dat";
const size_t kMaxFolderLength = 48;

CStr ProfilePath(const CStr& folder, const char* suffix = "") {
    return CStr(kProfilesFolder).Concat(folder).Concat(suffix);
}

bool RenamePath(const CStr& from, const CStr& to) {
    std::error_code ec;
    std::filesystem::rename(ResolvePath(from).Std(), ResolvePath(to).Std(), ec);
    return !ec;
}

bool Step(CareerSaveFault* fault) {
    if (!fault)
        return true;
    if (fault->stopAfterSteps >= 0 && fault->steps >= fault->stopAfterSteps)
        return false;
    ++fault->steps;
    return true;
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

bool ReadCareerList(CProfileList& list) {
    list.Clear();
    std::string text;
    if (FileExists(kProfileListPath) && !ReadWholeFile(kProfileListPath, text)) {
        QuorelLog("[ListCareers] %s cannot be read", kProfileListPath);
        return false;
    }
    list.ReadText(text);
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
        if (!IsSafeProfileFolder(profile->folder)) {
            gone.push_back(profile);
            continue;
        }
        RecoverFolder(profile->folder);
        if (!DirectoryExists(ProfilePath(profile->folder).GetText()))
            gone.push_back(profile);
    }
    for (CProfile* profile : gone)
        list.Erase(profile);
    world.profiles.Swap(list);
    return world.profiles.Size();
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
    profile->id = newWorld.profiles.NextId();
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

bool SaveCareer(CMemoryDB& world, CMemoryDB& career, CareerSaveFault* fault) {
    CProfile* profile = career.profiles.At(0);
    if (!profile || !IsSafeProfileFolder(profile->folder)) {
        QuorelLog("[SaveCareer] the career has no profile or an unusable folder name");
        return false;
    }
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

    const CStr& folder = profile->folder;
    CreateDirectories(kProfilesFolder);
    RecoverFolder(folder);
    CStr staging = ProfilePath(folder, ".saving");
    CStr stagingWorld = staging.Concat("/MainData");
    if (!CreateDirectories(stagingWorld.GetText())) {
        QuorelLog("[SaveCareer] %s cannot be created", staging.GetText());
        return false;
    }
    auto writeAll = [&](const CStr& into, const CMemoryDB& db, bool withProfiles) {
        for (const auto& [name, bytes] : db.FileImages(withProfiles)) {
            CStr path = into.Concat("/").Concat(name);
            if (!Step(fault)) {
                // A crash part-way through a file leaves a short temporary behind.
                std::string partial = bytes.substr(0, bytes.size() / 2);
                WriteFileAtomic(path.Concat(".part").GetText(), partial);
                return false;
            }
            if (!WriteFileAtomic(path.GetText(), bytes)) {
                QuorelLog("[SaveCareer] %s cannot be written", path.GetText());
                return false;
            }
        }
        return true;
    };
    if (!writeAll(staging, career, true) || !writeAll(stagingWorld, world, false))
        return false;

    CStr live = ProfilePath(folder);
    CStr old = ProfilePath(folder, ".old");
    bool hadSave = DirectoryExists(live.GetText());
    if (hadSave && (!Step(fault) || !RenamePath(live, old)))
        return false;
    if (!Step(fault) || !RenamePath(staging, live))
        return false;
    if (hadSave && Step(fault))
        RemovePath(old.GetText());

    // The list of careers: this career's line replaced or added.
    CProfileList list;
    ReadCareerList(list);
    if (CProfile* line = list.FindById(profile->id))
        *line = *profile;
    else
        list.Append(new CProfile(*profile));
    if (!Step(fault) || !WriteFileAtomic(kProfileListPath, list.WriteText())) {
        QuorelLog("[SaveCareer] %s cannot be written", kProfileListPath);
        return false;
    }
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
    RecoverFolder(entry->folder);
    CStr folder = ProfilePath(entry->folder, "\\");
    CStr worldFolder = folder.Concat("MainData\\");
    // A career without its core tables is not a career: refuse it rather than start a blank one.
    const char* careerCore[] = {"teamlist.dat", "league.dat", "profilelist.dat"};
    const char* worldCore[] = {"teamlist.dat", "league.dat"};
    for (const char* name : careerCore) {
        if (!FileExists(folder.Concat(name).GetText())) {
            QuorelLog("[LoadCareer] %s%s is missing", folder.GetText(), name);
            return false;
        }
    }
    for (const char* name : worldCore) {
        if (!FileExists(worldFolder.Concat(name).GetText())) {
            QuorelLog("[LoadCareer] %s%s is missing", worldFolder.GetText(), name);
            return false;
        }
    }
    CMemoryDB newWorld;
    CMemoryDB newCareer;
    if (!newWorld.LoadFolder(worldFolder.GetText()) || !newCareer.LoadFolder(folder.GetText())) {
        QuorelLog("[LoadCareer] the career in %s could not be loaded", folder.GetText());
        return false;
    }
    if (newCareer.teams.IsEmpty() || newCareer.profiles.IsEmpty()) {
        QuorelLog("[LoadCareer] %s holds no club or no profile", folder.GetText());
        return false;
    }
    newWorld.profiles.Clear();
    // Only this career's header belongs to the career.
    while (newCareer.profiles.Size() > 1)
        newCareer.profiles.Erase(newCareer.profiles.At(1));
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
    world.profiles.Swap(list);
    return true;
}
