// Generates the shell's images and sounds into a game folder:
//   shellassets <game folder> <bold font .ttf> <regular font .ttf>
#include "Canvas.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const Rgba kNight{12, 18, 32};
const Rgba kNavy{22, 36, 64};
const Rgba kOrange{240, 120, 30};
const Rgba kCream{245, 236, 220};
const Rgba kWhite{255, 255, 255};
const Rgba kGrey{150, 160, 175};
const float kPi = 3.14159265f;

struct Fonts {
    std::vector<unsigned char> bold, regular;
};

void Ball(Canvas& c, float cx, float cy, float r) {
    c.Disc(cx, cy, r, kOrange);
    Rgba seam{40, 20, 10};
    float t = std::max(2.0f, r / 14.0f);
    c.Line(cx - r, cy, cx + r, cy, t, seam);
    c.Line(cx, cy - r, cx, cy + r, t, seam);
    c.Arc(cx - r * 1.35f, cy, r * 1.05f, -0.8f, 0.8f, t, seam);
    c.Arc(cx + r * 1.35f, cy, r * 1.05f, kPi - 0.8f, kPi + 0.8f, t, seam);
    c.Disc(cx, cy, r, seam, r - t);
}

// Half-court lines seen from above, used behind several screens.
void Court(Canvas& c, int x, int y, int w, int h, Rgba line, float thickness) {
    c.Frame(x, y, w, h, static_cast<int>(thickness), line);
    c.Line(x + w / 2.0f, y, x + w / 2.0f, y + h, thickness, line);
    c.Disc(x + w / 2.0f, y + h / 2.0f, h * 0.12f, line, h * 0.12f - thickness);
    for (int side = 0; side < 2; ++side) {
        float edge = side == 0 ? x : x + w;
        float dir = side == 0 ? 1.0f : -1.0f;
        float keyW = w * 0.19f, keyH = h * 0.32f;
        float top = y + (h - keyH) / 2;
        c.Line(edge, top, edge + dir * keyW, top, thickness, line);
        c.Line(edge, top + keyH, edge + dir * keyW, top + keyH, thickness, line);
        c.Line(edge + dir * keyW, top, edge + dir * keyW, top + keyH, thickness, line);
        float from = side == 0 ? -kPi / 2 : kPi / 2, to = side == 0 ? kPi / 2 : 3 * kPi / 2;
        c.Arc(edge + dir * keyW, y + h / 2.0f, keyH / 2, from, to, thickness, line);
        c.Arc(edge + dir * w * 0.05f, y + h / 2.0f, h * 0.45f, from + 0.12f, to - 0.12f, thickness, line);
    }
}

bool Logo1(const Fonts& f, const std::string& path) {
    Canvas c(1024, 768, kNight);
    c.VerticalGradient(0, 0, 1024, 768, {10, 14, 26}, {30, 20, 40});
    Ball(c, 512, 300, 110);
    c.TextCentred(f.bold, "HOOPWRIGHT GAMES", 64, 512, 460, kCream);
    c.TextCentred(f.regular, "presents", 30, 512, 540, kGrey);
    return c.SavePng(path);
}

bool Logo2(const Fonts& f, const std::string& path) {
    Canvas c(1024, 768, {5, 5, 8});
    for (int i = 0; i < 7; ++i)
        c.Disc(512, 330, 150.0f - i * 18,
               {static_cast<uint8_t>(40 + i * 25), static_cast<uint8_t>(70 + i * 20), 200}, 140.0f - i * 18);
    c.TextCentred(f.bold, "QUOREL ENGINE", 60, 512, 520, kWhite);
    c.TextCentred(f.regular, "real-time 3D for sports games", 26, 512, 590, kGrey);
    return c.SavePng(path);
}

