#include "GameEngine2D/Scene/Node.h"

#include "Common/Helper.h"
#include "Common/MyLog.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Video/Engine.h"

#include <algorithm>
#include <fmt/format.h>
#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Scene
{

Node::Node(std::string nodeName, Common::Point3D nodePosition, std::optional<Common::Point3D> nodeSize) :
    name(std::move(nodeName)),
    position(nodePosition),
    size(nodeSize)
{
    Common::MyLog::Info("new Node: " + name);
}

Node::~Node() = default;

Common::EventAddHandler<>& Node::OnPositionChanged()
{
    return positionChanged.GetAddHandler();
}

const std::string& Node::GetName() const
{
    return name;
}

void Node::AddChild(std::shared_ptr<Node> child)
{
    // A null entry would crash the next traversal far from the mistake; refuse it here.
    if (!child)
        throw std::invalid_argument("child is null");
    // A node below itself would make the traversal recurse without end and the tree own itself.
    bool cycle = child.get() == this;
    for (std::shared_ptr<Node> ancestor = parent.lock(); ancestor && !cycle; ancestor = ancestor->parent.lock())
        cycle = ancestor == child;
    if (cycle)
        throw std::invalid_argument("Node " + child->GetName() + " can't be added below itself");
    Node& added = *child;
    children.push_back(std::move(child));
    ++childrenVersion;
    added.SetParent(*this);
}

void Node::Dispose(GameEngine& gameEngine)
{
    Common::MyLog::Info("Dispose " + name);
    DisposeChildren(gameEngine);
    try
    {
        DisposeNode(gameEngine);
    }
    catch (...)
    {
        // One failing clean-up must not keep the rest of the tree from being released.
        const std::string message = Common::Helper::MessageOf(std::current_exception());
        Common::MyLog::Info("Error in DisposeNode at Node " + name);
        Common::MyLog::Warning(message);
    }
}

void Node::Update(GameEngine& gameEngine)
{
    try
    {
        Video::Engine& video = gameEngine.GetVideoEngine();
        video.PushTransform(position, rotation, scale);
        if (alpha)
            video.PushAlpha(*alpha);
        UpdateNode(gameEngine);
        // The count is read once: a child added while the tree is drawn waits for the next frame, and one
        // removed meanwhile makes the checked GetChild throw instead of reading past the end. Holding the
        // child's owner keeps it alive even if it removes itself while it draws.
        const int count = GetChildCount();
        for (int index = 0; index < count; ++index)
        {
            const std::shared_ptr<Node> child = GetChild(index);
            if (child->IsVisible())
                child->Update(gameEngine);
        }
        EndUpdate(gameEngine);
    }
    catch (...)
    {
        // Every ancestor adds its own pair of lines, so the log shows the path from the failing node up.
        const std::string message = Common::Helper::MessageOf(std::current_exception());
        Common::MyLog::Info("Fehler in Node.Update");
        Common::MyLog::Info(fmt::format("Error in Node.Update ({0}): {1}", name, message));
        throw std::runtime_error(fmt::format("Node.Update Error in Node {0}", name));
    }
}

void Node::EndUpdate(GameEngine& gameEngine)
{
    Video::Engine& video = gameEngine.GetVideoEngine();
    if (alpha)
        video.PopAlpha();
    video.PopTransform();
}

bool Node::IsVisible() const
{
    return visible;
}

void Node::SetVisible(bool value)
{
    visible = value;
}

Common::Point3D Node::GetPosition() const
{
    return position;
}

void Node::SetPosition(Common::Point3D value)
{
    position = value;
    positionChanged.Call();
}

bool Node::IsMarked() const
{
    return marked;
}

std::optional<Common::Point3D> Node::GetSize() const
{
    if (!scale || !size)
        return size;
    return *size * *scale;
}

void Node::SetSize(std::optional<Common::Point3D> value)
{
    size = value;
}

Common::Point3D Node::GetRotation() const
{
    return rotation.value_or(Common::Point3D(0.0f, 0.0f, 0.0f));
}

void Node::SetRotation(std::optional<Common::Point3D> value)
{
    rotation = value;
}

std::optional<Common::Point3D> Node::GetScale() const
{
    return scale;
}

void Node::SetScale(std::optional<Common::Point3D> value)
{
    scale = value;
}

const Node::NodeList& Node::GetChildren() const
{
    return children;
}

std::shared_ptr<Node> Node::GetChild(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= children.size())
        throw std::out_of_range(
            fmt::format("Node {0}: child index {1} is out of range, {2} children", name, index, children.size()));
    return children[static_cast<std::size_t>(index)];
}

std::shared_ptr<Node> Node::FindChild(std::string_view childName) const
{
    const auto found = std::ranges::find_if(children, [&](const auto& child) { return child->GetName() == childName; });
    return found == children.end() ? nullptr : *found;
}

int Node::GetChildCount() const
{
    return static_cast<int>(children.size());
}

void Node::RemoveChild(const std::shared_ptr<Node>& child, GameEngine& gameEngine)
{
    if (!child)
        throw std::runtime_error("Node.RemoveChild " + name + ": node is null");
    // Looked up by name, then compared by identity: of two children with the same name only the first
    // can be removed.
    const std::shared_ptr<Node> found = FindChild(child->GetName());
    if (found != child)
        throw std::runtime_error("Node " + child->GetName() + " can't be removed; is no child of " + name);
    found->Dispose(gameEngine);
    // Searched again: the child's disposal may have changed this list.
    if (const auto entry = std::ranges::find(children, found); entry != children.end())
    {
        children.erase(entry);
        ++childrenVersion;
    }
}

void Node::DisposeChildren(GameEngine& gameEngine)
{
    try
    {
        const unsigned version = childrenVersion;
        for (std::size_t index = 0; index < children.size(); ++index)
        {
            const std::shared_ptr<Node> child = children[index];
            child->Dispose(gameEngine);
            // A child that adds or removes siblings while it is disposed breaks the walk; stop instead of
            // skipping or repeating nodes.
            if (childrenVersion != version)
                throw std::runtime_error("Collection modified during iteration");
        }
    }
    catch (...)
    {
        const std::string message = Common::Helper::MessageOf(std::current_exception());
        Common::MyLog::Info("Error in Children dispose at Node " + name);
        Common::MyLog::Warning(message);
    }
    ClearChildren();
}

void Node::ClearChildren()
{
    children.clear();
    ++childrenVersion;
}

Common::Point3D Node::GetAbsolutePosition() const
{
    const std::shared_ptr<Node> owner = parent.lock();
    if (!owner)
        return position;
    return position + owner->GetAbsolutePosition();
}

std::shared_ptr<Node> Node::GetParent() const
{
    return parent.lock();
}

int Node::GetAlpha() const
{
    if (alpha)
        return *alpha;
    return visible ? 255 : 0;
}

void Node::SetAlpha(int value)
{
    // SetVisible goes through the virtual table: widgets that manage their own visibility see the change.
    if (value >= 255)
    {
        alpha.reset();
        SetVisible(true);
    }
    else if (value <= 0)
    {
        SetVisible(false);
        alpha.reset();
    }
    else
    {
        SetVisible(true);
        alpha = value;
    }
}

void Node::SetParent(Node& newParent)
{
    parent = newParent.weak_from_this();
}

} // namespace Quarnel::GameEngine2D::Scene
