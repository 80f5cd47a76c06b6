// The process environment every test runs in, set inside the test program so that it holds
// however the program is started (ctest, by hand, or re-run as a death-test child):
// - SDL's offscreen video driver on Mesa's software rasteriser, and SDL's dummy audio driver,
//   unless the caller chose others;
// - LeakSanitizer suppressions for what the GL driver and the system libraries keep for the
//   life of the process.
#include <dlfcn.h>

#include <cstdlib>

namespace {

const bool headless = [] {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    return true;
}();

} // namespace

// Mesa unloads its driver when the last context goes; keeping every shared object loaded lets
// LeakSanitizer name the driver's allocations at exit, so the suppressions below match them.
extern "C" int dlclose(void*) {
    return 0;
}

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libGLX_mesa\n"
           "leak:libEGL_mesa\n"
           "leak:libgallium\n"
           "leak:swrast_dri\n"
           "leak:libLLVM\n"
           "leak:libdbus\n"
           "leak:libX11\n"
           "leak:libwayland\n"
           "leak:libasound\n"
           "leak:libpulse\n"
           // fontconfig keeps its configuration, once initialised, for the process.
           "leak:libfontconfig\n"
           "leak:_dl_init\n"
           "leak:dlopen\n";
}

extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}
