// Linear congruential generator: state x 214013 + 2531011, result bits 16..30.
#include "engine/GameRand.h"

#include <atomic>
#include <cstdint>

// Atomic so a worker's day run and the main thread never race on the state. A draw is a plain load
// and store, not a compare-exchange loop: the locked exchange at every draw cost a quick result a
// tenth of its time. One thread's sequence is the seeded one either way; two threads drawing at the
// same moment may now both get one number, where their order was never fixed before either.
static std::atomic<uint32_t> s_state{1};

int GameRand() {
    const uint32_t next = s_state.load(std::memory_order_relaxed) * 214013u + 2531011u;
    s_state.store(next, std::memory_order_relaxed);
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
