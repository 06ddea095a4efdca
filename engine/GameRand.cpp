// Linear congruential generator: state x 214013 + 2531011, result bits 16..30.
#include "engine/GameRand.h"

#include <atomic>
#include <cstdint>

// Atomic so a worker's day run and the main thread never race on the state.
static std::atomic<uint32_t> s_state{1};

int GameRand() {
    uint32_t current = s_state.load(std::memory_order_relaxed);
    uint32_t next;
    do {
        next = current * 214013u + 2531011u;
    } while (!s_state.compare_exchange_weak(current, next, std::memory_order_relaxed));
    return static_cast<int>((next >> 16) & 0x7FFF);
}

void GameSrand(unsigned int seed) {
    s_state.store(seed, std::memory_order_relaxed);
}

unsigned int GameRandState() {
    return s_state.load(std::memory_order_relaxed);
}

int Roll20() {
    return static_cast<int>(static_cast<double>(GameRand()) / kGameRandMax * 20.0);
}

bool CoinFlip() {
    return Roll20() >= 10;
}

float GameRandUnit() {
    return static_cast<float>(GameRand()) / static_cast<float>(kGameRandMax);
}
