// What the fuzz targets check, shared with the database tests that replay the regression corpus.
// Each check takes raw input bytes and returns an empty text when the readers behaved, otherwise
// what went wrong. The career and INI checks work in the current directory.
#pragma once

#include "database/Careers.h"
#include "database/SaveManifest.h"
#include "engine/Ini.h"
#include "engine/Paths.h"
#include "engine/Xml.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace fuzz {

// ---- Every table file and the careers list: first byte picks the kind, the rest is the file.

template <class Table> std::string CheckTable(const std::string& bytes) {
    Table table;
    CStr error;
    if (!table.ReadBytes(bytes, error))
        return error.IsEmpty() || table.Size() != 0 ? "a refused file gave no reason or left records" : "";
    std::string written = table.WriteBytes();
    Table again;
    if (!again.ReadBytes(written, error) || again.WriteBytes() != written)
        return "a table read back differently from what it wrote";
    return "";
}

inline std::string CheckProfileList(const std::string& text) {
    CProfileList profiles;
    profiles.ReadText(text);
    std::string written = profiles.WriteText();
    CProfileList again;
    again.ReadText(written);
    if (again.WriteText() != written)
        return "the careers list read back differently from what it wrote";
    if (again.Size() != profiles.Size() || again.KeptLines().size() != profiles.KeptLines().size())
        return "a line changed between careers and kept lines";
    // Every non-blank line is either a career or kept: none is lost.
    size_t lines = 0;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        if (text.substr(begin, end - begin).find_first_not_of(" \t\r") != std::string::npos)
            ++lines;
        begin = end + 1;
    }
    if (lines != static_cast<size_t>(profiles.Size()) + profiles.KeptLines().size())
        return "a line of the careers list was dropped";
    int32_t next = profiles.NextId();
    for (int32_t id : profiles.UsedIds())
        if (id == next)
            return "the next id is already used";
    return "";
}

// The table kinds in file order, then the careers list.
constexpr int kTableKinds = 29;

inline std::string CheckTableInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return "";
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % kTableKinds) {
    case 0:
        return CheckTable<CLeagueList>(bytes);
    case 1:
        return CheckTable<CTeamList>(bytes);
    case 2:
        return CheckTable<CPlayerList>(bytes);
    case 3:
        return CheckTable<CStaffList>(bytes);
    case 4:
        return CheckTable<CStadiumTable>(bytes);
    case 5:
        return CheckTable<CStadiumWingTable>(bytes);
    case 6:
        return CheckTable<CMatchStatList>(bytes);
    case 7:
        return CheckTable<CPlayerStatList>(bytes);
    case 8:
        return CheckTable<CEmailTemplateList>(bytes);
    case 9:
        return CheckTable<CTeamOpinionList>(bytes);
    case 10:
        return CheckTable<CPromotionList>(bytes);
    case 11:
        return CheckTable<CMyPromotionList>(bytes);
    case 12:
        return CheckTable<CLamentList>(bytes);
    case 13:
        return CheckTable<CSponsorTable>(bytes);
    case 14:
        return CheckTable<CSponsorContractTable>(bytes);
    case 15:
        return CheckTable<CFunShopItemList>(bytes);
    case 16:
        return CheckTable<CStorageList>(bytes);
    case 17:
        return CheckTable<CTrainingTypeList>(bytes);
    case 18:
        return CheckTable<CTrainingModifierList>(bytes);
    case 19:
        return CheckTable<CStadiumUpgradeList>(bytes);
    case 20:
        return CheckTable<CMyStadiumUpgradeList>(bytes);
    case 21:
        return CheckTable<CCertificateList>(bytes);
    case 22:
        return CheckTable<CFinanceList>(bytes);
    case 23:
        return CheckTable<CLeagueStandingList>(bytes);
    case 24:
        return CheckTable<CLoanList>(bytes);
    case 25:
        return CheckTable<CEmailList>(bytes);
    case 26:
        return CheckTable<CTable<CWhisper>>(bytes);
    case 27:
        return CheckTable<CTable<CWhisperTemplate>>(bytes);
    default:
        return CheckProfileList(bytes);
    }
}

// ---- A whole saved career: the careers list, the career folder and its MainData folder.
// Input: entries of [slot byte][4-byte little-endian length][bytes]; slot 0 is the careers list,
// then the career folder's files, then MainData's, in CMemoryDB::FileNames order, then the save's
// manifest. A file no entry names is absent. The career folder is always "Fuzz_0".

