// CGuiGridControl: cell storage, row rules, sorting, input and drawing.
#include "gui/Grid.h"

#include "engine/Log.h"
#include "gui/Backend.h"
#include "gui/Theme.h"

#include <algorithm>
#include <numeric>

CGuiGridControl::CGuiGridControl() : CGuiElement(GuiElementType::Grid) {
    m_desc.fillColour = GuiTheme::kFieldFill;
    m_desc.borderColour = GuiTheme::kFieldBorder;
    m_desc.borderWidth = 1;
}

void CGuiGridControl::SetColumnCount(int columns) {
    Column column;
    column.colour = GuiTheme::kText;
    for (uint32_t& c : column.headerColours)
        c = GuiTheme::kText;
    column.headerColours[1] = GuiTheme::kButtonTextHover;
    column.headerColours[3] = GuiTheme::kTextDim;
    m_columns.resize(std::clamp(columns, 0, 64), column);
}

void CGuiGridControl::Clear() {
    for (Column& column : m_columns)
        column.cells.clear();
    m_first = 0;
    m_hoverRow = -1;
}

void CGuiGridControl::AddCell(int column, const CStr& text, int32_t data) {
    if (!ValidColumn(column))
        return;
    m_columns[column].cells.emplace_back(GuiGridCell{text, data, 0, false});
}

GuiGridCell* CGuiGridControl::FindCell(int column, int row) {
    if (!ValidColumn(column) || row < 0 || row >= CellCount(column))
        return nullptr;
    std::optional<GuiGridCell>& cell = m_columns[column].cells[row];
    return cell ? &*cell : nullptr;
}

int CGuiGridControl::CellCount(int column) const {
    return ValidColumn(column) ? static_cast<int>(m_columns[column].cells.size()) : 0;
}

void CGuiGridControl::SetCellColour(int column, int row, uint32_t colour) {
    if (GuiGridCell* cell = FindCell(column, row)) {
        cell->colour = colour;
        cell->hasColour = true;
    }
}

uint32_t CGuiGridControl::CellTextColour(int column, int row) const {
    if (!ValidColumn(column))
        return 0;
    const Column& c = m_columns[column];
    if (row >= 0 && row < static_cast<int>(c.cells.size()) && c.cells[row] && c.cells[row]->hasColour)
        return c.cells[row]->colour;
    return c.colour;
}

void CGuiGridControl::SetColumnColour(int column, uint32_t colour) {
    if (ValidColumn(column))
        m_columns[column].colour = colour;
}

void CGuiGridControl::SetColumnFormat(int column, int format) {
    if (ValidColumn(column))
        m_columns[column].format = format;
}

void CGuiGridControl::SetColumnWidth(int column, int pixels) {
    if (ValidColumn(column))
        m_columns[column].width = std::max(0, pixels);
}

void CGuiGridControl::SetHeaderText(int column, const CStr& text, int format) {
    if (!ValidColumn(column))
        return;
    m_columns[column].header = text;
    m_columns[column].headerFormat = format;
}

void CGuiGridControl::SetHeaderFormat(int column, int format) {
    if (ValidColumn(column))
        m_columns[column].headerFormat = format;
}

void CGuiGridControl::SetHeaderTooltip(int column, const CStr& text) {
    if (ValidColumn(column))
        m_columns[column].headerTooltip = text;
}

void CGuiGridControl::SetHeaderColours(int column, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4) {
    if (!ValidColumn(column))
        return;
    uint32_t* colours = m_columns[column].headerColours;
    colours[0] = c1;
    colours[1] = c2;
    colours[2] = c3;
    colours[3] = c4;
}

const CStr& CGuiGridControl::HeaderText(int column) const {
    static const CStr kEmpty;
    return ValidColumn(column) ? m_columns[column].header : kEmpty;
}

const CStr& CGuiGridControl::HeaderTooltip(int column) const {
    static const CStr kEmpty;
    return ValidColumn(column) ? m_columns[column].headerTooltip : kEmpty;
}

int CGuiGridControl::VisibleRows() const {
    return std::max(1, (m_desc.h - m_headerHeight) / m_rowHeight);
}

void CGuiGridControl::SetRowCount(int rows) {
    m_rowCount = std::max(0, rows);
    m_scrollRange = m_rowCount - VisibleRows() + 1;
    m_first = std::clamp(m_first, 0, ScrollMax());
    if (m_hoverRow >= m_rowCount)
        m_hoverRow = -1;
}

