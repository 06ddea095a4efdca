// Frame time of a GUI-like screen: about 400 image quads and fills and 3,000 glyphs in two fonts,
// drawn, presented and waited for. Runs on SDL's offscreen driver unless another one is chosen.
#include "engine/App.h"
#include "engine/Color.h"
#include "engine/Device.h"
#include "engine/Font.h"
#include "engine/RenderTexture.h"
#include "engine/Texture.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

struct Screen {
    CQuorelApp app;
    std::vector<std::unique_ptr<CQuorelTexture>> textures;
    std::vector<std::unique_ptr<CRenderTexture>> images;
    CQuorelFont* small = nullptr;
    CQuorelFont* large = nullptr;
    bool ok = false;

    Screen() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        app.StartEngine(false);
        ok = app.CreateDevice(1024, 768, 32);
        // Eight skins of 64 x 32 with four frames each, like button strips.
        for (int t = 0; t < 8; ++t) {
            std::vector<uint8_t> rgba(256 * 32 * 4);
            for (size_t i = 0; i < rgba.size(); i += 4) {
                rgba[i] = static_cast<uint8_t>(40 * t);
                rgba[i + 1] = static_cast<uint8_t>(i / 64);
                rgba[i + 2] = 200;
                rgba[i + 3] = 255;
            }
            auto texture = std::make_unique<CQuorelTexture>();
            texture->SetPixels(256, 32, std::move(rgba));
            auto image = std::make_unique<CRenderTexture>();
            image->SetTexture(texture.get(), 4);
            textures.push_back(std::move(texture));
            images.push_back(std::move(image));
        }
        if (ok) {
            small = g_pQuorelDevice->GetFont("Arial", 14, kFontWeightNormal);
            large = g_pQuorelDevice->GetFont("Arial", 18, kFontWeightBold);
        }
    }
};

// 20 non-blank characters per line.
const char* const kLines[] = {"Player_Name_Number01", "PointsReboundsAssist", "0123456789ABCDEFGHIJ",
                              "Transfer_fee:$12,500", "Season2007/2008Table"};

int DrawFrame(Screen& s) {
    CQuorelDevice* device = g_pQuorelDevice;
    device->BeginScene();
    device->Clear(0x101830FF);
    int quads = 0;
    // A window: background, caption, borders, then a grid of buttons and cells.
    device->FillRect(QuorelRect(20, 20, 1004, 748), ColorWord(30, 40, 70));
    device->DrawRectOutline(QuorelRect(20, 20, 1004, 748), kColorWhite, 1);
    quads += 5;
    for (int row = 0; row < 24; ++row) {
        for (int col = 0; col < 8; ++col) {
            QuorelRect cell = QuorelRect::FromSize(30 + col * 120, 40 + row * 28, 116, 26);
            device->FillRect(cell, row % 2 ? ColorWord(255, 255, 255, 20) : ColorWord(0, 0, 0, 40));
            s.images[static_cast<size_t>((row + col) % 8)]->DrawFrame(col % 4, cell.left, cell.top, 24, 24);
            quads += 2;
        }
    }
    device->PushClipRect(QuorelRect(30, 40, 990, 720));
    int glyphs = 0;
    for (int i = 0; i < 150; ++i) {
        QuorelRect box = QuorelRect::FromSize(56 + (i % 8) * 120, 40 + (i / 8) * 28, 90, 26);
        const char* text = kLines[i % 5];
        CQuorelFont* font = i % 3 ? s.small : s.large;
        static const uint32_t formats[] = {0, 1, 4, 5, 6};
        font->DrawText(text, box, formats[i % 5] | kDtNoClip, i % 2 ? kColorWhite : kColorYellow);
        glyphs += 20;
    }
    device->PopClipRect();
    device->EndScene();
    device->Present();
    // Wait for the frame to be finished, as the next swap would.
    std::vector<uint8_t> pixel;
    device->ReadPixels(0, 0, 1, 1, pixel);
    return quads * 1000000 + glyphs;
}

void BM_GuiFrame(benchmark::State& state) {
    static Screen screen;
    if (!screen.ok) {
        state.SkipWithError("no OpenGL 3.3 core context");
        return;
    }
    int counts = DrawFrame(screen); // warm the glyph atlases
    // The frame as a picture, to compare the drawing before and after a change to the device.
    if (const char* shot = std::getenv("FB_FRAME_SHOT"))
        g_pQuorelDevice->SaveScreenshot(shot);
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawFrame(screen));
    state.counters["quads"] = counts / 1000000;
    state.counters["glyphs"] = counts % 1000000;
    state.counters["drawCalls"] = g_pQuorelDevice->DrawCallsLastFrame();
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GuiFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WrapLines(benchmark::State& state) {
    CQuorelFont font("Arial", 14, kFontWeightNormal);
    const char* text =
        "The club's finances improved after the new sponsor signed a three-year deal, while the "
        "stadium's east wing is being rebuilt for next season.\nTicket prices stay the same.";
    for (auto _ : state)
        benchmark::DoNotOptimize(font.WrapLines(text, 240));
}
BENCHMARK(BM_WrapLines)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
