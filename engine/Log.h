// CQuorelLog: the engine log. Each entry is appended to "\log.txt" as it is added, so a crash keeps
// everything logged before it; the entries are also kept in memory for whoever asks.
#pragma once

#include "engine/Str.h"

#include <cstdio>
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
    // The file entries go to from now on (a game path, "\log.txt" unless changed); opened at the
    // first entry, in the working directory of that moment.
    void SetFile(const char* gamePath);

private:
    void Write(const CStr& text); // with m_mutex held

    mutable std::mutex m_mutex;
    std::vector<CStr> m_entries;
    CStr m_path = "\\log.txt";
    FILE* m_file = nullptr;
    bool m_fileFailed = false;
};

extern CQuorelLog* g_pQuorelLog;

// Logs through the singleton when it exists, else to stderr so early failures are not lost.
void QuorelLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
