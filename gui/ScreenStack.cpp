// CScreenStack: layers, message routing, input and drawing.
#include "gui/ScreenStack.h"

#include "engine/Log.h"
#include "gui/Theme.h"

#include <algorithm>
#include <atomic>

namespace {
std::atomic<CScreenStack*> g_screenStack{nullptr};
}

CScreenStack* GetScreenStack() {
    return g_screenStack.load();
}

void PostGuiMessage(int32_t sID, int32_t cID, int32_t kind, int32_t p1, int32_t p2) {
    if (CScreenStack* stack = g_screenStack.load())
        stack->PostMessage(sID, cID, kind, p1, p2);
    else
        QuorelLog("[PostGuiMessage] no screen stack; message {%d, %d, %d} dropped", sID, cID, kind);
}

int32_t FindGuiIdByName(const char* name) {
    CScreenStack* stack = g_screenStack.load();
    return stack ? stack->FindGuiIdByName(name) : -1;
}

CScreenStack::CScreenStack() {
    CScreenStack* none = nullptr;
    g_screenStack.compare_exchange_strong(none, this);
}

CScreenStack::~CScreenStack() {
    CScreenStack* self = this;
    g_screenStack.compare_exchange_strong(self, nullptr);
}

CGuiElement* CScreenStack::AddLayer(std::unique_ptr<CGuiElement> root, bool active, bool keep) {
    if (!root)
        return nullptr;
    ScreenLayer layer;
    layer.screenId = root->GetId();
    layer.root = std::move(root);
    layer.active = active ? 1 : 0;
    layer.keep = keep ? 1 : 0;
    m_layers.push_back(std::move(layer));
    return m_layers.back().root.get();
}

ScreenLayer* CScreenStack::FindLayer(int32_t screenId) {
    if (screenId == -1)
        return nullptr;
    for (ScreenLayer& layer : m_layers) {
        if (layer.screenId == screenId)
            return &layer;
    }
    return nullptr;
}

bool CScreenStack::IsLayerActive(int32_t screenId) {
    ScreenLayer* layer = FindLayer(screenId);
    return layer && layer->active;
}

void CScreenStack::ClearLayers() {
    m_hover = m_capture = m_focus = m_popup = nullptr;
    m_layers.clear();
}

CGuiElement* CScreenStack::FindElement(int32_t id) {
    for (ScreenLayer& layer : m_layers) {
        if (CGuiElement* found = layer.root->FindChild(id))
            return found;
    }
    return nullptr;
}

void CScreenStack::BringToTop(int32_t screenId) {
    auto it = std::find_if(m_layers.begin(), m_layers.end(),
                           [screenId](const ScreenLayer& l) { return l.screenId == screenId; });
    if (it == m_layers.end() || screenId == -1)
        return;
    std::rotate(it, it + 1, m_layers.end());
}

void CScreenStack::SetEscapeButton(int32_t screenId, int32_t buttonId) {
    if (ScreenLayer* layer = FindLayer(screenId))
        layer->escapeButton = buttonId;
}

void CScreenStack::PressEscapeButton() {
    // Only the window in front answers: Escape never reaches a window hidden behind another.
    for (auto it = m_layers.rbegin(); it != m_layers.rend(); ++it) {
        if (!it->active || !it->root->IsVisible())
            continue;
        CGuiElement* button = it->escapeButton >= 0 ? it->root->FindChild(it->escapeButton) : nullptr;
        // Without a button of its own the window's way out is the button the layout closes it with
        // (its OK, Close, Cancel or Back).
        for (auto action = m_actions.begin(); !button && action != m_actions.end(); ++action)
            if (action->kind == kMsgClose && action->target == it->screenId)
                button = it->root->FindChild(action->source);
        if (button && button->IsVisible() && button->IsEnabled())
            PostMessage(button->GetId(), -1, kMsgClick, 0, 0);
        return;
    }
}

