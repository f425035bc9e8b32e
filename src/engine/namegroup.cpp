// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

void ApplyNameGroup(const GROUPCONTEXT& context, QString& base) {
    const FILENAMECRITERIA& c = context.criteria.fileName;
    switch (c.mode) {
    case NameMode::Remove:
        base.clear();
        break;
    case NameMode::Fixed:
        base = c.fixed;
        break;
    case NameMode::Reverse: {
        // Reversed by characters, so a character outside the Basic Multilingual Plane
        // keeps its surrogate pair in order.
        QString reversed;
        reversed.reserve(base.size());
        for (qsizetype i = base.size(); i > 0;) {
            const bool pair =
                i >= 2 && base[i - 1].isLowSurrogate() && base[i - 2].isHighSurrogate();
            const qsizetype width = pair ? 2 : 1;
            reversed += QStringView(base).mid(i - width, width);
            i -= width;
        }
        base = reversed;
        break;
    }
    default:
        break;
    }
}
