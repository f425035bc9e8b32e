// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The texts of the menu entry, shared by the handler and every file manager's entry.
inline QString HereMenuText() {
    return QStringLiteral("Quorvin Here");
}
inline QString HereHelpText() {
    return QStringLiteral("Launch Quorvin here");
}
inline QString HereCaption() {
    return QStringLiteral("QvnMenuHandler");
}
inline QString HereIconName() {
    return QStringLiteral("org.tarnwick.Quorvin");
}