int32_t CScreenStack::FindGuiIdByName(const char* name) const {
    std::lock_guard<std::mutex> lock(m_defineIndexMutex);
    if (m_indexedDefines > m_defines.size()) {
        m_defineIndex.clear();
        m_indexedDefines = 0;
    }
    for (; m_indexedDefines < m_defines.size(); ++m_indexedDefines) {
        const GuiDefine& define = m_defines[m_indexedDefines];
        m_defineIndex.emplace(define.name.GetText(), define.value); // the first of a name wins
    }
    const auto found = m_defineIndex.find(name ? name : "");
    return found == m_defineIndex.end() ? -1 : found->second;
}

void CScreenStack::PostMessage(int32_t sID, int32_t cID, int32_t kind, int32_t p1, int32_t p2) {
    std::lock_guard<std::mutex> lock(m_queueMutex);
    m_queue.emplace_back(GuiMessage{sID, cID, kind, p1, p2, 0}, 0);
}

std::vector<GuiMessage> CScreenStack::PendingMessages() const {
    std::lock_guard<std::mutex> lock(m_queueMutex);
    std::vector<GuiMessage> out;
    for (const auto& entry : m_queue)
        out.push_back(entry.first);
    return out;
}

void CScreenStack::ProcessMessages() {
    std::vector<std::pair<GuiMessage, int>> work;
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        work.swap(m_queue);
    }
    for (auto& entry : work) {
        OnMessage(entry.first);
        DeliverMessage(entry.first);
    }
    PurgeMessages(work);
}

void CScreenStack::PurgeMessages(std::vector<std::pair<GuiMessage, int>>& work) {
    std::vector<std::pair<GuiMessage, int>> kept;
    for (auto& [message, frames] : work) {
        if (message.handled || (message.sID == -1 && message.cID == -1))
            continue;
        if (++frames >= kMissingLayerFrames) {
            QuorelLog("[CScreenStack::PurgeMessages] message {%d, %d, %d} found no layer %d; dropped",
                      message.sID, message.cID, message.MSG, message.cID);
            continue;
        }
        kept.emplace_back(message, frames);
    }
    if (kept.empty())
        return;
    // Offered again next frame, ahead of what was posted meanwhile.
    std::lock_guard<std::mutex> lock(m_queueMutex);
    m_queue.insert(m_queue.begin(), kept.begin(), kept.end());
}

void CScreenStack::SetLayerActive(ScreenLayer& layer, bool active) {
    if (!active && layer.active)
        ForgetElementsOf(layer.root.get());
    layer.active = active ? 1 : 0;
}

void CScreenStack::ForgetElementsOf(const CGuiElement* root) {
    if (m_popup && m_popup->IsInside(root)) {
        m_popup->ClosePopup();
        m_popup = nullptr;
    }
    GuiContext ctx{*this, m_hoverSince};
    if (m_hover && m_hover->IsInside(root)) {
        m_hover->OnMouseLeave(ctx);
        m_hover = nullptr;
    }
    if (m_capture && m_capture->IsInside(root))
        m_capture = nullptr;
    if (m_focus && m_focus->IsInside(root))
        SetFocus(nullptr, m_hoverSince);
}

void CScreenStack::ForgetHover() {
    if (!m_hover)
        return;
    GuiContext ctx{*this, m_hoverSince};
    m_hover->OnMouseLeave(ctx);
    m_hover = nullptr;
}

