// Writing and checking a saved career's manifest.
#include "database/SaveManifest.h"

#include "engine/Paths.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

const char* const kSaveManifestFile = "manifest.txt";
const char* const kSaveChoicesFile = "choices.txt";
const char* const kSaveRoundsFile = "rounds.txt";

namespace {

const char* const kHeader = "Fastbreak save";

// Eight tables, so the checksum takes eight bytes a step ("slicing by 8"); the sums are the plain
// byte-at-a-time CRC-32's.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

CrcTables MakeCrcTables() {
    CrcTables tables{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n)
        for (size_t t = 1; t < 8; ++t)
            tables[t][n] = (tables[t - 1][n] >> 8) ^ tables[0][tables[t - 1][n] & 0xFF];
    return tables;
}

// Save files by their path inside the folder ('/' separated), sorted; temporaries are not part of
// a save.
std::vector<std::string> SaveFiles(const fs::path& root) {
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        std::string relative = fs::relative(it->path(), root, ec).generic_string();
        if (relative == kSaveManifestFile || it->path().extension() == ".tmp" ||
            it->path().extension() == ".part")
            continue;
        files.push_back(relative);
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

uint32_t Crc32(const std::string& bytes) {
    static const CrcTables t = MakeCrcTables();
    uint32_t c = 0xFFFFFFFFu;
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    size_t n = bytes.size();
    for (; n >= 8; n -= 8, p += 8) {
        uint32_t lo =
            c ^ (uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
        uint32_t hi = uint32_t(p[4]) | uint32_t(p[5]) << 8 | uint32_t(p[6]) << 16 | uint32_t(p[7]) << 24;
        c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
            t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
    }
    for (; n > 0; --n, ++p)
        c = t[0][(c ^ *p) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

bool WriteSaveManifest(const CStr& folder, int* error) {
    fs::path root = ResolvePath(folder).Std();
    std::vector<SaveManifestEntry> entries;
    for (std::string& name : SaveFiles(root)) {
        std::string bytes;
        if (!ReadWholeFile((root / name).string().c_str(), bytes)) {
            if (error)
                *error = errno != 0 ? errno : EIO;
            return false;
        }
        entries.push_back({std::move(name), bytes.size(), Crc32(bytes)});
    }
    return WriteSaveManifest(folder, std::move(entries), error);
}

bool WriteSaveManifest(const CStr& folder, std::vector<SaveManifestEntry> files, int* error) {
    fs::path root = ResolvePath(folder).Std();
    // A name written twice is one file, as the folder holds it: the later write.
    std::stable_sort(files.begin(), files.end(),
                     [](const SaveManifestEntry& a, const SaveManifestEntry& b) { return a.name < b.name; });
    std::vector<SaveManifestEntry> unique;
    for (SaveManifestEntry& file : files) {
        if (!unique.empty() && unique.back().name == file.name)
            unique.back() = std::move(file);
        else
            unique.push_back(std::move(file));
    }
    files.swap(unique);
    std::string text = std::string(kHeader) + " " + std::to_string(kSaveFormatVersion) + "\n";
    for (const SaveManifestEntry& file : files) {
        char crc[16];
        std::snprintf(crc, sizeof crc, "%08x", file.crc);
        text += std::to_string(file.size) + " " + crc + " " + file.name + "\n";
    }
    // The closing line tells a whole manifest from one cut short.
    text += "end " + std::to_string(files.size()) + "\n";
    return WriteFileAtomic((root / kSaveManifestFile).string().c_str(), text, error);
}

bool CheckSaveManifest(const CStr& folder, CStr& problem, bool* choicesUsable, ManifestProblem* kind,
                       std::string* file) {
    if (choicesUsable)
        *choicesUsable = true;
    auto fail = [&](ManifestProblem what, const std::string& name, const CStr& text) {
        problem = text;
        if (kind)
            *kind = what;
        if (file)
            *file = name;
        return false;
    };
    fs::path root = ResolvePath(folder).Std();
    fs::path path = root / kSaveManifestFile;
    std::error_code ec;
    if (!fs::exists(path, ec) && !ec)
        return true;
    std::string text;
    if (ec || !ReadWholeFile(path.string().c_str(), text)) {
        return fail(ManifestProblem::kDamaged, kSaveManifestFile,
                    CStr::Formatted("%s cannot be read", path.string().c_str()));
    }
    std::istringstream in(text);
    std::string line;
    // A manifest copied through an editor may have its lines ended the Windows way.
    auto nextLine = [&] {
        if (!std::getline(in, line))
            return false;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    };
    int version = 0;
    if (!nextLine() || line.rfind(std::string(kHeader) + " ", 0) != 0 ||
        std::sscanf(line.c_str() + std::string(kHeader).size(), "%d", &version) != 1 || version < 1) {
        return fail(
            ManifestProblem::kDamaged, kSaveManifestFile,
            CStr::Formatted("%s does not start with the save format's version", path.string().c_str()));
    }
    if (version > kSaveFormatVersion) {
        return fail(ManifestProblem::kNewer, kSaveManifestFile,
                    CStr::Formatted("the career was saved by a newer version of the game (save format %d, "
                                    "this game reads up to %d)",
                                    version, kSaveFormatVersion));
    }
    size_t listed = 0;
    std::vector<std::string> names;
    while (nextLine()) {
        unsigned long long size = 0;
        unsigned int crc = 0;
        int consumed = 0;
        size_t count = 0;
        if (std::sscanf(line.c_str(), "end %zu", &count) == 1) {
            if (count != listed || nextLine())
                break;
            // A file the manifest does not name would load unchecked: a line taken out by hand, or
            // a table copied in from another career. Older saves did not list the choices.
            std::sort(names.begin(), names.end());
            for (const std::string& found : SaveFiles(root))
                if (found != kSaveChoicesFile && !std::binary_search(names.begin(), names.end(), found)) {
                    return fail(ManifestProblem::kUnlisted, found,
                                CStr::Formatted("%s is not listed in %s, so it cannot be checked",
                                                (root / found).string().c_str(), path.string().c_str()));
                }
            return true;
        }
        if (std::sscanf(line.c_str(), "%llu %8x %n", &size, &crc, &consumed) != 2 || consumed <= 0 ||
            static_cast<size_t>(consumed) >= line.size()) {
            return fail(ManifestProblem::kDamaged, kSaveManifestFile,
                        CStr::Formatted("%s has a damaged line: '%s'", path.string().c_str(), line.c_str()));
        }
        std::string name = line.substr(static_cast<size_t>(consumed));
        // A manifest names files inside its own folder only.
        if (name.find("..") != std::string::npos || name[0] == '/') {
            return fail(ManifestProblem::kDamaged, kSaveManifestFile,
                        CStr::Formatted("%s names a file outside the save: '%s'", path.string().c_str(),
                                        name.c_str()));
        }
        names.push_back(name);
        std::string bytes;
        const bool read = ReadWholeFile((root / name).string().c_str(), bytes);
        const bool whole = read && bytes.size() == size && Crc32(bytes) == crc;
        if (name == kSaveChoicesFile) {
            // The career loads with the default choices rather than not at all.
            if (!whole && choicesUsable)
                *choicesUsable = false;
            ++listed;
            continue;
        }
        if (!read) {
            return fail(ManifestProblem::kMissing, name,
                        CStr::Formatted("%s is missing", (root / name).string().c_str()));
        }
        if (!whole) {
            return fail(ManifestProblem::kChanged, name,
                        CStr::Formatted("%s is not the file that was saved (size or checksum differs)",
                                        (root / name).string().c_str()));
        }
        ++listed;
    }
    return fail(ManifestProblem::kDamaged, kSaveManifestFile,
                CStr::Formatted("%s is cut short", path.string().c_str()));
}
