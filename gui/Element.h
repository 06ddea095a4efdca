// CGuiElement: base of every control. It owns its descriptor, tooltip, image and children, and
// carries every class-specific operation as a virtual that does nothing but log on the wrong
// kind of element, so a screen that guessed an element's class wrong fails soft.
#pragma once

#include "gui/Backend.h"
#include "gui/GuiMessage.h"
#include "gui/GuiTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

class CGuiElement;
class CScreenStack;

struct ElementDesc {
    GuiElementType type = GuiElementType::Picture;
    int32_t id = -1;
    int x = 0, y = 0, w = 0, h = 0; // absolute client pixels
    uint8_t active = 1;             // an inactive element takes no mouse input
    uint8_t visible = 1;
    uint8_t enabled = 1; // the negation of the disabled flag
    // Border and image data: a flat fill and frame drawn under the image (alpha 0 = none).
    uint32_t fillColour = 0;
    uint32_t borderColour = 0;
    int borderWidth = 0;
    CStr imagePath;
    int frameCount = 1;
    int frameIndex = 0;
    CGuiElement* parent = nullptr;
};

// One grid cell: a text and a data word; a cell colour overrides its column's.
struct GuiGridCell {
    CStr text;
    int32_t data = 0;
    uint32_t colour = 0;
    bool hasColour = false;
};

// What an element's input handlers may reach: the stack (to post, play sounds, open popups) and
// the time of the event.
struct GuiContext {
    CScreenStack& stack;
    uint32_t nowMs = 0;
    void Post(int32_t sID, int32_t cID, int32_t kind, int32_t p1 = 0, int32_t p2 = 0) const;
    void Sound(const char* tag) const;
};

class CGuiElement {
public:
    explicit CGuiElement(GuiElementType type);
    virtual ~CGuiElement();
    CGuiElement(const CGuiElement&) = delete;
    CGuiElement& operator=(const CGuiElement&) = delete;

    ElementDesc& Desc() { return m_desc; }
    const ElementDesc& Desc() const { return m_desc; }
    int32_t GetId() const { return m_desc.id; }
    GuiElementType GetType() const { return m_desc.type; }
    CGuiElement* Parent() const { return m_desc.parent; }
    const GuiRect& Rect() const { return m_rect; }

    // Tree.
    CGuiElement* AddChild(std::unique_ptr<CGuiElement> child);
    const std::vector<std::unique_ptr<CGuiElement>>& Children() const { return m_children; }
    // The first element of that id depth-first in the subtree (this one included); null when absent.
    CGuiElement* FindChild(int32_t id);
    bool IsInside(const CGuiElement* ancestor) const;

    // Geometry. Positions are absolute; moving an element moves its whole subtree.
    void UpdateRect();
    void SetSize(int width, int height);
    void MoveTo(int x, int y);
    void MoveBy(int dx, int dy);

    // Loads the picture; an empty path or a file that cannot be loaded leaves no image (the element
    // draws its fill). An element without a size takes the image's size (one frame wide).
    void SetImage(const CStr& path);
    bool HasImage() const { return m_image != nullptr; }
    const CGuiImage* Image() const { return m_image.get(); }

    void SetTooltip(const CStr& text) { m_tooltip = text; }
    const CStr& GetTooltip() const { return m_tooltip; }
    void Show(bool visible) { m_desc.visible = visible ? 1 : 0; }
    bool IsVisible() const { return m_desc.visible != 0; }
    void SetActive(bool active) { m_desc.active = active ? 1 : 0; }
    bool IsActive() const { return m_desc.active != 0; }
    // Kept on every element: layout names may resolve to any kind of control.
    void SetDisabled(bool disabled) { m_desc.enabled = disabled ? 0 : 1; }
    bool IsEnabled() const { return m_desc.enabled != 0; }

    GuiFont& Font() { return m_font; }
    const GuiFont& Font() const { return m_font; }

    // Drawing: the element, then its children first to last.
    void Draw(IGuiBackend& backend, uint32_t nowMs);
    // Drawn above every layer (an open drop list).
    virtual void DrawPopup(IGuiBackend&, uint32_t) {}
    virtual bool PopupContains(int, int) const { return false; }
    virtual bool PopupOpen() const { return false; }

