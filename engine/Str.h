// CStr: the game's own byte string. No encoding awareness; UTF-8 passes through untouched.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CStr {
public:
    CStr() = default;
    CStr(const char* text);
    CStr(const char* text, uint32_t length);
    CStr(const std::string& text) : m_text(text) {}
    CStr(const CStr& other) = default;
    CStr(CStr&& other) noexcept = default;
    ~CStr() = default;

    CStr& operator=(const CStr& other) = default;
    CStr& operator=(CStr&& other) noexcept = default;
    CStr& operator=(const char* text);

    void Assign(const char* text);
    void Assign(const CStr& other);
    void Append(const char* text);
    void Append(const CStr& other);
    void Append(char c);
    // Left + right as a new string; neither operand changes.
    CStr Concat(const CStr& right) const;
    CStr Concat(const char* right) const;

    // Case-sensitive byte comparison.
    bool Equals(const CStr& other) const { return m_text == other.m_text; }
    bool Equals(const char* text) const;
    bool NotEquals(const CStr& other) const { return !Equals(other); }
    bool NotEquals(const char* text) const { return !Equals(text); }

    uint32_t Length() const { return static_cast<uint32_t>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    const char* GetText() const { return m_text.c_str(); }
    const char* c_str() const { return m_text.c_str(); }
    const std::string& Std() const { return m_text; }

    // The byte at index; 0 at or past the end (and for a negative index).
    char CharAt(int index) const;
    // Index of sub searching from start; -1 when absent.
    int Find(const char* sub, int start = 0) const;
    int Find(const CStr& sub, int start = 0) const { return Find(sub.GetText(), start); }
    // 1-based position of the first c; -1 when absent.
    int FindChar(char c) const;

    CStr Mid(int start, int count = -1) const;
    CStr Left(int count) const;
    // The last count+1 characters: callers pass one less than the number they want.
    CStr Right(int count) const;

    // Removes every character of set from both ends, in place.
    CStr& Trim(const char* set = " \t\r\n");
    // The pieces between separators, in order; empty pieces are kept, an empty text gives none.
    // A '\n' separator first turns CR LF into LF.
    std::vector<CStr> Split(char separator) const;
    void ReplaceChar(char from, char to);
    // Every occurrence of pattern replaced, scanning left to right without rescanning replacements.
    void ReplaceAll(const char* pattern, const char* replacement);
    void ReplaceAll(const CStr& pattern, const CStr& replacement) {
        ReplaceAll(pattern.GetText(), replacement.GetText());
    }
    // The leading decimal number (optional blanks and sign first); 0 when the text starts otherwise.
    int ToInt() const;
    double ToDouble() const;

    // printf-style through a 2000-byte buffer: longer results are cut, never overrun.
    CStr& Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    static CStr Formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

    static constexpr int kFormatBufferSize = 2000;

    bool operator==(const CStr& other) const { return m_text == other.m_text; }
    bool operator==(const char* text) const { return Equals(text); }
    bool operator<(const CStr& other) const { return m_text < other.m_text; }
    CStr operator+(const CStr& right) const { return Concat(right); }
    CStr operator+(const char* right) const { return Concat(right); }
    CStr& operator+=(const CStr& right) {
        Append(right);
        return *this;
    }
    CStr& operator+=(const char* right) {
        Append(right);
        return *this;
    }

private:
    std::string m_text;
};

// Case-insensitive ASCII comparison, used by XML tags, INI keys and paths.
bool EqualsNoCase(const char* a, const char* b);
