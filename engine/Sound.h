// CQuorelSound: sound effects played by tag. Each tag owns a fixed group of voices; Play starts the
// first idle one. The singleton is absent (null) when there is no audio device: callers check.
#pragma once

#include "engine/Str.h"

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct WaveData;

class CQuorelSound {
public:
    // Opens the audio device; null, with a log line, when there is none.
    static CQuorelSound* Create();
    ~CQuorelSound();
    CQuorelSound(const CQuorelSound&) = delete;
    CQuorelSound& operator=(const CQuorelSound&) = delete;

    // Registers the RIFF WAVE file under the tag with 1..50 voices. Tags the game asks for every frame
    // ("ATMOSPHERE", "LABDA", "LABDA_HALO", "LABDA_PALANK") always get one voice so repeats never stack.
    // False, with a log line naming the file, when it is missing or not a WAVE file we can play.
    bool Register(const char* tag, const char* gamePath, int voices, bool looping);
    // The same from a WAVE image in memory; nameForLog names it in the log.
    bool RegisterMemory(const char* tag, const void* data, size_t size, int voices, bool looping,
                        const char* nameForLog = "(memory)");
    bool IsRegistered(const CStr& tag) const;
    int VoiceCount(const CStr& tag) const;

    // Starts the first idle voice of the tag (looping when registered so). Nothing when muted, when
    // the tag is unknown or when every voice is busy.
    void Play(const CStr& tag);
    // Stops every voice of the tag.
    void Stop(const CStr& tag);
    void StopAll();
    // Voices of the tag playing now.
    int PlayingVoices(const CStr& tag) const;

    void SetMuted(bool muted);
    bool IsMuted() const { return m_muted; }
    // 0..100.
    void SetVolume(int percent);
    int Volume() const { return m_volume; }

private:
    CQuorelSound() = default;
    struct Tag {
        std::shared_ptr<void> chunk; // the mixer's sample, freed with its last user
        std::vector<int> channels;   // one mixer channel per voice
        bool looping = false;
    };
    const Tag* FindTag(const CStr& tag) const;

    mutable std::mutex m_mutex;
    std::map<std::string, Tag> m_tags;
    int m_nextChannel = 0;
    bool m_muted = false;
    int m_volume = 100;
};

extern CQuorelSound* g_pQuorelSound;

// Tags that are requested repeatedly and must never play twice at once.
bool IsSingleVoiceSoundTag(const char* tag);
