// Flat fills, borders, clipping, GUI images and their frames, as they reach the back buffer.
#include "GlFixture.h"

#include "engine/Color.h"
#include "engine/RenderTexture.h"
#include "engine/Texture.h"
#include "engine/TextureManager.h"

TEST_F(GlTest, ColourWordsReachTheScreenAsTheirChannels) {
    FillRect2D(QuorelRect(0, 0, 10, 10), kColorRed);
    FillRect2D(QuorelRect(10, 0, 20, 10), kColorYellow);
    FillRect2D(QuorelRect(20, 0, 30, 10), kColorGreen);
    FillRect2D(QuorelRect(30, 0, 40, 10), kColorOrange);
    FillRect2D(QuorelRect(40, 0, 50, 10), kColorCyan);
    FillRect2D(QuorelRect(50, 0, 60, 10), PackColor(255, 0, 0, 255)); // blue
    EXPECT_TRUE(Near(At(5, 5), 255, 0, 0)) << Describe(At(5, 5));
    EXPECT_TRUE(Near(At(15, 5), 255, 255, 0)) << Describe(At(15, 5));
    EXPECT_TRUE(Near(At(25, 5), 0, 255, 0)) << Describe(At(25, 5));
    EXPECT_TRUE(Near(At(35, 5), 255, 128, 0)) << Describe(At(35, 5));
    EXPECT_TRUE(Near(At(45, 5), 0, 255, 255)) << Describe(At(45, 5));
    EXPECT_TRUE(Near(At(55, 5), 0, 0, 255)) << Describe(At(55, 5));
}

TEST_F(GlTest, AlphaInTheLowestByteBlendsOverWhatIsThere) {
    FillRect2D(QuorelRect(0, 0, 20, 20), 0xFFFFFF80);  // half-transparent white over black
    FillRect2D(QuorelRect(20, 0, 40, 20), 0x0000FF00); // alpha 0: invisible red
    EXPECT_TRUE(Near(At(10, 10), 128, 128, 128, 10)) << Describe(At(10, 10));
    EXPECT_TRUE(Near(At(30, 10), 0, 0, 0)) << Describe(At(30, 10));
}

TEST_F(GlTest, OutlineDrawsOnlyTheBorder) {
    DrawRectOutline2D(QuorelRect(100, 100, 200, 150), kColorWhite, 2);
    EXPECT_TRUE(Near(At(100, 100), 255, 255, 255));
    EXPECT_TRUE(Near(At(101, 149), 255, 255, 255));
    EXPECT_TRUE(Near(At(199, 120), 255, 255, 255));
    EXPECT_TRUE(Near(At(150, 125), 0, 0, 0)) << "the inside stays empty";
    EXPECT_TRUE(Near(At(200, 120), 0, 0, 0)) << "right edge is exclusive";
    EXPECT_TRUE(Near(At(150, 150), 0, 0, 0)) << "bottom edge is exclusive";
}

TEST_F(GlTest, NestedClipRectanglesIntersectAndPopRestores) {
    PushClipRect2D(QuorelRect(0, 0, 100, 100));
    PushClipRect2D(QuorelRect(50, 50, 200, 200));
    FillRect2D(QuorelRect(0, 0, 300, 300), kColorWhite);
    PopClipRect2D();
    FillRect2D(QuorelRect(0, 0, 20, 20), kColorRed);
    PopClipRect2D();
    FillRect2D(QuorelRect(280, 280, 300, 300), kColorGreen);
    InkBox white = Ink(QuorelRect(0, 0, 300, 300), 700);
    EXPECT_EQ(white.left, 50);
    EXPECT_EQ(white.top, 50);
    EXPECT_EQ(white.right, 99);
    EXPECT_EQ(white.bottom, 99);
    EXPECT_TRUE(Near(At(10, 10), 255, 0, 0));
    EXPECT_TRUE(Near(At(290, 290), 0, 255, 0));
}

