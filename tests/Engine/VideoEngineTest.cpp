#include "GameEngine2D/Video/Engine.h"
#include "Support/LogRecorder.h"
#include "Support/OffscreenEngine.h"
#include "Support/Pixels.h"

#include <SDL.h>
#include <array>
#include <cstdlib>
#include <epoxy/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>

namespace
{

using Quarnel::Common::Color;
using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Video::Engine;
using Quarnel::GameEngine2D::Video::VideoSettings;
using Quarnel::TestSupport::OffscreenEngine;
using Quarnel::TestSupport::ReadPixel;
using Quarnel::TestSupport::Rgba;

const Rgba red{255, 0, 0, 255};

// Applies a column-major OpenGL matrix to the point (x, y, z, 1).
std::array<float, 3> Transform(const std::array<float, 16>& m, float x, float y, float z)
{
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}

void ExpectNear(const std::array<float, 3>& actual, const std::array<float, 3>& expected)
{
    for (std::size_t index = 0; index < 3; ++index)
        EXPECT_NEAR(actual[index], expected[index], 1e-4f) << "component " << index;
}

// A flat quad in the current view, its corners counter-clockwise on screen so that back-face culling keeps it.
void FillRed(float left, float top, float right, float bottom, float z = 0.0f)
{
    glColor4ub(255, 0, 0, 255);
    glBegin(GL_QUADS);
    glVertex3f(left, top, z);
    glVertex3f(left, bottom, z);
    glVertex3f(right, bottom, z);
    glVertex3f(right, top, z);
    glEnd();
}

class VideoEngineTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { offscreen = std::make_unique<OffscreenEngine>(); }
    static void TearDownTestSuite() { offscreen.reset(); }

    void SetUp() override
    {
        video().SetBackgroundColor(Color(0, 0, 0, 0));
        video().InitFrame();
    }

    static Engine& video() { return offscreen->Video(); }

    static std::unique_ptr<OffscreenEngine> offscreen;
};

std::unique_ptr<OffscreenEngine> VideoEngineTest::offscreen;

TEST_F(VideoEngineTest, AFrameStartsClearedToTheBackgroundColour)
{
    video().SetBackgroundColor(Color(255, 128, 0, 255));
    EXPECT_EQ(ReadPixel(512, 384), (Rgba{0, 0, 0, 0})) << "the colour waits for the next frame";
    video().InitFrame();
    EXPECT_EQ(ReadPixel(0, 0), (Rgba{255, 128, 0, 255}));
    EXPECT_EQ(ReadPixel(1023, 767), (Rgba{255, 128, 0, 255}));
}

TEST_F(VideoEngineTest, TheFlatViewPutsTheOriginTopLeftWithYDownwardsOneUnitPerPixel)
{
    video().SetView2D(Point3D(0.0f, 0.0f, 100.0f), Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, 1.0f, 0.0f));
    FillRed(0.0f, 0.0f, 20.0f, 10.0f);
    EXPECT_EQ(ReadPixel(0, 0), red);
    EXPECT_EQ(ReadPixel(19, 9), red);
    EXPECT_NE(ReadPixel(20, 5), red);
    EXPECT_NE(ReadPixel(5, 10), red);
    EXPECT_NE(ReadPixel(5, 767), red);

    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 1024, 768}));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(VideoEngineTest, TheFlatViewKeepsDepthsWithinItsHalfDepth)
{
    video().SetView2D(Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, 0.0f, -1.0f), Point3D(0.0f, 1.0f, 0.0f));
    FillRed(0.0f, 0.0f, 10.0f, 10.0f, -99.0f);
    FillRed(20.0f, 0.0f, 30.0f, 10.0f, -101.0f);
    EXPECT_EQ(ReadPixel(5, 5), red);
    EXPECT_NE(ReadPixel(25, 5), red);
    EXPECT_EQ(video().GetDepth2D(), 100.0f);
}

