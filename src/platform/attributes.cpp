// SPDX-License-Identifier: GPL-3.0-or-later
#include "attributes.h"

QString AttributeLetters(quint32 attributes) {
    QString letters;
    if (attributes == kInvalidAttributes)
        return letters;
    if (attributes & AttrReadOnly)
        letters += QLatin1Char('R');
    if (attributes & AttrArchive)
        letters += QLatin1Char('A');
    if (attributes & AttrSystem)
        letters += QLatin1Char('S');
    if (attributes & AttrHidden)
        letters += QLatin1Char('H');
    return letters;
}

quint32 ChangeableAttributes() {
    return AttrReadOnly;
}
