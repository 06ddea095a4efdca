// CDayInfoPanel: the day screen's side panel with the day's results, nine leader rows and incidents.
#pragma once

#include "app/GameScreen.h"
#include "engine/Str.h"

#include <cstdint>
#include <functional>
#include <vector>

class CGuiElement;

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

// The texts the caption needs; empty texts where a career is not open.
struct DayPanelHeader {
    CStr date;   // "dd.mm.yyyy"
    CStr league; // the career's first league's name
    CStr club;   // the user's club
    int seasonStart = 0;
    int seasonEnd = 0;
    bool careerOpen = false;
};

class CDayInfoPanel : public CGameScreen {
public:
    static constexpr int kWindow = 11048;
    static constexpr int kResultsGrid = 11050;
    static constexpr int kResultsTitle = 11052;
    static constexpr int kLeadersGrid = 11053;
    static constexpr int kEventsTitle = 11055;
    static constexpr int kEventsGrid = 11056;

    using TextLookup = std::function<CStr(int)>;
    using HeaderSource = std::function<DayPanelHeader()>;

    // The root may be null (tests, or a layout without the panel): the lists still work. The
    // header source gives the caption's date, league, club and season at each refresh.
    explicit CDayInfoPanel(CGuiElement* root = nullptr, TextLookup getText = {}, HeaderSource header = {});
    ~CDayInfoPanel() override;
    CDayInfoPanel(const CDayInfoPanel&) = delete;
    CDayInfoPanel& operator=(const CDayInfoPanel&) = delete;

    // Deletes every item and empties the grids.
    void Clear();
    // Deletes every item but leaves the window alone: the day thread empties the lists, and the
    // main thread's next refresh brings the grids in line.
    void ClearItems();
    // Header and grids from the lists.
    void Refresh() override;
    void SetHeaderSource(HeaderSource header) { m_header = std::move(header); }

    // The match day appends in display order; the panel owns what it is given.
    void AddResult(DayResultItem* item) { m_results.push_back(item); }
    void AddLeader(DayLeaderItem* item) { m_leaders.push_back(item); }
    void AddEvent(DayEventItem* item) { m_events.push_back(item); }
    void ClearLeadersAndEvents();

    const std::vector<DayResultItem*>& Results() const { return m_results; }
    const std::vector<DayLeaderItem*>& Leaders() const { return m_leaders; }
    const std::vector<DayEventItem*>& Events() const { return m_events; }
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
    std::vector<DayResultItem*> m_results;
    std::vector<DayLeaderItem*> m_leaders;
    std::vector<DayEventItem*> m_events;
    CGuiElement* m_root = nullptr;
    CGuiElement* m_resultsGrid = nullptr;
    CGuiElement* m_leadersGrid = nullptr;
    CGuiElement* m_eventsGrid = nullptr;
    TextLookup m_getText;
    HeaderSource m_header;
    CStr m_club;         // the user's club, whose fixture is highlighted
    DayPanelView m_view; // what the last refresh showed
};
