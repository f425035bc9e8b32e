// SPDX-License-Identifier: GPL-3.0-or-later
#include "textposition.h"

namespace {

bool SplitsPair(QStringView text, qsizetype index) {
    return index > 0 && index < text.size() && text[index - 1].isHighSurrogate() &&
           text[index].isLowSurrogate();
}

} // namespace

qsizetype CharacterBoundary(QStringView text, qint64 index, CountedFrom from) {
    const qsizetype clamped = qBound<qint64>(0, index, text.size());
    if (!SplitsPair(text, clamped))
        return clamped;
    return from == CountedFrom::Start ? clamped + 1 : clamped - 1;
}

qsizetype CharacterWidthAt(QStringView text, qsizetype index) {
    return SplitsPair(text, index + 1) ? 2 : 1;
}
