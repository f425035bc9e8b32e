// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "lettercase.h"
#include "replacetext.h"

#include "filelist/textrules.h"

void ApplyCaseGroup(const GROUPCONTEXT& context, QString& base) {
    switch (context.criteria.letterCase.change) {
    case CaseMode::Lower:
        MakeAsciiCase(base, false);
        break;
    case CaseMode::Upper:
        MakeAsciiCase(base, true);
        break;
    case CaseMode::Title:
        MakeTitleCase(base);
        break;
    case CaseMode::Sentence:
        MakeSentenceCase(base);
        break;
    default:
        break;
    }
    thread_local QString scratch; // keeps its room from row to row
    for (const QString& word : context.input.exceptionWords)
        ReplaceTextInPlace(base, word, word, false, scratch);
}
