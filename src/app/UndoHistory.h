#pragma once

#include "app/SystemFile/SystemData.h"

#include <cstddef>
#include <deque>
#include <optional>

namespace Zandrel
{

// The systems the user can go back and forth to: each edit keeps the whole system as it was just before it, so
// that undoing puts exactly that back, whatever the edit was. Kept as plain data (a few dozen bytes a body), the
// history holds at least MinSteps edits and otherwise stays within MaxBytes, forgetting the oldest first.
class UndoHistory final
{
public:
    static constexpr std::size_t MinSteps = 100;
    static constexpr std::size_t MaxSteps = 500;
    static constexpr std::size_t MaxBytes = 256u * 1024u * 1024u;

    // The system as it was before an edit; whatever was undone can no longer be redone.
    void Record(SystemFile::SystemData before);
    // The system to go back to, given the one shown now (which redo brings back); none when nothing is left.
    [[nodiscard]] std::optional<SystemFile::SystemData> Undo(SystemFile::SystemData current);
    // The system to go forward to, given the one shown now; none when nothing was undone.
    [[nodiscard]] std::optional<SystemFile::SystemData> Redo(SystemFile::SystemData current);

    [[nodiscard]] std::size_t UndoSteps() const { return undone.size(); }
    [[nodiscard]] std::size_t RedoSteps() const { return redone.size(); }
    [[nodiscard]] std::size_t Bytes() const { return bytes; }

    // About what a system takes in memory.
    [[nodiscard]] static std::size_t SizeOf(const SystemFile::SystemData& system);

private:
    void Push(std::deque<SystemFile::SystemData>& stack, SystemFile::SystemData system);
    [[nodiscard]] SystemFile::SystemData Pop(std::deque<SystemFile::SystemData>& stack);
    // Forgets the oldest undo steps beyond the limits; the newest step always stays.
    void Trim();

    std::deque<SystemFile::SystemData> undone;
    std::deque<SystemFile::SystemData> redone;
    std::size_t bytes = 0;
};

} // namespace Zandrel
