// CGuiListBox: item rules, selection and drawing.
#include "gui/ListBox.h"

#include "gui/Backend.h"
#include "gui/Theme.h"

#include <algorithm>

CGuiListBox::CGuiListBox() : CGuiListBox(GuiElementType::ListBox) {}

CGuiListBox::CGuiListBox(GuiElementType type) : CGuiElement(type) {
    m_desc.fillColour = GuiTheme::kFieldFill;
    m_desc.borderColour = GuiTheme::kFieldBorder;
    m_desc.borderWidth = 1;
    m_itemColour = GuiTheme::kText;
}

int CGuiListBox::AddItem(const CStr& text, int32_t data) {
    m_items.push_back(Item{{text}, data, m_itemColour});
    UpdateScrollRange();
    return static_cast<int>(m_items.size()) - 1;
}

void CGuiListBox::ClearItems() {
    m_items.clear();
    m_selected = -1;
    m_hoverItem = -1;
    m_first = 0;
    UpdateScrollRange();
}

void CGuiListBox::SetItem(int index, const CStr& text, int32_t data) {
    if (index < 0 || index >= GetItemCount())
        return;
    m_items[index].texts.at(0) = text;
    m_items[index].data = data;
}

int32_t CGuiListBox::GetItemData(int index) const {
    if (index < 0 || index >= GetItemCount())
        return 0;
    return m_items[index].data;
}

CStr CGuiListBox::GetItemText(int index) const {
    if (index < 0 || index >= GetItemCount())
        return CStr();
    return m_items[index].texts[0];
}

void CGuiListBox::SetItemColour(int index, uint32_t colour) {
    if (index >= 0 && index < GetItemCount())
        m_items[index].colour = colour;
}

void CGuiListBox::SetItemColumnText(int index, int column, const CStr& text) {
    if (index < 0 || index >= GetItemCount() || column < 0 || column > 63)
        return;
    std::vector<CStr>& texts = m_items[index].texts;
    if (static_cast<int>(texts.size()) <= column)
        texts.resize(column + 1);
    texts[column] = text;
}

void CGuiListBox::SetColumnCaption(int column, const CStr& text) {
    if (column < 0 || column > 63)
        return;
    if (static_cast<int>(m_captions.size()) <= column)
        m_captions.resize(column + 1);
    m_captions[column] = text;
}

void CGuiListBox::SetColumnWidth(int column, int pixels) {
    if (column < 0 || column > 63)
        return;
    if (static_cast<int>(m_widths.size()) <= column)
        m_widths.resize(column + 1, 0);
    m_widths[column] = std::max(0, pixels);
}

void CGuiListBox::SortItems(int first, int last) {
    int count = GetItemCount();
    if (first < 0)
        first = 0;
    if (last < 0 || last >= count)
        last = count - 1;
    if (first >= last)
        return;
    std::stable_sort(m_items.begin() + first, m_items.begin() + last + 1,
                     [](const Item& a, const Item& b) { return a.texts[0].Std() < b.texts[0].Std(); });
}

int CGuiListBox::VisibleRows() const {
    return std::max(1, m_desc.h / m_rowHeight);
}

void CGuiListBox::UpdateScrollRange() {
    m_scrollRange = std::max(0, GetItemCount() - VisibleRows() + (m_header ? 1 : 0));
    m_first = std::clamp(m_first, 0, m_scrollRange);
}

int CGuiListBox::GetSelectedIndex() const {
    return m_selected < GetItemCount() ? m_selected : -1;
}

void CGuiListBox::SetSelection(int index) {
    m_selected = index < 0 ? -1 : index;
}

void CGuiListBox::ScrollTo(int row) {
    UpdateScrollRange();
    m_first = std::clamp(row, 0, m_scrollRange);
}

int CGuiListBox::ItemAt(int x, int y) const {
    if (!m_rect.Contains(x, y))
        return -1;
    int row = (y - m_rect.y) / m_rowHeight;
    if (m_header) {
        if (row == 0)
            return -1;
        --row;
    }
    if (row >= VisibleRows() - (m_header ? 1 : 0))
        return -1;
    int index = m_first + row;
    return index < GetItemCount() ? index : -1;
}

