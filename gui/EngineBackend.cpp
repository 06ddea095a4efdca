// CGuiEngineBackend: GUI drawing on CQuorelDevice, CRenderTexture and CQuorelFont.
#include "gui/EngineBackend.h"

#include "engine/Device.h"
#include "engine/Font.h"
#include "engine/RenderTexture.h"
#include "engine/Sound.h"

#include <algorithm>

namespace {

class CGuiEngineImage : public CGuiImage {
public:
    int Width() const override { return texture.Width(); }
    int Height() const override { return texture.Height(); }
    CRenderTexture texture;
};

QuorelRect ToQuorel(const GuiRect& rect) {
    return QuorelRect::FromSize(rect.x, rect.y, rect.w, rect.h);
}

CQuorelFont* FontFor(const GuiFont& font) {
    if (!g_pQuorelDevice)
        return nullptr;
    CQuorelFont* f = g_pQuorelDevice->GetFont(font.face.GetText(), font.size, font.weight);
    return f && f->IsValid() ? f : nullptr;
}

} // namespace

std::shared_ptr<CGuiImage> CGuiEngineBackend::LoadImage(const CStr& path) {
    auto image = std::make_shared<CGuiEngineImage>();
    if (!image->texture.Load(path))
        return nullptr;
    return image;
}

void CGuiEngineBackend::FillRect(const GuiRect& rect, uint32_t colourWord) {
    if (g_pQuorelDevice && !rect.IsEmpty())
        g_pQuorelDevice->FillRect(ToQuorel(rect), colourWord);
}

void CGuiEngineBackend::FrameRect(const GuiRect& rect, uint32_t colourWord, int thickness) {
    if (g_pQuorelDevice && !rect.IsEmpty())
        g_pQuorelDevice->DrawRectOutline(ToQuorel(rect), colourWord, thickness);
}

void CGuiEngineBackend::DrawImage(const CGuiImage& image, int frame, int frameCount, const GuiRect& rect,
                                  uint32_t tintWord) {
    auto& texture = const_cast<CRenderTexture&>(static_cast<const CGuiEngineImage&>(image).texture);
    int frames = std::max(1, frameCount);
    int frameWidth = texture.Width() / frames;
    QuorelRect source(frame * frameWidth, 0, (frame + 1) * frameWidth, texture.Height());
    texture.DrawRegion(source, rect.x, rect.y, rect.w, rect.h, tintWord);
}

void CGuiEngineBackend::DrawText(const GuiFont& font, const CStr& text, const GuiRect& rect, int format,
                                 uint32_t colourWord) {
    if (text.IsEmpty())
        return;
    if (CQuorelFont* f = FontFor(font))
        f->DrawText(text, ToQuorel(rect), static_cast<uint32_t>(format), colourWord);
}

int CGuiEngineBackend::TextWidth(const GuiFont& font, const CStr& text) {
    CQuorelFont* f = FontFor(font);
    return f ? f->TextWidth(text.GetText()) : m_fallback.TextWidth(font, text);
}

int CGuiEngineBackend::LineHeight(const GuiFont& font) {
    CQuorelFont* f = FontFor(font);
    return f ? f->LineHeight() : m_fallback.LineHeight(font);
}

void CGuiEngineBackend::SetClip(const GuiRect* rect) {
    if (!g_pQuorelDevice)
        return;
    if (m_clipPushed) {
        g_pQuorelDevice->PopClipRect();
        m_clipPushed = false;
    }
    if (rect) {
        g_pQuorelDevice->PushClipRect(ToQuorel(*rect));
        m_clipPushed = true;
    }
}

void CGuiEngineBackend::PlaySound(const char* tag) {
    if (g_pQuorelSound)
        g_pQuorelSound->Play(CStr(tag));
}