bool Logo3(const Fonts& f, const std::string& path) {
    Canvas c(1024, 768, {18, 22, 28});
    c.TextCentred(f.regular, "Built with free software", 34, 512, 250, kGrey);
    c.TextCentred(f.bold, "SDL2  \xB7  OpenGL  \xB7  FreeType  \xB7  SDL_mixer", 40, 512, 330, kCream);
    c.TextCentred(f.regular, "pugixml  \xB7  stb  \xB7  Liberation fonts", 30, 512, 400, kGrey);
    return c.SavePng(path);
}

bool Logo4(const Fonts& f, const std::string& path) {
    Canvas c(1024, 768, kNavy);
    c.VerticalGradient(0, 0, 1024, 768, {20, 40, 80}, {8, 14, 30});
    Court(c, 112, 164, 800, 440, {90, 120, 170, 255}, 4);
    c.TextCentred(f.bold, "SEASON 2007 / 2008", 72, 512, 330, kWhite);
    return c.SavePng(path);
}

bool Logo5(const Fonts& f, const std::string& path) {
    Canvas c(1024, 768, {150, 95, 50});
    // Parquet boards.
    for (int y = 0; y < 768; y += 48)
        for (int x = (y / 48) % 2 * -90; x < 1024; x += 180) {
            uint8_t shade = static_cast<uint8_t>(140 + ((x * 7 + y * 13) / 48) % 30);
            c.FillRect(x, y, 178, 46,
                       {static_cast<uint8_t>(shade + 40), static_cast<uint8_t>(shade - 20),
                        static_cast<uint8_t>(shade - 80)});
        }
    c.FillRect(0, 250, 1024, 260, {0, 0, 0, 150});
    c.TextCentred(f.bold, "Run your club.", 64, 512, 290, kWhite);
    c.TextCentred(f.regular, "Every day counts.", 44, 512, 390, kCream);
    return c.SavePng(path);
}

bool Logo6(const Fonts& f, const std::string& path) {
    Canvas c(1024, 768, kNight);
    c.VerticalGradient(0, 0, 1024, 768, {14, 20, 40}, {40, 16, 10});
    Court(c, 62, 120, 900, 520, {60, 70, 100, 255}, 3);
    Ball(c, 512, 270, 70);
    c.TextCentred(f.bold, "FASTBREAK", 120, 512, 370, kOrange);
    c.TextCentred(f.regular, "Basketball Club Manager", 40, 512, 510, kCream);
    return c.SavePng(path);
}

bool WaitImage(const Fonts& f, const std::string& path) {
    Canvas c(1024, 768, kNight);
    c.VerticalGradient(0, 0, 1024, 768, {16, 24, 46}, {6, 8, 16});
    Court(c, 112, 164, 800, 440, {36, 48, 78, 255}, 3);
    c.TextCentred(f.bold, "FASTBREAK", 56, 512, 90, {240, 120, 30, 200});
    return c.SavePng(path);
}

// Behind the start screens: the court at night with the title above the menu.
bool MenuBackground(const Fonts& f, const std::string& path) {
    Canvas c(1024, 768, kNight);
    c.VerticalGradient(0, 0, 1024, 768, {18, 26, 48}, {6, 8, 16});
    Court(c, 62, 150, 900, 520, {34, 46, 74, 255}, 3);
    c.TextCentred(f.bold, "FASTBREAK", 110, 512, 100, kOrange);
    Ball(c, 150, 160, 40);
    return c.SavePng(path);
}

bool ProgressImages(const std::string& dir) {
    Canvas bg(400, 24, {0, 0, 0, 0});
    bg.FillRect(0, 0, 400, 24, {20, 24, 34, 230});
    bg.Frame(0, 0, 400, 24, 2, {120, 130, 150});
    Canvas fg(400, 24, {0, 0, 0, 0});
    fg.VerticalGradient(0, 0, 400, 24, {255, 170, 70}, {200, 90, 20});
    return bg.SavePng(dir + "/progress_bg.png") && fg.SavePng(dir + "/progress_fg.png");
}

