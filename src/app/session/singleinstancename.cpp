// SPDX-License-Identifier: GPL-3.0-or-later
#include "singleinstancename.h"

#include "platform/desktopplaces.h"

namespace {

constexpr char kProgramGuid[] = "{6F1C2B7E-4D8A-4E39-9A51-3C0B7D2E8F14}";

QString DisplayName() {
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty())
        return wayland;
    const QString x11 = qEnvironmentVariable("DISPLAY");
    return x11.isEmpty() ? QStringLiteral("nodisplay") : x11;
}

} // namespace

QString SingleInstanceName() {
    const QString own = qEnvironmentVariable("QUORVIN_INSTANCE");
    if (!own.isEmpty())
        return own;
    return QLatin1String(kProgramGuid) + QLatin1Char('-') + QString::number(CurrentUserId()) +
           QLatin1Char('-') + DisplayName();
}

QByteArray CleanNativeCommandLine(const QList<QByteArray>& arguments) {
    const qsizetype fileSwitch = arguments.indexOf(QByteArrayLiteral("/f"));
    if (fileSwitch >= 0) {
        QByteArray file = arguments.mid(fileSwitch + 1).join(' ').trimmed();
        file.replace('"', QByteArray());
        const qsizetype slash = file.lastIndexOf('/');
        return slash < 0 ? QByteArray() : slash == 0 ? QByteArrayLiteral("/") : file.left(slash);
    }
    QByteArray line = arguments.join(' ').trimmed();
    line.replace('"', QByteArray());
    return line;
}
