// The game's record classes, one per data file. Each lists its fields in file order in its
// Serialize, which both reads and writes them. Links built after loading (pointer lists) are not
// stored: they are rebuilt from the key fields.
#pragma once

#include "database/Archive.h"
#include "database/GameYears.h"
#include "engine/Str.h"

#include <cstdint>
#include <vector>

class CArchive;
struct CTeam;
struct CPlayer;
struct CStaffRecord;
struct CStadiumRecord;
struct CStadiumWingRecord;
struct CMatchStat;
struct CPlayerStat;

// A real calendar day within the game's years.
bool IsGameDate(int32_t year, int32_t month, int32_t day);

// A sum of stored values kept within int32: a damaged file may hold any value in any field.
inline int32_t ClampedSum(int64_t a, int64_t b, int64_t c = 0) {
    int64_t sum = a + b + c;
    return static_cast<int32_t>(sum > INT32_MAX ? INT32_MAX : sum < INT32_MIN ? INT32_MIN : sum);
}

struct CRecord {
    virtual ~CRecord() = default;
    virtual void Serialize(CArchive& ar) = 0;
};

// league.dat
struct CLeague : CRecord {
    int32_t id = -1;
    int32_t nameTextId = -1;
    int32_t type = -1;             // 100004 tournament group or stage, 100005 regular league
    int32_t classNumber = -1;      // value mod 3 is the league class
    int32_t promotionLeague = -1;  // row of the league above, -1 none
    int32_t relegationLeague = -1; // row of the league below, -1 none
    std::vector<CTeam*> teams;     // linked, in team table order

    void Serialize(CArchive& ar) override;
};

// teamlist.dat
struct CTeam : CRecord {
    int32_t id = -1;
    int32_t leagueId = -1;
    int32_t reserved3 = 0;
    CStr name;
    int32_t leagueKind = 0; // league kind text id, 100005 raises the match team factor
    int32_t countryTextId = -1;
    CStr shortName;
    CStr logo; // relative to the game folder, no leading backslash
    int32_t cash = 0;
    int32_t totalBorrowed = 0;
    int32_t money11 = 0;
    int32_t money12 = 0;
    int32_t attendance = 0; // also the fun shop's sales base
    int32_t fanBase = 0;
    CStr stadiumKey; // arena key such as "std_eu_03"
    int32_t homeKit = 0;
    int32_t awayKit = 0;
    int32_t standing1 = 0;
    int32_t standing2 = 0;

    std::vector<CMatchStat*> matchStats; // in the order added, latest last
    std::vector<CPlayer*> players;       // squad order
    std::vector<CStaffRecord*> staff;
    CStadiumRecord* stadium = nullptr;

    void Serialize(CArchive& ar) override;
    // A copy of the stored fields without any links.
    CTeam CopyFields() const;
};

// The game path of a club's crest ("\images\...\logoNN.png"), the one picture of a club that every
// screen shows; empty for no club or a club without one.
CStr ClubCrestPath(const CTeam* team);

// Word indices of the 64-word block of a player (fields 11 to 74).
enum PlayerWord : int {
    kWordPosition = 0,
    kWordPlayedPosition = 1,
    kWordHeight = 2,
    kWordWeight = 3,
    kWordShirtNumber = 4,
    kWordWageFactor = 53,
    kWordMatchState = 54, // 300000 on court, 300001 not
    kWordInjured = 55,
    kWordInjuryDay = 56,
    kWordInjuryMonth = 57,
    kWordInjuryYear = 58,
    kWordDaysOut = 59,
    kWordWage = 60,
    kWordSatisfaction = 61,
    kWordAfterSatisfaction = 62,
    kWordCertificateValue = 63,
};

constexpr int kPlayerWords = 64;
constexpr int kSkillCount = 16;
constexpr int32_t kOnCourt = 300000;
constexpr int32_t kOnBench = 300001;

// playerlist.dat
struct CPlayer : CRecord {
    int32_t id = -1;
    int32_t birthDay = 0;
    int32_t birthMonth = 0;
    int32_t birthYear = 0;
    CStr name;
    int32_t teamId = -1;
    int32_t reserved7 = 0;
    int32_t reserved8 = 0;
    int32_t originTextId = -1;
    CStr note;
    int32_t words[kPlayerWords] = {}; // fields 11 to 74
    int32_t contractMonths = 0;
    CStr picture; // relative; empty shows the no-picture image
    int32_t contractYear = 0;
    int32_t contractMonth = 0;
    int32_t contractDay = 0;
    double overall = 0.0;
    int32_t skin = 0; // 0 dark textures, other light
    int32_t bodyTexture = 0;
    int32_t headTexture = 0;
    int32_t shoeTexture = 0;

