// SPDX-License-Identifier: GPL-3.0-or-later
#include "changesettings.h"

#include "platform/attributes.h"

#include <type_traits>

namespace {

quint32 Apply(quint32 attributes, quint32 flags, quint32 setBit, quint32 clearBit,
              quint32 attribute) {
    if (flags & clearBit)
        return attributes & ~attribute;
    if (flags & setBit)
        return attributes | attribute;
    return attributes;
}

const CHANGEBINDING kBindings[] = {
    {"Change Created Timestamp", false, &CHANGESETTINGS::createdMode},
    {"Change Modified Timestamp", false, &CHANGESETTINGS::modifiedMode},
    {"Change Accessed Timestamp", false, &CHANGESETTINGS::accessedMode},
    {"Created Timestamp", true, &CHANGESETTINGS::createdFixed},
    {"Modified Timestamp", true, &CHANGESETTINGS::modifiedFixed},
    {"Accessed Timestamp", true, &CHANGESETTINGS::accessedFixed},
    {"Created Timestamp Delta", false, &CHANGESETTINGS::createdDelta},
    {"Modified Timestamp Delta", false, &CHANGESETTINGS::modifiedDelta},
    {"Accessed Timestamp Delta", false, &CHANGESETTINGS::accessedDelta},
    {"Created Timestamp Delta Negative", false, &CHANGESETTINGS::createdNegative},
    {"Modified Timestamp Delta Negative", false, &CHANGESETTINGS::modifiedNegative},
    {"Accessed Timestamp Delta Negative", false, &CHANGESETTINGS::accessedNegative},
    {"Change Attributes", false, &CHANGESETTINGS::attributeFlags},
};

} // namespace

quint32 PendingAttributes(quint32 attributes, quint32 attributeFlags) {
    quint32 result = Apply(attributes, attributeFlags, SetReadOnly, ClearReadOnly, AttrReadOnly);
    const quint32 changeable = ChangeableAttributes();
    if (changeable & AttrArchive)
        result = Apply(result, attributeFlags, SetArchive, ClearArchive, AttrArchive);
    if (changeable & AttrSystem)
        result = Apply(result, attributeFlags, SetSystem, ClearSystem, AttrSystem);
    if (changeable & AttrHidden)
        result = Apply(result, attributeFlags, SetHidden, ClearHidden, AttrHidden);
    return result;
}

TimeValue PendingTime(TimestampMode mode, TimeValue current, TimeValue other, TimeValue dateTaken,
                      TimeValue fixed, qint64 delta, bool negative, TimeValue now) {
    switch (mode) {
    case TimestampMode::Current:
        return now;
    case TimestampMode::FromOther:
        return other;
    case TimestampMode::Taken:
        return dateTaken;
    case TimestampMode::Fixed:
        return fixed;
    case TimestampMode::Delta:
        if (current == 0)
            return 0;
        return negative ? current - delta : current + delta;
    default:
        return 0;
    }
}

PENDINGTIMES PreviewTimes(const CHANGESETTINGS& s, const FILEENTRY& e, TimeValue now) {
    PENDINGTIMES t;
    if (s.createdMode != TimestampMode::NoChange)
        t.created = PendingTime(s.createdMode, e.created, e.modified, e.dateTaken, s.createdFixed,
                                s.createdDelta, s.createdNegative, now);
    if (s.modifiedMode != TimestampMode::NoChange)
        t.modified = PendingTime(s.modifiedMode, e.modified, t.created, e.dateTaken,
                                 s.modifiedFixed, s.modifiedDelta, s.modifiedNegative, now);
    if (s.accessedMode != TimestampMode::NoChange)
        t.accessed = PendingTime(s.accessedMode, e.accessed, t.created, e.dateTaken,
                                 s.accessedFixed, s.accessedDelta, s.accessedNegative, now);
    return t;
}

DELTAPARTS SplitDelta(qint64 delta) {
    DELTAPARTS parts;
    parts.days = delta / 86400;
    const qint64 rest = delta % 86400;
    parts.hours = static_cast<int>(rest / 3600);
    parts.minutes = static_cast<int>(rest % 3600 / 60);
    parts.seconds = static_cast<int>(rest % 60);
    return parts;
}

qint64 JoinDelta(const DELTAPARTS& p) {
    return p.days * 86400 + qint64(p.hours) * 3600 + qint64(p.minutes) * 60 + p.seconds;
}

bool NeedsCreatedFromModifiedQuestion(const CHANGESETTINGS& settings) {
    return settings.createdMode == TimestampMode::FromOther &&
           settings.modifiedMode != TimestampMode::NoChange;
}

QString CreatedFromModifiedQuestion() {
    return QStringLiteral(
        "Warning: You have chosen to set the Created timestamp from the Modified timestamp, "
        "and also to update the Modified timestamp.\n\nThe Created timestamp is processed "
        "BEFORE the Modified timestamp, so the Created timestamp will reflect old "
        "information. Are you sure?");
}

std::span<const CHANGEBINDING> ChangeBindings() {
    return kBindings;
}

const CHANGEBINDING* FindChangeSetting(QStringView key) {
    for (const CHANGEBINDING& b : kBindings) {
        if (key.compare(QLatin1String(b.key), Qt::CaseInsensitive) == 0)
            return &b;
    }
    return nullptr;
}

qint64 ChangeSettingValue(const CHANGESETTINGS& settings, const CHANGEBINDING& binding) {
    return std::visit(
        [&settings, &binding](auto member) -> qint64 {
            const qint64 value = static_cast<qint64>(settings.*member);
            return binding.isTime ? StoredFromTimeValue(value) : value;
        },
        binding.field);
}

void SetChangeSettingValue(CHANGESETTINGS& settings, const CHANGEBINDING& binding, qint64 value) {
    std::visit(
        [&settings, &binding, value](auto member) {
            using Field = std::remove_reference_t<decltype(settings.*member)>;
            const qint64 stored = binding.isTime ? TimeValueFromStored(value) : value;
            settings.*member = static_cast<Field>(stored);
        },
        binding.field);
}
