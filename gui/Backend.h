// What the toolkit needs from the drawing, text and sound layers, behind one small interface so
// controls and their rules can be tested without a device.
#pragma once

#include "gui/GuiTypes.h"

#include <cstdint>
#include <memory>

// A loaded picture; frames of a strip lie side by side, left to right.
class CGuiImage {
public:
    virtual ~CGuiImage() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

class IGuiBackend {
public:
    virtual ~IGuiBackend() = default;
    // Null when the file cannot be loaded.
    virtual std::shared_ptr<CGuiImage> LoadImage(const CStr& path) = 0;
    virtual void FillRect(const GuiRect& rect, uint32_t colourWord) = 0;
    virtual void FrameRect(const GuiRect& rect, uint32_t colourWord, int thickness) = 0;
    // Frame of a horizontal strip of frameCount frames, stretched over rect.
    virtual void DrawImage(const CGuiImage& image, int frame, int frameCount, const GuiRect& rect,
                           uint32_t tintWord) = 0;
    virtual void DrawText(const GuiFont& font, const CStr& text, const GuiRect& rect, int format,
                          uint32_t colourWord) = 0;
    virtual int TextWidth(const GuiFont& font, const CStr& text) = 0;
    virtual int LineHeight(const GuiFont& font) = 0;
    // Null clears the clip rectangle.
    virtual void SetClip(const GuiRect* rect) = 0;
    virtual void PlaySound(const char* tag) = 0;
};

// A backend that draws nothing and measures text at a fixed advance per byte: the toolkit's
// fallback before a device exists, and a predictable measure for tests.
class CGuiNullBackend : public IGuiBackend {
public:
    std::shared_ptr<CGuiImage> LoadImage(const CStr&) override { return nullptr; }
    void FillRect(const GuiRect&, uint32_t) override {}
    void FrameRect(const GuiRect&, uint32_t, int) override {}
    void DrawImage(const CGuiImage&, int, int, const GuiRect&, uint32_t) override {}
    void DrawText(const GuiFont&, const CStr&, const GuiRect&, int, uint32_t) override {}
    int TextWidth(const GuiFont& font, const CStr& text) override;
    int LineHeight(const GuiFont& font) override { return font.size + font.size / 4 + 1; }
    void SetClip(const GuiRect*) override {}
    void PlaySound(const char*) override {}
};

// The backend in use; the null backend until the shell installs a real one.
// The text as it fits a width: whole, or its longest beginning followed by "..." (the controls
// then show the whole text as their tooltip).
CStr FitTextToWidth(IGuiBackend& backend, const GuiFont& font, const CStr& text, int width);

IGuiBackend& GuiBackend();
void SetGuiBackend(IGuiBackend* backend);
