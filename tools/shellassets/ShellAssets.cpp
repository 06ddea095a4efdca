// Generates the shell's images and sounds into a game folder:
//   shellassets <game folder> <bold font .ttf> <regular font .ttf>
#include "Canvas.h"

#include <algorithm>
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

// The match centre's court seen from above, upright: 20 pixels a unit across (x -7..7) and 21 a unit
// along the long axis (z -14..14), centred in the picture as the screen places its markers.
void EllipseArc(Canvas& c, float cx, float cy, float rx, float ry, float from, float to, float t,
                Rgba colour) {
    const int steps = 48;
    for (int i = 0; i < steps; ++i) {
        float a0 = from + (to - from) * i / steps, a1 = from + (to - from) * (i + 1) / steps;
        c.Line(cx + rx * std::cos(a0), cy + ry * std::sin(a0), cx + rx * std::cos(a1), cy + ry * std::sin(a1),
               t, colour);
    }
}

bool MatchCourt(const std::string& path) {
    const int w = 320, h = 620;
    const float cx = w / 2.0f, cy = h / 2.0f, ux = 20.0f, uz = 21.0f;
    Canvas c(w, h, {28, 20, 14});
    c.FillRect(0, 0, w, h, {38, 28, 20});
    const float left = cx - 7 * ux, right = cx + 7 * ux, top = cy - 14 * uz, bottom = cy + 14 * uz;
    // Floor boards.
    for (int x = static_cast<int>(left); x < static_cast<int>(right); ++x) {
        const int board = (x - static_cast<int>(left)) / 14;
        const Rgba wood = board % 2 ? Rgba{196, 146, 92} : Rgba{204, 154, 98};
        c.FillRect(x, static_cast<int>(top), 1, static_cast<int>(bottom - top), wood);
    }
    const Rgba line{250, 246, 236};
    const Rgba paint{170, 60, 40, 150};
    const float t = 2.0f;
    c.Frame(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top), 2, line);
    c.Line(left, cy, right, cy, t, line);
    c.Disc(cx, cy, 1.8f * ux, line, 1.8f * ux - t);
    for (int side = 0; side < 2; ++side) {
        const float dir = side == 0 ? 1.0f : -1.0f;
        const float baseline = side == 0 ? top : bottom;
        const float basket = cy - dir * 12.25f * uz;
        // The key, its free-throw circle, the three-point arc and the basket.
        const float keyW = 2.45f * ux, keyLen = 5.8f * uz;
        const float keyEnd = baseline + dir * keyLen;
        const int ky = static_cast<int>(std::min(baseline, keyEnd));
        c.FillRect(static_cast<int>(cx - keyW), ky + 1, static_cast<int>(2 * keyW),
                   static_cast<int>(keyLen) - 1, paint);
        c.Line(cx - keyW, baseline, cx - keyW, keyEnd, t, line);
        c.Line(cx + keyW, baseline, cx + keyW, keyEnd, t, line);
        c.Line(cx - keyW, keyEnd, cx + keyW, keyEnd, t, line);
        c.Disc(cx, keyEnd, 1.8f * ux, line, 1.8f * ux - t);
        const float from = side == 0 ? 0.18f : kPi + 0.18f, to = side == 0 ? kPi - 0.18f : 2 * kPi - 0.18f;
        EllipseArc(c, cx, basket, 6.9f * ux, 6.9f * uz, from, to, t, line);
        const float sideX = 6.9f * ux * std::cos(0.18f);
        const float arcEnd = basket + dir * 6.9f * uz * std::sin(0.18f);
        c.Line(cx - sideX, baseline, cx - sideX, arcEnd, t, line);
        c.Line(cx + sideX, baseline, cx + sideX, arcEnd, t, line);
        c.Line(cx - 0.9f * ux, baseline + dir * 0.6f * uz, cx + 0.9f * ux, baseline + dir * 0.6f * uz, 3.0f,
               {60, 60, 70});
        c.Disc(cx, basket, 0.45f * ux, kOrange, 0.45f * ux - 2.0f);
    }
    return c.SavePng(path);
}

