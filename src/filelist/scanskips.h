// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What a scan had to leave out: items whose status could not be read, folders that could
// not be opened, paths too long for the system. The first few are kept with the reason.
struct SCANSKIPS {
    int count = 0;
    QStringList firstPaths; // "path (reason)", at most kShownSkips of them

    static constexpr int kShownSkips = 5;
};

void AddScanSkip(SCANSKIPS& skips, const QString& path, int error);
// One line for the user; empty when nothing was left out.
QString ScanSkipsText(const SCANSKIPS& skips);