void CScreenStack::DeliverMessage(GuiMessage& message) {
    // Layout actions only see what no screen consumed.
    if ((message.MSG == kMsgClick || message.MSG == kMsgSelection) && message.sID != -1) {
        bool fired = false;
        for (const GuiAction& action : m_actions) {
            if (action.source == message.sID) {
                PostMessage(-1, action.target, action.kind, action.source, 0);
                fired = true;
            }
        }
        if (fired)
            message.sID = -1;
    }
    if (IsWindowKind(message.MSG)) {
        ScreenLayer* target = FindLayer(message.cID);
        if (!target) {
            if (message.cID == -1)
                message.handled = 1;
            return; // the layer may be built later; offered again
        }
        // A screen change leaves whatever the mouse rested on behind: its tooltip goes with it
        // until the mouse moves again.
        if (message.MSG == kMsgOpenMenu || message.MSG == kMsgSwitchTo || message.MSG == kMsgOpenOnTop)
            ForgetHover();
        switch (message.MSG) {
        case kMsgActivate:
            SetLayerActive(*target, true);
            break;
        case kMsgOpenMenu:
        case kMsgSwitchTo:
            for (ScreenLayer& layer : m_layers) {
                if (!layer.keep && &layer != target)
                    SetLayerActive(layer, false);
            }
            SetLayerActive(*target, true);
            if (message.MSG == kMsgSwitchTo)
                BringToTop(message.cID);
            break;
        case kMsgOpenOnTop:
            SetLayerActive(*target, true);
            BringToTop(message.cID);
            break;
        case kMsgClose:
            SetLayerActive(*target, false);
            break;
        default:
            break;
        }
    } else if (message.MSG == kMsgScrollUp || message.MSG == kMsgScrollDown ||
               message.MSG == kMsgScrollStep) {
        // A window target just gets redrawn, which every frame does anyway.
        CGuiElement* element = FindElement(message.cID);
        if (element && element->IsScrollable()) {
            if (message.MSG == kMsgScrollUp)
                element->ScrollBy(-1);
            else if (message.MSG == kMsgScrollDown)
                element->ScrollBy(1);
            else
                element->ScrollTo(message.p1);
        }
    }
    message.handled = 1;
}

CGuiElement* CScreenStack::HitAt(int x, int y) {
    for (auto it = m_layers.rbegin(); it != m_layers.rend(); ++it) {
        if (!it->active || !it->root->IsVisible() || !it->root->Rect().Contains(x, y))
            continue;
        return it->root->HitTest(x, y);
    }
    return nullptr;
}

void CScreenStack::SetFocus(CGuiElement* element, uint32_t nowMs) {
    if (element == m_focus)
        return;
    GuiContext ctx{*this, nowMs};
    CGuiElement* old = m_focus;
    m_focus = element;
    if (old)
        old->OnFocus(ctx, false);
    if (element)
        element->OnFocus(ctx, true);
}

void CScreenStack::UpdateHover(const GuiContext& ctx, CGuiElement* hit) {
    if (hit != m_hover) {
        if (m_hover)
            m_hover->OnMouseLeave(ctx);
        m_hover = hit;
        m_hoverSince = ctx.nowMs;
        if (m_hover)
            m_hover->OnMouseEnter(ctx);
    }
    if (m_hover)
        m_hover->OnMouseMove(ctx, m_mouseX, m_mouseY);
}

