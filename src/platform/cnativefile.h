// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/cbytesource.h"

#include <QByteArray>

// A regular file opened read-only by the exact bytes of its path, since names on disk need
// not be valid in any encoding. Anything that is not a regular file (a pipe, a device) is
// refused, so that a reader can never block on it or read without end.
class CNativeFile : public CByteSource {
public:
    CNativeFile() = default;
    ~CNativeFile() override;
    CNativeFile(const CNativeFile&) = delete;
    CNativeFile& operator=(const CNativeFile&) = delete;

    bool Open(const QByteArray& nativePath);
    void Close();
    bool IsOpen() const { return m_descriptor >= 0; }

    // The size the file had when it was opened.
    qint64 Size() const override;
    qint64 ReadAt(qint64 offset, char* buffer, qint64 length) const override;

private:
    int m_descriptor = -1;
    qint64 m_size = 0;
};
