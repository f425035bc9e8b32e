// SPDX-License-Identifier: GPL-3.0-or-later
#include "exifvalues.h"

#include "filelist/textrules.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// -1 when the characters are not all decimal digits.
int FieldValue(QByteArrayView text, qsizetype from, qsizetype length) {
    if (from + length > text.size())
        return -1;
    int value = 0;
    for (qsizetype i = from; i < from + length; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A field that is not made of digits counts as 0, which the range checks then refuse
// where 0 is out of range.
int FieldOrZero(QByteArrayView text, qsizetype from, qsizetype length) {
    return qMax(0, FieldValue(text, from, length));
}

bool FieldsInRange(const CALENDARFIELDS& f, int firstYear) {
    return f.year >= firstYear && f.month >= 1 && f.month <= 12 && f.day >= 1 && f.day <= 31 &&
           f.hour < 24 && f.minute < 60 && f.second < 60;
}

// printf's fixed notation in the C locale, whatever locale the program runs in.
QString FixedText(double value, int decimals) {
    char buffer[400];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return QString();
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace

quint16 ExifGet16(const uchar* bytes, bool motorola) {
    if (motorola)
        return static_cast<quint16>((bytes[0] << 8) | bytes[1]);
    return static_cast<quint16>((bytes[1] << 8) | bytes[0]);
}

quint32 ExifGet32(const uchar* bytes, bool motorola) {
    if (motorola)
        return (quint32(bytes[0]) << 24) | (quint32(bytes[1]) << 16) | (quint32(bytes[2]) << 8) |
               quint32(bytes[3]);
    return (quint32(bytes[3]) << 24) | (quint32(bytes[2]) << 16) | (quint32(bytes[1]) << 8) |
           quint32(bytes[0]);
}

int ExifBytesPerComponent(quint32 format) {
    static const int sizes[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
    return format <= 12 ? sizes[format] : 0;
}

TimeValue ExifDateToTime(QByteArrayView text, ExifDateRules rules) {
    const QByteArrayView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    const bool tiff = rules == ExifDateRules::Tiff;
    CALENDARFIELDS fields;
    fields.year = FieldOrZero(trimmed, 0, 4);
    fields.month = FieldOrZero(trimmed, 5, 2);
    fields.day = FieldOrZero(trimmed, 8, 2);
    fields.hour = FieldOrZero(trimmed, 11, 2);
    fields.minute = FieldOrZero(trimmed, 14, 2);
    fields.second = FieldOrZero(trimmed, 17, 2);
    int isDst = -1;
    if (!FieldsInRange(fields, tiff ? 1900 : 1970)) {
        fields = CALENDARFIELDS();
        fields.year = tiff ? 1970 : 1971;
        fields.month = 1;
        fields.day = 1;
        fields.hour = 23;
        fields.minute = 59;
        fields.second = 59;
        isDst = 0;
    }
    qint64 moment = 0;
    if (!MomentFromLocalFields(fields, isDst, moment))
        return 0;
    CALENDARFIELDS utc;
    if (!UtcFieldsOf(moment, utc) || utc.year < 1900)
        return 0;
    return moment;
}

double ApexApertureToFNumber(double apex) {
    return std::exp2(apex / 2.0);
}

double ApexShutterToExposureTime(double apex) {
    return 1.0 / std::exp2(apex);
}

float ToStoredFloat(double value) {
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (value > double(std::numeric_limits<float>::max()))
        return std::numeric_limits<float>::infinity();
    if (value < -double(std::numeric_limits<float>::max()))
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

qint32 ToSaturatedInt32(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<qint32>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(value);
}

QByteArray BytesUpToZero(QByteArrayView bytes, qsizetype limit) {
    const QByteArrayView head = bytes.first(qMin(bytes.size(), qMax<qsizetype>(0, limit)));
    const qsizetype zero = head.indexOf('\0');
    return (zero < 0 ? head : head.first(zero)).toByteArray();
}

EXIFTEXTS FormatExifTexts(double fNumber, double exposureTime, double exposureBias,
                          double focalLength, QByteArrayView comment) {
    EXIFTEXTS texts;
    texts.aperture = FixedText(fNumber, std::floor(fNumber) == fNumber ? 0 : 1);
    texts.exposure = FixedText(exposureTime == 0 ? 0.0 : 1.0 / exposureTime, 0);
    texts.exposureBias = FixedText(exposureBias, 3);
    texts.focalLength = FixedText(focalLength, 0);
    texts.comment = DecodeEightBit(comment);
    return texts;
}
