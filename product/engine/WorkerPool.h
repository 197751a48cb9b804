// A few threads kept for one run, sharing out numbered jobs with the calling thread.
// Jobs must not call the host: only the thread that runs Run talks to it, and Run
// returns only when every job is done.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class WorkerPool {
public:
    static constexpr int32_t kMostThreads = 8;

    // threads counts the caller: 1 makes no thread at all.
    explicit WorkerPool(int32_t threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int32_t Threads() const { return int32_t(workers.size()) + 1; }

    // Calls job(i) once for each i in [0, count), on any thread of the pool.
    void Run(int32_t count, const std::function<void(int32_t)>& job);

private:
    void Work();
    void TakeJobs(std::unique_lock<std::mutex>& lock);

    std::vector<std::thread> workers;
    std::mutex mutex;
    std::condition_variable wake, finished;
    const std::function<void(int32_t)>* current = nullptr;
    int32_t next = 0, count = 0;
    std::atomic<int32_t> running{0};
    std::atomic<uint64_t> generation{0};
    std::atomic<bool> stopping{false};
    bool spin = false;  // wait busily a little before sleeping
};

// The environment variable that holds a run to a number of threads.
constexpr const char* kThreadsVariable = "VARNEL_THREADS";

// The threads a run uses: the setting when it is a number from 1 to 8, otherwise the
// machine's cores, at most 8 (1 when the machine does not say).
int32_t WorkerThreadCount(const std::string& setting, unsigned cores);
