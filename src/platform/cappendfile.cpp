// SPDX-License-Identifier: GPL-3.0-or-later
#include "cappendfile.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::atomic<quint64> syncs{0};

// The new name itself must be on disk, or a crash could lose the whole file.
void SyncFolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0    ? QByteArrayLiteral(".")
                              : slash == 0 ? QByteArrayLiteral("/")
                                           : path.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    ::close(fd);
}

} // namespace

CAppendFile::~CAppendFile() {
    Close();
}

bool CAppendFile::Create(const QByteArray& path) {
    Close();
    m_descriptor =
        ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    if (m_descriptor < 0) {
        m_error = errno;
        return false;
    }
    SyncFolderOf(path);
    return true;
}

bool CAppendFile::OpenExisting(const QByteArray& path) {
    Close();
    m_descriptor = ::open(path.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (m_descriptor < 0)
        m_error = errno;
    return m_descriptor >= 0;
}

bool CAppendFile::Append(const QByteArray& bytes, bool sync) {
    if (m_descriptor < 0)
        return false;
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(m_descriptor, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0) {
            m_error = errno;
            return false;
        }
        data += written;
        left -= written;
    }
    if (!sync)
        return true;
    if (fdatasync(m_descriptor) != 0) {
        m_error = errno;
        return false;
    }
    ++syncs;
    return true;
}

quint64 CAppendFile::SyncCount() {
    return syncs.load();
}

void CAppendFile::Close() {
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
}
