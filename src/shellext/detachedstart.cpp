// SPDX-License-Identifier: GPL-3.0-or-later
#include "detachedstart.h"

#include <cerrno>
#include <climits>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

QByteArray OwnExecutablePath() {
    QByteArray buffer(PATH_MAX, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return {};
        if (length < buffer.size())
            return buffer.first(length);
        buffer.resize(buffer.size() * 2);
    }
}

int StartDetached(const QByteArray& program, const QByteArray& argument) {
    posix_spawnattr_t attributes;
    if (int error = posix_spawnattr_init(&attributes); error != 0)
        return error;
    // Its own session: closing the file manager or its terminal must not take the window along.
    int error = posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    if (error == 0) {
        QByteArray programCopy = program;
        QByteArray argumentCopy = argument;
        char* arguments[] = {programCopy.data(), argumentCopy.data(), nullptr};
        pid_t child = 0;
        // glibc reports a failed exec as the result, so a missing program is seen here.
        error = posix_spawn(&child, program.constData(), nullptr, &attributes, arguments, environ);
    }
    posix_spawnattr_destroy(&attributes);
    return error;
}
