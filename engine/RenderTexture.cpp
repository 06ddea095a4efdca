// CRenderTexture: GUI images as screen quads, one frame of a horizontal strip at a time.
#include "engine/RenderTexture.h"

#include "engine/Device.h"
#include "engine/Texture.h"
#include "engine/TextureManager.h"

#include <algorithm>

CRenderTexture::~CRenderTexture() = default;

bool CRenderTexture::Load(const char* gamePath, int frameCount) {
    Release();
    m_path = gamePath ? gamePath : "";
    SetFrameCount(frameCount);
    if (m_path.IsEmpty())
        return false;
    if (g_pQuorelTextureManager) {
        m_owned = g_pQuorelTextureManager->LoadShared(m_path.GetText());
    } else {
        auto texture = std::make_shared<CQuorelTexture>(m_path.GetText());
        if (texture->Load())
            m_owned = std::move(texture);
    }
    return m_owned != nullptr;
}

void CRenderTexture::SetTexture(CQuorelTexture* texture, int frameCount) {
    Release();
    m_borrowed = texture;
    SetFrameCount(frameCount);
}

void CRenderTexture::Release() {
    m_owned.reset();
    m_borrowed = nullptr;
    m_path = "";
    m_frame = 0;
}

CQuorelTexture* CRenderTexture::Texture() const {
    return m_borrowed ? m_borrowed : m_owned.get();
}

bool CRenderTexture::IsLoaded() const {
    CQuorelTexture* texture = Texture();
    return texture && texture->IsLoaded();
}

int CRenderTexture::Width() const {
    return IsLoaded() ? Texture()->Width() : 0;
}

int CRenderTexture::Height() const {
    return IsLoaded() ? Texture()->Height() : 0;
}

int CRenderTexture::FrameWidth() const {
    return Width() / m_frameCount;
}

void CRenderTexture::SetFrameCount(int count) {
    m_frameCount = std::max(count, 1);
    m_frame = std::clamp(m_frame, 0, m_frameCount - 1);
}

void CRenderTexture::SetFrame(int index) {
    m_frame = std::clamp(index, 0, m_frameCount - 1);
}

void CRenderTexture::Draw(int x, int y, uint32_t colorWord) {
    DrawFrame(m_frame, x, y, FrameWidth(), FrameHeight(), colorWord);
}

void CRenderTexture::Draw(int x, int y, int width, int height, uint32_t colorWord) {
    DrawFrame(m_frame, x, y, width, height, colorWord);
}

void CRenderTexture::DrawFrame(int frame, int x, int y, int width, int height, uint32_t colorWord) {
    if (!IsLoaded() || !g_pQuorelDevice)
        return;
    frame = std::clamp(frame, 0, m_frameCount - 1);
    float u0 = static_cast<float>(frame) / static_cast<float>(m_frameCount);
    float u1 = static_cast<float>(frame + 1) / static_cast<float>(m_frameCount);
    g_pQuorelDevice->DrawQuad2D(Texture(), static_cast<float>(x), static_cast<float>(y),
                                static_cast<float>(width), static_cast<float>(height), u0, 0.0f, u1, 1.0f,
                                colorWord);
}

void CRenderTexture::DrawRegion(const QuorelRect& source, int x, int y, int width, int height,
                                uint32_t colorWord) {
    if (!IsLoaded() || !g_pQuorelDevice || source.IsEmpty())
        return;
    float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    g_pQuorelDevice->DrawQuad2D(
        Texture(), static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
        static_cast<float>(height), static_cast<float>(source.left) / w, static_cast<float>(source.top) / h,
        static_cast<float>(source.right) / w, static_cast<float>(source.bottom) / h, colorWord);
}

void FillRect2D(const QuorelRect& rect, uint32_t colorWord) {
    if (g_pQuorelDevice)
        g_pQuorelDevice->FillRect(rect, colorWord);
}

void DrawRectOutline2D(const QuorelRect& rect, uint32_t colorWord, int thickness) {
    if (g_pQuorelDevice)
        g_pQuorelDevice->DrawRectOutline(rect, colorWord, thickness);
}

void PushClipRect2D(const QuorelRect& rect) {
    if (g_pQuorelDevice)
        g_pQuorelDevice->PushClipRect(rect);
}

void PopClipRect2D() {
    if (g_pQuorelDevice)
        g_pQuorelDevice->PopClipRect();
}
