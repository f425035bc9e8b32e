// SPDX-License-Identifier: GPL-3.0-or-later
#include "print0format.h"

#include <QFile>

QByteArray FormatPrint0(const OUTPUTROWS& output) {
    QByteArray bytes;
    for (const QStringList& row : output.rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                bytes += '\t';
            bytes += QFile::encodeName(row[c]);
        }
        bytes += '\0';
    }
    return bytes;
}
