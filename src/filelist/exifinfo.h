// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/timevalue.h"

#include <QByteArray>
#include <QtGlobal>

// Everything a JPEG read takes from the EXIF block and the frame header. Only the date
// taken, the four numbers behind the texts and the comment reach the file list; the rest
// is kept because the block is walked anyway and it costs nothing.
struct EXIFINFO {
    QByteArray version;     // tag 0x9000, 4 bytes
    QByteArray cameraMake;  // tag 0x010F, at most 31 bytes
    QByteArray cameraModel; // tag 0x0110, at most 39 bytes
    QByteArray dateTime;    // tags 0x0132, 0x9003, 0x9004: the last one met, at most 19 bytes
    TimeValue dateTaken = 0;
    quint32 height = 0; // from the start-of-frame segment
    quint32 width = 0;
    qint32 orientation = 0; // 1 to 8, else 0
    bool isColour = false;
    qint32 process = 0; // the start-of-frame marker code
    bool flashUsed = false;
    float focalLength = 0;
    float exposureTime = 0;
    float fNumber = 0;
    float subjectDistance = 0;
    float sensorWidth = 0;
    float exposureBias = 0;
    qint32 lightSource = 0;
    qint32 meteringMode = 0;
    qint32 exposureProgram = 0;
    qint32 isoEquivalent = 0;
    qint32 compressionLevel = 0;
    float focalPlaneXResolution = 0;
    float focalPlaneYResolution = 0;
    float focalPlaneUnit = 0; // in inches
    float xResolution = 0;
    float yResolution = 0;
    float resolutionUnit = 0; // in inches
    float brightness = 0;
    QByteArray comment; // user comment or the first comment segment, at most 999 bytes
    quint32 thumbnailSize = 0;
    bool exifRead = false; // the last EXIF segment parsed without a fatal fault
};
