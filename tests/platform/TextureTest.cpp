// Image decoding (stb formats and our DDS reader) and the texture registry.
#include "engine/Texture.h"
#include "engine/Log.h"
#include "engine/TextureManager.h"
#include "tests/engine/TempDir.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>

namespace {

std::string ReadData(const char* name) {
    std::ifstream in(std::string(FB_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
}

// A DDS header for a width x height image with a compressed fourCC or an uncompressed bit layout.
std::string DdsHeader(int width, int height, const char* fourCC, uint32_t bits = 0, uint32_t r = 0,
                      uint32_t g = 0, uint32_t b = 0, uint32_t a = 0) {
    std::string h(128, '\0');
    std::memcpy(&h[0], "DDS ", 4);
    Put32(h, 4, 124);
    Put32(h, 12, static_cast<uint32_t>(height));
    Put32(h, 16, static_cast<uint32_t>(width));
    Put32(h, 76, 32);
    if (fourCC) {
        Put32(h, 80, 0x4);
        std::memcpy(&h[84], fourCC, 4);
    } else {
        Put32(h, 80, 0x40 | (a ? 0x1 : 0));
        Put32(h, 88, bits);
        Put32(h, 92, r);
        Put32(h, 96, g);
        Put32(h, 100, b);
        Put32(h, 104, a);
    }
    return h;
}

// A DXT colour block: two 565 end points and sixteen 2-bit indices.
std::string ColourBlock(uint16_t c0, uint16_t c1, uint32_t indices) {
    std::string s(8, '\0');
    s[0] = static_cast<char>(c0);
    s[1] = static_cast<char>(c0 >> 8);
    s[2] = static_cast<char>(c1);
    s[3] = static_cast<char>(c1 >> 8);
    Put32(s, 4, indices);
    return s;
}

struct Decoded {
    bool ok = false;
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * w + x) * 4]; }
};

Decoded Decode(const std::string& data) {
    Decoded d;
    d.ok = DecodeImage(data.data(), data.size(), d.w, d.h, d.rgba);
    return d;
}

} // namespace

TEST(ImageDecoding, StbFormatsGiveRowsFromTheTop) {
    for (const char* name : {"pattern.png", "pattern.bmp", "pattern.tga"}) {
        Decoded d = Decode(ReadData(name));
        ASSERT_TRUE(d.ok) << name;
        EXPECT_EQ(d.w, 4);
        EXPECT_EQ(d.h, 2);
        EXPECT_EQ(d.At(0, 0)[0], 255) << name; // red top-left
        EXPECT_EQ(d.At(0, 0)[1], 0) << name;
        EXPECT_EQ(d.At(0, 1)[1], 255) << name; // yellow below it
        EXPECT_EQ(d.At(0, 1)[2], 0) << name;
    }
    Decoded jpg = Decode(ReadData("red.jpg"));
    ASSERT_TRUE(jpg.ok);
    EXPECT_GT(jpg.At(8, 8)[0], 240);
    EXPECT_LT(jpg.At(8, 8)[1], 20);
    EXPECT_FALSE(Decode(ReadData("corrupt.png")).ok);
    // A PNG header claiming 100000 x 100000 pixels is refused before anything is allocated.
    std::string huge = ReadData("pattern.png");
    huge[16] = 0;
    huge[17] = 1;
    huge[18] = static_cast<char>(0x86);
    huge[19] = static_cast<char>(0xA0);
    EXPECT_FALSE(Decode(huge).ok);
    EXPECT_FALSE(Decode("").ok);
}

