// Fuzz target: every table file kind and the careers list: the first byte picks the kind, the rest is the
// file.
#include "tools/recordfuzz/FuzzChecks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string problem = fuzz::CheckTableInput(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "fuzz check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
