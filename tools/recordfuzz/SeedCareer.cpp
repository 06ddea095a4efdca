// Writes career inputs for the career fuzz target: "recordfuzz_seed <game folder> <out>" packs a
// career saved from the generated league data set; "recordfuzz_seed --regressions <out>" writes the
// small damaged careers the database tests replay (a name starting "loads-" must load, "refused-"
// must not).
#include "database/Careers.h"
#include "database/Ownership.h"
#include "tools/recordfuzz/FuzzChecks.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool Save(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

CPlayerStat* Stat(int32_t year, int32_t month, int32_t day) {
    CPlayerStat* stat = new CPlayerStat();
    stat->Field(2) = year;
    stat->Field(3) = month;
    stat->Field(4) = day;
    stat->Field(10) = 12;
    return stat;
}

// A career "Fuzz_0" for the club with statistics on both sides, saved under the current folder.
bool SaveSeedCareer(int32_t clubId) {
    CMemoryDB world;
    CMemoryDB career;
    if (!BuildCareerDatabase(world, career, kDataSetLeague, clubId, "Fuzz"))
        return false;
    CTeam* club = career.teams.At(0);
    AddPlayerStat(career, club->players.at(0), Stat(2007, 9, 1));
    AddPlayerStat(career, club->players.at(1), Stat(2007, 8, 20));
    if (CTeam* other = world.FindTeam(clubId == 0 ? 1 : 0); other && !other->players.empty())
        AddPlayerStat(world, other->players[0], Stat(2007, 9, 1));
    CMatchStat* match = new CMatchStat();
    match->Field(3) = clubId;
    match->Field(6) = 1;
    match->Field(7) = 9;
    match->Field(8) = 2007;
    AddMatchStat(career, club, match);
    CEmail* mail = new CEmail();
    mail->id = 0;
    mail->type = 100152;
    career.emails.Add(mail);
    return SaveCareer(world, career);
}

// The smallest world a career starts from: one league, two clubs of two players, one stadium.
bool WriteSmallWorld() {
    CMemoryDB world;
    CLeague* league = world.leagues.Append(new CLeague());
    league->id = 0;
    league->type = 100005;
    for (int32_t id = 0; id < 2; ++id) {
        CTeam* team = world.teams.Append(new CTeam());
        team->id = id;
        team->leagueId = 0;
        team->name = CStr::Formatted("Club %d", id);
        team->stadiumKey = "std_eu_01";
        for (int32_t p = 0; p < 2; ++p) {
            CPlayer* player = world.players.Append(new CPlayer());
            player->id = id * 2 + p;
            player->teamId = id;
            player->name = CStr::Formatted("Player %d", player->id);
        }
    }
    CStadiumRecord* stadium = world.stadiums.Append(new CStadiumRecord());
    stadium->id = 0;
    stadium->teamId = 0;
    for (int32_t part : {kCorePart, kFirstSeatPart}) {
        CStadiumWingRecord* wing = world.wings.Append(new CStadiumWingRecord());
        wing->partId = part;
        wing->stadiumId = 0;
        wing->seats = part == kFirstSeatPart ? 1000 : 0;
    }
    CStaffRecord* coach = world.staff.Append(new CStaffRecord());
    coach->id = 0;
    coach->clubId = 0;
    coach->category = 80055;
    world.Link();
    return world.SaveFolder("\\data\\", false);
}

size_t SlotOf(const std::string& path) {
    std::vector<std::string> slots = fuzz::CareerSlots();
    for (size_t slot = 0; slot < slots.size(); ++slot)
        if (slots[slot].size() >= path.size() &&
            slots[slot].compare(slots[slot].size() - path.size(), path.size(), path) == 0)
            return slot;
    std::fprintf(stderr, "no slot for %s\n", path.c_str());
    std::exit(1);
}

std::string WithCount(const std::string& bytes, uint32_t count) {
    std::string changed = bytes;
    for (int i = 0; i < 4; ++i)
        changed[static_cast<size_t>(i)] = static_cast<char>((count >> (8 * i)) & 0xFF);
    return changed;
}