void CGuiGridControl::ResetScroll(bool toTop) {
    m_hoverRow = -1;
    if (toTop)
        m_first = 0;
    m_scrollRange = m_rowCount - VisibleRows() + 1;
    m_first = std::clamp(m_first, 0, ScrollMax());
}

// The scroll range counts first-row positions, so the last first row is one below it.
int CGuiGridControl::ScrollMax() const {
    return std::max(0, m_rowCount - VisibleRows());
}

void CGuiGridControl::ScrollTo(int row) {
    m_first = std::clamp(row, 0, ScrollMax());
}

void CGuiGridControl::SetSelectedRow(int row, bool silent) {
    m_selected = row < 0 ? -1 : row;
    if (!silent)
        PostGuiMessage(m_desc.id, -1, kMsgSelection, m_selected, 0);
}

int CGuiGridControl::ClampSelection() {
    if (m_selected >= m_rowCount)
        m_selected = m_rowCount - 1;
    if (m_selected < 0)
        m_selected = -1;
    return m_selected;
}

void CGuiGridControl::SortRows(int column, int first, int last) {
    if (!ValidColumn(column))
        return;
    int rows = 0;
    for (const Column& c : m_columns)
        rows = std::max(rows, static_cast<int>(c.cells.size()));
    if (first < 0)
        first = 0;
    if (last < 0 || last >= rows)
        last = rows - 1;
    if (first >= last)
        return;
    for (Column& c : m_columns) {
        if (static_cast<int>(c.cells.size()) <= last)
            c.cells.resize(last + 1);
    }
    const auto& key = m_columns[column].cells;
    std::vector<int> order(last - first + 1);
    std::iota(order.begin(), order.end(), first);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const std::string& ta = key[a] ? key[a]->text.Std() : std::string();
        const std::string& tb = key[b] ? key[b]->text.Std() : std::string();
        return ta < tb;
    });
    for (Column& c : m_columns) {
        std::vector<std::optional<GuiGridCell>> moved;
        moved.reserve(order.size());
        for (int from : order)
            moved.push_back(std::move(c.cells[from]));
        std::move(moved.begin(), moved.end(), c.cells.begin() + first);
        // Padding added for the sort is dropped again, so the next AddCell lands where it would have.
        while (!c.cells.empty() && !c.cells.back())
            c.cells.pop_back();
    }
}

int CGuiGridControl::ColumnAt(int x) const {
    int left = m_rect.x;
    for (int c = 0; c < ColumnCount(); ++c) {
        if (x >= left && x < left + m_columns[c].width)
            return c;
        left += m_columns[c].width;
    }
    return -1;
}

int CGuiGridControl::RowAt(int y) const {
    int top = m_rect.y + m_headerHeight;
    if (y < top || y >= m_rect.y + m_rect.h)
        return -1;
    int visible = (y - top) / m_rowHeight;
    if (visible >= VisibleRows())
        return -1;
    int row = m_first + visible;
    return row < m_rowCount ? row : -1;
}

int CGuiGridControl::HeaderColumnAt(int x, int y) const {
    if (m_headerHeight <= 0 || y < m_rect.y || y >= m_rect.y + m_headerHeight)
        return -1;
    return ColumnAt(x);
}

void CGuiGridControl::OnMouseMove(const GuiContext&, int x, int y) {
    m_hoverRow = RowAt(y);
    m_hoverHeader = HeaderColumnAt(x, y);
}

void CGuiGridControl::OnMouseLeave(const GuiContext&) {
    m_hoverRow = -1;
    m_hoverHeader = -1;
    m_pressedHeader = -1;
}

void CGuiGridControl::OnMouseDown(const GuiContext& ctx, const GuiInput& input) {
    if (!IsEnabled() || input.button != GuiMouseButton::Left)
        return;
    // Header clicks only show the pressed colour; sorting is the screens' business.
    m_pressedHeader = HeaderColumnAt(input.x, input.y);
    int row = RowAt(input.y);
    if (row < 0 || m_pressedHeader >= 0)
        return;
    m_selected = row;
    ctx.Post(m_desc.id, -1, kMsgSelection, row, 0);
    ctx.Post(m_desc.id, -1, kMsgClick, row, 0);
    if (input.clicks >= 2)
        ctx.Post(m_desc.id, -1, kMsgDoubleClick, row, 0);
}

