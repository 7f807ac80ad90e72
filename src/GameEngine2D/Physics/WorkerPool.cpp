#include "GameEngine2D/Physics/WorkerPool.h"

#include <chrono>
#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Physics
{

namespace
{

// Long enough to bridge the gap between the jobs of one update, short enough to leave the core to others between
// frames.
constexpr auto SpinTime = std::chrono::microseconds(100);

void Pause()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#else
    std::this_thread::yield();
#endif
}

// Spins until done() holds or the spin time is over; returns done().
template <typename Done>
bool SpinUntil(Done done)
{
    const auto end = std::chrono::steady_clock::now() + SpinTime;
    for (unsigned round = 1;; ++round)
    {
        if (done())
            return true;
        Pause();
        if (round % 64 == 0 && std::chrono::steady_clock::now() > end)
            return done();
    }
}

} // namespace

WorkerPool::WorkerPool(std::size_t threadCount)
{
    const std::size_t started = threadCount > 1 ? threadCount - 1 : 0;
    workers.reserve(started);
    try
    {
        for (std::size_t k = 0; k < started; ++k)
            workers.emplace_back([this] { WorkerLoop(); });
    }
    catch (...)
    {
        // A thread that cannot be started leaves none running behind a half-built pool.
        {
            const std::lock_guard lock(mutex);
            stopping = true;
        }
        jobPosted.notify_all();
        for (std::thread& worker : workers)
            worker.join();
        throw;
    }
}

WorkerPool::~WorkerPool()
{
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    jobPosted.notify_all();
    for (std::thread& worker : workers)
        worker.join();
}

void WorkerPool::RunJob(std::size_t taskCount, TaskCall call, const void* task)
{
    if (running.exchange(true))
        throw std::logic_error("WorkerPool::Run called from inside a job");
    if (workers.empty() || taskCount < 2)
    {
        // Nothing to share: the tasks run here, in order, and an exception leaves at once.
        try
        {
            for (std::size_t index = 0; index < taskCount; ++index)
                call(task, index);
        }
        catch (...)
        {
            running = false;
            throw;
        }
        running = false;
        return;
    }

    {
        const std::lock_guard lock(mutex);
        jobCall = call;
        jobTask = task;
        jobSize = taskCount;
        nextTask.store(0, std::memory_order_relaxed);
        failed.store(false, std::memory_order_relaxed);
        workersInJob.store(workers.size(), std::memory_order_relaxed);
        generation.fetch_add(1, std::memory_order_release);
    }
    jobPosted.notify_all();
    Work();
    AwaitWorkers();

    std::exception_ptr thrown = std::exchange(failure, nullptr);
    running = false;
    if (thrown)
        std::rethrow_exception(thrown);
}

void WorkerPool::WorkerLoop()
{
    std::uint64_t seen = 0;
    while (AwaitJob(seen))
    {
        seen = generation.load(std::memory_order_acquire);
        Work();
        // The last worker to leave wakes the caller; the lock keeps the wake-up from slipping past its wait.
        if (workersInJob.fetch_sub(1, std::memory_order_acq_rel) == 1)
        {
            const std::lock_guard lock(mutex);
            workersDone.notify_one();
        }
    }
}

bool WorkerPool::AwaitJob(std::uint64_t seen)
{
    const auto posted = [this, seen] {
        return stopping.load(std::memory_order_acquire) || generation.load(std::memory_order_acquire) != seen;
    };
    if (!SpinUntil(posted))
    {
        std::unique_lock lock(mutex);
        jobPosted.wait(lock, posted);
    }
    return !stopping.load(std::memory_order_acquire);
}

void WorkerPool::Work()
{
    while (!failed.load(std::memory_order_relaxed))
    {
        const std::size_t index = nextTask.fetch_add(1, std::memory_order_relaxed);
        if (index >= jobSize)
            return;
        try
        {
            jobCall(jobTask, index);
        }
        catch (...)
        {
            const std::lock_guard lock(mutex);
            if (!failure)
                failure = std::current_exception();
            failed.store(true, std::memory_order_relaxed);
        }
    }
}

void WorkerPool::AwaitWorkers()
{
    const auto allLeft = [this] { return workersInJob.load(std::memory_order_acquire) == 0; };
    if (SpinUntil(allLeft))
        return;
    std::unique_lock lock(mutex);
    workersDone.wait(lock, allLeft);
}

} // namespace Quarnel::GameEngine2D::Physics
