// The looks a generated player is drawn with: one hash of his id and name picks his skin shade and
// hair, the same in his portrait and on his 3D head, so the same player always has the same face.
#pragma once

#include <cstdint>
#include <string_view>

inline uint32_t PlayerLookHash(int32_t id, std::string_view name) {
    uint32_t h = 2166136261u ^ static_cast<uint32_t>(id) * 2654435761u;
    for (unsigned char ch : name) {
        h ^= ch;
        h *= 16777619u;
    }
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

// Skin shades of each tone and hair colours (darker tone first), as the portraits paint them.
inline constexpr int kLookSkinShades = 4;
inline constexpr int kLookHairs[2] = {3, 5};

inline int LookSkinShade(uint32_t hash) {
    return static_cast<int>(hash % kLookSkinShades);
}
inline int LookHair(uint32_t hash, bool darkTone) {
    return static_cast<int>((hash >> 3) % static_cast<uint32_t>(kLookHairs[darkTone ? 0 : 1]));
}
// The number of the head texture ("head_<tone>_NN.dds") of a skin shade and hair: 1 and up.
inline int LookHeadNumber(int shade, int hair, bool darkTone) {
    return 1 + shade * kLookHairs[darkTone ? 0 : 1] + hair;
}
