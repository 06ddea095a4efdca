// Leak reports belong to our code: the system's GL driver, fontconfig and audio libraries keep
// process-lifetime caches that they never free, so those are suppressed here. Mesa's driver is kept
// loaded so that its allocations still carry its name when the leak check runs at exit.
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
