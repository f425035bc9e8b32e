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
