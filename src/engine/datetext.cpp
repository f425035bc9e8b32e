// SPDX-License-Identifier: GPL-3.0-or-later
#include "datetext.h"

namespace {

constexpr qsizetype kMaxDateText = 127;
constexpr QStringView kConversions = u"aAbBcdHIjmMpSUwWxXyYzZ%";

constexpr const char* kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

// The fixed layouts by their fields; Y stands for the year, with or without its century.
constexpr QStringView kLayouts[] = {u"dmY",    u"dmYHM", u"dmYHMS", u"mdY",   u"mdYHM",
                                    u"mdYHMS", u"Ymd",   u"YmdHM",  u"YmdHMS"};

QString Padded(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

// Week number of the year for weeks beginning on firstDay (0 Sunday, 1 Monday); the days
// before the first such day fall in week 0.
int WeekOfYear(const CALENDARFIELDS& f, int firstDay) {
    const int daysSinceFirstDay = (f.weekday - firstDay + 7) % 7;
    return (f.yearday + 7 - daysSinceFirstDay) / 7;
}

QString Conversion(QChar conversion, const CALENDARFIELDS& f);

// Written out here rather than by the C library, whose forms follow the locale.
QString DatePart(const CALENDARFIELDS& f) {
    return Padded(f.month, 2) + QLatin1Char('/') + Padded(f.day, 2) + QLatin1Char('/') +
           Conversion(QLatin1Char('y'), f);
}

QString TimePart(const CALENDARFIELDS& f) {
    return Padded(f.hour, 2) + QLatin1Char(':') + Padded(f.minute, 2) + QLatin1Char(':') +
           Padded(f.second, 2);
}

QString Conversion(QChar conversion, const CALENDARFIELDS& f) {
    switch (conversion.unicode()) {
    case u'a':
        return QLatin1String(kWeekdays[f.weekday], 3);
    case u'A':
        return QLatin1String(kWeekdays[f.weekday]);
    case u'b':
        return QLatin1String(kMonths[f.month - 1], 3);
    case u'B':
        return QLatin1String(kMonths[f.month - 1]);
    case u'c':
        return DatePart(f) + QLatin1Char(' ') + TimePart(f);
    case u'd':
        return Padded(f.day, 2);
    case u'H':
        return Padded(f.hour, 2);
    case u'I':
        return Padded(f.hour % 12 == 0 ? 12 : f.hour % 12, 2);
    case u'j':
        return Padded(f.yearday + 1, 3);
    case u'm':
        return Padded(f.month, 2);
    case u'M':
        return Padded(f.minute, 2);
    case u'p':
        return f.hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
    case u'S':
        return Padded(f.second, 2);
    case u'U':
        return Padded(WeekOfYear(f, 0), 2);
    case u'w':
        return QString::number(f.weekday);
    case u'W':
        return Padded(WeekOfYear(f, 1), 2);
    case u'x':
        return DatePart(f);
    case u'X':
        return TimePart(f);
    case u'y':
        return Padded((f.year % 100 + 100) % 100, 2);
    case u'Y':
        return QString::number(f.year);
    case u'z':
    case u'Z':
        return f.zoneName;
    case u'%':
        return QStringLiteral("%");
    default:
        return QString();
    }
}

QString ExpandFixedLayout(QStringView layout, const QString& segments, bool century,
                          const CALENDARFIELDS& f) {
    QString text;
    for (qsizetype i = 0; i < layout.size(); ++i) {
        if (i > 0)
            text += segments;
        const QChar field = layout[i];
        text += Conversion(field == QLatin1Char('Y') && !century ? QLatin1Char('y') : field, f);
    }
    return text;
}

// Called only for formats that passed IsValidDateFormat.
QString ExpandCustom(QStringView format, const CALENDARFIELDS& f) {
    QString text;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size())
            text += Conversion(format[++i], f);
        else
            text += format[i];
    }
    return text;
}

} // namespace

bool IsValidDateFormat(QStringView format) {
    for (qsizetype i = format.indexOf(QLatin1Char('%')); i >= 0;
         i = format.indexOf(QLatin1Char('%'), i + 2)) {
        if (i + 1 >= format.size() || !kConversions.contains(format[i + 1]))
            return false;
    }
    return true;
}

QString DateText(TimeValue date, DateFormat format, const QString& segments, bool century,
                 qint32 offsetHours, const QString& custom) {
    if (date == 0 || format < DateFormat::Dmy || format > DateFormat::Custom)
        return QString();
    if (format == DateFormat::Custom && !IsValidDateFormat(custom))
        return QString();
    CALENDARFIELDS fields;
    const qint64 moment = FileTimeFromTimeValue(date) + qint64(offsetHours) * 3600;
    if (!LocalFieldsOf(moment, fields))
        return QString();
    const QString text =
        format == DateFormat::Custom
            ? ExpandCustom(custom, fields)
            : ExpandFixedLayout(kLayouts[static_cast<int>(format)], segments, century, fields);
    return text.size() > kMaxDateText ? QString() : text;
}
