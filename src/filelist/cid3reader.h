// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/cbytesource.h"

#include <QByteArray>
#include <QString>

// Reads the version 1 tag in the last 128 bytes of an MP3 file, with the track byte of
// version 1.1. One reader serves every file of a folder level; each read starts from a
// cleared state, so a file without a tag never shows the previous file's values.
class CId3Reader {
public:
    bool Read(const QByteArray& nativePath);
    bool ReadFrom(const CByteSource& source);

    bool Succeeded() const { return m_succeeded; }
    const QString& Title() const { return m_title; }
    const QString& Artist() const { return m_artist; }
    const QString& Album() const { return m_album; }
    const QString& Year() const { return m_year; }
    const QString& Comment() const { return m_comment; }
    quint32 Track() const { return m_track; }

private:
    void Clear();

    bool m_succeeded = false;
    QString m_title;
    QString m_artist;
    QString m_album;
    QString m_year;
    QString m_comment;
    quint32 m_track = 0;
};
