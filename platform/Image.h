// Image files through stb: decoding PNG, JPG, BMP and TGA, and writing PNG screenshots.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// RGBA rows from the top; false when the data is not an image stb can read.
bool PlatformDecodeImage(const void* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba);
bool PlatformWritePng(const char* path, int width, int height, const uint8_t* rgba);
