// CMemoryDB: one table per data file. The game keeps two: the world (every league, club, player
// and catalogue, plus the list of saved careers) and the career (the user's club and its running
// state). Both have the same tables; a table that means nothing in one of them stays empty.
#pragma once

#include "database/Tables.h"
#include "engine/Str.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Why a folder's tables could not be read.
struct TableReadFailure {
    CStr file;   // the folder's path joined with the file's name
    CStr reason; // a clause: "it cannot be read", "record 3 of 40 ends early (...)"
    bool missing = false;
};

class CMemoryDB {
public:
    CMemoryDB() = default;
    CMemoryDB(const CMemoryDB&) = delete;
    CMemoryDB& operator=(const CMemoryDB&) = delete;
    virtual ~CMemoryDB() { Clear(); }

    CLeagueList leagues;
    CTeamList teams;
    CPlayerList players;
    CStaffList staff;
    CStadiumTable stadiums;
    CStadiumWingTable wings;
    CMatchStatList matchStats;
    CPlayerStatList playerStats;
    CEmailTemplateList emailTemplates;
    CEmailList emails;
    CWhisperList whispers;
    CTeamOpinionList opinions;
    CPromotionList promotions;
    CMyPromotionList myPromotions;
    CLamentList laments;
    CSponsorTable sponsorOffers;
    CSponsorContractTable sponsorContracts;
    CFunShopItemList funShopItems;
    CStorageList storage;
    CTrainingTypeList trainingTypes;
    CTrainingModifierList trainingModifiers;
    CStadiumUpgradeList stadiumUpgrades;
    CMyStadiumUpgradeList myStadiumUpgrades;
    CCertificateList certificates;
    CFinanceList finances;
    CLeagueStandingList leagueStandings;
    CLoanList loans;
    // Career files newer than the oldest saves: a save without them still loads.
    CCampBookingList campBookings;
    CTrainingDayList trainingDays; // date order
    CTrainingPlanForList trainingPlanFor;
    CTrainingEntryList trainingEntries;
    CTrainedValuesList trainedValues;
    CCareerStepsTable careerSteps;
    CProfileList profiles;
    int32_t managerClubId = -1; // career database: the user's club
    // Career database: built and not saved yet, so its id and folder are only proposals until the
    // first save settles them (another copy of the game may have taken them meanwhile).
    bool unsavedCareer = false;
    // Career database: the player's screen choices as the career layer writes them, saved with the
    // career's tables; empty when there are none.
    std::string choices;
    // Career database: the tournament rounds the user's club played, as the career layer writes
    // them; empty outside the tournaments.
    std::string rounds;
    // Career database: the manifest of the save as this copy of the game last loaded or saved it
    // ("" for a save without one), so a save over a folder another copy wrote since is caught.
    std::string savedManifest;

    // Reads every table file of a folder (a game path such as "\data\EuroCup\" or an absolute
    // path). A missing file leaves its table empty; any unreadable or corrupt file fails the
    // whole load with a log line naming it, and the database keeps what it held before. failure
    // (when given) says which file failed and why.
    bool LoadFolder(const char* folder, TableReadFailure* failure = nullptr);
    // Reads a world data set's folder: every table file of FileNames(false) must be there and read
    // whole; the career tables and the profile list, which only a save holds, are not looked for.
    // With link false the records are left as read (nothing linked or adjusted), for checks that
    // only look at them.
    bool LoadWorldFolder(const char* folder, bool link, TableReadFailure* failure = nullptr);
    // Reads a folder a save wrote (or a world data set): every table file of FileNames(withProfiles)
    // must be there, otherwise the load fails like one with a corrupt file. failure (when given)
    // says which file failed and why.
    bool LoadSavedFolder(const char* folder, bool withProfiles, TableReadFailure* failure = nullptr);
    // The bytes of every table file, by file name. The profile list is left out unless asked for
    // (the world's list of careers lives outside the data folders).
    std::vector<std::pair<CStr, std::string>> FileImages(bool withProfiles) const;
    // Every record of every table file a save writes (FileImages(withProfiles), the text profile
    // list aside), with the file's name, in file order; mails as they are saved.
    void ForEachSavedRecord(bool withProfiles,
                            const std::function<void(const char* file, CRecord& record)>& visit);
    // Writes every table file into the folder (created when missing), each through a temporary
    // name; false as soon as one file fails.
    bool SaveFolder(const char* folder, bool withProfiles) const;

    // Rebuilds every pointer list from the key fields (league teams, squads, staff, stadiums and
    // parts, match and player statistics). Records whose key matches nothing stay in their table.
    void Link();
    // Gives every player of both databases the statistics records of both that carry his id,
    // in date order, so a player who changed database keeps his whole history; and every club its
    // match records from both, the user's club (held by the career) in the career only.
    static void CrossLinkStats(CMemoryDB& world, CMemoryDB& career);

    CTeam* FindTeam(int32_t id) const { return FindById(teams, id); }
    CLeague* FindLeague(int32_t id) const { return FindById(leagues, id); }
    CPlayer* FindPlayer(int32_t id) const { return FindById(players, id); }
    CStaffRecord* FindStaff(int32_t id) const { return FindById(staff, id); }

    // Seat capacity of every linked stadium: the sum of its parts' seats.
    void UpdateStadiumCapacities();

    void Clear();
    void Swap(CMemoryDB& other) noexcept;

    // The file names, in the order the files are written.
    static std::vector<CStr> FileNames(bool withProfiles);

private:
    struct Reading {
        bool everyFile;    // a missing table file fails the load (otherwise it is an empty table)
        bool withProfiles; // the profile list is one of the files
        bool careerTables; // the files only a career's folder holds (later tables, profile list) are read
        bool link;         // links and adjusts the records after reading
    };
    bool Load(const char* folder, const Reading& how, TableReadFailure* failure);
    // Post-read fixups of freshly read tables: played position from the natural one, mail folders.
    void AfterRead();
};
