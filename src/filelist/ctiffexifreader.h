// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/exifvalues.h"
#include "platform/cnativefile.h"

#include <QByteArray>
#include <QSet>

// Reads the date taken and the exposure values of TIFF files and of the camera raw
// formats built on TIFF. It reads only the directories and the values it needs, so a large
// raw file costs a handful of small reads. One reader serves every file of a folder level;
// each read starts from a cleared state.
class CTiffExifReader {
public:
    bool Open(const QByteArray& nativePath);
    void Close();
    // Reads the open file; fails without one.
    bool Read();
    bool ReadFrom(const CByteSource& source);

    // The outcome of the last read. After a failed read the date is 0 and the texts empty.
    bool Succeeded() const { return m_succeeded; }
    TimeValue DateTaken() const;
    EXIFTEXTS Texts() const;
    const QByteArray& DateTimeText() const { return m_dateTime; }
    const QByteArray& CameraModel() const { return m_cameraModel; }
    float FNumber() const { return m_fNumber; }
    float ExposureTime() const { return m_exposureTime; }
    float ExposureBias() const { return m_exposureBias; }
    float FocalLength() const { return m_focalLength; }

private:
    bool ReadHeaderAndChain();
    qint64 WalkDirectory(qint64 start, int depth);
    void ReadEntry(const uchar* entry, qint64 entryPosition, int depth);
    void WalkSubdirectories(qint64 position, qint64 count, int depth);
    double ReadNumber(qint64 position, qint64 byteCount, quint32 format) const;
    QByteArray ReadText(qint64 position, qint64 length) const;
    bool ReadBytes(qint64 position, qint64 length, QByteArray& bytes) const;
    void Clear();

    CNativeFile m_file;
    const CByteSource* m_source = nullptr;
    bool m_succeeded = false;
    bool m_motorola = false;
    TimeValue m_dateTaken = 0;
    QByteArray m_dateTime;
    QByteArray m_cameraModel;
    QByteArray m_comment;
    float m_fNumber = 0;
    float m_exposureTime = 0;
    float m_focalLength = 0;
    float m_exposureBias = 0;
    QSet<qint64> m_visitedDirectories;
    int m_stepsLeft = 0;
};
