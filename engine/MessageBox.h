// Message boxes: always written to stderr and the log, shown on screen where a display exists.
#pragma once

#include <functional>

// False when a display exists but the box could not be shown there (see PlatformShowMessageBox).
bool ShowMessageBox(const char* caption, const char* text);
// Tests replace the on-screen part; pass an empty function to restore it.
void SetMessageBoxHook(std::function<void(const char* caption, const char* text)> hook);
