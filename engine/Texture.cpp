// CQuorelTexture: decoding on any thread, upload on the main thread at first use; our DDS reader.
#include "engine/Texture.h"

#include "engine/Device.h"
#include "engine/Log.h"
#include "engine/Paths.h"
#include "engine/TextureManager.h"
#include "platform/Gfx.h"
#include "platform/Image.h"

#include <cstring>
#include <string>

namespace {

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ReadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void Expand565(uint16_t c, uint8_t out[4]) {
    uint8_t r = static_cast<uint8_t>((c >> 11) & 31), g = static_cast<uint8_t>((c >> 5) & 63),
            b = static_cast<uint8_t>(c & 31);
    out[0] = static_cast<uint8_t>(r << 3 | r >> 2);
    out[1] = static_cast<uint8_t>(g << 2 | g >> 4);
    out[2] = static_cast<uint8_t>(b << 3 | b >> 2);
    out[3] = 255;
}

// One 4x4 colour block; fourColour forces the opaque four-colour mode (DXT3/5 colour blocks).
void DecodeColourBlock(const uint8_t* block, bool fourColour, uint8_t pixels[16][4]) {
    uint16_t c0 = ReadU16(block), c1 = ReadU16(block + 2);
    uint8_t palette[4][4];
    Expand565(c0, palette[0]);
    Expand565(c1, palette[1]);
    if (fourColour || c0 > c1) {
        for (int k = 0; k < 3; ++k) {
            palette[2][k] = static_cast<uint8_t>((2 * palette[0][k] + palette[1][k]) / 3);
            palette[3][k] = static_cast<uint8_t>((palette[0][k] + 2 * palette[1][k]) / 3);
        }
        palette[2][3] = palette[3][3] = 255;
    } else {
        for (int k = 0; k < 3; ++k)
            palette[2][k] = static_cast<uint8_t>((palette[0][k] + palette[1][k]) / 2);
        palette[2][3] = 255;
        palette[3][0] = palette[3][1] = palette[3][2] = palette[3][3] = 0;
    }
    uint32_t bits = ReadU32(block + 4);
    for (int i = 0; i < 16; ++i)
        std::memcpy(pixels[i], palette[(bits >> (2 * i)) & 3], 4);
}

void DecodeDxt5Alpha(const uint8_t* block, uint8_t pixels[16][4]) {
    uint8_t a[8];
    a[0] = block[0];
    a[1] = block[1];
    if (a[0] > a[1]) {
        for (int i = 1; i < 7; ++i)
            a[i + 1] = static_cast<uint8_t>(((7 - i) * a[0] + i * a[1]) / 7);
    } else {
        for (int i = 1; i < 5; ++i)
            a[i + 1] = static_cast<uint8_t>(((5 - i) * a[0] + i * a[1]) / 5);
        a[6] = 0;
        a[7] = 255;
    }
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i)
        bits |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
    for (int i = 0; i < 16; ++i)
        pixels[i][3] = a[(bits >> (3 * i)) & 7];
}

