// SPDX-License-Identifier: GPL-3.0-or-later
#include "cstatusreadahead.h"

#include <limits>

CStatusReadAhead::~CStatusReadAhead() {
    Stop();
}

void CStatusReadAhead::Reset(size_t count) {
    Stop();
    m_count = count;
    m_states = std::make_unique<std::atomic<int>[]>(count);
    for (size_t i = 0; i < count; ++i)
        m_states[i].store(Unread, std::memory_order_relaxed);
}

void CStatusReadAhead::Start(const std::vector<size_t>& order, size_t first, size_t allowed,
                             Reader read) {
    Stop();
    m_stopping.store(false);
    m_allowed.store(allowed);
    m_reader = std::thread(&CStatusReadAhead::Run, this, &order, first, std::move(read));
}

void CStatusReadAhead::AllowBefore(size_t position) {
    if (!m_reader.joinable() || m_allowed.load(std::memory_order_relaxed) >= position)
        return;
    m_allowed.store(position, std::memory_order_release);
    m_allowed.notify_one();
}

bool CStatusReadAhead::ClaimOrAwait(size_t index) {
    if (index >= m_count)
        return true;
    std::atomic<int>& state = m_states[index];
    int seen = Unread;
    // Claimed by the caller it goes straight to Read: no other thread looks at it again.
    if (state.compare_exchange_strong(seen, Read, std::memory_order_acq_rel))
        return true;
    while (seen == Reading) {
        state.wait(Reading, std::memory_order_acquire);
        seen = state.load(std::memory_order_acquire);
    }
    return false;
}

void CStatusReadAhead::Stop() {
    if (!m_reader.joinable())
        return;
    m_stopping.store(true);
    m_allowed.store(std::numeric_limits<size_t>::max(), std::memory_order_release);
    m_allowed.notify_one();
    m_reader.join();
    m_folders.Forget();
}

void CStatusReadAhead::Run(const std::vector<size_t>* order, size_t first, Reader read) {
    for (size_t position = first; position < order->size(); ++position) {
        for (size_t allowed = m_allowed.load(std::memory_order_acquire); position >= allowed;
             allowed = m_allowed.load(std::memory_order_acquire))
            m_allowed.wait(allowed, std::memory_order_acquire);
        if (m_stopping.load())
            return;
        const size_t index = (*order)[position];
        if (index >= m_count)
            continue;
        std::atomic<int>& state = m_states[index];
        int seen = Unread;
        if (!state.compare_exchange_strong(seen, Reading, std::memory_order_acq_rel))
            continue;
        read(index, m_folders);
        state.store(Read, std::memory_order_release);
        state.notify_all();
    }
}
