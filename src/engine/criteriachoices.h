// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The choices of the criteria groups. Each enumerator's value is the index the choice has
// in its list, the number a favourites file stores. A favourites load may leave -1 (no
// entry chosen), which these types hold as well: never clamp one into the list.

enum class NameMode : int { Keep, Remove, Fixed, Reverse };

enum class CaseMode : int { Same, Lower, Upper, Title, Sentence };

enum class CropMode : int { Before, After, Special };

// Which leading dots the removals take away: ".", "..", or both.
enum class LeadDots : int { None, Single, Double, Both };

enum class MoveSource : int { None, CopyFirst, CopyLast, MoveFirst, MoveLast };

enum class MoveTarget : int { None, ToStart, ToEnd, ToPosition };

enum class AutoDateMode : int { None, Prefix, Suffix };

// "Curr." is the entry's time as listed, "New" the time the run will give it.
enum class AutoDateType : int {
    CreationCurrent,
    CreationNew,
    ModifiedCurrent,
    ModifiedNew,
    AccessedCurrent,
    AccessedNew,
    Taken,
    Current
};

// Nine fixed layouts, then the user's own format.
enum class DateFormat : int { Dmy, DmyHm, DmyHms, Mdy, MdyHm, MdyHms, Ymd, YmdHm, YmdHms, Custom };

enum class FolderNameMode : int { None, Prefix, Suffix };

enum class NumberingMode : int { None, Prefix, Suffix, PrefixAndSuffix, Insert };

// Bases 2 to 36 in order (the value is the base less two), then letters.
enum class NumberingType : int { Base2 = 0, Base10 = 8, Base36 = 34, UpperLetters, LowerLetters };

enum class Numerals : int { None, Lower, Upper };

enum class ExtensionMode : int { Same, Lower, Upper, Title, Fixed, Extra, Remove };
