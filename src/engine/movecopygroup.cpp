// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

void ApplyMoveCopyGroup(const GROUPCONTEXT& context, QString& base) {
    Q_UNUSED(context);
    Q_UNUSED(base);
}
