// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnativefile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CNativeFile::~CNativeFile() {
    Close();
}

bool CNativeFile::Open(const QByteArray& nativePath) {
    Close();
    if (nativePath.isEmpty() || nativePath.contains('\0'))
        return false;
    // O_NONBLOCK keeps a FIFO that has no writer from stalling the open; regular files
    // ignore the flag.
    const int descriptor = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return false;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) {
        ::close(descriptor);
        return false;
    }
    m_descriptor = descriptor;
    m_size = static_cast<qint64>(status.st_size);
    return true;
}

void CNativeFile::Close() {
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
    m_size = 0;
}

qint64 CNativeFile::Size() const {
    return m_size;
}

qint64 CNativeFile::ReadAt(qint64 offset, char* buffer, qint64 length) const {
    if (m_descriptor < 0 || offset < 0 || length <= 0 || offset >= m_size)
        return 0;
    // The file may shrink while it is read; the size taken at open stays the upper bound.
    qint64 wanted = qMin(length, m_size - offset);
    qint64 done = 0;
    while (done < wanted) {
        const ssize_t got = ::pread(m_descriptor, buffer + done, static_cast<size_t>(wanted - done),
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}
