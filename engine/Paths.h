// Game paths: backslashes become slashes and each component matches case-insensitively, so
// "\images\WinObjects\x.png" and "\images\winobjects\x.png" find the same file.
#pragma once

#include "engine/Str.h"

#include <string>
#include <vector>

// The working directory as the game sees it (no trailing separator).
CStr GetWorkingDir();

// A path starting with '\' (or a bare relative one) is taken from the working directory; a path
// starting with '/' is absolute. Components that exist in another letter case resolve to the
// existing name; missing ones are kept as given, so new files can be created.
CStr ResolvePath(const char* gamePath);
inline CStr ResolvePath(const CStr& gamePath) {
    return ResolvePath(gamePath.GetText());
}

bool FileExists(const char* gamePath);
bool DirectoryExists(const char* gamePath);
// The whole file; false (and data empty) when it cannot be read.
bool ReadWholeFile(const char* gamePath, std::string& data);
// Writes to a temporary name, flushes and renames, so a failure leaves the old file intact.
bool WriteFileAtomic(const char* gamePath, const std::string& data);
// The same, giving the errno of the step that failed (0 on success), so a caller can tell a full
// disk from a read-only folder.
bool WriteFileAtomic(const char* gamePath, const std::string& data, int* error);
// Under a file-size limit (ulimit -f) a write past it would kill the game with SIGXFSZ; ignored,
// the write fails with EFBIG and the save reports a full disk while the previous one survives.
void IgnoreFileSizeSignal();
// The same for a path already resolved (ResolvePath's result joined with names the caller made):
// a folder of many new files is not searched for other spellings of each one.
bool WriteResolvedFileAtomic(const std::string& path, const std::string& data, int* error);
// Flushes a folder's entries (new names, renames) to the disk; a rename is durable only after it.
bool SyncDirectory(const char* gamePath);
bool CreateDirectories(const char* gamePath);
// Removes a file or a whole folder; false when nothing was there or it could not be removed.
bool RemovePath(const char* gamePath);
// Names (not paths) of the entries of a folder, sorted; folders only when wantDirectories.
std::vector<CStr> ListDirectory(const char* gamePath, bool wantDirectories);
