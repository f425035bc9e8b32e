// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether standard output or standard error is a terminal (and not a pipe or a file).
bool StandardOutputIsTerminal();
bool StandardErrorIsTerminal();