TEST_F(GlTest, ImageFilesDrawRightWayUpAtTheirOwnSize) {
    for (const char* name : {"pattern.png", "pattern.bmp", "pattern.tga"}) {
        SCOPED_TRACE(name);
        m_device->Clear(0x000000FF);
        CRenderTexture image;
        ASSERT_TRUE(image.Load(DataPath(name).c_str()));
        EXPECT_EQ(image.Width(), 4);
        EXPECT_EQ(image.Height(), 2);
        image.Draw(10, 20);
        EXPECT_TRUE(Near(At(10, 20), 255, 0, 0)) << Describe(At(10, 20));
        EXPECT_TRUE(Near(At(12, 20), 0, 0, 255)) << Describe(At(12, 20));
        EXPECT_TRUE(Near(At(10, 21), 255, 255, 0)) << Describe(At(10, 21));
        EXPECT_TRUE(Near(At(12, 21), 255, 0, 255)) << Describe(At(12, 21));
    }
}

TEST_F(GlTest, StripFramesAndColourModulation) {
    CRenderTexture strip;
    ASSERT_TRUE(strip.Load(DataPath("strip.png").c_str(), 2));
    EXPECT_EQ(strip.FrameWidth(), 4);
    strip.SetFrame(1);
    strip.Draw(0, 0, 40, 40);
    EXPECT_TRUE(Near(At(20, 20), 0, 0, 255)) << "frame 1 is the blue half";
    strip.SetFrame(7); // past the strip: the last frame
    EXPECT_EQ(strip.Frame(), 1);
    strip.DrawFrame(0, 50, 0, 40, 40, 0x00FFFFFF); // white-modulated red stays red; yellow word keeps it
    EXPECT_TRUE(Near(At(70, 20), 255, 0, 0)) << Describe(At(70, 20));
    strip.DrawFrame(0, 100, 0, 40, 40, 0x0000FF80); // half-transparent
    EXPECT_TRUE(Near(At(120, 20), 128, 0, 0, 12)) << Describe(At(120, 20));
    strip.DrawRegion(QuorelRect(4, 0, 8, 4), 150, 0, 40, 40, kColorWhite);
    EXPECT_TRUE(Near(At(170, 20), 0, 0, 255)) << "source rectangle picks the right half";
}

TEST_F(GlTest, MissingOrCorruptImagesDrawNothingAndAreLoggedOnce) {
    for (int round = 0; round < 3; ++round) {
        CRenderTexture missing, corrupt;
        EXPECT_FALSE(missing.Load("\\images\\nowhere.png"));
        EXPECT_FALSE(corrupt.Load(DataPath("corrupt.png").c_str()));
        missing.Draw(0, 0, 100, 100);
        corrupt.Draw(0, 0, 100, 100);
        EXPECT_EQ(missing.Width(), 0);
    }
    EXPECT_TRUE(Ink(QuorelRect(0, 0, 100, 100)).Empty());
    EXPECT_EQ(LogLinesContaining("nowhere.png"), 1);
    EXPECT_EQ(LogLinesContaining("corrupt.png"), 1);
}

TEST_F(GlTest, ImagesDecodedOnAWorkerUploadWhenFirstDrawn) {
    CRenderTexture image;
    std::thread worker([&] { image.Load(DataPath("strip.png").c_str(), 2); });
    worker.join();
    image.Draw(0, 0, 20, 20);
    EXPECT_TRUE(Near(At(10, 10), 255, 0, 0));
}

TEST_F(GlTest, RenderTargetKeepsTopRowsAtTheTopWhenShown) {
    std::unique_ptr<CQuorelRenderTarget> target(m_device->CreateRenderTarget(64, 64));
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(m_device->BeginRenderTarget(target.get()));
    m_device->Clear(0x000000FF);
    FillRect2D(QuorelRect(0, 0, 64, 16), kColorRed);
    FillRect2D(QuorelRect(0, 48, 64, 64), kColorGreen);
    std::vector<uint8_t> rgba;
    ASSERT_TRUE(m_device->ReadPixels(0, 0, 1, 1, rgba));
    EXPECT_EQ(rgba[0], 255) << "reading a target gives its top row first";
    m_device->EndRenderTarget();

    CRenderTexture shown;
    shown.SetTexture(target->GetTexture());
    shown.Draw(200, 200);
    EXPECT_TRUE(Near(At(230, 205), 255, 0, 0)) << Describe(At(230, 205));
    EXPECT_TRUE(Near(At(230, 259), 0, 255, 0)) << Describe(At(230, 259));
    EXPECT_TRUE(Near(At(230, 232), 0, 0, 0));
}

