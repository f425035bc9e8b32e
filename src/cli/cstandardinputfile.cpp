// SPDX-License-Identifier: GPL-3.0-or-later
#include "cstandardinputfile.h"

#include <QFile>

#include <cstdio>

namespace {

// Far beyond any list of names; a stream without end (a device) stops here.
constexpr qint64 kLargestInput = qint64(64) << 20;

} // namespace

QString CStandardInputFile::Copy() {
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly) || !m_file.open())
        return QString();
    const QByteArray bytes = input.read(kLargestInput + 1);
    if (bytes.size() > kLargestInput || m_file.write(bytes) != bytes.size() || !m_file.flush())
        return QString();
    return m_file.fileName();
}
