#pragma once

#include <cstdint>

// Declares every type of this namespace, for headers that only name them.
namespace Quarnel::GameEngine2D::Widgets
{

class Button;
class CheckBoxGroup;
class Checkbox;
class Control;
class Frame;
class Group;
class Label;
class List;
class NumberEdit;
class Space;
class TextEdit;
struct ButtonDefinition;
struct CheckboxDefinition;
struct ChoiceDefinition;
struct ListDefinition;
enum class WidgetNodeType : std::int32_t;
enum class WidgetType : std::int32_t;

} // namespace Quarnel::GameEngine2D::Widgets