TEST_F(GlTest, RenderTargetCapturesAScreenAreaScaledToFit) {
    std::unique_ptr<CQuorelRenderTarget> target(m_device->CreateRenderTarget(100, 50));
    ASSERT_NE(target, nullptr);
    QuorelRect window(300, 200, 500, 300); // a 200 x 100 window squeezed into 100 x 50
    ASSERT_TRUE(m_device->BeginRenderTarget(target.get(), &window));
    m_device->Clear(0x000000FF);
    FillRect2D(QuorelRect(400, 200, 500, 300), kColorWhite); // right half of the window
    InkBox ink = Ink(QuorelRect(0, 0, 100, 50));
    m_device->EndRenderTarget();
    EXPECT_EQ(ink.left, 50);
    EXPECT_EQ(ink.right, 99);
    EXPECT_EQ(ink.top, 0);
    EXPECT_EQ(ink.bottom, 49);
}

TEST_F(GlTest, QuadsOfManyTexturesAndFillsKeepTheirOwnColoursInDrawOrder) {
    // Four one-colour textures, interleaved with fills and revisited, all within one frame.
    const uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    CQuorelTexture textures[4];
    for (int i = 0; i < 4; ++i) {
        std::vector<uint8_t> rgba;
        for (int p = 0; p < 4; ++p)
            rgba.insert(rgba.end(), {colours[i][0], colours[i][1], colours[i][2], 255});
        textures[i].SetPixels(2, 2, std::move(rgba));
    }
    const int order[] = {0, 1, 0, 2, 3, 1, 3};
    int x = 0;
    for (int i : order) {
        m_device->DrawQuad2D(&textures[i], static_cast<float>(x), 0, 20, 20, 0, 0, 1, 1, kColorWhite);
        FillRect2D(QuorelRect(x, 20, x + 20, 40), kColorCyan);
        x += 20;
    }
    // A fill over a texture's quad, then that texture again over the fill: order holds.
    m_device->DrawQuad2D(&textures[2], 200, 0, 40, 40, 0, 0, 1, 1, kColorWhite);
    FillRect2D(QuorelRect(200, 0, 220, 40), kColorWhite);
    m_device->DrawQuad2D(&textures[2], 210, 0, 5, 40, 0, 0, 1, 1, 0xFFFFFF80); // half-transparent blue
    x = 0;
    for (int i : order) {
        EXPECT_TRUE(Near(At(x + 10, 10), colours[i][0], colours[i][1], colours[i][2]))
            << x << Describe(At(x + 10, 10));
        EXPECT_TRUE(Near(At(x + 10, 30), 0, 255, 255)) << x << Describe(At(x + 10, 30));
        x += 20;
    }
    EXPECT_TRUE(Near(At(205, 20), 255, 255, 255)) << Describe(At(205, 20));
    EXPECT_TRUE(Near(At(212, 20), 128, 128, 255, 12)) << Describe(At(212, 20));
    EXPECT_TRUE(Near(At(230, 20), 0, 0, 255)) << Describe(At(230, 20));
}

