// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

struct __dirstream;

// The names in one folder, as the exact bytes the file system holds ("." and ".." left out).
class CDirectoryReader {
public:
    CDirectoryReader() = default;
    ~CDirectoryReader();
    CDirectoryReader(const CDirectoryReader&) = delete;
    CDirectoryReader& operator=(const CDirectoryReader&) = delete;

    bool Open(const QByteArray& nativePath);
    // The next name; false when the folder has no more.
    bool Next(QByteArray& name);
    void Close();
    // The open folder's descriptor, for reading the status of its names relative to it;
    // -1 when none is open.
    [[nodiscard]] int Descriptor() const;

private:
    __dirstream* m_dir = nullptr;
};
