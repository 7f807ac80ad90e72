#include "GameEngine2D/Scene/NodeFactory.h"

#include "Common/MyLog.h"
#include "GameEngine2D/Scene/EmptyNode.h"

namespace Quarnel::GameEngine2D::Scene
{

NodeFactory::NodeFactory(GameEngine& engine, Scene& ownerScene) : gameEngine(engine), scene(ownerScene) {}

NodeFactory::~NodeFactory() = default;

GameEngine& NodeFactory::GetGameEngine() const
{
    return gameEngine;
}

std::shared_ptr<EmptyNode> NodeFactory::CreateEmptyNode(const std::string& name, Common::Point3D position,
                                                        std::optional<Common::Point3D> size)
{
    Common::MyLog::Info("CreateEmptyNode " + name);
    auto node = std::make_shared<EmptyNode>(name, position, size);
    Common::MyLog::Info("CreatedEmptyNode " + name);
    return node;
}

} // namespace Quarnel::GameEngine2D::Scene