TEST_F(VideoEngineTest, ThePerspectiveViewTurnsTheCamerasDownwardUpVectorUp)
{
    // The cameras' perspective default up is (0, -1, 0); on screen world y must still point up.
    video().SetView3D(Point3D(0.0f, 0.0f, 10.0f), Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, -1.0f, 0.0f));
    const auto view = video().GetModelViewMatrix();
    ExpectNear(Transform(view, 0.0f, 1.0f, 0.0f), {0.0f, 1.0f, -10.0f});

    glColor4ub(255, 0, 0, 255);
    glBegin(GL_QUADS);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glVertex3f(1.0f, 3.0f, 0.0f);
    glVertex3f(-1.0f, 3.0f, 0.0f);
    glEnd();
    // 45° field of view at distance 10: y = 2 lies about 0.48 of the half height above the centre.
    EXPECT_EQ(ReadPixel(512, 384 - 185), red);
    EXPECT_NE(ReadPixel(512, 384 + 185), red);
}

TEST_F(VideoEngineTest, ThePerspectiveViewKeepsNearAndFarPlanesAtOneAndAThousand)
{
    video().SetView3D(Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, 0.0f, -1.0f), Point3D(0.0f, -1.0f, 0.0f));
    glColor4ub(255, 0, 0, 255);
    for (const float z : {-0.5f, -999.0f, -1001.0f})
    {
        const float half = -z * 0.1f;
        glBegin(GL_QUADS);
        glVertex3f(-half, -half, z);
        glVertex3f(half, -half, z);
        glVertex3f(half, half, z);
        glVertex3f(-half, half, z);
        glEnd();
    }
    // Only the quad at 999 lies between the planes; it covers the centre.
    EXPECT_EQ(ReadPixel(512, 384), red);
    video().InitFrame();
    video().SetView3D(Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, 0.0f, -1.0f), Point3D(0.0f, -1.0f, 0.0f));
    for (const float z : {-0.5f, -1001.0f})
    {
        const float half = -z * 0.1f;
        glBegin(GL_QUADS);
        glVertex3f(-half, -half, z);
        glVertex3f(half, -half, z);
        glVertex3f(half, half, z);
        glVertex3f(-half, half, z);
        glEnd();
    }
    EXPECT_NE(ReadPixel(512, 384), red);
}

TEST_F(VideoEngineTest, ATransformTranslatesThenRotatesXYZThenScalesAndPopsBack)
{
    video().PushIdentity();
    const auto before = video().GetModelViewMatrix();

    video().PushTransform(Point3D(10.0f, 0.0f, 0.0f), Point3D(0.0f, 0.0f, 90.0f), Point3D(2.0f, 1.0f, 1.0f));
    ExpectNear(Transform(video().GetModelViewMatrix(), 1.0f, 0.0f, 0.0f), {10.0f, 2.0f, 0.0f});
    video().PopTransform();

    // About x, then y, then z: (0, 0, 1) turns to (1, 0, 0) about y and stays there about x.
    video().PushTransform(std::nullopt, Point3D(90.0f, 90.0f, 0.0f), std::nullopt);
    ExpectNear(Transform(video().GetModelViewMatrix(), 0.0f, 0.0f, 1.0f), {1.0f, 0.0f, 0.0f});
    video().PopTransform();

    video().PushTransform(std::nullopt, std::nullopt, std::nullopt);
    EXPECT_EQ(video().GetModelViewMatrix(), before);
    video().PopTransform();

    EXPECT_EQ(video().GetModelViewMatrix(), before);
    EXPECT_EQ(video().GetVideoInfo().GetNodes(), 3u);
    video().PopMatrix();
}

TEST_F(VideoEngineTest, TheAlphaStackIsLastInFirstOutAndEmptiedByEveryFrame)
{
    EXPECT_EQ(video().GetAlphaTop(), std::nullopt);
    video().PushAlpha(200);
    video().PushAlpha(50);
    EXPECT_EQ(video().GetAlphaTop(), 50);
    EXPECT_EQ(video().PopAlpha(), 50);
    EXPECT_EQ(video().PopAlpha(), 200);
    EXPECT_THROW((void)video().PopAlpha(), std::out_of_range);

    video().PushAlpha(10);
    video().PushTransform(std::nullopt, std::nullopt, std::nullopt);
    video().PopTransform();
    video().InitFrame();
    EXPECT_EQ(video().GetAlphaTop(), std::nullopt);
    EXPECT_EQ(video().GetVideoInfo().GetNodes(), 0u);
}

