// Loading, saving and linking of one database.
#include "database/MemoryDB.h"

#include "engine/Log.h"
#include "engine/Paths.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Every plain table with its file name, in the order the files are written. Mails, rumours and
// the profile list are handled apart.
#define FB_PLAIN_TABLES(X)                                                                                   \
    X("league.dat", leagues)                                                                                 \
    X("teamlist.dat", teams)                                                                                 \
    X("playerlist.dat", players)                                                                             \
    X("stafflist.dat", staff)                                                                                \
    X("stadionlist.dat", stadiums)                                                                           \
    X("stadionwings.dat", wings)                                                                             \
    X("matchstat.dat", matchStats)                                                                           \
    X("playerstatlist.dat", playerStats)                                                                     \
    X("email.dat", emailTemplates)                                                                           \
    X("teamopinions.dat", opinions)                                                                          \
    X("promotions.dat", promotions)                                                                          \
    X("my_promotion.dat", myPromotions)                                                                      \
    X("my_lament.dat", laments)                                                                              \
    X("sponsorlist.dat", sponsorOffers)                                                                      \
    X("sponsorcontracts.dat", sponsorContracts)                                                              \
    X("funshop.dat", funShopItems)                                                                           \
    X("my_storage.dat", storage)                                                                             \
    X("trainingtypes.dat", trainingTypes)                                                                    \
    X("trainingmodifiers.dat", trainingModifiers)                                                            \
    X("StadiumUpgrade.dat", stadiumUpgrades)                                                                 \
    X("My_StadiumUpgrades.dat", myStadiumUpgrades)                                                           \
    X("my_certificates.dat", certificates)                                                                   \
    X("finances.dat", finances)                                                                              \
    X("leaguetable.dat", leagueStandings)                                                                    \
    X("loan.dat", loans)

// Career tables added after the first saves: read when there, written with every career.
#define FB_LATER_CAREER_TABLES(X)                                                                            \
    X("my_campbookings.dat", campBookings)                                                                   \
    X("my_trainingdays.dat", trainingDays)                                                                   \
    X("my_trainingentries.dat", trainingEntries)                                                             \
    X("my_trainedvalues.dat", trainedValues)                                                                 \
    X("my_daysteps.dat", careerSteps)                                                                        \
    X("my_trainingplans.dat", trainingPlanFor)

template <class DB, class F> void ForEachPlainTable(DB& db, F&& f) {
#define FB_VISIT(file, member) f(file, db.member);
    FB_PLAIN_TABLES(FB_VISIT)
#undef FB_VISIT
}

template <class DB, class F> void ForEachLaterTable(DB& db, F&& f) {
#define FB_VISIT(file, member) f(file, db.member);
    FB_LATER_CAREER_TABLES(FB_VISIT)
#undef FB_VISIT
}

const char* const kEmailFile = "my_email.dat";
const char* const kWhisperFile = "whisperlist.dat";
const char* const kWhisperTemplateFile = "whispers.dat";
const char* const kProfileFile = "profilelist.dat";

CStr JoinPath(const char* folder, const char* name) {
    CStr path(folder);
    if (path.IsEmpty() || (path.CharAt(static_cast<int>(path.Length()) - 1) != '\\' &&
                           path.CharAt(static_cast<int>(path.Length()) - 1) != '/'))
        path.Append('/');
    path.Append(name);
    return path;
}

// Reads one table file; a missing file is an empty table unless the file must be there. On
// failure reason says what is wrong, as a clause about the file.
template <class Table>
bool ReadTableFile(const char* folder, const char* name, Table& table, bool required, CStr& reason,
                   bool& missing) {
    CStr path = JoinPath(folder, name);
    std::string bytes;
    if (!ReadWholeFile(path.GetText(), bytes)) {
        // Only a failed read pays for the second look.
        missing = !FileExists(path.GetText());
        if (missing && !required) {
            table.Clear();
            return true;
        }
        reason = missing ? CStr("it is missing") : CStr("it cannot be read");
        return false;
    }
    CStr detail;
    if (!table.ReadBytes(bytes, detail)) {
        reason = CStr::Formatted("it does not read as the game's data (%s)", detail.GetText());
        return false;
    }
    return true;
}

} // namespace

std::vector<CStr> CMemoryDB::FileNames(bool withProfiles) {
    std::vector<CStr> names;
#define FB_NAME(file, member) names.push_back(CStr(file));
    FB_PLAIN_TABLES(FB_NAME)
#undef FB_NAME
    names.push_back(CStr(kEmailFile));
    names.push_back(CStr(kWhisperFile));
    names.push_back(CStr(kWhisperTemplateFile));
    if (withProfiles)
        names.push_back(CStr(kProfileFile));
    return names;
}

bool CMemoryDB::LoadFolder(const char* folder, TableReadFailure* failure) {
    return Load(folder, Reading{false, true, true, true}, failure);
}

bool CMemoryDB::LoadSavedFolder(const char* folder, bool withProfiles, TableReadFailure* failure) {
    return Load(folder, Reading{true, withProfiles, true, true}, failure);
}

