#pragma once

namespace Quarnel::Common
{

// The side of a node that fades see: whether it is shown and how opaque it is (0 hidden .. 255 opaque). It lives
// here, below both the animations and the scene graph.
class IFadeable
{
public:
    IFadeable() = default;
    IFadeable(const IFadeable&) = delete;
    IFadeable& operator=(const IFadeable&) = delete;
    virtual ~IFadeable() = default;

    virtual void SetVisible(bool value) = 0;
    virtual void SetAlpha(int value) = 0;
};

} // namespace Quarnel::Common
