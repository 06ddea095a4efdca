// Mesa's driver is unloaded when the last context goes, and its process-lifetime allocations would
// then reach the leak check under no library's name. Holding it open lets the shared suppression
// list name it, so this suite keeps its leak check.
#include <dlfcn.h>
#include <initializer_list>

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
