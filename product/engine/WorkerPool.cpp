#include "product/engine/WorkerPool.h"

#include <algorithm>
#include <chrono>

namespace {

// Busy-waits up to 200 microseconds for ready(): the next tile's jobs usually come
// sooner than a sleeping thread can be woken. The caller then waits as before.
template <typename Ready>
void SpinBriefly(const Ready& ready) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(200);
    for (uint32_t i = 1;; ++i) {
        if (ready()) return;
        if (i % 64 == 0 && std::chrono::steady_clock::now() > until) return;
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
        __builtin_ia32_pause();
#endif
    }
}

}  // namespace

WorkerPool::WorkerPool(int32_t threads) {
    const int32_t extra = std::min(std::max(threads, 1), kMostThreads) - 1;
    // Spinning pays only while every thread has a core of its own.
    spin = uint32_t(extra + 1) <= std::thread::hardware_concurrency();
    for (int32_t i = 0; i < extra; ++i) workers.emplace_back([this] { Work(); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    for (std::thread& t : workers) t.join();
}

void WorkerPool::TakeJobs(std::unique_lock<std::mutex>& lock) {
    const std::function<void(int32_t)>& job = *current;
    ++running;
    while (next < count) {
        const int32_t i = next++;
        lock.unlock();
        job(i);
        lock.lock();
    }
    if (--running == 0) finished.notify_all();
}

void WorkerPool::Work() {
    std::unique_lock<std::mutex> lock(mutex);
    uint64_t seen = generation;
    for (;;) {
        if (spin) {
            lock.unlock();
            SpinBriefly([&] { return stopping || generation != seen; });
            lock.lock();
        }
        wake.wait(lock, [&] { return stopping || generation != seen; });
        if (stopping) return;
        seen = generation;
        if (current != nullptr) TakeJobs(lock);
    }
}

void WorkerPool::Run(int32_t jobs, const std::function<void(int32_t)>& job) {
    if (jobs <= 0) return;
    if (workers.empty() || jobs == 1) {
        for (int32_t i = 0; i < jobs; ++i) job(i);
        return;
    }
    std::unique_lock<std::mutex> lock(mutex);
    current = &job;
    next = 0;
    count = jobs;
    ++generation;
    wake.notify_all();
    TakeJobs(lock);
    // A worker that wakes late finds no job left and leaves at once.
    if (spin && running != 0) {
        lock.unlock();
        SpinBriefly([&] { return running.load() == 0; });
        lock.lock();
    }
    finished.wait(lock, [&] { return running == 0 && next >= count; });
    current = nullptr;
}

int32_t WorkerThreadCount(const std::string& setting, unsigned cores) {
    if (!setting.empty() && setting.size() <= 2 &&
        std::all_of(setting.begin(), setting.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const int32_t n = std::stoi(setting);
        if (n >= 1 && n <= WorkerPool::kMostThreads) return n;
    }
    return std::min<int32_t>(std::max<int32_t>(int32_t(cores), 1), WorkerPool::kMostThreads);
}
