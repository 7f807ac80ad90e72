#include "GameEngine2D/Widgets/Button.h"
#include "GameEngine2D/Widgets/List.h"
#include "WidgetFixture.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace
{
// Counts the allocations made through operator new while counting is switched on.
bool counting = false;
std::size_t allocations = 0;
} // namespace

void* operator new(std::size_t size)
{
    if (counting)
        ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

// The replacement pair below allocates with malloc, so free is the matching release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t /*size*/) noexcept
{
    std::free(memory);
}
#pragma GCC diagnostic pop

namespace Quarnel::WidgetTests
{

TEST_F(WidgetFixture, RefreshingInputAreasAndDistributingPointerMovesAllocateNothing)
{
    auto frame = MakeFrame(RecordingCallback());
    frame->GetMainGroup()
        ->AddButton("Planet", Point3D(6.0f, 206.0f, 0.0f), {})
        .AddNumberEdit("neMass", Rect(Point3D(60.0f, 46.0f, 0.0f), Point3D(140.0f, 20.0f, 0.0f)), "50");
    auto list = frame->GetMainGroup()->AddList("liObjects", "Objekte",
                                               Rect(Point3D(2.0f, 80.0f, 0.0f), Point3D(190.0f, 100.0f, 0.0f)));
    Draw();
    Move(FrameX + 100.0f, FrameY + 100.0f);
    const GameEngine2D::Input::KeyState keys{};

    counting = true;
    allocations = 0;
    for (int frameIndex = 0; frameIndex < 10; ++frameIndex)
    {
        frame->UpdateNode(Engine());
        frame->GetMainGroup()->UpdateInputAreas();
        list->UpdateInputAreas();
        frame->OnInput(true, GameEngine2D::Input::EventType::MouseMove, keys,
                       Common::Point2D(FrameX + 101.0f + static_cast<float>(frameIndex), FrameY + 100.0f));
    }
    counting = false;
    EXPECT_EQ(allocations, 0u);
}

} // namespace Quarnel::WidgetTests
