#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{

// A fixed set of threads that run the tasks of one job at a time, the calling thread working on the job too.
// The threads live as long as the pool: between jobs they spin for a moment, which catches the next job of the
// same update without a wake-up, and then sleep. Running a job allocates nothing.
class WorkerPool
{
public:
    // threadCount threads work on every job, the caller included, so threadCount − 1 are started here; 0 counts
    // as 1.
    explicit WorkerPool(std::size_t threadCount);
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;
    // Stops the threads and waits for them.
    ~WorkerPool();

    [[nodiscard]] std::size_t ThreadCount() const { return workers.size() + 1; }

    // Calls task(index) once for every index in [0, taskCount), spread over the threads in no fixed assignment,
    // and returns when every call has returned. When a call throws, the tasks not yet started are skipped and the
    // first exception is rethrown here after the running calls have returned. A task must not run a job on the
    // same pool: that is refused with std::logic_error.
    template <typename Task>
    void Run(std::size_t taskCount, const Task& task)
    {
        RunJob(taskCount, &CallTask<Task>, std::addressof(task));
    }

private:
    using TaskCall = void (*)(const void* task, std::size_t index);

    template <typename Task>
    static void CallTask(const void* task, std::size_t index)
    {
        (*static_cast<const Task*>(task))(index);
    }

    void RunJob(std::size_t taskCount, TaskCall call, const void* task);
    void WorkerLoop();
    // Waits for a job newer than `seen`; false when the pool stops instead.
    bool AwaitJob(std::uint64_t seen);
    // Takes tasks of the current job until none is left or one has failed.
    void Work();
    void AwaitWorkers();

    std::mutex mutex;
    std::condition_variable jobPosted;
    std::condition_variable workersDone;
    // The current job, written by the caller under the mutex before the generation is raised.
    TaskCall jobCall = nullptr;
    const void* jobTask = nullptr;
    std::size_t jobSize = 0;
    std::atomic<std::uint64_t> generation{0};
    std::atomic<std::size_t> nextTask{0};
    // Workers that have not yet left the current job; the caller returns only when it is 0.
    std::atomic<std::size_t> workersInJob{0};
    std::atomic<bool> failed{false};
    std::exception_ptr failure;
    std::atomic<bool> stopping{false};
    std::atomic<bool> running{false};
    std::vector<std::thread> workers;
};

} // namespace Quarnel::GameEngine2D::Physics
