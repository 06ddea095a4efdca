// CDayInfoPanel: the day screen's side panel with the day's results, nine leader rows and incidents.
#pragma once

#include "career/MatchDay.h"
#include "engine/Str.h"
#include "gui/GameScreen.h"
#include "guidefines.h"

#include <cstdint>
#include <functional>
#include <vector>

class CGuiElement;

// What the panel's grids show, built from its lists; the window code copies it into the grids.
struct DayPanelView {
    static constexpr int kLeaderRows = 9;
    static constexpr uint32_t kWhite = 0xFFFFFFFFu;
    static constexpr uint32_t kUserRow = 16711935u; // the user's club's fixture
    static constexpr uint32_t kLeaderTitle = 16777215u;

    CStr caption;
    bool fillResults = false; // an empty result list leaves the grid as it was
    std::vector<std::vector<CStr>> resultRows;
    std::vector<uint32_t> resultColours;       // one per result row
    std::vector<std::vector<CStr>> leaderRows; // title, name, team; one per leader item
    std::vector<std::vector<CStr>> eventRows;
};

class CDayInfoPanel : public CGameScreen {
public:
    static constexpr int kWindow = ID_DAYPANEL;
    static constexpr int kResultsGrid = ID_DAYPANEL_RESULTS;
    static constexpr int kResultsTitle = ID_DAYPANEL_RESULTS_TITLE;
    static constexpr int kLeadersGrid = ID_DAYPANEL_LEADERS;
    static constexpr int kEventsTitle = ID_DAYPANEL_EVENTS_TITLE;
    static constexpr int kEventsGrid = ID_DAYPANEL_EVENTS;

    using TextLookup = std::function<CStr(int)>;
    using HeaderSource = std::function<DayPanelHeader()>;
    using BoardSource = std::function<const DayBoard*()>;

    // The root may be null (tests, or a layout without the panel): the lists still work. The
    // header source gives the caption's date, league, club and season at each refresh; the board
    // source the day's rows, which the panel copies on the main thread.
    explicit CDayInfoPanel(CGuiElement* root = nullptr, TextLookup getText = {}, HeaderSource header = {},
                           BoardSource board = {});
    CDayInfoPanel(const CDayInfoPanel&) = delete;
    CDayInfoPanel& operator=(const CDayInfoPanel&) = delete;

    // Forgets every row and empties the grids.
    void Clear();
    // Header and grids from the board's rows.
    void Refresh() override;
    void SetHeaderSource(HeaderSource header) { m_header = std::move(header); }
    void SetBoardSource(BoardSource board) { m_board = std::move(board); }

    const std::vector<DayResultItem>& Results() const { return m_results; }
    const std::vector<DayLeaderItem>& Leaders() const { return m_leaders; }
    const std::vector<DayEventItem>& Events() const { return m_events; }
    const CStr& DateText() const { return m_dateText; }
    const DayPanelView& LastView() const { return m_view; }

    // The grids' contents with the given user's club highlighted; tested without a window.
    DayPanelView BuildView(const CStr& club) const;

private:
    CStr Text(int id) const { return m_getText ? m_getText(id) : CStr(); }
    void ShowHeader(const DayPanelHeader& header);
    void FillGrids();
    // The window side: find the grids, empty them, show the titles and rows.
    void BindGrids();
    void ClearGrids();
    void ShowTitles();
    void ShowGrids(const DayPanelView& view);

    CStr m_dateText;
    std::vector<DayResultItem> m_results;
    std::vector<DayLeaderItem> m_leaders;
    std::vector<DayEventItem> m_events;
    CGuiElement* m_root = nullptr;
    CGuiElement* m_resultsGrid = nullptr;
    CGuiElement* m_leadersGrid = nullptr;
    CGuiElement* m_eventsGrid = nullptr;
    TextLookup m_getText;
    HeaderSource m_header;
    BoardSource m_board;
    CStr m_club;         // the user's club, whose fixture is highlighted
    DayPanelView m_view; // what the last refresh showed
};
