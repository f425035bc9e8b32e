// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

void ApplyRemovalGroup(const GROUPCONTEXT& context, QString& base) {
    Q_UNUSED(context);
    Q_UNUSED(base);
}
