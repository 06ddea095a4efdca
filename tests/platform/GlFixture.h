// A headless engine for drawing tests: the app's singletons on the offscreen video driver, a scratch
// working directory, and pixel helpers for checking what reached the back buffer.
#pragma once

#include "engine/App.h"
#include "engine/Device.h"
#include "engine/Log.h"
#include "tests/engine/TempDir.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>

struct Pixel {
    int r = 0, g = 0, b = 0, a = 0;
};

inline bool Near(const Pixel& p, int r, int g, int b, int tolerance = 8) {
    return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance;
}

inline std::string Describe(const Pixel& p) {
    return "(" + std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b) + ")";
}

// Lit pixels (differing from the background) inside an area: their bounding box and count.
struct InkBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
    bool Empty() const { return count == 0; }
    int CentreX() const { return (left + right) / 2; }
    int CentreY() const { return (top + bottom) / 2; }
};

class GlTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        g_pQuorelLog = new CQuorelLog();
        m_app = new CQuorelApp();
        m_app->StartEngine(true);
        ASSERT_TRUE(m_app->CreateDevice(1024, 768, 32)) << "no OpenGL 3.3 core context on this driver";
        m_device = g_pQuorelDevice;
        m_device->BeginScene();
        m_device->Clear(0x000000FF); // opaque black
    }
    void TearDown() override {
        delete m_app; // deletes every singleton, the log last
        m_app = nullptr;
        TempDirTest::TearDown();
    }

    Pixel At(int x, int y) {
        std::vector<uint8_t> rgba;
        EXPECT_TRUE(m_device->ReadPixels(x, y, 1, 1, rgba));
        if (rgba.size() < 4)
            return {};
        return {rgba[0], rgba[1], rgba[2], rgba[3]};
    }

    // Pixels of the area that are brighter than the black background.
    InkBox Ink(const QuorelRect& area, int threshold = 60) {
        std::vector<uint8_t> rgba;
        InkBox box;
        if (!m_device->ReadPixels(area.left, area.top, area.Width(), area.Height(), rgba))
            return box;
        for (int y = 0; y < area.Height(); ++y) {
            for (int x = 0; x < area.Width(); ++x) {
                const uint8_t* p = &rgba[(static_cast<size_t>(y) * area.Width() + x) * 4];
                if (p[0] + p[1] + p[2] < threshold)
                    continue;
                ++box.count;
                box.left = std::min(box.left, area.left + x);
                box.right = std::max(box.right, area.left + x);
                box.top = std::min(box.top, area.top + y);
                box.bottom = std::max(box.bottom, area.top + y);
            }
        }
        return box;
    }

    int LogLinesContaining(const char* text) {
        int n = 0;
        for (const CStr& line : g_pQuorelLog->Entries())
            if (line.Find(text) >= 0)
                ++n;
        return n;
    }

    CQuorelApp* m_app = nullptr;
    CQuorelDevice* m_device = nullptr;
};

inline std::string DataPath(const char* name) {
    return std::string(FB_TEST_DATA_DIR) + "/" + name;
}
