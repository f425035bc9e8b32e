// SPDX-License-Identifier: GPL-3.0-or-later
#include "groupharness.h"

#include "engine/criterionbinding.h"

#include <ctime>

bool ApplySettings(RenameCriteria& criteria, const QString& section, const QStringList& settings) {
    for (const QString& setting : settings) {
        const qsizetype equals = setting.indexOf(QLatin1Char('='));
        if (equals < 0)
            return false;
        const CRITERIONBINDING* binding = FindCriterion(section, setting.left(equals));
        if (!binding || !criteria.SetValue(*binding, setting.mid(equals + 1)))
            return false;
    }
    return true;
}

NAMEINPUT InputFor(const QString& name) {
    NAMEINPUT input;
    input.name = name;
    input.folderPath = QStringLiteral("/home/user/Photos");
    return input;
}

QString Generate(const RenameCriteria& criteria, NAMEINPUT input, const NAMEOPTIONS& options) {
    input.removeWords = SplitRemoveWords(criteria.removals.words);
    input.exceptionWords = SplitExceptionWords(criteria.letterCase.exceptions);
    return GenerateNewName(criteria, input, options);
}

QStringList Settings(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

CTimeZoneScope::CTimeZoneScope(const char* zone)
    : m_saved(qgetenv("TZ")), m_wasSet(qEnvironmentVariableIsSet("TZ")) {
    qputenv("TZ", zone);
    tzset();
}

CTimeZoneScope::~CTimeZoneScope() {
    if (m_wasSet)
        qputenv("TZ", m_saved);
    else
        qunsetenv("TZ");
    tzset();
}

namespace {

CALENDARFIELDS Fields(int year, int month, int day, int hour, int minute, int second) {
    CALENDARFIELDS fields;
    fields.year = year;
    fields.month = month;
    fields.day = day;
    fields.hour = hour;
    fields.minute = minute;
    fields.second = second;
    return fields;
}

} // namespace

TimeValue UtcMoment(int year, int month, int day, int hour, int minute, int second) {
    return MomentFromUtcFields(Fields(year, month, day, hour, minute, second));
}

TimeValue LocalMoment(int year, int month, int day, int hour, int minute, int second) {
    const CALENDARFIELDS fields = Fields(year, month, day, hour, minute, second);
    qint64 moment = 0;
    if (!MomentFromLocalFields(fields, -1, moment))
        return 0;
    return TimeValueFromFileTime(moment);
}
