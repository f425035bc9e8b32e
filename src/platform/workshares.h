// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <thread>
#include <vector>

// How many threads the processor runs at once; at least one.
inline int ProcessorCount() {
    return int(std::max(1u, std::thread::hardware_concurrency()));
}

// Calls work(share) for every share in [0, shares): the first on the calling thread, each
// other on a thread of its own. Returns once all are done.
template <typename Work> void RunShares(int shares, const Work& work) {
    std::vector<std::thread> threads;
    threads.reserve(size_t(std::max(0, shares - 1)));
    for (int share = 1; share < shares; ++share)
        threads.emplace_back([&work, share] { work(share); });
    work(0);
    for (std::thread& thread : threads)
        thread.join();
}

// The same over [0, count) cut into `shares` even parts: work(first, last) for each.
template <typename Work> void RunRangeShares(size_t count, int shares, const Work& work) {
    RunShares(shares, [&](int share) {
        work(count * size_t(share) / size_t(shares), count * size_t(share + 1) / size_t(shares));
    });
}
