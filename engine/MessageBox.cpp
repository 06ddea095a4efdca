// Message boxes routed to stderr, the engine log and the platform's box.
#include "engine/MessageBox.h"

#include "engine/Log.h"
#include "platform/MessageBox.h"

#include <cstdio>

static std::function<void(const char*, const char*)>& Hook() {
    static std::function<void(const char*, const char*)> hook;
    return hook;
}

bool ShowMessageBox(const char* caption, const char* text) {
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    if (g_pQuorelLog)
        g_pQuorelLog->Add("[MessageBox] %s: %s", caption ? caption : "", text ? text : "");
    if (Hook()) {
        Hook()(caption, text);
        return true;
    }
    return PlatformShowMessageBox(caption, text);
}

void SetMessageBoxHook(std::function<void(const char* caption, const char* text)> hook) {
    Hook() = std::move(hook);
}