// A marker's four button states side by side: normal, hover, pressed, and the highlight (the
// player with the ball) in the disabled slot, dark with a yellow ring so its yellow number shows.
bool MarkerStrip(const std::string& path, int size, Rgba fill) {
    Canvas c(size * 4, size, {0, 0, 0, 0});
    const float r = size / 2.0f;
    for (int state = 0; state < 4; ++state) {
        const float cx = state * size + r;
        if (state == 3) {
            c.Disc(cx, r, r - 0.5f, {255, 230, 0});
            c.Disc(cx, r, r - 3.0f, {30, 30, 40});
            continue;
        }
        const Rgba body = state == 1 ? Rgba{static_cast<uint8_t>(std::min(255, fill.r + 30)),
                                            static_cast<uint8_t>(std::min(255, fill.g + 30)),
                                            static_cast<uint8_t>(std::min(255, fill.b + 30))}
                                     : fill;
        c.Disc(cx, r, r - 0.5f, {20, 20, 24});
        c.Disc(cx, r, r - 2.0f, body);
    }
    return c.SavePng(path);
}

bool MatchCentreImages(const std::string& dir) {
    return MatchCourt(dir + "/match_court.png") && MarkerStrip(dir + "/marker_home.png", 24, {226, 60, 60}) &&
           MarkerStrip(dir + "/marker_away.png", 24, {70, 220, 230}) &&
           MarkerStrip(dir + "/marker_ball.png", 12, {240, 120, 30});
}

