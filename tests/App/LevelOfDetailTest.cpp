#include "../Scene/AllocationCounter.h"
#include "Common/RandomNumber.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/Camera.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameTestSupport.h"
#include "Support/Pixels.h"
#include "app/System/Planet.h"
#include "app/System/Sphere.h"
#include "app/System/SphereDetail.h"
#include "app/System/Sun.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <gtest/gtest.h>
#include <limits>

namespace Zandrel::Tests
{
namespace
{

using Quarnel::Common::Point3D;
using Quarnel::TestSupport::Rgba;
using System::SphereDetail;

const Point3D Origin(0.0f, 0.0f, 0.0f);

TEST(SphereDetailChoice, TheFinestLevelFromTwentyFourPixelsOfRadiusAndCoarserOnesBelow)
{
    EXPECT_EQ(SphereDetail::ChooseLevel(std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(SphereDetail::ChooseLevel(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(SphereDetail::ChooseLevel(24.0f), 0);
    EXPECT_EQ(SphereDetail::ChooseLevel(23.9f), 1);
    EXPECT_EQ(SphereDetail::ChooseLevel(10.0f), 1);
    EXPECT_EQ(SphereDetail::ChooseLevel(9.9f), 2);
    EXPECT_EQ(SphereDetail::ChooseLevel(6.0f), 2);
    EXPECT_EQ(SphereDetail::ChooseLevel(5.9f), 3);
    EXPECT_EQ(SphereDetail::ChooseLevel(0.0f), 3);
}

TEST_F(GameTest, ThePixelRadiusFollowsTheCameraDistance)
{
    Bodies().AddPlanet("Planet", Origin, 1.0f, 50.0f);
    RunFrames(1);
    // The start camera is 150.3 units away: a sphere of radius 1 shows 1 × 2.414 × 384 / 150.3 pixels.
    const SphereDetail& detail = Bodies().GetDetail();
    EXPECT_NEAR(detail.PixelRadius(Origin, 0.5f), 6.17f, 0.05f);
    EXPECT_EQ(SphereDetail::ChooseLevel(detail.PixelRadius(Origin, 0.5f)), 2);
    EXPECT_FALSE(detail.IsOutsideView(Origin, 0.5f));
    EXPECT_TRUE(detail.IsOutsideView(Point3D(400.0f, 0.0f, 0.0f), 0.5f));
    // The batched planet is drawn: the window centre shows it, not the grey background.
    EXPECT_NE(Quarnel::TestSupport::ReadPixel(512, 384), (Rgba{96, 96, 96, 255}));

    game->GetCamera()->SetPosition(Point3D(8.0f, 5.0f, 12.0f));
    RunFrames(1);
    EXPECT_EQ(SphereDetail::ChooseLevel(Bodies().GetDetail().PixelRadius(Origin, 0.5f)), 0);
}

TEST_F(GameTest, ANearSunLooksAsItAlwaysHas)
{
    Quarnel::Common::RandomNumber::Seed(42);
    Bodies().AddSun("Sonne", Origin, 10000.0f, 100.0f);
    game->GetCamera()->SetPosition(Point3D(8.0f, 5.0f, 12.0f));
    RunFrames(3);
    // Seven by seven pixels, 30 apart, over the sun's disc and its edge, as the model drew them before bodies had
    // levels of detail.
    const Rgba expected[7][7] = {
        {Rgba{96, 96, 96, 255}, Rgba{154, 51, 3, 255}, Rgba{180, 90, 11, 255}, Rgba{175, 82, 7, 255},
         Rgba{194, 143, 34, 255}, Rgba{153, 50, 3, 255}, Rgba{96, 96, 96, 255}},
        {Rgba{149, 45, 4, 255}, Rgba{172, 75, 7, 255}, Rgba{164, 62, 7, 255}, Rgba{195, 117, 25, 255},
         Rgba{196, 134, 29, 255}, Rgba{189, 122, 24, 255}, Rgba{168, 74, 5, 255}},
        {Rgba{194, 146, 41, 255}, Rgba{184, 93, 13, 255}, Rgba{185, 101, 11, 255}, Rgba{182, 92, 8, 255},
         Rgba{162, 62, 4, 255}, Rgba{194, 121, 24, 255}, Rgba{183, 95, 13, 255}},
        {Rgba{198, 157, 46, 255}, Rgba{198, 148, 40, 255}, Rgba{198, 149, 39, 255}, Rgba{179, 84, 11, 255},
         Rgba{185, 95, 13, 255}, Rgba{161, 57, 5, 255}, Rgba{106, 24, 3, 255}},
        {Rgba{199, 187, 114, 255}, Rgba{157, 55, 8, 255}, Rgba{156, 57, 5, 255}, Rgba{185, 100, 13, 255},
         Rgba{146, 45, 0, 255}, Rgba{162, 61, 6, 255}, Rgba{153, 50, 11, 255}},
        {Rgba{198, 176, 95, 255}, Rgba{138, 40, 0, 255}, Rgba{162, 62, 5, 255}, Rgba{160, 60, 2, 255},
         Rgba{166, 67, 6, 255}, Rgba{155, 52, 5, 255}, Rgba{188, 111, 18, 255}},
        {Rgba{96, 96, 96, 255}, Rgba{174, 79, 4, 255}, Rgba{156, 52, 6, 255}, Rgba{151, 50, 6, 255},
         Rgba{138, 40, 2, 255}, Rgba{193, 112, 20, 255}, Rgba{96, 96, 96, 255}},
    };
    for (int row = 0; row < 7; ++row)
    {
        for (int column = 0; column < 7; ++column)
        {
            const int x = 422 + 30 * column;
            const int y = 294 + 30 * row;
            const Rgba actual = Quarnel::TestSupport::ReadPixel(x, y);
            EXPECT_TRUE(Quarnel::TestSupport::NearlyEqual(actual, expected[row][column]))
                << x << ", " << y << ": " << actual;
        }
    }
}

// The window's pixels around its centre that differ from a background frame, and their mean colour.
struct Blot
{
    static constexpr int Half = 12;
    std::array<std::array<bool, 2 * Half + 1>, 2 * Half + 1> covered{};
    std::array<double, 3> mean{};
    int count = 0;

    using Pixels = std::array<std::array<Rgba, 2 * Half + 1>, 2 * Half + 1>;

    static Pixels ReadPixels()
    {
        Pixels pixels;
        for (int dy = -Half; dy <= Half; ++dy)
        {
            for (int dx = -Half; dx <= Half; ++dx)
                pixels[static_cast<std::size_t>(dy + Half)][static_cast<std::size_t>(dx + Half)] =
                    Quarnel::TestSupport::ReadPixel(512 + dx, 384 + dy);
        }
        return pixels;
    }

    static Blot Read(const Pixels& background)
    {
        Blot blot;
        const Pixels pixels = ReadPixels();
        for (std::size_t y = 0; y < pixels.size(); ++y)
        {
            for (std::size_t x = 0; x < pixels.size(); ++x)
            {
                const Rgba pixel = pixels[y][x];
                if (Quarnel::TestSupport::NearlyEqual(pixel, background[y][x], 8))
                    continue;
                blot.covered[y][x] = true;
                blot.mean[0] += pixel.r;
                blot.mean[1] += pixel.g;
                blot.mean[2] += pixel.b;
                ++blot.count;
            }
        }
        for (double& channel : blot.mean)
            channel /= std::max(blot.count, 1);
        return blot;
    }

    // Whether every pixel covered here has a covered pixel of `other` at most one pixel away.
    [[nodiscard]] bool LiesNear(const Blot& other) const
    {
        for (int y = 0; y <= 2 * Half; ++y)
        {
            for (int x = 0; x <= 2 * Half; ++x)
            {
                if (!covered[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)])
                    continue;
                bool near = false;
                for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, 2 * Half); ++ny)
                {
                    for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, 2 * Half); ++nx)
                        near = near || other.covered[static_cast<std::size_t>(ny)][static_cast<std::size_t>(nx)];
                }
                if (!near)
                    return false;
            }
        }
        return true;
    }
};

class TinyBodyTest : public GameTest
{
protected:
    // Outside the reference planes, lit from the side by the light at the origin as the start camera sees it.
    static inline const Point3D Place{30.0f, 70.0f, 70.0f};

