// SPDX-License-Identifier: GPL-3.0-or-later
#include "cdirectoryreader.h"

#include <dirent.h>

#include <cstring>

CDirectoryReader::~CDirectoryReader() {
    Close();
}

bool CDirectoryReader::Open(const QByteArray& nativePath) {
    Close();
    m_dir = opendir(nativePath.constData());
    return m_dir != nullptr;
}

bool CDirectoryReader::Next(QByteArray& name) {
    if (!m_dir)
        return false;
    while (const dirent* entry = readdir(m_dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        name = QByteArray(entry->d_name);
        return true;
    }
    return false;
}

int CDirectoryReader::Descriptor() const {
    return m_dir ? dirfd(m_dir) : -1;
}

void CDirectoryReader::Close() {
    if (m_dir)
        closedir(m_dir);
    m_dir = nullptr;
}
