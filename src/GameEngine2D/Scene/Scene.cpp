#include "GameEngine2D/Scene/Scene.h"

#include "Common/Helper.h"
#include "Common/MyLog.h"
#include "Common/Point2D.h"
#include "Common/Point3D.h"
#include "Common/Rect.h"
#include "GameEngine2D/Animation/AnimationManager.h"
#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/Camera.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Video/Engine.h"

#include <cmath>
#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Scene
{

namespace
{

const Common::Point3D Origin(0.0f, 0.0f, 0.0f);
const Common::Point3D CameraStart(0.0f, 0.0f, 10.0f);
const Common::Color StartBackground(128, 128, 128, 0);
// Every scene's world starts weightless with a little drag.
const Common::Point3D WorldGravity(0.0f, 0.0f, 0.0f);
constexpr float WorldFriction = 0.002f;

} // namespace

Scene::Scene(std::string sceneName, IGameEngine& engine) :
    name(std::move(sceneName)),
    updateErrorLine("Fehler in Scene.Update " + name),
    gameEngine(engine),
    backgroundColor(StartBackground)
{
    Common::MyLog::Info("New Scene " + name);
    nodeFactory = std::make_unique<NodeFactory>(gameEngine, *this);
    animationManager = std::make_unique<Animation::AnimationManager>();
    root = nodeFactory->CreateEmptyNode(name + "_root", Origin, Origin);
    camera = std::make_shared<Camera>(name + "_camera", CameraStart, Origin, false);
    world = std::make_unique<Physics::World>(WorldGravity, WorldFriction);
    eventManager = &gameEngine.GetEventManager();
    animationManager->Start();
    Common::MyLog::Info("New Scene " + name + " end");
}

Scene::~Scene() = default;

void Scene::EnableOnUpdate()
{
    onUpdateEnabled = true;
}

void Scene::Dispose()
{
    try
    {
        mouseHandler.Reset();
        root->Dispose(gameEngine);
    }
    catch (const std::exception& error)
    {
        Common::MyLog::Warning(error.what());
    }
    catch (...)
    {
        Common::MyLog::Warning("unknown exception");
    }
}

void Scene::Show(bool disposeOthers)
{
    // The engine's list shares the scene with whoever created it, so the scene must already be owned by
    // a std::shared_ptr here (not, for example, from inside its own constructor).
    std::shared_ptr<Scene> self = weak_from_this().lock();
    if (!self)
        throw std::logic_error("Scene " + name + " can only be shown once a std::shared_ptr owns it");
    gameEngine.GetVideoEngine().SetBackgroundColor(backgroundColor);
    gameEngine.SetScene(std::move(self), disposeOthers);
}

void Scene::Update(std::uint32_t ticks)
{
    Common::Helper::Rethrowing(updateErrorLine, [&] {
        animationManager->Update(ticks);
        beforePhysics.Call();
        world->Update(animationManager->GetDelta());
        afterPhysics.Call();
        Video::Engine& video = gameEngine.GetVideoEngine();
        camera->Apply(video);
        if (!cachedLayer)
        {
            DrawTree();
            return;
        }
        video.BeginLayer();
        try
        {
            DrawTree();
        }
        catch (...)
        {
            // What was drawn before the failure still reaches the screen, as it does without a layer.
            video.DropLayer();
            throw;
        }
        video.EndLayer();
    });
}

void Scene::DrawTree()
{
    root->Update(gameEngine);
    if (onUpdateEnabled && onUpdate)
        onUpdate();
}

std::shared_ptr<EmptyNode> Scene::GetRoot() const
{
    return root;
}

NodeFactory& Scene::GetNodeFactory() const
{
    return *nodeFactory;
}

IGameEngine& Scene::GetGameEngine() const
{
    return gameEngine;
}

Animation::AnimationManager& Scene::GetAnimationManager() const
{
    return *animationManager;
}

Common::Color Scene::GetBackgroundColor() const
{
    return backgroundColor;
}

void Scene::SetBackgroundColor(Common::Color color)
{
    backgroundColor = color;
}

Input::EventManager& Scene::GetEventManager() const
{
    return *eventManager;
}

void Scene::SetOnUpdate(std::function<void()> callback)
{
    onUpdate = std::move(callback);
}

const std::string& Scene::GetName() const
{
    return name;
}

std::shared_ptr<Camera> Scene::GetCamera() const
{
    return camera;
}

void Scene::SetMouseNode(std::shared_ptr<Node> node)
{
    if (!node)
        throw std::invalid_argument("node is null");
    if (!mouseHandler)
        RegisterMouseHandler();
    root->AddChild(node);
    mouseNode = std::move(node);
}

Physics::World& Scene::GetWorld() const
{
    return *world;
}

int Scene::NextId()
{
    return ++idCounter;
}

void Scene::RegisterMouseHandler()
{
    Video::Engine& video = gameEngine.GetVideoEngine();
    video.ShowCursor(false);
    const Common::Point2D screen = video.GetSettings().GetSize();
    const Common::Rect space(Origin, Common::Point3D(screen.X(), screen.Y(), 0.0f));
    mouseHandler = eventManager->AddInputHandler(space, [this](bool /*inside*/, auto /*kind*/, const auto& /*keys*/,
                                                               Common::Point2D mouse) { FollowPointer(mouse); });
}

void Scene::FollowPointer(Common::Point2D mouse)
{
    // Before the first motion the pointer position is unknown (not a number); the node stays put.
    if (std::isnan(mouse.X()) || std::isnan(mouse.Y()))
        return;
    mouseNode->SetPosition(Common::Point3D(mouse.X(), mouse.Y(), mouseNode->GetPosition().Z()));
}

} // namespace Quarnel::GameEngine2D::Scene
