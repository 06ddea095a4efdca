// Without libFuzzer (a GCC build) the target still builds and runs: it replays the files named on
// the command line, or a fixed number of generated inputs when none are named.
#include "engine/GameRand.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    if (argc > 1)
        return 0;
    GameSrand(7);
    for (int run = 0; run < 20000; ++run) {
        std::vector<uint8_t> bytes(static_cast<size_t>(GameRand() % 200));
        for (uint8_t& byte : bytes)
            byte = static_cast<uint8_t>(GameRand() % 3 == 0 ? 0 : GameRand() & 0xFF);
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("%s: 20000 generated inputs read without a fault\n", argv[0]);
    return 0;
}