void CScreenStack::DispatchInput(const GuiInput& input) {
    GuiContext ctx{*this, input.timeMs};
    bool mouse = input.kind == GuiInputKind::MouseMove || input.kind == GuiInputKind::MouseDown ||
                 input.kind == GuiInputKind::MouseUp || input.kind == GuiInputKind::Wheel;
    if (mouse) {
        m_mouseX = input.x;
        m_mouseY = input.y;
    }
    if (input.kind == GuiInputKind::MouseUp)
        m_mouseDown = false;
    // An open drop list sees the mouse and the keys first (Escape closes it).
    if (m_popup && (mouse || input.kind == GuiInputKind::Key)) {
        bool taken = m_popup->OnPopupInput(ctx, input);
        if (!m_popup->PopupOpen())
            m_popup = nullptr;
        if (taken) {
            if (input.kind == GuiInputKind::MouseMove)
                UpdateHover(ctx, nullptr);
            if (input.kind == GuiInputKind::MouseUp)
                m_capture = nullptr;
            return;
        }
    }
    switch (input.kind) {
    case GuiInputKind::MouseMove:
        if (m_capture)
            m_capture->OnMouseMove(ctx, input.x, input.y);
        UpdateHover(ctx, HitAt(input.x, input.y));
        break;
    case GuiInputKind::MouseDown: {
        CGuiElement* hit = HitAt(input.x, input.y);
        UpdateHover(ctx, hit);
        SetFocus(hit && hit->WantsFocus() ? hit : nullptr, input.timeMs);
        m_capture = hit;
        m_mouseDown = true;
        if (hit)
            hit->OnMouseDown(ctx, input);
        break;
    }
    case GuiInputKind::MouseUp: {
        CGuiElement* captured = m_capture;
        m_capture = nullptr;
        if (captured)
            captured->OnMouseUp(ctx, input, HitAt(input.x, input.y) == captured);
        break;
    }
    case GuiInputKind::Wheel:
        for (CGuiElement* e = HitAt(input.x, input.y); e; e = e->Parent()) {
            if (e->IsScrollable()) {
                e->ScrollBy(-input.wheel);
                e->OnMouseMove(ctx, input.x, input.y); // the row under the mouse changed
                break;
            }
        }
        break;
    case GuiInputKind::Key:
        // A text field keeps its own keys (Escape leaves it); otherwise Escape is the window's.
        if (m_focus)
            m_focus->OnKey(ctx, input.key);
        else if (input.key == kGuiKeyEscape)
            PressEscapeButton();
        break;
    case GuiInputKind::Text:
        if (m_focus)
            m_focus->OnText(ctx, input.text);
        break;
    }
}

CStr CScreenStack::TooltipText(uint32_t nowMs) const {
    if (!m_hover || m_mouseDown || m_popup || nowMs - m_hoverSince < GuiTheme::kTooltipDelayMs)
        return CStr();
    return m_hover->TooltipAt(m_mouseX, m_mouseY);
}

bool CScreenStack::CoversDialogAbove(const GuiRect& box) const {
    // A tooltip of something beneath never draws over a dialog box (a window of less than half
    // the screen) that stands above it; the dialog's own elements keep theirs.
    bool above = false;
    for (const ScreenLayer& layer : m_layers) {
        if (!above) {
            above = m_hover && m_hover->IsInside(layer.root.get());
            continue;
        }
        if (!layer.active || !layer.root->IsVisible())
            continue;
        const GuiRect& r = layer.root->Rect();
        const bool dialog = 2 * r.w * r.h < kGuiScreenWidth * kGuiScreenHeight;
        const bool overlaps =
            box.x < r.x + r.w && r.x < box.x + box.w && box.y < r.y + r.h && r.y < box.y + box.h;
        if (dialog && overlaps)
            return true;
    }
    return false;
}

void CScreenStack::Draw(IGuiBackend& backend, uint32_t nowMs) {
    for (ScreenLayer& layer : m_layers) {
        if (layer.active)
            layer.root->Draw(backend, nowMs);
    }
    if (m_popup)
        m_popup->DrawPopup(backend, nowMs);
    CStr tip = TooltipText(nowMs);
    if (tip.IsEmpty())
        return;
    GuiFont font;
    font.size = 13;
    int w = backend.TextWidth(font, tip) + 16;
    int h = backend.LineHeight(font) + 8;
    int x = std::clamp(m_mouseX + 14, 0, std::max(0, 1024 - w));
    int y = m_mouseY + 22;
    if (y + h > 768)
        y = m_mouseY - h - 6;
    GuiRect box{x, y, w, h};
    if (CoversDialogAbove(box))
        return;
    backend.FillRect(GuiRect{x + 2, y + 2, w, h}, ColorWord(0, 0, 0, 80));
    backend.FillRect(box, GuiTheme::kTooltipFill);
    backend.FrameRect(box, GuiTheme::kTooltipBorder, 1);
    backend.DrawText(font, tip, box, kFormatCentreMiddle, GuiTheme::kTooltipText);
}
