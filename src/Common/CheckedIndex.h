#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <ranges>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace Quarnel::Common
{

// "Not found" is an ordinary answer, so it is an empty optional, not an exception.
template <typename Container, typename Predicate>
[[nodiscard]] std::optional<std::size_t> FindIndex(const Container& items, Predicate matches)
{
    const auto found = std::ranges::find_if(items, matches);
    if (found == std::ranges::end(items))
        return std::nullopt;
    return static_cast<std::size_t>(std::ranges::distance(std::ranges::begin(items), found));
}

// An index from outside the list is the caller's mistake: throw the caller's exact text, never read past the end.
// The message is a text, or a callable that makes it, so a path taken every frame formats nothing until it fails.
template <typename Container, typename Message>
[[nodiscard]] decltype(auto) CheckedAt(Container& items, std::ptrdiff_t index, const Message& message)
{
    if (index < 0 || static_cast<std::size_t>(index) >= std::size(items))
    {
        if constexpr (std::is_invocable_v<const Message&>)
            throw std::out_of_range(message());
        else
            throw std::out_of_range(std::string(message));
    }
    return items[static_cast<std::size_t>(index)];
}

} // namespace Quarnel::Common