TEST(ImageDecoding, Dxt1BlocksWithAndWithoutTransparency) {
    // Block 1: four-colour mode (red > blue); indices 0,1,2,3 across the first row.
    // Block 2: c0 <= c1 selects three colours and transparent black for index 3.
    std::string data = DdsHeader(8, 4, "DXT1") + ColourBlock(0xF800, 0x001F, 0b11100100) +
                       ColourBlock(0x001F, 0xF800, 0b11100100);
    Decoded d = Decode(data);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.w, 8);
    EXPECT_EQ(d.At(0, 0)[0], 255);
    EXPECT_EQ(d.At(1, 0)[2], 255);
    EXPECT_EQ(d.At(2, 0)[0], 170); // two thirds red
    EXPECT_EQ(d.At(2, 0)[2], 85);
    EXPECT_EQ(d.At(3, 0)[3], 255);
    EXPECT_EQ(d.At(6, 0)[0], 127); // half way in three-colour mode
    EXPECT_EQ(d.At(7, 0)[3], 0);   // transparent
    EXPECT_EQ(d.At(0, 3)[0], 255) << "unset indices pick colour 0";
}

TEST(ImageDecoding, Dxt3AndDxt5Alpha) {
    std::string explicitAlpha(8, '\0');
    explicitAlpha[0] = static_cast<char>(0xF0); // pixel 0 alpha 0, pixel 1 alpha 15
    std::string dxt3 = DdsHeader(4, 4, "DXT3") + explicitAlpha + ColourBlock(0xFFFF, 0xFFFF, 0);
    Decoded d3 = Decode(dxt3);
    ASSERT_TRUE(d3.ok);
    EXPECT_EQ(d3.At(0, 0)[3], 0);
    EXPECT_EQ(d3.At(1, 0)[3], 255);

    std::string alpha5(8, '\0');
    alpha5[0] = static_cast<char>(200);
    alpha5[1] = static_cast<char>(100);
    // 3-bit indices: pixel 0 -> 0 (200), pixel 1 -> 1 (100), pixel 2 -> 2 (one seventh of the way).
    uint64_t bits = 0 | (1ull << 3) | (2ull << 6);
    for (int i = 0; i < 6; ++i)
        alpha5[2 + i] = static_cast<char>(bits >> (8 * i));
    Decoded d5 = Decode(DdsHeader(4, 4, "DXT5") + alpha5 + ColourBlock(0xFFFF, 0xFFFF, 0));
    ASSERT_TRUE(d5.ok);
    EXPECT_EQ(d5.At(0, 0)[3], 200);
    EXPECT_EQ(d5.At(1, 0)[3], 100);
    EXPECT_EQ(d5.At(2, 0)[3], (6 * 200 + 100) / 7);
}

TEST(ImageDecoding, UncompressedDdsByMasks) {
    std::string pixels;
    // Two BGRA pixels: blue-ish opaque and half-transparent green.
    pixels += std::string("\xFF\x00\x00\xFF", 4);
    pixels += std::string("\x00\xFF\x00\x80", 4);
    Decoded d = Decode(DdsHeader(2, 1, nullptr, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000) + pixels);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.At(0, 0)[2], 255);
    EXPECT_EQ(d.At(0, 0)[0], 0);
    EXPECT_EQ(d.At(1, 0)[1], 255);
    EXPECT_EQ(d.At(1, 0)[3], 128);
    // 16-bit 565 without alpha.
    std::string rgb565("\x00\xF8", 2);
    Decoded e = Decode(DdsHeader(1, 1, nullptr, 16, 0xF800, 0x07E0, 0x001F) + rgb565);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.At(0, 0)[0], 255);
    EXPECT_EQ(e.At(0, 0)[3], 255);
}

TEST(ImageDecoding, DdsFilesThatLieAboutTheirSizeAreRejected) {
    EXPECT_FALSE(Decode(DdsHeader(8, 8, "DXT1") + std::string(8, '\0')).ok) << "blocks missing";
    EXPECT_FALSE(Decode(DdsHeader(100000, 100000, "DXT5")).ok) << "absurd size";
    EXPECT_FALSE(Decode(DdsHeader(0, 4, "DXT1")).ok);
    EXPECT_FALSE(Decode(DdsHeader(4, 4, "ATI2") + std::string(16, '\0')).ok) << "unknown compression";
    EXPECT_FALSE(Decode(DdsHeader(4, 4, nullptr, 32, 0xFF, 0xFF00, 0xFF0000) + std::string(10, '\0')).ok);
    EXPECT_FALSE(Decode(std::string("DDS ") + std::string(50, '\0')).ok) << "header cut short";
}

class TextureManagerTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        g_pQuorelLog = new CQuorelLog();
        g_pQuorelTextureManager = &m_manager;
        Write("Textures/Floor.png", ReadData("pattern.png"));
        Write("Lightmaps/floor_lm.png", ReadData("strip.png"));
    }
    void TearDown() override {
        g_pQuorelTextureManager = nullptr;
        delete g_pQuorelLog;
        g_pQuorelLog = nullptr;
        TempDirTest::TearDown();
    }
    CQuorelTextureManager m_manager;
};

TEST_F(TextureManagerTest, OneRecordPerFileWhateverTheSpelling) {
    CQuorelTexture* a = m_manager.Register("\\textures\\floor.png");
    CQuorelTexture* b = m_manager.Register("\\TEXTURES\\Floor.PNG");
    EXPECT_EQ(a, b);
    EXPECT_EQ(m_manager.Count(), 1);
    EXPECT_EQ(m_manager.Find("\\Textures\\FLOOR.png"), a);
    EXPECT_EQ(m_manager.Find("\\textures\\other.png"), nullptr);
    EXPECT_FALSE(a->IsLoaded()) << "registering does not load";
}

TEST_F(TextureManagerTest, LoadAllLoadsPendingRecordsAndCountsFailures) {
    CQuorelTexture* floor = m_manager.Register("\\textures\\floor.png");
    m_manager.Register("\\textures\\missing.png");
    m_manager.SetLightmapDir("\\lightmaps");
    CQuorelTexture* lightmap = m_manager.RegisterLightmap("FLOOR_LM.png");
    EXPECT_EQ(m_manager.LoadAll(), 1);
    EXPECT_TRUE(floor->IsLoaded());
    EXPECT_EQ(floor->Width(), 4);
    EXPECT_TRUE(lightmap->IsLoaded());
    EXPECT_EQ(lightmap->Width(), 8);
    EXPECT_EQ(m_manager.LoadAll(), 1) << "loaded records are not read again; the missing one still fails";
    int lines = 0;
    for (const CStr& line : g_pQuorelLog->Entries())
        lines += line.Find("missing.png") >= 0;
    EXPECT_EQ(lines, 1) << "a missing file is logged once";
    m_manager.ReleaseAll();
    EXPECT_EQ(m_manager.Count(), 0);
}

TEST_F(TextureManagerTest, SharedImagesAreDecodedOnceWhileHeld) {
    std::shared_ptr<CQuorelTexture> first = m_manager.LoadShared("\\textures\\floor.png");
    std::shared_ptr<CQuorelTexture> second = m_manager.LoadShared("\\Textures\\Floor.png");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    first.reset();
    second.reset();
    std::shared_ptr<CQuorelTexture> again = m_manager.LoadShared("\\textures\\floor.png");
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->IsLoaded());
    EXPECT_EQ(m_manager.LoadShared("\\textures\\missing.png"), nullptr);
}

TEST_F(TextureManagerTest, RegisteringFromManyThreadsGivesOneRecordEach) {
    std::vector<std::thread> threads;
    std::vector<CQuorelTexture*> seen(8, nullptr);
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            seen[static_cast<size_t>(t)] = m_manager.Register("\\textures\\floor.png");
            m_manager.LoadShared("\\textures\\floor.png");
        });
    for (std::thread& t : threads)
        t.join();
    for (CQuorelTexture* p : seen)
        EXPECT_EQ(p, seen[0]);
    EXPECT_EQ(m_manager.Count(), 1);
}
