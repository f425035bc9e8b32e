// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The parameters of one listing, copied into every folder level.
struct SCANSETTINGS {
    QByteArray rootPath; // the folder the listing starts on, as native bytes
    bool filterMatchCase = false;
    bool files = true;
    bool folders = true;
    bool subfolders = false;
    bool hidden = false;
    bool displayIcons = true;
    QString filter = QStringLiteral("*");
    qint32 minNameLength = 0;
    qint32 minPathLength = 0;
    qint32 maxNameLength = 0;
    qint32 maxPathLength = 0;
    bool extractExif = false;
    bool extractId3 = false;
    // Threads that read the listing; 0 gives one per core. The result does not depend on it.
    qint32 workers = 0;
};
