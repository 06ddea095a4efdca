// The manifest of a saved career: every file of the save folder with its size and checksum, and
// the save format's version. It is written last, so a save that has one is whole; loading checks
// it to catch damaged bytes the table readers would take for values. Saves made before manifests
// existed have none and load as they are.
#pragma once

#include "engine/Str.h"

#include <cstdint>
#include <string>

constexpr int kSaveFormatVersion = 1;
extern const char* const kSaveManifestFile; // "manifest.txt", in the career folder

uint32_t Crc32(const std::string& bytes);

// Lists every file under the folder (a game path), MainData and any other sub-folder too, and
// writes the manifest into it through a temporary name. error: errno of the failing call.
bool WriteSaveManifest(const CStr& folder, int* error = nullptr);

// True when the folder has no manifest (an older save) or every file it names is there with its
// size and checksum and the version is one this game reads; otherwise problem says what is wrong.
bool CheckSaveManifest(const CStr& folder, CStr& problem);
