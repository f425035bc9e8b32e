// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// What choosing "Quorvin Here" does with the file manager's selection: the folder of its first
// item, and the program that opens it. Paths are bytes throughout, so a name that is not valid
// UTF-8 reaches the program exactly as it is on disk.
class CMenuHandler {
public:
    // workingFolder: where relative arguments are taken from (file managers that pass bare
    // names run their helpers in the folder being shown).
    explicit CMenuHandler(QByteArray workingFolder);

    // The folder to open for the selection, or nothing when there is no selection, the first
    // item is not a local path or no longer exists.
    [[nodiscard]] std::optional<QByteArray> TargetFolder(const QList<QByteArray>& selection) const;

    // A plain path as given, or the percent-decoded path of a local file:// URI; empty for
    // any other URI.
    [[nodiscard]] static QByteArray LocalPath(const QByteArray& argument);
    // The folder holding a file: everything before the last "/", or "/" for a file in "/".
    [[nodiscard]] static QByteArray FolderOfFile(const QByteArray& path);
    // The window program installed beside this helper.
    [[nodiscard]] static QByteArray ProgramBeside(const QByteArray& helperPath);
    [[nodiscard]] static QString StartErrorText(int errorCode, const QByteArray& program);

private:
    QByteArray m_workingFolder;
};
