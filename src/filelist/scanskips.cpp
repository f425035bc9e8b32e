// SPDX-License-Identifier: GPL-3.0-or-later
#include "scanskips.h"

#include "platform/fileoperations.h"

void AddScanSkip(SCANSKIPS& skips, const QString& path, int error) {
    ++skips.count;
    if (skips.firstPaths.size() < SCANSKIPS::kShownSkips)
        skips.firstPaths.append(path + QStringLiteral(" (") + ErrorText(error) + QLatin1Char(')'));
}

QString ScanSkipsText(const SCANSKIPS& skips) {
    if (skips.count == 0)
        return QString();
    QString text =
        QStringLiteral("%1 item(s) could not be read and were left out: ").arg(skips.count) +
        skips.firstPaths.join(QStringLiteral(", "));
    if (skips.count > skips.firstPaths.size())
        text += QStringLiteral(" and %1 more").arg(skips.count - skips.firstPaths.size());
    return text;
}
