#pragma once

#include "Common/IMoveable.h"
#include "Common/MyLog.h"
#include "Common/Point3D.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace Quarnel::GameEngine2D::Physics::Testing
{

// Exact comparison of every component, as the physics must reproduce the float formula exactly.
inline ::testing::AssertionResult SamePoint(Common::Point3D actual, Common::Point3D expected)
{
    if (actual.X() == expected.X() && actual.Y() == expected.Y() && actual.Z() == expected.Z())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << actual.ToString() << ", expected " << expected.ToString();
}

// A movable point standing in for a scene node; onRead runs whenever its position is read.
class MovingPoint : public Common::IMoveable
{
public:
    explicit MovingPoint(Common::Point3D start) : position(start) {}

    [[nodiscard]] Common::Point3D GetPosition() const override
    {
        if (onRead)
            onRead();
        return position;
    }
    void SetPosition(Common::Point3D value) override { position = value; }

    Common::Point3D position;
    std::function<void()> onRead;
};

// A mass only observes its target, so a test's targets must outlive its world: these live to the end of the program.
inline std::shared_ptr<MovingPoint> KeptPoint(Common::Point3D start)
{
    static std::vector<std::shared_ptr<MovingPoint>> kept;
    return kept.emplace_back(std::make_shared<MovingPoint>(start));
}

} // namespace Quarnel::GameEngine2D::Physics::Testing
