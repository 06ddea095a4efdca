// The game's one random generator: the classic 0..32767 linear congruential sequence that every
// formula was tuned against. Game code never calls rand().
#pragma once

constexpr int kGameRandMax = 32767;

int GameRand();
void GameSrand(unsigned int seed);
// The generator's present state: GameSrand(GameRandState()) carries the sequence on unchanged, so a
// match can keep a sequence of its own between its steps.
unsigned int GameRandState();
// (int)(GameRand() / 32767 x 20): 0 to 20, 20 only for 32767.
int Roll20();
// Roll20() >= 10.
bool CoinFlip();
// GameRand() / 32767, in 0..1.
float GameRandUnit();
