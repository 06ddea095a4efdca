// Letters built into the game: a 5x7 capital face drawn as filled squares, for the one sentence
// that must be readable when no font file can be used (a start-up error about the font itself).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The seven rows of a character's glyph, bit 4 the leftmost column. Small letters draw as capitals;
// a character the face lacks draws as '?'.
const uint8_t* BuiltinGlyph(char c);
// The text broken into lines of at most columns characters, at blanks where it can ('\n' starts a
// line; a word longer than a line is split).
std::vector<std::string> BuiltinTextLines(const std::string& text, int columns);
// Draws the text from (x, y) within width pixels, each glyph pixel a scale x scale square. The
// height drawn.
int DrawBuiltinText(const std::string& text, int x, int y, int width, int scale, uint32_t colorWord);
