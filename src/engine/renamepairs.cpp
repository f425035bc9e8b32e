// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamepairs.h"

bool LookupRenamePair(const RENAMEPAIRMAP& pairs, const QString& key, QString& value) {
    const auto it = pairs.constFind(key);
    if (it == pairs.constEnd())
        return false;
    value = it.value();
    return true;
}
