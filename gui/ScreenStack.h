// CScreenStack: the screen layers (bottom to top), the GUI message queue, the layout's actions and
// define table, input dispatch and drawing. The game manager derives from it and offers every
// message to its screens (OnMessage) before the stack carries it out (DeliverMessage).
#pragma once

#include "gui/Element.h"
#include "gui/GuiMessage.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

struct ScreenLayer {
    int32_t screenId = -1;
    std::unique_ptr<CGuiElement> root;
    uint8_t active = 0;
    uint8_t keep = 0;          // stays active when another screen opens with kind 4 or 6
    int32_t escapeButton = -1; // the button Escape presses while this window is in front; -1: none
};

struct GuiDefine {
    CStr name;
    int32_t value = 0;
};

class CScreenStack {
public:
    CScreenStack();
    virtual ~CScreenStack();
    CScreenStack(const CScreenStack&) = delete;
    CScreenStack& operator=(const CScreenStack&) = delete;

    // Layers. The screen id is the root's element id.
    CGuiElement* AddLayer(std::unique_ptr<CGuiElement> root, bool active, bool keep);
    ScreenLayer* FindLayer(int32_t screenId);
    const std::vector<ScreenLayer>& Layers() const { return m_layers; }
    bool IsLayerActive(int32_t screenId);
    void ClearLayers();
    // The element of that id in any layer, active or not; null when absent.
    CGuiElement* FindElement(int32_t id);
    void BringToTop(int32_t screenId);
    // Escape presses that button (a click as the mouse gives it) while the window is in front.
    void SetEscapeButton(int32_t screenId, int32_t buttonId);

    // Define table (file order, duplicates kept) and the layout's actions.
    std::vector<GuiDefine>& Defines() { return m_defines; }
    // The value of the first define of that exact name; -1 when none.
    int32_t FindGuiIdByName(const char* name) const;
    void AddAction(const GuiAction& action) { m_actions.push_back(action); }
    const std::vector<GuiAction>& Actions() const { return m_actions; }

    // Messages. Posting is safe from any thread.
    void PostMessage(int32_t sID, int32_t cID, int32_t kind, int32_t p1, int32_t p2);
    // One frame: each message queued at the start goes to OnMessage, then DeliverMessage; those
    // posted meanwhile wait for the next frame. Then PurgeMessages.
    void ProcessMessages();
    // The screens' turn; a screen consumes a message by setting its sID to -1.
    virtual void OnMessage(GuiMessage&) {}
    // Runs actions for unconsumed clicks and selections, opens, closes and switches layers,
    // scrolls; marks the message handled (except a window message whose layer does not exist yet).
    void DeliverMessage(GuiMessage& message);
    std::vector<GuiMessage> PendingMessages() const;

    // Input and drawing.
    void DispatchInput(const GuiInput& input);
    void Draw(IGuiBackend& backend, uint32_t nowMs);
    // The element that takes a mouse event at a point: the topmost active layer whose root
    // contains the point decides, nothing falls through it.
    CGuiElement* HitAt(int x, int y);
    void SetPopup(CGuiElement* element) { m_popup = element; }
    CGuiElement* Popup() const { return m_popup; }
    void SetFocus(CGuiElement* element, uint32_t nowMs);
    CGuiElement* Focus() const { return m_focus; }
    CGuiElement* Hovered() const { return m_hover; }
    // The tooltip text shown at a time, empty when none.
    CStr TooltipText(uint32_t nowMs) const;
    // Whether a tooltip box of the hovered element would cover a dialog on a layer above it.
    bool CoversDialogAbove(const GuiRect& box) const;

    // Window messages for a layer that does not exist yet are offered this many frames.
    static constexpr int kMissingLayerFrames = 300;

protected:
    void PurgeMessages(std::vector<std::pair<GuiMessage, int>>& work);

private:
    void SetLayerActive(ScreenLayer& layer, bool active);
    void ForgetElementsOf(const CGuiElement* root);
    // The mouse rests on nothing until it moves again.
    void ForgetHover();
    void UpdateHover(const GuiContext& ctx, CGuiElement* hit);
    void PressEscapeButton();

    std::vector<ScreenLayer> m_layers;
    std::vector<GuiDefine> m_defines;
    std::vector<GuiAction> m_actions;

    // Name look-ups run for every element of a layout and on screen refreshes; the index is rebuilt
    // when defines were added since it was made (they are only ever appended).
    mutable std::mutex m_defineIndexMutex;
    mutable std::unordered_map<std::string, int32_t> m_defineIndex;
    mutable size_t m_indexedDefines = 0;

    mutable std::mutex m_queueMutex;
    std::vector<std::pair<GuiMessage, int>> m_queue; // message and the frames it has waited

    CGuiElement* m_hover = nullptr;
    CGuiElement* m_capture = nullptr;
    CGuiElement* m_focus = nullptr;
    CGuiElement* m_popup = nullptr;
    uint32_t m_hoverSince = 0;
    int m_mouseX = -1, m_mouseY = -1;
    bool m_mouseDown = false;
};

// The stack PostGuiMessage and FindGuiIdByName use: the first one made, until it is destroyed.
CScreenStack* GetScreenStack();
int32_t FindGuiIdByName(const char* name);
