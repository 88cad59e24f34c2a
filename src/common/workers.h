#pragma once
// Runs one work function on several threads at once: the worker pool of the corpus analyses.
#include <algorithm>
#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

namespace yuedu {

// Runs work on min(jobs, tasks) threads (at least one; one runs on the calling thread) and
// returns when all have finished. work takes its tasks itself, e.g. from an atomic counter.
template <class Work> void runWorkers(int jobs, std::size_t tasks, Work &work) {
    const std::size_t threads = std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)),
                                                      std::max<std::size_t>(tasks, 1));
    if (threads == 1) {
        work();
        return;
    }
    std::vector<std::thread> pool;
    for (std::size_t t = 0; t < threads; ++t)
        pool.emplace_back(std::ref(work));
    for (auto &t : pool)
        t.join();
}

} // namespace yuedu
