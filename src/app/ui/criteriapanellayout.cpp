// SPDX-License-Identifier: GPL-3.0-or-later
#include "criteriapanellayout.h"

namespace {

constexpr const char* kCaptions[] = {"RegEx (1)",        "File (2)",       "Repl. (3)",
                                     "Case (4)",         "Remove (5)",     "Move/Copy (6)",
                                     "Add (7)",          "Auto Date (8)",  "Append Folder Name (9)",
                                     "Numbering (10)",   "Extension (11)", "Selections (12)",
                                     "New Location (13)"};

// clang-format off
const FIELDLAYOUT kFields[] = {
    {"Regular Expressions", "Match", "Match", nullptr, 0, 0, 1},
    {"Regular Expressions", "Replace", "Replace", nullptr, 1, 0, 1},
    {"Regular Expressions", "Include Extension", "Include Ext.", nullptr, 2, 0, 2},

    {"Filename", "Mode", "Name", nullptr, 0, 0, 1, 0, 0, "Keep|Remove|Fixed|Reverse"},
    {"Filename", "Fixed", "", "fixed name", 1, 0, 2},

    {"Replacements", "Replace", "Replace", nullptr, 0, 0, 1},
    {"Replacements", "With", "With", nullptr, 1, 0, 1},
    {"Replacements", "Match Case", "Match Case", nullptr, 2, 0, 2},

    {"Case", "Change", "", "case mode", 0, 0, 2, 0, 0, "Same|Lower|Upper|Title|Sentence"},
    {"Case", "Exceptions", "Excep.", nullptr, 1, 0, 1},

    {"Removals", "First N", "First n", nullptr, 0, 0, 1, 0, 255},
    {"Removals", "Last N", "Last n", nullptr, 0, 2, 1, 0, 255},
    {"Removals", "From", "From", nullptr, 1, 0, 1, 0, 255},
    {"Removals", "To", "to", nullptr, 1, 2, 1, 0, 255},
    {"Removals", "Chars", "Chars", nullptr, 2, 0, 1},
    {"Removals", "Words", "Words", nullptr, 2, 2, 1},
    {"Removals", "Crop Mode", "Crop", nullptr, 3, 0, 1, 0, 0, "Before|After|Special"},
    {"Removals", "Crop Marker", "", "crop marker", 3, 2, 2},
    {"Removals", "All Digits", "Digits", nullptr, 4, 0, 1},
    {"Removals", "All High", "High", nullptr, 4, 1, 1},
    {"Removals", "Trim", "Trim", nullptr, 4, 2, 1},
    {"Removals", "Double Space", "D/S", nullptr, 4, 3, 1},
    {"Removals", "Accents", "Accents", nullptr, 5, 0, 1},
    {"Removals", "All Chars", "Chars", nullptr, 5, 1, 1},
    {"Removals", "All Symbols", "Sym.", nullptr, 5, 2, 1},
    {"Removals", "Lead Dots", "Lead Dots", nullptr, 6, 0, 1, 0, 0, "None|.|..|Both"},

    {"MoveCopy", "Source", "", "from", 0, 0, 2, 0, 0,
     "None|Copy first n|Copy last n|Move first n|Move last n"},
    {"MoveCopy", "Number", "", "count", 0, 2, 1, 1, 255},
    {"MoveCopy", "Target", "", "to", 1, 0, 2, 0, 0, "None|To start|To end|To pos."},
    {"MoveCopy", "Target Pos", "", "position", 1, 2, 1, 1, 255},
    {"MoveCopy", "Separator", "Sep.", nullptr, 2, 0, 1},

    {"Additions", "Prefix", "Prefix", nullptr, 0, 0, 3},
    {"Additions", "Text", "Insert", nullptr, 1, 0, 3},
    {"Additions", "Text Pos", "at pos.", nullptr, 2, 0, 1, -255, 255},
    {"Additions", "Suffix", "Suffix", nullptr, 3, 0, 3},
    {"Additions", "WordSpace", "Word Space", nullptr, 2, 2, 2},

    {"Auto Date", "Mode", "Mode", nullptr, 0, 0, 1, 0, 0, "None|Prefix|Suffix"},
    {"Auto Date", "Type", "Type", nullptr, 0, 2, 1, 0, 0,
     "Creation (Curr.)|Creation (New)|Modified (Curr.)|Modified (New)|Accessed (Curr.)|"
     "Accessed (New)|Taken|Current"},
    {"Auto Date", "Format", "Fmt", nullptr, 1, 0, 1, 0, 0,
     "DMY|DMY HM|DMY HMS|MDY|MDY HM|MDY HMS|YMD|YMD HM|YMD HMS|Custom"},
    {"Auto Date", "Separator", "Sep.", nullptr, 1, 2, 1},
    {"Auto Date", "Segments", "Seg.", nullptr, 2, 0, 1},
    {"Auto Date", "Custom", "Custom", nullptr, 2, 2, 1},
    {"Auto Date", "Century", "Cent.", nullptr, 3, 0, 2},
    {"Auto Date", "Offset", "Off.", nullptr, 3, 2, 1, -1000, 999},

    {"Folder Name", "Mode", "Name", nullptr, 0, 0, 1, 0, 0, "None|Prefix|Suffix"},
    {"Folder Name", "Levels", "Levels", nullptr, 0, 2, 1, 1, 50},
    {"Folder Name", "Separator", "Sep.", nullptr, 1, 0, 1},

    {"Auto-Number", "Mode", "Mode", nullptr, 0, 0, 1, 0, 0, "None|Prefix|Suffix|Pre.+Suff.|Insert"},
    {"Auto-Number", "Insert", "at", nullptr, 0, 2, 1, -255, 255},
    {"Auto-Number", "Start", "Start", nullptr, 1, 0, 1, 0, 30000},
    {"Auto-Number", "Increment", "Incr.", nullptr, 1, 2, 1, -9999, 9999},
    {"Auto-Number", "Pad", "Pad", nullptr, 2, 0, 1, 0, 50},
    {"Auto-Number", "Break", "Break", nullptr, 2, 2, 1, 0, 100},
    {"Auto-Number", "Separator", "Sep.", nullptr, 3, 0, 1},
    {"Auto-Number", "Break Folder", "Folder", nullptr, 3, 2, 2},
    {"Auto-Number", "Type", "Type", nullptr, 4, 0, 3},
    {"Auto-Number", "Numerals", "Roman Numerals", nullptr, 5, 0, 2, 0, 0, "None|Lower|Upper", 2},

    {"Extension", "Mode", "", "mode", 0, 0, 1, 0, 0,
     "Same|Lower|Upper|Title|Fixed|Extra|Remove"},
    {"Extension", "Fixed", "", "fixed extension", 1, 0, 1},

    {"Selections", "Filter", "Filter", nullptr, 0, 0, 1},
    {"Selections", "Filter Match Case", "Match Case", nullptr, 0, 2, 2},
    {"Selections", "Folders", "Folders", nullptr, 1, 0, 1},
    {"Selections", "Files", "Files", nullptr, 1, 1, 1},
    {"Selections", "Hidden", "Hidden", nullptr, 1, 2, 1},
    {"Selections", "Subfolders", "Subfolders", nullptr, 1, 3, 1},
    {"Selections", "Min Name Length", "Name Len Min", nullptr, 2, 0, 1, 0, 255},
    {"Selections", "Max Name Length", "Max", "Name Len Max", 2, 2, 1, 0, 255},
    {"Selections", "Min Path Length", "Path Len Min", nullptr, 3, 0, 1, 0, 255},
    {"Selections", "Max Path Length", "Max", "Path Len Max", 3, 2, 1, 0, 255},

    {"New Location", "Path", "Path", nullptr, 0, 0, 1},
};
// clang-format on

constexpr int kColumn1[] = {1, 3, 4};
constexpr int kColumn2[] = {2, 11, 13};
constexpr int kColumn3[] = {5, 12};
constexpr int kColumn4[] = {6, 7, 9};
constexpr int kColumn5[] = {8, 10};
const std::span<const int> kColumns[] = {kColumn1, kColumn2, kColumn3, kColumn4, kColumn5};

} // namespace

std::span<const FIELDLAYOUT> PanelFields() {
    return kFields;
}

QString GroupCaption(int group) {
    return group >= 1 && group <= 13 ? QLatin1String(kCaptions[group - 1]) : QString();
}

std::span<const std::span<const int>> PanelColumns() {
    return kColumns;
}

QStringList ChoiceTexts(const FIELDLAYOUT& field) {
    if (qstrcmp(field.section, "Auto-Number") == 0 && qstrcmp(field.key, "Type") == 0) {
        QStringList types;
        for (int base = 2; base <= 36; ++base) {
            QString text = QStringLiteral("Base %1").arg(base);
            if (base == 2)
                text += QStringLiteral(" (Binary)");
            else if (base == 8)
                text += QStringLiteral(" (Octal)");
            else if (base == 10)
                text += QStringLiteral(" (Decimal)");
            else if (base == 16)
                text += QStringLiteral(" (Hex)");
            types << text;
        }
        return types << QStringLiteral("A-Z") << QStringLiteral("a-z");
    }
    return QString::fromUtf8(field.choices).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}
