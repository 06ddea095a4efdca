// fastbreak_smoke: a check of the engine in a real window: a lit cube, a textured quad, a render
// target, text in every draw format and a click sound. ESC or closing the window ends it; the test
// build stops by itself after a few frames and saves the last one.
#include "engine/App.h"
#include "engine/Camera.h"
#include "engine/Color.h"
#include "engine/Device.h"
#include "engine/Font.h"
#include "engine/Lights.h"
#include "engine/Log.h"
#include "engine/MessageBox.h"
#include "engine/Paths.h"
#include "engine/RenderTexture.h"
#include "engine/Sound.h"
#include "engine/Texture.h"
#include "engine/Timer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

// A test build stops after this many frames and saves the last one (0: run until closed).
#ifndef FB_SMOKE_FRAMES
#define FB_SMOKE_FRAMES 0
#endif
#ifndef FB_SMOKE_SHOT
#define FB_SMOKE_SHOT "\\smoke.png"
#endif

namespace {

// A short decaying tick, as a RIFF WAVE image: 22050 Hz, 16-bit mono.
std::vector<uint8_t> MakeClickWave() {
    const int rate = 22050, frames = rate / 25;
    std::vector<uint8_t> wave(44 + static_cast<size_t>(frames) * 2);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            wave[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    auto put16 = [&](size_t at, uint16_t v) {
        wave[at] = static_cast<uint8_t>(v);
        wave[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    std::memcpy(&wave[0], "RIFF", 4);
    put32(4, static_cast<uint32_t>(wave.size() - 8));
    std::memcpy(&wave[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, rate);
    put32(28, rate * 2);
    put16(32, 2);
    put16(34, 16);
    std::memcpy(&wave[36], "data", 4);
    put32(40, static_cast<uint32_t>(frames * 2));
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / rate;
        double sample = std::sin(2.0 * 3.14159265 * 1800.0 * t) * std::exp(-t * 90.0);
        put16(44 + static_cast<size_t>(i) * 2, static_cast<uint16_t>(static_cast<int16_t>(sample * 20000.0)));
    }
    return wave;
}

// An orange and blue checkerboard with a white frame, so scaling and orientation show at a glance.
std::unique_ptr<CQuorelTexture> MakePattern() {
    const int size = 64;
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            uint8_t* p = &rgba[(static_cast<size_t>(y) * size + static_cast<size_t>(x)) * 4];
            bool frame = x < 2 || y < 2 || x >= size - 2 || y >= size - 2;
            bool light = ((x / 8) + (y / 8)) % 2 == 0;
            p[0] = frame ? 255 : (light ? 255 : 30);
            p[1] = frame ? 255 : (light ? 140 : 80);
            p[2] = frame ? 255 : (light ? 0 : 200);
            p[3] = 255;
        }
    }
    auto texture = std::make_unique<CQuorelTexture>();
    texture->SetPixels(size, size, std::move(rgba));
    return texture;
}

void MakeCube(CQuorelMesh& mesh) {
    std::vector<QuorelVertex> vertices;
    std::vector<uint32_t> indices;
    // Each face: normal, and two axes spanning it, wound clockwise seen from outside.
    const float faces[6][9] = {{0, 0, -1, 1, 0, 0, 0, 1, 0}, {0, 0, 1, -1, 0, 0, 0, 1, 0},
                               {1, 0, 0, 0, 0, 1, 0, 1, 0},  {-1, 0, 0, 0, 0, -1, 0, 1, 0},
                               {0, 1, 0, 1, 0, 0, 0, 0, 1},  {0, -1, 0, 1, 0, 0, 0, 0, -1}};
    for (const auto& f : faces) {
        uint32_t base = static_cast<uint32_t>(vertices.size());
        const float corners[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
        for (const auto& c : corners) {
            QuorelVertex v;
            for (int k = 0; k < 3; ++k) {
                v.pos[k] = f[k] + c[0] * f[3 + k] + c[1] * f[6 + k];
                v.normal[k] = f[k];
            }
            v.uv0[0] = (c[0] + 1) / 2;
            v.uv0[1] = (1 - c[1]) / 2;
            vertices.push_back(v);
        }
        for (uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u})
            indices.push_back(base + i);
    }
    mesh.SetData(std::move(vertices), std::move(indices));
}

} // namespace

int main() {
    g_pQuorelLog = new CQuorelLog();
    CQuorelApp app;
    app.StartEngine(true);
    if (!app.CreateDevice(1024, 768, 32)) {
        ShowMessageBox("Fastbreak", "The game window could not be opened (OpenGL 3.3 is needed).");
        return 1;
    }
    app.SetWindowTitle("Fastbreak");
    app.ShowWindow();
    g_pQuorelLights->SetDefault();

    std::vector<uint8_t> click = MakeClickWave();
    if (g_pQuorelSound) {
        g_pQuorelSound->RegisterMemory("BUTTON_CLICK", click.data(), click.size(), 4, false, "click");
        g_pQuorelSound->Play("BUTTON_CLICK");
    }

    std::unique_ptr<CQuorelTexture> pattern = MakePattern();
    CRenderTexture image;
    image.SetTexture(pattern.get());
    CQuorelMesh cube;
    MakeCube(cube);
    std::unique_ptr<CQuorelRenderTarget> target(g_pQuorelDevice->CreateRenderTarget(256, 128));
    CRenderTexture targetImage;
    if (target)
        targetImage.SetTexture(target->GetTexture());

    CQuorelFont* title = g_pQuorelDevice->GetFont("Arial", 32, kFontWeightBold);
    CQuorelFont* body = g_pQuorelDevice->GetFont("Arial", 18, kFontWeightNormal);
    const struct {
        uint32_t format;
        uint32_t colour;
        const char* label;
    } samples[] = {{0, kColorWhite, "0: top left"},
                   {1, kColorYellow, "1: centred"},
                   {4, kColorGreen, "4: left, middle"},
                   {5, kColorOrange, "5: centred both ways"},
                   {6, kColorCyan, "6: right, middle"}};

    uint32_t start = GetTickCountMs();
    bool running = true;
    for (int frame = 0; running; ++frame) {
        QuorelEvent event;
        while (app.PollEvent(event)) {
            if (event.type == QuorelEventType::Quit ||
                (event.type == QuorelEventType::KeyDown && event.key == kKeyEscape))
                running = false;
            else if (event.type == QuorelEventType::MouseDown && g_pQuorelSound)
                g_pQuorelSound->Play("BUTTON_CLICK");
        }
        // A test build draws a still picture so its screenshot is always the same.
        float seconds = FB_SMOKE_FRAMES > 0 ? 0.6f : static_cast<float>(GetTickCountMs() - start) / 1000.0f;

        if (target && g_pQuorelDevice->BeginRenderTarget(target.get())) {
            g_pQuorelDevice->Clear(ColorWord(20, 60, 20));
            body->DrawText("render target", QuorelRect(0, 0, 256, 128), kDtCenter | kDtVCenter, kColorWhite);
            g_pQuorelDevice->EndRenderTarget();
        }

        g_pQuorelDevice->BeginScene();
        g_pQuorelDevice->Clear(ColorWord(16, 24, 48));
        g_pQuorelCamera->LookAt(Vec3(0, 2.5f, -6), Vec3(0, 0, 0), Vec3(0, 1, 0));
        g_pQuorelCamera->Apply();
        Matrix4 scale, spin, place, scaled, world;
        MatrixScaling(scale, 0.7f, 0.7f, 0.7f);
        MatrixRotationY(spin, seconds);
        MatrixTranslation(place, 1.9f, 0.2f, 0.0f);
        MatrixMultiply(scaled, scale, spin);
        MatrixMultiply(world, scaled, place);
        g_pQuorelDevice->SetTransform(kTransformWorld, world);
        g_pQuorelDevice->SetTexture(0, pattern.get());
        g_pQuorelDevice->DrawMesh(cube, g_pQuorelDevice->GetEffect("Standard"));
        g_pQuorelDevice->SetTexture(0, nullptr);

        title->DrawText("Fastbreak engine check", QuorelRect(0, 16, 1024, 60), kDtCenter, kColorWhite);
        image.Draw(40, 90, 192, 192);
        targetImage.Draw(260, 90);
        int y = 320;
        for (const auto& s : samples) {
            QuorelRect box(40, y, 560, y + 60);
            g_pQuorelDevice->FillRect(box, ColorWord(255, 255, 255, 30));
            g_pQuorelDevice->DrawRectOutline(box, ColorWord(200, 200, 200));
            body->DrawText(s.label, box, s.format, s.colour);
            y += 72;
        }
        body->DrawText("Click for a sound, ESC to quit.", QuorelRect(600, 700, 1000, 740),
                       kDtRight | kDtVCenter, ColorWord(180, 180, 180));
        g_pQuorelDevice->EndScene();

        if (FB_SMOKE_FRAMES > 0 && frame + 1 >= FB_SMOKE_FRAMES) {
            g_pQuorelDevice->SaveScreenshot(FB_SMOKE_SHOT);
            running = false;
        }
        g_pQuorelDevice->Present();
    }
    targetImage.Release();
    target.reset();
    app.ShutdownEngine();
    return 0;
}
