#include "AllocationCounter.h"
#include "GameEngine2D/Video/Engine.h"
#include "SceneTestSupport.h"

#include <epoxy/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace Quarnel::SceneTests
{
namespace
{

using ::testing::ElementsAre;
using ::testing::Optional;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

class NodeTraversal : public EngineTest
{
protected:
    void SetUp() override { Video().InitFrame(); }

    // A failed traversal leaves its pushes on the matrix stack (the frame is abandoned); the next test
    // starts from a clean stack.
    void TearDown() override { RestoreModelViewStack(); }

    static GameEngine2D::Video::Engine& Video() { return Engine().GetVideoEngine(); }
};

TEST_F(NodeTraversal, ChildrenDrawAfterTheirParentInInsertionOrderAndHiddenSubtreesAreSkipped)
{
    std::vector<std::string> drawn;
    const auto record = [&](const std::shared_ptr<ProbeNode>& node) {
        node->onDraw = [&drawn, name = node->GetName()](IGameEngine&) { drawn.push_back(name); };
        return node;
    };
    const auto root = record(MakeProbe("root"));
    const auto a = record(MakeProbe("a"));
    const auto hidden = record(MakeProbe("hidden"));
    const auto b = record(MakeProbe("b"));
    root->AddChild(a);
    root->AddChild(hidden);
    root->AddChild(b);
    a->AddChild(record(MakeProbe("a1")));
    hidden->AddChild(record(MakeProbe("underHidden")));
    hidden->SetVisible(false);

    root->Update(Engine());

    EXPECT_THAT(drawn, ElementsAre("root", "a", "a1", "b"));
    // One transform per drawn node, and every push was popped again.
    EXPECT_EQ(Video().GetVideoInfo().GetNodes(), 4u);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

TEST_F(NodeTraversal, TranslucentNodeHoldsItsAlphaOnlyWhileItsSubtreeDraws)
{
    const auto root = MakeProbe("root");
    const auto translucent = MakeProbe("translucent");
    const auto inner = MakeProbe("inner");
    const auto sibling = MakeProbe("sibling");
    translucent->SetAlpha(128);
    root->AddChild(translucent);
    translucent->AddChild(inner);
    root->AddChild(sibling);
    std::optional<int> innerAlpha;
    std::optional<int> siblingAlpha = 0;
    inner->onDraw = [&](IGameEngine& gameEngine) { innerAlpha = gameEngine.GetVideoEngine().GetAlphaTop(); };
    sibling->onDraw = [&](IGameEngine& gameEngine) { siblingAlpha = gameEngine.GetVideoEngine().GetAlphaTop(); };

    root->Update(Engine());

    EXPECT_THAT(innerAlpha, Optional(128));
    EXPECT_EQ(siblingAlpha, std::nullopt);
    EXPECT_EQ(Video().GetAlphaTop(), std::nullopt);
}

TEST_F(NodeTraversal, FailureDeepInTheTreeIsReportedByEveryAncestorAndNamesTheRoot)
{
    const auto root = MakeProbe("root");
    const auto middle = MakeProbe("middle");
    const auto leaf = MakeProbe("leaf");
    leaf->onDraw = [](IGameEngine&) { throw std::runtime_error("mesh lost"); };
    root->AddChild(middle);
    middle->AddChild(leaf);

    LogCapture log;
    EXPECT_THAT([&] { root->Update(Engine()); },
                ThrowsMessage<std::runtime_error>(StrEq("Node.Update Error in Node root")));
    EXPECT_THAT(log.Texts(),
                ElementsAre("Fehler in Node.Update", "Error in Node.Update (leaf): mesh lost", "Fehler in Node.Update",
                            "Error in Node.Update (middle): Node.Update Error in Node leaf", "Fehler in Node.Update",
                            "Error in Node.Update (root): Node.Update Error in Node middle"));
}

TEST_F(NodeTraversal, ChildrenAddedOrRemovedWhileDrawingChangeTheFrameOnlyWhereTheyShould)
{
    const auto root = MakeProbe("root");
    const auto remover = MakeProbe("remover");
    const auto victim = MakeProbe("victim");
    const auto last = MakeProbe("last");
    const auto late = MakeProbe("late");
    std::vector<std::string> drawn;
    for (const auto& node : {remover, victim, last, late})
    {
        node->onDraw = [&drawn, name = node->GetName()](IGameEngine&) { drawn.push_back(name); };
        if (node != late)
            root->AddChild(node);
    }
    remover->onDraw = [&](IGameEngine& gameEngine) {
        drawn.push_back("remover");
        root->RemoveChild(victim, gameEngine);
        root->AddChild(late);
    };

    root->Update(Engine());
    // The removed sibling is not drawn and the one after it is not skipped; the added one waits for the next frame.
    EXPECT_THAT(drawn, ElementsAre("remover", "last"));
    EXPECT_THAT(root->GetChildren(), ElementsAre(remover, last, late));
    EXPECT_EQ(victim->GetParent(), nullptr);
}

TEST_F(NodeTraversal, ChildThatRemovesItselfWhileDrawingStaysAliveUntilItsDrawingEnds)
{
    const auto root = MakeProbe("root");
    auto self = MakeProbe("self");
    std::weak_ptr<ProbeNode> watch = self;
    bool drewAfterRemoval = false;
    self->onDraw = [&root, &watch, &drewAfterRemoval](IGameEngine& gameEngine) {
        root->RemoveChild(watch.lock(), gameEngine);
        drewAfterRemoval = watch.lock()->GetName() == "self";
    };
    root->AddChild(std::move(self));

    root->Update(Engine());

    EXPECT_TRUE(drewAfterRemoval);
    EXPECT_TRUE(watch.expired());
}

TEST_F(NodeTraversal, AFrameOverAWholeTreeAllocatesNothing)
{
    const auto root = MakeProbe("root");
    for (int branch = 0; branch < 20; ++branch)
    {
        const auto group = std::make_shared<EmptyNode>("group", Common::Point3D(1.0f, 0.0f, 0.0f), std::nullopt);
        group->SetAlpha(100);
        group->SetRotation(Common::Point3D(0.0f, 0.0f, 1.0f));
        for (int leaf = 0; leaf < 20; ++leaf)
            group->AddChild(std::make_shared<EmptyNode>("leaf", Common::Point3D(0.0f, 1.0f, 0.0f), std::nullopt));
        root->AddChild(group);
    }
    // The first frame may grow the engine's stacks once.
    root->Update(Engine());
    Video().InitFrame();

    StartCountingAllocations();
    root->Update(Engine());
    EXPECT_EQ(StopCountingAllocations(), 0);
    EXPECT_EQ(Video().GetVideoInfo().GetNodes(), 421u);
}

} // namespace
} // namespace Quarnel::SceneTests
