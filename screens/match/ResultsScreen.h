// CResultsScreen: the final table of a competition of the season, graded by rank, and the verdict
// on the user's season on its last match day; it also starts the next season.
#pragma once

#include "career/SeasonEnd.h"
#include "career/SeasonRollover.h"
#include "career/Standings.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <cstdint>

class CGuiElement;

// One table row as the grid shows it.
struct ResultsRow {
    CStr cells[6];
};

// The table of a group, leader first: rank (with `levelMark` on clubs only their names placed),
// team, the record (win share in a league, "%d:%d" two points a win in a tournament), the results
// counted (games played), points per game and the season's field-goal share.
std::vector<ResultsRow> BuildResultsRows(const CompetitionStats& group, bool leagueStyle, int seasonStartKey,
                                         const CStr& levelMark);

class CResultsScreen : public CGameScreen {
public:
    static constexpr uint32_t kHeadingColour = 0x01ACFFFFu;
    static constexpr uint32_t kWhite = 0xFFFFFFFFu;
    static constexpr uint32_t kWarningColour = 0x0000FFFFu; // red
    static constexpr int kColumns = 6;

    explicit CResultsScreen(const CScreenContext& ctx);
    CResultsScreen(const CResultsScreen&) = delete;
    CResultsScreen& operator=(const CResultsScreen&) = delete;

    // The last match day's evaluation, then the table (or the round list of a tournament the
    // user's club has left). Called by the match day and the match screens on that day only.
    void Refresh() override;
    void OnMessage(GuiMessage& m) override;

    // The table of the group picked in the group list.
    void Build();
    // The single final table once the user's club is out of a tournament.
    void FillRoundList();
    // The next season; the screens are refreshed by the caller.
    RolloverOutcome StartNewSeason();

    const SeasonVerdict& Verdict() const { return m_verdict; }
    bool SeasonOver() const { return m_seasonOver != 0; }
    const CompetitionList& Groups() const { return m_groups; }
    // The user's league's group in Groups(), -1 when there is none.
    int UserGroup() const { return m_userGroup; }

private:
    // The season's groups into the list, the user's selected; no evaluation.
    void FillGroups();
    void ShowMessage(const CStr& text, uint32_t colour);
    // The verdict's line for the user's club (nothing when there is none to say).
    void ShowVerdict();
    // The group list's pick: the table shown.
    int ShownGroup() const;
    // The tournament's champion, or at a league season's end the shown division's champion and the
    // user's promotion.
    CStr ChampionLine() const;
    // Names the champion under the verdict.
    void ShowChampion();
    // The picked table with the lines under it that name its champion.
    void ShowTable();
    int SeasonStartKey() const;
    bool TournamentData() const;
    CStr Text(int id) const { return m_ctx.Text(id); }

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;      // ID_RESULTS
    CGuiElement* m_groupList = nullptr; // ID_RESULTS_GROUPS
    CGuiElement* m_title = nullptr;     // ID_RESULTS_TITLE
    CGuiElement* m_grid = nullptr;      // ID_RESULTS_GRID
    CGuiElement* m_season = nullptr;    // ID_RESULTS_SEASON
    CGuiElement* m_button = nullptr;    // ID_RESULTS_STAGE
    CGuiElement* m_message = nullptr;   // ID_RESULTS_STAGE_TEXT
    CGuiElement* m_levelNote = nullptr; // ID_RESULTS_LEVEL_NOTE
    CompetitionList m_groups;
    int m_userGroup = -1;
    uint8_t m_seasonOver = 0;
    SeasonVerdict m_verdict;
};
