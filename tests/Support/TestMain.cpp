#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace
{

// Mesa unloads its software rasteriser when SDL closes the EGL display. A few bytes it never frees are
// then reported from an unknown module, which no suppression can name. Holding one extra reference keeps
// the driver loaded to the end, so its leaks carry its name and the suppression file can filter them.
void KeepSoftwareRasteriserLoaded()
{
    for (const char* path :
         {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so",
          "/usr/lib64/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so"})
    {
        if (dlopen(path, RTLD_NOW | RTLD_GLOBAL) != nullptr)
            return;
    }
}

} // namespace

// The leak checker reads its options from here, so a suite run by hand filters the driver's leaks exactly
// like one run by ctest.
extern "C" const char* __lsan_default_options()
{
    return "suppressions=" QUARNEL_SOURCE_DIR "/tests/lsan.supp";
}

// Every suite runs headless: SDL must pick its offscreen driver before any test starts SDL. Mesa's shader
// disk cache stays off: a test must not depend on what earlier runs left in the user's cache, and with the
// cache's files mapped the leak checker's tracer has crashed at exit on the thread-local storage it walks.
int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    KeepSoftwareRasteriserLoaded();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
