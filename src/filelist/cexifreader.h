// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/exifinfo.h"
#include "filelist/exifvalues.h"
#include "platform/cnativefile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QString>

// Reads the EXIF data of a JPEG file from its header segments. The read stops at the start
// of scan, so the image data is never touched. One reader serves every file of a folder
// level; each read starts from a cleared state.
class CExifReader {
public:
    bool Open(const QByteArray& nativePath);
    void Close();
    // Reads the open file; fails without one.
    bool Read();
    // Reads any source of bytes, e.g. a buffer in memory.
    bool ReadFrom(const CByteSource& source);

    // The outcome of the last read. After a failed read the date is 0 and the texts empty.
    bool Succeeded() const { return m_succeeded; }
    TimeValue DateTaken() const;
    EXIFTEXTS Texts() const;
    const EXIFINFO& Info() const { return m_info; }
    // The last fault met, for diagnosis only.
    const QString& ErrorText() const { return m_errorText; }

private:
    bool ReadMarkers();
    bool ReadMarkerCode(int& code);
    bool ReadSegment(int code, QByteArray& segment);
    bool ReadAtCursor(char* buffer, qint64 length);
    void HandleSegment(int code, const QByteArray& segment);
    void StoreCommentSegment(QByteArrayView body);
    void StoreFrameHeader(int code, QByteArrayView segment);

    bool ParseExifSegment(const QByteArray& segment);
    bool WalkIfd(qsizetype dirStart, int depth);
    bool WalkEntry(qsizetype entryStart, int depth);
    void StoreTag(quint32 tag, quint32 format, QByteArrayView value);
    void StoreUserComment(QByteArrayView value);
    double ConvertAnyFormat(QByteArrayView value, quint32 format) const;
    bool FollowSubdirectory(qsizetype valueStart, int depth);

    bool Fail(const QString& text);
    void Clear();

    CNativeFile m_file;
    const CByteSource* m_source = nullptr;
    qint64 m_cursor = 0;
    bool m_succeeded = false;
    QString m_errorText;
    bool m_motorola = false;
    quint32 m_largestWidth = 0;
    int m_segmentCount = 0;
    bool m_commentSegmentSeen = false;
    EXIFINFO m_info;

    // State of the walk through one EXIF block.
    QByteArrayView m_block;
    QSet<qsizetype> m_visitedDirectories;
    int m_entriesLeft = 0;
    qint64 m_thumbnailOffset = -1;
    quint32 m_thumbnailLength = 0;
};
