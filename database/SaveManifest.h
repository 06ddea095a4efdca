// The manifest of a saved career: every file of the save folder with its size and checksum, and
// the save format's version. It is written last, so a save that has one is whole; loading checks
// it to catch damaged bytes the table readers would take for values. Saves made before manifests
// existed have none and load as they are.
#pragma once

#include "engine/Str.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int kSaveFormatVersion = 1;
extern const char* const kSaveManifestFile; // "manifest.txt", in the career folder
// The player's screen choices ("choices.txt", in the career folder): listed like every file, but
// the career can do without them, so a missing or damaged copy does not fail the check.
extern const char* const kSaveChoicesFile;
// The tournament rounds the user's club played ("rounds.txt", in the career folder), as the career
// layer writes them; a save writes it only in a tournament past its groups, and checks it like a table.
extern const char* const kSaveRoundsFile;

uint32_t Crc32(const std::string& bytes);

// Lists every file under the folder (a game path), MainData and any other sub-folder too, and
// writes the manifest into it through a temporary name. error: errno of the failing call.
bool WriteSaveManifest(const CStr& folder, int* error = nullptr);

// One file of a save as the manifest lists it: its path inside the folder ('/' separated).
struct SaveManifestEntry {
    std::string name;
    size_t size = 0;
    uint32_t crc = 0;
};
// The same manifest from what the save has just written (every file of the folder, no other),
// without reading the files back.
bool WriteSaveManifest(const CStr& folder, std::vector<SaveManifestEntry> files, int* error = nullptr);

// True when the folder has no manifest (an older save) or every file it names is there with its
// size and checksum, it names every file of the folder and the version is one this game reads;
// otherwise problem says what is wrong, naming the file.
// choicesUsable (when given) is false when the manifest names the choices file and it is missing
// or not the one saved; a choices file the manifest does not name (older saves) is usable.
// kind and file (when given) say what failed, for the player's message: the file's path inside
// the folder, the manifest's own name when the manifest is what is wrong.
enum class ManifestProblem { kNone, kDamaged, kNewer, kMissing, kChanged, kUnlisted };
bool CheckSaveManifest(const CStr& folder, CStr& problem, bool* choicesUsable = nullptr,
                       ManifestProblem* kind = nullptr, std::string* file = nullptr);