bool Cursors(const std::string& dir) {
    Canvas arrow(32, 32, {0, 0, 0, 0});
    std::vector<std::pair<float, float>> outline = {{2, 2},   {2, 24},  {8, 18}, {12, 28},
                                                    {16, 26}, {12, 17}, {20, 17}};
    // Fill by testing each pixel against the polygon.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            bool inside = false;
            for (size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
                auto [xi, yi] = outline[i];
                auto [xj, yj] = outline[j];
                if ((yi > y + 0.5f) != (yj > y + 0.5f) &&
                    x + 0.5f < (xj - xi) * (y + 0.5f - yi) / (yj - yi) + xi)
                    inside = !inside;
            }
            if (inside)
                arrow.Blend(x, y, kWhite, 1.0f);
        }
    for (size_t i = 0; i < outline.size(); ++i) {
        auto [x0, y0] = outline[i];
        auto [x1, y1] = outline[(i + 1) % outline.size()];
        arrow.Line(x0, y0, x1, y1, 1.5f, {0, 0, 0});
    }
    Canvas busy(32, 32, {0, 0, 0, 0});
    Ball(busy, 16, 16, 13);
    return arrow.SavePng(dir + "/cursor.png") && busy.SavePng(dir + "/cursor_busy.png");
}

// ---- Sounds ----

struct Wave {
    int rate = 22050;
    std::vector<float> samples;
};

bool SaveWav(const Wave& w, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    uint32_t dataSize = static_cast<uint32_t>(w.samples.size() * 2);
    out.write("RIFF", 4);
    u32(36 + dataSize);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(static_cast<uint32_t>(w.rate));
    u32(static_cast<uint32_t>(w.rate * 2));
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataSize);
    for (float s : w.samples) {
        int v = static_cast<int>(std::lround(std::max(-1.0f, std::min(1.0f, s)) * 32000.0f));
        u16(static_cast<uint16_t>(static_cast<int16_t>(v)));
    }
    return static_cast<bool>(out);
}

// Deterministic noise so the files never change between builds.
struct Noise {
    uint32_t state = 22222;
    float Next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>((state >> 8) & 0xFFFF) / 32768.0f - 1.0f;
    }
};

Wave Click(float pitch, float length, float noiseAmount) {
    Wave w;
    Noise noise;
    int n = static_cast<int>(w.rate * length);
    for (int i = 0; i < n; ++i) {
        float t = static_cast<float>(i) / w.rate;
        float env = std::exp(-t * 60.0f / length * 0.03f);
        float tone = std::sin(2 * kPi * pitch * t) * 0.6f + std::sin(2 * kPi * pitch * 2.01f * t) * 0.2f;
        w.samples.push_back((tone + noise.Next() * noiseAmount) * env * 0.7f);
    }
    return w;
}

float Note(int semitonesFromA4) {
    return 440.0f * std::pow(2.0f, semitonesFromA4 / 12.0f);
}

// A calm, looping menu theme: four chords, a walking bass and a soft beat.
// The three menu tracks share one groove: each its own tempo, key and chord turn.
struct ThemeStyle {
    float bpm;
    int chords[4][3];
    int bass[4];
};
const ThemeStyle kThemes[3] = {
    {96.0f,
     {{-9, -5, -2}, {-14, -10, -7}, {-12, -8, -5}, {-7, -3, 0}},
     {-33, -38, -36, -31}}, // C, G, A-, F-ish
    {104.0f, {{-12, -8, -5}, {-7, -3, 0}, {-9, -5, -2}, {-14, -10, -7}}, {-36, -31, -33, -38}}, // A-, F, C, G
    {88.0f, {{-7, -4, 0}, {-12, -9, -5}, {-10, -7, -3}, {-5, -2, 2}}, {-31, -36, -34, -29}},    // minor turn
};

