// CStatsCompareScreen: two panels of player figures side by side. Each panel filters the players of
// every league by team, competition and position and shows one category of figures; both read the
// same stat sheets, rebuilt on every refresh with every figure already formatted.
#pragma once

#include "engine/Str.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CGuiElement;
struct CPlayer;

constexpr int kStatCategories = 11;
// Cells of each category's row of a stat sheet.
constexpr int kSheetRowCells[kStatCategories] = {9, 8, 10, 10, 7, 7, 6, 9, 5, 9, 9};

// One player's figures as the grids show them.
struct StatSheet {
    StatSheet();

    CStr playerName;
    CStr teamName;
    CStr leagueName;
    CStr positionCode; // "C", "PF", ... or "--"
    CStr positionName; // the language text of the position id
    std::array<std::vector<CStr>, kStatCategories> rows;
};

// A player's sums over every match he played. Kept wide: a long career or a damaged record
// must not overflow a sum.
struct PlayerFigures {
    int64_t games = 0;
    int64_t seconds = 0;
    int64_t points = 0;
    int64_t twosAttempted = 0, twosMade = 0;
    int64_t threesAttempted = 0, threesMade = 0;
    int64_t freeThrowsAttempted = 0, freeThrowsMade = 0;
    int64_t offensiveRebounds = 0, defensiveRebounds = 0;
    int64_t fouls = 0;
    int64_t steals = 0;
    int64_t turnovers = 0; // lost balls: bad passes, steals suffered, violations
    int64_t blocks = 0;
    int64_t bigGames = 0; // matches with seven rebounds or more

    int64_t FieldGoalsAttempted() const { return twosAttempted + threesAttempted; }
    int64_t FieldGoalsMade() const { return twosMade + threesMade; }
    int64_t Rebounds() const { return offensiveRebounds + defensiveRebounds; }
    // Only free throws: a block is no trip to the line.
    int64_t FreeThrowChances() const { return freeThrowsAttempted; }
};

PlayerFigures SumPlayerFigures(const CPlayer& player);
// Fills the eleven rows of the sheet; a player without a match gets zeros that divide nothing.
void FillSheetRows(StatSheet& sheet, const PlayerFigures& figures);
// Playing time per game as minutes.seconds (125 seconds show as 2.05).
double MinutesPerGame(int64_t seconds, int64_t games);

// One grid column of a category: caption and tooltip ids (caption 0: none), the sheet row's cell it
// shows (-1: none) and its width.
struct CompareColumn {
    int caption = 0;
    int tooltip = 0;
    int cell = -1;
    int width = 0;
};
constexpr int kCompareColumns = 12;
constexpr int kCategoryColumns = kCompareColumns - 3;
const std::array<CompareColumn, kCategoryColumns>& CategoryColumns(int category);

class CStatsCompareScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_STATSCOMPARE;
    static constexpr uint32_t kPositionColour = 0xFFFFFFFFu; // white
    static constexpr uint32_t kOddColour = 0x00FFFFFFu;      // yellow
    static constexpr uint32_t kEvenColour = 0x0080FFFFu;     // orange

    // A panel's choices: positions in the item lists (0 = no filter, the first category).
    struct Selection {
        int32_t team = 0;
        int32_t competition = 0;
        int32_t view = 0;
        int32_t category = 0;
    };
    // The two panels' element ids.
    struct PanelIds {
        int grid, team, competition, view, category;
    };
    static constexpr PanelIds kLeft{ID_SC_LEFT_GRID, ID_SC_LEFT_TEAM, ID_SC_LEFT_COMPETITION, ID_SC_LEFT_VIEW,
                                    ID_SC_LEFT_CATEGORY};
    static constexpr PanelIds kRight{ID_SC_RIGHT_GRID, ID_SC_RIGHT_TEAM, ID_SC_RIGHT_COMPETITION,
                                     ID_SC_RIGHT_VIEW, ID_SC_RIGHT_CATEGORY};

    explicit CStatsCompareScreen(const CScreenContext& ctx);
    CStatsCompareScreen(const CStatsCompareScreen&) = delete;
    CStatsCompareScreen& operator=(const CStatsCompareScreen&) = delete;

    void Refresh() override;
    void OnMessage(GuiMessage& m) override;

    void ClearSheets();
    void AddTeamItem(const CStr& text) { m_teamItems.push_back(text); }
    void AddCompetitionItem(const CStr& text) { m_competitionItems.push_back(text); }
    void AddViewItem(const CStr& text) { m_viewItems.push_back(text); }
    void AddCategoryItem(const CStr& text) { m_categoryItems.push_back(text); }
    void AddSheet(const StatSheet& sheet) { m_sheets.push_back(std::make_unique<StatSheet>(sheet)); }

    void ShowCaption();
    void FillTeamCombos() { FillComboPair(kLeft.team, kRight.team, m_teamItems, m_left.team, m_right.team); }
    void FillCompetitionCombos() {
        FillComboPair(kLeft.competition, kRight.competition, m_competitionItems, m_left.competition,
                      m_right.competition);
    }
    void FillViewCombos() { FillComboPair(kLeft.view, kRight.view, m_viewItems, m_left.view, m_right.view); }
    void FillCategoryCombos() {
        FillComboPair(kLeft.category, kRight.category, m_categoryItems, m_left.category, m_right.category);
    }
    void FillLeftGrid() { FillGrid(kLeft.grid, m_left); }
    void FillRightGrid() { FillGrid(kRight.grid, m_right); }

    const std::vector<std::unique_ptr<StatSheet>>& Sheets() const { return m_sheets; }
    const std::vector<CStr>& TeamItems() const { return m_teamItems; }
    const std::vector<CStr>& CompetitionItems() const { return m_competitionItems; }
    const std::vector<CStr>& ViewItems() const { return m_viewItems; }
    const std::vector<CStr>& CategoryItems() const { return m_categoryItems; }
    const Selection& Left() const { return m_left; }
    const Selection& Right() const { return m_right; }
    const CStr& ClubName() const { return m_clubName; }
    const CStr& DateText() const { return m_dateText; }

private:
    void FillComboPair(int leftId, int rightId, const std::vector<CStr>& items, int32_t leftWord,
                       int32_t rightWord);
    void FillGrid(int gridId, const Selection& selection);
    // Whether the sheet passes the panel's team, competition and position filters.
    bool Passes(const StatSheet& sheet, const Selection& selection) const;
    CStr Text(int id) const { return m_ctx.Text(id); }

    const CScreenContext& m_ctx;
    std::vector<std::unique_ptr<StatSheet>> m_sheets;
    CStr m_clubName = "-";
    CStr m_dateText = "01-08-2007";
    Selection m_left;
    Selection m_right;
    std::vector<CStr> m_teamItems;
    std::vector<CStr> m_competitionItems;
    std::vector<CStr> m_viewItems;
    std::vector<CStr> m_categoryItems;
    CGuiElement* m_root = nullptr;
};
