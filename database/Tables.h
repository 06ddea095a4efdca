// The named tables of the game's data files. Most are plain CTable<T>; the few with behaviour of
// their own (mail folders, rumours in two files, laments, booked promotions) add it here.
#pragma once

#include "database/Records.h"
#include "database/Table.h"

#include <array>

class CLeagueList : public CTable<CLeague> {};
class CTeamList : public CTable<CTeam> {};
class CPlayerList : public CTable<CPlayer> {};
class CStaffList : public CTable<CStaffRecord> {};
class CStadiumTable : public CTable<CStadiumRecord> {};
class CStadiumWingTable : public CTable<CStadiumWingRecord> {};
class CMatchStatList : public CTable<CMatchStat> {};
class CPlayerStatList : public CTable<CPlayerStat> {};
class CEmailTemplateList : public CTable<CEmailTemplate> {};
class CTeamOpinionList : public CTable<CTeamOpinion> {
public:
    // Opinion rows are kept in team id order; a lookup by id does not rely on that.
    CTeamOpinion* FindByTeam(int32_t teamId) const {
        for (CTeamOpinion* row : *this)
            if (row->teamId == teamId)
                return row;
        return nullptr;
    }
};
class CPromotionList : public CTable<CPromotion> {};
class CMyPromotionList : public CTable<CMyPromotion> {
public:
    void PushBack(CMyPromotion* promotion) { Append(promotion); }
};
class CLamentList : public CTable<CLament> {
public:
    CLament* AddLament(int32_t playerKey, int32_t year, int32_t month, int32_t day, int32_t subject,
                       int32_t status, int32_t object);
};
class CSponsorTable : public CTable<CSponsorRecord> {};
class CSponsorContractTable : public CTable<CSponsorRecord> {};
class CFunShopItemList : public CTable<CFunShopItem> {};
class CStorageList : public CTable<CStorageItem> {};
class CTrainingTypeList : public CTable<CTrainingType> {};
class CTrainingModifierList : public CTable<CTrainingModifier> {};
class CStadiumUpgradeList : public CTable<CStadiumUpgradeRecord> {};
class CMyStadiumUpgradeList : public CTable<CMyStadiumUpgrade> {};
class CCertificateList : public CTable<CCertificate> {};
class CFinanceList : public CTable<CFinanceEntry> {};
class CLeagueStandingList : public CTable<CLeagueStanding> {};
class CLoanList : public CTable<CLoan> {};
class CCampBookingList : public CTable<CCampBooking> {};
class CTrainingDayList : public CTable<CTrainingDay> {};
class CTrainingPlanForList : public CTable<CTrainingPlanFor> {};
class CTrainingEntryList : public CTable<CTrainingEntry> {};
class CTrainedValuesList : public CTable<CTrainedValues> {};
class CCareerStepsTable : public CTable<CCareerSteps> {
public:
    // The one record, made on first use.
    CCareerSteps& Get() {
        if (IsEmpty())
            Append(new CCareerSteps());
        return *At(0);
    }
};

constexpr int kEmailFolders = 5;

// Owns every mail; five folder views file them by type. A mail removed from its folder is no
// longer saved (the inbox's delete), but stays owned until the list is cleared.
class CEmailList : public CTable<CEmail> {
public:
    // Folder of a mail type, -1 for a type that is filed nowhere.
    static int FolderOfType(int32_t type);
    // Takes ownership and files the mail.
    CEmail* Add(CEmail* mail);
    const std::vector<CEmail*>& Folder(int folder) const;
    // Takes the mail out of its folder without deleting it.
    bool RemoveFromFolder(int folder, int row);
    // Rebuilds the folders from the owned mails (after loading).
    void FileAll();
    // Filed mails folder by folder, then unfiled mails of unknown type; removed mails are left out.
    std::vector<CEmail*> MailsToSave() const;
    // NextUnusedId of the mails' ids.
    int32_t NextId() const;
    // Deleting a mail or clearing the list also empties the folder views, so none dangles.
    bool Erase(CEmail* mail);
    void Clear() { ClearAll(); }
    void ClearAll();
    void SwapAll(CEmailList& other) noexcept {
        Swap(other);
        m_folders.swap(other.m_folders);
        m_removed.swap(other.m_removed);
    }

private:
    std::array<std::vector<CEmail*>, kEmailFolders> m_folders;
    std::vector<CEmail*> m_removed;
};

// Running rumours (whisperlist.dat) and their templates (whispers.dat).
class CWhisperList {
public:
    CTable<CWhisper> whispers;
    CTable<CWhisperTemplate> templates;

    bool LoadWhispers(const char* gamePath);
    bool LoadTemplates(const char* gamePath);
};

// 1 + the largest id, 0 for none; when the largest is the integer limit, the smallest unused id
// from 0 up.
int32_t NextUnusedId(std::vector<int32_t> ids);

// The saved careers (world database) or a career's own header (career database), kept as text lines.
class CProfileList {
public:
    CProfileList() = default;
    CProfileList(const CProfileList&) = delete;
    CProfileList& operator=(const CProfileList&) = delete;
    virtual ~CProfileList() { Clear(); }

    int Size() const { return static_cast<int>(m_profiles.size()); }
    bool IsEmpty() const { return m_profiles.empty(); }
    CProfile* At(int row) const {
        return row >= 0 && row < Size() ? m_profiles[static_cast<size_t>(row)] : nullptr;
    }
    CProfile* FindById(int32_t id) const;
    CProfile* Append(CProfile* profile);
    bool Erase(CProfile* profile);
    void Clear();
    void Swap(CProfileList& other) noexcept {
        m_profiles.swap(other.m_profiles);
        m_keptLines.swap(other.m_keptLines);
    }
    const std::vector<CProfile*>& Records() const { return m_profiles; }
    std::vector<CProfile*>::const_iterator begin() const { return m_profiles.begin(); }
    std::vector<CProfile*>::const_iterator end() const { return m_profiles.end(); }
    // NextUnusedId of UsedIds().
    int32_t NextId() const;
    // Every id the list holds, the leading numbers of kept lines included.
    std::vector<int32_t> UsedIds() const;

    // Lines that do not parse are kept as they are (a hand edit or a damaged line must not make a
    // career vanish on the next save); blank lines are dropped.
    void ReadText(const std::string& text);
    // The careers, then the kept lines.
    std::string WriteText() const;
    const std::vector<std::string>& KeptLines() const { return m_keptLines; }

private:
    std::vector<CProfile*> m_profiles;
    std::vector<std::string> m_keptLines;
};
