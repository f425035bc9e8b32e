// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Whether standard output or standard error is a terminal (and not a pipe or a file).
bool StandardOutputIsTerminal();
bool StandardErrorIsTerminal();
bool StandardInputIsTerminal();
// One line typed on standard input, without its line end; false at the end of input.
bool ReadInputLine(QString& line);
// The width of the terminal standard output shows, in columns; 0 when it is no terminal.
int TerminalColumns();
