// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// A time value is a whole number of seconds since 1970-01-01 00:00:00 UTC; 0 means that
// there is no time. File times outside the years 1971 to 2050 (UTC) are held as 0.
//
// Keeping the value in UTC makes the conversion from a file time and back exact in every
// time zone, including the hour that a change to daylight saving skips. Favourites files
// store these values in the older "local encoding" (the UTC calendar fields read as a
// local time); TimeValueFromStored and StoredFromTimeValue convert at that boundary.
using TimeValue = qint64;

struct CALENDARFIELDS {
    int year = 0;     // e.g. 2004
    int month = 0;    // 1 to 12
    int day = 0;      // 1 to 31
    int hour = 0;     // 0 to 23
    int minute = 0;   // 0 to 59
    int second = 0;   // 0 to 60
    int weekday = 0;  // 0 to 6, Sunday = 0
    int yearday = 0;  // 0 to 365
    QString zoneName; // the name the C library gives the zone at that moment (empty for UTC)
};

// File time (seconds since the epoch, fractions dropped) to time value.
TimeValue TimeValueFromFileTime(qint64 secondsSinceEpoch);
// The seconds since the epoch that a time value stands for (0 stays 0).
qint64 FileTimeFromTimeValue(TimeValue value);

TimeValue CurrentTimeValue();

// Local calendar fields (process time zone) of a moment given as seconds since the epoch.
bool LocalFieldsOf(qint64 secondsSinceEpoch, CALENDARFIELDS& fields);
// UTC calendar fields of a moment.
bool UtcFieldsOf(qint64 secondsSinceEpoch, CALENDARFIELDS& fields);
// The moment whose local calendar fields these are; the C library decides on daylight
// saving unless isDst is 0 or 1. Returns false when the fields cannot be represented.
bool MomentFromLocalFields(const CALENDARFIELDS& fields, int isDst, qint64& secondsSinceEpoch);
// The moment whose UTC calendar fields these are.
qint64 MomentFromUtcFields(const CALENDARFIELDS& fields);

// The number a favourites file holds for a time value, and back.
qint64 StoredFromTimeValue(TimeValue value);
TimeValue TimeValueFromStored(qint64 stored);

// The local date in the user's short date format, a blank and the local time.
QString LocaleTimeText(TimeValue value);
