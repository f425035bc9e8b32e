// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The paths of a list, split on LF (a CR stays part of a name, which may really hold one)
// or on NUL; empty entries are skipped. The bytes are kept exactly.
[[nodiscard]] QList<QByteArray> SplitPathList(const QByteArray& bytes, bool nulSeparated);

// Reads the list of paths that --from names ("-": standard input, which may be a pipe)
// and appends its paths. Empty on success, else the one-line reason.
[[nodiscard]] QString ReadPathList(const QString& from, bool nulSeparated,
                                   QList<QByteArray>& paths);
