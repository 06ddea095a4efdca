// CGuiEditBox: focus messages, UTF-8-aware editing and the caret.
#include "gui/EditBox.h"

#include "gui/ScreenStack.h"
#include "gui/Theme.h"

#include <algorithm>

namespace {
bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
} // namespace

CGuiEditBox::CGuiEditBox() : CGuiElement(GuiElementType::EditBox) {
    m_desc.fillColour = GuiTheme::kFieldFill;
    m_desc.borderColour = GuiTheme::kFieldBorder;
    m_desc.borderWidth = 1;
    m_colour = GuiTheme::kText;
}

void CGuiEditBox::ApplyText(const CStr& text, const int*, const uint32_t* colour) {
    std::string s = text.Std().substr(0, static_cast<size_t>(m_maxLength));
    // A character cut in half by the length limit goes whole.
    size_t lead = s.size();
    while (lead > 0 && IsContinuation(s[lead - 1]))
        --lead;
    if (lead > 0) {
        auto first = static_cast<unsigned char>(s[lead - 1]);
        size_t need = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        if (s.size() - (lead - 1) < need)
            s.resize(lead - 1);
    }
    m_text = CStr(s);
    m_caret = static_cast<int>(s.size());
    if (colour)
        m_colour = *colour;
}

void CGuiEditBox::OnFocus(const GuiContext& ctx, bool gained) {
    if (gained == m_focus)
        return;
    m_focus = gained;
    if (gained) {
        m_caret = static_cast<int>(m_text.Length());
        ctx.Post(m_desc.id, -1, kMsgEditFocus, 0, 0);
        ctx.Sound("EDIT_CLICK");
    } else {
        ctx.Post(m_desc.id, -1, kMsgEditBlur, 0, 0);
    }
}

void CGuiEditBox::OnKey(const GuiContext& ctx, int key) {
    std::string s = m_text.Std();
    switch (key) {
    case kGuiKeyBackspace:
        if (m_caret > 0) {
            int from = m_caret - 1;
            while (from > 0 && IsContinuation(s[from]))
                --from;
            s.erase(from, m_caret - from);
            m_caret = from;
        }
        break;
    case kGuiKeyDelete:
        if (m_caret < static_cast<int>(s.size())) {
            int to = m_caret + 1;
            while (to < static_cast<int>(s.size()) && IsContinuation(s[to]))
                ++to;
            s.erase(m_caret, to - m_caret);
        }
        break;
    case kGuiKeyLeft:
        while (m_caret > 0 && IsContinuation(s[--m_caret])) {
        }
        break;
    case kGuiKeyRight:
        if (m_caret < static_cast<int>(s.size())) {
            ++m_caret;
            while (m_caret < static_cast<int>(s.size()) && IsContinuation(s[m_caret]))
                ++m_caret;
        }
        break;
    case kGuiKeyHome:
        m_caret = 0;
        break;
    case kGuiKeyEnd:
        m_caret = static_cast<int>(s.size());
        break;
    case kGuiKeyEnter:
    case kGuiKeyEscape:
        ctx.stack.SetFocus(nullptr, ctx.nowMs);
        return;
    default:
        return;
    }
    m_text = CStr(s);
}

void CGuiEditBox::OnText(const GuiContext&, const CStr& text) {
    std::string s = m_text.Std();
    for (unsigned char c : text.Std()) {
        if (c < 0x20 || c == 0x7F)
            return; // control bytes never enter the field
    }
    if (s.size() + text.Length() > static_cast<size_t>(m_maxLength))
        return;
    s.insert(static_cast<size_t>(m_caret), text.Std());
    m_caret += static_cast<int>(text.Length());
    m_text = CStr(s);
}

void CGuiEditBox::DrawSelf(IGuiBackend& backend, uint32_t nowMs) {
    CGuiElement::DrawSelf(backend, nowMs);
    if (m_focus)
        backend.FrameRect(m_rect, GuiTheme::kFocusBorder, 1);
    GuiRect inner{m_rect.x + 6, m_rect.y, m_rect.w - 12, m_rect.h};
    backend.SetClip(&m_rect);
    backend.DrawText(m_font, m_text, inner, kFormatLeftMiddle, IsEnabled() ? m_colour : GuiTheme::kTextDim);
    if (m_focus && (nowMs / 500) % 2 == 0) {
        int x = inner.x + backend.TextWidth(m_font, m_text.Left(m_caret));
        int lineHeight = backend.LineHeight(m_font);
        backend.FillRect(GuiRect{x, m_rect.y + (m_rect.h - lineHeight) / 2, 2, lineHeight},
                         GuiTheme::kAccent);
    }
    backend.SetClip(nullptr);
}
