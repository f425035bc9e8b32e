// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

void ApplyExtensionGroup(const GROUPCONTEXT& context, QString& ext) {
    Q_UNUSED(context);
    Q_UNUSED(ext);
}
