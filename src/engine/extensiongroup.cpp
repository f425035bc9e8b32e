// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "lettercase.h"

#include "filelist/textrules.h"

void ApplyExtensionGroup(const GROUPCONTEXT& context, QString& ext) {
    const EXTENSIONCRITERIA& c = context.criteria.extension;
    switch (c.mode) {
    case ExtensionMode::Lower:
        ext = AsciiLower(ext);
        break;
    case ExtensionMode::Upper:
        ext = AsciiUpper(ext);
        break;
    case ExtensionMode::Title:
        ext = TitleCase(ext);
        break;
    case ExtensionMode::Fixed:
        ext = QLatin1Char('.') + c.fixed;
        break;
    case ExtensionMode::Extra:
        ext = ext + QLatin1Char('.') + c.fixed;
        break;
    case ExtensionMode::Remove:
        ext.clear();
        break;
    default:
        break;
    }
}