TEST_F(GlTest, LargeFillsBetweenTexturedQuadsKeepTheDrawingOrder) {
    CQuorelTexture red;
    red.SetPixels(1, 1, {255, 0, 0, 255});
    // Textured, a large fill across it, textured again over the fill, a large fill, a small one.
    m_device->DrawQuad2D(&red, 0, 0, 200, 100, 0, 0, 1, 1, kColorWhite);
    FillRect2D(QuorelRect(100, 0, 300, 100), 0xFF000080); // half-transparent blue
    m_device->DrawQuad2D(&red, 250, 0, 100, 100, 0, 0, 1, 1, kColorWhite);
    FillRect2D(QuorelRect(0, 100, 400, 200), kColorGreen);
    FillRect2D(QuorelRect(0, 150, 10, 160), kColorWhite);
    m_device->DrawQuad2D(&red, 390, 150, 10, 10, 0, 0, 1, 1, kColorWhite);
    EXPECT_TRUE(Near(At(50, 50), 255, 0, 0)) << Describe(At(50, 50));
    EXPECT_TRUE(Near(At(150, 50), 128, 0, 128, 12)) << Describe(At(150, 50));
    EXPECT_TRUE(Near(At(220, 50), 0, 0, 128, 12)) << Describe(At(220, 50));
    EXPECT_TRUE(Near(At(280, 50), 255, 0, 0)) << Describe(At(280, 50));
    EXPECT_TRUE(Near(At(200, 120), 0, 255, 0)) << Describe(At(200, 120));
    EXPECT_TRUE(Near(At(5, 155), 255, 255, 255)) << Describe(At(5, 155));
    EXPECT_TRUE(Near(At(395, 155), 255, 0, 0)) << Describe(At(395, 155));
}

TEST_F(GlTest, ImagesRepaintedMidFrameKeepTheirEarlierQuadsAndSpansStayInOrder) {
    // A picture repainted between two of its quads (a font page gaining glyphs, a changed image):
    // the earlier quad keeps the pixels it was drawn with.
    CQuorelTexture picture;
    picture.SetPixels(1, 1, {255, 0, 0, 255});
    m_device->DrawQuad2D(&picture, 0, 0, 20, 20, 0, 0, 1, 1, kColorWhite);
    picture.SetPixels(1, 1, {0, 255, 0, 255});
    m_device->DrawQuad2D(&picture, 20, 0, 20, 20, 0, 0, 1, 1, kColorWhite);
    // Many textures taking turns with translucent fills in one frame, each over the last.
    CQuorelTexture shades[3];
    for (int i = 0; i < 3; ++i)
        shades[i].SetPixels(1, 1, {static_cast<uint8_t>(80 * (i + 1)), 0, 0, 255});
    for (int i = 0; i < 30; ++i) {
        float x = static_cast<float>(i * 10);
        m_device->DrawQuad2D(&shades[i % 3], x, 40, 20, 20, 0, 0, 1, 1, kColorWhite);
        // Half-transparent green across this quad's right half and the next one's left half.
        FillRect2D(QuorelRect(i * 10 + 5, 40, i * 10 + 15, 60), 0x00FF0080);
    }
    EXPECT_TRUE(Near(At(10, 10), 255, 0, 0)) << Describe(At(10, 10));
    EXPECT_TRUE(Near(At(30, 10), 0, 255, 0)) << Describe(At(30, 10));
    for (int i = 0; i < 29; ++i) {
        // Each quad covers the fill before it; the fill shows only where no later quad lies.
        int own = 80 * (i % 3 + 1), next = 80 * ((i + 1) % 3 + 1);
        EXPECT_TRUE(Near(At(i * 10 + 2, 50), own, 0, 0)) << i << Describe(At(i * 10 + 2, 50));
        EXPECT_TRUE(Near(At(i * 10 + 12, 50), next, 0, 0)) << i << Describe(At(i * 10 + 12, 50));
    }
}