Wave MenuTheme(const ThemeStyle& style) {
    Wave w;
    const float bpm = style.bpm;
    const float beat = 60.0f / bpm;
    const int bars = 16;
    const auto& chords = style.chords;
    const auto& bass = style.bass;
    int total = static_cast<int>(w.rate * beat * 4 * bars);
    w.samples.assign(static_cast<size_t>(total), 0.0f);
    Noise noise;
    for (int i = 0; i < total; ++i) {
        float t = static_cast<float>(i) / w.rate;
        int barIndex = static_cast<int>(t / (beat * 4));
        const int* chord = chords[barIndex % 4];
        float inBeat = std::fmod(t, beat);
        float s = 0.0f;
        for (int k = 0; k < 3; ++k) {
            float f = Note(chord[k]);
            s += (std::sin(2 * kPi * f * t) + 0.3f * std::sin(2 * kPi * f * 2 * t)) * 0.07f;
        }
        float bassF = Note(bass[barIndex % 4] + ((static_cast<int>(t / beat) % 4) == 2 ? 7 : 0));
        s += std::sin(2 * kPi * bassF * t) * 0.18f * std::exp(-inBeat * 3.0f);
        // Kick on beats 1 and 3, a ball-bounce-like tap on 2 and 4.
        int beatIndex = static_cast<int>(t / beat) % 4;
        if (beatIndex % 2 == 0)
            s += std::sin(2 * kPi * (60.0f + 80.0f * std::exp(-inBeat * 30.0f)) * inBeat) * 0.35f *
                 std::exp(-inBeat * 12.0f);
        else
            s += noise.Next() * 0.08f * std::exp(-inBeat * 40.0f);
        // Fade the loop's ends so the restart does not click.
        float edge = std::min(t, total / static_cast<float>(w.rate) - t);
        w.samples[static_cast<size_t>(i)] = s * std::min(1.0f, edge * 20.0f);
    }
    return w;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: shellassets <game folder> <bold font> <regular font>\n");
        return 2;
    }
    std::string game = argv[1];
    Fonts fonts{ReadFontFile(argv[2]), ReadFontFile(argv[3])};
    if (fonts.bold.empty() || fonts.regular.empty()) {
        std::fprintf(stderr, "shellassets: cannot read the fonts %s, %s\n", argv[2], argv[3]);
        return 1;
    }
    for (const char* dir : {"/images/intro", "/sounds", "/music"})
        fs::create_directories(game + dir);
    bool ok =
        Logo1(fonts, game + "/images/intro/logo1.png") && Logo2(fonts, game + "/images/intro/logo2.png") &&
        Logo3(fonts, game + "/images/intro/logo3.png") && Logo4(fonts, game + "/images/intro/logo4.png") &&
        Logo5(fonts, game + "/images/intro/logo5.png") && Logo6(fonts, game + "/images/intro/logo6.png") &&
        WaitImage(fonts, game + "/images/wait.png") && MenuBackground(fonts, game + "/images/menu_bg.png") &&
        ProgressImages(game + "/images") && Cursors(game + "/images");
    ok = ok && SaveWav(Click(1400.0f, 0.05f, 0.15f), game + "/sounds/button_click.wav") &&
         SaveWav(Click(1100.0f, 0.07f, 0.10f), game + "/sounds/animbutton_click.wav") &&
         SaveWav(Click(2000.0f, 0.025f, 0.05f), game + "/sounds/scroll_click.wav") &&
         SaveWav(Click(900.0f, 0.05f, 0.20f), game + "/sounds/combo_click.wav") &&
         SaveWav(Click(1700.0f, 0.04f, 0.10f), game + "/sounds/check_click.wav") &&
         SaveWav(Click(2400.0f, 0.02f, 0.30f), game + "/sounds/edit_click.wav") &&
         SaveWav(MenuTheme(kThemes[0]), game + "/music/001_menu_theme.wav") &&
         SaveWav(MenuTheme(kThemes[1]), game + "/music/002_menu_theme.wav") &&
         SaveWav(MenuTheme(kThemes[2]), game + "/music/003_menu_theme.wav");
    if (!ok) {
        std::fprintf(stderr, "shellassets: could not write every file under %s\n", game.c_str());
        return 1;
    }
    return 0;
}
