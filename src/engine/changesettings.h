// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/fileentry.h"
#include "platform/timevalue.h"

#include <QString>
#include <span>
#include <variant>

// How a rename run sets one time of each entry it processes. FromOther is, for the created
// time, the modified time; for the modified and accessed times, the new created time.
enum class TimestampMode : int { NoChange, Current, FromOther, Taken, Fixed, Delta };

// How a rename run changes the times and attributes of each entry it processes.
struct CHANGESETTINGS {
    TimestampMode createdMode = TimestampMode::NoChange;
    TimestampMode modifiedMode = TimestampMode::NoChange;
    TimestampMode accessedMode = TimestampMode::NoChange;
    TimeValue createdFixed = 0;
    TimeValue modifiedFixed = 0;
    TimeValue accessedFixed = 0;
    qint64 createdDelta = 0;
    qint64 modifiedDelta = 0;
    qint64 accessedDelta = 0;
    bool createdNegative = false;
    bool modifiedNegative = false;
    bool accessedNegative = false;
    quint32 attributeFlags = 0;

    bool ChangesTimes() const {
        return createdMode != TimestampMode::NoChange || modifiedMode != TimestampMode::NoChange ||
               accessedMode != TimestampMode::NoChange;
    }
    bool ChangesAnything() const { return ChangesTimes() || attributeFlags != 0; }
};

// Bits of attributeFlags.
enum AttributeRequest : quint32 {
    SetReadOnly = 0x1,
    ClearReadOnly = 0x2,
    SetArchive = 0x10,
    ClearArchive = 0x20,
    SetHidden = 0x100,
    ClearHidden = 0x200,
    SetSystem = 0x1000,
    ClearSystem = 0x2000,
};

// The attributes an entry will have; a clear request wins over a set request. Only the
// bits this platform can change take part (on Linux: read-only), so the preview never
// promises a change that the run cannot make.
quint32 PendingAttributes(quint32 attributes, quint32 attributeFlags);

// One pending time; 0 for none. `now` is the current time of this refresh.
TimeValue PendingTime(TimestampMode mode, TimeValue current, TimeValue other, TimeValue dateTaken,
                      TimeValue fixed, qint64 delta, bool negative, TimeValue now);

struct PENDINGTIMES {
    TimeValue created = 0;
    TimeValue modified = 0;
    TimeValue accessed = 0;
};

// The three pending times of an entry: the creation time first, because the other two may
// take it over.
PENDINGTIMES PreviewTimes(const CHANGESETTINGS& settings, const FILEENTRY& entry, TimeValue now);

// The timestamps dialog shows a delta as days, hours, minutes and seconds.
struct DELTAPARTS {
    qint64 days = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};
DELTAPARTS SplitDelta(qint64 delta);
qint64 JoinDelta(const DELTAPARTS& parts);

// Whether OK in the timestamps dialog must first ask the Created-from-Modified question.
bool NeedsCreatedFromModifiedQuestion(const CHANGESETTINGS& settings);
QString CreatedFromModifiedQuestion();

// The change settings as a favourites file holds them: section "Preferences", one key per
// field, in the order the file lists them. Fixed times are held in the file's encoding.
struct CHANGEBINDING {
    const char* key;
    bool isTime; // a fixed time: stored encoding, unsigned
    std::variant<TimestampMode CHANGESETTINGS::*, qint64 CHANGESETTINGS::*, bool CHANGESETTINGS::*,
                 quint32 CHANGESETTINGS::*>
        field;

    QString Key() const { return QLatin1String(key); }
};
std::span<const CHANGEBINDING> ChangeBindings();
const CHANGEBINDING* FindChangeSetting(QStringView key);
// The number a favourites file holds for the field, and back.
qint64 ChangeSettingValue(const CHANGESETTINGS& settings, const CHANGEBINDING& binding);
void SetChangeSettingValue(CHANGESETTINGS& settings, const CHANGEBINDING& binding, qint64 value);
