#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace Quarnel::Common
{

// What a change made to a WalkedList does while the list is being walked.
enum class WhileWalked
{
    // Changes take effect at once, and a walk that sees one stops with "Collection modified during iteration".
    Refuse,
    // Additions made during a walk join, in order, when it completes; a removal blanks its entry at once, so the
    // entry is not visited again, and the gap closes when the walk completes. A walk left through an exception counts
    // as running until a later walk completes, and nothing is tidied up on that path.
    DeferAdditions,
    // Additions and removals, also those made between walks, wait for the start of the next walk that is not nested
    // in another: a walk sees exactly the entries it started with, a removed one included.
    DeferAll,
};

// An ordered list of shared entries that the callbacks it runs may change while it is walked: event handlers, input
// registries, a node's children, a widget group's controls, the physics lists. Each place names what a change during a
// walk does; whatever it names, a walk never reads past the end, and an entry stays alive while it is visited even
// when its last other owner drops it. Every entry gets an id, so a subscription can take out exactly its own one.
template <typename T>
class WalkedList final
{
public:
    using Pointer = std::shared_ptr<T>;

    explicit WalkedList(WhileWalked policy = WhileWalked::Refuse) : whileWalked(policy) {}

    // Appends the entry, or queues it as the policy says; returns its id.
    std::uint64_t Add(Pointer item)
    {
        const std::uint64_t id = ++lastId;
        ++version;
        if (whileWalked == WhileWalked::DeferAll || (whileWalked == WhileWalked::DeferAdditions && walking))
            pending.push_back({std::move(item), id});
        else
        {
            items.push_back(std::move(item));
            ids.push_back(id);
        }
        return id;
    }

    // Takes out the first active entry that matches (DeferAll: a queued addition goes at once, an active entry at the
    // start of the next walk). Returns whether one matched.
    template <typename Predicate>
    bool Remove(Predicate matches)
    {
        if (whileWalked == WhileWalked::DeferAll)
        {
            if (ErasePending([&](const Entry& entry) { return matches(*entry.item); }))
                return true;
            const std::size_t index = FindIndex(matches);
            if (index == items.size())
                return false;
            pendingRemovals.push_back(ids[index]);
            return true;
        }
        const std::size_t index = FindIndex(matches);
        if (index == items.size())
            return false;
        Drop(index);
        return true;
    }

    // Takes out the entry with this id, active or queued, at once under every policy: a subscriber that is gone must
    // not be called again. Returns whether there was one.
    bool Detach(std::uint64_t id) noexcept
    {
        if (ErasePending([id](const Entry& entry) { return entry.id == id; }))
            return true;
        const auto index = static_cast<std::size_t>(std::ranges::find(ids, id) - ids.begin());
        if (index == ids.size() || !items[index])
            return false;
        Drop(index);
        return true;
    }

    // Takes out every entry, queued ones included.
    void Clear()
    {
        ++version;
        pending.clear();
        pendingRemovals.clear();
        if (IsWalked())
        {
            for (Pointer& item : items)
                item.reset();
            return;
        }
        items.clear();
        ids.clear();
    }

    // Visits the active entries in order; a change a visit makes is handled as the policy says.
    template <typename Visit>
    void ForEach(Visit visit)
    {
        if (whileWalked == WhileWalked::Refuse)
            ForEachUnchanged(visit);
        else if (whileWalked == WhileWalked::DeferAll)
            ForEachDeferringAll(visit);
        else
            ForEachDeferringAdditions(visit);
    }

    // Visits the active entries in order and stops with "Collection modified during iteration" as soon as a visit has
    // added or removed an entry, whatever the policy.
    template <typename Visit>
    void ForEachUnchanged(Visit visit)
    {
        const std::uint64_t before = version;
        for (std::size_t index = 0; index < items.size(); ++index)
        {
            const Pointer item = items[index];
            if (!item)
                continue;
            visit(*item);
            if (version != before)
                throw std::runtime_error("Collection modified during iteration");
        }
    }

    // Every entry the list holds, active or waiting to join, without any walk rule: for clean-up.
    template <typename Visit>
    void ForEachHeld(Visit visit) const
    {
        for (const Pointer& item : items)
        {
            if (item)
                visit(*item);
        }
        for (const Entry& entry : pending)
            visit(*entry.item);
    }

    // The first active entry that matches, or null.
    template <typename Predicate>
    [[nodiscard]] Pointer Find(Predicate matches) const
    {
        const std::size_t index = FindIndex(matches);
        return index == items.size() ? nullptr : items[index];
    }

    // The active entries in order. Blank (null) entries appear only in a list that is walked under DeferAdditions or
    // DeferAll, or whose walk was left through an exception.
    [[nodiscard]] const std::vector<Pointer>& Entries() const { return items; }
    // The active entries without blanks.
    [[nodiscard]] std::vector<Pointer> Items() const
    {
        std::vector<Pointer> live;
        std::ranges::copy_if(items, std::back_inserter(live), [](const Pointer& item) { return item != nullptr; });
        return live;
    }
    [[nodiscard]] std::size_t Size() const
    {
        return static_cast<std::size_t>(
            std::ranges::count_if(items, [](const Pointer& item) { return item != nullptr; }));
    }
    [[nodiscard]] bool IsWalked() const { return walking || depth > 0; }

private:
    struct Entry
    {
        Pointer item;
        std::uint64_t id;
    };

    // Keeps the walk depth right when a visit throws.
    struct DepthGuard
    {
        int& depth;
        ~DepthGuard() { --depth; }
    };

    template <typename Visit>
    void ForEachDeferringAdditions(Visit& visit)
    {
        walking = true;
        VisitLive(visit);
        CloseGaps();
        walking = false;
        JoinPending();
    }

    template <typename Visit>
    void ForEachDeferringAll(Visit& visit)
    {
        if (depth == 0)
        {
            for (const std::uint64_t id : pendingRemovals)
            {
                if (const auto found = std::ranges::find(ids, id); found != ids.end())
                    Drop(static_cast<std::size_t>(found - ids.begin()));
            }
            pendingRemovals.clear();
            CloseGaps();
            JoinPending();
        }
        ++depth;
        const DepthGuard guard{depth};
        VisitLive(visit);
    }

    // The length is read again at every step: a nested walk may have closed gaps meanwhile.
    template <typename Visit>
    void VisitLive(Visit& visit)
    {
        for (std::size_t index = 0; index < items.size(); ++index)
        {
            const Pointer item = items[index];
            if (item)
                visit(*item);
        }
    }

    template <typename Predicate>
    [[nodiscard]] std::size_t FindIndex(Predicate& matches) const
    {
        const auto found = std::ranges::find_if(items, [&](const Pointer& item) { return item && matches(*item); });
        return static_cast<std::size_t>(found - items.begin());
    }

    template <typename Predicate>
    bool ErasePending(Predicate matches)
    {
        const auto found = std::ranges::find_if(pending, matches);
        if (found == pending.end())
            return false;
        pending.erase(found);
        ++version;
        return true;
    }

    // A walked list keeps the place and only blanks it, so the walk's indexes stay valid.
    void Drop(std::size_t index) noexcept
    {
        ++version;
        if (IsWalked())
        {
            items[index].reset();
            return;
        }
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
        ids.erase(ids.begin() + static_cast<std::ptrdiff_t>(index));
    }

    void CloseGaps()
    {
        std::size_t kept = 0;
        for (std::size_t index = 0; index < items.size(); ++index)
        {
            if (!items[index])
                continue;
            items[kept] = std::move(items[index]);
            ids[kept] = ids[index];
            ++kept;
        }
        items.resize(kept);
        ids.resize(kept);
    }

    // Queued entries join without any test for duplicates, in the order they were added.
    void JoinPending()
    {
        for (Entry& entry : pending)
        {
            items.push_back(std::move(entry.item));
            ids.push_back(entry.id);
        }
        pending.clear();
    }

    std::vector<Pointer> items;
    std::vector<std::uint64_t> ids;
    std::vector<Entry> pending;
    std::vector<std::uint64_t> pendingRemovals;
    WhileWalked whileWalked;
    bool walking = false;
    int depth = 0;
    std::uint64_t lastId = 0;
    // Rises with every change, queued ones included, so a walk can tell that a visit changed the list.
    std::uint64_t version = 0;
};

} // namespace Quarnel::Common
