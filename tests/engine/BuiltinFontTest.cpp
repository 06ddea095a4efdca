// The built-in letters that say a start-up error when no font file can draw: every character of
// such a sentence has a glyph, and the sentence breaks into lines that fit.
#include "engine/BuiltinFont.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(BuiltinFont, EveryCharacterOfAnErrorSentenceDrawsAndUnknownOnesShowAQuestionMark) {
    const std::string sentence =
        "The file guifiles\\lang_en.txt is damaged: it lacks the text 61000 and 3 more "
        "(it may be cut short). It is at /home/x_y/Fastbreak-1.0/guifiles. 100%!?'\"";
    for (char c : sentence) {
        const uint8_t* rows = BuiltinGlyph(c);
        bool ink = false;
        for (int row = 0; row < 7; ++row)
            ink = ink || rows[row] != 0;
        EXPECT_EQ(ink, c != ' ') << "'" << c << "'";
        if (c != '?' && c != ' ') {
            EXPECT_NE(std::memcmp(rows, BuiltinGlyph('?'), 7), 0) << "'" << c << "' has no glyph of its own";
        }
    }
    EXPECT_EQ(std::memcmp(BuiltinGlyph('a'), BuiltinGlyph('A'), 7), 0);
    EXPECT_EQ(std::memcmp(BuiltinGlyph('\x01'), BuiltinGlyph('?'), 7), 0);
    EXPECT_EQ(std::memcmp(BuiltinGlyph('\xc3'), BuiltinGlyph('?'), 7), 0);
}

TEST(BuiltinFont, TextBreaksAtBlanksIntoLinesThatFitAndLongWordsAreSplit) {
    EXPECT_EQ(BuiltinTextLines("one two three", 7), (std::vector<std::string>{"one two", "three"}));
    EXPECT_EQ(BuiltinTextLines("a\n\nb", 10), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(BuiltinTextLines("/a/very/long/path", 6),
              (std::vector<std::string>{"/a/ver", "y/long", "/path"}));
    for (const std::string& line : BuiltinTextLines(std::string(500, 'x') + " " + std::string(30, 'y'), 142))
        EXPECT_LE(line.size(), 142u);
    EXPECT_EQ(BuiltinTextLines("", 5), (std::vector<std::string>{""}));
    EXPECT_FALSE(BuiltinTextLines("abc", 0).empty()); // never stuck on a zero width
}
