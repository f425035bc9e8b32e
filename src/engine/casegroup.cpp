// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "lettercase.h"
#include "replacetext.h"

#include "filelist/textrules.h"

void ApplyCaseGroup(const GROUPCONTEXT& context, QString& base) {
    switch (context.criteria.letterCase.change) {
    case CaseMode::Lower:
        base = AsciiLower(base);
        break;
    case CaseMode::Upper:
        base = AsciiUpper(base);
        break;
    case CaseMode::Title:
        base = TitleCase(base);
        break;
    case CaseMode::Sentence:
        base = SentenceCase(base);
        break;
    default:
        break;
    }
    for (const QString& word : context.input.exceptionWords)
        base = ReplaceText(base, word, word, false);
}
