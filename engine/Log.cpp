// CQuorelLog: the engine log, written line by line.
#include "engine/Log.h"

#include "engine/Paths.h"

#include <cstdarg>
#include <cstdio>

CQuorelLog* g_pQuorelLog = nullptr;

CQuorelLog::~CQuorelLog() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

void CQuorelLog::SetFile(const char* gamePath) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_fileFailed = false;
    m_path = gamePath ? gamePath : "";
}

void CQuorelLog::Write(const CStr& text) {
    if (!m_file && !m_fileFailed && !m_path.IsEmpty()) {
        // A log grown past a file-size limit must not end the game in the middle of a save.
        IgnoreFileSizeSignal();
        m_file = std::fopen(ResolvePath(m_path).GetText(), "ab");
        // A folder the game may not write to: the log stays in memory rather than retrying per line.
        m_fileFailed = m_file == nullptr;
    }
    if (!m_file)
        return;
    std::fputs(text.GetText(), m_file);
    std::fputc('\n', m_file);
    // Flushed per line: a crash right after still leaves the line in the file.
    std::fflush(m_file);
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
    Write(text);
}

std::vector<CStr> CQuorelLog::Entries() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entries;
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
