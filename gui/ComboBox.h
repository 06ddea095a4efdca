// CGuiComboBox: a one-line field with a drop list. Row 0 of the open list is the combo's own
// line, item k is row k + 1. Clicking the combo posts {id, -1, 10} and plays "COMBO_CLICK";
// choosing an item posts {id, -1, 8, index}. The selection survives a refill of the items.
#pragma once

#include "gui/ListBox.h"

class CGuiComboBox : public CGuiListBox {
public:
    CGuiComboBox();

    void ClearItems() override;
    // The selected position clamped to count - 1; -1 when there are no items.
    int GetSelectedIndex() const override;
    // Without a message.
    void SetSelection(int index) override { m_selected = index; }
    // Below the configured rows the drop list shrinks to rows + 1 (its own line included).
    void SetListRows(int rows) override;
    // The drop-list row under the mouse (0 = own line), -1 when none; kept after a choice.
    int GetHoverRow() const override { return m_hoverRow; }
    void SetConfiguredRows(int rows);
    int ConfiguredRows() const { return m_configuredRows; }
    int DropRows() const { return m_dropRows; }
    bool IsOpen() const { return m_open; }
    void Close() { m_open = false; }
    int VisibleRows() const override { return m_dropRows; }
    // Only the open list scrolls; the wheel over a closed combo changes nothing.
    bool IsScrollable() const override { return m_open; }

    void OnMouseMove(const GuiContext&, int, int) override {}
    void OnMouseDown(const GuiContext& ctx, const GuiInput& input) override;
    bool OnPopupInput(const GuiContext& ctx, const GuiInput& input) override;
    void ClosePopup() override { m_open = false; }
    void DrawPopup(IGuiBackend& backend, uint32_t nowMs) override;
    bool PopupContains(int x, int y) const override;
    bool PopupOpen() const override { return m_open; }

protected:
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;

private:
    // The open list's rows below the combo's own line, or above it near the screen's bottom.
    GuiRect ListRect() const;
    int RowAt(int x, int y) const;
    int m_configuredRows = 6;
    int m_dropRows = 6;
    int m_hoverRow = -1;
    bool m_open = false;
};
