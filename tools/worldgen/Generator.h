// Builds the three world data sets from the name lists and text sources, deterministically.
#pragma once

#include "database/MemoryDB.h"
#include "engine/Str.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// The hand-written inputs: name lists and the mail and rumour wording.
struct WorldSources {
    std::vector<CStr> firstNames;
    std::vector<CStr> lastNames;
    std::vector<std::vector<CStr>> leagueClubs; // city, nickname, short name
    std::vector<std::vector<CStr>> euroClubs;   // name, short name, country
    std::vector<std::vector<CStr>> nations;     // country, short name
    std::vector<CStr> companies;
    std::vector<std::vector<CStr>> mails;    // row, subject, body
    std::vector<std::vector<CStr>> whispers; // row, rumour, outcome -2, outcome -1

    // Reads every list from the folder (content/data-src); false with a message when one is
    // missing or short.
    bool Load(const std::string& folder, CStr& error);
};

class CWorldGenerator {
public:
    explicit CWorldGenerator(const WorldSources& sources);

    // Fills db with the data set (0 league, 1 EuroCup, 2 WorldCup). Each call starts the random
    // sequence afresh, so a set never depends on what was generated before it.
    void Generate(int32_t dataSet, CMemoryDB& db);

    // Every text the data sets refer to by an id of their own, by id.
    const std::map<int32_t, CStr>& Texts() const { return m_texts; }
    // The texts in the language file's format: an id and one word per line, '_' for a blank.
    std::string LanguageFileText() const;

private:
    struct ClubSpec {
        CStr name;
        CStr shortName;
        CStr stadiumName;
        int32_t countryTextId = 0;
        int32_t leagueId = 0;
        int32_t leagueKind = 0;
        int tier = 0; // 0 weak, 1 middle, 2 strong
        CStr arenaKey;
        int32_t arenaLevel = 1;
        // Tournament clubs keep their crests in a folder of their own: their ids repeat the league's.
        CStr crestFolder = "images\\WinObjects\\Logos\\";
    };

    void AddClub(CMemoryDB& db, const ClubSpec& spec);
    CPlayer* MakePlayer(int32_t id, int32_t teamId, int32_t position, int tier, int32_t origin, int slot);
    void AddCatalogues(CMemoryDB& db);
    void AddStaff(CMemoryDB& db, int32_t origin);
    CStr PersonName();
    int32_t CountryText(const CStr& country);
    int Roll(int low, int high);

    const WorldSources& m_sources;
    std::map<int32_t, CStr> m_texts;
    std::map<std::string, int32_t> m_countryIds;
    int32_t m_nextPlayerId = 0;
    std::set<CStr> m_usedNames; // the people of the data set being generated
};
