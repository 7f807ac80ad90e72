#include "Common/RandomNumber.h"
#include "ControlPanelDriver.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "GameEngine2D/Widgets/List.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "Support/LogRecorder.h"
#include "app/BodyEditor.h"
#include "app/FilePicker.h"
#include "app/Game.h"
#include "app/GameGUI.h"
#include "app/GameStart.h"
#include "app/System/Item.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"
#include "app/SystemEditor.h"
#include "app/SystemFile/SystemReader.h"
#include "app/SystemFile/SystemWriter.h"
#include "app/UndoHistory.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace
{

using Zandrel::SystemFile::SystemData;
using Zandrel::SystemFile::SystemReader;
using Zandrel::SystemFile::SystemWriter;
using Zandrel::Testing::ControlPanelDriver;

// A fresh folder for the saves of one test, removed with them.
struct SaveFolder
{
    SaveFolder() :
        path(std::filesystem::temp_directory_path() / ("zandrel_saves_" + std::to_string(std::random_device()())))
    {
    }
    ~SaveFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    std::filesystem::path path;
};

class SystemEditingTest : public ::testing::Test
{
protected:
    SystemEditingTest() :
        panel(Zandrel::GameStart{.dataPrefix = {},
                                 .screenshotFolder = "screenshots",
                                 .saveFolder = saves.path,
                                 .presetFolder = "presets",
                                 .startFile = {}})
    {
    }

    void SetUp() override
    {
        Quarnel::Common::RandomNumber::Seed(20261208);
        panel.Frames(2);
    }

    [[nodiscard]] Zandrel::System::SolarSystem& Bodies() const { return *panel.GetGame().GetSolarSystem(); }
    [[nodiscard]] Zandrel::SystemEditor& Editor() const { return *panel.GetGame().GetEditor(); }
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::List& ObjectList() const { return panel.Gui().GetObjectList(); }
    // The system as its file would read, bit for bit.
    [[nodiscard]] std::string Kept() const { return SystemWriter::ToText(Editor().GetSnapshot().Capture(false)); }

    void SelectEntry(std::size_t index) { panel.Click(*ObjectList().GetItems().at(index)); }
    // Ctrl (and Shift) held around a key press, one frame.
    void Chord(SDL_Keycode key, bool shift = false)
    {
        ControlPanelDriver::PushKeyEdge(SDLK_LCTRL, true);
        if (shift)
            ControlPanelDriver::PushKeyEdge(SDLK_LSHIFT, true);
        ControlPanelDriver::PushKey(key, "");
        if (shift)
            ControlPanelDriver::PushKeyEdge(SDLK_LSHIFT, false);
        ControlPanelDriver::PushKeyEdge(SDLK_LCTRL, false);
        panel.Frames();
    }
    [[nodiscard]] std::size_t LiveMasses() const
    {
        const auto& masses = panel.GetGame().GetWorld().GetMasses().List();
        return static_cast<std::size_t>(
            std::ranges::count_if(masses, [](const auto& mass) { return mass && !mass->IsRemoved(); }));
    }

    Quarnel::TestSupport::LogRecorder log;
    SaveFolder saves;
    ControlPanelDriver panel;
};

TEST_F(SystemEditingTest, DeleteKeyAndButtonRemoveTheSelectedBodyWhileTheSystemRuns)
{
    for (int count = 0; count < 4; ++count)
        panel.Click("btnAddRandomPlanet");
    panel.Frames(10);
    SelectEntry(1);
    const std::uint16_t second = Bodies().GetItems().at(1)->GetId();
    panel.PressKey(SDLK_DELETE);
    panel.Frames(5);
    ASSERT_EQ(Bodies().GetItems().size(), 3u);
    EXPECT_EQ(Bodies().FindItem(second), nullptr);
    EXPECT_EQ(ObjectList().GetItems().size(), 3u);
    EXPECT_EQ(LiveMasses(), 3u);
    EXPECT_FALSE(panel.Gui().GetSelectedBody());

    // Nothing selected: the key does nothing. Then the button removes the first body.
    panel.PressKey(SDLK_DELETE);
    EXPECT_EQ(Bodies().GetItems().size(), 3u);
    SelectEntry(0);
    panel.Click("btnDelete");
    panel.Frames(5);
    EXPECT_EQ(Bodies().GetItems().size(), 2u);
    EXPECT_EQ(ObjectList().GetItems().size(), 2u);
    EXPECT_EQ(LiveMasses(), 2u);
    for (const auto& body : Bodies().GetItems())
        EXPECT_TRUE(std::isfinite(body->GetPosition().X()));
}

TEST_F(SystemEditingTest, SaveThenLoadGivesTheSameSystemAndABadFileChangesNothing)
{
    panel.Click("btnAddRandomSun");
    panel.Click("btnAddRandomPlanet");
    panel.Frames(20);
    const std::string beforeSave = Kept();
    Chord(SDLK_s);
    const auto files = Editor().LoadableFiles();
    ASSERT_FALSE(files.empty());
    const std::filesystem::path saved = files.back();
    EXPECT_EQ(saved.parent_path(), saves.path);
    EXPECT_TRUE(log.Has("System gespeichert: " + saved.string()));
    EXPECT_EQ(SystemWriter::ToText(SystemReader::ReadFile(saved)).substr(0, 20), beforeSave.substr(0, 20));

    panel.Click("btnAddRandomPlanet");
    panel.Frames(20);
    ASSERT_TRUE(Editor().Load(saved));
    EXPECT_TRUE(log.Has("System geladen: " + saved.string() + " (2 Körper)"));
    EXPECT_EQ(Kept(), beforeSave);
    EXPECT_EQ(ObjectList().GetItems().size(), 2u);

    const std::filesystem::path broken = saves.path / "kaputt.json";
    std::ofstream(broken) << "{\"format\": \"zandrel-system\", \"version\": 1, \"bodies\": [{\"kind\": \"planet\"}]}";
    const std::string beforeBad = Kept();
    EXPECT_FALSE(Editor().Load(broken));
    EXPECT_EQ(Kept(), beforeBad);
    ASSERT_FALSE(log.Warnings().empty());
    EXPECT_EQ(log.Warnings().back().rfind("System kann nicht geladen werden: " + broken.string() + ": ", 0), 0u);
}

TEST_F(SystemEditingTest, ThePickerLoadsTheChosenFile)
{
    panel.Click("btnAddRandomPlanet");
    Chord(SDLK_s);
    panel.Click("btnAddRandomPlanet");
    panel.PressKey(SDLK_l);
    panel.Frames();
    const auto& frame = Editor().GetPicker().GetFrame();
    ASSERT_NE(frame, nullptr);
    const auto list =
        std::dynamic_pointer_cast<Quarnel::GameEngine2D::Widgets::List>(frame->GetMainGroup()->GetControl("liFiles"));
    const auto& offered = Editor().GetPicker().GetFiles();
    ASSERT_EQ(list->GetItems().size(), offered.size());
    // The save comes last, after the presets.
    ASSERT_EQ(offered.back().parent_path(), saves.path);
    while (!list->GetItems().back()->IsVisible())
        list->NextPage();
    panel.Frames();
    panel.Click(*list->GetItems().back());
    panel.Frames();
    EXPECT_FALSE(Editor().GetPicker().IsOpen());
    EXPECT_EQ(Bodies().GetItems().size(), 1u);
}

TEST_F(SystemEditingTest, UndoAndRedoTakeBackAddingDeletingSwitchingTheLawAndLoading)
{
    // Paused, so that the system changes only by the edits.
    panel.PressKey(SDLK_SPACE);
    const std::string empty = Kept();
    panel.Click("btnAddRandomSun");
    const std::string oneSun = Kept();
    panel.Click("btnAddRandomPlanet");
    const std::string sunAndPlanet = Kept();
    SelectEntry(0);
    panel.PressKey(SDLK_DELETE);
    panel.Click("chGravityMode");
    const std::string lawSwitched = Kept();
    ASSERT_EQ(Bodies().GetItems().size(), 1u);

    Chord(SDLK_z);
    Chord(SDLK_z);
    EXPECT_EQ(Bodies().GetItems().size(), 2u);
    EXPECT_EQ(Kept(), sunAndPlanet);
    Chord(SDLK_z);
    EXPECT_EQ(Kept(), oneSun);
    Chord(SDLK_z);
    EXPECT_EQ(Kept(), empty);
    EXPECT_EQ(ObjectList().GetItems().size(), 0u);
    Chord(SDLK_y);
    EXPECT_EQ(Kept(), oneSun);
    Chord(SDLK_z, true);
    Chord(SDLK_y);
    Chord(SDLK_y);
    EXPECT_EQ(Kept(), lawSwitched);
    EXPECT_TRUE(ObjectList().GetItems().size() == 1u);

    // Loading is an edit too; time passing is not.
    const auto preset = std::filesystem::path("presets") / "mond.json";
    ASSERT_TRUE(Editor().Load(preset));
    panel.Frames(30);
    Chord(SDLK_z);
    EXPECT_EQ(Kept(), lawSwitched);
}

TEST_F(SystemEditingTest, AStartFileThatCannotBeUsedOpensTheEmptySystem)
{
    ControlPanelDriver started(Zandrel::GameStart{.dataPrefix = {},
                                                  .screenshotFolder = "screenshots",
                                                  .saveFolder = saves.path,
                                                  .presetFolder = "presets",
                                                  .startFile = saves.path / "fehlt.json"});
    EXPECT_TRUE(started.GetGame().GetSolarSystem()->GetItems().empty());
    ASSERT_FALSE(log.Warnings().empty());
    EXPECT_EQ(log.Warnings().back().rfind("System kann nicht geladen werden: ", 0), 0u);
}

// A person selects a moving planet, sees its values follow it, types a new mass, size and place and confirms with
// Enter; undo and redo take that one edit back and forth, and a bad value warns and changes nothing.
TEST_F(SystemEditingTest, TheInspectorShowsTheSelectedBodyLiveAndAppliesTypedValuesAsOneEdit)
{
    using Zandrel::BodyEditor;
    const BodyEditor& inspector = *panel.GetGame().GetInspector();
    const auto& clock = panel.GetGame().GetWorld().GetClock();
    const auto retype = [this, &inspector](std::size_t field, const std::string& text) {
        Quarnel::GameEngine2D::Widgets::NumberEdit& edit = inspector.GetField(field);
        panel.Click(edit);
        for (int count = 0; count < 20 && !edit.GetText().empty(); ++count)
            panel.PressKey(SDLK_BACKSPACE);
        panel.TypeDigits(text);
    };
    panel.Click("btnAddRandomSun");
    panel.Click("btnAddRandomPlanet");
    EXPECT_FALSE(inspector.IsShown());
    SelectEntry(1);
    ASSERT_TRUE(inspector.IsShown());
    const auto planet = std::dynamic_pointer_cast<Zandrel::System::Sphere>(Bodies().GetItems().at(1));
    const auto shownPlace = [&inspector] {
        return inspector.GetField(BodyEditor::PositionField).GetText() + " " +
               inspector.GetField(BodyEditor::PositionField + 1).GetText() + " " +
               inspector.GetField(BodyEditor::PositionField + 2).GetText();
    };
    const std::string placeBefore = shownPlace();
    panel.Frames(30);
    EXPECT_NE(shownPlace(), placeBefore);
    EXPECT_NEAR(std::stof(inspector.GetField(BodyEditor::PositionField).GetText()), planet->GetPosition().X(), 1e-3);

    panel.PressKey(SDLK_SPACE);
    const auto speed = clock.GetSpeed();
    const std::string before = Kept();
    const std::size_t steps = Editor().GetHistory().UndoSteps();
    const float y = planet->GetPosition().Y();
    retype(BodyEditor::MassField, "75");
    retype(BodyEditor::SizeField, "150");
    // "-" and "." go into the field, not to the speed and the single step.
    retype(BodyEditor::PositionField, "-12.5");
    panel.PressKey(SDLK_RETURN);
    EXPECT_EQ(planet->GetMass(), 75.0f);
    EXPECT_EQ(planet->GetPointMass()->GetMass(), 75.0f);
    EXPECT_EQ(planet->GetBodySize(), 150.0f);
    EXPECT_EQ(planet->GetMeshNode()->GetScale(), Quarnel::Common::Point3D(1.5f, 1.5f, 1.5f));
    EXPECT_EQ(planet->GetPosition(), Quarnel::Common::Point3D(-12.5f, y, planet->GetPosition().Z()));
    EXPECT_TRUE(clock.IsPaused());
    EXPECT_EQ(clock.GetSpeed(), speed);
    EXPECT_EQ(Editor().GetHistory().UndoSteps(), steps + 1);
    const auto massLine = std::dynamic_pointer_cast<Quarnel::GameEngine2D::Scene::TextNode>(
        ObjectList().GetItems().at(1)->GetContent()->GetChild(1));
    EXPECT_EQ(massLine->GetText(), "Objekt 2 | Masse 75.00000");
    const std::string after = Kept();
    Chord(SDLK_z);
    EXPECT_EQ(Kept(), before);
    Chord(SDLK_y);
    EXPECT_EQ(Kept(), after);

    SelectEntry(1);
    retype(BodyEditor::SizeField, "-");
    panel.PressKey(SDLK_RETURN);
    EXPECT_TRUE(log.Has("Werte nicht übernommen: Größe \"-\" ist keine Zahl"));
    panel.TypeDigits("3");
    panel.PressKey(SDLK_RETURN);
    EXPECT_TRUE(log.Has("Werte nicht übernommen: Größe \"-3\" ist kleiner als 0"));
    EXPECT_EQ(Kept(), after);
    EXPECT_EQ(Editor().GetHistory().UndoSteps(), steps + 1);

    // The body goes, and the inspector with it.
    panel.PressKey(SDLK_ESCAPE);
    panel.PressKey(SDLK_DELETE);
    panel.Frames();
    EXPECT_FALSE(inspector.IsShown());
}

// Every shipped preset loads to exactly its file's values, runs, and keeps its bodies.
TEST_F(SystemEditingTest, EveryPresetLoadsRunsAndSavesBackUnchanged)
{
    std::size_t checked = 0;
    for (const auto& file : Editor().LoadableFiles())
    {
        if (file.parent_path().filename() != "presets")
            continue;
        SCOPED_TRACE(file.string());
        const SystemData read = SystemReader::ReadFile(file);
        ASSERT_TRUE(Editor().Load(file));
        SystemData kept = Editor().GetSnapshot().Capture(false);
        kept.camera = read.camera;
        EXPECT_EQ(SystemWriter::ToText(kept), SystemWriter::ToText(read));
        // One step and one frame: the largest presets take long to step under the sanitizers.
        panel.GetGame().GetWorld().GetClock().SetPaused(true);
        panel.GetGame().GetWorld().RunSteps(1);
        panel.Frames(1);
        EXPECT_EQ(Bodies().GetItems().size(), read.bodies.size());
        for (const auto& body : Bodies().GetItems())
            ASSERT_TRUE(std::isfinite(body->GetPosition().X()));
        ++checked;
    }
    EXPECT_GE(checked, 5u);
}

// The history keeps at least a hundred edits and stays within its byte limit, forgetting the oldest first.
TEST(UndoHistoryTest, KeepsAHundredStepsAndStaysWithinItsBytes)
{
    Zandrel::UndoHistory history;
    SystemData small;
    small.bodies.resize(3);
    for (int step = 0; step < 1000; ++step)
    {
        small.time = step;
        history.Record(small);
    }
    EXPECT_GE(history.UndoSteps(), Zandrel::UndoHistory::MinSteps);
    EXPECT_EQ(history.Undo(small)->time, 999.0);

    SystemData large;
    large.bodies.resize(200000);
    const std::size_t largeBytes = Zandrel::UndoHistory::SizeOf(large);
    for (std::size_t step = 0; step * largeBytes < 2 * Zandrel::UndoHistory::MaxBytes; ++step)
        history.Record(large);
    EXPECT_LE(history.Bytes(), Zandrel::UndoHistory::MaxBytes);
    EXPECT_EQ(history.RedoSteps(), 0u);
}

} // namespace
