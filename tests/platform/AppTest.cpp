// Engine start-up and teardown, window events into the input buffer.
#include "GlFixture.h"

#include "engine/Camera.h"
#include "engine/Frustum.h"
#include "engine/Input.h"
#include "engine/Lights.h"
#include "engine/Music.h"
#include "engine/Sound.h"
#include "engine/TextureManager.h"
#include "engine/VideoHolder.h"

#include <fstream>

TEST(EngineStartup, SingletonsExistUntilShutdownAndTheLogIsWrittenLast) {
    char pattern[] = "/tmp/fastbreak-app-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(pattern);
    {
        CQuorelApp app;
        EXPECT_EQ(g_pQuorelApp, &app);
        ASSERT_TRUE(app.StartEngine(false));
        EXPECT_NE(g_pQuorelDevice, nullptr);
        EXPECT_NE(g_pQuorelTextureManager, nullptr);
        EXPECT_NE(g_pQuorelCamera, nullptr);
        EXPECT_NE(g_pQuorelLights, nullptr);
        EXPECT_NE(g_pQuorelFrustum, nullptr);
        EXPECT_EQ(g_pQuorelInput, nullptr) << "input only when asked for";
        EXPECT_NE(g_pQuorelVideo, nullptr);
        EXPECT_NE(g_pQuorelLog, nullptr);
        EXPECT_NE(g_pQuorelSound, nullptr) << "the dummy driver is an audio device";
        ASSERT_TRUE(app.CreateDevice(1024, 768, 32));
        EXPECT_TRUE(g_pQuorelDevice->IsReady());
        QuorelLog("[EngineStartup] marker");
        app.ShutdownEngine();
        EXPECT_EQ(g_pQuorelDevice, nullptr);
        EXPECT_EQ(g_pQuorelSound, nullptr);
        EXPECT_EQ(g_pQuorelMusic, nullptr);
        EXPECT_EQ(g_pQuorelLog, nullptr);
    }
    EXPECT_EQ(g_pQuorelApp, nullptr);
    std::ifstream log("log.txt");
    std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("[EngineStartup] marker"), std::string::npos);
    EXPECT_NE(text.find("[CQuorelDevice::Create]"), std::string::npos);
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(pattern);
}

TEST_F(GlTest, TexturesOutlivingTheDeviceAreFreedWithoutIt) {
    auto texture = std::make_unique<CQuorelTexture>();
    texture->SetPixels(1, 1, {1, 2, 3, 4});
    m_device->DrawQuad2D(texture.get(), 0, 0, 4, 4, 0, 0, 1, 1, 0xFFFFFFFF);
    m_device->Present();
    m_app->ShutdownEngine();
    texture.reset(); // the context is gone: nothing to free, nothing to crash
    EXPECT_EQ(DeviceGeneration(), 0u);
}

TEST(Input, MouseMotionAndWheelAreBufferedUntilRead) {
    CQuorelInput input;
    QuorelEvent move;
    move.type = QuorelEventType::MouseMove;
    move.x = 100;
    move.y = 50;
    move.dx = 5;
    move.dy = -2;
    input.OnEvent(move);
    move.dx = 3;
    move.dy = 4;
    input.OnEvent(move);
    QuorelEvent wheel;
    wheel.type = QuorelEventType::MouseWheel;
    wheel.wheel = -1;
    input.OnEvent(wheel);
    input.OnEvent(wheel);
    int dx = 0, dy = 0, w = 0;
    input.ReadMouse(dx, dy, w);
    EXPECT_EQ(dx, 8);
    EXPECT_EQ(dy, 2);
    EXPECT_EQ(w, -2);
    EXPECT_EQ(input.CursorX(), 100);
    input.ReadMouse(dx, dy, w);
    EXPECT_EQ(dx, 0) << "reading empties the buffer";
    EXPECT_EQ(w, 0);
}

TEST(Input, HeldKeysAndButtonsAreForgottenWhenFocusIsLost) {
    CQuorelInput input;
    QuorelEvent key;
    key.type = QuorelEventType::KeyDown;
    key.key = kKeyEscape;
    input.OnEvent(key);
    QuorelEvent press;
    press.type = QuorelEventType::MouseDown;
    press.button = 3;
    input.OnEvent(press);
    EXPECT_TRUE(input.IsKeyDown(kKeyEscape));
    EXPECT_TRUE(input.IsButtonDown(3));
    EXPECT_FALSE(input.IsButtonDown(1));
    press.button = 9; // a button we do not track
    input.OnEvent(press);
    QuorelEvent lost;
    lost.type = QuorelEventType::FocusLost;
    input.OnEvent(lost);
    EXPECT_FALSE(input.IsKeyDown(kKeyEscape));
    EXPECT_FALSE(input.IsButtonDown(3));
}
