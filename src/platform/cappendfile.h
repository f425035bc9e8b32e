// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// A file that is only ever appended to, where each record must reach the disk (or at
// least the kernel) before the caller goes on: what is written survives the process being
// killed, and with `sync` a crash of the machine.
class CAppendFile {
public:
    CAppendFile() = default;
    ~CAppendFile();
    CAppendFile(const CAppendFile&) = delete;
    CAppendFile& operator=(const CAppendFile&) = delete;

    // A new file only: fails when something is already at `path`.
    bool Create(const QByteArray& path);
    // An existing file, written at its end.
    bool OpenExisting(const QByteArray& path);
    bool IsOpen() const { return m_descriptor >= 0; }
    // All of `bytes` in one write, then synchronised to the disk when `sync`.
    bool Append(const QByteArray& bytes, bool sync);
    void Close();
    // The error number of the last Create, OpenExisting or Append that failed.
    int Error() const { return m_error; }

    // How many times any append file was pushed to the disk in this process, so that a
    // test can tell that records really are synchronised.
    static quint64 SyncCount();

private:
    int m_descriptor = -1;
    int m_error = 0;
};