    // A body a few pixels across at the window's centre, drawn as a disc and then by the model (a whole turn of its
    // mesh makes it draw as a body of its own look), over the frame drawn without it.
    void ExpectTheDiscToLookLikeTheModel(const std::shared_ptr<System::Sphere>& body)
    {
        game->GetCamera()->SetTarget(Place);
        body->GetMeshNode()->SetVisible(false);
        RunFrames(2);
        const Blot::Pixels background = Blot::ReadPixels();
        body->GetMeshNode()->SetVisible(true);
        RunFrames(1);
        const float scale = body->GetMeshNode()->GetScale()->X();
        ASSERT_EQ(SphereDetail::ChooseLevel(Bodies().GetDetail().PixelRadius(body->GetPosition(), scale)),
                  SphereDetail::DiscLevel);
        const Blot disc = Blot::Read(background);
        body->GetMeshNode()->SetRotation(Point3D(0.0f, 0.0f, 360.0f));
        RunFrames(1);
        const Blot model = Blot::Read(background);
        EXPECT_GT(model.count, 12);
        EXPECT_TRUE(disc.LiesNear(model));
        EXPECT_TRUE(model.LiesNear(disc));
        // The disc's sectors are flat, so the narrow shaded band along the model's terminator and the texture's
        // finer grain differ; the mean stays within about a tenth of the full scale.
        for (std::size_t channel = 0; channel < 3; ++channel)
            EXPECT_NEAR(disc.mean[channel], model.mean[channel], 30.0) << "channel " << channel;
    }
};

// The planet is nearly as large as a disc gets (5.5 pixels of radius), the sun about 3 pixels.
TEST_F(TinyBodyTest, ATinyHalfLitPlanetLooksLikeTheModel)
{
    ExpectTheDiscToLookLikeTheModel(Bodies().AddPlanet("Planet", Place, 1.0f, 31.0f));
}

TEST_F(TinyBodyTest, ATinySunLooksLikeTheModel)
{
    ExpectTheDiscToLookLikeTheModel(Bodies().AddSun("Sonne", Place, 1.0f, 17.0f));
}

// Counted are the allocations of C++ code, ours and the standard library's, on every thread. Mesa's software
// renderer mallocs inside its draw calls (a few hundred times per frame here); those are the driver's own and not
// counted. The counted frames lie between two refreshes of the running time line: a changed text still makes its
// glyph pieces anew.
TEST_F(GameTest, ASteadyFrameOfManyBodiesAllocatesNothing)
{
    Quarnel::Common::RandomNumber::Seed(7);
    Bodies().AddSun("Sonne", Origin, 10000.0f, 100.0f);
    for (int body = 0; body < 200; ++body)
    {
        const auto coordinate = [] { return static_cast<float>(Quarnel::Common::RandomNumber::Get(0, 120)) - 60.0f; };
        const Point3D place(coordinate(), coordinate(), coordinate());
        Bodies().AddPlanet("Planet", place, 10.0f, static_cast<float>(Quarnel::Common::RandomNumber::Get(20, 80)));
    }
    // Steady means full trail rings; the first frames then size the batches, the trail arrays and the renderer's
    // state once.
    game->GetWorld().RunSteps(12 * Quarnel::GameEngine2D::Physics::SimulationClock::StepsPerSecond);
    RunFrames(3);

    Quarnel::SceneTests::StartCountingAllocations();
    RunFrames(3);
    EXPECT_EQ(Quarnel::SceneTests::StopCountingAllocations(), 0);
}

} // namespace
} // namespace Zandrel::Tests