int MaskShift(uint32_t mask) {
    if (!mask)
        return 0;
    int shift = 0;
    while (!(mask & 1u)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

uint8_t MaskChannel(uint32_t pixel, uint32_t mask, uint8_t absent) {
    if (!mask)
        return absent;
    uint32_t value = (pixel & mask) >> MaskShift(mask);
    uint32_t max = mask >> MaskShift(mask);
    return static_cast<uint8_t>(max ? (value * 255 + max / 2) / max : 0);
}

bool HasExtension(const char* path, const char* ext) {
    size_t n = std::strlen(path), e = std::strlen(ext);
    return n >= e && EqualsNoCase(path + n - e, ext);
}

} // namespace

bool DecodeDds(const void* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba) {
    rgba.clear();
    width = height = 0;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    if (!p || size < 128 || std::memcmp(p, "DDS ", 4) != 0 || ReadU32(p + 4) != 124)
        return false;
    uint32_t h = ReadU32(p + 12), w = ReadU32(p + 16);
    const uint8_t* pf = p + 76; // pixel format
    uint32_t pfFlags = ReadU32(pf + 4), fourCC = ReadU32(pf + 8), bitCount = ReadU32(pf + 12);
    uint32_t masks[4] = {ReadU32(pf + 16), ReadU32(pf + 20), ReadU32(pf + 24), ReadU32(pf + 28)};
    // Larger than any texture the game draws: a corrupt header must not ask for gigabytes.
    if (w == 0 || h == 0 || w > 8192 || h > 8192)
        return false;
    const uint8_t* body = p + 128;
    size_t available = size - 128;
    std::vector<uint8_t> out(static_cast<size_t>(w) * h * 4);
    if (pfFlags & 0x4) { // compressed
        int kind = 0;
        if (fourCC == ReadU32(reinterpret_cast<const uint8_t*>("DXT1")))
            kind = 1;
        else if (fourCC == ReadU32(reinterpret_cast<const uint8_t*>("DXT3")))
            kind = 3;
        else if (fourCC == ReadU32(reinterpret_cast<const uint8_t*>("DXT5")))
            kind = 5;
        else
            return false;
        size_t blockBytes = kind == 1 ? 8 : 16;
        size_t bw = (w + 3) / 4, bh = (h + 3) / 4;
        if (available < bw * bh * blockBytes)
            return false;
        for (size_t by = 0; by < bh; ++by) {
            for (size_t bx = 0; bx < bw; ++bx) {
                const uint8_t* block = body + (by * bw + bx) * blockBytes;
                uint8_t pixels[16][4];
                if (kind == 1) {
                    DecodeColourBlock(block, false, pixels);
                } else {
                    DecodeColourBlock(block + 8, true, pixels);
                    if (kind == 3) {
                        for (int i = 0; i < 16; ++i) {
                            uint8_t nibble = static_cast<uint8_t>((block[i / 2] >> (4 * (i % 2))) & 15);
                            pixels[i][3] = static_cast<uint8_t>(nibble * 17);
                        }
                    } else {
                        DecodeDxt5Alpha(block, pixels);
                    }
                }
                for (int i = 0; i < 16; ++i) {
                    size_t x = bx * 4 + static_cast<size_t>(i % 4), y = by * 4 + static_cast<size_t>(i / 4);
                    if (x < w && y < h)
                        std::memcpy(&out[(y * w + x) * 4], pixels[i], 4);
                }
            }
        }
    } else if (pfFlags & (0x40 | 0x20000 | 0x2)) { // RGB, luminance or alpha only
        if (bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
            return false;
        size_t bytesPerPixel = bitCount / 8;
        size_t pitch = w * bytesPerPixel;
        if (available < pitch * h)
            return false;
        bool hasAlpha = (pfFlags & 0x1) != 0 || (pfFlags & 0x2) != 0;
        bool luminance = (pfFlags & 0x20000) != 0;
        for (size_t y = 0; y < h; ++y) {
            for (size_t x = 0; x < w; ++x) {
                const uint8_t* src = body + y * pitch + x * bytesPerPixel;
                uint32_t pixel = 0;
                for (size_t k = 0; k < bytesPerPixel; ++k)
                    pixel |= static_cast<uint32_t>(src[k]) << (8 * k);
                uint8_t* dst = &out[(y * w + x) * 4];
                if (luminance) {
                    dst[0] = dst[1] = dst[2] = MaskChannel(pixel, masks[0], 0);
                } else {
                    dst[0] = MaskChannel(pixel, masks[0], 0);
                    dst[1] = MaskChannel(pixel, masks[1], 0);
                    dst[2] = MaskChannel(pixel, masks[2], 0);
                }
                dst[3] = hasAlpha ? MaskChannel(pixel, masks[3], 255) : 255;
            }
        }
    } else {
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    rgba = std::move(out);
    return true;
}

bool DecodeImage(const void* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba) {
    if (size >= 4 && std::memcmp(data, "DDS ", 4) == 0)
        return DecodeDds(data, size, width, height, rgba);
    return PlatformDecodeImage(data, size, width, height, rgba);
}

CQuorelTexture::~CQuorelTexture() {
    if (m_handle && m_ownsHandle)
        ReleaseGpuTexture(m_handle, m_generation);
}

CQuorelTexture* CQuorelTexture::CreateFromFile(const char* gamePath) {
    auto* texture = new CQuorelTexture(gamePath);
    if (!texture->Load()) {
        delete texture;
        return nullptr;
    }
    return texture;
}

bool CQuorelTexture::LoadFromFile(const char* gamePath) {
    m_path = gamePath ? gamePath : "";
    std::string data;
    CStr resolved = ResolvePath(m_path);
    if (m_path.IsEmpty() || !ReadWholeFile(m_path.GetText(), data)) {
        if (!g_pQuorelTextureManager || g_pQuorelTextureManager->FirstFailure(resolved))
            QuorelLog("[CQuorelTexture::LoadFromFile] cannot read '%s'", m_path.GetText());
        return false;
    }
    return LoadFromMemory(data.data(), data.size(), m_path.GetText());
}

bool CQuorelTexture::LoadFromMemory(const void* data, size_t size, const char* nameForLog) {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    bool ok = DecodeImage(data, size, width, height, rgba);
    if (!ok && nameForLog && HasExtension(nameForLog, ".dds") && size >= 4 &&
        std::memcmp(data, "DDS ", 4) != 0)
        ok = PlatformDecodeImage(data, size, width, height, rgba); // a misnamed file still loads
    if (!ok) {
        CStr name(nameForLog ? nameForLog : "(memory)");
        if (!g_pQuorelTextureManager || g_pQuorelTextureManager->FirstFailure(ResolvePath(name)))
            QuorelLog("[CQuorelTexture::LoadFromMemory] '%s' is not an image we can read", name.GetText());
        return false;
    }
    SetPixels(width, height, std::move(rgba));
    return true;
}

void CQuorelTexture::SetPixels(int width, int height, std::vector<uint8_t> rgba) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (width <= 0 || height <= 0 ||
        rgba.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
        m_pixels.clear();
        m_pendingUpload = false;
        m_width = 0;
        m_height = 0;
        m_loaded = false;
        return;
    }
    m_pixels = std::move(rgba);
    m_pendingUpload = true;
    m_ownsHandle = true;
    m_width = width;
    m_height = height;
    m_loaded = true;
}

void CQuorelTexture::Release() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_handle && m_ownsHandle)
        ReleaseGpuTexture(m_handle, m_generation);
    m_handle = 0;
    m_generation = 0;
    m_pixels.clear();
    m_pendingUpload = false;
    m_width = 0;
    m_height = 0;
    m_loaded = false;
}

