// CRenderTexture: the GUI's image, a texture drawn as a pre-transformed screen quad. An image may be a
// horizontal strip of equal frames (button states, check-box states); drawing shows one frame.
#pragma once

#include "engine/Rect.h"
#include "engine/Str.h"

#include <cstdint>
#include <memory>

class CQuorelTexture;

class CRenderTexture {
public:
    CRenderTexture() = default;
    virtual ~CRenderTexture();
    CRenderTexture(const CRenderTexture&) = delete;
    CRenderTexture& operator=(const CRenderTexture&) = delete;

    // Decodes the image (any thread; it reaches the GPU at the first draw). A missing or corrupt file
    // gives false, logs once and leaves an image that draws nothing.
    bool Load(const char* gamePath, int frameCount = 1);
    bool Load(const CStr& gamePath, int frameCount = 1) { return Load(gamePath.GetText(), frameCount); }
    // Draws from a texture someone else owns (a render target's texture, for instance).
    void SetTexture(CQuorelTexture* texture, int frameCount = 1);
    void Release();
    bool IsLoaded() const;
    const CStr& Path() const { return m_path; }

    // Size of the whole image; 0 when nothing is loaded.
    int Width() const;
    int Height() const;
    // Size of one frame of the strip.
    int FrameWidth() const;
    int FrameHeight() const { return Height(); }

    void SetFrameCount(int count);
    int FrameCount() const { return m_frameCount; }
    // The frame drawn by Draw; clamped to the strip.
    void SetFrame(int index);
    int Frame() const { return m_frame; }

    // The current frame at its own size, or stretched to width x height; the colour word modulates
    // the image (white leaves it unchanged, alpha fades it).
    void Draw(int x, int y, uint32_t colorWord = 0xFFFFFFFF);
    void Draw(int x, int y, int width, int height, uint32_t colorWord = 0xFFFFFFFF);
    void DrawFrame(int frame, int x, int y, int width, int height, uint32_t colorWord = 0xFFFFFFFF);
    // A source rectangle of the whole image (pixels) stretched onto the destination.
    void DrawRegion(const QuorelRect& source, int x, int y, int width, int height,
                    uint32_t colorWord = 0xFFFFFFFF);

private:
    CQuorelTexture* Texture() const;

    CStr m_path;
    std::shared_ptr<CQuorelTexture> m_owned;
    CQuorelTexture* m_borrowed = nullptr;
    int m_frameCount = 1;
    int m_frame = 0;
};

// Flat 2D shapes for window chrome: a filled rectangle and a border of the given thickness.
void FillRect2D(const QuorelRect& rect, uint32_t colorWord);
void DrawRectOutline2D(const QuorelRect& rect, uint32_t colorWord, int thickness = 1);
// Clipping for scrolling lists: drawing between push and pop stays inside the rectangle.
void PushClipRect2D(const QuorelRect& rect);
void PopClipRect2D();
