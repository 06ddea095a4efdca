// The day screen's side panel: copies the day's rows from the board and turns them into its grids.
#include "screens/info/DayInfoPanel.h"

#include "career/Calendar.h"
#include "engine/TextRun.h"
#include "gui/Element.h"
#include "gui/GuiTypes.h"
#include "screens/ClubCaption.h"
#include "screens/FormatMoney.h"

#include <algorithm>
#include <utility>

namespace {
constexpr TextRun kLeaderTitleTexts{100075, 9}; // the nine leader rows' titles
} // namespace

CDayInfoPanel::CDayInfoPanel(CGuiElement* root, TextLookup getText, HeaderSource header, BoardSource board)
    : m_root(root), m_getText(std::move(getText)), m_header(std::move(header)), m_board(std::move(board)) {
    BindGrids();
}

void CDayInfoPanel::Clear() {
    m_results.clear();
    m_leaders.clear();
    m_events.clear();
    m_view = DayPanelView();
    ClearGrids();
}

void CDayInfoPanel::Refresh() {
    if (const DayBoard* board = m_board ? m_board() : nullptr) {
        m_results = board->results;
        m_leaders = board->leaders;
        m_events = board->events;
    }
    ShowHeader(m_header ? m_header() : DayPanelHeader());
    FillGrids();
}

void CDayInfoPanel::ShowHeader(const DayPanelHeader& header) {
    m_dateText = header.date;
    // The caption needs the career's league and club; without a career it stays as it was.
    if (header.careerOpen)
        m_view.caption =
            JoinCaption({Text(300200), header.league, header.club, FormatMoney(header.cash), m_dateText,
                         CaptionSeason(header.seasonStart, header.seasonEnd, Text(80030))});
    m_club = header.club;
    ShowTitles();
}

DayPanelView CDayInfoPanel::BuildView(const CStr& club) const {
    DayPanelView view;
    view.caption = m_view.caption;
    view.fillResults = !m_results.empty();
    for (const DayResultItem& item : m_results) {
        view.resultRows.push_back(
            {item.texts[0], item.texts[1], item.texts[2], item.texts[3], item.texts[4]});
        bool users = club.Equals(item.texts[1]) || club.Equals(item.texts[3]);
        view.resultColours.push_back(users ? DayPanelView::kUserRow : DayPanelView::kWhite);
    }
    // The nine titles stand even before a day has named anybody (a career just loaded).
    const size_t leaderRows = std::max(m_leaders.size(), static_cast<size_t>(DayPanelView::kLeaderRows));
    for (size_t i = 0; i < leaderRows; ++i) {
        const CStr title = Text(kLeaderTitleTexts.At(static_cast<int>(i)));
        if (i < m_leaders.size())
            view.leaderRows.push_back({title, m_leaders[i].texts[0], m_leaders[i].texts[1]});
        else
            view.leaderRows.push_back({title, CStr(), CStr()});
    }
    for (const DayEventItem& item : m_events)
        view.eventRows.push_back({item.texts[0], item.texts[1], item.texts[2]});
    return view;
}

void CDayInfoPanel::FillGrids() {
    // A day without fixtures shows no results: an earlier day's rows under today's date would
    // read as today's.
    DayPanelView view = BuildView(m_club);
    m_view = view;
    ShowGrids(view);
}

// ---- window side -------------------------------------------------------------------------------

void CDayInfoPanel::BindGrids() {
    if (!m_root)
        return;
    m_resultsGrid = m_root->FindChild(kResultsGrid);
    m_leadersGrid = m_root->FindChild(kLeadersGrid);
    m_eventsGrid = m_root->FindChild(kEventsGrid);
}

void CDayInfoPanel::ClearGrids() {
    for (CGuiElement* grid : {m_resultsGrid, m_leadersGrid, m_eventsGrid}) {
        if (!grid)
            continue;
        grid->Clear();
        grid->SetRowCount(0);
        grid->ResetScroll(true);
    }
}

void CDayInfoPanel::ShowTitles() {
    if (!m_root)
        return;
    if (!m_view.caption.IsEmpty())
        m_root->SetCaption(m_view.caption);
    if (m_resultsGrid) {
        m_resultsGrid->SetHeaderText(0, Text(100072), kFormatLeftMiddle);
        m_resultsGrid->SetHeaderText(1, Text(80019), kFormatLeftMiddle);
        m_resultsGrid->SetHeaderText(2, Text(80072), kFormatCentreMiddle);
        m_resultsGrid->SetHeaderText(3, Text(80019), kFormatRightMiddle);
        m_resultsGrid->SetHeaderText(4, Text(100072), kFormatRightMiddle);
    }
    const std::pair<int, int> boxes[] = {{kResultsTitle, 100073}, {kEventsTitle, 100074}};
    for (const auto& [id, textId] : boxes) {
        if (CGuiElement* box = m_root->FindChild(id)) {
            box->Clear();
            box->SetText(Text(textId));
        }
    }
}

void CDayInfoPanel::ShowGrids(const DayPanelView& view) {
    if (m_resultsGrid) {
        static const int formats[5] = {kFormatLeftMiddle, kFormatLeftMiddle, kFormatCentreMiddle,
                                       kFormatRightMiddle, kFormatRightMiddle};
        m_resultsGrid->Clear();
        for (int column = 0; column < 5; ++column)
            m_resultsGrid->SetColumnFormat(column, formats[column]);
        m_resultsGrid->SetRowCount(static_cast<int>(view.resultRows.size()));
        m_resultsGrid->ResetScroll(true);
        for (size_t row = 0; row < view.resultRows.size(); ++row) {
            for (int column = 0; column < 5; ++column) {
                m_resultsGrid->AddCell(column, view.resultRows[row][static_cast<size_t>(column)], -1);
                m_resultsGrid->SetCellColour(column, static_cast<int>(row), view.resultColours[row]);
            }
        }
    }
    if (m_leadersGrid) {
        m_leadersGrid->Clear();
        m_leadersGrid->SetRowCount(DayPanelView::kLeaderRows);
        m_leadersGrid->ResetScroll(true);
        for (int column = 0; column < 3; ++column)
            m_leadersGrid->SetColumnFormat(column, kFormatLeftMiddle);
        for (const auto& cells : view.leaderRows)
            for (int column = 0; column < 3; ++column)
                m_leadersGrid->AddCell(column, cells[static_cast<size_t>(column)], -1);
        // The title column stands out from the names; rows beyond the items have no cell to colour.
        for (int row = 0; row < DayPanelView::kLeaderRows; ++row)
            m_leadersGrid->SetCellColour(0, row, DayPanelView::kLeaderTitle);
    }
    if (m_eventsGrid) {
        m_eventsGrid->Clear();
        for (int column = 0; column < 3; ++column)
            m_eventsGrid->SetColumnFormat(column, kFormatLeftMiddle);
        m_eventsGrid->SetRowCount(static_cast<int>(view.eventRows.size()));
        m_eventsGrid->ResetScroll(true);
        for (const auto& cells : view.eventRows)
            for (int column = 0; column < 3; ++column)
                m_eventsGrid->AddCell(column, cells[static_cast<size_t>(column)], -1);
    }
}
