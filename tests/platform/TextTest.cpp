// Text on screen: every draw format the GUI uses, colours, clipping, measuring and wrapping.
#include "GlFixture.h"

#include "engine/Color.h"
#include "engine/Font.h"
#include "platform/FontRaster.h"

#include <cstring>
#include <string>

namespace {
const QuorelRect kBox(100, 100, 500, 200);
}

class TextTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        m_font = m_device->GetFont("Arial", 20, kFontWeightNormal);
        ASSERT_TRUE(m_font && m_font->IsValid());
    }
    InkBox DrawAndMeasure(uint32_t format, const char* text = "Fastbreak") {
        m_device->Clear(0x000000FF);
        m_font->DrawText(text, kBox, format, kColorWhite);
        return Ink(QuorelRect(0, 0, 640, 320));
    }
    CQuorelFont* m_font = nullptr;
};

TEST_F(TextTest, ArialResolvesToAMetricCompatibleFaceAndIsCached) {
    EXPECT_NE(m_font->FilePath().Find("Liberation"), -1) << m_font->FilePath().GetText();
    EXPECT_EQ(m_device->GetFont("arial", 20, 400), m_font);
    CQuorelFont* bold = m_device->GetFont("Arial", 20, kFontWeightBold);
    EXPECT_NE(bold, m_font);
    EXPECT_GT(bold->TextWidth("Fastbreak"), m_font->TextWidth("Fastbreak"));
    EXPECT_NE(m_device->GetFont("Arial", 28, 400), m_font);
}

TEST_F(TextTest, DrawFormatsPlaceTextInTheRectangle) {
    int width = m_font->TextWidth("Fastbreak");
    const int tolerance = 4;

    InkBox topLeft = DrawAndMeasure(0);
    ASSERT_FALSE(topLeft.Empty());
    EXPECT_NEAR(topLeft.left, kBox.left, tolerance);
    EXPECT_LT(topLeft.top, kBox.top + m_font->LineHeight() / 2);

    InkBox centred = DrawAndMeasure(1);
    EXPECT_NEAR(centred.CentreX(), (kBox.left + kBox.right) / 2, tolerance);
    EXPECT_NEAR(centred.top, topLeft.top, 1) << "format 1 stays at the top";

    InkBox middleLeft = DrawAndMeasure(4);
    EXPECT_NEAR(middleLeft.left, kBox.left, tolerance);
    EXPECT_NEAR(middleLeft.CentreY(), (kBox.top + kBox.bottom) / 2, 6);

    InkBox middle = DrawAndMeasure(5);
    EXPECT_NEAR(middle.CentreX(), (kBox.left + kBox.right) / 2, tolerance);
    EXPECT_NEAR(middle.CentreY(), (kBox.top + kBox.bottom) / 2, 6);

    InkBox middleRight = DrawAndMeasure(6);
    EXPECT_NEAR(middleRight.right, kBox.right - 1, tolerance);
    EXPECT_NEAR(middleRight.CentreY(), (kBox.top + kBox.bottom) / 2, 6);

    EXPECT_NEAR(topLeft.right - topLeft.left + 1, width, tolerance) << "ink matches the measured width";
}

TEST_F(TextTest, ColourWordsColourTheGlyphs) {
    struct Case {
        uint32_t word;
        int r, g, b;
    } cases[] = {{kColorRed, 255, 0, 0},
                 {kColorGreen, 0, 255, 0},
                 {kColorYellow, 255, 255, 0},
                 {kColorOrange, 255, 128, 0},
                 {PackColor(255, 0, 0, 255), 0, 0, 255}};
    for (const Case& c : cases) {
        m_device->Clear(0x000000FF);
        // A block of solid glyphs so the middle of a stroke is fully covered.
        m_device->GetFont("Arial", 60, kFontWeightBold)->DrawText("||||", kBox, 0, c.word);
        InkBox ink = Ink(kBox);
        ASSERT_FALSE(ink.Empty());
        // The brightest pixel of the ink carries the colour.
        std::vector<uint8_t> rgba;
        ASSERT_TRUE(m_device->ReadPixels(kBox.left, kBox.top, kBox.Width(), kBox.Height(), rgba));
        Pixel best;
        for (size_t i = 0; i < rgba.size(); i += 4)
            if (rgba[i] + rgba[i + 1] + rgba[i + 2] > best.r + best.g + best.b)
                best = {rgba[i], rgba[i + 1], rgba[i + 2], 255};
        EXPECT_TRUE(Near(best, c.r, c.g, c.b, 12)) << std::hex << c.word << " gave " << Describe(best);
    }
}

