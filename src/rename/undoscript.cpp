// SPDX-License-Identifier: GPL-3.0-or-later
#include "undoscript.h"

#include "platform/fileoperations.h"

#include <QFile>

namespace {

QByteArray FolderPart(const QByteArray& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

QByteArray NamePart(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

} // namespace

QByteArray ShellQuoted(const QByteArray& bytes) {
    QByteArray quoted = bytes;
    quoted.replace('\'', QByteArrayLiteral("'\\''"));
    return '\'' + quoted + '\'';
}

// "mv -n" may skip an occupied target without failing, so a move counts only when the
// file has really left its new path.
QByteArray UndoScriptText(const CRenameHistory& history) {
    QByteArray text = "#!/bin/sh\n# Quorvin- UNDO Batch file\n#\nfailed=0\n";
    const std::vector<RENAMEHISTORY>& records = history.Records();
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        if (it->nativeNewPath.isEmpty())
            continue;
        const QByteArray from = ShellQuoted(it->nativeNewPath);
        const QByteArray back = FolderPart(it->nativeNewPath) + NamePart(it->nativeOldPath);
        text += "mv -n -- " + from + ' ' + ShellQuoted(back) + " && ! { [ -e " + from +
                " ] || [ -L " + from + " ]; } || failed=$((failed + 1))\n";
    }
    text += "if [ \"$failed\" -eq 0 ]; then\n"
            "    echo 'Operation complete!'\n"
            "else\n"
            "    echo \"$failed move(s) failed.\" >&2\n"
            "    exit 1\n"
            "fi\n";
    return text;
}

bool WriteUndoScript(const QString& path, const CRenameHistory& history) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray text = UndoScriptText(history);
    const bool written = file.write(text) == text.size() && file.flush();
    file.close();
    return written && MakeExecutable(QFile::encodeName(path));
}

void OnCreateUndoBatchfile(const CRenameHistory& history, IPrompts& prompts) {
    FILEQUESTION question;
    question.filter = QStringLiteral("Shell Scripts (*.sh)");
    question.defaultExtension = QStringLiteral("sh");
    question.confirmOverwrite = true;
    const QString path = prompts.AskSaveFileName(question);
    if (path.isEmpty()) {
        prompts.SetStatus(StatusPane::Message, QStringLiteral("Batch File creation was cancelled"));
        return;
    }
    if (!WriteUndoScript(path, history)) {
        prompts.SetStatus(StatusPane::Message, QStringLiteral("Batch File could not be created."));
        return;
    }
    prompts.SetStatus(StatusPane::Message, QStringLiteral("Batch File created successfully."));
}
