// The one game window and its OpenGL 3.3 core context.
#pragma once

#include "platform/Events.h"

#include <cstdint>

// Opens the (hidden) window with a width x height client area and makes its GL context current on the
// calling thread. False, with the reason in error, when the video driver or GL 3.3 core is missing.
bool PlatformOpenWindow(int width, int height, const char* title, char* error, int errorSize);
void PlatformCloseWindow();
bool PlatformWindowOpen();
void PlatformShowWindow();
void PlatformSetWindowTitle(const char* title);
void PlatformShowCursor(bool show);
void PlatformSwapBuffers();
// Drawable size in pixels (may differ from the client area on high-density screens).
void PlatformDrawableSize(int& width, int& height);
// The next event, mapped to client coordinates of the width x height area; false when none.
bool PlatformPollEvent(QuorelEvent& event);
// The video driver in use ("x11", "offscreen", ...); empty before a window exists.
const char* PlatformVideoDriver();
