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
