// Message boxes through SDL; skipped on the offscreen and dummy drivers, where nobody could close one.
#include "platform/MessageBox.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>

void PlatformShowMessageBox(const char* caption, const char* text) {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        return;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}
