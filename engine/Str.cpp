// CStr: the game's own byte string.
#include "engine/Str.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

CStr::CStr(const char* text) : m_text(text ? text : "") {}

CStr::CStr(const char* text, uint32_t length) {
    if (text)
        m_text.assign(text, length);
}

CStr& CStr::operator=(const char* text) {
    Assign(text);
    return *this;
}

void CStr::Assign(const char* text) {
    m_text.assign(text ? text : "");
}
void CStr::Assign(const CStr& other) {
    m_text = other.m_text;
}
void CStr::Append(const char* text) {
    if (text)
        m_text.append(text);
}
void CStr::Append(const CStr& other) {
    m_text.append(other.m_text);
}
void CStr::Append(char c) {
    m_text.push_back(c);
}

CStr CStr::Concat(const CStr& right) const {
    return CStr(m_text + right.m_text);
}
CStr CStr::Concat(const char* right) const {
    return CStr(m_text + (right ? right : ""));
}

bool CStr::Equals(const char* text) const {
    return m_text == (text ? text : "");
}

char CStr::CharAt(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_text.size())
        return 0;
    return m_text[static_cast<size_t>(index)];
}

int CStr::Find(const char* sub, int start) const {
    if (!sub)
        return -1;
    if (start < 0)
        start = 0;
    if (static_cast<size_t>(start) > m_text.size())
        return -1;
    size_t at = m_text.find(sub, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CStr::FindChar(char c) const {
    size_t at = m_text.find(c);
    return at == std::string::npos ? -1 : static_cast<int>(at) + 1;
}

CStr CStr::Mid(int start, int count) const {
    int length = static_cast<int>(m_text.size());
    if (start < 0)
        start = 0;
    if (start >= length)
        return CStr();
    if (count < 0 || count > length - start)
        count = length - start;
    return CStr(m_text.substr(static_cast<size_t>(start), static_cast<size_t>(count)));
}

CStr CStr::Left(int count) const {
    if (count <= 0)
        return CStr();
    return CStr(m_text.substr(0, std::min(static_cast<size_t>(count), m_text.size())));
}

CStr CStr::Right(int count) const {
    // The n+1 rule is what every caller was written against; keep it.
    if (count < 0)
        return CStr();
    size_t want = std::min(static_cast<size_t>(count) + 1, m_text.size());
    return CStr(m_text.substr(m_text.size() - want));
}

CStr& CStr::Trim(const char* set) {
    if (!set || !*set)
        return *this;
    size_t first = m_text.find_first_not_of(set);
    if (first == std::string::npos) {
        m_text.clear();
        return *this;
    }
    size_t last = m_text.find_last_not_of(set);
    m_text = m_text.substr(first, last - first + 1);
    return *this;
}

std::vector<CStr> CStr::Split(char separator) const {
    std::vector<CStr> pieces;
    if (m_text.empty())
        return pieces;
    std::string text = m_text;
    if (separator == '\n') {
        std::string unix;
        unix.reserve(text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                continue;
            unix.push_back(text[i]);
        }
        text.swap(unix);
    }
    size_t begin = 0;
    for (;;) {
        size_t at = text.find(separator, begin);
        if (at == std::string::npos) {
            pieces.emplace_back(text.substr(begin));
            break;
        }
        pieces.emplace_back(text.substr(begin, at - begin));
        begin = at + 1;
    }
    return pieces;
}

void CStr::ReplaceChar(char from, char to) {
    std::replace(m_text.begin(), m_text.end(), from, to);
}

void CStr::ReplaceAll(const char* pattern, const char* replacement) {
    if (!pattern || !*pattern)
        return;
    if (!replacement)
        replacement = "";
    size_t patternLength = std::strlen(pattern);
    size_t replacementLength = std::strlen(replacement);
    size_t at = 0;
    while ((at = m_text.find(pattern, at)) != std::string::npos) {
        m_text.replace(at, patternLength, replacement);
        at += replacementLength;
    }
}

int CStr::ToInt() const {
    errno = 0;
    long long value = std::strtoll(m_text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

double CStr::ToDouble() const {
    return std::strtod(m_text.c_str(), nullptr);
}

CStr& CStr::Format(const char* format, ...) {
    char buffer[kFormatBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format ? format : "", args);
    va_end(args);
    m_text.assign(buffer);
    return *this;
}

CStr CStr::Formatted(const char* format, ...) {
    char buffer[kFormatBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format ? format : "", args);
    va_end(args);
    return CStr(buffer);
}

bool EqualsNoCase(const char* a, const char* b) {
    if (!a || !b)
        return a == b;
    for (; *a && *b; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(*a), cb = static_cast<unsigned char>(*b);
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<unsigned char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<unsigned char>(cb - 'A' + 'a');
        if (ca != cb)
            return false;
    }
    return *a == *b;
}