TEST_F(TextTest, TranslucentTextIsDimmerAndInvisibleTextLeavesNoInk) {
    CQuorelFont* big = m_device->GetFont("Arial", 60, kFontWeightBold);
    big->DrawText("||||", kBox, 0, 0xFFFFFF80);
    Pixel half;
    std::vector<uint8_t> rgba;
    ASSERT_TRUE(m_device->ReadPixels(kBox.left, kBox.top, kBox.Width(), kBox.Height(), rgba));
    for (size_t i = 0; i < rgba.size(); i += 4)
        half.r = std::max<int>(half.r, rgba[i]);
    EXPECT_NEAR(half.r, 128, 12);
    m_device->Clear(0x000000FF);
    big->DrawText("||||", kBox, 0, 0xFFFFFF00);
    EXPECT_TRUE(Ink(kBox).Empty());
}

TEST_F(TextTest, TextIsClippedToItsRectangleUnlessAskedNotTo) {
    QuorelRect narrow(100, 100, 140, 200);
    m_font->DrawText("A long caption that does not fit", narrow, 0, kColorWhite);
    InkBox clipped = Ink(QuorelRect(0, 0, 640, 320));
    EXPECT_GE(clipped.left, narrow.left);
    EXPECT_LT(clipped.right, narrow.right);
    m_device->Clear(0x000000FF);
    m_font->DrawText("A long caption that does not fit", narrow, kDtNoClip, kColorWhite);
    EXPECT_GT(Ink(QuorelRect(0, 0, 640, 320)).right, narrow.right + 50);
}

TEST_F(TextTest, LinesBreakAtNewlinesAndWrapWithWordBreak) {
    int lineHeight = m_font->LineHeight();
    m_font->DrawText("one\ntwo\r\nthree", kBox, 0, kColorWhite);
    InkBox three = Ink(QuorelRect(0, 0, 640, 320));
    EXPECT_GT(three.bottom - three.top, 2 * lineHeight - 4);
    m_device->Clear(0x000000FF);
    m_font->DrawText("one two three four five six seven", QuorelRect(100, 100, 180, 300), kDtWordBreak,
                     kColorWhite);
    InkBox wrapped = Ink(QuorelRect(0, 0, 640, 320));
    EXPECT_LT(wrapped.right, 180);
    EXPECT_GT(wrapped.bottom - wrapped.top, 2 * lineHeight);
}

TEST_F(TextTest, WrapLinesFitTheWidthAndKeepEveryWord) {
    const char* text = "The quick brown fox jumps over the lazy dog\nSecond paragraph";
    std::vector<CStr> lines = m_font->WrapLines(text, 120);
    ASSERT_GE(lines.size(), 4u);
    std::string joined;
    for (const CStr& line : lines) {
        EXPECT_LE(m_font->TextWidth(line.GetText()), 120) << line.GetText();
        joined += line.Std() + " ";
    }
    for (const char* word : {"quick", "lazy", "dog", "Second", "paragraph"})
        EXPECT_NE(joined.find(word), std::string::npos) << word;
    EXPECT_EQ(lines[lines.size() - 1].Std(), "paragraph");

    std::vector<CStr> split = m_font->WrapLines("Supercalifragilisticexpialidocious", 40);
    EXPECT_GT(split.size(), 2u) << "a word wider than the box is cut";
    std::string rebuilt;
    for (const CStr& piece : split) {
        EXPECT_LE(m_font->TextWidth(piece.GetText()), 40);
        rebuilt += piece.Std();
    }
    EXPECT_EQ(rebuilt, "Supercalifragilisticexpialidocious");
    EXPECT_EQ(m_font->WrapLines("", 100).size(), 1u);
}

