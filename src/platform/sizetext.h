// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QtGlobal>

// The user's locale is QLocale() (the system locale unless a test sets another).
// Units of the size text: the size display modes of the list.
enum SizeDisplayMode {
    SizeBytes = 1,
    SizeKilobytes = 2,
    SizeMegabytes = 3,
    SizeGigabytes = 4,
    SizeMixed = 5
};

// The size as the list shows it: the value in the mode's unit, formatted as a number in
// the user's locale, and the unit (" B", " KB", " MB", " GB"). Any other mode gives "0".
QString SizeText(quint64 size, int mode);
// The value SizeText() shows and its unit.
quint64 SizeInUnit(quint64 size, int mode, QLatin1StringView& unit);
