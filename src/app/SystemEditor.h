#pragma once

#include "Common/Subscription.h"
#include "app/SystemSnapshot.h"
#include "app/UndoHistory.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace Zandrel
{

class FilePicker;
class Game;
class SimulationShortcuts;

// What makes the sandbox a place where work is kept: deleting the selected body (Delete, "Entfernen"), saving
// (Ctrl+S), loading from the command line or the picker ("L", "Laden"), and undo and redo (Ctrl+Z; Ctrl+Y and
// Ctrl+Shift+Z) of every edit: a body added in any way or deleted, a body changed in the inspector, the law or
// merging switched, bodies merged, a system loaded.
//
// Every edit is noticed before it happens (the solar system announces its changes), and the system as it was then
// goes into the history; undo puts that whole system back. Time passing is no edit.
class SystemEditor final
{
public:
    // `game` and `shortcuts` outlive the editor; the keys are bound here.
    SystemEditor(Game& game, SimulationShortcuts& shortcuts);
    SystemEditor(const SystemEditor&) = delete;
    SystemEditor& operator=(const SystemEditor&) = delete;
    ~SystemEditor();

    // Removes the body selected in the list, as an edit; nothing when none is selected.
    void DeleteSelected();
    // Writes the system to a new file in the save folder and says so on the information line; a failure is a
    // warning and changes nothing. The file's path, or none.
    std::optional<std::filesystem::path> Save();
    // Replaces the system by the one in `file` and says so on the information line; `asEdit` keeps the system
    // before in the history. A file that cannot be used is a warning and leaves the system exactly as it was.
    bool Load(const std::filesystem::path& file, bool asEdit = true);
    void Undo();
    void Redo();

    // The files the picker offers: the shipped presets, then the saves, newest first.
    [[nodiscard]] std::vector<std::filesystem::path> LoadableFiles() const;
    // Shows the picker, or hides it when it is shown.
    void TogglePicker();

    [[nodiscard]] const UndoHistory& GetHistory() const { return history; }
    [[nodiscard]] SystemSnapshot& GetSnapshot() { return snapshot; }
    [[nodiscard]] FilePicker& GetPicker() const { return *picker; }

private:
    void BindKeys(SimulationShortcuts& shortcuts);
    // The solar system is about to change: the system as it is goes into the history, unless the change is
    // this editor's own replacing.
    void OnChanging();
    // Replaces the system; when that fails part way, the system before is put back and the failure raised.
    void ReplaceSafely(const SystemFile::SystemData& system);
    // The same for undo and redo, where a failure is a warning.
    void ReplaceOrWarn(const SystemFile::SystemData& system);
    [[nodiscard]] bool IsControlHeld() const;
    [[nodiscard]] bool IsShiftHeld() const;

    Game& game;
    SystemSnapshot snapshot;
    UndoHistory history;
    std::shared_ptr<FilePicker> picker;
    bool replacing = false;
    // Edits of one frame (a burst of clicks, a program adding thousands of bodies at once) make one undo step:
    // each step keeps the whole system, so a step per body would cost time and memory growing with the square of
    // the bodies added.
    bool recordedThisFrame = false;
    Quarnel::Common::Subscription changing;
    Quarnel::Common::Subscription frameStart;
    Quarnel::Common::Subscription escape;
};

} // namespace Zandrel
