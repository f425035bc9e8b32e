// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/timevalue.h"

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// What the JPEG reader and the TIFF-based reader share: byte order, value sizes, the date
// conversion and the five texts the name generator uses.

// The date rules differ only in the first year taken as valid and in the default date.
enum class ExifDateRules { Jpeg, Tiff };

// The five texts of a read: F-number, exposure time (as the x of 1/x s), exposure bias,
// focal length and comment.
struct EXIFTEXTS {
    QString aperture;
    QString exposure;
    QString exposureBias;
    QString focalLength;
    QString comment;
};

quint16 ExifGet16(const uchar* bytes, bool motorola);
quint32 ExifGet32(const uchar* bytes, bool motorola);

// Bytes per component of the TIFF formats 1 to 12; 0 for any other format.
int ExifBytesPerComponent(quint32 format);

// Converts "YYYY:MM:DD HH:MM:SS", a local time of the camera's clock, to a time value.
// White space only gives 0; fields out of range give the rules' default date.
TimeValue ExifDateToTime(QByteArrayView text, ExifDateRules rules);

// APEX aperture value to F-number, and APEX shutter speed value to seconds.
double ApexApertureToFNumber(double apex);
double ApexShutterToExposureTime(double apex);

// Narrowing that keeps values beyond the float range as infinities rather than leaving
// the result to the compiler.
float ToStoredFloat(double value);
// Whole part of a value, saturated to the 32-bit range; NaN gives 0.
qint32 ToSaturatedInt32(double value);

// Bytes of a value up to its first zero byte, at most `limit` of them.
QByteArray BytesUpToZero(QByteArrayView bytes, qsizetype limit);

EXIFTEXTS FormatExifTexts(double fNumber, double exposureTime, double exposureBias,
                          double focalLength, QByteArrayView comment);
