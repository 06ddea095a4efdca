// CQuorelLog: in-memory engine log written at shutdown.
#include "engine/Log.h"

#include "engine/Paths.h"

#include <cstdarg>
#include <cstdio>

CQuorelLog* g_pQuorelLog = nullptr;

CQuorelLog::~CQuorelLog() {
    AppendToFile("\\log.txt");
}

void CQuorelLog::Add(const char* format, ...) {
    char buffer[CStr::kFormatBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format ? format : "", args);
    va_end(args);
    AddText(CStr(buffer));
}

void CQuorelLog::AddText(const CStr& text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.push_back(text);
}

std::vector<CStr> CQuorelLog::Entries() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entries;
}

bool CQuorelLog::AppendToFile(const char* gamePath) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_entries.empty())
        return true;
    CStr path = ResolvePath(gamePath);
    FILE* file = std::fopen(path.GetText(), "ab");
    if (!file)
        return false;
    for (const CStr& entry : m_entries) {
        std::fputs(entry.GetText(), file);
        std::fputc('\n', file);
    }
    bool ok = std::fclose(file) == 0;
    m_entries.clear();
    return ok;
}

void QuorelLog(const char* format, ...) {
    char buffer[CStr::kFormatBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format ? format : "", args);
    va_end(args);
    if (g_pQuorelLog)
        g_pQuorelLog->AddText(CStr(buffer));
    else
        std::fprintf(stderr, "%s\n", buffer);
}
