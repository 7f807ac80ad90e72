#include "GameEngine2D/Video/Font.h"

#include "GameEngine2D/Video/FontManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace
{

using Quarnel::Common::Color;
using Quarnel::GameEngine2D::Video::Font;
using Quarnel::GameEngine2D::Video::FontManager;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

constexpr const char* VeraFile = "daten//font//vera//Vera.ttf";

TEST(FontDescription, RefusesMissingPartsInTheOrderFileIdentifierSize)
{
    const Color white(255, 255, 255, 255);
    EXPECT_THAT([&] { Font("", "", 0, white); }, ThrowsMessage<std::invalid_argument>(StrEq("ttfFile nicht gesetzt")));
    EXPECT_THAT([&] { Font("", VeraFile, 0, white); },
                ThrowsMessage<std::invalid_argument>(StrEq("fontId nicht gesetzt")));
    EXPECT_THAT([&] { Font("id", VeraFile, 0, white); }, ThrowsMessage<std::invalid_argument>(StrEq("size <= 0")));
    EXPECT_THAT([&] { Font("id", VeraFile, -3, white); }, ThrowsMessage<std::invalid_argument>(StrEq("size <= 0")));
    EXPECT_NO_THROW(Font("id", VeraFile, 1, white));
}

TEST(FontManagerRegistry, NamesAFontAfterFileSizeAndColourWithoutAlpha)
{
    FontManager fonts;
    const std::string id = fonts.Create(VeraFile, 12, Color(255, 255, 255, 255));
    EXPECT_EQ(id, "daten//font//vera//Vera.ttf;12;r_255;g_255;b_255");
    const auto font = fonts.Get(id);
    EXPECT_EQ(font->GetFontId(), id);
    EXPECT_EQ(font->GetTtfFile(), VeraFile);
    EXPECT_EQ(font->GetSize(), 12);
    EXPECT_EQ(font->GetColor(), Color(255, 255, 255, 255));
}

TEST(FontManagerRegistry, RefusesASecondFontOfTheSameDescriptionAndKeepsTheFirst)
{
    FontManager fonts;
    const std::string id = fonts.Create(VeraFile, 12, Color(255, 255, 255, 255));
    const auto first = fonts.Get(id);
    // Only the alpha differs, and the alpha is no part of the identifier.
    EXPECT_THAT(
        [&] { (void)fonts.Create(VeraFile, 12, Color(255, 255, 255, 10)); },
        ThrowsMessage<std::runtime_error>(StrEq("Font " + id + " kann nicht erstellt werden - ist bereits vorhanden")));
    EXPECT_EQ(fonts.Get(id), first);
    EXPECT_NE(fonts.Create(VeraFile, 13, Color(255, 255, 255, 255)), id);
}

TEST(FontManagerRegistry, ReportsAnUnknownFont)
{
    FontManager fonts;
    EXPECT_THAT([&] { (void)fonts.Get("nix;1;r_0;g_0;b_0"); },
                ThrowsMessage<std::runtime_error>(StrEq("Font nix;1;r_0;g_0;b_0 ist nicht vorhanden.")));
}

TEST(FontManagerRegistry, ABadDescriptionRegistersNothing)
{
    FontManager fonts;
    EXPECT_THROW((void)fonts.Create("", 12, Color(0, 0, 0, 255)), std::invalid_argument);
    EXPECT_THROW((void)fonts.Create(VeraFile, 0, Color(0, 0, 0, 255)), std::invalid_argument);
    EXPECT_THROW((void)fonts.Get(";0;r_0;g_0;b_0"), std::runtime_error);
}

} // namespace
