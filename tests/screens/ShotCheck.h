// The screenshot tests' real (offscreen) device, and what they check of the picture itself beyond
// the file being written: the window it shows is drawn, with text and fills in more than a handful
// of colours.
#pragma once

#include "engine/Device.h"
#include "gui/EngineBackend.h"
#include "gui/ScreenStack.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
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

// A 1024 x 768 device with the GUI drawn through it for one test, and the folder its pictures go
// to. Where it cannot be had the test skips with SkipReason(): no GL here, or the sanitizer build,
// whose system font and GL libraries keep caches LeakSanitizer reports (the picture is the same in
// the plain build).
class ShotDevice {
public:
    explicit ShotDevice(std::string folder) : m_folder(std::move(folder)) {
#if defined(__SANITIZE_ADDRESS__)
        m_skip = "drawn in the plain build only";
#else
        if (!device.Create(1024, 768, 32)) {
            m_skip = "no GL device here";
            return;
        }
        g_pQuorelDevice = &device;
        backend = std::make_unique<CGuiEngineBackend>();
        SetGuiBackend(backend.get());
        std::filesystem::create_directories(m_folder);
#endif
    }
    ~ShotDevice() {
        if (!backend)
            return;
        SetGuiBackend(nullptr);
        g_pQuorelDevice = nullptr;
    }
    ShotDevice(const ShotDevice&) = delete;
    ShotDevice& operator=(const ShotDevice&) = delete;

    // Null when the device is ready.
    const char* SkipReason() const {
        return m_skip;
    }
    std::string Path(const std::string& name) const {
        return m_folder + "/" + name;
    }
    void Shoot(CScreenStack& stack, const std::string& name) {
        ShootFrame(device, *backend, stack, Path(name));
    }

    CQuorelDevice device;
    std::unique_ptr<CGuiEngineBackend> backend;

private:
    std::string m_folder;
    const char* m_skip = nullptr;
};