uint32_t CountOf(const std::string& bytes) {
    uint32_t count = 0;
    for (int i = 3; i >= 0; --i)
        count = count * 256 + static_cast<uint8_t>(bytes[static_cast<size_t>(i)]);
    return count;
}

bool WriteRegressions(const fs::path& out) {
    if (!WriteSmallWorld() || !fs::create_directories("data/profiles") || !SaveSeedCareer(0))
        return false;
    // The readers' cases go without the manifest, which would refuse every changed file first.
    const std::map<size_t, std::string> withManifest = fuzz::ReadCareerSlots();
    const size_t manifest = fuzz::CareerSlots().size() - 1;
    std::map<size_t, std::string> good = withManifest;
    good.erase(manifest);
    auto variant = [&](const char* name, auto&& change) {
        std::map<size_t, std::string> files = good;
        change(files);
        return Save(out / name, fuzz::PackCareer(files));
    };
    auto profileLine = [&](std::map<size_t, std::string>& files, const char* from, const char* to) {
        for (size_t slot : {SlotOf("data/profiles/profilelist.dat"), SlotOf("Fuzz_0/profilelist.dat")}) {
            std::string& text = files[slot];
            size_t at = text.find(from);
            if (at != std::string::npos)
                text.replace(at, std::strlen(from), to);
        }
    };
    const size_t careerPlayers = SlotOf("Fuzz_0/playerlist.dat");
    const size_t worldTeams = SlotOf("MainData/teamlist.dat");
    const size_t careerStats = SlotOf("Fuzz_0/playerstatlist.dat");
    bool ok = variant("loads-small-career", [](auto&) {});
    // A damaged line's career is listed again from its folder's own header.
    ok = ok && variant("loads-garbled-list-line",
                       [&](auto& files) { files[0].replace(files[0].find("|0|2007"), 3, "|x9"); });
    ok = ok && variant("refused-missing-career-table",
                       [&](auto& files) { files.erase(SlotOf("Fuzz_0/loan.dat")); });
    ok = ok && variant("refused-missing-world-table",
                       [&](auto& files) { files.erase(SlotOf("MainData/whispers.dat")); });
    ok = ok && variant("refused-short-count", [&](auto& files) {
             files[careerPlayers] = WithCount(files[careerPlayers], CountOf(files[careerPlayers]) - 1);
         });
    ok = ok &&
         variant("refused-trailing-bytes", [&](auto& files) { files[worldTeams] += std::string(4, '\0'); });
    ok = ok && variant("refused-huge-count",
                       [&](auto& files) { files[careerStats] = WithCount(files[careerStats], 0x7FFFFFFF); });
    ok = ok &&
         variant("refused-bad-date", [&](auto& files) { profileLine(files, "|2007|8|30|", "|99|13|30|"); });
    ok = ok && variant("refused-stat-year-at-the-limit", [&](auto& files) {
             std::string& stats = files[careerStats];
             for (size_t at = 4 + 4; at + 4 <= stats.size(); at += 4 * kPlayerStatFields)
                 stats.replace(at, 4, std::string("\xFF\xFF\xFF\x7F", 4));
         });
    ok = ok && variant("refused-bad-data-set",
                       [&](auto& files) { profileLine(files, "|100063|0|0|", "|100063|7|0|"); });
    // Two parts of a stadium with 2,000,000,000 seats each: the capacity is their sum.
    ok = ok && variant("loads-two-parts-of-two-billion-seats", [&](auto& files) {
             std::string& wings = files[SlotOf("Fuzz_0/stadionwings.dat")];
             for (size_t at = 4 + 9 * 4; at + 4 <= wings.size(); at += 4 * 18)
                 wings.replace(at, 4, std::string("\x00\x94\x35\x77", 4));
         });
    // A fixture in the last year an int32 holds: the day loop would run towards it for ever.
    ok = ok && variant("refused-fixture-year-at-the-limit", [&](auto& files) {
             std::string fixture = WithCount(std::string(4, '\0'), 1);
             for (uint32_t value : {1u, 0u, 0x7FFFFFFFu, 9u, 3u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0u})
                 fixture += WithCount(std::string(4, '\0'), value);
             files[SlotOf("Fuzz_0/leaguetable.dat")] = fixture;
         });
    // The manifest as the packed files stand: tables the slots do not hold (the later ones) are not
    // on the replayed disk, so their lines go (a manifest must list every file of the save, and
    // every file it lists must be there).
    std::string manifestText;
    {
        const std::string& written = withManifest.at(manifest);
        const std::vector<std::string> slots = fuzz::CareerSlots();
        size_t listed = 0;
        size_t at = written.find('\n') + 1;
        manifestText = written.substr(0, at);
        for (size_t next; (next = written.find('\n', at)) != std::string::npos; at = next + 1) {
            const std::string line = written.substr(at, next - at);
            if (line.rfind("end ", 0) == 0)
                break;
            const std::string name = line.substr(line.find(' ', line.find(' ') + 1) + 1);
            const std::string path = std::string("data/profiles/") + fuzz::CareerFolderName() + "/" + name;
            if (std::find(slots.begin(), slots.end(), path) == slots.end())
                continue;
            manifestText += line + "\n";
            ++listed;
        }
        manifestText += "end " + std::to_string(listed) + "\n";
    }
    auto manifestVariant = [&](const char* name, const std::string& text) {
        std::map<size_t, std::string> files = withManifest;
        files[manifest] = text;
        return Save(out / name, fuzz::PackCareer(files));
    };
    // With its manifest the save loads; one flipped byte under it is caught. Both go with the
    // manifest as the packed files stand, or the save is refused for the tables it lacks.
    ok = ok && manifestVariant("loads-with-manifest", manifestText);
    ok = ok && [&] {
        std::map<size_t, std::string> files = withManifest;
        files[manifest] = manifestText;
        std::string& teams = files[worldTeams];
        teams[teams.find("Club 0") + 5] = '9';
        return Save(out / "refused-byte-flipped-under-manifest", fuzz::PackCareer(files));
    }();
    // A hand-edited manifest does not switch its check off: one that lists nothing, and one whose
    // line of a table is taken out (the count following), are refused; Windows line endings read.
    ok = ok && manifestVariant("refused-manifest-listing-nothing",
                               manifestText.substr(0, manifestText.find('\n') + 1) + "end 0\n");
    ok = ok && [&] {
        std::string text = manifestText;
        const size_t line = text.find(" MainData/teamlist.dat\n");
        const size_t start = text.rfind('\n', line) + 1;
        text.erase(start, text.find('\n', line) + 1 - start);
        const size_t end = text.rfind("end ");
        text = text.substr(0, end) + "end " + std::to_string(std::stoi(text.substr(end + 4)) - 1) + "\n";
        return manifestVariant("refused-manifest-without-a-table-line", text);
    }();
    ok = ok && [&] {
        std::string text;
        for (char c : manifestText)
            text += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return manifestVariant("loads-manifest-with-windows-line-endings", text);
    }();
    // The header's club must be the save's own club.
    ok = ok && variant("refused-header-club-not-in-the-save",
                       [&](auto& files) { profileLine(files, "|0|2007|8|30|", "|-5|2007|8|30|"); });
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <game folder> <out folder> | --regressions <out folder>\n", argv[0]);
        return 2;
    }
    fs::path out = fs::absolute(argv[2]);
    fs::create_directories(out);
    std::string pattern = (fs::temp_directory_path() / "fbseed-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 1;
    fs::path work = pattern;
    bool regressions = std::string(argv[1]) == "--regressions";
    if (!regressions)
        fs::copy(fs::path(argv[1]) / "data", work / "data", fs::copy_options::recursive);
    fs::current_path(work);
    fs::remove_all(work / "data/profiles");
    bool ok = false;
    if (regressions) {
        ok = WriteRegressions(out);
    } else {
        fs::create_directories(work / "data/profiles");
        ok = SaveSeedCareer(9) && Save(out / "seed-career", fuzz::PackCareer(fuzz::ReadCareerSlots()));
    }
    fs::current_path("/");
    fs::remove_all(work);
    if (!ok)
        std::fprintf(stderr, "recordfuzz_seed: the career could not be built\n");
    return ok ? 0 : 1;
}