// Over a streetball arena the in-match display wears a sign at the top of the screen; the rest of
// the picture stays clear so the court shows through.
bool StreetballSign(const Fonts& f, const std::string& path) {
    Canvas c(1024, 768, {0, 0, 0, 0});
    c.FillRect(362, 4, 300, 30, {20, 24, 34, 200});
    c.Frame(362, 4, 300, 30, 2, kOrange);
    c.TextCentred(f.bold, "STREETBALL", 20, 512, 8, kOrange);
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

// The match ball: a damped thump whose pitch falls (the floor), a bright ringing metal tone (the
// rim) and a hollow knock with a wooden rattle (the backboard).
Wave BallSound(float pitch, float fall, float length, float ring, float noiseAmount) {
    Wave w;
    Noise noise;
    const int n = static_cast<int>(w.rate * length);
    float phase = 0.0f;
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / w.rate;
        const float f = pitch * std::exp(-t * fall);
        phase += 2 * kPi * f / w.rate;
        const float env = std::exp(-t * 6.0f / length) * std::min(1.0f, t * 800.0f);
        const float tone = std::sin(phase) * 0.7f + std::sin(phase * ring) * 0.25f;
        const float burst = noise.Next() * noiseAmount * std::exp(-t * 60.0f);
        w.samples.push_back((tone + burst) * env * 0.8f);
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

// ---- Crowd ----
// Crowds are many voices: buzzing tones at scattered pitches pushed through vowel formants, with
// breath noise. Indoors a reverb tail fills the hall; outdoors the sound stays dry and thinner.

struct BandPass {
    float a0 = 0, a1 = 0, a2 = 0, b1 = 0, b2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    BandPass(float freq, float q, int rate) {
        float w = 2 * kPi * freq / rate, alpha = std::sin(w) / (2 * q), norm = 1 + alpha;
        a0 = alpha / norm;
        a2 = -alpha / norm;
        b1 = -2 * std::cos(w) / norm;
        b2 = (1 - alpha) / norm;
    }
    float Step(float x) {
        float y = a0 * x + a1 * x1 + a2 * x2 - b1 * y1 - b2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

struct Vowel {
    float f1, f2; // formants in Hz
};
constexpr Vowel kAah{750, 1200}, kOoh{330, 800}, kEeh{450, 1900}, kUuh{300, 650};

// envelope(t in 0..1) -> loudness; vowel glides from one to the other; pitchGlide shifts every
// voice's pitch by that factor over the sound.
struct CrowdStyle {
    float seconds;
    int voices;
    Vowel from, to;
    float pitchLow, pitchHigh, pitchGlide;
    float breath; // share of plain noise
    bool indoor;
    uint32_t seed;
};

Wave Crowd(const CrowdStyle& c, float (*envelope)(float)) {
    Wave w;
    int n = static_cast<int>(w.rate * c.seconds);
    std::vector<float> dry(static_cast<size_t>(n), 0.0f);
    Noise noise;
    noise.state = c.seed;
    for (int v = 0; v < c.voices; ++v) {
        float pitch = c.pitchLow + (noise.Next() * 0.5f + 0.5f) * (c.pitchHigh - c.pitchLow);
        float start = (noise.Next() * 0.5f + 0.5f) * 0.12f; // voices join a little apart
        float vibrato = 4.0f + noise.Next() * 2.0f;
        float phase = 0.0f;
        float gain = 0.6f + 0.4f * noise.Next();
        for (int i = 0; i < n; ++i) {
            float t = static_cast<float>(i) / w.rate;
            if (t < start)
                continue;
            float u = t / c.seconds;
            float f =
                pitch * (1.0f + (c.pitchGlide - 1.0f) * u) * (1.0f + 0.02f * std::sin(2 * kPi * vibrato * t));
            phase += f / w.rate;
            phase -= std::floor(phase);
            dry[static_cast<size_t>(i)] += (2.0f * phase - 1.0f) * gain; // a buzzing saw
        }
    }
    std::vector<float> out(static_cast<size_t>(n), 0.0f);
    const int blocks = 32; // the vowel glides block by block
    for (int b = 0; b < blocks; ++b) {
        float u = (b + 0.5f) / blocks;
        BandPass one(c.from.f1 + (c.to.f1 - c.from.f1) * u, 4.0f, w.rate);
        BandPass two(c.from.f2 + (c.to.f2 - c.from.f2) * u, 6.0f, w.rate);
        int begin = n * b / blocks, end = n * (b + 1) / blocks;
        // Warm the filters up on the block before, so the seams do not click.
        for (int i = std::max(0, begin - 400); i < end; ++i) {
            float x = dry[static_cast<size_t>(i)] / std::sqrt(static_cast<float>(c.voices)) +
                      noise.Next() * c.breath;
            float y = one.Step(x) + 0.6f * two.Step(x);
            if (i >= begin)
                out[static_cast<size_t>(i)] = y;
        }
    }
    if (c.indoor) {
        // Three feedback echoes: the hall's tail.
        const int delays[3] = {w.rate * 37 / 1000, w.rate * 53 / 1000, w.rate * 71 / 1000};
        std::vector<float> wet(out);
        for (int d : delays)
            for (int i = d; i < n; ++i)
                wet[static_cast<size_t>(i)] += wet[static_cast<size_t>(i - d)] * 0.35f;
        for (int i = 0; i < n; ++i)
            out[static_cast<size_t>(i)] =
                0.6f * out[static_cast<size_t>(i)] + 0.4f * wet[static_cast<size_t>(i)];
    }
    float peak = 1e-6f;
    for (float x : out)
        peak = std::max(peak, std::fabs(x));
    for (int i = 0; i < n; ++i) {
        float u = static_cast<float>(i) / n;
        w.samples.push_back(out[static_cast<size_t>(i)] / peak * 0.8f * envelope(u));
    }
    return w;
}

float Swell(float u) {
    return std::min(1.0f, u * 6.0f) * (1.0f - u * u);
}
float Sigh(float u) {
    return std::min(1.0f, u * 10.0f) * std::exp(-u * 2.5f);
}
float Short(float u) {
    return std::min(1.0f, u * 20.0f) * (1.0f - u);
}
// The loop's ends meet at the same level.
float Murmur(float u) {
    return 0.55f + 0.15f * std::sin(2 * kPi * 3 * u) + 0.1f * std::sin(2 * kPi * 7 * u);
}

// Scales the wave so its loudest sample reaches the peak: no clipping, levels alike.
Wave Normalised(Wave w, float peak) {
    float top = 1e-6f;
    for (float x : w.samples)
        top = std::max(top, std::fabs(x));
    for (float& x : w.samples)
        x *= peak / top;
    return w;
}

// Whistles: a few high tones that slide and trill.
Wave Whistles(float seconds, int count, bool indoor, uint32_t seed) {
    Wave w;
    Noise noise;
    noise.state = seed;
    int n = static_cast<int>(w.rate * seconds);
    w.samples.assign(static_cast<size_t>(n), 0.0f);
    for (int k = 0; k < count; ++k) {
        float base = 2200.0f + noise.Next() * 600.0f;
        float start = (noise.Next() * 0.5f + 0.5f) * seconds * 0.3f;
        float length = seconds * (0.4f + 0.3f * (noise.Next() * 0.5f + 0.5f));
        float trill = 18.0f + noise.Next() * 6.0f;
        float phase = 0.0f;
        for (int i = 0; i < n; ++i) {
            float t = static_cast<float>(i) / w.rate - start;
            if (t < 0 || t > length)
                continue;
            float f = base * (1.0f + 0.06f * std::sin(2 * kPi * trill * t)) * (1.0f - 0.15f * t / length);
            phase += f / w.rate;
            float env = std::min(1.0f, t * 40.0f) * std::min(1.0f, (length - t) * 20.0f);
            w.samples[static_cast<size_t>(i)] += std::sin(2 * kPi * phase) * env * 0.35f;
        }
    }
    for (int i = 0; i < n; ++i)
        w.samples[static_cast<size_t>(i)] += noise.Next() * (indoor ? 0.05f : 0.02f);
    return w;
}

// A chant: a rhythm of stamps and claps (steps of a sixteenth; 1 drum, 2 clap, 3 both) under a
// sung vowel on the beats, each of the twelve its own pattern and tempo.
Wave Chant(int index) {
    static const char* kPatterns[12] = {"1000200010002000", "1020102010201020", "3000300030003330",
                                        "1002002010020020", "1000100010202220", "3020302030203020",
                                        "1010200010102000", "3000000030300000", "1200120012001200",
                                        "1000202010002020", "3030300030303000", "1002100210021002"};
    Wave w;
    float bpm = 92.0f + index * 7.0f;
    float sixteenth = 60.0f / bpm / 4.0f;
    int steps = 32;
    int n = static_cast<int>(w.rate * sixteenth * steps);
    w.samples.assign(static_cast<size_t>(n), 0.0f);
    Noise noise;
    noise.state = 1000u + static_cast<uint32_t>(index) * 77u;
    for (int step = 0; step < steps; ++step) {
        char kind = kPatterns[index][step % 16];
        if (kind == '0')
            continue;
        int at = static_cast<int>(step * sixteenth * w.rate);
        for (int i = 0; i < static_cast<int>(0.25f * w.rate) && at + i < n; ++i) {
            float t = static_cast<float>(i) / w.rate;
            float s = 0.0f;
            if (kind == '1' || kind == '3') // a big drum
                s += std::sin(2 * kPi * (55.0f + 60.0f * std::exp(-t * 25.0f)) * t) * std::exp(-t * 9.0f) *
                     0.8f;
            if (kind == '2' || kind == '3') // many hands
                s += noise.Next() * std::exp(-t * 35.0f) * 0.5f;
            w.samples[static_cast<size_t>(at + i)] += s;
        }
    }
    // The crowd sings along on the first beat of each bar.
    const Vowel vowels[3] = {kAah, kEeh, kOoh};
    Wave voices = Crowd({sixteenth * steps, 10, vowels[index % 3], vowels[(index + 1) % 3], 180.0f, 260.0f,
                         1.0f, 0.1f, true, 4000u + static_cast<uint32_t>(index)},
                        Murmur);
    for (int i = 0; i < n && i < static_cast<int>(voices.samples.size()); ++i) {
        float inBar = std::fmod(static_cast<float>(i) / w.rate, sixteenth * 16) / (sixteenth * 16);
        w.samples[static_cast<size_t>(i)] +=
            voices.samples[static_cast<size_t>(i)] * (inBar < 0.5f ? 0.6f : 0.2f);
    }
    float edge = 0.02f * w.rate;
    for (int i = 0; i < n; ++i)
        w.samples[static_cast<size_t>(i)] *= std::min(1.0f, std::min(i, n - 1 - i) / edge) * 0.7f;
    return w;
}

bool CrowdSounds(const std::string& dir) {
    struct Named {
        const char* file;
        Wave wave;
    };
    std::vector<Named> sounds;
    sounds.push_back(
        {"atmosphere", Crowd({6.0f, 24, kAah, kUuh, 140.0f, 240.0f, 1.0f, 0.5f, true, 101u}, Murmur)});
    sounds.push_back(
        {"cheer_indoor", Crowd({1.8f, 28, kAah, kAah, 220.0f, 420.0f, 1.25f, 0.25f, true, 102u}, Swell)});
    sounds.push_back(
        {"ahh_indoor", Crowd({1.4f, 22, kAah, kOoh, 200.0f, 320.0f, 0.75f, 0.15f, true, 103u}, Sigh)});
    sounds.push_back({"boo", Crowd({1.6f, 26, kUuh, kOoh, 110.0f, 180.0f, 0.95f, 0.1f, true, 104u}, Swell)});
    sounds.push_back({"whistles_indoor", Normalised(Whistles(1.4f, 6, true, 105u), 0.45f)});
    for (int i = 0; i < 12; ++i)
        sounds.push_back({nullptr, Normalised(Chant(i), 0.75f)});
    sounds.push_back(
        {"cheer_outdoor", Crowd({1.4f, 9, kEeh, kAah, 240.0f, 440.0f, 1.2f, 0.35f, false, 106u}, Swell)});
    sounds.push_back(
        {"ooh_outdoor", Crowd({1.2f, 8, kOoh, kUuh, 200.0f, 300.0f, 1.15f, 0.2f, false, 107u}, Sigh)});
    sounds.push_back({"whistles_outdoor", Normalised(Whistles(1.0f, 2, false, 108u), 0.45f)});
    sounds.push_back(
        {"bravo_outdoor", Crowd({2.0f, 10, kAah, kOoh, 200.0f, 380.0f, 1.1f, 0.3f, false, 109u}, Swell)});
    sounds.push_back({"bravo_outdoor_short",
                      Crowd({0.8f, 10, kAah, kOoh, 220.0f, 380.0f, 1.1f, 0.3f, false, 110u}, Short)});
    int chant = 0;
    for (Named& s : sounds) {
        std::string name = s.file ? s.file : "chant" + std::to_string(++chant);
        if (!SaveWav(s.wave, dir + "/crowd_" + name + ".wav"))
            return false;
    }
    return true;
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
    for (const char* dir :
         {"/images/intro", "/images/WinObjects", "/images/WinObjects/KV_3d_GUI", "/sounds", "/music"})
        fs::create_directories(game + dir);
    bool ok =
        Logo1(fonts, game + "/images/intro/logo1.png") && Logo2(fonts, game + "/images/intro/logo2.png") &&
        Logo3(fonts, game + "/images/intro/logo3.png") && Logo4(fonts, game + "/images/intro/logo4.png") &&
        Logo5(fonts, game + "/images/intro/logo5.png") && Logo6(fonts, game + "/images/intro/logo6.png") &&
        WaitImage(fonts, game + "/images/wait.png") && MenuBackground(fonts, game + "/images/menu_bg.png") &&
        ProgressImages(game + "/images") && Cursors(game + "/images") &&
        MatchCentreImages(game + "/images/WinObjects") &&
        StreetballSign(fonts, game + "/images/WinObjects/KV_3d_GUI/3d_gui_streetball.png");
    ok = ok && SaveWav(Click(1400.0f, 0.05f, 0.15f), game + "/sounds/button_click.wav") &&
         SaveWav(Click(1100.0f, 0.07f, 0.10f), game + "/sounds/animbutton_click.wav") &&
         SaveWav(Click(2000.0f, 0.025f, 0.05f), game + "/sounds/scroll_click.wav") &&
         SaveWav(Click(900.0f, 0.05f, 0.20f), game + "/sounds/combo_click.wav") &&
         SaveWav(Click(1700.0f, 0.04f, 0.10f), game + "/sounds/check_click.wav") &&
         SaveWav(Click(2400.0f, 0.02f, 0.30f), game + "/sounds/edit_click.wav") &&
         SaveWav(BallSound(150.0f, 4.0f, 0.18f, 2.3f, 0.35f), game + "/sounds/ball_bounce.wav") &&
         SaveWav(BallSound(880.0f, 0.2f, 0.6f, 2.76f, 0.15f), game + "/sounds/ball_rim.wav") &&
         SaveWav(BallSound(220.0f, 1.5f, 0.3f, 1.5f, 0.6f), game + "/sounds/ball_backboard.wav") &&
         SaveWav(MenuTheme(kThemes[0]), game + "/music/001_menu_theme.wav") &&
         SaveWav(MenuTheme(kThemes[1]), game + "/music/002_menu_theme.wav") &&
         SaveWav(MenuTheme(kThemes[2]), game + "/music/003_menu_theme.wav") && CrowdSounds(game + "/sounds");
    if (!ok) {
        std::fprintf(stderr, "shellassets: could not write every file under %s\n", game.c_str());
        return 1;
    }
    return 0;
}
