// INI reading and writing; the rest of the file (comments, other keys) is kept on write.
#include "engine/Ini.h"

#include "engine/Paths.h"

#include <string>
#include <vector>

static std::string TrimBlank(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

static std::vector<std::string> ReadLines(const char* gamePath) {
    std::string data;
    std::vector<std::string> lines;
    if (!ReadWholeFile(gamePath, data))
        return lines;
    size_t begin = 0;
    while (begin < data.size()) {
        size_t end = data.find('\n', begin);
        if (end == std::string::npos)
            end = data.size();
        std::string line = data.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        begin = end + 1;
    }
    return lines;
}

static bool SectionName(const std::string& line, std::string& name) {
    std::string trimmed = TrimBlank(line);
    if (trimmed.size() < 2 || trimmed.front() != '[')
        return false;
    size_t close = trimmed.find(']');
    if (close == std::string::npos)
        return false;
    name = TrimBlank(trimmed.substr(1, close - 1));
    return true;
}

static bool KeyValue(const std::string& line, std::string& key, std::string& value) {
    std::string trimmed = TrimBlank(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#')
        return false;
    size_t equals = trimmed.find('=');
    if (equals == std::string::npos)
        return false;
    key = TrimBlank(trimmed.substr(0, equals));
    value = TrimBlank(trimmed.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return true;
}

CStr IniGetString(const char* section, const char* key, const char* defaultValue, const char* gamePath) {
    bool inSection = false;
    for (const std::string& line : ReadLines(gamePath)) {
        std::string name, k, v;
        if (SectionName(line, name)) {
            inSection = EqualsNoCase(name.c_str(), section);
            continue;
        }
        if (inSection && KeyValue(line, k, v) && EqualsNoCase(k.c_str(), key))
            return CStr(v);
    }
    return CStr(defaultValue ? defaultValue : "");
}

int IniGetInt(const char* section, const char* key, int defaultValue, const char* gamePath) {
    CStr text = IniGetString(section, key, "", gamePath);
    return text.IsEmpty() ? defaultValue : text.ToInt();
}

bool IniWriteString(const char* section, const char* key, const char* value, const char* gamePath) {
    std::vector<std::string> lines = ReadLines(gamePath);
    std::string newLine = std::string(key) + "=" + (value ? value : "");
    int sectionLine = -1, insertAt = -1;
    bool inSection = false, done = false;
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        std::string name, k, v;
        if (SectionName(lines[i], name)) {
            if (inSection)
                break;
            inSection = EqualsNoCase(name.c_str(), section);
            if (inSection) {
                sectionLine = static_cast<int>(i);
                insertAt = static_cast<int>(i) + 1;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (KeyValue(lines[i], k, v) && EqualsNoCase(k.c_str(), key)) {
            lines[i] = k + "=" + (value ? value : ""); // the file keeps its own spelling of the key
            done = true;
        } else if (!TrimBlank(lines[i]).empty()) {
            insertAt = static_cast<int>(i) + 1;
        }
    }
    if (!done) {
        if (sectionLine < 0) {
            if (!lines.empty() && !TrimBlank(lines.back()).empty())
                lines.emplace_back();
            lines.push_back(std::string("[") + section + "]");
            lines.push_back(newLine);
        } else {
            lines.insert(lines.begin() + insertAt, newLine);
        }
    }
    std::string data;
    for (const std::string& line : lines)
        data += line + "\n";
    return WriteFileAtomic(gamePath, data);
}
