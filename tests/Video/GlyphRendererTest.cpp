#include "GameEngine2D/Video/GlyphRenderer.h"

#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Font.h"
#include "GameEngine2D/Video/FontManager.h"
#include "GameEngine2D/Video/ImageLoader.h"
#include "GameEngine2D/Video/SurfaceManager.h"
#include "GameEngine2D/Video/Surfaces.h"
#include "GameEngine2D/Video/Texture.h"
#include "Support/LogRecorder.h"
#include "Support/OffscreenEngine.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace
{

using namespace Quarnel;
using Common::Color;
using GameEngine2D::Video::Font;
using GameEngine2D::Video::GlyphRenderer;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* VeraFile = "daten/font/vera/Vera.ttf";

TEST(GlyphKeys, SplitUtf8IntoCodePointsWithoutLosingOrOverreadingBytes)
{
    EXPECT_THAT(GlyphRenderer::SplitCharacters("Hallo"), ElementsAre("H", "a", "l", "l", "o"));
    EXPECT_THAT(GlyphRenderer::SplitCharacters("gr\xC3\xBC\xC3\x9F \xE2\x82\xAC\xF0\x9F\x98\x80"),
                ElementsAre("g", "r", "\xC3\xBC", "\xC3\x9F", " ", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"));
    EXPECT_TRUE(GlyphRenderer::SplitCharacters("").empty());
    // A cut-off sequence at the end, a stray continuation byte, an overlong form and a surrogate each give single
    // bytes.
    EXPECT_THAT(GlyphRenderer::SplitCharacters("a\xE2\x82"), ElementsAre("a", "\xE2", "\x82"));
    EXPECT_THAT(GlyphRenderer::SplitCharacters("\x80z"), ElementsAre("\x80", "z"));
    EXPECT_THAT(GlyphRenderer::SplitCharacters("\xC0\xAF"), ElementsAre("\xC0", "\xAF"));
    EXPECT_THAT(GlyphRenderer::SplitCharacters("\xED\xA0\x80"), ElementsAre("\xED", "\xA0", "\x80"));
}

TEST(GlyphKeys, NameTheFontAndTheCharacter)
{
    const Font font("f;12;r_1;g_2;b_3", VeraFile, 12, Color(1, 2, 3, 255));
    EXPECT_EQ(GlyphRenderer::GlyphKey(font, "\xC3\xBC"), "[genericFont|f;12;r_1;g_2;b_3|\xC3\xBC");
}

class Glyphs : public ::testing::Test
{
protected:
    Glyphs() : offscreen(GameEngine2D::Video::VideoSettings({64.0f, 64.0f}, 32, false, 1024)) {}

    GameEngine2D::Video::Engine& video() { return offscreen.Video(); }
    GlyphRenderer Renderer() { return GlyphRenderer(video().GetImages(), video().GetSurfaceManager()); }
    std::shared_ptr<Font> MakeFont(const std::string& file, Color color = Color(255, 255, 255, 255))
    {
        return fonts.Get(fonts.Create(file, 12, color));
    }

    TestSupport::OffscreenEngine offscreen;
    GameEngine2D::Video::FontManager fonts;
};

TEST_F(Glyphs, HalloRendersFourCharactersOnceAndThenComesFromTheCache)
{
    const auto font = MakeFont(VeraFile);
    GlyphRenderer renderer = Renderer();
    const auto first = renderer.CreateTextSurfaces("Hallo", font);
    ASSERT_EQ(first.size(), 5u);
    EXPECT_EQ(renderer.GetRenderedGlyphs(), 4u);
    EXPECT_EQ(renderer.GetOpenedFonts(), 1u);
    EXPECT_EQ(first[2], first[3]) << "the second l is the first one's image";
    EXPECT_EQ(first[0]->GetId(), GlyphRenderer::GlyphKey(*font, "H"));
    EXPECT_GT(first[0]->GetSize().x, 0.0f);

    GlyphRenderer again = Renderer();
    const auto second = again.CreateTextSurfaces("Hallo", font);
    EXPECT_EQ(again.GetRenderedGlyphs(), 0u);
    EXPECT_EQ(again.GetOpenedFonts(), 0u);
    EXPECT_EQ(second, first);
    EXPECT_EQ(video().GetSurfaceManager().GetReferences(GlyphRenderer::GlyphKey(*font, "l")), 4);
}

TEST_F(Glyphs, AFullyCachedTextNeverTouchesTheFontFile)
{
    // A copy of the font that is deleted after the first text: the second text must not need it.
    const std::filesystem::path copy = std::filesystem::temp_directory_path() / "zandrel_glyph_test_font.ttf";
    std::filesystem::copy_file(VeraFile, copy, std::filesystem::copy_options::overwrite_existing);
    const auto font = MakeFont(copy.string());
    const auto textures = video().GetImages().CreateTextTextures("Hallo", font);
    std::filesystem::remove(copy);

    EXPECT_EQ(video().GetImages().CreateTextTextures("lalaH", font).size(), 5u);
    EXPECT_THROW((void)video().GetImages().CreateTextTextures("Hallx", font), std::runtime_error)
        << "a new character needs the file";
    for (const auto& texture : textures)
        video().GetImages().FreeTexture(*texture);
}

TEST_F(Glyphs, UmlautsAreOneEntryAndColoursKeepTheirOwnImages)
{
    const auto white = MakeFont(VeraFile);
    const auto red = MakeFont(VeraFile, Color(255, 0, 0, 255));
    GlyphRenderer renderer = Renderer();
    const auto whiteText = renderer.CreateTextSurfaces("\xC3\xBC", white);
    const auto redText = renderer.CreateTextSurfaces("\xC3\xBC", red);
    ASSERT_EQ(whiteText.size(), 1u);
    ASSERT_EQ(redText.size(), 1u);
    EXPECT_EQ(whiteText[0]->GetId(), "[genericFont|" + white->GetFontId() + "|\xC3\xBC");
    EXPECT_NE(whiteText[0]->GetId(), redText[0]->GetId());
    EXPECT_EQ(renderer.GetRenderedGlyphs(), 2u);
}

TEST_F(Glyphs, AnEmptyTextGivesNothingAndOpensNothing)
{
    GlyphRenderer renderer = Renderer();
    EXPECT_TRUE(renderer.CreateTextSurfaces("", MakeFont("daten/font/none.ttf")).empty());
    EXPECT_EQ(renderer.GetOpenedFonts(), 0u);
    EXPECT_THAT([&] { (void)renderer.CreateTextSurfaces("a", nullptr); },
                ::testing::ThrowsMessage<std::invalid_argument>(::testing::StrEq("font is null")));
}

TEST_F(Glyphs, AFileThatIsNoFontIsAClearErrorAndCachesNothing)
{
    const std::filesystem::path fake = std::filesystem::temp_directory_path() / "zandrel_not_a_font.ttf";
    std::ofstream(fake) << "this is no TrueType font\n";
    const auto font = MakeFont(fake.string());
    TestSupport::LogRecorder log;
    GlyphRenderer renderer = Renderer();
    try
    {
        (void)renderer.CreateTextSurfaces("ab", font);
        ADD_FAILURE() << "no error";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_THAT(error.what(), HasSubstr(fake.string()));
    }
    std::filesystem::remove(fake);
    EXPECT_TRUE(log.Has("Fehler, Open Font :("));
    EXPECT_FALSE(video().GetSurfaceManager().GetReferences(GlyphRenderer::GlyphKey(*font, "a")).has_value());
    EXPECT_THROW((void)renderer.CreateTextSurfaces("a", MakeFont("daten/font/missing.ttf")), std::runtime_error);
}

} // namespace
