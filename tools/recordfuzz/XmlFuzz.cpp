// Fuzz target: XML text parsed into XmlNode trees, every query answered.
#include "tools/recordfuzz/FuzzChecks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string problem = fuzz::CheckXmlInput(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "fuzz check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
