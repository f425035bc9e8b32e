// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// The helper's own executable, resolved through /proc/self/exe; empty when that fails.
[[nodiscard]] QByteArray OwnExecutablePath();

// Starts program with one argument in a session of its own and does not wait for it.
// Returns 0, or the errno value that kept it from starting.
[[nodiscard]] int StartDetached(const QByteArray& program, const QByteArray& argument);
