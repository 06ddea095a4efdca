// Language and tooltip tables: text files of id and one word pairs, '_' standing for a blank.
#pragma once

#include "engine/Str.h"

#include <unordered_map>

class CTextTable {
public:
    // Replaces the table with the file's entries; a missing file leaves it empty and returns false.
    bool Load(const char* gamePath);
    // Adds the file's entries; ids already present keep their text.
    bool LoadAppend(const char* gamePath);
    void LoadFromText(const std::string& text);
    void AppendFromText(const std::string& text);
    // A copy of the text; an absent id gives an empty text (nothing is inserted, so readers on
    // worker threads never race a writer).
    CStr Get(int id) const;
    bool Has(int id) const { return m_texts.count(id) != 0; }
    size_t Size() const { return m_texts.size(); }
    void Clear() { m_texts.clear(); }

private:
    std::unordered_map<int, CStr> m_texts;
};
