// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfolderhandles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>

CFolderHandles::~CFolderHandles() {
    Forget();
}

// Called twice for each move: the folder is looked up in place, without copying it.
int CFolderHandles::FolderOf(const QByteArray& path, const char*& name) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return -1;
    name = path.constData() + slash + 1;
    if (*name == 0 || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
        return -1;
    const QByteArray folder =
        slash == 0 ? QByteArrayLiteral("/") : QByteArray::fromRawData(path.constData(), slash);
    const auto found = m_open.constFind(folder);
    if (found != m_open.constEnd())
        return found.value();
    if (m_open.size() >= kMostOpen)
        Forget();
    // A copy of its own: the key must outlive `path`, and open needs the terminating NUL.
    const QByteArray owned(folder.constData(), folder.size());
    // O_PATH: the descriptor only names the folder; it reads and locks nothing.
    const int descriptor = ::open(owned.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0)
        m_open.insert(owned, descriptor);
    return descriptor;
}

void CFolderHandles::Forget() {
    for (const int descriptor : std::as_const(m_open))
        ::close(descriptor);
    m_open.clear();
}
