// Message boxes through SDL; skipped on the offscreen and dummy drivers, where nobody could close one.
#include "platform/MessageBox.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool PlatformShowMessageBox(const char* caption, const char* text) {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        return true;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        return true;
    // SDL reports a box it could not open (no dialog helper, a display that refuses it).
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr) == 0)
        return true;
    std::fprintf(stderr, "The message box could not be shown: %s\n", SDL_GetError());
    return false;
}
