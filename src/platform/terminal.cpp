// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/terminal.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

#include <sys/ioctl.h>
#include <unistd.h>

bool StandardOutputIsTerminal() {
    return isatty(STDOUT_FILENO) == 1;
}
bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}
bool StandardInputIsTerminal() {
    return isatty(STDIN_FILENO) == 1;
}

bool ReadInputLine(QString& line) {
    QByteArray bytes;
    for (;;) {
        char c = 0;
        const ssize_t n = read(STDIN_FILENO, &c, 1);
        if (n <= 0) {
            line = QString::fromLocal8Bit(bytes);
            return !bytes.isEmpty();
        }
        if (c == '\n')
            break;
        bytes.append(c);
    }
    line = QString::fromLocal8Bit(bytes);
    return true;
}

int TerminalColumns() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0)
        return 0;
    return size.ws_col;
}

void ExitWithoutCleanup(int code) {
#if defined(__SANITIZE_ADDRESS__)
    Q_UNUSED(code);
#else
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
#endif
}
