#include "GameEngine2D/GameEngine.h"

#include "GameEngine2D/Scene/Scene.h"
#include "Support/LogRecorder.h"
#include "Support/OffscreenEngine.h"

#include <SDL.h>
#include <csignal>
#include <cstdint>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using Quarnel::Common::Handler;
using Quarnel::Common::Point2D;
using Quarnel::GameEngine2D::GameEngine;
using Quarnel::GameEngine2D::IAudioEngine;
using Quarnel::GameEngine2D::Input::EventType;
using Quarnel::GameEngine2D::Input::KeyState;
using Quarnel::TestSupport::LogRecorder;
using Quarnel::TestSupport::ProgramVideoSettings;

void PushQuit()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

void PushKeyDown(SDL_Keycode key)
{
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

// A scene that records what the engine asks of it into a journal shared by all scenes of a test.
class RecordingScene : public Quarnel::GameEngine2D::Scene::Scene
{
public:
    RecordingScene(const std::string& sceneName, GameEngine& engine, std::vector<std::string>& sharedJournal) :
        Scene(sceneName, engine),
        journal(sharedJournal)
    {
    }

    void Update(std::uint32_t ticks) override
    {
        journal.push_back("update " + GetName());
        tickReadings.push_back(ticks);
        if (onUpdate)
            onUpdate();
    }

    void Dispose() override
    {
        journal.push_back("dispose " + GetName());
        if (failDispose)
            throw std::runtime_error("dispose failed in " + GetName());
    }

    std::vector<std::string>& journal;
    std::vector<std::uint32_t> tickReadings;
    std::function<void()> onUpdate;
    bool failDispose = false;
};

class FakeAudio : public IAudioEngine
{
public:
    void Dispose() override { ++disposals; }
    void Update() override
    {
        ++updates;
        if (failAt == updates)
            throw std::runtime_error("audio broke");
    }

    int updates = 0;
    int disposals = 0;
    int failAt = -1;
};

class GameEngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto owned = std::make_unique<FakeAudio>();
        audio = owned.get();
        engine = std::make_unique<GameEngine>(ProgramVideoSettings(), "Zandrel", std::move(owned));
    }

    void TearDown() override { engine->Dispose(); }

    // Ends the main loop once `frames` frames have been presented.
    void QuitAfterFrames(int frames)
    {
        engine->FrameDone().Add(Handler<>([this, frames] {
            if (++presented == frames)
                PushQuit();
        }));
    }

    std::shared_ptr<RecordingScene> MakeScene(const std::string& name)
    {
        return std::make_shared<RecordingScene>(name, *engine, journal);
    }

    // Owned by the engine.
    FakeAudio* audio = nullptr;
    std::unique_ptr<GameEngine> engine;
    std::vector<std::string> journal;
    int presented = 0;
};

TEST_F(GameEngineTest, EveryPassOfTheLoopPresentsAFrameEvenWithoutScenes)
{
    QuitAfterFrames(3);
    engine->Run();
    EXPECT_EQ(presented, 3);
    EXPECT_EQ(audio->updates, 3);
    EXPECT_FALSE(engine->IsRunning());
}

TEST_F(GameEngineTest, TheQuitEventEndsThePumpAtOnceAndNoFurtherFrameIsDrawn)
{
    std::vector<std::size_t> keysSeen;
    const auto listener = engine->GetEventManager().AddInputHandler(
        std::nullopt, [&](bool, EventType kind, const KeyState& keys, Point2D) {
            if (kind == EventType::KeyDown)
                keysSeen.push_back(keys['a'] + 2u * keys['b']);
        });
    QuitAfterFrames(1000);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    PushKeyDown(SDLK_a);
    PushQuit();
    PushKeyDown(SDLK_b);

    engine->Run();

    EXPECT_EQ(keysSeen, std::vector<std::size_t>{1u});
    EXPECT_EQ(presented, 0);
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN), 1);
}

TEST_F(GameEngineTest, ShutDownWritesItsLinesInOrderAndDisposesTheAudioOnce)
{
    const LogRecorder log;
    PushQuit();
    engine->Run();
    engine->Dispose();
    engine->Dispose();
    EXPECT_EQ(log.Texts(), (std::vector<std::string>{"Closing GameEngine", "Dispose VideoEngine",
                                                     "VideoEngine disposed", "Disposing ok"}));
    EXPECT_EQ(audio->disposals, 1);
}

TEST(GameEngineLifecycle, ConstructionRunAndDisposeLogTheirLinesInOrder)
{
    const LogRecorder log;
    {
        GameEngine engine(ProgramVideoSettings(), "Zandrel", nullptr);
        PushQuit();
        engine.Run();
        engine.Dispose();
    }
    const std::vector<std::string> texts = log.Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "Lade GameEngine");
    EXPECT_LT(log.IndexOf("Lade GameEngine"), log.IndexOf("Closing GameEngine"));
    EXPECT_EQ(texts.back(), "Disposing ok");
    EXPECT_TRUE(log.Warnings().empty());
}

