#include "GameEngine2D/Widgets/TextEdit.h"

#include "GameEngine2D/Animation/AnimationManager.h"
#include "GameEngine2D/Helper/NodeFadeTransparent.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "WidgetFixture.h"

#include <gmock/gmock.h>
#include <limits>
#include <random>

namespace Quarnel::WidgetTests
{

// A text field "teName" and a number field "neMass" side by side; clicking one focuses it.
class TextFields : public WidgetFixture
{
protected:
    TextFields()
    {
        frame->GetMainGroup()
            ->AddTextEdit("teName", Rect(Point3D(0.0f, 0.0f, 0.0f), Point3D(140.0f, 20.0f, 0.0f)), "")
            .AddNumberEdit("neMass", Rect(Point3D(0.0f, 40.0f, 0.0f), Point3D(140.0f, 20.0f, 0.0f)), "50");
        text = std::static_pointer_cast<Widgets::TextEdit>(frame->GetMainGroup()->GetControl("teName"));
        number = std::static_pointer_cast<Widgets::NumberEdit>(frame->GetMainGroup()->GetControl("neMass"));
        text->OnTextChanged().Add(Common::Handler<>([this] { ++changes; }));
        Draw();
        Move(1.0f, 1.0f);
    }

    void FocusText() { Click(FrameX + 10.0f, FrameY + 10.0f); }
    void FocusNumber() { Click(FrameX + 10.0f, FrameY + 50.0f); }

