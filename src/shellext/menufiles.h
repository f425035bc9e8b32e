// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The "Quorvin Here" entry as each file manager wants it. helperPath is the absolute path of
// qvnhere; every entry names it so, since a file manager's PATH is not the user's shell's.

// A KDE service menu (Dolphin).
[[nodiscard]] QByteArray DolphinServiceMenu(const QByteArray& helperPath);
// The script Nautilus lists under Scripts.
[[nodiscard]] QByteArray NautilusScript(const QByteArray& helperPath);
// A Nemo action.
[[nodiscard]] QByteArray NemoAction(const QByteArray& helperPath);
// The command line of the Thunar custom action (before Thunar's own substitutions).
[[nodiscard]] QByteArray ThunarCommand(const QByteArray& helperPath);

// One argument of a desktop entry's Exec key: quoted, with the characters the key reserves
// escaped, so a path with blanks, quotes, dollars or percent signs stays one argument.
[[nodiscard]] QByteArray DesktopExecArgument(const QByteArray& argument);
// One word for a POSIX shell: single-quoted, embedded quotes closed and escaped.
[[nodiscard]] QByteArray ShellQuoted(const QByteArray& word);
