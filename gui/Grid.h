// CGuiGridControl: columns of cells under a header row. The k-th cell added to a column sits in
// row k; the logical row count (the range of scrolling and selection) is set apart from the cells,
// so rows without cells can still be hovered and selected. A row click posts {id, -1, 8, row} then
// {id, -1, 10, row} (and 11 on a double-click).
#pragma once

#include "gui/Element.h"

#include <optional>

class CGuiGridControl : public CGuiElement {
public:
    CGuiGridControl();

    // Deletes every cell and resets the scroll position; widths, formats, colours, headers stay.
    void Clear() override;
    // Ignored for a column not below the column count.
    void AddCell(int column, const CStr& text, int32_t data) override;
    GuiGridCell* FindCell(int column, int row) override;
    void SetCellColour(int column, int row, uint32_t colour) override;
    void SetColumnColour(int column, uint32_t colour) override;
    void SetColumnFormat(int column, int format) override;
    void SetColumnWidth(int column, int pixels) override;
    void SetHeaderText(int column, const CStr& text, int format) override;
    void SetHeaderFormat(int column, int format) override;
    void SetHeaderTooltip(int column, const CStr& text) override;
    void SetHeaderColours(int column, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4) override;
    void SetRowCount(int rows) override;
    int GetRowCount() const override { return m_rowCount; }
    // Hover row -1 and, with toTop, first visible row 0; scroll range = rows - visible rows + 1.
    void ResetScroll(bool toTop) override;
    void SetSelectedRow(int row, bool silent = true) override;
    int GetSelectedRow() const override { return m_selected; }
    int GetSelectedIndex() const override { return m_selected; }
    // Keeps the selection inside the row count; the selected row or -1.
    int ClampSelection() override;
    // Stable text sort of rows [first, last] by a column (-1 bounds = whole grid); a row's cells
    // in every column move with it, data and colours included.
    void SortRows(int column, int first, int last) override;

    // Layout settings.
    void SetColumnCount(int columns);
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    void SetRowHeight(int pixels) { m_rowHeight = pixels > 0 ? pixels : 1; }
    void SetHeaderHeight(int pixels) { m_headerHeight = pixels > 0 ? pixels : 0; }
    int VisibleRows() const;
    int ScrollRange() const { return m_scrollRange; }
    int GetHoverRow() const override { return m_hoverRow; }
    int CellCount(int column) const;
    const CStr& HeaderText(int column) const;
    uint32_t CellTextColour(int column, int row) const;

    bool IsScrollable() const override { return true; }
    int ScrollPos() const override { return m_first; }
    int ScrollMax() const override;
    void ScrollTo(int row) override;

    void OnMouseMove(const GuiContext& ctx, int x, int y) override;
    void OnMouseLeave(const GuiContext&) override;
    void OnMouseDown(const GuiContext& ctx, const GuiInput& input) override;
    void OnMouseUp(const GuiContext&, const GuiInput&, bool) override { m_pressedHeader = -1; }
    CStr TooltipAt(int x, int y) const override;

protected:
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;

private:
    struct Column {
        int width = 80;
        int format = kFormatLeftMiddle;
        uint32_t colour = 0xFFFFFFFF;
        CStr header;
        int headerFormat = kFormatLeftMiddle;
        CStr headerTooltip;
        uint32_t headerColours[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
        std::vector<std::optional<GuiGridCell>> cells;
    };
    bool ValidColumn(int column) const { return column >= 0 && column < ColumnCount(); }
    int ColumnAt(int x) const;
    int RowAt(int y) const;
    int HeaderColumnAt(int x, int y) const;

    std::vector<Column> m_columns;
    int m_rowCount = 0;
    int m_first = 0;
    int m_scrollRange = 0;
    int m_selected = -1;
    int m_hoverRow = -1;
    int m_hoverHeader = -1;
    int m_pressedHeader = -1;
    int m_rowHeight = 20;
    int m_headerHeight = 22;
};
