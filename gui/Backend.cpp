// The toolkit's backend pointer and the fallback measure.
#include "gui/Backend.h"

#include <atomic>

namespace {
CGuiNullBackend g_nullBackend;
std::atomic<IGuiBackend*> g_backend{nullptr};
} // namespace

int CGuiNullBackend::TextWidth(const GuiFont& font, const CStr& text) {
    return static_cast<int>(text.Length()) * ((font.size + 1) / 2);
}

IGuiBackend& GuiBackend() {
    IGuiBackend* backend = g_backend.load();
    return backend ? *backend : g_nullBackend;
}

void SetGuiBackend(IGuiBackend* backend) {
    g_backend.store(backend);
}

CStr FitTextToWidth(IGuiBackend& backend, const GuiFont& font, const CStr& text, int width) {
    if (backend.TextWidth(font, text) <= width)
        return text;
    // The longest beginning that leaves room for the ellipsis; the whole text is the tooltip.
    const std::string whole = text.Std();
    for (size_t keep = whole.size(); keep > 0; --keep) {
        // Never cut a UTF-8 character in two.
        if ((static_cast<unsigned char>(whole[keep]) & 0xC0) == 0x80)
            continue;
        CStr shortened = CStr(whole.substr(0, keep).c_str()).Concat("...");
        if (backend.TextWidth(font, shortened) <= width)
            return shortened;
    }
    return CStr("...");
}
