// CGuiElement: tree, geometry, image, drawing order and hit testing shared by every control.
#include "gui/Element.h"

#include "engine/Font.h"
#include "engine/Log.h"
#include "gui/ScreenStack.h"

#include <algorithm>

const char* GuiElementTypeName(GuiElementType type) {
    switch (type) {
    case GuiElementType::Window:
        return "Window";
    case GuiElementType::Picture:
        return "Picture";
    case GuiElementType::StaticText:
        return "Static";
    case GuiElementType::TextBox:
        return "TextBox";
    case GuiElementType::Button:
        return "Button";
    case GuiElementType::AnimButton:
        return "AnimButton";
    case GuiElementType::CheckBox:
        return "CheckBox";
    case GuiElementType::ListBox:
        return "List";
    case GuiElementType::ComboBox:
        return "Combo";
    case GuiElementType::Grid:
        return "Grid";
    case GuiElementType::EditBox:
        return "Edit";
    case GuiElementType::ScrollBar:
        return "ScrollBar";
    case GuiElementType::ProgressBar:
        return "Progress";
    }
    return "?";
}

void GuiContext::Post(int32_t sID, int32_t cID, int32_t kind, int32_t p1, int32_t p2) const {
    stack.PostMessage(sID, cID, kind, p1, p2);
}

void GuiContext::Sound(const char* tag) const {
    GuiBackend().PlaySound(tag);
}

CGuiElement::CGuiElement(GuiElementType type) {
    m_desc.type = type;
}

CGuiElement::~CGuiElement() = default;

CGuiElement* CGuiElement::AddChild(std::unique_ptr<CGuiElement> child) {
    if (!child)
        return nullptr;
    child->m_desc.parent = this;
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

CGuiElement* CGuiElement::FindChild(int32_t id) {
    if (id == -1)
        return nullptr;
    if (m_desc.id == id)
        return this;
    for (auto& child : m_children) {
        if (CGuiElement* found = child->FindChild(id))
            return found;
    }
    return nullptr;
}

bool CGuiElement::IsInside(const CGuiElement* ancestor) const {
    for (const CGuiElement* e = this; e; e = e->m_desc.parent) {
        if (e == ancestor)
            return true;
    }
    return false;
}

void CGuiElement::UpdateRect() {
    m_rect = GuiRect{m_desc.x, m_desc.y, m_desc.w, m_desc.h};
}

void CGuiElement::SetSize(int width, int height) {
    m_desc.w = std::max(0, width);
    m_desc.h = std::max(0, height);
    UpdateRect();
}

void CGuiElement::MoveTo(int x, int y) {
    MoveBy(x - m_desc.x, y - m_desc.y);
}

void CGuiElement::MoveBy(int dx, int dy) {
    m_desc.x += dx;
    m_desc.y += dy;
    UpdateRect();
    for (auto& child : m_children)
        child->MoveBy(dx, dy);
}

void CGuiElement::SetImage(const CStr& path) {
    m_image.reset();
    m_desc.imagePath = path;
    if (path.IsEmpty())
        return;
    m_image = GuiBackend().LoadImage(path);
    if (!m_image) {
        QuorelLog("[CGuiElement::SetImage] element %d: cannot load '%s'", m_desc.id, path.GetText());
        return;
    }
    if (m_desc.w == 0 && m_desc.h == 0) {
        int frames = std::max(1, m_desc.frameCount);
        SetSize(m_image->Width() / frames, m_image->Height());
    }
}

void CGuiElement::Draw(IGuiBackend& backend, uint32_t nowMs) {
    if (!IsVisible())
        return;
    DrawSelf(backend, nowMs);
    for (auto& child : m_children)
        child->Draw(backend, nowMs);
}

void CGuiElement::DrawSelf(IGuiBackend& backend, uint32_t) {
    DrawBase(backend);
    if (m_image)
        DrawImageFrame(backend, m_desc.frameIndex, m_rect);
}

void CGuiElement::DrawBase(IGuiBackend& backend) const {
    if (m_desc.fillColour & 0xFF)
        backend.FillRect(m_rect, m_desc.fillColour);
    if (m_desc.borderWidth > 0 && (m_desc.borderColour & 0xFF))
        backend.FrameRect(m_rect, m_desc.borderColour, m_desc.borderWidth);
}

void CGuiElement::DrawImageFrame(IGuiBackend& backend, int frame, const GuiRect& rect, uint32_t tint) const {
    if (!m_image)
        return;
    int frames = std::max(1, m_desc.frameCount);
    backend.DrawImage(*m_image, std::clamp(frame, 0, frames - 1), frames, rect, tint);
}

CGuiElement* CGuiElement::HitTest(int x, int y) {
    if (!IsVisible() || !m_rect.Contains(x, y))
        return nullptr;
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        if (CGuiElement* hit = (*it)->HitTest(x, y))
            return hit;
    }
    return IsActive() ? this : nullptr;
}

std::vector<CStr> WrapGuiText(IGuiBackend& backend, const GuiFont& font, const CStr& text, int width) {
    std::vector<CStr> lines;
    for (const CStr& paragraph : text.Split('\n')) {
        const std::string& p = paragraph.Std();
        std::string line;
        size_t i = 0;
        bool emitted = false;
        while (i < p.size()) {
            const size_t end = WrapWordEnd(p, i);
            std::string word = p.substr(i, end - i);
            std::string candidate = line.empty() ? word : line + " " + word;
            if (width <= 0 || backend.TextWidth(font, CStr(candidate)) <= width) {
                line = candidate;
            } else {
                if (!line.empty()) {
                    lines.emplace_back(line);
                    emitted = true;
                }
                // A word wider than the box is cut where it overflows.
                line.clear();
                for (char c : word) {
                    std::string more = line + c;
                    if (!line.empty() && backend.TextWidth(font, CStr(more)) > width) {
                        lines.emplace_back(line);
                        line.clear();
                    }
                    line += c;
                }
            }
            i = end + 1;
        }
        if (!line.empty() || !emitted)
            lines.emplace_back(line);
    }
    return lines;
}
