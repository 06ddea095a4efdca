// scenesmoke: the generated arena with animated characters in a window. Run it from the game folder.
// Options: --frames N draws N frames and quits; --shot FILE saves the last frame as PNG.
#include "SceneDemo.h"

#include "engine/App.h"
#include "engine/Camera.h"
#include "engine/Log.h"
#include "engine/Timer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    int frames = 0;
    const char* shot = nullptr;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--frames") == 0)
            frames = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--shot") == 0)
            shot = argv[i + 1];
    }
    CQuorelApp app;
    if (!app.StartEngine(false) || !app.CreateDevice(1024, 768, 32)) {
        std::fprintf(stderr, "scenesmoke: no device\n");
        return 1;
    }
    app.SetWindowTitle("Fastbreak scene");
    app.ShowWindow();
    SceneDemo scene;
    if (!scene.Load("")) {
        std::fprintf(stderr, "scenesmoke: the generated assets are missing; run it from the game folder\n");
        app.ShutdownEngine();
        return 1;
    }
    uint32_t last = GetTickCountMs();
    float orbit = 0.0f;
    for (int frame = 0; frames == 0 || frame < frames; ++frame) {
        QuorelEvent event;
        while (app.PollEvent(event)) {
        }
        if (app.QuitRequested())
            break;
        const uint32_t now = GetTickCountMs();
        // Fixed steps in a counted run, so the saved picture is the same every time.
        const double dt = frames ? 1.0 / 60.0 : std::min(0.05, (now - last) / 1000.0);
        last = now;
        orbit += static_cast<float>(dt) * 0.15f;
        g_pQuorelCamera->LookAt(Vec3(18 * std::sin(orbit), 7, -18 * std::cos(orbit)), Vec3(0, 1, 0),
                                Vec3(0, 1, 0));
        g_pQuorelCamera->Apply();
        scene.Advance(dt);
        g_pQuorelDevice->Clear(0x202020FF);
        g_pQuorelDevice->BeginScene();
        scene.Render();
        g_pQuorelDevice->EndScene();
        if (shot && frames && frame == frames - 1)
            g_pQuorelDevice->SaveScreenshot(shot);
        g_pQuorelDevice->Present();
    }
    app.ShutdownEngine();
    return 0;
}
