// CQuorelSound: tags own fixed groups of mixer channels; a voice is one channel.
#include "engine/Sound.h"

#include "engine/Log.h"
#include "engine/Paths.h"
#include "engine/Wave.h"
#include "platform/Audio.h"

#include <algorithm>
#include <cstring>

CQuorelSound* g_pQuorelSound = nullptr;

namespace {
constexpr int kMaxVoices = 50;
}

bool IsSingleVoiceSoundTag(const char* tag) {
    static const char* const kTags[] = {"ATMOSPHERE", "LABDA", "LABDA_HALO", "LABDA_PALANK"};
    for (const char* t : kTags)
        if (tag && std::strcmp(tag, t) == 0)
            return true;
    return false;
}

CQuorelSound* CQuorelSound::Create() {
    char error[256] = {};
    if (!PlatformAudioOpen(error, sizeof error)) {
        QuorelLog("[CQuorelSound::Create] no audio, sound effects are off: %s", error);
        return nullptr;
    }
    return new CQuorelSound();
}

CQuorelSound::~CQuorelSound() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto& [name, tag] : m_tags)
            for (int channel : tag.channels)
                PlatformHaltChannel(channel);
        m_tags.clear();
    }
    PlatformAudioClose();
}

bool CQuorelSound::Register(const char* tag, const char* gamePath, int voices, bool looping) {
    if (!tag || !*tag)
        return false;
    std::string data;
    if (!gamePath || !ReadWholeFile(gamePath, data)) {
        QuorelLog("[CQuorelSound::Register] %s: cannot read '%s'", tag, gamePath ? gamePath : "");
        return false;
    }
    return RegisterMemory(tag, data.data(), data.size(), voices, looping, gamePath);
}

bool CQuorelSound::RegisterMemory(const char* tag, const void* data, size_t size, int voices, bool looping,
                                  const char* nameForLog) {
    if (!tag || !*tag)
        return false;
    const char* gamePath = nameForLog ? nameForLog : "(memory)";
    WaveData wave;
    if (!ParseWave(data, size, wave)) {
        QuorelLog("[CQuorelSound::Register] %s: '%s' is not a WAVE file we can play", tag, gamePath);
        return false;
    }
    void* sample = PlatformCreateSample(wave.samples.data(), wave.samples.size(), wave.channels,
                                        wave.sampleRate, wave.bitsPerSample, wave.isFloat);
    if (!sample) {
        QuorelLog("[CQuorelSound::Register] %s: '%s' could not be converted for the audio device", tag,
                  gamePath);
        return false;
    }
    int count = IsSingleVoiceSoundTag(tag) ? 1 : std::clamp(voices, 1, kMaxVoices);
    std::lock_guard<std::mutex> lock(m_mutex);
    Tag& entry = m_tags[tag];
    for (int channel : entry.channels)
        PlatformHaltChannel(channel); // the old sample may be playing; it must stop before it is freed
    if (static_cast<int>(entry.channels.size()) != count) {
        entry.channels.clear();
        for (int i = 0; i < count; ++i)
            entry.channels.push_back(m_nextChannel++);
        PlatformReserveChannels(m_nextChannel);
    }
    entry.chunk = std::shared_ptr<void>(sample, PlatformFreeSample);
    entry.looping = looping;
    int volume = m_volume * 128 / 100;
    for (int channel : entry.channels)
        PlatformChannelVolume(channel, volume);
    return true;
}

const CQuorelSound::Tag* CQuorelSound::FindTag(const CStr& tag) const {
    auto found = m_tags.find(tag.Std());
    return found == m_tags.end() ? nullptr : &found->second;
}

bool CQuorelSound::IsRegistered(const CStr& tag) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return FindTag(tag) != nullptr;
}

int CQuorelSound::VoiceCount(const CStr& tag) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const Tag* entry = FindTag(tag);
    return entry ? static_cast<int>(entry->channels.size()) : 0;
}

void CQuorelSound::Play(const CStr& tag) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_muted)
        return;
    const Tag* entry = FindTag(tag);
    if (!entry)
        return;
    for (int channel : entry->channels) {
        if (!PlatformChannelPlaying(channel)) {
            PlatformPlayOnChannel(channel, entry->chunk.get(), entry->looping);
            return;
        }
    }
}

void CQuorelSound::Stop(const CStr& tag) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const Tag* entry = FindTag(tag);
    if (!entry)
        return;
    for (int channel : entry->channels)
        PlatformHaltChannel(channel);
}

void CQuorelSound::StopAll() {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& [name, tag] : m_tags)
        for (int channel : tag.channels)
            PlatformHaltChannel(channel);
}

int CQuorelSound::PlayingVoices(const CStr& tag) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const Tag* entry = FindTag(tag);
    if (!entry)
        return 0;
    int playing = 0;
    for (int channel : entry->channels)
        if (PlatformChannelPlaying(channel))
            ++playing;
    return playing;
}

void CQuorelSound::SetMuted(bool muted) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_muted = muted;
    // Muting also silences what is playing, like switching the effects off in the options.
    if (muted)
        for (auto& [name, tag] : m_tags)
            for (int channel : tag.channels)
                PlatformHaltChannel(channel);
}

void CQuorelSound::SetVolume(int percent) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_volume = std::clamp(percent, 0, 100);
    int volume = m_volume * 128 / 100;
    for (auto& [name, tag] : m_tags)
        for (int channel : tag.channels)
            PlatformChannelVolume(channel, volume);
}
