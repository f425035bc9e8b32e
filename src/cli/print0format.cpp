// SPDX-License-Identifier: GPL-3.0-or-later
#include "print0format.h"

#include "platform/nativename.h"

namespace {

QByteArray ValueBytes(const QString& key, const QString& value, const FILEENTRY& entry) {
    if (key == QLatin1String("name"))
        return entry.nativeName;
    if (key == QLatin1String("path"))
        return JoinNativePath(entry.nativeFolderPath, entry.nativeName);
    if (key == QLatin1String("folder"))
        return entry.nativeFolderPath;
    return EncodeNativeName(value);
}

} // namespace

QByteArray FormatPrint0(const OUTPUTROWS& output, const CFileList& list) {
    QByteArray bytes;
    for (qsizetype r = 0; r < output.rows.size(); ++r) {
        const FILEENTRY& entry = list.GetEntry(output.listRows[r]);
        for (qsizetype c = 0; c < output.keys.size(); ++c) {
            if (c > 0)
                bytes += '\t';
            bytes += ValueBytes(output.keys[c], output.rows[r][c], entry);
        }
        bytes += '\0';
    }
    return bytes;
}
