// CGuiEngineBackend: the toolkit drawn through the engine's device, GUI images, fonts and sounds.
// The application installs one with SetGuiBackend once the device exists.
#pragma once

#include "gui/Backend.h"

class CGuiEngineBackend : public IGuiBackend {
public:
    std::shared_ptr<CGuiImage> LoadImage(const CStr& path) override;
    void FillRect(const GuiRect& rect, uint32_t colourWord) override;
    void FrameRect(const GuiRect& rect, uint32_t colourWord, int thickness) override;
    void DrawImage(const CGuiImage& image, int frame, int frameCount, const GuiRect& rect,
                   uint32_t tintWord) override;
    void DrawText(const GuiFont& font, const CStr& text, const GuiRect& rect, int format,
                  uint32_t colourWord) override;
    int TextWidth(const GuiFont& font, const CStr& text) override;
    int LineHeight(const GuiFont& font) override;
    void SetClip(const GuiRect* rect) override;
    void PlaySound(const char* tag) override;

private:
    bool m_clipPushed = false;
    CGuiNullBackend m_fallback; // measures before a device exists
};
