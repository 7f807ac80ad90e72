#pragma once

// Declares every type of this namespace, for headers that only name them.
namespace Quarnel::GameEngine2D::Scene
{

class BoneNode;
class Camera;
class ColorNode;
class CustomAnimationNode;
class CustomNode;
class DynamicMeshNode;
class EmptyNode;
class IGameEngine;
class LightNode;
class Mesh123Node;
class Node;
class NodeFactory;
class NodeHelper;
class PictureNode;
class Scene;
class SimpleFormNode;
class StaticMeshNode;
class TextNode;
class TextsNode;

} // namespace Quarnel::GameEngine2D::Scene
