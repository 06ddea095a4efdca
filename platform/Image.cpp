// The stb implementations live here, file-local, so no other library's copy can clash with them.
#include "platform/Image.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
// No picture of the game is larger; a corrupt header must not make us allocate gigabytes.
#define STBI_MAX_DIMENSIONS 8192
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include <climits>
#include <cstring>

bool PlatformDecodeImage(const void* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba) {
    rgba.clear();
    width = height = 0;
    if (!data || size == 0 || size > static_cast<size_t>(INT_MAX))
        return false;
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(static_cast<const stbi_uc*>(data), static_cast<int>(size), &w, &h,
                                            &channels, 4);
    if (!pixels)
        return false;
    rgba.assign(pixels, pixels + static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
    stbi_image_free(pixels);
    width = w;
    height = h;
    return true;
}

bool PlatformWritePng(const char* path, int width, int height, const uint8_t* rgba) {
    if (!path || !rgba || width <= 0 || height <= 0)
        return false;
    return stbi_write_png(path, width, height, 4, rgba, width * 4) != 0;
}
