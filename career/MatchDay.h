// The match day's report: the day's results board, its report lines, leaders and incidents, and
// the team sheet of the user's match. Every other fixture's quick result is career/QuickResult.h.
#pragma once

#include "career/Calendar.h"
#include "database/Records.h"
#include "database/Table.h"
#include "engine/Str.h"

#include <array>
#include <cstdint>
#include <vector>

// One fixture of the day: home country, home team, "%d-%d", away team, away country.
struct DayResultItem {
    CStr texts[5];
};
// A leader row: name and team name.
struct DayLeaderItem {
    CStr texts[2];
};
// An incident row: player, team, "%.2d:%.2d".
struct DayEventItem {
    CStr texts[3];
};

// The rows the day panel shows, in display order: the match day writes them, the panel reads them.
struct DayBoard {
    std::vector<DayResultItem> results;
    std::vector<DayLeaderItem> leaders;
    std::vector<DayEventItem> events;

    void Clear() {
        results.clear();
        leaders.clear();
        events.clear();
    }
};

// The texts the day panel's caption needs; empty texts where a career is not open.
struct DayPanelHeader {
    CStr date;    // "dd.mm.yyyy"
    CStr league;  // the career's first league's name
    CStr club;    // the user's club
    int cash = 0; // the club's money after the day
    int seasonStart = 0;
    int seasonEnd = 0;
    bool careerOpen = false;
};

// Report-line kinds: the three shot kinds and free throws carry points, 4-7 count events.
enum MatchDayKind : int {
    kLineFreeThrow = 0,
    kLineTwoPoint = 1,
    kLineThreePoint = 2,
    kLineClose = 3,
    kLineAssist = 4,  // a teammate's share in a field goal
    kLineRebound = 5, // the ball after a miss
    kLineDefence = 6,
    kLineSteal = 7,
};

// One report line of the day.
struct MatchDayEntry {
    CStr playerName;
    CStr teamName;
    int kind = 0;
    int value = 0;
    int minute = 0;
    int second = 0;
    // The player's record where the writer knows it: his entry is then his alone, even beside a
    // teammate of the same name. A line without one is matched by its names.
    const void* owner = nullptr;
};

// One incident of the day (a player hurt in a quick match).
struct MatchDayIncident {
    CStr playerName;
    CStr teamName;
    int minute = 0;
    int second = 0;
};

// The day's results that the side panel's leaders and incidents come from.
class CDayResults {
public:
    // Kinds 1 and 3 share the field-goal list; every other kind has its own.
    enum Category : int {
        kFieldGoals = 0,
        kThreePointers,
        kFreeThrows,
        kRebounds,
        kAssists,
        kSteals,
        kDefence,
        kCategoryCount
    };
    // The category list of a kind; -1 for kinds above 7 (and negative ones).
    static int CategoryOf(int kind);

    void Clear();
    // Adds to the entry of the line's player (by his record where the line names it, else by the
    // player's and team's names), or appends the line as a new entry.
    void AddReportLine(const MatchDayEntry& line);
    // Where a player's entries stand in the lists (-1 where not known), so a writer with many lines
    // for the same few players skips the look-up. A hint is trusted only for an entry of the same
    // owner.
    using EntryHints = std::array<int, kCategoryCount>;
    // The same for a line given by its parts: nothing is copied unless it becomes a new entry.
    void AddReportLine(const CStr& playerName, const CStr& teamName, int kind, int value, int minute,
                       int second, EntryHints* hints = nullptr, const void* owner = nullptr);
    void AddIncident(const MatchDayIncident& incident) { m_incidents.push_back(incident); }
    // The higher score of a fixture against the day's best single score.
    void OfferTopScore(const CStr& club, int score);

    const std::vector<MatchDayEntry>& List(int category) const { return m_lists[category]; }
    const std::vector<MatchDayIncident>& Incidents() const { return m_incidents; }
    int TopScore() const { return m_topScore; }
    const CStr& TopClub() const { return m_topClub; }
    bool IsEmpty() const;

    // The nine leader rows (name, team): overall scorer, assists, rebounds, defence, steals, field
    // goals, three-pointers, free throws, then the day's top-scoring club with an empty team text.
    std::vector<std::array<CStr, 2>> Leaders() const;

private:
    // Where a list's entries stand: open addressing, a slot holding an entry's place + 1 (0 free),
    // at most half the slots taken. Entries with an owner are found by the owner; by names only
    // when a line without one comes, so a day of quick results never hashes a name.
    struct EntryIndex {
        std::vector<int32_t> ownerSlots; // a power of two of them, or none
        int owners = 0;                  // entries with an owner
        std::vector<uint64_t> nameKeys;  // the names' key of each entry before `nameKeys.size()`
        std::vector<int32_t> nameSlots;
        // The entry of that owner or of those names, -1 for none.
        int FindOwner(const std::vector<MatchDayEntry>& list, const void* owner) const;
        int FindNames(const std::vector<MatchDayEntry>& list, const CStr& playerName, const CStr& teamName);
        void AddOwner(const std::vector<MatchDayEntry>& list); // the list's new last entry
        void Clear();
    };
    std::array<std::vector<MatchDayEntry>, kCategoryCount> m_lists;
    std::array<EntryIndex, kCategoryCount> m_index;
    std::vector<MatchDayIncident> m_incidents;
    int m_topScore = -1;
    CStr m_topClub;
    int m_spare[3] = {-1, -1, -1}; // cleared with the results; nothing reads them yet
    CStr m_secondName;
};

// Gives the on-court players the five positions C, PF, SF, PG, SG, each once where possible.
void BuildTeamSheet(CTeam* team);

// Appends the nine leader rows and one row per incident to the board.
void FillDayLeaders(const CDayResults& results, DayBoard& board);
// Rebuilds the board's leader and incident rows from the day's results (after the user's match has
// added its report lines).
void BuildKickOffTimes(const CDayResults& results, DayBoard& board);
