// Fuzz target: the whole career loader: the careers list, a career folder and its MainData, linked and
// cross-linked, saved and loaded again.
#include "tools/recordfuzz/FuzzChecks.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The checks write files: each process works in a folder of its own.
    static const bool inFolder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "fbfuzz-XXXXXX").string();
        return mkdtemp(pattern.data()) != nullptr && chdir(pattern.c_str()) == 0;
    }();
    if (!inFolder)
        std::abort();
    std::string problem = fuzz::CheckCareerInput(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "fuzz check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
