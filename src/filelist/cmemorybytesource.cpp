// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmemorybytesource.h"

#include <cstring>
#include <utility>

CMemoryByteSource::CMemoryByteSource(QByteArray bytes) : m_bytes(std::move(bytes)) {}

qint64 CMemoryByteSource::Size() const {
    return m_bytes.size();
}

qint64 CMemoryByteSource::ReadAt(qint64 offset, char* buffer, qint64 length) const {
    if (offset < 0 || length <= 0 || offset >= m_bytes.size())
        return 0;
    const qint64 count = qMin(length, m_bytes.size() - offset);
    std::memcpy(buffer, m_bytes.constData() + offset, static_cast<size_t>(count));
    return count;
}
