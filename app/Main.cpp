// Fastbreak's entry point. No command line or environment is read.
#include "engine/Log.h"
#include "engine/Paths.h"

#include <cstdio>

int main() {
    g_pQuorelLog = new CQuorelLog();
    QuorelLog("[main] Fastbreak started in %s", GetWorkingDir().GetText());
    std::printf("Fastbreak: engine core ready in %s\n", GetWorkingDir().GetText());
    delete g_pQuorelLog;
    g_pQuorelLog = nullptr;
    return 0;
}