// A texture shown texel for pixel reads back exactly; shown off the pixel grid or stretched, it is
// still filtered: between a black and a white texel the pixels are grey.
TEST_F(GlTest, TexelsForPixelsStayExactAndEverythingElseIsFiltered) {
    CQuorelTexture stripes;
    std::vector<uint8_t> rgba;
    for (int x = 0; x < 8; ++x) {
        const uint8_t v = x % 2 ? 255 : 0;
        rgba.insert(rgba.end(), {v, v, v, 255});
    }
    stripes.SetPixels(8, 1, std::move(rgba));
    // One to one, also clipped on whole pixels.
    m_device->DrawQuad2D(&stripes, 10, 10, 8, 1, 0, 0, 1, 1, kColorWhite);
    PushClipRect2D(QuorelRect(13, 0, 100, 100));
    m_device->DrawQuad2D(&stripes, 10, 20, 8, 1, 0, 0, 1, 1, kColorWhite);
    PopClipRect2D();
    for (int x = 0; x < 8; ++x) {
        const int v = x % 2 ? 255 : 0;
        EXPECT_TRUE(Near(At(10 + x, 10), v, v, v, 0)) << x << Describe(At(10 + x, 10));
        if (x >= 3) {
            EXPECT_TRUE(Near(At(10 + x, 20), v, v, v, 0)) << x << Describe(At(10 + x, 20));
        }
    }
    // Half a pixel off, and two pixels a texel: the sampler blends neighbours.
    m_device->DrawQuad2D(&stripes, 10.5f, 30, 8, 1, 0, 0, 1, 1, kColorWhite);
    m_device->DrawQuad2D(&stripes, 10, 40, 16, 1, 0, 0, 1, 1, kColorWhite);
    int greyOff = 0, greyStretched = 0;
    for (int x = 0; x < 16; ++x) {
        const Pixel off = At(11 + x % 7, 30), stretched = At(10 + x, 40);
        greyOff += off.r > 40 && off.r < 215 ? 1 : 0;
        greyStretched += stretched.r > 40 && stretched.r < 215 ? 1 : 0;
    }
    EXPECT_GT(greyOff, 8);
    EXPECT_GT(greyStretched, 8);
}

namespace {

// One quad of a made-up screen: a texture (or none), where, which texels, which colour.
struct TestQuad {
    int texture = -1;
    float x = 0, y = 0, w = 0, h = 0, u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    uint32_t colour = kColorWhite;
};

// A busy screen: cells with a translucent fill and a scaled image in a corner, text-like strips of
// small one-to-one quads that run across the cells, off-grid and overlapping quads, and large fills
// over everything.
std::vector<TestQuad> BusyScreen() {
    std::vector<TestQuad> quads;
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<uint32_t>(range));
    };
    quads.push_back({-1, 10, 10, 300, 200, 0, 0, 1, 1, ColorWord(30, 40, 70)});
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 4; ++col) {
            const float x = 12.0f + col * 70.0f, y = 12.0f + row * 30.0f;
            quads.push_back({-1, x, y, 66, 26, 0, 0, 1, 1, ColorWord(255, 255, 255, row % 2 ? 20 : 60)});
            quads.push_back({(row + col) % 3, x, y, 20, 20, 0, 0, 0.5f, 1, kColorWhite});
        }
    }
    for (int line = 0; line < 12; ++line) {
        const int texture = 3 + line % 2;
        float x = 20.0f + static_cast<float>(next(200));
        const float y = 14.0f + static_cast<float>(next(180));
        for (int glyph = 0; glyph < 10; ++glyph) {
            const float u = static_cast<float>(next(12)) / 16.0f;
            quads.push_back({texture, x, y, 4, 8, u, 0, u + 0.25f, 1, line % 3 ? kColorWhite : kColorYellow});
            x += 5.0f;
        }
    }
    quads.push_back({-1, 100.5f, 40.25f, 80.5f, 60.75f, 0, 0, 1, 1, ColorWord(0, 255, 0, 90)});
    quads.push_back({1, 150.25f, 70.5f, 33.3f, 21.7f, 0.1f, 0.2f, 0.9f, 0.7f, ColorWord(255, 255, 255, 200)});
    quads.push_back({3, 40, 60, 8, 8, 0, 0, 0.5f, 1, kColorWhite});
    quads.push_back({-1, 0, 150, 330, 40, 0, 0, 1, 1, ColorWord(200, 0, 0, 128)});
    quads.push_back({-1, 200, 100, 50, 50, 0, 0, 1, 1, ColorWord(90, 20, 20)});
    quads.push_back({4, 210, 110, 8, 8, 0, 0, 0.5f, 1, kColorWhite});
    quads.push_back({0, 60, 140, 20, 20, 0, 0, 0.5f, 1, kColorWhite});
    return quads;
}

} // namespace

