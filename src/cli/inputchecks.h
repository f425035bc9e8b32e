// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Why a file named by an option may not be read (`what`: "favourites file" …); empty when
// it is a readable regular file of at most `maxBytes`.
QString InputFileProblemText(const QString& what, const QString& path, qint64 maxBytes);
// Why the undo script could not be written there; empty when it can.
QString UndoScriptProblem(const QString& path);