inline const char* CareerFolderName() {
    return "Fuzz_0";
}

inline std::vector<std::string> CareerSlots() {
    std::vector<std::string> slots = {"data/profiles/profilelist.dat"};
    for (const CStr& name : CMemoryDB::FileNames(true))
        slots.push_back(std::string("data/profiles/") + CareerFolderName() + "/" + name.Std());
    for (const CStr& name : CMemoryDB::FileNames(false))
        slots.push_back(std::string("data/profiles/") + CareerFolderName() + "/MainData/" + name.Std());
    // Last, so the slots of older corpus entries keep their files.
    slots.push_back(std::string("data/profiles/") + CareerFolderName() + "/" + kSaveManifestFile);
    return slots;
}

inline std::map<size_t, std::string> UnpackCareer(const uint8_t* data, size_t size) {
    std::map<size_t, std::string> files;
    size_t slots = CareerSlots().size();
    size_t at = 0;
    while (at + 5 <= size) {
        size_t slot = data[at] % slots;
        uint32_t length = 0;
        for (int i = 0; i < 4; ++i)
            length |= static_cast<uint32_t>(data[at + 1 + static_cast<size_t>(i)]) << (8 * i);
        at += 5;
        size_t take = std::min<size_t>(length, size - at);
        files[slot] = std::string(reinterpret_cast<const char*>(data) + at, take);
        at += take;
    }
    return files;
}

inline std::string PackCareer(const std::map<size_t, std::string>& files) {
    std::string packed;
    for (const auto& [slot, bytes] : files) {
        packed.push_back(static_cast<char>(slot));
        uint32_t length = static_cast<uint32_t>(bytes.size());
        for (int i = 0; i < 4; ++i)
            packed.push_back(static_cast<char>((length >> (8 * i)) & 0xFF));
        packed += bytes;
    }
    return packed;
}