namespace {

// The text's margin inside a cell: narrow columns of two-letter headers and three-digit values
// (a stamina of 100) keep only a sliver, so they show whole instead of "...".
int CellInset(int columnWidth) {
    return columnWidth < 50 ? 2 : 5;
}
int CellTextWidth(int columnWidth) {
    return columnWidth - 2 * CellInset(columnWidth);
}

} // namespace

CStr CGuiGridControl::TooltipAt(int x, int y) const {
    int column = HeaderColumnAt(x, y);
    if (column >= 0 && !m_columns[column].headerTooltip.IsEmpty())
        return m_columns[column].headerTooltip;
    // A cell whose text did not fit its column shows the whole text.
    column = ColumnAt(x);
    const int row = RowAt(y);
    if (column >= 0 && row >= 0 && row < static_cast<int>(m_columns[column].cells.size()) &&
        m_columns[column].cells[row]) {
        const CStr& text = m_columns[column].cells[row]->text;
        if (GuiBackend().TextWidth(m_font, text) > CellTextWidth(m_columns[column].width))
            return text;
    }
    return m_tooltip;
}

void CGuiGridControl::DrawSelf(IGuiBackend& backend, uint32_t nowMs) {
    CGuiElement::DrawSelf(backend, nowMs);
    backend.SetClip(&m_rect);
    int rightEdge = m_rect.x + m_rect.w;
    if (m_headerHeight > 0) {
        GuiRect bar{m_rect.x, m_rect.y, m_rect.w, m_headerHeight};
        backend.FillRect(bar, GuiTheme::kHeaderFill);
        int x = m_rect.x;
        for (int c = 0; c < ColumnCount() && x < rightEdge; ++c) {
            const Column& column = m_columns[c];
            int state = !IsEnabled() ? 3 : c == m_pressedHeader ? 2 : c == m_hoverHeader ? 1 : 0;
            GuiRect cell{x, bar.y, column.width, bar.h};
            if (state == 1 || state == 2)
                backend.FillRect(cell, GuiTheme::kHeaderHover);
            if (c > 0)
                backend.FillRect(GuiRect{x, bar.y + 4, 1, bar.h - 8}, GuiTheme::kGridLine);
            const int inset = CellInset(column.width);
            backend.DrawText(m_font,
                             FitTextToWidth(backend, m_font, column.header, CellTextWidth(column.width)),
                             GuiRect{x + inset, bar.y, CellTextWidth(column.width), bar.h},
                             column.headerFormat, column.headerColours[state]);
            x += column.width;
        }
        backend.FillRect(GuiRect{bar.x, bar.y + bar.h - 2, bar.w, 2}, GuiTheme::kAccent);
    }
    int top = m_rect.y + m_headerHeight;
    int visible = VisibleRows();
    for (int r = 0; r < visible; ++r) {
        int row = m_first + r;
        if (row >= m_rowCount)
            break;
        GuiRect line{m_rect.x + 1, top + r * m_rowHeight, m_rect.w - 2, m_rowHeight};
        if (row % 2 == 1)
            backend.FillRect(line, GuiTheme::kRowAlt);
        if (row == m_selected)
            backend.FillRect(line, GuiTheme::kRowSelected);
        if (row == m_hoverRow)
            backend.FillRect(line, GuiTheme::kRowHover);
        int x = m_rect.x;
        for (int c = 0; c < ColumnCount() && x < rightEdge; ++c) {
            const Column& column = m_columns[c];
            if (row < static_cast<int>(column.cells.size()) && column.cells[row]) {
                GuiRect cell{x + CellInset(column.width), line.y, CellTextWidth(column.width), line.h};
                backend.SetClip(&cell);
                // Text too long for its column ends in "..." (the tooltip shows it whole).
                backend.DrawText(m_font, FitTextToWidth(backend, m_font, column.cells[row]->text, cell.w),
                                 cell, column.format, CellTextColour(c, row));
                backend.SetClip(&m_rect);
            }
            x += column.width;
        }
    }
    backend.SetClip(nullptr);
    int maxFirst = ScrollMax();
    if (maxFirst > 0 && m_scrollHint) {
        int track = m_rect.h - m_headerHeight - 4;
        int thumb = std::max(12, track * visible / std::max(1, m_rowCount));
        int y = top + 2 + (track - thumb) * m_first / maxFirst;
        backend.FillRect(GuiRect{m_rect.x + m_rect.w - 5, y, 3, thumb}, GuiTheme::kScrollThumb);
    }
}
