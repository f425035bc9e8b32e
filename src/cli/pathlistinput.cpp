// SPDX-License-Identifier: GPL-3.0-or-later
#include "pathlistinput.h"

#include "cstandardinputfile.h"
#include "inputchecks.h"

#include "platform/cnativefile.h"
#include "platform/nativename.h"

namespace {

// Ten thousands of paths take a few megabytes; a file far larger is not a list of paths.
constexpr qint64 kMostPathListBytes = qint64(64) << 20;

const QLatin1String kWhat("list of paths");

bool ReadWhole(const QByteArray& nativePath, QByteArray& bytes) {
    CNativeFile file;
    if (!file.Open(nativePath))
        return false;
    bytes.resize(file.Size());
    return file.ReadAt(0, bytes.data(), bytes.size()) == bytes.size();
}

} // namespace

QList<QByteArray> SplitPathList(const QByteArray& bytes, bool nulSeparated) {
    QList<QByteArray> paths;
    const char separator = nulSeparated ? '\0' : '\n';
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf(separator, start);
        if (end < 0)
            end = bytes.size();
        if (end > start)
            paths.append(bytes.mid(start, end - start));
        start = end + 1;
    }
    return paths;
}

QString ReadPathList(const QString& from, bool nulSeparated, QList<QByteArray>& paths) {
    CStandardInputFile standardInput;
    const bool fromStandardInput = from == QLatin1String("-");
    const QString file = fromStandardInput ? standardInput.Copy() : from;
    if (fromStandardInput && file.isEmpty())
        return QStringLiteral("the list of paths cannot be read from standard input (at most "
                              "%1 MB)")
            .arg(kMostPathListBytes >> 20);
    if (!fromStandardInput) {
        const QString problem = InputFileProblemText(kWhat, from, kMostPathListBytes);
        if (!problem.isEmpty())
            return problem;
    }
    QByteArray bytes;
    if (!ReadWhole(EncodeNativeName(file), bytes))
        return kWhat + QStringLiteral(" cannot be read: ") + from;
    paths.append(SplitPathList(bytes, nulSeparated));
    return QString();
}
