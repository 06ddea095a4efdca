// The audio device through SDL2_mixer: samples on numbered channels, and one music stream.
#pragma once

#include <cstddef>
#include <cstdint>

// Opens the device for the first user (sound and music share it); false with the reason in error.
bool PlatformAudioOpen(char* error, int errorSize);
// Closes it when the last user leaves.
void PlatformAudioClose();

// A playable sample made from PCM frames (converted to the device's format). Null on failure.
// bitsPerSample 8 (unsigned), 16, 24 or 32 (signed little-endian) or 32 with isFloat.
void* PlatformCreateSample(const uint8_t* pcm, size_t bytes, int channels, int sampleRate, int bitsPerSample,
                           bool isFloat);
void PlatformFreeSample(void* sample);

// Makes sure at least count channels exist.
void PlatformReserveChannels(int count);
bool PlatformPlayOnChannel(int channel, void* sample, bool loop);
void PlatformHaltChannel(int channel);
bool PlatformChannelPlaying(int channel);
// 0..128.
void PlatformChannelVolume(int channel, int volume);

void* PlatformLoadMusic(const char* path);
void PlatformFreeMusic(void* music);
// Plays it over and over until halted.
bool PlatformPlayMusicLooping(void* music);
void PlatformHaltMusic();
bool PlatformMusicPlaying();
// 0..128.
void PlatformMusicVolume(int volume);