// The files of a saved career under the current directory, by slot.
inline std::map<size_t, std::string> ReadCareerSlots() {
    std::map<size_t, std::string> files;
    std::vector<std::string> slots = CareerSlots();
    for (size_t slot = 0; slot < slots.size(); ++slot) {
        std::ifstream in(slots[slot], std::ios::binary);
        if (in)
            files[slot] = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

inline std::map<std::string, std::string> ProfilesOnDisk() {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it("data/profiles", ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!it->is_regular_file(ec)) {
            files[it->path().string()] = "<folder>";
            continue;
        }
        std::ifstream in(it->path(), std::ios::binary);
        files[it->path().string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

inline std::string DescribeImages(const CMemoryDB& world, const CMemoryDB& career) {
    std::string text;
    for (const auto& [name, bytes] : world.FileImages(false))
        text += name.Std() + "\n" + bytes;
    for (const auto& [name, bytes] : career.FileImages(true))
        text += name.Std() + "\n" + bytes;
    return text;
}

// Links point only at records the two databases own, and histories are in date order.
inline std::string CheckLinks(const CMemoryDB& world, const CMemoryDB& career) {
    for (const CMemoryDB* db : {&world, &career}) {
        for (const CPlayer* player : db->players) {
            for (size_t i = 0; i < player->stats.size(); ++i) {
                const CPlayerStat* stat = player->stats[i];
                if (world.playerStats.IndexOf(stat) < 0 && career.playerStats.IndexOf(stat) < 0)
                    return "a player's statistics record belongs to no table";
                if (i > 0 && player->stats[i - 1]->DateKey() > stat->DateKey())
                    return "a player's statistics are out of date order";
            }
        }
        for (const CTeam* team : db->teams) {
            for (const CPlayer* player : team->players)
                if (db->players.IndexOf(player) < 0)
                    return "a squad holds a player its database does not own";
            if (team->stadium && db->stadiums.IndexOf(team->stadium) < 0)
                return "a club's stadium belongs to no table";
            for (const CMatchStat* stat : team->matchStats)
                if (world.matchStats.IndexOf(stat) < 0 && career.matchStats.IndexOf(stat) < 0)
                    return "a club's match record belongs to no table";
        }
    }
    return "";
}

// Loads every career the list names. A refused load changes neither database nor the disk; a
// career that loads saves and loads again to the same bytes. loaded counts the careers that loaded.
inline std::string CheckCareerInput(const uint8_t* data, size_t size, int* loaded = nullptr) {
    std::error_code ec;
    std::filesystem::remove_all("data/profiles", ec);
    std::vector<std::string> slots = CareerSlots();
    std::filesystem::create_directories("data/profiles/" + std::string(CareerFolderName()) + "/MainData", ec);
    for (const auto& [slot, bytes] : UnpackCareer(data, size))
        std::ofstream(slots[slot], std::ios::binary) << bytes;
    if (loaded)
        *loaded = 0;

    CMemoryDB lister;
    ListCareers(lister);
    std::vector<int32_t> ids;
    for (const CProfile* profile : lister.profiles)
        if (ids.size() < 3)
            ids.push_back(profile->id);
    for (int32_t id : ids) {
        std::map<std::string, std::string> disk = ProfilesOnDisk();
        CMemoryDB world;
        CMemoryDB career;
        if (!LoadCareer(world, career, id)) {
            if (DescribeImages(world, career) != DescribeImages(CMemoryDB(), CMemoryDB()) ||
                world.profiles.Size() != 0 || career.profiles.Size() != 0)
                return "a refused load changed the databases";
            if (ProfilesOnDisk() != disk)
                return "a refused load changed the disk";
            continue;
        }
        if (loaded)
            ++*loaded;
        if (ProfilesOnDisk() != disk)
            return "a load changed the disk";
        CStr problem;
        if (!ProfileValuesInRange(*career.profiles.At(0), problem))
            return "a career loaded with " + problem.Std();
        std::string links = CheckLinks(world, career);
        if (!links.empty())
            return links;
        if (!SaveCareer(world, career))
            return "a loaded career could not be saved again";
        std::string saved = DescribeImages(world, career);
        CMemoryDB world2;
        CMemoryDB career2;
        if (!LoadCareer(world2, career2, career.profiles.At(0)->id))
            return "a saved career did not load again";
        if (DescribeImages(world2, career2) != saved)
            return "a saved career loaded again differently";
    }
    return "";
}

// ---- Private-profile INI files: reading never fails, and a written value reads back while every
// other value keeps its own.

inline std::string CheckIniInput(const uint8_t* data, size_t size) {
    const char* const path = "fuzz.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    static const char* const kKeys[][2] = {
        {"VISUAL", "Enable3DSimulation"},
        {"VISUAL", "EnableFastSimulation"},
        {"LOCAL_FILES", "TooltipFile"},
        {"LOCAL_FILES", "LangFilePath"},
        {"SOUND", "MusicVolume"},
        {"PERFORMANCE", "EnableLeagueSimulation"},
        {"a", "b"},
        {"", ""},
    };
    std::vector<std::string> before;
    for (const auto& key : kKeys) {
        before.push_back(IniGetString(key[0], key[1], "<none>", path).Std());
        IniGetInt(key[0], key[1], -7, path);
    }
    if (!IniWriteString("LOCAL_FILES", "TooltipFile", "fuzzed.txt", path))
        return "an INI value could not be written";
    if (IniGetString("LOCAL_FILES", "TooltipFile", "", path).Std() != "fuzzed.txt")
        return "a written INI value did not read back";
    for (size_t i = 0; i < before.size(); ++i) {
        if (i == 2)
            continue;
        if (IniGetString(kKeys[i][0], kKeys[i][1], "<none>", path).Std() != before[i])
            return std::string("writing one INI value changed ") + kKeys[i][0] + "/" + kKeys[i][1];
    }
    return "";
}

// ---- XML: parsing text never fails hard, and every query on the tree answers.

inline void WalkXml(const XmlNode& node, int depth, int& budget) {
    if (node.IsEmpty() || depth > 200 || --budget < 0)
        return;
    node.TagName();
    node.Attribute("name");
    node.Attribute("id", 1);
    node.HasAttribute("x");
    node.Text();
    node.ChildText("text");
    node.SourceLine();
    node.ChildCount("element");
    int children = node.CountChildren();
    for (int i = 0; i < children && budget > 0; ++i)
        WalkXml(node.ChildAt(i), depth + 1, budget);
}

inline std::string CheckXmlInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* root : {"GUI", "InitData", "element", "tactic"}) {
        CStr error;
        XmlNode node = XmlNode::Parse(text.c_str(), root, &error);
        int budget = 20000;
        WalkXml(node, 0, budget);
    }
    FormatXmlParseError("fuzz.xml", "reason", text, static_cast<long>(size / 2));
    FormatXmlParseError("fuzz.xml", "reason", text, static_cast<long>(size));
    return "";
}

} // namespace fuzz
