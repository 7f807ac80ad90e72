#pragma once

#include <utility>

namespace Quarnel::Common
{

// Owns one C handle (an SDL surface, a GL name, a TTF font) and frees it exactly once. The traits name the
// handle type, its empty value and how to free it; SDL objects and GL names share this one tested class.
template <typename Traits>
class UniqueHandle final
{
public:
    using Value = typename Traits::Value;

    UniqueHandle() = default;
    explicit UniqueHandle(Value adopted) noexcept : value(adopted) {}
    UniqueHandle(UniqueHandle&& other) noexcept : value(other.Release()) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        // Release before Reset: a self-move then keeps the handle instead of freeing it.
        Reset(other.Release());
        return *this;
    }

    [[nodiscard]] Value Get() const noexcept { return value; }
    [[nodiscard]] Value Release() noexcept { return std::exchange(value, Traits::Empty); }
    [[nodiscard]] explicit operator bool() const noexcept { return value != Traits::Empty; }

    void Reset(Value adopted = Traits::Empty) noexcept
    {
        if (const Value old = std::exchange(value, adopted); old != Traits::Empty)
            Traits::Free(old);
    }

private:
    Value value = Traits::Empty;
};

} // namespace Quarnel::Common
