#include "GameEngine2D/Widgets/Button.h"
#include "GameEngine2D/Widgets/List.h"
#include "WidgetFixture.h"

#include <cstddef>

// The sanitizer runtime lets a program watch every allocation; without it the test cannot count and is skipped.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, std::size_t),
                                                         void (*freeHook)(const volatile void*)) __attribute__((weak));

namespace
{
// Only the test's own thread counts: the driver's worker threads may allocate at any time.
thread_local bool counting = false;
std::size_t allocations = 0;

void CountAllocation(const volatile void* /*memory*/, std::size_t /*size*/)
{
    if (counting)
        ++allocations;
}

void IgnoreRelease(const volatile void* /*memory*/) {}
} // namespace

namespace Quarnel::WidgetTests
{

TEST_F(WidgetFixture, RefreshingInputAreasAndDistributingPointerMovesAllocateNothing)
{
    if (__sanitizer_install_malloc_and_free_hooks == nullptr)
        GTEST_SKIP() << "allocations can only be counted in the sanitizer build";
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(CountAllocation, IgnoreRelease) != 0;
    ASSERT_TRUE(installed);

    auto frame = MakeFrame(RecordingCallback());
    frame->GetMainGroup()
        ->AddButton("Planet", Point3D(6.0f, 206.0f, 0.0f), {})
        .AddNumberEdit("neMass", Rect(Point3D(60.0f, 46.0f, 0.0f), Point3D(140.0f, 20.0f, 0.0f)), "50");
    auto list =
        frame->GetMainGroup()->AddList({.name = "liObjects",
                                        .title = "Objekte",
                                        .rect = Rect(Point3D(2.0f, 80.0f, 0.0f), Point3D(190.0f, 100.0f, 0.0f))});
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
