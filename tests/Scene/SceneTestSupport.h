#pragma once

#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "Support/LogRecorder.h"
#include "Support/OffscreenEngine.h"

#include <cstdint>
#include <epoxy/gl.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace Quarnel::SceneTests
{

using GameEngine2D::GameEngine;
using GameEngine2D::Scene::EmptyNode;
using GameEngine2D::Scene::IGameEngine;
using GameEngine2D::Scene::Node;

// A grouping node whose own drawing and clean-up run whatever the test hands it.
class ProbeNode : public EmptyNode
{
public:
    explicit ProbeNode(std::string nodeName, Common::Point3D nodePosition = Common::Point3D(0.0f, 0.0f, 0.0f)) :
        EmptyNode(std::move(nodeName), nodePosition, Common::Point3D(1.0f, 1.0f, 1.0f))
    {
    }

    void UpdateNode(IGameEngine& gameEngine) override
    {
        if (onDraw)
            onDraw(gameEngine);
    }

    void DisposeNode(IGameEngine& gameEngine) override
    {
        if (onDispose)
            onDispose(gameEngine);
    }

    std::function<void(IGameEngine&)> onDraw;
    std::function<void(IGameEngine&)> onDispose;
};

inline std::shared_ptr<ProbeNode> MakeProbe(const std::string& name,
                                            Common::Point3D position = Common::Point3D(0.0f, 0.0f, 0.0f))
{
    return std::make_shared<ProbeNode>(name, position);
}

using LogCapture = TestSupport::LogRecorder;

// A failed traversal abandons its frame with its pushes still on the matrix stack; tests that provoke one
// start the next from a clean stack.
inline void RestoreModelViewStack()
{
    glMatrixMode(GL_MODELVIEW);
    GLint depth = 1;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    for (; depth > 1; --depth)
        glPopMatrix();
    glLoadIdentity();
}

// Fills an axis-parallel rectangle at depth z in the current frame with raw OpenGL, seen from both sides and
// unlit, leaving the enable state as it found it.
inline void DrawRectangle(float left, float top, float right, float bottom, float z, std::uint8_t red,
                          std::uint8_t green, std::uint8_t blue)
{
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4ub(red, green, blue, 255);
    glBegin(GL_QUADS);
    glVertex3f(left, top, z);
    glVertex3f(right, top, z);
    glVertex3f(right, bottom, z);
    glVertex3f(left, bottom, z);
    glEnd();
    glPopAttrib();
}

// One engine shared by the tests of a suite: opening a window per test would dominate the run time.
class EngineTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { offscreen = std::make_unique<TestSupport::OffscreenEngine>(); }
    static void TearDownTestSuite() { offscreen.reset(); }

    static GameEngine& Engine() { return offscreen->Engine(); }

    static inline std::unique_ptr<TestSupport::OffscreenEngine> offscreen;
};

} // namespace Quarnel::SceneTests
