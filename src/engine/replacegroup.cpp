// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "replacetext.h"

void ApplyReplaceGroup(const GROUPCONTEXT& context, QString& base) {
    const REPLACECRITERIA& c = context.criteria.replacements;
    if (!base.isEmpty() && !c.replace.isEmpty())
        base = ReplaceText(base, c.replace, c.with, c.matchCase);
    if (context.options.translations)
        base = ApplyTranslations(*context.options.translations, base);
}
