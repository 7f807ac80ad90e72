#pragma once

// Declares every type of this namespace, for headers that only name them.
namespace Quarnel::GameEngine2D::Animation
{

class Animation;
class AnimationConnector;
class AnimationFade;
class AnimationManager;
class AnimationMove;
class AnimationTimer;
class CustomAnimation;
class MassMover;
class TimedAnimationConnector;
class TimedAnimationList;
class TimedAnimationStarter;
class ValueManipulator;

} // namespace Quarnel::GameEngine2D::Animation
