// The day screen's side panel: owns the day's rows and turns them into its three grids.
#include "screens/info/DayInfoPanel.h"

CDayInfoPanel::CDayInfoPanel(CGuiElement* root, TextLookup getText, HeaderSource header)
    : m_root(root), m_getText(std::move(getText)), m_header(std::move(header)) {
    BindGrids();
}

CDayInfoPanel::~CDayInfoPanel() {
    Clear();
}

void CDayInfoPanel::ClearLeadersAndEvents() {
    for (DayLeaderItem* item : m_leaders)
        delete item;
    m_leaders.clear();
    for (DayEventItem* item : m_events)
        delete item;
    m_events.clear();
}

void CDayInfoPanel::Clear() {
    for (DayResultItem* item : m_results)
        delete item;
    m_results.clear();
    ClearLeadersAndEvents();
    m_view = DayPanelView();
    ClearGrids();
}

void CDayInfoPanel::Refresh() {
    ShowHeader(m_header ? m_header() : DayPanelHeader());
    FillGrids();
}

void CDayInfoPanel::ShowHeader(const DayPanelHeader& header) {
    m_dateText = header.date;
    // The caption needs the career's league and club; without a career it stays as it was.
    if (header.careerOpen) {
        CStr caption = Text(300200);
        caption += " / ";
        caption += header.league;
        caption += " / ";
        caption += header.club;
        caption += " / ";
        caption += m_dateText;
        caption += " / ";
        caption += CStr::Formatted("%d-%d", header.seasonStart, header.seasonEnd);
        caption += " ";
        caption += Text(80030);
        m_view.caption = caption;
    }
    m_club = header.club;
    ShowTitles();
}

DayPanelView CDayInfoPanel::BuildView(const CStr& club) const {
    DayPanelView view;
    view.caption = m_view.caption;
    view.fillResults = !m_results.empty();
    for (const DayResultItem* item : m_results) {
        view.resultRows.push_back(
            {item->texts[0], item->texts[1], item->texts[2], item->texts[3], item->texts[4]});
        bool users = club.Equals(item->texts[1]) || club.Equals(item->texts[3]);
        view.resultColours.push_back(users ? DayPanelView::kUserRow : DayPanelView::kWhite);
    }
    for (size_t i = 0; i < m_leaders.size(); ++i) {
        const DayLeaderItem* item = m_leaders[i];
        view.leaderRows.push_back({Text(100075 + static_cast<int>(i)), item->texts[0], item->texts[1]});
    }
    for (const DayEventItem* item : m_events)
        view.eventRows.push_back({item->texts[0], item->texts[1], item->texts[2]});
    return view;
}

void CDayInfoPanel::FillGrids() {
    DayPanelView view = BuildView(m_club);
    // An empty day keeps the last match day's results on show.
    if (!view.fillResults) {
        view.resultRows = m_view.resultRows;
        view.resultColours = m_view.resultColours;
    }
    m_view = view;
    ShowGrids(view);
}

// ---- window side -------------------------------------------------------------------------------

void CDayInfoPanel::BindGrids() {
    if (!m_root)
        return;
}

void CDayInfoPanel::ClearGrids() {
    if (!m_root)
        return;
}

void CDayInfoPanel::ShowTitles() {
    if (!m_root)
        return;
}

void CDayInfoPanel::ShowGrids(const DayPanelView& view) {
    (void)view;
    if (!m_root)
        return;
}
