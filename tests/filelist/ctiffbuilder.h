// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// Lays out a TIFF structure (the block of an EXIF segment, or a whole TIFF-based file) in
// either byte order: the header, directory 0 as the first directory, the other directories
// after it, and every value longer than four bytes in a data area at the end.
class CTiffBuilder {
public:
    explicit CTiffBuilder(bool motorola);

    bool Motorola() const { return m_motorola; }
    int AddDirectory();
    // Value bytes are given in file order; use the encoders below.
    void AddEntry(int directory, quint16 tag, quint16 format, quint32 count,
                  const QByteArray& value);
    void AddRational(int directory, quint16 tag, qint32 numerator, qint32 denominator,
                     quint16 format = 5);
    void AddShort(int directory, quint16 tag, quint16 value);
    void AddAscii(int directory, quint16 tag, const QByteArray& text); // a zero byte is added
    // An entry whose value is the offset of another directory (0x8769, 0xA005, 0x014A).
    void AddLink(int directory, quint16 tag, int target);
    void AddLinks(int directory, quint16 tag, const QList<int>& targets);
    void SetNext(int directory, int next);

    QByteArray Build() const;
    // Offset of a directory in the built bytes.
    quint32 DirectoryOffset(int directory) const;

    QByteArray U16(quint16 value) const;
    QByteArray U32(quint32 value) const;

private:
    struct ENTRY {
        quint16 tag = 0;
        quint16 format = 0;
        quint32 count = 0;
        QByteArray value;
        QList<int> links; // directory indices written as the value
    };
    struct DIRECTORY {
        QList<ENTRY> entries;
        int next = -1;
    };

    bool m_motorola;
    QList<DIRECTORY> m_directories;
};