    std::vector<CPlayerStat*> stats; // date order, oldest first

    void Serialize(CArchive& ar) override;
    CPlayer CopyFields() const;

    // Field n of the record (11 to 74), as other code numbers them.
    int32_t& Field(int n) { return words[n - 11]; }
    int32_t Field(int n) const { return words[n - 11]; }
    // Skill s (1 to 16): value, second value and progress counter.
    int32_t& SkillValue(int s) { return words[3 * s + 2]; }
    int32_t SkillValue(int s) const { return words[3 * s + 2]; }
    int32_t& SkillSecond(int s) { return words[3 * s + 3]; }
    int32_t& SkillProgress(int s) { return words[3 * s + 4]; }

    // Mean of the fifteen skills that count (skill 13 does not); stored in overall when asked.
    static double ComputeOverall(CPlayer* player, bool store);
};

// stafflist.dat
struct CStaffRecord : CRecord {
    int32_t id = -1;
    int32_t clubId = -1; // -1 free
    CStr name;
    CStr text1;
    CStr text2;
    int32_t category = 0; // 80055-80062, also its text id
    int32_t specialityTextId = 0;
    int32_t specialityPercent = 0;
    int32_t wage = 0;
    int32_t skill = 0;
    int32_t originTextId = 0;
    CStr picture;          // with a leading backslash
    int32_t extra[4] = {}; // for a hired head coach: [1..3] hire year, month, day

    void Serialize(CArchive& ar) override;
};

// stadionlist.dat
struct CStadiumRecord : CRecord {
    int32_t id = -1;
    int32_t teamId = -1;
    int32_t level = 0;    // arena level, swapped with the key on promotion
    int32_t capacity = 0; // the sum of its parts' seats, set after loading
    CStr name;
    int32_t upkeep = 0;
    CStr picture;
    std::vector<CStadiumWingRecord*> wings; // stored order

    void Serialize(CArchive& ar) override;
    CStadiumRecord CopyFields() const;
};

constexpr int kWingCount = 18;
constexpr int32_t kCorePart = 300065;
constexpr int32_t kFirstPart = 300048;
constexpr int32_t kFirstSeatPart = 300054;
constexpr int32_t kLastSeatPart = 300058;

// stadionwings.dat: one part of a stadium
struct CStadiumWingRecord : CRecord {
    int32_t partId = 0; // 300065 core, 300048-300064 the others
    int32_t stadiumId = -1;
    int32_t stageCost = 0; // stage s costs (s + 1) x this
    int32_t stageDays = 0;
    int32_t status = 0;
    int32_t monthlyCost = 0;
    int32_t daysDone = 0;
    int32_t price = 0; // ticket price for seat parts
    int32_t reserved9 = 0;
    int32_t seats = 0;
    int32_t level = 0; // stages built, 0-4
    int32_t reserved[7] = {};

    void Serialize(CArchive& ar) override;
};

constexpr int kMatchStatFields = 26;
constexpr int kPlayerStatFields = 30;

