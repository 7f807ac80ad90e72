#include "GameEngine2D/Scene/NodeFactory.h"

#include "Common/MyLog.h"
#include "GameEngine2D/Scene/ColorNode.h"
#include "GameEngine2D/Scene/DynamicMeshNode.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/LightNode.h"
#include "GameEngine2D/Scene/PictureNode.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/SimpleFormNode.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Scene/TextsNode.h"
#include "GameEngine2D/Video/Data/IndexedVertices.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Surfaces.h"
#include "GameEngine2D/Video/Texture.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Scene
{

NodeFactory::NodeFactory(IGameEngine& engine, Scene& ownerScene) : gameEngine(engine), scene(ownerScene) {}

NodeFactory::~NodeFactory() = default;

IGameEngine& NodeFactory::GetGameEngine() const
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

std::shared_ptr<PictureNode> NodeFactory::CreatePictureNode(std::shared_ptr<Video::Texture> texture,
                                                            Common::Point3D position)
{
    if (!texture)
        throw std::invalid_argument("texture is null");
    const std::string name = texture->GetSurfaces()->GetId();
    Common::MyLog::Info("CreatePictureNode " + name);
    return std::make_shared<PictureNode>(name, std::move(texture), position);
}

std::shared_ptr<PictureNode> NodeFactory::CreatePictureNode(const std::string& fileName, Common::Point3D position)
{
    Common::MyLog::Info("CreatePictureNode " + fileName);
    auto texture = gameEngine.GetVideoEngine().GetImages().CreateTextureFromFile(fileName, true);
    return std::make_shared<PictureNode>(fileName, std::move(texture), position);
}

std::shared_ptr<PictureNode> NodeFactory::CreateEmptyPictureNode(const std::string& name, Common::Point3D position,
                                                                 Common::Point2D size)
{
    Common::MyLog::Info("CreateEmptyPictureNode " + name);
    auto texture = gameEngine.GetVideoEngine().GetImages().CreateTexture(name, size);
    return std::make_shared<PictureNode>(name, std::move(texture), position);
}

std::shared_ptr<ColorNode> NodeFactory::CreateColorNode(const std::string& name, const Common::Rect& rect,
                                                        Common::Color color)
{
    Common::MyLog::Info("CreateColorNode " + name);
    return std::make_shared<ColorNode>(name, rect, color);
}

std::shared_ptr<SimpleFormNode> NodeFactory::CreateSimpleFormNode(const std::string& name, Common::Point3D position,
                                                                  Video::BasicShapeType shapeType,
                                                                  std::shared_ptr<Video::Data::IVertices> vertices)
{
    Common::MyLog::Info("CreateSimpleFormNode " + name);
    return std::make_shared<SimpleFormNode>(name, position, shapeType, std::move(vertices));
}

std::shared_ptr<TextNode> NodeFactory::CreateTextNode(const std::string& name, Common::Point3D position,
                                                      std::shared_ptr<Video::Font> font, const std::string& text)
{
    Common::MyLog::Info("CreateTextNode " + name);
    return std::make_shared<TextNode>(name, gameEngine.GetVideoEngine(), position, std::move(font), text);
}

std::shared_ptr<TextsNode> NodeFactory::CreateTextsNode(const std::string& name, Common::Point3D position,
                                                        std::shared_ptr<Video::Font> font, const std::string& text)
{
    Common::MyLog::Info("CreateTextsNode " + name);
    return std::make_shared<TextsNode>(name, position, std::move(font), text, *this);
}

std::shared_ptr<StaticMeshNode> NodeFactory::CreateStaticMeshNode(const std::string& fileName, Common::Point3D position)
{
    Common::MyLog::Info("CreateStaticMeshNode " + fileName);
    auto mesh = gameEngine.GetVideoEngine().GetMeshFiles().CreateMeshData(fileName);
    auto node = std::make_shared<StaticMeshNode>(fileName, position, std::move(mesh));
    Common::MyLog::Info("CreatedStaticMeshNode " + fileName);
    return node;
}

std::shared_ptr<StaticMeshNode> NodeFactory::CreateStaticMeshNode(const std::string& name, Common::Point3D position,
                                                                  std::shared_ptr<Video::Data::MeshData> mesh)
{
    Common::MyLog::Info("CreateStaticMeshNode " + name);
    auto node = std::make_shared<StaticMeshNode>(name, position, std::move(mesh));
    Common::MyLog::Info("CreatedStaticMeshNode " + name);
    return node;
}

std::shared_ptr<DynamicMeshNode> NodeFactory::CreateDynamicMeshNode(const std::string& fileName,
                                                                    Common::Point3D position)
{
    Common::MyLog::Info("CreateDynamicMeshNode " + fileName);
    auto mesh = gameEngine.GetVideoEngine().GetMeshFiles().LoadMesh(fileName);
    auto node = std::make_shared<DynamicMeshNode>(fileName, position, std::move(mesh));
    Common::MyLog::Info("CreatedDynamicMeshNode " + fileName);
    return node;
}

std::shared_ptr<LightNode> NodeFactory::CreateLightNode(const std::string& name, Common::Point3D position)
{
    Common::MyLog::Info("CreateLightNode " + name);
    return std::make_shared<LightNode>(name, position, scene.NextId());
}

} // namespace Quarnel::GameEngine2D::Scene
