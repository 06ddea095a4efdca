// What a screenshot test checks of the picture itself, beyond the file being written: the window
// it shows is drawn, with text and fills in more than a handful of colours.
#pragma once

#include "engine/Device.h"
#include "gui/EngineBackend.h"
#include "gui/ScreenStack.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// The number of distinct colours in a region of the current target (0 when it cannot be read).
inline size_t DistinctColours(CQuorelDevice& device, int x, int y, int w, int h) {
    std::vector<uint8_t> rgba;
    if (!device.ReadPixels(x, y, w, h, rgba))
        return 0;
    std::set<uint32_t> colours;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4)
        colours.insert(static_cast<uint32_t>(rgba[i]) << 24 | static_cast<uint32_t>(rgba[i + 1]) << 16 |
                       static_cast<uint32_t>(rgba[i + 2]) << 8 | rgba[i + 3]);
    return colours.size();
}

// Draws the stack's screens inside the career frame and saves the picture: the content area must
// be drawn (the window, its lists and text), not one flat colour.
inline void ShootFrame(CQuorelDevice& device, CGuiEngineBackend& backend, CScreenStack& stack,
                       const std::string& path) {
    device.BeginScene();
    device.Clear(0x0E0A08FFu);
    stack.Draw(backend, 1000);
    device.EndScene();
    device.Flush2D();
    EXPECT_GT(DistinctColours(device, 188, 72, 828, 688), 20u) << path;
    EXPECT_TRUE(device.SaveScreenshot(path.c_str()));
    device.Present();
}
