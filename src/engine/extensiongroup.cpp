// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "lettercase.h"

#include "filelist/textrules.h"

void ApplyExtensionGroup(const GROUPCONTEXT& context, QString& ext) {
    const EXTENSIONCRITERIA& c = context.criteria.extension;
    switch (c.mode) {
    case 1:
        ext = AsciiLower(ext);
        break;
    case 2:
        ext = AsciiUpper(ext);
        break;
    case 3:
        ext = TitleCase(ext);
        break;
    case 4:
        ext = QLatin1Char('.') + c.fixed;
        break;
    case 5:
        ext = ext + QLatin1Char('.') + c.fixed;
        break;
    case 6:
        ext.clear();
        break;
    default:
        break;
    }
}
