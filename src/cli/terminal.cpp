// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal.h"

#include <unistd.h>

bool StandardOutputIsTerminal() {
    return isatty(STDOUT_FILENO) == 1;
}
bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}
