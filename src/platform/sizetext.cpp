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

QString SizeText(quint64 size, int mode) {
    if (mode == SizeMixed)
        mode = MixedMode(size);
    quint64 value = 0;
    const char* unit = "";
    switch (mode) {
    case SizeBytes:
        value = size;
        unit = " B";
        break;
    case SizeKilobytes:
        value = size / kKilo;
        unit = " KB";
        break;
    case SizeMegabytes:
        value = size / kMega;
        unit = " MB";
        break;
    case SizeGigabytes:
        value = size / kGiga;
        unit = " GB";
        break;
    default:
        break;
    }
    return QLocale().toString(value) + QLatin1String(unit);
}
