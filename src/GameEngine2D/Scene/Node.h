#pragma once

#include "Common/Event.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Scene/Common/IMoveable.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Quarnel::GameEngine2D
{
class GameEngine;
} // namespace Quarnel::GameEngine2D

namespace Quarnel::GameEngine2D::Scene
{

// The base of everything that is drawn. A node owns its children (drawn in insertion order, inside the
// node's transform and transparency) and only observes its parent. Every node lives in a std::shared_ptr:
// the parent link is a weak reference taken from that owner, so a child never keeps its parent alive and
// never points at a freed one.
//
// The virtual operations keep one fixed order; subclasses add theirs after SetAlpha.
class Node : public IMoveable, public std::enable_shared_from_this<Node>
{
public:
    using NodeList = std::vector<std::shared_ptr<Node>>;

    // `size` may be absent (the camera has none).
    Node(std::string nodeName, Common::Point3D nodePosition, std::optional<Common::Point3D> nodeSize);
    ~Node() override;

    [[nodiscard]] virtual Common::EventAddHandler<>& OnPositionChanged();
    [[nodiscard]] virtual const std::string& GetName() const;
    // Appends without a duplicate test, and the child is not taken from a previous parent; null is refused.
    virtual void AddChild(std::shared_ptr<Node> child);
    // The node's own clean-up (textures, meshes, input handlers).
    virtual void DisposeNode(GameEngine& gameEngine) = 0;
    // Tears the whole subtree down; the node stays in its parent's list.
    virtual void Dispose(GameEngine& gameEngine);
    // The node's own drawing, in its local frame.
    virtual void UpdateNode(GameEngine& gameEngine) = 0;
    // The per-frame traversal: transform, transparency, own drawing, visible children, pops.
    virtual void Update(GameEngine& gameEngine);
    // Pops what Update pushed.
    virtual void EndUpdate(GameEngine& gameEngine);
    [[nodiscard]] virtual bool IsVisible() const;
    virtual void SetVisible(bool value);
    [[nodiscard]] Common::Point3D GetPosition() const override;
    void SetPosition(Common::Point3D value) override;
    [[nodiscard]] virtual bool IsMarked() const;
    // The size times the scale when a scale is set; absent when the node has no size.
    [[nodiscard]] virtual std::optional<Common::Point3D> GetSize() const;
    virtual void SetSize(std::optional<Common::Point3D> value);
    // (0, 0, 0) when no rotation is set.
    [[nodiscard]] virtual Common::Point3D GetRotation() const;
    virtual void SetRotation(std::optional<Common::Point3D> value);
    [[nodiscard]] virtual std::optional<Common::Point3D> GetScale() const;
    virtual void SetScale(std::optional<Common::Point3D> value);
    [[nodiscard]] virtual const NodeList& GetChildren() const;
    // Throws std::out_of_range for an index outside 0 .. count - 1.
    [[nodiscard]] virtual std::shared_ptr<Node> GetChild(int index) const;
    // The first direct child with exactly this name, or null; grandchildren are not searched.
    [[nodiscard]] virtual std::shared_ptr<Node> FindChild(std::string_view childName) const;
    [[nodiscard]] virtual int GetChildCount() const;
    // Disposes a direct child and drops it from the list.
    virtual void RemoveChild(const std::shared_ptr<Node>& child, GameEngine& gameEngine);
    // Disposes every child; the list is empty afterwards even when a child fails.
    virtual void DisposeChildren(GameEngine& gameEngine);
    // Empties the list without disposing anything.
    virtual void ClearChildren();
    // Sum of the translations up to the root; rotations and scales of the ancestors are ignored.
    [[nodiscard]] virtual Common::Point3D GetAbsolutePosition() const;
    // Null for a root, and once the parent no longer exists.
    [[nodiscard]] virtual std::shared_ptr<Node> GetParent() const;
    // The own opacity while set; otherwise 255 when visible and 0 when hidden.
    [[nodiscard]] virtual int GetAlpha() const;
    // 255 or more: opaque; 0 or less: hidden; anything between: translucent and visible.
    virtual void SetAlpha(int value);

    // Records the parent; AddChild calls it on the child.
    void SetParent(Node& newParent);

private:
    std::string name;
    NodeList children;
    std::weak_ptr<Node> parent;
    bool visible = true;
    Common::Point3D position;
    std::optional<Common::Point3D> rotation;
    std::optional<Common::Point3D> scale;
    std::optional<Common::Point3D> size;
    bool marked = false;
    // Set only while the node is translucent: 1 .. 254.
    std::optional<int> alpha;
    Common::Event<> positionChanged;
    // Counts every change of `children`, so that a walk over the list notices a change made by a callee.
    unsigned childrenVersion = 0;
};

} // namespace Quarnel::GameEngine2D::Scene
