// SPDX-License-Identifier: GPL-3.0-or-later
#include "timevalue.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <cerrno>
#include <ctime>

namespace {

void FieldsFromTm(const std::tm& tm, CALENDARFIELDS& fields) {
    fields.year = tm.tm_year + 1900;
    fields.month = tm.tm_mon + 1;
    fields.day = tm.tm_mday;
    fields.hour = tm.tm_hour;
    fields.minute = tm.tm_min;
    fields.second = tm.tm_sec;
    fields.weekday = tm.tm_wday;
    fields.yearday = tm.tm_yday;
    fields.zoneName = tm.tm_zone ? QString::fromLocal8Bit(tm.tm_zone) : QString();
}

std::tm TmFromFields(const CALENDARFIELDS& fields) {
    std::tm tm{};
    tm.tm_year = fields.year - 1900;
    tm.tm_mon = fields.month - 1;
    tm.tm_mday = fields.day;
    tm.tm_hour = fields.hour;
    tm.tm_min = fields.minute;
    tm.tm_sec = fields.second;
    return tm;
}

} // namespace

TimeValue TimeValueFromFileTime(qint64 secondsSinceEpoch) {
    // 1971-01-01 00:00:00 and 2051-01-01 00:00:00 UTC: a plain comparison, since the scan
    // converts three times per file.
    constexpr qint64 kFirst = 31536000;
    constexpr qint64 kPastLast = 2556144000;
    if (secondsSinceEpoch < kFirst || secondsSinceEpoch >= kPastLast)
        return 0;
    return secondsSinceEpoch;
}

qint64 FileTimeFromTimeValue(TimeValue value) {
    return value;
}

TimeValue CurrentTimeValue() {
    return static_cast<TimeValue>(std::time(nullptr));
}

bool LocalFieldsOf(qint64 secondsSinceEpoch, CALENDARFIELDS& fields) {
    const std::time_t t = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm tm{};
    if (!localtime_r(&t, &tm))
        return false;
    FieldsFromTm(tm, fields);
    return true;
}

bool UtcFieldsOf(qint64 secondsSinceEpoch, CALENDARFIELDS& fields) {
    const std::time_t t = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm tm{};
    if (!gmtime_r(&t, &tm))
        return false;
    tm.tm_zone = nullptr;
    FieldsFromTm(tm, fields);
    return true;
}

bool MomentFromLocalFields(const CALENDARFIELDS& fields, int isDst, qint64& secondsSinceEpoch) {
    std::tm tm = TmFromFields(fields);
    tm.tm_isdst = (isDst == 0 || isDst == 1) ? isDst : -1;
    errno = 0;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1) && errno != 0)
        return false;
    secondsSinceEpoch = static_cast<qint64>(t);
    return true;
}

qint64 MomentFromUtcFields(const CALENDARFIELDS& fields) {
    std::tm tm = TmFromFields(fields);
    return static_cast<qint64>(timegm(&tm));
}

qint64 StoredFromTimeValue(TimeValue value) {
    if (value == 0)
        return 0;
    CALENDARFIELDS utc;
    if (!UtcFieldsOf(value, utc))
        return 0;
    qint64 stored = 0;
    return MomentFromLocalFields(utc, -1, stored) ? stored : 0;
}

TimeValue TimeValueFromStored(qint64 stored) {
    if (stored == 0)
        return 0;
    CALENDARFIELDS fields;
    if (!LocalFieldsOf(stored, fields))
        return 0;
    return MomentFromUtcFields(fields);
}

QString LocaleTimeText(TimeValue value) {
    CALENDARFIELDS local;
    if (!LocalFieldsOf(FileTimeFromTimeValue(value), local))
        return QString();
    const QLocale locale = QLocale();
    const QDate date(local.year, local.month, local.day);
    const QTime time(local.hour, local.minute, qMin(local.second, 59));
    // The long time format carries the zone name; the list shows the time alone.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    return locale.toString(date, QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(time, timeFormat.trimmed());
}