    // Input. The hit element is the deepest visible, active one under the point (children last
    // to first).
    virtual CGuiElement* HitTest(int x, int y);
    virtual void OnMouseEnter(const GuiContext&) {}
    virtual void OnMouseLeave(const GuiContext&) {}
    virtual void OnMouseMove(const GuiContext&, int, int) {}
    virtual void OnMouseDown(const GuiContext&, const GuiInput&) {}
    // inside: the button went up over this element (it had the press).
    virtual void OnMouseUp(const GuiContext&, const GuiInput&, bool) {}
    virtual void OnKey(const GuiContext&, int) {}
    virtual void OnText(const GuiContext&, const CStr&) {}
    virtual bool WantsFocus() const { return false; }
    virtual void OnFocus(const GuiContext&, bool) {}
    // Popup input (an open drop list); true when the popup took the event.
    virtual bool OnPopupInput(const GuiContext&, const GuiInput&) { return false; }
    virtual void ClosePopup() {}
    // The tooltip at a point of the element (grids answer with a header tooltip).
    virtual CStr TooltipAt(int, int) const { return m_tooltip; }

    // Scrolling, for lists, combos, grids and text boxes: first visible row and its maximum.
    virtual bool IsScrollable() const { return false; }
    virtual int ScrollPos() const { return 0; }
    virtual int ScrollMax() const { return 0; }
    virtual void ScrollTo(int) {}
    void ScrollBy(int rows) { ScrollTo(ScrollPos() + rows); }
    // The thin built-in scroll marker; off when a scroll bar serves the element.
    void SetScrollHint(bool on) { m_scrollHint = on; }

    // ---- Operations of particular control classes (no-op plus a log line elsewhere) ----
    void SetText(const CStr& text) { ApplyText(text, nullptr, nullptr); }
    void SetText(const CStr& text, int format) { ApplyText(text, &format, nullptr); }
    void SetText(const CStr& text, int format, uint32_t colour) { ApplyText(text, &format, &colour); }
    virtual CStr GetText() const;
    virtual void SetCaption(const CStr& text);
    virtual void Clear();
    virtual void SetTextColour(uint32_t colour);
    virtual void SetColours(uint32_t normal, uint32_t hover, uint32_t pressed, uint32_t disabled);
    virtual void ForceState(int state, bool on);
    virtual void SetChecked(bool checked);
    virtual bool IsChecked() const;
    virtual void SetProgress(int value, int maximum);
    // Lists and combos.
    virtual int AddItem(const CStr& text, int32_t data);
    virtual void ClearItems();
    virtual void SetItem(int index, const CStr& text, int32_t data);
    virtual int32_t GetItemData(int index) const;
    virtual CStr GetItemText(int index) const;
    virtual int GetItemCount() const;
    virtual void SetItemColour(int index, uint32_t colour);
    virtual void SetItemColumnText(int index, int column, const CStr& text);
    virtual void SetColumnCaption(int column, const CStr& text);
    virtual void SortItems(int first, int last);
    virtual void UpdateScrollRange();
    virtual void SetTextFormat(int format);
    virtual int GetSelectedIndex() const;
    virtual void SetSelection(int index);
    virtual void SetListRows(int rows);
    virtual int GetHoverRow() const;
    // Grids.
    virtual void AddCell(int column, const CStr& text, int32_t data);
    virtual GuiGridCell* FindCell(int column, int row);
    virtual void SetCellColour(int column, int row, uint32_t colour);
    virtual void SetColumnColour(int column, uint32_t colour);
    virtual void SetColumnFormat(int column, int format);
    virtual void SetColumnWidth(int column, int pixels);
    virtual void SetHeaderText(int column, const CStr& text, int format);
    virtual void SetHeaderFormat(int column, int format);
    virtual void SetHeaderTooltip(int column, const CStr& text);
    virtual void SetHeaderColours(int column, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4);
    virtual void SetRowCount(int rows);
    virtual int GetRowCount() const;
    virtual void ResetScroll(bool toTop);
    virtual void SetSelectedRow(int row, bool silent = true);
    virtual int GetSelectedRow() const;
    virtual int ClampSelection();
    virtual void SortRows(int column, int first, int last);

protected:
    virtual void ApplyText(const CStr& text, const int* format, const uint32_t* colour);
    // The element's own look: fill, border, image frame.
    virtual void DrawSelf(IGuiBackend& backend, uint32_t nowMs);
    void DrawBase(IGuiBackend& backend) const;
    void DrawImageFrame(IGuiBackend& backend, int frame, const GuiRect& rect,
                        uint32_t tint = 0xFFFFFFFF) const;
    // One log line for an operation this class does not have.
    void WrongClass(const char* operation) const;

    ElementDesc m_desc;
    GuiRect m_rect;
    CStr m_tooltip;
    GuiFont m_font;
    std::shared_ptr<CGuiImage> m_image;
    std::vector<std::unique_ptr<CGuiElement>> m_children;
    bool m_scrollHint = true;
};

// Word-wraps text to a width with the font's measure; "\n" always breaks. Words longer than the
// width are cut by characters.
std::vector<CStr> WrapGuiText(IGuiBackend& backend, const GuiFont& font, const CStr& text, int width);
