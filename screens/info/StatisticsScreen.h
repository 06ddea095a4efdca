// CStatisticsScreen: the season's statistics in three windows: the standings with the picked
// team's figures and player averages, every fixture of a competition, and a fixture's two teams
// side by side. It rebuilds its tables on every refresh and redraws its grids when a row or a
// competition is picked.
#pragma once

#include "career/Standings.h"
#include "engine/Str.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CGuiElement;
struct CTeam;

// One fixture as the fixture grids show it.
struct MatchListEntry {
    CStr dateText;
    CStr weekdayText;
    CStr awayName;
    CStr scoreText; // "%.2d-%.2d", or "-" while unplayed
    CStr homeName;
    CTeam* away = nullptr; // not owned
    CTeam* home = nullptr;
    int32_t leagueId = -1; // the home team's league
};

// A team's season figures in the match comparison (records dated after the season start).
struct ComparisonFigures {
    int games = 0, wins = 0, losses = 0;
    int pointsFor = 0, pointsAgainst = 0;
    int twosAttempted = 0, twosMade = 0;
    int threesAttempted = 0, threesMade = 0;
    int dunksAttempted = 0, dunksMade = 0;
    int freeThrowsAttempted = 0, freeThrowsMade = 0;
};
// A level score counts as neither a win nor a loss here.
ComparisonFigures SumComparisonFigures(const CTeam* team, int seasonStartKey);

// The rank colour of grid row i of n: green at the top through yellow to red at the bottom.
uint32_t RankGradientColour(int row, int rows);

// The level mark after a rank, and the note under a table that has one (league and cup wording).
constexpr int kLevelMarkText = 302950;
constexpr int kLevelNoteLeagueText = 302951;
constexpr int kLevelNoteCupText = 302952;
// A standings row's rank as the tables show it: the rank, marked when only the names placed the
// row among clubs level on every figure.
CStr StandingsRankText(const TeamStatRow& row, int rank, const CStr& levelMark);
// The note under a table with level rows (empty without any), worded for a league or a cup group.
CStr LevelNoteText(const CompetitionStats& table, bool cupStyle, const TextLookup& text);

class CStatisticsScreen : public CGameScreen {
public:
    static constexpr uint32_t kUserColour = 16711935u; // the user's club: green
    static constexpr uint32_t kWhite = 0xFFFFFFFFu;
    static constexpr uint32_t kInfoLabelColour = 16777215u; // yellow

    explicit CStatisticsScreen(const CScreenContext& ctx);
    CStatisticsScreen(const CStatisticsScreen&) = delete;
    CStatisticsScreen& operator=(const CStatisticsScreen&) = delete;

    void Refresh() override;
    void OnMessage(GuiMessage& m) override;

    void BuildAllCompetitions();
    void ClearCompetitions() { m_competitions.clear(); }
    void FillFixtureList();
    void ShowAll();
    void ShowCaptions();
    void FillCompetitionCombos();
    void FillStandings();
    void ShowTeam();
    void FillFixtureGrids();
    void ShowMatchComparison();

    const CompetitionList& Competitions() const { return m_competitions; }
    const std::vector<std::unique_ptr<MatchListEntry>>& Matches() const { return m_matches; }
    int32_t UserClubId() const { return m_userClubId; }
    bool CupStyle() const { return m_cupStyle != 0; }

private:
    void AddPlayerRow(const PlayerStatRow& row, int rank);
    void AddCompetitionItem(const CStr& name, int32_t leagueId);
    void FillComparisonGrid(CGuiElement* grid, const ComparisonFigures& figures);
    // The log names the tables the list holds (when that changes) and the table a pick shows, so a
    // scripted session can follow the screen by the game's word.
    void LogListedTables();
    void LogShownTable() const;
    // The competition picked in a combo: its index, or -1 when it names none.
    int PickedCompetition(CGuiElement* combo) const;
    int SeasonStartKey() const;
    CStr Text(int id) const { return m_ctx.Text(id); }

    const CScreenContext& m_ctx;
    CStr m_clubName = "-";
    CStr m_dateLine = "01.08.2007";
    CompetitionList m_competitions;
    std::vector<std::unique_ptr<MatchListEntry>> m_matches;
    int32_t m_userClubId = -1;
    uint8_t m_cupStyle = 0;
    std::string m_loggedTables;

    CGuiElement* m_standingsRoot = nullptr;
    CGuiElement* m_fixturesRoot = nullptr;
    CGuiElement* m_compareRoot = nullptr;
    CGuiElement* m_competitionCombo = nullptr; // ID_ST_COMPETITION
    CGuiElement* m_standingsGrid = nullptr;    // ID_ST_STANDINGS
    CGuiElement* m_teamInfoGrid = nullptr;     // ID_ST_TEAMINFO
    CGuiElement* m_squadGrid = nullptr;        // ID_ST_SQUAD
    CGuiElement* m_playerGrid = nullptr;       // ID_ST_PLAYERS
    CGuiElement* m_levelNote = nullptr;        // ID_ST_LEVEL_NOTE
    CGuiElement* m_fixtureGrid = nullptr;      // ID_FX_GRID
    CGuiElement* m_fixtureList = nullptr;      // ID_FX_COMPETITION
    CGuiElement* m_matchGrid = nullptr;        // ID_MC_GRID
    CGuiElement* m_compareCombo = nullptr;     // ID_MC_COMPETITION
    CGuiElement* m_homePicture = nullptr;      // ID_MC_HOME_PICTURE
    CGuiElement* m_homeName = nullptr;         // ID_MC_HOME_NAME
    CGuiElement* m_homeGrid = nullptr;         // ID_MC_HOME_GRID
    CGuiElement* m_awayPicture = nullptr;      // ID_MC_AWAY_PICTURE
    CGuiElement* m_awayName = nullptr;         // ID_MC_AWAY_NAME
    CGuiElement* m_awayGrid = nullptr;         // ID_MC_AWAY_GRID
};
