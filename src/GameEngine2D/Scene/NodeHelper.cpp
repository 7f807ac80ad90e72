#include "GameEngine2D/Scene/NodeHelper.h"

#include "GameEngine2D/Video/Data/SingleVertices.h"

namespace Quarnel::GameEngine2D::Scene
{

std::shared_ptr<Video::Data::IVertices> NodeHelper::CreateGradientRectangle(Common::Point3D size, Common::Color first,
                                                                            Common::Color second)
{
    auto vertices = std::make_shared<Video::Data::SingleVertices>(4);
    vertices->Set(0, Common::Point3D(0.0f, 0.0f, 0.0f), first);
    vertices->Set(1, Common::Point3D(0.0f, size.Y(), 0.0f), second);
    vertices->Set(2, Common::Point3D(size.X(), size.Y(), 0.0f), second);
    vertices->Set(3, Common::Point3D(size.X(), 0.0f, 0.0f), first);
    return vertices;
}

} // namespace Quarnel::GameEngine2D::Scene
