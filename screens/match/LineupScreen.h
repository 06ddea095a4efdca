// CLineupScreen: the starting five and the rest of the squad with their skills, a player card,
// the season's best matches and the last three. Putting a player in or taking him out writes the
// on-court status and the played position straight into the player records.
#pragma once

#include "screens/PositionCode.h"
#include "screens/ScreenContext.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct CPlayer;

inline constexpr int kLineupSkills = 16;
inline constexpr int kSeasonBests = 14;
inline constexpr int kLastMatchStats = 18;

struct LineupRow {
    CStr name;
    CStr birthDate;
    int32_t playerIndex = -1; // in the club's player list
    int32_t height = 0;
    int32_t weight = 0;
    CStr cardText;
    CStr positionCode;
    CStr positionText;
    int32_t playedPosition = 0;
    uint8_t starter = 0;
    uint8_t injured = 0;
    int32_t skills[kLineupSkills] = {};
    int32_t rating = 0;                     // the 0-100 rating every screen shows
    int32_t seasonBests[kSeasonBests] = {}; // the playing time (the last) in seconds
    CStr matchDates[3];
    int32_t lastMatches[kLastMatchStats][3] = {}; // the playing time (the last) in seconds
    int matchCount = 0;                           // recorded matches, up to three shown
};

// The played position of the next starter: the first of C, PF, SF, PG, SG that no starter's own
// position code takes; 0 when all five are taken.
int32_t NextStarterPosition(const std::vector<CStr>& starterCodes);
// One row from a player record (the injury forcing is the caller's).
LineupRow MakeLineupRow(const CPlayer& player, int32_t playerIndex, const std::function<CStr(int)>& text);

class CLineupScreen : public CGameScreen {
public:
    static constexpr uint32_t kInjuredColour = 0x0000FFFFu;
    static constexpr uint32_t kWhite = 0xFFFFFFFFu;

    explicit CLineupScreen(const CScreenContext& ctx);
    ~CLineupScreen() override;

    // Rebuilds every row from the user's club (benching injured starters in the records), then shows.
    void Refresh() override;
    void OnMessage(GuiMessage& message) override;

    void FillLineupRows();
    void AddPlayer(const LineupRow& row);
    void GroupRows();
    // Date, header, lists, and the card and tables of the starters' side.
    void Show();
    void FillLists();
    void FillPlayerCard(int side);
    void FillSkillGrid(int side);
    void FillCompareGrid(int side);
    void ShowHeader();
    void ClearRows();

    // Where the selected player goes when the player information window exists; nothing until then.
    void SetPlayerInfoHook(std::function<void(CPlayer*)> hook) { m_showPlayerInfo = std::move(hook); }

    const std::vector<std::unique_ptr<LineupRow>>& Rows() const { return m_rows; }
    int SelectedRecord(int side) const { return m_selectedRecord[side]; }

private:
    // The row of a record index, null when the index is not a row (before the first refresh or
    // after the squad shrank).
    LineupRow* RowAt(int record) const;
    CPlayer* PlayerOf(const LineupRow& row) const;
    void PutIn();
    void TakeOut();
    void RefreshTactics();
    CGuiElement* Child(int id) const;

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    std::vector<std::unique_ptr<LineupRow>> m_rows;
    CStr m_clubName = "Club";
    CStr m_dateText = "01-08-2007";
    int m_selectedRow[2] = {0, 0};
    int m_selectedRecord[2] = {0, 0};
    std::function<void(CPlayer*)> m_showPlayerInfo;
};
