// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "replacetext.h"

void ApplyReplaceGroup(const GROUPCONTEXT& context, QString& base) {
    const REPLACECRITERIA& c = context.criteria.replacements;
    thread_local QString scratch; // keeps its room from row to row
    if (!base.isEmpty() && !c.replace.isEmpty())
        ReplaceTextInPlace(base, c.replace, c.with, c.matchCase, scratch);
    if (context.options.translations)
        base = ApplyTranslations(*context.options.translations, base);
}
