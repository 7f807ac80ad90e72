#include "GameEngine2D/Scene/Scene.h"

#include "Common/MyLog.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Scene
{

Scene::Scene(std::string sceneName, GameEngine& engine) :
    name(std::move(sceneName)),
    gameEngine(engine),
    backgroundColor(128, 128, 128, 0)
{
    Common::MyLog::Info("New Scene " + name);
    Common::MyLog::Info("New Scene " + name + " end");
}

Scene::~Scene() = default;

void Scene::EnableOnUpdate()
{
    onUpdateEnabled = true;
}

void Scene::Dispose() {}

void Scene::Update(std::uint32_t /*ticks*/)
{
    try
    {
        if (onUpdateEnabled && onUpdate)
            onUpdate();
    }
    catch (const std::exception& error)
    {
        Common::MyLog::Info("Fehler in Scene.Update " + name);
        throw std::runtime_error(error.what());
    }
}

GameEngine& Scene::GetGameEngine() const
{
    return gameEngine;
}

Common::Color Scene::GetBackgroundColor() const
{
    return backgroundColor;
}

void Scene::SetBackgroundColor(Common::Color color)
{
    backgroundColor = color;
}

void Scene::SetOnUpdate(std::function<void()> callback)
{
    onUpdate = std::move(callback);
}

const std::string& Scene::GetName() const
{
    return name;
}

int Scene::NextId()
{
    return ++idCounter;
}

} // namespace Quarnel::GameEngine2D::Scene
