// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "lettercase.h"
#include "replacetext.h"

#include "filelist/textrules.h"

void ApplyCaseGroup(const GROUPCONTEXT& context, QString& base) {
    switch (context.criteria.letterCase.change) {
    case 1:
        base = AsciiLower(base);
        break;
    case 2:
        base = AsciiUpper(base);
        break;
    case 3:
        base = TitleCase(base);
        break;
    case 4:
        base = SentenceCase(base);
        break;
    default:
        break;
    }
    for (const QString& word : context.input.exceptionWords)
        base = ReplaceText(base, word, word, false);
}
