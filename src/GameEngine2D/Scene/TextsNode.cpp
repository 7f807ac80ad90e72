#include "GameEngine2D/Scene/TextsNode.h"

#include "Common/Helper.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/TextNode.h"

#include <algorithm>
#include <string_view>

namespace Quarnel::GameEngine2D::Scene
{

namespace
{

// The lines of a text: split at each line feed, a carriage return right before it dropped. The text after the last line
// feed is always a line, so "" gives one empty line and a text ending in a line feed ends with an empty one.
std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> result;
    while (true)
    {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
        {
            result.emplace_back(text);
            return result;
        }
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        result.emplace_back(line);
        text.remove_prefix(end + 1);
    }
}

} // namespace

TextsNode::TextsNode(std::string nodeName, Common::Point3D nodePosition, std::shared_ptr<Video::Font> textFont,
                     const std::string& nodeText, NodeFactory& factory) :
    EmptyNode(std::move(nodeName), nodePosition, Common::Point3D(0.0f, 0.0f, 0.0f)),
    font(std::move(textFont)),
    nodeFactory(factory)
{
    SetText(nodeText);
}

void TextsNode::SetText(const std::string& value)
{
    Common::MyLog::Info("TextsNode, ChangeText: " + value);
    if (value == text)
        return;
    DisposeChildren(nodeFactory.GetGameEngine());
    lines.clear();

    Common::Point3D linePosition(0.0f, 0.0f, 0.0f);
    float widest = 0.0f;
    const std::vector<std::string> texts = SplitLines(value);
    for (std::size_t i = 0; i < texts.size(); ++i)
    {
        if (lines.size() < i + 1)
        {
            auto line = nodeFactory.CreateTextNode(GetName() + "_" + std::to_string(i),
                                                   Common::Point3D(0.0f, 0.0f, 0.0f), font, "");
            line->SetColor(color);
            lines.push_back(line);
            AddChild(line);
        }
        TextNode& line = *lines[i];
        line.SetText(texts[i]);
        line.SetPosition(linePosition);
        const Common::Point3D lineSize = line.GetSize().value_or(Common::Point3D());
        Common::MyLog::Info("Line: " + texts[i] + ", hight: " + Common::Helper::FloatToString(lineSize.Y()));
        linePosition = linePosition + Common::Point3D(0.0f, lineSize.Y(), 0.0f);
        widest = std::max(widest, lineSize.X());
    }
    text = value;
    SetSize(Common::Point3D(widest, linePosition.Y(), 0.0f));
    Common::MyLog::Info("TextsNode, ChangedText: " + value);
}

void TextsNode::SetColor(Common::Color value)
{
    color = value;
    for (const auto& line : lines)
        line->SetColor(value);
}

} // namespace Quarnel::GameEngine2D::Scene
