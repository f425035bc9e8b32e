// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Settings files are small: anything larger, or anything but a regular file (a pipe would
// block, a device never end), is not read.
constexpr qint64 kMostIniBytes = qint64(16) << 20;

// The lines of one INI file in memory, with what is needed to write them back the way the
// file was: its encoding and its line ends. Lines this program does not touch are written
// back as they were read, so comments, unknown keys and their order survive a write.
class CINIText {
public:
    enum LoadResult { Missing, Loaded, Unreadable };

    LoadResult Load(const QString& path);
    // Writes through a temporary file renamed over the old one, so a failed write leaves the
    // old file whole; false when the file could not be written.
    bool Save(const QString& path) const;

    // The text after the first equals sign without surrounding blanks, and without one pair
    // of double quotes that encloses it; false when the section or key is missing.
    bool Value(QStringView section, QStringView key, QString& value) const;
    // Replaces the value in place, or adds the key at the end of its section, or adds the
    // section at the end of the text. The value is written as given.
    void SetValue(const QString& section, const QString& key, const QString& value);
    // False when there was no such key.
    bool RemoveKey(QStringView section, QStringView key);

private:
    enum Encoding { Utf8, Utf8WithMark, Windows1252, Utf16LittleEndian, Utf16BigEndian };

    struct SECTIONRANGE {
        qsizetype header = -1; // line of the section header; -1 when the section is missing
        qsizetype end = 0;     // first line after the section
    };

    void SetText(const QString& text);
    QByteArray Encoded() const;
    SECTIONRANGE FindSection(QStringView section) const;
    qsizetype FindKey(const SECTIONRANGE& range, QStringView key) const;

    QStringList m_lines;
    Encoding m_encoding = Utf8;
    bool m_crLf = false;
};