// The device gathers the quads of a texture into one draw where nothing drawn in between covers
// them; every pixel must still come out as if each quad had been drawn on its own, in order.
TEST_F(GlTest, QuadsBatchedTogetherLookLikeQuadsDrawnOneByOne) {
    CQuorelTexture textures[5];
    for (int t = 0; t < 5; ++t) {
        // 16 x 8 texels with a pattern of colour and alpha, so filtering and blending both show.
        std::vector<uint8_t> rgba;
        for (int p = 0; p < 16 * 8; ++p)
            rgba.insert(rgba.end(),
                        {static_cast<uint8_t>(50 * t + p), static_cast<uint8_t>(p * 7),
                         static_cast<uint8_t>(255 - 40 * t), static_cast<uint8_t>(t >= 3 ? p * 2 : 255)});
        textures[t].SetPixels(16, 8, std::move(rgba));
    }
    const std::vector<TestQuad> quads = BusyScreen();
    auto draw = [&](bool oneByOne) {
        m_device->Clear(0x000000FF);
        PushClipRect2D(QuorelRect(5, 5, 320, 205));
        for (const TestQuad& q : quads) {
            m_device->DrawQuad2D(q.texture >= 0 ? &textures[q.texture] : nullptr, q.x, q.y, q.w, q.h, q.u0,
                                 q.v0, q.u1, q.v1, q.colour);
            if (oneByOne)
                m_device->Flush2D();
        }
        PopClipRect2D();
        std::vector<uint8_t> rgba;
        EXPECT_TRUE(m_device->ReadPixels(0, 0, 330, 210, rgba));
        m_device->Present();
        return std::make_pair(rgba, m_device->DrawCallsLastFrame());
    };
    const auto [separate, separateDraws] = draw(true);
    const auto [batched, batchedDraws] = draw(false);
    ASSERT_EQ(separate.size(), batched.size());
    size_t differing = 0, first = separate.size();
    for (size_t i = 0; i < separate.size(); ++i) {
        if (separate[i] != batched[i]) {
            ++differing;
            first = std::min(first, i);
        }
    }
    EXPECT_EQ(differing, 0u) << "first at pixel " << first / 4 % 330 << "," << first / 4 / 330;
    EXPECT_EQ(separateDraws, static_cast<int>(quads.size()));
    EXPECT_LT(batchedDraws, separateDraws / 4);
}

TEST_F(GlTest, FillsAndImagesSideBySideShareADrawPerTexture) {
    CQuorelTexture red, blue;
    red.SetPixels(1, 1, {255, 0, 0, 255});
    blue.SetPixels(1, 1, {0, 0, 255, 255});
    // A table: each cell a fill and an icon over it, the icons taking turns with two textures.
    for (int row = 0; row < 10; ++row) {
        for (int col = 0; col < 8; ++col) {
            const int x = col * 40, y = row * 20;
            FillRect2D(QuorelRect(x, y, x + 38, y + 18), kColorGreen);
            m_device->DrawQuad2D((row + col) % 2 ? &red : &blue, static_cast<float>(x), static_cast<float>(y),
                                 10, 10, 0, 0, 1, 1, kColorWhite);
        }
    }
    // An icon under a fill, then a fill of the icon's texture over that: the order must stay.
    m_device->DrawQuad2D(&red, 400, 0, 20, 20, 0, 0, 1, 1, kColorWhite);
    FillRect2D(QuorelRect(400, 0, 420, 20), kColorGreen);
    m_device->DrawQuad2D(&red, 405, 5, 10, 10, 0, 0, 1, 1, kColorWhite);
    EXPECT_TRUE(Near(At(5, 5), 0, 0, 255)) << Describe(At(5, 5));
    EXPECT_TRUE(Near(At(45, 5), 255, 0, 0)) << Describe(At(45, 5));
    EXPECT_TRUE(Near(At(20, 15), 0, 255, 0)) << Describe(At(20, 15));
    EXPECT_TRUE(Near(At(402, 2), 0, 255, 0)) << Describe(At(402, 2));
    EXPECT_TRUE(Near(At(410, 10), 255, 0, 0)) << Describe(At(410, 10));
    m_device->Present();
    // The table in three draws (fills, blue, red); the corner's first icon joins the red one, and
    // the fill over it and the icon over that take one each.
    EXPECT_EQ(m_device->DrawCallsLastFrame(), 5);
}

