// SPDX-License-Identifier: GPL-3.0-or-later
#include "sizetext.h"

#include <QLocale>

namespace {

constexpr quint64 kKilo = 1024;
constexpr quint64 kMega = kKilo * 1024;
constexpr quint64 kGiga = kMega * 1024;

int MixedMode(quint64 size) {
    if (size < kKilo)
        return SizeBytes;
    if (size < kMega)
        return SizeKilobytes;
    if (size < kGiga)
        return SizeMegabytes;
    return SizeGigabytes;
}

} // namespace

quint64 SizeInUnit(quint64 size, int mode, QLatin1StringView& unit) {
    if (mode == SizeMixed)
        mode = MixedMode(size);
    switch (mode) {
    case SizeBytes:
        unit = QLatin1StringView(" B");
        return size;
    case SizeKilobytes:
        unit = QLatin1StringView(" KB");
        return size / kKilo;
    case SizeMegabytes:
        unit = QLatin1StringView(" MB");
        return size / kMega;
    case SizeGigabytes:
        unit = QLatin1StringView(" GB");
        return size / kGiga;
    default:
        unit = QLatin1StringView();
        return 0;
    }
}

QString SizeText(quint64 size, int mode) {
    QLatin1StringView unit;
    const quint64 value = SizeInUnit(size, mode, unit);
    return QLocale().toString(value) + unit;
}
