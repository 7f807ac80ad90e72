#include "GameEngine2D/Widgets/TextEdit.h"

#include "GameEngine2D/Helper/NodeFadeTransparent.h"
#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Frame.h"

#include <cstddef>
#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

namespace
{
// The 0.1 depth lifts the text above the field's background.
constexpr Common::Point3D TextPosition(0.0f, 0.0f, 0.1f);
// The cursor glyph.
constexpr const char* CursorGlyph = "l";
// The cursor fades between hidden and opaque with an accelerating step of up to 22 alpha units per frame.
constexpr float BlinkAcceleration = 22.0f;
constexpr float BlinkMaxStep = 22.0f;
constexpr int Hidden = 0;
constexpr int Opaque = 255;
// Right to left, the text ends this far before the field's right edge; the cursor keeps the same distance
// behind the text when it runs left to right.
constexpr float EdgeGap = 3.0f;
constexpr float CursorDrop = 2.0f;
constexpr float CursorLift = 0.5f;

[[nodiscard]] bool IsContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0u) == 0x80u;
}

// Number of bytes of the UTF-8 sequence that `lead` starts; 0 when it starts none.
[[nodiscard]] std::size_t SequenceLength(char lead)
{
    const auto byte = static_cast<unsigned char>(lead);
    if (byte < 0x80u)
        return 1;
    if ((byte & 0xE0u) == 0xC0u)
        return 2;
    if ((byte & 0xF0u) == 0xE0u)
        return 3;
    if ((byte & 0xF8u) == 0xF0u)
        return 4;
    return 0;
}

// The text without its last character (code point). A broken sequence at the end loses one byte, as a decoder
// would drop the one replacement character it makes of it.
[[nodiscard]] std::string DropLastCharacter(std::string text)
{
    if (text.empty())
        return text;
    const std::size_t size = text.size();
    std::size_t start = size - 1;
    while (start > 0 && size - start < 4 && IsContinuationByte(text[start]))
        --start;
    if (SequenceLength(text[start]) == size - start)
        text.erase(start);
    else
        text.erase(size - 1);
    return text;
}

[[nodiscard]] bool IsDown(const Input::KeyState& keys, Input::Keys key)
{
    return keys.at(static_cast<std::size_t>(key)) != 0;
}
} // namespace

TextEdit::Nodes TextEdit::CreateNodes(Frame& owner, const std::string& widgetName, const std::string& text)
{
    Scene::NodeFactory& factory = owner.GetScene().GetNodeFactory();
    Nodes nodes{factory.CreateTextNode(widgetName, TextPosition, owner.GetFont(), text),
                factory.CreateTextNode(widgetName + "_cursor", TextPosition, owner.GetFont(), CursorGlyph)};
    nodes.cursor->SetVisible(false);
    return nodes;
}

TextEdit::TextEdit(Frame& owner, const std::string& widgetName, const Common::Rect& rect, const std::string& text) :
    TextEdit(owner, widgetName, rect, CreateNodes(owner, widgetName, text))
{
}

TextEdit::TextEdit(Frame& owner, const std::string& widgetName, const Common::Rect& rect, Nodes nodes) :
    Control(widgetName, owner, WidgetType::TextEdit, rect, true, -1),
    textNode(std::move(nodes.text)),
    cursorNode(std::move(nodes.cursor)),
    blink(std::make_shared<Helper::NodeFadeTransparent>(owner.GetScene(), cursorNode, Hidden, BlinkAcceleration,
                                                        BlinkMaxStep))
{
    AddChild(textNode);
    AddChild(cursorNode);
    blinkArrived = blink->Arrived().Subscribe([this](Scene::Node& /*node*/) { BlinkStep(); });
    focusChanged = OnFocusChanged().Subscribe([this] { OnFocus(); });
}

TextEdit::~TextEdit() = default;

void TextEdit::DisposeNode(Scene::IGameEngine& gameEngine)
{
    Control::DisposeNode(gameEngine);
    disposed = true;
    blink->Stop();
}

void TextEdit::OnInput(bool inside, Input::EventType kind, const Input::KeyState& keys, Common::Point2D mouse)
{
    Control::OnInput(inside, kind, keys, mouse);
    if (IsFocused() && kind == Input::EventType::KeyDown)
        HandleKey(keys);
}

void TextEdit::HandleKey(const Input::KeyState& keys)
{
    if (IsDown(keys, Input::Keys::Backspace))
    {
        SetText(DropLastCharacter(GetText()));
    }
    else if (IsDown(keys, Input::Keys::Return))
    {
        enterPressed.Call();
    }
    else
    {
        const std::string piece = GetFrame().GetScene().GetEventManager().GetUnicodeText();
        const std::string text = GetText();
        if (!piece.empty() && static_cast<long long>(text.size()) < maxLength && AcceptText(piece))
            SetText(text + piece);
    }
    PlaceCursor();
}

void TextEdit::PlaceCursor()
{
    if (textNode->IsLeftToRight())
    {
        const float textWidth = textNode->GetSize().value_or(Common::Point3D()).X();
        cursorNode->SetPosition(textNode->GetPosition() + Common::Point3D(textWidth + EdgeGap, CursorDrop, CursorLift));
        return;
    }
    const float fieldWidth = GetSize().value_or(Common::Point3D()).X();
    cursorNode->SetPosition(Common::Point3D(fieldWidth - EdgeGap, CursorDrop, CursorLift));
}

void TextEdit::BlinkStep()
{
    if (disposed)
        return;
    if (IsFocused())
        blink->SetTargetAlpha(cursorNode->IsVisible() ? Hidden : Opaque);
    else if (cursorNode->IsVisible())
        blink->SetTargetAlpha(Hidden);
}

void TextEdit::OnFocus()
{
    BlinkStep();
    if (IsFocused())
        PlaceCursor();
}

Common::EventAddHandler<>& TextEdit::OnTextChanged()
{
    return textChanged.GetAddHandler();
}

Common::EventAddHandler<>& TextEdit::OnEnter()
{
    return enterPressed.GetAddHandler();
}

int TextEdit::GetMaxLength() const
{
    return maxLength;
}

void TextEdit::SetMaxLength(int length)
{
    maxLength = length;
}

bool TextEdit::AcceptText(const std::string& /*piece*/) const
{
    return true;
}

std::string TextEdit::GetText() const
{
    return textNode->GetText();
}

void TextEdit::SetText(const std::string& text)
{
    textNode->SetText(text);
    textChanged.Call();
}

void TextEdit::SetLeftToRight(bool leftToRight)
{
    textNode->SetLeftToRight(leftToRight);
    if (leftToRight)
    {
        textNode->SetPosition(TextPosition);
        return;
    }
    const float fieldWidth = GetSize().value_or(Common::Point3D()).X();
    textNode->SetPosition(Common::Point3D(fieldWidth - EdgeGap, 0.0f, TextPosition.Z()));
}

} // namespace Quarnel::GameEngine2D::Widgets