TEST_F(VideoEngineTest, TheWindowHasTheFixedOpenGlState)
{
    GLint depthBits = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depthBits);
    EXPECT_GE(depthBits, 16);
    EXPECT_GE(epoxy_gl_version(), 21);
    EXPECT_TRUE(epoxy_is_desktop_gl());

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_LIGHT_MODEL_LOCAL_VIEWER, &value);
    EXPECT_EQ(value, 1);
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &value);
    EXPECT_EQ(value, 0);
    std::array<GLfloat, 4> ambient{1.0f, 1.0f, 1.0f, 1.0f};
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
    EXPECT_EQ(ambient, (std::array<GLfloat, 4>{0.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(video().GetMaskData().GetRedMask(), 0x000000FFu);
    EXPECT_EQ(video().GetMaskData().GetAlphaMask(), 0xFF000000u);
}

// Opening a window that cannot exist, each case on its own engine (and SDL start).
TEST(VideoEngineStart, AColourDepthOtherThan16Or32IsRefused)
{
    EXPECT_THAT(
        [] {
            Engine engine(VideoSettings({64.0f, 64.0f}, 24, false, 1024), "t");
        },
        ::testing::ThrowsMessage<std::runtime_error>(::testing::StrEq("Ungültiger Farbmodus, Bit: 24")));
    SDL_Quit();
    Engine sixteen(VideoSettings({64.0f, 64.0f}, 16, false, 1024), "t");
    sixteen.CloseWindow();
    SDL_Quit();
}

TEST(VideoEngineStart, AWindowThatCannotOpenReportsSdlsReason)
{
    const Quarnel::TestSupport::LogRecorder log(false);
    EXPECT_THAT(
        [] {
            Engine engine(VideoSettings({100000.0f, 100000.0f}, 32, false, 1024), "t");
        },
        ::testing::ThrowsMessage<std::runtime_error>(::testing::StartsWith("Can't set Videomode: \n")));
    SDL_Quit();
    ASSERT_EQ(log.Warnings().size(), 1u);
    EXPECT_THAT(log.Warnings()[0], ::testing::StartsWith("Can't set Videomode: \n"));
    EXPECT_GT(log.Warnings()[0].size(), std::string("Can't set Videomode: \n").size());
}

// Restores an environment variable when it goes out of scope.
class EnvironmentOverride
{
public:
    explicit EnvironmentOverride(const char* variable) : name(variable)
    {
        if (const char* value = std::getenv(variable))
            saved = value;
        unsetenv(variable);
    }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;
    ~EnvironmentOverride()
    {
        if (saved)
            setenv(name, saved->c_str(), 1);
    }

private:
    const char* name;
    std::optional<std::string> saved;
};

TEST(VideoEngineStart, SdlsSilentFallbackToAHeadlessDriverIsRefused)
{
    const EnvironmentOverride driver("SDL_VIDEODRIVER");
    const EnvironmentOverride display("DISPLAY");
    const EnvironmentOverride wayland("WAYLAND_DISPLAY");
    const Quarnel::TestSupport::LogRecorder log(false);
    try
    {
        Engine engine(VideoSettings({64.0f, 64.0f}, 32, false, 1024), "t");
        const std::string chosen = SDL_GetCurrentVideoDriver();
        engine.CloseWindow();
        SDL_Quit();
        GTEST_SKIP() << "this machine offers the video driver " << chosen << " without a display";
    }
    catch (const std::runtime_error& error)
    {
        SDL_Quit();
        EXPECT_THAT(error.what(), ::testing::StartsWith("Can't initialize SDL:\nNo display found"));
        EXPECT_THAT(log.Warnings(), ::testing::ElementsAre(error.what()));
    }
}

} // namespace
