// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamecriteria.h"

#include "criterionbinding.h"
#include "filelist/textrules.h"

#include <type_traits>

namespace {

bool Set(const QString& text) {
    return !text.isEmpty();
}
bool NonZero(const QString& number) {
    return ToInt32(number) != 0;
}

bool RemovalsActive(const REMOVALCRITERIA& r) {
    return NonZero(r.firstN) || NonZero(r.lastN) || NonZero(r.from) || NonZero(r.to) ||
           Set(r.chars) || Set(r.words) || Set(r.cropMarker) || r.allDigits || r.allChars ||
           r.allSymbols || r.allHigh || r.trim || r.doubleSpace || r.accents ||
           r.leadDots != LeadDots::None;
}

bool AdditionsActive(const ADDITIONCRITERIA& a) {
    return Set(a.prefix) || Set(a.text) || Set(a.suffix) || NonZero(a.textPos) || a.wordSpace;
}

bool Is(const CRITERIONBINDING& b, const char* section, const char* key) {
    return qstrcmp(b.section, section) == 0 && qstrcmp(b.key, key) == 0;
}

} // namespace

bool RenameCriteria::IsGroupActive(int group) const {
    switch (group) {
    case GroupRegEx:
        return regex.enabled && (Set(regex.match) || Set(regex.replace));
    case GroupFile:
        return fileName.enabled && (fileName.mode != NameMode::Keep || Set(fileName.fixed));
    case GroupReplace:
        return replacements.enabled && (Set(replacements.replace) || Set(replacements.with));
    case GroupCase:
        return letterCase.enabled &&
               (letterCase.change != CaseMode::Same || Set(letterCase.exceptions));
    case GroupRemove:
        return removals.enabled && RemovalsActive(removals);
    case GroupMoveCopy:
        return moveCopy.enabled && moveCopy.source != MoveSource::None;
    case GroupAdd:
        return additions.enabled && AdditionsActive(additions);
    case GroupAutoDate:
        return autoDate.enabled && autoDate.mode != AutoDateMode::None;
    case GroupFolderName:
        return folderName.enabled && folderName.mode != FolderNameMode::None;
    case GroupNumbering:
        return numbering.enabled && (numbering.mode != NumberingMode::None ||
                                     numbering.numerals != Numerals::None || numbering.breakFolder);
    case GroupExtension:
        return extension.enabled && (extension.mode != ExtensionMode::Same || Set(extension.fixed));
    case GroupNewLocation:
        return Set(newLocation.path);
    default:
        return false;
    }
}

void RenameCriteria::ResetGroup(int group, ResetAfter after, ICriteriaObserver* observer) {
    switch (group) {
    case GroupRegEx:
        regex = {};
        break;
    case GroupFile:
        fileName = {};
        break;
    case GroupReplace:
        replacements = {};
        break;
    case GroupCase:
        letterCase = {};
        break;
    case GroupRemove: {
        const CropMode cropMode = removals.cropMode;
        const LeadDots leadDots = removals.leadDots;
        removals = {};
        removals.cropMode = cropMode;
        removals.leadDots = leadDots;
        break;
    }
    case GroupMoveCopy:
        moveCopy = {};
        break;
    case GroupAdd:
        additions = {};
        break;
    case GroupAutoDate:
        autoDate = {};
        break;
    case GroupFolderName:
        folderName = {};
        break;
    case GroupNumbering:
        numbering = {};
        break;
    case GroupExtension: {
        const bool enabled = extension.enabled;
        extension = {};
        extension.enabled = enabled;
        break;
    }
    case GroupSelections: {
        const bool matchCase = selections.filterMatchCase;
        selections = {};
        selections.filterMatchCase = matchCase;
        break;
    }
    case GroupNewLocation:
        newLocation = {};
        break;
    default:
        return;
    }
    if (!observer)
        return;
    observer->CriteriaChanged(group);
    if (after != ResetAfter::Nothing)
        observer->PushCriteria(after);
}

void RenameCriteria::ResetAll(ICriteriaObserver* observer) {
    for (int group = GroupRegEx; group <= GroupNumbering; ++group)
        ResetGroup(group, ResetAfter::Nothing, observer);
    ResetGroup(GroupExtension, ResetAfter::Push, observer);
}

void RenameCriteria::ResetNewLocation(ICriteriaObserver* observer) {
    ResetGroup(GroupNewLocation, ResetAfter::Push, observer);
}

QString RenameCriteria::Value(const CRITERIONBINDING& binding) const {
    auto& self = const_cast<RenameCriteria&>(*this);
    return std::visit(
        [&self](auto accessor) -> QString {
            if constexpr (std::is_same_v<decltype(accessor), CHOICEACCESS>) {
                return QString::number(accessor.get(self));
            } else {
                const auto& field = accessor(self);
                using Field = std::decay_t<decltype(field)>;
                if constexpr (std::is_same_v<Field, QString>)
                    return field;
                else
                    return QString::number(static_cast<int>(field));
            }
        },
        binding.field);
}

bool RenameCriteria::SetValue(const CRITERIONBINDING& binding, const QString& value) {
    if (binding.kind == CriterionKind::Text) {
        std::get<QString& (*)(RenameCriteria&)>(binding.field)(*this) = value;
        return true;
    }
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        return false;
    if (binding.kind == CriterionKind::Check) {
        if (number != 0 && number != 1)
            return false;
        std::get<bool& (*)(RenameCriteria&)>(binding.field)(*this) = number == 1;
        return true;
    }
    if (number < 0 || number >= binding.choiceCount)
        return false;
    std::get<CHOICEACCESS>(binding.field).set(*this, number);
    return true;
}

void RenameCriteria::LoadValue(const CRITERIONBINDING& binding, const QString& text, int number) {
    switch (binding.kind) {
    case CriterionKind::Text:
        std::get<QString& (*)(RenameCriteria&)>(binding.field)(*this) = text;
        break;
    case CriterionKind::Check:
        std::get<bool& (*)(RenameCriteria&)>(binding.field)(*this) = number != 0;
        break;
    case CriterionKind::Choice:
        std::get<CHOICEACCESS>(binding.field)
            .set(*this, (number >= 0 && number < binding.choiceCount) ? number : -1);
        break;
    }
}

void RenameCriteria::Edit(const CRITERIONBINDING& binding, const QString& value,
                          bool startupFinished, ICriteriaObserver* observer) {
    if (!SetValue(binding, value))
        return;
    if (Is(binding, "Filename", "Fixed"))
        fileName.mode = NameMode::Fixed;
    else if (Is(binding, "MoveCopy", "Target Pos"))
        moveCopy.target = MoveTarget::ToPosition;
    else if (Is(binding, "Auto Date", "Custom"))
        autoDate.format = DateFormat::Custom;
    else if (Is(binding, "Extension", "Fixed") && extension.mode < ExtensionMode::Fixed)
        extension.mode = ExtensionMode::Fixed;
    else if (Is(binding, "Auto-Number", "Insert"))
        numbering.mode = NumberingMode::Insert;
    else if (startupFinished && Is(binding, "Removals", "From") &&
             ToInt32(removals.to) < ToInt32(removals.from))
        removals.to = removals.from;
    else if (startupFinished && Is(binding, "Removals", "To") &&
             ToInt32(removals.from) > ToInt32(removals.to))
        removals.from = removals.to;
    if (observer && startupFinished)
        observer->CriteriaChanged(binding.group);
}
