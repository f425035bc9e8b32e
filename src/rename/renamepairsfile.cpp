// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamepairsfile.h"

#include "cutf16file.h"
#include "filelist/textrules.h"
#include "platform/nativename.h"
#include "platform/pathchecks.h"

namespace {

QString CleanPairSide(QStringView side) {
    QString text = side.toString();
    text.remove(QLatin1Char('"'));
    return text.trimmed();
}

void AddPairLine(const QString& line, RENAMEPAIRMAP& pairs) {
    const QChar bar = QLatin1Char('|');
    const qsizetype firstBar = line.indexOf(bar);
    const QStringView whole(line);
    QStringView keySide = whole;
    QStringView valueSide;
    if (firstBar >= 0) {
        keySide = whole.left(firstBar);
        const qsizetype secondBar = line.indexOf(bar, firstBar + 1);
        valueSide = secondBar >= 0 ? whole.mid(firstBar + 1, secondBar - firstBar - 1)
                                   : whole.mid(firstBar + 1);
    }
    const QString key = AsciiLower(CleanPairSide(keySide));
    const QString value = CleanPairSide(valueSide);
    if (!key.isEmpty() && !value.isEmpty())
        pairs.insert(key, value);
}

} // namespace

bool LoadRenamePairs(const QString& path, RENAMEPAIRMAP& pairs) {
    pairs.clear();
    // Only a regular file of sane size: a pipe would block, a device never end.
    if (CheckInputFile(EncodeNativeName(path), kMostPairsFileBytes).problem !=
        InputFileProblem::None)
        return false;
    CUTF16File file;
    if (!file.Open(path))
        return false;
    QString line;
    while (file.ReadString(line))
        AddPairLine(line, pairs);
    file.Close();
    return true;
}

QString RenamePairsOpenError(const QString& path) {
    return QStringLiteral("Data File ") + path + QStringLiteral(" could not be opened!");
}

QString RenamePairsImportingStatus(const QString& fileName) {
    return QStringLiteral("Importing Pairs from ") + fileName;
}

QString RenamePairsImportedStatus() {
    return QStringLiteral("Imported Pairs");
}

QString RenamePairsClearedMessage() {
    return QStringLiteral("Imported Pairs data has been removed.");
}