// matchstat.dat: one team's figures of one match
struct CMatchStat : CRecord {
    int32_t fields[kMatchStatFields] = {};
    int32_t& Field(int n) { return fields[n - 1]; }
    int32_t Field(int n) const { return fields[n - 1]; }
    int32_t TeamId() const { return fields[2]; }
    // Fields 8, 7, 6: year, month, day. Wide, so no stored year can overflow it.
    int64_t DateKey() const { return fields[7] * 10000LL + fields[6] * 100LL + fields[5]; }
    // The figures by their meaning (the stored numbering stays as the files have it).
    int32_t& Team() { return Field(3); }
    int32_t Team() const { return Field(3); }
    int32_t& Opponent() { return Field(4); }
    int32_t Opponent() const { return Field(4); }
    int32_t& Side() { return Field(5); } // 0 home, 1 away
    int32_t Side() const { return Field(5); }
    int32_t& Day() { return Field(6); }
    int32_t Day() const { return Field(6); }
    int32_t& Month() { return Field(7); }
    int32_t Month() const { return Field(7); }
    int32_t& Year() { return Field(8); }
    int32_t Year() const { return Field(8); }
    int32_t& Score() { return Field(9); }
    int32_t Score() const { return Field(9); }
    int32_t& OpponentScore() { return Field(10); }
    int32_t OpponentScore() const { return Field(10); }
    // Close shots (dunks on the flat court; every field goal in the 3D match), two- and three-point
    // shots and free throws: attempts, then hits.
    int32_t& CloseShotsTaken() { return Field(11); }
    int32_t CloseShotsTaken() const { return Field(11); }
    int32_t& CloseShotsMade() { return Field(12); }
    int32_t CloseShotsMade() const { return Field(12); }
    int32_t& TwoPointersTaken() { return Field(13); }
    int32_t TwoPointersTaken() const { return Field(13); }
    int32_t& TwoPointersMade() { return Field(14); }
    int32_t TwoPointersMade() const { return Field(14); }
    int32_t& ThreePointersTaken() { return Field(15); }
    int32_t ThreePointersTaken() const { return Field(15); }
    int32_t& ThreePointersMade() { return Field(16); }
    int32_t ThreePointersMade() const { return Field(16); }
    int32_t& FreeThrowsTaken() { return Field(17); }
    int32_t FreeThrowsTaken() const { return Field(17); }
    int32_t& FreeThrowsMade() { return Field(18); }
    int32_t FreeThrowsMade() const { return Field(18); }
    int32_t& OffensiveRebounds() { return Field(19); }
    int32_t OffensiveRebounds() const { return Field(19); }
    int32_t& DefensiveRebounds() { return Field(20); }
    int32_t DefensiveRebounds() const { return Field(20); }
    int32_t& Steals() { return Field(24); }
    int32_t Steals() const { return Field(24); }
    int32_t& PassesFailed() { return Field(25); }
    int32_t PassesFailed() const { return Field(25); }
    int32_t& Blocks() { return Field(26); } // shots its defenders stopped
    int32_t Blocks() const { return Field(26); }
    // Day, month and year in fields 6-8, the year again in field 1.
    void SetDate(int year, int month, int day) {
        Field(1) = year;
        Field(6) = day;
        Field(7) = month;
        Field(8) = year;
    }
    void Serialize(CArchive& ar) override;
};

