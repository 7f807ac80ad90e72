#pragma once

#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Video/Forward.h"

namespace Quarnel::GameEngine2D::Scene
{

// The eye of a scene: where it stands (the node position), what it looks at and which way is up, in a
// perspective or a flat screen-space projection. The scene applies it before its tree is drawn; placed in
// a tree, it applies itself again where it is drawn.
class Camera final : public Node
{
public:
    Camera(std::string cameraName, Common::Point3D eye, Common::Point3D lookAt, bool orthographicMode);

    void DisposeNode(IGameEngine& gameEngine) override;
    void UpdateNode(IGameEngine& gameEngine) override;

    [[nodiscard]] virtual Common::Point3D GetTarget() const;
    virtual void SetTarget(Common::Point3D value);
    [[nodiscard]] virtual Common::Point3D GetUp() const;
    // Holds only until the next SetOrthographic, which recomputes the up direction.
    virtual void SetUp(Common::Point3D value);
    [[nodiscard]] virtual bool IsOrthographic() const;
    virtual void SetOrthographic(bool value);

    // Sets up the view from the camera's own position (not its absolute one).
    void Apply(Video::Engine& video) const;

private:
    // The flat view keeps y growing downwards with up (0, 1, 0); the perspective view negates the y of
    // its up vector, so its default (0, -1, 0) ends up as the usual (0, 1, 0).
    [[nodiscard]] static Common::Point3D UpFor(bool orthographicMode);

    Common::Point3D target;
    Common::Point3D up;
    bool orthographic;
};

} // namespace Quarnel::GameEngine2D::Scene
