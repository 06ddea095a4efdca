// CGuiComboBox: drop-list rules, popup input and drawing.
#include "gui/ComboBox.h"

#include "gui/ScreenStack.h"
#include "gui/Theme.h"

#include <algorithm>

CGuiComboBox::CGuiComboBox() : CGuiListBox(GuiElementType::ComboBox) {
    m_header = true;
}

void CGuiComboBox::SetConfiguredRows(int rows) {
    m_configuredRows = std::max(2, rows);
    m_dropRows = m_configuredRows;
    UpdateScrollRange();
}

void CGuiComboBox::ClearItems() {
    m_items.clear();
    m_first = 0;
    UpdateScrollRange();
}

int CGuiComboBox::GetSelectedIndex() const {
    if (m_items.empty())
        return -1;
    return std::min(std::max(m_selected, -1), GetItemCount() - 1);
}

void CGuiComboBox::SetListRows(int rows) {
    m_dropRows = rows < m_configuredRows ? std::max(1, rows + 1) : m_configuredRows;
    UpdateScrollRange();
}

GuiRect CGuiComboBox::ListRect() const {
    const int height = m_rect.h * std::max(0, m_dropRows - 1);
    // A list that would run off the bottom of the screen opens upwards instead.
    const bool up = m_rect.y + m_rect.h + height > kGuiScreenHeight && m_rect.y - height >= 0;
    return GuiRect{m_rect.x, up ? m_rect.y - height : m_rect.y + m_rect.h, m_rect.w, height};
}

bool CGuiComboBox::PopupContains(int x, int y) const {
    return m_open && (m_rect.Contains(x, y) || ListRect().Contains(x, y));
}

int CGuiComboBox::RowAt(int x, int y) const {
    if (m_rect.h <= 0)
        return -1;
    if (m_rect.Contains(x, y))
        return 0;
    const GuiRect list = ListRect();
    if (!list.Contains(x, y))
        return -1;
    return 1 + (y - list.y) / m_rect.h;
}

void CGuiComboBox::OnMouseDown(const GuiContext& ctx, const GuiInput& input) {
    if (!IsEnabled() || input.button != GuiMouseButton::Left)
        return;
    m_open = !m_open;
    if (m_open) {
        m_hoverRow = 0;
        ctx.stack.SetPopup(this);
    }
    ctx.Post(m_desc.id, -1, kMsgClick, 0, 0);
    ctx.Sound("COMBO_CLICK");
}

bool CGuiComboBox::OnPopupInput(const GuiContext& ctx, const GuiInput& input) {
    if (!m_open)
        return false;
    if (input.kind == GuiInputKind::Key && input.key == kGuiKeyEscape) {
        // Escape closes the list and leaves the choice as it was.
        m_open = false;
        return true;
    }
    int row = RowAt(input.x, input.y);
    switch (input.kind) {
    case GuiInputKind::MouseMove:
        m_hoverRow = row;
        return row >= 0;
    case GuiInputKind::Wheel:
        ScrollBy(-input.wheel);
        return true;
    case GuiInputKind::MouseDown:
        if (input.button != GuiMouseButton::Left)
            return row >= 0;
        m_hoverRow = row;
        if (row == 0) {
            // The combo's own line closes the list like a second click on the combo.
            m_open = false;
            ctx.Post(m_desc.id, -1, kMsgClick, 0, 0);
            ctx.Sound("COMBO_CLICK");
            return true;
        }
        m_open = false;
        if (row > 0) {
            int index = m_first + row - 1;
            if (index < GetItemCount()) {
                m_selected = index;
                ctx.Post(m_desc.id, -1, kMsgSelection, index, 0);
            }
        }
        // A click outside only closes the list; it does not reach what lies below.
        return true;
    case GuiInputKind::MouseUp:
        return row >= 0;
    default:
        return false;
    }
}

void CGuiComboBox::DrawSelf(IGuiBackend& backend, uint32_t nowMs) {
    CGuiElement::DrawSelf(backend, nowMs);
    bool hover = m_open && m_hoverRow == 0;
    if (hover)
        backend.FillRect(m_rect, GuiTheme::kRowHover);
    backend.FrameRect(m_rect, m_open ? GuiTheme::kAccent : GuiTheme::kFieldBorder, 1);
    // The arrow box on the right: a small downward triangle built from rows of pixels.
    int box = std::min(m_rect.h, 22);
    GuiRect arrow{m_rect.x + m_rect.w - box, m_rect.y, box, m_rect.h};
    backend.FillRect(GuiRect{arrow.x, arrow.y + 1, 1, arrow.h - 2}, GuiTheme::kFieldBorder);
    int cx = arrow.x + arrow.w / 2;
    int cy = arrow.y + arrow.h / 2 - 2;
    for (int i = 0; i < 5; ++i)
        backend.FillRect(GuiRect{cx - 4 + i, cy + i, 9 - 2 * i, 1},
                         IsEnabled() ? GuiTheme::kText : GuiTheme::kTextDim);
    int selected = GetSelectedIndex();
    if (selected >= 0) {
        GuiRect text{m_rect.x + 6, m_rect.y, m_rect.w - box - 10, m_rect.h};
        backend.SetClip(&m_rect);
        backend.DrawText(m_font, m_items[selected].texts[0], text, m_format,
                         IsEnabled() ? m_items[selected].colour : GuiTheme::kTextDim);
        backend.SetClip(nullptr);
    }
}

void CGuiComboBox::DrawPopup(IGuiBackend& backend, uint32_t) {
    if (!m_open || m_dropRows < 2)
        return;
    const GuiRect list = ListRect();
    backend.FillRect(GuiRect{list.x + 3, list.y + 3, list.w, list.h}, ColorWord(0, 0, 0, 90)); // shadow
    backend.FillRect(list, GuiTheme::kFieldFill);
    backend.SetClip(&list);
    for (int row = 1; row < m_dropRows; ++row) {
        int index = m_first + row - 1;
        if (index >= GetItemCount())
            break;
        GuiRect r{list.x + 1, list.y + (row - 1) * m_rect.h, list.w - 2, m_rect.h};
        if (row == m_hoverRow)
            backend.FillRect(r, GuiTheme::kRowSelected);
        else if (index == GetSelectedIndex())
            backend.FillRect(r, GuiTheme::kRowHover);
        backend.DrawText(m_font, m_items[index].texts[0], GuiRect{r.x + 6, r.y, r.w - 12, r.h}, m_format,
                         m_items[index].colour);
    }
    backend.SetClip(nullptr);
    backend.FrameRect(list, GuiTheme::kAccent, 1);
    if (m_scrollRange > 0) {
        int track = list.h - 4;
        int thumb = std::max(10, track * (m_dropRows - 1) / std::max(1, GetItemCount()));
        int top = list.y + 2 + (track - thumb) * m_first / m_scrollRange;
        backend.FillRect(GuiRect{list.x + list.w - 5, top, 3, thumb}, GuiTheme::kScrollThumb);
    }
}
