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

// Ends the process with `code` once standard output and standard error are flushed,
// without destructors or exit handlers: the kernel drops the whole address space at
// once, where freeing a listing entry by entry takes a noticeable part of a run. Returns
// (doing nothing) in builds with the address sanitizer, whose leak check must keep seeing
// everything freed; the caller then returns as usual.
void ExitWithoutCleanup(int code);