// Fills of full alpha are drawn without blending; translucent ones batched with them still blend.
TEST_F(GlTest, OpaqueAndTranslucentFillsInOneBatchKeepTheirOrder) {
    FillRect2D(QuorelRect(0, 0, 100, 20), kColorRed);
    FillRect2D(QuorelRect(50, 0, 150, 20), 0xFFFFFF80); // half-transparent white over red and black
    FillRect2D(QuorelRect(120, 0, 200, 20), ColorWord(0, 0, 255));
    FillRect2D(QuorelRect(0, 30, 40, 50), ColorWord(0, 0, 255)); // beside the others
    FillRect2D(QuorelRect(180, 0, 220, 20), 0x00FF0080);         // half-transparent green over blue
    EXPECT_TRUE(Near(At(25, 10), 255, 0, 0)) << Describe(At(25, 10));
    EXPECT_TRUE(Near(At(75, 10), 255, 128, 128, 10)) << Describe(At(75, 10));
    EXPECT_TRUE(Near(At(110, 10), 128, 128, 128, 10)) << Describe(At(110, 10));
    EXPECT_TRUE(Near(At(140, 10), 0, 0, 255)) << "the later opaque fill covers the translucent one";
    EXPECT_TRUE(Near(At(190, 10), 0, 128, 128, 10)) << Describe(At(190, 10));
    EXPECT_TRUE(Near(At(210, 10), 0, 128, 0, 10)) << Describe(At(210, 10));
    EXPECT_TRUE(Near(At(20, 40), 0, 0, 255)) << Describe(At(20, 40));
}

// A texture whose texels all have full alpha covers what lies under it; one with a see-through texel,
// or drawn in a translucent colour, still blends, also after its pixels change.
TEST_F(GlTest, OnlyTexturesWithoutSeeThroughTexelsCoverWhatIsUnder) {
    FillRect2D(QuorelRect(0, 0, 300, 20), kColorGreen);
    CQuorelTexture solid, holed;
    solid.SetPixels(2, 1, {255, 0, 0, 255, 0, 0, 255, 255});
    holed.SetPixels(2, 1, {255, 0, 0, 255, 0, 0, 255, 0});
    // Texel for pixel, so each pixel shows one texel.
    m_device->DrawQuad2D(&solid, 0, 5, 2, 1, 0, 0, 1, 1, kColorWhite);
    m_device->DrawQuad2D(&holed, 10, 5, 2, 1, 0, 0, 1, 1, kColorWhite);
    m_device->DrawQuad2D(&solid, 20, 5, 2, 1, 0, 0, 1, 1, 0xFFFFFF80); // half-transparent
    EXPECT_TRUE(Near(At(0, 5), 255, 0, 0, 0)) << Describe(At(0, 5));
    EXPECT_TRUE(Near(At(1, 5), 0, 0, 255, 0)) << Describe(At(1, 5));
    EXPECT_TRUE(Near(At(10, 5), 255, 0, 0, 0)) << Describe(At(10, 5));
    EXPECT_TRUE(Near(At(11, 5), 0, 255, 0, 0)) << "the see-through texel shows the fill";
    EXPECT_TRUE(Near(At(20, 5), 128, 128, 0, 12)) << Describe(At(20, 5));
    solid.SetPixels(2, 1, {255, 0, 0, 0, 0, 0, 255, 255}); // now with a hole on the left
    m_device->DrawQuad2D(&solid, 30, 5, 2, 1, 0, 0, 1, 1, kColorWhite);
    EXPECT_TRUE(Near(At(30, 5), 0, 255, 0, 0)) << Describe(At(30, 5));
    EXPECT_TRUE(Near(At(31, 5), 0, 0, 255, 0)) << Describe(At(31, 5));
    EXPECT_TRUE(Near(At(0, 5), 255, 0, 0, 0)) << "quads drawn before the change keep their pixels";
}