bool CMemoryDB::LoadWorldFolder(const char* folder, bool link, TableReadFailure* failure) {
    return Load(folder, Reading{true, false, false, link}, failure);
}

bool CMemoryDB::Load(const char* folder, const Reading& how, TableReadFailure* failure) {
    CMemoryDB loaded;
    TableReadFailure failed;
    bool ok = true;
    auto read = [&](const char* name, auto& table, bool required) {
        if (ok && !(ok = ReadTableFile(folder, name, table, required, failed.reason, failed.missing)))
            failed.file = JoinPath(folder, name);
    };
    ForEachPlainTable(loaded, [&](const char* name, auto& table) { read(name, table, how.everyFile); });
    if (how.careerTables)
        ForEachLaterTable(loaded, [&](const char* name, auto& table) { read(name, table, false); });
    read(kEmailFile, static_cast<CTable<CEmail>&>(loaded.emails), how.everyFile);
    read(kWhisperFile, loaded.whispers.whispers, how.everyFile);
    read(kWhisperTemplateFile, loaded.whispers.templates, how.everyFile);
    CStr profilePath = JoinPath(folder, kProfileFile);
    std::string text;
    if (ok && how.careerTables && FileExists(profilePath.GetText())) {
        if (ReadWholeFile(profilePath.GetText(), text))
            loaded.profiles.ReadText(text);
        else if (how.everyFile) {
            ok = false;
            failed.reason = "it cannot be read";
            failed.file = profilePath;
        }
    } else if (ok && how.careerTables && how.everyFile && how.withProfiles) {
        ok = false;
        failed.reason = "it is missing";
        failed.missing = true;
        failed.file = profilePath;
    }
    if (!ok) {
        QuorelLog("[CMemoryDB::LoadFolder] %s: %s", failed.file.GetText(), failed.reason.GetText());
        if (failure)
            *failure = failed;
        return false;
    }
    if (!how.link) {
        Swap(loaded);
        return true;
    }
    loaded.AfterRead();
    loaded.Link();
    loaded.UpdateStadiumCapacities();
    if (CProfile* profile = loaded.profiles.At(0))
        loaded.managerClubId = profile->clubId;
    Swap(loaded);
    return true;
}

void CMemoryDB::AfterRead() {
    // A player plays where he is best until the team sheet says otherwise; a saved team sheet's
    // position (one of the five) is kept, so a reload does not undo the line-up.
    for (CPlayer* player : players) {
        const int32_t played = player->words[kWordPlayedPosition];
        if (played < 80063 || played > 80067) // the five position texts
            player->words[kWordPlayedPosition] = player->words[kWordPosition];
    }
    emails.FileAll();
}

void CMemoryDB::UpdateStadiumCapacities() {
    for (CStadiumRecord* stadium : stadiums) {
        int32_t seats = 0;
        for (CStadiumWingRecord* wing : stadium->wings)
            seats = ClampedSum(seats, wing->seats);
        stadium->capacity = seats;
    }
}

void CMemoryDB::ForEachSavedRecord(bool withProfiles,
                                   const std::function<void(const char* file, CRecord& record)>& visit) {
    auto each = [&](const char* name, const auto& table) {
        for (CRecord* record : table)
            visit(name, *record);
    };
    ForEachPlainTable(*this, each);
    for (CEmail* mail : emails.MailsToSave())
        visit(kEmailFile, *mail);
    each(kWhisperFile, whispers.whispers);
    each(kWhisperTemplateFile, whispers.templates);
    if (withProfiles)
        ForEachLaterTable(*this, each);
}

std::vector<std::pair<CStr, std::string>> CMemoryDB::FileImages(bool withProfiles) const {
    std::vector<std::pair<CStr, std::string>> files;
    ForEachPlainTable(*this, [&](const char* name, const auto& table) {
        files.emplace_back(CStr(name), table.WriteBytes());
    });
    // Mails go out folder by folder; a mail taken out of its folder is not written again.
    files.emplace_back(CStr(kEmailFile), CTable<CEmail>::WriteRecords(emails.MailsToSave()));
    files.emplace_back(CStr(kWhisperFile), whispers.whispers.WriteBytes());
    files.emplace_back(CStr(kWhisperTemplateFile), whispers.templates.WriteBytes());
    if (withProfiles) {
        files.emplace_back(CStr(kProfileFile), profiles.WriteText());
        ForEachLaterTable(*this, [&](const char* name, const auto& table) {
            files.emplace_back(CStr(name), table.WriteBytes());
        });
    }
    return files;
}

bool CMemoryDB::SaveFolder(const char* folder, bool withProfiles) const {
    if (!CreateDirectories(folder) && !DirectoryExists(folder)) {
        QuorelLog("[CMemoryDB::SaveFolder] %s: cannot create the folder", folder);
        return false;
    }
    for (const auto& [name, bytes] : FileImages(withProfiles)) {
        CStr path = JoinPath(folder, name.GetText());
        if (!WriteFileAtomic(path.GetText(), bytes)) {
            QuorelLog("[CMemoryDB::SaveFolder] %s: cannot be written", path.GetText());
            return false;
        }
    }
    return true;
}

