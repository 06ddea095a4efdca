// Parsing of the language and tooltip files.
#include "gui/TextTable.h"

#include "engine/Log.h"
#include "engine/Paths.h"

#include <cctype>
#include <cstdlib>

bool CTextTable::Load(const char* gamePath) {
    std::string data;
    m_texts.clear();
    if (!ReadWholeFile(gamePath, data)) {
        QuorelLog("[CTextTable::Load] cannot read %s", gamePath);
        return false;
    }
    LoadFromText(data);
    return true;
}

bool CTextTable::LoadAppend(const char* gamePath) {
    std::string data;
    if (!ReadWholeFile(gamePath, data))
        return false;
    AppendFromText(data);
    return true;
}

void CTextTable::LoadFromText(const std::string& text) {
    m_texts.clear();
    AppendFromText(text);
}

void CTextTable::AppendFromText(const std::string& text) {
    size_t at = 0;
    auto nextToken = [&](std::string& token) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
        size_t begin = at;
        while (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
        token = text.substr(begin, at - begin);
        return !token.empty();
    };
    std::string idText, word;
    while (nextToken(idText)) {
        char* end = nullptr;
        long id = std::strtol(idText.c_str(), &end, 10);
        bool isId = end && *end == 0;
        if (!isId) {
            QuorelLog("[CTextTable::LoadFromText] skipped '%s': not a text id", idText.c_str());
            continue;
        }
        // An id at the very end of the file has no word: it reads as an empty text.
        if (!nextToken(word)) {
            m_texts.emplace(static_cast<int>(id), CStr());
            break;
        }
        CStr value(word);
        value.ReplaceChar('_', ' ');
        // The first entry of an id wins, as a reader scanning the file would find it.
        m_texts.emplace(static_cast<int>(id), value);
    }
}

CStr CTextTable::Get(int id) const {
    auto it = m_texts.find(id);
    return it == m_texts.end() ? CStr() : it->second;
}
