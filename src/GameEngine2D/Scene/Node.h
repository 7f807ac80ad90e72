#pragma once

#include "Common/Event.h"
#include "Common/IFadeable.h"
#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "Common/WalkedList.h"
#include "GameEngine2D/Scene/IGameEngine.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Quarnel::GameEngine2D::Scene
{

// The base of everything that is drawn. A node owns its children (drawn in insertion order, inside the
// node's transform and transparency) and only observes its parent: AddChild sets the link, RemoveChild and
// ClearChildren clear it, and so does the parent's destruction, so a child that outlives its parent through
// another owner simply has no parent. A constructor may therefore build the node's children.
//
// While the children are drawn, a child added waits for the end of the walk and a child removed is not drawn
// any more (WhileWalked::DeferAdditions); while they are disposed, any change is an error.
//
// The virtual operations keep one fixed order; subclasses add theirs after SetAlpha.
class Node : public Common::IMoveable, public Common::IFadeable
{
public:
    using NodeList = std::vector<std::shared_ptr<Node>>;

    // `size` may be absent (the camera has none).
    Node(std::string nodeName, Common::Point3D nodePosition, std::optional<Common::Point3D> nodeSize);
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    ~Node() override;

    [[nodiscard]] virtual Common::EventAddHandler<>& OnPositionChanged();
    [[nodiscard]] virtual const std::string& GetName() const;
    // Appends without a duplicate test; the child is not taken out of a previous parent's list, but this node
    // becomes its parent. Null, and a node above this one, are refused.
    virtual void AddChild(std::shared_ptr<Node> child);
    // The node's own clean-up (textures, meshes, input handlers).
    virtual void DisposeNode(IGameEngine& gameEngine) = 0;
    // Tears the whole subtree down; the node stays in its parent's list.
    virtual void Dispose(IGameEngine& gameEngine);
    // The node's own drawing, in its local frame.
    virtual void UpdateNode(IGameEngine& gameEngine) = 0;
    // The per-frame traversal: transform, transparency, own drawing, visible children, pops.
    virtual void Update(IGameEngine& gameEngine);
    // Pops what Update pushed.
    virtual void EndUpdate(IGameEngine& gameEngine);
    [[nodiscard]] virtual bool IsVisible() const;
    void SetVisible(bool value) override;
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
    [[nodiscard]] virtual NodeList GetChildren() const;
    // Throws std::out_of_range for an index outside 0 .. count - 1.
    [[nodiscard]] virtual std::shared_ptr<Node> GetChild(int index) const;
    // The first direct child with exactly this name, or null; grandchildren are not searched.
    [[nodiscard]] virtual std::shared_ptr<Node> FindChild(std::string_view childName) const;
    [[nodiscard]] virtual int GetChildCount() const;
    // Disposes a direct child and drops it from the list; the child has no parent any more.
    virtual void RemoveChild(const std::shared_ptr<Node>& child, IGameEngine& gameEngine);
    // Disposes every child; the list is empty afterwards even when a child fails.
    virtual void DisposeChildren(IGameEngine& gameEngine);
    // Empties the list without disposing anything; the children have no parent any more.
    virtual void ClearChildren();
    // Sum of the translations up to the root; rotations and scales of the ancestors are ignored.
    [[nodiscard]] virtual Common::Point3D GetAbsolutePosition() const;
    // Null for a root, and for a node taken out of its parent's list or outliving its parent.
    [[nodiscard]] virtual Node* GetParent() const;
    // The own opacity while set; otherwise 255 when visible and 0 when hidden.
    [[nodiscard]] virtual int GetAlpha() const;
    // 255 or more: opaque; 0 or less: hidden; anything between: translucent and visible.
    void SetAlpha(int value) override;

private:
    // Clears the parent link of every child (active or waiting) that still names this node.
    void ReleaseChildren();

    std::string name;
    Common::WalkedList<Node> children{Common::WhileWalked::DeferAdditions};
    Node* parent = nullptr;
    bool visible = true;
    Common::Point3D position;
    std::optional<Common::Point3D> rotation;
    std::optional<Common::Point3D> scale;
    std::optional<Common::Point3D> size;
    bool marked = false;
    // Set only while the node is translucent: 1 .. 254.
    std::optional<int> alpha;
    Common::Event<> positionChanged;
};

} // namespace Quarnel::GameEngine2D::Scene