void CGuiListBox::OnMouseMove(const GuiContext&, int x, int y) {
    m_hoverItem = ItemAt(x, y);
}

void CGuiListBox::OnMouseDown(const GuiContext& ctx, const GuiInput& input) {
    if (!IsEnabled() || input.button != GuiMouseButton::Left)
        return;
    int index = ItemAt(input.x, input.y);
    if (index < 0)
        return;
    m_selected = index;
    ctx.Post(m_desc.id, -1, kMsgSelection, index, 0);
    if (input.clicks >= 2)
        ctx.Post(m_desc.id, -1, kMsgDoubleClick, index, 0);
}

int CGuiListBox::ColumnX(int column) const {
    int x = m_rect.x;
    for (int c = 0; c < column; ++c)
        x += c < static_cast<int>(m_widths.size()) && m_widths[c] > 0 ? m_widths[c] : m_rect.w;
    return x;
}

void CGuiListBox::DrawItemText(IGuiBackend& backend, const Item& item, const GuiRect& row) const {
    int columns = std::max<int>(1, static_cast<int>(item.texts.size()));
    for (int c = 0; c < columns; ++c) {
        int x = ColumnX(c);
        int w = c + 1 < columns ? ColumnX(c + 1) - x : row.x + row.w - x;
        GuiRect cell{x + 6, row.y, w - 12, row.h};
        if (cell.w > 0 && !item.texts[c].IsEmpty())
            backend.DrawText(m_font, FitTextToWidth(backend, m_font, item.texts[c], cell.w), cell, m_format,
                             item.colour);
    }
}

void CGuiListBox::DrawSelf(IGuiBackend& backend, uint32_t nowMs) {
    CGuiElement::DrawSelf(backend, nowMs);
    backend.SetClip(&m_rect);
    int y = m_rect.y;
    int rows = VisibleRows();
    if (m_header) {
        GuiRect bar{m_rect.x, y, m_rect.w, m_rowHeight};
        backend.FillRect(bar, GuiTheme::kHeaderFill);
        backend.FillRect(GuiRect{bar.x, bar.y + bar.h - 1, bar.w, 1}, GuiTheme::kAccent);
        for (size_t c = 0; c < m_captions.size(); ++c) {
            int x = ColumnX(static_cast<int>(c));
            int w =
                c + 1 < m_captions.size() ? ColumnX(static_cast<int>(c) + 1) - x : m_rect.x + m_rect.w - x;
            backend.DrawText(m_font, m_captions[c], GuiRect{x + 6, y, w - 12, m_rowHeight}, kFormatLeftMiddle,
                             GuiTheme::kTextDim);
        }
        y += m_rowHeight;
        --rows;
    }
    for (int r = 0; r < rows; ++r) {
        int index = m_first + r;
        if (index >= GetItemCount())
            break;
        GuiRect row{m_rect.x + 1, y + r * m_rowHeight, m_rect.w - 2, m_rowHeight};
        if (index % 2 == 1)
            backend.FillRect(row, GuiTheme::kRowAlt);
        if (index == m_selected)
            backend.FillRect(row, GuiTheme::kRowSelected);
        else if (index == m_hoverItem)
            backend.FillRect(row, GuiTheme::kRowHover);
        DrawItemText(backend, m_items[index], row);
    }
    backend.SetClip(nullptr);
    if (m_scrollRange > 0 && m_scrollHint) {
        int track = m_rect.h - 4;
        int thumb = std::max(12, track * VisibleRows() / std::max(1, GetItemCount()));
        int top = m_rect.y + 2 + (track - thumb) * m_first / m_scrollRange;
        backend.FillRect(GuiRect{m_rect.x + m_rect.w - 5, top, 3, thumb}, GuiTheme::kScrollThumb);
    }
}
