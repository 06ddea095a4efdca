// A native message box where a display exists; nothing on headless drivers.
#pragma once

void PlatformShowMessageBox(const char* caption, const char* text);
