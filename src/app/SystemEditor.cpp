#include "app/SystemEditor.h"

#include "Common/MyLog.h"
#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Input/Keys.h"
#include "GameEngine2D/Scene/Scene.h"
#include "app/FilePicker.h"
#include "app/Game.h"
#include "app/GameGUI.h"
#include "app/SimulationShortcuts.h"
#include "app/System/SolarSystem.h"
#include "app/SystemFile/SavePath.h"
#include "app/SystemFile/SystemFileError.h"
#include "app/SystemFile/SystemReader.h"
#include "app/SystemFile/SystemWriter.h"

#include <SDL_keycode.h>
#include <algorithm>
#include <ctime>
#include <exception>
#include <system_error>

namespace Zandrel
{

namespace
{

using Quarnel::Common::MyLog;
using Quarnel::GameEngine2D::Input::Keys;

bool IsHeld(const Quarnel::GameEngine2D::Input::KeyState& keys, Keys left, Keys right)
{
    return keys.at(static_cast<std::size_t>(left)) != 0 || keys.at(static_cast<std::size_t>(right)) != 0;
}

// The system files in `folder`, sorted by name; none when it is missing or unreadable.
std::vector<std::filesystem::path> SystemFilesIn(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
    {
        if (entry->path().extension() == ".json" && entry->is_regular_file(error))
            files.push_back(entry->path());
    }
    std::ranges::sort(files);
    return files;
}

} // namespace

SystemEditor::SystemEditor(Game& owner, SimulationShortcuts& shortcuts) : game(owner), snapshot(owner)
{
    changing = game.GetSolarSystem()->OnChanging().Subscribe([this] { OnChanging(); });
    // The frame's input has been handled once its physics begins.
    frameStart = game.OnBeforePhysics().Subscribe([this] { recordedThisFrame = false; });
    picker = std::make_shared<FilePicker>(*game.GetPanelScene(), game.GetFont(),
                                          [this](const std::filesystem::path& file) { (void)Load(file); });
    game.GetGui()->AddChild(picker);
    game.GetGui()->SetEditActions([this] { DeleteSelected(); }, [this] { TogglePicker(); });
    BindKeys(shortcuts);
}

SystemEditor::~SystemEditor() = default;

void SystemEditor::BindKeys(SimulationShortcuts& shortcuts)
{
    shortcuts.Bind(SDLK_DELETE, [this] { DeleteSelected(); });
    shortcuts.Bind(SDLK_s, [this] {
        if (IsControlHeld())
            (void)Save();
    });
    shortcuts.Bind(SDLK_z, [this] {
        if (IsControlHeld() && IsShiftHeld())
            Redo();
        else if (IsControlHeld())
            Undo();
    });
    shortcuts.Bind(SDLK_y, [this] {
        if (IsControlHeld())
            Redo();
    });
    shortcuts.Bind(SDLK_l, [this] {
        if (!IsControlHeld())
            TogglePicker();
    });
    escape = shortcuts.OnEscape().Subscribe([this] { picker->Close(); });
}

bool SystemEditor::IsControlHeld() const
{
    return IsHeld(game.GetEventManager().GetKeyState(), Keys::LCtrl, Keys::RCtrl);
}

bool SystemEditor::IsShiftHeld() const
{
    return IsHeld(game.GetEventManager().GetKeyState(), Keys::LShift, Keys::RShift);
}

void SystemEditor::OnChanging()
{
    if (replacing || recordedThisFrame)
        return;
    SystemFile::SystemData before = snapshot.Capture(false);
    // Bodies that merged touched while the clock ran; put back running, they would merge again at the next step, so
    // taking a merge back shows them paused, just before they met.
    if (game.GetSolarSystem()->IsAnnouncingMerge())
        before.paused = true;
    history.Record(std::move(before));
    recordedThisFrame = true;
}

void SystemEditor::DeleteSelected()
{
    const std::optional<std::uint16_t> selected = game.GetGui()->GetSelectedBody();
    if (!selected)
        return;
    const auto body = game.GetSolarSystem()->FindItem(*selected);
    if (!body)
        return;
    game.GetGui()->ForgetBody(*selected);
    game.GetSolarSystem()->RemoveBody(body);
}

std::optional<std::filesystem::path> SystemEditor::Save()
{
    std::filesystem::path file;
    try
    {
        file = SystemFile::SavePath::Next(game.GetStart().saveFolder, std::time(nullptr));
        SystemFile::SystemWriter::WriteFile(snapshot.Capture(true), file);
    }
    catch (const std::exception& error)
    {
        MyLog::Warning("System kann nicht gespeichert werden: " + file.string() + ": " + error.what());
        return std::nullopt;
    }
    MyLog::Info("System gespeichert: " + file.string());
    return file;
}

bool SystemEditor::Load(const std::filesystem::path& file, bool asEdit)
{
    SystemFile::SystemData loaded;
    try
    {
        loaded = SystemFile::SystemReader::ReadFile(file);
        const SystemFile::SystemData before = snapshot.Capture(false);
        ReplaceSafely(loaded);
        if (asEdit)
            history.Record(before);
        recordedThisFrame = false;
    }
    catch (const std::exception& error)
    {
        MyLog::Warning("System kann nicht geladen werden: " + file.string() + ": " + error.what());
        return false;
    }
    MyLog::Info("System geladen: " + file.string() + " (" + std::to_string(loaded.bodies.size()) + " Körper)");
    return true;
}

void SystemEditor::Undo()
{
    std::optional<SystemFile::SystemData> previous = history.Undo(snapshot.Capture(false));
    if (previous)
        ReplaceOrWarn(*previous);
    recordedThisFrame = false;
}

void SystemEditor::Redo()
{
    std::optional<SystemFile::SystemData> next = history.Redo(snapshot.Capture(false));
    if (next)
        ReplaceOrWarn(*next);
    recordedThisFrame = false;
}

void SystemEditor::ReplaceOrWarn(const SystemFile::SystemData& system)
{
    try
    {
        ReplaceSafely(system);
    }
    catch (const std::exception& error)
    {
        MyLog::Warning(std::string("System kann nicht wiederhergestellt werden: ") + error.what());
    }
}

void SystemEditor::ReplaceSafely(const SystemFile::SystemData& system)
{
    const SystemFile::SystemData before = snapshot.Capture(false);
    replacing = true;
    try
    {
        snapshot.Replace(system);
    }
    catch (...)
    {
        // The old system was built once already, so it builds again.
        snapshot.Replace(before);
        replacing = false;
        throw;
    }
    replacing = false;
}

std::vector<std::filesystem::path> SystemEditor::LoadableFiles() const
{
    std::vector<std::filesystem::path> files = SystemFilesIn(game.GetStart().presetFolder);
    std::vector<std::filesystem::path> saves = SystemFilesIn(game.GetStart().saveFolder);
    // Save names carry their date and time: the newest first.
    files.insert(files.end(), saves.rbegin(), saves.rend());
    return files;
}

void SystemEditor::TogglePicker()
{
    if (picker->IsOpen())
        picker->Close();
    else
        picker->Open(LoadableFiles());
}

} // namespace Zandrel
