// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Random access to a sequence of bytes of known size: an open file, or a buffer in memory
// for tests and fuzzing. The metadata readers see only this, so the same parsing code runs
// on files and on buffers.
class CByteSource {
public:
    virtual ~CByteSource() = default;

    // Size in bytes; reads never reach past it.
    virtual qint64 Size() const = 0;
    // Copies up to `length` bytes from `offset` into `buffer` and returns how many were
    // copied: fewer than asked at the end, 0 at or past the end or on any error.
    virtual qint64 ReadAt(qint64 offset, char* buffer, qint64 length) const = 0;
};