// A currency sign keeps to its figure: at every width the amount lands whole on one line.
TEST_F(TextTest, WrapLinesKeepAnAmountWithItsSign) {
    const char* text = "Cash now after the summer: $ 149,700 and \xE2\x82\xAC 2,000.";
    ASSERT_LT(m_font->TextWidth("$ 149,700"), 100);
    for (int width = 100; width <= 400; width += 2) {
        for (const CStr& line : m_font->WrapLines(text, width)) {
            const std::string l = line.Std();
            ASSERT_FALSE(l.empty()) << width;
            EXPECT_NE(l.back(), '$') << width << ": " << l;
            EXPECT_NE(l.rfind("\xE2\x82\xAC"), l.size() - 3) << width << ": " << l;
            EXPECT_NE(l.rfind("149,700", 0), 0u) << width << ": " << l;
        }
    }
}

TEST_F(TextTest, Utf8TextMeasuresAndDrawsAsCharactersNotBytes) {
    // "ő" is two bytes but one glyph about as wide as "o".
    EXPECT_NEAR(m_font->TextWidth("\xC5\x91"), m_font->TextWidth("o"), 2);
    EXPECT_GT(m_font->TextWidth("Gy\xC5\x91r"), 0);
    m_font->DrawText("Gy\xC5\x91r", kBox, 0, kColorWhite);
    EXPECT_FALSE(Ink(kBox).Empty());
    int width = 0, height = 0;
    m_font->Measure("a\nbb\nccc", width, height);
    EXPECT_EQ(height, 3 * m_font->LineHeight());
    EXPECT_EQ(width, m_font->TextWidth("ccc"));
}

TEST(Utf8Decode, MalformedBytesBecomeReplacementCharactersAndAdvance) {
    struct Case {
        const char* bytes;
        std::vector<uint32_t> codePoints;
    } cases[] = {
        {"A\xC3\xA9", {'A', 0xE9}},
        {"\xE2\x82\xAC", {0x20AC}},
        {"\xF0\x9F\x8F\x80", {0x1F3C0}},
        {"\xC3", {0xFFFD}},         // cut short at the end
        {"\xC3(", {0xFFFD, '('}},   // continuation missing
        {"\xC0\xAF", {0xFFFD}},     // overlong form
        {"\xED\xA0\x80", {0xFFFD}}, // surrogate
        {"\xFF"
         "a",
         {0xFFFD, 'a'}}, // never valid
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> got;
        size_t length = std::strlen(c.bytes), i = 0;
        while (i < length)
            got.push_back(DecodeUtf8(c.bytes, length, i));
        EXPECT_EQ(got, c.codePoints) << c.bytes;
    }
}

TEST(FontWithoutDevice, MeasuresOnAnyThreadButDrawsNothing) {
    CQuorelFont font("Arial", 16, 400);
    ASSERT_TRUE(font.IsValid());
    int fromWorker = 0;
    std::thread worker([&] { fromWorker = font.TextWidth("Measured on a worker"); });
    worker.join();
    EXPECT_EQ(fromWorker, font.TextWidth("Measured on a worker"));
    EXPECT_EQ(font.DrawText("no device", QuorelRect(0, 0, 100, 100), 0, kColorWhite), 0);
}

// Pairs are kerned as the face says, whichever way round and however often they are measured, and
// a character outside ASCII next to one inside is kerned too.
TEST_F(TextTest, PairsAreKernedAsTheFaceSaysEveryTime) {
    PlatformFontFace face;
    ASSERT_TRUE(face.Open(m_font->FilePath().Std(), m_font->Size()));
    const char* const pairs[][2] = {{"A", "V"}, {"V", "A"}, {"T", "o"},        {"o", "T"},
                                    {"L", "T"}, {"Y", "a"}, {"A", "\xc3\xa9"}, {"\xc3\xa9", "T"}};
    auto codePoint = [](const char* text) {
        size_t i = 0;
        return DecodeUtf8(text, std::strlen(text), i);
    };
    int kerned = 0;
    for (const auto& pair : pairs)
        kerned += face.Kerning(codePoint(pair[0]), codePoint(pair[1])) != 0 ? 1 : 0;
    EXPECT_GT(kerned, 2) << "the face kerns some of these pairs";
    for (int round = 0; round < 2; ++round) {
        for (const auto& pair : pairs) {
            const std::string both = std::string(pair[0]) + pair[1];
            const int expected = m_font->TextWidth(pair[0]) + m_font->TextWidth(pair[1]) +
                                 face.Kerning(codePoint(pair[0]), codePoint(pair[1]));
            EXPECT_EQ(m_font->TextWidth(both.c_str()), expected) << both << " round " << round;
        }
    }
}
