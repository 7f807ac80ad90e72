#include "../Common/TempFolder.h"
#include "ControlPanelDriver.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Widgets/Control.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "Support/LogRecorder.h"
#include "Support/Pixels.h"
#include "app/Game.h"
#include "app/GameGUI.h"
#include "app/System/SolarSystem.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <array>
#include <cctype>
#include <epoxy/gl.h>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace Zandrel::Tests
{
namespace
{

namespace fs = std::filesystem;
using Quarnel::TestSupport::LogRecorder;
using Quarnel::TestSupport::Rgba;
using Testing::ControlPanelDriver;

// The colour of a picture's pixel, read as the PNG stores it (RGB, top row first).
Rgba PixelOf(SDL_Surface& picture, int x, int y)
{
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(&picture, SDL_PIXELFORMAT_RGBA32, 0);
    const auto* pixel = static_cast<const std::uint8_t*>(rgba->pixels) + y * rgba->pitch + x * 4;
    const Rgba colour{pixel[0], pixel[1], pixel[2], pixel[3]};
    SDL_FreeSurface(rgba);
    return colour;
}

// zandrel-YYYYMMDD-HHMMSS.png, or with "-2" before ".png".
bool IsPictureName(const std::string& name)
{
    const std::string stamp = "zandrel-00000000-000000";
    if (name.size() < stamp.size() + 4 || !name.ends_with(".png") || !name.starts_with("zandrel-"))
        return false;
    for (std::size_t index = 8; index < stamp.size(); ++index)
    {
        const bool digit = std::isdigit(static_cast<unsigned char>(name[index])) != 0;
        if (digit != (stamp[index] == '0'))
            return false;
    }
    const std::string rest = name.substr(stamp.size());
    return rest == ".png" || rest == "-2.png";
}

TEST(WindowKeys, F12SavesTheWindowAsAPngNamedByTheTimeAndSaysWhere)
{
    const Quarnel::Common::Tests::TempFolder folder;
    const fs::path pictures = fs::path(folder.File("")) / "screenshots";
    GameStart start;
    start.screenshotFolder = pictures;
    ControlPanelDriver driver(start);
    const LogRecorder log(true);

    driver.PressKey(SDLK_F12);
    // The window as drawn, to compare with the file: top, middle and bottom, the 3D view and the panel.
    const std::array<std::array<int, 2>, 5> places{{{5, 5}, {1000, 12}, {512, 384}, {900, 700}, {40, 760}}};
    std::vector<Rgba> drawn;
    for (const auto& [x, y] : places)
        drawn.push_back(Quarnel::TestSupport::ReadPixel(x, y));
    // The picture is taken when the frame is presented.
    driver.Offscreen().Video().SwapBuffers();
    driver.PressKey(SDLK_F12);
    driver.Offscreen().Video().SwapBuffers();

    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(pictures))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), 2u);
    for (const fs::path& file : files)
    {
        EXPECT_TRUE(IsPictureName(file.filename().string())) << file;
        EXPECT_TRUE(log.Has("Bildschirmfoto gespeichert: " + file.string())) << file;
    }
    // Both within one second: the second one is numbered rather than overwriting the first.
    if (files[0].stem().string().size() == files[1].stem().string().size() + 2)
    {
        EXPECT_EQ(files[0].stem().string(), files[1].stem().string() + "-2");
    }

    SDL_Surface* picture = IMG_Load(files.front().c_str());
    ASSERT_NE(picture, nullptr) << IMG_GetError();
    EXPECT_EQ(picture->w, 1024);
    EXPECT_EQ(picture->h, 768);
    for (std::size_t index = 0; index < places.size(); ++index)
    {
        const auto [x, y] = places[index];
        // The picture is opaque, whatever alpha the frame buffer kept.
        Rgba expected = drawn[index];
        expected.a = 255;
        EXPECT_EQ(PixelOf(*picture, x, y), expected) << "at " << x << ", " << y;
    }
    SDL_FreeSurface(picture);
}

TEST(WindowSize, AfterAResizeThePanelTakesClicksAtItsNewPlaceAndThe3DViewKeepsItsShape)
{
    ControlPanelDriver driver;
    const Quarnel::Common::Point2D oldButton = driver.CenterOf("btnAddPlanet");
    SDL_SetWindowSize(SDL_GL_GetCurrentWindow(), 1280, 900);
    driver.Frames(2);

    Quarnel::GameEngine2D::Widgets::Frame& frame = driver.Gui().GetFrame();
    EXPECT_EQ(frame.GetAbsolutePosition(), Quarnel::Common::Point3D(1280.0f - GameGUI::PanelWidth, 0.0f, 0.0f));
    EXPECT_EQ(frame.GetSize()->Y(), 900.0f);
    // Where the button was, there is only the 3D view now.
    driver.ClickAt(oldButton);
    EXPECT_TRUE(driver.GetGame().GetSolarSystem()->GetItems().empty());
    const Quarnel::Common::Point2D newButton = driver.CenterOf("btnAddPlanet");
    EXPECT_EQ(newButton.x, oldButton.x + 256.0f);
    driver.Click("btnAddPlanet");
    EXPECT_EQ(driver.GetGame().GetSolarSystem()->GetItems().size(), 1u);

    // The 3D view's projection as the game scene draws it: its aspect is the window's, so a sphere stays round.
    driver.Offscreen().Video().InitFrame();
    driver.GetGame().Update(5000);
    std::array<float, 16> projection{};
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    EXPECT_FLOAT_EQ(projection[5] / projection[0], 1280.0f / 900.0f);
    EXPECT_EQ(driver.Offscreen().Video().GetScreenSize().x, 1280.0f);
}

TEST(WindowKeys, F11SwitchesFullScreenOnAndOff)
{
    ControlPanelDriver driver;
    Quarnel::GameEngine2D::Video::Engine& video = driver.Offscreen().Video();
    ASSERT_FALSE(video.IsFullscreen());
    driver.PressKey(SDLK_F11);
    EXPECT_TRUE(video.IsFullscreen());
    driver.PressKey(SDLK_F11);
    EXPECT_FALSE(video.IsFullscreen());
}

} // namespace
} // namespace Zandrel::Tests
