// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfolderhandles.h"

#include <fcntl.h>
#include <unistd.h>

CFolderHandles::~CFolderHandles() {
    Forget();
}

int CFolderHandles::FolderOf(const QByteArray& path, QByteArray& name) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return -1;
    name = path.mid(slash + 1);
    if (name.isEmpty() || name == "." || name == "..")
        return -1;
    const QByteArray folder = slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
    const auto found = m_open.constFind(folder);
    if (found != m_open.constEnd())
        return found.value();
    if (m_open.size() >= kMostOpen)
        Forget();
    // O_PATH: the descriptor only names the folder; it reads and locks nothing.
    const int descriptor = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0)
        m_open.insert(folder, descriptor);
    return descriptor;
}

void CFolderHandles::Forget() {
    for (const int descriptor : std::as_const(m_open))
        ::close(descriptor);
    m_open.clear();
}