TEST_F(GameEngineTest, AnExceptionInsideAFrameEndsRunAndShutDownStillCompletes)
{
    const LogRecorder log;
    audio->failAt = 2;
    QuitAfterFrames(1000);
    engine->Run();
    EXPECT_EQ(presented, 1);
    EXPECT_EQ(log.Warnings(), std::vector<std::string>{"audio broke"});
    engine->Dispose();
    EXPECT_LT(log.IndexOf("Closing GameEngine"), log.IndexOf("Disposing ok"));
    EXPECT_EQ(audio->disposals, 1);
}

TEST_F(GameEngineTest, ASceneRegisteredTwiceIsUpdatedTwicePerFrameEachWithItsOwnTickReading)
{
    const auto first = MakeScene("first");
    const auto second = MakeScene("second");
    engine->AddScene(first);
    engine->AddScene(second);
    engine->AddScene(first);
    QuitAfterFrames(2);
    engine->Run();

    EXPECT_EQ(journal, (std::vector<std::string>{"update first", "update second", "update first", "update first",
                                                 "update second", "update first"}));
    ASSERT_EQ(first->tickReadings.size(), 4u);
    EXPECT_LE(first->tickReadings[0], first->tickReadings[1]);
    EXPECT_LE(first->tickReadings[1], first->tickReadings[2]);
}

TEST_F(GameEngineTest, SetSceneDisposesTheOthersOnlyWhenAsked)
{
    const auto first = MakeScene("first");
    const auto second = MakeScene("second");
    const auto third = MakeScene("third");
    engine->SetScene(first, false);
    engine->SetScene(second, false);
    EXPECT_EQ(engine->GetSceneCount(), 2);
    engine->SetScene(third, true);
    EXPECT_EQ(journal, (std::vector<std::string>{"dispose first", "dispose second"}));
    EXPECT_EQ(engine->GetSceneCount(), 1);

    journal.clear();
    engine->Dispose();
    EXPECT_EQ(journal, std::vector<std::string>{"dispose third"});
}

TEST_F(GameEngineTest, AFailureWhileSetSceneDisposesIsLoggedAndRaisedAgain)
{
    const LogRecorder log;
    const auto broken = MakeScene("broken");
    broken->failDispose = true;
    engine->AddScene(broken);
    EXPECT_THAT([&] { engine->SetScene(MakeScene("next"), true); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::StrEq("dispose failed in broken")));
    EXPECT_TRUE(log.Has("Fehler in SetScene"));
}

TEST_F(GameEngineTest, ASceneMayReplaceAllScenesFromItsOwnUpdate)
{
    const auto first = MakeScene("first");
    const auto later = MakeScene("later");
    const auto replacement = MakeScene("replacement");
    first->onUpdate = [&] {
        if (engine->GetSceneCount() == 2)
            engine->SetScene(replacement, true);
    };
    engine->AddScene(first);
    engine->AddScene(later);
    QuitAfterFrames(2);
    engine->Run();
    EXPECT_EQ(journal,
              (std::vector<std::string>{"update first", "dispose first", "dispose later", "update replacement"}));
}

TEST_F(GameEngineTest, DisposeDisposesEverySceneInOrderEvenWhenOneFails)
{
    const LogRecorder log;
    const auto broken = MakeScene("broken");
    broken->failDispose = true;
    engine->AddScene(broken);
    engine->AddScene(MakeScene("sound"));
    engine->Dispose();
    EXPECT_EQ(journal, (std::vector<std::string>{"dispose broken", "dispose sound"}));
    EXPECT_TRUE(log.Has("Disposing ok"));
}

TEST_F(GameEngineTest, CreateSceneBindsANewSceneWithoutRegisteringIt)
{
    const auto scene = engine->CreateScene("menu");
    EXPECT_EQ(scene->GetName(), "menu");
    EXPECT_EQ(&scene->GetGameEngine(), engine.get());
    EXPECT_EQ(engine->GetSceneCount(), 0);
}

// SDL turns SIGTERM (and SIGINT) into its quit event, so a terminated program shuts down cleanly.
TEST_F(GameEngineTest, SigtermEndsTheMainLoop)
{
    struct sigaction current
    {
    };
    sigaction(SIGTERM, nullptr, &current);
    if (current.sa_handler == SIG_DFL || current.sa_handler == SIG_IGN)
        GTEST_SKIP() << "SDL did not install its signal handler here";
    std::raise(SIGTERM);
    engine->Run();
    EXPECT_FALSE(engine->IsRunning());
}

} // namespace
