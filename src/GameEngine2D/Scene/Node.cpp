#include "GameEngine2D/Scene/Node.h"

#include "Common/CheckedIndex.h"
#include "Common/Helper.h"
#include "Common/MyLog.h"
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

Node::~Node()
{
    ReleaseChildren();
}

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
    for (const Node* ancestor = this; ancestor != nullptr; ancestor = ancestor->parent)
    {
        if (ancestor == child.get())
            throw std::invalid_argument("Node " + child->GetName() + " can't be added below itself");
    }
    child->parent = this;
    children.Add(std::move(child));
}

void Node::Dispose(IGameEngine& gameEngine)
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

void Node::Update(IGameEngine& gameEngine)
{
    try
    {
        Video::Engine& video = gameEngine.GetVideoEngine();
        video.PushTransform(position, rotation, scale);
        if (alpha)
            video.PushAlpha(*alpha);
        UpdateNode(gameEngine);
        // A child added while the tree is drawn waits for the next frame; one removed meanwhile is not drawn, and
        // one that removes itself stays alive until its drawing ends.
        children.ForEach([&gameEngine](Node& child) {
            if (child.IsVisible())
                child.Update(gameEngine);
        });
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

void Node::EndUpdate(IGameEngine& gameEngine)
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

Node::NodeList Node::GetChildren() const
{
    return children.Items();
}

std::shared_ptr<Node> Node::GetChild(int index) const
{
    const NodeList live = children.Items();
    return Common::CheckedAt(live, index, [&] {
        return fmt::format("Node {0}: child index {1} is out of range, {2} children", name, index, live.size());
    });
}

std::shared_ptr<Node> Node::FindChild(std::string_view childName) const
{
    return children.Find([childName](const Node& child) { return child.GetName() == childName; });
}

int Node::GetChildCount() const
{
    return static_cast<int>(children.Size());
}

void Node::RemoveChild(const std::shared_ptr<Node>& child, IGameEngine& gameEngine)
{
    if (!child)
        throw std::runtime_error("Node.RemoveChild " + name + ": node is null");
    // Looked up by name, then compared by identity: of two children with the same name only the first
    // can be removed.
    const std::shared_ptr<Node> found = FindChild(child->GetName());
    if (found != child)
        throw std::runtime_error("Node " + child->GetName() + " can't be removed; is no child of " + name);
    found->Dispose(gameEngine);
    // Looked up again by identity: the child's disposal may have changed this list.
    children.Remove([&found](const Node& entry) { return &entry == found.get(); });
    if (found->parent == this)
        found->parent = nullptr;
}

void Node::DisposeChildren(IGameEngine& gameEngine)
{
    try
    {
        // A child that adds or removes siblings while it is disposed stops the walk instead of making it skip or
        // repeat nodes.
        children.ForEachUnchanged([&gameEngine](Node& child) { child.Dispose(gameEngine); });
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
    ReleaseChildren();
    children.Clear();
}

void Node::ReleaseChildren()
{
    children.ForEachHeld([this](Node& child) {
        if (child.parent == this)
            child.parent = nullptr;
    });
}

Common::Point3D Node::GetAbsolutePosition() const
{
    if (parent == nullptr)
        return position;
    return position + parent->GetAbsolutePosition();
}

Node* Node::GetParent() const
{
    return parent;
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

} // namespace Quarnel::GameEngine2D::Scene
