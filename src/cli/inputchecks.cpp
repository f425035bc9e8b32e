// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputchecks.h"

#include "platform/fileoperations.h"
#include "platform/nativename.h"
#include "platform/pathchecks.h"

namespace {

QString WithReason(const QString& text, int error) {
    return text + QStringLiteral(" (") + ErrorText(error) + QLatin1Char(')');
}

} // namespace

QString InputFileProblemText(const QString& what, const QString& path, qint64 maxBytes) {
    const INPUTFILECHECK check = CheckInputFile(EncodeNativeName(path), maxBytes);
    switch (check.problem) {
    case InputFileProblem::None:
        return QString();
    case InputFileProblem::Missing:
        return what + QStringLiteral(" not found: ") + path;
    case InputFileProblem::Folder:
        return what + QStringLiteral(" is a folder: ") + path;
    case InputFileProblem::NotRegular:
        return what + QStringLiteral(" is not a regular file: ") + path;
    case InputFileProblem::TooLarge:
        return what + QStringLiteral(" is larger than %1 MB: ").arg(maxBytes >> 20) + path;
    case InputFileProblem::Unreadable:
        break;
    }
    return WithReason(what + QStringLiteral(" cannot be read: ") + path, check.error);
}

QString UndoScriptProblem(const QString& path) {
    const int error = WritableFileError(EncodeNativeName(path));
    if (error == 0)
        return QString();
    return WithReason(QStringLiteral("undo script cannot be written: ") + path, error);
}
