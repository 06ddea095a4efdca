// CQuorelLog: the engine log. Entries stay in memory and are appended to "\log.txt" at shutdown.
#pragma once

#include "engine/Str.h"

#include <mutex>
#include <vector>

class CQuorelLog {
public:
    CQuorelLog() = default;
    virtual ~CQuorelLog();

    // Entries open with "[Class::Method]" by convention; workers log too, so adding is locked.
    void Add(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AddText(const CStr& text);
    std::vector<CStr> Entries() const;
    // Appends every entry to the file (a game path such as "\log.txt") and forgets them.
    bool AppendToFile(const char* gamePath);

private:
    mutable std::mutex m_mutex;
    std::vector<CStr> m_entries;
};

extern CQuorelLog* g_pQuorelLog;

// Logs through the singleton when it exists, else to stderr so early failures are not lost.
void QuorelLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
