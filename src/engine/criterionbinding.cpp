// SPDX-License-Identifier: GPL-3.0-or-later
#include "criterionbinding.h"

#include <type_traits>

namespace {

using C = RenameCriteria;
constexpr auto T = CriterionKind::Text;
constexpr auto K = CriterionKind::Check;
constexpr auto H = CriterionKind::Choice;

#define QVN_TEXT(sec, key, grp, def, member)                                                       \
    CRITERIONBINDING {                                                                             \
        sec, key, T, grp, def, 0, +[](C& c) -> QString& { return c.member; }                       \
    }
#define QVN_CHECK(sec, key, grp, def, member)                                                      \
    CRITERIONBINDING {                                                                             \
        sec, key, K, grp, def, 0, +[](C& c) -> bool& { return c.member; }                          \
    }
#define QVN_CHOICE(sec, key, grp, def, count, member)                                              \
    CRITERIONBINDING {                                                                             \
        sec, key, H, grp, def, count, CHOICEACCESS {                                               \
            +[](const C& c) { return static_cast<int>(c.member); }, +[](C& c, int index) {         \
                c.member = static_cast<std::remove_cvref_t<decltype(c.member)>>(index);            \
            }                                                                                      \
        }                                                                                          \
    }

const CRITERIONBINDING kBindings[] = {
    QVN_TEXT("Regular Expressions", "Match", 1, "", regex.match),
    QVN_TEXT("Regular Expressions", "Replace", 1, "", regex.replace),
    QVN_CHECK("Regular Expressions", "Include Extension", 1, "0", regex.includeExtension),
    QVN_CHOICE("Filename", "Mode", 2, "0", 4, fileName.mode),
    QVN_TEXT("Filename", "Fixed", 2, "", fileName.fixed),
    QVN_TEXT("Replacements", "Replace", 3, "", replacements.replace),
    QVN_TEXT("Replacements", "With", 3, "", replacements.with),
    QVN_CHOICE("Case", "Change", 4, "0", 5, letterCase.change),
    QVN_TEXT("Case", "Exceptions", 4, "", letterCase.exceptions),
    QVN_TEXT("Removals", "First N", 5, "0", removals.firstN),
    QVN_TEXT("Removals", "Last N", 5, "0", removals.lastN),
    QVN_TEXT("Removals", "From", 5, "0", removals.from),
    QVN_TEXT("Removals", "To", 5, "0", removals.to),
    QVN_TEXT("Removals", "Chars", 5, "", removals.chars),
    QVN_TEXT("Removals", "Words", 5, "", removals.words),
    QVN_CHECK("Removals", "All Digits", 5, "0", removals.allDigits),
    QVN_CHECK("Removals", "All Chars", 5, "0", removals.allChars),
    QVN_CHECK("Removals", "All Symbols", 5, "0", removals.allSymbols),
    QVN_CHECK("Removals", "All High", 5, "0", removals.allHigh),
    QVN_CHECK("Removals", "Trim", 5, "0", removals.trim),
    QVN_CHECK("Removals", "Double Space", 5, "0", removals.doubleSpace),
    QVN_CHECK("Removals", "Accents", 5, "0", removals.accents),
    QVN_CHOICE("Removals", "Crop Mode", 5, "0", 3, removals.cropMode),
    QVN_TEXT("Removals", "Crop Marker", 5, "", removals.cropMarker),
    QVN_CHOICE("Removals", "Lead Dots", 5, "0", 4, removals.leadDots),
    QVN_CHOICE("MoveCopy", "Source", 6, "0", 5, moveCopy.source),
    QVN_TEXT("MoveCopy", "Number", 6, "1", moveCopy.number),
    QVN_CHOICE("MoveCopy", "Target", 6, "0", 4, moveCopy.target),
    QVN_TEXT("MoveCopy", "Target Pos", 6, "1", moveCopy.targetPos),
    QVN_TEXT("MoveCopy", "Separator", 6, "", moveCopy.separator),
    QVN_TEXT("Additions", "Prefix", 7, "", additions.prefix),
    QVN_TEXT("Additions", "Text", 7, "", additions.text),
    QVN_TEXT("Additions", "Text Pos", 7, "0", additions.textPos),
    QVN_TEXT("Additions", "Suffix", 7, "", additions.suffix),
    QVN_CHECK("Additions", "WordSpace", 7, "0", additions.wordSpace),
    QVN_CHOICE("Auto Date", "Mode", 8, "0", 3, autoDate.mode),
    QVN_CHOICE("Auto Date", "Type", 8, "0", 8, autoDate.type),
    QVN_CHOICE("Auto Date", "Format", 8, "0", 10, autoDate.format),
    QVN_TEXT("Auto Date", "Separator", 8, "", autoDate.separator),
    QVN_TEXT("Auto Date", "Segments", 8, "", autoDate.segments),
    QVN_TEXT("Auto Date", "Custom", 8, "", autoDate.custom),
    QVN_CHECK("Auto Date", "Century", 8, "0", autoDate.century),
    QVN_TEXT("Auto Date", "Offset", 8, "0", autoDate.offset),
    QVN_CHOICE("Folder Name", "Mode", 9, "0", 3, folderName.mode),
    QVN_TEXT("Folder Name", "Separator", 9, "", folderName.separator),
    QVN_TEXT("Folder Name", "Levels", 9, "1", folderName.levels),
    QVN_CHOICE("Auto-Number", "Mode", 10, "0", 5, numbering.mode),
    QVN_TEXT("Auto-Number", "Start", 10, "1", numbering.start),
    QVN_TEXT("Auto-Number", "Insert", 10, "0", numbering.insert),
    QVN_TEXT("Auto-Number", "Increment", 10, "1", numbering.increment),
    QVN_TEXT("Auto-Number", "Pad", 10, "0", numbering.pad),
    QVN_TEXT("Auto-Number", "Break", 10, "0", numbering.breakLength),
    QVN_TEXT("Auto-Number", "Separator", 10, "", numbering.separator),
    QVN_CHOICE("Auto-Number", "Type", 10, "8", 37, numbering.type),
    QVN_CHOICE("Auto-Number", "Numerals", 10, "0", 3, numbering.numerals),
    QVN_CHECK("Auto-Number", "Break Folder", 10, "0", numbering.breakFolder),
    QVN_CHOICE("Extension", "Mode", 11, "0", 7, extension.mode),
    QVN_TEXT("Extension", "Fixed", 11, "", extension.fixed),
    QVN_TEXT("Selections", "Filter", 12, "*", selections.filter),
    QVN_CHECK("Selections", "Filter Match Case", 12, "0", selections.filterMatchCase),
    QVN_CHECK("Selections", "Files", 12, "1", selections.files),
    QVN_CHECK("Selections", "Folders", 12, "1", selections.folders),
    QVN_CHECK("Selections", "Subfolders", 12, "0", selections.subfolders),
    QVN_CHECK("Selections", "Hidden", 12, "0", selections.hidden),
    QVN_TEXT("Selections", "Min Name Length", 12, "0", selections.minNameLength),
    QVN_TEXT("Selections", "Min Path Length", 12, "0", selections.minPathLength),
    QVN_TEXT("Selections", "Max Name Length", 12, "0", selections.maxNameLength),
    QVN_TEXT("Selections", "Max Path Length", 12, "0", selections.maxPathLength),
    QVN_TEXT("New Location", "Path", 13, "", newLocation.path),
    QVN_CHECK("Criteria", "RegEx", 1, "1", regex.enabled),
    QVN_CHECK("Criteria", "File", 2, "1", fileName.enabled),
    QVN_CHECK("Criteria", "Replace", 3, "1", replacements.enabled),
    QVN_CHECK("Criteria", "Case", 4, "1", letterCase.enabled),
    QVN_CHECK("Criteria", "Removals", 5, "1", removals.enabled),
    QVN_CHECK("Criteria", "MoveCopy", 6, "1", moveCopy.enabled),
    QVN_CHECK("Criteria", "Additions", 7, "1", additions.enabled),
    QVN_CHECK("Criteria", "AutoDate", 8, "1", autoDate.enabled),
    QVN_CHECK("Criteria", "Folder", 9, "1", folderName.enabled),
    QVN_CHECK("Criteria", "AutoNumber", 10, "1", numbering.enabled),
    QVN_CHECK("Criteria", "Extension", 11, "1", extension.enabled),
};

#undef QVN_TEXT
#undef QVN_CHECK
#undef QVN_CHOICE

} // namespace

std::span<const CRITERIONBINDING> CriteriaBindings() {
    return kBindings;
}

const CRITERIONBINDING* FindCriterion(QStringView section, QStringView key) {
    for (const CRITERIONBINDING& b : kBindings) {
        if (section.compare(QLatin1String(b.section), Qt::CaseInsensitive) == 0 &&
            key.compare(QLatin1String(b.key), Qt::CaseInsensitive) == 0)
            return &b;
    }
    return nullptr;
}
