// The smoke program in a real X window (Xvfb): it must open, draw every kind of thing and save its
// last frame. Skipped where xvfb-run or the smoke build is missing.
#include "engine/Texture.h"
#include "tests/engine/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct Shot {
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * w + x) * 4]; }
    bool Near(int x, int y, int r, int g, int b, int tolerance = 10) const {
        const uint8_t* p = At(x, y);
        return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance &&
               std::abs(p[2] - b) <= tolerance;
    }
};

} // namespace

class SmokeWindowTest : public TempDirTest {};

TEST_F(SmokeWindowTest, RealWindowShowsQuadTextAndTarget) {
    std::filesystem::path smoke =
        std::filesystem::path(FB_GAME_DIR) / ".." / "tools" / "smoke" / "fastbreak_smoke";
    if (!std::filesystem::exists(smoke))
        GTEST_SKIP() << "smoke program not built";
    if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xvfb-run is not installed";

    // The test itself runs on the offscreen driver; the smoke program must get the X server instead.
    // Its sanitizer reports would only list the system libraries (their caches, Mesa's own threads); our
    // code is checked by this test program, so they are off for the child.
    std::string command = "env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 "
                          "TSAN_OPTIONS=report_bugs=0 "
                          "xvfb-run -a -s '-screen 0 1280x1024x24' '" +
                          smoke.string() + "' >smoke_output.txt 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << Read("smoke_output.txt");
    ASSERT_TRUE(std::filesystem::exists(m_dir / "smoke.png")) << Read("smoke_output.txt");
    EXPECT_NE(Read("log.txt").find("on x11"), std::string::npos) << Read("log.txt");

    std::string png = Read("smoke.png");
    Shot shot;
    ASSERT_TRUE(DecodeImage(png.data(), png.size(), shot.w, shot.h, shot.rgba));
    ASSERT_EQ(shot.w, 1024);
    ASSERT_EQ(shot.h, 768);
    EXPECT_TRUE(shot.Near(5, 5, 16, 24, 48)) << "background";
    EXPECT_TRUE(shot.Near(41, 91, 255, 255, 255)) << "frame of the textured quad";
    EXPECT_TRUE(shot.Near(50, 100, 255, 140, 0)) << "first checker of the quad";
    EXPECT_TRUE(shot.Near(270, 100, 20, 60, 20)) << "render target shown as an image";
    EXPECT_TRUE(shot.Near(45, 375, 44, 51, 72)) << "translucent fill of a text box";
    int titleInk = 0;
    for (int y = 16; y < 60; ++y)
        for (int x = 300; x < 724; ++x)
            titleInk += shot.Near(x, y, 255, 255, 255, 30);
    EXPECT_GT(titleInk, 300) << "title text";
    int cubeInk = 0;
    for (int y = 250; y < 500; ++y)
        for (int x = 650; x < 900; ++x)
            cubeInk += !shot.Near(x, y, 16, 24, 48, 4);
    EXPECT_GT(cubeInk, 20000) << "the lit cube";
}