void CMemoryDB::Link() {
    std::unordered_map<int32_t, CLeague*> leagueById;
    for (CLeague* league : leagues) {
        league->teams.clear();
        leagueById.emplace(league->id, league);
    }
    std::unordered_map<int32_t, CTeam*> teamById;
    for (CTeam* team : teams) {
        team->matchStats.clear();
        team->players.clear();
        team->staff.clear();
        team->stadium = nullptr;
        teamById.emplace(team->id, team);
        auto league = leagueById.find(team->leagueId);
        if (league != leagueById.end())
            league->second->teams.push_back(team);
    }
    std::unordered_map<int32_t, CPlayer*> playerById;
    for (CPlayer* player : players) {
        player->stats.clear();
        playerById.emplace(player->id, player);
        auto team = teamById.find(player->teamId);
        if (team != teamById.end())
            team->second->players.push_back(player);
    }
    for (CStaffRecord* member : staff) {
        auto team = teamById.find(member->clubId);
        if (team != teamById.end())
            team->second->staff.push_back(member);
    }
    std::unordered_map<int32_t, CStadiumRecord*> stadiumById;
    for (CStadiumRecord* stadium : stadiums) {
        stadium->wings.clear();
        stadiumById.emplace(stadium->id, stadium);
        auto team = teamById.find(stadium->teamId);
        if (team != teamById.end() && !team->second->stadium)
            team->second->stadium = stadium;
    }
    for (CStadiumWingRecord* wing : wings) {
        auto stadium = stadiumById.find(wing->stadiumId);
        if (stadium != stadiumById.end())
            stadium->second->wings.push_back(wing);
    }
    for (CMatchStat* stat : matchStats) {
        auto team = teamById.find(stat->TeamId());
        if (team != teamById.end())
            team->second->matchStats.push_back(stat);
    }
    for (CPlayerStat* stat : playerStats) {
        auto player = playerById.find(stat->PlayerId());
        if (player != playerById.end())
            player->second->stats.push_back(stat);
    }
}

void CMemoryDB::CrossLinkStats(CMemoryDB& world, CMemoryDB& career) {
    std::unordered_map<int32_t, std::vector<CPlayerStat*>> byOwner;
    for (CPlayerStat* stat : world.playerStats)
        byOwner[stat->PlayerId()].push_back(stat);
    for (CPlayerStat* stat : career.playerStats)
        byOwner[stat->PlayerId()].push_back(stat);
    for (auto& [owner, stats] : byOwner)
        std::stable_sort(stats.begin(), stats.end(), [](const CPlayerStat* a, const CPlayerStat* b) {
            return a->DateKey() < b->DateKey();
        });
    // Club records likewise: the user's club plays from the career, its match records go to the
    // world's table, and Link() alone would hand them to the world's copy of the club. A club the
    // career holds keeps its records there only.
    std::unordered_map<int32_t, std::vector<CMatchStat*>> byClub;
    for (CMemoryDB* db : {&world, &career})
        for (CMatchStat* stat : db->matchStats)
            byClub[stat->TeamId()].push_back(stat);
    for (auto& [club, stats] : byClub)
        std::stable_sort(stats.begin(), stats.end(), [](const CMatchStat* a, const CMatchStat* b) {
            return a->DateKey() < b->DateKey();
        });
    for (CMemoryDB* db : {&world, &career}) {
        for (CPlayer* player : db->players) {
            auto found = byOwner.find(player->id);
            if (found == byOwner.end())
                player->stats.clear();
            else
                player->stats = found->second;
        }
        for (CTeam* team : db->teams) {
            auto found = byClub.find(team->id);
            if (found == byClub.end() || (db == &world && career.FindTeam(team->id) != nullptr))
                team->matchStats.clear();
            else
                team->matchStats = found->second;
        }
    }
}

void CMemoryDB::Clear() {
    ForEachPlainTable(*this, [](const char*, auto& table) { table.Clear(); });
    ForEachLaterTable(*this, [](const char*, auto& table) { table.Clear(); });
    emails.ClearAll();
    whispers.whispers.Clear();
    whispers.templates.Clear();
    profiles.Clear();
    managerClubId = -1;
    unsavedCareer = false;
    choices.clear();
    rounds.clear();
    savedManifest.clear();
}

void CMemoryDB::Swap(CMemoryDB& other) noexcept {
#define FB_SWAP(file, member) member.Swap(other.member);
    FB_PLAIN_TABLES(FB_SWAP)
    FB_LATER_CAREER_TABLES(FB_SWAP)
#undef FB_SWAP
    emails.SwapAll(other.emails);
    whispers.whispers.Swap(other.whispers.whispers);
    whispers.templates.Swap(other.whispers.templates);
    profiles.Swap(other.profiles);
    std::swap(managerClubId, other.managerClubId);
    std::swap(unsavedCareer, other.unsavedCareer);
    choices.swap(other.choices);
    rounds.swap(other.rounds);
    savedManifest.swap(other.savedManifest);
}
