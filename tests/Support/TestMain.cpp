#include <gtest/gtest.h>

#include <cstdlib>

// Every suite runs headless: SDL must pick its offscreen driver before any test starts SDL.
int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
