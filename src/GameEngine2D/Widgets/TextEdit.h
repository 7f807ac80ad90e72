#pragma once

#include "Common/Event.h"
#include "Common/Rect.h"
#include "Common/Subscription.h"
#include "GameEngine2D/Helper/Forward.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Widgets/Control.h"

#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Widgets
{

// A single-line input field. A click inside gives it the focus; while focused it takes typed characters,
// deletes the last character with Backspace, reports Enter and shows a blinking cursor after the text.
class TextEdit : public Control
{
public:
    // Appending stops once the text is this many bytes long (its UTF-8 form).
    static constexpr int DefaultMaxLength = 16;

    TextEdit(Frame& owner, const std::string& widgetName, const Common::Rect& rect, const std::string& text);
    ~TextEdit() override;

    // Stops the cursor's blinking for good, besides the control's own clean-up.
    void DisposeNode(Scene::IGameEngine& gameEngine) override;

    // After the control behaviour, a key press edits the text while the field is focused.
    void OnInput(bool inside, Input::EventType kind, const Input::KeyState& keys, Common::Point2D mouse) override;

    // Raised after every change of the text (also by Backspace on an empty text).
    [[nodiscard]] virtual Common::EventAddHandler<>& OnTextChanged();
    // Raised on Enter; the text stays as it is.
    [[nodiscard]] virtual Common::EventAddHandler<>& OnEnter();
    [[nodiscard]] virtual int GetMaxLength() const;
    virtual void SetMaxLength(int length);
    // Whether a typed piece of text may be appended; a text field takes everything.
    [[nodiscard]] virtual bool AcceptText(const std::string& piece) const;
    [[nodiscard]] virtual std::string GetText() const;
    // Sets the text (an unchanged text is not rendered again) and raises textChanged.
    virtual void SetText(const std::string& text);
    // Left to right the text starts at the field's left edge; right to left it ends 3 pixels before the right
    // edge.
    virtual void SetLeftToRight(bool leftToRight);

    [[nodiscard]] std::shared_ptr<Scene::TextNode> GetTextNode() const { return textNode; }
    [[nodiscard]] std::shared_ptr<Scene::TextNode> GetCursorNode() const { return cursorNode; }
    [[nodiscard]] std::shared_ptr<Helper::NodeFadeTransparent> GetBlink() const { return blink; }

protected:
    // The text node (named `name`) and the hidden cursor node (name + "_cursor") of a new field, made before the
    // field itself.
    struct Nodes
    {
        std::shared_ptr<Scene::TextNode> text;
        std::shared_ptr<Scene::TextNode> cursor;
    };
    [[nodiscard]] static Nodes CreateNodes(Frame& owner, const std::string& widgetName, const std::string& text);

    TextEdit(Frame& owner, const std::string& widgetName, const Common::Rect& rect, Nodes nodes);

private:
    void HandleKey(const Input::KeyState& keys);
    void PlaceCursor();
    // Keeps the cursor blinking while focused and fades it out otherwise.
    void BlinkStep();
    void OnFocus();

    std::shared_ptr<Scene::TextNode> textNode;
    std::shared_ptr<Scene::TextNode> cursorNode;
    std::shared_ptr<Helper::NodeFadeTransparent> blink;
    int maxLength = DefaultMaxLength;
    Common::Event<> enterPressed;
    Common::Event<> textChanged;
    bool disposed = false;
    Common::Subscription blinkArrived;
    Common::Subscription focusChanged;
};

} // namespace Quarnel::GameEngine2D::Widgets
