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

// Every suite runs headless: SDL must pick its offscreen driver before any test starts SDL.
int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    KeepSoftwareRasteriserLoaded();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
