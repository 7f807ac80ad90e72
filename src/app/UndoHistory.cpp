#include "app/UndoHistory.h"

#include <utility>

namespace Zandrel
{

void UndoHistory::Record(SystemFile::SystemData before)
{
    while (!redone.empty())
        (void)Pop(redone);
    Push(undone, std::move(before));
    Trim();
}

std::optional<SystemFile::SystemData> UndoHistory::Undo(SystemFile::SystemData current)
{
    if (undone.empty())
        return std::nullopt;
    SystemFile::SystemData previous = Pop(undone);
    Push(redone, std::move(current));
    return previous;
}

std::optional<SystemFile::SystemData> UndoHistory::Redo(SystemFile::SystemData current)
{
    if (redone.empty())
        return std::nullopt;
    SystemFile::SystemData next = Pop(redone);
    Push(undone, std::move(current));
    Trim();
    return next;
}

std::size_t UndoHistory::SizeOf(const SystemFile::SystemData& system)
{
    std::size_t size = sizeof(SystemFile::SystemData) + system.bodies.capacity() * sizeof(SystemFile::BodyData);
    for (const SystemFile::BodyData& body : system.bodies)
        size += body.name.capacity();
    return size;
}

void UndoHistory::Push(std::deque<SystemFile::SystemData>& stack, SystemFile::SystemData system)
{
    bytes += SizeOf(system);
    stack.push_back(std::move(system));
}

SystemFile::SystemData UndoHistory::Pop(std::deque<SystemFile::SystemData>& stack)
{
    SystemFile::SystemData top = std::move(stack.back());
    stack.pop_back();
    bytes -= SizeOf(top);
    return top;
}

void UndoHistory::Trim()
{
    // Past the byte limit the history may keep fewer than MinSteps of very large systems, never fewer than one.
    while (undone.size() > 1 && (undone.size() > MaxSteps || bytes > MaxBytes))
    {
        bytes -= SizeOf(undone.front());
        undone.pop_front();
    }
}

} // namespace Zandrel