// playerstatlist.dat: one player's figures of one match; field 1 is the owner's id, stamped at save
struct CPlayerStat : CRecord {
    int32_t fields[kPlayerStatFields] = {};
    int32_t& Field(int n) { return fields[n - 1]; }
    int32_t Field(int n) const { return fields[n - 1]; }
    int32_t PlayerId() const { return fields[0]; }
    // Fields 2, 3, 4: year, month, day. Wide, so no stored year can overflow it.
    int64_t DateKey() const { return fields[1] * 10000LL + fields[2] * 100LL + fields[3]; }
    // The figures by their meaning (the stored numbering stays as the files have it).
    int32_t& Owner() { return Field(1); }
    int32_t Owner() const { return Field(1); }
    int32_t& Year() { return Field(2); }
    int32_t Year() const { return Field(2); }
    int32_t& Month() { return Field(3); }
    int32_t Month() const { return Field(3); }
    int32_t& Day() { return Field(4); }
    int32_t Day() const { return Field(4); }
    int32_t& SecondsPlayed() { return Field(5); }
    int32_t SecondsPlayed() const { return Field(5); }
    int32_t& Started() { return Field(6); } // 1 in the starting five
    int32_t Started() const { return Field(6); }
    int32_t& Injured() { return Field(7); } // 1 when he had to leave hurt
    int32_t Injured() const { return Field(7); }
    int32_t& InjuryMinute() { return Field(8); }
    int32_t InjuryMinute() const { return Field(8); }
    int32_t& MinutesToReplacement() { return Field(9); } // from the injury to his replacement
    int32_t MinutesToReplacement() const { return Field(9); }
    int32_t& Points() { return Field(10); }
    int32_t Points() const { return Field(10); }
    int32_t& SideFlag() { return Field(11); } // the side as each engine writes it
    int32_t SideFlag() const { return Field(11); }
    int32_t& CloseShotsTaken() { return Field(12); }
    int32_t CloseShotsTaken() const { return Field(12); }
    int32_t& CloseShotsMade() { return Field(13); }
    int32_t CloseShotsMade() const { return Field(13); }
    int32_t& TwoPointersTaken() { return Field(14); }
    int32_t TwoPointersTaken() const { return Field(14); }
    int32_t& TwoPointersMade() { return Field(15); }
    int32_t TwoPointersMade() const { return Field(15); }
    int32_t& ThreePointersTaken() { return Field(16); }
    int32_t ThreePointersTaken() const { return Field(16); }
    int32_t& ThreePointersMade() { return Field(17); }
    int32_t ThreePointersMade() const { return Field(17); }
    int32_t& FreeThrowsTaken() { return Field(20); }
    int32_t FreeThrowsTaken() const { return Field(20); }
    int32_t& FreeThrowsMade() { return Field(21); }
    int32_t FreeThrowsMade() const { return Field(21); }
    int32_t& OffensiveRebounds() { return Field(22); }
    int32_t OffensiveRebounds() const { return Field(22); }
    int32_t& DefensiveRebounds() { return Field(23); }
    int32_t DefensiveRebounds() const { return Field(23); }
    // Fouls he committed while his side had the ball, while it defended, and both together.
    int32_t& AttackFouls() { return Field(24); }
    int32_t AttackFouls() const { return Field(24); }
    int32_t& DefenceFouls() { return Field(25); }
    int32_t DefenceFouls() const { return Field(25); }
    int32_t& Fouls() { return Field(26); }
    int32_t Fouls() const { return Field(26); }
    int32_t& Steals() { return Field(27); }
    int32_t Steals() const { return Field(27); }
    int32_t& PassesFailed() { return Field(28); } // turnovers: every ball the club (or player) lost
    int32_t PassesFailed() const { return Field(28); }
    int32_t& Blocks() { return Field(29); } // shots he stopped
    int32_t Blocks() const { return Field(29); }
    int32_t& Rebounds() { return Field(30); }
    int32_t Rebounds() const { return Field(30); }
    void SetDate(int year, int month, int day) {
        Field(2) = year;
        Field(3) = month;
        Field(4) = day;
    }
    void Serialize(CArchive& ar) override;
};

// finances.dat: one ledger event of the club
struct CFinanceEntry : CRecord {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t kind = 0;
    int32_t values[7] = {};
    CStr text;
    void Serialize(CArchive& ar) override;
};

// leaguetable.dat: one saved fixture
struct CLeagueStanding : CRecord {
    int32_t homeTeam = -1;
    int32_t awayTeam = -1;
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t homeScore = -1;
    int32_t awayScore = -1;
    int32_t leagueId = -1;
    void Serialize(CArchive& ar) override;
};

constexpr int kEmailPlaceholders = 8;

// my_email.dat
struct CEmail : CRecord {
    int32_t id = -1;
    int32_t countWord = -1;
    int32_t templateRow = -1;
    int32_t type = 0; // picks the folder
    CStr senderText;
    CStr senderName;
    int32_t textId1 = -1;
    int32_t textId2 = -1;
    int32_t year = 0;
    int32_t day = 0;
    int32_t month = 0;
    int32_t unread = 0;                    // 1 new
    CStr placeholders[kEmailPlaceholders]; // values for "XX1" to "XX8"
    void Serialize(CArchive& ar) override;
};

// email.dat: a mail template, addressed by row
struct CEmailTemplate : CRecord {
    int32_t id = -1;
    int32_t countWord = 0;
    int32_t textId1 = 0;
    int32_t textId2 = 0;
    int32_t subjectTextId = 0;
    int32_t bodyTextId = 0;
    void Serialize(CArchive& ar) override;
};

// whisperlist.dat: a running rumour
struct CWhisper : CRecord {
    int32_t templateIndex = 0;
    int32_t state = 0;
    int32_t teamRow = 0;
    int32_t playerId = -1;
    int32_t celebrity = 0;
    int32_t companyRow = 0;
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    void Serialize(CArchive& ar) override;
};

constexpr int kWhisperTemplateWords = 17;

