// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/cbytesource.h"

#include <QByteArray>

// Bytes held in memory, read like a file: what the tests and the fuzz targets hand to the
// metadata readers.
class CMemoryByteSource : public CByteSource {
public:
    explicit CMemoryByteSource(QByteArray bytes);

    qint64 Size() const override;
    qint64 ReadAt(qint64 offset, char* buffer, qint64 length) const override;

private:
    QByteArray m_bytes;
};
