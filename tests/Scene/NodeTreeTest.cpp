#include "SceneTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace Quarnel::SceneTests
{
namespace
{

using ::testing::ElementsAre;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

using NodeTree = EngineTest;

void ExpectPoint(Common::Point3D actual, float x, float y, float z)
{
    EXPECT_FLOAT_EQ(actual.X(), x);
    EXPECT_FLOAT_EQ(actual.Y(), y);
    EXPECT_FLOAT_EQ(actual.Z(), z);
}

TEST_F(NodeTree, AlphaMovesBetweenHiddenTranslucentAndOpaque)
{
    const auto node = MakeProbe("n");
    EXPECT_TRUE(node->IsVisible());
    EXPECT_EQ(node->GetAlpha(), 255);

    node->SetAlpha(128);
    EXPECT_TRUE(node->IsVisible());
    EXPECT_EQ(node->GetAlpha(), 128);

    // Hiding keeps the translucency for when the node is shown again.
    node->SetVisible(false);
    EXPECT_EQ(node->GetAlpha(), 128);
    node->SetVisible(true);

    for (const int opaque : {255, 300})
    {
        node->SetAlpha(128);
        node->SetAlpha(opaque);
        EXPECT_TRUE(node->IsVisible());
        EXPECT_EQ(node->GetAlpha(), 255);
    }
    for (const int hidden : {0, -5})
    {
        node->SetAlpha(128);
        node->SetAlpha(hidden);
        EXPECT_FALSE(node->IsVisible());
        EXPECT_EQ(node->GetAlpha(), 0);
    }
}

TEST_F(NodeTree, AbsolutePositionSumsOnlyTheTranslationsOfTheAncestors)
{
    const auto root = MakeProbe("root", Common::Point3D(0.0f, 0.0f, 5.0f));
    const auto parent = MakeProbe("parent", Common::Point3D(10.0f, 0.0f, 0.0f));
    const auto child = MakeProbe("child", Common::Point3D(1.0f, 2.0f, 3.0f));
    root->AddChild(parent);
    parent->AddChild(child);
    parent->SetRotation(Common::Point3D(90.0f, 0.0f, 0.0f));
    parent->SetScale(Common::Point3D(2.0f, 2.0f, 2.0f));

    ExpectPoint(child->GetAbsolutePosition(), 11.0f, 2.0f, 8.0f);
    ExpectPoint(root->GetAbsolutePosition(), 0.0f, 0.0f, 5.0f);
    EXPECT_EQ(child->GetParent(), parent.get());
}

TEST_F(NodeTree, SizeIsScaledOnlyWhileAScaleIsSet)
{
    const auto node =
        std::make_shared<EmptyNode>("n", Common::Point3D(0.0f, 0.0f, 0.0f), Common::Point3D(2.0f, 4.0f, 1.0f));
    ExpectPoint(*node->GetSize(), 2.0f, 4.0f, 1.0f);
    node->SetScale(Common::Point3D(3.0f, 0.5f, 1.0f));
    ExpectPoint(*node->GetSize(), 6.0f, 2.0f, 1.0f);

    // A scaled node without a size has no size rather than a made-up one.
    const auto sizeless = std::make_shared<EmptyNode>("s", Common::Point3D(0.0f, 0.0f, 0.0f), std::nullopt);
    sizeless->SetScale(Common::Point3D(3.0f, 3.0f, 3.0f));
    EXPECT_FALSE(sizeless->GetSize().has_value());
    ExpectPoint(sizeless->GetRotation(), 0.0f, 0.0f, 0.0f);
}

TEST_F(NodeTree, ChildIndexOutsideTheListThrowsOutOfRange)
{
    const auto parent = MakeProbe("parent");
    EXPECT_THROW((void)parent->GetChild(0), std::out_of_range);
    parent->AddChild(MakeProbe("a"));
    parent->AddChild(MakeProbe("b"));
    EXPECT_EQ(parent->GetChild(1)->GetName(), "b");
    EXPECT_THROW((void)parent->GetChild(-1), std::out_of_range);
    EXPECT_THROW((void)parent->GetChild(2), std::out_of_range);
}

TEST_F(NodeTree, AddingANullChildOrANodeBelowItselfIsRefused)
{
    const auto root = MakeProbe("root");
    const auto parent = MakeProbe("parent");
    root->AddChild(parent);
    EXPECT_THAT([&] { parent->AddChild(nullptr); }, ThrowsMessage<std::invalid_argument>(StrEq("child is null")));
    EXPECT_THAT([&] { parent->AddChild(parent); },
                ThrowsMessage<std::invalid_argument>(StrEq("Node parent can't be added below itself")));
    EXPECT_THAT([&] { parent->AddChild(root); },
                ThrowsMessage<std::invalid_argument>(StrEq("Node root can't be added below itself")));
    EXPECT_EQ(parent->GetChildCount(), 0);
    // A node may still hang below two parents (the last one is its parent).
    const auto other = MakeProbe("other");
    const auto shared = MakeProbe("shared");
    parent->AddChild(shared);
    other->AddChild(shared);
    EXPECT_EQ(shared->GetParent(), other.get());
    EXPECT_EQ(parent->GetChildCount(), 1);
}

// The parent link is a plain pointer: it must end whenever the child leaves the parent's list or the parent goes.
TEST_F(NodeTree, ParentLinkEndsWithTheListEntryOrWithTheParent)
{
    const auto child = MakeProbe("child");
    const auto built = std::make_shared<ProbeNode>("built");
    {
        const auto parent = MakeProbe("parent", Common::Point3D(5.0f, 0.0f, 0.0f));
        parent->AddChild(child);
        parent->ClearChildren();
        EXPECT_EQ(child->GetParent(), nullptr);
        parent->AddChild(child);
        parent->AddChild(built);
        ExpectPoint(child->GetAbsolutePosition(), 5.0f, 0.0f, 0.0f);
    }
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_EQ(built->GetParent(), nullptr);
    ExpectPoint(child->GetAbsolutePosition(), 0.0f, 0.0f, 0.0f);
}

TEST_F(NodeTree, RemoveChildRefusesNullAndStrangersWithTheirMessages)
{
    const auto parent = MakeProbe("parent");
    const auto first = MakeProbe("twin");
    const auto second = MakeProbe("twin");
    parent->AddChild(first);
    parent->AddChild(second);

    EXPECT_EQ(parent->FindChild("twin"), first);
    EXPECT_EQ(parent->FindChild("twi"), nullptr);
    EXPECT_THAT([&] { parent->RemoveChild(nullptr, Engine()); },
                ThrowsMessage<std::runtime_error>(StrEq("Node.RemoveChild parent: node is null")));
    // The name finds the first twin, which is not the node asked for.
    EXPECT_THAT([&] { parent->RemoveChild(second, Engine()); },
                ThrowsMessage<std::runtime_error>(StrEq("Node twin can't be removed; is no child of parent")));
    EXPECT_THAT([&] { parent->RemoveChild(MakeProbe("stranger"), Engine()); },
                ThrowsMessage<std::runtime_error>(StrEq("Node stranger can't be removed; is no child of parent")));
    EXPECT_THAT(parent->GetChildren(), ElementsAre(first, second));
}

TEST_F(NodeTree, RemoveChildDisposesTheWholeSubtreeAndDropsOnlyThatChild)
{
    const auto parent = MakeProbe("parent");
    const auto keep = MakeProbe("keep");
    const auto drop = MakeProbe("drop");
    const auto grandChild = MakeProbe("grandChild");
    parent->AddChild(keep);
    parent->AddChild(drop);
    drop->AddChild(grandChild);

    LogCapture log;
    parent->RemoveChild(drop, Engine());

    EXPECT_THAT(log.Texts(), ElementsAre("Dispose drop", "Dispose grandChild"));
    EXPECT_THAT(parent->GetChildren(), ElementsAre(keep));
    EXPECT_EQ(drop->GetChildCount(), 0);
}

TEST_F(NodeTree, FailingCleanUpIsLoggedAndTheRestOfTheTreeIsStillDisposed)
{
    const auto parent = MakeProbe("parent");
    const auto first = MakeProbe("first");
    const auto broken = MakeProbe("broken");
    const auto third = MakeProbe("third");
    bool thirdDisposed = false;
    broken->onDispose = [](IGameEngine&) { throw std::runtime_error("texture gone"); };
    third->onDispose = [&](IGameEngine&) { thirdDisposed = true; };
    parent->AddChild(first);
    parent->AddChild(broken);
    parent->AddChild(third);

    LogCapture log;
    parent->Dispose(Engine());

    EXPECT_THAT(log.Texts(), ElementsAre("Dispose parent", "Dispose first", "Dispose broken",
                                         "Error in DisposeNode at Node broken", "texture gone", "Dispose third"));
    EXPECT_TRUE(thirdDisposed);
    EXPECT_EQ(parent->GetChildCount(), 0);
}

TEST_F(NodeTree, ChangingTheListWhileItIsDisposedStopsTheWalkAndStillEmptiesIt)
{
    const auto parent = MakeProbe("parent");
    const auto meddler = MakeProbe("meddler");
    const auto last = MakeProbe("last");
    meddler->onDispose = [&](IGameEngine&) { parent->AddChild(MakeProbe("late")); };
    parent->AddChild(meddler);
    parent->AddChild(last);

    LogCapture log;
    parent->DisposeChildren(Engine());

    EXPECT_THAT(log.Texts(),
                ElementsAre("Dispose meddler", "new Node: late", "Error in Children dispose at Node parent",
                            "Collection modified during iteration"));
    EXPECT_EQ(parent->GetChildCount(), 0);
}

} // namespace
} // namespace Quarnel::SceneTests