// whispers.dat: a rumour template; word 0 is its id, the named positions 1-15 follow
struct CWhisperTemplate : CRecord {
    int32_t words[kWhisperTemplateWords] = {};
    int32_t& Word(int position) { return words[position]; }
    int32_t Word(int position) const { return words[position]; }
    void Serialize(CArchive& ar) override;
};

// teamopinions.dat: row = team id
struct CTeamOpinion : CRecord {
    int32_t teamId = -1;
    int32_t current[3] = {};
    int32_t previous[3] = {};
    void Serialize(CArchive& ar) override;
};

// promotions.dat: the match-day promotion catalogue, id = row
struct CPromotion : CRecord {
    int32_t id = -1;
    int32_t nameTextId = 0;
    int32_t cost = 0;
    int32_t attendanceBoost = 0; // percent, also the change of opinion value 3
    int32_t opinionDelta1 = 0;
    int32_t opinionDelta2 = 0;
    int32_t fourthValue = 0;
    void Serialize(CArchive& ar) override;
};

// my_promotion.dat: a booked promotion (all -1 until filled)
struct CMyPromotion : CRecord {
    int32_t catalogueRow = -1;
    int32_t nameTextId = -1;
    int32_t cost = -1;
    int32_t attendanceBoost = -1;
    int32_t opinionDelta1 = -1;
    int32_t opinionDelta2 = -1;
    int32_t fourthValue = -1;
    int32_t year = -1;
    int32_t month = -1;
    int32_t day = -1;
    void Serialize(CArchive& ar) override;
};

// my_lament.dat
struct CLament : CRecord {
    int32_t playerId = -1;
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t subject = 0; // 302006-302015
    int32_t status = -1; // -1 open, 1 settled
    int32_t object = -1;
    void Serialize(CArchive& ar) override;
};

// sponsorlist.dat (offers) and sponsorcontracts.dat (contracts)
struct CSponsorRecord : CRecord {
    int32_t kind = 0; // 1-3
    int32_t requirement = 0;
    int32_t year = 0;
    int32_t month = 0;
    int32_t months = 0;
    int32_t amount = 0;
    CStr name;
    void Serialize(CArchive& ar) override;
};

// funshop.dat: id = item index 0-15
struct CFunShopItem : CRecord {
    int32_t id = -1;
    int32_t nameTextId = 0;
    int32_t thirdWord = 0;
    int32_t buyPrice = 0; // per 100 units
    int32_t deliveryDays = 0;
    int32_t salePrice = 0; // per 100 units
    void Serialize(CArchive& ar) override;
};

// my_storage.dat: fun-shop orders ("y"), stock ("sto") and a day's sales ("sel")
struct CStorageItem : CRecord {
    int32_t id = -1;
    int32_t itemIndex = -1;
    int32_t quantity = 0;
    CStr kind;
    int32_t days = 0;
    int32_t sold = 0;
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    void Serialize(CArchive& ar) override;
};

// trainingtypes.dat
struct CTrainingType : CRecord {
    int32_t id = -1;
    int32_t textId = 0; // 70101-70115, the skill it trains
    CStr name;
    int32_t firstDelta = 0;  // energy
    int32_t secondDelta = 0; // freshness
    void Serialize(CArchive& ar) override;
};

// trainingmodifiers.dat
struct CTrainingModifier : CRecord {
    int32_t id = -1;
    int32_t textId = 0; // 70200 no training
    CStr name;
    int32_t value = 0;
    void Serialize(CArchive& ar) override;
};

// StadiumUpgrade.dat: stage limits per league kind and class
struct CStadiumUpgradeRecord : CRecord {
    CStr elements[7]; // GUI element names
    int32_t leagueKind = 0;
    int32_t leagueClass = 0;
    int32_t stageLimit = 0;
    void Serialize(CArchive& ar) override;
};

// My_StadiumUpgrades.dat: a running construction. Cost and seats live in memory only.
struct CMyStadiumUpgrade : CRecord {
    int32_t partId = 0;
    int32_t daysNeeded = 0;
    int32_t daysDone = 0;
    int32_t level = 0;
    int32_t cost = 0;
    int32_t seats = 0;
    void Serialize(CArchive& ar) override;
};

// my_certificates.dat: a transfer certificate
struct CCertificate : CRecord {
    CStr playerName;
    CStr fromTeam;
    CStr toTeam;
    int32_t amount = 0;
    int32_t rating = 0;
    int32_t contractMonths = 0;
    int32_t cardValue = 0;
    int32_t day = 0;
    int32_t month = 0;
    int32_t year = 0;
    void Serialize(CArchive& ar) override;
};

