#pragma once

#include "Common/Color.h"
#include "Common/Point2D.h"
#include "Common/Point3D.h"
#include "Common/Rect.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Scene/IGameEngine.h"
#include "GameEngine2D/Video/BasicShapeType.h"
#include "GameEngine2D/Video/Data/Forward.h"
#include "GameEngine2D/Video/Forward.h"

#include <memory>
#include <optional>
#include <string>

namespace Quarnel::GameEngine2D::Scene
{

// Creates the nodes of one scene, fetching what each kind needs from the engine and the scene, and logs
// every creation. It never attaches a node: the caller adds it to a parent.
//
// The drawable kinds (pictures, colours, texts, forms, meshes, lights) get their Create operations here,
// after CreateEmptyNode, as those node classes arrive.
class NodeFactory final
{
public:
    // Bound to the engine and the scene for its whole life; the scene owns the factory.
    NodeFactory(IGameEngine& engine, Scene& ownerScene);
    NodeFactory(const NodeFactory&) = delete;
    NodeFactory& operator=(const NodeFactory&) = delete;
    virtual ~NodeFactory();

    [[nodiscard]] virtual IGameEngine& GetGameEngine() const;
    [[nodiscard]] virtual std::shared_ptr<EmptyNode> CreateEmptyNode(const std::string& name, Common::Point3D position,
                                                                     std::optional<Common::Point3D> size);
    // Named after the texture's image id. A null texture: std::invalid_argument "texture is null".
    [[nodiscard]] virtual std::shared_ptr<PictureNode> CreatePictureNode(std::shared_ptr<Video::Texture> texture,
                                                                         Common::Point3D position);
    // The image file through the surface cache; the node is named after the file name as given. An image that
    // cannot be loaded: a warning, then std::invalid_argument "texture is null".
    [[nodiscard]] virtual std::shared_ptr<PictureNode> CreatePictureNode(const std::string& fileName,
                                                                         Common::Point3D position);
    // A blank, transparent picture of the given size.
    [[nodiscard]] virtual std::shared_ptr<PictureNode> CreateEmptyPictureNode(const std::string& name,
                                                                              Common::Point3D position,
                                                                              Common::Point2D size);
    [[nodiscard]] virtual std::shared_ptr<ColorNode> CreateColorNode(const std::string& name, const Common::Rect& rect,
                                                                     Common::Color color);
    [[nodiscard]] virtual std::shared_ptr<SimpleFormNode> CreateSimpleFormNode(
        const std::string& name, Common::Point3D position, Video::BasicShapeType shapeType,
        std::shared_ptr<Video::Data::IVertices> vertices);
    [[nodiscard]] virtual std::shared_ptr<TextNode> CreateTextNode(const std::string& name, Common::Point3D position,
                                                                   std::shared_ptr<Video::Font> font,
                                                                   const std::string& text);
    [[nodiscard]] virtual std::shared_ptr<TextsNode> CreateTextsNode(const std::string& name, Common::Point3D position,
                                                                     std::shared_ptr<Video::Font> font,
                                                                     const std::string& text);
    // Loads and uploads the model; its loading errors pass through.
    [[nodiscard]] virtual std::shared_ptr<StaticMeshNode> CreateStaticMeshNode(const std::string& fileName,
                                                                               Common::Point3D position);
    // Around an already loaded mesh.
    [[nodiscard]] virtual std::shared_ptr<StaticMeshNode> CreateStaticMeshNode(
        const std::string& name, Common::Point3D position, std::shared_ptr<Video::Data::MeshData> mesh);
    [[nodiscard]] virtual std::shared_ptr<DynamicMeshNode> CreateDynamicMeshNode(const std::string& fileName,
                                                                                 Common::Point3D position);
    // Lights are numbered per scene from 0 (the scene's NextId).
    [[nodiscard]] virtual std::shared_ptr<LightNode> CreateLightNode(const std::string& name, Common::Point3D position);

protected:
    [[nodiscard]] Scene& GetScene() const { return scene; }

private:
    IGameEngine& gameEngine;
    Scene& scene;
};

} // namespace Quarnel::GameEngine2D::Scene
