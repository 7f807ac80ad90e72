#pragma once

#include "Common/Point2D.h"
#include "Common/Rect.h"
#include "GameEngine2D/Input/Forward.h"
#include "GameEngine2D/Input/InputSubscription.h"
#include "GameEngine2D/Scene/Forward.h"

#include <functional>
#include <memory>
#include <optional>

namespace Quarnel::GameEngine2D::Control
{

// Mouse control of a scene camera: a left drag pans it, a right drag turns the camera node, the wheel
// moves it nearer or farther between z 10 and z 300 (both excluded). The control registers one input
// handler at construction, which goes with the control.
class CameraControl final
{
public:
    // `space` is the input area, none for the whole window. `speed` turns pointer pixels into scene
    // units and scales the wheel step; `unusedFactor` is kept but not read.
    CameraControl(Input::EventManager* manager, std::shared_ptr<Scene::Camera> controlled,
                  std::optional<Common::Rect> space, float pixelSpeed, float unused);
    CameraControl(const CameraControl&) = delete;
    CameraControl& operator=(const CameraControl&) = delete;
    ~CameraControl();

    // While `guard` answers true, a left drag does not pan (another tool owns it); empty: always pans.
    void SetPanGuard(std::function<bool()> guard) { panGuard = std::move(guard); }

private:
    void OnInput(Input::EventType kind, Common::Point2D mouse);
    void Drag(Common::Point2D mouse);
    // Moves along z unless the new z fails `allowed`.
    void Zoom(float step, bool (*allowed)(float z));

    std::shared_ptr<Scene::Camera> camera;
    Input::EventManager* eventManager;
    float speed;
    float unusedFactor;
    // Unknown (not a number) until the first motion.
    Common::Point2D lastMouse;
    std::function<bool()> panGuard;
    Input::InputSubscription inputHandler;
};

} // namespace Quarnel::GameEngine2D::Control
