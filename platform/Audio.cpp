// SDL2_mixer behind plain functions; the device is shared by reference count.
#include "platform/Audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

std::mutex& AudioMutex() {
    static std::mutex mutex;
    return mutex;
}

int& Users() {
    static int users = 0;
    return users;
}

} // namespace

bool PlatformAudioOpen(char* error, int errorSize) {
    std::lock_guard<std::mutex> lock(AudioMutex());
    if (Users() > 0) {
        ++Users();
        return true;
    }
    auto fail = [&](const char* what) {
        if (error && errorSize > 0)
            std::snprintf(error, static_cast<size_t>(errorSize), "%s: %s", what, SDL_GetError());
        return false;
    };
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return fail("audio driver");
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return fail("audio device");
    }
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
    Mix_AllocateChannels(16);
    ++Users();
    return true;
}

void PlatformAudioClose() {
    std::lock_guard<std::mutex> lock(AudioMutex());
    if (Users() == 0)
        return;
    if (--Users() > 0)
        return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void* PlatformCreateSample(const uint8_t* pcm, size_t bytes, int channels, int sampleRate, int bitsPerSample,
                           bool isFloat) {
    int deviceRate = 0, deviceChannels = 0;
    Uint16 deviceFormat = 0;
    if (!Mix_QuerySpec(&deviceRate, &deviceFormat, &deviceChannels) || channels < 1 || sampleRate <= 0)
        return nullptr;
    // 24-bit samples have no SDL format: widen them to 32-bit first.
    std::vector<uint8_t> widened;
    SDL_AudioFormat format = AUDIO_S16LSB;
    if (bitsPerSample == 8) {
        format = AUDIO_U8;
    } else if (bitsPerSample == 16) {
        format = AUDIO_S16LSB;
    } else if (bitsPerSample == 24) {
        size_t samples = bytes / 3;
        widened.resize(samples * 4);
        for (size_t i = 0; i < samples; ++i) {
            widened[i * 4] = 0;
            std::memcpy(&widened[i * 4 + 1], pcm + i * 3, 3);
        }
        pcm = widened.data();
        bytes = widened.size();
        format = AUDIO_S32LSB;
    } else if (bitsPerSample == 32) {
        format = isFloat ? AUDIO_F32LSB : AUDIO_S32LSB;
    } else {
        return nullptr;
    }
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(channels), sampleRate, deviceFormat,
                          static_cast<Uint8>(deviceChannels), deviceRate) < 0)
        return nullptr;
    int frameBytes = (SDL_AUDIO_BITSIZE(format) / 8) * channels;
    size_t usable = bytes - bytes % static_cast<size_t>(frameBytes);
    if (usable == 0)
        return nullptr;
    cvt.len = static_cast<int>(usable);
    cvt.buf = static_cast<Uint8*>(SDL_malloc(usable * static_cast<size_t>(cvt.len_mult)));
    if (!cvt.buf)
        return nullptr;
    std::memcpy(cvt.buf, pcm, usable);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) {
        SDL_free(cvt.buf);
        return nullptr;
    }
    int converted = cvt.needed ? cvt.len_cvt : cvt.len;
    // Mix_FreeChunk releases both the buffer and the chunk with SDL_free when allocated is set.
    Mix_Chunk* chunk = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
    if (!chunk) {
        SDL_free(cvt.buf);
        return nullptr;
    }
    chunk->allocated = 1;
    chunk->abuf = cvt.buf;
    chunk->alen = static_cast<Uint32>(converted);
    chunk->volume = MIX_MAX_VOLUME;
    return chunk;
}

void PlatformFreeSample(void* sample) {
    if (sample)
        Mix_FreeChunk(static_cast<Mix_Chunk*>(sample));
}

void PlatformReserveChannels(int count) {
    if (Mix_AllocateChannels(-1) < count)
        Mix_AllocateChannels(count);
}

bool PlatformPlayOnChannel(int channel, void* sample, bool loop) {
    if (!sample)
        return false;
    return Mix_PlayChannel(channel, static_cast<Mix_Chunk*>(sample), loop ? -1 : 0) == channel;
}

void PlatformHaltChannel(int channel) {
    Mix_HaltChannel(channel);
}

bool PlatformChannelPlaying(int channel) {
    return Mix_Playing(channel) != 0;
}

void PlatformChannelVolume(int channel, int volume) {
    Mix_Volume(channel, volume);
}

void* PlatformLoadMusic(const char* path) {
    return Mix_LoadMUS(path);
}

void PlatformFreeMusic(void* music) {
    if (music)
        Mix_FreeMusic(static_cast<Mix_Music*>(music));
}

bool PlatformPlayMusicLooping(void* music) {
    return music && Mix_PlayMusic(static_cast<Mix_Music*>(music), -1) == 0;
}

void PlatformHaltMusic() {
    Mix_HaltMusic();
}

bool PlatformMusicPlaying() {
    return Mix_PlayingMusic() != 0;
}

void PlatformMusicVolume(int volume) {
    Mix_VolumeMusic(volume);
}
