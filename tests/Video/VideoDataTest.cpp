#include "GameEngine2D/Video/Data/MathW.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Video/Surface.h"
#include "GameEngine2D/Video/Surfaces.h"
#include "GameEngine2D/Video/Texture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Quarnel::GameEngine2D::Video
{
namespace
{

using ::testing::StrEq;
using ::testing::ThrowsMessage;

TEST(MathWTransform, AppliesTheAffinePartOfAColumnMajorMatrix)
{
    // Scale x by 2, swap in y from z, translate by (10, 20, 30); the fourth row would divide but is ignored.
    const std::array<float, 16> matrix{2, 0, 0, 5, 0, 0, 1, 5, 0, 1, 0, 5, 10, 20, 30, 9};
    const Data::VertexRecord moved = Data::MathW::Transform(matrix, {1, 2, 3});
    EXPECT_FLOAT_EQ(moved.x, 12.0f);
    EXPECT_FLOAT_EQ(moved.y, 23.0f);
    EXPECT_FLOAT_EQ(moved.z, 32.0f);
}

TEST(MaterialCopy, SharesTheTextureButGetsColoursOfItsOwn)
{
    Material original("box.obj.m");
    original.SetShininess(12);
    original.SetColors(std::make_shared<Data::LightColors>());
    const Material copy(original);

    copy.GetColors()->ambient = Common::Color(255, 255, 255, 255);
    EXPECT_EQ(original.GetColors()->ambient, Common::Color(0, 0, 0, 255));
    EXPECT_NE(copy.GetColors(), original.GetColors());
    EXPECT_EQ(copy.GetName(), "box.obj.m");
    EXPECT_EQ(copy.GetShininess(), 12);

    const Material withoutColours(Material("plain"));
    EXPECT_EQ(withoutColours.GetColors(), nullptr);
}

TEST(SurfaceTextureName, AnEmptyOrDeletedTextureCannotBeUsed)
{
    EXPECT_THAT(
        [] {
            Surface(GlTexture(), {8, 8}, {0, 0});
        },
        ThrowsMessage<std::invalid_argument>(StrEq("invalid texture-ID")));

    // No GL context exists here, so deleting the (made-up) name only forgets it.
    Surface part(GlTexture(7), {8, 8}, {0, 0});
    EXPECT_EQ(part.GetGlTextureId(), 7u);
    part.DeleteTexture();
    EXPECT_THAT([&] { (void)part.GetGlTextureId(); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("GlTextureId kann nicht mehr verwendet werden, da sie nicht mehr vorhanden ist")));
}

TEST(SurfacesConstruction, NeedsAnIdAndAtLeastOnePart)
{
    EXPECT_THAT([] { Surfaces("", {}, {1, 1}); }, ThrowsMessage<std::invalid_argument>(StrEq("Id ist nicht gesetzt")));
    EXPECT_THAT(
        [] {
            Surfaces("a", {}, {1, 1});
        },
        ThrowsMessage<std::invalid_argument>(StrEq("Surfaces sind nicht gesetzt")));
    EXPECT_THAT([] { Texture(nullptr); }, ThrowsMessage<std::invalid_argument>(StrEq("surfaces is null")));
}

} // namespace
} // namespace Quarnel::GameEngine2D::Video
