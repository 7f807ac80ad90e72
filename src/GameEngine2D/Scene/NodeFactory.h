#pragma once

#include "Common/Point3D.h"

#include <memory>
#include <optional>
#include <string>

namespace Quarnel::GameEngine2D
{
class GameEngine;
} // namespace Quarnel::GameEngine2D

namespace Quarnel::GameEngine2D::Scene
{

class EmptyNode;
class Scene;

// Creates the nodes of one scene, fetching what each kind needs from the engine and the scene, and logs
// every creation. It never attaches a node: the caller adds it to a parent.
//
// The drawable kinds (pictures, colours, texts, forms, meshes, lights) get their Create operations here,
// after CreateEmptyNode, as those node classes arrive.
class NodeFactory
{
public:
    // Bound to the engine and the scene for its whole life; the scene owns the factory.
    NodeFactory(GameEngine& engine, Scene& ownerScene);
    NodeFactory(const NodeFactory&) = delete;
    NodeFactory& operator=(const NodeFactory&) = delete;
    virtual ~NodeFactory();

    [[nodiscard]] virtual GameEngine& GetGameEngine() const;
    [[nodiscard]] virtual std::shared_ptr<EmptyNode> CreateEmptyNode(const std::string& name, Common::Point3D position,
                                                                     std::optional<Common::Point3D> size);

protected:
    [[nodiscard]] Scene& GetScene() const { return scene; }

private:
    GameEngine& gameEngine;
    Scene& scene;
};

} // namespace Quarnel::GameEngine2D::Scene
