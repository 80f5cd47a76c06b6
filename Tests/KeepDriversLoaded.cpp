// The GL driver is a shared object that Mesa unloads when the last context goes. Keeping every
// shared object loaded lets LeakSanitizer name the driver's own allocations at exit, so that the
// suppression file can match them by module instead of seeing "<unknown module>".
#include <dlfcn.h>

extern "C" int dlclose(void*) {
    return 0;
}