// loan.dat
struct CLoan : CRecord {
    int32_t day = 0;
    int32_t month = 0;
    int32_t year = 0;
    int32_t amount = 0;
    int32_t instalment = 0;
    int32_t months = 0;
    int32_t paid = 0;
    void Serialize(CArchive& ar) override;
};

// my_campbookings.dat: a training camp the club booked; charged on the first date of its week
struct CCampBooking : CRecord {
    int32_t year = 0;
    int32_t week = 0; // week of the year; CCalendar::DateOfWeek gives its first date
    int32_t option = -1;
    int32_t cost = 0;
    int32_t day = 0; // the booked date itself
    int32_t month = 0;
    void Serialize(CArchive& ar) override;
};

// my_trainingplans.dat: whom the training day of that date was saved for (kind 0 one player, 1 the
// squad, 2 centres, 3 forwards, 4 guards; the player for kind 0), so a plan comes back as it was
// saved however the squad has changed since.
struct CTrainingPlanFor : CRecord {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t kind = 0;
    int32_t playerId = -1;
    void Serialize(CArchive& ar) override;
};

constexpr int kTrainingSlots = 16;

// my_trainingdays.dat: one planned training day: each slot's exercise (row of the training types)
// and intensity (row of the training modifiers), -1 for none
struct CTrainingDay : CRecord {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t exercise[kTrainingSlots] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int32_t modifier[kTrainingSlots] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    void Serialize(CArchive& ar) override;
};

// my_trainingentries.dat: a player taking part in the training day of that date, with his
// freshness and energy at its start
struct CTrainingEntry : CRecord {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t playerId = -1;
    int32_t freshness = 0;
    int32_t energy = 0;
    void Serialize(CArchive& ar) override;
};

// my_trainedvalues.dat: a player's attribute values before his last training, which the coach's
// next report compares with
struct CTrainedValues : CRecord {
    int32_t playerId = -1;
    int32_t values[kTrainingSlots] = {};
    void Serialize(CArchive& ar) override;
};

// my_daysteps.dat: one record of the career's own daily-step values. A career saved before the
// file existed loads without it and starts from the defaults.
struct CCareerSteps : CRecord {
    int32_t staffSelection = -1; // the staff screen's chosen world staff id, -1 none
    int32_t reportYear = 0;      // month of the last money report, 0 none yet
    int32_t reportMonth = 0;
    int32_t loansDayKey = 0; // date keys of the last day the loans, the monthly costs and the gate
    int32_t costsDayKey = 0; // money were booked: a day run again books nothing twice
    int32_t gateDayKey = 0;
    int32_t scoutCountdown = 100; // 100 down to 2, then round again
    // The pending sponsor offer: date, sponsor row and variant; all -1 while none is pending.
    int32_t offerDay = -1;
    int32_t offerMonth = -1;
    int32_t offerYear = -1;
    int32_t offerSponsor = -1;
    int32_t offerVariant = -1;
    void Serialize(CArchive& ar) override;
};

constexpr int kProfileFields = 17;

// One line of profilelist.dat (text, fields separated by '|')
// The role every profile is saved with; the club overview shows its text.
constexpr int32_t kTextManagerRole = 100003;

struct CProfile {
    int32_t id = -1;
    CStr folder;
    int32_t clubId = -1;
    int32_t year = 0;
    int32_t month = 0;
    int32_t managerNumber = 30;
    int32_t roleTextId = kTextManagerRole;
    int32_t day = 0;
    CStr managerName;
    int32_t modeTextId = 100063; // 100063 league, 100064 EuroCup, 100065 WorldCup
    int32_t dataSet = 0;         // 0 league career, 1 EuroCup, 2 WorldCup
    int32_t cupStage = 0;
    int32_t progress = 0; // league titles and tournament stages reached
    int32_t seasonStartYear = 0;
    int32_t seasonEndYear = 0;
    int32_t seasonStartMonth = 0;
    int32_t seasonStartDay = 0;

    CStr ToLine() const;
    // False for a line with too few fields or a non-number where a number belongs.
    bool FromLine(const CStr& line);
};
