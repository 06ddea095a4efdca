// CGuiListBox: rows of items (a text per column, a data word, a colour), an optional caption row,
// selection and scrolling. Also the item list of a combo box. Choosing an item posts
// {id, -1, 8, index} (and 11 on a double-click).
#pragma once

#include "gui/Element.h"

#include <algorithm>

class CGuiListBox : public CGuiElement {
public:
    CGuiListBox();

    int AddItem(const CStr& text, int32_t data) override;
    void ClearItems() override;
    void SetItem(int index, const CStr& text, int32_t data) override;
    int32_t GetItemData(int index) const override;
    CStr GetItemText(int index) const override;
    int GetItemCount() const override { return static_cast<int>(m_items.size()); }
    void SetItemColour(int index, uint32_t colour) override;
    // 0 out of range.
    uint32_t ItemColour(int index) const {
        return index >= 0 && index < GetItemCount() ? m_items[static_cast<size_t>(index)].colour : 0u;
    }
    void SetItemColumnText(int index, int column, const CStr& text) override;
    void SetColumnCaption(int column, const CStr& text) override;
    // Stable sort by the first column's text in byte order; -1 bounds mean the whole list.
    void SortItems(int first, int last) override;
    void UpdateScrollRange() override;
    void SetTextFormat(int format) override { m_format = format; }
    int GetSelectedIndex() const override;
    void SetSelection(int index) override;

    // Layout settings.
    void SetRowHeight(int pixels) { m_rowHeight = pixels > 0 ? pixels : 1; }
    int RowHeight() const { return m_rowHeight; }
    void SetItemDefaultColour(uint32_t colour) { m_itemColour = colour; }
    void SetHeaderRow(bool on) { m_header = on; }
    bool HasHeaderRow() const { return m_header; }
    void SetColumnWidth(int column, int pixels) override;
    int ColumnCount() const { return static_cast<int>(std::max(m_widths.size(), m_captions.size())); }
    // Rows the box shows, the caption row included.
    virtual int VisibleRows() const;
    // Item count - visible rows (+1 with a caption row), never negative: the last first-row.
    int ScrollRange() const { return m_scrollRange; }

    bool IsScrollable() const override { return true; }
    int ScrollPos() const override { return m_first; }
    int ScrollMax() const override { return m_scrollRange; }
    void ScrollTo(int row) override;

    void OnMouseMove(const GuiContext& ctx, int x, int y) override;
    void OnMouseLeave(const GuiContext&) override { m_hoverItem = -1; }
    void OnMouseDown(const GuiContext& ctx, const GuiInput& input) override;

protected:
    explicit CGuiListBox(GuiElementType type);
    struct Item {
        std::vector<CStr> texts;
        int32_t data = 0;
        uint32_t colour = 0xFFFFFFFF;
    };
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;
    // Item index under a point of the box, -1 when none.
    int ItemAt(int x, int y) const;
    void DrawItemText(IGuiBackend& backend, const Item& item, const GuiRect& row) const;
    int ColumnX(int column) const;

    std::vector<Item> m_items;
    std::vector<CStr> m_captions;
    std::vector<int> m_widths;
    int m_first = 0;
    int m_scrollRange = 0;
    int m_selected = -1;
    int m_hoverItem = -1;
    int m_rowHeight = 20;
    int m_format = kFormatLeftMiddle;
    uint32_t m_itemColour = 0xFFFFFFFF;
    bool m_header = false;
};
