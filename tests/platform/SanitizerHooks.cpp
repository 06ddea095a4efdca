// Sanitizer reports belong to our code. The system's GL driver, fontconfig and audio libraries keep
// process-lifetime caches that they never free, and Mesa's software rasteriser synchronises its
// worker threads in ways ThreadSanitizer cannot see (it is not instrumented), so those are suppressed
// here. Mesa's driver is kept loaded so that its allocations still carry its name at exit.
#include <dlfcn.h>
#include <initializer_list>

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libEGL_mesa.so\n"
           "leak:libGLX_mesa.so\n"
           "leak:libglapi.so\n"
           "leak:swrast_dri.so\n"
           "leak:libgallium\n"
           "leak:libLLVM\n"
           "leak:libdbus-1.so\n"
           "leak:libX11.so\n"
           "leak:libasound.so\n"
           "leak:libpulse\n";
}

extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:swrast_dri.so\n"
           "race:swrast_dri.so\n"
           "called_from_lib:libLLVM\n"
           "race:libLLVM\n"
           "called_from_lib:libasound.so\n"
           "race:libasound.so\n"
           "race:libdbus-1.so\n"
           "race:libSDL2-2.0.so\n"; // hints are read by its audio thread while video start-up sets them
}

namespace {
struct KeepDriverLoaded {
    KeepDriverLoaded() {
        for (const char* path : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
                                 "/usr/lib64/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so"})
            if (dlopen(path, RTLD_NOW | RTLD_NODELETE | RTLD_LOCAL))
                break;
    }
};
const KeepDriverLoaded keepDriverLoaded;
} // namespace
