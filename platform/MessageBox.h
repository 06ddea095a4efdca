// A native message box where a display exists; nothing on headless drivers.
#pragma once

// False only when a display exists and the box could not be shown on it: the caller must show the
// text some other way. Headless drivers, where nobody could see a box, count as shown.
bool PlatformShowMessageBox(const char* caption, const char* text);
