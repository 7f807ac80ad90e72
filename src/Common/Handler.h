#pragma once

#include <functional>
#include <utility>

namespace Quarnel::Common
{

// A callback taking the event's arguments, plus the key that makes "the same handler" testable:
// (object address, member function). Bind<&T::Method>(object) gives both; a free callable carries an
// explicit key when it must be removable, and without a key it equals no other handler.
template <typename... Args>
class Handler final
{
public:
    using Callback = std::function<void(Args...)>;

    // A callable whose identity is (keyObject, keyTag); a null keyObject makes it unequal to everything.
    explicit Handler(Callback callable, const void* keyObject = nullptr, const void* keyTag = nullptr) :
        callback(std::move(callable)),
        object(keyObject),
        tag(keyTag)
    {
    }

    // The handler object->*Method; two Binds of the same method on the same object are equal.
    template <auto Method, typename T>
    [[nodiscard]] static Handler Bind(T* target)
    {
        return Handler([target](Args... args) { (target->*Method)(std::forward<Args>(args)...); },
                       static_cast<const void*>(target), &MethodTag<Method>::id);
    }

    template <auto Method, typename T>
    [[nodiscard]] static Handler Bind(T& target)
    {
        return Bind<Method>(&target);
    }

    void operator()(Args... args) const { callback(std::forward<Args>(args)...); }

    [[nodiscard]] bool operator==(const Handler& other) const
    {
        return object != nullptr && object == other.object && tag == other.tag;
    }

private:
    // One distinct address per member function, standing for the function in the key.
    template <auto Method>
    struct MethodTag
    {
        static constexpr char id = 0;
    };

    Callback callback;
    const void* object;
    const void* tag;
};

} // namespace Quarnel::Common