std::vector<uint8_t> CQuorelTexture::Pixels() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pixels;
}

uint32_t CQuorelTexture::GpuHandle() {
    bool opaque = false;
    return GpuHandle(opaque);
}

uint32_t CQuorelTexture::GpuHandle(bool& opaque) {
    std::lock_guard<std::mutex> lock(m_mutex);
    opaque = false;
    uint32_t generation = DeviceGeneration();
    if (generation == 0)
        return 0;
    if (!m_ownsHandle)
        return m_generation == generation ? m_handle : 0;
    if (m_handle && m_generation != generation) {
        // Made under a context that is gone: the name means nothing now.
        m_handle = 0;
        m_pendingUpload = !m_pixels.empty();
    }
    if (m_pendingUpload) {
        int w = m_width, h = m_height;
        if (m_handle && m_uploadedWidth == w && m_uploadedHeight == h) {
            // Quads already batched with these pixels are drawn before they change.
            if (g_pQuorelDevice && g_pQuorelDevice->IsMainThread())
                g_pQuorelDevice->Flush2D();
            GfxUpdateTexture(m_handle, w, h, m_pixels.data());
        } else {
            if (m_handle)
                ReleaseGpuTexture(m_handle, m_generation);
            m_handle = GfxCreateTexture(w, h, m_pixels.data());
        }
        m_generation = generation;
        m_uploadedWidth = w;
        m_uploadedHeight = h;
        m_uploadedOpaque = true;
        for (size_t i = 3; i < m_pixels.size() && m_uploadedOpaque; i += 4)
            m_uploadedOpaque = m_pixels[i] == 255;
        m_pendingUpload = false;
    }
    opaque = m_handle && m_uploadedOpaque;
    return m_handle;
}

void CQuorelTexture::WrapGpuHandle(uint32_t handle, int width, int height) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_handle && m_ownsHandle)
        ReleaseGpuTexture(m_handle, m_generation);
    m_pixels.clear();
    m_pendingUpload = false;
    m_ownsHandle = false;
    m_handle = handle;
    m_generation = DeviceGeneration();
    m_width = width;
    m_height = height;
    m_loaded = handle != 0;
}
