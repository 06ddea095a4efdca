// CQuorelTexture: an image decoded into memory on any thread and uploaded to the GPU on the main
// thread the first time it is drawn. Files: PNG, JPG, BMP, TGA and DDS (uncompressed, DXT1/3/5).
#pragma once

#include "engine/Str.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

class CQuorelTexture {
public:
    CQuorelTexture() = default;
    explicit CQuorelTexture(const char* gamePath) : m_path(gamePath) {}
    ~CQuorelTexture();
    CQuorelTexture(const CQuorelTexture&) = delete;
    CQuorelTexture& operator=(const CQuorelTexture&) = delete;

    // A new texture decoded from the file, or null (with a log line naming the file).
    static CQuorelTexture* CreateFromFile(const char* gamePath);

    // Decodes the file into memory; false, with a log line naming the file, when it is missing or corrupt.
    bool LoadFromFile(const char* gamePath);
    // Decodes the file named by Path().
    bool Load() { return LoadFromFile(m_path.GetText()); }
    bool LoadFromMemory(const void* data, size_t size, const char* nameForLog);
    // Takes RGBA pixels, rows from the top.
    void SetPixels(int width, int height, std::vector<uint8_t> rgba);
    // Drops pixels and the GPU copy; the path stays so the texture can be loaded again.
    void Release();

    const CStr& Path() const { return m_path; }
    void SetPath(const char* gamePath) { m_path = gamePath; }
    bool IsLoaded() const { return m_loaded.load(); }
    int Width() const { return m_width.load(); }
    int Height() const { return m_height.load(); }
    // Pixels as decoded (RGBA, rows from the top).
    std::vector<uint8_t> Pixels() const;

    // Main thread only: the GL texture name (0 when nothing is loaded), uploading pending pixels first.
    uint32_t GpuHandle();
    // The same, and whether every texel on the GPU has full alpha (a quad of it then covers what
    // lies under it).
    uint32_t GpuHandle(bool& opaque);
    // Wraps a GL texture made elsewhere (render targets); the texture does not own it.
    void WrapGpuHandle(uint32_t handle, int width, int height);

private:
    CStr m_path;
    mutable std::mutex m_mutex;
    std::vector<uint8_t> m_pixels;
    bool m_pendingUpload = false;
    bool m_ownsHandle = true;
    uint32_t m_handle = 0;
    uint32_t m_generation = 0; // device generation the handle belongs to
    int m_uploadedWidth = 0, m_uploadedHeight = 0;
    bool m_uploadedOpaque = false;
    std::atomic<bool> m_loaded{false};
    std::atomic<int> m_width{0};
    std::atomic<int> m_height{0};
};

// Decoders, exposed for tests and tools: RGBA rows from the top; false when the data is not an image.
bool DecodeImage(const void* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba);
bool DecodeDds(const void* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba);