    std::shared_ptr<Widgets::Frame> frame = MakeFrame(RecordingCallback());
    std::shared_ptr<Widgets::TextEdit> text;
    std::shared_ptr<Widgets::NumberEdit> number;
    int changes = 0;
};

TEST_F(TextFields, TypingReachesOnlyTheFocusedField)
{
    Type("x");
    EXPECT_EQ(text->GetText(), "");
    FocusText();
    Type("Sonne ä");
    EXPECT_EQ(text->GetText(), "Sonne ä");
    EXPECT_EQ(changes, 7);
    FocusNumber();
    EXPECT_FALSE(text->IsFocused());
    Type("1");
    EXPECT_EQ(text->GetText(), "Sonne ä");
    EXPECT_EQ(number->GetText(), "501");
}

TEST_F(TextFields, BackspaceRemovesOneCharacterNotOneByte)
{
    FocusText();
    text->SetText("aä");
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(text->GetText(), "a");
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(text->GetText(), "");
    text->SetText("ä");
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(text->GetText(), "");
    changes = 0;
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(text->GetText(), "");
    EXPECT_EQ(changes, 1);
    // A broken sequence at the end loses one byte at a time, never more than it holds.
    text->SetText(std::string("ab\xC3"));
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(text->GetText(), "ab");
}

TEST_F(TextFields, AppendingStopsAtTheMaximumLengthInBytes)
{
    FocusText();
    text->SetText("123456789012345");
    Type("a");
    EXPECT_EQ(text->GetText(), "123456789012345a");
    Type("b");
    EXPECT_EQ(text->GetText(), "123456789012345a");
    text->SetMaxLength(0);
    text->SetText("");
    Type("c");
    EXPECT_EQ(text->GetText(), "");
}

TEST_F(TextFields, EnterIsReportedAndLeavesTheTextAsItWas)
{
    int enters = 0;
    text->OnEnter().Add(Common::Handler<>([&] { ++enters; }));
    FocusText();
    Type("Erde");
    changes = 0;
    Press(SDLK_RETURN);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(text->GetText(), "Erde");
    EXPECT_EQ(changes, 0);
}

TEST_F(TextFields, NumberFieldTakesOnlyDigits)
{
    FocusNumber();
    number->SetText("");
    Type("a-.+ x,e1");
    Type("\xC2\xB2"); // superscript two, a Latin-1 character
    EXPECT_EQ(number->GetText(), "1");
    Type("0123456789");
    EXPECT_EQ(number->GetText(), "10123456789");
}

TEST_F(TextFields, NumberFieldReadsItsTextAsIntegerAndFloat)
{
    number->SetText("042");
    EXPECT_EQ(number->GetInteger(), 42);
    EXPECT_FLOAT_EQ(number->GetFloat(), 42.0f);
    number->SetText("");
    EXPECT_EQ(number->GetInteger(), 0);
    EXPECT_EQ(number->GetFloat(), 0.0f);
    number->SetText("9999999999999999");
    EXPECT_EQ(number->GetInteger(), 9999999999999999);
    EXPECT_FLOAT_EQ(number->GetFloat(), 1e16f);
    number->SetText("99999999999999999999999");
    EXPECT_EQ(number->GetInteger(), std::numeric_limits<std::int64_t>::max());
    number->SetText("12abc");
    EXPECT_EQ(number->GetInteger(), 0);
    EXPECT_EQ(number->GetFloat(), 0.0f);
    // The whole text or nothing, even when the digits alone would overflow.
    number->SetText("9999999999999999999f");
    EXPECT_EQ(number->GetInteger(), 0);
    EXPECT_EQ(number->GetFloat(), 0.0f);
    // Beyond the float range, however far: the largest float.
    for (const char* beyond : {"1e39", "1e999"})
    {
        number->SetText(beyond);
        EXPECT_EQ(number->GetFloat(), std::numeric_limits<float>::max()) << beyond;
    }
    // Sixteen typed digits round once, straight to float (through double this gives 9007199254740992).
    number->SetText("9007199791611905");
    EXPECT_EQ(number->GetFloat(), 9007200328482816.0f);
}

TEST_F(TextFields, RightToLeftTextEndsThreePixelsBeforeTheRightEdge)
{
    text->SetLeftToRight(false);
    EXPECT_EQ(text->GetTextNode()->GetPosition(), Point3D(137.0f, 0.0f, 0.1f));
    FocusText();
    EXPECT_EQ(text->GetCursorNode()->GetPosition(), Point3D(137.0f, 2.0f, 0.5f));
    text->SetLeftToRight(true);
    Type("ab");
    const float width = text->GetTextNode()->GetSize()->X();
    EXPECT_EQ(text->GetCursorNode()->GetPosition(), Point3D(width + 3.0f, 2.0f, 0.6f));
}

TEST_F(TextFields, CursorBlinksWhileFocusedAndFadesOutWhenTheFocusLeaves)
{
    const auto cursor = text->GetCursorNode();
    EXPECT_FALSE(cursor->IsVisible());
    FocusText();
    int highest = 0;
    bool hiddenAgain = false;
    for (int frameIndex = 0; frameIndex < 200 && !hiddenAgain; ++frameIndex)
    {
        Draw();
        highest = std::max(highest, cursor->GetAlpha());
        hiddenAgain = highest == 255 && !cursor->IsVisible();
    }
    EXPECT_EQ(highest, 255);
    EXPECT_TRUE(hiddenAgain);

    FocusNumber();
    for (int frameIndex = 0; frameIndex < 100; ++frameIndex)
        Draw();
    EXPECT_FALSE(cursor->IsVisible());
    EXPECT_FALSE(text->GetBlink()->IsRunning());
}

TEST_F(TextFields, DisposedFieldStopsBlinking)
{
    FocusText();
    Draw();
    ASSERT_TRUE(text->GetBlink()->IsRunning());
    const int running = scene->GetAnimationManager().Count();
    text->Dispose(Engine());
    EXPECT_FALSE(text->GetBlink()->IsRunning());
    Draw();
    EXPECT_EQ(scene->GetAnimationManager().Count(), running - 1);
}

TEST_F(TextFields, RapidMixedInputNeverBreaksAField)
{
    std::mt19937 random(7);
    const std::string pieces[] = {"1", "9", "a", "-", ".", "ä", " ", "0"};
    for (int step = 0; step < 3000; ++step)
    {
        switch (random() % 6)
        {
        case 0:
            FocusText();
            break;
        case 1:
            FocusNumber();
            break;
        case 2:
            Press(SDLK_BACKSPACE);
            break;
        case 3:
            Move(static_cast<float>(random() % 1024), static_cast<float>(random() % 768));
            break;
        default:
            Type(pieces[random() % 8]);
            break;
        }
        if (step % 50 == 0)
            Draw();
        ASSERT_LE(number->GetText().size(), 17u);
        ASSERT_LE(text->GetText().size(), 17u);
    }
    (void)number->GetInteger();
    (void)number->GetFloat();
}

} // namespace Quarnel::WidgetTests
