// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Files read whole are held to a sane size, so that a device or a runaway file cannot
// fill the memory.
constexpr qint64 kMostSettingsFileBytes = qint64(16) << 20;
constexpr qint64 kMostPairsFileBytes = qint64(256) << 20;

// Why the folder cannot be listed ("folder not found: …", "symbolic link loop: … (reason)"
// …); empty when it can.
QString FolderListProblem(const QByteArray& nativeFolder);
// Why a file named by an option may not be read (`what`: "favourites file" …); empty when
// it is a readable regular file of at most `maxBytes`.
QString InputFileProblemText(const QString& what, const QString& path, qint64 maxBytes);
// Why the undo script could not be written there; empty when it can.
QString UndoScriptProblem(const QString& path);
