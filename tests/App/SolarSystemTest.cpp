#include "App/GameTestSupport.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Video/Texture.h"
#include "Support/LogRecorder.h"
#include "Support/Pixels.h"
#include "app/System/Planet.h"
#include "app/System/Sun.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cmath>
#include <gmock/gmock.h>

namespace Zandrel::Tests
{
namespace
{

using Quarnel::Common::Color;
using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Video::Material;
using System::Item;
using System::Sphere;

const Point3D Origin(0.0f, 0.0f, 0.0f);

std::shared_ptr<Material> MaterialOf(const Sphere& body)
{
    return body.GetMeshNode()->GetMesh()->GetMaterial();
}

Color AmbientOf(const Sphere& body)
{
    return MaterialOf(body)->GetColors()->ambient;
}

TEST_F(GameTest, BodiesAreNumberedFromOneWhateverTheirKind)
{
    const auto planet = Bodies().AddPlanet("Planet", Point3D(10.0f, 0.0f, 0.0f), 5.0f, 50.0f);
    const auto sun = Bodies().AddSun("Sonne", Origin, 1000.0f, 100.0f);
    const auto second = Bodies().AddPlanet("Planet", Point3D(-10.0f, 0.0f, 0.0f), 5.0f, 50.0f);
    EXPECT_EQ(planet->GetId(), 1);
    EXPECT_EQ(sun->GetId(), 2);
    EXPECT_EQ(second->GetId(), 3);

    EXPECT_EQ(Bodies().GetItems(), (std::vector<std::shared_ptr<Item>>{planet, sun, second}));
    EXPECT_EQ(Bodies().GetChildren(), (Quarnel::GameEngine2D::Scene::Node::NodeList{planet, sun, second}));
    EXPECT_EQ(sun->GetParent(), &Bodies());
    EXPECT_EQ(sun->GetName(), "Sonne");
    EXPECT_EQ(sun->GetPosition(), Origin);
    EXPECT_EQ(sun->GetMass(), 1000.0f);

    // Each body is drawn by one mesh node of its kind's name, scaled to size / 100.
    EXPECT_EQ(planet->GetMeshNode()->GetName(), "planet_01");
    EXPECT_EQ(sun->GetMeshNode()->GetName(), "sun_01");
    EXPECT_EQ(planet->GetChildren(), (Quarnel::GameEngine2D::Scene::Node::NodeList{planet->GetMeshNode()}));
    EXPECT_EQ(planet->GetMeshNode()->GetScale(), Point3D(0.5f, 0.5f, 0.5f));
    EXPECT_EQ(sun->GetScaleFactor(), 1.0f);

    // Each body moves its own point mass of the scene's world.
    const auto& masses = game->GetWorld().GetMasses().List();
    ASSERT_EQ(masses.size(), 3u);
    EXPECT_EQ(&masses[1]->Target(), static_cast<Quarnel::Common::IMoveable*>(sun.get()));
    EXPECT_EQ(masses[1]->GetMass(), 1000.0f);
    EXPECT_EQ(masses[1]->OnSimulate().Count(), 1);
}

TEST_F(GameTest, IdentifiersWrapAfter65535AndFindItemReturnsTheOlderBody)
{
    std::shared_ptr<Item> above32767;
    std::shared_ptr<Item> last;
    for (int body = 1; body <= 65535; ++body)
    {
        last = Bodies().AddPlanet("Planet", Origin, 1.0f, 0.0f);
        if (body == 40000)
            above32767 = last;
    }
    EXPECT_EQ(last->GetId(), 65535);
    EXPECT_EQ(Bodies().FindItem(40000), above32767);
    EXPECT_EQ(Bodies().FindItem(32768)->GetId(), 32768);
    EXPECT_EQ(Bodies().FindItem(65535), last);
    EXPECT_EQ(Bodies().FindItem(0), nullptr);

    const auto zero = Bodies().AddSun("Sonne", Origin, 1.0f, 0.0f);
    const auto one = Bodies().AddPlanet("Planet", Origin, 1.0f, 0.0f);
    EXPECT_EQ(zero->GetId(), 0);
    EXPECT_EQ(one->GetId(), 1);
    EXPECT_EQ(Bodies().FindItem(0), zero);
    EXPECT_EQ(Bodies().FindItem(1), Bodies().GetItems().front());
}

TEST_F(GameTest, AHighlightedSunTurnsWhiteAndBackToItsOwnAmbient)
{
    const auto sun = Bodies().AddSun("Sonne", Origin, 1000.0f, 100.0f);
    const auto planet = Bodies().AddPlanet("Planet", Point3D(10.0f, 0.0f, 0.0f), 5.0f, 50.0f);
    EXPECT_EQ(AmbientOf(*sun), Color(200, 200, 200, 255));

    sun->SetHighlight(true);
    EXPECT_EQ(AmbientOf(*sun), Color(255, 255, 255, 255));
    EXPECT_EQ(AmbientOf(*planet), Color(0, 0, 0, 255));
    sun->SetHighlight(false);
    EXPECT_EQ(AmbientOf(*sun), Color(200, 200, 200, 255));

    planet->SetHighlight(true);
    EXPECT_EQ(AmbientOf(*planet), Color(255, 255, 255, 255));
    EXPECT_EQ(AmbientOf(*sun), Color(200, 200, 200, 255));
    planet->SetHighlight(false);
    EXPECT_EQ(AmbientOf(*planet), Color(0, 0, 0, 255));
}

TEST_F(GameTest, TwoPlanetsShareTheSphereBuffersButNotTheirMaterials)
{
    const auto first = Bodies().AddPlanet("Planet", Origin, 1.0f, 50.0f);
    const auto second = Bodies().AddPlanet("Planet", Origin, 1.0f, 50.0f);
    const auto firstBuffers = first->GetMeshNode()->GetMesh()->GetBuffers();
    const auto secondBuffers = second->GetMeshNode()->GetMesh()->GetBuffers();
    EXPECT_EQ(firstBuffers.vertices, secondBuffers.vertices);
    EXPECT_EQ(firstBuffers.normals, secondBuffers.normals);
    EXPECT_EQ(firstBuffers.count, secondBuffers.count);
    EXPECT_GT(firstBuffers.count, 0);

    ASSERT_NE(MaterialOf(*first), MaterialOf(*second));
    ASSERT_NE(MaterialOf(*first)->GetColors(), MaterialOf(*second)->GetColors());
    const Color diffuse = MaterialOf(*second)->GetColors()->diffuse;
    first->SetHighlight(true);
    MaterialOf(*first)->GetColors()->diffuse = Color(1, 2, 3, 255);
    MaterialOf(*first)->SetTexture(MaterialOf(*Bodies().AddSun("Sonne", Origin, 1.0f, 1.0f))->GetTexture());
    EXPECT_EQ(AmbientOf(*second), Color(0, 0, 0, 255));
    EXPECT_EQ(MaterialOf(*second)->GetColors()->diffuse, diffuse);
    EXPECT_EQ(MaterialOf(*second)->GetTexture(), nullptr);
    // Nor does a body change the model every later body copies.
    EXPECT_EQ(AmbientOf(*Bodies().AddPlanet("Planet", Origin, 1.0f, 50.0f)), Color(0, 0, 0, 255));
}

TEST_F(GameTest, ShutDownFindsTheSunImageGivenBackByEverySun)
{
    const Quarnel::TestSupport::LogRecorder log(true);
    Bodies().AddSun("Sonne", Origin, 1.0f, 100.0f);
    Bodies().AddSun("Sonne", Origin, 1.0f, 100.0f);
    offscreen.Dispose();
    EXPECT_TRUE(log.Has("Closing GameEngine"));
    EXPECT_FALSE(log.Has(std::string("FreeSurface-Warning: ") + System::Sun::TextureFile + " wird noch verwendet!"));
}

// The sun texture's colour range, read from the file itself.
struct ColorRange
{
    Color low{255, 255, 255, 255};
    Color high{0, 0, 0, 0};
};

ColorRange SunTextureRange()
{
    SDL_Surface* loaded = IMG_Load(System::Sun::TextureFile);
    EXPECT_NE(loaded, nullptr);
    ColorRange range;
    if (loaded == nullptr)
        return range;
    SDL_Surface* image = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    SDL_LockSurface(image);
    for (int y = 0; y < image->h; ++y)
    {
        const auto* row =
            static_cast<const std::uint8_t*>(image->pixels) + static_cast<std::ptrdiff_t>(y) * image->pitch;
        for (int x = 0; x < image->w; ++x)
        {
            const std::uint8_t* texel = row + static_cast<std::ptrdiff_t>(x) * 4;
            range.low = Color(std::min<int>(range.low.r, texel[0]), std::min<int>(range.low.g, texel[1]),
                              std::min<int>(range.low.b, texel[2]), 255);
            range.high = Color(std::max<int>(range.high.r, texel[0]), std::max<int>(range.high.g, texel[1]),
                               std::max<int>(range.high.b, texel[2]), 255);
        }
    }
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);
    return range;
}

TEST_F(GameTest, ASunAtTheOriginShowsItsTextureAtTheWindowCentre)
{
    Bodies().AddSun("Sonne", Origin, 1000.0f, 100.0f);
    RunFrames(1);
    const Quarnel::TestSupport::Rgba centre = Quarnel::TestSupport::ReadPixel(512, 384);
    const ColorRange texture = SunTextureRange();

    // Lit by its bright ambient colour (the light sits inside it), the sun shows the texture's own warm colours:
    // every channel within the texture's range, red above green above blue, nothing like the grey background.
    EXPECT_GT(centre.r, centre.g);
    EXPECT_GT(centre.g, centre.b);
    EXPECT_GT(centre.r - centre.b, 80);
    EXPECT_GE(centre.r, texture.low.r / 2);
    EXPECT_LE(centre.r, texture.high.r);
    EXPECT_LE(centre.g, texture.high.g);
    EXPECT_LE(centre.b, texture.high.b);
}

TEST_F(GameTest, ABodyTurnsAboutItsVerticalAxisWhileTheWorldRuns)
{
    const auto body = Bodies().AddPlanet("Planet", Origin, 1.0f, 50.0f);
    const float rate = body->GetSpin().Y();
    EXPECT_EQ(body->GetSpin().X(), 0.0f);
    EXPECT_EQ(body->GetSpin().Z(), 0.0f);
    EXPECT_GE(rate, -49.0f);
    EXPECT_LE(rate, 50.0f);
    EXPECT_EQ(rate, std::round(rate));

    RunFrames(11); // 10 frames of 16 ms after the first, which only starts the clock
    EXPECT_EQ(body->GetRotation().X(), 0.0f);
    // 160 ms of real time at ×1 hold 20 whole simulation steps of 1/128 s; the body turns once per step.
    EXPECT_NEAR(body->GetRotation().Y(), rate * 20.0f / 128.0f, 1e-4f);
}

} // namespace
} // namespace Zandrel::Tests
