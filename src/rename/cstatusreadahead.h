// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/cfolderhandles.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// Reads the status of a run's sources on another thread, a few batches ahead of the
// moves, so that a move waits for the disk's answer only when the reader fell behind.
// Each entry is read exactly once, by whichever thread claims it first: the reader in
// processing order, or the run itself when it needs an entry the reader has not reached
// (ClaimOrAwait). An entry's read is complete before ClaimOrAwait returns for it, so
// what the run then journals and checks is never older than that read.
class CStatusReadAhead {
public:
    // Called with the entry's index and the folder handles of the thread that reads it.
    using Reader = std::function<void(size_t index, CFolderHandles& folders)>;

    CStatusReadAhead() = default;
    ~CStatusReadAhead();
    CStatusReadAhead(const CStatusReadAhead&) = delete;
    CStatusReadAhead& operator=(const CStatusReadAhead&) = delete;

    // Forgets every claim, for `count` entries none of which is read.
    void Reset(size_t count);
    // Starts reading the entries in `order` (which must outlive the reader) from `first`
    // on with `read`, before `allowed` and later AllowBefore's limit. The entries a read
    // looks at must not change until the run has claimed them or Stop returned.
    void Start(const std::vector<size_t>& order, size_t first, size_t allowed, Reader read);
    // The reader reads no entry at `position` in the order or later.
    void AllowBefore(size_t position);
    // True when the caller must read the entry itself (it is now the caller's); false when
    // it was read already, after waiting for the reader to finish it.
    [[nodiscard]] bool ClaimOrAwait(size_t index);
    // Waits for the reader to finish the entry in hand and end; entries it did not reach
    // stay unclaimed.
    void Stop();

private:
    enum State : int { Unread, Reading, Read };

    void Run(const std::vector<size_t>* order, size_t first, Reader read);

    std::unique_ptr<std::atomic<int>[]> m_states;
    size_t m_count = 0;
    std::atomic<size_t> m_allowed{0};
    std::atomic<bool> m_stopping{false};
    CFolderHandles m_folders; // the reader's own: those of the run are not shared
    std::thread m_reader;
};
