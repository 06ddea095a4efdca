// Behaviour of the special tables: laments, mail folders, rumours and the profile list.
#include "database/Tables.h"

#include "engine/Log.h"
#include "engine/Paths.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

CLament* CLamentList::AddLament(int32_t playerKey, int32_t year, int32_t month, int32_t day, int32_t subject,
                                int32_t status, int32_t object) {
    CLament* lament = new CLament();
    lament->playerId = playerKey;
    lament->year = year;
    lament->month = month;
    lament->day = day;
    lament->subject = subject;
    lament->status = status;
    lament->object = object;
    return Append(lament);
}

int CEmailList::FolderOfType(int32_t type) {
    switch (type) {
    case 0:
    case 100152:
        return 0;
    case 80055:
    case 80057:
    case 80058:
    case 80059:
    case 80060:
    case 80061:
    case 80062:
        return 1;
    case 100151:
        return 2;
    case 80092:
        return 3;
    case 100153:
        return 4;
    default:
        return -1;
    }
}

CEmail* CEmailList::Add(CEmail* mail) {
    if (!mail)
        return nullptr;
    Append(mail);
    int folder = FolderOfType(mail->type);
    if (folder >= 0)
        m_folders[static_cast<size_t>(folder)].push_back(mail);
    return mail;
}

const std::vector<CEmail*>& CEmailList::Folder(int folder) const {
    static const std::vector<CEmail*> kNone;
    if (folder < 0 || folder >= kEmailFolders)
        return kNone;
    return m_folders[static_cast<size_t>(folder)];
}

bool CEmailList::RemoveFromFolder(int folder, int row) {
    if (folder < 0 || folder >= kEmailFolders)
        return false;
    std::vector<CEmail*>& list = m_folders[static_cast<size_t>(folder)];
    if (row < 0 || row >= static_cast<int>(list.size()))
        return false;
    m_removed.push_back(list[static_cast<size_t>(row)]);
    list.erase(list.begin() + row);
    return true;
}

void CEmailList::FileAll() {
    for (std::vector<CEmail*>& folder : m_folders)
        folder.clear();
    m_removed.clear();
    for (CEmail* mail : *this) {
        int folder = FolderOfType(mail->type);
        if (folder >= 0)
            m_folders[static_cast<size_t>(folder)].push_back(mail);
    }
}

std::vector<CEmail*> CEmailList::MailsToSave() const {
    std::vector<CEmail*> result;
    for (const std::vector<CEmail*>& folder : m_folders)
        result.insert(result.end(), folder.begin(), folder.end());
    for (CEmail* mail : *this) {
        if (FolderOfType(mail->type) < 0 &&
            std::find(m_removed.begin(), m_removed.end(), mail) == m_removed.end())
            result.push_back(mail);
    }
    return result;
}

int32_t CEmailList::NextId() const {
    // A saved id at the integer limit must not wrap the next one.
    std::vector<int32_t> ids;
    ids.reserve(static_cast<size_t>(Size()));
    for (CEmail* mail : *this)
        ids.push_back(mail->id);
    return NextUnusedId(std::move(ids));
}

bool CEmailList::Erase(CEmail* mail) {
    for (std::vector<CEmail*>& folder : m_folders)
        folder.erase(std::remove(folder.begin(), folder.end(), mail), folder.end());
    m_removed.erase(std::remove(m_removed.begin(), m_removed.end(), mail), m_removed.end());
    return CTable<CEmail>::Erase(mail);
}

void CEmailList::ClearAll() {
    for (std::vector<CEmail*>& folder : m_folders)
        folder.clear();
    m_removed.clear();
    CTable<CEmail>::Clear();
}

static bool LoadTableFile(const char* gamePath, const char* what, CStr& error, std::string& bytes) {
    if (!FileExists(gamePath)) {
        bytes.clear();
        return true;
    }
    if (!ReadWholeFile(gamePath, bytes)) {
        error = CStr::Formatted("%s cannot be read", what);
        return false;
    }
    return true;
}

bool CWhisperList::LoadWhispers(const char* gamePath) {
    std::string bytes;
    CStr error;
    if (!LoadTableFile(gamePath, gamePath, error, bytes) ||
        (!bytes.empty() && !whispers.ReadBytes(bytes, error))) {
        QuorelLog("[CWhisperList::LoadWhispers] %s: %s", gamePath, error.GetText());
        return false;
    }
    if (bytes.empty())
        whispers.Clear();
    return true;
}

bool CWhisperList::LoadTemplates(const char* gamePath) {
    std::string bytes;
    CStr error;
    if (!LoadTableFile(gamePath, gamePath, error, bytes) ||
        (!bytes.empty() && !templates.ReadBytes(bytes, error))) {
        QuorelLog("[CWhisperList::LoadTemplates] %s: %s", gamePath, error.GetText());
        return false;
    }
    if (bytes.empty())
        templates.Clear();
    return true;
}

CProfile* CProfileList::FindById(int32_t id) const {
    for (CProfile* profile : m_profiles)
        if (profile->id == id)
            return profile;
    return nullptr;
}

CProfile* CProfileList::Append(CProfile* profile) {
    if (profile)
        m_profiles.push_back(profile);
    return profile;
}

bool CProfileList::Erase(CProfile* profile) {
    auto it = std::find(m_profiles.begin(), m_profiles.end(), profile);
    if (it == m_profiles.end())
        return false;
    delete *it;
    m_profiles.erase(it);
    return true;
}

void CProfileList::Clear() {
    for (CProfile* profile : m_profiles)
        delete profile;
    m_profiles.clear();
    m_keptLines.clear();
}

std::vector<int32_t> CProfileList::UsedIds() const {
    std::vector<int32_t> ids;
    for (CProfile* profile : m_profiles)
        ids.push_back(profile->id);
    for (const std::string& line : m_keptLines) {
        // A damaged line may still start with the id its folder was named after.
        const char* begin = line.c_str();
        char* end = nullptr;
        errno = 0;
        long id = std::strtol(begin, &end, 10);
        if (end != begin && errno == 0 && id >= INT32_MIN && id <= INT32_MAX)
            ids.push_back(static_cast<int32_t>(id));
    }
    return ids;
}

int32_t NextUnusedId(std::vector<int32_t> ids) {
    int32_t largest = -1;
    for (int32_t id : ids)
        largest = std::max(largest, id);
    if (largest < INT32_MAX)
        return largest + 1;
    std::sort(ids.begin(), ids.end());
    int32_t next = 0;
    for (int32_t id : ids)
        if (id == next)
            ++next;
    return next;
}

int32_t CProfileList::NextId() const {
    return NextUnusedId(UsedIds());
}

void CProfileList::ReadText(const std::string& text) {
    Clear();
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(begin, end - begin);
        begin = end + 1;
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        CProfile profile;
        if (profile.FromLine(CStr(line)))
            m_profiles.push_back(new CProfile(profile));
        else
            m_keptLines.push_back(line);
    }
}

std::string CProfileList::WriteText() const {
    std::string text;
    for (CProfile* profile : m_profiles) {
        text += profile->ToLine().Std();
        text += '\n';
    }
    for (const std::string& line : m_keptLines) {
        text += line;
        text += '\n';
    }
    return text;
}
