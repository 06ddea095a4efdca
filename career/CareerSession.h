// CCareerSession: the career being played and everything it needs to move on: both databases, the
// calendar, the season's fixtures, the ledger, today's date, the data set and the mode flags.
// New, save, load, delete and leave each leave the session as it was when they fail.
#pragma once

#include "career/Calendar.h"
#include "career/Options.h"
#include "career/TextLookup.h"
#include "database/Careers.h"
#include "match/UserMatch.h"

#include <atomic>
#include <cstdint>
#include <vector>

class CMemoryDB;
class CFixtureList;
class CEventList;
struct CTeam;
struct CLeague;

struct ScheduleSettings;
class CCareerSession;

// A round of a tournament the user's club played: the rounds after it replace the world's leagues,
// and this keeps what its tables were (their names and clubs) and its days.
struct PlayedRound {
    struct Table {
        int32_t nameTextId = -1;
        std::vector<int32_t> teamIds;
    };
    int firstDayKey = 0; // yyyymmdd
    int lastDayKey = 0;
    std::vector<Table> tables;
};
// The schedule builders' view of the session's options, flags and date.
ScheduleSettings MakeScheduleSettings(const CCareerSession& session);

class CCareerSession {
public:
    // The texts name the calendar's days and months and the fixtures' leagues.
    explicit CCareerSession(TextLookup getText = {});
    ~CCareerSession();
    CCareerSession(const CCareerSession&) = delete;
    CCareerSession& operator=(const CCareerSession&) = delete;

    // Takes the options, names the calendar's days and months (call it once the texts are there)
    // and loads the league world from "\data\"; false when it cannot be loaded (the session still
    // works, with an empty world).
    bool Open(const GameOptions& gameOptions);

    // A career is open: both databases exist and the career has a club and a profile.
    bool HasOpenCareer() const;

    bool StartNewCareer(int32_t dataSet, int32_t clubId, const CStr& managerName);
    // False when nothing was written; lastSaveError then says why.
    // asNewCareer: saved as a career of its own beside the one it was loaded from (a new id and
    // folder), as when another copy of the game saved that one since.
    bool SaveCurrentCareer(bool asNewCareer = false);
    bool LoadSavedCareer(int32_t profileId);
    bool DeleteSavedCareer(int32_t profileId);
    // Back to the state before any career: career database gone, schedule and date reset.
    void LeaveCareer();

    // The user's club and its first league in the career; null without a career.
    CTeam* UserClub() const;
    CLeague* UserLeague() const;

    GameDate currentDate{2007, 8, 1};
    CMemoryDB* worldDB = nullptr;
    CMemoryDB* careerDB = nullptr;
    CCalendar* calendar = nullptr;
    CFixtureList* fixtureList = nullptr;
    CEventList* ledger = nullptr;
    GameOptions options;
    int32_t dataSet = 0; // the open career's data set
    CareerSaveError lastSaveError;
    CareerLoadError lastLoadError; // why the last LoadSavedCareer failed

    // Read by the day run on the worker and by the frame on the main thread.
    std::atomic<uint8_t> matchMode{0};
    // How the user's matches are shown: one setting, the options' "Enable3DSimulation" and
    // "EnableFastSimulation", changed by the options page or the view-mode window (SetMatchView).
    std::atomic<uint8_t> view3D{1};
    std::atomic<uint8_t> resultOnly{0}; // the 2D match runs to its end at once
    std::atomic<uint8_t> tournamentMode{0};
    std::atomic<uint8_t> euroCup{0};
    std::atomic<int32_t> cupStage{0};
    std::atomic<uint8_t> tournamentExit{0};
    std::atomic<uint8_t> careerOver{0};
    // The player's tactics for his matches (attack 0-9, defence 10-19), chosen on the tactics
    // screen and saved with the career.
    std::atomic<int32_t> userAttack{kDefaultUserAttack};
    std::atomic<int32_t> userDefence{kDefaultUserDefence};
    UserTactics Tactics() const { return UserTactics{userAttack.load(), userDefence.load()}; }
    // Chooses how matches are shown (3D leaves "result only" off) for every career, as the options
    // page does, and writes the options file; false when the file could not be written (the choice
    // holds for this run).
    bool SetMatchView(bool show3D, bool onlyResult);
    // The season whose end was judged last (profile id and the season's last year): its prize
    // and counters are never applied twice, even when the career is left and loaded again.
    int32_t judgedProfileId = -1;
    int32_t judgedSeasonEndYear = 0;
    int32_t judgedCupStage = -1; // the tournament round whose table was judged last
    // The tournament rounds the user's club played that the world's leagues no longer hold, in the
    // order played; empty outside the tournaments.
    std::vector<PlayedRound> playedRounds;

private:
    // The choices travel as a small text of their own in the career's save (careerDB->choices); a
    // career without them (saved before they were kept, or their file damaged) gets the default
    // tactics (kDefaultUserAttack, kDefaultUserDefence). How matches are shown is the options' and
    // not the career's.
    std::string ChoicesText() const;
    // False when a value read was out of range (and the default kept in its place).
    bool ApplyChoices(const std::string& text);

    TextLookup m_getText;
};
